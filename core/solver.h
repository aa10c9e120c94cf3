// Nodal analysis of connected graphs: classification, the DC passes, the
// sinusoidal steady state, and the driver that solves a whole board.
#pragma once

#include "circuit.h"
#include "sparse_lu.h"

#include <complex>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace ampera {

class CExperiment;
class INoticeSink;


// How one DC pass takes a branch instead of as its own element. The passes
// describe a response by DC solutions of altered copies of the circuit (a
// capacitor opened or shorted, a diode as a resistor, a periodic source at its
// DC level); the alterations live here, so the board's branches keep their
// kind, value and place in their nodes' lists.
struct CPassOverride {
    enum As : int {
        AS_SHORT,    // a 0 V source: the branch's current is solved for
        AS_OPEN,     // no branch at all: it is not stamped and carries no current
        AS_RESISTOR, // a resistor of `value` ohms
        AS_SOURCE,   // a sine source's DC counterpart of `value` volts or amperes
    };
    CBranch* branch = nullptr;
    int as = AS_SHORT;
    double value = 0;
    // Stamped after every other branch of the nodes it ends on. The short
    // that takes the place of an opened coil for the settled state of a step
    // is stamped last on its nodes; the order of stamps decides the
    // elimination's rounding, and results stay reproducible to the bit.
    bool last = false;
};

struct CGraph {
    int m_class = CLASS_DC;
    double m_amplitude = 0;
    double m_frequency = 0;
    double m_phase = 0; // degrees
    double m_amplitude2 = 0;
    std::vector<CCircuitNode*> m_nodes;     // breadth-first order; the first is the reference
    std::vector<CBranch*> m_branches;       // discovery order of Classify
    std::vector<CPassOverride> m_overrides; // how the next DC pass takes some branches
};

// Rates of a first-order response are kept finite so instruments can always
// evaluate exp(-t * rate): an element that sees no resistance settles at once.
inline constexpr double kInstantRate = 1e30;

// Messages of Classify, exactly as shown on the board.
namespace msg {
inline const char* const kTwoDynamic = "不支持两个动态输入!\n";
inline const char* const kDcSecondOrder = "直流电路不支持二阶，请输入交流电!\n";
inline const char* const kAcAndDc = "有交流又有直流?不支持!\n";
inline const char* const kSquareSecondOrder = "方波不支持二阶，请输入交流电!\n";
inline const char* const kTriangleLinearOnly = "三角波只支持线性电路!\n";
inline const char* const kDiodeIrregular = "不规则电路，二极管在一阶或交流电路中!\n";
} // namespace msg

class CCircuitSolver {
  public:
    CCircuitSolver();
    ~CCircuitSolver();
    CCircuitSolver(const CCircuitSolver&) = delete;
    CCircuitSolver& operator=(const CCircuitSolver&) = delete;

    // Systems of at least this many unknowns are solved by the sparse LU,
    // smaller ones by the dense elimination (where it is faster). Tests and
    // benchmarks move the line; 0 sends every system to the sparse LU. The
    // line lies where ladder boards cost the same either way (the dense
    // sweep wins on a board of three devices, the sparse LU from five on,
    // measured by the circuit benchmark).
    static constexpr int kSparseFrom = 8;
    void SetSparseFrom(int unknowns) { m_sparseFrom = unknowns; }
    // Systems the sparse LU answered (the rest went to the dense sweep).
    std::uint64_t SparseSolves() const { return m_sparseSolves; }

    // Where the solver's console trace goes; null switches it off.
    void SetTraceStream(std::ostream* out) { m_trace = out; }
    // Where the trace of solvers made from now on goes: nowhere unless a
    // program asks for it (its --trace option or AMPERA_TRACE=1).
    static void SetDefaultTraceStream(std::ostream* out);
    // Where Classify posts its messages; null drops them.
    void SetNoticeSink(INoticeSink* sink) { m_notices = sink; }

    std::vector<std::vector<CCircuitNode*>> SplitGraphs(const std::vector<CCircuitNode*>& nodes) const;

    // Fills the graph's branch list and class; posts at most one message.
    void Classify(CGraph& graph);
    // DC passes for classes 0 to 4 and publishing of m_result.
    void SolvePasses(CGraph& graph);
    // One DC solve of the graph with its overrides; results go to
    // m_passCurrent/m_passVoltage[pass]. False when the system has no answer
    // (every result of the pass is then zero).
    bool SolveDC(CGraph& graph, int pass);
    // Sinusoidal steady state at the graph's source frequency; fills m_result.
    bool SolveSine(CGraph& graph);

    // Solves every graph of the experiment. False when some graph was of an
    // unsupported class (it is skipped; every other graph is still solved).
    bool Solve(CExperiment& experiment);

  private:
    template <typename T> struct System;
    std::ostream* m_trace;
    static std::ostream* s_defaultTrace;
    INoticeSink* m_notices = nullptr;
    int m_traceBottom = 0; // where the branch trace continues below the graph trace
    // The value the branch trace lists for a branch the passes took as
    // something else: a periodic source at the DC level it was solved at, a
    // diode (whose board value means nothing to the passes) as the nominal 1.
    // Filled by SolvePasses, cleared by each Solve.
    std::vector<std::pair<const CBranch*, double>> m_listedValues;

    // Scratch reused between calls so a solve allocates only when a graph grows.
    std::vector<double> m_realMatrix;
    std::vector<std::complex<double>> m_complexMatrix;
    std::vector<int> m_rowOrder, m_pattern;
    int m_sparseFrom = kSparseFrom;
    std::uint64_t m_sparseSolves = 0;
    // The sparse factorisations keep their analysis between solves of the
    // same pattern (the same topology, pass after pass and frame after frame).
    CSparseLu<double> m_realLu;
    CSparseLu<std::complex<double>> m_complexLu;
    // The entries, right side, correction and extended-precision residual
    // of the last system, kept so a solve allocates only when a graph grows.
    template <typename T> struct CLinearScratch {
        std::vector<CMatrixEntry<T>> entries;
        std::vector<T> rhs, correction;
        std::vector<std::conditional_t<std::is_same_v<T, double>, long double, std::complex<long double>>> wide;
    };
    CLinearScratch<double> m_realScratch;
    CLinearScratch<std::complex<double>> m_complexScratch;
    std::vector<double> m_realSolution;
    std::vector<std::complex<double>> m_complexSolution;

    // Solves the system into `x` (dense or sparse by its size); false when it
    // has no answer.
    template <typename T>
    bool SolveLinear(const System<T>& sys, std::vector<T>& matrix, CSparseLu<T>& lu, CLinearScratch<T>& scratch,
                     std::vector<T>& x);

    void Post(const std::string& text);
    void QueueTrace(CExperiment& experiment, const std::vector<std::vector<CCircuitNode*>>& graphs,
                    const std::vector<CBranch*>& branches, bool afterSolve);
};

} // namespace ampera
