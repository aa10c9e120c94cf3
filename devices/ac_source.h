// AC voltage source: a 50 Hz sine of 0-20 V peak set like the DC source,
// behind its internal resistance.
#pragma once

#include "device.h"
#include "panel_control.h"

namespace ampera {

class CACSource : public CDevice {
public:
    static const CDeviceKind kKind;
    static constexpr double kFrequency = 50.0;
    CACSource();

    double GetKnobValue();
    double GetAmplitude() { return GetKnobValue(); }
    bool IsPowered() const { return m_power.IsOn(); }
    void BuildBranches(CTopologyBuilder& b) override;

    float m_setValue = 0;
    float m_ratedCurrent = 2.0f;
    CKnob m_coarse;
    CKnob m_fine;
    CPanelButton m_power;
};

} // namespace ampera
