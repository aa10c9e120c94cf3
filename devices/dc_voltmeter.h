// Digital DC voltmeter: five ranges from 200 mV to 1000 V.
#pragma once

#include "meter_format.h"

namespace ampera {

class CDCVoltmeter : public CDigitalMeter {
  public:
    static const CDeviceKind kKind;
    CDCVoltmeter();
    void FillPropertyPage(CPropertyPage& page) override;
    // The meter's keys, then its internal resistance (INRESISTANCE, ohms).
    void Persist(CKeyDoc& doc, bool loading, const std::string& prefix) override;

    void BuildBranches(CTopologyBuilder& b) override {
        if (IsPowered()) b.OverTerminals(BRANCH_RESISTOR, m_internalResistance);
    }
    void Update(const CUpdateContext& context) override;
    const CMeterRange* ShownRange() const override { return MultimeterRange(Range()); }
};

} // namespace ampera
