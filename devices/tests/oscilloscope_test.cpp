// The oscilloscope: its panel, the traces it rebuilds from a solve's
// published description (sine, square through an RC circuit, X-Y, both
// channels), gain, coupling, power, and inputs whose frequency makes no
// period.
#include "board_fixture.h"

#include "devices/capacitance.h"
#include "devices/dc_source.h"
#include "devices/oscilloscope.h"
#include "devices/panel_sheet.h"
#include "devices/resistance.h"
#include "devices/signal_generator.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace ampera::testing {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

enum GeneratorWave { SINE = 0, SQUARE = 1, TRIANGLE = 2 };

class ScopeTest : public BoardTest {
  protected:
    // A powered generator: 1 V (amplitude knob 4) at 1 kHz (band 1K, coarse 5, fine 0).
    CSignalGenerator* Generator(GeneratorWave wave) {
        auto* g = Place<CSignalGenerator>();
        g->m_power.SetOn(true);
        g->m_waveButtons[wave].SetOn(true);
        g->m_bandButtons[3].SetOn(true);
        g->m_amplitudeKnob.SetPosition(4);
        return g;
    }
    COscilloscope* Scope() {
        auto* s = Place<COscilloscope>();
        s->m_power.SetOn(true);
        return s;
    }
    // Channel c (0 or 1) of the scope across terminals a (to its + input) and b of `device`.
    void Probe(COscilloscope* scope, int c, CComponent* device, int a, int b) {
        Wire(scope, 2 * c, device, a);
        Wire(scope, 2 * c + 1, device, b);
    }
    static const CPolyline& OnlyStroke(const COscilloscope* s) {
        EXPECT_EQ(s->Polylines().size(), 1u);
        return s->Polylines().front();
    }
    static std::size_t PointCount(const std::vector<CPolyline>& lines) {
        std::size_t n = 0;
        for (const CPolyline& l : lines)
            n += l.size();
        return n;
    }
    // Time of screen column i under the scope's current settings.
    static double TimeAt(const COscilloscope* s, int i) {
        return (i - s->HorizontalReference()) * s->SecondsPerDivision() / 32;
    }
};

// ---- panel ----

struct ControlCase {
    const char* label;
    int kind;
    CPanelRect hit;
    int item;
    int position; // knob position or slide state at start
};

TEST_F(ScopeTest, PanelControlsInOrderWithTheirItemsAndDefaults) {
    COscilloscope s;
    EXPECT_EQ(s.PanelItemCount(), 21);
    EXPECT_EQ(s.PanelControlCount(), 11);
    const ControlCase expected[11] = {
        {"通道一纵轴位置", CONTROL_KNOB, {330, 5, 380, 55}, 2, 6},
        {"通道二纵轴位置", CONTROL_KNOB, {410, 5, 470, 55}, 4, 6},
        {"通道一纵轴增益", CONTROL_KNOB, {320, 150, 403, 220}, 6, 1},
        {"通道二纵轴增益", CONTROL_KNOB, {420, 150, 493, 220}, 8, 1},
        {"横轴位置", CONTROL_KNOB, {540, 20, 590, 70}, 10, 6},
        {"横轴增益", CONTROL_KNOB, {510, 115, 607, 205}, 12, 3},
        {"输出模式选择", CONTROL_MODE_SWITCH, {380, 60, 420, 140}, 14, 0},
        {"幅度增大五倍", CONTROL_BUTTON, {540, 80, 580, 110}, 15, 0},
        {"开关", CONTROL_BUTTON, {530, 225, 595, 255}, 16, 0},
        {"通道一输出模式", CONTROL_COUPLING_SWITCH, {330, 230, 390, 250}, 17, 0},
        {"通道二输出模式", CONTROL_COUPLING_SWITCH, {420, 230, 480, 250}, 18, 0},
    };
    ASSERT_EQ(s.m_controls.size(), 11u);
    for (int i = 0; i < 11; ++i) {
        const ControlCase& c = expected[i];
        const CPanelControl* control = s.m_controls[static_cast<std::size_t>(i)];
        SCOPED_TRACE(c.label);
        EXPECT_EQ(control->m_label, c.label);
        EXPECT_EQ(control->Kind(), c.kind);
        EXPECT_EQ(control->m_hitRect.left, c.hit.left);
        EXPECT_EQ(control->m_hitRect.top, c.hit.top);
        EXPECT_EQ(control->m_hitRect.right, c.hit.right);
        EXPECT_EQ(control->m_hitRect.bottom, c.hit.bottom);
        EXPECT_EQ(control->m_itemIndex, c.item);
        if (c.kind == CONTROL_KNOB) {
            EXPECT_EQ(static_cast<const CKnob*>(control)->Position(), c.position);
        }
        if (c.kind == CONTROL_BUTTON) {
            EXPECT_FALSE(static_cast<const CPanelButton*>(control)->IsOn());
        }
    }
    EXPECT_EQ(s.m_panelGroup.itemsB[0].texture, "devpic\\panal\\sbq.tga");
    EXPECT_EQ(s.m_panelGroup.itemsB[1].texture, "pic_zxf\\sbq.bmp");
    EXPECT_EQ(s.m_panelGroup.itemsB[1].right, 320);
    EXPECT_EQ(s.m_panelGroup.itemsB[1].bottom, 256);
    const CDrawItem& slide = s.m_panelGroup.itemsB[14];
    EXPECT_EQ(slide.texture, "aaa.bmp");
    EXPECT_EQ(slide.bottom, 150);
    // The gain needles stand at (1 - 5) x 9 degrees, the time base at (3 - 8) x 16.
    const float degree = 3.1415925f * 0.0055555557f;
    EXPECT_NEAR(s.m_panelGroup.itemsB[6].angle, -36 * degree, 1e-5);
    EXPECT_NEAR(s.m_panelGroup.itemsB[12].angle, -80 * degree, 1e-5);
    EXPECT_EQ(s.m_internalResistance, 999999);
}

TEST_F(ScopeTest, ScalesFollowTheKnobs) {
    COscilloscope s;
    const double volts[10] = {5, 2, 1, 0.5, 0.2, 0.1, 0.05, 0.02, 0.01, 0.005};
    for (int p = 0; p <= 9; ++p) {
        s.m_y2Gain.SetPosition(p);
        EXPECT_DOUBLE_EQ(s.VoltsPerDivision(1), volts[p]) << "gain position " << p;
    }
    const double seconds[17] = {2,      1,      0.05, 0.02, 0.01, 0.005, 0.002, 0.001, 0.0005,
                                0.0002, 0.0001, 5e-5, 2e-5, 1e-5, 5e-6,  2e-6,  1e-6};
    for (int p = 0; p <= 16; ++p) {
        s.m_timeBase.SetPosition(p);
        EXPECT_DOUBLE_EQ(s.SecondsPerDivision(), seconds[p]) << "time base position " << p;
    }
    s.m_y1Position.SetPosition(0);
    s.m_y2Position.SetPosition(12);
    EXPECT_EQ(s.ZeroLevel(0), 133 - 36);
    EXPECT_EQ(s.ZeroLevel(1), 133 + 36);
    // A position loaded out of range reads the nearest end of the table, not past it.
    s.m_timeBase.m_position = 40;
    EXPECT_DOUBLE_EQ(s.SecondsPerDivision(), 1e-6);
}

TEST_F(ScopeTest, PanelClicksWorkPowerModeAndTimesFive) {
    auto* s = Place<COscilloscope>();
    ex.m_topologyDirty = 0;
    s->PanelButtonDown(560, 240); // power
    EXPECT_TRUE(s->IsPowered());
    EXPECT_EQ(ex.m_topologyDirty, 1);
    Update();
    EXPECT_EQ(s->m_branches.size(), 2u) << "one input resistor per channel while on";
    s->PanelButtonDown(400, 100); // the mode switch; its step buttons appear to the right
    ASSERT_TRUE(s->StepButtonsShown());
    s->PanelButtonDown(430, 80); // step up (+1)
    s->PanelButtonDown(430, 80);
    EXPECT_EQ(s->Mode(), SCOPE_BOTH);
    EXPECT_EQ(s->m_panelGroup.itemsB[14].top, 100);
    s->PanelButtonDown(560, 95); // x5
    EXPECT_TRUE(s->m_times5.IsOn());
    EXPECT_DOUBLE_EQ(s->VoltsPerDivision(0), 0.4);
}

// ---- traces ----

struct SineCase {
    const char* name;
    bool reversed;
    double phase; // radians, as the sine solve reports it
};

class ScopeSine : public ScopeTest, public ::testing::WithParamInterface<SineCase> {};

// 1 V at 1 kHz, 0.5 V/div and 0.5 ms/div: +-64 pixels about the zero level,
// one period every 64 pixels.
TEST_P(ScopeSine, TraceMatchesTheSineAtEverySample) {
    auto* g = Generator(SINE);
    auto* s = Scope();
    if (GetParam().reversed)
        Probe(s, 0, g, 1, 0);
    else
        Probe(s, 0, g, 0, 1);
    s->m_y1Gain.SetPosition(3);
    s->m_timeBase.SetPosition(8);
    Update();
    EXPECT_EQ(s->Channel(0).kind, WAVE_SINE);
    EXPECT_NEAR(s->Channel(0).amplitude, 1, 1e-9);
    EXPECT_NEAR(std::remainder(s->Channel(0).phase - GetParam().phase, 2 * kPi), 0, 1e-9);

    const CPolyline& trace = OnlyStroke(s);
    ASSERT_EQ(trace.size(), 441u);
    float low = 1e9f, high = -1e9f;
    for (int i = 0; i < 441; ++i) {
        const double expected =
            133 + 64 * std::sin(2 * kPi * (i - s->HorizontalReference()) / 64 + GetParam().phase);
        EXPECT_EQ(trace[i].x, i);
        EXPECT_NEAR(trace[i].y, expected, 1.0) << "sample " << i;
        EXPECT_EQ(trace[i].y, std::trunc(trace[i].y)) << "whole pixels";
        if (i + 64 < 441) {
            EXPECT_NEAR(trace[i].y, trace[i + 64].y, 1.0) << "period of 64 pixels at " << i;
        }
        low = std::min(low, trace[i].y);
        high = std::max(high, trace[i].y);
    }
    EXPECT_NEAR(high - 133, 64, 1);
    EXPECT_NEAR(133 - low, 64, 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScopeSine,
                         ::testing::Values(SineCase{"SamePolarity", false, 0},
                                           SineCase{"Reversed", true, kPi}),
                         [](const auto& info) { return std::string(info.param.name); });

// A square of +-1 V at 1 kHz through 10 ohms into 10 uF (tau = 0.1 ms, five
// time constants per half period). The capacitor charges between
// -+(1 - c)/(1 + c) volts, c = exp(-T / 2 tau); the resistor carries the
// difference: spikes of +-2/(1 + c) volts at the edges that die away to 0.
class ScopeSquareRc : public ScopeTest {
  protected:
    void SetUp() override {
        ScopeTest::SetUp();
        auto* g = Generator(SQUARE);
        r = Place<CResistance>();
        r->m_resistance = 10;
        auto* c = Place<CCapacitance>();
        Wire(g, 0, r, 0);
        Wire(r, 1, c, 0);
        Wire(c, 1, g, 1);
        s = Scope();
        Probe(s, 0, c, 0, 1);
        Probe(s, 1, r, 0, 1);
        s->m_y1Gain.SetPosition(2); // 1 V/div
        s->m_y2Gain.SetPosition(2);
        s->m_timeBase.SetPosition(9); // 0.2 ms/div: a half period is 80 pixels
        Update();
    }
    // The settled periodic response: `rising` half (after the -A to +A edge)
    // starts at `start` and approaches `settled`; the other half mirrors it.
    double Expected(double t, double start, double settled) const {
        const double period = 1e-3, tau = tau_;
        double phase = std::fmod(t, period);
        if (phase < 0) phase += period;
        if (phase >= period / 2) return settled + (start - settled) * std::exp(-(phase - period / 2) / tau);
        return -(settled + (start - settled) * std::exp(-phase / tau));
    }
    // Where the samples cross an edge (every half period).
    int EdgesOnScreen() const {
        int edges = 0;
        for (int i = 1; i < 441; ++i)
            if (std::floor(TimeAt(s, i) / 5e-4) != std::floor(TimeAt(s, i - 1) / 5e-4)) ++edges;
        return edges;
    }

    CResistance* r = nullptr;
    COscilloscope* s = nullptr;
    double tau_ = 10 * 1e-5;
    double c_ = std::exp(-5.0);
};

TEST_F(ScopeSquareRc, ChannelsReadTheFirstOrderResponse) {
    EXPECT_EQ(s->Channel(0).kind, WAVE_SQUARE);
    EXPECT_TRUE(s->Channel(0).firstOrder);
    EXPECT_EQ(s->Channel(0).response, RESPONSE_RISING) << "the capacitor charges after an edge";
    EXPECT_EQ(s->Channel(1).response, RESPONSE_FALLING) << "the resistor's voltage dies away";
    EXPECT_NEAR(s->Channel(0).rate, 1 / tau_, 1 / tau_ * 1e-4);
    EXPECT_NEAR(s->Channel(0).frequency, 1000, 1e-9);
}

TEST_F(ScopeSquareRc, CapacitorTraceIsTheChargeCurve) {
    const CPolyline& trace = OnlyStroke(s); // continuous: a capacitor voltage has no jumps
    ASSERT_EQ(trace.size(), 441u);
    const double peak = (1 - c_) / (1 + c_);
    for (int i = 0; i < 441; ++i) {
        const double v = Expected(TimeAt(s, i), -peak, 1.0);
        EXPECT_NEAR(trace[i].y, 133 + 32 * v, 1.2) << "sample " << i;
    }
}

// Each edge of the square is a jump of 2 V (64 pixels): the strokes break
// there, and between edges the resistor's voltage decays towards zero, not
// towards the source's amplitude.
TEST_F(ScopeSquareRc, ResistorTraceDecaysToZeroAndBreaksAtEveryEdge) {
    s->m_mode.m_state = SCOPE_CHANNEL_2;
    // Two updates bring the shimmering time reference back to 160.35, so
    // that no sample falls exactly on an edge.
    Update();
    Update();
    ASSERT_NEAR(s->HorizontalReference(), 160.35, 1e-9);
    const auto& strokes = s->Polylines();
    const int edges = EdgesOnScreen();
    ASSERT_GE(edges, 5);
    ASSERT_EQ(static_cast<int>(strokes.size()), edges + 1);
    EXPECT_EQ(PointCount(strokes), 441u);
    const double spike = 2 / (1 + c_);
    int i = 0;
    for (const CPolyline& stroke : strokes) {
        for (const CWavePoint& p : stroke) {
            EXPECT_NEAR(p.y, 133 + 32 * Expected(TimeAt(s, i), spike, 0.0), 1.2) << "sample " << i;
            ++i;
        }
    }
    // A full stroke between two edges starts at a spike and ends at the zero level.
    const CPolyline& middle = strokes[1];
    EXPECT_GT(std::fabs(middle.front().y - 133), 0.9 * 32 * spike);
    EXPECT_NEAR(middle.back().y, 133, 1);
}

TEST_F(ScopeTest, BothChannelsDrawChannelTwoGreenThenChannelOneRed) {
    auto* g = Generator(SQUARE);
    auto* s = Scope();
    Probe(s, 0, g, 0, 1);
    Probe(s, 1, g, 1, 0);
    s->m_mode.m_state = SCOPE_BOTH;
    s->m_timeBase.SetPosition(8);
    s->m_y1Position.SetPosition(10); // keep the two traces apart
    s->m_y2Position.SetPosition(2);
    Update();
    const auto& strokes = s->Polylines();
    ASSERT_GE(strokes.size(), 2u);
    const float green = static_cast<float>(kTraceGreen), red = static_cast<float>(kTraceRed);
    std::size_t i = 0;
    for (; i < strokes.size() && strokes[i].front().colour == green; ++i) {
    }
    ASSERT_GT(i, 0u) << "channel 2 comes first";
    ASSERT_LT(i, strokes.size());
    std::size_t greenPoints = 0, redPoints = 0;
    for (std::size_t k = 0; k < strokes.size(); ++k)
        for (const CWavePoint& p : strokes[k]) {
            EXPECT_EQ(p.colour, k < i ? green : red);
            (k < i ? greenPoints : redPoints) += 1;
        }
    EXPECT_EQ(greenPoints, 441u);
    EXPECT_EQ(redPoints, 441u);
    // Square at 2 V/div: +-16 pixels about each channel's zero level, channel 2 inverted.
    const CWavePoint& firstRed = strokes[i].front();
    const CWavePoint& firstGreen = strokes[0].front();
    EXPECT_NEAR(std::fabs(firstRed.y - s->ZeroLevel(0)), 16, 1);
    EXPECT_NEAR(firstGreen.y - s->ZeroLevel(1), -(firstRed.y - s->ZeroLevel(0)), 1);
}

struct XYCase {
    const char* name;
    bool reversed; // channel 2 across the generator the other way round
};
class ScopeXY : public ScopeTest, public ::testing::WithParamInterface<XYCase> {};

// The same sine on both inputs draws the diagonal; inverted on channel 2, the
// other diagonal. The figure is centred 120 pixels right of the time reference.
TEST_P(ScopeXY, SameSineOnBothInputsDrawsADiagonal) {
    auto* g = Generator(SINE);
    auto* s = Scope();
    Probe(s, 0, g, 0, 1);
    if (GetParam().reversed)
        Probe(s, 1, g, 1, 0);
    else
        Probe(s, 1, g, 0, 1);
    s->m_mode.m_state = SCOPE_XY;
    s->m_timeBase.SetPosition(8);
    s->m_y2Position.SetPosition(0); // the figure ignores the position knobs of the channels
    Update();
    const CPolyline& figure = OnlyStroke(s);
    ASSERT_EQ(figure.size(), 441u);
    const double centreX = s->HorizontalReference() + 120;
    float widest = 0;
    for (const CWavePoint& p : figure) {
        const double dx = p.x - centreX, dy = p.y - 133;
        EXPECT_NEAR(dy, GetParam().reversed ? -dx : dx, 1.5);
        EXPECT_LE(std::fabs(dx), 16.5) << "1 V at 2 V/div";
        widest = std::max(widest, static_cast<float>(std::fabs(dx)));
        EXPECT_EQ(p.colour, static_cast<float>(kTraceGreen));
    }
    EXPECT_GE(widest, 15);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScopeXY,
                         ::testing::Values(XYCase{"InPhase", false}, XYCase{"Inverted", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScopeTest, TimesFiveMakesTheTraceFiveTimesTaller) {
    auto* g = Generator(SINE);
    auto* s = Scope();
    Probe(s, 0, g, 0, 1);
    s->m_y1Gain.SetPosition(2); // 1 V/div: +-32 pixels
    s->m_timeBase.SetPosition(8);
    auto height = [&] {
        Update();
        float high = -1e9f;
        for (const CWavePoint& p : OnlyStroke(s))
            high = std::max(high, p.y);
        return high - 133;
    };
    EXPECT_NEAR(height(), 32, 1);
    s->m_times5.SetOn(true);
    EXPECT_NEAR(height(), 160, 1);
}

// Cases where the channel shows a flat line at its zero level.
struct FlatCase {
    const char* name;
    int coupling;
    bool dcInput;
};
class ScopeFlat : public ScopeTest, public ::testing::WithParamInterface<FlatCase> {};

TEST_P(ScopeFlat, ChannelDrawsItsZeroLevel) {
    const FlatCase& c = GetParam();
    auto* s = Scope();
    if (c.dcInput) {
        auto* dc = Place<CDCSource>();
        dc->m_power.SetOn(true);
        Probe(s, 0, dc, 0, 1);
    } else {
        Probe(s, 0, Generator(SINE), 0, 1);
    }
    s->m_coupling1.m_state = c.coupling;
    s->m_y1Position.SetPosition(9);
    Update();
    const CPolyline& trace = OnlyStroke(s);
    ASSERT_EQ(trace.size(), 441u);
    for (const CWavePoint& p : trace)
        EXPECT_EQ(p.y, 133 + 18);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScopeFlat,
                         ::testing::Values(FlatCase{"GroundedInput", 1, false},
                                           FlatCase{"DcVoltage", 0, true},
                                           FlatCase{"DcVoltageThirdPosition", 2, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScopeTest, CouplingEndPositionsShowTheSignal) {
    auto* g = Generator(SINE);
    auto* s = Scope();
    Probe(s, 0, g, 0, 1);
    for (int position : {0, 2}) {
        s->m_coupling1.m_state = position;
        Update();
        EXPECT_EQ(s->Channel(0).kind, WAVE_SINE) << "position " << position;
    }
}

TEST_F(ScopeTest, PowerOffShowsNothing) {
    auto* g = Generator(SINE);
    auto* s = Scope();
    Probe(s, 0, g, 0, 1);
    Update();
    ASSERT_FALSE(s->Polylines().empty());
    ASSERT_FALSE(s->m_panelGroup.polylines.empty());
    s->PanelButtonDown(560, 240);
    Update();
    EXPECT_TRUE(s->m_branches.empty());
    EXPECT_TRUE(s->Polylines().empty());
    EXPECT_TRUE(s->m_panelGroup.polylines.empty());
    EXPECT_EQ(s->m_panelGroup.itemsB[COscilloscope::kZeroMarkerItem[0]].right, 0) << "no zero mark either";
}

TEST_F(ScopeTest, TimeReferenceShimmersAndFollowsItsKnob) {
    auto* s = Scope();
    Update();
    const double first = s->HorizontalReference();
    Update();
    const double second = s->HorizontalReference();
    EXPECT_NEAR(std::fabs(first - second), 0.35, 1e-12);
    EXPECT_NEAR(std::min(first, second), 160, 1e-12);
    Update();
    EXPECT_EQ(s->HorizontalReference(), first);
    s->m_xPosition.SetPosition(8);
    Update();
    EXPECT_NEAR(s->HorizontalReference(), 172, 0.36);
}

// The figure on the panel: drawn once from the screen's bottom-left corner,
// thick, in the points' own colours, and only where it is on the screen.
TEST_F(ScopeTest, PanelFigureStaysOnTheScreen) {
    auto* g = Generator(SQUARE);
    auto* s = Scope();
    Probe(s, 0, g, 0, 1);
    s->m_y1Gain.SetPosition(9); // 5 mV/div: a 1 V square is far off the screen
    Update();
    const CSpriteGroup& panel = s->m_panelGroup;
    EXPECT_NE(panel.hasWaveform, 0u);
    EXPECT_EQ(panel.thickness, 3u);
    EXPECT_EQ(panel.span, 215);
    EXPECT_EQ(panel.period, 215);
    EXPECT_EQ(panel.originX, 0);
    EXPECT_EQ(panel.originY, 256);
    EXPECT_EQ(panel.flags & 0x2u, 0u);
    EXPECT_TRUE(panel.polylines.empty()) << "every sample is above or below the screen";

    s->m_y1Gain.SetPosition(2);
    Update();
    ASSERT_FALSE(panel.polylines.empty());
    for (const CPolyline& line : panel.polylines) {
        EXPECT_GE(line.size(), 2u);
        for (const CWavePoint& p : line) {
            EXPECT_TRUE(p.x >= 0 && p.x <= 320 && p.y >= 0 && p.y <= 256) << p.x << ", " << p.y;
            EXPECT_EQ(p.colour, static_cast<float>(kTraceGreen));
        }
    }
    const CDrawItem& mark = panel.itemsB[COscilloscope::kZeroMarkerItem[0]];
    EXPECT_FLOAT_EQ((mark.top + mark.bottom) / 2, 256 - 133) << "channel 1's zero level marked at the edge";
}

TEST(ScopeClip, StrokesAreCutAtTheScreenEdges) {
    const float c = static_cast<float>(kTraceGreen);
    // Up through the top edge, along outside, and back down.
    const std::vector<CPolyline> lines = {
        {{c, 10, 200}, {c, 20, 300}, {c, 30, 300}, {c, 40, 200}, {c, 50, 200}}};
    const auto clipped = ClipToScreen(lines, 320, 256);
    ASSERT_EQ(clipped.size(), 2u);
    ASSERT_EQ(clipped[0].size(), 2u);
    EXPECT_FLOAT_EQ(clipped[0][1].x, 15.6f);
    EXPECT_FLOAT_EQ(clipped[0][1].y, 256);
    ASSERT_EQ(clipped[1].size(), 3u);
    EXPECT_FLOAT_EQ(clipped[1][0].x, 34.4f);
    EXPECT_FLOAT_EQ(clipped[1][2].x, 50);
    EXPECT_EQ(clipped[1][0].colour, c);
    // Entirely off the screen, and a lone point: nothing to draw.
    EXPECT_TRUE(ClipToScreen({{{c, 400, 10}, {c, 440, 10}}, {{c, 5, 5}}}, 320, 256).empty());
}

// ---- inputs that make no period ----

struct DegenerateCase {
    const char* name;
    int circuitClass;
    double frequency;
    double amplitude = 1;
    double rate = 1000;
};

class ScopeDegenerate : public ScopeTest, public ::testing::WithParamInterface<DegenerateCase> {};

// Whatever the published numbers, the update finishes at once and draws a
// flat line at the zero level: no endless fold of time into a period, no
// NaN or infinite pixel.
TEST_P(ScopeDegenerate, DrawsAFlatLine) {
    const DegenerateCase& c = GetParam();
    auto* s = Scope();
    Update();
    ASSERT_EQ(s->m_branches.size(), 2u);
    CQuantity& v = s->m_branches[0]->m_result.m_vol;
    v.m_circuitClass = c.circuitClass;
    v.wave_array[0] = c.amplitude;
    v.wave_array[1] = c.frequency;
    v.para_array[0] = c.amplitude;
    v.para_array[1] = c.amplitude;
    v.para_array[2] = c.rate;
    s->Update(CUpdateContext{});
    const CPolyline& trace = OnlyStroke(s);
    ASSERT_EQ(trace.size(), 441u);
    for (const CWavePoint& p : trace)
        EXPECT_EQ(p.y, 133);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScopeDegenerate,
    ::testing::Values(DegenerateCase{"SineAtZeroHertz", CLASS_SINE, 0},
                      DegenerateCase{"SquareAtZeroHertz", CLASS_SQUARE, 0},
                      DegenerateCase{"TriangleAtZeroHertz", CLASS_TRIANGLE, 0},
                      DegenerateCase{"FirstOrderAtZeroHertz", CLASS_SQUARE_FIRST_ORDER, 0},
                      DegenerateCase{"SquareAtNegativeFrequency", CLASS_SQUARE, -1000},
                      DegenerateCase{"SineAtNegativeFrequency", CLASS_SINE, -1000},
                      DegenerateCase{"TriangleAtInfiniteFrequency", CLASS_TRIANGLE, kInf},
                      DegenerateCase{"SquareAtNaNFrequency", CLASS_SQUARE, kNaN},
                      DegenerateCase{"SineAtNaNFrequency", CLASS_SINE, kNaN},
                      DegenerateCase{"SquareWhosePeriodOverflows", CLASS_SQUARE, 1e-320},
                      DegenerateCase{"SquareOfNaNAmplitude", CLASS_SQUARE, 1000, kNaN},
                      DegenerateCase{"TriangleOfInfiniteAmplitude", CLASS_TRIANGLE, 1000, kInf},
                      DegenerateCase{"FirstOrderWithNaNRate", CLASS_SQUARE_FIRST_ORDER, 1000, 1, kNaN}),
    [](const auto& info) { return std::string(info.param.name); });

// An element that settles at once (its rate published as infinite) and one
// that never settles (rate 0) still give finite, bounded traces.
TEST(ScopeChannelValue, ExtremeRatesAndFrequenciesStayFinite) {
    CScopeChannel c;
    c.kind = WAVE_SQUARE;
    c.firstOrder = true;
    c.frequency = 1000;
    c.period = 1e-3;
    c.initial = 2;
    c.step = 2; // a resistor in series with a capacitor
    for (double rate : {kInf, 0.0, 1e300}) {
        c.rate = rate;
        for (double t : {-3e-4, 0.0, 2.5e-4, 5e-4, 7e-4}) {
            const double v = ChannelValue(c, t, 1e-4);
            EXPECT_TRUE(std::isfinite(v)) << "rate " << rate << " t " << t;
            EXPECT_LE(std::fabs(v), 2) << "rate " << rate << " t " << t;
        }
    }
    c.rate = 0; // no decay at all: the square passes straight through
    EXPECT_DOUBLE_EQ(ChannelValue(c, 7e-4, 1e-4), 1);
    EXPECT_DOUBLE_EQ(ChannelValue(c, 2e-4, 1e-4), -1);
    CScopeChannel fast{WAVE_SQUARE, 1, 1e300, 1e-300};
    EXPECT_TRUE(std::isfinite(ChannelValue(fast, 1e-3, 1e-6)));
}

} // namespace
} // namespace ampera::testing
