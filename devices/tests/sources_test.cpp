// The DC source, the AC source and the signal generator: panels, set values,
// button groups, burn-out, and the displays with their hold-and-jitter.
#include "board_fixture.h"

#include "devices/ac_source.h"
#include "devices/dc_source.h"
#include "devices/display.h"
#include "devices/panel_sheet.h"
#include "devices/resistance.h"
#include "devices/signal_generator.h"

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <set>

namespace ampera::testing {
namespace {

constexpr double kPi = 3.14159265358979;

CPanelRect R(float l, float t, float r, float b) {
    return {l, t, r, b};
}

// The magnitude a meter would see: sine graphs publish the peak in wave[0].
double Magnitude(const CQuantity& q) {
    return q.m_circuitClass == CLASS_SINE ? q.wave_array[0] : q.para_array[0];
}

class SourcesTest : public BoardTest {
  protected:
    void TearDown() override { SetJitterSource({}); }

    // A load resistor across the device's two terminals.
    CResistance* Load(CDevice* source, float ohms) {
        auto* r = Place<CResistance>();
        r->m_resistance = ohms;
        Wire(source, 0, r, 0);
        Wire(source, 1, r, 1);
        return r;
    }
    static void Click(CDevice* d, const CPanelRect& r) {
        d->PanelButtonDown((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    static void Exact() {
        SetJitterSource([] { return 5; }); // anything from 3 to 20 shows the true value
    }
};

// ---- panels ----

struct PanelCase {
    const char* name;
    std::function<std::unique_ptr<CDevice>()> make;
    int items, controls;
    std::vector<int> controlItems;
    std::vector<CPanelRect> hitRects;
    std::vector<std::pair<int, std::string>> pictures; // panel item -> picture
    std::vector<std::pair<int, double>> needles;       // panel item -> angle in degrees
    bool rotates;
    std::string turnedBody;
};
void PrintTo(const PanelCase& c, std::ostream* os) {
    *os << c.name;
}

std::vector<CPanelRect> GeneratorHits() {
    std::vector<CPanelRect> hits{R(225, 10, 260, 65), R(270, 10, 305, 65), R(315, 10, 350, 65)};
    for (int i = 0; i < 7; ++i)
        hits.push_back(R(210.0f + 40 * i, 100, 240.0f + 40 * i, 140));
    hits.insert(hits.end(),
                {R(425, 50, 475, 80), R(360, 10, 430, 80), R(20, 90, 90, 160), R(110, 90, 180, 160)});
    return hits;
}

const std::vector<CPanelRect> kSourceHits{R(0, 100, 70, 170), R(90, 100, 160, 170), R(120, 175, 180, 200)};

class PanelLayout : public SourcesTest, public ::testing::WithParamInterface<PanelCase> {};

TEST_P(PanelLayout, ItemsControlsAndNeedles) {
    const PanelCase& c = GetParam();
    auto d = c.make();
    EXPECT_EQ(d->PanelItemCount(), c.items);
    EXPECT_EQ(d->PanelControlCount(), c.controls);
    ASSERT_EQ(d->m_controls.size(), c.controlItems.size());
    for (std::size_t i = 0; i < c.controlItems.size(); ++i) {
        const CPanelControl& control = *d->m_controls[i];
        EXPECT_EQ(control.m_itemIndex, c.controlItems[i]) << "control " << i;
        EXPECT_EQ(control.m_hitRect.left, c.hitRects[i].left) << "control " << i;
        EXPECT_EQ(control.m_hitRect.top, c.hitRects[i].top) << "control " << i;
        EXPECT_EQ(control.m_hitRect.right, c.hitRects[i].right) << "control " << i;
        EXPECT_EQ(control.m_hitRect.bottom, c.hitRects[i].bottom) << "control " << i;
    }
    for (const auto& [item, picture] : c.pictures)
        EXPECT_EQ(d->m_panelGroup.itemsB.at(item).texture, picture);
    for (const auto& [item, degrees] : c.needles) {
        const CDrawItem& needle = d->m_panelGroup.itemsB.at(item);
        EXPECT_NEAR(needle.angle, degrees * kPi / 180, 1e-4) << "item " << item;
        EXPECT_TRUE(needle.flags & DRAW_ROTATE) << "item " << item;
    }
    d->RotateLeft();
    EXPECT_EQ(d->m_angleLeft, c.rotates ? 90 : 0);
    EXPECT_EQ(d->m_boardGroup.itemsB[0].texture, c.turnedBody);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, PanelLayout,
    ::testing::Values(
        PanelCase{
            "DcSource",
            [] { return std::make_unique<CDCSource>(); },
            5,
            3,
            {1, 3, 4},
            kSourceHits,
            {{0, "devpic\\panal\\eletri.tga"}, {2, "pic_syl\\electricity_fine.bmp"}, {3, "pointer.bmp"}},
            {{1, 0}, {3, -150}},
            true,
            "devpic\\eletri90.tga"},
        PanelCase{
            "AcSource",
            [] { return std::make_unique<CACSource>(); },
            5,
            3,
            {1, 3, 4},
            kSourceHits,
            {{0, "devpic\\panal\\交流电压源.tga"}, {2, "pic_syl\\electricity_fine.bmp"}, {3, "pointer.bmp"}},
            {{1, 0}, {3, -150}},
            false,
            "devpic\\acelectricity.tga"},
        PanelCase{"SignalGenerator",
                  [] { return std::make_unique<CSignalGenerator>(); },
                  17,
                  14,
                  {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 14, 16},
                  GeneratorHits(),
                  {{11, "devpic\\panal\\xhfsq.tga"}, {13, "pic_syl\\main1.bmp"}, {15, "pic_syl\\fine1.bmp"}},
                  {{12, -120}, {14, 0}, {16, -5 * 360.0 / 11}},
                  true,
                  "devpic\\signalgenerator90.tga"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SourcesTest, ButtonsStartReleasedWithTheirSheetLooks) {
    CSignalGenerator gen;
    for (const CPanelButton& b : gen.m_waveButtons)
        EXPECT_EQ(gen.m_panelGroup.itemsB[b.m_itemIndex].u[0], sheet::kWaveReleased.left);
    for (const CPanelButton& b : gen.m_bandButtons)
        EXPECT_EQ(gen.m_panelGroup.itemsB[b.m_itemIndex].u[0], sheet::kBandReleased.left);
    CDCSource dc;
    const CDrawItem& power = dc.m_panelGroup.itemsB[dc.m_power.m_itemIndex];
    EXPECT_EQ(power.texture, sheet::kPicture);
    EXPECT_EQ(power.u[0], sheet::kPowerOff.left);
}

// ---- set values and generator settings ----

TEST_F(SourcesTest, SetValueFollowsTheKnobsAndShowsOnTheDisplay) {
    struct Case {
        int coarse, fine;
        double volts;
        const char* text;
    };
    const Case cases[] = {
        {9, 10, 20.0, "20.0"}, {0, 0, 0.0, "0.0"}, {5, 0, 10.0, "10.0"}, {3, 4, 6.8, "6.8"}};
    Exact();
    for (const Case& c : cases) {
        for (CKnobSource* s :
             {static_cast<CKnobSource*>(Place<CDCSource>()), static_cast<CKnobSource*>(Place<CACSource>())}) {
            s->m_power.SetOn(true);
            Load(s, 1000);
            s->m_coarse.SetPosition(c.coarse);
            s->m_fine.SetPosition(c.fine);
            EXPECT_NEAR(s->GetKnobValue(), c.volts, 1e-12) << s->m_name;
            EXPECT_FLOAT_EQ(s->m_setValue, static_cast<float>(c.volts));
            Update();
            EXPECT_EQ(s->DisplayText(), c.text) << s->m_name;
        }
    }
}

TEST_F(SourcesTest, GeneratorAmplitudeByKnobPosition) {
    const float volts[12] = {0.01f, 0.05f, 0.1f, 0.5f, 1, 5, 6, 8, 10, 12, 14, 16};
    CSignalGenerator gen;
    EXPECT_EQ(gen.m_amplitudeKnob.m_label, "电压幅值0.1伏") << "the label is set from the start";
    gen.m_amplitudeKnob.SetPosition(0);
    for (int p = 0; p < 12; ++p) {
        if (p > 0) gen.StepControl(gen.m_amplitudeKnob, +1);
        ASSERT_EQ(gen.m_amplitudeKnob.Position(), p);
        gen.UpdateSettings();
        EXPECT_FLOAT_EQ(gen.m_amplitude, volts[p]) << "position " << p;
        if (p == 6) {
            EXPECT_EQ(gen.m_amplitudeKnob.m_label, "电压幅值6伏");
        }
        if (p == 7) {
            EXPECT_EQ(gen.m_amplitudeKnob.m_label, "电压幅值8伏");
        }
    }
}

struct FrequencyCase {
    const char* name;
    int band, coarse, fine;
    const char* text;
    float markFromRight; // 0: no unit mark
};
void PrintTo(const FrequencyCase& c, std::ostream* os) {
    *os << c.name;
}

class FrequencyDisplay : public SourcesTest, public ::testing::WithParamInterface<FrequencyCase> {};

TEST_P(FrequencyDisplay, TextAndUnitMark) {
    const FrequencyCase& c = GetParam();
    Exact();
    auto* gen = Place<CSignalGenerator>();
    gen->m_power.SetOn(true);
    gen->m_waveButtons[0].SetOn(true);
    if (c.band >= 0) gen->m_bandButtons[c.band].SetOn(true);
    gen->m_coarse.SetPosition(c.coarse);
    gen->m_fine.SetPosition(c.fine);
    Load(gen, 1000);
    Update(5000);
    EXPECT_EQ(gen->DisplayText(), c.text);

    const float right = gen->m_region[2], top = gen->m_region[1];
    int marks = 0;
    for (const CDrawItem& item : gen->m_boardGroup.itemsA) {
        if (item.right - item.left != 13) continue;
        ++marks;
        EXPECT_EQ(item.left, right - c.markFromRight);
        EXPECT_EQ(item.top, top + 51);
        EXPECT_EQ(item.bottom, top + 54);
        EXPECT_EQ(item.u[0], sheet::kUnitBar.left);
    }
    EXPECT_EQ(marks, c.markFromRight > 0 ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Bands, FrequencyDisplay,
                         ::testing::Values(FrequencyCase{"Band1KIsKilohertz", 3, 5, 0, "1.000", 83},
                                           FrequencyCase{"Band100HasOneLeadingZero", 4, 1, 0, "020", 51},
                                           FrequencyCase{"Band1M", 0, 5, 0, "1000", 83},
                                           FrequencyCase{"Band100K", 1, 5, 0, "100.0", 83},
                                           FrequencyCase{"Band10KWithFine", 2, 1, 5, "3.00", 83},
                                           FrequencyCase{"Band10HasTwoLeadingZeros", 5, 5, 0, "0010", 51},
                                           FrequencyCase{"Band1AtFullScale", 6, 9, 10, "002.0", 51},
                                           FrequencyCase{"NoBand", -1, 5, 0, "000000", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- button groups and power ----

TEST_F(SourcesTest, BandAndWaveButtonsAreRadioGroups) {
    auto* gen = Place<CSignalGenerator>();
    auto look = [&](const CPanelButton& b) { return gen->m_panelGroup.itemsB[b.m_itemIndex].u[0]; };
    auto band = [](int i) { return R(210.0f + 40 * i, 100, 240.0f + 40 * i, 140); };

    Click(gen, band(3)); // 1K
    EXPECT_EQ(gen->PressedBand(), 3);
    EXPECT_EQ(gen->m_clicked, &gen->m_bandButtons[3]);
    EXPECT_EQ(look(gen->m_bandButtons[3]), sheet::kBandPressed.left);

    ex.m_topologyDirty = 0;
    Click(gen, band(2)); // 10K releases 1K
    EXPECT_EQ(ex.m_topologyDirty, 1);
    EXPECT_TRUE(gen->m_bandButtons[2].IsOn());
    EXPECT_FALSE(gen->m_bandButtons[3].IsOn());
    EXPECT_EQ(look(gen->m_bandButtons[3]), sheet::kBandReleased.left);
    EXPECT_EQ(look(gen->m_bandButtons[2]), sheet::kBandPressed.left);
    Click(gen, band(2)); // pressing the pressed one keeps it
    EXPECT_TRUE(gen->m_bandButtons[2].IsOn());
    gen->UpdateSettings();
    EXPECT_FLOAT_EQ(gen->m_frequency, 10000);

    Click(gen, R(225, 10, 260, 65)); // sine
    Click(gen, R(315, 10, 350, 65)); // triangle
    EXPECT_FALSE(gen->m_waveButtons[0].IsOn());
    EXPECT_TRUE(gen->m_waveButtons[2].IsOn());
    EXPECT_EQ(look(gen->m_waveButtons[0]), sheet::kWaveReleased.left);
    EXPECT_EQ(look(gen->m_waveButtons[2]), sheet::kWavePressed.left);
    EXPECT_EQ(gen->m_clicked, &gen->m_waveButtons[2]);
    EXPECT_FALSE(gen->IsPowered()) << "group buttons leave the power alone";
    gen->UpdateSettings();
    EXPECT_EQ(gen->m_waveform, WAVE_TRIANGLE);
}

TEST_F(SourcesTest, PowerButtonsSwitchTheSourceInAndOut) {
    struct Case {
        const char* name;
        std::function<CDevice*()> place;
        CPanelRect power;
        int powerControl;
    };
    const Case cases[] = {
        {"DcSource", [this] { return Place<CDCSource>(); }, R(120, 175, 180, 200), 2},
        {"AcSource", [this] { return Place<CACSource>(); }, R(120, 175, 180, 200), 2},
        {"SignalGenerator",
         [this] {
             auto* gen = Place<CSignalGenerator>();
             gen->m_waveButtons[1].SetOn(true);
             gen->m_bandButtons[3].SetOn(true);
             return gen;
         },
         R(425, 50, 475, 80), 10},
    };
    Exact();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CDevice* source = c.place();
        CResistance* load = Load(source, 100);
        Update();
        EXPECT_TRUE(source->m_branches.empty());
        EXPECT_EQ(Magnitude(load->m_branches[0]->m_result.m_elec), 0);

        Click(source, c.power);
        EXPECT_EQ(ex.m_topologyDirty, 1);
        EXPECT_EQ(source->m_panelGroup.itemsB[source->m_controls[c.powerControl]->m_itemIndex].u[0],
                  sheet::kPowerOn.left);
        Update();
        EXPECT_FALSE(source->m_branches.empty());
        EXPECT_GT(std::fabs(Magnitude(load->m_branches[0]->m_result.m_elec)), 1e-4);
        EXPECT_FALSE(source->DisplayText().empty());
        EXPECT_FALSE(source->m_boardGroup.itemsA.empty());

        Click(source, c.power);
        EXPECT_EQ(ex.m_topologyDirty, 1);
        Update();
        EXPECT_TRUE(source->m_branches.empty());
        EXPECT_EQ(Magnitude(load->m_branches[0]->m_result.m_elec), 0);
        EXPECT_EQ(source->DisplayText(), "") << "the display is dark without solver elements";
        EXPECT_TRUE(source->m_boardGroup.itemsA.empty());
        EXPECT_TRUE(source->m_panelGroup.itemsA.empty());
    }
}

TEST_F(SourcesTest, StepButtonOnTheCoarseKnobChangesTheSolvedCircuit) {
    Exact();
    auto* s = Place<CDCSource>();
    s->m_power.SetOn(true);
    CResistance* r = Load(s, 100);
    Update();
    const double series = 100 + static_cast<double>(0.01f) + 2 * kWireResistance;
    EXPECT_NEAR(I(r), 10 / series, 1e-9);

    s->PanelButtonDown(35, 135); // the coarse knob: step buttons at x 72..87
    ASSERT_TRUE(s->StepButtonsShown());
    s->PanelButtonDown(80, 122); // the upper one steps up
    EXPECT_EQ(s->m_coarse.Position(), 6);
    EXPECT_EQ(ex.m_topologyDirty, 1);
    EXPECT_NEAR(I(r), 10 / series, 1e-9) << "values reach the circuit only with the next update";
    Update(100);
    EXPECT_NEAR(I(r), 12 / series, 1e-9);
    EXPECT_EQ(s->DisplayText(), "12.0");
}

// ---- burn-out ----

struct BurnCase {
    const char* name;
    int kind; // 0 DC, 1 AC, 2 generator
    int circuitClass;
    double current;
    bool burns;
};
void PrintTo(const BurnCase& c, std::ostream* os) {
    *os << c.name;
}

class BurnOut : public SourcesTest, public ::testing::WithParamInterface<BurnCase> {};

// The current is planted in the source's own result, as a solve would leave it.
TEST_P(BurnOut, WarnsAboveTheLimit) {
    const BurnCase& c = GetParam();
    CDevice* d = c.kind == 0   ? static_cast<CDevice*>(Place<CDCSource>())
                 : c.kind == 1 ? static_cast<CDevice*>(Place<CACSource>())
                               : static_cast<CDevice*>(Place<CSignalGenerator>());
    static_cast<CPanelButton*>(d->m_controls[c.kind == 2 ? 10 : 2])->SetOn(true);
    ex.RebuildTopology();
    ASSERT_FALSE(d->m_branches.empty());
    CQuantity& q = d->m_branches[0]->m_result.m_elec;
    q.m_circuitClass = c.circuitClass;
    (c.circuitClass == CLASS_SINE ? q.wave_array[0] : q.para_array[0]) = c.current;
    d->Update(CUpdateContext{&sink, 0});

    const char* texts[3] = {"当前有个电源被烧毁", "当前有个交流电压源烧毁", "当前有个信号发生器烧毁"};
    if (!c.burns) {
        EXPECT_TRUE(sink.notices.empty());
        return;
    }
    ASSERT_EQ(sink.notices.size(), 1u);
    const CNotice& n = sink.notices[0];
    EXPECT_EQ(n.text, texts[c.kind]);
    EXPECT_EQ(n.kind, NOTICE_WARNING);
    EXPECT_EQ(n.duration, 0);
    EXPECT_EQ(n.x, -1);
    EXPECT_EQ(n.y, -1);
    EXPECT_EQ(n.active, 1);
}

const double kNaN = std::numeric_limits<double>::quiet_NaN();
INSTANTIATE_TEST_SUITE_P(Limits, BurnOut,
                         ::testing::Values(BurnCase{"DcAtRating", 0, CLASS_DC, 2.0, false},
                                           BurnCase{"DcAboveRating", 0, CLASS_DC, 2.001, true},
                                           BurnCase{"DcReversedAboveRating", 0, CLASS_DC, -2.5, true},
                                           BurnCase{"DcUndecidable", 0, CLASS_DC, kNaN, true},
                                           // A sine is judged by its r.m.s.: 2 A allow 2.83 A peak.
                                           BurnCase{"AcPeakOverRmsWithin", 1, CLASS_SINE, 2.82, false},
                                           BurnCase{"AcRmsAboveRating", 1, CLASS_SINE, 2.84, true},
                                           BurnCase{"AcReversedRmsAbove", 1, CLASS_SINE, -2.84, true},
                                           BurnCase{"AcUndecidable", 1, CLASS_SINE, kNaN, true},
                                           BurnCase{"GeneratorJustBelow", 2, CLASS_SQUARE, 0.3999, false},
                                           BurnCase{"GeneratorAtLimit", 2, CLASS_SQUARE, 0.4, true},
                                           BurnCase{"GeneratorReversed", 2, CLASS_TRIANGLE, -0.41, true},
                                           BurnCase{"GeneratorSinePeakOverRmsBelow", 2, CLASS_SINE, 0.5,
                                                    false},
                                           BurnCase{"GeneratorSineRmsOver", 2, CLASS_SINE, 0.57, true},
                                           BurnCase{"GeneratorSineUndecidable", 2, CLASS_SINE, kNaN, true},
                                           BurnCase{"GeneratorUndecidable", 2, CLASS_SQUARE, kNaN, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// Regression: a sine graph leaves para[0] at zero, so reading only para[0]
// would never let an AC source burn out however hard it is shorted.
TEST_F(SourcesTest, ShortedAcSourceBurnsOut) {
    auto* s = Place<CACSource>(); // 10 V peak behind 0.5 ohm
    s->m_power.SetOn(true);
    Load(s, 2.5f)->m_ratedPower = 100; // 3.3 A peak, 2.36 A r.m.s.
    Update();
    ASSERT_EQ(sink.notices.size(), 1u);
    EXPECT_EQ(sink.notices[0].text, "当前有个交流电压源烧毁");
    sink.notices.clear();
    s->m_coarse.SetPosition(4); // 8 V: 2.7 A peak, 1.89 A r.m.s.
    ex.MarkTopologyDirty();
    Update();
    EXPECT_TRUE(sink.notices.empty());
}

// Solved loads: the sine source's 2 A rating holds the r.m.s. current, the DC
// source's the steady current, so the same 10 V into the same 4 ohm burns
// only the DC source.
struct LoadCase {
    const char* name;
    bool sine;
    float ohms;
    bool burns;
};
void PrintTo(const LoadCase& c, std::ostream* os) {
    *os << c.name;
}

class LoadedSource : public SourcesTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(LoadedSource, BurnsByTheCurrentThatHeatsIt) {
    const LoadCase& c = GetParam();
    CKnobSource* s = c.sine ? static_cast<CKnobSource*>(Place<CACSource>())
                            : static_cast<CKnobSource*>(Place<CDCSource>());
    s->m_power.SetOn(true); // 10 V
    Load(s, c.ohms);
    Update();
    ASSERT_FALSE(s->m_branches.empty());
    ASSERT_EQ(s->m_branches[0]->m_result.m_elec.IsSine(), c.sine);
    int burnt = 0;
    for (const CNotice& n : sink.notices)
        burnt +=
            n.text == (c.sine ? std::string("当前有个交流电压源烧毁") : std::string("当前有个电源被烧毁"));
    EXPECT_EQ(burnt, c.burns ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Loads, LoadedSource,
                         ::testing::Values(LoadCase{"Sine4OhmPeakOverRmsWithin", true, 4,
                                                    false},                      // 2.22 A peak
                                           LoadCase{"Sine2Ohm", true, 2, true},  // 2.83 A r.m.s.
                                           LoadCase{"Dc4Ohm", false, 4, true},   // 2.49 A
                                           LoadCase{"Dc6Ohm", false, 6, false}), // 1.66 A
                         [](const auto& info) { return std::string(info.param.name); });

// The generator's output has no resistance in the circuit; its limit of
// 20 V / 50 ohm = 0.4 A holds the r.m.s. of a sine. A 16 V peak sine into
// 30 ohm gives 0.53 A peak but only 0.38 A r.m.s.
TEST_F(SourcesTest, SineGeneratorBurnsByItsRmsCurrent) {
    auto* gen = Place<CSignalGenerator>();
    Click(gen, R(225, 10, 260, 65)); // sine
    gen->m_power.SetOn(true);
    gen->m_amplitudeKnob.SetPosition(gen->m_amplitudeKnob.m_maximum); // 16 V
    CResistance* load = Load(gen, 1);
    const struct {
        float ohms;
        bool burns;
    } cases[] = {{30, false}, {25, true} /* 0.45 A r.m.s. */, {0.001f, true}, {1000, false}};
    for (const auto& c : cases) {
        load->m_resistance = c.ohms;
        ex.MarkTopologyDirty();
        sink.notices.clear();
        Update();
        ASSERT_FALSE(gen->m_branches.empty());
        ASSERT_TRUE(gen->m_branches[0]->m_result.m_elec.IsSine()) << c.ohms << " ohm";
        int burnt = 0;
        for (const CNotice& n : sink.notices)
            burnt += n.text == std::string("当前有个信号发生器烧毁");
        EXPECT_EQ(burnt, c.burns ? 1 : 0) << c.ohms << " ohm";
    }
}

// ---- displays ----

TEST_F(SourcesTest, SetValueDisplayHoldsThenFlickersOneStep) {
    const int draws[] = {0, 2, 7};
    int next = 0, used = 0;
    SetJitterSource([&] {
        ++used;
        return draws[next++ % 3];
    });
    auto* s = Place<CDCSource>();
    s->m_power.SetOn(true);
    Load(s, 1000);
    struct Step {
        long long time;
        const char* text;
        int draws;
    };
    const Step steps[] = {
        {0, "10.0", 0},    // a new set value shows exactly
        {1000, "10.0", 0}, // held for a second
        {1001, "10.1", 1}, // r = 0: one step up
        {2001, "10.1", 1}, // held again from the draw
        {2002, "9.9", 2},  // r = 2: one step down
        {3003, "10.0", 3}, // r = 7: exact
    };
    for (const Step& st : steps) {
        Update(st.time);
        EXPECT_EQ(s->DisplayText(), st.text) << "at " << st.time << " ms";
        EXPECT_EQ(used, st.draws) << "at " << st.time << " ms";
    }
    s->StepControl(s->m_coarse, +1); // a new value is shown at once, inside the hold
    Update(3010);
    EXPECT_EQ(s->DisplayText(), "12.0");
}

TEST_F(SourcesTest, FrequencyDisplayNeverStrays) {
    int k = 0;
    SetJitterSource([&] { return k++; }); // every residue mod 21 in turn
    auto* gen = Place<CSignalGenerator>();
    gen->m_power.SetOn(true);
    gen->m_waveButtons[0].SetOn(true);
    gen->m_bandButtons[3].SetOn(true);
    Load(gen, 1000);
    const std::set<std::string> allowed{"0.999", "1.000", "1.001"};
    std::set<std::string> seen;
    std::string last;
    long long lastChange = 0;
    for (long long t = 0; t <= 60000; t += 50) {
        Update(t);
        const std::string text = gen->DisplayText();
        EXPECT_TRUE(allowed.count(text)) << text << " at " << t;
        seen.insert(text);
        if (text != last && !last.empty()) {
            EXPECT_GE(t - lastChange, 1000) << "changed to " << text << " at " << t;
            lastChange = t;
        }
        last = text;
    }
    EXPECT_EQ(seen, allowed);
}

// The 10 Hz and the 10K bands give the same number (Hz and kHz) at the same
// knobs; a band change must still show the new band's exact reading.
TEST_F(SourcesTest, BandChangeShowsTheExactReadingAtOnce) {
    SetJitterSource([] { return 0; }); // always one step up
    auto* gen = Place<CSignalGenerator>();
    gen->m_power.SetOn(true);
    gen->m_bandButtons[5].SetOn(true); // 10 Hz band: 10 Hz at coarse 5
    Load(gen, 1000);
    Update(0);
    EXPECT_EQ(gen->DisplayText(), "0010");
    Update(999);
    EXPECT_EQ(gen->DisplayText(), "0010");
    Update(1000); // the generator holds for exactly one second
    EXPECT_EQ(gen->DisplayText(), "0011");
    gen->PanelButtonDown(305, 120); // 10K band: 10 kHz
    Update(1100);
    EXPECT_EQ(gen->DisplayText(), "10.00");
}

TEST_F(SourcesTest, ZeroFrequencyNeverReadsNegative) {
    SetJitterSource([] { return 2; }); // always one step down
    auto* gen = Place<CSignalGenerator>();
    gen->m_power.SetOn(true);
    gen->m_bandButtons[4].SetOn(true); // 100 Hz band
    gen->m_coarse.SetPosition(0);
    Load(gen, 1000);
    Update(0);
    Update(5000);
    EXPECT_EQ(gen->DisplayText(), "00");
}

TEST_F(SourcesTest, GlyphsSitInTheDisplayWindowOnBoardAndPanel) {
    struct Case {
        const char* name;
        CDevice* device;
        float fromRight, fromTop, panelRight;
    };
    Exact();
    auto* dc = Place<CDCSource>();
    dc->m_power.SetOn(true);
    Load(dc, 1000);
    auto* gen = Place<CSignalGenerator>();
    gen->m_power.SetOn(true);
    gen->m_bandButtons[3].SetOn(true);
    Load(gen, 1000);
    Update();
    const Case cases[] = {{"DcSource", dc, 11.5f, 11.5f, 175}, {"SignalGenerator", gen, 35.5f, 13.5f, 225}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto& board = c.device->m_boardGroup.itemsA;
        const auto& panel = c.device->m_panelGroup.itemsA;
        ASSERT_FALSE(board.empty());
        ASSERT_EQ(panel.size(), board.size());
        const float right = c.device->m_region[2], top = c.device->m_region[1];
        const CDrawItem& lastDigit = board[0]; // laid out from the last character
        EXPECT_EQ(lastDigit.right, right - c.fromRight);
        EXPECT_EQ(lastDigit.top, top + c.fromTop);
        EXPECT_EQ(lastDigit.bottom, top + c.fromTop + 30);
        EXPECT_EQ(panel[0].right, c.panelRight - c.fromRight);
        EXPECT_EQ(panel[0].top, 5 + c.fromTop);
        for (std::size_t i = 0; i < board.size(); ++i) {
            EXPECT_FLOAT_EQ(panel[i].left - board[i].left, c.panelRight - right);
            EXPECT_FLOAT_EQ(panel[i].top - board[i].top, 5 - top);
        }
    }
}

// ---- placing ----

TEST_F(SourcesTest, RatingsFollowTheDeviceBarPrototype) {
    CDCSource dcPrototype;
    dcPrototype.m_ratedCurrent = 3;
    auto* dc = static_cast<CDCSource*>(dcPrototype.PlaceAt(ex, 300, 300));
    EXPECT_EQ(dc->m_ratedCurrent, 3.0f);
    EXPECT_EQ(dc->m_coarse.Position(), 5) << "panel settings are the constructor's";

    CSignalGenerator genPrototype;
    genPrototype.m_maximumVoltage = 30;
    auto* gen = static_cast<CSignalGenerator*>(genPrototype.PlaceAt(ex, 300, 300));
    EXPECT_EQ(gen->m_maximumVoltage, 30.0f);
}

} // namespace
} // namespace ampera::testing
