// Inductor, in henries.
#pragma once

#include "device.h"

namespace ampera {

class CInductance : public CDevice {
public:
    static const CDeviceKind kKind;
    CInductance() : CDevice(kKind) {}

    double GetValue() const override { return m_inductance; }
    void BuildBranches(CTopologyBuilder& b) override { b.OverTerminals(BRANCH_INDUCTOR, m_inductance); }

    float m_inductance = 2;       // henries
    float m_ratedCurrent = 1.0f;  // amperes
};

} // namespace ampera
