// How every device kind becomes solver branches.
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

struct Expected {
    int kind;
    double value;
};

struct BranchCase {
    const char* name;
    std::function<CDevice*(BoardTest&)> place;
    std::vector<Expected> branches;
};
inline void PrintTo(const BranchCase& c, std::ostream* os) {
    *os << c.name;
}

class BranchTable : public BoardTest, public ::testing::WithParamInterface<BranchCase> {
  public:
    template <typename D> D* Make() { return Place<D>(); }
};

template <typename D> std::function<CDevice*(BoardTest&)> Default() {
    return [](BoardTest& t) -> CDevice* { return static_cast<BranchTable&>(t).Make<D>(); };
}
template <typename D> std::function<CDevice*(BoardTest&)> With(std::function<void(D&)> set) {
    return [set](BoardTest& t) -> CDevice* {
        D* d = static_cast<BranchTable&>(t).Make<D>();
        set(*d);
        return d;
    };
}

TEST_P(BranchTable, BuildsTheBranchesOfItsKind) {
    CDevice* device = GetParam().place(*this);
    ex.RebuildTopology();
    const auto& expected = GetParam().branches;
    ASSERT_EQ(device->m_branches.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("branch " + std::to_string(i));
        EXPECT_EQ(device->m_branches[i]->m_kind, expected[i].kind);
        EXPECT_EQ(device->m_branches[i]->m_baseKind, expected[i].kind);
        EXPECT_DOUBLE_EQ(device->m_branches[i]->m_value, expected[i].value);
        EXPECT_NE(device->m_branches[i]->m_end[0], nullptr);
        EXPECT_NE(device->m_branches[i]->m_end[1], nullptr);
    }
}

constexpr int R = BRANCH_RESISTOR, V = BRANCH_VOLTAGE_SOURCE;
const double kWire = static_cast<double>(1e-6f), kShunt = static_cast<double>(1e-4f);

INSTANTIATE_TEST_SUITE_P(
    Kinds, BranchTable,
    ::testing::Values(
        BranchCase{"Resistor", Default<CResistance>(), {{R, 1000}}},
        BranchCase{"ResistanceWire", Default<CResistanceWire>(), {}},
        BranchCase{"RheostatHalfway", Default<CSlideRheostat>(), {{R, 500}, {R, 500}, {R, kWire}}},
        BranchCase{"RheostatAtZero",
                   With<CSlideRheostat>([](auto& d) { d.m_fraction = 0; }),
                   {{R, 0}, {R, 1000}, {R, kWire}}},
        BranchCase{"ResistanceBoxNew", Default<CResistanceBox>(), {{R, 999999}}},
        BranchCase{"ResistanceBoxAllZero",
                   With<CResistanceBox>([](auto& d) {
                       for (auto& k : d.m_decades)
                           k.SetPosition(0);
                   }),
                   {{R, 0}}},
        BranchCase{"FileVoltmeter", Default<CVoltmeter>(), {{R, 999999}}},
        BranchCase{"FileAmmeter", Default<CAmmeter>(), {{R, static_cast<double>(0.01f)}}},
        BranchCase{"MultimeterOff", Default<CMultimeter>(), {}},
        BranchCase{"MultimeterVolts", With<CMultimeter>([](auto& d) { d.m_power.SetOn(true); }), {{R, 1e7}}},
        BranchCase{"MultimeterAmps",
                   With<CMultimeter>([](auto& d) {
                       d.m_power.SetOn(true);
                       d.m_range.SetPosition(5);
                   }),
                   {{R, kShunt}}},
        BranchCase{"MultimeterOhms",
                   With<CMultimeter>([](auto& d) {
                       d.m_power.SetOn(true);
                       d.m_range.SetPosition(27);
                   }),
                   {{V, 2.0}, {R, kShunt}}},
        BranchCase{"OscilloscopeOff", Default<COscilloscope>(), {}},
        BranchCase{"OscilloscopeOn",
                   With<COscilloscope>([](auto& d) { d.m_power.SetOn(true); }),
                   {{R, 999999}, {R, 999999}}},
        BranchCase{"DcSourceOff", Default<CDCSource>(), {}},
        BranchCase{"DcSourceOn",
                   With<CDCSource>([](auto& d) { d.m_power.SetOn(true); }),
                   {{V, 10}, {R, static_cast<double>(0.01f)}}},
        BranchCase{"DcSourceFullScale",
                   With<CDCSource>([](auto& d) {
                       d.m_power.SetOn(true);
                       d.m_coarse.SetPosition(9);
                       d.m_fine.SetPosition(10);
                   }),
                   {{V, 20}, {R, static_cast<double>(0.01f)}}},
        BranchCase{"DcSourceZero",
                   With<CDCSource>(
                       [](auto& d) {
                           d.m_power.SetOn(true);
                           d.m_coarse.SetPosition(0);
                       }),
                   {{V, 0}, {R, static_cast<double>(0.01f)}}},
        BranchCase{"SingleSwitchOpen", Default<CSingleSwitch>(), {}},
        BranchCase{"SingleSwitchClosed", With<CSingleSwitch>([](auto& d) { d.m_state = 1; }), {{R, kWire}}},
        BranchCase{"DoubleSwitchOpen", Default<CDoubleSwitch>(), {}},
        BranchCase{"DoubleSwitchLeft", With<CDoubleSwitch>([](auto& d) { d.m_state = 1; }), {{R, kWire}}},
        BranchCase{"DoubleSwitchRight", With<CDoubleSwitch>([](auto& d) { d.m_state = 2; }), {{R, kWire}}},
        BranchCase{"VerticalDoubleSwitch", Default<CVerticalDoubleSwitch>(), {{R, kWire}, {R, kWire}}},
        BranchCase{"Inductor", Default<CInductance>(), {{BRANCH_INDUCTOR, 2}}},
        BranchCase{"Capacitor", Default<CCapacitance>(), {{BRANCH_CAPACITOR, 1e-5}}},
        BranchCase{"CapacitanceBoxNew", Default<CCapacitanceBox>(), {{BRANCH_CAPACITOR, 9.999}}},
        BranchCase{"CapacitanceBoxOneFarad",
                   With<CCapacitanceBox>(
                       [](auto& d) {
                           for (int i = 0; i < 3; ++i)
                               d.m_decades[i].SetPosition(0);
                           d.m_decades[3].SetPosition(1);
                       }),
                   {{BRANCH_CAPACITOR, 1.0}}},
        BranchCase{"Diode", Default<CDiode>(), {{BRANCH_DIODE, 0}}},
        BranchCase{"AcSourceOff", Default<CACSource>(), {}},
        BranchCase{"AcSourceOn",
                   With<CACSource>([](auto& d) { d.m_power.SetOn(true); }),
                   {{BRANCH_SINE_VOLTAGE_SOURCE, 0}, {R, 0.5}}},
        BranchCase{"SignalGeneratorOff", Default<CSignalGenerator>(), {}},
        BranchCase{"SignalGeneratorOn",
                   With<CSignalGenerator>([](auto& d) { d.m_power.SetOn(true); }),
                   {{BRANCH_SINE_VOLTAGE_SOURCE, 0}}},
        BranchCase{
            "DcVoltmeterOn", With<CDCVoltmeter>([](auto& d) { d.m_power.SetOn(true); }), {{R, 999999}}},
        BranchCase{"DcAmmeterOn",
                   With<CDCAmmeter>([](auto& d) { d.m_power.SetOn(true); }),
                   {{R, static_cast<double>(0.01f)}}},
        BranchCase{"DcAmmeterOff", Default<CDCAmmeter>(), {}},
        BranchCase{"AcMillivoltmeterOn",
                   With<CACMillivoltmeter>([](auto& d) { d.m_power.SetOn(true); }),
                   {{R, 1e7}}},
        BranchCase{
            "GalvanometerOn", With<CGalvanometer>([](auto& d) { d.m_power.SetOn(true); }), {{R, kShunt}}},
        BranchCase{"LevelMeterOn", With<CLevelMeter>([](auto& d) { d.m_power.SetOn(true); }), {{R, 999999}}},
        BranchCase{"LevelMeterOff", Default<CLevelMeter>(), {}},
        BranchCase{"PlugBoard", Default<CAmmeterPlugBoard>(), {{R, kShunt}}}),
    [](const auto& info) { return std::string(info.param.name); });

using TopologyTest = BoardTest;

TEST_F(TopologyTest, FactoryKnowsEveryTypeCodeAndNothingBeyond) {
    for (int code = 0; code <= TYPE_LAST; ++code) {
        SCOPED_TRACE("type code " + std::to_string(code));
        std::unique_ptr<CComponent> object(CreateObject(code));
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(object->TypeCode(), code);
    }
    EXPECT_EQ(CreateObject(26), nullptr);
    EXPECT_EQ(CreateObject(-1), nullptr);
    const std::pair<int, int> categories[] = {{0, 0},  {1, 0},  {2, 0},  {3, 0},  {4, 3},  {5, 3},  {6, 3},
                                              {7, 3},  {8, 5},  {9, 4},  {10, 4}, {11, 4}, {12, 2}, {13, 3},
                                              {14, 6}, {15, 7}, {16, 1}, {17, 1}, {18, 3}, {19, 5}, {20, 3},
                                              {21, 3}, {22, 3}, {23, 3}, {24, 3}, {25, 4}};
    for (auto [code, category] : categories) {
        std::unique_ptr<CComponent> object(CreateObject(code));
        EXPECT_EQ(object->Category(), category) << "type code " << code;
    }
}

TEST_F(TopologyTest, DcSourceGoesThroughAnInternalNode) {
    auto* source = Place<CDCSource>();
    source->m_power.SetOn(true);
    ex.RebuildTopology();
    CBranch* e = source->m_branches[0].get();
    CBranch* r = source->m_branches[1].get();
    CCircuitNode* x = e->m_end[1];
    EXPECT_EQ(e->m_end[0], T(source, 0)->Circuit());
    EXPECT_EQ(r->m_end[0], T(source, 1)->Circuit());
    EXPECT_EQ(r->m_end[1], x);
    EXPECT_EQ(x->m_branches, (std::vector<CBranch*>{e, r}));
    EXPECT_EQ(T(source, 0)->Circuit()->m_branches, (std::vector<CBranch*>{e}));
    ASSERT_EQ(ex.m_internalNodes.size(), 1u);
    EXPECT_EQ(ex.m_internalNodes[0].get(), x);
    EXPECT_EQ(source->m_setValue, 10.0f);
}

TEST_F(TopologyTest, AcSourceIsA50HzSine) {
    auto* source = Place<CACSource>();
    source->m_power.SetOn(true);
    source->m_coarse.SetPosition(3);
    source->m_fine.SetPosition(4);
    ex.RebuildTopology();
    const CBranch& e = *source->m_branches[0];
    EXPECT_EQ(e.m_wave, WAVE_SINE);
    EXPECT_DOUBLE_EQ(e.m_amplitude, 6.8);
    EXPECT_EQ(e.m_frequency, 50.0);
    EXPECT_EQ(e.m_phase, 0.0);
}

TEST_F(TopologyTest, SignalGeneratorCarriesItsPanelSettings) {
    struct Case {
        int amplitudePosition, band, coarse, fine, wave;
        double amplitude, frequency;
    };
    const Case cases[] = {
        {2, 3, 5, 0, 1, 0.1, 1000}, {6, 4, 1, 0, 2, 6, 20},     {7, 0, 5, 5, 3, 8, 1100000},
        {11, 6, 9, 10, 1, 16, 2},   {0, 5, 0, 1, 2, 0.01, 0.2},
    };
    for (const Case& c : cases) {
        auto* gen = Place<CSignalGenerator>();
        gen->m_power.SetOn(true);
        gen->m_amplitudeKnob.SetPosition(c.amplitudePosition);
        gen->m_bandButtons[c.band].SetOn(true);
        gen->m_coarse.SetPosition(c.coarse);
        gen->m_fine.SetPosition(c.fine);
        gen->m_waveButtons[c.wave - 1].SetOn(true);
        ex.RebuildTopology();
        const CBranch& s = *gen->m_branches[0];
        EXPECT_EQ(s.m_wave, c.wave);
        EXPECT_NEAR(s.m_amplitude, c.amplitude, 1e-6);
        EXPECT_NEAR(s.m_frequency, c.frequency, c.frequency * 1e-6);
    }
}

TEST_F(TopologyTest, SignalGeneratorWithoutBandKeepsItsFrequency) {
    auto* gen = Place<CSignalGenerator>();
    gen->m_power.SetOn(true);
    gen->m_bandButtons[3].SetOn(true);
    gen->UpdateSettings();
    gen->m_bandButtons[3].SetOn(false);
    gen->m_coarse.SetPosition(1);
    gen->UpdateSettings();
    EXPECT_EQ(gen->m_frequency, 1000.0f);
    EXPECT_EQ(gen->m_waveform, WAVE_NONE);
}

TEST_F(TopologyTest, DoubleSwitchJoinsTheCommonTerminalToOneSide) {
    auto* sw = Place<CDoubleSwitch>();
    sw->m_state = 1;
    ex.RebuildTopology();
    EXPECT_EQ(sw->m_branches[0]->m_end[0], T(sw, 0)->Circuit());
    EXPECT_EQ(sw->m_branches[0]->m_end[1], T(sw, 2)->Circuit());
    sw->m_state = 2;
    ex.RebuildTopology();
    EXPECT_EQ(sw->m_branches[0]->m_end[0], T(sw, 2)->Circuit());
    EXPECT_EQ(sw->m_branches[0]->m_end[1], T(sw, 1)->Circuit());
}

TEST_F(TopologyTest, VerticalDoubleSwitchJoinsNoGraph) {
    auto* sw = Place<CVerticalDoubleSwitch>();
    ex.RebuildTopology();
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(T(sw, i)->Circuit()->m_branches.empty());
    EXPECT_EQ(sw->m_branches[1]->m_end[0], T(sw, 1)->Circuit());
}

TEST_F(TopologyTest, RheostatListings) {
    auto* rx = Place<CSlideRheostat>();
    ex.RebuildTopology();
    CBranch *r1 = rx->m_branches[0].get(), *r2 = rx->m_branches[1].get(), *r3 = rx->m_branches[2].get();
    EXPECT_EQ(T(rx, 0)->Circuit()->m_branches, (std::vector<CBranch*>{r1, r3}));
    EXPECT_EQ(T(rx, 1)->Circuit()->m_branches, (std::vector<CBranch*>{r1}));
    EXPECT_EQ(T(rx, 2)->Circuit()->m_branches.size(), 2u);
    EXPECT_EQ(T(rx, 3)->Circuit()->m_branches, (std::vector<CBranch*>{r2}));
}

TEST_F(TopologyTest, EveryObjectIsRebuiltWithClosedEnds) {
    auto* r = Place<CResistance>();
    auto* source = Place<CDCSource>();
    source->m_power.SetOn(true);
    Place<CCapacitance>();
    Wire(source, 0, r, 0);
    Wire(T(r, 1), T(r, 1)); // a wire from a node back to itself
    ex.RebuildTopology();
    for (CComponent* w : ex.Wires())
        ASSERT_EQ(w->m_branches.size(), 1u);
    for (CComponent* n : ex.Nodes())
        ASSERT_EQ(static_cast<CNode*>(n)->m_circuitNodes.size(), 1u);
    for (CComponent* o : ex.AllObjects())
        for (auto& b : o->m_branches) {
            EXPECT_NE(b->m_end[0], nullptr);
            EXPECT_NE(b->m_end[1], nullptr);
        }
    CCircuitNode* loopNode = T(r, 1)->Circuit();
    EXPECT_EQ(loopNode->m_branches.size(), 3u) << "the resistor once, the looped wire twice";
    EXPECT_EQ(ex.m_valuesDirty, 1);
}

TEST_F(TopologyTest, MissingOrForeignTerminalsAreUnconnected) {
    auto* source = Place<CDCSource>();
    source->m_power.SetOn(true);
    auto* r = Place<CResistance>();
    auto* lost = Place<CResistance>();
    Wire(source, 0, r, 0);
    Wire(source, 1, r, 1);
    r->m_terminals.pop_back();      // a damaged file gave it one terminal
    lost->m_terminals[0] = nullptr; // and this one an empty slot
    CNode* foreign = new CNode();   // a node that is not on the board
    lost->m_terminals[1] = foreign;
    Update();
    ASSERT_EQ(r->m_branches.size(), 1u);
    EXPECT_NE(r->m_branches[0]->m_end[1], nullptr);
    EXPECT_EQ(r->m_branches[0]->m_end[0], T(r, 0)->Circuit()) << "terminal 0 stays the first end";
    EXPECT_EQ(I(r), 0) << "one end open: no current";
    for (auto& b : lost->m_branches) {
        EXPECT_NE(b->m_end[0], nullptr);
        EXPECT_NE(b->m_end[1], nullptr);
    }
    EXPECT_TRUE(foreign->m_circuitNodes.empty());
    delete foreign;
}

} // namespace
} // namespace ampera::testing
