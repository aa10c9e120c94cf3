#include "single_switch.h"

#include "document/keydoc.h"

namespace ampera {

const CDeviceKind CSingleSwitch::kKind{
    .typeCode = TYPE_SINGLE_SWITCH,
    .category = CATEGORY_SWITCH,
    .namePrefix = "单刀开关",
    .bodyPicture = kOpenPicture,
    .body = geometry::kSingleSwitch,
    .propertyGroup = GROUP_PASSIVE,
    .selectionHint = kSwitchHint,
    .bar = {BAR_SWITCHES, 0, "单刀开关", "单刀开关.bmp"},
    .symbols = TurnedSymbols(
        {"abstract\\singleswitch.bmp", -5, 0, 5, 0}, {"abstract\\singleswitch90.bmp", 23, -5, 22, 5},
        {"abstract\\singleswitch90.bmp", -5, -6, 0, 5}, {"abstract\\singleswitch.bmp", 0, -22, 5, -22}),
};

// The blade lies 57 pixels from the hinge end of the picture and 20 from the
// contact end; as the switch turns, those two ends turn with it.
bool CSingleSwitch::InBladeZone(int px, int py) const {
    const float x = static_cast<float>(px), y = static_cast<float>(py);
    const float l = m_region[0], t = m_region[1], r = m_region[2], b = m_region[3];
    switch (m_angleLeft) {
    case 0: {
        const float reach = IsClosed() ? 0.0f : 10.0f;
        return l + 57 < x && x < r - 20 && t - reach < y && y < b + reach;
    }
    case 90:
        return l < x && x < r && t + 20 < y && y < b - 57;
    case 180:
        return l + 20 < x && x < r - 57 && t < y && y < b;
    case 270:
        return l < x && x < r && t + 57 < y && y < b - 20;
    default:
        return false;
    }
}

bool CSingleSwitch::DoubleClick(int x, int y) {
    if (!InBladeZone(x, y)) return false;
    m_state = IsClosed() ? 0 : 1;
    RefreshBody();
    Body().flags |= DRAW_RELOAD | DRAW_SUBMITTED;
    MarkDirty();
    return true;
}

void CSingleSwitch::Persist(CKeyDoc& doc, bool loading, const std::string& prefix) {
    if (loading) {
        Keep(doc, true, prefix + ":VALUE", m_state);
        m_state = m_state == 1 ? 1 : 0;
    }
    PersistPlaceAndIdentity(doc, loading, prefix);
    if (!loading) Keep(doc, false, prefix + ":VALUE", m_state);
}

void CSingleSwitch::FillPropertyPage(CPropertyPage& page) {
    page.window = {0, 0, 300, 250};
    page.AddText({10, 10, 250, 80},
                 "单刀单置开关：一种能将电路接通或断开的器件，一般可由下式定义：｛R = 0(闭合);R "
                 "=∞(断开)｝。无面板操作，也无参数设置。");
    page.AddUsageText({10, 10, 230, 200}, "单刀单置开关直接在实验区操作。在接口附近双击闭合,再次双击断开。");
}

std::optional<CSymbol> CSingleSwitch::Symbol() const {
    if (!IsClosed()) return CDevice::Symbol();
    const SymbolOrientation o = OrientationOf(m_angleLeft, m_angleRight);
    const bool sideways = o == ORIENT_TURNED_LEFT || o == ORIENT_TURNED_RIGHT;
    return SymbolWith(sideways ? "abstract\\singleswitch_close90.bmp" : "abstract\\singleswitch_close.bmp");
}

} // namespace ampera
