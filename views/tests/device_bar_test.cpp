#include "device_bar.h"

#include "core/component.h"
#include "core/experiment.h"
#include "widget_fixture.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <thread>

namespace ampera {
namespace {

using test::RecordingPlatform;
using test::RecordingPropertyWindow;

class DeviceBarTest : public ::testing::Test {
  protected:
    DeviceBarTest() : services(std::make_shared<RecordingPlatform>()) {
        services.SetPropertyWindowMaker([this](int index) { return &windows[index]; });
        for (int i = 0; i < CAppServices::kPropertyWindows; ++i)
            services.CreatePropertyWindow(i);
        bar = std::make_unique<CDeviceBar>(services, experiment);
    }

    // Waits for the queued work of another thread and for the animation.
    void Settle() {
        QElapsedTimer timer;
        timer.start();
        do {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        } while (bar->Animating() && timer.elapsed() < 3000);
    }

    int PressedCount() const {
        int count = 0;
        for (int g = 0; g < bar->GroupCount(); ++g)
            for (int b = 0; b < bar->ButtonCount(g); ++b)
                count += bar->ButtonPressed(g, b);
        return count;
    }

    CExperiment experiment;
    CAppServices services;
    RecordingPropertyWindow windows[CAppServices::kPropertyWindows];
    std::unique_ptr<CDeviceBar> bar;
};

TEST_F(DeviceBarTest, StartsHiddenAsToolWindowWithFourGroupsOfTemplates) {
    EXPECT_FALSE(bar->isVisible());
    EXPECT_FALSE(bar->IsVisible());
    EXPECT_EQ(bar->windowTitle(), QStringLiteral("器材栏"));
    EXPECT_TRUE(bar->windowFlags() & Qt::Tool);
    EXPECT_EQ(bar->SelectedGroup(), 0);
    EXPECT_EQ(bar->PendingDevice(), nullptr);

    struct Button {
        const char* caption;
        int typeCode;
    };
    struct Group {
        const char* title;
        std::vector<Button> buttons;
    };
    const std::vector<Group> expected = {
        {"基本元件",
         {{"电阻", 0},
          {"电阻箱", 3},
          {"滑动变阻器", 2},
          {"电容", 16},
          {"电容箱", 17},
          {"电感", 12},
          {"二极管", 18}}},
        {"仪表",
         {{"直流电流表", 21},
          {"直流电压表", 20},
          {"交流毫伏表", 22},
          {"检流计", 23},
          {"万用表", 6},
          {"示波器", 7},
          {"选频电平表", 24}}},
        {"发生源", {{"直流电压源", 8}, {"交流电压源", 19}, {"信号发生器", 13}}},
        {"开关", {{"单刀开关", 9}, {"双刀开关", 10}, {"电流表插口板", 25}}},
    };
    ASSERT_EQ(bar->GroupCount(), static_cast<int>(expected.size()));
    for (int g = 0; g < bar->GroupCount(); ++g) {
        SCOPED_TRACE(expected[g].title);
        EXPECT_EQ(bar->GroupTitle(g), QString::fromUtf8(expected[g].title));
        EXPECT_EQ(bar->TitleButton(g)->text(), QString::fromUtf8(expected[g].title));
        ASSERT_EQ(bar->ButtonCount(g), static_cast<int>(expected[g].buttons.size()));
        for (int b = 0; b < bar->ButtonCount(g); ++b) {
            const Button& want = expected[g].buttons[b];
            EXPECT_EQ(bar->ButtonCaption(g, b), QString::fromUtf8(want.caption));
            CComponent* templ = bar->ButtonTemplate(g, b);
            ASSERT_NE(templ, nullptr) << want.caption;
            EXPECT_EQ(templ->TypeCode(), want.typeCode);
            // Templates are never part of the experiment.
            EXPECT_FALSE(experiment.Contains(templ));
            EXPECT_EQ(bar->DeviceButton(g, b)->geometry(), QRect(8, 13 + 72 * b, 120, 65));
        }
    }
    EXPECT_TRUE(experiment.AllObjects().empty());
}

TEST_F(DeviceBarTest, ClickMakesTemplatePendingAndPressedUntilRelease) {
    bar->DeviceButton(0, 0)->click(); // resistor
    EXPECT_EQ(bar->PendingDevice(), bar->ButtonTemplate(0, 0));
    EXPECT_TRUE(bar->ButtonPressed(0, 0));

    // A second button before placing replaces the first; only it stays pressed.
    bar->DeviceButton(2, 0)->click(); // DC source
    EXPECT_EQ(bar->PendingDevice(), bar->ButtonTemplate(2, 0));
    EXPECT_TRUE(bar->ButtonPressed(2, 0));
    EXPECT_FALSE(bar->ButtonPressed(0, 0));
    EXPECT_EQ(PressedCount(), 1);

    bar->Release();
    EXPECT_EQ(bar->PendingDevice(), nullptr);
    EXPECT_EQ(PressedCount(), 0);
}

TEST_F(DeviceBarTest, ButtonShowsTemplateInTheWindowOfItsGroup) {
    struct Case {
        const char* name;
        int group, button;
        int window;              // which window receives the template
        std::vector<int> hidden; // windows hidden by the click
    };
    const Case cases[] = {
        {"resistor", 0, 0, 0, {1, 3}},           {"resistance box", 0, 1, 3, {0, 1}},
        {"digital DC ammeter", 1, 0, 1, {0, 3}}, {"multimeter", 1, 4, 3, {0, 1}},
        {"oscilloscope", 1, 5, 2, {}},           {"level meter", 1, 6, 2, {}},
        {"DC source", 2, 0, 1, {0, 3}},          {"plug board", 3, 2, 0, {1, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Every window starts visible, so a window left alone stays visible.
        for (auto& w : windows) {
            w = RecordingPropertyWindow{};
            w.visible = true;
        }
        bar->DeviceButton(c.group, c.button)->click();
        CComponent* templ = bar->ButtonTemplate(c.group, c.button);
        for (int i = 0; i < CAppServices::kPropertyWindows; ++i) {
            const bool hidden = std::find(c.hidden.begin(), c.hidden.end(), i) != c.hidden.end();
            EXPECT_EQ(windows[i].visible, !hidden) << "window " << i;
            if (i == c.window) {
                EXPECT_EQ(windows[i].device, templ);
                EXPECT_EQ(windows[i].setIndex, i);
            } else {
                EXPECT_EQ(windows[i].setCount, 0) << "window " << i;
            }
        }
    }
    // The oscilloscope's window takes the device without being shown.
    windows[2] = RecordingPropertyWindow{};
    bar->DeviceButton(1, 5)->click();
    EXPECT_EQ(windows[2].device, bar->ButtonTemplate(1, 5));
    EXPECT_FALSE(windows[2].visible);
}

TEST_F(DeviceBarTest, ArrowsAppearOnlyWhenTheButtonsOverflowThePane) {
    bar->Show();
    Settle();
    // Seven buttons need 13 + 6 * 72 + 65 = 510 pixels, more than the pane.
    QWidget* pane = bar->Pane(0);
    ASSERT_LT(pane->height(), 510);
    EXPECT_TRUE(bar->ScrollUpButton(0)->isVisibleTo(bar.get()));
    EXPECT_TRUE(bar->ScrollDownButton(0)->isVisibleTo(bar.get()));
    EXPECT_EQ(bar->ScrollUpButton(0)->geometry(), QRect(132, 20, 18, 18));
    EXPECT_EQ(bar->ScrollDownButton(0)->geometry(), QRect(132, 340, 18, 18));
    EXPECT_FALSE(bar->ScrollUpButton(0)->isEnabled());

    // Scrolling moves the list a button at a time and stops with the last
    // button in full view.
    QAbstractButton* down = bar->ScrollDownButton(0);
    for (int i = 0; i < 10; ++i)
        down->click();
    QAbstractButton* last = bar->DeviceButton(0, 6);
    EXPECT_LE(last->geometry().bottom(), pane->height());
    EXPECT_GT(last->geometry().bottom() + 72, pane->height());
    EXPECT_FALSE(down->isEnabled());
    bar->ScrollUpButton(0)->click();
    EXPECT_EQ(bar->DeviceButton(0, 0)->y() + 72, bar->DeviceButton(0, 1)->y());

    // Three switches fit: no arrows.
    bar->TitleButton(3)->click();
    EXPECT_TRUE(bar->Animating());
    Settle();
    EXPECT_EQ(bar->SelectedGroup(), 3);
    EXPECT_TRUE(bar->Pane(3)->isVisible());
    EXPECT_FALSE(bar->ScrollUpButton(3)->isVisibleTo(bar.get()));
    EXPECT_FALSE(bar->ScrollDownButton(3)->isVisibleTo(bar.get()));
}

TEST_F(DeviceBarTest, GroupChangeStacksTitlesAboveAndBelowTheOpenPane) {
    bar->Show();
    Settle();
    const int h = bar->height();
    EXPECT_EQ(bar->Pane(0)->geometry(), QRect(0, 20, 165, h - 80));

    bar->TitleButton(2)->click();
    Settle();
    EXPECT_EQ(bar->TitleButton(0)->y(), 0);
    EXPECT_EQ(bar->TitleButton(1)->y(), 20);
    EXPECT_EQ(bar->TitleButton(2)->y(), 40);
    EXPECT_EQ(bar->TitleButton(3)->y(), h - 20);
    EXPECT_EQ(bar->Pane(2)->geometry(), QRect(0, 60, 165, h - 80));
    EXPECT_FALSE(bar->Pane(0)->isVisible());
    EXPECT_FALSE(bar->Pane(1)->isVisible());

    bar->TitleButton(0)->click();
    Settle();
    EXPECT_EQ(bar->TitleButton(1)->y(), h - 60);
    EXPECT_EQ(bar->Pane(0)->geometry(), QRect(0, 20, 165, h - 80));
    EXPECT_FALSE(bar->Pane(2)->isVisible());
}

// The board view releases the bar and reads the pending device from the
// frame loop; the widget work follows on the user-interface thread.
TEST_F(DeviceBarTest, CallsFromTheLoopThreadAnswerAtOnceAndRedrawLater) {
    bar->DeviceButton(0, 0)->click();
    std::thread loop([&] {
        bar->Show();
        EXPECT_TRUE(bar->IsVisible());
        bar->Release();
        EXPECT_EQ(bar->PendingDevice(), nullptr);
    });
    loop.join();
    EXPECT_FALSE(bar->isVisible()); // not yet: queued for this thread
    Settle();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(PressedCount(), 0);

    // A click that lands between the loop's release and its redraw keeps
    // its button pressed.
    std::thread again([&] { bar->Release(); });
    again.join();
    bar->DeviceButton(1, 1)->click();
    Settle();
    EXPECT_EQ(bar->PendingDevice(), bar->ButtonTemplate(1, 1));
    EXPECT_TRUE(bar->ButtonPressed(1, 1));

    std::thread hide([&] { bar->Hide(); });
    hide.join();
    EXPECT_FALSE(bar->IsVisible());
    Settle();
    EXPECT_FALSE(bar->isVisible());
}

TEST_F(DeviceBarTest, ClosingTheWindowCountsAsHidden) {
    bar->Show();
    Settle();
    bar->close();
    EXPECT_FALSE(bar->IsVisible());
}

} // namespace
} // namespace ampera
