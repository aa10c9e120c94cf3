// Circuit classes, their messages, and the DC passes that describe
// first-order, square, triangle and diode circuits.
#include "graph_fixture.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <functional>

namespace ampera::testing {
namespace {

class ClassifyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        solver.SetTraceStream(nullptr);
        solver.SetNoticeSink(&sink);
    }
    RecordingSink sink;
    CCircuitSolver solver;
    Net net;
};

struct ClassCase {
    const char* name;
    std::function<void(Net&)> build;
    int expectedClass;
    const char* message; // null: no message
};
inline void PrintTo(const ClassCase& c, std::ostream* os) {
    *os << c.name;
}

class ClassTable : public ClassifyTest, public ::testing::WithParamInterface<ClassCase> {};

TEST_P(ClassTable, ClassAndMessage) {
    const auto& c = GetParam();
    c.build(net);
    CGraph graph;
    graph.m_nodes = solver.SplitGraphs(net.AllNodes()).front();
    solver.Classify(graph);
    EXPECT_EQ(graph.m_class, c.expectedClass);
    if (c.message) {
        ASSERT_EQ(sink.notices.size(), 1u);
        EXPECT_EQ(sink.notices[0].text, c.message);
        EXPECT_EQ(sink.notices[0].kind, NOTICE_WARNING);
        EXPECT_EQ(sink.notices[0].duration, 6000);
        EXPECT_EQ(sink.notices[0].x, -1);
        EXPECT_EQ(sink.notices[0].y, -1);
        EXPECT_EQ(sink.notices[0].active, 1);
    } else {
        EXPECT_TRUE(sink.notices.empty());
    }
    EXPECT_EQ(graph.m_branches.size(), net.branches.size());
    for (const auto& b : net.branches)
        EXPECT_EQ(b->m_collected, 0);
}

// A ring of elements: each builder adds branches between consecutive nodes.
void Ring(Net& n, std::vector<std::function<void(Net&, CCircuitNode*, CCircuitNode*)>> parts) {
    std::vector<CCircuitNode*> nodes;
    for (std::size_t i = 0; i < parts.size(); ++i)
        nodes.push_back(n.Node());
    for (std::size_t i = 0; i < parts.size(); ++i)
        parts[i](n, nodes[i], nodes[(i + 1) % parts.size()]);
}
auto Res = [](Net& n, CCircuitNode* a, CCircuitNode* b) { n.R(10, a, b); };
auto Dc = [](Net& n, CCircuitNode* a, CCircuitNode* b) { n.V(5, a, b); };
auto Cap = [](Net& n, CCircuitNode* a, CCircuitNode* b) { n.C(1e-6, a, b); };
auto Ind = [](Net& n, CCircuitNode* a, CCircuitNode* b) { n.L(0.1, a, b); };
auto Dio = [](Net& n, CCircuitNode* a, CCircuitNode* b) { n.D(a, b); };
auto Gen(int wave) {
    return [wave](Net& n, CCircuitNode* a, CCircuitNode* b) {
        n.Wave(BRANCH_SINE_VOLTAGE_SOURCE, wave, 1, 100, 0, a, b);
    };
}

INSTANTIATE_TEST_SUITE_P(Cases, ClassTable,
                         ::testing::Values(ClassCase{"DcResistive",
                                                     [](Net& n) {
                                                         Ring(n, {Dc, Res});
                                                     },
                                                     CLASS_DC, nullptr},
                                           ClassCase{"DcWithDiode",
                                                     [](Net& n) {
                                                         Ring(n, {Dc, Res, Dio});
                                                     },
                                                     CLASS_DC, nullptr},
                                           ClassCase{"DcOneCapacitor",
                                                     [](Net& n) {
                                                         Ring(n, {Dc, Res, Cap});
                                                     },
                                                     CLASS_DC_FIRST_ORDER, nullptr},
                                           ClassCase{"DcCapacitorAndDiode",
                                                     [](Net& n) {
                                                         Ring(n, {Dc, Cap, Dio});
                                                     },
                                                     CLASS_DC_FIRST_ORDER, nullptr},
                                           ClassCase{"DcTwoReactive",
                                                     [](Net& n) {
                                                         Ring(n, {Dc, Cap, Ind});
                                                     },
                                                     CLASS_UNSUPPORTED, msg::kDcSecondOrder},
                                           ClassCase{"TwoCapacitorsNoSource",
                                                     [](Net& n) {
                                                         Ring(n, {Cap, Cap, Res});
                                                     },
                                                     CLASS_UNSUPPORTED, nullptr},
                                           ClassCase{"TwoDynamicSources",
                                                     [](Net& n) {
                                                         Ring(n, {Gen(1), Gen(2), Res});
                                                     },
                                                     CLASS_UNSUPPORTED, msg::kTwoDynamic},
                                           ClassCase{"SineAndDc",
                                                     [](Net& n) {
                                                         Ring(n, {Gen(1), Dc, Res});
                                                     },
                                                     CLASS_UNSUPPORTED, msg::kAcAndDc},
                                           ClassCase{"SineRlc",
                                                     [](Net& n) {
                                                         Ring(n, {Gen(1), Res, Cap, Ind});
                                                     },
                                                     CLASS_SINE, nullptr},
                                           ClassCase{"SineWithDiode",
                                                     [](Net& n) {
                                                         Ring(n, {Gen(1), Res, Dio});
                                                     },
                                                     CLASS_SINE, msg::kDiodeIrregular},
                                           ClassCase{"Square",
                                                     [](Net& n) {
                                                         Ring(n, {Gen(2), Res});
                                                     },
                                                     CLASS_SQUARE, nullptr},
                                           ClassCase{"SquareWithDiode",
                                                     [](Net& n) {
                                                         Ring(n, {Gen(2), Res, Dio});
                                                     },
                                                     CLASS_SQUARE, msg::kDiodeIrregular},
                                           ClassCase{"SquareFirstOrder",
                                                     [](Net& n) {
                                                         Ring(n, {Gen(2), Res, Cap});
                                                     },
                                                     CLASS_SQUARE_FIRST_ORDER, nullptr},
                                           ClassCase{"SquareSecondOrder",
                                                     [](Net& n) {
                                                         Ring(n, {Gen(2), Cap, Ind});
                                                     },
                                                     CLASS_UNSUPPORTED, msg::kSquareSecondOrder},
                                           ClassCase{"Triangle",
                                                     [](Net& n) {
                                                         Ring(n, {Gen(3), Res});
                                                     },
                                                     CLASS_TRIANGLE, nullptr},
                                           ClassCase{"TriangleWithCapacitor",
                                                     [](Net& n) {
                                                         Ring(n, {Gen(3), Res, Cap});
                                                     },
                                                     CLASS_UNSUPPORTED, msg::kTriangleLinearOnly},
                                           ClassCase{"DiodeMessageReplacesOthers",
                                                     [](Net& n) {
                                                         Ring(n, {Gen(3), Cap, Dio});
                                                     },
                                                     CLASS_UNSUPPORTED, msg::kDiodeIrregular},
                                           ClassCase{"GeneratorWithoutWave",
                                                     [](Net& n) {
                                                         Ring(n, {Gen(0), Res});
                                                     },
                                                     CLASS_UNSUPPORTED, nullptr},
                                           ClassCase{"LoneNode", [](Net& n) { n.Node(); }, CLASS_DC,
                                                     nullptr}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ClassifyTest, RcSteadyStateChargesTheCapacitor) {
    auto *a = net.Node(), *b = net.Node(), *x = net.Node();
    CBranch* source = net.V(10, a, b);
    CBranch* r = net.R(100, a, x);
    CBranch* c = net.C(1e-6, x, b);
    CGraph g = SolveFrom(solver, net.AllNodes());
    ASSERT_EQ(g.m_class, CLASS_DC_FIRST_ORDER);
    EXPECT_NEAR(U(c), 10, 1e-9);
    EXPECT_EQ(I(c), 0);
    EXPECT_NEAR(U(r), 0, 1e-9);
    EXPECT_NEAR(I(source), 0, 1e-12);
    EXPECT_EQ(c->m_value, 1e-6) << "the capacitor is restored after the pass";
    EXPECT_EQ(c->m_kind, BRANCH_CAPACITOR);
    EXPECT_EQ(a->m_branches.size() + b->m_branches.size() + x->m_branches.size(), 6u);
}

TEST_F(ClassifyTest, RlSteadyStateShortsTheInductor) {
    auto *a = net.Node(), *b = net.Node(), *in = net.Node(), *x = net.Node();
    net.V(10, a, in);
    net.R(0.5, b, in); // the source's internal resistance
    CBranch* r = net.R(20, a, x);
    CBranch* l = net.L(2, x, b);
    SolveFrom(solver, net.AllNodes());
    EXPECT_NEAR(U(l), 0, 1e-12);
    EXPECT_NEAR(I(l), 10 / 20.5, 1e-9);
    EXPECT_NEAR(U(r), 20 * 10 / 20.5, 1e-9);
    EXPECT_EQ(l->m_kind, BRANCH_INDUCTOR);
    EXPECT_EQ(l->m_value, 2);
}

TEST_F(ClassifyTest, SquareWaveRcPublishesStepAndRate) {
    const double A = 3, R = 1000, C = 1e-6, f = 250;
    auto *g0 = net.Node(), *g1 = net.Node(), *x = net.Node();
    CBranch* gen = net.Wave(BRANCH_SINE_VOLTAGE_SOURCE, WAVE_SQUARE, A, f, 30, g0, g1);
    CBranch* r = net.R(R, g0, x);
    CBranch* c = net.C(C, x, g1);
    CGraph g = SolveFrom(solver, net.AllNodes());
    ASSERT_EQ(g.m_class, CLASS_SQUARE_FIRST_ORDER);
    const auto& cv = c->m_result.m_vol;
    EXPECT_NEAR(cv.para_array[0], 0, 1e-9);
    EXPECT_NEAR(cv.para_array[1], -2 * A, 1e-9);
    EXPECT_NEAR(cv.para_array[2], 1 / (R * C), 1e-6);
    const auto& rv = r->m_result.m_vol;
    EXPECT_NEAR(rv.para_array[0], 2 * A, 1e-9);
    EXPECT_NEAR(rv.para_array[1], 2 * A, 1e-9);
    EXPECT_NEAR(rv.para_array[2], 1 / (R * C), 1e-6);
    EXPECT_NEAR(r->m_result.m_elec.para_array[0], 2 * A / R, 1e-12);
    for (const CBranch* b : {r, c, gen}) {
        EXPECT_EQ(b->m_result.m_vol.m_circuitClass, CLASS_SQUARE_FIRST_ORDER);
        EXPECT_EQ(b->m_result.m_vol.wave_array[0], b->m_result.m_vol.para_array[1]);
        EXPECT_EQ(b->m_result.m_vol.wave_array[1], f);
        EXPECT_EQ(b->m_result.m_vol.wave_array[2], 30);
        EXPECT_EQ(b->m_result.m_vol.wave_array[3], A);
        EXPECT_EQ(b->m_result.m_elec.wave_array[1], f);
    }
    EXPECT_EQ(gen->m_kind, BRANCH_SINE_VOLTAGE_SOURCE);
    EXPECT_EQ(gen->m_value, 0) << "the source keeps its own value; the passes solve it at its DC level";
    EXPECT_EQ(c->m_kind, BRANCH_CAPACITOR);
    EXPECT_EQ(c->m_value, C);
}

TEST_F(ClassifyTest, SquareWaveRlRateIsROverL) {
    auto *g0 = net.Node(), *g1 = net.Node(), *x = net.Node();
    net.Wave(BRANCH_SINE_VOLTAGE_SOURCE, WAVE_SQUARE, 1, 50, 0, g0, g1);
    CBranch* r = net.R(200, g0, x);
    CBranch* l = net.L(0.5, x, g1);
    SolveFrom(solver, net.AllNodes());
    EXPECT_NEAR(l->m_result.m_vol.para_array[2], 200 / 0.5, 1e-6);
    EXPECT_NEAR(l->m_result.m_vol.para_array[0], 2, 1e-9) << "all of the step across the coil at first";
    EXPECT_NEAR(r->m_result.m_elec.para_array[1], -2.0 / 200, 1e-12) << "current rises to 2A/R";
    EXPECT_EQ(l->m_kind, BRANCH_INDUCTOR);
    EXPECT_EQ(l->m_value, 0.5);
}

struct LevelCase {
    const char* name;
    int wave;
    double expectedResistorVolts; // source of amplitude 4 across a single resistor
};
inline void PrintTo(const LevelCase& c, std::ostream* os) {
    *os << c.name;
}
class Level : public ClassifyTest, public ::testing::WithParamInterface<LevelCase> {};

TEST_P(Level, DcEquivalentOfTheWave) {
    auto *a = net.Node(), *b = net.Node();
    net.Wave(BRANCH_SINE_VOLTAGE_SOURCE, GetParam().wave, 4, 60, 0, a, b);
    CBranch* r = net.R(8, a, b);
    SolveFrom(solver, net.AllNodes());
    EXPECT_NEAR(U(r), GetParam().expectedResistorVolts, 1e-9);
    EXPECT_EQ(r->m_result.m_vol.wave_array[0], U(r));
    EXPECT_EQ(r->m_result.m_vol.wave_array[3], 4);
}

INSTANTIATE_TEST_SUITE_P(Cases, Level,
                         ::testing::Values(LevelCase{"Square", WAVE_SQUARE, 4},
                                           LevelCase{"Triangle", WAVE_TRIANGLE, 4}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ClassifyTest, DiodeConductsForward) {
    auto *a = net.Node(), *b = net.Node(), *x = net.Node(), *y = net.Node();
    net.V(10, a, b);
    CBranch* r = net.R(5, a, x);
    net.R(0.01, x, y);
    CBranch* d = net.D(y, b);
    SolveFrom(solver, net.AllNodes());
    EXPECT_NEAR(U(r), 9.98, 0.001);
    EXPECT_NEAR(I(r), 1.996, 0.001);
    EXPECT_EQ(d->m_kind, BRANCH_DIODE);
    EXPECT_EQ(d->m_value, 0) << "the diode keeps its own value";
}

TEST_F(ClassifyTest, DiodeBlocksReverse) {
    auto *a = net.Node(), *b = net.Node(), *x = net.Node(), *y = net.Node();
    net.V(10, a, b);
    CBranch* r = net.R(5, a, x);
    net.R(0.01, x, y);
    net.D(b, y);
    SolveFrom(solver, net.AllNodes());
    EXPECT_LT(std::fabs(U(r)), 1e-5);
    EXPECT_LT(std::fabs(I(r)), 1e-5);
}

TEST_F(ClassifyTest, SquareWithDiodePublishesThePassWithDiodesOff) {
    auto *a = net.Node(), *b = net.Node(), *x = net.Node();
    net.Wave(BRANCH_SINE_VOLTAGE_SOURCE, WAVE_SQUARE, 2, 100, 0, a, b);
    CBranch* r = net.R(5, a, x);
    net.D(x, b);
    CGraph g = SolveFrom(solver, net.AllNodes());
    EXPECT_EQ(g.m_class, CLASS_SQUARE);
    ASSERT_EQ(sink.notices.size(), 1u);
    EXPECT_EQ(sink.notices[0].text, msg::kDiodeIrregular);
    EXPECT_NEAR(U(r), r->m_passVoltage[0], 0);
    EXPECT_LT(std::fabs(I(r)), 1e-8) << "pass 0 has the diode off";
    EXPECT_GT(std::fabs(r->m_passCurrent[1]), 0.3) << "pass 1 had it on";
}

// A capacitor hanging from a working circuit by one lead floats in the
// steady state; the rest of the circuit must still read correctly.
TEST_F(ClassifyTest, CapacitorOnOneLeadLeavesTheCircuitWorking) {
    auto *a = net.Node(), *b = net.Node(), *free = net.Node();
    net.V(10, a, b);
    CBranch* r = net.R(5, a, b);
    CBranch* c = net.C(1e-6, a, free);
    CGraph g = SolveFrom(solver, net.AllNodes());
    ASSERT_EQ(g.m_class, CLASS_DC_FIRST_ORDER);
    EXPECT_NEAR(I(r), 2, 1e-12);
    EXPECT_NEAR(U(r), 10, 1e-12);
    EXPECT_EQ(I(c), 0);
}

TEST_F(ClassifyTest, FirstOrderRateIsAlwaysFinite) {
    struct Case {
        const char* name;
        double amplitude, resistance;
    };
    for (const Case& k : {Case{"UndrivenCapacitor", 0, 100}, Case{"NoResistanceInTheLoop", 5, 0}}) {
        SCOPED_TRACE(k.name);
        Net n;
        auto *a = n.Node(), *b = n.Node(), *x = n.Node();
        n.Wave(BRANCH_SINE_VOLTAGE_SOURCE, WAVE_SQUARE, k.amplitude, 100, 0, a, b);
        n.R(k.resistance, a, x);
        CBranch* c = n.C(1e-6, x, b);
        SolveFrom(solver, n.AllNodes());
        const double rate = c->m_result.m_vol.para_array[2];
        EXPECT_TRUE(std::isfinite(rate));
        EXPECT_GE(rate, 0);
        EXPECT_LE(rate, kInstantRate);
    }
}

} // namespace
} // namespace ampera::testing
