// Undo steps made from what an edit changed: every kind comes back from its
// kept state unchanged, the board's own gestures (switches, the slider, a
// drag onto a plug board) are steps that undo and redo exactly, steps of one
// control merge within a moment, and a placement undone and then dropped
// frees its device only after the windows let go of it.
#include "board_test_fixture.h"

#include "board_edits.h"
#include "devices/ammeter_plug_board.h"
#include "devices/dc_ammeter.h"
#include "devices/single_switch.h"
#include "devices/slide_rheostat.h"
#include "document/keydoc.h"

namespace ampera::testing {
namespace {

std::string KeysOf(CComponent& object) {
    CKeyDoc doc;
    object.Persist(doc, false, "X");
    return doc.ToText();
}

// What the board and the panel draw of a device.
std::string PicturesOf(const CComponent& object) {
    std::string text;
    for (const CSpriteGroup* group : {&object.m_boardGroup, &object.m_panelGroup})
        for (const auto* items : {&group->itemsB, &group->itemsA})
            for (const CDrawItem& item : *items)
                text += item.texture + "@" + std::to_string(item.left) + "," + std::to_string(item.top) + "," +
                        std::to_string(item.right) + "," + std::to_string(item.bottom) + ";";
    return text;
}

class BoardEditsTest : public BoardViewTest {
  protected:
    CCommandHistory& History() { return view.History(); }
    // The board as a file would hold it, object by object.
    std::string Board() {
        std::string text;
        for (CComponent* object : ex.AllObjects())
            text += KeysOf(*object) + "\n";
        return text;
    }
};

TEST_F(BoardEditsTest, EveryKindComesBackFromItsKeptStateUnchanged) {
    for (int type = 0; type <= TYPE_LAST; ++type) {
        std::unique_ptr<CComponent> prototype(CreateDevice(type));
        auto* kind = dynamic_cast<CDevice*>(prototype.get());
        if (!kind) continue;
        for (bool turned : {false, true}) {
            SCOPED_TRACE(::testing::Message() << "type " << type << (turned ? " turned" : ""));
            CDevice* device = kind->PlaceAt(ex, 400, 300);
            ASSERT_NE(device, nullptr);
            if (turned) device->RotateLeft();
            const std::string keys = KeysOf(*device), pictures = PicturesOf(*device);
            const CObjectState state = CaptureState(ex, *device);
            ApplyState(ex, state);
            EXPECT_EQ(KeysOf(*device), keys);
            EXPECT_EQ(PicturesOf(*device), pictures);
            EXPECT_TRUE(CaptureState(ex, *device) == state);
        }
    }
}

TEST_F(BoardEditsTest, SwitchAndSliderOperatedOnTheBoardUndoAndRedo) {
    CSingleSwitch* single = Place<CSingleSwitch>(200, 200);
    auto* rheostat = Place<CSlideRheostat>(500, 400);
    const std::string start = Board();

    const float sl = single->m_region[0], st = single->m_region[1];
    Send(EVENT_DOUBLE_CLICK, static_cast<int>(sl) + 58, static_cast<int>(st) + 1);
    ASSERT_TRUE(single->IsClosed());
    EXPECT_EQ(History().UndoName(), "操作开关");

    const int grabX = static_cast<int>(rheostat->m_slider.left) + 5, y = static_cast<int>(rheostat->m_slider.top) + 10;
    const double fraction = rheostat->m_fraction;
    Send(EVENT_LEFT_DOWN, grabX, y);
    Move(grabX + 10, y);
    Move(grabX + 20, y);
    Send(EVENT_LEFT_UP, grabX + 20, y);
    ASSERT_NE(rheostat->m_fraction, fraction);
    EXPECT_EQ(History().UndoSize(), 2u) << "the whole drag is one step";
    EXPECT_EQ(History().UndoName(), "调节滑动变阻器");
    const std::string operated = Board();
    const float sliderLeft = rheostat->m_slider.left;

    History().Undo();
    EXPECT_EQ(rheostat->m_fraction, fraction);
    windows[0].device = single;
    History().Undo();
    EXPECT_FALSE(single->IsClosed());
    EXPECT_EQ(windows[0].refreshed, 1) << "a window showing it shows its old values";
    EXPECT_EQ(single->m_boardGroup.itemsB[0].texture, "devpic\\sinswopen.tga");
    EXPECT_EQ(Board(), start);

    History().Redo();
    History().Redo();
    EXPECT_EQ(Board(), operated);
    EXPECT_EQ(rheostat->m_slider.left, sliderLeft) << "the slider's picture follows";
}

TEST_F(BoardEditsTest, ADragOntoAPlugBoardUndoesToWhereItStoodUnplugged) {
    auto* board = Place<CAmmeterPlugBoard>(600, 400);
    auto* ammeter = Place<CDCAmmeter>(200, 150);
    auto* other = Place<CDCAmmeter>(200, 450);
    CWire* wire = DrawWire(T(ammeter, 0), T(other, 0));
    ASSERT_NE(wire, nullptr);
    const std::string start = Board();
    const std::vector<CPoint> points = wire->m_points;

    const CPoint t0 = T(ammeter, 0)->Position();
    Drag(200, 150, 200 + 560 - t0.x, 150 + 391 - t0.y);
    ASSERT_EQ(board->m_ammeter, ammeter);
    EXPECT_EQ(History().UndoName(), "移动");

    History().Undo();
    EXPECT_EQ(board->m_ammeter, nullptr);
    EXPECT_EQ(ammeter->m_plugBoard, nullptr);
    EXPECT_EQ(T(ammeter, 0)->Position(), t0);
    EXPECT_EQ(wire->m_points, points) << "the wire's end and bend come back";
    EXPECT_EQ(Board(), start);

    History().Redo();
    EXPECT_EQ(board->m_ammeter, ammeter);
    EXPECT_EQ(ammeter->m_plugBoard, board);
}

TEST_F(BoardEditsTest, AStepUndoneAfterAScrollPutsThingsBackOnTheScrolledBoard) {
    auto* device = Place<CDCAmmeter>(500, 400);
    const float left = device->m_region[0];
    const CPoint terminal = T(device, 0)->Position();
    Drag(500, 400, 540, 400);
    ASSERT_EQ(device->m_region[0], left + 40);
    // Scrolling moves everything on the board by the same amount.
    ex.m_boardState.shiftX -= 16;
    NudgeDevice(ex, *device, -16, 0);
    History().Undo();
    EXPECT_EQ(device->m_region[0], left - 16);
    EXPECT_EQ(T(device, 0)->Position(), (CPoint{terminal.x - 16, terminal.y}));
}

TEST_F(BoardEditsTest, StepsOfOneControlWithinAMomentMerge) {
    CSingleSwitch* device = Place<CSingleSwitch>(300, 300);
    CEditRecorder& recorder = view.Recorder();
    auto nudge = [&](long long at, const char* key) {
        recorder.Record("移动", key, at, MoveScope(*device), [&] { NudgeDevice(ex, *device, 1, 0); });
    };
    const float left = device->m_region[0];
    nudge(1000, "a");
    nudge(1500, "a");
    nudge(2400, "a"); // within a moment of the one before
    EXPECT_EQ(History().UndoSize(), 1u);
    nudge(3500, "a"); // a pause
    nudge(3600, "b"); // another control
    EXPECT_EQ(History().UndoSize(), 3u);

    History().Undo();
    History().Undo();
    EXPECT_EQ(device->m_region[0], left + 3);
    History().Undo();
    EXPECT_EQ(device->m_region[0], left);

    // A step that merges into the saved one is no longer what was saved.
    for (int i = 0; i < 3; ++i)
        History().Redo();
    History().MarkSaved();
    EXPECT_FALSE(History().Modified());
    nudge(3650, "b");
    EXPECT_EQ(History().UndoSize(), 3u);
    EXPECT_TRUE(History().Modified());
    // Coming back to where it started, the merged step changes nothing.
    recorder.Record("移动", "b", 3700, MoveScope(*device), [&] { NudgeDevice(ex, *device, -2, 0); });
    EXPECT_EQ(device->m_region[0], left + 4);
    History().Undo();
    EXPECT_EQ(device->m_region[0], left + 4);
    History().Undo();
    EXPECT_EQ(device->m_region[0], left + 3);
    // A redo between two steps of one control keeps them apart.
    History().Redo();
    History().Undo();
    nudge(3750, "a");
    EXPECT_EQ(History().RedoSize(), 0u);
    EXPECT_EQ(History().UndoSize(), 2u);
}

TEST_F(BoardEditsTest, APlacementUndoneThenDroppedLetsTheWindowsGoFirst) {
    CSingleSwitch prototype;
    CDevice* placed = nullptr;
    view.Recorder().RecordBoard("放置器材", "", 0, [&] { placed = prototype.PlaceAt(ex, 300, 300); });
    ASSERT_EQ(History().UndoName(), "放置器材");
    windows[0].device = placed;
    ex.m_boardState.selection = placed;
    const std::size_t objects = ex.AllObjects().size();

    History().Undo();
    EXPECT_FALSE(ex.Contains(placed));
    EXPECT_TRUE(ex.AllObjects().empty()) << "its terminal nodes went with it";
    EXPECT_EQ(windows[0].device, nullptr);
    EXPECT_EQ(ex.m_boardState.selection, nullptr);

    History().Redo();
    EXPECT_EQ(ex.AllObjects().size(), objects);
    History().Undo();
    // A new step empties the redo history and frees the device (a leak or a
    // double free shows under the sanitizers).
    CSingleSwitch* next = Place<CSingleSwitch>(100, 100);
    view.Recorder().Record("移动", "", 0, MoveScope(*next), [&] { NudgeDevice(ex, *next, 1, 0); });
    EXPECT_EQ(History().RedoSize(), 0u);
    EXPECT_EQ(History().UndoName(), "移动");
}

} // namespace
} // namespace ampera::testing
