// Fuzz target: any bytes loaded as an experiment file must neither crash,
// hang nor allocate without bound, and the result must save and load again.
#include "core/experiment.h"
#include "devices/kind_registry.h"
#include "document/experiment_file.h"
#include "document/gbk.h"
#include "document/keydoc.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ampera;
    CExperiment experiment;
    experiment.Solver().SetTraceStream(nullptr);
    LoadFromBytes(experiment, std::string(reinterpret_cast<const char*>(data), size), 0);
    experiment.MarkTopologyDirty();
    experiment.UpdateCircuit(10);
    // Whatever was loaded writes a document that reads back to the same text.
    const std::string text = ExperimentDocument(experiment).ToText();
    CExperiment again;
    again.Solver().SetTraceStream(nullptr);
    LoadFromBytes(again, Utf8ToGbk(text), 20);
    if (ExperimentDocument(again).ToText().size() != text.size()) __builtin_trap();
    return 0;
}
