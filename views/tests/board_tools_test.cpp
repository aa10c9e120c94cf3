// The board's tools driven by real event sequences through a real board view:
// wiring, moving, the rheostat slider, switches, plugging the ammeter,
// placing from the device bar, selection and pointer feedback.
#include "board_test_fixture.h"
#include "schematic_view.h"

#include "devices/ammeter_plug_board.h"
#include "devices/dc_ammeter.h"
#include "devices/dc_source.h"
#include "devices/double_switch.h"
#include "devices/resistance.h"
#include "devices/single_switch.h"
#include "devices/slide_rheostat.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

namespace ampera::testing {
namespace {

// Every segment of the wire is horizontal or vertical.
::testing::AssertionResult AxisParallel(const CWire& wire) {
    for (std::size_t i = 0; i + 1 < wire.m_points.size(); ++i) {
        const CPoint a = wire.m_points[i], b = wire.m_points[i + 1];
        if (a.x != b.x && a.y != b.y)
            return ::testing::AssertionFailure()
                   << "segment " << i << " from " << a << " to " << b << " is slanted";
    }
    return ::testing::AssertionSuccess();
}

// The wire's drawing shows its points.
void ExpectLinesFollowPoints(const CWire& wire) {
    const auto& items = wire.m_boardGroup.itemsB;
    ASSERT_EQ(items.size() + 1, wire.m_points.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].left, wire.m_points[i].x);
        EXPECT_EQ(items[i].top, wire.m_points[i].y);
        EXPECT_EQ(items[i].right, wire.m_points[i + 1].x);
        EXPECT_EQ(items[i].bottom, wire.m_points[i + 1].y);
    }
}

// --- wiring -------------------------------------------------------------------

TEST_F(BoardViewTest, AWireStartsOnlyStrictlyWithinFivePixelsOfANode) {
    CResistance* r = Place<CResistance>(300, 300);
    const CNode* node = T(r, 0); // left of the body, outside its region
    struct Case {
        int dx, dy;
        bool starts;
    };
    const Case cases[] = {{0, 0, true},  {4, 0, true},   {-4, 4, true}, {0, -4, true},
                          {5, 0, false}, {-5, 0, false}, {0, 5, false}, {4, -5, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.dx << ", " << c.dy);
        const std::size_t wires = ex.Wires().size();
        Send(EVENT_LEFT_DOWN, node->m_x + c.dx, node->m_y + c.dy);
        EXPECT_EQ(ex.Wires().size(), wires + (c.starts ? 1 : 0));
        EXPECT_EQ(view.Controller().InDefaultTool(), !c.starts);
        Send(EVENT_RIGHT_DOWN, 0, 0); // give the wire up again
        EXPECT_EQ(ex.Wires().size(), wires);
    }
}

TEST_F(BoardViewTest, AFinishedWireJoinsTwoNodesAlongStraightSegmentsAndCarriesCurrent) {
    // Place a DC source and a resistor from the device bar, as a user would.
    CDCSource sourceTemplate;
    CResistance resistorTemplate;
    auto placeFromBar = [&](CComponent& prototype, int x, int y) {
        bar.pending = &prototype;
        Move(x, y);
        Send(EVENT_LEFT_DOWN, x, y);
        return static_cast<CDevice*>(ex.m_boardState.selection);
    };
    auto* source = static_cast<CDCSource*>(placeFromBar(sourceTemplate, 300, 300));
    auto* resistor = static_cast<CResistance*>(placeFromBar(resistorTemplate, 600, 300));
    ASSERT_NE(source, nullptr);
    ASSERT_NE(resistor, nullptr);
    ASSERT_NE(static_cast<CComponent*>(source), static_cast<CComponent*>(resistor));
    source->m_power.SetOn(true); // 2 x coarse 5 = 10 V

    CWire* plus = DrawWire(T(source, 0), T(resistor, 0), {{T(source, 0)->m_x, 420}});
    CWire* minus = DrawWire(T(source, 1), T(resistor, 1), {{400, 450}});
    for (CWire* wire : {plus, minus}) {
        ASSERT_NE(wire, nullptr);
        EXPECT_TRUE(AxisParallel(*wire));
        ExpectLinesFollowPoints(*wire);
    }
    EXPECT_EQ(plus->m_nodeA, T(source, 0));
    EXPECT_EQ(plus->m_nodeB, T(resistor, 0));
    EXPECT_EQ(plus->m_points.front(), T(source, 0)->Position());
    EXPECT_EQ(plus->m_points.back(), T(resistor, 0)->Position());
    EXPECT_EQ(minus->m_points.back(), T(resistor, 1)->Position());
    EXPECT_EQ(std::count(T(resistor, 1)->m_attached.begin(), T(resistor, 1)->m_attached.end(), minus), 1);
    EXPECT_EQ(ex.m_topologyDirty, 1);
    EXPECT_TRUE(view.Controller().InDefaultTool());

    ex.UpdateCircuit(0);
    const double current = resistor->m_branches.at(0)->m_result.m_elec.para_array[0];
    EXPECT_NEAR(std::fabs(current), 10.0 / (1000 + 0.01f), 1e-9);
}

TEST_F(BoardViewTest, WireRoutesStayAxisParallelWithAnyNumberOfBends) {
    CResistance* a = Place<CResistance>(200, 200);
    CResistance* b = Place<CResistance>(700, 520);
    const std::vector<std::vector<CPoint>> routes = {
        {},                                   // straight to the far node: one corner added
        {{330, 230}},                         // shallow first move: out horizontally
        {{262, 330}, {500, 380}},             // steep first move: out vertically
        {{300, 120}, {420, 420}, {610, 300}}, // zig-zag
    };
    for (const auto& bends : routes) {
        SCOPED_TRACE(bends.size());
        CWire* wire = DrawWire(T(a, 1), T(b, 0), bends);
        ASSERT_NE(wire, nullptr);
        EXPECT_TRUE(AxisParallel(*wire));
        EXPECT_EQ(wire->m_points.front(), T(a, 1)->Position());
        EXPECT_EQ(wire->m_points.back(), T(b, 0)->Position());
        EXPECT_LE(wire->m_points.size(), bends.size() + 3) << "at most one bend added to finish";
        // Each route alone on the board: a second wire between the same two
        // nodes would keep off the first one's segments.
        ex.RemoveObject(wire);
        delete wire;
    }
}

TEST_F(BoardViewTest, WithShiftTheWireGoesStraightThroughTheClickedPoints) {
    CResistance* a = Place<CResistance>(200, 200);
    CResistance* b = Place<CResistance>(700, 520);
    CWire* wire = DrawWire(T(a, 1), T(b, 0), {{333, 277}}, MODIFIER_SHIFT);
    ASSERT_NE(wire, nullptr);
    EXPECT_EQ(wire->m_points, (std::vector<CPoint>{T(a, 1)->Position(), {333, 277}, T(b, 0)->Position()}));
}

TEST_F(BoardViewTest, TheRubberBandSnapsToTheCloserAxisAndBendsIntoAnL) {
    CResistance* a = Place<CResistance>(200, 200);
    const CPoint s = T(a, 1)->Position();
    Send(EVENT_LEFT_DOWN, s.x, s.y);
    Move(s.x + 100, s.y + 99); // just under 45 degrees: horizontal
    const CWire* wire = static_cast<CWire*>(*ex.Wires().rbegin());
    EXPECT_EQ(wire->m_points, (std::vector<CPoint>{s, {s.x + 100, s.y}}));
    Move(s.x + 100, s.y + 100); // 45 degrees: vertical
    EXPECT_EQ(wire->m_points, (std::vector<CPoint>{s, {s.x, s.y + 100}}));
    Send(EVENT_LEFT_DOWN, s.x + 100, s.y + 100); // fixes the vertical leg's direction
    Move(s.x + 160, s.y + 140);
    EXPECT_EQ(wire->m_points, (std::vector<CPoint>{s, {s.x, s.y + 140}, {s.x + 160, s.y + 140}}));
    EXPECT_EQ(wire->m_boardGroup.itemsB.size(), 2u);
    EXPECT_EQ(wire->m_boardGroup.itemsB[1].colour, view.WireColour()) << "segments take the wire colour";
    Send(EVENT_RIGHT_DOWN, 0, 0);
}

// From a resistor's right terminal (257, 200) to another's left one
// (543, 400): moving straight there goes out horizontally, so the finished
// wire turns at (543, 200) unless something is in the way.
TEST_F(BoardViewTest, TheAutomaticBendKeepsOffOtherTerminalsAndWires) {
    const CPoint s{257, 200}, e{543, 400};
    // Resistors whose two terminals sit on the horizontal legs of the two Ls.
    auto onFirstLeg = [this] { Place<CResistance>(400, 200); }; // terminals (343, 200), (457, 200)
    auto onOtherLeg = [this] { Place<CResistance>(400, 400); }; // terminals (343, 400), (457, 400)
    struct Case {
        const char* what;
        std::function<void(CNode* start)> setup;
        int modifiers;
        std::vector<CPoint> points;
    };
    const Case cases[] = {
        {"nothing in the way", [](CNode*) {}, 0, {s, {543, 200}, e}},
        {"a terminal on the first leg: the other order",
         [&](CNode*) { onFirstLeg(); },
         0,
         {s, {257, 400}, e}},
        {"a wire along the first leg: the other order",
         [&](CNode* start) {
             CResistance* d = Place<CResistance>(300, 60); // right terminal (357, 60)
             CWire* wire = ex.AddWire(start, T(d, 1));
             wire->m_points = {s, {357, 200}, {357, 60}};
             wire->RebuildLines();
         },
         0,
         {s, {257, 400}, e}},
        {"both orders blocked: the first leg moves aside",
         [&](CNode*) {
             onFirstLeg();
             onOtherLeg();
         },
         0,
         {s, {257, 215}, {543, 215}, e}},
        {"a terminal beside the end blocks every route: the usual bend",
         [&](CNode*) {
             auto* junction = new CNode();
             junction->SetPosition(e.x + 3, e.y);
             ex.AddObject(junction, false);
         },
         0,
         {s, {543, 200}, e}},
        {"Shift: straight, over the terminals", [&](CNode*) { onFirstLeg(); }, MODIFIER_SHIFT, {s, e}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CResistance* a = Place<CResistance>(200, 200);
        CResistance* b = Place<CResistance>(600, 400);
        ASSERT_EQ(T(a, 1)->Position(), s);
        ASSERT_EQ(T(b, 0)->Position(), e);
        c.setup(T(a, 1));
        CWire* wire = DrawWire(T(a, 1), T(b, 0), {}, c.modifiers);
        ASSERT_NE(wire, nullptr);
        EXPECT_EQ(wire->m_points, c.points);
        ExpectLinesFollowPoints(*wire);
        ex.ClearExperiment();
    }
}

TEST_F(BoardViewTest, TheRubberBandKeepsOffTerminalsAndAClickFixesADetoursCorners) {
    CResistance* a = Place<CResistance>(200, 200);
    Place<CResistance>(400, 200); // terminals on y = 200
    const CPoint s = T(a, 1)->Position();
    Send(EVENT_LEFT_DOWN, s.x, s.y);
    const CWire* wire = static_cast<CWire*>(*ex.Wires().rbegin());
    Move(300, 220);
    Send(EVENT_LEFT_DOWN, 300, 220); // fixes the first leg as horizontal
    Move(600, 400);
    EXPECT_EQ(wire->m_points, (std::vector<CPoint>{s, {257, 400}, {600, 400}})) << "turned round";

    Place<CResistance>(400, 400); // terminals on y = 400 as well
    Move(600, 400);
    EXPECT_EQ(wire->m_points, (std::vector<CPoint>{s, {257, 215}, {600, 215}, {600, 400}})) << "a detour";
    ExpectLinesFollowPoints(*wire);

    // The click keeps the detour; the next L leaves its last corner the way
    // the segment into the click went.
    Send(EVENT_LEFT_DOWN, 600, 400);
    Move(700, 450);
    EXPECT_EQ(wire->m_points, (std::vector<CPoint>{s, {257, 215}, {600, 215}, {600, 450}, {700, 450}}));
    ExpectLinesFollowPoints(*wire);
    Send(EVENT_RIGHT_DOWN, 0, 0);
}

TEST_F(BoardViewTest, ClicksNearTheStartNodeAreIgnoredAndTheEndCandidateIsMarked) {
    CResistance* a = Place<CResistance>(200, 200);
    CResistance* b = Place<CResistance>(200, 400);
    const CPoint s = T(a, 1)->Position();
    Send(EVENT_LEFT_DOWN, s.x, s.y);
    const CWire* wire = static_cast<CWire*>(*ex.Wires().rbegin());
    Move(s.x + 3, s.y + 60);
    Move(s.x + 3, s.y + 2);
    const std::size_t points = wire->m_points.size();
    Send(EVENT_LEFT_DOWN, s.x + 3, s.y + 2);
    EXPECT_EQ(wire->m_points.size(), points) << "no bend, no end on the start node";
    EXPECT_FALSE(view.Controller().InDefaultTool());

    Codes();
    Move(T(b, 1)->m_x + 4, T(b, 1)->m_y - 4);
    EXPECT_EQ(T(b, 1)->m_boardGroup.itemsB[0].colour, kHotColour);
    EXPECT_EQ(T(b, 0)->m_boardGroup.itemsB[0].colour, kNodeColour);
    EXPECT_EQ(T(a, 1)->m_boardGroup.itemsB[0].colour, kNodeColour) << "the start node is never a candidate";
    EXPECT_EQ(CursorNow(), kCursorOperable);
    Send(EVENT_LEFT_DOWN, T(b, 1)->m_x + 4, T(b, 1)->m_y - 4);
    EXPECT_TRUE(view.Controller().InDefaultTool());
    EXPECT_EQ(wire->m_nodeB, T(b, 1));
    EXPECT_EQ(wire->m_points.back(), T(b, 1)->Position());
}

TEST_F(BoardViewTest, ARightClickCancelsTheWireWithoutATrace) {
    CResistance* a = Place<CResistance>(200, 200);
    const std::vector<CComponent*> before(ex.AllObjects().begin(), ex.AllObjects().end());
    std::map<CNode*, std::vector<CComponent*>> attached;
    for (CComponent* n : ex.Nodes())
        attached[static_cast<CNode*>(n)] = static_cast<CNode*>(n)->m_attached;
    ex.m_topologyDirty = 0;

    Send(EVENT_LEFT_DOWN, T(a, 0)->m_x, T(a, 0)->m_y);
    EXPECT_EQ(T(a, 0)->m_wiringMark, 1);
    Move(100, 400);
    Send(EVENT_LEFT_DOWN, 100, 400);
    Move(500, 420);
    Send(EVENT_RIGHT_DOWN, 500, 420);

    EXPECT_EQ(std::vector<CComponent*>(ex.AllObjects().begin(), ex.AllObjects().end()), before);
    for (auto& [node, list] : attached) {
        EXPECT_EQ(node->m_attached, list);
        EXPECT_EQ(node->m_wiringMark, 0);
    }
    EXPECT_TRUE(view.Controller().InDefaultTool());
    EXPECT_EQ(ex.m_topologyDirty, 0) << "the circuit never saw the wire";
    Send(EVENT_LEFT_DOWN, 500, 420); // the next press is an ordinary click on the board
    EXPECT_EQ(ex.Wires().size(), 0u);
}

TEST_F(BoardViewTest, NewWiresTakeTheBoardsWireColour) {
    CResistance* a = Place<CResistance>(200, 200);
    CResistance* b = Place<CResistance>(200, 400);
    view.SetWireColour(0xFF00FF00);
    CWire* wire = DrawWire(T(a, 1), T(b, 1));
    ASSERT_NE(wire, nullptr);
    EXPECT_EQ(wire->m_colour, 0xFF00FF00u);
    for (const CDrawItem& line : wire->m_boardGroup.itemsB)
        EXPECT_EQ(line.colour, 0xFF00FF00u);
}

TEST_F(BoardViewTest, AClickedWireTurnsRedUntilTheNextClick) {
    CResistance* a = Place<CResistance>(200, 200);
    CResistance* b = Place<CResistance>(200, 400);
    CWire* first = ex.AddWire(T(a, 1), T(b, 1));  // vertical at x = 257
    CWire* second = ex.AddWire(T(a, 0), T(b, 0)); // vertical at x = 143
    first->m_colour = 0xFF0000FF;
    second->m_colour = 0xFF00FF00;
    Send(EVENT_LEFT_DOWN, 259, 300);
    for (const CDrawItem& line : first->m_boardGroup.itemsB) {
        EXPECT_EQ(line.colour, kHotColour);
        EXPECT_TRUE(line.flags & DRAW_TINT);
    }
    EXPECT_EQ(second->m_boardGroup.itemsB[0].colour, 0xFF00FF00u);
    Send(EVENT_LEFT_DOWN, 600, 600);
    EXPECT_EQ(first->m_boardGroup.itemsB[0].colour, 0xFF0000FFu);
    EXPECT_TRUE(first->HitTest(260, 300));
    EXPECT_FALSE(first->HitTest(261, 300));
    EXPECT_FALSE(first->HitTest(257, 500)) << "past the wire's end";
}

// --- moving -------------------------------------------------------------------

TEST_F(BoardViewTest, DraggingADeviceMovesItsNodesAndWireEnds) {
    struct Case {
        const char* name;
        bool verticalEnds; // the wire leaves both nodes vertically, else horizontally
        int modifiers;
        bool bendFollows;
    };
    const Case cases[] = {
        {"horizontal ends", false, 0, true},
        {"vertical ends", true, 0, true},
        {"shift keeps bends", false, MODIFIER_SHIFT, false},
        {"shift keeps vertical bends", true, MODIFIER_SHIFT, false},
        {"shift with ctrl is not shift alone", false, MODIFIER_SHIFT | MODIFIER_CTRL, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CResistance* a = Place<CResistance>(200, 200);
        CResistance* b = Place<CResistance>(600, 500);
        CWire* wire = ex.AddWire(T(a, 1), T(b, 0));
        const CPoint p = T(a, 1)->Position(), q = T(b, 0)->Position();
        wire->m_points = c.verticalEnds ? std::vector<CPoint>{p, {p.x, 350}, {q.x, 350}, q}
                                        : std::vector<CPoint>{p, {400, p.y}, {400, q.y}, q};
        wire->RebuildLines();
        const CPoint bend = wire->m_points[1];

        Send(EVENT_LEFT_DOWN, 200, 200);
        Move(210, 230, c.modifiers);
        Send(EVENT_LEFT_UP, 210, 230, c.modifiers);

        EXPECT_EQ(Region(a), (CRectF{159, 220, 261, 240}));
        EXPECT_EQ(T(a, 0)->Position(), (CPoint{153, 230}));
        EXPECT_EQ(T(a, 1)->Position(), (CPoint{267, 230}));
        EXPECT_EQ(T(a, 1)->m_boardGroup.itemsB[0].left, 261) << "the node picture is centred on it";
        EXPECT_EQ(wire->m_points.front(), (CPoint{267, 230}));
        CPoint expected = bend;
        if (c.bendFollows) (c.verticalEnds ? expected.x : expected.y) += c.verticalEnds ? 10 : 30;
        EXPECT_EQ(wire->m_points[1], expected);
        EXPECT_EQ(wire->m_points.back(), q) << "the other end stays";
        ExpectLinesFollowPoints(*wire);
        if (c.bendFollows) {
            EXPECT_TRUE(AxisParallel(*wire));
        }
        ex.ClearExperiment();
    }
}

TEST_F(BoardViewTest, PressingADeviceSelectsItAndShowsItsPropertyWindow) {
    CDCSource* source = Place<CDCSource>(300, 300);
    Send(EVENT_LEFT_DOWN, 300, 300);
    EXPECT_EQ(ex.m_boardState.selection, source);
    EXPECT_EQ(ex.m_boardState.outlines, std::vector<CRectF>{Region(source)});
    EXPECT_TRUE(windows[1].visible);
    EXPECT_EQ(Codes(), std::vector<int>{1});
    Send(EVENT_LEFT_UP, 300, 300);
    EXPECT_TRUE(view.Controller().InDefaultTool());

    Send(EVENT_LEFT_DOWN, 700, 700); // empty board
    EXPECT_TRUE(ex.m_boardState.outlines.empty());
    EXPECT_EQ(ex.m_boardState.selection, nullptr);
}

TEST_F(BoardViewTest, AClickOnTheEmptyBoardClearsTheSelectionAndHintsAtTheRightButton) {
    const std::string hint = "请单击鼠标右键弹出菜单。";
    ex.m_boardState.selection = Place<CResistance>(300, 300);
    Send(EVENT_LEFT_DOWN, 700, 700);
    EXPECT_EQ(ex.m_boardState.selection, nullptr);
    EXPECT_EQ(Codes(), (std::vector<int>{0, 1, 2, 3}));
    ASSERT_FALSE(renderer.notices.empty());
    EXPECT_EQ(renderer.notices.back().text, hint);
    EXPECT_EQ(renderer.notices.back().duration, 4000);
    EXPECT_EQ(renderer.notices.back().kind, NOTICE_INFORMATION);

    // With the device bar and property window 0 both open there is no hint.
    bar.visible = windows[0].visible = true;
    renderer.notices.clear();
    Send(EVENT_LEFT_DOWN, 700, 700);
    ASSERT_EQ(renderer.notices.size(), 1u);
    EXPECT_EQ(renderer.notices[0].text, "") << "only the cleared selection hint";
}

// --- pointer feedback ---------------------------------------------------------

TEST_F(BoardViewTest, HoverColoursNodesAndAsksForCursors) {
    CResistance* r = Place<CResistance>(200, 200);
    CSlideRheostat* rx = Place<CSlideRheostat>(500, 200);
    CSingleSwitch* s = Place<CSingleSwitch>(200, 400);
    const CPoint n = T(r, 0)->Position();
    struct Case {
        const char* name;
        int x, y;
        int cursor;
    };
    // Over nothing it works the arrow comes back (else the move or the
    // up-arrow would stay over the whole window).
    const Case cases[] = {
        {"node", n.x + 2, n.y - 2, kCursorOperable},
        {"beside the node", n.x - 3, n.y, kCursorArrow},
        {"device body", 200, 200, kCursorMove},
        {"empty board", 800, 800, kCursorArrow},
        {"rheostat body", static_cast<int>(rx->m_region[0]) + 5, 200, kCursorMove},
        {"rheostat slider", static_cast<int>(rx->m_slider.left) + 5, static_cast<int>(rx->m_slider.top) + 5,
         kCursorOperable},
        {"switch blade", static_cast<int>(s->m_region[0]) + 70, 400, kCursorOperable},
        {"switch hinge", static_cast<int>(s->m_region[0]) + 20, 400, kCursorMove},
        {"empty board again", 800, 800, kCursorArrow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Move(c.x, c.y);
        EXPECT_EQ(CursorNow(), c.cursor);
    }
    // The same cursor is asked for once, not at every move.
    Codes();
    Move(801, 800);
    EXPECT_TRUE(Codes().empty());
    Move(n.x + 2, n.y + 2);
    EXPECT_EQ(T(r, 0)->m_boardGroup.itemsB[0].colour, kHotColour);
    EXPECT_EQ(T(r, 1)->m_boardGroup.itemsB[0].colour, kNodeColour);
    EXPECT_EQ(T(r, 0)->m_boardGroup.itemsB[0].flags & kFeedbackFlags, kFeedbackFlags);
    Move(n.x + 3, n.y);
    EXPECT_EQ(T(r, 0)->m_boardGroup.itemsB[0].colour, kNodeColour) << "2.5 pixels at most";
}

// --- rheostat slider ----------------------------------------------------------

TEST_F(BoardViewTest, TheSliderStopsAtBothEnds) {
    CSlideRheostat* rx = Place<CSlideRheostat>(300, 300);
    const float left = rx->m_region[0];
    struct Case {
        int pointerX;
        float sliderLeft;
        double fraction;
    };
    // The press grabs the slider 5 pixels right of its left edge.
    const Case cases[] = {
        {0, left + 13, 0.0},                                  // far beyond the left stop
        {static_cast<int>(left) + 13 + 5 + 47, left + 60, 1}, // exactly the right stop
        {2000, left + 60, 1.0},                               // far beyond the right stop
        {static_cast<int>(left) + 13 + 5 + 20, left + 33, 20.0 / 47},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pointerX);
        const int grabX = static_cast<int>(rx->m_slider.left) + 5,
                  y = static_cast<int>(rx->m_slider.top) + 10;
        const float top = rx->m_slider.top;
        ex.m_topologyDirty = 0;
        Send(EVENT_LEFT_DOWN, grabX, y);
        Move(c.pointerX, y + 40); // across the bar nothing changes
        EXPECT_FLOAT_EQ(rx->m_slider.left, c.sliderLeft);
        EXPECT_FLOAT_EQ(rx->m_slider.right, c.sliderLeft + 15);
        EXPECT_FLOAT_EQ(rx->m_slider.top, top);
        EXPECT_NEAR(rx->m_fraction, c.fraction, 1e-6);
        EXPECT_EQ(rx->m_boardGroup.itemsB[1].left, rx->m_slider.left) << "the picture follows";
        EXPECT_EQ(ex.m_topologyDirty, 1);
        Send(EVENT_LEFT_UP, c.pointerX, y);
        EXPECT_TRUE(view.Controller().InDefaultTool());
    }
    const float after = rx->m_slider.left;
    Move(0, 0);
    EXPECT_EQ(rx->m_slider.left, after) << "released: the slider stays";
}

// --- switches -----------------------------------------------------------------

TEST_F(BoardViewTest, DoubleClicksOperateSwitchesInTheirContactZones) {
    CSingleSwitch* single = Place<CSingleSwitch>(200, 200);
    CDoubleSwitch* twoWay = Place<CDoubleSwitch>(600, 200);
    const float sl = single->m_region[0], st = single->m_region[1], sr = single->m_region[2];
    const float dl = twoWay->m_region[0], dr = twoWay->m_region[2];
    struct Case {
        const char* name;
        CDevice* device;
        float x, y;
        int state;
        const char* picture;
    };
    const Case cases[] = {
        {"open, blade: closes", single, sl + 58, st + 1, 1, "devpic\\sinswclose.tga"},
        {"closed, blade: opens", single, sl + 58, st + 1, 0, "devpic\\sinswopen.tga"},
        {"open, blade's far end: closes", single, sr - 21, st + 1, 1, "devpic\\sinswclose.tga"},
        {"closed, zone's left edge: nothing", single, sl + 57, st + 20, 1, "devpic\\sinswclose.tga"},
        {"closed, zone's right edge: nothing", single, sr - 20, st + 20, 1, "devpic\\sinswclose.tga"},
        {"neutral, first contact", twoWay, dl + 16, 200, 1, "devpic\\hdleft.tga"},
        {"first, first contact again: neutral", twoWay, dl + 44, 200, 0, "devpic\\hdswitch.tga"},
        {"neutral, second contact", twoWay, dr - 44, 200, 2, "devpic\\hdright.tga"},
        {"second, first contact", twoWay, dl + 30, 200, 1, "devpic\\hdleft.tga"},
        {"first, middle: nothing", twoWay, dl + 60, 200, 1, "devpic\\hdleft.tga"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ex.m_topologyDirty = 0;
        Codes();
        Send(EVENT_DOUBLE_CLICK, static_cast<int>(c.x), static_cast<int>(c.y));
        const int state = c.device == single ? single->m_state : twoWay->m_state;
        EXPECT_EQ(state, c.state);
        const CDrawItem& body = c.device->m_boardGroup.itemsB[0];
        EXPECT_EQ(body.texture, c.picture);
        EXPECT_EQ(ex.m_boardState.selection, c.device);
        EXPECT_EQ(ex.m_boardState.outlines, std::vector<CRectF>{Region(c.device)});
        EXPECT_EQ(ex.m_topologyDirty, 1);
        EXPECT_EQ(Codes(), std::vector<int>{0}) << "switches show in property window 0";
        EXPECT_TRUE(windows[0].visible);
    }
    EXPECT_EQ(single->m_boardGroup.itemsB[0].flags & 0x1008u, 0x1008u) << "the changed picture is reloaded";

    // A double click must hit the switch itself: above its picture nothing
    // is hit, whatever reach the blade has.
    Send(EVENT_DOUBLE_CLICK, static_cast<int>(sr) - 21, static_cast<int>(st) - 5);
    EXPECT_TRUE(single->IsClosed());
    EXPECT_EQ(ex.m_boardState.selection, nullptr);
}

TEST_F(BoardViewTest, TurnedSwitchesAreOperatedOnTheirTurnedBlade) {
    CSingleSwitch* s = Place<CSingleSwitch>(300, 300);
    s->RotateLeft(); // 90 degrees: the blade runs up the switch
    const float l = s->m_region[0], t = s->m_region[1], b = s->m_region[3];
    Send(EVENT_DOUBLE_CLICK, static_cast<int>(l) + 10, static_cast<int>(b) - 58);
    EXPECT_TRUE(s->IsClosed());
    EXPECT_EQ(s->m_boardGroup.itemsB[0].texture, "devpic\\sinswclose90.tga");
    Send(EVENT_DOUBLE_CLICK, static_cast<int>(l) + 10, static_cast<int>(t) + 19);
    EXPECT_TRUE(s->IsClosed()) << "outside (T+20, B-57)";
}

TEST_F(BoardViewTest, ADoubleClickOnNothingOnlyClearsTheSelection) {
    CSingleSwitch* s = Place<CSingleSwitch>(300, 300);
    ex.m_boardState.selection = s;
    ex.m_boardState.outlines = {Region(s)};
    Send(EVENT_DOUBLE_CLICK, 800, 800);
    EXPECT_EQ(ex.m_boardState.selection, nullptr);
    EXPECT_FALSE(s->IsClosed());
}

// --- plugging the ammeter -----------------------------------------------------

TEST_F(BoardViewTest, AnAmmeterDroppedNearAFreePlugBoardSnapsOntoIt) {
    auto* board = Place<CAmmeterPlugBoard>(600, 400); // (540, 385, 660, 415)
    const int pl = 540, pt = 385, pr = 660, pb = 415;
    ASSERT_EQ(Region(board), (CRectF{540, 385, 660, 415}));
    struct Case {
        int nx, ny; // where the ammeter's first terminal is dropped
        bool snaps;
    };
    const Case cases[] = {
        {pl - 69, pt, true},      {pl - 70, pt, false},      {pr + 69, pb, true},
        {pr + 70, pb, false},     {pl + 10, pt - 19, true},  {pl + 10, pt - 20, false},
        {pl + 10, pb + 19, true}, {pl + 10, pb + 20, false},
    };
    int away = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.nx << ", " << c.ny);
        auto* ammeter = Place<CDCAmmeter>(200, 150); // 131 x 136, first terminal at (166, 224)
        const CPoint t0 = T(ammeter, 0)->Position();
        Drag(200, 150, 200 + c.nx - t0.x, 150 + c.ny - t0.y);
        if (c.snaps) {
            EXPECT_EQ(board->m_ammeter, ammeter);
            EXPECT_EQ(ammeter->m_plugBoard, board);
            // Centred on the board (h = (120 - 131) div 2 = -5), standing on its top.
            EXPECT_EQ(Region(ammeter), (CRectF{535, 249, 665, 385}));
            EXPECT_EQ(ammeter->m_boardGroup.itemsB[0].left, 535);
            EXPECT_EQ(T(ammeter, 0)->Position(), (CPoint{566, 391}));
            EXPECT_EQ(T(ammeter, 1)->Position(), (CPoint{635, 391}));
            EXPECT_EQ(T(ammeter, 1)->m_boardGroup.itemsB[0].left, 629);
        } else {
            EXPECT_EQ(board->m_ammeter, nullptr);
            EXPECT_EQ(ammeter->m_plugBoard, nullptr);
            EXPECT_EQ(T(ammeter, 0)->Position(), (CPoint{c.nx, c.ny})) << "stays where dropped";
        }
        // Pulling it away unplugs both sides.
        const CPoint grip{static_cast<int>(ammeter->m_region[0]) + 60,
                          static_cast<int>(ammeter->m_region[1]) + 60};
        Drag(grip.x, grip.y, 1500 + 200 * away++, 1500);
        EXPECT_EQ(board->m_ammeter, nullptr);
        EXPECT_EQ(ammeter->m_plugBoard, nullptr);
    }
}

TEST_F(BoardViewTest, MovingAPlugBoardUnplugsItsAmmeterAndAnOccupiedBoardTakesNoOther) {
    auto* board = Place<CAmmeterPlugBoard>(600, 400);
    auto* first = Place<CDCAmmeter>(200, 150);
    auto* second = Place<CDCAmmeter>(200, 450);
    CResistance* r = Place<CResistance>(900, 100);
    CWire* wire = ex.AddWire(T(first, 1), T(r, 0));
    Drag(200, 150, 200 + (540 - 166), 150 + (385 - 224)); // first terminal onto the board's corner
    ASSERT_EQ(board->m_ammeter, first);
    EXPECT_EQ(wire->m_points.front(), T(first, 1)->Position()) << "wire ends follow the snapped terminals";
    ExpectLinesFollowPoints(*wire);
    Drag(200, 450, 200 + (540 - 166), 450 + (385 - 524));
    EXPECT_EQ(second->m_plugBoard, nullptr) << "the board holds one ammeter";
    EXPECT_EQ(board->m_ammeter, first);

    Drag(600, 400, 600, 700); // the board itself
    EXPECT_EQ(board->m_ammeter, nullptr);
    EXPECT_EQ(first->m_plugBoard, nullptr);
}

TEST_F(BoardViewTest, ABoardWhoseAmmeterWasDeletedTakesAnother) {
    auto* board = Place<CAmmeterPlugBoard>(600, 400);
    auto* first = Place<CDCAmmeter>(200, 150);
    Drag(200, 150, 200 + (540 - 166), 150 + (385 - 224));
    ASSERT_EQ(board->m_ammeter, first);
    ex.RemoveObject(first); // the delete command keeps the object for undo

    auto* second = Place<CDCAmmeter>(200, 150);
    Drag(200, 150, 200 + (540 - 166), 150 + (385 - 224));
    EXPECT_EQ(board->m_ammeter, second);
    EXPECT_EQ(second->m_plugBoard, board);
    ex.ReinsertObject(first);
}

TEST_F(BoardViewTest, APlugLinkLeftOverFromADeletedBoardDoesNotOccupyIt) {
    auto* board = Place<CAmmeterPlugBoard>(600, 400);
    auto* ammeter = Place<CDCAmmeter>(200, 150);
    Drag(200, 150, 200 + (540 - 166), 150 + (385 - 224));
    ASSERT_EQ(board->m_ammeter, ammeter);
    ex.RemoveObject(board);     // deleted,
    Drag(595, 309, 1500, 1500); // the ammeter taken away,
    ex.ReinsertObject(board);   // and the delete undone
    EXPECT_EQ(ammeter->m_plugBoard, nullptr);
    EXPECT_FALSE(HoldsAmmeter(ex, *board));
    EXPECT_EQ(SymbolOf(*board)->picture, "abstract\\boade.bmp");

    const CPoint t0 = T(ammeter, 0)->Position();
    Drag(1500, 1500, 1500 + 540 - t0.x, 1500 + 385 - t0.y);
    EXPECT_EQ(board->m_ammeter, ammeter) << "the board takes it again";
    EXPECT_EQ(ammeter->m_plugBoard, board);
}

// --- placing from the device bar ----------------------------------------------

TEST_F(BoardViewTest, PlacingFollowsThePointerAndDropsACopyOnTheBoard) {
    CSlideRheostat prototype; // 88 x 58
    bar.pending = &prototype;
    const std::size_t objects = ex.AllObjects().size();
    Move(400, 300);
    EXPECT_TRUE(view.Controller().Placing());
    EXPECT_EQ(ex.m_boardState.pendingDevice, &prototype);
    const CDrawItem& picture = prototype.m_boardGroup.itemsB[0];
    EXPECT_EQ((CRectF{picture.left, picture.top, picture.right, picture.bottom}),
              (CRectF{356, 271, 444, 329}));
    EXPECT_FALSE(picture.Hidden());
    const CDrawItem& slider = prototype.m_boardGroup.itemsB[1];
    EXPECT_EQ((CRectF{slider.left, slider.top, slider.right, slider.bottom}), (CRectF{393, 270, 408, 301}));
    EXPECT_EQ(ex.m_boardState.outlines, (std::vector<CRectF>{{356, 271, 445, 330}}));
    view.Paint(1);
    EXPECT_NE(std::find(renderer.groups.begin(), renderer.groups.end(), &prototype.m_boardGroup),
              renderer.groups.end());
    Send(EVENT_LEFT_UP, 400, 300); // ignored
    EXPECT_TRUE(view.Controller().Placing());

    Codes();
    Send(EVENT_LEFT_DOWN, 420, 310);
    EXPECT_EQ(bar.released, 1);
    EXPECT_EQ(bar.pending, nullptr);
    EXPECT_FALSE(view.Controller().Placing());
    EXPECT_EQ(ex.m_boardState.pendingDevice, nullptr);
    EXPECT_TRUE(view.Controller().InDefaultTool());
    ASSERT_EQ(ex.AllObjects().size(), objects + 5) << "the rheostat and its four terminal nodes";
    auto* copy = dynamic_cast<CSlideRheostat*>(ex.m_boardState.selection);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, &prototype);
    EXPECT_TRUE(ex.Contains(copy));
    EXPECT_EQ(Region(copy), (CRectF{376, 281, 464, 339}));
    EXPECT_EQ(copy->m_boardGroup.itemsB[0].left, 376) << "the copy's picture takes its region";
    EXPECT_EQ(ex.m_boardState.outlines, (std::vector<CRectF>{{376, 281, 465, 340}}));
    EXPECT_EQ(ex.m_topologyDirty, 1);
    EXPECT_TRUE(windows[0].visible);
    EXPECT_EQ(Codes(), std::vector<int>{0});

    view.Paint(2);
    EXPECT_EQ(std::find(renderer.groups.begin(), renderer.groups.end(), &prototype.m_boardGroup),
              renderer.groups.end())
        << "the template is no longer drawn";
    Move(500, 500);
    EXPECT_FALSE(view.Controller().Placing()) << "the bar was released: nothing pending";
}

TEST_F(BoardViewTest, ARightClickCancelsPlacementAndReleasesTheDeviceBar) {
    CResistance prototype;
    bar.pending = &prototype;
    const std::size_t objects = ex.AllObjects().size();
    Move(400, 300);
    Send(EVENT_RIGHT_DOWN, 400, 300);
    EXPECT_EQ(bar.released, 1);
    EXPECT_EQ(bar.pending, nullptr);
    EXPECT_EQ(ex.AllObjects().size(), objects) << "nothing placed";
    EXPECT_TRUE(ex.m_boardState.outlines.empty());
    EXPECT_TRUE(prototype.m_boardGroup.itemsB[0].Hidden());
    EXPECT_EQ(ex.m_boardState.pendingDevice, nullptr);
    EXPECT_TRUE(view.Controller().InDefaultTool());

    // The next time the template is taken it shows up at the pointer again.
    bar.pending = &prototype;
    Move(100, 100);
    EXPECT_FALSE(prototype.m_boardGroup.itemsB[0].Hidden());
    EXPECT_EQ(prototype.m_boardGroup.itemsB[0].left, 49);
}

TEST_F(BoardViewTest, ChoosingAnotherDeviceWhilePlacingPlacesTheNewChoice) {
    CResistance resistor;
    CSingleSwitch sw;
    bar.pending = &resistor;
    Move(400, 300);
    bar.pending = &sw; // a second button pressed on the bar
    Move(410, 300);
    EXPECT_EQ(ex.m_boardState.pendingDevice, &sw);
    EXPECT_TRUE(resistor.m_boardGroup.itemsB[0].Hidden());
    Send(EVENT_LEFT_DOWN, 410, 300);
    ASSERT_NE(ex.m_boardState.selection, nullptr);
    EXPECT_EQ(ex.m_boardState.selection->TypeCode(), TYPE_SINGLE_SWITCH);
}

} // namespace
} // namespace ampera::testing
