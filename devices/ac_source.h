// AC voltage source: a 50 Hz sine of 0-20 V peak set like the DC source,
// behind its internal resistance.
#pragma once

#include "dc_source.h"

namespace ampera {

class CACSource : public CKnobSource {
  public:
    static const CDeviceKind kKind;
    static constexpr double kFrequency = 50.0;
    CACSource();
    void FillPropertyPage(CPropertyPage& page) override;

    // The peak amplitude of the sine: the set value.
    double GetAmplitude() { return GetKnobValue(); }
    void BuildBranches(CTopologyBuilder& b) override;
};

} // namespace ampera
