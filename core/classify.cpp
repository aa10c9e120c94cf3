// Circuit classes and the DC passes. The system never integrates in time: it
// recognises the few kinds of circuit a teaching lab needs and describes each
// response by one or two DC solutions (or one phasor solution).
#include "solver.h"

#include "notice.h"

#include <cmath>

namespace ampera {

namespace {
constexpr double kDiodeOffOhms = 9999999999.0;
constexpr double kDiodeOnOhms = 8e-8;
// What the branch trace lists as a diode's value once the passes solved it.
constexpr double kDiodeListedValue = 1.0;

// The DC source a periodic source is solved as: a triangle at its amplitude,
// a square wave at twice `level` (it steps between -A and +A) unless that
// level is negligible.
double DcEquivalent(const CBranch& b, double level) {
    double value = b.m_amplitude;
    if (b.m_wave == WAVE_SQUARE && !(level > -1e-4 && level < 1e-4)) value = 2 * level;
    return value;
}
} // namespace

void CCircuitSolver::Post(const std::string& text) {
    if (m_notices) m_notices->PostNotice(CNotice{NOTICE_WARNING, 6000, -1, -1, 1, text});
}

void CCircuitSolver::Classify(CGraph& graph) {
    graph.m_branches.clear();
    int k = 0, j = 0, a = 0, d = 0, wave = WAVE_NONE;
    for (CCircuitNode* node : graph.m_nodes) {
        for (CBranch* b : node->m_branches) {
            if (b->m_collected) continue;
            b->m_collected = 1;
            graph.m_branches.push_back(b);
            switch (b->m_baseKind) {
            case BRANCH_SINE_CURRENT_SOURCE:
            case BRANCH_SINE_VOLTAGE_SOURCE:
                ++k;
                wave = b->m_wave;
                break;
            case BRANCH_CURRENT_SOURCE:
            case BRANCH_VOLTAGE_SOURCE:
                ++j;
                break;
            case BRANCH_CAPACITOR:
            case BRANCH_INDUCTOR:
                ++a;
                break;
            default:
                break;
            }
            if (b->m_kind == BRANCH_DIODE) ++d;
        }
    }
    for (CBranch* b : graph.m_branches)
        b->m_collected = 0;

    int cls = CLASS_UNSUPPORTED;
    const char* message = nullptr;
    if (k >= 2) {
        message = msg::kTwoDynamic;
    } else if (k == 0) {
        if (a == 0)
            cls = CLASS_DC;
        else if (a == 1)
            cls = CLASS_DC_FIRST_ORDER;
        else if (j >= 1)
            message = msg::kDcSecondOrder;
    } else if (j >= 1) {
        message = msg::kAcAndDc;
    } else if (wave == WAVE_SINE) {
        cls = CLASS_SINE;
    } else if (wave == WAVE_SQUARE) {
        if (a == 0)
            cls = CLASS_SQUARE;
        else if (a == 1)
            cls = CLASS_SQUARE_FIRST_ORDER;
        else
            message = msg::kSquareSecondOrder;
    } else if (wave == WAVE_TRIANGLE) {
        if (a == 0)
            cls = CLASS_TRIANGLE;
        else
            message = msg::kTriangleLinearOnly;
    }
    graph.m_class = cls;
    if (cls == CLASS_DC || cls == CLASS_DC_FIRST_ORDER) return;
    if (d >= 1) message = msg::kDiodeIrregular;
    if (message) Post(message);
}

void CCircuitSolver::SolvePasses(CGraph& graph) {
    const int cls = graph.m_class;
    const bool periodic = cls == CLASS_SQUARE || cls == CLASS_SQUARE_FIRST_ORDER || cls == CLASS_TRIANGLE;
    const bool firstOrder = cls == CLASS_DC_FIRST_ORDER || cls == CLASS_SQUARE_FIRST_ORDER;

    CBranch* source = nullptr;
    CBranch* reactive = nullptr;
    std::vector<CBranch*> diodes;
    for (CBranch* b : graph.m_branches) {
        if (b->IsDynamicSource()) source = b;
        if (b->m_baseKind == BRANCH_CAPACITOR || b->m_baseKind == BRANCH_INDUCTOR) reactive = b;
        if (b->m_baseKind == BRANCH_DIODE) diodes.push_back(b);
    }
    if (!periodic) source = nullptr;
    if (!firstOrder) reactive = nullptr;
    const bool capacitor = reactive && reactive->m_baseKind == BRANCH_CAPACITOR;

    const int passes = (cls == CLASS_SQUARE_FIRST_ORDER || !diodes.empty()) ? 2 : 1;
    if (source) {
        graph.m_amplitude = graph.m_amplitude2 = source->m_amplitude;
        graph.m_frequency = source->m_frequency;
        graph.m_phase = source->m_phase;
    }

    // Pass 0: every diode off. Class 1: the steady state (C open, L shorted);
    // class 3: just after the step (C shorted, L open).
    std::vector<CPassOverride>& overrides = graph.m_overrides;
    overrides.clear();
    for (CBranch* d : diodes)
        overrides.push_back({d, CPassOverride::AS_RESISTOR, kDiodeOffOhms});
    if (source) {
        const double level = cls == CLASS_SQUARE_FIRST_ORDER ? source->m_amplitude : source->m_amplitude / 2;
        overrides.push_back({source, CPassOverride::AS_SOURCE, DcEquivalent(*source, level)});
        m_listedValues.emplace_back(source, overrides.back().value);
    }
    CPassOverride* element = nullptr;
    if (reactive) {
        const bool open = capacitor == (cls == CLASS_DC_FIRST_ORDER);
        overrides.push_back({reactive, open ? CPassOverride::AS_OPEN : CPassOverride::AS_SHORT, 0});
        element = &overrides.back();
    }

    for (int p = 0; p < passes; ++p) {
        if (p == 1) {
            // Pass 1: the diodes that pass 0 found forward-biased conduct.
            for (std::size_t k = 0; k < diodes.size(); ++k)
                if (diodes[k]->m_end[0]->m_voltage > diodes[k]->m_end[1]->m_voltage)
                    overrides[k].value = kDiodeOnOhms;
            if (element && cls == CLASS_SQUARE_FIRST_ORDER) {
                // The final state after the step: C open, L shorted.
                if (capacitor)
                    *element = {reactive, CPassOverride::AS_OPEN, 0};
                else
                    *element = {reactive, CPassOverride::AS_SHORT, 0, true};
            }
        }
        SolveDC(graph, p);
    }
    overrides.clear();
    for (CBranch* d : diodes)
        m_listedValues.emplace_back(d, kDiodeListedValue);

    double rate = 0;
    if (cls == CLASS_SQUARE_FIRST_ORDER && reactive) {
        // tau = C * V(open) / I(short) or L * I(short) / V(open): the element
        // times the resistance it sees. An element that sees no resistance
        // settles at once; one that is never driven does not move.
        const double tau = capacitor
                               ? reactive->m_value * reactive->m_passVoltage[1] / reactive->m_passCurrent[0]
                               : reactive->m_value * reactive->m_passCurrent[1] / reactive->m_passVoltage[0];
        if (std::isnan(tau))
            rate = 0;
        else if (tau == 0)
            rate = kInstantRate;
        else
            rate = std::fmin(1.0 / std::fabs(tau), kInstantRate);
    }

    const int last = passes - 1;
    for (CBranch* b : graph.m_branches) {
        CQuantity& elec = b->m_result.m_elec;
        CQuantity& vol = b->m_result.m_vol;
        elec.m_circuitClass = vol.m_circuitClass = cls;
        if (cls == CLASS_DC || cls == CLASS_DC_FIRST_ORDER) {
            elec.para_array[0] = b->m_passCurrent[last];
            vol.para_array[0] = b->m_passVoltage[last];
            continue;
        }
        elec.para_array[0] = b->m_passCurrent[0];
        vol.para_array[0] = b->m_passVoltage[0];
        if (cls == CLASS_SQUARE_FIRST_ORDER) {
            elec.para_array[1] = b->m_passCurrent[0] - b->m_passCurrent[1];
            vol.para_array[1] = b->m_passVoltage[0] - b->m_passVoltage[1];
            elec.para_array[2] = vol.para_array[2] = rate;
        }
        const int w = cls == CLASS_SQUARE_FIRST_ORDER ? 1 : 0;
        for (CQuantity* q : {&elec, &vol}) {
            q->wave_array[0] = q->para_array[w];
            q->wave_array[1] = graph.m_frequency;
            q->wave_array[2] = graph.m_phase;
        }
        vol.wave_array[3] = graph.m_amplitude;
    }
}

} // namespace ampera
