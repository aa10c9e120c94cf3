// The panel page's view: clicks that work a device's panel, the hover
// highlight with its label, and drawing only while the window is visible.
#include "panel_view.h"

#include "devices/dc_source.h"
#include "devices/dc_voltmeter.h"
#include "devices/display.h"
#include "devices/oscilloscope.h"
#include "devices/panel_sheet.h"
#include "devices/resistance.h"
#include "devices/tests/board_fixture.h"
#include "renderer.h"

#include <vector>

namespace ampera::testing {
namespace {

class RecordingRenderer final : public CRenderer {
  public:
    void Shutdown() override {}
    bool BeginFrame(long long) override {
        calls.push_back("begin");
        return true;
    }
    void EndFrame(long long) override { calls.push_back("end"); }
    void Present() override { calls.push_back("present"); }
    void SetViewRect(float, float, float, float) override {}
    bool ResetDevice() override { return true; }
    TextureHandle GetTexture(const std::string&) override { return nullptr; }
    void SetAlphaBlend(bool) override {}
    void DrawGroup(CSpriteGroup& group) override {
        calls.push_back("draw");
        drawn.push_back(&group);
    }
    void AddLabel(const std::string&, int, int) override {}
    void PostNotice(const CNotice& notice) override { notices.push_back(notice); }
    bool IsDeviceReady() override { return true; }

    std::vector<std::string> calls;
    std::vector<CSpriteGroup*> drawn;
    std::vector<CNotice> notices;
};

class PanelViewTest : public BoardTest {
  protected:
    void SetUp() override {
        BoardTest::SetUp();
        view.SetRenderer(&renderer);
    }
    void TearDown() override { SetJitterSource({}); }

    // Deposits one event at a panel point and lets the view take it.
    void Event(int kind, float x, float y) {
        CBoardEvent event;
        event.target = &view;
        event.kind = kind;
        event.x = static_cast<int>(x);
        event.y = static_cast<int>(y);
        view.Deposit(event);
        view.Tick(0);
    }
    void At(int kind, const CPanelRect& r) { Event(kind, (r.left + r.right) / 2, (r.top + r.bottom) / 2); }
    static const CDrawItem& ItemOf(CDevice& d, const CPanelControl& c) { return *c.Item(d.m_panelGroup); }
    static bool Tinted(const CDrawItem& item, std::uint32_t colour) {
        return (item.flags & DRAW_TINT) && item.colour == colour;
    }

    RecordingRenderer renderer;
    CPanelView view;
};

TEST_F(PanelViewTest, StepButtonBesideTheCoarseKnobRaisesTheSourceAndTheCircuit) {
    SetJitterSource([] { return 5; }); // the display shows the true value
    auto* source = Place<CDCSource>();
    auto* load = Place<CResistance>();
    Wire(source, 0, load, 0);
    Wire(source, 1, load, 1);
    view.SetDevice(source);

    At(EVENT_LEFT_DOWN, CKnobSource::kPowerRect);
    ASSERT_TRUE(source->IsPowered());
    Update();
    EXPECT_EQ(source->DisplayText(), "10.0");
    EXPECT_NEAR(I(load), 10.0 / 1000.01, 1e-9);

    At(EVENT_LEFT_DOWN, CKnobSource::kCoarseRect);
    ASSERT_TRUE(source->StepButtonsShown());
    ASSERT_EQ(source->m_controls.size(), 5u);
    // The second step button (one step up) sits beside the knob's top right.
    const CPanelRect up = source->m_controls[4]->GetRect();
    EXPECT_EQ(up.left, CKnobSource::kCoarseRect.right + 2);
    EXPECT_EQ(up.top, CKnobSource::kCoarseRect.top + 15);

    At(EVENT_LEFT_DOWN, up);
    EXPECT_EQ(source->m_coarse.Position(), 6);
    EXPECT_EQ(ItemOf(*source, *source->m_controls[4]).u[0], sheet::kStepUpPressed.left);
    At(EVENT_LEFT_UP, up);
    EXPECT_EQ(ItemOf(*source, *source->m_controls[4]).u[0], sheet::kStepUpReleased.left);
    EXPECT_TRUE(ex.m_topologyDirty);

    Update();
    EXPECT_EQ(source->DisplayText(), "12.0");
    EXPECT_NEAR(I(load), 12.0 / 1000.01, 1e-9);

    // A double click on the first step button steps down once more.
    const CPanelRect down = source->m_controls[3]->GetRect();
    At(EVENT_LEFT_DOWN, down);
    At(EVENT_DOUBLE_CLICK, down);
    EXPECT_EQ(source->m_coarse.Position(), 4);
    Update();
    EXPECT_EQ(source->DisplayText(), "8.0");
}

TEST_F(PanelViewTest, LeftDownOnNothingTakesTheStepButtonsAway) {
    auto* source = Place<CDCSource>();
    view.SetDevice(source);
    At(EVENT_LEFT_DOWN, CKnobSource::kFineRect);
    ASSERT_TRUE(source->StepButtonsShown());

    // A left up or a double click away from the step buttons changes nothing.
    Event(EVENT_LEFT_UP, 200, 20);
    Event(EVENT_DOUBLE_CLICK, 200, 20);
    EXPECT_TRUE(source->StepButtonsShown());
    EXPECT_EQ(source->m_fine.Position(), 0);

    Event(EVENT_LEFT_DOWN, 200, 20);
    EXPECT_FALSE(source->StepButtonsShown());
    EXPECT_EQ(source->m_controls.size(), 3u);
    EXPECT_EQ(source->m_panelGroup.itemsB.size(), 5u);
    EXPECT_EQ(source->m_fine.Position(), 0);
}

TEST_F(PanelViewTest, HoverLightsOneControlAndShowsItsLabel) {
    auto* meter = Place<CDCVoltmeter>();
    view.SetDevice(meter);
    const CPanelRect range = meter->m_range.GetRect(), power = meter->m_power.GetRect();

    At(EVENT_MOVE, range);
    EXPECT_TRUE(Tinted(ItemOf(*meter, meter->m_range), CPanelView::kHoverColour));
    EXPECT_TRUE(Tinted(ItemOf(*meter, meter->m_power), CPanelView::kRestColour));
    ASSERT_EQ(renderer.notices.size(), 1u);
    const CNotice& notice = renderer.notices[0];
    EXPECT_EQ(notice.kind, NOTICE_INFORMATION);
    EXPECT_EQ(notice.duration, 2000);
    EXPECT_EQ(notice.x, static_cast<int>(range.left));
    EXPECT_EQ(notice.y, static_cast<int>(range.bottom - 10));
    EXPECT_EQ(notice.text, "量程选择");

    // Moving to the next control leaves only that one lit.
    At(EVENT_MOVE, power);
    EXPECT_TRUE(Tinted(ItemOf(*meter, meter->m_range), CPanelView::kRestColour));
    EXPECT_TRUE(Tinted(ItemOf(*meter, meter->m_power), CPanelView::kHoverColour));
    ASSERT_EQ(renderer.notices.size(), 2u);
    EXPECT_EQ(renderer.notices[1].text, "开关");

    // Away from every control: all white, no further label.
    Event(EVENT_MOVE, 240, 5);
    EXPECT_TRUE(Tinted(ItemOf(*meter, meter->m_range), CPanelView::kRestColour));
    EXPECT_TRUE(Tinted(ItemOf(*meter, meter->m_power), CPanelView::kRestColour));
    EXPECT_EQ(renderer.notices.size(), 2u);
    // Hovering works nothing.
    EXPECT_FALSE(meter->IsPowered());
    EXPECT_FALSE(meter->StepButtonsShown());
}

TEST_F(PanelViewTest, OscilloscopeKnobsGetTheirPlainFaceOnAClickOutside) {
    auto* scope = Place<COscilloscope>();
    view.SetDevice(scope);
    At(EVENT_MOVE, scope->m_controls[0]->GetRect());
    ASSERT_TRUE(Tinted(ItemOf(*scope, *scope->m_controls[0]), CPanelView::kHoverColour));
    At(EVENT_LEFT_DOWN, scope->m_controls[1]->GetRect());
    ASSERT_TRUE(scope->StepButtonsShown());
    for (int i : {0, 1, 2}) {
        CDrawItem& item = scope->m_panelGroup.itemsB[scope->m_controls[i]->m_itemIndex];
        item.texture = "other.bmp";
        item.flags &= ~DRAW_RELOAD;
    }

    Event(EVENT_LEFT_DOWN, 5, 250); // below the screen, beside every control
    EXPECT_FALSE(scope->StepButtonsShown());
    for (int i : {0, 1}) {
        const CDrawItem& item = ItemOf(*scope, *scope->m_controls[i]);
        EXPECT_EQ(item.texture, "bulge.bmp");
        EXPECT_TRUE(Tinted(item, CPanelView::kRestColour));
        EXPECT_TRUE(item.flags & DRAW_RELOAD);
    }
    EXPECT_EQ(ItemOf(*scope, *scope->m_controls[2]).texture, "other.bmp"); // only the first two
}

// A hidden window costs the loop no frame at all.
TEST_F(PanelViewTest, PaintsThePanelOnlyWhileVisible) {
    auto* source = Place<CDCSource>();
    view.Paint(0);
    EXPECT_TRUE(renderer.calls.empty());

    view.SetDevice(source);
    view.Paint(0);
    EXPECT_TRUE(renderer.calls.empty());

    view.SetVisible(true);
    renderer.calls.clear();
    view.Paint(0);
    EXPECT_EQ(renderer.calls, (std::vector<std::string>{"begin", "draw", "end", "present"}));
    ASSERT_EQ(renderer.drawn.size(), 1u);
    EXPECT_EQ(renderer.drawn[0], &source->m_panelGroup);

    view.SetDevice(nullptr);
    renderer.calls.clear();
    view.Paint(0);
    EXPECT_EQ(renderer.calls, (std::vector<std::string>{"begin", "end", "present"}));
}

TEST_F(PanelViewTest, TheDeviceChangesOnlyWhenTheLoopTakesIt) {
    auto* source = Place<CDCSource>();
    view.SetDevice(source);
    EXPECT_EQ(view.PendingDevice(), source);
    EXPECT_EQ(view.Device(), nullptr);
    view.Tick(0);
    EXPECT_EQ(view.Device(), source);

    // A terminal node is no device: the page shows and works nothing.
    view.SetDevice(source->m_terminals[0]);
    view.SetVisible(true);
    Event(EVENT_LEFT_DOWN, 35, 135);
    EXPECT_EQ(view.Device(), nullptr);
    view.Paint(0);
    EXPECT_TRUE(renderer.drawn.empty());

    // Input deposited and cleared before the loop took it is never handled.
    view.SetDevice(source);
    CBoardEvent press;
    press.kind = EVENT_LEFT_DOWN;
    press.x = 35;
    press.y = 135;
    view.Deposit(press);
    view.ClearInput();
    view.Tick(0);
    EXPECT_FALSE(source->StepButtonsShown());
}

// A press on a cursor line drags it, and the cursor stays inside the screen
// however far the pointer goes; a press elsewhere on the screen drags
// nothing.
TEST_F(PanelViewTest, ScopeCursorsFollowADragAndStayOnTheScreen) {
    auto* scope = Place<COscilloscope>();
    scope->m_power.SetOn(true);
    Update();
    scope->SetCursorsShown(true);
    view.SetDevice(scope);
    view.Tick(0);
    const double y0 = 256 - scope->Cursors().y[0]; // panel y of voltage cursor 1
    Event(EVENT_LEFT_DOWN, 150, static_cast<float>(y0) + 2);
    Event(EVENT_MOVE, 150, 40);
    EXPECT_EQ(scope->Cursors().y[0], 256 - 40);
    Event(EVENT_MOVE, 150, -500);
    EXPECT_EQ(scope->Cursors().y[0], 256) << "held at the top edge";
    Event(EVENT_LEFT_UP, 150, -500);
    Event(EVENT_MOVE, 150, 100);
    EXPECT_EQ(scope->Cursors().y[0], 256) << "released with the button";

    const double x1 = scope->Cursors().x[1];
    Event(EVENT_LEFT_DOWN, 20, 20); // on no cursor
    Event(EVENT_MOVE, 300, 20);
    Event(EVENT_LEFT_UP, 300, 20);
    EXPECT_EQ(scope->Cursors().x[1], x1);
    EXPECT_EQ(scope->Cursors().x[0], 96);
}

// The report is handed over from the loop's frames while the window is
// visible, with a serial that changes only when the report does.
TEST_F(PanelViewTest, ScreenReportIsPublishedWhileVisible) {
    auto* scope = Place<COscilloscope>();
    scope->m_power.SetOn(true);
    Update();
    view.SetDevice(scope);
    view.Paint(0);
    EXPECT_TRUE(view.Report().channels.empty()) << "not visible";
    view.SetVisible(true);
    view.Paint(1);
    const std::uint64_t serial = view.ReportSerial();
    ASSERT_EQ(view.Report().channels.size(), 1u);
    EXPECT_EQ(view.Report(), scope->Report());
    view.Paint(2);
    EXPECT_EQ(view.ReportSerial(), serial) << "nothing changed";
    scope->SetCursorsShown(true);
    view.Paint(3);
    EXPECT_NE(view.ReportSerial(), serial);
    EXPECT_EQ(view.Report().cursors.size(), 3u);

    auto* meter = Place<CDCVoltmeter>();
    view.SetDevice(meter);
    view.Paint(4);
    EXPECT_EQ(view.Report(), CScreenReport{}) << "a device without a screen reports nothing";
}

} // namespace
} // namespace ampera::testing
