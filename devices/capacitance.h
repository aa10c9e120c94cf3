// Capacitor; its value is set in microfarads.
#pragma once

#include "device.h"

namespace ampera {

class CCapacitance : public CDevice {
public:
    static const CDeviceKind kKind;
    CCapacitance() : CDevice(kKind) {}

    double GetValue() const override { return m_capacitance; }
    void BuildBranches(CTopologyBuilder& b) override { b.OverTerminals(BRANCH_CAPACITOR, m_capacitance * 1e-6); }

    float m_capacitance = 10;     // microfarads
    float m_ratedVoltage = 400;   // volts
};

} // namespace ampera
