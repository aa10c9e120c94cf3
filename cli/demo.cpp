// A small lab board built in code, solved and read out: what the circuit core
// computes for a DC divider, a square-wave RC circuit and an AC RL circuit.
#include "core/experiment.h"
#include "devices/ac_source.h"
#include "devices/capacitance.h"
#include "devices/dc_source.h"
#include "devices/inductance.h"
#include "devices/kind_registry.h"
#include "devices/resistance.h"
#include "devices/signal_generator.h"

#include <cmath>
#include <cstdio>

using namespace ampera;

namespace {

template <typename D> D* Place(CExperiment& ex, int x, int y) {
    D prototype;
    return static_cast<D*>(prototype.PlaceAt(ex, x, y));
}

void Wire(CExperiment& ex, CDevice* a, int i, CDevice* b, int j) {
    ex.AddWire(a->m_terminals[i], b->m_terminals[j]);
}

const CBranchResult& Result(const CDevice* d, int branch = 0) {
    return d->m_branches.at(branch)->m_result;
}

} // namespace

int main() {
    CExperiment& ex = CExperiment::GetExperiment();
    ex.Solver().SetTraceStream(nullptr);

    // 1. A 10 V source across 1 kOhm and 2.2 kOhm in series.
    auto* dc = Place<CDCSource>(ex, 100, 100);
    dc->SetControl(dc->m_power, true);
    auto* r1 = Place<CResistance>(ex, 300, 100);
    auto* r2 = Place<CResistance>(ex, 500, 100);
    r2->m_resistance = 2200;
    Wire(ex, dc, 0, r1, 0);
    Wire(ex, r1, 1, r2, 0);
    Wire(ex, r2, 1, dc, 1);

    // 2. A 1 kHz square wave of 5 V into 1 kOhm and 10 uF.
    auto* gen = Place<CSignalGenerator>(ex, 100, 300);
    gen->SetControl(gen->m_power, true);
    gen->SetControl(gen->m_waveButtons[1], true);
    gen->SetControl(gen->m_bandButtons[3], true);
    gen->SetControl(gen->m_amplitudeKnob, 5);
    auto* r3 = Place<CResistance>(ex, 300, 300);
    auto* c = Place<CCapacitance>(ex, 500, 300);
    Wire(ex, gen, 0, r3, 0);
    Wire(ex, r3, 1, c, 0);
    Wire(ex, c, 1, gen, 1);

    // 3. The 50 Hz AC source into 100 Ohm and 0.5 H.
    auto* ac = Place<CACSource>(ex, 100, 500);
    ac->SetControl(ac->m_power, true);
    auto* r4 = Place<CResistance>(ex, 300, 500);
    r4->m_resistance = 100;
    auto* l = Place<CInductance>(ex, 500, 500);
    l->m_inductance = 0.5f;
    Wire(ex, ac, 0, r4, 0);
    Wire(ex, r4, 1, l, 0);
    Wire(ex, l, 1, ac, 1);

    ex.UpdateCircuit(0);

    std::printf("Ampera circuit core demo\n\n");
    std::printf("DC divider, source set to %.1f V:\n", dc->m_setValue);
    for (CResistance* r : {r1, r2})
        std::printf("  %-4s %6.0f ohm  %8.4f V  %8.4f mA\n", r->m_name.c_str(), r->m_resistance,
                    Result(r).m_vol.Steady(), 1000 * Result(r).m_elec.Steady());

    const CQuantity& cv = Result(c).m_vol;
    std::printf("\nSquare wave %.0f V at %.0f Hz into RC (class %d):\n", gen->m_amplitude, gen->m_frequency,
                cv.m_circuitClass);
    std::printf("  capacitor just after a step %.3f V, step %.3f V, time constant %.3f ms\n", cv.Initial(),
                cv.Step(), 1000 / cv.Rate());

    const CQuantity& lv = Result(l).m_vol;
    const CQuantity& ri = Result(r4).m_elec;
    std::printf("\nAC source %.1f V peak at 50 Hz into RL (class %d):\n", ac->m_setValue, lv.m_circuitClass);
    std::printf("  current %.4f A rms, coil voltage %.3f V rms leading by %.1f degrees\n", ri.Rms(), lv.Rms(),
                (lv.SinePhase() - ri.SinePhase()) * 180 / 3.141592653589793);
    return 0;
}
