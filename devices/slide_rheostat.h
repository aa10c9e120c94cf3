// Sliding rheostat: a coil between terminals 1 and 3 and a slider bar between
// terminals 0 and 2; the slider divides the coil at its fraction.
//
// The slider is a second board picture (board item 1) that travels 47 pixels
// along the bar, between stops 13 and 60 pixels inside the region's edge. Its
// place and its fraction map linearly onto each other: the stop next to the
// terminal-0/1 end is fraction 0, the other stop fraction 1, at every angle.
#pragma once

#include "device.h"

namespace ampera {

class CSlideRheostat : public CDevice {
  public:
    void Persist(CKeyDoc& doc, bool loading, const std::string& prefix) override;
    static const CDeviceKind kKind;
    static const char* const kBurntWarning;
    static constexpr const char* kSliderPicture = "devpic\\resglideflip.tga";
    static constexpr float kSliderLength = 15;  // along the bar
    static constexpr float kSliderBreadth = 31; // across the bar
    static constexpr float kNearStop = 13;      // slider's leading edge from the region edge at fraction 0
    static constexpr float kTravel = 47;        // pixels from fraction 0 to fraction 1
    static constexpr float kFarStop = kNearStop + kTravel;
    static constexpr float kCrossOffset = 5; // slider top below the region top at angle 0
    CSlideRheostat();
    void FillPropertyPage(CPropertyPage& page) override;
    std::string LabelValue() const override;
    bool OperatesAt(int x, int y) const override;
    void FollowPreview(float x, float y, float halfHeight) override;

    // Burns out when the part of the coil in use (terminals 0-1) dissipates
    // more than the rating.
    void Update(const CUpdateContext& context) override;
    void BuildBranches(CTopologyBuilder& b) override;
    void CopyRating(const CDevice& prototype) override;
    // The slider moves with the body.
    void SetRegion(float left, float top, float right, float bottom) override;

    // A drag of the slider: `left`, `top` is where the pointer asks the slider
    // picture's top-left corner to be (pointer minus grab offset). Only the
    // coordinate along the bar counts (x at 0 and 180 degrees, y at 90 and
    // 270); it stops at the two ends. Sets the fraction and marks the topology
    // dirty.
    void DragSlider(float left, float top);
    // After loading: the slider picture's saved top-left corner (GLIDLEFT,
    // GLIDTOP), given once the region's corner and the angle are known.
    // Rebuilds the slider rectangle and the fraction from it, by the same
    // mapping as a drag; a place beyond a stop is moved to the stop.
    void RestoreSlider(float left, float top);
    const CDrawItem& SliderItem() const { return m_boardGroup.itemsB.at(1); }

    int m_totalResistance = 1000; // ohms
    double m_fraction = 0.5;      // slider place from the terminal-0 side, 0..1
    float m_ratedPower = 2.0f;    // watts
    CPanelRect m_slider;          // slider picture on the board (left, top persisted as GLIDLEFT, GLIDTOP)

  protected:
    void AfterTurn(int quarterLeft) override;

  private:
    bool AlongX() const { return m_angleLeft == 0 || m_angleLeft == 180; }
    // The slider rectangle for `fraction` at the current angle, relative to
    // the region's top-left corner.
    CPanelRect RelativeSlider(double fraction) const;
    double FractionAt(double travel) const;
    void PlaceSlider(const CPanelRect& r);
};

} // namespace ampera
