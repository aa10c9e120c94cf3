// Digital DC voltmeter: five ranges from 200 mV to 1000 V.
#pragma once

#include "meter_format.h"

namespace ampera {

class CDCVoltmeter : public CDigitalMeter {
  public:
    static const CDeviceKind kKind;
    CDCVoltmeter();
    void FillPropertyPage(CPropertyPage& page) override;

    void BuildBranches(CTopologyBuilder& b) override {
        if (IsPowered()) b.OverTerminals(BRANCH_RESISTOR, m_internalResistance);
    }
    void Update(const CUpdateContext& context) override;
};

} // namespace ampera
