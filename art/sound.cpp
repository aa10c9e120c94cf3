// The warning sound: a short two-tone chime, high then low, like the alert
// of a bench instrument. Written as 16-bit PCM mono WAV.
#include "drawings.h"

#include <QtEndian>

#include <cmath>
#include <cstdint>
#include <vector>

namespace art {

namespace {
constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

// One chime: a sine with a little second and third harmonic, a 6 ms attack
// and an exponential decay, so that it rings instead of buzzing.
void Chime(std::vector<double>& out, double start, double length, double hz, double level) {
    const int first = static_cast<int>(start * kRate);
    const int count = static_cast<int>(length * kRate);
    if (out.size() < static_cast<std::size_t>(first + count)) out.resize(first + count, 0.0);
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double attack = std::min(1.0, t / 0.006);
        const double decay = std::exp(-t / (length * 0.38));
        const double release = std::min(1.0, (length - t) / 0.012); // no click at the end
        const double w = 2 * kPi * hz * t;
        const double s = std::sin(w) + 0.28 * std::sin(2 * w) + 0.12 * std::sin(3 * w);
        out[first + i] += level * attack * decay * release * s / 1.4;
    }
}

void Put16(QByteArray& b, std::uint16_t v) {
    char c[2];
    qToLittleEndian(v, c);
    b.append(c, 2);
}
void Put32(QByteArray& b, std::uint32_t v) {
    char c[4];
    qToLittleEndian(v, c);
    b.append(c, 4);
}
} // namespace

QByteArray WarningSound() {
    std::vector<double> mix;
    Chime(mix, 0.0, 0.22, 987.77, 0.55);  // B5
    Chime(mix, 0.16, 0.34, 659.26, 0.55); // E5, a fourth below: "ding-dong"
    const std::uint32_t frames = static_cast<std::uint32_t>(mix.size());
    const std::uint32_t dataBytes = frames * 2;

    QByteArray b;
    b.append("RIFF", 4);
    Put32(b, 36 + dataBytes);
    b.append("WAVE", 4);
    b.append("fmt ", 4);
    Put32(b, 16);        // PCM format chunk
    Put16(b, 1);         // PCM
    Put16(b, 1);         // mono
    Put32(b, kRate);     // sample rate
    Put32(b, kRate * 2); // byte rate
    Put16(b, 2);         // block align
    Put16(b, 16);        // bits per sample
    b.append("data", 4);
    Put32(b, dataBytes);
    for (double s : mix) {
        const double clamped = std::max(-1.0, std::min(1.0, s));
        Put16(b, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(clamped * 32000))));
    }
    return b;
}

} // namespace art
