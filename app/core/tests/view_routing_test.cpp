// The right-button press, property codes, the property-bar toggles and the
// view options, with fake tool windows.
#include "app/core/command_ids.h"
#include "app/core/edit_commands.h"
#include "app/core/menu_rules.h"
#include "app/core/view_routing.h"
#include "app_fixture.h"

namespace ampera::testing {
namespace {

class RoutingTest : public AppTest {
  protected:
    // Queued commands, run as the frame loop would.
    CommandSink Sink() {
        return [this](EditCommandPtr command) { queued.push_back(std::move(command)); };
    }
    void RunQueued() {
        for (auto& command : queued)
            command->Do();
        queued.clear();
    }
    std::vector<bool> Visible() const {
        return {windows[0].visible, windows[1].visible, windows[2].visible, windows[3].visible};
    }
    static int CentreX(const CDevice* d) { return static_cast<int>((Region(d).left + Region(d).right) / 2); }
    static int CentreY(const CDevice* d) { return static_cast<int>((Region(d).top + Region(d).bottom) / 2); }
    CRightPressResult PressOn(const CDevice* d) {
        return RouteRightPress(ex, &services, CentreX(d), CentreY(d));
    }

    std::vector<EditCommandPtr> queued;
    CMenuModel model;
};

TEST_F(RoutingTest, RightClickOnAMultimeterMovesTheBarToWindowThreeWhichShowsIt) {
    CDevice* meter = Place(TYPE_MULTIMETER, 300, 300);
    windows[0].visible = true;
    const CRightPressResult hit = PressOn(meter);
    EXPECT_EQ(hit.item, meter);
    EXPECT_EQ(hit.itemType, TYPE_MULTIMETER);
    EXPECT_EQ(ex.m_boardState.selection, meter);
    EXPECT_TRUE(Outlined(meter));
    EXPECT_EQ(Visible(), (std::vector<bool>{false, false, false, true}));
    ASSERT_EQ(posted, (std::vector<int>{3}));
    HandleMainCode(services, posted[0], ex.m_boardState.selection);
    EXPECT_EQ(windows[3].device, meter);
    EXPECT_EQ(windows[0].device, nullptr);
}

TEST_F(RoutingTest, GroupsShowAndHideTheirWindowsOnlyWhileTheBarIsOpen) {
    struct Case {
        int type;
        std::vector<bool> before, after;
        int code;
    };
    const std::vector<Case> cases = {
        {TYPE_RESISTANCE, {false, false, false, false}, {false, false, false, false}, 0},
        {TYPE_RESISTANCE, {false, true, true, false}, {true, false, true, false}, 0},
        {TYPE_RESISTANCE_BOX, {false, true, false, false}, {false, false, false, true}, 3},
        {TYPE_DC_SOURCE, {true, false, false, true}, {false, true, false, false}, 1},
        {TYPE_DC_SOURCE, {false, false, false, true}, {false, false, false, false}, 1},
        {TYPE_OSCILLOSCOPE, {true, false, false, false}, {true, false, false, false}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        ex.ClearExperiment();
        posted.clear();
        CDevice* d = Place(c.type, 300, 300);
        for (int i = 0; i < 4; ++i)
            windows[i].visible = c.before[i];
        PressOn(d);
        EXPECT_EQ(Visible(), c.after);
        EXPECT_EQ(posted, (std::vector<int>{c.code}));
    }
}

TEST_F(RoutingTest, RightClickOnEmptyBoardClearsTheSelectionAndPostsNothing) {
    CDevice* r = Place(TYPE_RESISTANCE, 300, 300);
    ex.m_boardState.selection = r;
    ex.m_boardState.outlines = {Region(r)};
    const CRightPressResult result = RouteRightPress(ex, &services, 10, 10);
    EXPECT_EQ(result.item, nullptr);
    EXPECT_EQ(result.itemType, kNoContextItem);
    EXPECT_TRUE(result.hasComponents);
    EXPECT_TRUE(result.hasDevices);
    EXPECT_EQ(ex.m_boardState.selection, nullptr);
    EXPECT_EQ(ex.m_boardState.outlines.size(), 1u) << "the outline stays when nothing is hit";
    EXPECT_TRUE(posted.empty());
}

TEST_F(RoutingTest, RightClickOnAWireSelectsItWithoutAnOutline) {
    CDevice* a = Place(TYPE_RESISTANCE, 200, 200);
    CDevice* b = Place(TYPE_RESISTANCE, 200, 400);
    CWire* wire = ex.AddWire(T(a, 1), T(b, 1));
    wire->m_points.insert(wire->m_points.begin() + 1, CPoint{600, wire->m_points[0].y});
    wire->m_points.insert(wire->m_points.begin() + 2, CPoint{600, wire->m_points.back().y});
    ex.m_boardState.outlines.clear();
    const int y = (wire->m_points[1].y + wire->m_points[2].y) / 2;

    EXPECT_TRUE(wire->HitTest(602, y));
    EXPECT_FALSE(wire->HitTest(605, y));
    CRightPressCommand command(ex, &services, 601, y, nullptr, [&](const CRightPressResult& r) {
        EXPECT_EQ(r.item, wire);
        EXPECT_EQ(r.itemType, TYPE_WIRE);
        EXPECT_TRUE(r.defaultTool);
    });
    command.Do();
    EXPECT_EQ(ex.m_boardState.selection, wire);
    EXPECT_TRUE(ex.m_boardState.outlines.empty());
    EXPECT_EQ(posted, (std::vector<int>{1}));
}

TEST_F(RoutingTest, LeftReleaseSelectsTheLastComponentHitAndKeepsTheSelectionOnEmptyBoard) {
    CDevice* below = Place(TYPE_RESISTANCE, 300, 300);
    CDevice* above = Place(TYPE_RESISTANCE, 310, 300); // overlaps, made later
    std::vector<CComponent*> handed;
    auto record = [&](CComponent* c) { handed.push_back(c); };
    CLeftReleaseCommand(ex, 305, 300, record).Do();
    EXPECT_EQ(ex.m_boardState.selection, above);
    EXPECT_EQ(FirstHit(ex, 305, 300), below);
    CLeftReleaseCommand(ex, 5, 5, record).Do();
    EXPECT_EQ(ex.m_boardState.selection, above);
    EXPECT_EQ(handed, (std::vector<CComponent*>{above, nullptr}));
}

TEST_F(RoutingTest, PropertyCodesShowTheSelectionInTheirWindowOrHideEverything) {
    CDevice* r = Place(TYPE_RESISTANCE);
    for (int code = 0; code < 4; ++code)
        HandlePropertyCode(services, code, r);
    EXPECT_EQ(windows[0].device, r);
    EXPECT_EQ(windows[1].device, r) << "window 1 shows a selection of any group";
    EXPECT_EQ(windows[2].device, nullptr);
    EXPECT_EQ(windows[3].device, nullptr);

    for (auto& w : windows)
        w.visible = true;
    HandlePropertyCode(services, 2, nullptr);
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(windows[i].visible) << i;
        EXPECT_EQ(windows[i].device, nullptr) << i;
    }

    HandleMainCode(services, MAIN_CODE_CURSOR_MOVE, nullptr);
    EXPECT_EQ(static_cast<FakePlatform&>(services.Platform()).cursor, 1);
    HandleMainCode(services, MAIN_CODE_CURSOR_UP, nullptr);
    EXPECT_EQ(static_cast<FakePlatform&>(services.Platform()).cursor, 2);
}

TEST_F(RoutingTest, ShowingThePropertyBarAfterARightClickOpensTheResistorsWindow) {
    CDevice* r = Place(TYPE_RESISTANCE, 300, 300);
    const CRightPressResult hit = PressOn(r);
    EXPECT_EQ(Visible(), (std::vector<bool>{false, false, false, false})) << "no window opens by itself";
    posted.clear();

    TogglePropertyBar(ex, services, hit.item, Sink());
    EXPECT_EQ(Visible(), (std::vector<bool>{true, false, false, false}));
    RunQueued();
    ASSERT_EQ(posted, (std::vector<int>{0}));
    HandleMainCode(services, posted[0], ex.m_boardState.selection);
    EXPECT_EQ(windows[0].device, r);

    TogglePropertyBar(ex, services, hit.item, Sink());
    EXPECT_EQ(Visible(), (std::vector<bool>{false, false, false, false}));
    TogglePropertyBar(ex, services, nullptr, Sink());
    EXPECT_TRUE(queued.size() == 1 && Visible() == (std::vector<bool>{false, false, false, false}));
}

TEST_F(RoutingTest, ScreenDevicesToggleWindowTwo) {
    CDevice* scope = Place(TYPE_OSCILLOSCOPE, 300, 300);
    TogglePropertyBar(ex, services, scope, Sink());
    EXPECT_TRUE(windows[2].visible);
    TogglePropertyWindow2(ex, services, scope, Sink());
    EXPECT_FALSE(windows[2].visible);
    RunQueued();
    EXPECT_EQ(posted, (std::vector<int>{2, 2}));
    EXPECT_EQ(ex.m_boardState.selection, scope);
}

TEST_F(RoutingTest, SwitchingViewsHidesTheBarsAndBackDoesNotReopenThem) {
    CDevice* r = Place(TYPE_RESISTANCE);
    deviceWindow.visible = windows[0].visible = windows[2].visible = true;

    EXPECT_FALSE(SwitchView(ex, &services, r, model, Sink()));
    EXPECT_EQ(ex.m_realView, 0);
    EXPECT_FALSE(deviceWindow.visible);
    EXPECT_FALSE(windows[0].visible);
    EXPECT_TRUE(windows[2].visible);
    EXPECT_EQ(model.SwitchViewText(), "进入实物图");
    EXPECT_FALSE(model.Menu(CMD_DEVICE_BAR).enabled);
    EXPECT_FALSE(model.Tool(CMD_COLOUR_SETTINGS).enabled);

    EXPECT_TRUE(SwitchView(ex, &services, r, model, Sink()));
    EXPECT_EQ(ex.m_realView, 1);
    EXPECT_FALSE(deviceWindow.visible);
    EXPECT_FALSE(windows[0].visible);
    EXPECT_TRUE(model.Menu(CMD_DEVICE_BAR).enabled);
    EXPECT_EQ(model.SwitchViewText(), "进入符号图");

    ASSERT_EQ(queued.size(), 2u);
    RunQueued();
    EXPECT_EQ(ex.m_boardState.selection, r);
    EXPECT_EQ(posted, (std::vector<int>{0, 0}));
}

TEST_F(RoutingTest, NamesAndDeviceBarTogglesComeBackAfterTwoClicks) {
    EXPECT_FALSE(ToggleNames(ex, model, Sink()));
    EXPECT_FALSE(model.Menu(CMD_NAMES).checked);
    EXPECT_TRUE(ToggleNames(ex, model, Sink()));
    EXPECT_EQ(ex.m_showNames, 1);
    EXPECT_TRUE(model.Menu(CMD_NAMES).checked);
    EXPECT_EQ(queued.size(), 2u) << "each toggle queues a repaint";

    EXPECT_TRUE(ToggleDeviceBar(services, model));
    EXPECT_TRUE(deviceWindow.visible);
    EXPECT_TRUE(model.Menu(CMD_DEVICE_BAR).checked);
    EXPECT_FALSE(ToggleDeviceBar(services, model));
    EXPECT_FALSE(deviceWindow.visible);
    EXPECT_FALSE(model.Menu(CMD_DEVICE_BAR).checked);
}

} // namespace
} // namespace ampera::testing
