// A student's session, by mouse only: devices taken from the device bar and
// placed on the board, wired, switched on through their panel pages, read,
// saved and opened again.
#include "app/core/command_ids.h"
#include "bench_fixture.h"
#include "devices/dc_source.h"
#include "devices/meter_format.h"
#include "views/board_labels.h"
#include "views/panel_view.h"
#include "document/experiment_file.h"
#include "document/keydoc.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QPushButton>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QTabWidget>
#include <QToolBar>

#include <cmath>
#include <set>

namespace ampera::testing {
namespace {

class JourneyTest : public BenchTest {
  protected:
    CDeviceBar& Bar() { return *Window().DeviceBar(); }

    // The bar is shown at start; the toolbar button brings it back after
    // anything hid it.
    void ShowDeviceBar() {
        if (!Bar().IsVisible()) {
            QWidget* button = Window().ToolBar()->widgetForAction(Window().ToolAction(CMD_DEVICE_BAR));
            ASSERT_NE(button, nullptr);
            QTest::mouseClick(button, Qt::LeftButton);
        }
        ASSERT_TRUE(WaitFor([&] { return Bar().IsVisible() && Bar().isVisible(); }));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Bar()));
    }

    // Clicks the device bar's button of `type`, then the board at `at`;
    // returns the device placed there.
    CDevice* TakeFromBar(int type, QPoint at) {
        int group = -1, index = -1;
        for (int g = 0; g < Bar().GroupCount() && group < 0; ++g)
            for (int b = 0; b < Bar().ButtonCount(g); ++b)
                if (CComponent* t = Bar().ButtonTemplate(g, b); t && t->TypeCode() == type) {
                    group = g;
                    index = b;
                    break;
                }
        EXPECT_GE(group, 0) << "the bar offers type " << type;
        if (group < 0) return nullptr;
        if (Bar().SelectedGroup() != group) QTest::mouseClick(Bar().TitleButton(group), Qt::LeftButton);
        EXPECT_TRUE(WaitFor([&] { return Bar().SelectedGroup() == group && !Bar().Animating(); }));
        QAbstractButton* button = Bar().DeviceButton(group, index);
        for (int scroll = 0; scroll < 20 && !button->isVisibleTo(&Bar()); ++scroll)
            QTest::mouseClick(Bar().ScrollDownButton(group), Qt::LeftButton);
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_TRUE(WaitFor([&] { return Bar().PendingDevice() != nullptr; }));

        const std::set<CComponent*> before = Devices();
        MoveTo(at);
        Click(at);
        CDevice* placed = nullptr;
        EXPECT_TRUE(WaitFor([&] {
            for (CComponent* device : Devices())
                if (!before.count(device)) placed = static_cast<CDevice*>(device);
            return placed != nullptr;
        })) << "a device of type "
            << type << " was placed";
        EXPECT_TRUE(WaitFor([&] { return Bar().PendingDevice() == nullptr; }));
        return placed;
    }

    std::set<CComponent*> Devices() {
        return Read<std::set<CComponent*>>([&] {
            return std::set<CComponent*>(Experiment().Devices().begin(), Experiment().Devices().end());
        });
    }

    // Left click on the device shows its group's property window with it;
    // then the power button on the panel page is clicked.
    void SwitchOn(CDevice* device, CPanelButton& power, int window) {
        ClickPanel(device, power, window);
        ASSERT_TRUE(WaitFor([&] { return Read<bool>([&] { return power.IsOn(); }); })) << device->m_name;
    }

    // Shows the device's panel page (a left click on the device) and clicks
    // the control there.
    void ClickPanel(CDevice* device, CPanelControl& control, int window) {
        Click(Centre(device));
        CPropertyFrame* frame = Window().PropertyFrame(window);
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(WaitFor([&] { return frame->IsVisible() && frame->Device() == device; }));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
        frame->Tabs()->setCurrentIndex(0);
        ASSERT_TRUE(
            WaitFor([&] { return Read<bool>([&] { return frame->PanelView()->Device() == device; }); }));

        QWidget* surface = frame->PanelSurface();
        ASSERT_NE(surface, nullptr);
        // The mouse lands on the drawing window when there is one.
        QWidget* target = surface;
        for (QObject* child : surface->children())
            if (auto* widget = qobject_cast<QWidget*>(child)) target = widget;
        const CPanelRect r = Read<CPanelRect>([&] { return control.GetRect(); });
        const QPoint at(static_cast<int>((r.left + r.right) / 2), static_cast<int>((r.top + r.bottom) / 2));
        QTest::mousePress(target, Qt::LeftButton, {}, at);
        Settle();
        QTest::mouseRelease(target, Qt::LeftButton, {}, at);
        Settle();
    }

    CDevice* FindDevice(int type) {
        return Read<CDevice*>([&]() -> CDevice* {
            for (CComponent* device : Experiment().Devices())
                if (device->TypeCode() == type) return static_cast<CDevice*>(device);
            return nullptr;
        });
    }

    // Saves through Save As to `name` in the test folder; the file's bytes.
    std::string SaveAs(const char* name) {
        const std::string path = FilePath(name);
        m_dialogs->savePaths.push_back(path);
        Window().RunCommand(CMD_SAVE_AS);
        QFile file(QString::fromStdString(path));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        return file.readAll().toStdString();
    }

    // Opens a copy of an example in the test folder (a save then never
    // writes into the source tree).
    void OpenExample(const char* name) {
        const std::string copy = FilePath(name);
        ASSERT_TRUE(QFile::copy(QString::fromStdString(std::string(AMPERA_EXAMPLES_DIR) + "/" + name),
                                QString::fromStdString(copy)));
        m_dialogs->openPaths.push_back(copy);
        m_dialogs->answers.push_back(SaveAnswer::No);
        Window().RunCommand(CMD_OPEN);
        ASSERT_TRUE(m_dialogs->errors.empty());
    }

    // The undo item's text once the menus have caught up with the history.
    bool UndoReads(const std::string& text) {
        return WaitFor([&] { return Window().MenuAction(CMD_UNDO)->text().toStdString() == text; });
    }
    std::size_t UndoSize() { return Window().Board().History().UndoSize(); }
    std::size_t RedoSize() { return Window().Board().History().RedoSize(); }

    // A key chord to the active main window, as its shortcuts receive it.
    void Chord(Qt::Key key, Qt::KeyboardModifiers modifiers) {
        Window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
        QTest::keyClick(&Window(), key, modifiers);
    }

    std::string Title() { return Window().windowTitle().toStdString(); }

    // What the meter's display shows, as a number once it has settled.
    double Reading(CDevice* meter) {
        double value = NAN;
        WaitFor([&] {
            const std::string text = Read<std::string>([&] { return meter->DisplayText(); });
            if (text.empty()) return false;
            value = std::stod(text);
            return true;
        });
        return value;
    }
};

TEST_F(JourneyTest, VoltmeterAcrossAResistorReadsTheSourceAndKeepsItAfterReopening) {
    ShowDeviceBar();
    auto* source = static_cast<CKnobSource*>(TakeFromBar(TYPE_DC_SOURCE, QPoint(150, 330)));
    CDevice* resistor = TakeFromBar(TYPE_RESISTANCE, QPoint(470, 120));
    auto* voltmeter = static_cast<CDigitalMeter*>(TakeFromBar(TYPE_DC_VOLTMETER, QPoint(470, 380)));
    ASSERT_TRUE(source && resistor && voltmeter);

    DrawWire(Terminal(source, 0), Terminal(resistor, 0));
    DrawWire(Terminal(resistor, 1), Terminal(source, 1));
    DrawWire(Terminal(voltmeter, 0), Terminal(resistor, 0));
    DrawWire(Terminal(voltmeter, 1), Terminal(resistor, 1));
    ASSERT_TRUE(WaitOnLoop([&] { return Experiment().Wires().size() == 4; })) << "four wires drawn";

    SwitchOn(source, source->m_power, 1);
    SwitchOn(voltmeter, voltmeter->m_power, 1);
    const double volts = Reading(voltmeter);
    EXPECT_NEAR(volts, 10.0, 0.05) << "the source's 2 x 5 V coarse setting across the resistor";

    const std::string file = FilePath("journey.vtx");
    m_dialogs->savePaths.push_back(file);
    QTest::mouseClick(Window().ToolBar()->widgetForAction(Window().ToolAction(CMD_SAVE)), Qt::LeftButton);
    ASSERT_EQ(Window().windowTitle().toStdString(), "Ampera [journey.vtx]");

    m_dialogs->openPaths.push_back(file);
    m_dialogs->answers.push_back(SaveAnswer::No);
    QTest::mouseClick(Window().ToolBar()->widgetForAction(Window().ToolAction(CMD_OPEN)), Qt::LeftButton);
    ASSERT_TRUE(m_dialogs->errors.empty());
    CDevice* reopened = Read<CDevice*>([&]() -> CDevice* {
        for (CComponent* device : Experiment().Devices())
            if (device->TypeCode() == TYPE_DC_VOLTMETER) return static_cast<CDevice*>(device);
        return nullptr;
    });
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(Devices().size(), 3u);
    EXPECT_EQ(Read<std::size_t>([&] { return Experiment().Wires().size(); }), 4u);
    EXPECT_NEAR(Reading(reopened), volts, 0.02);
}

TEST_F(JourneyTest, AmmeterInSeriesReadsTheCurrent) {
    ShowDeviceBar();
    auto* source = static_cast<CKnobSource*>(TakeFromBar(TYPE_DC_SOURCE, QPoint(150, 330)));
    CDevice* resistor = TakeFromBar(TYPE_RESISTANCE, QPoint(470, 120));
    auto* ammeter = static_cast<CDigitalMeter*>(TakeFromBar(TYPE_DC_AMMETER, QPoint(560, 380)));
    ASSERT_TRUE(source && resistor && ammeter);

    DrawWire(Terminal(source, 0), Terminal(resistor, 0));
    DrawWire(Terminal(resistor, 1), Terminal(ammeter, 0));
    DrawWire(Terminal(ammeter, 1), Terminal(source, 1));
    ASSERT_TRUE(WaitOnLoop([&] { return Experiment().Wires().size() == 3; })) << "three wires drawn";

    SwitchOn(source, source->m_power, 1);
    SwitchOn(ammeter, ammeter->m_power, 1);
    // 10 V over the resistor's 1 kΩ: 10 mA.
    const std::string text = Read<std::string>([&] { return ammeter->DisplayText(); });
    EXPECT_NEAR(Reading(ammeter), 10.0, 0.05) << text;
}

// Every kind of edit, each one step named in the menu; undoing them all gives
// back the file that was opened byte for byte, redoing them all the file that
// was saved before undoing.
TEST_F(JourneyTest, UndoAllGivesBackTheOpenedFileAndRedoAllTheEditedOne) {
    OpenExample("ohms_law.vtx");
    const std::string opened = SaveAs("base.vtx");
    ASSERT_FALSE(opened.empty());
    EXPECT_EQ(UndoSize(), 0u);
    ShowDeviceBar();

    CDevice* source = FindDevice(TYPE_DC_SOURCE);
    auto* ammeter = static_cast<CDigitalMeter*>(FindDevice(TYPE_DC_AMMETER));
    ASSERT_TRUE(source && ammeter);

    CDevice* added = TakeFromBar(TYPE_RESISTANCE, QPoint(620, 470));
    ASSERT_NE(added, nullptr);
    EXPECT_TRUE(UndoReads("撤销放置器材(&U)"));

    DrawWire(Terminal(added, 0), Terminal(source, 0));
    EXPECT_TRUE(UndoReads("撤销连线(&U)"));

    // A drag in several moves is one step.
    std::size_t steps = UndoSize();
    const QPoint grab = Centre(added);
    Press(grab);
    for (int i = 1; i <= 4; ++i)
        MoveTo(grab + QPoint(10 * i, 5 * i));
    Release(grab + QPoint(40, 20));
    EXPECT_TRUE(WaitFor([&] { return UndoSize() == steps + 1; }));
    EXPECT_TRUE(UndoReads("撤销移动(&U)"));

    // A run of arrow presses is one step too.
    steps = UndoSize();
    const float leftBefore = Read<float>([&] { return added->m_region[0]; });
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(Surface(), Qt::Key_Right);
    QTest::keyClick(Surface(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_TRUE(WaitOnLoop([&] { return added->m_region[0] == leftBefore + 3; }));
    EXPECT_TRUE(WaitFor([&] { return UndoSize() == steps + 1; }));

    Choose(CMD_ROTATE_RIGHT); // the selection: the resistor just moved
    EXPECT_TRUE(UndoReads("撤销向右旋转(&U)"));

    CPropertyFrame* passive = Window().PropertyFrame(0);
    ASSERT_TRUE(WaitFor([&] { return passive->Device() == added && !passive->Edits().empty(); }));
    passive->Edits()[0]->setText("2200");
    passive->Apply();
    EXPECT_TRUE(UndoReads("撤销参数设置(&U)"));

    const bool powered = Read<bool>([&] { return ammeter->IsPowered(); });
    ClickPanel(ammeter, ammeter->m_power, 1);
    ASSERT_TRUE(WaitFor([&] { return Read<bool>([&] { return ammeter->IsPowered(); }) != powered; }));
    EXPECT_TRUE(UndoReads("撤销面板操作(&U)"));

    const QPoint onWire = Read<QPoint>([&] {
        const auto* wire = static_cast<const CWire*>(*Experiment().Wires().begin());
        return QPoint((wire->m_points[0].x + wire->m_points[1].x) / 2, (wire->m_points[0].y + wire->m_points[1].y) / 2);
    });
    m_nextColour = 0x0000FF00;
    ContextChoose(onWire, "改变颜色[&C]");
    EXPECT_TRUE(UndoReads("撤销导线颜色(&U)"));

    CDevice* voltmeter = FindDevice(TYPE_DC_VOLTMETER);
    Click(Centre(voltmeter));
    QTest::keyClick(Surface(), Qt::Key_Delete);
    EXPECT_TRUE(UndoReads("撤销删除(&U)"));

    const std::string edited = SaveAs("edited.vtx");
    EXPECT_NE(edited, opened);
    EXPECT_EQ(Title(), "Ampera [edited.vtx]");
    const std::size_t total = UndoSize();
    EXPECT_EQ(total, 9u) << "one step per edit";

    // One press at a time, each seen through before the next: every press
    // undoes a step, however soon after the last it comes.
    for (std::size_t i = 0; i < total; ++i) {
        Chord(Qt::Key_Z, Qt::ControlModifier);
        ASSERT_TRUE(WaitFor([&] { return UndoSize() == total - i - 1; })) << "undo " << i + 1;
    }
    ASSERT_TRUE(WaitFor([&] { return UndoSize() == 0 && RedoSize() == total; }));
    EXPECT_TRUE(WaitFor([&] { return Title() == "Ampera [edited.vtx]*"; }));
    EXPECT_EQ(SaveAs("undone.vtx"), opened);

    for (std::size_t i = 0; i < total; ++i)
        Window().RunCommand(CMD_REDO);
    ASSERT_TRUE(WaitFor([&] { return RedoSize() == 0 && UndoSize() == total; }));
    EXPECT_EQ(SaveAs("redone.vtx"), edited);
}

// The title marks work no file holds; an undo back to the saved state clears
// the mark, and only then does New go ahead without asking.
TEST_F(JourneyTest, TheTitleMarksUnsavedWorkThroughASaveAndAnUndo) {
    OpenExample("ohms_law.vtx");
    EXPECT_EQ(Title(), "Ampera [ohms_law.vtx]");
    CDevice* resistor = FindDevice(TYPE_RESISTANCE);
    Click(Centre(resistor));
    Choose(CMD_ROTATE_LEFT);
    EXPECT_TRUE(WaitFor([&] { return Title() == "Ampera [ohms_law.vtx]*"; }));

    SaveAs("marked.vtx");
    EXPECT_EQ(Title(), "Ampera [marked.vtx]");
    Choose(CMD_UNDO);
    EXPECT_TRUE(WaitFor([&] { return Title() == "Ampera [marked.vtx]*"; }));
    Choose(CMD_REDO);
    EXPECT_TRUE(WaitFor([&] { return Title() == "Ampera [marked.vtx]"; }));

    Window().RunCommand(CMD_NEW);
    EXPECT_TRUE(m_dialogs->questions.empty()) << "nothing unsaved, nothing asked";
    EXPECT_EQ(Title(), "Ampera [未命名.vtx]");
}

// Escape gives up a wire being drawn and a device being placed, and leaves
// no step behind.
TEST_F(JourneyTest, EscapeGivesUpAWireAndAPlacement) {
    OpenExample("ohms_law.vtx");
    CDevice* source = FindDevice(TYPE_DC_SOURCE);
    const std::size_t wires = Read<std::size_t>([&] { return Experiment().Wires().size(); });
    Click(Terminal(source, 0));
    MoveTo(Terminal(source, 0) + QPoint(60, 40));
    ASSERT_TRUE(WaitOnLoop([&] { return Experiment().Wires().size() == wires + 1; })) << "a wire follows";
    QTest::keyClick(Surface(), Qt::Key_Escape);
    EXPECT_TRUE(WaitOnLoop([&] { return Experiment().Wires().size() == wires; }));

    ShowDeviceBar();
    QAbstractButton* button = Bar().DeviceButton(Bar().SelectedGroup(), 0);
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return Bar().PendingDevice() != nullptr; }));
    MoveTo(QPoint(600, 450));
    QTest::keyClick(Surface(), Qt::Key_Escape);
    EXPECT_TRUE(WaitFor([&] { return Bar().PendingDevice() == nullptr; }));
    const std::size_t devices = Devices().size();
    Click(QPoint(600, 450));
    Settle();
    EXPECT_EQ(Devices().size(), devices) << "the click after Escape places nothing";
    EXPECT_EQ(UndoSize(), 0u);
}

// The standard key sequences, shown in the menus, each doing its command.
TEST_F(JourneyTest, EveryCommandHasItsShortcut) {
    struct Case {
        int id;
        QKeySequence keys;
    };
    const Case cases[] = {
        {CMD_NEW, QKeySequence::keyBindings(QKeySequence::New).value(0)},
        {CMD_OPEN, QKeySequence::keyBindings(QKeySequence::Open).value(0)},
        {CMD_SAVE, QKeySequence::keyBindings(QKeySequence::Save).value(0)},
        {CMD_SAVE_AS, QKeySequence(QStringLiteral("Ctrl+Shift+S"))},
        {CMD_UNDO, QKeySequence(QStringLiteral("Ctrl+Z"))},
        {CMD_REDO, QKeySequence::keyBindings(QKeySequence::Redo).value(0)},
        {CMD_DELETE, QKeySequence(QStringLiteral("Del"))},
        {CMD_ROTATE_LEFT, QKeySequence(QStringLiteral("Ctrl+L"))},
        {CMD_ROTATE_RIGHT, QKeySequence(QStringLiteral("Ctrl+R"))},
        {CMD_HELP, QKeySequence(QStringLiteral("F1"))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_FALSE(c.keys.isEmpty());
        EXPECT_TRUE(Window().MenuAction(c.id)->shortcuts().contains(c.keys));
    }

    OpenExample("ohms_law.vtx");
    CDevice* resistor = FindDevice(TYPE_RESISTANCE);
    Click(Centre(resistor));
    ASSERT_TRUE(WaitFor([&] { return Window().MenuAction(CMD_ROTATE_LEFT)->isEnabled(); }));
    Chord(Qt::Key_L, Qt::ControlModifier);
    EXPECT_TRUE(WaitOnLoop([&] { return resistor->m_angleLeft == 90; }));
    Chord(Qt::Key_R, Qt::ControlModifier);
    EXPECT_TRUE(WaitOnLoop([&] { return resistor->m_angleLeft == 0; }));
    Chord(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(WaitOnLoop([&] { return resistor->m_angleLeft == 90; }));
    Chord(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(WaitOnLoop([&] { return resistor->m_angleLeft == 0; }));
    ASSERT_TRUE(WaitFor([&] { return Window().MenuAction(CMD_DELETE)->isEnabled(); }));
    Chord(Qt::Key_Delete, Qt::NoModifier);
    EXPECT_TRUE(WaitFor([&] { return !OnBoard(resistor); }));

    m_dialogs->savePaths.push_back(FilePath("keys.vtx"));
    Chord(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(WaitFor([&] { return Window().Files().Path() == FilePath("keys.vtx"); }));
    Chord(Qt::Key_Z, Qt::ControlModifier);
    Chord(Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(WaitFor([&] { return Title() == "Ampera [keys.vtx]"; })) << "saved again";
    Chord(Qt::Key_F1, Qt::NoModifier);
    EXPECT_TRUE(WaitFor([&] { return !m_opened.empty(); })) << "help opened";
    Chord(Qt::Key_N, Qt::ControlModifier);
    EXPECT_TRUE(WaitOnLoop([&] { return Experiment().AllObjects().empty(); }));
}

// A teacher locks the experiment (with a password, asked twice) and hands it
// out: the student's file opens locked, every editing command is refused,
// the panels still work, and only the password opens it.
TEST_F(JourneyTest, ALockedExperimentRefusesEveryEditButItsPanelsWork) {
    OpenExample("ohms_law.vtx");
    m_passwords = {"teacher", "other"};
    Choose(CMD_LOCK);
    EXPECT_EQ(m_dialogs->errors, std::vector<std::string>{"两次输入的密码不一致，实验没有锁定。"});
    EXPECT_FALSE(Experiment().m_locked);
    m_passwords = {"teacher", "teacher"};
    Choose(CMD_LOCK);
    ASSERT_TRUE(WaitFor([&] { return Experiment().m_locked != 0; }));
    const std::string handedOut = SaveAs("handed_out.vtx");
    EXPECT_NE(handedOut.find("<LOCK>"), std::string::npos);
    EXPECT_EQ(handedOut.find("teacher"), std::string::npos) << "the password itself is never stored";

    m_dialogs->openPaths.push_back(FilePath("handed_out.vtx"));
    Window().RunCommand(CMD_OPEN);
    ASSERT_TRUE(Experiment().m_locked) << "the file opens locked";
    const std::string before = Read<std::string>([&] { return ExperimentDocument(Experiment()).ToText(); });
    CDevice* resistor = FindDevice(TYPE_RESISTANCE);
    CDevice* source = FindDevice(TYPE_DC_SOURCE);
    auto* ammeter = static_cast<CDigitalMeter*>(FindDevice(TYPE_DC_AMMETER));

    // Every edit, by mouse, key and menu.
    const QPoint grab = Centre(resistor);
    Press(grab);
    MoveTo(grab + QPoint(60, 40));
    Release(grab + QPoint(60, 40));
    DrawWire(Terminal(resistor, 0), Terminal(source, 1));
    Click(Centre(resistor));
    QTest::keyClick(Surface(), Qt::Key_Right);
    QTest::keyClick(Surface(), Qt::Key_Delete);
    for (int command : {CMD_ROTATE_LEFT, CMD_ROTATE_RIGHT, CMD_DELETE, CMD_DELETE_ALL}) {
        EXPECT_TRUE(WaitFor([&] { return !Window().MenuAction(command)->isEnabled(); })) << command;
        Window().RunCommand(command);
    }
    EXPECT_FALSE(Window().DeviceBar()->isEnabled()) << "no new devices";
    EXPECT_EQ(ContextMenuAt(Centre(resistor)),
              (std::vector<std::string>{"隐藏器材栏[&A]", "隐藏属性栏[&P]", "-", "不显示名称参数[&S]", "进入符号图[&B]"}));
    CPropertyFrame* passive = Window().PropertyFrame(0);
    ASSERT_TRUE(WaitFor([&] { return passive->Device() == resistor && !passive->Edits().empty(); }));
    EXPECT_FALSE(passive->ApplyButton()->isEnabled());
    passive->Edits()[0]->setText("2200");
    passive->Apply();
    EXPECT_EQ(m_messages, std::vector<std::string>{"实验已锁定，不能修改参数。"});
    Settle(6);
    EXPECT_EQ(Read<std::string>([&] { return ExperimentDocument(Experiment()).ToText(); }), before)
        << "nothing changed";

    // The instruments still work.
    const bool powered = Read<bool>([&] { return ammeter->IsPowered(); });
    ClickPanel(ammeter, ammeter->m_power, 1);
    EXPECT_TRUE(WaitFor([&] { return Read<bool>([&] { return ammeter->IsPowered(); }) != powered; }));

    // Only the password opens it.
    m_passwords = {"wrong"};
    Choose(CMD_UNLOCK);
    EXPECT_EQ(m_dialogs->errors.back(), "密码不正确，实验仍然锁定。");
    EXPECT_TRUE(Experiment().m_locked);
    m_passwords = {"teacher"};
    Choose(CMD_UNLOCK);
    ASSERT_TRUE(WaitFor([&] { return Experiment().m_locked == 0; }));
    const float left = Read<float>([&] { return resistor->m_region[0]; });
    Press(Centre(resistor));
    MoveTo(Centre(resistor) + QPoint(30, 0));
    Release(Centre(resistor) + QPoint(30, 0));
    EXPECT_TRUE(WaitOnLoop([&] { return resistor->m_region[0] == left + 30; })) << "unlocked, it moves";
    EXPECT_EQ(SaveAs("unlocked.vtx").find("<LOCK>"), std::string::npos);
}

// A value the teacher hides is on no label, no parameter page and in the
// file only as a mark; taking the mark off shows it again.
TEST_F(JourneyTest, AHiddenValueShowsNowhere) {
    OpenExample("ohms_law.vtx");
    CDevice* resistor = FindDevice(TYPE_RESISTANCE);
    Click(Centre(resistor));
    CPropertyFrame* passive = Window().PropertyFrame(0);
    ASSERT_TRUE(WaitFor([&] { return passive->Device() == resistor && passive->HiddenBox(); }));
    passive->HiddenBox()->setChecked(true);
    passive->Apply();
    ASSERT_TRUE(WaitOnLoop([&] { return resistor->m_valueHidden; }));
    EXPECT_TRUE(UndoReads("撤销参数设置(&U)"));

    const std::optional<CBoardLabel> label = Read<std::optional<CBoardLabel>>([&] { return BoardLabelOf(*resistor); });
    ASSERT_TRUE(label);
    EXPECT_EQ(label->text, resistor->m_name);
    Click(QPoint(700, 600));
    Click(Centre(resistor));
    ASSERT_TRUE(WaitFor([&] { return passive->Device() == resistor && passive->HiddenBox(); }));
    for (std::size_t i = 0; i < passive->Edits().size(); ++i)
        if (passive->Edits()[i]->text() != QString::fromStdString(resistor->m_name))
            EXPECT_EQ(passive->Edits()[i]->echoMode(), QLineEdit::Password) << "field " << i;
    EXPECT_TRUE(passive->HiddenBox()->isChecked());
    EXPECT_NE(SaveAs("hidden.vtx").find("<VALUEHIDDEN>1</VALUEHIDDEN>"), std::string::npos);

    Choose(CMD_UNDO);
    EXPECT_TRUE(WaitOnLoop([&] { return !resistor->m_valueHidden; }));
    EXPECT_EQ(SaveAs("shown.vtx").find("VALUEHIDDEN"), std::string::npos) << "no mark, the file as before";
}

// 文件 → 导出图片… saves what the board shows, in either view.
TEST_F(JourneyTest, ThePictureExportedIsTheBoardAsShown) {
    OpenExample("ohms_law.vtx");
    Settle(10);
    const auto exported = [&](const char* name) {
        m_dialogs->savePaths.push_back(FilePath(name));
        Window().RunCommand(CMD_EXPORT_PICTURE);
        return QImage(QString::fromStdString(FilePath(name)));
    };
    const QImage board = exported("board.png");
    ASSERT_FALSE(board.isNull()) << (m_dialogs->errors.empty() ? "" : m_dialogs->errors.back());
    EXPECT_EQ(board.size() / board.devicePixelRatio(), Surface()->size());
    EXPECT_EQ(board.pixelColor(2, 2), QColor(Qt::white)) << "the board's background";
    int coloured = 0;
    for (int y = 0; y < board.height(); y += 4)
        for (int x = 0; x < board.width(); x += 4)
            if (board.pixelColor(x, y) != QColor(Qt::white)) ++coloured;
    EXPECT_GT(coloured, 200) << "the instruments are in the picture";

    Window().RunCommand(CMD_SWITCH_VIEW);
    Settle(10);
    const QImage symbols = exported("symbols.png");
    ASSERT_FALSE(symbols.isNull());
    EXPECT_EQ(symbols.pixelColor(2, 2), QColor(Qt::yellow)) << "the symbol view's background";
}

// 文件 → 导出读数… writes the table ampera-cli readings writes.
TEST_F(JourneyTest, TheReadingsExportedAreTheInstrumentsTable) {
    OpenExample("ohms_law.vtx");
    m_dialogs->savePaths.push_back(FilePath("readings.csv"));
    Window().RunCommand(CMD_EXPORT_READINGS);
    ASSERT_TRUE(m_dialogs->errors.empty());
    QFile file(QString::fromStdString(FilePath("readings.csv")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const std::string csv = file.readAll().toStdString();
    EXPECT_EQ(csv.rfind("\xEF\xBB\xBF名称,类型,量程,显示,读数,单位,警告\r\n", 0), 0u);
    EXPECT_NE(csv.find("数字电流表1,直流电流表,20mA,10.01,10.01,mA,\r\n"), std::string::npos) << csv;
    EXPECT_TRUE(Window().Services().LoopRunning());
}

} // namespace
} // namespace ampera::testing
