// Fuzz target: an autosave being restored at start. Any bytes either are
// refused with a reason, leaving the experiment alone, or load as the
// experiment with the name of its file; what was restored autosaves again to
// the same name and the same document. Any path survives the name's encoding.
#include "core/experiment.h"
#include "document/autosave_file.h"
#include "document/experiment_file.h"
#include "document/keydoc.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ampera;
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    // The input as a file name: encoded and decoded back unchanged.
    if (!bytes.empty() && bytes.front() == '/' && bytes.find('\0') == std::string::npos) {
        std::string decoded;
        if (!DecodeSourceName(EncodeSourceName(bytes), decoded) || decoded != bytes) {
            std::fprintf(stderr, "file name did not survive its encoding\n");
            __builtin_trap();
        }
    }

    CExperiment experiment;
    experiment.Solver().SetTraceStream(nullptr);
    std::string source, error;
    if (!LoadAutosaveBytes(experiment, bytes, 0, source, &error)) {
        if (error.empty() || !experiment.AllObjects().empty()) {
            std::fprintf(stderr, "a refused autosave gave no reason or loaded something\n");
            __builtin_trap();
        }
        return 0;
    }
    CKeyDoc document = ExperimentDocument(experiment);
    const std::string text = document.ToText();
    const std::string again = AutosaveBytes(document, source);

    CExperiment restored;
    restored.Solver().SetTraceStream(nullptr);
    std::string sourceAgain;
    if (!LoadAutosaveBytes(restored, again, 0, sourceAgain, &error) || sourceAgain != source ||
        ExperimentDocument(restored).ToText() != text) {
        std::fprintf(stderr, "a restored autosave did not autosave to the same record\n");
        __builtin_trap();
    }
    return 0;
}
