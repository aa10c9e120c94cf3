// Passive devices: burn-out rules, decade box panels, the rheostat slider,
// switch double clicks and quarter turns.
#include "board_fixture.h"

#include "devices/ac_source.h"
#include "devices/ammeter_plug_board.h"
#include "devices/capacitance.h"
#include "devices/capacitance_box.h"
#include "devices/dc_source.h"
#include "devices/diode.h"
#include "devices/double_switch.h"
#include "devices/inductance.h"
#include "devices/panel_sheet.h"
#include "devices/resistance.h"
#include "devices/resistance_box.h"
#include "devices/resistance_wire.h"
#include "devices/single_switch.h"
#include "devices/slide_rheostat.h"
#include "devices/vertical_double_switch.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <ostream>

namespace ampera::testing {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
const float kStep36 = 36 * 3.1415925f * 0.0055555557f;

class PassiveTest : public BoardTest {
  public:
    template <typename D> D* Make() { return Place<D>(); }

  protected:
    // Runs the device's Update alone and returns what it posted.
    std::vector<CNotice> UpdateOnly(CDevice& d) {
        sink.notices.clear();
        d.Update(CUpdateContext{&sink, 0});
        return sink.notices;
    }
    // Plants a result as a solve of that class leaves it: a steady value, or
    // in a sine circuit a peak (and a steady value of 0).
    static void Feed(CDevice& d, double current, double voltage, bool sine = false) {
        ASSERT_FALSE(d.m_branches.empty());
        CBranchResult& r = d.m_branches[0]->m_result;
        if (!sine) {
            r.m_elec.para_array[0] = current;
            r.m_vol.para_array[0] = voltage;
            return;
        }
        r.m_elec.m_circuitClass = r.m_vol.m_circuitClass = CLASS_SINE;
        r.m_elec.wave_array[0] = current;
        r.m_vol.wave_array[0] = voltage;
    }
    static void Turn(CDevice& d, int quarters) {
        for (int i = 0; i < quarters; ++i)
            d.RotateLeft();
    }
    static CPanelRect Region(const CDevice& d) {
        return {d.m_region[0], d.m_region[1], d.m_region[2], d.m_region[3]};
    }
};

using Maker = std::function<CDevice*(PassiveTest&)>;
template <typename D> Maker MakeWith(std::function<void(D&)> set = {}) {
    return [set](PassiveTest& t) -> CDevice* {
        D* d = t.Make<D>();
        if (set) set(*d);
        return d;
    };
}

// ---- burn-out ----

struct BurnCase {
    const char* name;
    Maker make;
    double current, voltage;
    const char* warning;
    int expected;      // warnings posted by one Update
    bool sine = false; // the values are sine peaks
};
inline void PrintTo(const BurnCase& c, std::ostream* os) {
    *os << c.name;
}

class PassiveBurnOut : public PassiveTest, public ::testing::WithParamInterface<BurnCase> {};

TEST_P(PassiveBurnOut, PostsOneWarningPerExceededLimit) {
    const BurnCase& c = GetParam();
    CDevice* d = c.make(*this);
    ex.RebuildTopology();
    Feed(*d, c.current, c.voltage, c.sine);
    const auto notices = UpdateOnly(*d);
    ASSERT_EQ(static_cast<int>(notices.size()), c.expected);
    for (const CNotice& n : notices)
        EXPECT_EQ(n.text, c.warning);
}

const char* const kResistor = "当前有个电阻被烧毁";
const char* const kRheostat = "当前电路有个滑动变阻器被烧毁";
const char* const kCapacitor = "当前电路有个电容被烧毁";
const char* const kInductor = "当前电路有个电感被烧毁";
const char* const kCapBox = "当前电路有个电容箱被烧毁";

auto FirstDecadeOff = [](CCapacitanceBox& b) { b.m_decades[0].SetPosition(0); };

INSTANTIATE_TEST_SUITE_P(
    Rules, PassiveBurnOut,
    ::testing::Values(
        BurnCase{"Resistor2007mW", MakeWith<CResistance>(), 0.0448, 44.8, kResistor, 1},
        BurnCase{"Resistor1998mW", MakeWith<CResistance>(), 0.0447, 44.7, kResistor, 0},
        BurnCase{"ResistorReverseCurrent", MakeWith<CResistance>(), -0.0448, -44.8, kResistor, 1},
        BurnCase{"ResistorOwnRating", MakeWith<CResistance>([](auto& r) { r.m_ratedPower = 5; }), 0.0448, 0,
                 kResistor, 0},
        BurnCase{"RheostatHalfOver", MakeWith<CSlideRheostat>(), 0.0633, 0, kRheostat, 1},
        BurnCase{"RheostatHalfWithin", MakeWith<CSlideRheostat>(), 0.0632, 0, kRheostat, 0},
        BurnCase{"RheostatUsesOnlyItsPart", MakeWith<CSlideRheostat>([](auto& r) { r.m_fraction = 0.1; }),
                 0.14, 0, kRheostat, 0},
        BurnCase{"CapacitorAtRating", MakeWith<CCapacitance>(), 0, 400, kCapacitor, 0},
        BurnCase{"CapacitorOver", MakeWith<CCapacitance>(), 0, 400.5, kCapacitor, 1},
        BurnCase{"CapacitorReverseOver", MakeWith<CCapacitance>(), 0, -401, kCapacitor, 1},
        BurnCase{"CapacitorNaN", MakeWith<CCapacitance>(), 0, kNaN, kCapacitor, 1},
        BurnCase{"InductorAtRating", MakeWith<CInductance>(), 1.0, 0, kInductor, 0},
        BurnCase{"InductorOver", MakeWith<CInductance>(), 1.01, 0, kInductor, 1},
        BurnCase{"InductorReverseOver", MakeWith<CInductance>(), -1.5, 0, kInductor, 1},
        BurnCase{"InductorNaN", MakeWith<CInductance>(), kNaN, 0, kInductor, 1},
        BurnCase{"CapBoxAtSmallestLimit", MakeWith<CCapacitanceBox>(), 0.003, 0, kCapBox, 0},
        BurnCase{"CapBoxOverSmallestLimit", MakeWith<CCapacitanceBox>(), -0.0031, 0, kCapBox, 1},
        BurnCase{"CapBoxOverTwoLimits", MakeWith<CCapacitanceBox>(), 0.02, 0, kCapBox, 2},
        BurnCase{"CapBoxOverThreeLimits", MakeWith<CCapacitanceBox>(), 0.06, 0, kCapBox, 3},
        BurnCase{"CapBoxOverAllLimitsAndVoltage", MakeWith<CCapacitanceBox>(), 0.2, 500, kCapBox, 5},
        BurnCase{"CapBoxNaNCurrent", MakeWith<CCapacitanceBox>(), kNaN, 0, kCapBox, 4},
        BurnCase{"CapBoxVoltageOver", MakeWith<CCapacitanceBox>(), 0, 401, kCapBox, 1},
        BurnCase{"CapBoxVoltageNaN", MakeWith<CCapacitanceBox>(), 0, kNaN, kCapBox, 1},
        BurnCase{"CapBoxDecadeAtZeroHasNoLimit", MakeWith<CCapacitanceBox>(FirstDecadeOff), 0.004, 0, kCapBox,
                 0},
        BurnCase{"CapBoxDecadeAtZeroOthersStillCount", MakeWith<CCapacitanceBox>(FirstDecadeOff), 0.016, 0,
                 kCapBox, 1},
        BurnCase{"CapBoxAllAtZero", MakeWith<CCapacitanceBox>([](auto& b) {
                     for (auto& k : b.m_decades)
                         k.SetPosition(0);
                 }),
                 5, 0, kCapBox, 0},
        BurnCase{"ResistanceBoxHasNoRule", MakeWith<CResistanceBox>(), 100, 1e8, "", 0},
        BurnCase{"DiodeHasNoRule", MakeWith<CDiode>(), 100, 1e4, "", 0},
        BurnCase{"ClosedSwitchHasNoRule", MakeWith<CSingleSwitch>([](auto& s) { s.m_state = 1; }), 100, 0, "",
                 0},
        BurnCase{"PlugBoardHasNoRule", MakeWith<CAmmeterPlugBoard>(), 100, 0, "", 0}),
    [](const auto& info) { return std::string(info.param.name); });

// In a sine circuit heating ratings hold the r.m.s. (peak / sqrt 2), voltage
// ratings the peak; each kind keeps its own NaN rule. 1000 ohms at 2 W allow
// 44.7 mA r.m.s., 63.2 mA peak.
INSTANTIATE_TEST_SUITE_P(
    SineRules, PassiveBurnOut,
    ::testing::Values(
        BurnCase{"ResistorPeakOverRmsWithin", MakeWith<CResistance>(), 0.0630, 63, kResistor, 0, true},
        BurnCase{"ResistorRmsOver", MakeWith<CResistance>(), -0.0635, 63.5, kResistor, 1, true},
        BurnCase{"ResistorNaNPasses", MakeWith<CResistance>(), kNaN, kNaN, kResistor, 0, true},
        BurnCase{"RheostatPeakOverRmsWithin", MakeWith<CSlideRheostat>(), 0.0894, 0, kRheostat, 0, true},
        BurnCase{"RheostatRmsOver", MakeWith<CSlideRheostat>(), 0.0896, 0, kRheostat, 1, true},
        BurnCase{"InductorPeakOverRmsWithin", MakeWith<CInductance>(), 1.41, 0, kInductor, 0, true},
        BurnCase{"InductorRmsOver", MakeWith<CInductance>(), -1.42, 0, kInductor, 1, true},
        BurnCase{"InductorNaNBurns", MakeWith<CInductance>(), kNaN, 0, kInductor, 1, true},
        BurnCase{"CapacitorPeakOver", MakeWith<CCapacitance>(), 0, -400.5, kCapacitor, 1, true},
        BurnCase{"CapacitorPeakAtRating", MakeWith<CCapacitance>(), 0, 400, kCapacitor, 0, true},
        BurnCase{"CapacitorNaNBurns", MakeWith<CCapacitance>(), 0, kNaN, kCapacitor, 1, true},
        BurnCase{"CapBoxPeakOverSmallestRmsWithin", MakeWith<CCapacitanceBox>(), 0.0042, 0, kCapBox, 0, true},
        BurnCase{"CapBoxRmsOverSmallest", MakeWith<CCapacitanceBox>(), 0.0043, 0, kCapBox, 1, true},
        BurnCase{"CapBoxRmsOverTwoLimits", MakeWith<CCapacitanceBox>(), 0.0213, 0, kCapBox, 2, true},
        BurnCase{"CapBoxNaNCurrent", MakeWith<CCapacitanceBox>(), kNaN, 0, kCapBox, 4, true},
        BurnCase{"CapBoxVoltagePeakOver", MakeWith<CCapacitanceBox>(), 0, 401, kCapBox, 1, true}),
    [](const auto& info) { return std::string(info.param.name); });

// Solved circuits: a source, the part, and optionally a series resistor. A
// sine source burns a part by its r.m.s. heating or its peak voltage; the
// same settings on a DC source hold the steady value as before.
struct SolvedBurnCase {
    const char* name;
    bool sine;          // the AC source (0.5 ohm inside) or the DC source (0.01 ohm)
    int volts;          // the set value: peak or steady
    Maker make;         // the part, wired by its terminals 0 and 1
    float seriesOhms;   // a 100 W resistor in series; 0 for none
    const char* warning;
    int expected;       // warnings of that text
};
inline void PrintTo(const SolvedBurnCase& c, std::ostream* os) {
    *os << c.name;
}

class SolvedBurnOut : public PassiveTest, public ::testing::WithParamInterface<SolvedBurnCase> {};

TEST_P(SolvedBurnOut, WarnsByTheValueTheCircuitClassHeats) {
    const SolvedBurnCase& c = GetParam();
    CKnobSource* source = c.sine ? static_cast<CKnobSource*>(Place<CACSource>())
                                 : static_cast<CKnobSource*>(Place<CDCSource>());
    const int coarse = std::min(c.volts / 2, 9); // 2 V a step up to 18 V, then 0.2 V steps
    source->m_coarse.SetPosition(coarse);
    source->m_fine.SetPosition((c.volts - 2 * coarse) * 5);
    ASSERT_DOUBLE_EQ(source->GetKnobValue(), c.volts);
    source->m_power.SetOn(true);
    CDevice* part = c.make(*this);
    Wire(source, 0, part, 0);
    if (c.seriesOhms > 0) {
        auto* r = Place<CResistance>();
        r->m_resistance = c.seriesOhms;
        r->m_ratedPower = 100;
        Wire(part, 1, r, 0);
        Wire(r, 1, source, 1);
    } else {
        Wire(part, 1, source, 1);
    }
    Update();
    ASSERT_FALSE(part->m_branches.empty());
    ASSERT_EQ(part->m_branches[0]->m_result.m_elec.IsSine(), c.sine);
    int count = 0;
    for (const CNotice& n : sink.notices)
        count += n.text == c.warning;
    EXPECT_EQ(count, c.expected);
}

auto Ohms = [](float ohms) { return MakeWith<CResistance>([ohms](auto& r) { r.m_resistance = ohms; }); };
auto RheostatPart = [](int total) {
    return MakeWith<CSlideRheostat>([total](auto& r) { r.m_totalResistance = total; }); // half in use
};
auto SmallInductor = MakeWith<CInductance>([](auto& l) { l.m_inductance = 0.001f; }); // 0.31 ohm at 50 Hz
auto CapacitorRated = [](float volts) {
    return MakeWith<CCapacitance>([volts](auto& c) { c.m_ratedVoltage = volts; }); // 318 ohm at 50 Hz
};
// Only the x0.001 decade at 1: 3.18 ohm at 50 Hz, a 3 mA limit.
auto SmallBox = [](float volts) {
    return MakeWith<CCapacitanceBox>([volts](auto& b) {
        for (auto& k : b.m_decades)
            k.SetPosition(0);
        b.m_decades[0].SetPosition(1);
        b.m_ratedVoltage = volts;
    });
};

INSTANTIATE_TEST_SUITE_P(
    Circuits, SolvedBurnOut,
    ::testing::Values(
        // 10 V peak into 20 ohm: 2.38 W average.
        SolvedBurnCase{"Resistor20OhmSine", true, 10, Ohms(20), 0, kResistor, 1},
        // 10 V peak into 47 ohm: 1.04 W average although the peak power is 2.08 W.
        SolvedBurnCase{"Resistor47OhmSine", true, 10, Ohms(47), 0, kResistor, 0},
        SolvedBurnCase{"Resistor47OhmDc", false, 10, Ohms(47), 0, kResistor, 1},
        SolvedBurnCase{"Resistor10Ohm20VoltSine", true, 20, Ohms(10), 0, kResistor, 1},
        SolvedBurnCase{"RheostatHalfOf40Sine", true, 10, RheostatPart(40), 0, kRheostat, 1},
        SolvedBurnCase{"RheostatHalfOf94Sine", true, 10, RheostatPart(94), 0, kRheostat, 0},
        SolvedBurnCase{"RheostatHalfOf94Dc", false, 10, RheostatPart(94), 0, kRheostat, 1},
        // 20 V peak through 10 ohm: 1.35 A r.m.s.; through 15 ohm 1.29 A peak, 0.91 A r.m.s.
        SolvedBurnCase{"Inductor10OhmSine", true, 20, SmallInductor, 10, kInductor, 1},
        SolvedBurnCase{"Inductor15OhmSine", true, 20, SmallInductor, 15, kInductor, 0},
        SolvedBurnCase{"Inductor15OhmDc", false, 20, SmallInductor, 15, kInductor, 1},
        // 20 V peak, 14.1 V r.m.s. across the capacitor.
        SolvedBurnCase{"CapacitorPeakOver", true, 20, CapacitorRated(18), 0, kCapacitor, 1},
        SolvedBurnCase{"CapacitorPeakWithin", true, 20, CapacitorRated(21), 0, kCapacitor, 0},
        SolvedBurnCase{"CapacitorDc", false, 10, CapacitorRated(9), 0, kCapacitor, 1},
        // 10 V peak through 2000 ohm: 5.0 mA peak, 3.5 mA r.m.s.; through 2500 ohm
        // 4.0 mA peak, 2.8 mA r.m.s. and 12.7 mV peak (9.0 mV r.m.s.) on the box.
        SolvedBurnCase{"CapBoxRmsCurrentOver", true, 10, SmallBox(400), 2000, kCapBox, 1},
        SolvedBurnCase{"CapBoxPeakCurrentOverRmsWithin", true, 10, SmallBox(400), 2500, kCapBox, 0},
        SolvedBurnCase{"CapBoxPeakVoltageOver", true, 10, SmallBox(0.011f), 2500, kCapBox, 1},
        SolvedBurnCase{"CapBoxPeakVoltageWithin", true, 10, SmallBox(0.0135f), 2500, kCapBox, 0},
        SolvedBurnCase{"CapBoxDcVoltage", false, 10, SmallBox(9), 0, kCapBox, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PassiveTest, BurnWarningIsACentredOneFrameWarning) {
    auto* c = Place<CCapacitance>();
    ex.RebuildTopology();
    Feed(*c, 0, 1000);
    const auto notices = UpdateOnly(*c);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].kind, NOTICE_WARNING);
    EXPECT_EQ(notices[0].duration, 0);
    EXPECT_EQ(notices[0].x, -1);
    EXPECT_EQ(notices[0].y, -1);
    EXPECT_EQ(notices[0].active, 1);
}

TEST_F(PassiveTest, UnsolvedDeviceStaysQuietEvenWithNaNRules) {
    auto* c = Place<CCapacitance>();
    auto* l = Place<CInductance>();
    EXPECT_TRUE(UpdateOnly(*c).empty());
    EXPECT_TRUE(UpdateOnly(*l).empty());
}

TEST_F(PassiveTest, ResistorAcrossASourceBurnsThroughTheSolve) {
    auto* source = Place<CDCSource>();
    source->m_power.SetOn(true); // 10 V
    auto* r = Place<CResistance>();
    Wire(source, 0, r, 0);
    Wire(source, 1, r, 1);
    Update();
    for (const CNotice& n : sink.notices)
        EXPECT_NE(n.text, kResistor) << "1000 ohms at 10 V dissipate 0.1 W";
    r->m_resistance = 10;
    ex.MarkTopologyDirty();
    sink.notices.clear();
    Update();
    int burnt = 0;
    for (const CNotice& n : sink.notices)
        burnt += n.text == kResistor;
    EXPECT_EQ(burnt, 1);
}

TEST_F(PassiveTest, PlacedDevicesTakeTheRatingsOfTheirPrototype) {
    CResistance r;
    r.m_ratedPower = 0.25f;
    r.m_resistance = 47;
    CCapacitance c;
    c.m_ratedVoltage = 16;
    CInductance l;
    l.m_ratedCurrent = 0.3f;
    CSlideRheostat rx;
    rx.m_ratedPower = 50;
    auto* r2 = static_cast<CResistance*>(r.PlaceAt(ex, 100, 100));
    auto* c2 = static_cast<CCapacitance*>(c.PlaceAt(ex, 100, 200));
    auto* l2 = static_cast<CInductance*>(l.PlaceAt(ex, 100, 300));
    auto* rx2 = static_cast<CSlideRheostat*>(rx.PlaceAt(ex, 300, 100));
    EXPECT_EQ(r2->m_ratedPower, 0.25f);
    EXPECT_EQ(r2->m_resistance, 47) << "the value is a setting the copy takes too";
    EXPECT_EQ(c2->m_ratedVoltage, 16);
    EXPECT_EQ(l2->m_ratedCurrent, 0.3f);
    EXPECT_EQ(rx2->m_ratedPower, 50);
}

// ---- decade boxes ----

TEST_F(PassiveTest, NewDecadeBoxesStartAtTheirTopValue) {
    CResistanceBox rb;
    EXPECT_EQ(rb.GetKnobValue(), 999999);
    CCapacitanceBox cb;
    EXPECT_EQ(cb.m_total, 0.002f) << "until first computed";
    EXPECT_NEAR(cb.GetKnobValue(), 9.999, 1e-12);
    EXPECT_NEAR(cb.m_total, 9.999f, 1e-6);
}

struct PanelCase {
    const char* name;
    std::function<CDevice*()> make;
    const char* picture;
    float width, height;
    std::vector<CPanelRect> hits;
    std::vector<float> needleTops;
};
inline void PrintTo(const PanelCase& c, std::ostream* os) {
    *os << c.name;
}

class DecadeBoxPanel : public PassiveTest, public ::testing::WithParamInterface<PanelCase> {};

TEST_P(DecadeBoxPanel, ItemsAndKnobsInPanelOrder) {
    const PanelCase& c = GetParam();
    std::unique_ptr<CDevice> d(c.make());
    const std::size_t knobs = c.hits.size();
    ASSERT_EQ(d->PanelControlCount(), static_cast<int>(knobs));
    ASSERT_EQ(d->PanelItemCount(), static_cast<int>(2 * knobs));
    ASSERT_EQ(d->m_panelGroup.itemsB.size(), 2 * knobs);
    const CDrawItem& face = d->m_panelGroup.itemsB[0];
    EXPECT_EQ(face.texture, c.picture);
    EXPECT_EQ(face.right - face.left, c.width);
    EXPECT_EQ(face.bottom - face.top, c.height);
    for (std::size_t k = 0; k < knobs; ++k) {
        SCOPED_TRACE("knob " + std::to_string(k));
        ASSERT_EQ(d->m_controls[k]->Kind(), CONTROL_KNOB);
        const auto& knob = static_cast<const CKnob&>(*d->m_controls[k]);
        EXPECT_TRUE(knob.IsFullCircle());
        EXPECT_TRUE(knob.m_wrapsDown);
        EXPECT_EQ(knob.m_maximum, 9);
        EXPECT_EQ(knob.Position(), 9);
        EXPECT_EQ(knob.m_hitRect.left, c.hits[k].left);
        EXPECT_EQ(knob.m_hitRect.top, c.hits[k].top);
        EXPECT_EQ(knob.m_hitRect.right, c.hits[k].right);
        EXPECT_EQ(knob.m_hitRect.bottom, c.hits[k].bottom);
        const int needle = static_cast<int>(2 * k + 1); // 1, then after each placeholder
        ASSERT_EQ(knob.m_itemIndex, needle);
        if (k > 0) {
            EXPECT_TRUE(d->m_panelGroup.itemsB[needle - 1].Hidden()) << "placeholder before the needle";
        }
        const CDrawItem& item = d->m_panelGroup.itemsB[needle];
        EXPECT_FALSE(item.Hidden());
        EXPECT_EQ(item.texture, sheet::kPicture);
        EXPECT_EQ(item.left, c.hits[k].left + 36);
        EXPECT_EQ(item.right, c.hits[k].left + 45);
        EXPECT_EQ(item.top, c.needleTops[k]);
        EXPECT_EQ(item.bottom, c.needleTops[k] + 58);
        EXPECT_EQ(item.u[0], sheet::kNeedle.left);
        EXPECT_EQ(item.v[2], sheet::kNeedle.bottom);
        EXPECT_TRUE(item.flags & DRAW_ROTATE);
        EXPECT_NEAR(item.angle, 9 * kStep36, 1e-5) << "the needle shows position 9 from the start";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, DecadeBoxPanel,
    ::testing::Values(PanelCase{"ResistanceBox",
                                [] { return new CResistanceBox(); },
                                "devpic\\panal\\resbox.tga",
                                306,
                                200,
                                {{0, 0, 80, 80},
                                 {100, 0, 180, 80},
                                 {200, 0, 280, 80},
                                 {0, 105, 80, 195},
                                 {100, 105, 180, 195},
                                 {200, 105, 280, 195}},
                                {28, 28, 28, 129, 129, 129}},
                      PanelCase{"CapacitanceBox",
                                [] { return new CCapacitanceBox(); },
                                "devpic\\panal\\capbox.tga",
                                211,
                                200,
                                {{0, 0, 80, 80}, {100, 0, 180, 80}, {0, 105, 80, 185}, {100, 105, 180, 185}},
                                {28, 28, 129, 129}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PassiveTest, StepButtonsTurnADecadeKnob) {
    auto* box = Place<CResistanceBox>();
    ex.m_topologyDirty = 0;
    box->PanelButtonDown(140, 40); // the x10 knob
    ASSERT_TRUE(box->StepButtonsShown());
    ASSERT_EQ(box->m_panelGroup.itemsB.size(), 14u);
    const CPanelRect down = box->m_controls[6]->m_hitRect, up = box->m_controls[7]->m_hitRect;
    EXPECT_EQ(down.left, 182);
    EXPECT_EQ(down.top, 0);
    EXPECT_EQ(up.top, 15);
    const CDrawItem& needle = box->m_panelGroup.itemsB[3];

    box->PanelButtonDown(190, 7); // down
    EXPECT_EQ(box->m_decades[1].Position(), 8);
    EXPECT_EQ(box->GetKnobValue(), 999989);
    EXPECT_NEAR(needle.angle, 8 * kStep36, 1e-5);
    EXPECT_EQ(ex.m_topologyDirty, 1);

    box->PanelButtonDown(190, 22);  // up: back to 9
    box->PanelDoubleClick(190, 22); // and once more: wraps to 0
    EXPECT_EQ(box->m_decades[1].Position(), 0);
    EXPECT_EQ(box->GetKnobValue(), 999909);
    EXPECT_NEAR(needle.angle, 0, 1e-6);
    box->PanelButtonDown(190, 7); // down from 0 wraps to 9
    EXPECT_EQ(box->m_decades[1].Position(), 9);

    box->PanelButtonDown(295, 190); // empty panel area
    EXPECT_FALSE(box->StepButtonsShown());
    EXPECT_EQ(box->m_panelGroup.itemsB.size(), 12u);
    EXPECT_EQ(box->m_controls.size(), 6u);
}

TEST_F(PassiveTest, CapacitanceBoxKnobReachesTheSolver) {
    auto* box = Place<CCapacitanceBox>();
    box->PanelButtonDown(140, 140);         // the x1 knob
    box->PanelButtonDown(182 + 5, 105 + 5); // its down button
    EXPECT_EQ(box->m_decades[3].Position(), 8);
    ex.RebuildTopology();
    ASSERT_EQ(box->m_branches.size(), 1u);
    EXPECT_NEAR(box->m_branches[0]->m_value, 8.999, 1e-12);
}

// ---- rheostat slider ----

TEST_F(PassiveTest, NewRheostatSliderSitsAtHalfway) {
    auto* rx = Place<CSlideRheostat>();
    const float x = rx->m_region[0], y = rx->m_region[1];
    EXPECT_EQ(rx->m_fraction, 0.5);
    EXPECT_EQ(rx->m_slider.left, x + 36.5f);
    EXPECT_EQ(rx->m_slider.top, y + 5);
    EXPECT_EQ(rx->m_slider.right - rx->m_slider.left, 15);
    EXPECT_EQ(rx->m_slider.bottom - rx->m_slider.top, 31);
    ASSERT_EQ(rx->m_boardGroup.itemsB.size(), 2u);
    const CDrawItem& slider = rx->SliderItem();
    EXPECT_EQ(slider.texture, "devpic\\resglideflip.tga");
    EXPECT_EQ(slider.left, rx->m_slider.left);
    EXPECT_EQ(slider.bottom, rx->m_slider.bottom);

    // Loading the same place gives back the same fraction: one mapping.
    rx->m_fraction = 0;
    rx->RestoreSlider(rx->m_slider.left, rx->m_slider.top);
    EXPECT_EQ(rx->m_fraction, 0.5);
}

struct DragCase {
    const char* name;
    float requested; // slider left relative to the region
    float left;      // where it ends
    double fraction;
};
inline void PrintTo(const DragCase& c, std::ostream* os) {
    *os << c.name;
}

class RheostatSliderDrag : public PassiveTest, public ::testing::WithParamInterface<DragCase> {};

TEST_P(RheostatSliderDrag, StopsAtBothEnds) {
    const DragCase& c = GetParam();
    auto* rx = Place<CSlideRheostat>();
    ex.m_topologyDirty = 0;
    const float x = rx->m_region[0], top = rx->m_slider.top;
    rx->DragSlider(x + c.requested, top + 7.6f);
    EXPECT_EQ(rx->m_slider.left, x + c.left);
    EXPECT_EQ(rx->m_slider.right, x + c.left + 15);
    EXPECT_EQ(rx->m_slider.top, std::trunc(top)) << "the slider only moves along the bar";
    EXPECT_EQ(rx->SliderItem().left, rx->m_slider.left);
    EXPECT_EQ(rx->m_fraction, c.fraction);
    EXPECT_EQ(ex.m_topologyDirty, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Places, RheostatSliderDrag,
    ::testing::Values(DragCase{"FarLeft", -100, 13, 0.0}, DragCase{"JustBeforeLeftStop", 12, 13, 0.0},
                      DragCase{"LeftStop", 13, 13, 0.0}, DragCase{"Middle", 36.5f, 36.5f, 0.5},
                      DragCase{"Quarter", 24.75f, 24.75f, 0.25}, DragCase{"RightStop", 60, 60, 1.0},
                      DragCase{"JustPastRightStop", 61, 60, 1.0}, DragCase{"FarRight", 500, 60, 1.0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PassiveTest, SliderDragGoesToZeroAtTheTerminalOneEndAtEveryAngle) {
    for (int quarters = 0; quarters < 4; ++quarters) {
        SCOPED_TRACE("angle " + std::to_string(quarters * 90));
        auto* rx = Place<CSlideRheostat>();
        Turn(*rx, quarters);
        const CPanelRect region = Region(*rx);
        auto centre = [&] {
            return CPoint{static_cast<int>((rx->m_slider.left + rx->m_slider.right) / 2),
                          static_cast<int>((rx->m_slider.top + rx->m_slider.bottom) / 2)};
        };
        auto distance2 = [](CPoint a, CPoint b) {
            return (a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y);
        };
        rx->DragSlider(-1e5f, -1e5f);
        const double low = rx->m_fraction;
        const CPoint lowCentre = centre();
        rx->DragSlider(1e5f, 1e5f);
        const double high = rx->m_fraction;
        const CPoint highCentre = centre();
        EXPECT_TRUE((low == 0 && high == 1) || (low == 1 && high == 0));
        const CPoint zero = low == 0 ? lowCentre : highCentre, one = low == 0 ? highCentre : lowCentre;
        EXPECT_LT(distance2(zero, T(rx, 1)->Position()), distance2(one, T(rx, 1)->Position()));
        EXPECT_LT(distance2(one, T(rx, 3)->Position()), distance2(zero, T(rx, 3)->Position()));
        for (const CPoint p : {lowCentre, highCentre}) {
            EXPECT_GT(p.x, region.left);
            EXPECT_LT(p.x, region.right);
            EXPECT_GT(p.y, region.top);
            EXPECT_LT(p.y, region.bottom);
        }
        // A drag across the bar does not move it along.
        const CPanelRect before = rx->m_slider;
        const bool alongX = quarters % 2 == 0;
        rx->DragSlider(alongX ? before.left : before.left + 20, alongX ? before.top + 20 : before.top);
        EXPECT_EQ(rx->m_slider.left, before.left);
        EXPECT_EQ(rx->m_slider.top, before.top);
    }
}

TEST_F(PassiveTest, SliderPlaceSurvivesSavingAtEveryAngle) {
    for (int quarters = 0; quarters < 4; ++quarters) {
        SCOPED_TRACE("angle " + std::to_string(quarters * 90));
        auto* rx = Place<CSlideRheostat>();
        Turn(*rx, quarters);
        const bool alongX = quarters % 2 == 0;
        rx->DragSlider(rx->m_region[0] + 20, rx->m_region[1] + 20);
        const CPanelRect saved = rx->m_slider;
        const double fraction = rx->m_fraction;
        EXPECT_NEAR(fraction, quarters == 0 || quarters == 3 ? 7.0 / 47 : 40.0 / 47, 1e-12);
        rx->m_fraction = 0.5;
        rx->RestoreSlider(saved.left, saved.top);
        EXPECT_EQ(rx->m_fraction, fraction);
        EXPECT_EQ(rx->m_slider.left, saved.left);
        EXPECT_EQ(rx->m_slider.bottom, saved.bottom);
        EXPECT_EQ(rx->m_slider.right - rx->m_slider.left, alongX ? 15 : 31);
    }
}

TEST_F(PassiveTest, LoadedSliderBeyondAStopComesBackToIt) {
    auto* rx = Place<CSlideRheostat>();
    const float x = rx->m_region[0], y = rx->m_region[1];
    rx->RestoreSlider(x + 80, y + 5);
    EXPECT_EQ(rx->m_fraction, 1.0);
    EXPECT_EQ(rx->m_slider.left, x + 60);
    rx->RestoreSlider(x - 3, y + 5);
    EXPECT_EQ(rx->m_fraction, 0.0);
    EXPECT_EQ(rx->m_slider.left, x + 13);
}

TEST_F(PassiveTest, TurnedRheostatCarriesItsSlider) {
    auto* rx = Place<CSlideRheostat>();
    rx->DragSlider(rx->m_region[0] + 20, 0);
    const double fraction = rx->m_fraction;
    rx->RotateLeft();
    const CDrawItem& slider = rx->SliderItem();
    EXPECT_EQ(slider.texture, "devpic\\resglideflip90.tga");
    EXPECT_TRUE(slider.flags & DRAW_RELOAD);
    EXPECT_EQ(rx->m_boardGroup.itemsB.front().texture, "devpic\\resglide90.tga");
    EXPECT_EQ(slider.right - slider.left, 31);
    EXPECT_EQ(slider.bottom - slider.top, 15);
    EXPECT_EQ(rx->m_fraction, fraction);
    rx->RotateRight();
    rx->RotateRight();
    EXPECT_EQ(rx->SliderItem().texture, "devpic\\resglideflip270.tga");
    rx->RotateLeft();
    EXPECT_EQ(rx->SliderItem().texture, "devpic\\resglideflip.tga");
    EXPECT_EQ(rx->m_slider.left, rx->m_region[0] + 20);
    EXPECT_EQ(rx->m_slider.top, rx->m_region[1] + 5);
}

TEST_F(PassiveTest, MovedRheostatKeepsItsSliderOnTheBar) {
    auto* rx = Place<CSlideRheostat>();
    const CPanelRect before = rx->m_slider;
    rx->SetRegion(rx->m_region[0] + 30, rx->m_region[1] - 12, rx->m_region[2] + 30, rx->m_region[3] - 12);
    EXPECT_EQ(rx->m_slider.left, before.left + 30);
    EXPECT_EQ(rx->m_slider.top, before.top - 12);
    EXPECT_EQ(rx->SliderItem().top, before.top - 12);
}

// ---- switches ----

struct ZoneCase {
    const char* name;
    bool doubleThrow;
    int quarters, before;
    bool fromRight; // x measured from the right edge instead of the left
    float dx;
    bool fromBottom;
    float dy;
    int after;
    const char* picture; // when the state changes
};
inline void PrintTo(const ZoneCase& c, std::ostream* os) {
    *os << c.name;
}

class SwitchDoubleClick : public PassiveTest, public ::testing::WithParamInterface<ZoneCase> {};

TEST_P(SwitchDoubleClick, DoubleClick) {
    const ZoneCase& c = GetParam();
    CDevice* d = c.doubleThrow ? static_cast<CDevice*>(Place<CDoubleSwitch>()) : Place<CSingleSwitch>();
    Turn(*d, c.quarters);
    if (c.doubleThrow)
        static_cast<CDoubleSwitch*>(d)->m_state = c.before;
    else
        static_cast<CSingleSwitch*>(d)->m_state = c.before;
    const std::string pictureBefore = d->m_boardGroup.itemsB.front().texture;
    d->m_boardGroup.itemsB.front().flags &= ~(DRAW_RELOAD | DRAW_SUBMITTED);
    ex.m_topologyDirty = 0;
    const CPanelRect r = Region(*d);
    const int x = static_cast<int>((c.fromRight ? r.right : r.left) + c.dx);
    const int y = static_cast<int>((c.fromBottom ? r.bottom : r.top) + c.dy);

    const bool changed = c.doubleThrow ? static_cast<CDoubleSwitch*>(d)->DoubleClick(x, y)
                                       : static_cast<CSingleSwitch*>(d)->DoubleClick(x, y);
    const int state =
        c.doubleThrow ? static_cast<CDoubleSwitch*>(d)->m_state : static_cast<CSingleSwitch*>(d)->m_state;
    EXPECT_EQ(state, c.after);
    EXPECT_EQ(changed, c.after != c.before);
    if (changed) {
        EXPECT_EQ(d->m_boardGroup.itemsB.front().texture, c.picture);
        EXPECT_EQ(d->m_boardGroup.itemsB.front().flags & 0x1008u, 0x1008u);
        EXPECT_EQ(ex.m_topologyDirty, 1);
    } else {
        EXPECT_EQ(d->m_boardGroup.itemsB.front().texture, pictureBefore);
        EXPECT_EQ(d->m_boardGroup.itemsB.front().flags & DRAW_RELOAD, 0u);
        EXPECT_EQ(ex.m_topologyDirty, 0);
    }
}

constexpr bool kL = false, kR = true, kT = false, kB = true;

INSTANTIATE_TEST_SUITE_P(
    Single, SwitchDoubleClick,
    ::testing::Values(
        ZoneCase{"At0InsideCloses", false, 0, 0, kL, 58, kT, 1, 1, "devpic\\sinswclose.tga"},
        ZoneCase{"At0OnLeftBorderKeeps", false, 0, 0, kL, 57, kT, 20, 0, ""},
        ZoneCase{"At0OnRightBorderKeeps", false, 0, 0, kR, -20, kT, 20, 0, ""},
        ZoneCase{"At0InsideOpens", false, 0, 1, kR, -21, kB, -1, 0, "devpic\\sinswopen.tga"},
        ZoneCase{"At0ClosingReachesAbove", false, 0, 0, kL, 60, kT, -9, 1, "devpic\\sinswclose.tga"},
        ZoneCase{"At0ClosingReachesBelow", false, 0, 0, kL, 60, kB, 9, 1, "devpic\\sinswclose.tga"},
        ZoneCase{"At0ClosingReachEnds", false, 0, 0, kL, 60, kT, -10, 0, ""},
        ZoneCase{"At0OpeningHasNoReach", false, 0, 1, kL, 60, kT, -1, 1, ""},
        ZoneCase{"At90InsideCloses", false, 1, 0, kL, 1, kT, 21, 1, "devpic\\sinswclose90.tga"},
        ZoneCase{"At90JustOutside", false, 1, 0, kL, 1, kB, -57, 0, ""},
        ZoneCase{"At180InsideOpens", false, 2, 1, kL, 21, kT, 1, 0, "devpic\\sinswopen180.tga"},
        ZoneCase{"At180JustOutside", false, 2, 1, kR, -57, kT, 1, 1, ""},
        ZoneCase{"At270InsideCloses", false, 3, 0, kL, 10, kT, 58, 1, "devpic\\sinswclose270.tga"},
        ZoneCase{"At270JustOutside", false, 3, 0, kL, 10, kB, -20, 0, ""}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Double, SwitchDoubleClick,
    ::testing::Values(ZoneCase{"At0AFromOpen", true, 0, 0, kL, 16, kT, 1, 1, "devpic\\hdleft.tga"},
                      ZoneCase{"At0BFromOpen", true, 0, 0, kR, -16, kT, 1, 2, "devpic\\hdright.tga"},
                      ZoneCase{"At0BFromFirstGoesStraightToSecond", true, 0, 1, kR, -44, kB, -1, 2,
                               "devpic\\hdright.tga"},
                      ZoneCase{"At0AFromFirstOpens", true, 0, 1, kL, 44, kT, 1, 0, "devpic\\hdswitch.tga"},
                      ZoneCase{"At0AFromSecond", true, 0, 2, kL, 30, kT, 20, 1, "devpic\\hdleft.tga"},
                      ZoneCase{"At0BFromSecondOpens", true, 0, 2, kR, -30, kT, 20, 0, "devpic\\hdswitch.tga"},
                      ZoneCase{"At0BetweenZones", true, 0, 1, kL, 60, kT, 20, 1, ""},
                      ZoneCase{"At0OnZoneBorder", true, 0, 0, kL, 15, kT, 20, 0, ""},
                      ZoneCase{"At0OnTopBorder", true, 0, 0, kL, 30, kT, 0, 0, ""},
                      ZoneCase{"At90A", true, 1, 0, kL, 10, kB, -16, 1, "devpic\\hdleft90.tga"},
                      ZoneCase{"At90BFromFirst", true, 1, 1, kL, 10, kT, 16, 2, "devpic\\hdright90.tga"},
                      ZoneCase{"At90JustOutside", true, 1, 0, kL, 10, kT, 45, 0, ""},
                      ZoneCase{"At180A", true, 2, 0, kR, -16, kT, 10, 1, "devpic\\hdleft180.tga"},
                      ZoneCase{"At180BFromFirst", true, 2, 1, kL, 16, kT, 10, 2, "devpic\\hdright180.tga"},
                      ZoneCase{"At270A", true, 3, 0, kL, 10, kT, 16, 1, "devpic\\hdleft270.tga"},
                      ZoneCase{"At270BFromFirst", true, 3, 1, kL, 10, kB, -16, 2, "devpic\\hdright270.tga"},
                      ZoneCase{"At270OnSideBorder", true, 3, 0, kR, 0, kT, 16, 0, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PassiveTest, SwitchPictureFollowsStateThroughTurns) {
    auto* sw = Place<CSingleSwitch>();
    const CPanelRect r = Region(*sw);
    ASSERT_TRUE(sw->DoubleClick(static_cast<int>(r.left + 70), static_cast<int>(r.top + 20)));
    sw->RotateLeft();
    EXPECT_EQ(sw->m_boardGroup.itemsB.front().texture, "devpic\\sinswclose90.tga");
    auto* dsw = Place<CDoubleSwitch>();
    dsw->m_state = 2;
    dsw->RotateRight();
    EXPECT_EQ(dsw->m_boardGroup.itemsB.front().texture, "devpic\\hdright270.tga");
}

// ---- turning ----

struct TurnCase {
    const char* name;
    Maker make;
    const char* picture90; // empty: the kind does not turn
};
inline void PrintTo(const TurnCase& c, std::ostream* os) {
    *os << c.name;
}

class PassiveQuarterTurns : public PassiveTest, public ::testing::WithParamInterface<TurnCase> {};

TEST_P(PassiveQuarterTurns, FourLeftTurnsRestoreTheDevice) {
    const TurnCase& c = GetParam();
    CDevice* d = c.make(*this);
    std::vector<CPoint> terminals;
    for (CNode* n : d->m_terminals)
        terminals.push_back(n->Position());
    const CPanelRect region = Region(*d);
    const std::string picture = d->m_boardGroup.itemsB.front().texture;
    const std::vector<CDrawItem> items = d->m_boardGroup.itemsB;

    d->RotateLeft();
    const bool turns = *c.picture90 != 0;
    if (turns) {
        EXPECT_EQ(d->m_angleLeft, 90);
        EXPECT_EQ(d->m_boardGroup.itemsB.front().texture, c.picture90);
        EXPECT_EQ(d->m_region[2] - d->m_region[0], region.bottom - region.top);
        EXPECT_EQ(T(d, 0)->Position(), terminals[0]) << "it turns about its first terminal";
    }
    for (int i = 0; i < 3; ++i)
        d->RotateLeft();

    EXPECT_EQ(d->m_angleLeft, 0);
    EXPECT_EQ(d->m_angleRight, 0);
    for (std::size_t i = 0; i < terminals.size(); ++i)
        EXPECT_EQ(T(d, static_cast<int>(i))->Position(), terminals[i]);
    EXPECT_EQ(d->m_region[0], region.left);
    EXPECT_EQ(d->m_region[1], region.top);
    EXPECT_EQ(d->m_region[2], region.right);
    EXPECT_EQ(d->m_region[3], region.bottom);
    EXPECT_EQ(d->m_boardGroup.itemsB.front().texture, picture);
    ASSERT_EQ(d->m_boardGroup.itemsB.size(), items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        const CDrawItem &now = d->m_boardGroup.itemsB[i], &was = items[i];
        EXPECT_EQ(now.texture, was.texture);
        EXPECT_EQ(now.left, was.left);
        EXPECT_EQ(now.top, was.top);
        EXPECT_EQ(now.right, was.right);
        EXPECT_EQ(now.bottom, was.bottom);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, PassiveQuarterTurns,
    ::testing::Values(TurnCase{"Resistor", MakeWith<CResistance>(), "devpic\\comres90.tga"},
                      TurnCase{"ResistanceBox", MakeWith<CResistanceBox>(), "devpic\\resbox90.tga"},
                      TurnCase{"Rheostat", MakeWith<CSlideRheostat>([](auto& r) {
                                   r.DragSlider(r.m_region[0] + 51, r.m_region[1]);
                               }),
                               "devpic\\resglide90.tga"},
                      TurnCase{"Capacitor", MakeWith<CCapacitance>(), "devpic\\capacitance90.tga"},
                      TurnCase{"CapacitanceBox", MakeWith<CCapacitanceBox>(), "devpic\\capacitancebox90.tga"},
                      TurnCase{"Inductor", MakeWith<CInductance>(), "devpic\\inductance90.tga"},
                      TurnCase{"Diode", MakeWith<CDiode>(), "devpic\\diode90.tga"},
                      TurnCase{"SingleSwitchClosed", MakeWith<CSingleSwitch>([](auto& s) {
                                   s.DoubleClick(static_cast<int>(s.m_region[0]) + 70,
                                                 static_cast<int>(s.m_region[1]) + 20);
                               }),
                               "devpic\\sinswclose90.tga"},
                      TurnCase{"DoubleSwitch", MakeWith<CDoubleSwitch>(), "devpic\\hdswitch90.tga"},
                      TurnCase{"PlugBoardStays", MakeWith<CAmmeterPlugBoard>(), ""},
                      TurnCase{"VerticalDoubleSwitchStays", MakeWith<CVerticalDoubleSwitch>(), ""},
                      TurnCase{"ResistanceWireStays", MakeWith<CResistanceWire>(), ""}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace ampera::testing
