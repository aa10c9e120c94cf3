// ladder_files N DIR: writes the ladder board of N devices the benchmarks
// measure as an experiment file (DIR/ladderN.vtx) and as a SPICE netlist of
// the very same circuit (DIR/ladderN.cir: every branch the board's topology
// builds, wires included, with an operating-point analysis), so that a
// whole-process solve can be timed against a circuit simulator's.
#include "document/experiment_file.h"
#include "ladder.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

using namespace ampera;

int main(int argc, char** argv) {
    if (argc != 3 || std::atoi(argv[1]) < 1) {
        std::fprintf(stderr, "usage: ladder_files N DIR\n");
        return 64;
    }
    const int devices = std::atoi(argv[1]);
    const std::string base = std::string(argv[2]) + "/ladder" + std::to_string(devices);
    CExperiment ex;
    ex.Solver().SetTraceStream(nullptr);
    bench::BuildLadder(ex, devices);
    ex.UpdateCircuit(0); // builds every branch

    std::string error;
    if (!SaveFile(ex, base + ".vtx", &error)) {
        std::fprintf(stderr, "ladder_files: %s\n", error.c_str());
        return 1;
    }

    // Circuit nodes get SPICE numbers as they are met; the negative end of
    // the first source is the ground node 0.
    std::map<const CCircuitNode*, int> number;
    std::string lines;
    int resistors = 0, sources = 0;
    auto node = [&](const CCircuitNode* n) {
        auto [it, added] = number.emplace(n, static_cast<int>(number.size()));
        return std::to_string(it->second);
    };
    for (const ObjectSet* set : {&ex.Devices(), &ex.Wires()})
        for (const CComponent* object : *set)
            for (const auto& b : object->m_branches)
                if (b->m_kind == BRANCH_VOLTAGE_SOURCE && number.empty()) node(b->m_end[1]);
    for (const ObjectSet* set : {&ex.Wires(), &ex.Devices()}) {
        for (const CComponent* object : *set) {
            for (const auto& b : object->m_branches) {
                char line[160];
                if (b->m_kind == BRANCH_RESISTOR) {
                    std::snprintf(line, sizeof line, "R%d %s %s %.9g\n", ++resistors, node(b->m_end[0]).c_str(),
                                  node(b->m_end[1]).c_str(), b->m_value);
                } else if (b->m_kind == BRANCH_VOLTAGE_SOURCE) {
                    std::snprintf(line, sizeof line, "V%d %s %s DC %.9g\n", ++sources, node(b->m_end[0]).c_str(),
                                  node(b->m_end[1]).c_str(), b->m_value);
                } else {
                    std::fprintf(stderr, "ladder_files: a branch of kind %d has no netlist line\n", b->m_kind);
                    return 1;
                }
                lines += line;
            }
        }
    }
    std::ofstream netlist(base + ".cir", std::ios::binary);
    netlist << "ladder of " << devices << " devices\n" << lines << ".op\n.end\n";
    if (!netlist.flush()) {
        std::fprintf(stderr, "ladder_files: cannot write %s.cir\n", base.c_str());
        return 1;
    }
    std::printf("%s.vtx %s.cir: %zu nodes, %d resistors, %d sources\n", base.c_str(), base.c_str(), number.size(),
                resistors, sources);
    return 0;
}
