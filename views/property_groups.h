// Which property window shows a device: the group of its type code is the
// window's index and the property code posted for it.
#pragma once

namespace ampera {

enum PropertyGroup : int {
    GROUP_PASSIVE = 0,     // resistor, rheostat, switches, inductor, capacitor, diode, plug board
    GROUP_PLAIN = 1,       // everything else: DC sources and DC meters among them, nodes, wires
    GROUP_SCREEN = 2,      // oscilloscope, level meter
    GROUP_PANEL = 3,       // panel instruments
};

constexpr int PropertyGroupOf(int typeCode) {
    switch (typeCode) {
    case 0: case 2: case 9: case 10: case 12: case 16: case 18: case 25:
        return GROUP_PASSIVE;
    case 3: case 6: case 13: case 17: case 19: case 22: case 23:
        return GROUP_PANEL;
    case 7: case 24:
        return GROUP_SCREEN;
    default:
        return GROUP_PLAIN;
    }
}

} // namespace ampera
