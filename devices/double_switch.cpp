#include "double_switch.h"

#include "document/keydoc.h"

namespace ampera {

const CDeviceKind CDoubleSwitch::kKind{
    .typeCode = TYPE_DOUBLE_SWITCH,
    .category = CATEGORY_SWITCH,
    .namePrefix = "双刀开关",
    .bodyPicture = kOpenPicture,
    .body = geometry::kDoubleSwitch,
    .propertyGroup = GROUP_PASSIVE,
    .selectionHint = kSwitchHint,
    .bar = {BAR_SWITCHES, 1, "双刀开关", "双刀开关.bmp"},
    .symbols = TurnedSymbols(
        {"abstract\\hdoubleswitch.bmp", -5, 10, 5, 10}, {"abstract\\hdoubleswitch90.bmp", 3, -6, 6, 6},
        {"abstract\\hdoubleswitch90.bmp", -15, -6, -8, 6}, {"abstract\\hdoubleswitch180.bmp", -5, -5, 7, -5}),
};

std::string CDoubleSwitch::BodyPictureBase() const {
    return m_state == 1 ? kFirstPicture : m_state == 2 ? kSecondPicture : kOpenPicture;
}

// Each contact zone is 15 to 45 pixels inside one end of the long side. The
// terminal-0 end is on the left at 0 degrees and, as the switch turns left,
// comes to the bottom, the right and the top.
int CDoubleSwitch::ContactAt(int px, int py) const {
    const float x = static_cast<float>(px), y = static_cast<float>(py);
    const float l = m_region[0], t = m_region[1], r = m_region[2], b = m_region[3];
    const bool alongX = m_angleLeft == 0 || m_angleLeft == 180;
    if (alongX ? !(t < y && y < b) : !(l < x && x < r)) return 0;
    const float c = alongX ? x : y;
    const float low = alongX ? l : t, high = alongX ? r : b;
    const bool nearLow = low + 15 < c && c < low + 45;
    const bool nearHigh = high - 45 < c && c < high - 15;
    if (!nearLow && !nearHigh) return 0;
    // Which end is terminal 0's: the low end at 0 and 270 degrees.
    const bool firstAtLow = m_angleLeft == 0 || m_angleLeft == 270;
    return nearLow == firstAtLow ? 1 : 2;
}

bool CDoubleSwitch::DoubleClick(int x, int y) {
    const int contact = ContactAt(x, y);
    if (contact == 0) return false;
    m_state = m_state == contact ? 0 : contact;
    RefreshBody();
    Body().flags |= DRAW_RELOAD | DRAW_SUBMITTED;
    MarkDirty();
    return true;
}

void CDoubleSwitch::Persist(CKeyDoc& doc, bool loading, const std::string& prefix) {
    if (loading) {
        Keep(doc, true, prefix + ":VALUE", m_state);
        if (m_state < 0 || m_state > 2) m_state = 0;
    }
    PersistPlaceAndIdentity(doc, loading, prefix);
    if (!loading) Keep(doc, false, prefix + ":VALUE", m_state);
}

void CDoubleSwitch::FillPropertyPage(CPropertyPage& page) {
    page.window = {0, 0, 300, 250};
    page.AddText({10, 10, 250, 80},
                 "单刀双置开关：有三个端口的开关，可控制电路的接通或断开。无面板操作，也无参数设置。");
    page.AddUsageText({10, 10, 230, 200},
                      "单刀双置开关直接在实验区操作。在任意一个接口附近双击，该处闭合，再次双击断开。 ");
}

// The symbol shows which side the blades are thrown to (state 1 left, 2 right).
std::optional<CSymbol> CDoubleSwitch::Symbol() const {
    static const char* const kSide[3] = {"abstract\\hdoubleswitch90.bmp",
                                         "abstract\\hdoubleswitch_left90.bmp",
                                         "abstract\\hdoubleswitch_right90.bmp"};
    static const char* const kDown[3] = {"abstract\\hdoubleswitch180.bmp",
                                         "abstract\\hdoubleswitch_left180.bmp",
                                         "abstract\\hdoubleswitch_right180.bmp"};
    static const char* const kUp[3] = {"abstract\\hdoubleswitch.bmp", "abstract\\hdoubleswitch_left.bmp",
                                       "abstract\\hdoubleswitch_right.bmp"};
    const int state = m_state == 1 || m_state == 2 ? m_state : 0;
    switch (OrientationOf(m_angleLeft, m_angleRight)) {
    case ORIENT_TURNED_LEFT:
    case ORIENT_TURNED_RIGHT:
        return SymbolWith(kSide[state]);
    case ORIENT_UPSIDE_DOWN:
        return SymbolWith(kDown[state]);
    default:
        return SymbolWith(kUp[state]);
    }
}

} // namespace ampera
