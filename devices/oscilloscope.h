// Two-channel oscilloscope: each powered channel loads its pair of
// terminals (0-1 and 2-3) with the input resistance.
#pragma once

#include "device.h"
#include "panel_control.h"

namespace ampera {

class COscilloscope : public CDevice {
public:
    static const CDeviceKind kKind;
    COscilloscope();

    bool IsPowered() const { return m_power.IsOn(); }
    void BuildBranches(CTopologyBuilder& b) override {
        if (!IsPowered()) return;
        b.Between(b.Terminal(0), b.Terminal(1), BRANCH_RESISTOR, m_internalResistance);
        b.Between(b.Terminal(2), b.Terminal(3), BRANCH_RESISTOR, m_internalResistance);
    }

    CPanelButton m_power;
};

} // namespace ampera
