// The sparse factorisation of large graphs against the dense elimination:
// every published result agrees within 1e-9 relative (plus a floor of
// 1e-12), systems with no answer have none either way, and a solve of the
// same topology with other values keeps the analysis.
#include "core/sparse_lu.h"
#include "graph_fixture.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <sstream>

namespace ampera::testing {
namespace {

// A ladder of `rungs`: series resistors along the top rail, a shunt element
// from each rail node to the bottom rail, driven by `source` at one end.
struct Ladder {
    Net net;
    std::vector<CBranch*> shunts;
    CBranch* source = nullptr;

    Ladder(int rungs, const std::function<CBranch*(Net&, CCircuitNode*, CCircuitNode*)>& makeSource,
           const std::function<CBranch*(Net&, int, CCircuitNode*, CCircuitNode*)>& makeShunt) {
        CCircuitNode* ground = net.Node();
        CCircuitNode* top = net.Node();
        source = makeSource(net, top, ground);
        for (int k = 0; k < rungs; ++k) {
            CCircuitNode* next = net.Node();
            net.R(10 + k % 7, top, next);
            shunts.push_back(makeShunt(net, k, next, ground));
            top = next;
        }
    }
};

CBranch* DcSource(Net& net, CCircuitNode* a, CCircuitNode* b) { return net.V(10, a, b); }
CBranch* SineSource(Net& net, CCircuitNode* a, CCircuitNode* b) {
    return net.Wave(BRANCH_SINE_VOLTAGE_SOURCE, WAVE_SINE, 5, 1000, 30, a, b);
}
CBranch* SquareSource(Net& net, CCircuitNode* a, CCircuitNode* b) {
    return net.Wave(BRANCH_SINE_VOLTAGE_SOURCE, WAVE_SQUARE, 1, 1000, 0, a, b);
}
CBranch* Resistor(Net& net, int k, CCircuitNode* a, CCircuitNode* b) { return net.R(100 + 13 * (k % 11), a, b); }
CBranch* Mixed(Net& net, int k, CCircuitNode* a, CCircuitNode* b) {
    if (k % 3 == 0) return net.C(1e-6 * (1 + k % 4), a, b);
    if (k % 3 == 1) return net.L(1e-3 * (1 + k % 5), a, b);
    return net.R(1000, a, b);
}

struct SolveRun {
    bool solved = true;
    std::uint64_t sparseSolves = 0;
    std::string trace;
    std::vector<CBranchResult> results;
    std::vector<std::array<double, 2>> passes; // pass voltages of each branch
};

// Solves the ladder's graph with systems of at least `sparseFrom` unknowns
// going to the sparse factorisation.
SolveRun SolveWith(Net& net, int sparseFrom) {
    CCircuitSolver solver;
    std::ostringstream trace;
    solver.SetTraceStream(&trace);
    solver.SetSparseFrom(sparseFrom);
    CGraph graph;
    graph.m_nodes = solver.SplitGraphs(net.AllNodes()).front();
    solver.Classify(graph);
    SolveRun run;
    if (graph.m_class == CLASS_SINE) {
        for (CBranch* b : graph.m_branches)
            if (b->IsDynamicSource()) graph.m_frequency = b->m_frequency;
        run.solved = solver.SolveSine(graph);
    } else {
        solver.SolvePasses(graph);
    }
    run.trace = trace.str();
    run.sparseSolves = solver.SparseSolves();
    for (const auto& b : net.branches) {
        run.results.push_back(b->m_result);
        run.passes.push_back({b->m_passVoltage[0], b->m_passVoltage[1]});
    }
    return run;
}

void ExpectClose(double dense, double sparse, const std::string& where) {
    EXPECT_LE(std::fabs(dense - sparse), 1e-9 * std::fabs(dense) + 1e-12)
        << where << ": dense " << dense << ", sparse " << sparse;
}

void ExpectSame(const SolveRun& dense, const SolveRun& sparse) {
    EXPECT_EQ(dense.solved, sparse.solved);
    EXPECT_EQ(dense.trace.find("NO ANSWER") != std::string::npos, sparse.trace.find("NO ANSWER") != std::string::npos);
    ASSERT_EQ(dense.results.size(), sparse.results.size());
    for (std::size_t i = 0; i < dense.results.size(); ++i) {
        const std::string where = "branch " + std::to_string(i);
        for (const auto part : {&CBranchResult::m_elec, &CBranchResult::m_vol}) {
            const CQuantity& d = dense.results[i].*part;
            const CQuantity& s = sparse.results[i].*part;
            EXPECT_EQ(d.m_circuitClass, s.m_circuitClass) << where;
            for (int k = 0; k < 10; ++k)
                ExpectClose(d.para_array[k], s.para_array[k], where + " para " + std::to_string(k));
            // The phase of a vanishing phasor means nothing; its size does.
            const bool vanishing = std::fabs(d.wave_array[0]) < 1e-12;
            for (int k = 0; k < 4; ++k)
                if (!(vanishing && k == 2)) ExpectClose(d.wave_array[k], s.wave_array[k], where + " wave " + std::to_string(k));
        }
        for (int pass = 0; pass < 2; ++pass)
            ExpectClose(dense.passes[i][pass], sparse.passes[i][pass], where + " pass " + std::to_string(pass));
    }
}

struct LadderCase {
    const char* name;
    int rungs;
    std::function<CBranch*(Net&, CCircuitNode*, CCircuitNode*)> source;
    std::function<CBranch*(Net&, int, CCircuitNode*, CCircuitNode*)> shunt;
};

class SparseAgreement : public ::testing::TestWithParam<LadderCase> {};

TEST_P(SparseAgreement, EveryResultMatchesTheDenseElimination) {
    const LadderCase& c = GetParam();
    Ladder ladder(c.rungs, c.source, c.shunt);
    const SolveRun dense = SolveWith(ladder.net, INT_MAX);
    const SolveRun sparse = SolveWith(ladder.net, 0);
    ExpectSame(dense, sparse);
    EXPECT_EQ(dense.sparseSolves, 0u);
    if (dense.trace.find("NO ANSWER") == std::string::npos)
        EXPECT_GT(sparse.sparseSolves, 0u) << "the sparse factorisation answered";
}

CBranch* OneCapacitor(Net& net, int k, CCircuitNode* a, CCircuitNode* b) {
    return k == 7 ? net.C(1e-6, a, b) : net.R(100 + k, a, b);
}
// Two sources that disagree across one rung: no answer.
CBranch* Conflicting(Net& net, int k, CCircuitNode* a, CCircuitNode* b) {
    if (k == 40) {
        net.V(3, a, b);
        return net.V(4, a, b);
    }
    return net.R(100, a, b);
}
// A resistance so large that its pivot falls below the threshold when it is
// all that holds a node: the dense verdict decides.
CBranch* Huge(Net& net, int k, CCircuitNode* a, CCircuitNode* b) { return net.R(k == 0 ? 1e13 : 500, a, b); }

INSTANTIATE_TEST_SUITE_P(
    Ladders, SparseAgreement,
    ::testing::Values(LadderCase{"DcTen", 10, DcSource, Resistor}, LadderCase{"DcHundreds", 300, DcSource, Resistor},
                      LadderCase{"SineRlc", 200, SineSource, Mixed},
                      LadderCase{"SquareFirstOrder", 120, SquareSource, OneCapacitor},
                      LadderCase{"ConflictingSources", 100, DcSource, Conflicting},
                      LadderCase{"HugeResistance", 90, DcSource, Huge}),
    [](const auto& info) { return std::string(info.param.name); });

// Parts cut off from the reference (by a capacitor opened in a DC pass) are
// tied to 0 V in both paths alike.
TEST(SparseAgreementFloating, IslandsBeyondAnOpenedCapacitor) {
    Net net;
    CCircuitNode* ground = net.Node();
    CCircuitNode* top = net.Node();
    net.V(10, top, ground);
    CCircuitNode* cut = net.Node();
    net.C(1e-6, top, cut);
    CCircuitNode* last = cut;
    for (int k = 0; k < 150; ++k) {
        CCircuitNode* next = net.Node();
        net.R(50, last, next);
        net.R(75, next, k % 2 ? ground : cut);
        last = next;
    }
    ExpectSame(SolveWith(net, INT_MAX), SolveWith(net, 0));
}

// The analysis of a pattern is kept: new values of the same topology only
// refactor, a new topology analyses again, and a pivot that became too small
// is refused (the solver then asks the dense sweep).
TEST(SparseLu, KeepsTheAnalysisOfOnePattern) {
    auto tridiagonal = [](int n, double diagonal) {
        std::vector<CMatrixEntry<double>> entries;
        for (int i = 0; i < n; ++i) {
            entries.push_back({i, i, diagonal});
            if (i > 0) entries.push_back({i, i - 1, -1});
            if (i + 1 < n) entries.push_back({i, i + 1, -1});
        }
        return entries;
    };
    CSparseLu<double> lu;
    std::vector<double> x(100, 1.0);
    auto entries = tridiagonal(100, 4);
    ASSERT_TRUE(lu.Solve(100, entries, x, 1e-10));
    EXPECT_EQ(lu.Analyses(), 1u);
    EXPECT_FALSE(lu.ReusedAnalysis());
    // The first row: 4 x0 - x1 = 1, and x1 a little over x0's 0.366.
    EXPECT_NEAR(4 * x[0] - x[1], 1, 1e-12);

    entries = tridiagonal(100, 5);
    x.assign(100, 1.0);
    ASSERT_TRUE(lu.Solve(100, entries, x, 1e-10));
    EXPECT_TRUE(lu.ReusedAnalysis());
    EXPECT_EQ(lu.Analyses(), 1u);
    EXPECT_NEAR(5 * x[0] - x[1], 1, 1e-12);

    entries = tridiagonal(80, 4);
    x.assign(80, 1.0);
    ASSERT_TRUE(lu.Solve(80, entries, x, 1e-10));
    EXPECT_EQ(lu.Analyses(), 2u);

    // Duplicates add up; a zero matrix has no pivot at all.
    std::vector<CMatrixEntry<double>> twice = {{0, 0, 1}, {0, 0, 1}, {1, 1, 2}};
    std::vector<double> b = {4, 4};
    ASSERT_TRUE(lu.Solve(2, twice, b, 1e-10));
    EXPECT_DOUBLE_EQ(b[0], 2);
    EXPECT_DOUBLE_EQ(b[1], 2);
    std::vector<CMatrixEntry<double>> zero = {{0, 0, 0}, {1, 1, 1e-12}};
    b = {1, 1};
    EXPECT_FALSE(lu.Solve(2, zero, b, 1e-10));
}

} // namespace
} // namespace ampera::testing
