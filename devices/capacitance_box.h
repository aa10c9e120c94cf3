// Decade capacitance box: four knobs of 0-9 weighted 0.001, 0.01, 0.1 and 1.
// The total goes to the solver unchanged, as farads.
#pragma once

#include "device.h"
#include "panel_control.h"

#include <array>

namespace ampera {

class CCapacitanceBox : public CDevice {
  public:
    void Persist(CKeyDoc& doc, bool loading, const std::string& prefix) override;
    static const CDeviceKind kKind;
    static constexpr const char* kPanelPicture = "devpic\\panal\\capbox.tga";
    static const char* const kBurntWarning;
    // The current each decade's capacitors stand, in amperes, in decade order.
    static constexpr std::array<double, 4> kDecadeCurrentLimit{0.003, 0.015, 0.05, 0.15};
    CCapacitanceBox();
    void FillPropertyPage(CPropertyPage& page) override;
    std::string LabelValue() const override;

    // Every decade in use checks the current against its own limit (one
    // warning each), and the whole box checks the voltage.
    void Update(const CUpdateContext& context) override;
    // Also remembers the result as the box's current total.
    double GetKnobValue();
    void BuildBranches(CTopologyBuilder& b) override { b.OverTerminals(BRANCH_CAPACITOR, GetKnobValue()); }

    std::array<CKnob, 4> m_decades; // x0.001, x0.01, x0.1, x1
    float m_total = 0.002f;
    float m_ratedVoltage = 400;
};

} // namespace ampera
