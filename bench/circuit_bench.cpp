// Frame-loop cost of the circuit core on ladder boards: a full update with a
// dirty topology (rebuild + solve + update), and an idle update.
#include "core/experiment.h"
#include "devices/dc_source.h"
#include "devices/kind_registry.h"
#include "devices/resistance.h"

#include <benchmark/benchmark.h>

#include <ostream>
#include <streambuf>

namespace {

using namespace ampera;

// A ladder of `devices` devices: every tenth a powered DC source in the top
// rail, the others alternately series resistors in the top rail and shunt
// resistors down to the bottom rail.
void BuildLadder(CExperiment& ex, int devices) {
    CResistance resistorPrototype;
    CDCSource sourcePrototype;
    CNode* top = nullptr;
    CNode* bottom = nullptr;
    CNode* bottomStart = nullptr;
    bool shunt = false;
    for (int k = 0; k < devices; ++k) {
        CDevice* d;
        if (k % 10 == 0) {
            auto* s = static_cast<CDCSource*>(sourcePrototype.PlaceAt(ex, 100 + k * 10, 100));
            s->m_power.SetOn(true);
            d = s;
        } else {
            auto* r = static_cast<CResistance*>(resistorPrototype.PlaceAt(ex, 100 + k * 10, 200));
            r->m_resistance = static_cast<float>(100 + k);
            d = r;
            shunt = !shunt;
        }
        if (!top) {
            top = d->m_terminals[1];
            bottom = bottomStart = d->m_terminals[0];
            continue;
        }
        if (d->TypeCode() == TYPE_RESISTANCE && shunt) {
            ex.AddWire(top, d->m_terminals[0]);
            ex.AddWire(bottom, d->m_terminals[1]);
            bottom = d->m_terminals[1];
        } else {
            ex.AddWire(top, d->m_terminals[0]);
            top = d->m_terminals[1];
        }
    }
    if (top && bottomStart) ex.AddWire(top, bottom);
}

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
