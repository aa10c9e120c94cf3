// What an oscilloscope channel shows: the periodic description a solve
// publishes for a branch voltage, turned back into a value at any time, and
// the screen polylines sampled from it. The circuit is never simulated in
// time; a trace is rebuilt from these few numbers at every update.
#pragma once

#include "core/circuit.h"
#include "core/draw_item.h"
#include "panel_layout.h"

#include <cstdint>
#include <vector>

namespace ampera {

// How a square wave reaches the branch: straight through, or through the
// one capacitor or inductor of its graph (falling or rising after an edge).
enum ScopeResponse : int { RESPONSE_PLAIN = 100, RESPONSE_FALLING = 101, RESPONSE_RISING = 102 };

// One channel's picture of its input, rebuilt at every update.
struct CScopeChannel {
    int kind = WAVE_NONE;          // WAVE_NONE draws a flat line at the zero level
    double amplitude = 0;          // h: peak value, or the step of a first-order response
    double frequency = 0;          // Hz
    double period = 0;             // s, 1 / frequency
    double phase = 0;              // sine: radians; square and triangle: the source's degrees
    double offset = 0;             // w: the driving source's amplitude (first-order responses)
    int response = RESPONSE_PLAIN; // square waves only
    bool firstOrder = false;       // a square wave through the graph's capacitor or inductor
    double initial = 0;            // first order: value just after a rising edge from rest (para[0])
    double step = 0;               // first order: that value minus the settled one (para[1], P1)
    double rate = 0;               // first order: 1 / tau in 1/s (para[2], A)
    // The settled swing of a first-order response, worked out once per
    // channel rather than at every sample (see PrepareFirstOrder).
    bool prepared = false;
    double settled = 0, start = 0;
};

// Works out the settled swing of a first-order channel; the traces call it
// once before sampling. Unprepared channels are worked out at each sample.
void PrepareFirstOrder(CScopeChannel& channel);

// Reads a channel from its branch's published voltage and the voltages of
// the solver's two passes (which decide a first-order response's direction).
CScopeChannel ChannelFromQuantity(const CQuantity& voltage, const double passVoltage[2]);

// The channel's value in volts at time t (seconds from the horizontal
// reference), with `secondsPerDivision` the time base. A channel whose
// frequency is zero, negative, infinite or NaN, or whose value cannot be
// computed, reads 0: a flat line rather than a fold that never ends.
double ChannelValue(const CScopeChannel& channel, double t, double secondsPerDivision);

// Screen geometry, in the screen's own pixels: x to the right, y upwards.
inline constexpr int kScopeSamples = 441;
using layout::oscilloscope::kPixelsPerDivision;
using layout::oscilloscope::kScreenCentreX;
using layout::oscilloscope::kScreenCentreY;
using layout::oscilloscope::kScreenHeight;
using layout::oscilloscope::kScreenWidth;
// Successive samples further apart than this belong to different strokes:
// a square wave's vertical edges are not drawn.
inline constexpr double kEdgeBreakPixels = 6;

inline constexpr std::uint32_t kTraceGreen = 0xAA00FF00; // translucent green
inline constexpr std::uint32_t kTraceRed = 0xAAFF0000;   // translucent red

using CPolyline = std::vector<CWavePoint>;

// How one channel is drawn: its volts per division and its zero level (y).
struct CChannelScale {
    double voltsPerDivision = 1;
    double zeroLevel = kScreenCentreY;
};

// The trace of one channel: 441 samples, x = 0 ... 440, split into strokes
// at a square wave's edges. `xReference` is the x of time zero.
std::vector<CPolyline> ChannelTrace(const CScopeChannel& channel, const CChannelScale& scale,
                                    double xReference, double secondsPerDivision, std::uint32_t colour);

// The X-Y figure: channel 1 deflects x, channel 2 deflects y, over the same
// 441 time samples.
std::vector<CPolyline> XYFigure(const CScopeChannel& x, const CChannelScale& xScale, const CScopeChannel& y,
                                const CChannelScale& yScale, double xReference, double secondsPerDivision,
                                std::uint32_t colour);

// The parts of `lines` that lie on the screen (0 <= x <= width, 0 <= y <=
// height); a stroke that leaves the screen is cut at the edge and resumes
// where it comes back. Strokes of fewer than two points are dropped.
std::vector<CPolyline> ClipToScreen(const std::vector<CPolyline>& lines, double width, double height);

} // namespace ampera
