// Digital DC voltmeter: five ranges from 200 mV to 1000 V.
#pragma once

#include "device.h"
#include "panel_control.h"

namespace ampera {

class CDCVoltmeter : public CDevice {
public:
    static const CDeviceKind kKind;
    CDCVoltmeter();

    int Range() const { return m_range.Position(); }
    bool IsPowered() const { return m_power.IsOn(); }
    void BuildBranches(CTopologyBuilder& b) override {
        if (IsPowered()) b.OverTerminals(BRANCH_RESISTOR, m_internalResistance);
    }

    CKnob m_range;
    CPanelButton m_power;
};

} // namespace ampera
