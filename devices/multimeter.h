// Digital multimeter: 32 knob positions over DC and AC volts and amps and
// ohms. On the ohm ranges it drives its own 2 V test source.
#pragma once

#include "device.h"
#include "panel_control.h"

namespace ampera {

class CMultimeter : public CDevice {
public:
    static const CDeviceKind kKind;
    static constexpr double kVoltmeterResistance = 1e7;
    static constexpr double kOhmmeterSource = 2.0;
    CMultimeter();

    int Range() const { return m_range.Position(); }
    bool IsVoltageRange() const { return (Range() >= 0 && Range() <= 4) || (Range() >= 9 && Range() <= 13); }
    bool IsResistanceRange() const { return Range() >= 25 && Range() <= 31; }
    // 1e7 ohms on a voltage range, 1e-4 ohms on any other.
    double GetValue() const override { return IsVoltageRange() ? kVoltmeterResistance : kShuntResistance; }
    bool IsPowered() const { return m_power.IsOn(); }
    void BuildBranches(CTopologyBuilder& b) override;

    CKnob m_range;
    CPanelButton m_power;
    float m_lastResistance = 0;
    int m_lastChange = 0;
    float m_heldCurrent = 0, m_heldVoltage = 0, m_heldAC = 0;
};

} // namespace ampera
