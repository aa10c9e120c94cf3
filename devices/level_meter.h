// Frequency-selective level meter: reads the voltage across its terminals at
// one selected frequency.
#pragma once

#include "device.h"
#include "panel_control.h"

#include <array>

namespace ampera {

class CLevelMeter : public CDevice {
public:
    static const CDeviceKind kKind;
    CLevelMeter();

    bool IsPowered() const { return m_power.IsOn(); }
    void BuildBranches(CTopologyBuilder& b) override {
        if (IsPowered()) b.OverTerminals(BRANCH_RESISTOR, m_internalResistance);
    }

    CKnob m_range;
    CKnob m_coarse;
    CKnob m_fine;
    CPanelButton* m_clicked = nullptr;
    std::array<CPanelButton, 4> m_bandButtons; // x1 MHz, x100 kHz, x10 kHz, x1 kHz
    CPanelButton m_power;
    float m_ratedCurrent = 1.0f;
};

} // namespace ampera
