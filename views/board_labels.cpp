#include "board_labels.h"

#include "devices/capacitance.h"
#include "devices/capacitance_box.h"
#include "devices/inductance.h"
#include "devices/resistance.h"
#include "devices/resistance_box.h"
#include "devices/slide_rheostat.h"

#include <cmath>
#include <sstream>

namespace ampera {

namespace {

// Values are written as a stream writes them by default (six significant
// digits, no trailing zeros): 1000, 0.5, 1e+06.
template <class T> std::string Value(T value) {
    thread_local std::ostringstream out;
    out.str({});
    out.clear();
    out << value;
    return out.str();
}

} // namespace

std::optional<CBoardLabel> BoardLabelOf(const CComponent& component) {
    const auto* device = dynamic_cast<const CDevice*>(&component);
    if (!device) return std::nullopt;
    std::string text = device->m_name;
    int above = 20;
    switch (device->TypeCode()) {
    case TYPE_RESISTANCE:
        text += " " + Value(static_cast<const CResistance*>(device)->m_resistance) + "Ω";
        break;
    case TYPE_SLIDE_RHEOSTAT: {
        const double percent = std::trunc(static_cast<const CSlideRheostat*>(device)->m_fraction * 100);
        text += " " + Value(static_cast<long long>(percent)) + "%";
        break;
    }
    case TYPE_RESISTANCE_BOX:
        text += " " + Value(static_cast<const CResistanceBox*>(device)->GetKnobValue()) + "Ω";
        above = 25;
        break;
    case TYPE_INDUCTANCE:
        text += " " + Value(static_cast<const CInductance*>(device)->m_inductance) + "H";
        above = 30;
        break;
    case TYPE_CAPACITANCE:
        text += " " + Value(static_cast<const CCapacitance*>(device)->m_capacitance) + "μF";
        break;
    case TYPE_CAPACITANCE_BOX:
        text += " " + Value(static_cast<const CCapacitanceBox*>(device)->m_total) + "μF";
        above = 25;
        break;
    default:
        break;
    }
    return CBoardLabel{std::move(text), static_cast<int>(device->m_region[0]),
                       static_cast<int>(device->m_region[1]) - above};
}

} // namespace ampera
