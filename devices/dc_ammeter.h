// Digital DC ammeter: four ranges from 2 mA to 20 A.
#pragma once

#include "device.h"
#include "panel_control.h"

namespace ampera {

class CDCAmmeter : public CDevice {
public:
    static const CDeviceKind kKind;
    CDCAmmeter();

    int Range() const { return m_range.Position(); }
    bool IsPowered() const { return m_power.IsOn(); }
    void BuildBranches(CTopologyBuilder& b) override {
        if (IsPowered()) b.OverTerminals(BRANCH_RESISTOR, m_internalResistance);
    }

    CKnob m_range;
    CPanelButton m_power;
    CDevice* m_plugBoard = nullptr; // the plug board it is plugged into
};

} // namespace ampera
