// What an oscilloscope measures on a channel: peak-to-peak, extremes, mean,
// r.m.s., frequency and period of the waveform the channel draws. They are
// worked out in closed form from the channel's periodic description, so
// they are exact where a sampling instrument would be off by a pixel or a
// sample; and the two pairs of screen cursors with their differences.
#pragma once

#include "oscilloscope_trace.h"

#include <optional>
#include <string>
#include <vector>

namespace ampera {

struct CChannelMeasurements {
    // False while there is nothing to measure (the screen is dark): every
    // value below is then undefined.
    bool measured = false;
    double vpp = 0, vmax = 0, vmin = 0, mean = 0, rms = 0; // volts
    // Hz and s; none for a channel that draws nothing that repeats.
    std::optional<double> frequency, period;
};

// The measurements of what ChannelValue draws for `channel` (coupling as the
// trace applies it: a grounded or silent channel draws a flat line at its
// zero level, which measures 0 V with no frequency).
CChannelMeasurements MeasureChannel(const CScopeChannel& channel);

// Numbers as a bench instrument shows them: four significant digits in the
// unit that keeps the figure between 1 and 1000 (mV and V; ns, µs, ms and s;
// Hz, kHz and MHz), "—" for a value that is not defined.
std::string VoltsText(double volts);
std::string SecondsText(double seconds);
std::string HertzText(double hertz);
std::string VoltsText(const std::optional<double>& volts);
std::string SecondsText(const std::optional<double>& seconds);
std::string HertzText(const std::optional<double>& hertz);
inline constexpr const char* kUndefinedText = "—";

// Two time cursors (vertical lines) and two voltage cursors (horizontal
// lines) on the screen, in the screen's own pixels: x from the left edge,
// y up from the bottom edge. They belong to the instrument for the run and
// are never saved with the experiment.
struct CScopeCursors {
    bool shown = false;
    double x[2] = {96, 224};
    double y[2] = {197, 69};
    int channel = 0; // the channel the voltage cursors read when both are drawn
};

// Which cursor a grab took: a time cursor 0/1 or a voltage cursor 0/1.
struct CCursorGrab {
    bool time = true;
    int index = 0;
};

// A press within this many pixels of a cursor line takes that cursor.
inline constexpr double kCursorGrabPixels = 5;

// The cursor line nearest to (x, y) within the grab distance, if any.
std::optional<CCursorGrab> CursorAt(const CScopeCursors& cursors, double x, double y);
// Moves a grabbed cursor to (x, y), kept inside the screen; no snapping.
void MoveCursor(CScopeCursors& cursors, const CCursorGrab& grab, double x, double y);

// Differences between the cursors: Δt (s) and 1/Δt (Hz) between the time
// cursors, ΔV (V) between the voltage cursors at `voltsPerDivision`. Time
// differences are undefined in X-Y mode, where x shows a voltage, and 1/Δt
// when the two time cursors coincide.
struct CCursorReadout {
    std::optional<double> deltaT, inverseDeltaT;
    double deltaV = 0;
};
CCursorReadout ReadCursors(const CScopeCursors& cursors, double secondsPerDivision, double voltsPerDivision,
                           bool xy);

} // namespace ampera
