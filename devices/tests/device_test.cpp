// The device base: knobs and slides stepped from the panel, the step buttons,
// push buttons, turning about the first terminal, picking and load restore.
#include "board_fixture.h"

#include "devices/panel_sheet.h"

#include <cmath>

namespace ampera::testing {
namespace {

// A panel with one of each control, as a kind would lay it out.
class CTestPanelDevice : public CDevice {
  public:
    static const CDeviceKind kKind;
    CTestPanelDevice()
        : CDevice(kKind), m_full(CKnob::FullCircle(10, 0, true)),
          m_limited(CKnob::Limited(0, 4, 2, 2, 72, -144, 144)) {
        m_panelGroup.itemsB.push_back(CDrawItem::Quad(0, 0, 300, 200, "devpic\\panal\\test.tga"));
        Add(m_full, {0, 0, 80, 80});
        Add(m_limited, {100, 0, 180, 80});
        Add(m_power, {200, 150, 240, 170});
        m_coupling.m_slideRect0 = m_coupling.m_slideRect = {10, 120, 30, 130};
        Add(m_coupling, {0, 110, 60, 140});
        m_mode.m_slideRect0 = m_mode.m_slideRect = {100, 100, 110, 120};
        Add(m_mode, {90, 100, 120, 190});
        SealPanel();
    }
    void OnPushButton(CPanelButton& b) override { Toggle(b); }

    CKnob m_full, m_limited;
    CPanelButton m_power;
    CCouplingSwitch m_coupling;
    CModeSwitch m_mode;

  private:
    void Add(CPanelControl& c, CPanelRect hit) {
        c.m_hitRect = hit;
        c.m_itemIndex = static_cast<int>(m_panelGroup.itemsB.size());
        m_panelGroup.itemsB.push_back(
            CDrawItem::Quad(hit.left, hit.top, hit.right, hit.bottom, sheet::kPicture));
        m_controls.push_back(&c);
    }
};
const CDeviceKind CTestPanelDevice::kKind{.typeCode = TYPE_RESISTANCE,
                                          .category = CATEGORY_RESISTANCE,
                                          .namePrefix = "T",
                                          .bodyPicture = "devpic\\test.tga",
                                          .body = {102, 20, 3, {{-6, 10}, {108, 10}, {50, 26}}, true}};

class DeviceTest : public BoardTest {
  protected:
    CTestPanelDevice* Make() {
        auto* d = new CTestPanelDevice();
        ex.AddObject(d, false);
        for (const geometry::CTerminalOffset& o : d->Kind().body) {
            auto* n = new CNode();
            n->SetPosition(300 + o.x, 200 + o.y);
            n->m_attached.push_back(d);
            d->m_terminals.push_back(n);
            ex.AddObject(n, false);
        }
        d->SetRegion(300, 200, 402, 220);
        ex.m_topologyDirty = 0;
        return d;
    }
    static float Angle(CDevice& d, const CPanelControl& c) {
        return d.m_panelGroup.itemsB[c.m_itemIndex].angle;
    }
    static constexpr float kStep36 = 36 * 3.1415925f * 0.0055555557f;
};

struct KnobCase {
    const char* name;
    bool full, wrapsDown;
    int start, direction, expectedPosition;
    float expectedAngle; // in steps of the knob; NAN: unchanged by the end rule below
};
inline void PrintTo(const KnobCase& c, std::ostream* os) {
    *os << c.name;
}

class KnobStep : public DeviceTest, public ::testing::WithParamInterface<KnobCase> {};

TEST_P(KnobStep, PositionAndNeedle) {
    const KnobCase& c = GetParam();
    CSpriteGroup panel;
    panel.itemsB.resize(1);
    CKnob k = c.full ? CKnob::FullCircle(10, c.start, c.wrapsDown)
                     : CKnob::Limited(0, 9, c.start, 5, 36, -180, 144);
    k.m_itemIndex = 0;
    k.ApplyLook(panel);
    k.Step(c.direction, panel);
    EXPECT_EQ(k.Position(), c.expectedPosition);
    EXPECT_NEAR(panel.itemsB[0].angle, c.expectedAngle, 1e-5);
    EXPECT_TRUE(panel.itemsB[0].flags & DRAW_ROTATE);
}

const float kS = 36 * 3.1415925f * 0.0055555557f;
INSTANTIATE_TEST_SUITE_P(
    Cases, KnobStep,
    ::testing::Values(KnobCase{"FullUpInside", true, true, 3, +1, 4, 4 * kS},
                      KnobCase{"FullUpAtMaximumWrapsToZero", true, true, 9, +1, 0, 0},
                      KnobCase{"FullDownAtMinimumWrapsWhenAllowed", true, true, 0, -1, 9, -kS},
                      KnobCase{"FullDownAtMinimumStaysWithoutWrap", true, false, 0, -1, 0, 0},
                      KnobCase{"FullDownInside", true, false, 5, -1, 4, 4 * kS},
                      KnobCase{"LimitedUpInside", false, false, 5, +1, 6, kS},
                      KnobCase{"LimitedUpAtMaximumShowsEndAngle", false, false, 9, +1, 9, 144 * kS / 36},
                      KnobCase{"LimitedDownAtMinimumShowsEndAngle", false, false, 0, -1, 0, -180 * kS / 36}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DeviceTest, StepButtonsAppearBesideAKnobAndMove) {
    auto* d = Make();
    const int items = d->PanelItemCount(), controls = d->PanelControlCount();
    EXPECT_EQ(items, 6);
    EXPECT_EQ(controls, 5);
    d->PanelButtonDown(40, 40); // the full-circle knob
    ASSERT_TRUE(d->StepButtonsShown());
    ASSERT_EQ(d->m_controls.size(), static_cast<std::size_t>(controls + 2));
    ASSERT_EQ(d->m_panelGroup.itemsB.size(), static_cast<std::size_t>(items + 2));
    CPanelRect down = d->m_controls[controls]->m_hitRect, up = d->m_controls[controls + 1]->m_hitRect;
    EXPECT_EQ(down.left, 82);
    EXPECT_EQ(down.right, 97);
    EXPECT_EQ(down.top, 0);
    EXPECT_EQ(up.top, 15);
    EXPECT_EQ(up.bottom, 30);
    EXPECT_EQ(ex.m_topologyDirty, 0) << "choosing a knob changes nothing yet";

    d->PanelButtonDown(140, 40); // the limited knob: the buttons move
    ASSERT_EQ(d->m_controls.size(), static_cast<std::size_t>(controls + 2));
    EXPECT_EQ(d->m_controls[controls]->m_hitRect.left, 182);

    d->PanelButtonDown(250, 100); // empty panel area
    EXPECT_FALSE(d->StepButtonsShown());
    EXPECT_EQ(d->m_controls.size(), static_cast<std::size_t>(controls));
    EXPECT_EQ(d->m_panelGroup.itemsB.size(), static_cast<std::size_t>(items));
}

TEST_F(DeviceTest, StepButtonsStepTheirKnobAndMarkDirty) {
    auto* d = Make();
    d->PanelButtonDown(40, 40); // buttons: down (82..97, 0..15), up (82..97, 15..30)
    d->PanelButtonDown(90, 8);
    EXPECT_EQ(d->m_full.Position(), 9) << "down from 0 wraps on this knob";
    EXPECT_EQ(ex.m_topologyDirty, 1);
    EXPECT_EQ(d->m_panelGroup.itemsB[d->PanelItemCount()].u[0], sheet::kStepDownPressed.left);
    d->PanelButtonUp(90, 8);
    EXPECT_EQ(d->m_panelGroup.itemsB[d->PanelItemCount()].u[0], sheet::kStepDownReleased.left);
    d->PanelDoubleClick(90, 8); // a double click is one more step
    EXPECT_EQ(d->m_full.Position(), 8);
    d->PanelButtonDown(90, 22);
    EXPECT_EQ(d->m_full.Position(), 9);
    EXPECT_EQ(d->m_panelGroup.itemsB.back().u[0], sheet::kStepUpPressed.left);
    d->PanelButtonUp(90, 22);
    EXPECT_EQ(d->m_panelGroup.itemsB.back().u[0], sheet::kStepUpReleased.left);
    EXPECT_TRUE(d->StepButtonsShown());
}

TEST_F(DeviceTest, SteppingAtTheEndStillMarksDirty) {
    auto* d = Make();
    d->m_limited.SetPosition(4);
    d->StepControl(d->m_limited, +1);
    EXPECT_EQ(d->m_limited.Position(), 4);
    EXPECT_EQ(ex.m_topologyDirty, 1);
}

TEST_F(DeviceTest, PushButtonTogglesAndRemovesStepButtons) {
    auto* d = Make();
    d->PanelButtonDown(40, 40);
    d->PanelButtonDown(220, 160);
    EXPECT_FALSE(d->StepButtonsShown());
    EXPECT_TRUE(d->m_power.IsOn());
    EXPECT_EQ(d->m_panelGroup.itemsB[d->m_power.m_itemIndex].texture, "pic_syl\\power.bmp");
    EXPECT_EQ(ex.m_topologyDirty, 1);
    d->PanelButtonDown(220, 160);
    EXPECT_FALSE(d->m_power.IsOn());
    EXPECT_EQ(d->m_panelGroup.itemsB[d->m_power.m_itemIndex].texture, sheet::kPicture);
}

TEST_F(DeviceTest, SlidesMoveTwentyPixelsAndStopAtTheirEnds) {
    auto* d = Make();
    for (int i = 0; i < 4; ++i)
        d->StepControl(d->m_coupling, +1);
    EXPECT_EQ(d->m_coupling.m_state, 2);
    EXPECT_EQ(d->m_coupling.m_slideRect.left, 50);
    d->StepControl(d->m_mode, +1);
    EXPECT_EQ(d->m_mode.m_state, 1);
    EXPECT_EQ(d->m_mode.m_slideRect.top, 120);
    d->StepControl(d->m_mode, -1);
    d->StepControl(d->m_mode, -1);
    EXPECT_EQ(d->m_mode.m_state, 0);
    EXPECT_EQ(d->m_mode.m_slideRect.top, 100);
    d->m_mode.m_state = 3;
    d->m_mode.ApplyLook(d->m_panelGroup);
    EXPECT_EQ(d->m_panelGroup.itemsB[d->m_mode.m_itemIndex].top, 160);
}

TEST_F(DeviceTest, FourLeftTurnsRestoreTheDeviceExactly) {
    auto* d = Make();
    auto* other = new CNode();
    other->SetPosition(600, 600);
    ex.AddObject(other, false);
    CWire* w = Wire(T(d, 1), other);
    const CPoint t0 = T(d, 0)->Position(), t1 = T(d, 1)->Position(), t2 = T(d, 2)->Position();
    const std::vector<float> region(d->m_region, d->m_region + 4);

    d->RotateLeft();
    EXPECT_EQ(d->m_angleLeft, 90);
    EXPECT_EQ(d->m_angleRight, 270);
    EXPECT_EQ(T(d, 0)->Position(), t0);
    EXPECT_EQ(T(d, 1)->Position(), (CPoint{t0.x, t0.y - 114}))
        << "the second terminal at (0, -114) from the first";
    EXPECT_EQ(w->m_points.front(), T(d, 1)->Position()) << "the wire end follows";
    EXPECT_EQ(d->m_region[2] - d->m_region[0], 20);
    EXPECT_EQ(d->m_region[3] - d->m_region[1], 102);
    EXPECT_EQ(d->m_boardGroup.itemsB[0].texture, "devpic\\test90.tga");
    d->RotateLeft();
    EXPECT_EQ(T(d, 1)->Position(), (CPoint{t0.x - 114, t0.y}));
    d->RotateLeft();
    EXPECT_EQ(T(d, 1)->Position(), (CPoint{t0.x, t0.y + 114}));
    EXPECT_EQ(d->m_boardGroup.itemsB[0].texture, "devpic\\test270.tga");
    d->RotateLeft();
    EXPECT_EQ(T(d, 1)->Position(), t1);
    EXPECT_EQ(T(d, 2)->Position(), t2);
    EXPECT_EQ(std::vector<float>(d->m_region, d->m_region + 4), region);
    EXPECT_EQ(d->m_boardGroup.itemsB[0].texture, "devpic\\test.tga");
    EXPECT_EQ(d->m_angleLeft, 0);
    EXPECT_EQ(d->m_angleRight, 0);
    const CDrawItem& node = T(d, 1)->m_boardGroup.itemsB[0];
    EXPECT_EQ(node.left, t1.x - 6);
    EXPECT_EQ(node.bottom, t1.y + 6);

    d->RotateRight();
    EXPECT_EQ(d->m_angleRight, 90);
    EXPECT_EQ(d->m_angleLeft, 270);
    EXPECT_EQ(T(d, 1)->Position(), (CPoint{t0.x, t0.y + 114}));
}

TEST_F(DeviceTest, HitTestIsStrict) {
    auto* d = Make();
    EXPECT_TRUE(d->HitTest(301, 201));
    EXPECT_FALSE(d->HitTest(300, 210));
    EXPECT_FALSE(d->HitTest(402, 210));
    EXPECT_FALSE(d->HitTest(350, 220));
}

TEST_F(DeviceTest, RestoreAfterLoadAtNinetyDegrees) {
    auto* d = Make();
    d->m_angleLeft = 90;
    d->m_region[0] = 10;
    d->m_region[1] = 20;
    d->m_limited.SetPosition(4);
    d->RestoreAfterLoad();
    EXPECT_EQ(d->m_region[2], 30);
    EXPECT_EQ(d->m_region[3], 20 + 102) << "as tall as the device is wide";
    EXPECT_EQ(d->m_boardGroup.itemsB[0].texture, "devpic\\test90.tga");
    EXPECT_NEAR(Angle(*d, d->m_limited), 2 * 72 * 3.1415925f * 0.0055555557f, 1e-5);
}

TEST_F(DeviceTest, KnobLabelFollowsTheAmplitudePositions) {
    CKnob k = CKnob::Limited(0, 11, 6, 6, 30, -180, 150);
    k.m_labelMode = kKnobLabelMode;
    k.UpdateLabel();
    EXPECT_EQ(k.m_label, "电压幅值6伏");
    k.SetPosition(0);
    k.UpdateLabel();
    EXPECT_EQ(k.m_label, "电压幅值0.01伏");
    CKnob plain = CKnob::FullCircle(32, 20, true);
    plain.UpdateLabel();
    EXPECT_TRUE(plain.m_label.empty());
}

} // namespace
} // namespace ampera::testing
