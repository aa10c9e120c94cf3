// Digital multimeter: 32 knob positions over DC and AC volts and amps and
// ohms. On the ohm ranges it drives its own 2 V test source.
#pragma once

#include "display.h"
#include "meter_format.h"

namespace ampera {

class CMultimeter : public CDigitalMeter {
  public:
    static const CDeviceKind kKind;
    static constexpr double kVoltmeterResistance = 1e7;
    static constexpr double kOhmmeterSource = 2.0;
    // A shown value stays at least this long before it may read a step off.
    static constexpr int kJitterHoldMs = 1000;
    CMultimeter();
    void FillPropertyPage(CPropertyPage& page) override;
    std::optional<CSymbol> Symbol() const override;

    bool IsVoltageRange() const { return (Range() >= 0 && Range() <= 4) || (Range() >= 9 && Range() <= 13); }
    bool IsResistanceRange() const { return Range() >= 25 && Range() <= 31; }
    // 1e7 ohms on a voltage range, 1e-4 ohms on any other.
    double GetValue() const override { return IsVoltageRange() ? kVoltmeterResistance : kShuntResistance; }
    void BuildBranches(CTopologyBuilder& b) override;
    void Update(const CUpdateContext& context) override;
    const CMeterRange* ShownRange() const override { return MultimeterRange(Range()); }

    float m_lastResistance = 0;
    long long m_lastChange = 0; // ms; one jitter timer for the whole meter
    // Held display values (base units) of the DC current, DC voltage and AC
    // readings, each with the exact value it was drawn around.
    CHeldReading m_heldCurrent, m_heldVoltage, m_heldAC;

  private:
    // The reading to show for `value` on `range`: exact, or the held jittered
    // value while the reading lies in the range's jitter band.
    float Jittered(CHeldReading& held, const CMeterRange& range, float value, long long now);
    int m_heldRange = -1; // the range the held values belong to
};

} // namespace ampera
