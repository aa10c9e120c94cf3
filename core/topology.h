// Helpers through which a board object turns itself into solver branches.
#pragma once

#include "circuit.h"

#include <cstddef>
#include <string>

namespace ampera {

class CComponent;
class CExperiment;

class CTopologyBuilder {
public:
    CTopologyBuilder(CExperiment& experiment, CComponent& object) : m_experiment(experiment), m_object(object) {}

    // The circuit node of terminal i, or null when that terminal is missing or
    // its node is not on the board (the terminal is then unconnected).
    CCircuitNode* Terminal(std::size_t i) const;

    // A branch over the object's terminals in order: the first present terminal
    // is its first end, the next its second end, and it is listed on each. A
    // missing terminal leaves that end open.
    CBranch& OverTerminals(int kind, double value);
    // A branch between two named ends, listed on both (a null end stays open).
    CBranch& Between(CCircuitNode* first, CCircuitNode* second, int kind, double value);
    // A branch with its ends set but listed on no node: it joins no graph.
    CBranch& Unlisted(CCircuitNode* first, CCircuitNode* second, int kind, double value);
    // A node inside the object (sources, the ohmmeter), owned by the experiment.
    CCircuitNode* InternalNode();

    void RequestWarningOnce(const std::string& text);

private:
    CBranch& Add(int kind, double value);
    CCircuitNode* InternalDeadEnd();
    CExperiment& m_experiment;
    CComponent& m_object;
};

} // namespace ampera
