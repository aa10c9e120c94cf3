// The plain shapes front-panel geometry is stated in: rectangles (panel
// pixels, or u/v corners of a picture) and the travel of a knob. Header only
// and standard C++ only, so that the artwork can read the panel tables
// without the panel controls or anything they draw with.
#pragma once

namespace ampera {

struct CPanelRect {
    float left = 0, top = 0, right = 0, bottom = 0;
};

// How a knob turns, as its device builds it: positions minimum..maximum, the
// position a new device has, and the angle of each position, clockwise from
// upright, (position - zeroPosition) * stepDegrees. A limited knob stops at
// its end angles; a full-circle knob (zero position 0, 360 / positions
// degrees a step) turns on from its last position to its first.
//
// Angles are kept as written, in double precision: the artwork draws scales
// with them as they are, the knobs round them to single precision.
struct CKnobTravel {
    int minimum = 0, maximum = 0;
    int position = 0;
    int zeroPosition = 0;
    double stepDegrees = 0;
    double angleMinDegrees = 0, angleMaxDegrees = 0; // limited knobs only
    bool fullCircle = false;
    bool wrapsDown = false; // full circle: also turns from the first position down to the last

    constexpr int Positions() const { return maximum - minimum + 1; }
    // Clockwise from upright, at position p.
    constexpr double DegreesAt(int p) const { return (p - zeroPosition) * stepDegrees; }
};

constexpr CKnobTravel LimitedTravel(int minimum, int maximum, int position, int zeroPosition,
                                    double stepDegrees, double angleMinDegrees, double angleMaxDegrees) {
    return {minimum,         maximum,         position, zeroPosition, stepDegrees,
            angleMinDegrees, angleMaxDegrees, false,    false};
}

constexpr CKnobTravel FullCircleTravel(int positions, int position, bool wrapsDown) {
    return {0, positions - 1, position, 0, 360.0 / positions, 0, 0, true, wrapsDown};
}

} // namespace ampera
