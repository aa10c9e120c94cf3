// The oscilloscope's measurements, cursors and trace data: closed forms of
// every wave it draws, the same figures read off a densely sampled trace,
// bench units, cursors held inside the screen, the CSV against the drawn
// trace, and agreement with the AC millivoltmeter and the level meter.
#include "board_fixture.h"

#include "devices/ac_millivoltmeter.h"
#include "devices/capacitance.h"
#include "devices/instrument_readings.h"
#include "devices/level_meter.h"
#include "devices/oscilloscope.h"
#include "devices/resistance.h"
#include "devices/scope_measurements.h"
#include "devices/signal_generator.h"

#include <cmath>
#include <limits>
#include <sstream>

namespace ampera::testing {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

CScopeChannel Wave(int kind, double amplitude, double frequency) {
    CScopeChannel c;
    c.kind = kind;
    c.amplitude = amplitude;
    c.frequency = frequency;
    c.period = 1 / frequency;
    return c;
}

// A square wave of +-1 V through a first-order circuit, described as the
// solve publishes it: `initial` just after a rising edge from rest, settling
// by `step` at `rate`.
CScopeChannel FirstOrderWave(double initial, double step, double rate, double frequency) {
    CScopeChannel c = Wave(WAVE_SQUARE, step, frequency);
    c.firstOrder = true;
    c.initial = initial;
    c.step = step;
    c.rate = rate;
    return c;
}

// ---- closed forms ----

struct ClosedFormCase {
    const char* name;
    CScopeChannel channel;
    double peak, rms;
};

class ClosedForm : public ::testing::TestWithParam<ClosedFormCase> {};

TEST_P(ClosedForm, MatchesTheWavesFormula) {
    const ClosedFormCase& k = GetParam();
    const CChannelMeasurements m = MeasureChannel(k.channel);
    ASSERT_TRUE(m.measured);
    EXPECT_NEAR(m.vpp, 2 * k.peak, 1e-12);
    EXPECT_NEAR(m.vmax, k.peak, 1e-12);
    EXPECT_NEAR(m.vmin, -k.peak, 1e-12);
    EXPECT_EQ(m.mean, 0);
    EXPECT_NEAR(m.rms, k.rms, 1e-12);
    ASSERT_TRUE(m.frequency && m.period);
    EXPECT_DOUBLE_EQ(*m.frequency, k.channel.frequency);
    EXPECT_DOUBLE_EQ(*m.period, 1 / k.channel.frequency);
}

// The capacitor of an RC circuit on a square wave of +-1 V, 1 kHz, tau 0.1
// ms: it charges between -+(1 - c) / (1 + c), c = exp(-T / 2 tau).
const double kC = std::exp(-5.0);
const double kChargePeak = (1 - kC) / (1 + kC);
const double kSpike = 2 / (1 + kC);

// The r.m.s. of the settled run from `start` towards `settled` over half a
// period at rate r, integrated by Simpson's rule from the curve itself.
double RunRms(double start, double settled, double rate, double half) {
    const int n = 200000;
    const double h = half / n;
    double sum = 0;
    for (int i = 0; i <= n; ++i) {
        const double v = settled + (start - settled) * std::exp(-rate * i * h);
        sum += v * v * (i == 0 || i == n ? 1 : i % 2 ? 4 : 2);
    }
    return std::sqrt(sum * h / 3 / half);
}

INSTANTIATE_TEST_SUITE_P(
    Waves, ClosedForm,
    ::testing::Values(ClosedFormCase{"Sine", Wave(WAVE_SINE, 1.5, 1000), 1.5, 1.5 / std::sqrt(2.0)},
                      ClosedFormCase{"NegativeSine", Wave(WAVE_SINE, -2, 50), 2, std::sqrt(2.0)},
                      ClosedFormCase{"Square", Wave(WAVE_SQUARE, 2, 1000), 2, 2},
                      ClosedFormCase{"NegativeSquare", Wave(WAVE_SQUARE, -0.5, 3e5), 0.5, 0.5},
                      ClosedFormCase{"Triangle", Wave(WAVE_TRIANGLE, 3, 1000), 3, std::sqrt(3.0)},
                      ClosedFormCase{"CapacitorCharge", FirstOrderWave(0, -2, 1e4, 1000), kChargePeak,
                                     RunRms(-kChargePeak, 1, 1e4, 5e-4)},
                      ClosedFormCase{"ResistorSpikes", FirstOrderWave(2, 2, 1e4, 1000), kSpike,
                                     RunRms(kSpike, 0, 1e4, 5e-4)},
                      // So slow to settle that the square passes almost unchanged.
                      ClosedFormCase{"SlowResistor", FirstOrderWave(2, 2, 1e-9, 1000), 1, 1},
                      // Settled at once: a plain square of the settled level.
                      ClosedFormCase{"InstantCapacitor", FirstOrderWave(0, -2, kInf, 1000), 1, 1}),
    [](const auto& info) { return std::string(info.param.name); });

// Every shape's figures agree with a trace sampled a hundred thousand times
// over one period (the measurements are what is drawn, not another formula).
TEST(MeasureChannel, AgreesWithTheDenselySampledTrace) {
    const CScopeChannel waves[] = {Wave(WAVE_SINE, 1, 1000), Wave(WAVE_SQUARE, 1, 1000),
                                   Wave(WAVE_TRIANGLE, 1, 1000), FirstOrderWave(0, -2, 3e3, 1000),
                                   FirstOrderWave(2, 2, 2e4, 1000)};
    for (const CScopeChannel& wave : waves) {
        CScopeChannel c = wave;
        c.phase = 0.3;
        if (c.firstOrder) PrepareFirstOrder(c);
        const int n = 100000;
        double lo = kInf, hi = -kInf, sum = 0, squares = 0;
        for (int i = 0; i < n; ++i) {
            const double v = ChannelValue(c, (i + 0.5) * 1e-3 / n, 1e-4);
            lo = std::min(lo, v);
            hi = std::max(hi, v);
            sum += v;
            squares += v * v;
        }
        const CChannelMeasurements m = MeasureChannel(wave);
        SCOPED_TRACE(wave.kind * 10 + wave.firstOrder);
        EXPECT_NEAR(m.vmax, hi, 1e-3);
        EXPECT_NEAR(m.vmin, lo, 1e-3);
        EXPECT_NEAR(m.mean, sum / n, 1e-6);
        EXPECT_NEAR(m.rms, std::sqrt(squares / n), 1e-4);
    }
}

// What ChannelValue draws flat measures 0 V and has no frequency.
TEST(MeasureChannel, FlatLinesHaveNoFrequency) {
    CScopeChannel infiniteStep = FirstOrderWave(kInf, kInf, 1e4, 1000);
    const CScopeChannel flats[] = {CScopeChannel{},           Wave(WAVE_SINE, 1, 0),  Wave(WAVE_SINE, 1, kNaN),
                                   Wave(WAVE_SQUARE, 1, kInf), Wave(WAVE_SQUARE, 0, 1000),
                                   Wave(WAVE_SINE, kInf, 50), infiniteStep};
    for (const CScopeChannel& flat : flats) {
        const CChannelMeasurements m = MeasureChannel(flat);
        EXPECT_TRUE(m.measured);
        EXPECT_EQ(m.vpp, 0);
        EXPECT_EQ(m.vmax, 0);
        EXPECT_EQ(m.vmin, 0);
        EXPECT_EQ(m.rms, 0);
        EXPECT_FALSE(m.frequency.has_value());
        EXPECT_FALSE(m.period.has_value());
    }
}

// ---- bench units ----

TEST(BenchUnits, FourSignificantDigitsInTheUnitThatFits) {
    const std::pair<std::string, std::string> cases[] = {
        {VoltsText(std::sqrt(2.0)), "1.414 V"},  {VoltsText(1 / std::sqrt(2.0)), "707.1 mV"},
        {VoltsText(0.0), "0.000 V"},             {VoltsText(0.99996), "1.000 V"},
        {VoltsText(-0.5), "-500.0 mV"},          {VoltsText(1e-5), "0.010 mV"},
        {VoltsText(12.5), "12.50 V"},            {VoltsText(kNaN), "—"},
        {HertzText(1000), "1.000 kHz"},          {HertzText(50), "50.00 Hz"},
        {HertzText(2.5e6), "2.500 MHz"},         {HertzText(999999.9), "1.000 MHz"},
        {SecondsText(1e-3), "1.000 ms"},         {SecondsText(2e-6), "2.000 µs"},
        {SecondsText(0.5), "500.0 ms"},          {SecondsText(2), "2.000 s"},
        {SecondsText(std::nullopt), "—"},        {HertzText(std::optional<double>(20)), "20.00 Hz"},
    };
    for (const auto& [shown, expected] : cases)
        EXPECT_EQ(shown, expected);
}

// ---- cursors ----

TEST(ScopeCursors, GrabNearestLineWithinReachOnly) {
    CScopeCursors c;
    EXPECT_FALSE(CursorAt(c, 96, 100)) << "hidden cursors are not taken";
    c.shown = true;
    auto grab = CursorAt(c, 98, 120);
    ASSERT_TRUE(grab);
    EXPECT_TRUE(grab->time);
    EXPECT_EQ(grab->index, 0);
    grab = CursorAt(c, 150, 66);
    ASSERT_TRUE(grab);
    EXPECT_FALSE(grab->time);
    EXPECT_EQ(grab->index, 1);
    // Near a crossing, the nearer line wins.
    grab = CursorAt(c, 223, 193);
    ASSERT_TRUE(grab);
    EXPECT_TRUE(grab->time);
    EXPECT_FALSE(CursorAt(c, 160, 133)) << "far from every line";
    EXPECT_FALSE(CursorAt(c, 96, -10)) << "off the screen";
}

TEST(ScopeCursors, DraggedCursorsStayInsideTheScreenWithoutSnapping) {
    CScopeCursors c;
    c.shown = true;
    MoveCursor(c, {true, 0}, -40, 0);
    MoveCursor(c, {true, 1}, 500, 0);
    MoveCursor(c, {false, 0}, 0, 999);
    MoveCursor(c, {false, 1}, 0, -3);
    EXPECT_EQ(c.x[0], 0);
    EXPECT_EQ(c.x[1], 320);
    EXPECT_EQ(c.y[0], 256);
    EXPECT_EQ(c.y[1], 0);
    MoveCursor(c, {true, 0}, 101.3, 0);
    MoveCursor(c, {true, 1}, kNaN, 0);
    EXPECT_DOUBLE_EQ(c.x[0], 101.3) << "no snapping to pixels or divisions";
    EXPECT_EQ(c.x[1], 320) << "a position that is no number leaves the cursor";

    // Edge to edge: ten divisions of time and eight of voltage.
    c.x[0] = 0;
    const CCursorReadout r = ReadCursors(c, 1e-3, 0.5, false);
    ASSERT_TRUE(r.deltaT && r.inverseDeltaT);
    EXPECT_DOUBLE_EQ(*r.deltaT, 10e-3);
    EXPECT_DOUBLE_EQ(*r.inverseDeltaT, 100);
    EXPECT_DOUBLE_EQ(r.deltaV, 4);
    c.x[1] = 0;
    EXPECT_FALSE(ReadCursors(c, 1e-3, 0.5, false).inverseDeltaT) << "coincident cursors";
    EXPECT_FALSE(ReadCursors(c, 1e-3, 0.5, true).deltaT) << "X-Y mode has no time axis";
}

// ---- on the bench ----

class ScopeBench : public BoardTest {
  protected:
    // A 1 V, 1 kHz generator across a 100 ohm resistor, the scope's
    // channel 1 across the resistor, 0.5 V/div, 0.2 ms/div.
    void Build(int wave) {
        g = Place<CSignalGenerator>();
        g->m_power.SetOn(true);
        g->m_waveButtons[static_cast<std::size_t>(wave)].SetOn(true);
        g->m_bandButtons[3].SetOn(true);
        g->m_amplitudeKnob.SetPosition(4);
        r = Place<CResistance>();
        r->m_resistance = 100;
        Wire(g, 0, r, 0);
        Wire(r, 1, g, 1);
        s = Place<COscilloscope>();
        s->m_power.SetOn(true);
        Wire(s, 0, r, 0);
        Wire(s, 1, r, 1);
        s->m_y1Gain.SetPosition(3);
        s->m_timeBase.SetPosition(9);
    }
    CSignalGenerator* g = nullptr;
    CResistance* r = nullptr;
    COscilloscope* s = nullptr;
};

TEST_F(ScopeBench, SineMeasuresItsAmplitudeAndFrequency) {
    Build(0);
    Update();
    const double peak = r->m_branches.at(0)->m_result.m_vol.Peak();
    ASSERT_GT(peak, 0.5);
    // The scope's own input branch lies across the same two nodes.
    const CChannelMeasurements m = s->Measure(0);
    EXPECT_NEAR(m.vmax, peak, 1e-9);
    EXPECT_NEAR(m.vpp, 2 * peak, 1e-9);
    EXPECT_NEAR(m.rms, peak * std::sqrt(0.5), 1e-9);
    ASSERT_TRUE(m.frequency);
    EXPECT_NEAR(*m.frequency, 1000, 1e-9);
}

// The display settings move and stretch the trace, never what it measures;
// a grounded input or a dark screen measures nothing.
TEST_F(ScopeBench, KnobsLeaveTheFiguresAndCouplingGroundsThem) {
    Build(1);
    Update();
    const CChannelMeasurements before = s->Measure(0);
    ASSERT_GT(before.vpp, 1);
    s->m_y1Position.SetPosition(10);
    s->m_y1Gain.SetPosition(7);
    s->m_times5.SetOn(true);
    s->m_timeBase.SetPosition(12);
    Update();
    const CChannelMeasurements after = s->Measure(0);
    EXPECT_EQ(after.vpp, before.vpp);
    EXPECT_EQ(after.rms, before.rms);
    EXPECT_EQ(after.frequency, before.frequency);

    s->m_coupling1.m_state = 1; // GND
    Update();
    EXPECT_EQ(s->Measure(0).vpp, 0);
    EXPECT_FALSE(s->Measure(0).frequency);
    s->m_coupling1.m_state = 2;
    Update();
    EXPECT_EQ(s->Measure(0).vpp, before.vpp) << "the other end position passes the signal";

    s->m_power.SetOn(false);
    Update();
    EXPECT_FALSE(s->Measure(0).measured);
    EXPECT_EQ(s->TraceCsv(), "");
    const CScreenReport report = s->Report();
    ASSERT_EQ(report.channels.size(), 1u);
    EXPECT_EQ(report.channels[0].values, std::vector<std::string>(7, "—"));
}

// The table shows the channels the mode draws, and the cursor differences
// of the channel the cursors read.
TEST_F(ScopeBench, ReportFollowsTheModeAndTheCursors) {
    Build(0);
    Update();
    CScreenReport report = s->Report();
    EXPECT_EQ(report.quantities,
              (std::vector<std::string>{"峰峰值", "最大值", "最小值", "平均值", "有效值", "频率", "周期"}));
    ASSERT_EQ(report.channels.size(), 1u);
    EXPECT_EQ(report.channels[0].channel, "通道一");
    // 1 V into 100 ohm through the generator's own resistance.
    const double peak = r->m_branches.at(0)->m_result.m_vol.Peak();
    EXPECT_EQ(report.channels[0].values[0], VoltsText(2 * peak));
    EXPECT_EQ(report.channels[0].values[5], "1.000 kHz");
    EXPECT_EQ(report.channels[0].values[6], "1.000 ms");
    s->m_mode.m_state = SCOPE_XY;
    Update();
    report = s->Report();
    ASSERT_EQ(report.channels.size(), 2u);
    EXPECT_EQ(report.channels[1].channel, "通道二");
    EXPECT_EQ(report.channels[1].values[0], "0.000 V") << "nothing on channel 2";
    EXPECT_EQ(report.channels[1].values[5], "—");
    EXPECT_TRUE(report.cursors.empty()) << "no cursor rows while they are hidden";

    s->m_mode.m_state = SCOPE_CHANNEL_1;
    s->SetCursorsShown(true);
    Update();
    report = s->Report();
    // 128 pixels = 4 divisions of 0.2 ms; 128 pixels = 4 divisions of 0.5 V.
    using Pair = std::pair<std::string, std::string>;
    EXPECT_EQ(report.cursors,
              (std::vector<Pair>{{"Δt", "800.0 µs"}, {"1/Δt", "1.250 kHz"}, {"ΔV(通道一)", "2.000 V"}}));
    s->m_mode.m_state = SCOPE_XY;
    Update();
    report = s->Report();
    EXPECT_EQ(report.cursors[0].second, "—");
    EXPECT_EQ(report.cursors[2].first, "ΔV(通道二)");
}

// Cursors are dragged in panel coordinates (y downwards from the screen's
// top edge), stay on the screen, and are drawn over the traces only while
// shown and lit.
TEST_F(ScopeBench, CursorsAreDraggedAndDrawnOnTheScreen) {
    Build(0);
    Update();
    EXPECT_FALSE(s->GrabCursor(96, 100)) << "hidden";
    EXPECT_TRUE(s->m_panelGroup.itemsA.empty());
    s->SetCursorsShown(true);
    ASSERT_FALSE(s->m_panelGroup.itemsA.empty());
    for (const CDrawItem& dash : s->m_panelGroup.itemsA) {
        EXPECT_TRUE(dash.flags & DRAW_LINE);
        for (float x : {dash.left, dash.right}) {
            EXPECT_GE(x, 0);
            EXPECT_LE(x, 320);
        }
        for (float y : {dash.top, dash.bottom}) {
            EXPECT_GE(y, 0);
            EXPECT_LE(y, 256);
        }
    }
    ASSERT_TRUE(s->GrabCursor(150, 256 - 197)); // voltage cursor 1
    s->DragCursor(150, -80);
    EXPECT_EQ(s->Cursors().y[0], 256);
    s->ReleaseCursor();
    s->DragCursor(150, 100);
    EXPECT_EQ(s->Cursors().y[0], 256) << "released";
    ASSERT_TRUE(s->GrabCursor(224, 30));
    s->DragCursor(900, 30);
    EXPECT_EQ(s->Cursors().x[1], 320);
    Update();
    EXPECT_EQ(s->Cursors().x[1], 320) << "an update keeps them";

    s->m_power.SetOn(false);
    Update();
    EXPECT_TRUE(s->m_panelGroup.itemsA.empty());
    EXPECT_FALSE(s->GrabCursor(320, 30));
}

// The CSV is the drawn trace: 441 rows at the times of the samples, each
// value landing on the pixel the trace drew.
TEST_F(ScopeBench, CsvIsTheDrawnTrace) {
    Build(0);
    s->m_mode.m_state = SCOPE_BOTH;
    Wire(s, 2, r, 0);
    Wire(s, 3, r, 1);
    s->m_y2Gain.SetPosition(2);
    s->m_y2Position.SetPosition(3);
    Update();
    const std::string csv = s->TraceCsv();
    ASSERT_EQ(csv.rfind(kUtf8Bom, 0), 0u);
    std::istringstream in(csv.substr(3));
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "时间 (s),通道一 (V),通道二 (V)\r");
    const auto& lines = s->Polylines();
    // Channel 2 is drawn first, then channel 1; each is one stroke of 441.
    ASSERT_EQ(lines.size(), 2u);
    int rows = 0;
    while (std::getline(in, line)) {
        double t = 0, v1 = 0, v2 = 0;
        ASSERT_EQ(std::sscanf(line.c_str(), "%lf,%lf,%lf", &t, &v1, &v2), 3) << line;
        const int i = rows++;
        ASSERT_LT(i, 441);
        EXPECT_NEAR(t, (i - s->HorizontalReference()) * s->SecondsPerDivision() / 32, 1e-15);
        EXPECT_EQ(lines[1][i].y, std::trunc(v1 * 32 / s->VoltsPerDivision(0) + s->ZeroLevel(0))) << i;
        EXPECT_EQ(lines[0][i].y, std::trunc(v2 * 32 / s->VoltsPerDivision(1) + s->ZeroLevel(1))) << i;
    }
    EXPECT_EQ(rows, 441);
}

// The scope, the AC millivoltmeter and the level meter across one branch
// read the same sine: its r.m.s. and its amplitude.
TEST_F(ScopeBench, AgreesWithTheMillivoltmeterAndTheLevelMeter) {
    SetJitterSource([] { return 5; }); // the level meter shows its exact value
    Build(0);
    auto* mv = Place<CACMillivoltmeter>();
    mv->m_power.SetOn(true);
    mv->m_range.SetPosition(2);
    Wire(mv, 0, r, 0);
    Wire(mv, 1, r, 1);
    auto* level = Place<CLevelMeter>();
    level->m_power.SetOn(true);
    level->m_bandButtons[3].SetOn(true);
    level->m_coarse.SetPosition(5); // 1 kHz
    level->m_fine.SetPosition(0);
    Wire(level, 0, r, 0);
    Wire(level, 1, r, 1);
    Update();
    const CChannelMeasurements m = s->Measure(0);
    EXPECT_NEAR(m.rms, mv->m_branches.at(0)->m_result.m_vol.Rms(), 1e-9);
    const std::optional<double> shown = DisplayedNumber(mv->DisplayText());
    ASSERT_TRUE(shown) << mv->DisplayText();
    const std::string unit = mv->ReportReading()->unit;
    EXPECT_NEAR(*shown * (unit == "mV" ? 1e-3 : 1), m.rms, 1e-3) << mv->DisplayText() << " " << unit;
    EXPECT_NEAR(level->Measure(), m.vmax, 1e-9);
    SetJitterSource({});
}

} // namespace
} // namespace ampera::testing
