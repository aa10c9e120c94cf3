// The per-frame update: rebuild when dirty, solve when values changed, and
// what the board shows when graphs are of different classes.
#include "board_fixture.h"

#include "devices/capacitance.h"
#include "devices/dc_source.h"
#include "devices/resistance.h"
#include "devices/resistance_wire.h"
#include "devices/signal_generator.h"

#include <cstring>

namespace ampera::testing {
namespace {

class DriverTest : public BoardTest {
protected:
    // A powered DC source at its default 10 V across a resistor.
    std::pair<CDCSource*, CResistance*> DcLoop(float ohms) {
        auto* s = Place<CDCSource>();
        s->m_power.SetOn(true);
        auto* r = Place<CResistance>();
        r->m_resistance = ohms;
        Wire(s, 0, r, 0);
        Wire(s, 1, r, 1);
        return {s, r};
    }
    // Two capacitors on a DC source: a graph the system cannot analyse.
    void UnsupportedLoop() {
        auto* s = Place<CDCSource>();
        s->m_power.SetOn(true);
        auto* c1 = Place<CCapacitance>();
        auto* c2 = Place<CCapacitance>();
        Wire(s, 0, c1, 0);
        Wire(c1, 1, c2, 0);
        Wire(c2, 1, s, 1);
    }
};

TEST_F(DriverTest, EmptyBoard) {
    Update();
    EXPECT_TRUE(ex.Solver().Solve(ex));
    EXPECT_TRUE(sink.notices.empty());
    EXPECT_EQ(ex.m_topologyDirty, 0);
    EXPECT_EQ(ex.m_valuesDirty, 0);
}

TEST_F(DriverTest, DcLoopReadsOhmsLaw) {
    auto [s, r] = DcLoop(100);
    Update();
    // 10 V behind 0.01 ohm and two 1e-6 ohm wires.
    const double current = 10 / (100 + static_cast<double>(0.01f) + 2 * static_cast<double>(1e-6f));
    EXPECT_NEAR(I(r), current, 1e-12);
    EXPECT_NEAR(U(r), 100 * current, 1e-9);
    EXPECT_NEAR(I(s, 0), -current, 1e-8);
}

TEST_F(DriverTest, TwoSeparateCircuitsEachSolvedByItsClass) {
    auto [s, r] = DcLoop(50);
    auto* gen = Place<CSignalGenerator>();
    gen->m_power.SetOn(true);
    gen->m_waveButtons[1].SetOn(true); // square
    gen->m_bandButtons[3].SetOn(true); // 1 kHz band
    auto* rc = Place<CResistance>();
    auto* c = Place<CCapacitance>();
    Wire(gen, 0, rc, 0);
    Wire(rc, 1, c, 0);
    Wire(c, 1, gen, 1);
    Update();
    EXPECT_EQ(r->m_branches[0]->m_result.m_vol.m_circuitClass, CLASS_DC);
    EXPECT_NEAR(I(r), 10 / 50.01, 1e-5);
    const CQuantity& cv = c->m_branches[0]->m_result.m_vol;
    EXPECT_EQ(cv.m_circuitClass, CLASS_SQUARE_FIRST_ORDER);
    EXPECT_NEAR(cv.para_array[1], -2 * 0.1, 1e-6);
    EXPECT_NEAR(cv.para_array[2], 1 / (1000 * 1e-5), 0.01);
    EXPECT_NEAR(cv.wave_array[1], 1000, 1e-9);
    (void)s;
}

// Whichever graph comes first, the supported circuit is solved and the
// unsupported one is reported.
TEST_F(DriverTest, UnsupportedGraphDoesNotSilenceTheOthers) {
    for (bool unsupportedFirst : {true, false}) {
        SCOPED_TRACE(unsupportedFirst ? "unsupported placed first" : "unsupported placed last");
        ex.ClearExperiment();
        sink.notices.clear();
        if (unsupportedFirst) UnsupportedLoop();
        auto [s, r] = DcLoop(100);
        if (!unsupportedFirst) UnsupportedLoop();
        ex.RebuildTopology();
        EXPECT_FALSE(ex.Solver().Solve(ex));
        EXPECT_NEAR(I(r), 0.1, 1e-4);
        ASSERT_EQ(sink.notices.size(), 1u);
        EXPECT_EQ(sink.notices[0].text, msg::kDcSecondOrder);
        (void)s;
    }
}

TEST_F(DriverTest, KnobChangeShowsAfterTheNextUpdate) {
    auto [s, r] = DcLoop(1000);
    Update(0);
    const double before = U(r);
    s->m_coarse.SetPosition(9);
    Update(10);
    EXPECT_NEAR(U(r), before, 1e-12) << "settings reach the solver only through a rebuild";
    ex.MarkTopologyDirty();
    Update(20);
    EXPECT_NEAR(U(r), 18.0 * 1000 / (1000 + static_cast<double>(0.01f)), 1e-6);
}

TEST_F(DriverTest, SourceSwitchedOffLeavesTheLoopDead) {
    auto [s, r] = DcLoop(10);
    s->m_power.SetOn(false);
    Update();
    EXPECT_TRUE(s->m_branches.empty());
    EXPECT_EQ(I(r), 0);
    EXPECT_EQ(U(r), 0);
}

TEST_F(DriverTest, SourceWiredOnOneTerminalOnly) {
    auto* s = Place<CDCSource>();
    s->m_power.SetOn(true);
    auto* r = Place<CResistance>();
    Wire(s, 1, r, 0);
    Update();
    EXPECT_EQ(T(s, 0)->Circuit()->m_branches.size(), 1u);
    EXPECT_EQ(I(r), 0);
    EXPECT_NEAR(U(s, 0), 10, 1e-9);
}

TEST_F(DriverTest, HoldsAndSolveEveryUpdate) {
    auto [s, r] = DcLoop(10);
    ex.m_holdTopology = 1;
    Update();
    EXPECT_TRUE(r->m_branches.empty());
    EXPECT_EQ(ex.m_topologyDirty, 1);
    ex.m_holdTopology = 0;
    ex.m_holdSolve = 1;
    Update();
    EXPECT_EQ(I(r), 0);
    EXPECT_EQ(ex.m_valuesDirty, 1);
    ex.m_solveEveryUpdate = 1;
    Update();
    EXPECT_GT(I(r), 0.99);
    (void)s;
}

TEST_F(DriverTest, ResistanceWireAsksForItsBoxOncePerExperiment) {
    Place<CResistanceWire>();
    for (int i = 0; i < 5; ++i) {
        ex.MarkTopologyDirty();
        Update(i);
    }
    ASSERT_EQ(services.warnings.size(), 1u);
    EXPECT_FALSE(services.warnings[0].empty());
    ex.ClearExperiment();
    Place<CResistanceWire>();
    Update();
    EXPECT_EQ(services.warnings.size(), 2u);
}

TEST_F(DriverTest, SameBoardGivesBitIdenticalResults) {
    auto build = [this] {
        ex.ClearExperiment();
        auto [s, r] = DcLoop(220);
        auto* r2 = Place<CResistance>();
        Wire(r, 1, r2, 0);
        Wire(r2, 1, s, 1);
        Update();
        std::vector<double> out;
        for (CComponent* o : ex.AllObjects())
            for (auto& b : o->m_branches) out.insert(out.end(), {I(o, 0), U(o, 0), b->m_result.m_elec.para_array[0]});
        return out;
    };
    const auto first = build();
    const auto second = build();
    ASSERT_EQ(first.size(), second.size());
    EXPECT_EQ(0, std::memcmp(first.data(), second.data(), first.size() * sizeof(double)));
}

TEST_F(DriverTest, TraceLabelsDescribeTheGraphs) {
    DcLoop(5);
    ex.m_showTrace = 1;
    Update();
    ASSERT_FALSE(sink.labels.empty());
    EXPECT_EQ(sink.labels[0].first, "总共有1个连通图！\n");
    EXPECT_EQ(sink.labels[0].second, 300);
    EXPECT_EQ(sink.labels[1].first, "第1个图总共有5个元件，分别是：\n");
    bool sawSource = false, sawBranch = false;
    for (auto& [text, y] : sink.labels) {
        sawSource |= text == "电压：10.000 \n";
        sawBranch |= text.rfind("\n元件0 elec: ", 0) == 0;
    }
    EXPECT_TRUE(sawSource);
    EXPECT_TRUE(sawBranch);
}

} // namespace
} // namespace ampera::testing
