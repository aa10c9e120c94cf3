// Menu and toolbar states: the initial tables, the timer's enabling rules,
// the immediate changes and the context menu.
#include "app/core/command_ids.h"
#include "app/core/menu_rules.h"
#include "core/component.h"
#include "devices/device.h"
#include "devices/kind_registry.h"

#include <algorithm>
#include <memory>

#include <gtest/gtest.h>

namespace ampera::testing {
namespace {

TEST(MenuModelTest, StartsWithTheInitialStatesOfMenuAndToolbar) {
    struct Case {
        int id;
        bool menuEnabled, menuChecked, toolEnabled;
    };
    const Case cases[] = {
        {CMD_NEW, true, false, true},           {CMD_SAVE_AS, true, false, false /*no button*/},
        {CMD_UNDO, false, false, false},        {CMD_REDO, false, false, false},
        {CMD_ROTATE_LEFT, false, false, false}, {CMD_DELETE, false, false, false},
        {CMD_DELETE_ALL, false, false, false},  {CMD_NAMES, false, true, false},
        {CMD_SWITCH_VIEW, false, false, false}, {CMD_DEVICE_BAR, true, false, true},
        {CMD_TOOLBAR, true, true, false},       {CMD_COLOUR_SETTINGS, true, false, true},
        {CMD_ABOUT, true, false, true},
    };
    CMenuModel model;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(model.Menu(c.id).enabled, c.menuEnabled);
        EXPECT_EQ(model.Menu(c.id).checked, c.menuChecked);
        EXPECT_EQ(model.Tool(c.id).enabled, c.toolEnabled);
    }
    EXPECT_EQ(model.SwitchViewText(), "进入符号图");
    EXPECT_TRUE(model.ToolbarVisible());
    EXPECT_EQ(ToolbarItems().size(), 15u);
    EXPECT_EQ(ToolbarItems()[9].id, CMD_SWITCH_VIEW);
    EXPECT_STREQ(ToolbarItems()[9].tooltip, "显示符号图");
}

struct RuleCase {
    const char* name;
    CEnablingInputs in;
    // Expected menu states of Undo, Redo, Rotate left, Delete, Delete all,
    // Names; toolbar states of Redo, Delete, Names.
    bool undo, redo, rotate, del, delAll, names;
    bool toolRedo, toolDelete, toolNames;
};

class EnablingRulesTest : public ::testing::TestWithParam<RuleCase> {};

TEST_P(EnablingRulesTest, SetsMenuAndToolbarStates) {
    const RuleCase& c = GetParam();
    CMenuModel model; // initial: the operation items grayed
    ApplyEnablingRules(model, c.in);
    EXPECT_EQ(model.Menu(CMD_UNDO).enabled, c.undo);
    EXPECT_EQ(model.Tool(CMD_UNDO).enabled, c.undo);
    EXPECT_EQ(model.Menu(CMD_REDO).enabled, c.redo);
    EXPECT_EQ(model.Menu(CMD_ROTATE_LEFT).enabled, c.rotate);
    EXPECT_EQ(model.Menu(CMD_ROTATE_RIGHT).enabled, c.rotate);
    EXPECT_EQ(model.Menu(CMD_DELETE).enabled, c.del);
    EXPECT_EQ(model.Menu(CMD_DELETE_ALL).enabled, c.delAll);
    EXPECT_EQ(model.Menu(CMD_NAMES).enabled, c.names);
    EXPECT_EQ(model.Menu(CMD_SWITCH_VIEW).enabled, c.names);
    EXPECT_EQ(model.Tool(CMD_REDO).enabled, c.toolRedo);
    EXPECT_EQ(model.Tool(CMD_DELETE).enabled, c.toolDelete);
    EXPECT_EQ(model.Tool(CMD_NAMES).enabled, c.toolNames);
    EXPECT_EQ(model.Tool(CMD_SWITCH_VIEW).enabled, c.toolNames);
}

INSTANTIATE_TEST_SUITE_P(Cases, EnablingRulesTest,
                         ::testing::Values(RuleCase{"NoDevicesOnlyHistories",
                                                    {0, false, -1, 1, 0},
                                                    true,
                                                    false,
                                                    false,
                                                    false,
                                                    false,
                                                    false,
                                                    false,
                                                    false,
                                                    false},
                                           RuleCase{"SelectedResistorTurns",
                                                    {2, true, TYPE_RESISTANCE, 0, 0},
                                                    false,
                                                    false,
                                                    true,
                                                    true,
                                                    true,
                                                    true,
                                                    false,
                                                    true,
                                                    true},
                                           // The DC source turns (its kind says so; the menu follows).
                                           RuleCase{"SelectedSourceTurns",
                                                    {2, true, TYPE_DC_SOURCE, 0, 1},
                                                    false,
                                                    true,
                                                    true,
                                                    true,
                                                    true,
                                                    true,
                                                    true,
                                                    true,
                                                    true},
                                           RuleCase{"SelectedWire",
                                                    {1, true, TYPE_WIRE, 2, 0},
                                                    true,
                                                    false,
                                                    false,
                                                    true,
                                                    true,
                                                    true,
                                                    false,
                                                    true,
                                                    true},
                                           RuleCase{"NothingSelected",
                                                    {1, false, -1, 0, 0},
                                                    false,
                                                    false,
                                                    false,
                                                    false,
                                                    true,
                                                    true,
                                                    false,
                                                    false,
                                                    true},
                                           RuleCase{"NothingSelectedButHistories",
                                                    {1, false, -1, 3, 2},
                                                    true,
                                                    true,
                                                    false,
                                                    false,
                                                    true,
                                                    true,
                                                    true,
                                                    false,
                                                    true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MenuModelTest, WithoutDevicesTheTimerLeavesTheOtherItemsAsTheyWere) {
    CMenuModel model;
    ApplyEnablingRules(model, {3, true, TYPE_RESISTANCE, 1, 0});
    ApplyEnablingRules(model, {0, false, -1, 1, 0});
    EXPECT_TRUE(model.Menu(CMD_DELETE).enabled);
    EXPECT_TRUE(model.Menu(CMD_ROTATE_LEFT).enabled);
}

TEST(MenuModelTest, RecordingAfterUndoGraysRedoAtTheNextTick) {
    CMenuModel model;
    OnUndoChosen(model, 3);
    EXPECT_TRUE(model.Menu(CMD_REDO).enabled);
    EXPECT_TRUE(model.Menu(CMD_UNDO).enabled) << "two steps remain to undo";
    EXPECT_FALSE(model.Tool(CMD_DELETE).enabled);
    ApplyEnablingRules(model, {1, true, TYPE_RESISTANCE, 1, 0}); // a new command emptied redo
    EXPECT_FALSE(model.Menu(CMD_REDO).enabled);
    EXPECT_FALSE(model.Tool(CMD_REDO).enabled);
}

// Pressed again at once, Undo and Redo still take the next step: they gray
// only when the one taken was the last (a second press within the timer's
// tick was lost before).
TEST(MenuModelTest, UndoAndRedoStayEnabledWhileStepsRemain) {
    CMenuModel model;
    OnUndoChosen(model, 2);
    EXPECT_TRUE(model.Menu(CMD_UNDO).enabled);
    EXPECT_TRUE(model.Tool(CMD_UNDO).enabled);
    OnUndoChosen(model, 1);
    EXPECT_FALSE(model.Menu(CMD_UNDO).enabled) << "the last step was undone";
    EXPECT_TRUE(model.Menu(CMD_REDO).enabled);
    OnRedoChosen(model, 2);
    EXPECT_TRUE(model.Menu(CMD_REDO).enabled);
    EXPECT_TRUE(model.Menu(CMD_UNDO).enabled);
    OnRedoChosen(model, 1);
    EXPECT_FALSE(model.Menu(CMD_REDO).enabled);
}

TEST(MenuModelTest, ImmediateChangesOfDeleteAndDeleteAll) {
    CMenuModel model;
    ApplyEnablingRules(model, {2, true, TYPE_RESISTANCE, 0, 1});
    OnDeleteChosen(model, 2);
    EXPECT_TRUE(model.Menu(CMD_UNDO).enabled);
    EXPECT_TRUE(model.Menu(CMD_DELETE).enabled) << "devices remain";

    OnDeleteChosen(model, 1); // the last device goes
    for (int id : {CMD_REDO, CMD_ROTATE_LEFT, CMD_ROTATE_RIGHT, CMD_DELETE, CMD_DELETE_ALL, CMD_NAMES,
                   CMD_SWITCH_VIEW})
        EXPECT_FALSE(model.Menu(id).enabled) << id;
    for (int id : {CMD_REDO, CMD_DELETE, CMD_NAMES, CMD_SWITCH_VIEW})
        EXPECT_FALSE(model.Tool(id).enabled) << id;
    EXPECT_TRUE(model.Tool(CMD_UNDO).enabled);

    CMenuModel all;
    ApplyEnablingRules(all, {2, true, TYPE_RESISTANCE, 0, 0});
    OnDeleteAllChosen(all);
    EXPECT_FALSE(all.Menu(CMD_DELETE_ALL).enabled);
    EXPECT_TRUE(all.Tool(CMD_NAMES).enabled) << "Delete all changes only the menu";
    ApplyEnablingRules(all, {2, false, -1, 0, 0}); // Undo brought the devices back
    EXPECT_TRUE(all.Menu(CMD_DELETE_ALL).enabled);
}

TEST(MenuModelTest, TogglesOfViewNamesDeviceBarAndToolbar) {
    CMenuModel model;
    ViewSwitchedState(model, false);
    EXPECT_EQ(model.SwitchViewText(), "进入实物图");
    EXPECT_FALSE(model.Menu(CMD_DEVICE_BAR).enabled);
    EXPECT_FALSE(model.Tool(CMD_COLOUR_SETTINGS).enabled);
    ViewSwitchedState(model, true);
    EXPECT_EQ(model.SwitchViewText(), "进入符号图");
    EXPECT_TRUE(model.Tool(CMD_DEVICE_BAR).enabled);
    EXPECT_TRUE(model.Menu(CMD_COLOUR_SETTINGS).enabled);

    EXPECT_EQ(ToggleToolbar(model), 0);
    EXPECT_FALSE(model.Menu(CMD_TOOLBAR).checked);
    EXPECT_EQ(ToggleToolbar(model), kToolbarHeight);
    EXPECT_TRUE(model.Menu(CMD_TOOLBAR).checked);

    const unsigned revision = model.Revision();
    DeviceBarState(model, true);
    EXPECT_TRUE(model.Menu(CMD_DEVICE_BAR).checked);
    EXPECT_GT(model.Revision(), revision);
}

// The two file submenus are grayed while empty; the rule touches nothing
// else, so it cannot gray a command by mistake.
TEST(MenuModelTest, FileSubmenusAreGrayedWhileTheyHaveNothingToOffer) {
    CMenuModel model;
    EXPECT_TRUE(IsSubmenu(CMD_EXAMPLES_MENU));
    EXPECT_TRUE(IsSubmenu(CMD_RECENT_MENU));
    EXPECT_FALSE(IsSubmenu(CMD_OPEN));
    EXPECT_TRUE(model.Menu(CMD_EXAMPLES_MENU).enabled);
    EXPECT_FALSE(model.Menu(CMD_RECENT_MENU).enabled) << "no list read yet";
    EXPECT_FALSE(model.HasToolItem(CMD_RECENT_MENU));

    SubmenuState(model, CMD_RECENT_MENU, true);
    SubmenuState(model, CMD_EXAMPLES_MENU, false);
    EXPECT_TRUE(model.Menu(CMD_RECENT_MENU).enabled);
    EXPECT_FALSE(model.Menu(CMD_EXAMPLES_MENU).enabled);
    SubmenuState(model, CMD_SAVE, false);
    EXPECT_TRUE(model.Menu(CMD_SAVE).enabled);
}

// --- Context menu ---

std::vector<std::string> Texts(const std::vector<CContextMenuItem>& items) {
    std::vector<std::string> texts;
    for (const CContextMenuItem& item : items)
        texts.push_back(item.separator ? "-" : item.text);
    return texts;
}

struct MenuCase {
    const char* name;
    CContextMenuInputs in;
    std::vector<std::string> texts;
};

class ContextMenuTest : public ::testing::TestWithParam<MenuCase> {};

TEST_P(ContextMenuTest, OffersTheItemsInOrder) {
    EXPECT_EQ(Texts(BuildContextMenu(GetParam().in)), GetParam().texts);
}

CContextMenuInputs Board(int type) {
    CContextMenuInputs in;
    in.contextType = type;
    in.hasComponents = in.hasDevices = true;
    return in;
}

CContextMenuInputs WithHistories(CContextMenuInputs in) {
    in.undoSize = 2;
    in.deviceWindowVisible = true;
    in.propertyBarVisible = true;
    in.namesShown = false;
    return in;
}

CContextMenuInputs Symbol() {
    CContextMenuInputs in = Board(TYPE_RESISTANCE);
    in.realView = false;
    return in;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ContextMenuTest,
    ::testing::Values(MenuCase{"Wire",
                               Board(TYPE_WIRE),
                               {"显示器材栏[&A]", "-", "不显示名称参数[&S]", "进入符号图[&B]", "删除器材[&D]",
                                "改变颜色[&C]"}},
                      MenuCase{"Resistor",
                               Board(TYPE_RESISTANCE),
                               {"显示器材栏[&A]", "显示属性栏[&P]", "-", "向左旋转[&L]", "向右旋转[&R]", "-",
                                "不显示名称参数[&S]", "进入符号图[&B]", "删除器材[&D]"}},
                      MenuCase{"ResistorWithHistoryAndWindows",
                               WithHistories(Board(TYPE_RESISTANCE)),
                               {"撤销[&Z]", "-", "隐藏器材栏[&A]", "隐藏属性栏[&P]", "-", "向左旋转[&L]",
                                "向右旋转[&R]", "-", "显示名称参数[&S]", "进入符号图[&B]", "删除器材[&D]"}},
                      MenuCase{"Oscilloscope",
                               Board(TYPE_OSCILLOSCOPE),
                               {"显示器材栏[&A]", "显示属性栏[&P]", "-", "不显示名称参数[&S]",
                                "进入符号图[&B]", "删除器材[&D]"}},
                      MenuCase{
                          "EmptyBoardWithComponents",
                          Board(kNoContextItem),
                          {"显示器材栏[&A]", "删除全部器材[&E]", "不显示名称参数[&S]", "进入符号图[&B]"}},
                      MenuCase{"EmptyExperiment", CContextMenuInputs{}, {"显示器材栏[&A]", "进入符号图[&B]"}},
                      MenuCase{"SymbolView", Symbol(), {"进入实物图[&B]"}}),
    [](const auto& info) { return std::string(info.param.name); });

// The menu offers turning exactly for the kinds whose devices really turn,
// so a device the menu cannot turn is never left turned by a file, and the
// menu never offers a turn that does nothing.
TEST(RotationRuleTest, MenuOffersTurningExactlyWhereTheDeviceTurns) {
    for (const CKindEntry& entry : DeviceKinds()) {
        const int code = entry.kind->typeCode;
        SCOPED_TRACE(entry.kind->namePrefix);
        std::unique_ptr<CDevice> device(entry.create());
        device->RotateLeft();
        const bool turns = device->m_angleLeft == 90 && device->m_angleRight == 270;
        EXPECT_EQ(device->m_angleLeft != 0, turns) << "a turn sets both angles";

        CEnablingInputs selected{2, true, code, 0, 0};
        CMenuModel model;
        ApplyEnablingRules(model, selected);
        EXPECT_EQ(model.Menu(CMD_ROTATE_LEFT).enabled, turns);

        const auto items = BuildContextMenu(Board(code));
        const bool offered = std::any_of(items.begin(), items.end(),
                                         [](const CContextMenuItem& i) { return i.id == CMD_ROTATE_LEFT; });
        EXPECT_EQ(offered, turns);
    }
}

TEST(ContextMenuIdsTest, CarryTheCommandsOfTheirItems) {
    CContextMenuInputs in = Board(TYPE_LEVEL_METER);
    in.redoSize = 1;
    in.propertyWindow2Visible = true;
    const auto items = BuildContextMenu(in);
    ASSERT_GE(items.size(), 4u);
    EXPECT_EQ(items[0], (CContextMenuItem{"重做[&Y]", CMD_REDO, false}));
    EXPECT_EQ(items[3], (CContextMenuItem{"隐藏属性栏[&P]", CMD_PROPERTY_WINDOW_2, false}));
    EXPECT_EQ(items.back().id, CMD_DELETE);

    CContextMenuInputs wire = Board(TYPE_WIRE);
    EXPECT_EQ(BuildContextMenu(wire).back().id, CMD_WIRE_COLOUR);
    EXPECT_EQ(BuildContextMenu(Symbol()).front().id, CMD_SWITCH_VIEW);
}

// A locked experiment: no turns, no deletes, only unlocking; the menus of
// the board offer none of the edits either.
TEST(MenuModelTest, ALockedExperimentOffersNoEditsButUnlocking) {
    CMenuModel model;
    CEnablingInputs in;
    in.deviceCount = 2;
    in.hasSelection = true;
    in.selectionType = TYPE_RESISTANCE;
    ApplyEnablingRules(model, in);
    EXPECT_TRUE(model.Menu(CMD_ROTATE_LEFT).enabled);
    EXPECT_TRUE(model.Menu(CMD_LOCK).enabled);
    EXPECT_FALSE(model.Menu(CMD_UNLOCK).enabled);

    in.locked = true;
    ApplyEnablingRules(model, in);
    for (int id : {CMD_ROTATE_LEFT, CMD_ROTATE_RIGHT, CMD_DELETE, CMD_DELETE_ALL, CMD_LOCK}) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(model.Menu(id).enabled);
    }
    EXPECT_FALSE(model.Tool(CMD_DELETE).enabled);
    EXPECT_TRUE(model.Menu(CMD_UNLOCK).enabled);

    for (int type : {static_cast<int>(TYPE_RESISTANCE), static_cast<int>(TYPE_WIRE), kNoContextItem}) {
        SCOPED_TRACE(type);
        CContextMenuInputs board = type == kNoContextItem ? Board(TYPE_RESISTANCE) : Board(type);
        if (type == kNoContextItem) board.contextType = kNoContextItem;
        board.locked = true;
        for (const CContextMenuItem& item : BuildContextMenu(board))
            for (int edit : {CMD_ROTATE_LEFT, CMD_ROTATE_RIGHT, CMD_DELETE, CMD_DELETE_ALL, CMD_WIRE_COLOUR})
                EXPECT_NE(item.id, edit) << item.text;
    }
}

} // namespace
} // namespace ampera::testing
