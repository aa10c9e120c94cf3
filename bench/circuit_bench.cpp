// Frame-loop cost of the circuit core on ladder boards: a full update with a
// dirty topology (rebuild + solve + update), and an idle update.
#include "ladder.h"

#include <benchmark/benchmark.h>

#include <ostream>
#include <streambuf>

namespace {

using namespace ampera;
using bench::BuildLadder;

void BM_FullUpdate(benchmark::State& state) {
    CExperiment ex;
    ex.Solver().SetTraceStream(nullptr);
    BuildLadder(ex, static_cast<int>(state.range(0)));
    long long t = 0;
    for (auto _ : state) {
        ex.MarkTopologyDirty();
        ex.UpdateCircuit(t += 10);
    }
    state.counters["objects"] = static_cast<double>(ex.AllObjects().size());
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_FullUpdate)
    ->Arg(10)
    ->Arg(30)
    ->Arg(100)
    ->Arg(300)
    ->Arg(1000)
    ->Arg(3000)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity();

// The crossover between the two ways of solving: the same full update with
// every system sent to the dense elimination (first argument 0) or to the
// sparse factorisation (1), by ladder size.
void BM_FullUpdateBySolver(benchmark::State& state) {
    CExperiment ex;
    ex.Solver().SetTraceStream(nullptr);
    ex.Solver().SetSparseFrom(state.range(0) == 0 ? 1 << 30 : 0);
    BuildLadder(ex, static_cast<int>(state.range(1)));
    long long t = 0;
    for (auto _ : state) {
        ex.MarkTopologyDirty();
        ex.UpdateCircuit(t += 10);
    }
}
BENCHMARK(BM_FullUpdateBySolver)
    ->ArgsProduct({{0, 1}, {3, 5, 10, 20, 40, 100, 200}})
    ->Unit(benchmark::kMicrosecond);

// The same with the solver's console trace written (to a stream that drops it).
void BM_FullUpdateWithTrace(benchmark::State& state) {
    struct Discard : std::streambuf {
        int overflow(int c) override { return c; }
        std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
    } discard;
    std::ostream out(&discard);
    CExperiment ex;
    ex.Solver().SetTraceStream(&out);
    BuildLadder(ex, static_cast<int>(state.range(0)));
    long long t = 0;
    for (auto _ : state) {
        ex.MarkTopologyDirty();
        ex.UpdateCircuit(t += 10);
    }
}
BENCHMARK(BM_FullUpdateWithTrace)->Arg(100)->Unit(benchmark::kMicrosecond);

void BM_IdleUpdate(benchmark::State& state) {
    CExperiment ex;
    ex.Solver().SetTraceStream(nullptr);
    BuildLadder(ex, static_cast<int>(state.range(0)));
    ex.UpdateCircuit(0);
    long long t = 0;
    for (auto _ : state)
        ex.UpdateCircuit(t += 10);
}
BENCHMARK(BM_IdleUpdate)->Arg(100)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
