#include "slide_rheostat.h"

#include "document/keydoc.h"

#include <cmath>
#include <utility>

namespace ampera {

const CDeviceKind CSlideRheostat::kKind{
    .typeCode = TYPE_SLIDE_RHEOSTAT,
    .category = CATEGORY_RESISTANCE,
    .namePrefix = "Rx",
    .bodyPicture = "devpic\\resglide.tga",
    .body = geometry::kRheostat,
    .propertyGroup = GROUP_PASSIVE,
    .bar = {BAR_BASIC, 2, "滑动变阻器", "滑动变阻器.bmp"},
    .symbols = OneSymbol({"abstract\\glide.bmp", -5, 0, 5, -10}),
};
const char* const CSlideRheostat::kBurntWarning = "当前电路有个滑动变阻器被烧毁";

namespace {
// A rectangle inside a w x h box, after the box is turned a quarter to the
// left (counter-clockwise on the screen) or to the right; the turned box is
// h x w with its top-left corner at the origin again.
CPanelRect TurnInBox(const CPanelRect& r, float w, float h, bool left) {
    if (left) return {r.top, w - r.right, r.bottom, w - r.left};
    return {h - r.bottom, r.left, h - r.top, r.right};
}
CPanelRect Shift(const CPanelRect& r, float dx, float dy) {
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}
} // namespace

CSlideRheostat::CSlideRheostat() : CDevice(kKind) {
    m_boardGroup.itemsB.push_back(CDrawItem::Quad(0, 0, kSliderLength, kSliderBreadth, kSliderPicture));
    PlaceSlider(Shift(RelativeSlider(m_fraction), m_region[0], m_region[1]));
}

void CSlideRheostat::BuildBranches(CTopologyBuilder& b) {
    CCircuitNode* t0 = b.Terminal(0);
    CCircuitNode* t2 = b.Terminal(2);
    b.Between(t0, b.Terminal(1), BRANCH_RESISTOR, m_totalResistance * m_fraction);
    b.Between(t2, b.Terminal(3), BRANCH_RESISTOR, m_totalResistance * (1 - m_fraction));
    b.Between(t0, t2, BRANCH_RESISTOR, kWireResistance); // the slider's contact
}

void CSlideRheostat::Update(const CUpdateContext& context) {
    m_panelGroup.itemsA.clear();
    m_boardGroup.itemsA.clear();
    const CBranchResult* result = FirstResult();
    if (!result) return;
    // The average power in the part the current flows through (r.m.s. current
    // in a sine circuit). Only a power above the rating burns the rheostat; a
    // NaN power passes.
    const double i = result->m_elec.HeatingMagnitude();
    WarnIfOverRating(context, i * i * (m_totalResistance * m_fraction), m_ratedPower, kBurntWarning,
                     RATING_EXCEEDED);
}

void CSlideRheostat::CopyRating(const CDevice& prototype) {
    if (auto* p = dynamic_cast<const CSlideRheostat*>(&prototype)) m_ratedPower = p->m_ratedPower;
}

void CSlideRheostat::SetRegion(float left, float top, float right, float bottom) {
    const float dx = left - m_region[0], dy = top - m_region[1];
    CDevice::SetRegion(left, top, right, bottom);
    PlaceSlider(Shift(m_slider, dx, dy));
}

CPanelRect CSlideRheostat::RelativeSlider(double fraction) const {
    const float along = kNearStop + static_cast<float>(fraction) * kTravel;
    CPanelRect r{along, kCrossOffset, along + kSliderLength, kCrossOffset + kSliderBreadth};
    float w = static_cast<float>(Kind().body.width), h = static_cast<float>(Kind().body.height);
    for (int turned = 0; turned < m_angleLeft; turned += 90) {
        r = TurnInBox(r, w, h, true);
        std::swap(w, h);
    }
    return r;
}

// At 0 degrees the terminal-0/1 end is on the left; turning left brings it to
// the bottom, then the right, then the top. So the coordinate along the bar
// grows with the fraction at 0 and 270 degrees and shrinks at 90 and 180.
double CSlideRheostat::FractionAt(double travel) const {
    const bool forward = m_angleLeft == 0 || m_angleLeft == 270;
    return forward ? (travel - kNearStop) / kTravel : (kFarStop - travel) / kTravel;
}

void CSlideRheostat::DragSlider(float left, float top) {
    const bool alongX = AlongX();
    float pos = alongX ? left : top;
    const float origin = alongX ? m_region[0] : m_region[1];
    if (!std::isfinite(pos)) return;
    double travel;
    if (pos < origin + kNearStop) {
        pos = origin + kNearStop;
        travel = kNearStop;
    } else if (pos > origin + kFarStop) {
        pos = origin + kFarStop;
        travel = kFarStop;
    } else {
        travel = static_cast<double>(pos) - origin;
    }
    // Across the bar the slider keeps its whole-pixel place.
    if (alongX) {
        const float t = std::trunc(m_slider.top);
        PlaceSlider({pos, t, pos + kSliderLength, t + kSliderBreadth});
    } else {
        const float l = std::trunc(m_slider.left);
        PlaceSlider({l, pos, l + kSliderBreadth, pos + kSliderLength});
    }
    m_fraction = FractionAt(travel);
    MarkDirty();
}

void CSlideRheostat::RestoreSlider(float left, float top) {
    if (!std::isfinite(left) || !std::isfinite(top)) {
        PlaceSlider(Shift(RelativeSlider(m_fraction), m_region[0], m_region[1]));
        MarkDirty();
        return;
    }
    const bool alongX = AlongX();
    CPanelRect r = alongX ? CPanelRect{left, top, left + kSliderLength, top + kSliderBreadth}
                          : CPanelRect{left, top, left + kSliderBreadth, top + kSliderLength};
    PlaceSlider(r);
    // Re-use the drag rule: it clamps to the stops and derives the fraction.
    DragSlider(left, top);
}

void CSlideRheostat::AfterTurn(int quarterLeft) {
    // SetRegion carried the slider along with the region's corner, so its
    // offset from the corner is still the one from before the turn; turn that
    // offset inside the old box, whose size is the new one swapped.
    const float oldW = m_region[3] - m_region[1], oldH = m_region[2] - m_region[0];
    const CPanelRect before = Shift(m_slider, -m_region[0], -m_region[1]);
    const CPanelRect after = TurnInBox(before, oldW, oldH, quarterLeft == 1);
    PlaceSlider(Shift(after, m_region[0], m_region[1]));
}

void CSlideRheostat::PlaceSlider(const CPanelRect& r) {
    m_slider = r;
    if (m_boardGroup.itemsB.size() < 2) return;
    CDrawItem& item = m_boardGroup.itemsB[1];
    item.SetRect(r.left, r.top, r.right, r.bottom);
    const std::string picture = PictureAtAngle(kSliderPicture);
    if (item.texture != picture) {
        item.texture = picture;
        item.Redraw();
    }
}

void CSlideRheostat::Persist(CKeyDoc& doc, bool loading, const std::string& prefix) {
    Keep(doc, loading, prefix + ":TOTALRESISTANCE", m_totalResistance);
    PersistPlaceAndIdentity(doc, loading, prefix);
    // The slider's corner is read as written, with its fraction, so a slider
    // that was never dragged keeps its exact middle place.
    float top = m_slider.top, left = m_slider.left;
    Keep(doc, loading, prefix + ":GLIDTOP", top);
    Keep(doc, loading, prefix + ":GLIDLEFT", left);
    if (loading) RestoreSlider(left, top);
}

void CSlideRheostat::FillPropertyPage(CPropertyPage& page) {
    page.window = {0, 0, 250, 320};
    page.AddText({20, 50, 270, 70}, "名称 ");
    page.AddText({20, 80, 390, 100}, "电阻总值  ");
    page.AddText({170, 80, 250, 100}, "Ω");
    page.AddText({20, 105, 270, 145}, "填写范围：100-999999整数");
    page.AddIntEdit({90, 80, 170, 100}, std::to_string(m_totalResistance), &m_totalResistance, 100, 999999);
    page.AddTextEdit({90, 50, 170, 70}, m_name, &m_name);
    page.AddUsageText(
        {10, 10, 230, 300},
        "滑动变阻器：电阻值可在一定的范围内变化，一般有三个端子：两个固定端、一个滑动端。"
        "滑动端的滑片压在电阻体上，可在两个固定端之间来回滑动，滑动端与固定端之间的电阻值随滑片的位置而改变。"
        "在实验区用鼠标拖动滑片即可改变接入电路的电阻值。\n\n"
        "使用时通过变阻器的电流不能过大，否则变阻器会被烧毁。\n\n"
        "可利用参数设置页改变滑动变阻器的名称和总阻值。");
}

// The label shows where the slider stands, in whole percent.
std::string CSlideRheostat::LabelValue() const {
    return std::to_string(static_cast<long long>(std::trunc(m_fraction * 100))) + "%";
}

bool CSlideRheostat::OperatesAt(int x, int y) const {
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    return m_slider.left < fx && fx < m_slider.right && m_slider.top < fy && fy < m_slider.bottom;
}

void CSlideRheostat::FollowPreview(float x, float y, float halfHeight) {
    if (m_boardGroup.itemsB.size() < 2) return;
    m_boardGroup.itemsB[1].SetRect(x - 7, y - halfHeight - 1, x + 8, y - halfHeight + 30);
}

} // namespace ampera
