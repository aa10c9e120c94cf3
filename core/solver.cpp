// Modified nodal analysis of one connected graph, in a real form for DC
// passes and a complex form for the sinusoidal steady state.
#include "solver.h"

#include "elimination.h"
#include "sparse_lu.h"

#include <cmath>
#include <cstdio>
#include <deque>
#include <iostream>
#include <numeric>

namespace ampera {

namespace {

constexpr double kTwoPi = 6.28318;                 // angular frequency factor of the solver
constexpr double kDegToRad = 0.017453292222222222; // 3.1415926 / 180
constexpr double kDiodeOff = 9999999999.0;         // a diode in the phasor solve is taken as off

enum StampType { STAMP_CONDUCTANCE = 1, STAMP_CURRENT = 2, STAMP_VOLTAGE = 3 };

template <typename T> struct Stamp {
    int from = 0, to = 0; // node indices in graph order
    int type = STAMP_CONDUCTANCE;
    T value{};
    double shown = 0; // what the trace prints: resistance, element value, current or voltage
    CBranch* branch = nullptr;
    bool reversed = false; // made from the branch's second end
    int variable = -1;     // voltage stamps: index among the source currents
};

// Index of a branch end inside the graph, or -1 when the end lies outside it.
int IndexIn(const std::vector<CCircuitNode*>& nodes, const CCircuitNode* node) {
    if (!node || node->m_index < 0 || node->m_index >= static_cast<int>(nodes.size())) return -1;
    return nodes[node->m_index] == node ? node->m_index : -1;
}

const CPassOverride* FindOverride(const std::vector<CPassOverride>& overrides, const CBranch* b) {
    for (const CPassOverride& o : overrides)
        if (o.branch == b) return &o;
    return nullptr;
}

// A branch as a DC pass sees it: its own kind and value, or what its
// override makes of it. Open branches are never stamped.
struct DcElement {
    int kind;
    double value;
};
DcElement AsInPass(const CBranch& b, const CPassOverride* o) {
    if (!o) return {b.m_kind, b.m_value};
    switch (o->as) {
    case CPassOverride::AS_SHORT:
        return {BRANCH_VOLTAGE_SOURCE, 0};
    case CPassOverride::AS_RESISTOR:
        return {BRANCH_RESISTOR, o->value};
    case CPassOverride::AS_SOURCE:
        if (b.m_kind == BRANCH_SINE_CURRENT_SOURCE) return {BRANCH_CURRENT_SOURCE, o->value};
        if (b.m_kind == BRANCH_SINE_VOLTAGE_SOURCE) return {BRANCH_VOLTAGE_SOURCE, o->value};
        return {b.m_kind, o->value};
    default:
        return {b.m_kind, b.m_value};
    }
}

// Union-find over the nodes joined by stamps that fix a voltage difference.
struct Islands {
    std::vector<int> parent;
    explicit Islands(int n) : parent(n) { std::iota(parent.begin(), parent.end(), 0); }
    int Find(int x) {
        while (parent[x] != x)
            x = parent[x] = parent[parent[x]];
        return x;
    }
    void Join(int a, int b) { parent[Find(a)] = Find(b); }
};

} // namespace

template <typename T> struct CCircuitSolver::System {
    std::vector<Stamp<T>> stamps;
    int nodes = 0;
    int sources = 0;

    // Walks the graph's nodes and their branch lists; each listed branch is
    // stamped once, from the node at which the scan meets it. An overridden
    // branch that is open is left out; one marked `last` is met after every
    // listed branch of each node it ends on. `make` gets the branch's
    // override (or null).
    template <typename MakeStamp>
    void Build(const CGraph& graph, const std::vector<CPassOverride>& overrides, MakeStamp make) {
        nodes = static_cast<int>(graph.m_nodes.size());
        for (CBranch* b : graph.m_branches)
            b->m_stamped = 0;
        for (int i = 0; i < nodes; ++i)
            graph.m_nodes[i]->m_index = i;
        for (int i = 0; i < nodes; ++i) {
            CCircuitNode* u = graph.m_nodes[i];
            for (CBranch* b : u->m_branches) {
                const CPassOverride* o = FindOverride(overrides, b);
                if (o && (o->as == CPassOverride::AS_OPEN || o->last)) continue;
                Meet(graph, i, u, b, o, make);
            }
            for (const CPassOverride& o : overrides) {
                const bool endsHere = o.branch->m_end[0] == u || o.branch->m_end[1] == u;
                if (o.last && o.as != CPassOverride::AS_OPEN && endsHere)
                    Meet(graph, i, u, o.branch, &o, make);
            }
        }
    }

    template <typename MakeStamp>
    void Meet(const CGraph& graph, int i, CCircuitNode* u, CBranch* b, const CPassOverride* o,
              MakeStamp& make) {
        if (b->m_stamped) return;
        b->m_stamped = 1;
        int other = IndexIn(graph.m_nodes, b->OtherEnd(u));
        if (other < 0) return;
        Stamp<T> s;
        s.from = i;
        s.to = other;
        s.branch = b;
        s.reversed = b->m_end[0] != u;
        make(s, o);
        if (s.type == STAMP_VOLTAGE) {
            // A source looped onto one node fixes nothing; its current is taken as 0.
            if (s.from == s.to) return;
            s.variable = sources++;
        }
        stamps.push_back(s);
    }

    int Size() const { return nodes - 1 + sources; }

    // Parts of the graph that no stamp ties to the reference (cut off by an
    // opened capacitor, say) would make the system singular and silence the
    // whole graph; each such island is referred to 0 V through its first node
    // instead. No current can flow through that link, so the rest is unchanged.
    void TieIslands() {
        Islands islands(nodes);
        for (const auto& s : stamps)
            if (s.type == STAMP_VOLTAGE || (s.type == STAMP_CONDUCTANCE && s.value != T(0)))
                islands.Join(s.from, s.to);
        std::vector<char> tied(nodes, 0);
        tied[islands.Find(0)] = 1;
        for (int i = 1; i < nodes; ++i) {
            int root = islands.Find(i);
            if (tied[root]) continue;
            tied[root] = 1;
            Stamp<T> s;
            s.from = i;
            s.to = 0;
            s.type = STAMP_CONDUCTANCE;
            s.value = T(1);
            stamps.push_back(s);
        }
    }

    // The system as entries of the n x n matrix (entries at one place add
    // up, in stamp order) and the right side.
    void Entries(std::vector<CMatrixEntry<T>>& entries, std::vector<T>& rhs) const {
        const int n = Size();
        entries.clear();
        rhs.assign(static_cast<std::size_t>(n), T(0));
        auto add = [&](int r, int c, T v) { entries.push_back({r, c, v}); };
        for (const auto& s : stamps) {
            const int a = s.from - 1, b = s.to - 1;
            switch (s.type) {
            case STAMP_CONDUCTANCE:
                if (a >= 0) add(a, a, s.value);
                if (b >= 0) add(b, b, s.value);
                if (a >= 0 && b >= 0) {
                    add(a, b, -s.value);
                    add(b, a, -s.value);
                }
                break;
            case STAMP_CURRENT:
                if (a >= 0) rhs[static_cast<std::size_t>(a)] -= s.value;
                if (b >= 0) rhs[static_cast<std::size_t>(b)] += s.value;
                break;
            case STAMP_VOLTAGE: {
                const int k = nodes - 1 + s.variable;
                if (a >= 0) add(a, k, T(1)), add(k, a, T(1));
                if (b >= 0) add(b, k, T(-1)), add(k, b, T(-1));
                rhs[static_cast<std::size_t>(k)] = s.value;
                break;
            }
            }
        }
    }

    void TraceStamps(std::ostream* out) const {
        if (!out) return;
        int j = 0;
        for (const auto& s : stamps) {
            if (!s.branch) continue; // island ties are not elements of the circuit
            *out << "track " << j++ << ": " << s.from << "->" << s.to;
            if (s.type == STAMP_CONDUCTANCE)
                *out << " 电阻支路 " << s.shown << "导纳\n";
            else if (s.type == STAMP_CURRENT)
                *out << " 电流源支路 " << s.shown << "安培\n";
            else
                *out << " 电压源 " << s.shown << "伏特\n";
        }
    }
};

std::ostream* CCircuitSolver::s_defaultTrace = nullptr;

void CCircuitSolver::SetDefaultTraceStream(std::ostream* out) { s_defaultTrace = out; }

CCircuitSolver::CCircuitSolver() : m_trace(s_defaultTrace) {}
CCircuitSolver::~CCircuitSolver() = default;

namespace {

template <typename T> struct Wide {
    using Type = long double;
};
template <> struct Wide<std::complex<double>> {
    using Type = std::complex<long double>;
};

// b - A x, summed in extended precision: what the solution still misses.
template <typename T>
void Residual(const std::vector<CMatrixEntry<T>>& entries, const std::vector<T>& b, const std::vector<T>& x,
              std::vector<typename Wide<T>::Type>& sum, std::vector<T>& r) {
    using W = typename Wide<T>::Type;
    sum.assign(b.begin(), b.end());
    for (const CMatrixEntry<T>& e : entries)
        sum[static_cast<std::size_t>(e.row)] -= W(e.value) * W(x[static_cast<std::size_t>(e.column)]);
    r.resize(b.size());
    for (std::size_t i = 0; i < b.size(); ++i)
        r[i] = static_cast<T>(sum[i]);
}

template <typename T> bool AllFinite(const std::vector<T>& v) {
    for (const T& x : v)
        if (!std::isfinite(std::abs(x))) return false;
    return true;
}

} // namespace

template <typename T>
bool CCircuitSolver::SolveLinear(const System<T>& sys, std::vector<T>& matrix, CSparseLu<T>& lu,
                                 CLinearScratch<T>& scratch, std::vector<T>& x) {
    const int n = sys.Size();
    std::vector<CMatrixEntry<T>>& entries = scratch.entries;
    std::vector<T>& b = scratch.rhs;
    std::vector<T>& r = scratch.correction;
    sys.Entries(entries, b);
    // The dense sweep of the augmented matrix, for right side `rhs`
    // (overwritten with the solution).
    auto dense = [&](std::vector<T>& rhs) {
        const int stride = n + 1;
        matrix.assign(static_cast<std::size_t>(n) * stride, T(0));
        for (const CMatrixEntry<T>& e : entries)
            matrix[static_cast<std::size_t>(e.row) * stride + e.column] += e.value;
        for (int i = 0; i < n; ++i)
            matrix[static_cast<std::size_t>(i) * stride + n] = rhs[static_cast<std::size_t>(i)];
        if (!Eliminate(matrix.data(), n, m_rowOrder, m_pattern)) return false;
        for (int var = 0; var < n; ++var)
            rhs[static_cast<std::size_t>(var)] = matrix[static_cast<std::size_t>(m_rowOrder[var]) * stride + n];
        return true;
    };
    bool sparse = false;
    if (n >= m_sparseFrom) {
        x = b;
        // A pivot at or below the threshold: whether the system has an
        // answer is decided as for every small graph, by the dense sweep.
        sparse = lu.Solve(n, entries, x, kPivotThreshold);
        if (sparse) ++m_sparseSolves;
    }
    if (!sparse) {
        x = b;
        if (!dense(x)) return false;
    }
    // One step of refinement with the residual summed in extended precision.
    // A board's matrix is badly scaled (wires of a micro-ohm beside meters of
    // ten megohms): a plain solve is off by up to a few parts in ten million
    // there, and by different amounts for different pivot orders. After the
    // step both ways agree with the exact answer to about a part in 1e12.
    Residual(entries, b, x, scratch.wide, r);
    if ((sparse ? lu.Resolve(r) : dense(r)) && AllFinite(r))
        for (int i = 0; i < n; ++i)
            x[static_cast<std::size_t>(i)] += r[static_cast<std::size_t>(i)];
    return true;
}

std::vector<std::vector<CCircuitNode*>>
CCircuitSolver::SplitGraphs(const std::vector<CCircuitNode*>& nodes) const {
    std::vector<std::vector<CCircuitNode*>> graphs;
    for (CCircuitNode* n : nodes)
        n->m_visited = 0;
    std::deque<CCircuitNode*> queue;
    for (CCircuitNode* s : nodes) {
        if (s->m_visited) continue;
        std::vector<CCircuitNode*> graph;
        s->m_visited = 1;
        queue.push_back(s);
        while (!queue.empty()) {
            CCircuitNode* u = queue.front();
            queue.pop_front();
            graph.push_back(u);
            for (CBranch* b : u->m_branches) {
                CCircuitNode* v = b->OtherEnd(u);
                if (v && !v->m_visited) {
                    v->m_visited = 1;
                    queue.push_back(v);
                }
            }
        }
        graphs.push_back(std::move(graph));
    }
    // Every reached node is in some graph, so this also clears nodes that were
    // reached but not listed.
    for (auto& g : graphs)
        for (CCircuitNode* n : g)
            n->m_visited = 0;
    return graphs;
}

bool CCircuitSolver::SolveDC(CGraph& graph, int pass) {
    const std::vector<CPassOverride>& overrides = graph.m_overrides;
    System<double> sys;
    sys.Build(graph, overrides, [](Stamp<double>& s, const CPassOverride* o) {
        const DcElement b = AsInPass(*s.branch, o);
        const double sign = s.reversed ? -1.0 : 1.0;
        if (b.kind == BRANCH_RESISTOR && b.value != 0) {
            s.type = STAMP_CONDUCTANCE;
            s.value = 1.0 / b.value;
            s.shown = b.value;
        } else if (b.kind == BRANCH_CURRENT_SOURCE) {
            s.type = STAMP_CURRENT;
            s.value = sign * b.value;
            s.shown = s.value;
        } else {
            // DC voltage sources; everything else (a 0 ohm resistor, a shorted
            // or unconverted element) is a 0 V source whose current is the branch's.
            s.type = STAMP_VOLTAGE;
            s.value = b.kind == BRANCH_VOLTAGE_SOURCE ? sign * b.value : 0.0;
            s.shown = s.value;
        }
    });
    sys.TraceStamps(m_trace);
    sys.TieIslands();
    bool solved = SolveLinear(sys, m_realMatrix, m_realLu, m_realScratch, m_realSolution);
    if (!solved && m_trace) *m_trace << "\n NO ANSWER!\n";
    auto solution = [&](int var) { return solved ? m_realSolution[static_cast<std::size_t>(var)] : 0.0; };

    for (int i = 0; i < sys.nodes; ++i)
        graph.m_nodes[i]->m_voltage = i == 0 ? 0.0 : solution(i - 1);
    for (CBranch* b : graph.m_branches) {
        const double v = b->m_end[0]->m_voltage - b->m_end[1]->m_voltage;
        b->m_passVoltage[pass] = v;
        const CPassOverride* o = overrides.empty() ? nullptr : FindOverride(overrides, b);
        if (o && o->as == CPassOverride::AS_OPEN) {
            b->m_passCurrent[pass] = 0;
            continue;
        }
        const DcElement e = AsInPass(*b, o);
        if (e.kind == BRANCH_RESISTOR && e.value != 0)
            b->m_passCurrent[pass] = v / e.value;
        else if (e.kind == BRANCH_CURRENT_SOURCE)
            b->m_passCurrent[pass] = e.value;
        else if (e.kind == BRANCH_RESISTOR || e.kind == BRANCH_VOLTAGE_SOURCE)
            b->m_passCurrent[pass] = 0;
    }
    for (const auto& s : sys.stamps) {
        if (s.type != STAMP_VOLTAGE || !s.branch) continue;
        const double i = solution(sys.nodes - 1 + s.variable);
        s.branch->m_passCurrent[pass] = s.reversed ? -i : i;
    }
    if (m_trace) {
        char line[96];
        for (int k = 0; k < sys.nodes; ++k) {
            std::snprintf(line, sizeof line, "节点%d的电压：%7.4f\n", k, graph.m_nodes[k]->m_voltage);
            *m_trace << line;
        }
    }
    return solved;
}

bool CCircuitSolver::SolveSine(CGraph& graph) {
    using C = std::complex<double>;
    const double f = graph.m_frequency;
    const double w = kTwoPi * f;
    System<C> sys;
    sys.Build(graph, {}, [w](Stamp<C>& s, const CPassOverride*) {
        const CBranch& b = *s.branch;
        const double sign = s.reversed ? -1.0 : 1.0;
        const C source = b.m_amplitude * C(std::cos(b.m_phase * kDegToRad), std::sin(b.m_phase * kDegToRad));
        s.shown = b.m_value;
        // Impedance of the element; zero means a short, solved as a 0 V source
        // as the DC solver does for a 0 ohm resistor.
        C z;
        switch (b.m_baseKind) {
        case BRANCH_RESISTOR:
            z = C(b.m_value, 0);
            break;
        case BRANCH_INDUCTOR:
            z = C(0, w * b.m_value);
            break;
        case BRANCH_CAPACITOR:
            if (w * b.m_value == 0) { // no charging current at all: an open branch
                s.type = STAMP_CONDUCTANCE;
                s.value = 0;
                return;
            }
            z = C(0, -1.0 / (w * b.m_value));
            break;
        case BRANCH_DIODE:
            z = C(kDiodeOff, 0);
            break;
        case BRANCH_SINE_CURRENT_SOURCE:
            s.type = STAMP_CURRENT;
            s.value = sign * source;
            s.shown = b.m_amplitude;
            return;
        case BRANCH_SINE_VOLTAGE_SOURCE:
            s.type = STAMP_VOLTAGE;
            s.value = sign * source;
            s.shown = b.m_amplitude;
            return;
        default:
            z = 0;
            break;
        }
        if (z == C(0)) {
            s.type = STAMP_VOLTAGE;
            s.value = 0;
        } else {
            s.type = STAMP_CONDUCTANCE;
            s.value = C(1) / z;
        }
    });
    sys.TraceStamps(m_trace);
    sys.TieIslands();
    bool solved = SolveLinear(sys, m_complexMatrix, m_complexLu, m_complexScratch, m_complexSolution);
    if (!solved && m_trace) *m_trace << "\n NO ANSWER!\n";
    auto solution = [&](int var) { return solved ? m_complexSolution[static_cast<std::size_t>(var)] : C(0); };

    for (int i = 0; i < sys.nodes; ++i)
        graph.m_nodes[i]->m_phasor = i == 0 ? C(0) : solution(i - 1);

    // Current of each branch: admittance stamps give V*Y, sources and shorts
    // the current of their variable, current sources their own phasor.
    for (CBranch* b : graph.m_branches)
        b->m_passPhasor[0][0] = 0;
    for (const auto& s : sys.stamps) {
        if (!s.branch) continue;
        CBranch& b = *s.branch;
        const C v = b.m_end[0]->m_phasor - b.m_end[1]->m_phasor;
        C i;
        if (s.type == STAMP_CONDUCTANCE)
            i = v * s.value;
        else if (s.type == STAMP_CURRENT)
            i = s.reversed ? -s.value : s.value;
        else
            i = s.variable < 0 ? C(0)
                               : (s.reversed ? -solution(sys.nodes - 1 + s.variable)
                                             : solution(sys.nodes - 1 + s.variable));
        b.m_passPhasor[0][0] = i;
    }
    for (CBranch* b : graph.m_branches) {
        const C v = b->m_end[0]->m_phasor - b->m_end[1]->m_phasor;
        const C i = b->m_passPhasor[0][0];
        b->m_passPhasor[0][1] = v;
        b->m_solverMark = kSineSolved;
        for (CQuantity* q : {&b->m_result.m_elec, &b->m_result.m_vol}) {
            q->m_circuitClass = CLASS_SINE;
            for (double& p : q->para_array)
                p = 0;
        }
        double* vw = b->m_result.m_vol.wave_array;
        vw[0] = std::abs(v);
        vw[1] = f;
        vw[2] = std::atan2(v.imag(), v.real());
        double* iw = b->m_result.m_elec.wave_array;
        iw[0] = std::abs(i);
        iw[1] = f;
        iw[2] = std::atan2(i.imag(), i.real());
    }
    if (m_trace) {
        char line[128];
        for (int k = 0; k < sys.nodes; ++k) {
            const C& p = graph.m_nodes[k]->m_phasor;
            std::snprintf(line, sizeof line, "节点%d的电压：%7.2f+j%7.2f\n", k, p.real(), p.imag());
            *m_trace << line;
        }
    }
    return solved;
}

} // namespace ampera
