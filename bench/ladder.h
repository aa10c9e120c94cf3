// The ladder boards the benchmarks measure: resistors and DC sources wired
// into one long network, as large as asked.
#pragma once

#include "core/experiment.h"
#include "devices/dc_source.h"
#include "devices/kind_registry.h"
#include "devices/resistance.h"

namespace ampera::bench {

// A ladder of `devices` devices: every tenth a powered DC source in the top
// rail, the others alternately series resistors in the top rail and shunt
// resistors down to the bottom rail.
inline void BuildLadder(CExperiment& ex, int devices) {
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

} // namespace ampera::bench
