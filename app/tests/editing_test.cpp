// Editing through the window: commands chosen in the menu, on the toolbar,
// with the Delete key and in the context menu, run by the frame loop and
// reversed by Undo and Redo; the symbol view; wire colours.
#include "app/colour_dialog.h"
#include "app/core/command_ids.h"
#include "bench_fixture.h"
#include "document/experiment_file.h"
#include "views/frame_renderer.h"

#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <array>
#include <set>

namespace ampera::testing {
namespace {

bool Has(const std::vector<std::string>& items, const std::string& text) {
    return std::find(items.begin(), items.end(), text) != items.end();
}

class EditingTest : public BenchTest {
  protected:
    // Left click on the device: the move tool selects it and the release
    // makes it the context item.
    void Select(CDevice* device) {
        Click(Centre(device));
        ASSERT_TRUE(WaitFor([&] { return Window().ContextItem() == device; }));
        ASSERT_TRUE(WaitFor([&] { return Window().Snapshot().selection == device; }));
    }
    std::vector<CNode*> Nodes(CDevice* device) {
        return Read<std::vector<CNode*>>([&] { return device->m_terminals; });
    }
    std::vector<CComponent*> Everything() {
        return Read<std::vector<CComponent*>>([&] {
            return std::vector<CComponent*>(Experiment().AllObjects().begin(),
                                            Experiment().AllObjects().end());
        });
    }
};

TEST_F(EditingTest, DeleteThenUndoBringsTheSameResistorBackOnItsNodes) {
    CDevice* resistor = Place(TYPE_RESISTANCE, 300, 200);
    const std::vector<CNode*> nodes = Nodes(resistor);
    Select(resistor);

    Choose(CMD_DELETE);
    ASSERT_TRUE(WaitFor([&] { return !OnBoard(resistor); }));
    for (CNode* node : nodes)
        EXPECT_FALSE(OnBoard(node)) << "its unattached nodes leave with it";
    EXPECT_TRUE(Window().MenuAction(CMD_UNDO)->isEnabled());

    Choose(CMD_UNDO);
    ASSERT_TRUE(WaitFor([&] { return OnBoard(resistor); }));
    EXPECT_EQ(Nodes(resistor), nodes);
    for (CNode* node : nodes)
        EXPECT_TRUE(OnBoard(node));

    Choose(CMD_REDO);
    EXPECT_TRUE(WaitFor([&] { return !OnBoard(resistor); }));
}

TEST_F(EditingTest, DeleteKeyDeletesTheSelectionOnce) {
    CDevice* first = Place(TYPE_RESISTANCE, 300, 200);
    CDevice* second = Place(TYPE_CAPACITANCE, 550, 300);
    Select(first);
    QTest::keyClick(Surface(), Qt::Key_Delete);
    QTest::keyClick(Surface(), Qt::Key_Delete); // the selection is already gone
    ASSERT_TRUE(WaitFor([&] { return !OnBoard(first); }));
    Settle();
    EXPECT_TRUE(OnBoard(second));
    // Two placements and one delete.
    EXPECT_EQ(Window().Board().History().UndoSize(), 3u);
    EXPECT_EQ(Window().Board().History().UndoName(), "删除");

    // Enter and Escape are taken and close nothing.
    QTest::keyClick(Surface(), Qt::Key_Escape);
    QTest::keyClick(Surface(), Qt::Key_Return);
    EXPECT_TRUE(Window().isVisible());
}

TEST_F(EditingTest, ThreeLeftTurnsAndThreeUndosRestoreOrientationZero) {
    CDevice* resistor = Place(TYPE_RESISTANCE, 300, 200);
    const std::array<float, 4> start = Read<std::array<float, 4>>([&] {
        return std::array<float, 4>{resistor->m_region[0], resistor->m_region[1], resistor->m_region[2],
                                    resistor->m_region[3]};
    });
    Select(resistor);
    auto angle = [&] { return Read<int>([&] { return resistor->m_angleLeft; }); };
    auto outlineFollows = [&] {
        return Read<bool>([&] {
            const auto& outlines = Experiment().m_boardState.outlines;
            return outlines.size() == 1 && outlines[0].left == resistor->m_region[0] &&
                   outlines[0].bottom == resistor->m_region[3];
        });
    };
    for (int turn = 1; turn <= 3; ++turn) {
        Choose(CMD_ROTATE_LEFT);
        ASSERT_TRUE(WaitFor([&] { return angle() == 90 * turn; })) << "turn " << turn;
        EXPECT_TRUE(outlineFollows());
    }
    for (int step = 1; step <= 3; ++step) {
        Choose(CMD_UNDO);
        ASSERT_TRUE(WaitFor([&] { return angle() == 270 - 90 * step; })) << "undo " << step;
        EXPECT_TRUE(outlineFollows());
    }
    EXPECT_EQ(Read<float>([&] { return resistor->m_region[0]; }), start[0]);
    EXPECT_EQ(Read<float>([&] { return resistor->m_region[3]; }), start[3]);
}

TEST_F(EditingTest, DeleteAllThenUndoRestoresEverything) {
    CDevice* source = Place(TYPE_DC_SOURCE, 150, 350);
    CDevice* resistor = Place(TYPE_RESISTANCE, 450, 150);
    Join(source->m_terminals[0], resistor->m_terminals[0]);
    const std::vector<CComponent*> before = Everything();

    Choose(CMD_DELETE_ALL);
    ASSERT_TRUE(WaitFor([&] { return Everything().empty(); }));
    EXPECT_FALSE(Window().MenuAction(CMD_DELETE_ALL)->isEnabled());

    Choose(CMD_UNDO);
    ASSERT_TRUE(WaitFor([&] { return Everything().size() == before.size(); }));
    EXPECT_EQ(Everything(), before) << "the same objects, in their order";
    EXPECT_TRUE(WaitFor([&] { return Window().MenuAction(CMD_DELETE_ALL)->isEnabled(); }))
        << "the timer enables Delete all again";
}

TEST_F(EditingTest, NewRecordedCommandEmptiesRedoAndTheTimerGraysIt) {
    CDevice* resistor = Place(TYPE_RESISTANCE, 300, 200);
    Place(TYPE_CAPACITANCE, 550, 300);
    Select(resistor);
    Choose(CMD_DELETE);
    ASSERT_TRUE(WaitFor([&] { return !OnBoard(resistor); }));
    Choose(CMD_UNDO);
    ASSERT_TRUE(WaitFor([&] { return OnBoard(resistor); }));
    ASSERT_TRUE(WaitFor([&] { return Window().ToolAction(CMD_REDO)->isEnabled(); }));

    Select(resistor);
    Choose(CMD_ROTATE_RIGHT);
    EXPECT_TRUE(WaitFor([&] { return Window().Board().History().RedoSize() == 0; }));
    EXPECT_TRUE(WaitFor([&] { return !Window().MenuAction(CMD_REDO)->isEnabled(); }));
    EXPECT_FALSE(Window().ToolAction(CMD_REDO)->isEnabled());
}

TEST_F(EditingTest, SymbolViewHoldsCommandsAndIgnoresLeftClicks) {
    CDevice* resistor = Place(TYPE_RESISTANCE, 300, 200);
    Select(resistor);
    ASSERT_TRUE(WaitFor([&] { return Window().MenuAction(CMD_SWITCH_VIEW)->isEnabled(); }));

    Choose(CMD_SWITCH_VIEW);
    EXPECT_EQ(Window().MenuAction(CMD_SWITCH_VIEW)->text().toStdString(), "进入实物图");
    EXPECT_FALSE(Window().MenuAction(CMD_DEVICE_BAR)->isEnabled());
    EXPECT_FALSE(Window().ToolAction(CMD_COLOUR_SETTINGS)->isEnabled());

    Press(QPoint(600, 400));
    if (auto* renderer = dynamic_cast<CFrameRenderer*>(Window().Renderer())) {
        const CNotice notice = renderer->InformationSlot();
        EXPECT_EQ(notice.text, "单击鼠标右键弹出菜单进入实物图");
        // The slot counts down from 10 000 ms.
        EXPECT_GT(notice.duration, 9000);
        EXPECT_LE(notice.duration, 10000);
    }
    Release(QPoint(600, 400));

    Window().RunCommand(CMD_DELETE);
    Settle(6);
    EXPECT_TRUE(OnBoard(resistor)) << "commands wait while the symbol view is shown";
    EXPECT_EQ(ContextMenuAt(QPoint(300, 200)), std::vector<std::string>{"进入实物图[&B]"});

    Window().RunCommand(CMD_SWITCH_VIEW);
    EXPECT_EQ(Window().MenuAction(CMD_SWITCH_VIEW)->text().toStdString(), "进入符号图");
    EXPECT_TRUE(Window().MenuAction(CMD_DEVICE_BAR)->isEnabled());
    EXPECT_TRUE(WaitFor([&] { return !OnBoard(resistor); })) << "and run back in the real view";
}

TEST_F(EditingTest, ContextMenuOffersWhatTheRightClickHit) {
    CDevice* source = Place(TYPE_DC_SOURCE, 150, 420);
    CDevice* resistor = Place(TYPE_RESISTANCE, 560, 150);
    CWire* wire = Join(source->m_terminals[0], resistor->m_terminals[0]);
    const QPoint onWire = Read<QPoint>([&] {
        const CPoint a = wire->m_points.front(), b = wire->m_points.back();
        return QPoint((a.x + b.x) / 2, (a.y + b.y) / 2);
    });

    const std::vector<std::string> forWire = ContextMenuAt(onWire);
    EXPECT_EQ(Window().ContextItem(), wire);
    EXPECT_TRUE(Has(forWire, "删除器材[&D]"));
    EXPECT_TRUE(Has(forWire, "改变颜色[&C]"));
    EXPECT_FALSE(Has(forWire, "向左旋转[&L]"));
    EXPECT_FALSE(Has(forWire, "显示属性栏[&P]"));

    const std::vector<std::string> forResistor = ContextMenuAt(Centre(resistor));
    EXPECT_EQ(Window().ContextItem(), resistor);
    EXPECT_TRUE(Has(forResistor, "显示属性栏[&P]")) << "no property window is open";
    EXPECT_TRUE(Has(forResistor, "向左旋转[&L]"));
    EXPECT_TRUE(Has(forResistor, "向右旋转[&R]"));
    EXPECT_TRUE(Has(forResistor, "删除器材[&D]"));
    EXPECT_FALSE(Has(forResistor, "改变颜色[&C]"));
    EXPECT_FALSE(Window().Services().GetPropertyWindow(0)->IsVisible()) << "the right click opens no window";

    const std::vector<std::string> forBoard = ContextMenuAt(QPoint(800, 500));
    EXPECT_EQ(Window().ContextItem(), nullptr);
    EXPECT_TRUE(Has(forBoard, "删除全部器材[&E]"));
    EXPECT_FALSE(Has(forBoard, "删除器材[&D]"));
    EXPECT_EQ(forBoard.back(), "进入符号图[&B]");

    ContextChoose(Centre(resistor), "显示属性栏[&P]");
    CPropertyFrame* bar = Window().PropertyFrame(0);
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(WaitFor([&] { return bar->IsVisible() && bar->Device() == resistor; }));
}

TEST_F(EditingTest, WireColourGoesToNewWiresAndIsSavedOpaque) {
    CDevice* left = Place(TYPE_RESISTANCE, 250, 200);
    CDevice* right = Place(TYPE_RESISTANCE, 550, 380);
    CWire* older = Join(left->m_terminals[0], right->m_terminals[1]);
    const std::uint32_t olderColour = Read<std::uint32_t>([&] { return older->m_colour; });

    m_nextColour = 0x00336699; // red 0x99, green 0x66, blue 0x33
    m_dialogRunner = [&](QDialog& dialog) {
        auto& colours = dynamic_cast<CColourDialog&>(dialog);
        colours.Button(COLOUR_WIRE)->click();
        colours.OkButton()->click();
        return colours.result();
    };
    Window().RunCommand(CMD_COLOUR_SETTINGS);
    EXPECT_EQ(Window().Board().WireColour(), 0xFF996633u);

    DrawWire(Terminal(left, 1), Terminal(right, 0));
    ASSERT_TRUE(WaitOnLoop([&] { return Experiment().Wires().size() == 2; })) << "the wire was drawn";
    CWire* drawn = Read<CWire*>([&] {
        for (CComponent* object : Experiment().Wires())
            if (object != older) return static_cast<CWire*>(object);
        return static_cast<CWire*>(nullptr);
    });
    EXPECT_EQ(Read<std::uint32_t>([&] { return drawn->m_colour; }), 0xFF996633u);
    EXPECT_EQ(Read<std::uint32_t>([&] { return older->m_colour; }), olderColour)
        << "existing wires keep theirs";

    // The context menu recolours one wire.
    const QPoint onDrawn = Read<QPoint>([&] {
        const CPoint a = drawn->m_points[0], b = drawn->m_points[1];
        return QPoint((a.x + b.x) / 2, (a.y + b.y) / 2);
    });
    m_nextColour = 0x00010203;
    ContextChoose(onDrawn, "改变颜色[&C]");
    ASSERT_TRUE(WaitOnLoop([&] { return drawn->m_colour == 0xFF030201u; }));

    const std::string file = FilePath("wires.vtx");
    m_dialogs->savePaths.push_back(file);
    Window().RunCommand(CMD_SAVE);
    CExperiment reread;
    ASSERT_TRUE(LoadFile(reread, file, 0));
    std::multiset<std::uint32_t> saved;
    for (CComponent* object : reread.Wires())
        saved.insert(static_cast<CWire*>(object)->m_colour);
    EXPECT_EQ(saved, (std::multiset<std::uint32_t>{olderColour, 0xFF030201u}));
}

TEST_F(EditingTest, PropertyPageApplyRunsOnTheLoopEvenInTheSymbolView) {
    CDevice* resistor = Place(TYPE_RESISTANCE, 300, 200);
    Select(resistor);
    CPropertyFrame* frame = Window().PropertyFrame(0);
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(WaitFor([&] { return frame->Device() == resistor && !frame->Edits().empty(); }));

    Choose(CMD_SWITCH_VIEW);
    frame->Edits()[0]->setText(QStringLiteral("2000"));
    frame->Apply();
    EXPECT_TRUE(WaitOnLoop([&] { return resistor->GetValue() == 2000; }));
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(EditingTest, NamesToggleTwiceShowsNamesAgain) {
    Place(TYPE_RESISTANCE, 300, 200);
    Choose(CMD_NAMES);
    EXPECT_FALSE(Window().MenuAction(CMD_NAMES)->isChecked());
    EXPECT_FALSE(Read<bool>([&] { return Experiment().m_showNames != 0; }));
    Choose(CMD_NAMES);
    EXPECT_TRUE(Window().MenuAction(CMD_NAMES)->isChecked());
    EXPECT_TRUE(Read<bool>([&] { return Experiment().m_showNames != 0; }));
}

} // namespace
} // namespace ampera::testing
