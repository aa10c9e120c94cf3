// Where the board places each device kind's terminals, so that the body
// pictures put their leads and binding posts exactly under the terminal nodes.
// Offsets are board pixels at angle 0 from the body's top-left corner; a
// terminal may lie outside the body (the node is drawn there).
#pragma once

#include <QPointF>

#include <vector>

namespace art {

// Device type codes as the experiment files number them.
enum TypeCode : int {
    kResistor = 0,
    kResistanceWire = 1,
    kRheostat = 2,
    kResistanceBox = 3,
    kVoltmeter = 4,
    kAmmeter = 5,
    kMultimeter = 6,
    kOscilloscope = 7,
    kDCSource = 8,
    kSingleSwitch = 9,
    kDoubleSwitch = 10,
    kVerticalSwitch = 11,
    kInductor = 12,
    kSignalGenerator = 13,
    kCapacitor = 16,
    kCapacitanceBox = 17,
    kDiode = 18,
    kACSource = 19,
    kDCVoltmeter = 20,
    kDCAmmeter = 21,
    kMillivoltmeter = 22,
    kGalvanometer = 23,
    kLevelMeter = 24,
    kPlugBoard = 25,
};

struct BodyGeometry {
    int typeCode;
    int width, height;
    std::vector<QPointF> terminals;
    bool rotates;
};

// Every device kind that has a board picture, in type-code order.
const std::vector<BodyGeometry>& Bodies();
// The geometry of one kind; the type code must be one of Bodies().
const BodyGeometry& Body(int typeCode);

} // namespace art
