// The board view: one event per frame from the mailboxes, queued commands,
// the symbol view holding input back, painting, selection hints, property
// window groups, labels, and the tool controller's dispatch rules.
#include "board_labels.h"
#include "board_test_fixture.h"
#include "devices/kind_registry.h"

#include "devices/capacitance.h"
#include "devices/capacitance_box.h"
#include "devices/dc_source.h"
#include "devices/inductance.h"
#include "devices/resistance.h"
#include "devices/resistance_box.h"
#include "devices/single_switch.h"
#include "devices/slide_rheostat.h"

#include <algorithm>
#include <functional>

namespace ampera::testing {
namespace {

class LoggingCommand : public CEditCommand {
  public:
    LoggingCommand(std::vector<std::string>& log, std::string name) : m_log(log), m_name(std::move(name)) {}
    void Do() override { m_log.push_back(m_name); }
    void Undo() override {}

  private:
    std::vector<std::string>& m_log;
    std::string m_name;
};

// --- frames and input ---------------------------------------------------------

TEST_F(BoardViewTest, TwoMovesBeforeAFrameOnlyTheLaterIsHandled) {
    CResistance prototype; // a device-bar template, 102 x 20
    bar.pending = &prototype;
    view.Deposit(Event(EVENT_MOVE, 100, 100));
    view.Deposit(Event(EVENT_MOVE, 300, 200));
    view.Tick(1);
    const CDrawItem& picture = prototype.m_boardGroup.itemsB.front();
    EXPECT_EQ(picture.left, 249);
    EXPECT_EQ(picture.top, 190);
    view.Tick(2); // nothing is left of the first move
    EXPECT_EQ(picture.left, 249);
    EXPECT_EQ(picture.top, 190);
}

TEST_F(BoardViewTest, EventsOfOneFrameAreTakenOnePerTickLeftDownBeforeMove) {
    CResistance* r = Place<CResistance>(300, 300); // region (249, 290, 351, 310)
    view.Deposit(Event(EVENT_MOVE, 330, 400));
    view.Deposit(Event(EVENT_LEFT_DOWN, 300, 300));
    view.Tick(1);
    EXPECT_EQ(ex.m_boardState.selection, r) << "the press is taken first";
    EXPECT_EQ(Region(r), (CRectF{249, 290, 351, 310}));
    view.Tick(2);
    EXPECT_EQ(Region(r), (CRectF{279, 390, 381, 410})) << "then the move drags the pressed device";
}

TEST_F(BoardViewTest, QueuedCommandsRunInQueueOrderBeforeTheFramesEvent) {
    std::vector<std::string> log;
    view.Enqueue(std::make_shared<LoggingCommand>(log, "rotate"));
    view.Enqueue(std::make_shared<LoggingCommand>(log, "delete"));
    view.Deposit(Event(EVENT_LEFT_DOWN, 10, 10));
    view.Tick(1);
    EXPECT_EQ(log, (std::vector<std::string>{"rotate", "delete"}));
    EXPECT_EQ(Codes(), (std::vector<int>{0, 1, 2, 3})) << "the click on the empty board in the same tick";
    view.Tick(2);
    EXPECT_EQ(log.size(), 2u) << "a command runs once";
}

TEST_F(BoardViewTest, SymbolViewHoldsEventsAndCommandsUntilTheRealViewReturns) {
    CSingleSwitch* s = Place<CSingleSwitch>(400, 300);
    const int x = static_cast<int>(s->m_region[0]) + 80, y = 300; // on the blade
    std::vector<std::string> log;
    ex.m_realView = 0;
    view.Enqueue(std::make_shared<LoggingCommand>(log, "queued"));
    view.Deposit(Event(EVENT_DOUBLE_CLICK, x, y));
    for (int k = 0; k < 3; ++k)
        view.Tick(k);
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(s->IsClosed()) << "board clicks wait while the schematic is shown";
    EXPECT_EQ(ex.m_boardState.selection, nullptr);

    ex.m_realView = 1;
    view.Tick(4);
    EXPECT_EQ(log, std::vector<std::string>{"queued"});
    EXPECT_TRUE(s->IsClosed());
    EXPECT_EQ(ex.m_boardState.selection, s);
}

TEST_F(BoardViewTest, ClearInputDropsPendingEventsAndAWireInProgress) {
    CResistance* a = Place<CResistance>(200, 200);
    const std::size_t objects = ex.AllObjects().size();
    Send(EVENT_LEFT_DOWN, T(a, 1)->m_x, T(a, 1)->m_y);
    Move(400, 260);
    ASSERT_EQ(ex.AllObjects().size(), objects + 1) << "the rubber band is on the board";
    view.Deposit(Event(EVENT_DOUBLE_CLICK, 200, 200));

    view.ClearInput(); // the loop stopped: a file may be opened next
    EXPECT_EQ(ex.AllObjects().size(), objects) << "the unfinished wire is gone with the gesture";
    EXPECT_EQ(T(a, 1)->m_wiringMark, 0);
    EXPECT_EQ(T(a, 1)->m_attached.size(), 1u);
    view.Tick(1);
    EXPECT_EQ(ex.m_boardState.selection, nullptr) << "the double click deposited before was dropped";

    // The next event finds the board idle again and the one after works as
    // before.
    Move(210, 200);
    EXPECT_TRUE(view.Controller().InDefaultTool());
    Send(EVENT_DOUBLE_CLICK, 200, 200);
    EXPECT_EQ(ex.m_boardState.selection, a);
}

TEST_F(BoardViewTest, GesturesLetGoOfObjectsFreedByClearingTheExperiment) {
    CResistance* a = Place<CResistance>(200, 200);
    Send(EVENT_LEFT_DOWN, T(a, 1)->m_x, T(a, 1)->m_y); // drawing a wire
    Move(400, 260);
    ex.ClearExperiment(); // frees the wire and every node with the board
    Move(410, 270);
    EXPECT_TRUE(view.Controller().InDefaultTool());
    EXPECT_TRUE(ex.Wires().empty());

    Place<CResistance>(200, 200);
    Send(EVENT_LEFT_DOWN, 200, 200); // dragging a device
    ex.ClearExperiment();
    Move(300, 300);
    EXPECT_TRUE(view.Controller().InDefaultTool());
}

TEST_F(BoardViewTest, ClearingTheExperimentDuringPlacementEndsIt) {
    CResistance prototype;
    bar.pending = &prototype;
    Move(100, 100);
    ASSERT_TRUE(view.Controller().Placing());
    ex.ClearExperiment(); // New, with the loop stopped
    bar.pending = nullptr;
    Move(120, 100);
    EXPECT_FALSE(view.Controller().Placing());
    EXPECT_TRUE(view.Controller().InDefaultTool());
    EXPECT_EQ(ex.m_boardState.pendingDevice, nullptr);
}

// --- painting -----------------------------------------------------------------

TEST_F(BoardViewTest, PaintDrawsEveryObjectThenThePendingDeviceAndRedOutlines) {
    CResistance* a = Place<CResistance>(200, 200);
    CResistance* b = Place<CResistance>(200, 400);
    ex.AddWire(T(a, 1), T(b, 1));
    CResistance prototype;
    ex.m_boardState.pendingDevice = &prototype;
    ex.m_boardState.outlines = {{10, 20, 30, 40}, {0, 0, 5, 5}};
    view.SetBackgroundColour(0xFF102030);
    view.Paint(5);

    std::vector<CSpriteGroup*> expected;
    for (CComponent* object : ex.AllObjects())
        expected.push_back(&object->m_boardGroup);
    expected.push_back(&prototype.m_boardGroup);
    ASSERT_GE(renderer.groups.size(), expected.size());
    EXPECT_EQ(std::vector<CSpriteGroup*>(renderer.groups.begin(), renderer.groups.begin() + expected.size()),
              expected)
        << "devices, nodes and wires in the experiment's order, then the pending device";
    EXPECT_EQ(renderer.clearColour, 0xFF102030u);
    EXPECT_EQ(renderer.begun, 1);
    EXPECT_EQ(renderer.ended, 1);
    EXPECT_EQ(renderer.presented, 1);

    std::vector<CDrawItem> outline;
    for (const CDrawItem& line : renderer.Lines())
        if (line.colour == kHotColour) outline.push_back(line);
    ASSERT_EQ(outline.size(), 8u) << "four sides per outlined rectangle";
    for (const CDrawItem& line : outline)
        EXPECT_EQ(line.flags & (DRAW_LINE | DRAW_TINT | DRAW_SUBMITTED),
                  DRAW_LINE | DRAW_TINT | DRAW_SUBMITTED);
    std::vector<std::array<float, 4>> sides;
    for (int k = 0; k < 4; ++k)
        sides.push_back({outline[k].left, outline[k].top, outline[k].right, outline[k].bottom});
    EXPECT_EQ(sides, (std::vector<std::array<float, 4>>{
                         {10, 20, 30, 20}, {30, 20, 30, 40}, {30, 40, 10, 40}, {10, 40, 10, 20}}));
}

TEST_F(BoardViewTest, LabelsAreDrawnAboveEachDeviceOnlyWhileNamesAreShown) {
    CResistance* r = Place<CResistance>(200, 200);
    r->m_name = "R7";
    CInductance* l = Place<CInductance>(400, 200);
    l->m_name = "L2";
    view.Paint(1);
    ASSERT_EQ(renderer.labels.size(), 2u) << "devices only, no nodes or wires";
    EXPECT_EQ(renderer.labels[0].text, "R7 1000Ω");
    EXPECT_EQ(renderer.labels[0].x, static_cast<int>(r->m_region[0]));
    EXPECT_EQ(renderer.labels[0].y, static_cast<int>(r->m_region[1]) - 20);
    EXPECT_EQ(renderer.labels[1].text, "L2 2H");
    EXPECT_EQ(renderer.labels[1].y, static_cast<int>(l->m_region[1]) - 30);

    ex.m_showNames = 0;
    view.Paint(2);
    EXPECT_TRUE(renderer.labels.empty());
}

TEST_F(BoardViewTest, AFrameThatCannotBeginDrawsNothing) {
    Place<CResistance>(200, 200);
    renderer.canBegin = false;
    view.Paint(1);
    EXPECT_TRUE(renderer.groups.empty());
    EXPECT_EQ(renderer.ended, 0);
    EXPECT_EQ(renderer.presented, 0);
}

TEST_F(BoardViewTest, SymbolViewPaintsTheSchematicOnYellowAndTheRealViewItsBackgroundAgain) {
    CResistance* r = Place<CResistance>(200, 200);
    ex.m_realView = 0;
    view.Paint(1);
    EXPECT_EQ(renderer.clearColour, kSymbolClearColour);
    EXPECT_TRUE(std::none_of(renderer.groups.begin(), renderer.groups.end(), [&](CSpriteGroup* g) {
        return g == &r->m_boardGroup;
    })) << "no board pictures in the symbol view";
    EXPECT_EQ(renderer.ItemsWith("abstract\\res.bmp").size(), 1u);
    EXPECT_EQ(renderer.presented, 1);

    ex.m_realView = 1;
    view.Paint(2);
    EXPECT_EQ(renderer.clearColour, 0xFFFFFFFFu) << "white board by default";
    EXPECT_TRUE(renderer.ItemsWith("abstract\\res.bmp").empty());
}

// --- selection hints and property windows -------------------------------------

TEST_F(BoardViewTest, SelectionHints) {
    const std::string panel = "可以单击鼠标右键弹出菜单进入属性栏的面板区对本器材进行具体的操作";
    const std::string sw = "双击开关处闭合，双击附近其他处断开本开关";
    struct Case {
        int type;
        std::string text;
        int duration;
    };
    const Case cases[] = {
        {TYPE_RESISTANCE_BOX, panel, 4000},   {TYPE_MULTIMETER, panel, 4000},
        {TYPE_OSCILLOSCOPE, panel, 4000},     {TYPE_DC_SOURCE, panel, 4000},
        {TYPE_SIGNAL_GENERATOR, panel, 4000}, {TYPE_SINGLE_SWITCH, sw, 4000},
        {TYPE_DOUBLE_SWITCH, sw, 4000},       {TYPE_VERTICAL_DOUBLE_SWITCH, sw, 4000},
        {TYPE_RESISTANCE, "", 2000},          {TYPE_AC_SOURCE, "", 2000},
        {TYPE_LEVEL_METER, "", 2000},         {-1, "", 2000}, // nothing selected
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        std::unique_ptr<CComponent> device(c.type >= 0 ? CreateDevice(c.type) : nullptr);
        renderer.notices.clear();
        SelectObject(ex, device.get());
        EXPECT_EQ(ex.m_boardState.selection, device.get());
        ASSERT_EQ(renderer.notices.size(), 1u);
        const CNotice& n = renderer.notices[0];
        EXPECT_EQ(n.kind, NOTICE_INFORMATION);
        EXPECT_EQ(n.text, c.text);
        EXPECT_EQ(n.duration, c.duration);
        EXPECT_EQ(n.x, 0);
        EXPECT_EQ(n.y, 0);
        EXPECT_EQ(n.active, 1);
    }
    ex.m_boardState.selection = nullptr;
}

TEST_F(BoardViewTest, PropertyWindowGroups) {
    struct Case {
        int type;
        int code;
        std::vector<bool> visibleAfter; // windows 0..3, all visible before
    };
    const Case cases[] = {
        {TYPE_RESISTANCE, 0, {true, false, true, false}},
        {TYPE_SLIDE_RHEOSTAT, 0, {true, false, true, false}},
        {TYPE_AMMETER_PLUG_BOARD, 0, {true, false, true, false}},
        {TYPE_MULTIMETER, 3, {false, false, true, true}},
        {TYPE_GALVANOMETER, 3, {false, false, true, true}},
        {TYPE_OSCILLOSCOPE, 2, {true, true, true, true}},
        {TYPE_LEVEL_METER, 2, {true, true, true, true}},
        {TYPE_DC_SOURCE, 1, {false, true, true, false}},
        {TYPE_DC_VOLTMETER, 1, {false, true, true, false}},
        {TYPE_DC_AMMETER, 1, {false, true, true, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        std::unique_ptr<CComponent> device(CreateDevice(c.type));
        for (FakePropertyWindow& w : windows)
            w.visible = true;
        ShowPropertyWindowOf(&services, device.get());
        std::vector<bool> visible;
        for (const FakePropertyWindow& w : windows)
            visible.push_back(w.visible);
        EXPECT_EQ(visible, c.visibleAfter);
        EXPECT_EQ(Codes(), std::vector<int>{c.code});
        EXPECT_EQ(PropertyGroupOf(c.type), c.code);
    }
    // Window 2 is shown for its own group, never hidden for another.
    windows[2].visible = false;
    std::unique_ptr<CComponent> scope(CreateDevice(TYPE_OSCILLOSCOPE));
    ShowPropertyWindowOf(&services, scope.get());
    EXPECT_TRUE(windows[2].visible);
}

// --- labels -------------------------------------------------------------------

TEST(BoardLabelTest, NamesAndValues) {
    struct Case {
        int type;
        std::function<void(CDevice&)> set;
        std::string text;
        int above;
    };
    const Case cases[] = {
        {TYPE_RESISTANCE, [](CDevice& d) { static_cast<CResistance&>(d).m_resistance = 470; }, "X 470Ω", 20},
        {TYPE_RESISTANCE, [](CDevice& d) { static_cast<CResistance&>(d).m_resistance = 1.5e6f; },
         "X 1.5e+06Ω", 20},
        {TYPE_SLIDE_RHEOSTAT, [](CDevice& d) { static_cast<CSlideRheostat&>(d).m_fraction = 0.257; }, "X 25%",
         20},
        {TYPE_SLIDE_RHEOSTAT, [](CDevice& d) { static_cast<CSlideRheostat&>(d).m_fraction = 1; }, "X 100%",
         20},
        {TYPE_RESISTANCE_BOX,
         [](CDevice& d) {
             auto& box = static_cast<CResistanceBox&>(d);
             for (CKnob& k : box.m_decades)
                 k.SetPosition(0);
             box.m_decades[0].SetPosition(3);
             box.m_decades[2].SetPosition(5);
         },
         "X 503Ω", 25},
        {TYPE_INDUCTANCE, [](CDevice& d) { static_cast<CInductance&>(d).m_inductance = 0.5f; }, "X 0.5H", 30},
        {TYPE_CAPACITANCE, [](CDevice& d) { static_cast<CCapacitance&>(d).m_capacitance = 4.7f; }, "X 4.7μF",
         20},
        {TYPE_CAPACITANCE_BOX, [](CDevice& d) { static_cast<CCapacitanceBox&>(d).m_total = 0.125f; },
         "X 0.125μF", 25},
        {TYPE_DC_SOURCE, [](CDevice&) {}, "X", 20},
        {TYPE_OSCILLOSCOPE, [](CDevice&) {}, "X", 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::unique_ptr<CComponent> made(CreateDevice(c.type));
        auto& device = static_cast<CDevice&>(*made);
        device.m_name = "X";
        device.SetRegion(40, 300, 140, 330);
        c.set(device);
        const std::optional<CBoardLabel> label = BoardLabelOf(device);
        ASSERT_TRUE(label);
        EXPECT_EQ(label->text, c.text);
        EXPECT_EQ(label->x, 40);
        EXPECT_EQ(label->y, 300 - c.above);
    }
    CNode node;
    CWire wire;
    EXPECT_FALSE(BoardLabelOf(node));
    EXPECT_FALSE(BoardLabelOf(wire));
}

// --- the tool controller ------------------------------------------------------

class ScriptedTool : public CBoardTool {
  public:
    ScriptedTool(std::string name, std::vector<std::string>& log) : m_name(std::move(name)), m_log(log) {}
    bool WantsEvent(const CBoardEvent& e) override {
        m_log.push_back(m_name + ".wants" + std::to_string(e.kind));
        return wants;
    }
    void Begin(const CBoardEvent& e) override { m_log.push_back(m_name + ".begin" + std::to_string(e.kind)); }
    bool Handle(const CBoardEvent& e) override {
        m_log.push_back(m_name + ".handle" + std::to_string(e.kind));
        return e.kind == EVENT_LEFT_UP ? false : stays;
    }
    bool wants = false;
    bool stays = true;

  private:
    std::string m_name;
    std::vector<std::string>& m_log;
};

class ScriptedFilter : public CEventFilter {
  public:
    ScriptedFilter(std::string name, std::vector<std::string>& log, bool accepts)
        : m_name(std::move(name)), m_log(log), m_accepts(accepts) {}
    bool Accepts(const CBoardEvent&) override {
        m_log.push_back(m_name + ".accepts");
        return m_accepts;
    }
    void Handle(const CBoardEvent&) override { m_log.push_back(m_name + ".handle"); }

  private:
    std::string m_name;
    std::vector<std::string>& m_log;
    bool m_accepts;
};

class ControllerTest : public ::testing::Test {
  protected:
    ControllerTest() {
        first = Add("first");
        second = Add("second");
        fallback = Add("default");
        fallback->wants = true;
        controller.SetDefaultTool(fallback);
    }
    ScriptedTool* Add(const char* name) {
        return static_cast<ScriptedTool*>(controller.AddTool(std::make_unique<ScriptedTool>(name, log)));
    }
    std::vector<std::string> Dispatch(int kind) {
        log.clear();
        controller.Dispatch(MakeEvent(kind, 0, 0));
        return log;
    }
    std::vector<std::string> log;
    CToolController controller;
    ScriptedTool *first, *second, *fallback;
};

TEST_F(ControllerTest, TheFirstVolunteerTakesOverUntilItsHandleReturnsFalse) {
    second->wants = true;
    EXPECT_EQ(Dispatch(EVENT_LEFT_DOWN),
              (std::vector<std::string>{"first.wants0", "second.wants0", "second.begin0", "second.handle0"}));
    EXPECT_EQ(controller.CurrentTool(), second);
    EXPECT_EQ(Dispatch(EVENT_MOVE), std::vector<std::string>{"second.handle2"})
        << "moves go to the current tool";
    EXPECT_EQ(Dispatch(EVENT_RIGHT_DOWN), std::vector<std::string>{"second.handle3"});
    EXPECT_EQ(Dispatch(EVENT_LEFT_UP), (std::vector<std::string>{"second.handle1", "default.begin1"}));
    EXPECT_TRUE(controller.InDefaultTool());
}

TEST_F(ControllerTest, TheDefaultToolHandlesWhatNobodyWantsAndStaysDefault) {
    EXPECT_EQ(Dispatch(EVENT_LEFT_DOWN),
              (std::vector<std::string>{"first.wants0", "second.wants0", "default.wants0", "default.begin0",
                                        "default.handle0"}));
    EXPECT_TRUE(controller.InDefaultTool());
    EXPECT_EQ(Dispatch(EVENT_MOVE), std::vector<std::string>{"default.handle2"})
        << "moves never ask for volunteers";
}

TEST_F(ControllerTest, OnlyTheFirstAcceptingFilterHandlesAndTheToolsAreStillAsked) {
    controller.AddFilter(std::make_unique<ScriptedFilter>("no", log, false));
    controller.AddFilter(std::make_unique<ScriptedFilter>("yes", log, true));
    controller.AddFilter(std::make_unique<ScriptedFilter>("late", log, true));
    first->wants = true;
    EXPECT_EQ(Dispatch(EVENT_LEFT_DOWN),
              (std::vector<std::string>{"no.accepts", "yes.accepts", "yes.handle", "first.wants0",
                                        "first.begin0", "first.handle0"}));
    EXPECT_EQ(Dispatch(EVENT_RIGHT_DOWN), std::vector<std::string>{"first.handle3"})
        << "filters only see events while the default tool is current";
}

TEST_F(ControllerTest, PlacementStartsFromThePendingDeviceAndEndsWithThePlaceTool) {
    ScriptedTool* place = Add("place");
    int offers = 0, ends = 0;
    bool pending = false;
    controller.SetPlacement(
        place,
        [&] {
            ++offers;
            return pending;
        },
        [&] { ++ends; });
    Dispatch(EVENT_MOVE);
    EXPECT_FALSE(controller.Placing());
    pending = true;
    EXPECT_EQ(Dispatch(EVENT_MOVE), (std::vector<std::string>{"place.begin2", "place.handle2"}));
    EXPECT_TRUE(controller.Placing());
    Dispatch(EVENT_MOVE);
    EXPECT_EQ(offers, 2) << "not asked again while placing";
    EXPECT_EQ(ends, 0);
    EXPECT_EQ(Dispatch(EVENT_LEFT_UP), (std::vector<std::string>{"place.handle1", "default.begin1"}));
    EXPECT_FALSE(controller.Placing());
    EXPECT_EQ(ends, 1);

    // Another tool busy: the pending device waits for the default tool.
    first->wants = true;
    pending = false;
    Dispatch(EVENT_LEFT_DOWN);
    pending = true;
    EXPECT_EQ(Dispatch(EVENT_MOVE), std::vector<std::string>{"first.handle2"});
    EXPECT_FALSE(controller.Placing());
}

} // namespace
} // namespace ampera::testing
