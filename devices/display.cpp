#include "display.h"

#include "panel_sheet.h"

#include <random>

namespace ampera {

namespace {
std::function<int()>& Source() {
    static std::function<int()> source;
    return source;
}
std::minstd_rand& Generator() {
    static std::minstd_rand generator(2003112700u);
    return generator;
}
} // namespace

int JitterDraw() {
    if (Source()) return Source()();
    return static_cast<int>(Generator()() & 0x7fffffff);
}

void SetJitterSource(std::function<int()> source) { Source() = std::move(source); }

float CHeldReading::Next(float value, long long now, float step, int holdMs) {
    if (value != last) {
        last = shown = value;
        return shown;
    }
    if (now - lastChange < holdMs) return shown;
    const int r = JitterDraw() % 21;
    shown = r <= 1 ? value + step : (r == 2 ? value - step : value);
    lastChange = static_cast<int>(now);
    return shown;
}

void AppendGlyphs(std::vector<CDrawItem>& items, const std::string& text, float right, float top) {
    constexpr float kWidth = 17, kHeight = 30, kPitch = 18;
    float x = right; // right edge of the next cell
    for (auto it = text.rbegin(); it != text.rend(); ++it) {
        const char c = *it;
        if (c >= '0' && c <= '9') {
            const int d = c - '0';
            CDrawItem digit = CDrawItem::Quad(x - kWidth, top, x, top + kHeight, sheet::kPicture);
            digit.SetUV(d / 15.0f, 0, (d + 1) / 15.0f, sheet::kDigitV);
            items.push_back(digit);
            x -= kPitch;
        } else if (c == '.') {
            // On the boundary between the cell to its right and the one to its left.
            const float mid = x + (kPitch - kWidth) / 2;
            CDrawItem dot = CDrawItem::Quad(mid - 2, top + kHeight - 4, mid + 2, top + kHeight, sheet::kPicture);
            dot.SetUV(sheet::kDecimalPoint.left, sheet::kDecimalPoint.top, sheet::kDecimalPoint.right,
                      sheet::kDecimalPoint.bottom);
            items.push_back(dot);
        } else if (c == '-') {
            CDrawItem bar = CDrawItem::Quad(x - kWidth + 2, top + kHeight / 2 - 2, x - 2, top + kHeight / 2 + 2,
                                            sheet::kPicture);
            bar.SetUV(sheet::kUnitBar.left, sheet::kUnitBar.top, sheet::kUnitBar.right, sheet::kUnitBar.bottom);
            items.push_back(bar);
            x -= kPitch;
        } else {
            x -= kPitch; // a blank cell
        }
    }
}

void AppendShifted(const std::vector<CDrawItem>& from, std::vector<CDrawItem>& to, float dx, float dy) {
    for (CDrawItem item : from) {
        item.SetRect(item.left + dx, item.top + dy, item.right + dx, item.bottom + dy);
        to.push_back(item);
    }
}

} // namespace ampera
