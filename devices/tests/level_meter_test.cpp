// The frequency-selective level meter: its panel and band buttons, the
// spectra it splits a wave into, the reading at the selected frequency (the
// Fourier lines of the wave the oscilloscope draws), the range knob's label,
// the level texts by range, jitter, and the overload warning.
#include "board_fixture.h"

#include "devices/dc_source.h"
#include "devices/harmonic_lines.h"
#include "devices/level_meter.h"
#include "devices/oscilloscope_trace.h"
#include "devices/panel_sheet.h"
#include "devices/resistance.h"
#include "devices/signal_generator.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace ampera::testing {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr const char* kOverload = "当前电路有若干个器材短路或过载";

enum Band { BAND_1M = 0, BAND_100K = 1, BAND_10K = 2, BAND_1K = 3, NO_BAND = -1 };
enum GeneratorWave { SINE = 0, SQUARE = 1, TRIANGLE = 2 };

class LevelMeterTest : public BoardTest {
  protected:
    void SetUp() override {
        BoardTest::SetUp();
        SetJitterSource([] { return 5; }); // 5 mod 21 shows the exact value
    }
    void TearDown() override { SetJitterSource({}); }

    CLevelMeter* Meter() {
        auto* m = Place<CLevelMeter>();
        m->m_power.SetOn(true);
        return m;
    }
    // A powered generator at 1 kHz (band 1K, coarse 5, fine 0).
    CSignalGenerator* Generator(GeneratorWave wave, int amplitudePosition = 4 /* 1 V */) {
        auto* g = Place<CSignalGenerator>();
        g->m_power.SetOn(true);
        g->m_waveButtons[wave].SetOn(true);
        g->m_bandButtons[3].SetOn(true);
        g->m_amplitudeKnob.SetPosition(amplitudePosition);
        return g;
    }
    // Clicks the centre of a control on the panel.
    static void Click(CLevelMeter* m, const CPanelControl& c) {
        m->PanelButtonDown((c.m_hitRect.left + c.m_hitRect.right) / 2,
                           (c.m_hitRect.top + c.m_hitRect.bottom) / 2);
    }
    static void Select(CLevelMeter* m, int band, int coarse, int fine) {
        if (band >= 0) Click(m, m->m_bandButtons[static_cast<std::size_t>(band)]);
        m->m_coarse.SetPosition(coarse);
        m->m_fine.SetPosition(fine);
    }
    static bool HasItemAt(const std::vector<CDrawItem>& items, float left, float top, float right,
                          float bottom) {
        for (const CDrawItem& i : items)
            if (i.left == left && i.top == top && i.right == right && i.bottom == bottom) return true;
        return false;
    }
    std::size_t Count(const std::string& text) const {
        std::size_t n = 0;
        for (const CNotice& notice : sink.notices)
            n += notice.text == text;
        return n;
    }
};

// ---- panel ----

TEST_F(LevelMeterTest, PanelLayoutAndDefaults) {
    CLevelMeter m;
    EXPECT_EQ(m.PanelItemCount(), 11);
    EXPECT_EQ(m.PanelControlCount(), 8);
    const CPanelControl* expected[8] = {
        &m.m_bandButtons[0], &m.m_bandButtons[1], &m.m_bandButtons[2], &m.m_bandButtons[3],
        &m.m_power,          &m.m_range,          &m.m_coarse,         &m.m_fine};
    const int items[8] = {0, 1, 2, 3, 4, 6, 8, 10};
    const float lefts[8] = {210, 250, 290, 330, 425, 370, 20, 110};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(m.m_controls[static_cast<std::size_t>(i)], expected[i]) << "control " << i;
        EXPECT_EQ(expected[i]->m_itemIndex, items[i]) << "control " << i;
        EXPECT_EQ(expected[i]->m_hitRect.left, lefts[i]) << "control " << i;
    }
    EXPECT_EQ(m.m_range.m_hitRect.right, 463);
    EXPECT_EQ(m.m_panelGroup.itemsB[5].texture, "devpic\\panal\\选频电压表.tga");
    EXPECT_EQ(m.m_panelGroup.itemsB[7].texture, "pic_syl\\main1.bmp");
    EXPECT_EQ(m.m_panelGroup.itemsB[9].texture, "pic_syl\\fine1.bmp");
    EXPECT_EQ(m.m_range.Position(), 4);
    EXPECT_EQ(m.m_coarse.Position(), 5);
    EXPECT_EQ(m.m_fine.Position(), 0);
    EXPECT_EQ(m.BandIndex(), -1);
    EXPECT_FALSE(m.IsPowered());
    EXPECT_EQ(m.m_range.m_label, "电压量程 20V");
    EXPECT_EQ(m.m_coarse.m_label, "频率粗调");
    EXPECT_EQ(m.m_internalResistance, 999999);
    // The range needle stands at (4 - 2) x 72 degrees.
    EXPECT_NEAR(m.m_panelGroup.itemsB[6].angle, 144 * 3.1415925f * 0.0055555557f, 1e-5);
}

TEST_F(LevelMeterTest, BandButtonsAreARadioGroup) {
    auto* m = Place<CLevelMeter>();
    auto pressed = [&](int band) {
        const CDrawItem& item = m->m_panelGroup.itemsB[static_cast<std::size_t>(band)];
        return item.u[0] == sheet::kBandPressed.left;
    };
    ex.m_topologyDirty = 0;
    Click(m, m->m_bandButtons[BAND_1K]);
    EXPECT_EQ(m->BandIndex(), BAND_1K);
    EXPECT_TRUE(pressed(BAND_1K));
    EXPECT_EQ(ex.m_topologyDirty, 1);
    EXPECT_EQ(m->m_clicked, &m->m_bandButtons[BAND_1K]);

    Click(m, m->m_bandButtons[BAND_10K]);
    EXPECT_EQ(m->BandIndex(), BAND_10K);
    EXPECT_FALSE(m->m_bandButtons[BAND_1K].IsOn()) << "pressing another band releases the first";
    EXPECT_FALSE(pressed(BAND_1K));
    EXPECT_TRUE(pressed(BAND_10K));

    Click(m, m->m_bandButtons[BAND_10K]);
    EXPECT_TRUE(m->m_bandButtons[BAND_10K].IsOn()) << "a click on the pressed band keeps it";

    Click(m, m->m_power);
    EXPECT_TRUE(m->IsPowered());
    EXPECT_EQ(m->BandIndex(), BAND_10K) << "the power button is not in the group";
    Click(m, m->m_power);
    EXPECT_FALSE(m->IsPowered());
}

// ---- frequency display ----

struct FrequencyCase {
    const char* name;
    int band, coarse, fine;
    double hertz;
    const char* text;
};
class LevelMeterFrequency : public LevelMeterTest, public ::testing::WithParamInterface<FrequencyCase> {};

TEST_P(LevelMeterFrequency, SelectedFrequencyAndItsText) {
    const FrequencyCase& c = GetParam();
    auto* m = Meter();
    Select(m, c.band, c.coarse, c.fine);
    Update();
    EXPECT_NEAR(m->m_selectedFrequency, c.hertz, 1e-9 * c.hertz);
    EXPECT_NEAR(m->m_selectedOmega, 2 * kPi * c.hertz, 1e-9 * c.hertz);
    EXPECT_EQ(m->FrequencyText(), c.text);
    const float right = m->m_region[2], top = m->m_region[1];
    EXPECT_EQ(HasItemAt(m->m_boardGroup.itemsA, right - 83, top + 61, right - 70, top + 64), c.band >= 0)
        << "the kHz mark lights only while a band is pressed";
    EXPECT_TRUE(HasItemAt(m->m_boardGroup.itemsA, right - 52.5f, top + 23.5f, right - 35.5f, top + 53.5f))
        << "the frequency's last digit";
}

INSTANTIATE_TEST_SUITE_P(Cases, LevelMeterFrequency,
                         ::testing::Values(FrequencyCase{"OneKilohertz", BAND_1K, 5, 0, 1000, "1.000"},
                                           FrequencyCase{"OneMegahertz", BAND_1M, 5, 0, 1e6, "1000"},
                                           FrequencyCase{"HundredKilohertz", BAND_100K, 5, 0, 1e5, "100.0"},
                                           FrequencyCase{"TenKilohertz", BAND_10K, 5, 0, 1e4, "10.00"},
                                           FrequencyCase{"TopOfTheBandIsTwiceItsUnit", BAND_1K, 9, 10, 2000,
                                                         "2.000"},
                                           FrequencyCase{"NoBand", NO_BAND, 5, 0, 0, "0000"}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- spectra ----

struct LineCase {
    const char* name;
    int kind;
    double harmonic; // selected frequency / wave frequency
    double ratio;    // reading / wave amplitude
};
class Spectrum : public ::testing::TestWithParam<LineCase> {};

// Symmetric waves of peak A: a square has odd lines 4A/(n pi), a triangle
// 8A/(n pi)^2; the even lines are zero and nothing lies above the 1000th.
TEST_P(Spectrum, LineAtTheSelectedHarmonic) {
    const LineCase& c = GetParam();
    const double a = 2.5, f = 1000;
    const CSpectrum lines = BuildSpectrum(c.kind, a, f);
    EXPECT_NEAR(MatchLevel(lines, 2 * kPi * f * c.harmonic), a * c.ratio, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Cases, Spectrum,
                         ::testing::Values(LineCase{"SineFundamental", WAVE_SINE, 1, 1},
                                           LineCase{"SineHasNoHarmonic", WAVE_SINE, 3, 0},
                                           LineCase{"SquareFundamental", WAVE_SQUARE, 1, 4 / kPi},
                                           LineCase{"SquareSecond", WAVE_SQUARE, 2, 0},
                                           LineCase{"SquareThird", WAVE_SQUARE, 3, 4 / (3 * kPi)},
                                           LineCase{"SquareFourth", WAVE_SQUARE, 4, 0},
                                           LineCase{"SquareFifth", WAVE_SQUARE, 5, 4 / (5 * kPi)},
                                           LineCase{"Square999th", WAVE_SQUARE, 999, 4 / (999 * kPi)},
                                           LineCase{"SquareNothingAbove1000th", WAVE_SQUARE, 1001, 0},
                                           LineCase{"TriangleFundamental", WAVE_TRIANGLE, 1, 8 / (kPi * kPi)},
                                           LineCase{"TriangleSecond", WAVE_TRIANGLE, 2, 0},
                                           LineCase{"TriangleThird", WAVE_TRIANGLE, 3, 8 / (9 * kPi * kPi)},
                                           LineCase{"TriangleFifth", WAVE_TRIANGLE, 5, 8 / (25 * kPi * kPi)},
                                           LineCase{"NoWaveNoLines", WAVE_NONE, 1, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SpectrumLines, ThousandHarmonicsInAscendingOrder) {
    for (int kind : {WAVE_SQUARE, WAVE_TRIANGLE}) {
        for (double f : {50.0, -50.0}) {
            const CSpectrum lines = BuildSpectrum(kind, 1, f);
            ASSERT_EQ(lines.size(), 1000u);
            for (std::size_t i = 1; i < lines.size(); ++i)
                EXPECT_LT(lines[i - 1].omega, lines[i].omega);
        }
    }
    EXPECT_EQ(BuildSpectrum(WAVE_SINE, 1, 50).size(), 1u);
    EXPECT_TRUE(BuildSpectrum(WAVE_NONE, 1, 50).empty());
}

struct MatchCase {
    const char* name;
    double inputHertz;
    double selectedHertz;
    double level;
};
class SpectrumMatch : public ::testing::TestWithParam<MatchCase> {};

// A line counts when it lies within 0.0002 of the selected frequency. A
// selected frequency of zero (no band ever pressed) selects nothing, even a
// wave that itself has no frequency.
TEST_P(SpectrumMatch, SineOfOneVolt) {
    const MatchCase& c = GetParam();
    EXPECT_EQ(MatchLevel(BuildSpectrum(WAVE_SINE, 1, c.inputHertz), 2 * kPi * c.selectedHertz), c.level);
}

INSTANTIATE_TEST_SUITE_P(Cases, SpectrumMatch,
                         ::testing::Values(MatchCase{"Exact", 1000, 1000, 1},
                                           MatchCase{"OneTenThousandthAbove", 1000.1, 1000, 1},
                                           MatchCase{"BelowWithinTolerance", 999.85, 1000, 1},
                                           MatchCase{"ThreeTenThousandthsAbove", 1000.3, 1000, 0},
                                           MatchCase{"ThreeTenThousandthsBelow", 999.7, 1000, 0},
                                           MatchCase{"NothingSelected", 1000, 0, 0},
                                           MatchCase{"NothingSelectedAtZeroHertz", 0, 0, 0},
                                           MatchCase{"SelectedNaN", 1000, kNaN, 0},
                                           MatchCase{"SelectedInfinite", 1000, kInf, 0},
                                           MatchCase{"InfiniteInput", kInf, 1000, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- readings from a real circuit ----

struct ReadingCase {
    const char* name;
    GeneratorWave wave;
    int band, coarse, fine;
    const char* text; // on the 2 V range
};
class LevelMeterReading : public LevelMeterTest, public ::testing::WithParamInterface<ReadingCase> {};

// A 1 V, 1 kHz generator straight across the meter.
TEST_P(LevelMeterReading, ReadsTheLineAtTheSelectedFrequency) {
    const ReadingCase& c = GetParam();
    auto* g = Generator(c.wave);
    auto* m = Meter();
    Wire(g, 0, m, 0);
    Wire(g, 1, m, 1);
    m->m_range.SetPosition(3);
    Select(m, c.band, c.coarse, c.fine);
    Update();
    EXPECT_EQ(m->DisplayText(), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LevelMeterReading,
    ::testing::Values(ReadingCase{"SineAtItsFrequency", SINE, BAND_1K, 5, 0, "1.000"},
                      ReadingCase{"SineElsewhere", SINE, BAND_1K, 9, 10, "0.000"},
                      ReadingCase{"SquareFundamental", SQUARE, BAND_1K, 5, 0, "1.273"},
                      ReadingCase{"SquareSecondHarmonicIsEmpty", SQUARE, BAND_1K, 9, 10, "0.000"},
                      ReadingCase{"SquareThirdHarmonic", SQUARE, BAND_10K, 1, 5, "0.424"},
                      ReadingCase{"SquareFifthHarmonic", SQUARE, BAND_10K, 2, 5, "0.255"},
                      ReadingCase{"TriangleFundamental", TRIANGLE, BAND_1K, 5, 0, "0.811"},
                      ReadingCase{"TriangleSecondHarmonicIsEmpty", TRIANGLE, BAND_1K, 9, 10, "0.000"},
                      ReadingCase{"TriangleThirdHarmonic", TRIANGLE, BAND_10K, 1, 5, "0.090"},
                      ReadingCase{"TriangleFifthHarmonic", TRIANGLE, BAND_10K, 2, 5, "0.032"},
                      ReadingCase{"NoBandPressed", SINE, NO_BAND, 5, 0, "0.000"}),
    [](const auto& info) { return std::string(info.param.name); });

// The meter and the oscilloscope read the same published voltage, so each
// line must be the Fourier amplitude of the trace the scope draws for it.
// A divider puts less than the generator's 5 V across the meter, so the
// level the wave reaches there and the source's amplitude differ.
class LevelMeterScope : public LevelMeterTest, public ::testing::WithParamInterface<GeneratorWave> {};

TEST_P(LevelMeterScope, LinesAreTheFourierAmplitudesOfTheTrace) {
    auto* g = Generator(GetParam(), 5 /* 5 V */);
    auto* upper = Place<CResistance>();
    auto* lower = Place<CResistance>();
    upper->m_resistance = 1000;
    lower->m_resistance = 3000;
    auto* m = Meter();
    Wire(g, 0, upper, 0);
    Wire(upper, 1, lower, 0);
    Wire(lower, 1, g, 1);
    Wire(lower, 0, m, 0);
    Wire(lower, 1, m, 1);
    Select(m, BAND_1K, 5, 0);
    Update();
    ASSERT_FALSE(m->m_branches.empty());
    const CBranch& branch = *m->m_branches[0];
    const CScopeChannel trace = ChannelFromQuantity(branch.m_result.m_vol, branch.m_passVoltage);
    ASSERT_EQ(trace.frequency, 1000);
    ASSERT_LT(std::fabs(trace.amplitude), 0.9 * trace.offset) << "the fixture should divide the wave";

    // Harmonic n and the band, coarse and fine positions that select n kHz.
    const struct {
        int n, band, coarse, fine;
    } harmonics[] = {{1, BAND_1K, 5, 0},
                     {2, BAND_1K, 9, 10},
                     {3, BAND_10K, 1, 5},
                     {4, BAND_10K, 2, 0},
                     {5, BAND_10K, 2, 5}};
    const double period = 1 / trace.frequency;
    constexpr int kSamples = 20000;
    for (const auto& h : harmonics) {
        double cosine = 0, sine = 0;
        for (int k = 0; k < kSamples; ++k) {
            const double t = (k + 0.5) * period / kSamples;
            const double v = ChannelValue(trace, t, period / 10);
            cosine += v * std::cos(2 * kPi * h.n * t / period);
            sine += v * std::sin(2 * kPi * h.n * t / period);
        }
        const double fourier = 2.0 / kSamples * std::hypot(cosine, sine);
        Select(m, h.band, h.coarse, h.fine);
        EXPECT_NEAR(m->Measure(), fourier, 1e-4 * trace.offset) << "harmonic " << h.n;
    }
}

INSTANTIATE_TEST_SUITE_P(Waves, LevelMeterScope, ::testing::Values(SQUARE, TRIANGLE),
                         [](const auto& info) { return info.param == SQUARE ? "Square" : "Triangle"; });

// The range knob's hover label names the selected range, whether the knob is
// stepped on the panel, set, or restored after loading.
TEST_F(LevelMeterTest, RangeKnobLabelNamesTheRange) {
    CLevelMeter m;
    m.StepControl(m.m_range, -1);
    EXPECT_EQ(m.m_range.m_label, "电压量程 2V");
    const std::pair<int, const char*> ranges[] = {
        {0, "电压量程 2μV"}, {1, "电压量程 2mV"}, {2, "电压量程 200mV"}, {4, "电压量程 20V"}};
    for (const auto& [position, label] : ranges) {
        m.SetControl(m.m_range, position);
        EXPECT_EQ(m.m_range.m_label, label) << "position " << position;
    }
    m.m_range.SetPosition(1);
    m.RestoreAfterLoad();
    EXPECT_EQ(m.m_range.m_label, "电压量程 2mV");
}

TEST_F(LevelMeterTest, DarkWithoutPowerAndLitOnceSolved) {
    auto* g = Generator(SINE);
    auto* m = Place<CLevelMeter>();
    Wire(g, 0, m, 0);
    Wire(g, 1, m, 1);
    Update();
    EXPECT_TRUE(m->m_branches.empty());
    EXPECT_EQ(m->DisplayText(), "");
    EXPECT_EQ(m->FrequencyText(), "");
    EXPECT_TRUE(m->m_boardGroup.itemsA.empty());
    EXPECT_TRUE(m->m_panelGroup.itemsA.empty());
    EXPECT_EQ(m->Measure(), 0);

    Click(m, m->m_power);
    Click(m, m->m_bandButtons[BAND_1K]);
    Update();
    EXPECT_EQ(m->DisplayText(), "01.00") << "1 V on the 20 V range";
    EXPECT_EQ(m->FrequencyText(), "1.000");
}

// ---- level text by range ----

struct TextCase {
    const char* name;
    int range;
    double volts;
    const char* text;
};
class LevelMeterText : public LevelMeterTest, public ::testing::WithParamInterface<TextCase> {};

TEST_P(LevelMeterText, FormatsTheReadingForItsRange) {
    const TextCase& c = GetParam();
    auto* m = Meter();
    Select(m, BAND_1K, 5, 0);
    m->m_range.SetPosition(c.range);
    Update();
    ASSERT_FALSE(m->m_branches.empty());
    CQuantity& v = m->m_branches[0]->m_result.m_vol;
    v.m_circuitClass = CLASS_SINE;
    v.wave_array[0] = c.volts;
    v.wave_array[1] = 1000;
    m->Update(CUpdateContext{});
    EXPECT_EQ(m->DisplayText(), c.text);
}

INSTANTIATE_TEST_SUITE_P(Cases, LevelMeterText,
                         ::testing::Values(TextCase{"Microvolts", 0, 1.5e-6, "1.500"},
                                           TextCase{"MicrovoltsOverRange", 0, 2.5e-6, "1.   "},
                                           TextCase{"Millivolts", 1, 1.234e-3, "1.234"},
                                           TextCase{"MillivoltsOverRange", 1, 2.1e-3, "1.   "},
                                           TextCase{"TwoHundredMillivoltsPadded", 2, 5.3e-3, "005.3"},
                                           TextCase{"TwoHundredMillivoltsTens", 2, 15.3e-3, "015.3"},
                                           TextCase{"TwoHundredMillivoltsHundreds", 2, 150.3e-3, "150.3"},
                                           TextCase{"TwoHundredMillivoltsOverRange", 2, 0.25, "1.   "},
                                           TextCase{"Volts", 3, 1, "1.000"},
                                           TextCase{"VoltsOverRange", 3, 2.5, "1.   "},
                                           TextCase{"TwentyVoltsPadded", 4, 5.2, "05.20"},
                                           TextCase{"TwentyVoltsTens", 4, 15.2, "15.20"},
                                           TextCase{"TwentyVoltsOverRange", 4, 25, "1.   "},
                                           TextCase{"NotANumberReadsOverRange", 3, kNaN, "1.   "},
                                           TextCase{"HugeReadsOverRange", 0, 1e300, "1.   "}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LevelMeterTest, DisplaysSitAtTheirCellsOnBoardAndPanel) {
    auto* g = Generator(SINE);
    auto* m = Meter();
    Wire(g, 0, m, 0);
    Wire(g, 1, m, 1);
    m->m_range.SetPosition(3);
    Select(m, BAND_1K, 5, 0);
    Update();
    const float right = m->m_region[2], top = m->m_region[1];
    EXPECT_TRUE(HasItemAt(m->m_boardGroup.itemsA, right - 135.5f, top + 21.5f, right - 118.5f, top + 51.5f))
        << "the level's last digit";
    // The region's top-right corner maps to panel point (325, 5).
    EXPECT_TRUE(HasItemAt(m->m_panelGroup.itemsA, 325 - 135.5f, 26.5f, 325 - 118.5f, 56.5f));
    EXPECT_TRUE(HasItemAt(m->m_panelGroup.itemsA, 325 - 83, 66, 325 - 70, 69)) << "the kHz mark";
    EXPECT_EQ(m->m_panelGroup.itemsA.size(), m->m_boardGroup.itemsA.size());
}

// The reading holds still for a second, then may read one step off: 2 in 21
// up, 1 in 21 down.
TEST_F(LevelMeterTest, ReadingJittersByOneStepAfterItsHold) {
    auto* m = Meter();
    m->m_range.SetPosition(3);
    Select(m, BAND_1K, 5, 0);
    Update();
    // A steady 1 V sine at the selected frequency, updated frame by frame
    // without another solve (no other display draws from the jitter source).
    CQuantity& v = m->m_branches.at(0)->m_result.m_vol;
    v.m_circuitClass = CLASS_SINE;
    v.wave_array[0] = 1;
    v.wave_array[1] = 1000;
    const int draws[] = {0, 2, 1, 5};
    std::size_t next = 0;
    SetJitterSource([&] { return draws[next++ % 4]; });
    const std::pair<long long, const char*> frames[] = {
        {0, "1.000"},    {500, "1.000"},  {1001, "1.001"}, {1500, "1.001"},
        {2002, "0.999"}, {3003, "1.001"}, {4004, "1.000"},
    };
    for (const auto& [time, text] : frames) {
        m->Update(CUpdateContext{nullptr, time});
        EXPECT_EQ(m->DisplayText(), text) << "at " << time << " ms";
    }
    EXPECT_EQ(next, 4u);
}

struct OverloadCase {
    const char* name;
    float inputResistance;
    bool warns;
};
class LevelMeterOverload : public LevelMeterTest, public ::testing::WithParamInterface<OverloadCase> {};

// A 10 V source across the meter: only an input of a few ohms draws more than
// its 1 A rating, and then the warning is posted on every frame.
TEST_P(LevelMeterOverload, WarnsWhileTheCurrentExceedsTheRating) {
    auto* s = Place<CDCSource>();
    s->m_power.SetOn(true);
    auto* m = Meter();
    m->m_internalResistance = GetParam().inputResistance;
    Wire(s, 0, m, 0);
    Wire(s, 1, m, 1);
    Update(0);
    Update(10);
    EXPECT_EQ(Count(kOverload), GetParam().warns ? 2u : 0u);
    for (const CNotice& n : sink.notices) {
        if (n.text != kOverload) continue;
        EXPECT_EQ(n.kind, NOTICE_WARNING);
        EXPECT_EQ(n.x, -1);
        EXPECT_EQ(n.y, -1);
        EXPECT_EQ(n.duration, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, LevelMeterOverload,
                         ::testing::Values(OverloadCase{"LowInputResistance", 1, true},
                                           OverloadCase{"NormalInput", 999999, false}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace ampera::testing
