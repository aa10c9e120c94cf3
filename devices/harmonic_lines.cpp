#include "harmonic_lines.h"

#include "core/circuit.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ampera {

namespace {
// sin(n pi / 2) / (n pi / 2): 0 for even n, +-2 / (n pi) for odd n.
double Sinc(int n) {
    const double x = n * std::numbers::pi / 2;
    return std::sin(x) / x;
}
} // namespace

// The amplitude a a square or triangle graph publishes is what the
// oscilloscope draws: a square of +-a, a triangle of peak a, both without a
// DC part (the solve's DC pass stands in for the source at its full
// amplitude). Waves of that height have the Fourier series
//   square   (4a / pi)   sum over odd n of sin(n w t) / n,
//   triangle (8a / pi^2) sum over odd n of +-cos(n w t) / n^2,
// so the n-th line is 2a |Sinc(n)| and 2a Sinc(n)^2; the even lines are
// present with amplitude 0.
CSpectrum BuildSpectrum(int kind, double amplitude, double frequency) {
    CSpectrum lines;
    const double omega = 2 * std::numbers::pi * frequency;
    switch (kind) {
    case WAVE_SINE:
        lines.push_back({omega, amplitude});
        break;
    case WAVE_SQUARE:
    case WAVE_TRIANGLE:
        lines.reserve(kHarmonicCount);
        for (int n = 1; n <= kHarmonicCount; ++n) {
            const double s = Sinc(n);
            const double shape = 2 * (kind == WAVE_SQUARE ? std::fabs(s) : s * s);
            // An even harmonic is exactly absent, not a rounding residue of sin(k pi).
            lines.push_back({n * omega, n % 2 == 0 ? 0.0 : amplitude * shape});
        }
        break;
    default:
        break;
    }
    // A negative frequency lists its harmonics downwards; keep them ascending.
    if (omega < 0) std::reverse(lines.begin(), lines.end());
    return lines;
}

double MatchLevel(const CSpectrum& spectrum, double selectedOmega) {
    if (!(selectedOmega > 0) || !std::isfinite(selectedOmega)) return 0;
    double level = 0;
    for (const CSpectralLine& line : spectrum) {
        // Written as "not outside" so that a line whose distance cannot be
        // decided (a NaN frequency) still counts as a match.
        if (!(std::fabs((selectedOmega - line.omega) / selectedOmega) > kMatchTolerance))
            level = line.amplitude;
    }
    return level;
}

} // namespace ampera
