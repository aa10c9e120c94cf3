// Board geometry of every device kind: the size of its body at angle 0, where
// its terminals lie and whether it turns. The device kinds build their
// descriptors from these tables and the artwork draws each body picture from
// them, so that leads and binding posts sit exactly under the terminal nodes.
// Header only and standard C++ only: the art generator reads it without
// linking anything of the program.
//
// Offsets are board pixels at angle 0 from the body's top-left corner; a
// terminal may lie outside the body (the node is drawn there).
#pragma once

#include <cstddef>

namespace ampera::geometry {

struct CTerminalOffset {
    int x = 0, y = 0;
};

struct CBodyGeometry {
    int width = 0, height = 0;
    std::size_t terminalCount = 0;
    CTerminalOffset terminals[4] = {};
    bool rotates = false;

    constexpr const CTerminalOffset* begin() const { return terminals; }
    constexpr const CTerminalOffset* end() const { return terminals + terminalCount; }
};

inline constexpr CBodyGeometry kResistor{102, 20, 2, {{-6, 10}, {108, 10}}, true};
inline constexpr CBodyGeometry kResistanceWire{40, 20, 0, {}, false};
inline constexpr CBodyGeometry kRheostat{88, 58, 4, {{-6, 4}, {-6, 17}, {94, 4}, {94, 17}}, true};
inline constexpr CBodyGeometry kResistanceBox{152, 109, 2, {{52, -6}, {99, -6}}, true};
inline constexpr CBodyGeometry kFileVoltmeter{50, 50, 2, {{10, 56}, {40, 56}}, false};
inline constexpr CBodyGeometry kFileAmmeter{50, 50, 2, {{10, 56}, {40, 56}}, false};
inline constexpr CBodyGeometry kMultimeter{131, 159, 2, {{31, 162}, {99, 162}}, true};
inline constexpr CBodyGeometry kOscilloscope{172, 86, 4, {{86, 92}, {104, 92}, {122, 92}, {140, 92}}, false};
inline constexpr CBodyGeometry kDCSource{117, 124, 2, {{17, 130}, {59, 130}}, true};
inline constexpr CBodyGeometry kSingleSwitch{113, 43, 2, {{-6, 33}, {119, 33}}, true};
inline constexpr CBodyGeometry kDoubleSwitch{120, 49, 3, {{-6, 32}, {126, 32}, {59, 55}}, true};
inline constexpr CBodyGeometry kVerticalSwitch{80, 50, 3, {{-6, 10}, {-6, 40}, {86, 25}}, false};
inline constexpr CBodyGeometry kInductor{65, 70, 2, {{13, -3}, {45, -6}}, true};
inline constexpr CBodyGeometry kSignalGenerator{172, 80, 2, {{27, 86}, {97, 86}}, true};
inline constexpr CBodyGeometry kCapacitor{33, 54, 2, {{3, 60}, {29, 60}}, true};
inline constexpr CBodyGeometry kCapacitanceBox{152, 109, 2, {{46, -6}, {101, -6}}, true};
inline constexpr CBodyGeometry kDiode{102, 20, 2, {{-6, 10}, {108, 10}}, true};
inline constexpr CBodyGeometry kACSource{117, 124, 2, {{17, 130}, {59, 130}}, false};
inline constexpr CBodyGeometry kDCVoltmeter{131, 136, 2, {{31, 142}, {100, 142}}, false};
inline constexpr CBodyGeometry kDCAmmeter{131, 136, 2, {{31, 142}, {100, 142}}, false};
inline constexpr CBodyGeometry kMillivoltmeter{172, 80, 2, {{30, 86}, {84, 86}}, false};
inline constexpr CBodyGeometry kGalvanometer{172, 80, 2, {{30, 86}, {84, 86}}, false};
inline constexpr CBodyGeometry kLevelMeter{220, 92, 2, {{33, 98}, {123, 98}}, false};
inline constexpr CBodyGeometry kPlugBoard{120, 31, 2, {{-5, 22}, {125, 22}}, false};

} // namespace ampera::geometry
