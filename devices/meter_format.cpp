#include "meter_format.h"

#include "document/keydoc.h"

#include "display.h"
#include "panel_sheet.h"

#include <algorithm>
#include <cmath>

namespace ampera {

namespace {

constexpr double kMilli = 1000, kUnit = 1, kKilo = 1e-3, kMega = 1e-6;

// Jitter bands, reading magnitude in base units. The odd bounds keep a
// reading that rounds to a range's full-scale digits from flickering.
constexpr double kBand0[2] = {0.05, 0.15};
constexpr double kBand1[2] = {0.5, 1.5};
constexpr double kBand2[2] = {5.03, 15.025};
constexpr double kBand3[2] = {50.725, 150.025};
constexpr double kBand4[2] = {250.525, 750.025};
constexpr double kBand5[2] = {0.00051, 0.0015};
constexpr double kBand6[2] = {0.005, 0.015};
constexpr double kNoBand[2] = {0, 0};

constexpr CMeterRange Range(const char* name, const char* unit, double scale, int decimals, int intDigits,
                            double limit, const double (&band)[2], bool noPoint = false) {
    return {scale, decimals, intDigits, limit, noPoint, band[0], band[1], name, unit};
}

// Formatting indices 0-31; positions 14-19 and 24 have no range.
constexpr int kMultimeterRanges = 32;
constexpr CMeterRange kNone{0, 0, 0, 0, false, 0, 0};
const CMeterRange kMultimeter[kMultimeterRanges] = {
    Range("200mV", "mV", kMilli, 1, 3, 199.9, kBand0),     // 0  DC 200 mV
    Range("2V", "V", kUnit, 3, 1, 1.999, kBand1),      // 1  DC 2 V
    Range("20V", "V", kUnit, 2, 2, 19.99, kBand2),      // 2  DC 20 V
    Range("200V", "V", kUnit, 1, 3, 199.9, kBand3),      // 3  DC 200 V
    Range("1000V", "V", kUnit, 0, 4, 1000, kBand4, true), // 4  DC 1000 V
    Range("2mA", "mA", kMilli, 3, 1, 1.999, kBand5),     // 5  DC 2 mA
    Range("20mA", "mA", kMilli, 2, 2, 19.99, kBand6),     // 6  DC 20 mA
    Range("200mA", "mA", kMilli, 1, 3, 199.9, kBand0),     // 7  DC 200 mA
    Range("20A", "A", kUnit, 2, 2, 19.99, kBand2),      // 8  DC 20 A
    Range("750V", "V", kUnit, 1, 3, 749.9, kBand4),      // 9  AC 750 V
    Range("200V", "V", kUnit, 1, 3, 199.9, kBand3),      // 10 AC 200 V
    Range("20V", "V", kUnit, 2, 2, 19.99, kBand2),      // 11 AC 20 V
    Range("2V", "V", kUnit, 3, 1, 1.999, kBand1),      // 12 AC 2 V
    Range("200mV", "mV", kMilli, 1, 3, 199.9, kBand0),     // 13 AC 200 mV
    kNone,                                  // 14 not available
    kNone,                                  // 15 not available
    kNone,                                  // 16 not available
    kNone,                                  // 17 not available
    kNone,                                  // 18 not available
    kNone,                                  // 19 not available
    Range("20A", "A", kUnit, 2, 2, 19.99, kBand2),      // 20 AC 20 A
    Range("200mA", "mA", kMilli, 1, 3, 199.9, kBand0),     // 21 AC 200 mA
    Range("20mA", "mA", kMilli, 2, 2, 19.99, kBand6),     // 22 AC 20 mA
    Range("2mA", "mA", kMilli, 3, 1, 1.999, kBand5),     // 23 AC 2 mA
    kNone,                                  // 24 not available
    Range("200Ω", "Ω", kUnit, 1, 3, 199.9, kNoBand),     // 25 200 ohms
    Range("2kΩ", "kΩ", kKilo, 3, 1, 1.999, kNoBand),     // 26 2 kilohms
    Range("20kΩ", "kΩ", kKilo, 2, 2, 19.99, kNoBand),     // 27 20 kilohms
    Range("200kΩ", "kΩ", kKilo, 1, 3, 199.9, kNoBand),     // 28 200 kilohms
    Range("2MΩ", "MΩ", kMega, 3, 1, 1.999, kNoBand),     // 29 2 megohms
    Range("20MΩ", "MΩ", kMega, 2, 2, 19.99, kNoBand),     // 30 20 megohms
    Range("200MΩ", "MΩ", kMega, 1, 3, 199.9, kNoBand),     // 31 200 megohms
};

const CMeterRange kMillivoltmeter[5] = {
    // The 40 mV range has always gone over at 39.9, one count early.
    Range("40mV", "mV", kMilli, 2, 2, 39.9, kNoBand),  // 0 40 mV
    Range("400mV", "mV", kMilli, 1, 3, 399.9, kNoBand), // 1 400 mV
    Range("4V", "V", kUnit, 3, 1, 3.999, kNoBand),  // 2 4 V
    Range("40V", "V", kUnit, 2, 2, 39.99, kNoBand),  // 3 40 V
    Range("400V", "V", kUnit, 1, 3, 399.9, kNoBand),  // 4 400 V
};

const CMeterRange kGalvanometer[5] = {
    Range("20mA", "mA", kMilli, 3, 2, 19.999, kNoBand),  // 0 20 mA, one more digit
    Range("200µA", "mA", kMilli, 2, 1, 0.19999, kNoBand), // 1 200 uA, read in milliamperes
    Range("2mA", "mA", kMilli, 3, 1, 1.999, kNoBand),   // 2 2 mA
    Range("20mA", "mA", kMilli, 2, 2, 19.99, kNoBand),   // 3 20 mA
    Range("200mA", "mA", kMilli, 1, 3, 199.9, kNoBand),   // 4 200 mA
};

double Pow10(int decimals) {
    double p = 1;
    for (int i = 0; i < decimals; ++i)
        p *= 10;
    return p;
}

// The full scale in counts of the resolution; the small margin keeps a
// limit such as 39.9 from landing just below its own count.
long long LimitCounts(const CMeterRange& r) {
    return static_cast<long long>(std::floor(r.limit * Pow10(r.decimals) + 1e-6));
}

// Beyond this many counts a reading cannot be anything but over range; it
// also keeps NaN and infinities out of the integer conversion.
constexpr double kCountCeiling = 1e15;

CReading OverRange(const CMeterRange& r) {
    std::string text = "1   ";
    if (!r.noPoint) text.insert(static_cast<std::size_t>(r.intDigits), ".");
    return {text, FORMAT_OVER};
}

CReading ZeroReading(const CMeterRange& r) {
    std::string text = "000";
    if (!r.noPoint) text.insert(static_cast<std::size_t>(r.intDigits - 1), ".");
    return {text, FORMAT_ZERO};
}

const CMeterRange* Lookup(const CMeterRange* table, int count, int index) {
    if (index < 0 || index >= count || table[index].scale == 0) return nullptr;
    return &table[index];
}

CReading FormatIn(const CMeterRange* range, float value) {
    if (!range) return {"", FORMAT_OVER};
    return FormatReading(*range, value);
}

} // namespace

CReading FormatReading(const CMeterRange& r, float value) {
    const double x = static_cast<double>(value) * r.scale;
    const double scaled = std::fabs(x) * Pow10(r.decimals);
    if (!(scaled < kCountCeiling)) return OverRange(r);
    const long long counts = std::llround(scaled);
    if (counts > LimitCounts(r)) return OverRange(r);
    if (counts == 0) return ZeroReading(r);

    std::string text = std::to_string(counts);
    // The 1000 V range shows whole volts in at least three digits, like its "000".
    const std::size_t digits =
        r.noPoint ? 3 : static_cast<std::size_t>(r.intDigits) + static_cast<std::size_t>(r.decimals);
    if (text.size() < digits) text.insert(0, digits - text.size(), '0');
    if (!r.noPoint && r.decimals > 0) text.insert(text.size() - static_cast<std::size_t>(r.decimals), ".");
    if (x < 0) text.insert(0, "-");
    return {text, FORMAT_NORMAL};
}

const CMeterRange* MultimeterRange(int index) {
    return Lookup(kMultimeter, kMultimeterRanges, index);
}
const CMeterRange* MillivoltmeterRange(int index) {
    return Lookup(kMillivoltmeter, 5, index);
}
const CMeterRange* GalvanometerRange(int index) {
    return Lookup(kGalvanometer, 5, index);
}

CReading FormatMultimeter(float value, int index) {
    return FormatIn(MultimeterRange(index), value);
}
CReading FormatMillivoltmeter(float value, int index) {
    return FormatIn(MillivoltmeterRange(index), value);
}
CReading FormatGalvanometer(float value, int index) {
    return FormatIn(GalvanometerRange(index), value);
}

const char* RangeLegend(int p) {
    switch (p) {
    case 0:
    case 3:
    case 7:
    case 11:
        return "unit200.bmp";
    case 1:
    case 5:
    case 9:
        return "unit2.bmp";
    case 4:
        return nullptr;
    default:
        return p >= 0 && p <= 12 ? "unit20.bmp" : nullptr;
    }
}

double JitterStep(const CMeterRange& range) {
    return (range.noPoint ? 1.0 : 2.0) / Pow10(range.decimals);
}

bool InJitterBand(const CMeterRange& range, float value) {
    const double magnitude = std::fabs(static_cast<double>(value));
    return range.bandHigh > 0 && magnitude >= range.bandLow && magnitude <= range.bandHigh;
}

float JitterMove(const CMeterRange& r, float value, int draw) {
    const double x = static_cast<double>(value) * r.scale;
    const double pow10 = Pow10(r.decimals);
    const double scaled = std::fabs(x) * pow10;
    if (!(scaled < kCountCeiling)) return value;
    const double counts = std::round(scaled);
    const double step = r.noPoint ? 1 : 2;
    const int roll = ((draw % 10) + 10) % 10;
    double moved = counts;
    if (roll <= 1)
        moved = counts + step;
    else if (roll <= 3)
        moved = counts - step;
    // A move over the full scale (or through zero) is undone.
    if (moved > static_cast<double>(LimitCounts(r)) || moved < 0) moved = counts;
    const double shown = moved / pow10 / r.scale;
    return static_cast<float>(x < 0 ? -shown : shown);
}

void LayOutDisplay(CDevice& device, const CDisplayWindow& window, const std::string& text,
                   const char* legend) {
    std::vector<CDrawItem>& board = device.m_boardGroup.itemsA;
    std::vector<CDrawItem>& panel = device.m_panelGroup.itemsA;
    board.clear();
    panel.clear();
    if (text.empty()) return;
    const float right = device.m_region[2] - window.fromRight, top = device.m_region[1] + window.fromTop;
    const float s = window.scale;
    AppendGlyphs(board, text, right, top);
    if (s != 1) {
        // Smaller glyphs for small bodies, shrunk towards the window's top-right corner.
        for (CDrawItem& item : board)
            item.SetRect(right + (item.left - right) * s, top + (item.top - top) * s,
                         right + (item.right - right) * s, top + (item.bottom - top) * s);
    }
    if (legend && !board.empty()) {
        float leftmost = right;
        for (const CDrawItem& item : board)
            leftmost = std::min(leftmost, item.left);
        const float gap = 3 * s;
        board.push_back(CDrawItem::Quad(leftmost - gap - kLegendWidth * s, top, leftmost - gap,
                                        top + kLegendHeight * s, legend));
    }
    if (device.PanelItemCount() > 0)
        AppendShifted(board, panel, window.panelRight - device.m_region[2],
                      window.panelTop - device.m_region[1]);
}

// ---- the common panel ----

namespace {
// The range knob's picture: the needle of the shared sheet across the knob,
// turning about the knob's centre.
CDrawItem Needle(const CPanelRect& hit) {
    const float cx = (hit.left + hit.right) / 2, cy = (hit.top + hit.bottom) / 2;
    const float length = 0.8f * std::min(hit.right - hit.left, hit.bottom - hit.top);
    constexpr float kWidth = 12;
    CDrawItem item =
        CDrawItem::Quad(cx - kWidth / 2, cy - length / 2, cx + kWidth / 2, cy + length / 2, sheet::kPicture);
    item.SetUV(sheet::kNeedle.left, sheet::kNeedle.top, sheet::kNeedle.right, sheet::kNeedle.bottom);
    return item;
}
} // namespace

CDigitalMeter::CDigitalMeter(const CDeviceKind& kind, const CKnob& range, const CMeterPanel& panel,
                             const CDisplayWindow& window)
    : CDevice(kind), m_range(range), m_window(window) {
    std::vector<CDrawItem>& items = m_panelGroup.itemsB;
    items.push_back(CDrawItem::Quad(0, 0, panel.width, panel.height, panel.picture)); // 0 face
    items.push_back(Needle(panel.knobHit));                                           // 1 range knob
    const CPanelRect& p = panel.powerHit;
    items.push_back(CDrawItem::Quad(p.left, p.top, p.right, p.bottom, sheet::kPicture)); // 2 power button

    m_range.m_hitRect = panel.knobHit;
    m_range.m_itemIndex = 1;
    m_range.m_label = "量程选择";
    m_power.m_hitRect = panel.powerHit;
    m_power.m_itemIndex = 2;
    m_power.m_label = "开关";
    m_power.m_onLook = {sheet::kPicture, sheet::kPowerOn};
    m_power.m_offLook = {sheet::kPicture, sheet::kPowerOff};
    m_controls = {&m_range, &m_power};
    for (CPanelControl* c : m_controls)
        c->ApplyLook(m_panelGroup);
    SealPanel();
}

void CDigitalMeter::OnPushButton(CPanelButton& button) {
    if (&button == &m_power) Toggle(button);
}

void CDigitalMeter::Blank() {
    m_text.clear();
    m_boardGroup.itemsA.clear();
    m_panelGroup.itemsA.clear();
}

void CDigitalMeter::Show(const std::string& text) {
    m_text = text;
    LayOutDisplay(*this, m_window, text, RangeLegend(Range()));
}

std::optional<CInstrumentReading> CDigitalMeter::ReportReading() const {
    const CMeterRange* range = ShownRange();
    return CInstrumentReading{range ? range->name : "", range ? range->unit : ""};
}

void CDigitalMeter::Persist(CKeyDoc& doc, bool loading, const std::string& prefix) {
    Keep(doc, loading, prefix + ":SHELVE", m_range);
    Keep(doc, loading, prefix + ":BUTTON", m_power);
    PersistPlaceAndIdentity(doc, loading, prefix);
}

} // namespace ampera
