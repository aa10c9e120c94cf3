// AC millivoltmeter: five ranges from 40 mV to 400 V; it always loads the circuit with 10 megohms.
#pragma once

#include "device.h"
#include "panel_control.h"

namespace ampera {

class CACMillivoltmeter : public CDevice {
public:
    static const CDeviceKind kKind;
    static constexpr double kInputResistance = 1e7;
    CACMillivoltmeter();

    int Range() const { return m_range.Position(); }
    bool IsPowered() const { return m_power.IsOn(); }
    void BuildBranches(CTopologyBuilder& b) override {
        if (IsPowered()) b.OverTerminals(BRANCH_RESISTOR, kInputResistance);
    }

    CKnob m_range;
    CPanelButton m_power;
};

} // namespace ampera
