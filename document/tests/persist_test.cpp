// Each device kind's own keys: what it writes, the defaults of missing keys,
// and that save, load and save again give the same bytes.
#include "core/experiment.h"
#include "devices/ac_source.h"
#include "devices/capacitance.h"
#include "devices/capacitance_box.h"
#include "devices/dc_ammeter.h"
#include "devices/dc_source.h"
#include "devices/dc_voltmeter.h"
#include "devices/diode.h"
#include "devices/double_switch.h"
#include "devices/inductance.h"
#include "devices/kind_registry.h"
#include "devices/level_meter.h"
#include "devices/multimeter.h"
#include "devices/oscilloscope.h"
#include "devices/property_page.h"
#include "devices/resistance.h"
#include "devices/resistance_box.h"
#include "devices/signal_generator.h"
#include "devices/single_switch.h"
#include "devices/slide_rheostat.h"
#include "devices/voltmeter.h"
#include "document/experiment_file.h"
#include "document/gbk.h"
#include "document/keydoc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

namespace ampera {
namespace {

class PersistTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (CExperiment* e : {&ex, &other})
            e->Solver().SetTraceStream(nullptr);
    }
    template <typename D> D* Place(CExperiment& e, int x = 300, int y = 200) {
        D prototype;
        return static_cast<D*>(prototype.PlaceAt(e, x, y));
    }
    // Saves `ex`, loads the text into `other` and returns the loaded device of `type`.
    template <typename D> D* RoundTrip() {
        text = ExperimentDocument(ex).ToText();
        LoadFromBytes(other, Utf8ToGbk(text), 0);
        for (CComponent* o : other.Devices())
            if (auto* d = dynamic_cast<D*>(o)) return d;
        return nullptr;
    }
    CExperiment ex, other;
    std::string text;
};

struct KindCase {
    const char* name;
    std::function<void(CExperiment&)> build;
};
inline void PrintTo(const KindCase& c, std::ostream* os) {
    *os << c.name;
}

class SaveLoadSave : public PersistTest, public ::testing::WithParamInterface<KindCase> {};

TEST_P(SaveLoadSave, IsByteIdentical) {
    GetParam().build(ex);
    ex.UpdateCircuit(0);
    const std::string first = ExperimentDocument(ex).ToText();
    LoadFromBytes(other, Utf8ToGbk(first), 0);
    EXPECT_EQ(ExperimentDocument(other).ToText(), first);
}

template <typename D> std::function<void(CExperiment&)> Built(std::function<void(D&)> set) {
    return [set](CExperiment& e) {
        D prototype;
        auto* d = static_cast<D*>(prototype.PlaceAt(e, 333, 222));
        set(*d);
    };
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, SaveLoadSave,
    ::testing::Values(
        KindCase{"Resistor", Built<CResistance>([](auto& d) {
                     d.m_resistance = 470;
                     d.RotateLeft();
                 })},
        KindCase{"Rheostat", Built<CSlideRheostat>([](auto& d) { d.m_totalResistance = 2200; })},
        KindCase{"RheostatDragged",
                 Built<CSlideRheostat>([](auto& d) { d.DragSlider(d.m_region[0] + 30, d.m_region[1] + 5); })},
        KindCase{"ResistanceBox", Built<CResistanceBox>([](auto& d) { d.m_decades[2].SetPosition(4); })},
        KindCase{"Capacitor", Built<CCapacitance>([](auto& d) { d.m_capacitance = 4.7f; })},
        KindCase{"CapacitanceBox", Built<CCapacitanceBox>([](auto& d) { d.m_decades[0].SetPosition(0); })},
        KindCase{"Inductor", Built<CInductance>([](auto& d) {
                     d.m_inductance = 0.25f;
                     d.RotateRight();
                 })},
        KindCase{"SingleSwitchClosed", Built<CSingleSwitch>([](auto& d) { d.m_state = 1; })},
        KindCase{"DoubleSwitchRight", Built<CDoubleSwitch>([](auto& d) {
                     d.m_state = 2;
                     d.RotateLeft();
                 })},
        KindCase{"Diode", Built<CDiode>([](auto&) {})}, KindCase{"DcSource", Built<CDCSource>([](auto& d) {
                                                                     d.m_power.SetOn(true);
                                                                     d.m_fine.SetPosition(7);
                                                                 })},
        KindCase{"AcSource", Built<CACSource>([](auto& d) { d.m_coarse.SetPosition(2); })},
        KindCase{"SignalGenerator", Built<CSignalGenerator>([](auto& d) {
                     d.m_power.SetOn(true);
                     d.m_waveButtons[2].SetOn(true);
                     d.m_bandButtons[5].SetOn(true);
                     d.m_amplitudeKnob.SetPosition(9);
                 })},
        KindCase{"Oscilloscope", Built<COscilloscope>([](auto& d) {
                     d.m_power.SetOn(true);
                     d.m_mode.m_state = 2;
                     d.m_coupling2.m_state = 1;
                     d.m_timeBase.SetPosition(3);
                     d.m_times5.SetOn(true);
                 })},
        KindCase{"Multimeter", Built<CMultimeter>([](auto& d) {
                     d.m_power.SetOn(true);
                     d.m_range.SetPosition(27);
                 })},
        KindCase{"DcAmmeter", Built<CDCAmmeter>([](auto& d) { d.m_range.SetPosition(0); })},
        KindCase{"LevelMeter", Built<CLevelMeter>([](auto& d) {
                     d.m_bandButtons[0].SetOn(true);
                     d.m_fine.SetPosition(7);
                 })}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PersistTest, ResistorKeysInOrder) {
    auto* r = Place<CResistance>(ex);
    r->SetRegion(120.75f, 80, 222.75f, 100);
    r->m_name = "R1";
    const std::string t = ExperimentDocument(ex).ToText();
    const std::string id = std::to_string(r->Id());
    EXPECT_NE(t.find("\t\t<NUM0>\r\n\t\t\t<TYPE>0</TYPE>\r\n\t\t\t<NAME>R1</NAME>\r\n\t\t\t<SEQUENCE>" + id +
                     "</SEQUENCE>\r\n\t\t\t<RESVALUE>1000</"
                     "RESVALUE>\r\n\t\t\t<RATEDPOWER>2</RATEDPOWER>\r\n\t\t\t<REGION>\r\n\t\t\t\t<LEFT>120.75</LEFT>\r\n"
                     "\t\t\t\t<TOP>80</TOP>\r\n\t\t\t</REGION>\r\n\t\t\t<ANGEL>\r\n\t\t\t\t<LEFT>0</LEFT>\r\n"
                     "\t\t\t\t<RIGHT>0</RIGHT>\r\n\t\t\t</ANGEL>\r\n\t\t</NUM0>\r\n"),
              std::string::npos)
        << t;
    CResistance* loaded = RoundTrip<CResistance>();
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->m_region[0], 120) << "whole pixels after loading";
    EXPECT_EQ(loaded->m_region[2], 120 + 102);
}

// Values and places that six significant digits cannot hold load back as
// the very floats the board had, so a saved board reads the same.
TEST_F(PersistTest, ValuesAndPlacesReloadAsTheSameFloats) {
    auto* r = Place<CResistance>(ex);
    r->m_resistance = 1234567;
    r->SetRegion(1234567, 80, 1234567 + 102, 100);
    auto* c = Place<CCapacitance>(ex);
    c->m_capacitance = 1.0f / 3;
    auto* rheostat = Place<CSlideRheostat>(ex);
    rheostat->DragSlider(rheostat->m_region[0] + 30.123456f, rheostat->m_region[1] + 5);
    const float slider = rheostat->m_slider.left;
    ASSERT_NE(slider, std::round(slider * 1000) / 1000) << "a place with more than three decimals";

    RoundTrip<CResistance>();
    std::vector<float> loaded; // in file order: the resistance list, then the capacitance list
    for (CComponent* o : other.Devices()) {
        if (auto* d = dynamic_cast<CResistance*>(o))
            loaded.insert(loaded.end(), {d->m_resistance, d->m_region[0]});
        if (auto* d = dynamic_cast<CCapacitance*>(o)) loaded.push_back(d->m_capacitance);
        if (auto* d = dynamic_cast<CSlideRheostat*>(o)) loaded.push_back(d->m_slider.left);
    }
    EXPECT_EQ(loaded, (std::vector<float>{1234567, 1234567, slider, 1.0f / 3}));
}

TEST_F(PersistTest, TurnedDeviceReloadsTurned) {
    auto* r = Place<CResistance>(ex);
    r->RotateLeft();
    CResistance* loaded = RoundTrip<CResistance>();
    EXPECT_EQ(loaded->m_angleLeft, 90);
    EXPECT_EQ(loaded->m_angleRight, 270);
    EXPECT_EQ(loaded->m_region[2] - loaded->m_region[0], 20);
    EXPECT_EQ(loaded->m_region[3] - loaded->m_region[1], 102);
    EXPECT_EQ(loaded->m_boardGroup.itemsB[0].texture, "devpic\\comres90.tga");
}

TEST_F(PersistTest, MissingKeysReadAsZeroNotAsNew) {
    const char* file = "<COMPONENT><RESISTANCE><NUM>1</NUM><NUM0><TYPE>0</TYPE></NUM0></RESISTANCE>"
                       "<ELECTRICITY><NUM>1</NUM><NUM0><TYPE>8</TYPE></NUM0></ELECTRICITY></COMPONENT>";
    LoadFromBytes(other, file, 0);
    ASSERT_EQ(other.Devices().size(), 2u);
    auto* r = dynamic_cast<CResistance*>(*other.Devices().begin());
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->m_resistance, 0);
    EXPECT_EQ(r->m_name, "没有名字");
    auto* s = dynamic_cast<CDCSource*>(*std::next(other.Devices().begin()));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->m_coarse.Position(), 0) << "not the new source's 5";
    EXPECT_FALSE(s->m_power.IsOn());
    EXPECT_EQ(s->m_internalResistance, 0);
}

TEST_F(PersistTest, SourceValueFollowsItsKnobs) {
    auto* s = Place<CDCSource>(ex);
    s->m_coarse.SetPosition(3);
    s->m_fine.SetPosition(4);
    CDCSource* loaded = RoundTrip<CDCSource>();
    EXPECT_EQ(text.find("ELEVALUE"), std::string::npos) << "read only: never written";
    EXPECT_DOUBLE_EQ(loaded->GetKnobValue(), 6.8);
    const float needle = loaded->m_panelGroup.itemsB[loaded->m_coarse.m_itemIndex].angle;
    EXPECT_NEAR(needle, (3 - 5) * 36 * 3.1415925f / 180, 1e-4) << "the panel shows the loaded position";
}

TEST_F(PersistTest, KnobPositionsFromAFileStayInRange) {
    const char* file =
        "<COMPONENT><METER><NUM>1</NUM><NUM0><TYPE>13</TYPE><SHELVE_ELE>2000000000</SHELVE_ELE>"
        "<SHELVE_MAIN>-7</SHELVE_MAIN><BUTTON_POWER>1</BUTTON_POWER><BUTTON_SIN>1</BUTTON_SIN>"
        "<BUTTON_1K>1</BUTTON_1K></NUM0></METER></COMPONENT>";
    LoadFromBytes(other, file, 0);
    auto* g = dynamic_cast<CSignalGenerator*>(*other.Devices().begin());
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->m_amplitudeKnob.Position(), 11);
    EXPECT_EQ(g->m_coarse.Position(), 0);
    EXPECT_EQ(g->m_amplitude, 16.0f);
    EXPECT_EQ(g->m_amplitudeKnob.m_label, "电压幅值16伏");
}

TEST_F(PersistTest, SwitchStateChoosesItsPicture) {
    auto* s = Place<CSingleSwitch>(ex);
    s->m_state = 1;
    s->RotateLeft();
    CSingleSwitch* loaded = RoundTrip<CSingleSwitch>();
    EXPECT_EQ(loaded->m_state, 1);
    EXPECT_EQ(loaded->m_boardGroup.itemsB[0].texture, "devpic\\sinswclose90.tga");
}

TEST_F(PersistTest, LevelMeterBandAndFineKnobSurvive) {
    auto* m = Place<CLevelMeter>(ex);
    m->m_bandButtons[0].SetOn(true);
    m->m_fine.SetPosition(7);
    CLevelMeter* loaded = RoundTrip<CLevelMeter>();
    EXPECT_NE(text.find("<BUTTON_1M>1</BUTTON_1M>"), std::string::npos);
    EXPECT_NE(text.find("<SHELVE_FINE>7</SHELVE_FINE>"), std::string::npos);
    EXPECT_TRUE(loaded->m_bandButtons[0].IsOn());
    EXPECT_EQ(loaded->m_fine.Position(), 7);
}

TEST_F(PersistTest, ScopeSlidesComeBackInPlace) {
    auto* s = Place<COscilloscope>(ex);
    s->m_mode.m_state = 3;
    COscilloscope* loaded = RoundTrip<COscilloscope>();
    EXPECT_EQ(loaded->m_mode.m_state, 3);
    EXPECT_EQ(loaded->m_mode.m_slideRect.top, loaded->m_mode.m_slideRect0.top + 60);
}

TEST_F(PersistTest, OldPointerMetersKeepNoKeys) {
    auto* v = Place<CVoltmeter>(ex);
    v->m_name = "V9";
    v->RotateLeft();
    CVoltmeter* loaded = RoundTrip<CVoltmeter>();
    ASSERT_NE(loaded, nullptr);
    EXPECT_NE(loaded->Id(), v->Id());
    EXPECT_EQ(loaded->m_name, CVoltmeter::kKind.namePrefix);
    EXPECT_EQ(text.find("V9"), std::string::npos);
}

TEST_F(PersistTest, UntouchedRheostatKeepsItsMiddle) {
    Place<CSlideRheostat>(ex);
    CSlideRheostat* loaded = RoundTrip<CSlideRheostat>();
    EXPECT_DOUBLE_EQ(loaded->m_fraction, 0.5);
}

// ---- what a property page edits ----

// The value a page field writes into, as exact text.
std::string Held(const CPageEdit& edit) {
    return std::visit(
        [](auto target) -> std::string {
            using T = decltype(target);
            if constexpr (std::is_same_v<T, std::monostate>) {
                return "(no target)";
            } else if constexpr (std::is_same_v<T, std::string*>) {
                return *target;
            } else {
                char text[64];
                std::snprintf(text, sizeof text, "%.17g", static_cast<double>(*target));
                return text;
            }
        },
        edit.target);
}

struct PageFieldCase {
    const char* name;
    int type;
    std::size_t edit; // the field's index on the kind's page
    const char* typed;
};
inline void PrintTo(const PageFieldCase& c, std::ostream* os) {
    *os << c.name;
}

// Every field of every parameter page; values the old six-digit floats would
// have rounded are chosen where the page allows them.
const PageFieldCase kPageFields[] = {
    {"ResistorValue", TYPE_RESISTANCE, 0, "4700"},
    {"ResistorName", TYPE_RESISTANCE, 1, "负载电阻"},
    {"ResistorRatedPower", TYPE_RESISTANCE, 2, "0.125"},
    {"RheostatTotal", TYPE_SLIDE_RHEOSTAT, 0, "123457"},
    {"RheostatName", TYPE_SLIDE_RHEOSTAT, 1, "Rp"},
    {"CapacitorValue", TYPE_CAPACITANCE, 0, "4.7"},
    {"CapacitorName", TYPE_CAPACITANCE, 1, "C滤波"},
    {"InductorValue", TYPE_INDUCTANCE, 0, "0.25"},
    {"InductorName", TYPE_INDUCTANCE, 1, "L1a"},
    {"DcSourceName", TYPE_DC_SOURCE, 0, "电源甲"},
    {"DcSourceInternalResistance", TYPE_DC_SOURCE, 1, "2.5"},
    {"DcVoltmeterInternalResistance", TYPE_DC_VOLTMETER, 0, "1234567"},
    {"DcVoltmeterName", TYPE_DC_VOLTMETER, 1, "V表"},
    {"DcAmmeterInternalResistance", TYPE_DC_AMMETER, 0, "0.37"},
    {"DcAmmeterName", TYPE_DC_AMMETER, 1, "A表"},
};

class PageField : public PersistTest, public ::testing::WithParamInterface<PageFieldCase> {};

// The field is edited through the page as 应用 does it, saved, loaded into
// another experiment and read back through the loaded device's page.
TEST_P(PageField, SurvivesSaveAndOpen) {
    const PageFieldCase& c = GetParam();
    std::unique_ptr<CComponent> prototype(CreateDevice(c.type));
    ASSERT_NE(prototype, nullptr);
    CDevice* device = static_cast<CDevice*>(prototype.get())->PlaceAt(ex, 333, 222);
    CPropertyPage page;
    device->FillPropertyPage(page);
    ASSERT_LT(c.edit, page.edits.size());
    const std::string before = Held(page.edits[c.edit]);
    std::vector<std::string> typed;
    for (const CPageEdit& e : page.edits)
        typed.push_back(e.text);
    typed[c.edit] = c.typed;
    ASSERT_TRUE(ApplyPage(page, typed, {}).ok);
    const std::string edited = Held(page.edits[c.edit]);
    ASSERT_NE(edited, before) << "the case must change the field";

    text = ExperimentDocument(ex).ToText();
    LoadFromBytes(other, Utf8ToGbk(text), 0);
    ASSERT_EQ(other.Devices().size(), 1u);
    auto* loaded = static_cast<CDevice*>(*other.Devices().begin());
    ASSERT_EQ(loaded->TypeCode(), c.type);
    CPropertyPage reread;
    loaded->FillPropertyPage(reread);
    ASSERT_EQ(reread.edits.size(), page.edits.size());
    EXPECT_EQ(Held(reread.edits[c.edit]), edited) << text;
}

INSTANTIATE_TEST_SUITE_P(EveryPage, PageField, ::testing::ValuesIn(kPageFields),
                         [](const auto& info) { return std::string(info.param.name); });

// A kind that gains a page field must gain a row above (and keys for it).
TEST(PageFields, EveryFieldOfEveryKindHasARoundTripCase) {
    for (const CKindEntry& entry : DeviceKinds()) {
        std::unique_ptr<CDevice> device(entry.create());
        CPropertyPage page;
        device->FillPropertyPage(page);
        EXPECT_TRUE(page.choices.empty()) << entry.kind->namePrefix << ": a choice list needs a case";
        for (std::size_t i = 0; i < page.edits.size(); ++i) {
            const bool listed = std::any_of(std::begin(kPageFields), std::end(kPageFields), [&](const auto& f) {
                return f.type == entry.kind->typeCode && f.edit == i;
            });
            EXPECT_TRUE(listed) << entry.kind->namePrefix << " field " << i;
        }
    }
}

TEST_F(PersistTest, SettingsNewToFilesComeAfterTheOldKeys) {
    auto* v = Place<CDCVoltmeter>(ex);
    v->m_internalResistance = 75000;
    auto* a = Place<CDCAmmeter>(ex);
    a->m_internalResistance = 0.5f;
    auto* r = Place<CResistance>(ex);
    r->m_ratedPower = 0.25f;
    const std::string t = ExperimentDocument(ex).ToText();
    EXPECT_NE(t.find("</SEQUENCE>\r\n\t\t\t<INRESISTANCE>75000</INRESISTANCE>\r\n\t\t\t<REGION>"),
              std::string::npos)
        << t;
    EXPECT_NE(t.find("</SEQUENCE>\r\n\t\t\t<INRESISTANCE>0.5</INRESISTANCE>\r\n"), std::string::npos);
    EXPECT_NE(t.find("</RESVALUE>\r\n\t\t\t<RATEDPOWER>0.25</RATEDPOWER>\r\n\t\t\t<REGION>"), std::string::npos);
}

// Files written before these keys existed, and values the page would refuse,
// give the kind's defaults.
TEST_F(PersistTest, MissingOrRefusedNewSettingsKeepTheDefaults) {
    struct Case {
        const char* keys;
        float voltmeter, ammeter, ratedPower;
    };
    const CDCVoltmeter v;
    const CDCAmmeter a;
    const CResistance r;
    for (const Case& c : {
             Case{"", v.m_internalResistance, a.m_internalResistance, r.m_ratedPower},
             Case{"<INRESISTANCE>0</INRESISTANCE><RATEDPOWER>-1</RATEDPOWER>", v.m_internalResistance,
                  a.m_internalResistance, r.m_ratedPower},
             Case{"<INRESISTANCE>nan</INRESISTANCE><RATEDPOWER>1e9</RATEDPOWER>", v.m_internalResistance,
                  a.m_internalResistance, r.m_ratedPower},
             Case{"<INRESISTANCE>5</INRESISTANCE><RATEDPOWER>5</RATEDPOWER>", v.m_internalResistance, 5, 5},
             Case{"<INRESISTANCE>60000</INRESISTANCE><RATEDPOWER>0.5</RATEDPOWER>", 60000,
                  a.m_internalResistance, 0.5f},
         }) {
        const std::string file = std::string("<COMPONENT><RESISTANCE><NUM>1</NUM><NUM0><TYPE>0</TYPE>") + c.keys +
                                 "</NUM0></RESISTANCE><METER><NUM>2</NUM><NUM0><TYPE>20</TYPE>" + c.keys +
                                 "</NUM0><NUM1><TYPE>21</TYPE>" + c.keys + "</NUM1></METER></COMPONENT>";
        LoadFromBytes(other, file, 0);
        ASSERT_EQ(other.Devices().size(), 3u);
        auto it = other.Devices().begin();
        EXPECT_EQ(static_cast<CResistance*>(*it++)->m_ratedPower, c.ratedPower) << c.keys;
        EXPECT_EQ(static_cast<CDCVoltmeter*>(*it++)->m_internalResistance, c.voltmeter) << c.keys;
        EXPECT_EQ(static_cast<CDCAmmeter*>(*it)->m_internalResistance, c.ammeter) << c.keys;
    }
}

// ---- placing from the device bar ----

// The device bar's prototype is edited on its page or panel, then placed.
TEST_F(PersistTest, PlacedCopyTakesEverySettingButNotPlaceNameOrId) {
    CDevice::ResetRunningNumbers();
    CResistance resistor;
    resistor.m_resistance = 47;
    resistor.m_ratedPower = 0.5f;
    resistor.m_name = "样品";
    resistor.RotateLeft();
    CDCVoltmeter voltmeter;
    voltmeter.m_internalResistance = 75000;
    voltmeter.m_range.SetPosition(3);
    voltmeter.m_power.SetOn(true);
    CDCSource source;
    source.m_internalResistance = 2.5f;
    source.m_coarse.SetPosition(2);
    source.m_fine.SetPosition(7);
    source.m_power.SetOn(true);
    CSignalGenerator generator;
    generator.m_waveButtons[2].SetOn(true);
    generator.m_bandButtons[5].SetOn(true);
    generator.m_amplitudeKnob.SetPosition(9);
    CSlideRheostat rheostat;
    rheostat.m_totalResistance = 2200;
    rheostat.DragSlider(rheostat.m_region[0] + 30, rheostat.m_region[1] + 5);
    ASSERT_NE(rheostat.m_fraction, 0.5);

    auto* r1 = static_cast<CResistance*>(resistor.PlaceAt(ex, 501, 400));
    auto* r2 = static_cast<CResistance*>(resistor.PlaceAt(ex, 200, 100));
    auto* v = static_cast<CDCVoltmeter*>(voltmeter.PlaceAt(ex, 300, 300));
    auto* s = static_cast<CDCSource*>(source.PlaceAt(ex, 300, 300));
    auto* g = static_cast<CSignalGenerator*>(generator.PlaceAt(ex, 300, 300));
    auto* rx = static_cast<CSlideRheostat*>(rheostat.PlaceAt(ex, 700, 500));

    EXPECT_EQ(r1->m_resistance, 47);
    EXPECT_EQ(r1->m_ratedPower, 0.5f);
    EXPECT_EQ(r1->m_name, "R1");
    EXPECT_EQ(r2->m_name, "R2");
    EXPECT_NE(r1->Id(), resistor.Id());
    EXPECT_NE(r1->Id(), r2->Id());
    EXPECT_GT(r2->Id(), r1->Id());
    EXPECT_GT(CDiode().Id(), r2->Id()) << "the id counter stays above every copy";
    // Upright, centred on the point as ever, terminals on the body.
    EXPECT_EQ(r1->m_angleLeft, 0);
    EXPECT_EQ(r1->m_boardGroup.itemsB[0].texture, "devpic\\comres.tga");
    const int w = CResistance::kKind.body.width, h = CResistance::kKind.body.height;
    EXPECT_EQ(r1->m_region[0], 501 - w / 2);
    EXPECT_EQ(r1->m_region[1], 400 - h / 2);
    EXPECT_EQ(r1->m_region[2], 501 + w / 2);
    EXPECT_EQ(r1->m_region[3], 400 + h / 2);
    ASSERT_EQ(r1->m_terminals.size(), CResistance::kKind.body.terminalCount);
    std::size_t k = 0;
    for (const geometry::CTerminalOffset& offset : CResistance::kKind.body) {
        EXPECT_EQ(r1->m_terminals[k]->m_x, 501 - w / 2 + offset.x);
        EXPECT_EQ(r1->m_terminals[k]->m_y, 400 - h / 2 + offset.y);
        ++k;
    }

    EXPECT_EQ(v->m_internalResistance, 75000);
    EXPECT_EQ(v->m_range.Position(), 3);
    EXPECT_TRUE(v->m_power.IsOn());
    EXPECT_EQ(s->m_internalResistance, 2.5f);
    EXPECT_EQ(s->m_coarse.Position(), 2);
    EXPECT_EQ(s->m_fine.Position(), 7);
    EXPECT_TRUE(s->m_power.IsOn());
    EXPECT_DOUBLE_EQ(s->GetKnobValue(), source.GetKnobValue());
    EXPECT_TRUE(g->m_waveButtons[2].IsOn());
    EXPECT_TRUE(g->m_bandButtons[5].IsOn());
    EXPECT_EQ(g->m_amplitudeKnob.Position(), 9);
    EXPECT_EQ(g->m_amplitude, 12.0f) << "what the knob gives follows the copied knob";
    EXPECT_EQ(rx->m_totalResistance, 2200);
    EXPECT_DOUBLE_EQ(rx->m_fraction, rheostat.m_fraction);
    EXPECT_FLOAT_EQ(rx->m_slider.left - rx->m_region[0], rheostat.m_slider.left - rheostat.m_region[0])
        << "the slider sits on the copy's body, where it sat on the prototype's";
    EXPECT_FLOAT_EQ(rx->m_slider.top - rx->m_region[1], rheostat.m_slider.top - rheostat.m_region[1]);
    // The prototype itself is untouched.
    EXPECT_EQ(resistor.m_name, "样品");
    EXPECT_EQ(resistor.m_angleLeft, 90);
    EXPECT_TRUE(resistor.m_terminals.empty());
}

} // namespace
} // namespace ampera
