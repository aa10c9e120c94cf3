// Per-frame cost of the busiest instruments: an oscilloscope drawing two
// first-order square-wave responses, and a level meter matching a square wave.
#include "core/experiment.h"
#include "devices/capacitance.h"
#include "devices/kind_registry.h"
#include "devices/level_meter.h"
#include "devices/oscilloscope.h"
#include "devices/resistance.h"
#include "devices/signal_generator.h"

#include <benchmark/benchmark.h>

namespace {

using namespace ampera;

struct SquareRc {
    CExperiment ex;
    CSignalGenerator* gen;
    CResistance* r;
    CCapacitance* c;
    // With `capacitor` false the resistor closes the loop alone (a plain square wave).
    explicit SquareRc(bool capacitor = true) {
        ex.Solver().SetTraceStream(nullptr);
        CSignalGenerator g;
        gen = static_cast<CSignalGenerator*>(g.PlaceAt(ex, 100, 100));
        gen->m_power.SetOn(true);
        gen->m_waveButtons[1].SetOn(true);
        gen->m_bandButtons[3].SetOn(true);
        CResistance rp;
        r = static_cast<CResistance*>(rp.PlaceAt(ex, 300, 100));
        CCapacitance cp;
        c = static_cast<CCapacitance*>(cp.PlaceAt(ex, 500, 100));
        c->m_capacitance = 0.2f;
        ex.AddWire(gen->m_terminals[0], r->m_terminals[0]);
        if (capacitor) {
            ex.AddWire(r->m_terminals[1], c->m_terminals[0]);
            ex.AddWire(c->m_terminals[1], gen->m_terminals[1]);
        } else {
            ex.AddWire(r->m_terminals[1], gen->m_terminals[1]);
        }
    }
};

void BM_ScopeUpdateBothChannels(benchmark::State& state) {
    SquareRc board;
    COscilloscope prototype;
    auto* scope = static_cast<COscilloscope*>(prototype.PlaceAt(board.ex, 300, 300));
    scope->m_power.SetOn(true);
    scope->m_mode.m_state = 2; // both channels
    board.ex.AddWire(board.c->m_terminals[0], scope->m_terminals[0]);
    board.ex.AddWire(board.c->m_terminals[1], scope->m_terminals[1]);
    board.ex.AddWire(board.r->m_terminals[0], scope->m_terminals[2]);
    board.ex.AddWire(board.r->m_terminals[1], scope->m_terminals[3]);
    board.ex.UpdateCircuit(0);
    long long t = 0;
    for (auto _ : state)
        scope->Update(CUpdateContext{nullptr, t += 10});
    state.counters["lines"] = static_cast<double>(scope->Polylines().size());
}
BENCHMARK(BM_ScopeUpdateBothChannels)->Unit(benchmark::kMicrosecond);

void BM_LevelMeterSquare(benchmark::State& state) {
    SquareRc board(false);
    CLevelMeter prototype;
    auto* meter = static_cast<CLevelMeter*>(prototype.PlaceAt(board.ex, 300, 300));
    meter->m_power.SetOn(true);
    meter->m_bandButtons[3].SetOn(true);
    board.ex.AddWire(board.r->m_terminals[0], meter->m_terminals[0]);
    board.ex.AddWire(board.r->m_terminals[1], meter->m_terminals[1]);
    board.ex.UpdateCircuit(0);
    if (meter->Measure() <= 0) state.SkipWithError("the meter matched no line");
    for (auto _ : state)
        benchmark::DoNotOptimize(meter->Measure());
}
BENCHMARK(BM_LevelMeterSquare)->Unit(benchmark::kMicrosecond);

} // namespace
