#include "property_frame.h"

#include "core/component.h"
#include "core/experiment.h"
#include "devices/dc_source.h"
#include "devices/device.h"
#include "devices/kind_registry.h"
#include "devices/level_meter.h"
#include "devices/oscilloscope.h"
#include "panel_view.h"
#include "widget_fixture.h"

#include <QCheckBox>
#include <QImage>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <thread>

namespace ampera {
namespace {

using test::RecordingPlatform;

// A device with three integer fields of range 0 to 5000 and a choice list:
// small enough to see every write the window makes.
class FieldsDevice : public CDevice {
  public:
    static inline const CDeviceKind kKind{.typeCode = TYPE_RESISTANCE,
                                          .namePrefix = "F",
                                          .bodyPicture = "devpic\\res.tga",
                                          .body = {40, 20, 0, {}, false}};
    FieldsDevice() : CDevice(kKind) {}

    void FillPropertyPage(CPropertyPage& page) override {
        page.window = {0, 0, 260, 320};
        page.AddText({10, 10, 100, 30}, "甲");
        page.AddChoice({10, 40, 120, 60}, {"一", "二", "三"}, &choice);
        for (int i = 0; i < 3; ++i)
            page.AddIntEdit({10, 70 + 30 * i, 100, 90 + 30 * i}, std::to_string(values[i]), &values[i], 0,
                            5000);
        page.AddUsageText({10, 10, 200, 400}, "说明");
    }

    int values[3] = {1, 2, 3};
    int choice = 0;
};

class PropertyFrameTest : public ::testing::Test {
  protected:
    PropertyFrameTest() : services(std::make_shared<RecordingPlatform>()) {
        CPropertyFrame::SetMessageHook([this](QWidget*, const QString& text) { messages.push_back(text); });
    }
    ~PropertyFrameTest() override {
        services.StopLoop();
        CPropertyFrame::SetMessageHook(nullptr);
    }

    std::unique_ptr<CPropertyFrame> Frame(int index) {
        return std::make_unique<CPropertyFrame>(index, services, experiment);
    }
    // A device of the real kinds, owned by the experiment.
    template <class T = CDevice> T* Make(int typeCode) {
        CComponent* object = CreateObject(typeCode);
        experiment.AddObject(object, false);
        return dynamic_cast<T*>(object);
    }
    static QStringList TabTitles(const CPropertyFrame& frame) {
        QStringList titles;
        for (int i = 0; i < frame.Tabs()->count(); ++i)
            titles << frame.Tabs()->tabText(i);
        return titles;
    }
    static void Settle(int ms = 30) {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }

    CExperiment experiment;
    CAppServices services;
    std::vector<QString> messages;
};

TEST_F(PropertyFrameTest, EachWindowHasThePagesOfItsIndex) {
    const QStringList expected[4] = {
        {"参数设置", "使用说明"},
        {"面板操作", "参数设置", "使用说明"},
        {"面板操作", "使用说明"},
        {"面板操作", "使用说明"},
    };
    for (int index = 0; index < 4; ++index) {
        SCOPED_TRACE(index);
        auto frame = Frame(index);
        EXPECT_EQ(TabTitles(*frame), expected[index]);
        EXPECT_EQ(frame->Tabs()->currentIndex(), 0);
        EXPECT_EQ(frame->PanelView() != nullptr, index != 0);
        // Created hidden, small, at its place, until a device is set.
        EXPECT_EQ(frame->windowTitle(), QStringLiteral("属性"));
        EXPECT_TRUE(frame->windowFlags() & Qt::Tool);
        EXPECT_FALSE(frame->isVisible());
        EXPECT_FALSE(frame->IsVisible());
        EXPECT_EQ(frame->pos(), QPoint(600, 50));
        EXPECT_EQ(frame->size(), QSize(50, 50));
        EXPECT_FALSE(frame->ApplyButton()->isVisibleTo(frame.get()));
    }
}

TEST_F(PropertyFrameTest, DeviceSetsWindowTabsAndApplyGeometryAndNoDeviceResetsThem) {
    auto frame = Frame(1);
    auto* source = Make(TYPE_DC_SOURCE); // window (0, 0, 230, 340)
    frame->SetDevice(source, 1);
    EXPECT_EQ(frame->size(), QSize(230, 340));
    EXPECT_EQ(frame->pos(), QPoint(600, 50));
    EXPECT_EQ(frame->Tabs()->geometry(), QRect(5, 10, 215, 245)) << "down to just above the apply button";
    EXPECT_EQ(frame->ApplyButton()->geometry(), QRect(230 / 2 - 40, 340 - 80, 60, 20));
    EXPECT_TRUE(frame->ApplyButton()->isVisibleTo(frame.get()));
    EXPECT_EQ(frame->PanelSurface()->geometry(), QRect(0, 0, 230, 220));

    frame->SetDevice(nullptr, 1);
    EXPECT_EQ(frame->Device(), nullptr);
    EXPECT_EQ(frame->size(), QSize(300, 400));
    EXPECT_EQ(frame->Tabs()->geometry(), QRect(5, 10, 285, 340));
    EXPECT_FALSE(frame->ApplyButton()->isVisibleTo(frame.get()));
    EXPECT_EQ(frame->PanelSurface()->geometry(), QRect(0, 0, 290, 330));
    EXPECT_TRUE(frame->Edits().empty());
    EXPECT_TRUE(frame->UsageTexts().empty());

    // A rectangle starting left of zero still gives its full width.
    auto* voltmeter = Make(TYPE_DC_VOLTMETER); // window (-3, 0, 250, 310)
    frame->SetDevice(voltmeter, 1);
    EXPECT_EQ(frame->size(), QSize(253, 310));
    EXPECT_EQ(frame->Tabs()->geometry(), QRect(2, 10, 238, 215));
}

TEST_F(PropertyFrameTest, NewResistorShowsItsFieldsTextsSpinAndUsage) {
    auto frame = Frame(0);
    auto* resistor = Make(TYPE_RESISTANCE);
    frame->SetDevice(resistor, 0);

    ASSERT_EQ(frame->Edits().size(), 3u);
    EXPECT_EQ(frame->Edits()[0]->text(), QStringLiteral("1000  "));
    EXPECT_EQ(frame->Edits()[1]->text(), QString::fromStdString(resistor->m_name));
    EXPECT_EQ(frame->Edits()[2]->text(), QStringLiteral("2.000000"));
    EXPECT_EQ(frame->Edits()[0]->geometry(), QRect(90, 55, 60, 20));
    EXPECT_FALSE(frame->Edits()[0]->isReadOnly());

    ASSERT_EQ(frame->ParameterTexts().size(), 6u);
    const QLabel* name = frame->ParameterTexts()[0];
    EXPECT_EQ(name->text(), QStringLiteral("名称"));
    EXPECT_EQ(name->geometry(), QRect(20, 20, 250, 20));
    EXPECT_EQ(name->font().pixelSize(), 14);
    EXPECT_EQ(name->font().family(), QStringLiteral("宋体"));
    EXPECT_EQ(name->palette().color(QPalette::WindowText), QColor(28, 115, 218));
    auto* page = qobject_cast<QScrollArea*>(frame->Tabs()->widget(0));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->widget()->palette().color(QPalette::Window), QColor(234, 234, 234));

    ASSERT_NE(frame->Spin(), nullptr);
    EXPECT_EQ(frame->Spin()->minimum(), 1);
    EXPECT_EQ(frame->Spin()->maximum(), 999999);
    EXPECT_EQ(frame->Spin()->value(), 1000);

    ASSERT_EQ(frame->UsageTexts().size(), 1u);
    EXPECT_TRUE(frame->UsageTexts()[0]->text().startsWith(QStringLiteral("普通电阻：")));
    EXPECT_TRUE(frame->UsageTexts()[0]->wordWrap());
}

TEST_F(PropertyFrameTest, SpinStepsFromTheTypedNumberIntoTheField) {
    auto frame = Frame(0);
    frame->SetDevice(Make(TYPE_RESISTANCE), 0);
    QLineEdit* value = frame->Edits()[0];
    frame->Spin()->stepUp();
    EXPECT_EQ(value->text(), QStringLiteral("1001"));

    value->clear();
    QTest::keyClicks(value, QStringLiteral("1,500"));
    frame->Spin()->stepDown();
    EXPECT_EQ(value->text(), QStringLiteral("1499"));
}

TEST_F(PropertyFrameTest, ApplyStoresValuesShowsThemAndHidesTheWindow) {
    auto frame = Frame(0);
    FieldsDevice device;
    device.choice = 1;
    frame->SetDevice(&device, 0);
    frame->Show();
    ASSERT_EQ(frame->Choices().size(), 1u);
    EXPECT_EQ(frame->Choices()[0]->currentIndex(), 1); // the target's index
    EXPECT_EQ(frame->Choices()[0]->count(), 3);
    experiment.m_topologyDirty = 0;

    frame->Edits()[0]->setText(QStringLiteral("1,000"));
    frame->Edits()[2]->setText(QStringLiteral(" 5000 "));
    frame->Choices()[0]->setCurrentIndex(2);
    QTest::mouseClick(frame->ApplyButton(), Qt::LeftButton);

    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(device.values[0], 1000);
    EXPECT_EQ(device.values[1], 2);
    EXPECT_EQ(device.values[2], 5000);
    EXPECT_EQ(device.choice, 2);
    EXPECT_EQ(frame->Edits()[0]->text(), QStringLiteral("1000"));
    EXPECT_EQ(frame->Edits()[2]->text(), QStringLiteral("5000"));
    EXPECT_EQ(experiment.m_topologyDirty, 1);
    EXPECT_FALSE(frame->IsVisible());
    EXPECT_EQ(frame->Device(), &device); // hiding keeps the device
}

TEST_F(PropertyFrameTest, OneFieldOutOfRangeWritesNothingAndSaysSo) {
    auto frame = Frame(0);
    FieldsDevice device;
    frame->SetDevice(&device, 0);
    frame->Show();
    experiment.m_topologyDirty = 0;

    const char* bad[] = {"5001", "-1", "12a", ""};
    for (const char* text : bad) {
        SCOPED_TRACE(text);
        messages.clear();
        frame->Edits()[0]->setText(QStringLiteral("4000"));
        frame->Edits()[1]->setText(QString::fromUtf8(text));
        frame->Edits()[2]->setText(QStringLiteral("10"));
        frame->Choices()[0]->setCurrentIndex(1);
        frame->Apply();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0], QStringLiteral("请在正确的范围内填写"));
        EXPECT_EQ(device.values[0], 1);
        EXPECT_EQ(device.values[1], 2);
        EXPECT_EQ(device.values[2], 3);
        EXPECT_EQ(device.choice, 0);
        EXPECT_EQ(experiment.m_topologyDirty, 0);
        EXPECT_TRUE(frame->IsVisible());
        EXPECT_EQ(frame->Edits()[1]->text(), QString::fromUtf8(text)); // left for correcting
    }
}

TEST_F(PropertyFrameTest, RenamingACapacitorChangesItsName) {
    auto frame = Frame(0);
    auto* capacitor = Make(TYPE_CAPACITANCE);
    frame->SetDevice(capacitor, 0);
    ASSERT_EQ(frame->Edits().size(), 2u);
    frame->Edits()[1]->setText(QStringLiteral("滤波电容"));
    frame->Apply();
    EXPECT_EQ(capacitor->m_name, "滤波电容");
}

// While the loop runs, the write is handed to it: no device field changes
// on the user-interface thread, and the page follows once the loop is done.
TEST_F(PropertyFrameTest, WhileTheLoopRunsTheWriteHappensOnTheLoop) {
    auto frame = Frame(0);
    FieldsDevice device;
    frame->SetDevice(&device, 0);
    frame->Show();
    std::vector<std::function<void()>> queued;
    frame->SetLoopRunner([&](std::function<void()> work) { queued.push_back(std::move(work)); });
    ASSERT_TRUE(services.StartLoop());

    frame->Edits()[0]->setText(QStringLiteral("2,500"));
    frame->Apply();
    ASSERT_EQ(queued.size(), 1u);
    EXPECT_EQ(device.values[0], 1);
    EXPECT_TRUE(frame->IsVisible());

    std::thread loop([&] { queued[0](); });
    loop.join();
    EXPECT_EQ(device.values[0], 2500);
    EXPECT_EQ(frame->Edits()[0]->text(), QStringLiteral("2,500")); // not before this thread's turn
    Settle();
    EXPECT_EQ(frame->Edits()[0]->text(), QStringLiteral("2500"));
    EXPECT_FALSE(frame->isVisible());
}

// Regression: a write still queued when the experiment is cleared (the loop
// stopped for New or Open) must not land in the freed devices.
TEST_F(PropertyFrameTest, WriteQueuedBeforeClearDeviceIsDropped) {
    auto frame = Frame(0);
    FieldsDevice device;
    frame->SetDevice(&device, 0);
    std::vector<std::function<void()>> queued;
    frame->SetLoopRunner([&](std::function<void()> work) { queued.push_back(std::move(work)); });
    ASSERT_TRUE(services.StartLoop());
    frame->Edits()[0]->setText(QStringLiteral("7"));
    frame->Apply();
    ASSERT_EQ(queued.size(), 1u);

    frame->ClearDevice();
    queued[0]();
    EXPECT_EQ(device.values[0], 1);
    EXPECT_EQ(frame->Device(), nullptr);
    EXPECT_TRUE(frame->Edits().empty());
}

TEST_F(PropertyFrameTest, SetDeviceFromTheLoopThreadShowsLaterAndTheLastDeviceWins) {
    auto frame = Frame(0);
    FieldsDevice first, second;
    first.values[0] = 11;
    second.values[0] = 22;

    std::thread loop([&] { frame->SetDevice(&first, 0); });
    loop.join();
    EXPECT_EQ(frame->Device(), &first);
    EXPECT_TRUE(frame->Edits().empty()); // the widgets follow on this thread
    Settle();
    ASSERT_EQ(frame->Edits().size(), 3u);
    EXPECT_EQ(frame->Edits()[0]->text(), QStringLiteral("11"));

    // A device queued by the loop loses against one set here afterwards.
    std::thread again([&] { frame->SetDevice(&first, 0); });
    again.join();
    frame->SetDevice(&second, 0);
    Settle();
    EXPECT_EQ(frame->Edits()[0]->text(), QStringLiteral("22"));

    frame->Show();
    frame->HideIfShowing(&first);
    EXPECT_TRUE(frame->IsVisible());
    std::thread hide([&] { frame->HideIfShowing(&second); });
    hide.join();
    EXPECT_FALSE(frame->IsVisible());
    Settle();
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(frame->Device(), &second);
}

TEST_F(PropertyFrameTest, FlagIsKeptForTheMainWindow) {
    auto frame = Frame(3);
    EXPECT_FALSE(frame->Flag());
    frame->SetFlag(true);
    EXPECT_TRUE(frame->Flag());
}

// The panel page turns mouse events into events for its view: a click on
// the DC source's coarse knob brings up the step buttons, a click on the
// upper one turns the knob one position up.
TEST_F(PropertyFrameTest, PanelClicksWorkTheDevicesKnobs) {
    auto frame = Frame(1);
    auto* source = Make<CDCSource>(TYPE_DC_SOURCE);
    ASSERT_NE(source, nullptr);
    frame->SetDevice(source, 1);
    frame->Show();
    Settle();
    CPanelView* view = frame->PanelView();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->Visible());

    // The mouse lands on the drawing window when one could be made.
    QWidget* area = frame->PanelSurface()->findChild<QWidget*>();
    if (!area) area = frame->PanelSurface();
    const auto tick = [&] {
        for (int i = 0; i < 4; ++i)
            view->Tick(i);
    };

    const CPanelRect knob = CDCSource::kCoarseRect;
    const int before = source->m_coarse.Position();
    QTest::mouseClick(area, Qt::LeftButton, {},
                      QPoint(int(knob.left + knob.right) / 2, int(knob.top + knob.bottom) / 2));
    tick();
    ASSERT_TRUE(source->StepButtonsShown());
    EXPECT_EQ(source->m_coarse.Position(), before);

    // The two step buttons sit right of the knob: turning down on top, up below.
    const CPanelControl* up = source->m_controls.back();
    const CPanelRect r = up->m_hitRect;
    experiment.m_topologyDirty = 0;
    QTest::mouseClick(area, Qt::LeftButton, {}, QPoint(int(r.left + r.right) / 2, int(r.top + r.bottom) / 2));
    tick();
    EXPECT_EQ(source->m_coarse.Position(), before + 1);
    EXPECT_EQ(experiment.m_topologyDirty, 1);

    // A click on no control takes the step buttons away.
    QTest::mouseClick(area, Qt::LeftButton, {}, QPoint(200, 20));
    tick();
    EXPECT_FALSE(source->StepButtonsShown());
}

// The oscilloscope's window shows its measurements under the panel, works
// its cursors' switch and channel, and exports the traces it draws; a
// screen that is dark has nothing to export, and a device without a screen
// shows no report at all.
TEST_F(PropertyFrameTest, ScopeReportCursorsAndTraceExport) {
    auto frame = Frame(2);
    auto* scope = Make<COscilloscope>(TYPE_OSCILLOSCOPE);
    ASSERT_NE(scope, nullptr);
    scope->m_power.SetOn(true);
    experiment.UpdateCircuit(0);
    const std::string path = ::testing::TempDir() + "/scope_window_trace.csv";
    std::remove(path.c_str());
    std::vector<std::pair<std::string, std::string>> asked;
    frame->SetSaveDialog([&](const std::string& title, const std::string& filter) -> std::optional<std::string> {
        asked.emplace_back(title, filter);
        return path;
    });
    frame->SetDevice(scope, 2);
    frame->Show();
    Settle();
    ASSERT_NE(frame->ReportBox(), nullptr);
    EXPECT_FALSE(frame->ReportBox()->isHidden());
    // The report box lies under the panel, inside the page.
    EXPECT_GE(frame->ReportBox()->geometry().top(), frame->PanelSurface()->geometry().bottom());

    CPanelView* view = frame->PanelView();
    view->Paint(0);
    frame->RefreshReport();
    EXPECT_TRUE(frame->ReportLabel()->text().contains(QStringLiteral("峰峰值")));
    EXPECT_TRUE(frame->ReportLabel()->text().contains(QStringLiteral("通道一")));
    frame->MeasureBox()->setChecked(false);
    EXPECT_FALSE(frame->ReportLabel()->text().contains(QStringLiteral("峰峰值")));
    frame->MeasureBox()->setChecked(true);

    frame->CursorBox()->setChecked(true);
    EXPECT_TRUE(scope->Cursors().shown);
    frame->CursorChannelBox()->setCurrentIndex(1);
    EXPECT_EQ(scope->Cursors().channel, 1);
    view->Paint(1);
    frame->RefreshReport();
    EXPECT_TRUE(frame->ReportLabel()->text().contains(QStringLiteral("Δt")));

    frame->ExportTrace();
    Settle();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].first, "导出波形数据");
    EXPECT_EQ(asked[0].second, CPropertyFrame::kTraceFilter);
    std::ifstream in(path, std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(written, scope->TraceCsv());
    EXPECT_FALSE(written.empty());
    EXPECT_TRUE(messages.empty());

    // The screen's picture is the screen alone, as drawn.
    const std::string picture = ::testing::TempDir() + "/scope_window_screen.png";
    std::remove(picture.c_str());
    frame->SetSaveDialog([&](const std::string& title, const std::string&) -> std::optional<std::string> {
        asked.emplace_back(title, "");
        return picture;
    });
    view->Paint(2);
    frame->ExportScreen();
    if (messages.empty()) {
        const QImage image(QString::fromStdString(picture));
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(320, 256));
        const QColor middle = image.pixelColor(40, 40);
        EXPECT_GT(middle.green(), middle.red()) << "the screen's dark green";
    } else {
        // Without OpenGL there is no picture to take, and the window says so.
        EXPECT_TRUE(messages[0].contains(QStringLiteral("无法导出图片")));
        messages.clear();
    }

    scope->m_power.SetOn(false);
    experiment.UpdateCircuit(1);
    frame->ExportTrace();
    Settle();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].toStdString(), CPropertyFrame::kDarkScreenMessage);

    // The same window shows the level meter with no report under its panel.
    auto* level = Make<CLevelMeter>(TYPE_LEVEL_METER);
    ASSERT_NE(level, nullptr);
    frame->SetDevice(level, 2);
    Settle();
    EXPECT_TRUE(frame->ReportBox()->isHidden());
}

} // namespace
} // namespace ampera
