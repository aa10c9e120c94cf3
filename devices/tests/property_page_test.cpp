// Property pages: the page description's limits, validation and apply, and
// what each device kind puts on its pages.
#include "board_fixture.h"

#include "devices/ac_millivoltmeter.h"
#include "devices/ac_source.h"
#include "devices/ammeter_plug_board.h"
#include "devices/capacitance.h"
#include "devices/capacitance_box.h"
#include "devices/dc_ammeter.h"
#include "devices/dc_source.h"
#include "devices/dc_voltmeter.h"
#include "devices/diode.h"
#include "devices/double_switch.h"
#include "devices/galvanometer.h"
#include "devices/inductance.h"
#include "devices/level_meter.h"
#include "devices/multimeter.h"
#include "devices/oscilloscope.h"
#include "devices/property_page.h"
#include "devices/resistance.h"
#include "devices/resistance_box.h"
#include "devices/resistance_wire.h"
#include "devices/signal_generator.h"
#include "devices/single_switch.h"
#include "devices/slide_rheostat.h"
#include "devices/vertical_double_switch.h"
#include "devices/voltmeter.h"

#include <functional>
#include <memory>
#include <ostream>

namespace ampera::testing {
namespace {

constexpr CPageRect kRect{0, 0, 10, 10};

// The texts the fields show first: what the window offers when the user
// applies without typing anything.
std::vector<std::string> ShownTexts(const CPropertyPage& page) {
    std::vector<std::string> texts;
    for (const CPageEdit& edit : page.edits)
        texts.push_back(edit.text);
    return texts;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// ---- apply rules on hand-made pages ----

TEST(PropertyPageApply, GroupedThousandsStoreAndShowThePlainNumber) {
    int value = 7;
    CPropertyPage page;
    page.AddIntEdit(kRect, "7", &value, 0, 5000);
    const CApplyResult result = ApplyPage(page, {"1,000"}, {});
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(value, 1000);
    EXPECT_EQ(result.shownTexts, std::vector<std::string>{"1000"});
}

TEST(PropertyPageApply, OneFieldOutOfRangeWritesNoneOfThem) {
    int count = 3;
    float ohms = 10;
    std::string name = "R1";
    CPropertyPage page;
    page.AddIntEdit(kRect, "3", &count, 0, 100);
    page.AddSingleEdit(kRect, "10", &ohms, 1, 999999);
    page.AddTextEdit(kRect, "R1", &name);

    const CApplyResult bad = ApplyPage(page, {"50", "0", "R2"}, {});
    EXPECT_FALSE(bad.ok);
    EXPECT_EQ(bad.badField, 1);
    EXPECT_TRUE(bad.shownTexts.empty());
    EXPECT_EQ(count, 3);
    EXPECT_EQ(ohms, 10);
    EXPECT_EQ(name, "R1");

    const CApplyResult good = ApplyPage(page, {"50", "2,200.5", "R2"}, {});
    ASSERT_TRUE(good.ok);
    EXPECT_EQ(count, 50);
    EXPECT_FLOAT_EQ(ohms, 2200.5f);
    EXPECT_EQ(name, "R2");
    EXPECT_EQ(good.shownTexts, (std::vector<std::string>{"50", "2200.500000", "R2"}));
}

struct FieldCase {
    const char* what;
    int kind;
    double min, max;
    const char* typed;
    bool valid;
};

std::ostream& operator<<(std::ostream& os, const FieldCase& c) {
    return os << c.what << " \"" << c.typed << "\"";
}

class FieldValidation : public ::testing::TestWithParam<FieldCase> {};

TEST_P(FieldValidation, TypedTextIsCheckedAsTyped) {
    const FieldCase& c = GetParam();
    int i = 0;
    float f = 0;
    double d = 0;
    std::string s;
    CPropertyPage page;
    switch (c.kind) {
    case EDIT_INTEGER:
        page.AddIntEdit(kRect, "", &i, static_cast<int>(c.min), static_cast<int>(c.max));
        break;
    case EDIT_SINGLE:
        page.AddSingleEdit(kRect, "", &f, static_cast<float>(c.min), static_cast<float>(c.max));
        break;
    case EDIT_DOUBLE:
        page.AddDoubleEdit(kRect, "", &d, c.min, c.max);
        break;
    default:
        page.AddTextEdit(kRect, "", &s);
        break;
    }
    const CApplyResult result = ValidatePage(page, {c.typed});
    EXPECT_EQ(result.ok, c.valid);
    EXPECT_EQ(result.badField, c.valid ? -1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FieldValidation,
    ::testing::Values(FieldCase{"integer", EDIT_INTEGER, 0, 5000, "42", true},
                      FieldCase{"integer padded", EDIT_INTEGER, 0, 5000, " 42  ", true},
                      FieldCase{"integer at maximum", EDIT_INTEGER, 0, 5000, "5000", true},
                      FieldCase{"integer above", EDIT_INTEGER, 0, 5000, "5001", false},
                      FieldCase{"integer negative below", EDIT_INTEGER, 0, 5000, "-1", false},
                      FieldCase{"integer with plus", EDIT_INTEGER, 0, 5000, "+7", true},
                      FieldCase{"integer fraction", EDIT_INTEGER, 0, 5000, "12.5", false},
                      FieldCase{"integer exponent", EDIT_INTEGER, 0, 5000, "1e3", false},
                      FieldCase{"integer trailing letters", EDIT_INTEGER, 0, 5000, "12ab", false},
                      FieldCase{"integer empty", EDIT_INTEGER, 0, 5000, "", false},
                      FieldCase{"integer only commas", EDIT_INTEGER, 0, 5000, ",,", false},
                      FieldCase{"integer overflowing", EDIT_INTEGER, 0, 5000, "99999999999", false},
                      FieldCase{"single", EDIT_SINGLE, 1, 999999, "470.5", true},
                      FieldCase{"single grouped", EDIT_SINGLE, 1, 999999, "1,000.5", true},
                      FieldCase{"single exponent", EDIT_SINGLE, 1, 999999, "4.7e3", true},
                      FieldCase{"single at a rounded minimum", EDIT_SINGLE, 0.1, 1000, "0.1", true},
                      FieldCase{"single just below", EDIT_SINGLE, 0.1, 1000, "0.09", false},
                      FieldCase{"single nan", EDIT_SINGLE, -1e30, 1e30, "nan", false},
                      FieldCase{"single inf", EDIT_SINGLE, -1e30, 1e30, "inf", false},
                      FieldCase{"single beyond float", EDIT_SINGLE, -1e30, 1e30, "1e39", false},
                      FieldCase{"single hexadecimal", EDIT_SINGLE, 0, 1e6, "0x10", false},
                      FieldCase{"single two signs", EDIT_SINGLE, -10, 10, "+-5", false},
                      FieldCase{"single words", EDIT_SINGLE, 0, 10, "five", false},
                      FieldCase{"double", EDIT_DOUBLE, 0, 1, "0.25", true},
                      FieldCase{"double overflowing", EDIT_DOUBLE, -1e308, 1e308, "1e400", false},
                      FieldCase{"double infinity", EDIT_DOUBLE, -1e308, 1e308, "-infinity", false},
                      FieldCase{"text", EDIT_TEXT, 0, 0, "电阻 R1", true},
                      FieldCase{"text empty", EDIT_TEXT, 0, 0, "", true},
                      FieldCase{"text with <", EDIT_TEXT, 0, 0, "R<1", false},
                      FieldCase{"text with >", EDIT_TEXT, 0, 0, "R1>", false}));

TEST(PropertyPageApply, ChoicesAndTextsAreStoredWithoutCommas) {
    int choice = 0, other = 2;
    std::string name;
    CPropertyPage page;
    page.AddChoice(kRect, {"a", "b", "c"}, &choice);
    page.AddChoice(kRect, {"a", "b", "c"}, &other);
    page.AddTextEdit(kRect, "", &name);
    const CApplyResult result = ApplyPage(page, {"R,1"}, {1, 7});
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(choice, 1);
    EXPECT_EQ(other, 2); // an index the list does not hold selects nothing
    EXPECT_EQ(name, "R1");
    EXPECT_EQ(result.shownTexts, std::vector<std::string>{"R1"});
}

TEST(PropertyPageLimits, EntriesBeyondTheLimitsAreIgnored) {
    CPropertyPage page;
    int target = 0;
    for (int i = 0; i < 8; ++i)
        page.AddText(kRect, "t" + std::to_string(i));
    for (int i = 0; i < 4; ++i)
        page.AddIntEdit(kRect, std::to_string(i), &target, 0, 10);
    for (int i = 0; i < 11; ++i)
        page.AddChoice(kRect, {}, &target);
    for (int i = 0; i < 201; ++i)
        page.AddPicture(kRect, "p.bmp");
    page.AddSpin(0, 0, kRect);
    page.AddSpin(1, 5, kRect);
    EXPECT_EQ(page.texts.size(), 7u);
    EXPECT_EQ(page.texts.back().text, "t6");
    ASSERT_EQ(page.edits.size(), 3u);
    EXPECT_EQ(page.edits.back().text, "2");
    EXPECT_EQ(page.choices.size(), 10u);
    EXPECT_EQ(page.pictures.size(), 200u);
    ASSERT_EQ(page.spins.size(), 1u);
    EXPECT_EQ(page.spins[0].position, CPropertyPage::kSpinMin); // kept within 1..999999

    // A field holds at most 100 characters, counted as characters, not bytes.
    std::string name;
    CPropertyPage names;
    std::string longName;
    for (int i = 0; i < 120; ++i)
        longName += "阻";
    names.AddTextEdit(kRect, longName, &name);
    ASSERT_TRUE(ApplyPage(names, {longName}, {}).ok);
    EXPECT_EQ(names.edits[0].text.size(), 300u);
    EXPECT_EQ(name.size(), 300u);
}

// ---- device pages ----

class DevicePageTest : public BoardTest {
  public:
    template <typename D> CDevice* PlaceKind() { return Place<D>(); }
};

TEST_F(DevicePageTest, NewResistorShowsItsValuesAndSpin) {
    auto* r = Place<CResistance>();
    CPropertyPage page;
    r->FillPropertyPage(page);
    EXPECT_EQ(page.window.Width(), 250);
    EXPECT_EQ(page.window.Height(), 300);
    ASSERT_EQ(page.edits.size(), 3u);
    EXPECT_EQ(page.edits[0].text, "1000  ");
    EXPECT_EQ(page.edits[1].text, r->m_name);
    EXPECT_EQ(page.edits[2].text, "2.000000");
    ASSERT_EQ(page.spins.size(), 1u);
    EXPECT_EQ(page.spins[0].edit, 0);
    EXPECT_EQ(page.spins[0].position, 1000);
    EXPECT_EQ(page.texts.size(), 6u);

    // Applying the untouched page changes nothing.
    ASSERT_TRUE(ApplyPage(page, ShownTexts(page), {}).ok);
    EXPECT_EQ(r->m_resistance, 1000);
    EXPECT_EQ(r->m_ratedPower, 2.0f);

    const CApplyResult result = ApplyPage(page, {"470", "R负载", "0.5"}, {});
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(r->m_resistance, 470);
    EXPECT_EQ(r->m_name, "R负载");
    EXPECT_EQ(r->m_ratedPower, 0.5f);
    EXPECT_EQ(result.shownTexts, (std::vector<std::string>{"470.000000", "R负载", "0.500000"}));

    // A resistance from a file beyond the spin range starts the spin at its end.
    r->m_resistance = 5e9f;
    CPropertyPage big;
    r->FillPropertyPage(big);
    EXPECT_EQ(big.spins.at(0).position, CPropertyPage::kSpinMax);
}

struct ValueCase {
    const char* what;
    std::function<CDevice*(DevicePageTest&)> place;
    std::size_t field;
    const char* typed;
    bool accepted;
    std::function<double(const CDevice&)> read; // the device field the entry targets
    double stored;                              // its value after a successful apply
};

std::ostream& operator<<(std::ostream& os, const ValueCase& c) {
    return os << c.what << " \"" << c.typed << "\"";
}

template <typename D> std::function<CDevice*(DevicePageTest&)> Placer() {
    return [](DevicePageTest& t) -> CDevice* { return t.PlaceKind<D>(); };
}

double InternalResistance(const CDevice& d) {
    return d.m_internalResistance;
}

class DeviceValueTest : public DevicePageTest, public ::testing::WithParamInterface<ValueCase> {};

TEST_P(DeviceValueTest, RangeDecidesWhetherTheValueIsWritten) {
    const ValueCase& c = GetParam();
    CDevice* device = c.place(*this);
    const double before = c.read(*device);
    const std::string name = device->m_name;

    CPropertyPage page;
    device->FillPropertyPage(page);
    std::vector<std::string> typed = ShownTexts(page);
    ASSERT_LT(c.field, typed.size());
    typed[c.field] = c.typed;
    // The name changes too, so a refused apply visibly writes nothing at all.
    for (std::size_t i = 0; i < page.edits.size(); ++i)
        if (page.edits[i].kind == EDIT_TEXT) typed[i] = "新名字";

    const CApplyResult result = ApplyPage(page, typed, {});
    EXPECT_EQ(result.ok, c.accepted);
    if (c.accepted) {
        EXPECT_DOUBLE_EQ(c.read(*device), c.stored);
        EXPECT_EQ(device->m_name, "新名字");
    } else {
        EXPECT_EQ(result.badField, static_cast<int>(c.field));
        EXPECT_EQ(c.read(*device), before);
        EXPECT_EQ(device->m_name, name);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DeviceValueTest,
    ::testing::Values(
        ValueCase{"resistor 0 ohm", Placer<CResistance>(), 0, "0", false,
                  [](const CDevice& d) { return double(static_cast<const CResistance&>(d).m_resistance); },
                  0},
        ValueCase{"resistor 1 ohm", Placer<CResistance>(), 0, "1", true,
                  [](const CDevice& d) { return double(static_cast<const CResistance&>(d).m_resistance); },
                  1},
        ValueCase{"resistor rated power 0.05", Placer<CResistance>(), 2, "0.05", false,
                  [](const CDevice& d) { return double(static_cast<const CResistance&>(d).m_ratedPower); },
                  0},
        ValueCase{
            "rheostat total 50", Placer<CSlideRheostat>(), 0, "50", false,
            [](const CDevice& d) { return double(static_cast<const CSlideRheostat&>(d).m_totalResistance); },
            0},
        ValueCase{
            "rheostat total 2,500", Placer<CSlideRheostat>(), 0, "2,500", true,
            [](const CDevice& d) { return double(static_cast<const CSlideRheostat&>(d).m_totalResistance); },
            2500},
        ValueCase{
            "rheostat total 150.5", Placer<CSlideRheostat>(), 0, "150.5", false,
            [](const CDevice& d) { return double(static_cast<const CSlideRheostat&>(d).m_totalResistance); },
            0},
        ValueCase{"capacitor 0", Placer<CCapacitance>(), 0, "0", false,
                  [](const CDevice& d) { return double(static_cast<const CCapacitance&>(d).m_capacitance); },
                  0},
        ValueCase{"capacitor 4.7", Placer<CCapacitance>(), 0, "4.7", true,
                  [](const CDevice& d) { return double(static_cast<const CCapacitance&>(d).m_capacitance); },
                  double(4.7f)},
        ValueCase{"inductor 1000", Placer<CInductance>(), 0, "1000", false,
                  [](const CDevice& d) { return double(static_cast<const CInductance&>(d).m_inductance); },
                  0},
        ValueCase{"DC source 20 ohm", Placer<CDCSource>(), 1, "20", false, InternalResistance, 0},
        ValueCase{"DC source 0.5 ohm", Placer<CDCSource>(), 1, "0.5", true, InternalResistance, 0.5},
        ValueCase{"voltmeter 10000000", Placer<CDCVoltmeter>(), 0, "10000000", false, InternalResistance, 0},
        ValueCase{"voltmeter 9,999,999", Placer<CDCVoltmeter>(), 0, "9,999,999", true, InternalResistance,
                  9999999},
        ValueCase{"voltmeter 49999", Placer<CDCVoltmeter>(), 0, "49999", false, InternalResistance, 0},
        ValueCase{"ammeter 0.01", Placer<CDCAmmeter>(), 0, "0.01", true, InternalResistance, double(0.01f)},
        ValueCase{"ammeter 11", Placer<CDCAmmeter>(), 0, "11", false, InternalResistance, 0}));

TEST_F(DevicePageTest, NamesWithTagBracketsAreRefused) {
    auto* c = Place<CCapacitance>();
    const std::string before = c->m_name;
    CPropertyPage page;
    c->FillPropertyPage(page);
    ASSERT_EQ(page.edits.size(), 2u);
    ASSERT_EQ(page.edits[1].kind, EDIT_TEXT);

    for (const char* name : {"C<1>", "<", "滤波>"}) {
        const CApplyResult result = ApplyPage(page, {"22", name}, {});
        EXPECT_FALSE(result.ok) << name;
        EXPECT_EQ(result.badField, 1) << name;
        EXPECT_EQ(c->m_name, before) << name;
        EXPECT_EQ(c->m_capacitance, 10) << name;
    }
    ASSERT_TRUE(ApplyPage(page, {"22", "滤波电容"}, {}).ok);
    EXPECT_EQ(c->m_name, "滤波电容");
    EXPECT_EQ(c->m_capacitance, 22);
}

// Window rectangle, entry counts and the opening of the usage notes, for
// every kind (the capacitance box has no parameter entries and a 220 x 330
// window; the AC millivoltmeter's window is 344 wide); the kinds that only
// live in files fill nothing.
struct KindCase {
    const char* what;
    std::function<std::unique_ptr<CDevice>()> make;
    CPageRect window;
    std::size_t texts, edits, spins;
    const char* usageOpening; // null: no usage text at all
};

std::ostream& operator<<(std::ostream& os, const KindCase& c) {
    return os << c.what;
}

template <typename D> std::function<std::unique_ptr<CDevice>()> Maker() {
    return [] { return std::make_unique<D>(); };
}

class KindPageTest : public ::testing::TestWithParam<KindCase> {};

TEST_P(KindPageTest, FillsItsWindowAndPages) {
    const KindCase& c = GetParam();
    std::unique_ptr<CDevice> device = c.make();
    CPropertyPage page;
    device->FillPropertyPage(page);
    EXPECT_EQ(page.window.left, c.window.left);
    EXPECT_EQ(page.window.top, c.window.top);
    EXPECT_EQ(page.window.right, c.window.right);
    EXPECT_EQ(page.window.bottom, c.window.bottom);
    EXPECT_EQ(page.texts.size(), c.texts);
    EXPECT_EQ(page.edits.size(), c.edits);
    EXPECT_EQ(page.spins.size(), c.spins);
    EXPECT_TRUE(page.pictures.empty());
    EXPECT_TRUE(page.choices.empty());
    if (!c.usageOpening) {
        EXPECT_TRUE(page.usage.empty());
        return;
    }
    ASSERT_EQ(page.usage.size(), 1u);
    EXPECT_TRUE(StartsWith(page.usage[0].text, c.usageOpening)) << page.usage[0].text;
    // Every edit field writes somewhere, and none is read-only.
    for (const CPageEdit& edit : page.edits) {
        EXPECT_FALSE(edit.readOnly);
        EXPECT_FALSE(std::holds_alternative<std::monostate>(edit.target));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, KindPageTest,
    ::testing::Values(
        KindCase{"resistor", Maker<CResistance>(), {0, 0, 250, 300}, 6, 3, 1, "普通电阻："},
        KindCase{"rheostat",
                 Maker<CSlideRheostat>(),
                 {0, 0, 250, 320},
                 4,
                 2,
                 0,
                 "滑动变阻器：电阻值可在一定的范围内变化，一般有三个端子：两个固定端、一个滑动端。"},
        KindCase{"capacitor",
                 Maker<CCapacitance>(),
                 {0, 0, 250, 300},
                 4,
                 2,
                 0,
                 "电容：电子电路中常用的器件，由两个导电极板，中间夹一层绝缘介质构成。"},
        KindCase{"inductor",
                 Maker<CInductance>(),
                 {0, 0, 250, 300},
                 4,
                 2,
                 0,
                 "电感：又称电感线圈，由绕在支架或磁性材料上的导线组成，是一种储能器件，主要参数是电感。"},
        KindCase{"DC source", Maker<CDCSource>(), {0, 0, 230, 340}, 4, 2, 0, "直流稳压电源：输出电压0～20v."},
        KindCase{"DC voltmeter",
                 Maker<CDCVoltmeter>(),
                 {-3, 0, 250, 310},
                 4,
                 2,
                 0,
                 "数字电压表：用于测量直流电压。"},
        KindCase{
            "DC ammeter", Maker<CDCAmmeter>(), {-3, 0, 250, 310}, 4, 2, 0, "数字电流表：用于测量直流电流。"},
        KindCase{"diode", Maker<CDiode>(), {0, 0, 300, 250}, 1, 0, 0, "二极管：当两极管两端接正电压时"},
        KindCase{"single switch",
                 Maker<CSingleSwitch>(),
                 {0, 0, 300, 250},
                 1,
                 0,
                 0,
                 "单刀单置开关直接在实验区操作。"},
        KindCase{"double switch",
                 Maker<CDoubleSwitch>(),
                 {0, 0, 300, 250},
                 1,
                 0,
                 0,
                 "单刀双置开关直接在实验区操作。"},
        KindCase{"plug board",
                 Maker<CAmmeterPlugBoard>(),
                 {0, 0, 300, 250},
                 1,
                 0,
                 0,
                 "电流表插口板：用于连接电流表"},
        KindCase{"resistance box",
                 Maker<CResistanceBox>(),
                 {0, 0, 320, 330},
                 0,
                 0,
                 0,
                 "电阻箱：电阻值可变的电阻量具，其阻值可在已知范围内按一定的阶梯改变。"},
        KindCase{"capacitance box",
                 Maker<CCapacitanceBox>(),
                 {0, 0, 220, 330},
                 0,
                 0,
                 0,
                 "电容箱：由4个转换开关组成，分别是×0.0001、×0.001、×0.01、×0.1，能变换成0.0001μF～0.9999μF，"
                 "最小步进值为0.0001μF的任何电容值。"},
        KindCase{"multimeter",
                 Maker<CMultimeter>(),
                 {0, 0, 260, 440},
                 0,
                 0,
                 0,
                 "数字万用表：仿真数字万用表主要用来完成直流电压和直流电流的测量显示。"},
        KindCase{"signal generator",
                 Maker<CSignalGenerator>(),
                 {0, 0, 500, 300},
                 0,
                 0,
                 0,
                 "信号发生器：用来产生多种频率和幅值的正弦波、三角波和方波。"},
        KindCase{"AC source",
                 Maker<CACSource>(),
                 {0, 0, 230, 340},
                 0,
                 0,
                 0,
                 "交流电压源：输出交流电压0～20v，显示屏可显示电压调节值。"},
        KindCase{"AC millivoltmeter",
                 Maker<CACMillivoltmeter>(),
                 {-2, 0, 342, 257},
                 0,
                 0,
                 0,
                 "交流毫伏表：用于测量交流电压。"},
        KindCase{"galvanometer",
                 Maker<CGalvanometer>(),
                 {-2, 0, 342, 257},
                 0,
                 0,
                 0,
                 "数字检流计：用于测量直流弱电流。"},
        KindCase{"oscilloscope",
                 Maker<COscilloscope>(),
                 {0, 0, 640, 502}, // the panel, then the measurements under it
                 0,
                 0,
                 0,
                 "示波器：一种综合性的电信号测试仪器，用它可以直接观察到信号的波形，测量信号的幅度、相位、频"
                 "率等。"},
        KindCase{"level meter",
                 Maker<CLevelMeter>(),
                 {0, 0, 500, 300},
                 0,
                 0,
                 0,
                 "选频电压表：可在选定频率下，测量信号的电压值。"},
        KindCase{"resistance wire", Maker<CResistanceWire>(), {0, 0, 300, 400}, 0, 0, 0, nullptr},
        KindCase{"voltmeter (file only)", Maker<CVoltmeter>(), {0, 0, 300, 400}, 0, 0, 0, nullptr},
        KindCase{"ammeter (file only)", Maker<CAmmeter>(), {0, 0, 300, 400}, 0, 0, 0, nullptr},
        KindCase{
            "vertical double switch", Maker<CVerticalDoubleSwitch>(), {0, 0, 300, 400}, 0, 0, 0, nullptr}));

} // namespace
} // namespace ampera::testing
