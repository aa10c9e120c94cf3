// The editing commands on a real board: what Do and Undo change, that undo
// brings back the very same objects, and who frees removed objects.
#include "app/core/display_colours.h"
#include "app/core/edit_commands.h"
#include "app_fixture.h"
#include "views/board_tools.h"

#include <algorithm>

namespace ampera::testing {
namespace {

bool Attached(CNode* node, CComponent* object) {
    return std::count(node->m_attached.begin(), node->m_attached.end(), object) == 1;
}

// A node that reports its destruction: shows whether a command freed what it held.
struct ProbeNode : CNode {
    explicit ProbeNode(std::shared_ptr<bool> gone) : gone(std::move(gone)) {}
    ~ProbeNode() override { *gone = true; }
    std::shared_ptr<bool> gone;
};

class EditCommandTest : public AppTest {
  protected:
    // A resistor whose terminal 0 is wired to a DC source.
    void BuildCircuit() {
        source = Place(TYPE_DC_SOURCE, 150, 200);
        resistor = Place(TYPE_RESISTANCE, 400, 200);
        wire = ex.AddWire(T(resistor, 0), T(source, 0));
    }
    std::vector<CComponent*> Board() const { return {ex.AllObjects().begin(), ex.AllObjects().end()}; }

    CDevice* source = nullptr;
    CDevice* resistor = nullptr;
    CWire* wire = nullptr;
    CCommandHistory history;
};

TEST_F(EditCommandTest, DeleteThenUndoBringsBackTheSameResistorOnTheSameNodesAndRedoDeletesAgain) {
    BuildCircuit();
    CNode* wired = T(resistor, 0);
    CNode* loose = T(resistor, 1);
    ex.m_boardState.selection = resistor;
    ex.m_boardState.outlines = {Region(resistor)};

    auto command = std::make_shared<CDeleteCommand>(ex, resistor);
    history.Record(command);
    command->Do();
    EXPECT_FALSE(ex.Contains(resistor));
    EXPECT_TRUE(ex.Contains(wired)) << "the wired terminal stays on the board";
    EXPECT_FALSE(ex.Contains(loose)) << "the free terminal leaves with the resistor";
    EXPECT_FALSE(Attached(wired, resistor));
    EXPECT_EQ(ex.m_boardState.selection, nullptr);
    EXPECT_TRUE(ex.m_boardState.outlines.empty());

    history.Undo();
    EXPECT_TRUE(ex.Contains(resistor));
    ASSERT_EQ(resistor->m_terminals.size(), 2u);
    EXPECT_EQ(T(resistor, 0), wired);
    EXPECT_EQ(T(resistor, 1), loose);
    EXPECT_TRUE(ex.Contains(loose));
    EXPECT_TRUE(Attached(wired, resistor));
    EXPECT_TRUE(Attached(loose, resistor));
    EXPECT_EQ(history.RedoSize(), 1u);

    history.Redo();
    EXPECT_FALSE(ex.Contains(resistor));
    EXPECT_FALSE(ex.Contains(loose));
    EXPECT_EQ(history.UndoSize(), 1u);
}

TEST_F(EditCommandTest, UndoingAWireDeleteRestoresItsOwnColour) {
    BuildCircuit();
    wire->m_colour = 0xFF00FF00;
    PaintWire(*wire, kSelectedWireColour);
    CDeleteCommand command(ex, wire);
    command.Do();
    EXPECT_FALSE(ex.Contains(wire));
    EXPECT_TRUE(ex.Contains(T(resistor, 0))) << "device terminals stay when their wire goes";
    command.Undo();
    EXPECT_TRUE(Attached(T(resistor, 0), wire));
    EXPECT_TRUE(Attached(T(source, 0), wire));
    ASSERT_FALSE(wire->m_boardGroup.itemsB.empty());
    for (const CDrawItem& item : wire->m_boardGroup.itemsB)
        EXPECT_EQ(item.colour, 0xFF00FF00u);
}

TEST_F(EditCommandTest, ThreeLeftTurnsAndThreeUndosReturnToAngleZeroWithTheOutlineFollowing) {
    CDevice* r = Place(TYPE_RESISTANCE);
    for (int angle : {90, 180, 270}) {
        auto command = std::make_shared<CRotateLeftCommand>(ex, r);
        history.Record(command);
        command->Do();
        EXPECT_EQ(r->m_angleLeft, angle);
        EXPECT_TRUE(Outlined(r)) << "after turning to " << angle;
    }
    for (int angle : {180, 90, 0}) {
        history.Undo();
        EXPECT_EQ(r->m_angleLeft, angle);
        EXPECT_TRUE(Outlined(r)) << "after undoing to " << angle;
    }
    EXPECT_EQ(history.RedoSize(), 3u);
}

TEST_F(EditCommandTest, RotateRightUndoesWithALeftTurn) {
    CDevice* r = Place(TYPE_INDUCTANCE);
    CRotateRightCommand command(ex, r);
    command.Do();
    EXPECT_EQ(r->m_angleRight, 90);
    command.Undo();
    EXPECT_EQ(r->m_angleLeft, 0);
    EXPECT_EQ(r->m_angleRight, 0);
}

TEST_F(EditCommandTest, DeleteAllThenUndoRestoresEveryComponentNodeAndWire) {
    BuildCircuit();
    const std::vector<CComponent*> before = Board();
    const std::size_t devices = ex.Devices().size(), nodes = ex.Nodes().size(), wires = ex.Wires().size();
    ex.m_boardState.selection = resistor;

    auto command = std::make_shared<CDeleteAllCommand>(ex);
    history.Record(command);
    command->Do();
    EXPECT_TRUE(ex.AllObjects().empty());
    EXPECT_TRUE(ex.Devices().empty() && ex.Nodes().empty() && ex.Wires().empty());
    EXPECT_EQ(ex.m_boardState.selection, nullptr);

    ex.m_topologyDirty = 0;
    history.Undo();
    EXPECT_EQ(Board(), before);
    EXPECT_EQ(ex.Devices().size(), devices);
    EXPECT_EQ(ex.Nodes().size(), nodes);
    EXPECT_EQ(ex.Wires().size(), wires);
    EXPECT_TRUE(Attached(T(resistor, 0), wire)) << "attachments survive the round trip";
    EXPECT_TRUE(ex.m_topologyDirty) << "the restored board is solved again";
    ex.UpdateCircuit(0);
    EXPECT_FALSE(resistor->m_branches.empty());

    history.Redo();
    EXPECT_TRUE(ex.AllObjects().empty());
}

TEST_F(EditCommandTest, DeleteAllTakesTheBoardAsItIsWhenItRuns) {
    CDevice* first = Place(TYPE_RESISTANCE, 100, 100);
    CDeleteCommand deleteFirst(ex, first);
    CDeleteAllCommand deleteAll(ex); // made before either ran
    CDevice* later = Place(TYPE_CAPACITANCE, 300, 100);
    deleteFirst.Do();
    deleteAll.Do();
    EXPECT_TRUE(ex.AllObjects().empty());
    deleteAll.Undo();
    EXPECT_TRUE(ex.Contains(later));
    EXPECT_FALSE(ex.Contains(first)) << "the deleted resistor is not brought back twice";
    deleteFirst.Undo();
    EXPECT_TRUE(ex.Contains(first));
    EXPECT_EQ(T(first, 0)->m_attached.size(), 1u);
}

TEST_F(EditCommandTest, RecordingAfterUndoEmptiesRedoAndKeepsTheRestoredObjectAlive) {
    CDevice* r = Place(TYPE_RESISTANCE);
    auto del = std::make_shared<CDeleteCommand>(ex, r);
    history.Record(del);
    del->Do();
    history.Undo();
    del.reset();
    ASSERT_EQ(history.RedoSize(), 1u);

    auto turn = std::make_shared<CRotateLeftCommand>(ex, r);
    history.Record(turn);
    EXPECT_EQ(history.RedoSize(), 0u);
    turn->Do(); // the resistor was not freed with the discarded delete
    EXPECT_EQ(r->m_angleLeft, 90);
    EXPECT_TRUE(ex.Contains(r));
}

TEST_F(EditCommandTest, ADiscardedCommandFreesOnlyWhatItHoldsOffTheBoard) {
    auto goneDone = std::make_shared<bool>(false), goneUndone = std::make_shared<bool>(false);
    auto* held = new ProbeNode(goneDone);
    auto* restored = new ProbeNode(goneUndone);
    ex.AddObject(held, false);
    ex.AddObject(restored, false);

    auto deleteHeld = std::make_shared<CDeleteCommand>(ex, held);
    auto deleteRestored = std::make_shared<CDeleteCommand>(ex, restored);
    for (auto& command : {deleteHeld, deleteRestored}) {
        history.Record(command);
        command->Do();
    }
    history.Undo(); // `restored` is back on the board, its command in the redo history
    deleteHeld.reset();
    deleteRestored.reset();

    history.Clear();
    EXPECT_TRUE(*goneDone);
    EXPECT_FALSE(*goneUndone);
    EXPECT_TRUE(ex.Contains(restored));
}

TEST_F(EditCommandTest, ClearingHistoriesWithChainedDeletesFreesEachObjectOnce) {
    // The resistor goes first (its wired node stays), then the wire takes
    // that node with it: the node must be freed by exactly one command.
    BuildCircuit();
    for (CComponent* target : std::vector<CComponent*>{resistor, wire, source}) {
        auto command = std::make_shared<CDeleteCommand>(ex, target);
        history.Record(command);
        command->Do();
    }
    EXPECT_TRUE(ex.AllObjects().empty());
    history.Clear(); // a double free shows up under the address sanitizer
    Place(TYPE_RESISTANCE);
    EXPECT_EQ(ex.Devices().size(), 1u);
}

TEST_F(EditCommandTest, CommandsMadeBeforeTheExperimentWasClearedDoNothing) {
    CDevice* r = Place(TYPE_RESISTANCE);
    auto del = std::make_shared<CDeleteCommand>(ex, r);
    auto turn = std::make_shared<CRotateLeftCommand>(ex, r);
    auto all = std::make_shared<CDeleteAllCommand>(ex);
    auto show = std::make_shared<CSelectAndShowCommand>(ex, &services, r, 0);
    ex.ClearExperiment(); // New: `r` no longer exists
    CDevice* fresh = Place(TYPE_RESISTANCE);
    for (auto command : std::vector<EditCommandPtr>{del, turn, all, show})
        command->Do();
    EXPECT_TRUE(ex.Contains(fresh));
    EXPECT_EQ(fresh->m_angleLeft, 0);
    EXPECT_EQ(ex.m_boardState.selection, nullptr);
}

TEST_F(EditCommandTest, DeleteOrRotateOfSomethingOffTheBoardDoesNothing) {
    CDevice* r = Place(TYPE_RESISTANCE);
    CDeleteCommand first(ex, r);
    first.Do();
    CDeleteCommand again(ex, r);
    again.Do();
    again.Undo();
    EXPECT_FALSE(ex.Contains(r)) << "only the command that removed it may put it back";
    CRotateLeftCommand turn(ex, r);
    turn.Do();
    EXPECT_EQ(r->m_angleLeft, 0);
    CDeleteCommand none(ex, nullptr);
    none.Do();
    none.Undo();
    first.Undo();
    EXPECT_TRUE(ex.Contains(r));
}

TEST_F(EditCommandTest, SelectAndShowHighlightsAWireOrOutlinesADeviceAndPostsItsCode) {
    BuildCircuit();
    CWire* other = ex.AddWire(T(resistor, 1), T(source, 1));
    wire->m_colour = other->m_colour = 0xFF0000FF;
    PaintWire(*other, kSelectedWireColour);
    ex.m_boardState.outlines = {Region(source)};

    CSelectAndShowCommand(ex, &services, wire, 1).Do();
    EXPECT_EQ(ex.m_boardState.selection, wire);
    EXPECT_TRUE(ex.m_boardState.outlines.empty());
    for (const CDrawItem& item : wire->m_boardGroup.itemsB)
        EXPECT_EQ(item.colour, kSelectedWireColour);
    for (const CDrawItem& item : other->m_boardGroup.itemsB)
        EXPECT_EQ(item.colour, 0xFF0000FFu);

    CSelectAndShowCommand(ex, &services, resistor, 0).Do();
    EXPECT_EQ(ex.m_boardState.selection, resistor);
    EXPECT_TRUE(Outlined(resistor));
    for (const CDrawItem& item : wire->m_boardGroup.itemsB)
        EXPECT_EQ(item.colour, 0xFF0000FFu);

    CSelectAndShowCommand(ex, nullptr, nullptr, 2).Do();
    EXPECT_EQ(ex.m_boardState.selection, nullptr);
    EXPECT_EQ(posted, (std::vector<int>{1, 0}));
}

TEST_F(EditCommandTest, UndoAndRedoCommandsWorkThroughTheHistoryAndIgnoreAnEmptyOne) {
    CDevice* r = Place(TYPE_RESISTANCE);
    CUndoCommand undo(history);
    CRedoCommand redo(history);
    undo.Do();
    redo.Do();
    auto turn = std::make_shared<CRotateLeftCommand>(ex, r);
    history.Record(turn);
    turn->Do();
    undo.Do();
    EXPECT_EQ(r->m_angleLeft, 0);
    redo.Do();
    EXPECT_EQ(r->m_angleLeft, 90);
    EXPECT_EQ(history.UndoSize(), 1u);
    EXPECT_EQ(history.RedoSize(), 0u);
}

TEST_F(EditCommandTest, WireColourCommandStoresTheChosenColourAsArgb) {
    BuildCircuit();
    CWireColourCommand(ex, wire, 0x00336699).Do();
    EXPECT_EQ(wire->m_colour, 0xFF996633u);
    CWireColourCommand(ex, resistor, 0x00112233).Do(); // not a wire: nothing
    EXPECT_EQ(wire->m_colour, 0xFF996633u);
}

} // namespace
} // namespace ampera::testing
