// Ammeter plug board: a 1e-4 ohm link that the digital ammeter plugs into.
#pragma once

#include "device.h"

namespace ampera {

class CAmmeterPlugBoard : public CDevice {
public:
    static const CDeviceKind kKind;
    CAmmeterPlugBoard() : CDevice(kKind) {}

    void BuildBranches(CTopologyBuilder& b) override { b.OverTerminals(BRANCH_RESISTOR, kShuntResistance); }
};

} // namespace ampera
