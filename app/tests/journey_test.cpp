// A student's session, by mouse only: devices taken from the device bar and
// placed on the board, wired, switched on through their panel pages, read,
// saved and opened again.
#include "app/core/command_ids.h"
#include "bench_fixture.h"
#include "devices/dc_source.h"
#include "devices/meter_format.h"
#include "views/panel_view.h"

#include <QAbstractButton>
#include <QTabWidget>
#include <QToolBar>

#include <cmath>
#include <set>

namespace ampera::testing {
namespace {

class JourneyTest : public BenchTest {
  protected:
    CDeviceBar& Bar() { return *Window().DeviceBar(); }

    void ShowDeviceBar() {
        QWidget* button = Window().ToolBar()->widgetForAction(Window().ToolAction(CMD_DEVICE_BAR));
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
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
        const CPanelRect r = Read<CPanelRect>([&] { return power.m_hitRect; });
        const QPoint at(static_cast<int>((r.left + r.right) / 2), static_cast<int>((r.top + r.bottom) / 2));
        QTest::mousePress(target, Qt::LeftButton, {}, at);
        Settle();
        QTest::mouseRelease(target, Qt::LeftButton, {}, at);
        Settle();
        ASSERT_TRUE(WaitFor([&] { return Read<bool>([&] { return power.IsOn(); }); })) << device->m_name;
    }

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

} // namespace
} // namespace ampera::testing
