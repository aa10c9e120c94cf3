// Single-throw switch: closed, it joins its two terminals.
#pragma once

#include "device.h"

namespace ampera {

class CSingleSwitch : public CDevice {
public:
    static const CDeviceKind kKind;
    CSingleSwitch() : CDevice(kKind) {}

    bool IsClosed() const { return m_state == 1; }
    void BuildBranches(CTopologyBuilder& b) override {
        if (IsClosed()) b.OverTerminals(BRANCH_RESISTOR, kWireResistance);
    }

    int m_state = 0; // 0 open, 1 closed
};

} // namespace ampera
