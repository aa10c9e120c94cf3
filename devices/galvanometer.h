// Digital galvanometer for weak DC currents, 20 uA to 200 mA; always a 1e-4 ohm shunt.
#pragma once

#include "device.h"
#include "panel_control.h"

namespace ampera {

class CGalvanometer : public CDevice {
public:
    static const CDeviceKind kKind;
    CGalvanometer();

    int Range() const { return m_range.Position(); }
    bool IsPowered() const { return m_power.IsOn(); }
    void BuildBranches(CTopologyBuilder& b) override {
        if (IsPowered()) b.OverTerminals(BRANCH_RESISTOR, kShuntResistance);
    }

    CKnob m_range;
    CPanelButton m_power;
};

} // namespace ampera
