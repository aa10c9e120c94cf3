// The spectral lines of the periodic waves a solve can publish, and the
// frequency-selective match of a level meter against them.
#pragma once

#include <vector>

namespace ampera {

struct CSpectralLine {
    double omega = 0;     // angular frequency, rad/s
    double amplitude = 0; // peak volts
};

// Lines in ascending order of angular frequency.
using CSpectrum = std::vector<CSpectralLine>;

// Harmonics kept of a square or triangle wave; the ones above are absent.
inline constexpr int kHarmonicCount = 1000;
// A line is selected when it lies within this fraction of the selected frequency.
inline constexpr double kMatchTolerance = 0.0002;

// The spectrum of a wave of `kind` (WAVE_SINE, WAVE_SQUARE, WAVE_TRIANGLE;
// anything else has no lines) swinging between -amplitude and +amplitude at
// `frequency` hertz.
CSpectrum BuildSpectrum(int kind, double amplitude, double frequency);

// The amplitude of the last line (in ascending order) within the tolerance
// of `selectedOmega`, or 0 when none is. A selected frequency that is zero,
// negative or not finite selects nothing.
double MatchLevel(const CSpectrum& spectrum, double selectedOmega);

} // namespace ampera
