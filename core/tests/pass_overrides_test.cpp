// The DC passes take elements as shorts, opens, resistors and DC sources
// without touching the board: after any solve every branch keeps its kind,
// value and place in its nodes' lists, so the next solve of the same board
// stamps the same system and gives the same bits.
#include "graph_fixture.h"

#include "core/experiment.h"
#include "core/topology.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <ostream>
#include <sstream>

namespace ampera::testing {
namespace {

struct BranchFacts {
    int kind, baseKind, wave;
    double value, amplitude;
    bool operator==(const BranchFacts&) const = default;
};

struct BoardSnapshot {
    std::vector<BranchFacts> branches;
    std::vector<std::vector<CBranch*>> lists; // every node's branch list, in order
    bool operator==(const BoardSnapshot&) const = default;
};

BoardSnapshot Snapshot(const Net& net) {
    BoardSnapshot s;
    for (const auto& b : net.branches)
        s.branches.push_back({b->m_kind, b->m_baseKind, b->m_wave, b->m_value, b->m_amplitude});
    for (const auto& n : net.nodes)
        s.lists.push_back(n->m_branches);
    return s;
}

// Every number a solve leaves in the branches, for a bitwise comparison.
std::vector<double> Results(const Net& net) {
    std::vector<double> out;
    for (const auto& b : net.branches) {
        for (const CQuantity* q : {&b->m_result.m_elec, &b->m_result.m_vol}) {
            out.push_back(q->m_circuitClass);
            out.insert(out.end(), std::begin(q->para_array), std::end(q->para_array));
            out.insert(out.end(), std::begin(q->wave_array), std::end(q->wave_array));
        }
        out.insert(out.end(), std::begin(b->m_passCurrent), std::end(b->m_passCurrent));
        out.insert(out.end(), std::begin(b->m_passVoltage), std::end(b->m_passVoltage));
    }
    return out;
}

struct BoardCase {
    const char* name;
    std::function<void(Net&)> build;
    int expectedClass;
};
inline void PrintTo(const BoardCase& c, std::ostream* os) {
    *os << c.name;
}

// The reactive element is never the last branch of its nodes' lists: a pass
// that moved it there would show.
const BoardCase kBoards[] = {
    {"SquareWaveRc",
     [](Net& n) {
         auto *a = n.Node(), *b = n.Node(), *x = n.Node();
         n.Wave(BRANCH_SINE_VOLTAGE_SOURCE, WAVE_SQUARE, 3, 250, 30, a, b);
         n.R(1000, a, x);
         n.C(1e-6, x, b);
         n.R(4700, x, b);
     },
     CLASS_SQUARE_FIRST_ORDER},
    {"SquareWaveRl",
     [](Net& n) {
         auto *a = n.Node(), *b = n.Node(), *x = n.Node();
         n.Wave(BRANCH_SINE_CURRENT_SOURCE, WAVE_SQUARE, 0.2, 50, 0, a, b);
         n.R(200, a, x);
         n.L(0.5, x, b);
         n.R(330, x, b);
         n.R(68, a, b);
     },
     CLASS_SQUARE_FIRST_ORDER},
    {"DiodeCircuit",
     [](Net& n) {
         auto *a = n.Node(), *b = n.Node(), *x = n.Node(), *y = n.Node();
         n.V(10, a, b);
         n.R(5, a, x);
         n.D(x, y);
         n.D(b, y); // reverse-biased: stays off in the second pass
         n.R(100, y, b);
     },
     CLASS_DC},
    {"DcFirstOrderRc",
     [](Net& n) {
         auto *a = n.Node(), *b = n.Node(), *x = n.Node();
         n.V(10, a, b);
         n.R(100, a, x);
         n.C(1e-6, x, b);
         n.R(220, x, b);
     },
     CLASS_DC_FIRST_ORDER},
    {"DcFirstOrderRlWithDiode",
     [](Net& n) {
         auto *a = n.Node(), *b = n.Node(), *x = n.Node();
         n.V(10, a, b);
         n.R(20, a, x);
         n.L(2, x, b);
         n.D(x, b);
         n.R(47, x, b);
     },
     CLASS_DC_FIRST_ORDER},
    {"TriangleWave",
     [](Net& n) {
         auto *a = n.Node(), *b = n.Node();
         n.Wave(BRANCH_SINE_VOLTAGE_SOURCE, WAVE_TRIANGLE, 4, 60, 0, a, b);
         n.R(8, a, b);
     },
     CLASS_TRIANGLE},
};

class PassesLeaveTheBoard : public ::testing::TestWithParam<BoardCase> {};

TEST_P(PassesLeaveTheBoard, KindValueAndListPlaceSurviveRepeatedSolves) {
    Net net;
    GetParam().build(net);
    const BoardSnapshot before = Snapshot(net);
    CCircuitSolver solver;
    RecordingSink sink;
    solver.SetNoticeSink(&sink);

    std::ostringstream firstTrace, secondTrace;
    solver.SetTraceStream(&firstTrace);
    ASSERT_EQ(SolveFrom(solver, net.AllNodes()).m_class, GetParam().expectedClass);
    EXPECT_TRUE(Snapshot(net) == before) << "a pass rewrote a branch or a node's branch list";
    const std::vector<double> first = Results(net);

    solver.SetTraceStream(&secondTrace);
    SolveFrom(solver, net.AllNodes());
    EXPECT_TRUE(Snapshot(net) == before);
    const std::vector<double> second = Results(net);
    ASSERT_EQ(first.size(), second.size());
    EXPECT_EQ(0, std::memcmp(first.data(), second.data(), first.size() * sizeof(double)));
    EXPECT_EQ(firstTrace.str(), secondTrace.str()) << "the second solve stamped in another order";
}

INSTANTIATE_TEST_SUITE_P(Boards, PassesLeaveTheBoard, ::testing::ValuesIn(kBoards),
                         [](const auto& info) { return std::string(info.param.name); });

// The coil of a square-wave RL circuit is open for the instant after the
// step and shorted for the settled state; that short is stamped after the
// other branches of its nodes, which the trace shows as the last stamp.
TEST(PassOverrides, SettledCoilShortIsStampedLastOnItsNodes) {
    Net net;
    auto *a = net.Node(), *b = net.Node(), *x = net.Node();
    net.Wave(BRANCH_SINE_VOLTAGE_SOURCE, WAVE_SQUARE, 1, 50, 0, a, b);
    net.L(0.5, x, a);
    net.R(200, a, x);
    net.R(300, x, b);
    CCircuitSolver solver;
    std::ostringstream trace;
    solver.SetTraceStream(&trace);
    SolveFrom(solver, net.AllNodes());
    const std::string text = trace.str();
    const std::size_t settled = text.find("track 0", text.find("节点"));
    ASSERT_NE(settled, std::string::npos);
    EXPECT_EQ(text.substr(settled), "track 0: 0->1 电压源 2伏特\n"
                                    "track 1: 0->2 电阻支路 200导纳\n"
                                    "track 2: 0->2 电压源 -0伏特\n"
                                    "track 3: 1->2 电阻支路 300导纳\n"
                                    "节点0的电压： 0.0000\n"
                                    "节点1的电压：-2.0000\n"
                                    "节点2的电压：-0.0000\n");
}

// A part with one branch over its two terminals, for solving a real board.
class TwoTerminalPart : public CComponent {
  public:
    TwoTerminalPart(int kind, double value)
        : CComponent(CATEGORY_RESISTANCE, TYPE_RESISTANCE), m_kind(kind), m_value(value) {}
    void Update(const CUpdateContext&) override {}
    void BuildBranches(CTopologyBuilder& builder) override {
        CBranch& b = builder.OverTerminals(m_kind, m_value);
        b.m_wave = m_wave;
        b.m_amplitude = m_amplitude;
        b.m_frequency = 100;
    }
    int m_kind;
    double m_value;
    int m_wave = WAVE_NONE;
    double m_amplitude = 0;
};

// The board trace lists the values the passes solved with (a square wave at
// its DC level, a switched diode as 1) although the branches keep their own.
TEST(PassOverrides, BoardTraceListsTheValuesThePassesUsed) {
    CExperiment ex;
    RecordingSink sink;
    ex.SetNoticeSink(&sink);
    ex.Solver().SetTraceStream(nullptr);
    ex.m_showTrace = 1;
    std::vector<CNode*> nodes;
    for (int i = 0; i < 4; ++i) {
        nodes.push_back(new CNode());
        ex.AddObject(nodes.back(), false);
    }
    auto place = [&](TwoTerminalPart* part, int first, int second) {
        part->m_terminals = {nodes[first], nodes[second]};
        nodes[first]->m_attached.push_back(part);
        nodes[second]->m_attached.push_back(part);
        ex.AddObject(part, false);
        return part;
    };
    auto* source = place(new TwoTerminalPart(BRANCH_SINE_VOLTAGE_SOURCE, 0), 0, 1);
    source->m_wave = WAVE_SQUARE;
    source->m_amplitude = 3;
    place(new TwoTerminalPart(BRANCH_RESISTOR, 10), 0, 1);
    place(new TwoTerminalPart(BRANCH_VOLTAGE_SOURCE, 5), 2, 3);
    place(new TwoTerminalPart(BRANCH_DIODE, 0), 2, 3);
    ex.RebuildTopology();
    ex.Solver().Solve(ex);

    std::vector<std::string> values;
    for (const std::string& label : sink.labels)
        if (label.find(" value: ") != std::string::npos) values.push_back(label);
    EXPECT_EQ(values, (std::vector<std::string>{"\n元件0 value: 3.000000", "\n元件1 value: 10.000000",
                                                "\n元件2 value: 5.000000", "\n元件3 value: 1.000000"}));
    for (CComponent* o : ex.Devices()) {
        const auto* part = static_cast<const TwoTerminalPart*>(o);
        EXPECT_EQ(part->m_branches.front()->m_value, part->m_value);
    }
}

} // namespace
} // namespace ampera::testing
