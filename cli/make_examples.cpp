// Builds the example experiments a teacher hands out, through the program's
// own devices, and saves each with SaveFile:  ampera-make-examples OUTDIR
#include "core/experiment.h"
#include "devices/ac_millivoltmeter.h"
#include "devices/ac_source.h"
#include "devices/capacitance.h"
#include "devices/dc_ammeter.h"
#include "devices/dc_source.h"
#include "devices/dc_voltmeter.h"
#include "devices/diode.h"
#include "devices/galvanometer.h"
#include "devices/inductance.h"
#include "devices/kind_registry.h"
#include "devices/level_meter.h"
#include "devices/multimeter.h"
#include "devices/oscilloscope.h"
#include "devices/resistance.h"
#include "devices/resistance_box.h"
#include "devices/signal_generator.h"
#include "devices/slide_rheostat.h"
#include "document/experiment_file.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

using namespace ampera;

namespace {

class Board {
  public:
    explicit Board(CExperiment& e) : ex(e) {}
    template <typename D> D* Place(int x, int y) {
        D prototype;
        return static_cast<D*>(prototype.PlaceAt(ex, x, y));
    }
    // Wires run like the tool draws them: straight down from the first
    // terminal to a lane below both ends, across, and up to the second. Each
    // wire gets its own lane so parallel runs stay apart.
    void Wire(CDevice* a, int i, CDevice* b, int j) {
        CWire* wire = ex.AddWire(a->m_terminals[i], b->m_terminals[j]);
        const CPoint from = wire->m_points.front(), to = wire->m_points.back();
        if (from.x != to.x && from.y != to.y) {
            const int lane = std::max(from.y, to.y) + 16 + 8 * (lanes++ % 4);
            wire->m_points = {from, {from.x, lane}, {to.x, lane}, to};
        }
        wire->m_colour = 0xFF0000FF; // the default wire colour, blue
        wire->RebuildLines();
    }
    int lanes = 0;
    template <typename D> D* Powered(int x, int y) {
        D* d = Place<D>(x, y);
        d->SetControl(d->m_power, true);
        return d;
    }
    CExperiment& ex;
};

// The Ohm's law bench before it is wired: a source, a resistor, an ammeter
// on its 20 mA range and a voltmeter.
struct OhmsLawBench {
    CDCSource* source;
    CResistance* r;
    CDCAmmeter* ammeter;
    CDCVoltmeter* voltmeter;
};

OhmsLawBench PlaceOhmsLaw(Board& b) {
    OhmsLawBench bench{b.Powered<CDCSource>(120, 160), b.Place<CResistance>(420, 120),
                       b.Powered<CDCAmmeter>(680, 160), nullptr};
    bench.ammeter->SetControl(bench.ammeter->m_range, 1); // 20 mA
    bench.voltmeter = b.Powered<CDCVoltmeter>(560, 400);
    return bench;
}

void WireOhmsLaw(Board& b, const OhmsLawBench& m) {
    b.Wire(m.source, 0, m.r, 0);
    b.Wire(m.r, 1, m.ammeter, 0);
    b.Wire(m.ammeter, 1, m.source, 1);
    b.Wire(m.r, 0, m.voltmeter, 0);
    b.Wire(m.r, 1, m.voltmeter, 1);
}

void OhmsLaw(Board& b) {
    WireOhmsLaw(b, PlaceOhmsLaw(b));
}

// What students typically hand in wrong for the Ohm's law task: the ammeter
// on its 20 A range, and the ammeter across the resistor instead of in the
// loop.
void OhmsLawWrongRange(Board& b) {
    const OhmsLawBench m = PlaceOhmsLaw(b);
    WireOhmsLaw(b, m);
    m.ammeter->SetControl(m.ammeter->m_range, 3);
}

void OhmsLawAmmeterAcross(Board& b) {
    const OhmsLawBench m = PlaceOhmsLaw(b);
    b.Wire(m.source, 0, m.r, 0);
    b.Wire(m.r, 1, m.source, 1);
    b.Wire(m.r, 0, m.ammeter, 0);
    b.Wire(m.r, 1, m.ammeter, 1);
    b.Wire(m.r, 0, m.voltmeter, 0);
    b.Wire(m.r, 1, m.voltmeter, 1);
}

// The divider bench before it is wired: a source, a rheostat with its
// slider in the middle and a voltmeter.
struct DividerBench {
    CDCSource* source;
    CSlideRheostat* rx;
    CDCVoltmeter* voltmeter;
};

DividerBench PlaceDivider(Board& b) {
    DividerBench bench{b.Powered<CDCSource>(120, 160), b.Place<CSlideRheostat>(420, 160), nullptr};
    bench.rx->m_fraction = 0.5;
    bench.voltmeter = b.Powered<CDCVoltmeter>(680, 180);
    return bench;
}

void WireDivider(Board& b, const DividerBench& m) {
    b.Wire(m.source, 0, m.rx, 1); // the coil's two ends across the source
    b.Wire(m.rx, 3, m.source, 1);
    b.Wire(m.rx, 0, m.voltmeter, 0); // the slider against the coil's far end
    b.Wire(m.rx, 3, m.voltmeter, 1);
}

void Divider(Board& b) {
    WireDivider(b, PlaceDivider(b));
}

// The divider task's typical wrong answers: the voltmeter on its 200 V
// range, and the voltmeter in the loop instead of across the slider.
void DividerWrongRange(Board& b) {
    const DividerBench m = PlaceDivider(b);
    WireDivider(b, m);
    m.voltmeter->SetControl(m.voltmeter->m_range, 3);
}

void DividerVoltmeterInLoop(Board& b) {
    const DividerBench m = PlaceDivider(b);
    b.Wire(m.source, 0, m.voltmeter, 0);
    b.Wire(m.voltmeter, 1, m.rx, 1);
    b.Wire(m.rx, 3, m.source, 1);
}

void Wheatstone(Board& b) {
    auto* source = b.Powered<CDCSource>(100, 300);
    auto* r1 = b.Place<CResistance>(350, 120);
    auto* r2 = b.Place<CResistance>(350, 480);
    auto* unknown = b.Place<CResistance>(650, 120);
    unknown->m_resistance = 470;
    auto* box = b.Place<CResistanceBox>(650, 480);
    const int decades[6] = {0, 7, 4, 0, 0, 0}; // 470 ohms: the bridge is balanced
    for (int i = 0; i < 6; ++i)
        box->SetControl(box->m_decades[i], decades[i]);
    box->RestoreAfterLoad();
    auto* g = b.Powered<CGalvanometer>(500, 300);
    // Left arms r1 (top) and r2 (bottom), right arms the unknown (top) and the box (bottom).
    b.Wire(source, 0, r1, 0);
    b.Wire(source, 0, r2, 0);
    b.Wire(r1, 1, unknown, 0);
    b.Wire(r2, 1, box, 0);
    b.Wire(unknown, 1, source, 1);
    b.Wire(box, 1, source, 1);
    b.Wire(r1, 1, g, 0);
    b.Wire(r2, 1, g, 1);
}

void RcOnScope(Board& b) {
    auto* gen = b.Powered<CSignalGenerator>(140, 140);
    gen->SetControl(gen->m_waveButtons[1], true); // square
    gen->SetControl(gen->m_bandButtons[3], true); // 1 kHz
    gen->SetControl(gen->m_amplitudeKnob, 4);     // 1 V
    gen->RestoreAfterLoad();
    auto* r = b.Place<CResistance>(420, 120);
    auto* c = b.Place<CCapacitance>(620, 200);
    c->m_capacitance = 0.1f; // 0.1 uF with 1 kOhm: tau = 0.1 ms
    auto* scope = b.Place<COscilloscope>(420, 420);
    scope->SetControl(scope->m_power, true);
    scope->SetControl(scope->m_timeBase, 9); // 0.2 ms per division: two periods on the screen
    scope->SetControl(scope->m_y1Gain, 3);   // 0.5 V per division
    scope->RestoreAfterLoad();
    b.Wire(gen, 0, r, 0);
    b.Wire(r, 1, c, 0);
    b.Wire(c, 1, gen, 1);
    b.Wire(c, 0, scope, 0);
    b.Wire(c, 1, scope, 1);
}

void RlDc(Board& b) {
    auto* source = b.Powered<CDCSource>(120, 160);
    auto* r = b.Place<CResistance>(400, 120);
    r->m_resistance = 100;
    auto* l = b.Place<CInductance>(620, 200);
    auto* ammeter = b.Powered<CDCAmmeter>(400, 380);
    b.Wire(source, 0, r, 0);
    b.Wire(r, 1, l, 0);
    b.Wire(l, 1, ammeter, 0);
    b.Wire(ammeter, 1, source, 1);
}

void RlcAc(Board& b) {
    auto* source = b.Powered<CACSource>(120, 160);
    auto* r = b.Place<CResistance>(380, 100);
    r->m_resistance = 100;
    auto* l = b.Place<CInductance>(600, 140);
    l->m_inductance = 0.2f;
    auto* c = b.Place<CCapacitance>(760, 260);
    c->m_capacitance = 50;
    auto* mv = b.Powered<CACMillivoltmeter>(420, 400);
    mv->SetControl(mv->m_range, 4); // 400 V
    b.Wire(source, 0, r, 0);
    b.Wire(r, 1, l, 0);
    b.Wire(l, 1, c, 0);
    b.Wire(c, 1, source, 1);
    b.Wire(r, 0, mv, 0);
    b.Wire(r, 1, mv, 1);
}

void Diodes(Board& b) {
    for (int row = 0; row < 2; ++row) {
        const int y = 140 + row * 300;
        auto* source = b.Powered<CDCSource>(120, y);
        auto* r = b.Place<CResistance>(380, y - 40);
        auto* d = b.Place<CDiode>(600, y - 40);
        auto* ammeter = b.Powered<CDCAmmeter>(820, y);
        ammeter->SetControl(ammeter->m_range, 3); // 20 A
        b.Wire(source, 0, r, 0);
        // The first row conducts, the second is reversed.
        b.Wire(r, 1, d, row == 0 ? 0 : 1);
        b.Wire(d, row == 0 ? 1 : 0, ammeter, 0);
        b.Wire(ammeter, 1, source, 1);
    }
}

void LevelMeterHarmonics(Board& b) {
    auto* gen = b.Powered<CSignalGenerator>(140, 140);
    gen->SetControl(gen->m_waveButtons[1], true);
    gen->SetControl(gen->m_bandButtons[3], true); // 1 kHz
    gen->SetControl(gen->m_amplitudeKnob, 4);     // 1 V
    gen->RestoreAfterLoad();
    auto* r = b.Place<CResistance>(440, 120);
    auto* meter = b.Powered<CLevelMeter>(440, 360);
    meter->SetControl(meter->m_bandButtons[3], true); // x1 kHz
    meter->SetControl(meter->m_range, 3);             // 2 V
    meter->RestoreAfterLoad();
    b.Wire(gen, 0, r, 0);
    b.Wire(r, 1, gen, 1);
    b.Wire(r, 0, meter, 0);
    b.Wire(r, 1, meter, 1);
}

void MultimeterOhms(Board& b) {
    auto* r = b.Place<CResistance>(300, 140);
    r->m_resistance = 4700;
    auto* meter = b.Powered<CMultimeter>(300, 360);
    meter->SetControl(meter->m_range, 27); // 20 kOhm
    meter->RestoreAfterLoad();
    b.Wire(meter, 0, r, 0);
    b.Wire(meter, 1, r, 1);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: ampera-make-examples OUTDIR\n");
        return 64;
    }
    const std::pair<const char*, std::function<void(Board&)>> examples[] = {
        {"ohms_law", OhmsLaw},
        {"voltage_divider", Divider},
        {"wheatstone_bridge", Wheatstone},
        {"rc_square_wave", RcOnScope},
        {"rl_direct_current", RlDc},
        {"rlc_alternating", RlcAc},
        {"diode", Diodes},
        {"level_meter_harmonics", LevelMeterHarmonics},
        {"multimeter_ohms", MultimeterOhms},
        // Beside the tasks in tasks/: student files that must fail them.
        {"tasks/ohms_law_wrong_range", OhmsLawWrongRange},
        {"tasks/ohms_law_ammeter_across", OhmsLawAmmeterAcross},
        {"tasks/voltage_divider_wrong_range", DividerWrongRange},
        {"tasks/voltage_divider_voltmeter_in_loop", DividerVoltmeterInLoop},
    };
    std::error_code made;
    std::filesystem::create_directories(std::string(argv[1]) + "/tasks", made);
    for (const auto& [name, build] : examples) {
        CExperiment ex;
        ex.Solver().SetTraceStream(nullptr);
        CDevice::ResetRunningNumbers(); // every example names its devices from 1
        Board board(ex);
        build(board);
        const std::string path = std::string(argv[1]) + "/" + name + ".vtx";
        std::string error;
        if (!SaveFile(ex, path, &error)) {
            std::fprintf(stderr, "ampera-make-examples: %s\n", error.c_str());
            return 1;
        }
        std::printf("%s\n", path.c_str());
    }
    return 0;
}
