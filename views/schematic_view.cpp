#include "schematic_view.h"

#include "board_tools.h"
#include "renderer.h"

#include "devices/ammeter_plug_board.h"
#include "devices/dc_ammeter.h"
#include "devices/double_switch.h"
#include "devices/multimeter.h"
#include "devices/single_switch.h"

namespace ampera {

SymbolOrientation OrientationOf(int angleLeft, int angleRight) {
    if (angleRight == 90 || angleLeft == 270) return ORIENT_TURNED_RIGHT;
    if (angleLeft == 90 || angleRight == 270) return ORIENT_TURNED_LEFT;
    if (angleLeft == 180 || angleRight == 180) return ORIENT_UPSIDE_DOWN;
    return ORIENT_UPRIGHT;
}

namespace {

// The symbol rectangles are written as offsets from the device's region;
// they assume the board pictures' own sizes, so each symbol sits where its
// device's terminals are.
struct COffsets {
    float left, top, right, bottom;
};

CSymbol Make(const char* picture, const float region[4], COffsets d) {
    return {picture, {region[0] + d.left, region[1] + d.top, region[2] + d.right, region[3] + d.bottom}};
}

bool Sideways(SymbolOrientation o) {
    return o == ORIENT_TURNED_LEFT || o == ORIENT_TURNED_RIGHT;
}

// Multimeter symbols by range knob position: volts, amperes, ohms, other.
const char* MultimeterPicture(int position) {
    if (position >= 0 && position <= 4) return "abstract\\multimeter_v.bmp";
    if (position >= 5 && position <= 8) return "abstract\\multimeter_a.bmp";
    if (position >= 25 && position <= 31) return "abstract\\multimeter_r.bmp";
    return "abstract\\multimeter.bmp";
}

std::optional<CSymbol> SingleSwitchSymbol(const CSingleSwitch& s, SymbolOrientation o) {
    const float* r = s.m_region;
    const bool closed = s.IsClosed();
    const char* side = closed ? "abstract\\singleswitch_close90.bmp" : "abstract\\singleswitch90.bmp";
    const char* flat = closed ? "abstract\\singleswitch_close.bmp" : "abstract\\singleswitch.bmp";
    switch (o) {
    case ORIENT_TURNED_RIGHT:
        return Make(side, r, {-5, -6, 0, 5});
    case ORIENT_TURNED_LEFT:
        return Make(side, r, {23, -5, 22, 5});
    case ORIENT_UPSIDE_DOWN:
        return Make(flat, r, {0, -22, 5, -22});
    default:
        return Make(flat, r, {-5, 0, 5, 0});
    }
}

std::optional<CSymbol> DoubleSwitchSymbol(const CDoubleSwitch& s, SymbolOrientation o) {
    const float* r = s.m_region;
    const int state = s.m_state == 1 || s.m_state == 2 ? s.m_state : 0;
    static const char* const kSide[3] = {"abstract\\hdoubleswitch90.bmp",
                                         "abstract\\hdoubleswitch_left90.bmp",
                                         "abstract\\hdoubleswitch_right90.bmp"};
    static const char* const kDown[3] = {"abstract\\hdoubleswitch180.bmp",
                                         "abstract\\hdoubleswitch_left180.bmp",
                                         "abstract\\hdoubleswitch_right180.bmp"};
    static const char* const kUp[3] = {"abstract\\hdoubleswitch.bmp", "abstract\\hdoubleswitch_left.bmp",
                                       "abstract\\hdoubleswitch_right.bmp"};
    switch (o) {
    case ORIENT_TURNED_RIGHT:
        return Make(kSide[state], r, {-15, -6, -8, 6});
    case ORIENT_TURNED_LEFT:
        return Make(kSide[state], r, {3, -6, 6, 6});
    case ORIENT_UPSIDE_DOWN:
        return Make(kDown[state], r, {-5, -5, 7, -5});
    default:
        return Make(kUp[state], r, {-5, 10, 5, 10});
    }
}

// Plugged in, the ammeter sits on its plug board, which then draws the
// combined symbol; the ammeter's own symbol is blank.
bool AmmeterPlugged(const CDCAmmeter& ammeter) {
    return ammeter.ReadPlugBoard() != nullptr;
}

bool BoardHoldsAmmeter(const CAmmeterPlugBoard& board) {
    const CExperiment* experiment = board.Experiment();
    return experiment && HoldsAmmeter(*experiment, board);
}

} // namespace

std::optional<CSymbol> SymbolOf(const CComponent& component) {
    const auto* device = dynamic_cast<const CDevice*>(&component);
    if (!device) return std::nullopt;
    const float* r = device->m_region;
    const SymbolOrientation o = OrientationOf(device->m_angleLeft, device->m_angleRight);
    switch (device->TypeCode()) {
    case TYPE_RESISTANCE:
        return Sideways(o) ? Make("abstract\\res90.bmp", r, {0, -6, 20, 6})
                           : Make("abstract\\res.bmp", r, {-6, 1, 6, 21});
    case TYPE_SLIDE_RHEOSTAT:
        return Make("abstract\\glide.bmp", r, {-5, 0, 5, -10});
    case TYPE_RESISTANCE_BOX:
        switch (o) {
        case ORIENT_TURNED_RIGHT:
            return Make("abstract\\resbox270.bmp", r, {86, 50, 40, -50});
        case ORIENT_TURNED_LEFT:
            return Make("abstract\\resbox90.bmp", r, {-52, 50, -82, -50});
        case ORIENT_UPSIDE_DOWN:
            return Make("abstract\\resbox.bmp", r, {25, 88, -25, 40});
        default:
            return Make("abstract\\resbox.bmp", r, {49, -29, -49, -80});
        }
    case TYPE_MULTIMETER:
        return Make(MultimeterPicture(static_cast<const CMultimeter*>(device)->Range()), r, {6, 82, -10, 77});
    case TYPE_OSCILLOSCOPE:
        return Make("abstract\\osc_little.bmp", r, {12, 10, 20, 20});
    case TYPE_DC_SOURCE:
        return Make("abstract\\ele.bmp", r, {-25, 74, -23, 64});
    case TYPE_SINGLE_SWITCH:
        return SingleSwitchSymbol(*static_cast<const CSingleSwitch*>(device), o);
    case TYPE_DOUBLE_SWITCH:
        return DoubleSwitchSymbol(*static_cast<const CDoubleSwitch*>(device), o);
    case TYPE_INDUCTANCE:
        switch (o) {
        case ORIENT_TURNED_RIGHT:
            return Make("abstract\\ind90.bmp", r, {26, 13, 25, -19});
        case ORIENT_TURNED_LEFT:
            return Make("abstract\\ind90.bmp", r, {-52, 20, -50, -11});
        case ORIENT_UPSIDE_DOWN:
            return Make("abstract\\ind.bmp", r, {11, 54, 11, 43});
        default:
            return Make("abstract\\ind.bmp", r, {11, -30, -18, -20});
        }
    case TYPE_SIGNAL_GENERATOR:
        return Make("abstract\\sig.bmp", r, {-25, 40, -25, 40});
    case TYPE_CAPACITANCE:
        switch (o) {
        case ORIENT_TURNED_RIGHT:
            return Make("abstract\\cap90.bmp", r, {-20, 4, 0, -5});
        case ORIENT_TURNED_LEFT:
            return Make("abstract\\cap270.bmp", r, {20, 4, 15, -3});
        case ORIENT_UPSIDE_DOWN:
            return Make("abstract\\cap.bmp", r, {0, -43, 0, -43});
        default:
            return Make("abstract\\cap.bmp", r, {2, 10, -2, 23});
        }
    case TYPE_CAPACITANCE_BOX:
        return Make("abstract\\cap-box.bmp", r, {24, -63, -22, -63});
    case TYPE_DIODE:
        return Make("abstract\\diode.bmp", r, {-18, -16, 32, 16});
    case TYPE_AC_SOURCE:
        return Make("abstract\\ac-ele.bmp", r, {-26, 88, -21, 50});
    case TYPE_DC_VOLTMETER:
        return Make("abstract\\multimeter_v.bmp", r, {5, 73, -8, 68});
    case TYPE_DC_AMMETER:
        return Make(AmmeterPlugged(*static_cast<const CDCAmmeter*>(device)) ? "abstract\\hide.bmp"
                                                                            : "abstract\\multimeter_a.bmp",
                    r, {5, 73, -8, 68});
    case TYPE_AC_MILLIVOLTMETER:
        return Make("abstract\\mv-meter.bmp", r, {2, 15, -62, 71});
    case TYPE_GALVANOMETER:
        return Make("abstract\\G.bmp", r, {2, 15, -62, 71});
    case TYPE_LEVEL_METER:
        return Make("abstract\\fre.bmp", r, {-30, 46, -30, 46});
    case TYPE_AMMETER_PLUG_BOARD:
        return Make(BoardHoldsAmmeter(*static_cast<const CAmmeterPlugBoard*>(device))
                        ? "abstract\\boade_plug1.bmp"
                        : "abstract\\boade.bmp",
                    r, {-5, -19, 5, 4});
    default:
        return std::nullopt;
    }
}

void CSchematicView::Paint(CRenderer& renderer, const CExperiment& experiment) {
    m_group.itemsA.clear();
    m_group.itemsB.resize(1);
    for (CComponent* component : experiment.Devices()) {
        const std::optional<CSymbol> symbol = SymbolOf(*component);
        if (!symbol) continue;
        CDrawItem& item = m_group.itemsB.front();
        item = CDrawItem{};
        item.flags = kSymbolFlags;
        item.colour = kSymbolTint;
        item.texture = symbol->picture;
        item.SetRect(symbol->rect.left, symbol->rect.top, symbol->rect.right, symbol->rect.bottom);
        renderer.DrawGroup(m_group);
    }

    m_group.itemsB.clear();
    for (CComponent* object : experiment.Wires()) {
        const auto* wire = static_cast<const CWire*>(object);
        for (std::size_t i = 0; i + 1 < wire->m_points.size(); ++i) {
            CDrawItem line;
            line.flags = kSymbolWireFlags;
            line.colour = 0;
            line.SetRect(static_cast<float>(wire->m_points[i].x), static_cast<float>(wire->m_points[i].y),
                         static_cast<float>(wire->m_points[i + 1].x),
                         static_cast<float>(wire->m_points[i + 1].y));
            m_group.itemsB.push_back(std::move(line));
        }
    }
    if (!m_group.itemsB.empty()) renderer.DrawGroup(m_group);
}

} // namespace ampera
