// Regulated DC voltage source: 0-20 V set by a coarse (2 V) and a fine
// (0.2 V) knob, behind its internal resistance.
#pragma once

#include "device.h"
#include "panel_control.h"

namespace ampera {

class CDCSource : public CDevice {
public:
    static const CDeviceKind kKind;
    CDCSource();

    // 2 x coarse + 0.2 x fine volts; also kept as the set value.
    double GetKnobValue();
    bool IsPowered() const { return m_power.IsOn(); }
    void BuildBranches(CTopologyBuilder& b) override;

    float m_setValue = 0;
    float m_ratedCurrent = 2.0f;
    CKnob m_coarse;
    CKnob m_fine;
    CPanelButton m_power;
};

} // namespace ampera
