// Decade resistance box: six knobs of 0-9 for x1 ... x100000 ohms.
#pragma once

#include "device.h"
#include "panel_control.h"

#include <array>
#include <vector>

namespace ampera {

class CResistanceBox : public CDevice {
  public:
    void Persist(CKeyDoc& doc, bool loading, const std::string& prefix) override;
    static const CDeviceKind kKind;
    static constexpr const char* kPanelPicture = "devpic\\panal\\resbox.tga";
    CResistanceBox();
    void FillPropertyPage(CPropertyPage& page) override;
    std::string LabelValue() const override;

    // Sum of position x weight over the decades, in ohms.
    double GetKnobValue() const;
    void BuildBranches(CTopologyBuilder& b) override { b.OverTerminals(BRANCH_RESISTOR, GetKnobValue()); }

    std::array<CKnob, 6> m_decades; // x1, x10, x100, x1000, x10000, x100000
};

// Shared by both decade boxes: makes `knob` a decade knob at `position` and
// appends it to a panel. The knob is drawn as a needle cut from the panel sheet, 9 x 58 pixels, centred over
// the knob at x from knob left + 36 and y from `needleTop`; every knob after
// the first is preceded by a hidden placeholder item, so the needles sit at
// panel items 1, 3, 5, ... The knob is a full circle of ten positions that
// also wraps downwards, and its needle is turned to its position.
void AddDecadeKnob(CSpriteGroup& panel, std::vector<CPanelControl*>& controls, CKnob& knob, CPanelRect hit,
                   float needleTop, int position);

} // namespace ampera
