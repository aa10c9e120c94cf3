// Digit displays shared by the sources and the meters: the glyph layout cut
// from the panel sheet, and the hold-and-jitter rule that makes a reading
// flicker by one step now and then like a real instrument.
#pragma once

#include "core/draw_item.h"

#include <functional>
#include <string>
#include <vector>

namespace ampera {

// One draw from the process-wide display-jitter generator (seeded once with
// 2003112700 before its first use). Non-negative.
int JitterDraw();
// Replaces the generator, e.g. by a fixed sequence in tests; an empty
// function restores the seeded generator.
void SetJitterSource(std::function<int()> source);

// A shown value that holds still for a while and then may read one step off.
struct CHeldReading {
    float shown = 0;
    int lastChange = 0; // ms
    float last = 0;     // value the display last followed

    // `value` the true value, `now` the time in ms, `step` the jitter step,
    // `holdMs` how long a shown value stays. A new value shows at once; an
    // unchanged one is re-drawn after the hold: 2 in 21 one step up, 1 in 21
    // one step down, otherwise exact.
    float Next(float value, long long now, float step, int holdMs = 1001);
};

// Appends the glyph quads of `text` (digits, '.', '-', ' '), laid out right to
// left so that the last character's right edge is at `right`; digits are
// 17 x 30 pixels on an 18-pixel pitch from `top` down.
void AppendGlyphs(std::vector<CDrawItem>& items, const std::string& text, float right, float top);

// Copies `from` into `to`, shifted by (dx, dy).
void AppendShifted(const std::vector<CDrawItem>& from, std::vector<CDrawItem>& to, float dx, float dy);

} // namespace ampera
