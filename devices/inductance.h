// Inductor, in henries.
#pragma once

#include "device.h"

namespace ampera {

class CInductance : public CDevice {
  public:
    void Persist(CKeyDoc& doc, bool loading, const std::string& prefix) override;
    static const CDeviceKind kKind;
    static const char* const kBurntWarning;
    CInductance() : CDevice(kKind) {}
    void FillPropertyPage(CPropertyPage& page) override;
    std::string LabelValue() const override;

    // Burns out when the current through it exceeds its rating.
    void Update(const CUpdateContext& context) override;
    double GetValue() const override { return m_inductance; }
    void BuildBranches(CTopologyBuilder& b) override { b.OverTerminals(BRANCH_INDUCTOR, m_inductance); }
    void CopyRating(const CDevice& prototype) override;

    float m_inductance = 2;      // henries
    float m_ratedCurrent = 1.0f; // amperes
};

} // namespace ampera
