// Double-throw switch: its common terminal 2 goes to terminal 0 (state 1),
// to terminal 1 (state 2) or nowhere (state 0).
#pragma once

#include "device.h"

namespace ampera {

class CDoubleSwitch : public CDevice {
public:
    static const CDeviceKind kKind;
    CDoubleSwitch() : CDevice(kKind) {}

    void BuildBranches(CTopologyBuilder& b) override {
        if (m_state == 1) b.Between(b.Terminal(0), b.Terminal(2), BRANCH_RESISTOR, kWireResistance);
        else if (m_state == 2) b.Between(b.Terminal(2), b.Terminal(1), BRANCH_RESISTOR, kWireResistance);
    }

    int m_state = 0; // 0 open, 1 towards terminal 0, 2 towards terminal 1
};

} // namespace ampera
