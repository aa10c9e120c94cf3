// Turns the board into solver branches and nodes. Junctions are not merged:
// every board node is one circuit node and every wire a 1e-6 ohm resistor.
#include "topology.h"

#include "component.h"
#include "experiment.h"

#include <new>

namespace ampera {

CCircuitNode* CTopologyBuilder::Terminal(std::size_t i) const {
    if (i >= m_object.m_terminals.size()) return nullptr;
    CNode* node = m_object.m_terminals[i];
    if (!node || node->m_builtGeneration != m_experiment.m_generation) return nullptr;
    return node->Circuit();
}

CBranch& CTopologyBuilder::Add(int kind, double value) {
    m_object.m_branches.push_back(std::make_unique<CBranch>(kind, value));
    return *m_object.m_branches.back();
}

CBranch& CTopologyBuilder::OverTerminals(int kind, double value) {
    CBranch& b = Add(kind, value);
    for (std::size_t i = 0; i < m_object.m_terminals.size(); ++i) {
        CCircuitNode* t = Terminal(i);
        if (!t) {
            // Keep the slot so a missing terminal 0 never swaps the branch's orientation.
            if (!b.m_end[0]) b.m_end[0] = InternalDeadEnd();
            else if (!b.m_end[1]) b.m_end[1] = InternalDeadEnd();
            continue;
        }
        if (!b.m_end[0]) b.m_end[0] = t;
        else if (!b.m_end[1]) b.m_end[1] = t;
        t->m_branches.push_back(&b);
    }
    return b;
}

CBranch& CTopologyBuilder::Between(CCircuitNode* first, CCircuitNode* second, int kind, double value) {
    CBranch& b = Add(kind, value);
    b.m_end[0] = first;
    b.m_end[1] = second;
    if (first) first->m_branches.push_back(&b);
    if (second) second->m_branches.push_back(&b);
    return b;
}

CBranch& CTopologyBuilder::Unlisted(CCircuitNode* first, CCircuitNode* second, int kind, double value) {
    CBranch& b = Add(kind, value);
    b.m_end[0] = first;
    b.m_end[1] = second;
    return b;
}

CCircuitNode* CTopologyBuilder::InternalNode() {
    m_experiment.m_internalNodes.push_back(std::make_unique<CCircuitNode>());
    return m_experiment.m_internalNodes.back().get();
}

CCircuitNode* CTopologyBuilder::InternalDeadEnd() {
    m_experiment.m_deadEnds.push_back(std::make_unique<CCircuitNode>());
    return m_experiment.m_deadEnds.back().get();
}

void CTopologyBuilder::RequestWarningOnce(const std::string& text) { m_experiment.RequestWarningOnce(text); }

void CExperiment::RebuildTopology() {
    // Every branch of the board is remade below, so nothing refers to the
    // previous rebuild's inner or open-ended nodes any more.
    m_internalNodes.clear();
    m_deadEnds.clear();
    ++m_generation;

    // Copies: a device's BuildBranches may not change the board, but the
    // loops must not depend on that.
    const std::vector<CComponent*> wires = WireOrder(), nodes = NodeOrder(), devices = DeviceOrder();
    for (CComponent* wire : wires) {
        // A wire's one branch is made afresh in the storage it had: rebuilds
        // of a large board allocate nothing for their wires.
        if (wire->m_branches.size() == 1) {
            CBranch* b = wire->m_branches.front().get();
            b->~CBranch();
            ::new (b) CBranch(BRANCH_RESISTOR, kWireResistance);
        } else {
            wire->m_branches.clear();
            wire->m_branches.push_back(std::make_unique<CBranch>(BRANCH_RESISTOR, kWireResistance));
        }
        wire->m_builtGeneration = m_generation;
    }

    for (CComponent* object : nodes) {
        auto* node = static_cast<CNode*>(object);
        if (node->m_circuitNodes.size() == 1) {
            node->m_circuitNodes.front()->Restart();
        } else {
            node->m_circuitNodes.clear();
            node->m_circuitNodes.push_back(std::make_unique<CCircuitNode>());
        }
        node->m_builtGeneration = m_generation;
        CCircuitNode* circuit = node->Circuit();
        for (CComponent* attached : node->m_attached) {
            // Only wires rebuilt above carry a live branch.
            if (!attached || attached->category != CATEGORY_WIRE || attached->m_builtGeneration != m_generation)
                continue;
            CBranch* b = attached->m_branches.front().get();
            if (!b->m_end[0]) b->m_end[0] = circuit;
            else if (!b->m_end[1]) b->m_end[1] = circuit;
            circuit->m_branches.push_back(b);
        }
    }

    for (CComponent* device : devices) {
        device->m_branches.clear();
        device->m_builtGeneration = m_generation;
        CTopologyBuilder builder(*this, *device);
        device->BuildBranches(builder);
    }

    auto closeOpenEnds = [this](const std::vector<CComponent*>& set) {
        for (CComponent* object : set)
            for (auto& b : object->m_branches)
                for (CCircuitNode*& end : b->m_end)
                    if (!end) {
                        m_deadEnds.push_back(std::make_unique<CCircuitNode>());
                        end = m_deadEnds.back().get();
                    }
    };
    closeOpenEnds(wires);
    closeOpenEnds(devices);

    m_valuesDirty = 1;
}

} // namespace ampera
