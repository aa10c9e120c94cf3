#include "kind_registry.h"

#include "ac_millivoltmeter.h"
#include "ac_source.h"
#include "ammeter_plug_board.h"
#include "capacitance.h"
#include "capacitance_box.h"
#include "dc_ammeter.h"
#include "dc_source.h"
#include "dc_voltmeter.h"
#include "diode.h"
#include "double_switch.h"
#include "galvanometer.h"
#include "inductance.h"
#include "level_meter.h"
#include "multimeter.h"
#include "oscilloscope.h"
#include "resistance.h"
#include "resistance_box.h"
#include "resistance_wire.h"
#include "signal_generator.h"
#include "single_switch.h"
#include "slide_rheostat.h"
#include "vertical_double_switch.h"
#include "voltmeter.h"

#include <algorithm>
#include <array>

namespace ampera {

namespace {

template <class Kind> CKindEntry Entry() {
    return {&Kind::kKind, []() -> CDevice* { return new Kind(); }};
}

// Kinds by type code; nodes and wires (14, 15) are core objects and have none.
using KindIndex = std::array<const CKindEntry*, TYPE_LAST + 1>;

const KindIndex& Index() {
    static const KindIndex index = [] {
        KindIndex byCode{};
        for (const CKindEntry& entry : DeviceKinds())
            byCode.at(static_cast<std::size_t>(entry.kind->typeCode)) = &entry;
        return byCode;
    }();
    return index;
}

const CKindEntry* EntryOf(int typeCode) {
    if (typeCode < 0 || typeCode > TYPE_LAST) return nullptr;
    return Index()[static_cast<std::size_t>(typeCode)];
}

} // namespace

const std::vector<CKindEntry>& DeviceKinds() {
    static const std::vector<CKindEntry> kinds = [] {
        std::vector<CKindEntry> all = {
            Entry<CResistance>(),     Entry<CResistanceWire>(),  Entry<CSlideRheostat>(),
            Entry<CResistanceBox>(),  Entry<CVoltmeter>(),       Entry<CAmmeter>(),
            Entry<CMultimeter>(),     Entry<COscilloscope>(),    Entry<CDCSource>(),
            Entry<CSingleSwitch>(),   Entry<CDoubleSwitch>(),    Entry<CVerticalDoubleSwitch>(),
            Entry<CInductance>(),     Entry<CSignalGenerator>(), Entry<CCapacitance>(),
            Entry<CCapacitanceBox>(), Entry<CDiode>(),           Entry<CACSource>(),
            Entry<CDCVoltmeter>(),    Entry<CDCAmmeter>(),       Entry<CACMillivoltmeter>(),
            Entry<CGalvanometer>(),   Entry<CLevelMeter>(),      Entry<CAmmeterPlugBoard>(),
        };
        std::sort(all.begin(), all.end(), [](const CKindEntry& a, const CKindEntry& b) {
            return a.kind->typeCode < b.kind->typeCode;
        });
        return all;
    }();
    return kinds;
}

const CDeviceKind* FindKind(int typeCode) {
    const CKindEntry* entry = EntryOf(typeCode);
    return entry ? entry->kind : nullptr;
}

CComponent* CreateDevice(int typeCode) {
    const CKindEntry* entry = EntryOf(typeCode);
    return entry ? entry->create() : nullptr;
}

CComponent* CreateObject(int typeCode) {
    if (typeCode == TYPE_NODE) return new CNode();
    if (typeCode == TYPE_WIRE) return new CWire();
    return CreateDevice(typeCode);
}

int CategoryOfType(int typeCode) {
    if (typeCode == TYPE_NODE) return CATEGORY_NODE;
    if (typeCode == TYPE_WIRE) return CATEGORY_WIRE;
    const CDeviceKind* kind = FindKind(typeCode);
    return kind ? kind->category : -1;
}

int PropertyGroupOf(int typeCode) {
    const CDeviceKind* kind = FindKind(typeCode);
    return kind ? kind->propertyGroup : GROUP_PLAIN;
}

bool KindRotates(int typeCode) {
    const CDeviceKind* kind = FindKind(typeCode);
    return kind && kind->Rotates();
}

} // namespace ampera
