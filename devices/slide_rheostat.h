// Sliding rheostat: a coil between terminals 1 and 3 and a slider bar between
// terminals 0 and 2; the slider divides the coil at its fraction.
#pragma once

#include "device.h"

namespace ampera {

class CSlideRheostat : public CDevice {
public:
    static const CDeviceKind kKind;
    CSlideRheostat() : CDevice(kKind) {}

    void BuildBranches(CTopologyBuilder& b) override;

    int m_totalResistance = 1000; // ohms
    double m_fraction = 0.5;      // slider place from the terminal-0 side, 0..1
    float m_ratedPower = 2.0f;    // watts
};

} // namespace ampera
