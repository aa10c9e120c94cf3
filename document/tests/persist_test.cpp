// Each device kind's own keys: what it writes, the defaults of missing keys,
// and that save, load and save again give the same bytes.
#include "core/experiment.h"
#include "devices/ac_source.h"
#include "devices/capacitance.h"
#include "devices/capacitance_box.h"
#include "devices/dc_ammeter.h"
#include "devices/dc_source.h"
#include "devices/diode.h"
#include "devices/double_switch.h"
#include "devices/inductance.h"
#include "devices/kind_registry.h"
#include "devices/level_meter.h"
#include "devices/multimeter.h"
#include "devices/oscilloscope.h"
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

#include <functional>
#include <ostream>

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
                     "RESVALUE>\r\n\t\t\t<REGION>\r\n\t\t\t\t<LEFT>120.75</LEFT>\r\n"
                     "\t\t\t\t<TOP>80</TOP>\r\n\t\t\t</REGION>\r\n\t\t\t<ANGEL>\r\n\t\t\t\t<LEFT>0</LEFT>\r\n"
                     "\t\t\t\t<RIGHT>0</RIGHT>\r\n\t\t\t</ANGEL>\r\n\t\t</NUM0>\r\n"),
              std::string::npos)
        << t;
    CResistance* loaded = RoundTrip<CResistance>();
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->m_region[0], 120) << "whole pixels after loading";
    EXPECT_EQ(loaded->m_region[2], 120 + 102);
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

} // namespace
} // namespace ampera
