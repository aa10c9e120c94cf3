// Decade resistance box: six knobs of 0-9 for x1 ... x100000 ohms.
#pragma once

#include "device.h"
#include "panel_control.h"

#include <array>

namespace ampera {

class CResistanceBox : public CDevice {
public:
    static const CDeviceKind kKind;
    CResistanceBox();

    double GetKnobValue() const;
    void BuildBranches(CTopologyBuilder& b) override { b.OverTerminals(BRANCH_RESISTOR, GetKnobValue()); }

    std::array<CKnob, 6> m_decades; // x1, x10, x100, x1000, x10000, x100000
};

} // namespace ampera
