// Opening and saving a 200-device experiment: parse, relink, rebuild, solve
// and update; and writing it back.
#include "ladder.h"
#include "core/experiment.h"
#include "devices/dc_source.h"
#include "devices/kind_registry.h"
#include "devices/resistance.h"
#include "document/experiment_file.h"
#include "document/gbk.h"
#include "document/keydoc.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

using namespace ampera;

// 200 devices in chains of ten: a powered source and nine resistors each.
std::string GeneratedFile() {
    CExperiment ex;
    ex.Solver().SetTraceStream(nullptr);
    CResistance resistor;
    CDCSource source;
    for (int chain = 0; chain < 20; ++chain) {
        auto* s = static_cast<CDCSource*>(source.PlaceAt(ex, 100, 100 + chain * 150));
        s->m_power.SetOn(true);
        CNode* previous = s->m_terminals[0];
        for (int k = 0; k < 9; ++k) {
            CDevice* r = resistor.PlaceAt(ex, 300 + k * 120, 100 + chain * 150);
            ex.AddWire(previous, r->m_terminals[0]);
            previous = r->m_terminals[1];
        }
        ex.AddWire(previous, s->m_terminals[1]);
    }
    return Utf8ToGbk(ExperimentDocument(ex).ToText());
}

void BM_Load200(benchmark::State& state) {
    const std::string bytes = GeneratedFile();
    for (auto _ : state) {
        CExperiment ex;
        ex.Solver().SetTraceStream(nullptr);
        LoadFromBytes(ex, bytes, 0);
        benchmark::DoNotOptimize(ex.Devices().size());
    }
    state.counters["bytes"] = static_cast<double>(bytes.size());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_Load200)->Unit(benchmark::kMillisecond);

// The ladder board as a file of the size asked for.
std::string LadderFile(int devices) {
    CExperiment ex;
    ex.Solver().SetTraceStream(nullptr);
    bench::BuildLadder(ex, devices);
    return Utf8ToGbk(ExperimentDocument(ex).ToText());
}

// The whole read of a ladder file: text mode, GBK, the document, every
// object's keys, links, rebuild, solve and update.
void BM_LoadLadder(benchmark::State& state) {
    const std::string bytes = LadderFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CExperiment ex;
        ex.Solver().SetTraceStream(nullptr);
        LoadFromBytes(ex, bytes, 0);
        benchmark::DoNotOptimize(ex.Devices().size());
    }
    state.counters["bytes"] = static_cast<double>(bytes.size());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_LoadLadder)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

// The document alone: the tag scan that builds the key-path tree.
void BM_ParseLadder(benchmark::State& state) {
    const std::string bytes = LadderFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CKeyDoc doc;
        doc.Parse(bytes);
        benchmark::DoNotOptimize(doc.Root().children.size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ParseLadder)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_Save200(benchmark::State& state) {
    CExperiment ex;
    ex.Solver().SetTraceStream(nullptr);
    LoadFromBytes(ex, GeneratedFile(), 0);
    const auto path = std::filesystem::temp_directory_path() / "ampera_bench_save.vtx";
    for (auto _ : state) {
        if (!SaveFile(ex, path.string())) state.SkipWithError("save failed");
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_Save200)->Unit(benchmark::kMillisecond);

} // namespace
