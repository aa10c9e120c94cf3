// AC millivoltmeter: five ranges from 40 mV to 400 V r.m.s.; it always loads
// the circuit with 10 megohms.
#pragma once

#include "meter_format.h"

namespace ampera {

class CACMillivoltmeter : public CDigitalMeter {
  public:
    static const CDeviceKind kKind;
    static constexpr double kInputResistance = 1e7;
    CACMillivoltmeter();
    void FillPropertyPage(CPropertyPage& page) override;

    void BuildBranches(CTopologyBuilder& b) override {
        if (IsPowered()) b.OverTerminals(BRANCH_RESISTOR, kInputResistance);
    }
    void Update(const CUpdateContext& context) override;
    const CMeterRange* ShownRange() const override { return MillivoltmeterRange(Range()); }
};

} // namespace ampera
