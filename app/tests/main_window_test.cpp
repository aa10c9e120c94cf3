// The main window as a whole: start-up, menus and toolbar, the file commands
// (with the faults they must not have), colours and scrolling.
#include "app/board_area.h"
#include "app/colour_dialog.h"
#include "app/core/command_ids.h"
#include "bench_fixture.h"
#include "document/experiment_file.h"
#include "views/device_bar.h"
#include "views/frame_renderer.h"
#include "views/panel_view.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QToolBar>

#include <algorithm>

namespace ampera::testing {
namespace {

TEST_F(BenchTest, StartUpMakesEveryWindowAndRunsTheLoop) {
    CAppServices& services = Window().Services();
    EXPECT_TRUE(services.LoopRunning());
    EXPECT_NE(services.GetDeviceWindow(), nullptr);
    for (int index = 0; index < 4; ++index)
        EXPECT_NE(services.GetPropertyWindow(index), nullptr) << "property window " << index;
    EXPECT_TRUE(services.GetDeviceWindow()->IsVisible()) << "the device bar is there from the start";
    EXPECT_TRUE(Window().DeviceBar()->isVisible());
    EXPECT_TRUE(m_platform->warnings.empty());

    EXPECT_EQ(Window().windowTitle().toStdString(), "Ampera [未命名.vtx]");
    EXPECT_EQ(Window().size(), QSize(922, 685));
    EXPECT_EQ(Window().maximumSize(), QSize(1024, 768));
    EXPECT_EQ(Window().ToolBar()->height(), 36);
    EXPECT_EQ(Window().ToolbarHeight(), 36);
    EXPECT_TRUE(Window().ToolBar()->isVisible());

    // The board is painted: frames reach the renderer's window.
    if (auto* renderer = dynamic_cast<CFrameRenderer*>(Window().Renderer())) {
        EXPECT_TRUE(WaitFor([&] { return renderer->IsDeviceReady(); }));
    }
}

// The renderer writes hints and warnings across the board's top edge; the
// bar that opens with the window must leave that line in view, beside the
// window where the screen has room and inside along the board's right edge
// where it has none.
TEST_F(BenchTest, DeviceBarStartsShownClearOfTheBoardsHintLine) {
    CDeviceBar* bar = Window().DeviceBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(bar));
    EXPECT_TRUE(Window().MenuAction(CMD_DEVICE_BAR)->isChecked());
    // A click on the empty board puts a hint up, so the line is really there.
    Click(QPoint(400, 300));

    const auto hintLine = [&] {
        const int height = std::max(kWarningTextSize, kInformationTextSize);
        return QRect(Surface()->mapToGlobal(QPoint(0, 0)), QSize(Surface()->width(), height));
    };
    const auto board = [&] { return QRect(Surface()->mapToGlobal(QPoint(0, 0)), Surface()->size()); };
    if (auto* renderer = dynamic_cast<CFrameRenderer*>(Window().Renderer())) {
        const CNotice hint = renderer->InformationSlot();
        EXPECT_EQ(hint.text, "请单击鼠标右键弹出菜单。");
        EXPECT_TRUE(hintLine().contains(Surface()->mapToGlobal(QPoint(hint.x, hint.y))));
    }
    const QRect screen = Window().screen()->availableGeometry();
    ASSERT_GE(screen.right() - Window().frameGeometry().right(), bar->frameGeometry().width())
        << "the test display leaves room right of the window";
    EXPECT_FALSE(bar->frameGeometry().intersects(board())) << "beside the window, nothing of the board covered";
    EXPECT_GT(bar->frameGeometry().left(), Window().frameGeometry().right());
    EXPECT_EQ(bar->frameGeometry().top(), board().top());

    // No room on either side: the bar follows the window into the board,
    // along its right edge and below the hint line.
    Window().move(screen.left() + 150, screen.top());
    Window().resize(screen.width() - 150 - 60, Window().height());
    ASSERT_TRUE(WaitFor([&] { return board().contains(bar->frameGeometry()); }))
        << "bar " << bar->frameGeometry().x() << "," << bar->frameGeometry().y() << " board "
        << board().x() << "," << board().y();
    EXPECT_FALSE(bar->frameGeometry().intersects(hintLine()));
    EXPECT_EQ(bar->frameGeometry().right(), board().right());

    // Once the student has put the bar elsewhere it stays there.
    const QPoint chosen = bar->pos() + QPoint(-40, 30);
    bar->move(chosen);
    const QPoint moved = Window().pos() + QPoint(-100, 0);
    Window().move(moved);
    ASSERT_TRUE(WaitFor([&] { return Window().pos() == moved; }));
    QApplication::processEvents();
    EXPECT_EQ(bar->pos(), chosen);

    // The check mark follows the bar however it goes.
    bar->close();
    Window().TimerTick();
    EXPECT_FALSE(Window().MenuAction(CMD_DEVICE_BAR)->isChecked());
    Window().RunCommand(CMD_DEVICE_BAR);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_TRUE(Window().MenuAction(CMD_DEVICE_BAR)->isChecked());
}

TEST_F(BenchTest, MenuItemsCarryTheirTextsAndInitialStates) {
    struct Row {
        int id;
        const char* text;
        bool enabled, checked;
    };
    const Row rows[] = {
        {CMD_NEW, "新建(&N)", true, false},
        {CMD_OPEN, "打开(&O)", true, false},
        {CMD_SAVE, "保存(&S)", true, false},
        {CMD_SAVE_AS, "另存为...", true, false},
        {CMD_EXIT, "退出(Q)", true, false},
        {CMD_UNDO, "撤销(&U)", false, false},
        {CMD_REDO, "重做(&R)", false, false},
        {CMD_ROTATE_LEFT, "向左旋转(&L)", false, false},
        {CMD_ROTATE_RIGHT, "向右旋转(&T)", false, false},
        {CMD_DELETE, "删除(&L)", false, false},
        {CMD_DELETE_ALL, "全部删除(D)", false, false},
        {CMD_NAMES, "显示名称参数(&S)", false, true},
        {CMD_SWITCH_VIEW, "进入符号图", false, false},
        {CMD_EXAMPLES_MENU, "示例实验(&X)", true, false},
        {CMD_RECENT_MENU, "最近打开(&R)", false, false}, // nothing opened or saved yet
        {CMD_DEVICE_BAR, "器材栏(&Z)", true, true},       // the bar is shown at start
        {CMD_TOOLBAR, "工具条(&T)", true, true},
        {CMD_COLOUR_SETTINGS, "颜色设置(C)", true, false},
        {CMD_HELP, "使用帮助", true, false},
        {CMD_ABOUT, "关于我们", true, false},
    };
    for (const Row& row : rows) {
        QAction* action = Window().MenuAction(row.id);
        ASSERT_NE(action, nullptr) << row.id;
        EXPECT_EQ(action->text().toStdString(), row.text);
        EXPECT_EQ(action->isEnabled(), row.enabled) << row.text;
        EXPECT_EQ(action->isChecked(), row.checked) << row.text;
    }

    // The toolbar: fifteen positions, separators at 3, 7, 10 and 14.
    std::vector<std::string> tips;
    for (QAction* action : Window().ToolBar()->actions())
        tips.push_back(action->isSeparator() ? "-" : action->toolTip().toStdString());
    const std::vector<std::string> expected = {
        "新建",         "打开",       "保存", "-",      "撤销",     "重做",     "删除", "-",
        "显示名称参数", "显示符号图", "-",    "器材栏", "颜色设置", "关于我们", "-"};
    EXPECT_EQ(tips, expected);
    EXPECT_FALSE(Window().ToolAction(CMD_UNDO)->isEnabled());
    EXPECT_TRUE(Window().ToolAction(CMD_DEVICE_BAR)->isEnabled());
}

TEST_F(BenchTest, SaveAsNamesTheTitleAndLaterSavesGoThereWithoutADialog) {
    Place(TYPE_RESISTANCE, 300, 200);
    const std::string first = FilePath("first.vtx");
    m_dialogs->savePaths.push_back(first);
    Window().RunCommand(CMD_SAVE_AS);
    EXPECT_EQ(m_dialogs->saveTitles, std::vector<std::string>{"另存为虚拟实验实验"});
    EXPECT_EQ(Window().windowTitle().toStdString(), "Ampera [first.vtx]");
    EXPECT_EQ(Window().Files().Path(), first);

    Place(TYPE_CAPACITANCE, 500, 300);
    Window().RunCommand(CMD_SAVE);
    EXPECT_EQ(m_dialogs->saveTitles.size(), 1u) << "no second dialog";
    CExperiment reread;
    ASSERT_TRUE(LoadFile(reread, first, 0));
    EXPECT_EQ(reread.Devices().size(), 2u) << "the second save wrote the file named by Save As";
    EXPECT_TRUE(Window().Services().LoopRunning());
}

TEST_F(BenchTest, SavingAnUntitledExperimentAsksOnceThenSavesInPlace) {
    Place(TYPE_RESISTANCE, 300, 200);
    m_dialogs->savePaths.push_back(FilePath("bench.vtx"));
    Window().RunCommand(CMD_SAVE);
    Window().RunCommand(CMD_SAVE);
    EXPECT_EQ(m_dialogs->saveTitles, std::vector<std::string>{"请保存实验"});
    EXPECT_EQ(Window().windowTitle().toStdString(), "Ampera [bench.vtx]");
}

TEST_F(BenchTest, OpenCancelledLoadsNothing) {
    CDevice* resistor = Place(TYPE_RESISTANCE, 300, 200);
    m_dialogs->openPaths.push_back(std::nullopt);
    Window().RunCommand(CMD_OPEN);
    EXPECT_EQ(m_dialogs->openTitles, std::vector<std::string>{"打开Ampera"});
    EXPECT_TRUE(m_dialogs->questions.empty());
    EXPECT_TRUE(OnBoard(resistor));
    EXPECT_TRUE(Window().Files().Untitled());
    // The title names the same untitled work, unsaved.
    EXPECT_TRUE(WaitFor([&] { return Window().windowTitle().toStdString() == "Ampera [未命名.vtx]*"; }));
}

TEST_F(BenchTest, OpenAsksToSaveThenReplacesTheExperiment) {
    Place(TYPE_RESISTANCE, 300, 200);
    const std::string file = FilePath("two.vtx");
    {
        CExperiment other;
        std::unique_ptr<CComponent> prototype(CreateDevice(TYPE_CAPACITANCE));
        static_cast<CDevice*>(prototype.get())->PlaceAt(other, 100, 100);
        static_cast<CDevice*>(prototype.get())->PlaceAt(other, 300, 100);
        ASSERT_TRUE(SaveFile(other, file));
    }
    m_dialogs->openPaths.push_back(file);
    m_dialogs->answers.push_back(SaveAnswer::No);
    Window().RunCommand(CMD_OPEN);
    EXPECT_EQ(m_dialogs->questions, std::vector<std::string>{"是否要保存当前实验到 未命名.vtx"});
    EXPECT_EQ(m_dialogs->captions, std::vector<std::string>{"Ampera"});
    // The resistor's memory may well hold a loaded device now: look at kinds.
    const std::vector<int> types = Read<std::vector<int>>([&] {
        std::vector<int> kinds;
        for (CComponent* device : Experiment().Devices())
            kinds.push_back(device->TypeCode());
        return kinds;
    });
    EXPECT_EQ(types, (std::vector<int>{TYPE_CAPACITANCE, TYPE_CAPACITANCE}));
    EXPECT_EQ(Window().windowTitle().toStdString(), "Ampera [two.vtx]");
    EXPECT_EQ(Window().ContextItem(), nullptr);
}

// The faults a plain "ask, then go on" sequence would have: work is lost when
// the save the user agreed to never happens, or a failure passes as success.
TEST_F(BenchTest, CancelledSaveAfterYesKeepsEverything) {
    CDevice* resistor = Place(TYPE_RESISTANCE, 300, 200);
    const std::string other = FilePath("other.vtx");
    ASSERT_TRUE(QFile(QString::fromStdString(other)).open(QIODevice::WriteOnly));

    struct Case {
        const char* name;
        int command;
    };
    for (const Case& c : {Case{"exit", CMD_EXIT}, Case{"new", CMD_NEW}, Case{"open", CMD_OPEN}}) {
        SCOPED_TRACE(c.name);
        m_dialogs->answers.push_back(SaveAnswer::Yes);
        m_dialogs->savePaths.push_back(std::nullopt); // the save dialog is cancelled
        if (c.command == CMD_OPEN) m_dialogs->openPaths.push_back(other);
        Window().RunCommand(c.command);
        QApplication::processEvents();
        EXPECT_TRUE(Window().isVisible()) << "the window stays open";
        EXPECT_TRUE(OnBoard(resistor)) << "the experiment is kept";
        EXPECT_TRUE(Window().Files().Untitled());
        EXPECT_TRUE(Window().Services().LoopRunning());
    }
    EXPECT_EQ(m_dialogs->captions, (std::vector<std::string>{"Ampera", "Ampera-新建", "Ampera"}));
    EXPECT_EQ(m_dialogs->questions.front(), "是否要保存当前实验?");
}

TEST_F(BenchTest, FailingSaveSaysSoAndKeepsTitleAndPath) {
    Place(TYPE_RESISTANCE, 300, 200);
    const std::string good = FilePath("good.vtx");
    m_dialogs->savePaths.push_back(good);
    Window().RunCommand(CMD_SAVE_AS);
    ASSERT_EQ(Window().Files().Path(), good);

    m_dialogs->savePaths.push_back(FilePath("missing-folder/bad.vtx"));
    Window().RunCommand(CMD_SAVE_AS);
    ASSERT_EQ(m_dialogs->errors.size(), 1u);
    EXPECT_NE(m_dialogs->errors[0].find("bad.vtx"), std::string::npos);
    EXPECT_EQ(Window().Files().Path(), good);
    EXPECT_EQ(Window().windowTitle().toStdString(), "Ampera [good.vtx]");
    EXPECT_TRUE(Window().Services().LoopRunning());
}

TEST_F(BenchTest, UnreadableFileSaysSoAndKeepsExperimentTitleAndHistories) {
    CDevice* resistor = Place(TYPE_RESISTANCE, 300, 200);
    CDevice* capacitor = Place(TYPE_CAPACITANCE, 500, 300);
    Window().RunCommand(CMD_DELETE_ALL);
    ASSERT_TRUE(WaitFor([&] { return !OnBoard(resistor); }));
    Window().RunCommand(CMD_UNDO);
    ASSERT_TRUE(WaitFor([&] { return OnBoard(resistor) && OnBoard(capacitor); }));
    ASSERT_EQ(Window().Board().History().RedoSize(), 1u);

    m_dialogs->openPaths.push_back(FilePath("no-such-file.vtx"));
    m_dialogs->answers.push_back(SaveAnswer::No);
    Window().RunCommand(CMD_OPEN);
    ASSERT_EQ(m_dialogs->errors.size(), 1u);
    EXPECT_NE(m_dialogs->errors[0].find("no-such-file.vtx"), std::string::npos);
    EXPECT_TRUE(OnBoard(resistor));
    EXPECT_TRUE(OnBoard(capacitor));
    EXPECT_EQ(Window().windowTitle().toStdString(), "Ampera [未命名.vtx]*") << "still unsaved work";
    EXPECT_EQ(Window().Board().History().RedoSize(), 1u) << "the histories are kept";
}

TEST_F(BenchTest, ExitWithAnEmptyBoardClosesWithoutAQuestion) {
    Window().RunCommand(CMD_EXIT);
    EXPECT_TRUE(m_dialogs->questions.empty());
    EXPECT_FALSE(Window().isVisible());
    EXPECT_FALSE(Window().Services().LoopRunning());
}

TEST_F(BenchTest, NewEmptiesBoardHistoriesAndTitle) {
    Place(TYPE_RESISTANCE, 300, 200);
    m_dialogs->savePaths.push_back(FilePath("kept.vtx"));
    Window().RunCommand(CMD_SAVE);
    // A change since the save: New asks.
    Window().RunCommand(CMD_DELETE_ALL);
    ASSERT_TRUE(WaitOnLoop([&] { return Experiment().AllObjects().empty(); }));
    ASSERT_TRUE(WaitFor([&] { return Window().Board().History().Modified(); }));

    m_dialogs->answers.push_back(SaveAnswer::No);
    Window().RunCommand(CMD_NEW);
    EXPECT_EQ(m_dialogs->captions, std::vector<std::string>{"Ampera-新建"});
    EXPECT_EQ(m_dialogs->questions, std::vector<std::string>{"是否要保存当前实验到 kept.vtx"});
    EXPECT_TRUE(Read<bool>([&] { return Experiment().AllObjects().empty(); }));
    EXPECT_EQ(Window().Board().History().UndoSize() + Window().Board().History().RedoSize(), 0u);
    EXPECT_EQ(Window().windowTitle().toStdString(), "Ampera [未命名.vtx]");
}

TEST_F(BenchTest, ColourDialogCancelPutsTheWhiteBackgroundBack) {
    m_nextColour = 0x000000FF; // red, as the chooser gives colours (0x00BBGGRR)
    std::uint32_t duringDialog = 0;
    QColor swatch;
    m_dialogRunner = [&](QDialog& dialog) {
        auto& colours = dynamic_cast<CColourDialog&>(dialog);
        EXPECT_EQ(colours.windowTitle().toStdString(), "改变颜色");
        colours.Button(COLOUR_BACKGROUND)->click();
        duringDialog = Window().Board().BackgroundColour();
        swatch = colours.grab().toImage().pixelColor(colours.SwatchRect(COLOUR_BACKGROUND).center());
        colours.CancelButton()->click();
        return colours.result();
    };
    Window().RunCommand(CMD_COLOUR_SETTINGS);
    EXPECT_EQ(m_dialogRuns, 1);
    EXPECT_EQ(duringDialog, 0xFFFF0000u) << "a confirmed choice applies at once";
    // The display may keep fewer bits per channel than the chosen colour has.
    EXPECT_GT(swatch.red(), 240) << "the swatch beside the button shows the choice";
    EXPECT_LT(swatch.green(), 16);
    EXPECT_LT(swatch.blue(), 16);
    EXPECT_EQ(DisplayColours().Background(), 0x00FFFFFFu);
    EXPECT_EQ(Window().Board().BackgroundColour(), 0xFFFFFFFFu);
}

TEST_F(BenchTest, TextColourGoesToTheRendererWithAnEmptyNotice) {
    m_nextColour = 0x00008000; // green
    m_dialogRunner = [&](QDialog& dialog) {
        auto& colours = dynamic_cast<CColourDialog&>(dialog);
        colours.Button(COLOUR_TEXT)->click();
        colours.OkButton()->click();
        return colours.result();
    };
    Window().RunCommand(CMD_COLOUR_SETTINGS);
    EXPECT_EQ(DisplayColours().TextArgb(), 0xFF008000u);
    if (auto* renderer = dynamic_cast<CFrameRenderer*>(Window().Renderer())) {
        const CNotice notice = renderer->InformationSlot();
        EXPECT_TRUE(notice.text.empty());
        // Posted for 2 s; the running loop counts it down frame by frame.
        EXPECT_LE(notice.duration, 2000);
        EXPECT_GT(notice.duration, 1500);
    }
    // The panels of the property windows write in it too.
    for (int index = 0; index < CAppServices::kPropertyWindows; ++index) {
        CPropertyFrame* frame = Window().PropertyFrame(index);
        if (!frame || !frame->PanelView()) continue;
        SCOPED_TRACE(index);
        if (auto* renderer = dynamic_cast<CFrameRenderer*>(frame->PanelView()->Renderer()))
            EXPECT_EQ(renderer->TextColour(), 0xFF008000u);
    }
}

TEST_F(BenchTest, TheBoardsCursorComesBackAndStaysOnTheBoard) {
    CDevice* resistor = Place(TYPE_RESISTANCE, 300, 200);
    QWidget* board = Window().BoardSurface();
    MoveTo(Centre(resistor));
    ASSERT_TRUE(WaitFor([&] { return board->cursor().shape() == Qt::SizeAllCursor; }));
    EXPECT_EQ(Window().cursor().shape(), Qt::ArrowCursor) << "the window keeps its pointer";
    EXPECT_EQ(Window().ToolBar()->cursor().shape(), Qt::ArrowCursor);
    MoveTo(QPoint(700, 450));
    EXPECT_TRUE(WaitFor([&] { return board->cursor().shape() == Qt::ArrowCursor; }))
        << "over the empty board the arrow comes back";
}

TEST_F(BenchTest, ScrollingInTheSymbolViewMovesTheCircuitAtOnce) {
    CDevice* resistor = Place(TYPE_RESISTANCE, 300, 200);
    const float top = Read<float>([&] { return resistor->m_region[1]; });
    Window().RunCommand(CMD_SWITCH_VIEW);
    ASSERT_TRUE(WaitOnLoop([&] { return Experiment().m_realView == 0; }));
    Window().BoardArea()->VerticalBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_TRUE(WaitOnLoop([&] { return resistor->m_region[1] == top - kVerticalStepPixels; }));
    Window().RunCommand(CMD_SWITCH_VIEW);
    Settle(6);
    EXPECT_EQ(Read<float>([&] { return resistor->m_region[1]; }), top - kVerticalStepPixels)
        << "no jump on coming back";
}

TEST_F(BenchTest, ASaveKeepsThePropertyWindowsShowingTheirDevices) {
    CDevice* resistor = Place(TYPE_RESISTANCE, 300, 200);
    Click(Centre(resistor));
    CPropertyFrame* frame = Window().PropertyFrame(0);
    ASSERT_TRUE(WaitFor([&] { return frame->Device() == resistor && !frame->Edits().empty(); }));
    for (int command : {CMD_SAVE, CMD_SAVE_AS}) {
        SCOPED_TRACE(command);
        m_dialogs->savePaths.push_back(FilePath(command == CMD_SAVE ? "kept.vtx" : "again.vtx"));
        Window().RunCommand(command);
        EXPECT_TRUE(WaitFor([&] { return frame->Device() == resistor && !frame->Edits().empty(); }));
    }
    // New empties the board: nothing is shown then.
    Window().RunCommand(CMD_NEW);
    EXPECT_TRUE(WaitFor([&] { return frame->Device() == nullptr; }));
}

TEST_F(BenchTest, ScrollingMovesTheCircuitItself) {
    CDevice* resistor = Place(TYPE_RESISTANCE, 300, 200);
    CDevice* capacitor = Place(TYPE_CAPACITANCE, 500, 300);
    CWire* wire = Join(resistor->m_terminals[1], capacitor->m_terminals[0]);
    struct Where {
        float top, left;
        CPoint node, wireEnd;
    };
    auto where = [&] {
        return Read<Where>([&] {
            return Where{resistor->m_region[1], resistor->m_region[0], resistor->m_terminals[0]->Position(),
                         wire->m_points.back()};
        });
    };
    const Where before = where();

    Window().BoardArea()->VerticalBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(Window().Scroll().vertical.pos, 1);
    ASSERT_TRUE(WaitFor([&] { return where().top == before.top - 4; })) << "one line down moves 4 px up";
    Where after = where();
    EXPECT_EQ(after.node.y, before.node.y - 4);
    EXPECT_EQ(after.wireEnd.y, before.wireEnd.y - 4);
    EXPECT_EQ(after.left, before.left);

    Window().BoardArea()->HorizontalBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    ASSERT_TRUE(WaitFor([&] { return where().left == before.left - 64; })) << "a page right moves 64 px left";
    after = where();
    EXPECT_EQ(after.node.x, before.node.x - 64);
    EXPECT_EQ(Window().BoardArea()->HorizontalBar()->value(), Window().Scroll().horizontal.pos);
}

TEST_F(BenchTest, HelpAndAboutOpenWithoutWaiting) {
    Window().RunCommand(CMD_HELP);
    ASSERT_EQ(m_opened.size(), 1u);
    EXPECT_TRUE(m_opened[0].isLocalFile());
    EXPECT_TRUE(m_opened[0].toLocalFile().endsWith(QStringLiteral("help/index.html")));
    EXPECT_TRUE(QFile::exists(m_opened[0].toLocalFile()));

    m_dialogRunner = [](QDialog& dialog) {
        EXPECT_NE(dialog.findChild<QLabel*>(QStringLiteral("homeLink")), nullptr);
        QLabel* mail = dialog.findChild<QLabel*>(QStringLiteral("mailLink"));
        EXPECT_NE(mail, nullptr);
        if (mail) QTest::mouseClick(mail, Qt::LeftButton);
        return static_cast<int>(QDialog::Accepted);
    };
    Window().RunCommand(CMD_ABOUT);
    EXPECT_EQ(m_dialogRuns, 1);
    ASSERT_EQ(m_opened.size(), 2u);
    EXPECT_EQ(m_opened[1].scheme(), QStringLiteral("mailto"));
}

TEST_F(BenchTest, MaximiseGivesTheLimitedSizeInTheMiddleOfTheScreen) {
    const QRect screen = Window().screen()->geometry();
    const CWindowRect expected = MaximisedRect(screen.width(), screen.height());
    Window().showMaximized();
    EXPECT_TRUE(WaitFor([&] { return !Window().isMaximized() && Window().width() == expected.width; }));
    EXPECT_EQ(Window().size(), QSize(expected.width, expected.height));
    EXPECT_EQ(Window().pos(), QPoint(screen.left() + expected.left, screen.top() + expected.top));
}

TEST_F(BenchTest, ToolbarToggleHidesItAndTheBoardTakesTheSpace) {
    const int boardHeight = Surface()->height();
    Window().RunCommand(CMD_TOOLBAR);
    EXPECT_FALSE(Window().ToolBar()->isVisible());
    EXPECT_EQ(Window().ToolbarHeight(), 0);
    EXPECT_FALSE(Window().MenuAction(CMD_TOOLBAR)->isChecked());
    EXPECT_TRUE(WaitFor([&] { return Surface()->height() > boardHeight; }));
    Window().RunCommand(CMD_TOOLBAR);
    EXPECT_TRUE(Window().ToolBar()->isVisible());
    EXPECT_EQ(Window().ToolbarHeight(), 36);
    EXPECT_TRUE(Window().MenuAction(CMD_TOOLBAR)->isChecked());
}

} // namespace
} // namespace ampera::testing
