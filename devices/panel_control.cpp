#include "panel_control.h"

namespace ampera {

namespace {
// Degrees to radians as the panels have always computed it (pi / 180 in single precision).
constexpr float kRadiansPerDegree = 3.1415925f * 0.0055555557f;
} // namespace

CKnob CKnob::FullCircle(int positions, int position, bool wrapsDown) {
    CKnob k;
    k.m_minimum = 0;
    k.m_maximum = positions - 1;
    k.m_position = position;
    k.m_zeroPosition = 0;
    k.m_stepAngle = 360.0f / static_cast<float>(positions) * kRadiansPerDegree;
    k.m_angleAtMinimum = kFullCircleMarker;
    k.m_angleAtMaximum = -kFullCircleMarker;
    k.m_wrapsDown = wrapsDown;
    return k;
}

CKnob CKnob::Limited(int minimum, int maximum, int position, int zeroPosition, float stepDegrees,
                     float angleMinDegrees, float angleMaxDegrees) {
    CKnob k;
    k.m_minimum = minimum;
    k.m_maximum = maximum;
    k.m_position = position;
    k.m_zeroPosition = zeroPosition;
    k.m_stepAngle = stepDegrees * kRadiansPerDegree;
    k.m_angleAtMinimum = angleMinDegrees * kRadiansPerDegree;
    k.m_angleAtMaximum = angleMaxDegrees * kRadiansPerDegree;
    return k;
}

} // namespace ampera
