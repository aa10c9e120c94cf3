// The symbol diagram: which symbol each device shows in which orientation and
// state, where it goes, and what the board view submits in the symbol view.
#include "board_test_fixture.h"
#include "schematic_view.h"

#include "devices/ammeter_plug_board.h"
#include "devices/dc_ammeter.h"
#include "devices/double_switch.h"
#include "devices/multimeter.h"
#include "devices/resistance.h"
#include "devices/single_switch.h"

#include <functional>

namespace ampera::testing {
namespace {

TEST(SchematicTest, OrientationFromTheTwoAngles) {
    struct Case {
        int left, right;
        SymbolOrientation expected;
    };
    const Case cases[] = {
        {0, 0, ORIENT_UPRIGHT},         {90, 270, ORIENT_TURNED_LEFT}, {270, 90, ORIENT_TURNED_RIGHT},
        {180, 180, ORIENT_UPSIDE_DOWN}, {0, 90, ORIENT_TURNED_RIGHT},  {270, 0, ORIENT_TURNED_RIGHT},
        {90, 0, ORIENT_TURNED_LEFT},    {0, 270, ORIENT_TURNED_LEFT},  {180, 0, ORIENT_UPSIDE_DOWN},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OrientationOf(c.left, c.right), c.expected) << c.left << " / " << c.right;
}

// Angles as the device keeps them after turning.
void Orient(CDevice& d, SymbolOrientation o) {
    const int left[] = {0, 90, 270, 180};
    d.m_angleLeft = left[o];
    d.m_angleRight = (360 - d.m_angleLeft) % 360;
}

TEST(SchematicTest, SymbolsByKindOrientationAndState) {
    constexpr float L = 100, T = 200, R = 300, B = 260;
    using Setup = std::function<void(CDevice&)>;
    auto closed = [](CDevice& d) { static_cast<CSingleSwitch&>(d).m_state = 1; };
    auto thrown = [](int state) {
        return [state](CDevice& d) { static_cast<CDoubleSwitch&>(d).m_state = state; };
    };
    auto range = [](int p) {
        return [p](CDevice& d) { static_cast<CMultimeter&>(d).m_range.SetPosition(p); };
    };
    struct Case {
        int type;
        SymbolOrientation orientation;
        Setup setup;
        const char* picture;
        CRectF rect;
    };
    const Case cases[] = {
        {TYPE_RESISTANCE, ORIENT_UPRIGHT, {}, "abstract\\res.bmp", {L - 6, T + 1, R + 6, B + 21}},
        {TYPE_RESISTANCE, ORIENT_UPSIDE_DOWN, {}, "abstract\\res.bmp", {L - 6, T + 1, R + 6, B + 21}},
        {TYPE_RESISTANCE, ORIENT_TURNED_LEFT, {}, "abstract\\res90.bmp", {L, T - 6, R + 20, B + 6}},
        {TYPE_RESISTANCE, ORIENT_TURNED_RIGHT, {}, "abstract\\res90.bmp", {L, T - 6, R + 20, B + 6}},
        {TYPE_SLIDE_RHEOSTAT, ORIENT_TURNED_LEFT, {}, "abstract\\glide.bmp", {L - 5, T, R + 5, B - 10}},
        {TYPE_RESISTANCE_BOX,
         ORIENT_TURNED_RIGHT,
         {},
         "abstract\\resbox270.bmp",
         {L + 86, T + 50, R + 40, B - 50}},
        {TYPE_RESISTANCE_BOX,
         ORIENT_TURNED_LEFT,
         {},
         "abstract\\resbox90.bmp",
         {L - 52, T + 50, R - 82, B - 50}},
        {TYPE_RESISTANCE_BOX,
         ORIENT_UPSIDE_DOWN,
         {},
         "abstract\\resbox.bmp",
         {L + 25, T + 88, R - 25, B + 40}},
        {TYPE_RESISTANCE_BOX, ORIENT_UPRIGHT, {}, "abstract\\resbox.bmp", {L + 49, T - 29, R - 49, B - 80}},
        {TYPE_MULTIMETER,
         ORIENT_UPRIGHT,
         range(4),
         "abstract\\multimeter_v.bmp",
         {L + 6, T + 82, R - 10, B + 77}},
        {TYPE_MULTIMETER,
         ORIENT_UPRIGHT,
         range(5),
         "abstract\\multimeter_a.bmp",
         {L + 6, T + 82, R - 10, B + 77}},
        {TYPE_MULTIMETER,
         ORIENT_UPRIGHT,
         range(26),
         "abstract\\multimeter_r.bmp",
         {L + 6, T + 82, R - 10, B + 77}},
        {TYPE_MULTIMETER,
         ORIENT_UPRIGHT,
         range(9),
         "abstract\\multimeter.bmp",
         {L + 6, T + 82, R - 10, B + 77}},
        {TYPE_OSCILLOSCOPE, ORIENT_UPRIGHT, {}, "abstract\\osc_little.bmp", {L + 12, T + 10, R + 20, B + 20}},
        {TYPE_DC_SOURCE, ORIENT_TURNED_RIGHT, {}, "abstract\\ele.bmp", {L - 25, T + 74, R - 23, B + 64}},
        {TYPE_SINGLE_SWITCH,
         ORIENT_TURNED_LEFT,
         closed,
         "abstract\\singleswitch_close90.bmp",
         {L + 23, T - 5, R + 22, B + 5}},
        {TYPE_SINGLE_SWITCH,
         ORIENT_TURNED_RIGHT,
         {},
         "abstract\\singleswitch90.bmp",
         {L - 5, T - 6, R, B + 5}},
        {TYPE_SINGLE_SWITCH,
         ORIENT_UPSIDE_DOWN,
         closed,
         "abstract\\singleswitch_close.bmp",
         {L, T - 22, R + 5, B - 22}},
        {TYPE_SINGLE_SWITCH, ORIENT_UPRIGHT, {}, "abstract\\singleswitch.bmp", {L - 5, T, R + 5, B}},
        {TYPE_DOUBLE_SWITCH,
         ORIENT_TURNED_RIGHT,
         thrown(1),
         "abstract\\hdoubleswitch_left90.bmp",
         {L - 15, T - 6, R - 8, B + 6}},
        {TYPE_DOUBLE_SWITCH,
         ORIENT_TURNED_LEFT,
         thrown(0),
         "abstract\\hdoubleswitch90.bmp",
         {L + 3, T - 6, R + 6, B + 6}},
        {TYPE_DOUBLE_SWITCH,
         ORIENT_UPSIDE_DOWN,
         thrown(2),
         "abstract\\hdoubleswitch_right180.bmp",
         {L - 5, T - 5, R + 7, B - 5}},
        {TYPE_DOUBLE_SWITCH,
         ORIENT_UPRIGHT,
         thrown(2),
         "abstract\\hdoubleswitch_right.bmp",
         {L - 5, T + 10, R + 5, B + 10}},
        {TYPE_INDUCTANCE, ORIENT_TURNED_RIGHT, {}, "abstract\\ind90.bmp", {L + 26, T + 13, R + 25, B - 19}},
        {TYPE_INDUCTANCE, ORIENT_TURNED_LEFT, {}, "abstract\\ind90.bmp", {L - 52, T + 20, R - 50, B - 11}},
        {TYPE_INDUCTANCE, ORIENT_UPSIDE_DOWN, {}, "abstract\\ind.bmp", {L + 11, T + 54, R + 11, B + 43}},
        {TYPE_INDUCTANCE, ORIENT_UPRIGHT, {}, "abstract\\ind.bmp", {L + 11, T - 30, R - 18, B - 20}},
        {TYPE_SIGNAL_GENERATOR, ORIENT_UPRIGHT, {}, "abstract\\sig.bmp", {L - 25, T + 40, R - 25, B + 40}},
        {TYPE_CAPACITANCE, ORIENT_TURNED_RIGHT, {}, "abstract\\cap90.bmp", {L - 20, T + 4, R, B - 5}},
        {TYPE_CAPACITANCE, ORIENT_TURNED_LEFT, {}, "abstract\\cap270.bmp", {L + 20, T + 4, R + 15, B - 3}},
        {TYPE_CAPACITANCE, ORIENT_UPSIDE_DOWN, {}, "abstract\\cap.bmp", {L, T - 43, R, B - 43}},
        {TYPE_CAPACITANCE, ORIENT_UPRIGHT, {}, "abstract\\cap.bmp", {L + 2, T + 10, R - 2, B + 23}},
        {TYPE_CAPACITANCE_BOX, ORIENT_UPRIGHT, {}, "abstract\\cap-box.bmp", {L + 24, T - 63, R - 22, B - 63}},
        {TYPE_DIODE, ORIENT_TURNED_LEFT, {}, "abstract\\diode.bmp", {L - 18, T - 16, R + 32, B + 16}},
        {TYPE_AC_SOURCE, ORIENT_UPRIGHT, {}, "abstract\\ac-ele.bmp", {L - 26, T + 88, R - 21, B + 50}},
        {TYPE_DC_VOLTMETER, ORIENT_UPRIGHT, {}, "abstract\\multimeter_v.bmp", {L + 5, T + 73, R - 8, B + 68}},
        {TYPE_DC_AMMETER, ORIENT_UPRIGHT, {}, "abstract\\multimeter_a.bmp", {L + 5, T + 73, R - 8, B + 68}},
        {TYPE_AC_MILLIVOLTMETER,
         ORIENT_UPRIGHT,
         {},
         "abstract\\mv-meter.bmp",
         {L + 2, T + 15, R - 62, B + 71}},
        {TYPE_GALVANOMETER, ORIENT_UPRIGHT, {}, "abstract\\G.bmp", {L + 2, T + 15, R - 62, B + 71}},
        {TYPE_LEVEL_METER, ORIENT_UPRIGHT, {}, "abstract\\fre.bmp", {L - 30, T + 46, R - 30, B + 46}},
        {TYPE_AMMETER_PLUG_BOARD, ORIENT_UPRIGHT, {}, "abstract\\boade.bmp", {L - 5, T - 19, R + 5, B + 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.picture);
        std::unique_ptr<CComponent> made(CreateDevice(c.type));
        auto& device = static_cast<CDevice&>(*made);
        device.SetRegion(L, T, R, B);
        Orient(device, c.orientation);
        if (c.setup) c.setup(device);
        const std::optional<CSymbol> symbol = SymbolOf(device);
        ASSERT_TRUE(symbol);
        EXPECT_EQ(symbol->picture, c.picture);
        EXPECT_EQ(symbol->rect, c.rect);
    }
    for (int type : {TYPE_RESISTANCE_WIRE, TYPE_VOLTMETER, TYPE_AMMETER, TYPE_VERTICAL_DOUBLE_SWITCH}) {
        std::unique_ptr<CComponent> made(CreateDevice(type));
        EXPECT_FALSE(SymbolOf(*made)) << "type " << type << " has no symbol";
    }
    CNode node;
    EXPECT_FALSE(SymbolOf(node));
}

TEST(SchematicTest, APluggedAmmeterHidesAndItsBoardShowsThePluggedSymbol) {
    CExperiment ex;
    CAmmeterPlugBoard boardPrototype;
    CDCAmmeter ammeterPrototype;
    auto* board = static_cast<CAmmeterPlugBoard*>(boardPrototype.PlaceAt(ex, 300, 300));
    auto* ammeter = static_cast<CDCAmmeter*>(ammeterPrototype.PlaceAt(ex, 300, 200));
    board->m_ammeter = ammeter;
    ammeter->m_plugBoard = board;
    EXPECT_EQ(SymbolOf(*ammeter)->picture, "abstract\\hide.bmp");
    EXPECT_EQ(SymbolOf(*board)->picture, "abstract\\boade_plug1.bmp");

    ex.RemoveObject(ammeter); // deleted: the board is empty again
    EXPECT_EQ(SymbolOf(*board)->picture, "abstract\\boade.bmp");
    ex.ReinsertObject(ammeter);
    board->m_ammeter = nullptr;
    EXPECT_EQ(SymbolOf(*ammeter)->picture, "abstract\\multimeter_a.bmp") << "a board that let go";
}

TEST_F(BoardViewTest, TheSymbolViewSubmitsOneTintedSymbolPerDeviceAndBlackWireLines) {
    CResistance* a = Place<CResistance>(200, 200);
    CResistance* b = Place<CResistance>(200, 400);
    CWire* wire = ex.AddWire(T(a, 1), T(b, 1));
    wire->m_points.insert(wire->m_points.begin() + 1, CPoint{300, 200});
    wire->m_points.insert(wire->m_points.begin() + 2, CPoint{300, 400});
    CWire* stub = ex.AddWire(T(a, 0), T(b, 0));
    stub->m_points.resize(1); // a single point draws nothing
    ex.m_realView = 0;
    view.Paint(1);

    EXPECT_EQ(renderer.groups.size(), 3u) << "each symbol alone, then the wires";
    const std::vector<CDrawItem> symbols = renderer.ItemsWith("abstract\\res.bmp");
    ASSERT_EQ(symbols.size(), 2u);
    for (const CDrawItem& s : symbols) {
        EXPECT_EQ(s.flags, kSymbolFlags);
        EXPECT_EQ(s.colour, 0xFFFF00u);
        EXPECT_EQ(std::vector<float>(s.u, s.u + 4), (std::vector<float>{0, 1, 1, 0}));
        EXPECT_EQ(std::vector<float>(s.v, s.v + 4), (std::vector<float>{0, 0, 1, 1}));
    }
    EXPECT_EQ((CRectF{symbols[0].left, symbols[0].top, symbols[0].right, symbols[0].bottom}),
              (CRectF{143, 191, 257, 231}));

    const std::vector<CDrawItem> lines = renderer.Lines();
    ASSERT_EQ(lines.size(), 3u);
    const float expected[3][4] = {{257, 200, 300, 200}, {300, 200, 300, 400}, {300, 400, 257, 400}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(lines[i].flags, kSymbolWireFlags);
        EXPECT_EQ(lines[i].colour, 0u);
        EXPECT_EQ((std::vector<float>{lines[i].left, lines[i].top, lines[i].right, lines[i].bottom}),
                  std::vector<float>(expected[i], expected[i] + 4));
    }
}

TEST_F(BoardViewTest, AJunctionDotMarksEveryNodeWhereThreeOrMoreConnectionsMeet) {
    CResistance* a = Place<CResistance>(200, 200);
    CResistance* b = Place<CResistance>(200, 400);
    CResistance* c = Place<CResistance>(500, 300);
    // A terminal with two wires on it: three connections.
    ex.AddWire(T(a, 1), T(b, 1));
    ex.AddWire(T(a, 1), T(c, 0));
    // A free node joining three wire ends.
    auto* junction = new CNode();
    junction->SetPosition(400, 500);
    ex.AddObject(junction, false);
    for (CNode* end : {T(a, 0), T(b, 0), T(c, 1)})
        ex.AddWire(junction, end);
    // Every other node has its terminal and one wire: two connections.
    ex.m_realView = 0;
    view.Paint(1);

    // A dot is a stack of short black lines, one per row, centred on the
    // terminal point; wire segments are never that short here.
    std::vector<CDrawItem> dots;
    for (const CDrawItem& line : renderer.Lines())
        if (line.top == line.bottom && line.right - line.left <= 6) dots.push_back(line);
    const std::size_t rows = std::size(kJunctionDotRows);
    ASSERT_EQ(dots.size(), 2 * rows);
    const CPoint centres[] = {T(a, 1)->Position(), junction->Position()};
    for (std::size_t i = 0; i < dots.size(); ++i) {
        SCOPED_TRACE(i);
        const CDrawItem& line = dots[i];
        const float x = static_cast<float>(centres[i / rows].x), y = static_cast<float>(centres[i / rows].y);
        const float half = kJunctionDotRows[i % rows];
        const float row = y - static_cast<float>(rows / 2) + static_cast<float>(i % rows);
        EXPECT_EQ((CRectF{line.left, line.top, line.right, line.bottom}), (CRectF{x - half, row, x + half, row}));
        EXPECT_EQ(line.flags, kSymbolWireFlags);
        EXPECT_EQ(line.colour, 0u) << "black";
    }
}

TEST_F(BoardViewTest, ASymbolFollowsItsDeviceMovedInTheRealView) {
    Place<CResistance>(200, 200); // region (149, 190, 251, 210)
    ex.m_realView = 0;
    view.Paint(1);
    ASSERT_EQ(renderer.ItemsWith("abstract\\res.bmp").size(), 1u);
    EXPECT_EQ(renderer.ItemsWith("abstract\\res.bmp")[0].left, 143);

    ex.m_realView = 1;
    Drag(200, 200, 260, 240);
    ex.m_realView = 0;
    view.Paint(2);
    const CDrawItem symbol = renderer.ItemsWith("abstract\\res.bmp").at(0);
    EXPECT_EQ((CRectF{symbol.left, symbol.top, symbol.right, symbol.bottom}), (CRectF{203, 231, 317, 271}));
}

} // namespace
} // namespace ampera::testing
