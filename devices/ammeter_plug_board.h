// Ammeter plug board: a 1e-4 ohm link that the digital ammeter plugs into.
// A plugged ammeter reads the link's current, so plugging one in or pulling
// it out never changes the circuit's wiring.
#pragma once

#include "device.h"

namespace ampera {

class CAmmeterPlugBoard : public CDevice {
  public:
    static const CDeviceKind kKind;
    CAmmeterPlugBoard() : CDevice(kKind) {}
    void FillPropertyPage(CPropertyPage& page) override;
    std::optional<CSymbol> Symbol() const override;

    void BuildBranches(CTopologyBuilder& b) override { b.OverTerminals(BRANCH_RESISTOR, kShuntResistance); }

    bool IsOccupied() const { return m_ammeter != nullptr; }
    // Whether `device` is a plug board of `experiment` that holds an ammeter
    // still on that board and plugged into it.
    static bool Holds(const CExperiment& experiment, const CDevice& device);

    CDevice* m_ammeter =
        nullptr; // the digital ammeter plugged in, if any (set and cleared by the board view)
};

} // namespace ampera
