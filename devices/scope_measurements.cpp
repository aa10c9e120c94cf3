#include "scope_measurements.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace ampera {

namespace {

// (1 - exp(-x)) / x, which tends to 1 as x goes to 0: the mean over a span
// of a decay that falls by exp(-x) across it.
double MeanDecay(double x) {
    if (x == 0) return 1;
    if (x == HUGE_VAL) return 0;
    return -std::expm1(-x) / x;
}

CChannelMeasurements Symmetric(double peak, double rms, double frequency) {
    CChannelMeasurements m;
    m.measured = true;
    peak = std::fabs(peak);
    rms = std::fabs(rms);
    if (!std::isfinite(peak) || !std::isfinite(rms) || peak == 0) return m; // a flat line
    m.vmax = peak;
    m.vmin = -peak;
    m.vpp = 2 * peak;
    m.rms = rms;
    // Every wave the trace draws is the negative of itself half a period
    // later: none has a DC part.
    m.mean = 0;
    m.frequency = frequency;
    m.period = 1 / frequency;
    return m;
}

// The settled response of a first-order circuit to a square wave: over each
// half period the value runs from `start` towards `settled` as a single
// exponential (so its extremes are the two ends of the run), and the other
// half is the same run negated. Squared, both halves are alike, so the r.m.s.
// is that of one run: over a run of length H at rate r with D = start -
// settled and x = rH,
//   mean of (settled + D e^(-r t))^2 = settled^2 + 2 settled D g(x) + D^2 g(2x),
// with g(x) = (1 - e^(-x)) / x.
CChannelMeasurements FirstOrder(CScopeChannel c) {
    PrepareFirstOrder(c);
    const double half = c.period / 2;
    double start = c.start;
    const double settled = c.settled;
    // An element that settles at once is at its settled value but for the
    // very instant of the edge, which no trace shows.
    if (c.rate == HUGE_VAL) start = settled;
    const double x = c.rate * half;
    const double difference = start - settled;
    const double end = settled + difference * (c.rate == HUGE_VAL ? 0 : std::exp(-x));
    const double peak = std::max(std::fabs(start), std::fabs(end));
    const double square = settled * settled + 2 * settled * difference * MeanDecay(x) +
                          difference * difference * MeanDecay(2 * x);
    if (!(square >= 0) || !std::isfinite(square)) {
        CChannelMeasurements flat;
        flat.measured = true;
        return flat;
    }
    return Symmetric(peak, std::sqrt(square), c.frequency);
}

// `value` in the largest of `units` (ascending factors) that keeps it at 1
// or more, with four significant digits.
struct CUnit {
    double factor;
    const char* name;
};
template <std::size_t N> std::string Scaled(double value, const CUnit (&units)[N]) {
    if (!std::isfinite(value)) return kUndefinedText;
    const double size = std::fabs(value);
    std::size_t k = 0;
    if (size == 0) {
        // Zero reads in the plain unit.
        for (std::size_t i = 0; i < N; ++i)
            if (units[i].factor == 1) k = i;
    } else {
        while (k + 1 < N && size >= units[k + 1].factor)
            ++k;
    }
    auto format = [&](std::size_t unit) {
        const double x = value / units[unit].factor;
        const double magnitude = std::fabs(x);
        int decimals = 3;
        if (magnitude >= 1) decimals = std::max(0, 3 - static_cast<int>(std::floor(std::log10(magnitude))));
        char text[64];
        std::snprintf(text, sizeof text, "%.*f", decimals, x);
        return std::string(text);
    };
    std::string number = format(k);
    // 999.96 rounds to "1000.0": it reads better as 1.000 of the next unit.
    if (k + 1 < N && std::fabs(std::strtod(number.c_str(), nullptr)) * units[k].factor >= units[k + 1].factor)
        number = format(++k);
    return number + " " + units[k].name;
}

constexpr CUnit kVoltUnits[] = {{1e-3, "mV"}, {1, "V"}};
constexpr CUnit kSecondUnits[] = {{1e-9, "ns"}, {1e-6, "µs"}, {1e-3, "ms"}, {1, "s"}};
constexpr CUnit kHertzUnits[] = {{1, "Hz"}, {1e3, "kHz"}, {1e6, "MHz"}};

constexpr double kScreenRight = kScreenWidth;
constexpr double kScreenTop = kScreenHeight;

} // namespace

CChannelMeasurements MeasureChannel(const CScopeChannel& c) {
    CChannelMeasurements flat;
    flat.measured = true;
    // ChannelValue draws these as a flat line at the zero level.
    if (c.kind == WAVE_NONE || !(c.frequency > 0) || !std::isfinite(c.frequency)) return flat;
    if (c.kind == WAVE_SINE) return Symmetric(c.amplitude, c.amplitude * kSineRms, c.frequency);
    if (!(c.period > 0) || !std::isfinite(c.period)) return flat;
    if (c.kind == WAVE_TRIANGLE) return Symmetric(c.amplitude, c.amplitude / std::sqrt(3.0), c.frequency);
    if (c.firstOrder) return FirstOrder(c);
    return Symmetric(c.amplitude, c.amplitude, c.frequency);
}

std::string VoltsText(double volts) {
    return Scaled(volts, kVoltUnits);
}
std::string SecondsText(double seconds) {
    return Scaled(seconds, kSecondUnits);
}
std::string HertzText(double hertz) {
    return Scaled(hertz, kHertzUnits);
}
std::string VoltsText(const std::optional<double>& volts) {
    return volts ? VoltsText(*volts) : kUndefinedText;
}
std::string SecondsText(const std::optional<double>& seconds) {
    return seconds ? SecondsText(*seconds) : kUndefinedText;
}
std::string HertzText(const std::optional<double>& hertz) {
    return hertz ? HertzText(*hertz) : kUndefinedText;
}

std::optional<CCursorGrab> CursorAt(const CScopeCursors& cursors, double x, double y) {
    if (!cursors.shown) return std::nullopt;
    std::optional<CCursorGrab> best;
    double nearest = kCursorGrabPixels;
    auto consider = [&](bool time, int index, double distance) {
        if (distance <= nearest) {
            nearest = distance;
            best = CCursorGrab{time, index};
        }
    };
    if (x < 0 || x > kScreenRight || y < 0 || y > kScreenTop) return std::nullopt;
    for (int i = 0; i < 2; ++i) {
        consider(true, i, std::fabs(x - cursors.x[i]));
        consider(false, i, std::fabs(y - cursors.y[i]));
    }
    return best;
}

void MoveCursor(CScopeCursors& cursors, const CCursorGrab& grab, double x, double y) {
    const int i = grab.index == 0 ? 0 : 1;
    if (grab.time) {
        if (std::isfinite(x)) cursors.x[i] = std::clamp(x, 0.0, kScreenRight);
    } else if (std::isfinite(y)) {
        cursors.y[i] = std::clamp(y, 0.0, kScreenTop);
    }
}

CCursorReadout ReadCursors(const CScopeCursors& cursors, double secondsPerDivision, double voltsPerDivision,
                           bool xy) {
    CCursorReadout out;
    out.deltaV = std::fabs(cursors.y[1] - cursors.y[0]) * voltsPerDivision / kPixelsPerDivision;
    if (xy) return out;
    const double dt = std::fabs(cursors.x[1] - cursors.x[0]) * secondsPerDivision / kPixelsPerDivision;
    out.deltaT = dt;
    if (dt > 0) out.inverseDeltaT = 1 / dt;
    return out;
}

} // namespace ampera
