// Digital galvanometer for weak DC currents, 200 uA to 200 mA; always a
// 1e-4 ohm shunt in the circuit.
#pragma once

#include "meter_format.h"

namespace ampera {

class CGalvanometer : public CDigitalMeter {
  public:
    static const CDeviceKind kKind;
    CGalvanometer();
    void FillPropertyPage(CPropertyPage& page) override;

    void BuildBranches(CTopologyBuilder& b) override {
        if (IsPowered()) b.OverTerminals(BRANCH_RESISTOR, kShuntResistance);
    }
    void Update(const CUpdateContext& context) override;
    const CMeterRange* ShownRange() const override { return GalvanometerRange(Range()); }
};

} // namespace ampera
