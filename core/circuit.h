// Solver objects: branches (two-terminal elements), electrical nodes and the
// results a solve publishes into every branch.
#pragma once

#include <cmath>
#include <complex>
#include <vector>

namespace ampera {

// The board's tiny resistances are single-precision constants widened to
// double; keeping them exact makes saved results and traces reproducible.
inline constexpr double kWireResistance = static_cast<double>(1e-6f);  // wires, closed contacts
inline constexpr double kShuntResistance = static_cast<double>(1e-4f); // galvanometer, plug board, ohmmeter

enum BranchKind : int {
    BRANCH_RESISTOR = 0,
    BRANCH_CAPACITOR = 1,
    BRANCH_INDUCTOR = 2,
    BRANCH_CURRENT_SOURCE = 3,
    BRANCH_VOLTAGE_SOURCE = 5,
    BRANCH_SINE_CURRENT_SOURCE = 6,
    BRANCH_SINE_VOLTAGE_SOURCE = 7,
    BRANCH_DIODE = 8,
};

// The mark the sine solver leaves in a branch it solved; instruments tell AC
// readings from DC ones by it.
inline constexpr int kSineSolved = 100;

enum WaveShape : int { WAVE_NONE = 0, WAVE_SINE = 1, WAVE_SQUARE = 2, WAVE_TRIANGLE = 3 };

enum CircuitClass : int {
    CLASS_DC = 0,
    CLASS_DC_FIRST_ORDER = 1,
    CLASS_SQUARE = 2,
    CLASS_SQUARE_FIRST_ORDER = 3,
    CLASS_TRIANGLE = 4,
    CLASS_SINE = 5,
    CLASS_UNSUPPORTED = 6,
};

// r.m.s. of a sine per unit of peak: the solver publishes peak values.
inline const double kSineRms = std::sqrt(2.0) * 0.5;

// One published quantity (a current or a voltage). The meaning of the arrays
// depends on the class of the graph that wrote it:
//  class 0/1: para[0] steady DC value.
//  class 2/4: para[0] response to a DC source of the wave's level;
//             wave = [para[0], Hz, source phase (deg), source amplitude (voltage only)].
//  class 3:   para = [value at t=0+, step (initial - final), 1/tau];
//             wave = [para[1], Hz, source phase (deg), source amplitude (voltage only)].
//  class 5:   para all 0; wave = [peak amplitude, Hz, phase (rad, -pi..pi), 0].
// Readers use the named accessors below; the raw arrays are the published
// form (the command line's JSON, the solver trace). An accessor reads its
// slot whatever the class, so a reading taken in the wrong class is the same
// number it always was (a sine result's steady value is 0).
struct CQuantity {
    int m_circuitClass = CLASS_DC;
    double wave_array[4] = {0, 0, 0, 0};
    double para_array[10] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

    bool IsSine() const { return m_circuitClass == CLASS_SINE; }
    // Driven by a square or triangle wave (classes 2, 3 and 4).
    bool IsPeriodic() const {
        return m_circuitClass == CLASS_SQUARE || m_circuitClass == CLASS_SQUARE_FIRST_ORDER ||
               m_circuitClass == CLASS_TRIANGLE;
    }
    bool IsSquare() const {
        return m_circuitClass == CLASS_SQUARE || m_circuitClass == CLASS_SQUARE_FIRST_ORDER;
    }
    bool IsTriangle() const { return m_circuitClass == CLASS_TRIANGLE; }
    // The graph holds one capacitor or inductor (classes 1 and 3).
    bool IsFirstOrder() const {
        return m_circuitClass == CLASS_DC_FIRST_ORDER || m_circuitClass == CLASS_SQUARE_FIRST_ORDER;
    }
    // A square wave through that element: the step parameters below hold.
    bool HasStepResponse() const { return m_circuitClass == CLASS_SQUARE_FIRST_ORDER; }

    // The DC reading: the steady value (classes 0/1), the response to the
    // wave's DC level (2/4), the value just after a rising edge (3); 0 in a
    // sine circuit, which has no DC part.
    double Steady() const { return para_array[0]; }

    // Sine circuits: peak amplitude, its r.m.s., and the phase in radians.
    double Peak() const { return wave_array[0]; }
    double Rms() const { return wave_array[0] * kSineRms; }
    double SinePhase() const { return wave_array[2]; }
    // The size of the quantity: its peak in a sine circuit, its steady value
    // in every other (what a voltage rating, which a breakdown sets, is held
    // against).
    double Magnitude() const { return std::fabs(IsSine() ? Peak() : Steady()); }
    // The size that heats: the r.m.s. in a sine circuit, the steady value in
    // every other. Heat follows the r.m.s., so current and power ratings are
    // held against this rather than against the peak.
    double HeatingMagnitude() const { return std::fabs(IsSine() ? Rms() : Steady()); }

    // Step response (class 3): value at t = 0+, step (initial - final) and
    // rate 1/tau in 1/s.
    double Initial() const { return para_array[0]; }
    double Step() const { return para_array[1]; }
    double Rate() const { return para_array[2]; }

    // Periodic circuits: the amplitude a trace draws (the response to the DC
    // level; the step in class 3), the source's phase in degrees and its
    // amplitude (voltages only).
    double Level() const { return wave_array[0]; }
    double SourcePhase() const { return wave_array[2]; }
    double SourceAmplitude() const { return wave_array[3]; }

    // Sine and periodic circuits: the source frequency in Hz.
    double Frequency() const { return wave_array[1]; }
};

struct CBranchResult {
    CQuantity m_elec; // current, first end -> second end through the branch
    CQuantity m_vol;  // V(first end) - V(second end)
};

class CCircuitNode;

class CBranch {
  public:
    CBranch() = default;
    CBranch(int kind, double value) : m_kind(kind), m_baseKind(kind), m_value(value) {}

    CCircuitNode* OtherEnd(const CCircuitNode* from) const { return from == m_end[0] ? m_end[1] : m_end[0]; }
    bool IsDynamicSource() const {
        return m_baseKind == BRANCH_SINE_CURRENT_SOURCE || m_baseKind == BRANCH_SINE_VOLTAGE_SOURCE;
    }

    // The element's kind, given at construction and never changed: the DC
    // passes that take an element as something else (a short, an open, a
    // resistor, a DC source) keep that in their own overrides (CPassOverride).
    // Both names are in use and always agree.
    const int m_kind = 0;
    const int m_baseKind = 0;
    int m_wave = WAVE_NONE;
    double m_value = 0;
    double m_amplitude = 0;
    double m_frequency = 0;
    double m_phase = 0; // degrees
    double m_passCurrent[2] = {0, 0};
    double m_passVoltage[2] = {0, 0};
    std::complex<double> m_passPhasor[2][2] = {}; // [pass][0 current, 1 voltage]
    CBranchResult m_result;
    unsigned char m_stamped = 0;
    unsigned char m_collected = 0;
    int m_solverMark = 0; // kSineSolved once the sine solver has filled m_result
    CCircuitNode* m_end[2] = {nullptr, nullptr};
};

class CCircuitNode {
  public:
    virtual ~CCircuitNode() = default;

    // As made, keeping the storage of its branch list.
    void Restart() {
        m_branches.clear();
        m_index = -1;
        m_visited = 0;
        m_voltage = 0;
        m_phasor = 0;
    }

    std::vector<CBranch*> m_branches; // branches ending here, not owned
    int m_index = -1;
    unsigned char m_visited = 0;
    double m_voltage = 0;
    std::complex<double> m_phasor = 0;
};

} // namespace ampera
