// Digital DC ammeter: four ranges from 2 mA to 20 A. Plugged into an ammeter
// plug board it reads the board's link instead of its own terminals.
#pragma once

#include "meter_format.h"

namespace ampera {

class CDCAmmeter : public CDigitalMeter {
  public:
    static const CDeviceKind kKind;
    CDCAmmeter();
    void FillPropertyPage(CPropertyPage& page) override;
    // The meter's keys, then its internal resistance (INRESISTANCE, ohms).
    void Persist(CKeyDoc& doc, bool loading, const std::string& prefix) override;
    std::optional<CSymbol> Symbol() const override;

    void BuildBranches(CTopologyBuilder& b) override {
        if (IsPowered()) b.OverTerminals(BRANCH_RESISTOR, m_internalResistance);
    }
    void Update(const CUpdateContext& context) override;
    const CMeterRange* ShownRange() const override;

    // The plug board whose current the meter reads now: the board it is
    // plugged into while that board is still placed and occupied; else null.
    const CComponent* ReadPlugBoard() const;

    CDevice* m_plugBoard = nullptr; // the plug board it is plugged into (set by the board view)
};

} // namespace ampera
