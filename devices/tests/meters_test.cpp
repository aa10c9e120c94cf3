// The digital meters: range formatting, legends, jitter, warnings, panels and
// what they read from real circuits.
#include "board_fixture.h"

#include "devices/ac_millivoltmeter.h"
#include "devices/ac_source.h"
#include "devices/ammeter_plug_board.h"
#include "devices/dc_ammeter.h"
#include "devices/dc_source.h"
#include "devices/dc_voltmeter.h"
#include "devices/display.h"
#include "devices/galvanometer.h"
#include "devices/meter_format.h"
#include "devices/multimeter.h"
#include "devices/panel_sheet.h"
#include "devices/resistance.h"
#include "devices/voltmeter.h"

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <set>

namespace ampera::testing {
namespace {

constexpr const char* kNoWarning = "";

// ---- formatter ----

enum Family { MULTI, MILLIVOLT, GALVANO };

struct FormatCase {
    const char* name;
    Family family;
    int index;
    float value;
    const char* text;
    int status;
};

CReading Format(Family family, float value, int index) {
    switch (family) {
    case MULTI:
        return FormatMultimeter(value, index);
    case MILLIVOLT:
        return FormatMillivoltmeter(value, index);
    default:
        return FormatGalvanometer(value, index);
    }
}

class FormatterTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatterTest, TextAndStatus) {
    const FormatCase& c = GetParam();
    const CReading r = Format(c.family, c.value, c.index);
    EXPECT_EQ(r.text, c.text);
    EXPECT_EQ(r.status, c.status);
}

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Meters, FormatterTest,
    ::testing::Values(
        // Normal readings: leading zeros up to the range's integer digits.
        FormatCase{"HalfMilliampOn2mA", MULTI, 5, 0.0005f, "0.500", FORMAT_NORMAL},
        FormatCase{"FiveMillivoltsOn200mV", MULTI, 0, 0.005f, "005.0", FORMAT_NORMAL},
        FormatCase{"MinusOneAndAHalfVoltsOn2V", MULTI, 1, -1.5f, "-1.500", FORMAT_NORMAL},
        FormatCase{"TwelveVoltsOn20V", MULTI, 2, 12.34f, "12.34", FORMAT_NORMAL},
        FormatCase{"RoundsToNearestCount", MULTI, 2, 12.346f, "12.35", FORMAT_NORMAL},
        FormatCase{"OneCountIsNotZero", MULTI, 1, 0.001f, "0.001", FORMAT_NORMAL},
        FormatCase{"JustUnderFullScale", MULTI, 1, 1.9994f, "1.999", FORMAT_NORMAL},
        FormatCase{"WholeVoltsOn1000V", MULTI, 4, 5.4f, "005", FORMAT_NORMAL},
        FormatCase{"FullScaleOn1000V", MULTI, 4, 1000, "1000", FORMAT_NORMAL},
        FormatCase{"TwentyAmpereRange", MULTI, 8, 3.5f, "03.50", FORMAT_NORMAL},
        FormatCase{"AcTwoMilliamps", MULTI, 23, 0.00125f, "1.250", FORMAT_NORMAL},
        FormatCase{"KilohmsOn2k", MULTI, 26, 1500, "1.500", FORMAT_NORMAL},
        FormatCase{"MegohmsOn20M", MULTI, 30, 4.7e6f, "04.70", FORMAT_NORMAL},
        // Over range: a 1 and blanks, the point where the range has it.
        FormatCase{"OverOn2V", MULTI, 1, 2.5f, "1.   ", FORMAT_OVER},
        FormatCase{"RoundsOverFullScale", MULTI, 1, 1.9996f, "1.   ", FORMAT_OVER},
        FormatCase{"OverOn20V", MULTI, 2, 25, "1 .  ", FORMAT_OVER},
        FormatCase{"OverOn200V", MULTI, 3, -250, "1  . ", FORMAT_OVER},
        FormatCase{"OverOn1000VHasNoPoint", MULTI, 4, 1001, "1   ", FORMAT_OVER},
        FormatCase{"OverOn750VAc", MULTI, 9, 750, "1  . ", FORMAT_OVER},
        FormatCase{"NaNIsOverRange", MULTI, 1, kNaN, "1.   ", FORMAT_OVER},
        FormatCase{"InfinityIsOverRange", MULTI, 27, kInf, "1 .  ", FORMAT_OVER},
        FormatCase{"UnavailablePosition", MULTI, 16, 1, "", FORMAT_OVER},
        FormatCase{"IndexOutOfTable", MULTI, 32, 1, "", FORMAT_OVER},
        // Zero: three zeros with the point one place left of the normal one.
        FormatCase{"ZeroOn2V", MULTI, 1, 0.0004f, ".000", FORMAT_ZERO},
        FormatCase{"ZeroOn20V", MULTI, 2, 0.004f, "0.00", FORMAT_ZERO},
        FormatCase{"ZeroOn200mV", MULTI, 0, 0.00004f, "00.0", FORMAT_ZERO},
        FormatCase{"ZeroOn1000V", MULTI, 4, 0.4f, "000", FORMAT_ZERO},
        FormatCase{"NegativeZeroHasNoSign", MULTI, 1, -0.0004f, ".000", FORMAT_ZERO},
        // The millivoltmeter's own indices; its 40 mV range goes over at 39.9.
        FormatCase{"Millivolt40mVOverAt39_95", MILLIVOLT, 0, 0.03995f, "1 .  ", FORMAT_OVER},
        FormatCase{"Millivolt40mVAt39_9", MILLIVOLT, 0, 0.0399f, "39.90", FORMAT_NORMAL},
        FormatCase{"Millivolt4V", MILLIVOLT, 2, 1.0f, "1.000", FORMAT_NORMAL},
        FormatCase{"Millivolt400VOver", MILLIVOLT, 4, 500, "1  . ", FORMAT_OVER},
        FormatCase{"Millivolt400mVZero", MILLIVOLT, 1, 0.00001f, "00.0", FORMAT_ZERO},
        // The galvanometer's own indices, all in milliamperes.
        FormatCase{"Galvano20mAFiveDigits", GALVANO, 0, 0.012345f, "12.345", FORMAT_NORMAL},
        FormatCase{"Galvano200uA", GALVANO, 1, 0.00015f, "0.15", FORMAT_NORMAL},
        FormatCase{"Galvano200uAOver", GALVANO, 1, 0.0002f, "1.   ", FORMAT_OVER},
        FormatCase{"Galvano200uAZero", GALVANO, 1, 0.000004f, ".000", FORMAT_ZERO},
        FormatCase{"Galvano200mA", GALVANO, 4, -0.0505f, "-050.5", FORMAT_NORMAL},
        FormatCase{"GalvanoOutOfTable", GALVANO, 5, 0.001f, "", FORMAT_OVER}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RangeLegend, ChosenByKnobPosition) {
    const struct {
        int p;
        const char* legend;
    } cases[] = {{0, "unit200.bmp"}, {1, "unit2.bmp"}, {2, "unit20.bmp"},  {3, "unit200.bmp"},
                 {4, nullptr},       {5, "unit2.bmp"}, {6, "unit20.bmp"},  {7, "unit200.bmp"},
                 {8, "unit20.bmp"},  {9, "unit2.bmp"}, {10, "unit20.bmp"}, {11, "unit200.bmp"},
                 {12, "unit20.bmp"}, {13, nullptr},    {31, nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.p);
        EXPECT_EQ(std::string(RangeLegend(c.p) ? RangeLegend(c.p) : "none"), c.legend ? c.legend : "none");
    }
}

TEST(MeterJitter, BandsAndSteps) {
    const CMeterRange& v20 = *MultimeterRange(2);
    EXPECT_FALSE(InJitterBand(v20, 5.02f));
    EXPECT_TRUE(InJitterBand(v20, 5.03f));
    EXPECT_TRUE(InJitterBand(v20, -12.0f));
    EXPECT_TRUE(InJitterBand(v20, 15.025f));
    EXPECT_FALSE(InJitterBand(v20, 15.03f));
    EXPECT_TRUE(InJitterBand(*MultimeterRange(5), 0.001f));
    EXPECT_FALSE(InJitterBand(*MultimeterRange(5), 0.0005f));
    EXPECT_FALSE(InJitterBand(*MultimeterRange(25), 100.0f)); // ohms never jitter
    EXPECT_DOUBLE_EQ(JitterStep(v20), 0.02);
    EXPECT_DOUBLE_EQ(JitterStep(*MultimeterRange(4)), 1.0);
    EXPECT_DOUBLE_EQ(JitterStep(*MultimeterRange(0)), 0.2);
}

TEST(MeterJitter, MoveByDraw) {
    const struct {
        const char* name;
        int index;
        float value;
        int draw;
        const char* shown;
    } cases[] = {
        {"Up", 2, 12.346f, 0, "12.37"},
        {"UpToo", 2, 12.346f, 11, "12.37"},
        {"Down", 2, 12.346f, 2, "12.33"},
        {"DownToo", 2, 12.346f, 3, "12.33"},
        {"Unchanged", 2, 12.346f, 4, "12.35"},
        {"UnchangedLast", 2, 12.346f, 9, "12.35"},
        {"NegativeUpIsAwayFromZero", 1, -1.2f, 0, "-1.202"},
        {"WholeVoltStepOn1000V", 4, 500, 0, "501"},
        {"MoveOverFullScaleIsUndone", 9, 749.8f, 1, "749.8"},
        {"MoveDownNearFullScaleStays", 9, 749.8f, 2, "749.6"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FormatMultimeter(JitterMove(*MultimeterRange(c.index), c.value, c.draw), c.index).text,
                  c.shown);
    }
}

// ---- meters on a board ----

class MeterBoardTest : public BoardTest {
  protected:
    void TearDown() override { SetJitterSource({}); }

    CDCSource* DcSource(int coarse, int fine) {
        auto* s = Place<CDCSource>();
        s->m_coarse.SetPosition(coarse);
        s->m_fine.SetPosition(fine);
        s->m_power.SetOn(true);
        return s;
    }
    CACSource* AcSource() { // 10 V peak at its default knobs
        auto* s = Place<CACSource>();
        s->m_power.SetOn(true);
        return s;
    }
    CResistance* Resistor(float ohms) {
        auto* r = Place<CResistance>();
        r->m_resistance = ohms;
        return r;
    }
    template <typename M> M* Meter(int range) {
        auto* m = Place<M>();
        m->m_range.SetPosition(range);
        m->m_power.SetOn(true);
        return m;
    }
    // Two-terminal `b` across two-terminal `a`.
    void Across(CComponent* a, CComponent* b) {
        Wire(a, 0, b, 0);
        Wire(a, 1, b, 1);
    }
    // A series loop: current leaves the source `d[0]` at its terminal 0 and
    // enters every other device at its terminal 0, in order.
    void Loop(std::initializer_list<CComponent*> devices) {
        std::vector<CComponent*> d(devices);
        Wire(d.front(), 0, d[1], 0);
        for (std::size_t i = 1; i + 1 < d.size(); ++i)
            Wire(d[i], 1, d[i + 1], 0);
        Wire(d.back(), 1, d.front(), 1);
    }
    void SetRange(CDigitalMeter* m, int range) {
        m->m_range.SetPosition(range);
        ex.MarkTopologyDirty();
    }
    std::vector<std::string> Warnings() const {
        std::vector<std::string> texts;
        for (const CNotice& n : sink.notices)
            texts.push_back(n.text);
        return texts;
    }
    bool Warned(const std::string& text) const {
        for (const CNotice& n : sink.notices)
            if (n.text == text) return true;
        return false;
    }
    // The distinct warnings of the last update.
    std::set<std::string> Fresh(long long time = 0) {
        sink.notices.clear();
        Update(time);
        const auto w = Warnings();
        return {w.begin(), w.end()};
    }
};

constexpr const char* kMultiOver = "当前电路有个万用表的测量值超过当前档位量程";
constexpr const char* kMultiCoarse = "当前电路有个万用表所选量程太大，无法测量准确";
constexpr const char* kVoltCoarse = "当前电路有个数字电压表所选量程太大，无法测量准确";
constexpr const char* kVoltOver = "当前电路有个数字电压表的测量值超过当前档位量程";
constexpr const char* kAmpOver = "当前电路有个数字电流表的测量值超过当前档位量程";
constexpr const char* kAmpCoarse = "当前电路有个数字电流表所选量程太大，无法测量准确";
constexpr const char* kMilliOver = "当前电路有个交流毫伏表的测量值超过当前档位量程";
constexpr const char* kMilliCoarse = "当前电路有个交流毫伏表所选量程太大，无法测量准确";
constexpr const char* kGalvanoOver = "当前电路有个检流计的测量值超过当前档位量程";
constexpr const char* kGalvanoCoarse = "当前电路有个检流计所选量程太大，无法测量准确";
constexpr const char* kVoltAc = "请使用交流电压表测量交流电压";
constexpr const char* kAmpAc = "请使用交流电流表来测量交流电流";
constexpr const char* kMilliDc = "请使用直流电压表测量直流电压";

TEST_F(MeterBoardTest, MultimeterDcVoltsAcrossAResistor) {
    // 10 V over two 1000 ohm resistors; the meter (1e7 ohms) across the second.
    auto* s = DcSource(5, 0);
    auto* r1 = Resistor(1000);
    auto* r2 = Resistor(1000);
    Loop({s, r1, r2});
    auto* m = Meter<CMultimeter>(2);
    Across(r2, m);
    EXPECT_TRUE(Fresh().empty());
    EXPECT_EQ(m->DisplayText(), "05.00"); // 4.9997 V, just below the jitter band
    SetRange(m, 0);
    EXPECT_EQ(Fresh(), std::set<std::string>{kMultiOver});
    EXPECT_EQ(m->DisplayText(), "1  . ");
    SetRange(m, 4);
    EXPECT_EQ(Fresh(), std::set<std::string>{});
    EXPECT_EQ(m->DisplayText(), "005");
}

TEST_F(MeterBoardTest, MultimeterDcCurrentInSeries) {
    auto* s = DcSource(5, 0);
    auto* r = Resistor(1000);
    auto* m = Meter<CMultimeter>(6);
    Loop({s, m, r});
    EXPECT_TRUE(Fresh().empty());
    EXPECT_EQ(m->DisplayText(), "10.00"); // 9.9999 mA
    SetRange(m, 5);
    EXPECT_EQ(Fresh(), std::set<std::string>{kMultiOver});
    EXPECT_EQ(m->DisplayText(), "1.   ");
    SetRange(m, 8);
    EXPECT_TRUE(Fresh().empty());
    EXPECT_EQ(m->DisplayText(), "00.01");
    EXPECT_FLOAT_EQ(m->m_internalResistance, static_cast<float>(kShuntResistance));
}

TEST_F(MeterBoardTest, MultimeterAcVoltsOfTheAcSource) {
    auto* s = AcSource();
    auto* m = Meter<CMultimeter>(11);
    Across(s, m);
    EXPECT_TRUE(Fresh().empty());
    EXPECT_EQ(m->DisplayText(), "07.07"); // 10 V peak is 7.071 V r.m.s.
    SetRange(m, 12);
    EXPECT_EQ(Fresh(), std::set<std::string>{kMultiOver});
    EXPECT_EQ(m->DisplayText(), "1.   ");
    SetRange(m, 2); // a DC range on an AC circuit
    EXPECT_EQ(Fresh(), std::set<std::string>{"请使用直流档"});
    EXPECT_EQ(m->DisplayText(), "");
    EXPECT_TRUE(m->m_boardGroup.itemsA.empty());
}

TEST_F(MeterBoardTest, MultimeterAcRangeOnADcCircuit) {
    auto* s = DcSource(5, 0);
    auto* r = Resistor(1000);
    auto* amps = Meter<CMultimeter>(22);
    Loop({s, amps, r});
    auto* volts = Meter<CMultimeter>(11);
    Across(r, volts);
    EXPECT_EQ(Fresh(), std::set<std::string>{"请使用交流档"});
    EXPECT_EQ(volts->DisplayText(), "");
    EXPECT_EQ(amps->DisplayText(), "");
}

struct OhmCase {
    const char* name;
    int range;
    float ohms; // 0: nothing connected
    const char* text;
    const char* warning;
};

class MultimeterOhmsTest : public MeterBoardTest, public ::testing::WithParamInterface<OhmCase> {};

TEST_P(MultimeterOhmsTest, ReadsTheResistorThroughItsTestSource) {
    const OhmCase& c = GetParam();
    auto* m = Meter<CMultimeter>(c.range);
    if (c.ohms > 0) Across(Resistor(c.ohms), m);
    const auto warnings = Fresh();
    EXPECT_EQ(m->DisplayText(), c.text);
    const std::set<std::string> expected =
        *c.warning ? std::set<std::string>{c.warning} : std::set<std::string>{};
    EXPECT_EQ(warnings, expected);
    if (c.ohms > 0) {
        EXPECT_NEAR(m->m_lastResistance, c.ohms, c.ohms * 1e-5);
    }
    EXPECT_FLOAT_EQ(m->m_internalResistance, static_cast<float>(kShuntResistance));
}

INSTANTIATE_TEST_SUITE_P(Meters, MultimeterOhmsTest,
                         ::testing::Values(OhmCase{"Hundred_200", 25, 100, "100.0", kNoWarning},
                                           OhmCase{"OnePointFiveK_2k", 26, 1500, "1.500", kNoWarning},
                                           OhmCase{"FourPointSevenK_20k", 27, 4700, "04.70", kNoWarning},
                                           OhmCase{"HundredK_200k", 28, 100000, "100.0", kNoWarning},
                                           OhmCase{"OneK_200IsOver", 25, 1000, "1  . ", kMultiOver},
                                           OhmCase{"Hundred_200MIsTooCoarse", 31, 100, "00.0", kMultiCoarse},
                                           OhmCase{"OpenLeadsShowZero", 26, 0, ".000", kNoWarning}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MeterBoardTest, MultimeterUnavailablePositionsWarnWhateverIsConnected) {
    auto* s = DcSource(5, 0);
    auto* m = Meter<CMultimeter>(16);
    Loop({s, m, Resistor(1000)});
    for (int p : {14, 16, 19, 24}) {
        SCOPED_TRACE(p);
        SetRange(m, p);
        EXPECT_EQ(Fresh(), std::set<std::string>{"目前该挡值暂时不支持"});
        EXPECT_EQ(m->DisplayText(), "");
    }
}

TEST_F(MeterBoardTest, MultimeterCopiesItsResistanceEveryUpdate) {
    auto* m = Meter<CMultimeter>(5);
    m->m_power.SetOn(false); // even while off
    Update();
    EXPECT_FLOAT_EQ(m->m_internalResistance, static_cast<float>(kShuntResistance));
    SetRange(m, 13);
    Update();
    EXPECT_FLOAT_EQ(m->m_internalResistance, 1e7f);
}

TEST_F(MeterBoardTest, PoweredOffMetersShowNothing) {
    auto* s = DcSource(5, 0);
    auto* r = Resistor(1000);
    auto* ammeter = Meter<CDCAmmeter>(2);
    auto* galvanometer = Meter<CGalvanometer>(4);
    Loop({s, ammeter, galvanometer, r});
    std::vector<CDigitalMeter*> meters = {Meter<CMultimeter>(2), Meter<CDCVoltmeter>(2)};
    for (CDigitalMeter* m : meters)
        Across(r, m);
    meters.push_back(ammeter);
    meters.push_back(galvanometer);
    Update();
    for (CDigitalMeter* m : meters)
        EXPECT_FALSE(m->m_boardGroup.itemsA.empty()) << m->m_name;
    auto* millivolts = Meter<CACMillivoltmeter>(2);
    Across(AcSource(), millivolts);
    Update();
    EXPECT_FALSE(millivolts->m_boardGroup.itemsA.empty());
    meters.push_back(millivolts);
    for (CDigitalMeter* m : meters) {
        m->m_power.SetOn(false);
        ex.MarkTopologyDirty();
    }
    EXPECT_TRUE(Fresh().empty());
    for (CDigitalMeter* m : meters) {
        SCOPED_TRACE(m->m_name);
        EXPECT_EQ(m->DisplayText(), "");
        EXPECT_TRUE(m->m_boardGroup.itemsA.empty());
        EXPECT_TRUE(m->m_panelGroup.itemsA.empty());
    }
}

TEST_F(MeterBoardTest, DisplayPlacementOnBoardAndPanel) {
    auto* s = DcSource(5, 0);
    auto* m = Meter<CMultimeter>(2);
    Across(s, m);
    Update();
    ASSERT_EQ(m->DisplayText(), "10.00");
    const auto& board = m->m_boardGroup.itemsA;
    const auto& panel = m->m_panelGroup.itemsA;
    ASSERT_FALSE(board.empty());
    ASSERT_EQ(board.size(), panel.size());
    // The last character is drawn first, flush with the window's right edge.
    EXPECT_FLOAT_EQ(board.front().right, m->m_region[2] - 20.5f);
    EXPECT_FLOAT_EQ(board.front().top, m->m_region[1] + 16.5f);
    EXPECT_FLOAT_EQ(board.front().bottom, m->m_region[1] + 46.5f);
    EXPECT_FLOAT_EQ(panel.front().right, 199.5f);
    EXPECT_FLOAT_EQ(panel.front().top, 16.5f);
    // The legend of position 2 sits left of the leftmost digit.
    const CDrawItem& legend = board.back();
    EXPECT_EQ(legend.texture, "unit20.bmp");
    for (std::size_t i = 0; i + 1 < board.size(); ++i)
        EXPECT_LE(legend.right, board[i].left);
    SetRange(m, 4); // no legend on the 1000 V range
    Update();
    for (const CDrawItem& item : m->m_boardGroup.itemsA)
        EXPECT_EQ(item.texture, sheet::kPicture);
}

// ---- jitter of a multimeter reading with a fixed sequence of draws ----

class MultimeterJitterTest : public MeterBoardTest {
  protected:
    // A powered multimeter whose own element reads `volts` (and the current
    // its 1e7 ohms draw), without solving anything.
    CMultimeter* Reading(int range, double volts) {
        m = Meter<CMultimeter>(range);
        ex.RebuildTopology();
        Set(volts);
        return m;
    }
    void Set(double volts) {
        CBranchResult& r = m->m_branches.at(0)->m_result;
        r.m_vol.para_array[0] = volts;
        r.m_elec.para_array[0] = volts / 1e7;
    }
    std::string At(long long time) {
        m->Update(CUpdateContext{&sink, time});
        return m->DisplayText();
    }
    void Draws(std::vector<int> draws) {
        auto next = std::make_shared<std::size_t>(0);
        SetJitterSource([draws, next] { return draws[(*next)++ % draws.size()]; });
    }
    CMultimeter* m = nullptr;
};

TEST_F(MultimeterJitterTest, HoldsEachValueForASecond) {
    Reading(1, 1.2);
    Draws({0, 5, 2, 9});
    EXPECT_EQ(At(0), "1.200"); // a new reading shows exactly
    EXPECT_EQ(At(999), "1.200");
    EXPECT_EQ(At(1000), "1.202"); // draw 0: one step (two counts) up
    EXPECT_EQ(At(1999), "1.202");
    EXPECT_EQ(At(2000), "1.200"); // draw 5: unchanged
    EXPECT_EQ(At(3000), "1.198"); // draw 2: one step down
    EXPECT_EQ(At(3500), "1.198");
    Set(1.3);
    EXPECT_EQ(At(3600), "1.300"); // a changed reading shows at once
    EXPECT_EQ(At(4599), "1.300");
}

TEST_F(MultimeterJitterTest, StaysWithinOneStepOverManyDraws) {
    Reading(2, 12.346);
    Draws({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 13, 21});
    const std::set<std::string> allowed = {"12.33", "12.35", "12.37"};
    std::set<std::string> seen;
    std::string last = At(0);
    long long lastChange = 0;
    for (long long t = 100; t <= 60000; t += 100) {
        const std::string text = At(t);
        ASSERT_TRUE(allowed.count(text)) << text << " at " << t;
        if (text != last) {
            EXPECT_GE(t - lastChange, 1000) << "changed again after " << t - lastChange << " ms";
            lastChange = t;
        }
        last = text;
        seen.insert(text);
    }
    EXPECT_EQ(seen, allowed);
}

TEST_F(MultimeterJitterTest, OutsideTheBandShowsTheExactReading) {
    Reading(1, 1.8); // the 2 V range jitters only from 0.5 to 1.5 V
    Draws({0});
    for (long long t = 0; t <= 5000; t += 500)
        EXPECT_EQ(At(t), "1.800");
}

// ---- warnings by condition, from given results ----

struct Inject {
    double current = 0, volts = 0;
    double peakCurrent = 0, peakVolts = 0;
    bool sine = false;
};

struct WarningCase {
    const char* name;
    int type;
    int range;
    Inject in;
    const char* text;
    const char* warning;
};

class MeterWarningTest : public MeterBoardTest, public ::testing::WithParamInterface<WarningCase> {
  protected:
    CDigitalMeter* Make(int type, int range) {
        switch (type) {
        case TYPE_MULTIMETER:
            return Meter<CMultimeter>(range);
        case TYPE_DC_VOLTMETER:
            return Meter<CDCVoltmeter>(range);
        case TYPE_DC_AMMETER:
            return Meter<CDCAmmeter>(range);
        case TYPE_AC_MILLIVOLTMETER:
            return Meter<CACMillivoltmeter>(range);
        default:
            return Meter<CGalvanometer>(range);
        }
    }
};

TEST_P(MeterWarningTest, WarnsOnItsCondition) {
    const WarningCase& c = GetParam();
    CDigitalMeter* m = Make(c.type, c.range);
    ex.RebuildTopology();
    ASSERT_FALSE(m->m_branches.empty());
    CBranch& element = *m->m_branches.front();
    element.m_result.m_elec.para_array[0] = c.in.current;
    element.m_result.m_vol.para_array[0] = c.in.volts;
    element.m_result.m_elec.wave_array[0] = c.in.peakCurrent;
    element.m_result.m_vol.wave_array[0] = c.in.peakVolts;
    element.m_solverMark = c.in.sine ? 100 : 0;
    m->Update(CUpdateContext{&sink, 0});
    EXPECT_EQ(m->DisplayText(), c.text);
    if (*c.warning) {
        ASSERT_EQ(sink.notices.size(), 1u);
        const CNotice& n = sink.notices.front();
        EXPECT_EQ(n.text, c.warning);
        EXPECT_EQ(n.kind, NOTICE_WARNING);
        EXPECT_EQ(n.duration, 0);
        EXPECT_EQ(n.x, -1);
        EXPECT_EQ(n.y, -1);
        EXPECT_EQ(n.active, 1);
    } else {
        EXPECT_TRUE(sink.notices.empty()) << sink.notices.front().text;
    }
}

const double kPeakOf = std::sqrt(2.0); // r.m.s. to peak

INSTANTIATE_TEST_SUITE_P(
    Meters, MeterWarningTest,
    ::testing::Values(
        // Multimeter
        WarningCase{"MultiOverWithCurrent", TYPE_MULTIMETER, 1, {2.5e-7, 2.5}, "1.   ", kMultiOver},
        WarningCase{"MultiOverWithoutCurrentIsQuiet", TYPE_MULTIMETER, 1, {5e-8, 2.5}, "1.   ", kNoWarning},
        WarningCase{"MultiTooCoarse", TYPE_MULTIMETER, 4, {4e-7, 0.4}, "000", kMultiCoarse},
        WarningCase{"MultiAcCurrentCountsForWarnings",
                    TYPE_MULTIMETER,
                    21,
                    {0, 0, 0.25 * kPeakOf, 0, true},
                    "1  . ",
                    kMultiOver},
        WarningCase{"MultiAcOnDcRange", TYPE_MULTIMETER, 6, {0, 0, 0.01, 1, true}, "", "请使用直流档"},
        WarningCase{"MultiDcOnAcAmpRange", TYPE_MULTIMETER, 22, {0.01}, "", "请使用交流档"},
        WarningCase{"MultiNothingOnAcVoltRange", TYPE_MULTIMETER, 12, {}, ".000", kNoWarning},
        WarningCase{"MultiUnsupported", TYPE_MULTIMETER, 24, {0.01, 1}, "", "目前该挡值暂时不支持"},
        // Digital voltmeter
        WarningCase{"VoltmeterAc", TYPE_DC_VOLTMETER, 2, {0, 0, 0, 5, true}, "", kVoltAc},
        WarningCase{
            "Voltmeter1000VReadingFourTenthsOfAVolt", TYPE_DC_VOLTMETER, 4, {0, 0.4}, "000", kVoltCoarse},
        WarningCase{"VoltmeterOver", TYPE_DC_VOLTMETER, 0, {0, -0.25}, "1  . ", kVoltOver},
        WarningCase{"VoltmeterTinyIsQuiet", TYPE_DC_VOLTMETER, 4, {0, 0.00005}, "000", kNoWarning},
        WarningCase{"VoltmeterNormal", TYPE_DC_VOLTMETER, 1, {0, 1.234}, "1.234", kNoWarning},
        // Digital ammeter: knob positions are the ranges 2 mA to 20 A
        WarningCase{"AmmeterAc", TYPE_DC_AMMETER, 1, {0, 0, 0.01, 0, true}, "", kAmpAc},
        WarningCase{"AmmeterOver", TYPE_DC_AMMETER, 0, {0.003}, "1.   ", kAmpOver},
        WarningCase{"AmmeterTooCoarse", TYPE_DC_AMMETER, 3, {0.001}, "0.00", kAmpCoarse},
        WarningCase{"AmmeterBelowTenthMicroampIsQuiet", TYPE_DC_AMMETER, 3, {5e-8}, "0.00", kNoWarning},
        WarningCase{"AmmeterNormal", TYPE_DC_AMMETER, 1, {0.0125}, "12.50", kNoWarning},
        // AC millivoltmeter
        WarningCase{"Millivolt40mVOver",
                    TYPE_AC_MILLIVOLTMETER,
                    0,
                    {0, 0, 0, 0.03995 * kPeakOf, true},
                    "1 .  ",
                    kMilliOver},
        WarningCase{"MillivoltTooCoarse",
                    TYPE_AC_MILLIVOLTMETER,
                    4,
                    {0, 0, 0, 0.01 * kPeakOf, true},
                    "00.0",
                    kMilliCoarse},
        WarningCase{
            "MillivoltAc", TYPE_AC_MILLIVOLTMETER, 2, {0, 0, 0, 1.5 * kPeakOf, true}, "1.500", kNoWarning},
        WarningCase{"MillivoltDcOneVolt", TYPE_AC_MILLIVOLTMETER, 2, {0, 1.0}, "", kMilliDc},
        // "0.500" has three '0' characters, but it is half a volt, not zero.
        WarningCase{
            "MillivoltDcHalfVoltIsNotAZeroReading", TYPE_AC_MILLIVOLTMETER, 2, {0, 0.5}, "", kMilliDc},
        WarningCase{"MillivoltDcZeroIsShown", TYPE_AC_MILLIVOLTMETER, 2, {}, ".000", kNoWarning},
        // Galvanometer
        WarningCase{"GalvanoOver", TYPE_GALVANOMETER, 1, {0.0003}, "1.   ", kGalvanoOver},
        WarningCase{"GalvanoTooCoarse", TYPE_GALVANOMETER, 4, {1e-5}, "00.0", kGalvanoCoarse},
        WarningCase{"GalvanoBelowTenthMicroampIsQuiet", TYPE_GALVANOMETER, 2, {5e-8}, ".000", kNoWarning},
        WarningCase{
            "GalvanoHasNoAcCheck", TYPE_GALVANOMETER, 0, {0.0123, 0, 0, 0, true}, "12.300", kNoWarning}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- the digital ammeter and the plug board ----

TEST_F(MeterBoardTest, AmmeterPluggedIntoABoardReadsTheBoard) {
    auto* s = DcSource(5, 0);
    auto* r = Resistor(1000);
    auto* board = Place<CAmmeterPlugBoard>();
    Loop({s, board, r});
    auto* a = Meter<CDCAmmeter>(1); // its own terminals are left open
    Update();
    EXPECT_EQ(a->DisplayText(), "0.00");
    a->m_plugBoard = board;
    Update();
    EXPECT_EQ(a->DisplayText(), "0.00"); // the board does not know it yet
    board->m_ammeter = a;
    Update();
    EXPECT_EQ(a->DisplayText(), "10.00");
    a->m_plugBoard = nullptr;
    board->m_ammeter = nullptr;
    Update();
    EXPECT_EQ(a->DisplayText(), "0.00");
}

// The link may outlive the board; the meter must never read through it.
TEST_F(MeterBoardTest, AmmeterNeverReadsARemovedPlugBoard) {
    auto* s = DcSource(5, 0);
    auto* r = Resistor(1000);
    auto* board = Place<CAmmeterPlugBoard>();
    Loop({s, board, r});
    auto* a = Meter<CDCAmmeter>(1);
    a->m_plugBoard = board;
    board->m_ammeter = a;
    Update();
    ASSERT_EQ(a->DisplayText(), "10.00");
    ex.RemoveObject(board);
    delete board; // as the experiment does when it is cleared
    Update();
    EXPECT_EQ(a->DisplayText(), "0.00");
    EXPECT_EQ(a->ReadPlugBoard(), nullptr);
}

// ---- panels ----

struct PanelCase {
    const char* name;
    std::function<CDigitalMeter*()> make;
    int items, controls;
    CPanelRect knob, power;
    int knobMin, knobMax, knobDefault;
};

class MeterPanelTest : public ::testing::TestWithParam<PanelCase> {};

template <typename M> std::function<CDigitalMeter*()> New() {
    return [] { return new M(); };
}

TEST_P(MeterPanelTest, LayoutAndPowerButton) {
    const PanelCase& c = GetParam();
    std::unique_ptr<CDigitalMeter> m(c.make());
    EXPECT_EQ(m->PanelItemCount(), c.items);
    EXPECT_EQ(m->PanelControlCount(), c.controls);
    ASSERT_EQ(m->m_controls.size(), 2u);
    EXPECT_EQ(m->m_controls[0], &m->m_range);
    EXPECT_EQ(m->m_controls[1], &m->m_power);
    EXPECT_EQ(m->m_range.m_itemIndex, 1);
    EXPECT_EQ(m->m_power.m_itemIndex, 2);
    const CPanelRect k = m->m_range.GetRect(), p = m->m_power.GetRect();
    EXPECT_EQ((std::vector<float>{k.left, k.top, k.right, k.bottom}),
              (std::vector<float>{c.knob.left, c.knob.top, c.knob.right, c.knob.bottom}));
    EXPECT_EQ((std::vector<float>{p.left, p.top, p.right, p.bottom}),
              (std::vector<float>{c.power.left, c.power.top, c.power.right, c.power.bottom}));
    EXPECT_EQ(m->m_range.m_minimum, c.knobMin);
    EXPECT_EQ(m->m_range.m_maximum, c.knobMax);
    EXPECT_EQ(m->Range(), c.knobDefault);
    EXPECT_EQ(m->m_range.m_label, "量程选择");
    EXPECT_EQ(m->m_power.m_label, "开关");
    EXPECT_FALSE(m->IsPowered());

    const float px = (c.power.left + c.power.right) / 2, py = (c.power.top + c.power.bottom) / 2;
    const CDrawItem& button = m->m_panelGroup.itemsB.at(2);
    m->PanelButtonDown(px, py);
    EXPECT_TRUE(m->IsPowered());
    EXPECT_FLOAT_EQ(button.u[0], sheet::kPowerOn.left);
    m->PanelButtonDown(px, py);
    EXPECT_FALSE(m->IsPowered());
    EXPECT_FLOAT_EQ(button.u[0], sheet::kPowerOff.left);

    // A click on the knob offers step buttons that move it.
    m->PanelButtonDown((c.knob.left + c.knob.right) / 2, (c.knob.top + c.knob.bottom) / 2);
    ASSERT_TRUE(m->StepButtonsShown());
    const CPanelRect up = m->m_controls.back()->GetRect();
    m->PanelButtonDown((up.left + up.right) / 2, (up.top + up.bottom) / 2);
    EXPECT_EQ(m->Range(), c.knobDefault + 1);
}

INSTANTIATE_TEST_SUITE_P(
    Meters, MeterPanelTest,
    ::testing::Values(
        PanelCase{"Multimeter", New<CMultimeter>(), 4, 2, {5, 100, 215, 300}, {160, 75, 205, 95}, 0, 31, 0},
        PanelCase{"DcVoltmeter", New<CDCVoltmeter>(), 3, 2, {0, 80, 113, 170}, {165, 130, 225, 155}, 0, 4, 2},
        PanelCase{"DcAmmeter", New<CDCAmmeter>(), 3, 2, {0, 80, 113, 170}, {165, 130, 225, 155}, 0, 3, 2},
        PanelCase{"AcMillivoltmeter",
                  New<CACMillivoltmeter>(),
                  3,
                  2,
                  {233, 10, 313, 70},
                  {255, 100, 315, 125},
                  0,
                  4,
                  2},
        PanelCase{
            "Galvanometer", New<CGalvanometer>(), 3, 2, {233, 0, 313, 70}, {255, 100, 315, 125}, 0, 4, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MeterPanel, MultimeterKnobWrapsBelowZero) {
    CMultimeter m;
    m.StepControl(m.m_range, -1);
    EXPECT_EQ(m.Range(), 31);
    m.StepControl(m.m_range, +1);
    EXPECT_EQ(m.Range(), 0);
}

// ---- the file-only meters ----

TEST_F(MeterBoardTest, FileMetersReadOnTheFinestRangeThatHoldsTheReading) {
    auto* s = DcSource(5, 0);
    auto* r = Resistor(1000);
    auto* amps = Place<CAmmeter>();
    Loop({s, amps, r});
    auto* volts = Place<CVoltmeter>();
    Across(r, volts);
    EXPECT_TRUE(Fresh().empty());
    EXPECT_EQ(volts->DisplayText(), "10.00");
    EXPECT_EQ(volts->ShownRange(), 2);
    EXPECT_EQ(amps->DisplayText(), "10.01"); // the voltmeter's 10 uA included
    EXPECT_EQ(amps->ShownRange(), 6);
    // Half-size digits inside the 50 x 50 body.
    for (const CDrawItem& item : volts->m_boardGroup.itemsA) {
        EXPECT_GE(item.left, volts->m_region[0]);
        EXPECT_LE(item.right, volts->m_region[2]);
    }
    EXPECT_TRUE(volts->m_panelGroup.itemsA.empty());
}

TEST_F(MeterBoardTest, FileMetersWithoutResultsOrBeyondEveryRange) {
    auto* volts = Place<CVoltmeter>();
    volts->Update(CUpdateContext{&sink, 0}); // never rebuilt: no branch
    EXPECT_EQ(volts->DisplayText(), "");
    Update(); // open leads read zero, which is no fault
    EXPECT_EQ(volts->DisplayText(), "00.0");
    EXPECT_TRUE(sink.notices.empty());
    volts->m_branches.at(0)->m_result.m_vol.para_array[0] = 2000;
    volts->Update(CUpdateContext{&sink, 0});
    EXPECT_EQ(volts->DisplayText(), "1   ");
    // The same overload text every other device posts.
    EXPECT_EQ(Warnings(), std::vector<std::string>{"当前电路有若干个器材短路或过载"});
}

} // namespace
} // namespace ampera::testing
