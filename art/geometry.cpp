#include "geometry.h"

#include <stdexcept>

namespace art {

const std::vector<BodyGeometry>& Bodies() {
    static const std::vector<BodyGeometry> bodies = {
        {kResistor, 102, 20, {{-6, 10}, {108, 10}}, true},
        {kResistanceWire, 40, 20, {}, false},
        {kRheostat, 88, 58, {{-6, 4}, {-6, 17}, {94, 4}, {94, 17}}, true},
        {kResistanceBox, 152, 109, {{52, -6}, {99, -6}}, true},
        {kVoltmeter, 50, 50, {{10, 56}, {40, 56}}, false},
        {kAmmeter, 50, 50, {{10, 56}, {40, 56}}, false},
        {kMultimeter, 131, 159, {{31, 162}, {99, 162}}, true},
        {kOscilloscope, 172, 86, {{86, 92}, {104, 92}, {122, 92}, {140, 92}}, false},
        {kDCSource, 117, 124, {{17, 130}, {59, 130}}, true},
        {kSingleSwitch, 113, 43, {{-6, 33}, {119, 33}}, true},
        {kDoubleSwitch, 120, 49, {{-6, 32}, {126, 32}, {59, 55}}, true},
        {kVerticalSwitch, 80, 50, {{-6, 10}, {-6, 40}, {86, 25}}, false},
        {kInductor, 65, 70, {{13, -3}, {45, -6}}, true},
        {kSignalGenerator, 172, 80, {{27, 86}, {97, 86}}, true},
        {kCapacitor, 33, 54, {{3, 60}, {29, 60}}, true},
        {kCapacitanceBox, 152, 109, {{46, -6}, {101, -6}}, true},
        {kDiode, 102, 20, {{-6, 10}, {108, 10}}, true},
        {kACSource, 117, 124, {{17, 130}, {59, 130}}, false},
        {kDCVoltmeter, 131, 136, {{31, 142}, {100, 142}}, false},
        {kDCAmmeter, 131, 136, {{31, 142}, {100, 142}}, false},
        {kMillivoltmeter, 172, 80, {{30, 86}, {84, 86}}, false},
        {kGalvanometer, 172, 80, {{30, 86}, {84, 86}}, false},
        {kLevelMeter, 220, 92, {{33, 98}, {123, 98}}, false},
        {kPlugBoard, 120, 31, {{-5, 22}, {125, 22}}, false},
    };
    return bodies;
}

const BodyGeometry& Body(int typeCode) {
    for (const BodyGeometry& b : Bodies())
        if (b.typeCode == typeCode) return b;
    throw std::out_of_range("no board picture for this device type");
}

} // namespace art
