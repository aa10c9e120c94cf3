// Nodal solver: worked circuits with known answers, failure and trace.
#include "graph_fixture.h"

#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>

namespace ampera::testing {
namespace {

class SolverTest : public ::testing::Test {
protected:
    void SetUp() override { solver.SetTraceStream(&trace); }
    std::ostringstream trace;
    CCircuitSolver solver;
    Net net;
};

TEST_F(SolverTest, SourceLoopThroughTwoSmallWires) {
    auto *a = net.Node(), *b = net.Node(), *ra = net.Node(), *rb = net.Node();
    CBranch* source = net.V(10, a, b);
    net.R(0.01, a, ra);
    CBranch* r = net.R(10, ra, rb);
    net.R(0.01, rb, b);
    SolveFrom(solver, net.AllNodes());
    EXPECT_NEAR(U(r), 9.98, 0.001);
    EXPECT_NEAR(I(r), 0.998, 0.001);
    EXPECT_NEAR(U(source), 10, 1e-9);
    EXPECT_NEAR(I(source), -0.998, 0.001) << "the source delivers power from its first end";
}

TEST_F(SolverTest, SeriesDividerWithWire) {
    auto *a = net.Node(), *b = net.Node(), *x = net.Node(), *y = net.Node();
    net.V(10, a, b);
    CBranch* r5 = net.R(5, a, x);
    net.R(0.01, x, y);
    CBranch* r10 = net.R(10, y, b);
    SolveFrom(solver, net.AllNodes());
    EXPECT_NEAR(U(r5), 3.331, 0.001);
    EXPECT_NEAR(I(r5), 0.666, 0.001);
    EXPECT_NEAR(U(r10), 6.662, 0.001);
}

TEST_F(SolverTest, TwoSourcesThreeResistorsIndependentOfReference) {
    auto *n1 = net.Node(), *n2 = net.Node(), *n3 = net.Node(), *n4 = net.Node();
    CBranch* s12 = net.V(12, n1, n2);
    CBranch* s6 = net.V(6, n1, n4);
    CBranch* r430 = net.R(430, n2, n3);
    CBranch* r43 = net.R(100, n4, n3);
    CBranch* r31 = net.R(100, n3, n1);
    std::vector<CCircuitNode*> order = net.AllNodes();
    for (int rotation = 0; rotation < 4; ++rotation) {
        SCOPED_TRACE("reference node N" + std::to_string(rotation + 1));
        SolveFrom(solver, order);
        EXPECT_NEAR(n3->m_voltage - n1->m_voltage, -3.9375, 1e-9);
        EXPECT_NEAR(U(r430), -8.0625, 1e-9);
        EXPECT_NEAR(I(r430), -0.01875, 1e-12);
        EXPECT_NEAR(U(r43), -2.0625, 1e-9);
        EXPECT_NEAR(I(r43), -0.020625, 1e-12);
        EXPECT_NEAR(U(r31), -3.9375, 1e-9);
        EXPECT_NEAR(I(r31), -0.039375, 1e-12);
        EXPECT_NEAR(U(s12), 12, 1e-9);
        EXPECT_NEAR(U(s6), 6, 1e-9);
        EXPECT_NEAR(I(s12), -0.01875, 1e-12);
        EXPECT_NEAR(I(s6), -0.020625, 1e-12);
        std::rotate(order.begin(), order.begin() + 1, order.end());
    }
}

TEST_F(SolverTest, SineCurrentSourceWithSeriesLC) {
    auto *p = net.Node(), *q = net.Node(), *m = net.Node();
    net.Wave(BRANCH_SINE_CURRENT_SOURCE, WAVE_SINE, 5, 10000, -20, p, q);
    CBranch* r = net.R(20, p, q);
    CBranch* l = net.L(6e-3, m, p);
    CBranch* c = net.C(2.5e-6, m, q);
    CGraph graph = SolveFrom(solver, net.AllNodes());
    ASSERT_EQ(graph.m_class, CLASS_SINE);
    const double deg = 180 / std::numbers::pi;
    EXPECT_NEAR(r->m_result.m_vol.wave_array[0], 99.85, 0.01);
    EXPECT_NEAR(r->m_result.m_vol.wave_array[2], 2.846, 0.001);
    EXPECT_NEAR(l->m_result.m_vol.wave_array[0], 101.57, 0.01);
    EXPECT_NEAR(l->m_result.m_vol.wave_array[2] * deg, -16.91, 0.01);
    EXPECT_NEAR(c->m_result.m_vol.wave_array[0], 1.715, 0.001);
    EXPECT_NEAR(c->m_result.m_vol.wave_array[2] * deg, -16.91, 0.01);
    for (const auto& b : net.branches) {
        EXPECT_EQ(b->m_result.m_vol.wave_array[1], 10000);
        EXPECT_EQ(b->m_result.m_elec.m_circuitClass, CLASS_SINE);
        EXPECT_EQ(b->m_solverMark, 100);
    }
    EXPECT_NEAR(r->m_result.m_elec.wave_array[0], 99.85 / 20, 0.001);
}

TEST_F(SolverTest, OpenChainCarriesNoCurrent) {
    auto *e1 = net.Node(), *n1 = net.Node(), *a = net.Node(), *b = net.Node(), *n2 = net.Node(), *e2 = net.Node();
    CBranch* r1 = net.R(5, e1, n1);
    net.R(1e-5, n1, a);
    CBranch* source = net.V(5, a, b);
    net.R(1e-5, b, n2);
    CBranch* r2 = net.R(5, n2, e2);
    SolveFrom(solver, net.AllNodes());
    for (const auto& br : net.branches) EXPECT_NEAR(I(br.get()), 0, 1e-9);
    EXPECT_NEAR(U(r1), 0, 1e-9);
    EXPECT_NEAR(U(r2), 0, 1e-9);
    EXPECT_NEAR(U(source), 5, 1e-12);
}

TEST_F(SolverTest, ZeroOhmResistorCarriesTheLoopCurrent) {
    auto *a = net.Node(), *b = net.Node(), *x = net.Node();
    net.V(10, a, b);
    net.R(5, a, x);
    CBranch* zero = net.R(0, x, b);
    SolveFrom(solver, net.AllNodes());
    EXPECT_NEAR(I(zero), 2, 1e-12);
    EXPECT_EQ(U(zero), 0);
}

TEST_F(SolverTest, ConflictingSourcesHaveNoAnswer) {
    auto *a = net.Node(), *b = net.Node();
    net.V(10, a, b);
    net.V(5, a, b);
    CBranch* r = net.R(5, a, b);
    CGraph graph;
    graph.m_nodes = solver.SplitGraphs(net.AllNodes()).front();
    solver.Classify(graph);
    EXPECT_FALSE(solver.SolveDC(graph, 0));
    EXPECT_NE(trace.str().find("\n NO ANSWER!\n"), std::string::npos);
    for (const auto& br : net.branches) {
        EXPECT_EQ(br->m_passVoltage[0], 0);
        EXPECT_EQ(br->m_passCurrent[0], 0);
    }
    EXPECT_EQ(r->m_passVoltage[0], 0);
}

TEST_F(SolverTest, TraceListsStampsAndNodeVoltages) {
    auto *a = net.Node(), *b = net.Node();
    net.V(10, a, b);
    net.R(5, a, b);
    SolveFrom(solver, net.AllNodes());
    EXPECT_EQ(trace.str(), "track 0: 0->1 电压源 10伏特\n"
                           "track 1: 0->1 电阻支路 5导纳\n"
                           "节点0的电压： 0.0000\n"
                           "节点1的电压：-10.0000\n");
}

TEST_F(SolverTest, SourceMetFromItsSecondEndKeepsItsOrientation) {
    // The scan reaches the source first from its second end.
    auto *a = net.Node(), *b = net.Node();
    CBranch* r = net.R(4, b, a);
    CBranch* source = net.V(8, a, b);
    SolveFrom(solver, {b, a});
    EXPECT_NEAR(U(source), 8, 1e-12);
    EXPECT_NEAR(I(source), -2, 1e-12);
    EXPECT_NEAR(U(r), -8, 1e-12);
}

// Zero and non-finite values in a phasor solve stay inside their graph.
struct DegenerateSineCase {
    const char* name;
    double resistance, inductance, capacitance, frequency;
};
inline void PrintTo(const DegenerateSineCase& c, std::ostream* os) { *os << c.name; }

class DegenerateSine : public SolverTest, public ::testing::WithParamInterface<DegenerateSineCase> {};

TEST_P(DegenerateSine, GivesFiniteResults) {
    const auto& c = GetParam();
    auto *a = net.Node(), *b = net.Node(), *x = net.Node(), *y = net.Node();
    net.Wave(BRANCH_SINE_VOLTAGE_SOURCE, WAVE_SINE, 10, c.frequency, 0, a, b);
    net.R(c.resistance, a, x);
    net.L(c.inductance, x, y);
    net.C(c.capacitance, y, b);
    net.R(100, y, b);
    CGraph graph = SolveFrom(solver, net.AllNodes());
    ASSERT_EQ(graph.m_class, CLASS_SINE);
    for (const auto& br : net.branches)
        for (double v : {br->m_result.m_vol.wave_array[0], br->m_result.m_elec.wave_array[0]})
            EXPECT_TRUE(std::isfinite(v));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DegenerateSine,
    ::testing::Values(DegenerateSineCase{"ZeroOhmResistor", 0, 0.1, 1e-6, 50},
                      DegenerateSineCase{"ZeroHenryInductor", 10, 0, 1e-6, 50},
                      DegenerateSineCase{"ZeroFrequency", 10, 0.1, 1e-6, 0},
                      DegenerateSineCase{"ZeroCapacitance", 10, 0.1, 0, 50},
                      DegenerateSineCase{"EverythingZero", 0, 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SolverTest, ZeroFrequencyShortsTheInductorAndOpensTheCapacitor) {
    auto *a = net.Node(), *b = net.Node(), *x = net.Node();
    net.Wave(BRANCH_SINE_VOLTAGE_SOURCE, WAVE_SINE, 10, 0, 0, a, b);
    CBranch* r = net.R(10, a, x);
    CBranch* l = net.L(0.5, x, b);
    CBranch* c = net.C(1e-6, a, b);
    SolveFrom(solver, net.AllNodes());
    EXPECT_NEAR(r->m_result.m_elec.wave_array[0], 1, 1e-12);
    EXPECT_NEAR(l->m_result.m_vol.wave_array[0], 0, 1e-12);
    EXPECT_NEAR(l->m_result.m_elec.wave_array[0], 1, 1e-12);
    EXPECT_NEAR(c->m_result.m_elec.wave_array[0], 0, 1e-12);
}

TEST_F(SolverTest, SplitGraphsIsBreadthFirstAndLeavesNoMarks) {
    auto *a = net.Node(), *b = net.Node(), *c = net.Node(), *d = net.Node(), *lone = net.Node();
    net.R(1, a, b);
    net.R(1, b, c);
    net.R(1, a, d);
    auto graphs = solver.SplitGraphs({c, lone, a});
    ASSERT_EQ(graphs.size(), 2u);
    EXPECT_EQ(graphs[0], (std::vector<CCircuitNode*>{c, b, a, d}));
    EXPECT_EQ(graphs[1], (std::vector<CCircuitNode*>{lone}));
    for (const auto& n : net.nodes) EXPECT_EQ(n->m_visited, 0);
}

} // namespace
} // namespace ampera::testing
