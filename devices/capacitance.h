// Capacitor; its value is set in microfarads.
#pragma once

#include "device.h"

namespace ampera {

class CCapacitance : public CDevice {
  public:
    void Persist(CKeyDoc& doc, bool loading, const std::string& prefix) override;
    static const CDeviceKind kKind;
    static const char* const kBurntWarning;
    CCapacitance() : CDevice(kKind) {}
    void FillPropertyPage(CPropertyPage& page) override;
    std::string LabelValue() const override;

    // Burns out when the voltage across it exceeds its rating.
    void Update(const CUpdateContext& context) override;
    double GetValue() const override { return m_capacitance; }
    void BuildBranches(CTopologyBuilder& b) override {
        b.OverTerminals(BRANCH_CAPACITOR, m_capacitance * 1e-6);
    }
    void CopyRating(const CDevice& prototype) override;

    float m_capacitance = 10;   // microfarads
    float m_ratedVoltage = 400; // volts
};

} // namespace ampera
