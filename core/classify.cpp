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

void Open(CBranch& b) {
    for (CCircuitNode* end : b.m_end) {
        if (!end) continue;
        auto& list = end->m_branches;
        for (auto it = list.begin(); it != list.end();)
            it = *it == &b ? list.erase(it) : it + 1;
    }
}

void Reconnect(CBranch& b) {
    for (CCircuitNode* end : b.m_end)
        if (end) end->m_branches.push_back(&b);
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
            case BRANCH_VOLTAGE_SOURCE: ++j; break;
            case BRANCH_CAPACITOR:
            case BRANCH_INDUCTOR: ++a; break;
            default: break;
            }
            if (b->m_baseKind == BRANCH_DIODE || b->m_kind == BRANCH_DIODE) ++d;
        }
    }
    for (CBranch* b : graph.m_branches) b->m_collected = 0;

    int cls = CLASS_UNSUPPORTED;
    const char* message = nullptr;
    if (k >= 2) {
        message = msg::kTwoDynamic;
    } else if (k == 0) {
        if (a == 0) cls = CLASS_DC;
        else if (a == 1) cls = CLASS_DC_FIRST_ORDER;
        else if (j >= 1) message = msg::kDcSecondOrder;
    } else if (j >= 1) {
        message = msg::kAcAndDc;
    } else if (wave == WAVE_SINE) {
        cls = CLASS_SINE;
    } else if (wave == WAVE_SQUARE) {
        if (a == 0) cls = CLASS_SQUARE;
        else if (a == 1) cls = CLASS_SQUARE_FIRST_ORDER;
        else message = msg::kSquareSecondOrder;
    } else if (wave == WAVE_TRIANGLE) {
        if (a == 0) cls = CLASS_TRIANGLE;
        else message = msg::kTriangleLinearOnly;
    }
    graph.m_class = cls;
    if (cls == CLASS_DC || cls == CLASS_DC_FIRST_ORDER) return;
    if (d >= 1) message = msg::kDiodeIrregular;
    if (message) Post(message);
}

void CCircuitSolver::SourceToDC(CBranch& b) const {
    if (b.m_kind == BRANCH_SINE_CURRENT_SOURCE) b.m_kind = BRANCH_CURRENT_SOURCE;
    else if (b.m_kind == BRANCH_SINE_VOLTAGE_SOURCE) b.m_kind = BRANCH_VOLTAGE_SOURCE;
    SetDcEquivalent(b);
}

void CCircuitSolver::SetDcEquivalent(CBranch& b) const {
    b.m_value = b.m_amplitude;
    // A square wave steps between -A and +A: twice its level.
    if (b.m_wave == WAVE_SQUARE && !(m_level > -1e-4 && m_level < 1e-4)) b.m_value = 2 * m_level;
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
        m_level = cls == CLASS_SQUARE_FIRST_ORDER ? source->m_amplitude : source->m_amplitude / 2;
    }
    auto shortOut = [this](CBranch& b) {
        m_savedValue = b.m_value;
        b.m_kind = BRANCH_VOLTAGE_SOURCE;
        b.m_value = 0;
    };
    auto unshort = [this](CBranch& b) {
        b.m_kind = b.m_baseKind;
        b.m_value = m_savedValue;
    };

    for (int p = 0; p < passes; ++p) {
        for (CBranch* d : diodes) {
            const bool conducts = p == 1 && d->m_end[0]->m_voltage > d->m_end[1]->m_voltage;
            if (p == 0 || conducts) {
                d->m_kind = BRANCH_RESISTOR;
                d->m_value = conducts ? kDiodeOnOhms : kDiodeOffOhms;
            }
        }
        if (source) SourceToDC(*source);
        if (reactive && p == 0) {
            // Class 1: the steady state (C open, L shorted); class 3: just after the step (C shorted, L open).
            if (capacitor == (cls == CLASS_DC_FIRST_ORDER)) Open(*reactive);
            else shortOut(*reactive);
        }
        if (reactive && p == 1 && cls == CLASS_SQUARE_FIRST_ORDER) {
            // The final state after the step.
            if (capacitor) {
                unshort(*reactive);
                Open(*reactive);
            } else {
                Reconnect(*reactive);
                shortOut(*reactive);
            }
        }
        SolveDC(graph, p);
    }

    if (source) {
        if (source->m_kind == BRANCH_CURRENT_SOURCE) source->m_kind = BRANCH_SINE_CURRENT_SOURCE;
        else if (source->m_kind == BRANCH_VOLTAGE_SOURCE) {
            source->m_kind = BRANCH_SINE_VOLTAGE_SOURCE;
            SetDcEquivalent(*source);
        }
    }
    if (reactive) {
        if (capacitor) Reconnect(*reactive);
        else unshort(*reactive);
    }
    for (CBranch* d : diodes) {
        d->m_kind = BRANCH_DIODE;
        d->m_value = 1.0;
    }

    double rate = 0;
    if (cls == CLASS_SQUARE_FIRST_ORDER && reactive) {
        // tau = C * V(open) / I(short) or L * I(short) / V(open): the element
        // times the resistance it sees. An element that sees no resistance
        // settles at once; one that is never driven does not move.
        const double tau = capacitor ? reactive->m_value * reactive->m_passVoltage[1] / reactive->m_passCurrent[0]
                                     : reactive->m_value * reactive->m_passCurrent[1] / reactive->m_passVoltage[0];
        if (std::isnan(tau)) rate = 0;
        else if (tau == 0) rate = kInstantRate;
        else rate = std::fmin(1.0 / std::fabs(tau), kInstantRate);
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
