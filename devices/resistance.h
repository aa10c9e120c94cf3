// Fixed resistor.
#pragma once

#include "device.h"

namespace ampera {

class CResistance : public CDevice {
public:
    static const CDeviceKind kKind;
    CResistance() : CDevice(kKind) {}

    double GetValue() const override { return m_resistance; }
    void BuildBranches(CTopologyBuilder& b) override { b.OverTerminals(BRANCH_RESISTOR, GetValue()); }

    float m_resistance = 1000; // ohms
    float m_ratedPower = 2.0f; // watts
};

} // namespace ampera
