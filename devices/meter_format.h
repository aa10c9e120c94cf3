// What the digital meters share: their range tables, the formatter that turns
// a reading into the text of a 3½-digit display, the range legends, the
// multimeter's reading jitter, the display layout on the board and the panel,
// and the common front panel (a range knob and a power button).
#pragma once

#include "device.h"
#include "panel_control.h"

#include <string>

namespace ampera {

// Result of formatting a reading.
enum FormatStatus : int {
    FORMAT_OVER = 0,   // over the range's full scale
    FORMAT_ZERO = 1,   // rounds to zero: the range is too coarse for the reading
    FORMAT_NORMAL = 2, // an ordinary reading
};

// One range of a meter.
struct CMeterRange {
    double scale;    // display units per base unit (1000 for mV and mA, 0.001 for kilohms, ...)
    int decimals;    // decimals of the resolution
    int intDigits;   // integer digits of the full scale (1 x.xxx, 2 xx.xx, 3 xxx.x)
    double limit;    // over range when the rounded magnitude in display units is above this
    bool noPoint;    // the 1000 V range shows whole volts only
    double bandLow;  // multimeter jitter band, reading magnitude in base units;
    double bandHigh; // both 0: the range never jitters
    const char* name = ""; // as the panel labels it: "200mV"
    const char* unit = ""; // of the number the display shows: "mV"
};

struct CReading {
    std::string text;
    int status = FORMAT_ZERO;
};

// Formats `value` (volts, amperes or ohms) for `range`.
CReading FormatReading(const CMeterRange& range, float value);

// Range tables by formatting index; null for an index without a range
// (the multimeter's positions 14-19 and 24, or anything out of the table).
// Multimeter and digital DC meters: 0-4 DC volts, 5-8 DC amperes, 9-13 AC
// volts, 20-23 AC amperes, 25-31 ohms.
const CMeterRange* MultimeterRange(int index);
const CMeterRange* MillivoltmeterRange(int index);
const CMeterRange* GalvanometerRange(int index);

// The formatters of the three families of ranges. An index without a range
// formats as over range with an empty text.
CReading FormatMultimeter(float value, int index);
CReading FormatMillivoltmeter(float value, int index);
CReading FormatGalvanometer(float value, int index);

// The small legend picture left of the digits for a range knob at position
// `p`, or null when none is drawn.
const char* RangeLegend(int p);

// The multimeter's jitter step in display units: two counts of the
// resolution (one count, 1 V, on the 1000 V range).
double JitterStep(const CMeterRange& range);
// True when the magnitude of `value` lies in the range's jitter band.
bool InJitterBand(const CMeterRange& range, float value);
// The shown reading after one jitter draw `draw` (0-1 one step up, 2-3 one
// step down, the rest unchanged, taken mod 10): `value` rounded to the
// resolution, moved by the jitter step unless that would put it over range.
float JitterMove(const CMeterRange& range, float value, int draw);

// Where a meter's digits sit: the rightmost digit's right edge lies
// `fromRight` pixels left of the board region's right edge, the digits start
// `fromTop` below its top; on the panel the region's top-right corner maps
// to (panelRight, panelTop).
struct CDisplayWindow {
    float fromRight, fromTop;
    float panelRight, panelTop;
    float scale = 1; // glyph size relative to the standard 17 x 30 digits
};

// Rebuilds the display items of both groups: the glyphs of `text` and, when
// `legend` is not null, the legend left of the leftmost glyph. An empty text
// draws nothing.
void LayOutDisplay(CDevice& device, const CDisplayWindow& window, const std::string& text,
                   const char* legend);

// Size of a legend picture on the display.
inline constexpr float kLegendWidth = 16, kLegendHeight = 12;

// Where the panel's pictures go.
struct CMeterPanel {
    const char* picture; // the panel face
    float width, height;
    CPanelRect knobHit;
    CPanelRect powerHit;
};

// A meter with a range knob (item 1) and a power button on its panel; the
// panel face is item 0 and the power button item 2.
class CDigitalMeter : public CDevice {
  public:
    void Persist(CKeyDoc& doc, bool loading, const std::string& prefix) override;
    // Its range knob's range and that range's unit.
    std::optional<CInstrumentReading> ReportReading() const override;
    // The range the knob stands on (null: a position without one).
    virtual const CMeterRange* ShownRange() const { return nullptr; }
    int Range() const { return m_range.Position(); }
    bool IsPowered() const { return m_power.IsOn(); }
    std::string DisplayText() const override { return m_text; }

    CKnob m_range;
    CPanelButton m_power;

  protected:
    CDigitalMeter(const CDeviceKind& kind, const CKnob& range, const CMeterPanel& panel,
                  const CDisplayWindow& window);
    void OnPushButton(CPanelButton& button) override;
    // Empties the displays (power off, nothing to show).
    void Blank();
    // Shows `text` with the legend of the knob position.
    void Show(const std::string& text);
    // The reading the meter shows; empty while dark.
    std::string m_text;

  private:
    CDisplayWindow m_window;
};

} // namespace ampera
