// Fixed resistor.
#pragma once

#include "device.h"

namespace ampera {

class CResistance : public CDevice {
  public:
    void Persist(CKeyDoc& doc, bool loading, const std::string& prefix) override;
    static const CDeviceKind kKind;
    static const char* const kBurntWarning;
    CResistance() : CDevice(kKind) {}
    void FillPropertyPage(CPropertyPage& page) override;
    std::string LabelValue() const override;

    // Burns out when the power it dissipates exceeds its rating.
    void Update(const CUpdateContext& context) override;
    double GetValue() const override { return m_resistance; }
    void BuildBranches(CTopologyBuilder& b) override { b.OverTerminals(BRANCH_RESISTOR, GetValue()); }
    void CopyRating(const CDevice& prototype) override;

    float m_resistance = 1000; // ohms
    float m_ratedPower = 2.0f; // watts
};

} // namespace ampera
