// The solve driver: collects the board's branches, splits them into
// connected graphs and runs the solver each graph's class selects.
#include "experiment.h"
#include "solver.h"

#include <cstdio>

namespace ampera {

namespace {
std::string Format(const char* format, auto... args) {
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, format, args...);
    return buffer;
}
} // namespace

bool CCircuitSolver::Solve(CExperiment& experiment) {
    m_notices = experiment.NoticeSink();
    m_listedValues.clear();
    std::vector<CBranch*> branches;
    std::vector<CCircuitNode*> nodes;
    auto collect = [&](const std::vector<CComponent*>& set) {
        for (CComponent* object : set)
            for (auto& b : object->m_branches) {
                branches.push_back(b.get());
                for (CCircuitNode* end : b->m_end)
                    if (end && !end->m_visited) {
                        end->m_visited = 1;
                        nodes.push_back(end);
                    }
            }
    };
    collect(experiment.WireOrder());
    collect(experiment.DeviceOrder());
    if (nodes.empty()) return true;

    for (CBranch* b : branches)
        b->m_collected = 0;
    const auto graphs = SplitGraphs(nodes);
    if (experiment.m_showTrace) QueueTrace(experiment, graphs, branches, false);

    // A graph of an unsupported class is reported and skipped; the others are
    // still solved, so what a student sees never depends on memory order.
    bool supported = true;
    for (auto g = graphs.rbegin(); g != graphs.rend(); ++g) {
        CGraph graph;
        graph.m_nodes = *g;
        Classify(graph);
        if (graph.m_class == CLASS_SINE) {
            graph.m_frequency = 0;
            for (CBranch* b : graph.m_branches)
                if (b->IsDynamicSource()) graph.m_frequency = b->m_frequency;
            SolveSine(graph);
        } else if (graph.m_class == CLASS_UNSUPPORTED) {
            supported = false;
        } else {
            SolvePasses(graph);
        }
    }
    if (experiment.m_showTrace) QueueTrace(experiment, graphs, branches, true);
    return supported;
}

void CCircuitSolver::QueueTrace(CExperiment& experiment,
                                const std::vector<std::vector<CCircuitNode*>>& graphs,
                                const std::vector<CBranch*>& branches, bool afterSolve) {
    INoticeSink* sink = experiment.NoticeSink();
    if (!sink) return;
    const int step = 20;
    if (!afterSolve) {
        std::vector<std::vector<CBranch*>> elements;
        for (const auto& g : graphs) {
            std::vector<CBranch*> list;
            for (CCircuitNode* node : g)
                for (CBranch* b : node->m_branches)
                    if (!b->m_collected) {
                        b->m_collected = 1;
                        list.push_back(b);
                    }
            if (!list.empty()) elements.push_back(std::move(list));
        }
        for (CBranch* b : branches)
            b->m_collected = 0;
        sink->AddLabel(Format("总共有%d个连通图！\n", static_cast<int>(elements.size())), 0, 300);
        int y = 260;
        for (std::size_t g = 0; g < elements.size(); ++g) {
            sink->AddLabel(Format("第%d个图总共有%d个元件，分别是：\n", static_cast<int>(g + 1),
                                  static_cast<int>(elements[g].size())),
                           0, y);
            y += step;
            for (CBranch* b : elements[g]) {
                std::string line;
                switch (b->m_baseKind) {
                case BRANCH_RESISTOR:
                    line = Format("电阻：%5.3f \n", b->m_value);
                    break;
                case BRANCH_VOLTAGE_SOURCE:
                    line = Format("电压：%5.3f \n", b->m_value);
                    break;
                case BRANCH_SINE_CURRENT_SOURCE:
                    line = Format("正弦电流：%5.3f \n", b->m_amplitude);
                    break;
                case BRANCH_SINE_VOLTAGE_SOURCE:
                    line = Format("正弦电压：%5.3f \n", b->m_amplitude);
                    break;
                case BRANCH_CAPACITOR:
                    line = Format("电容：%3.11f \n", b->m_value);
                    break;
                case BRANCH_INDUCTOR:
                    line = Format("电感：%5.11f \n", b->m_value);
                    break;
                default:
                    continue;
                }
                sink->AddLabel(line, 0, y);
                y += step;
            }
        }
        m_traceBottom = y;
        return;
    }
    int y = m_traceBottom;
    const int columns[3] = {140, 250, 360};
    for (std::size_t i = 0; i < branches.size(); ++i) {
        const CBranch& b = *branches[i];
        const int n = static_cast<int>(i);
        sink->AddLabel(Format("\n元件%d elec: ", n), 0, y);
        for (int k = 0; k < 3; ++k)
            sink->AddLabel(Format("  %3.3f", b.m_result.m_elec.para_array[k]), columns[k], y);
        y += step;
        sink->AddLabel(Format("\n元件%d vol: ", n), 0, y);
        for (int k = 0; k < 3; ++k)
            sink->AddLabel(Format(" %3.3f", b.m_result.m_vol.para_array[k]), columns[k], y);
        y += step;
        double value = b.m_value;
        for (const auto& [listed, shown] : m_listedValues)
            if (listed == &b) value = shown;
        sink->AddLabel(Format("\n元件%d value: %f", n, value), 0, y);
        for (int k = 0; k < 3; ++k)
            sink->AddLabel(Format("  %4.6f", b.m_result.m_vol.wave_array[k]), columns[k], y);
        y += step;
    }
}

} // namespace ampera
