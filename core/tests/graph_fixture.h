// Hand-built solver graphs: circuit nodes and branches without a board.
#pragma once

#include "core/notice.h"
#include "core/solver.h"

#include <memory>
#include <string>
#include <vector>

namespace ampera::testing {

struct Net {
    std::vector<std::unique_ptr<CCircuitNode>> nodes;
    std::vector<std::unique_ptr<CBranch>> branches;

    CCircuitNode* Node() {
        nodes.push_back(std::make_unique<CCircuitNode>());
        return nodes.back().get();
    }
    // A branch from `first` to `second`, listed on both ends.
    CBranch* Add(int kind, double value, CCircuitNode* first, CCircuitNode* second) {
        branches.push_back(std::make_unique<CBranch>(kind, value));
        CBranch* b = branches.back().get();
        b->m_end[0] = first;
        b->m_end[1] = second;
        first->m_branches.push_back(b);
        second->m_branches.push_back(b);
        return b;
    }
    CBranch* R(double ohms, CCircuitNode* a, CCircuitNode* b) { return Add(BRANCH_RESISTOR, ohms, a, b); }
    CBranch* V(double volts, CCircuitNode* a, CCircuitNode* b) { return Add(BRANCH_VOLTAGE_SOURCE, volts, a, b); }
    CBranch* C(double farads, CCircuitNode* a, CCircuitNode* b) { return Add(BRANCH_CAPACITOR, farads, a, b); }
    CBranch* L(double henries, CCircuitNode* a, CCircuitNode* b) { return Add(BRANCH_INDUCTOR, henries, a, b); }
    CBranch* D(CCircuitNode* anode, CCircuitNode* cathode) { return Add(BRANCH_DIODE, 0, anode, cathode); }
    CBranch* Wave(int kind, int wave, double amplitude, double hz, double degrees, CCircuitNode* a, CCircuitNode* b) {
        CBranch* s = Add(kind, 0, a, b);
        s->m_wave = wave;
        s->m_amplitude = amplitude;
        s->m_frequency = hz;
        s->m_phase = degrees;
        return s;
    }

    std::vector<CCircuitNode*> AllNodes() const {
        std::vector<CCircuitNode*> out;
        for (auto& n : nodes) out.push_back(n.get());
        return out;
    }
};

struct RecordingSink : INoticeSink {
    std::vector<CNotice> notices;
    std::vector<std::string> labels;
    void PostNotice(const CNotice& n) override { notices.push_back(n); }
    void AddLabel(const std::string& text, int, int) override { labels.push_back(text); }
};

// Classifies and solves one graph whose node list starts at `reference`.
inline CGraph SolveFrom(CCircuitSolver& solver, const std::vector<CCircuitNode*>& order) {
    CGraph graph;
    graph.m_nodes = solver.SplitGraphs(order).front();
    solver.Classify(graph);
    if (graph.m_class == CLASS_SINE) {
        for (CBranch* b : graph.m_branches)
            if (b->IsDynamicSource()) graph.m_frequency = b->m_frequency;
        solver.SolveSine(graph);
    } else if (graph.m_class != CLASS_UNSUPPORTED) {
        solver.SolvePasses(graph);
    }
    return graph;
}

inline double I(const CBranch* b) { return b->m_result.m_elec.para_array[0]; }
inline double U(const CBranch* b) { return b->m_result.m_vol.para_array[0]; }

} // namespace ampera::testing
