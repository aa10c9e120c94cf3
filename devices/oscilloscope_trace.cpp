#include "oscilloscope_trace.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace ampera {

namespace {

// Pass voltages differing in magnitude by less than this are taken as equal:
// the response neither rises nor falls after an edge.
constexpr double kResponseThreshold = 1e-4;

// Far beyond any screen, yet small enough for a float to hold whole pixels
// and for the clipper to work with: a trace of 16 V at 1 mV per division
// still lands here instead of overflowing.
constexpr double kFarPixels = 1e6;

// exp(-rate * seconds), taking the instants at and before an edge as
// undecayed even when the rate is infinite (an element that settles at once).
double Decay(double rate, double seconds) {
    if (seconds <= 0) return 1;
    if (rate == HUGE_VAL) return 0;
    return std::exp(-rate * seconds);
}

// The settled periodic response of a first-order circuit to a square wave of
// +-A. The solve publishes the response to one rising step of 2A from rest:
// `initial` just after it, settling towards initial - step at `rate`. The
// graph holds no other source and is linear, so the falling half is the
// rising half negated. At a falling edge the response jumps by -initial
// (the part that passes straight through; the capacitor voltage or inductor
// current is continuous), which fixes the value y0 just after a rising edge:
//   -y0 = F + (y0 - F) c - initial,  F = (initial - step) / 2,  c = exp(-T / (2 tau)).
// A capacitor (initial 0, step -2A) gives the familiar charge curve between
// -+A (1 - c) / (1 + c); its resistor (initial 2A, step 2A) gives the spikes
// +-2A / (1 + c) that decay towards zero between edges.
double FirstOrder(const CScopeChannel& channel, double u, double d, double secondsPerDivision) {
    CScopeChannel local;
    const CScopeChannel* c = &channel;
    if (!channel.prepared) {
        local = channel;
        PrepareFirstOrder(local);
        c = &local;
    }
    const double half = d / 2;
    if (u >= half)
        return c->settled + (c->start - c->settled) * Decay(c->rate, secondsPerDivision * (u - half));
    return -(c->settled + (c->start - c->settled) * Decay(c->rate, secondsPerDivision * u));
}

double Triangle(double h, double u, double d) {
    const double quarter = d / 4;
    return u < d / 2 ? h * (u - quarter) / quarter : h * (3 * quarter - u) / quarter;
}

// Screen pixels are whole (truncated towards zero) and kept within reach.
float Pixel(double value) {
    if (std::isnan(value)) return 0;
    return static_cast<float>(std::trunc(std::clamp(value, -kFarPixels, kFarPixels)));
}

// Adds a sample to the last stroke, or starts a new one when the sample is
// too far from the previous one and `breaks` is set.
void Append(std::vector<CPolyline>& lines, const CWavePoint& point, bool breaks) {
    if (lines.empty()) {
        lines.emplace_back().reserve(kScopeSamples);
    } else if (breaks && !lines.back().empty()) {
        const CWavePoint& last = lines.back().back();
        if (std::fabs(point.x - last.x) > kEdgeBreakPixels || std::fabs(point.y - last.y) > kEdgeBreakPixels)
            lines.emplace_back();
    }
    lines.back().push_back(point);
}

double SampleTime(int i, double xReference, double secondsPerDivision) {
    return (i - xReference) * secondsPerDivision / kPixelsPerDivision;
}

double Deflection(double volts, const CChannelScale& scale) {
    return volts * kPixelsPerDivision / scale.voltsPerDivision;
}

// Liang-Barsky: cuts the segment a-b to the rectangle; false when nothing of
// it is inside. t0 and t1 are where the kept part starts and ends along a-b.
bool ClipSegment(const CWavePoint& a, const CWavePoint& b, double width, double height, double& t0,
                 double& t1) {
    const double dx = static_cast<double>(b.x) - a.x, dy = static_cast<double>(b.y) - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double x = a.x, y = a.y;
    const double q[4] = {x, width - x, y, height - y};
    t0 = 0;
    t1 = 1;
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0) return false;
            continue;
        }
        const double r = q[k] / p[k];
        if (p[k] < 0)
            t0 = std::max(t0, r);
        else
            t1 = std::min(t1, r);
        if (t0 > t1) return false;
    }
    return true;
}

CWavePoint Along(const CWavePoint& a, const CWavePoint& b, double t) {
    return {a.colour, static_cast<float>(a.x + (static_cast<double>(b.x) - a.x) * t),
            static_cast<float>(a.y + (static_cast<double>(b.y) - a.y) * t)};
}

} // namespace

void PrepareFirstOrder(CScopeChannel& c) {
    // Half a period in seconds: the time base cancels out of it.
    c.settled = (c.initial - c.step) / 2;
    const double halfDecay = Decay(c.rate, c.period / 2);
    c.start = (c.initial - c.settled * (1 - halfDecay)) / (1 + halfDecay);
    c.prepared = true;
}

CScopeChannel ChannelFromQuantity(const CQuantity& voltage, const double passVoltage[2]) {
    CScopeChannel c;
    c.kind = voltage.IsSine()       ? WAVE_SINE
             : voltage.IsSquare()   ? WAVE_SQUARE
             : voltage.IsTriangle() ? WAVE_TRIANGLE
                                    : WAVE_NONE;
    if (voltage.HasStepResponse()) {
        c.firstOrder = true;
        const double growth = std::fabs(passVoltage[1]) - std::fabs(passVoltage[0]);
        c.response = growth > kResponseThreshold    ? RESPONSE_RISING
                     : growth < -kResponseThreshold ? RESPONSE_FALLING
                                                    : RESPONSE_PLAIN;
        c.initial = voltage.Initial();
        c.step = voltage.Step();
        c.rate = voltage.Rate();
    }
    if (voltage.IsSine()) {
        c.amplitude = voltage.Peak();
        c.phase = voltage.SinePhase();
    } else {
        c.amplitude = voltage.Level();
        c.phase = voltage.SourcePhase();
    }
    c.frequency = voltage.Frequency();
    c.period = 1 / c.frequency;
    c.offset = voltage.SourceAmplitude();
    return c;
}

double ChannelValue(const CScopeChannel& c, double t, double secondsPerDivision) {
    if (c.kind == WAVE_NONE) return 0;
    if (!(c.frequency > 0) || !std::isfinite(c.frequency)) return 0;
    double v = 0;
    if (c.kind == WAVE_SINE) {
        v = c.amplitude * std::sin(2 * std::numbers::pi * c.frequency * t + c.phase);
    } else {
        const double d = c.period / secondsPerDivision; // the period in divisions
        if (!(d > 0) || !std::isfinite(d)) return 0;
        // A source phase (degrees) delays the wave by that share of a period.
        // Wrapped into one period; floor is far cheaper than fmod here and the
        // checks below keep u in [0, d).
        const double x = t / secondsPerDivision - c.phase / 360 * d;
        double u = x - d * std::floor(x / d);
        if (u < 0) u += d;
        if (u >= d) u -= d;
        if (!std::isfinite(u)) return 0;
        if (c.kind == WAVE_TRIANGLE)
            v = Triangle(c.amplitude, u, d);
        else if (c.firstOrder)
            v = FirstOrder(c, u, d, secondsPerDivision);
        else
            v = u < d / 2 ? -c.amplitude : c.amplitude;
    }
    return std::isfinite(v) ? v : 0;
}

std::vector<CPolyline> ChannelTrace(const CScopeChannel& channel, const CChannelScale& scale,
                                    double xReference, double secondsPerDivision, std::uint32_t colour) {
    std::vector<CPolyline> lines;
    const bool breaks = channel.kind == WAVE_SQUARE;
    const float tint = static_cast<float>(colour);
    CScopeChannel c = channel;
    if (c.firstOrder) PrepareFirstOrder(c);
    for (int i = 0; i < kScopeSamples; ++i) {
        const double v = ChannelValue(c, SampleTime(i, xReference, secondsPerDivision), secondsPerDivision);
        Append(lines, {tint, static_cast<float>(i), Pixel(Deflection(v, scale) + scale.zeroLevel)}, breaks);
    }
    return lines;
}

std::vector<CPolyline> XYFigure(const CScopeChannel& x, const CChannelScale& xScale, const CScopeChannel& y,
                                const CChannelScale& yScale, double xReference, double secondsPerDivision,
                                std::uint32_t colour) {
    std::vector<CPolyline> lines;
    const bool breaks = x.kind == WAVE_SQUARE || y.kind == WAVE_SQUARE;
    CScopeChannel cx = x, cy = y;
    if (cx.firstOrder) PrepareFirstOrder(cx);
    if (cy.firstOrder) PrepareFirstOrder(cy);
    const float tint = static_cast<float>(colour);
    // The figure is centred 120 pixels right of the time reference, on the
    // screen's middle line; the position knobs of the channels do not move it.
    for (int i = 0; i < kScopeSamples; ++i) {
        const double t = SampleTime(i, xReference, secondsPerDivision);
        const double px = Deflection(ChannelValue(cx, t, secondsPerDivision), xScale) + xReference + 120;
        const double py = Deflection(ChannelValue(cy, t, secondsPerDivision), yScale) + kScreenCentreY;
        Append(lines, {tint, Pixel(px), Pixel(py)}, breaks);
    }
    return lines;
}

std::vector<CPolyline> ClipToScreen(const std::vector<CPolyline>& lines, double width, double height) {
    std::vector<CPolyline> out;
    CPolyline stroke;
    auto flush = [&] {
        if (stroke.size() >= 2) out.push_back(std::move(stroke));
        stroke.clear(); // a moved-from vector is valid; clear makes it empty
    };
    for (const CPolyline& line : lines) {
        for (std::size_t k = 1; k < line.size(); ++k) {
            const CWavePoint &a = line[k - 1], &b = line[k];
            double t0 = 0, t1 = 1;
            if (!ClipSegment(a, b, width, height, t0, t1)) {
                flush();
                continue;
            }
            if (t0 > 0 || stroke.empty()) {
                flush();
                stroke.push_back(Along(a, b, t0));
            }
            stroke.push_back(Along(a, b, t1));
            if (t1 < 1) flush();
        }
        flush();
    }
    return out;
}

} // namespace ampera
