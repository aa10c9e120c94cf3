#include "level_meter.h"

#include "document/keydoc.h"

#include "harmonic_lines.h"
#include "panel_layout.h"
#include "panel_sheet.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace ampera {

namespace {

constexpr const char* kOverloadWarning = "当前电路有若干个器材短路或过载";
constexpr const char* kOverRangeText = "1.   "; // a 1, a point and three dark cells
constexpr const char* kNoBandText = "0000";

// Hertz per unit of (0.2 coarse + 0.02 fine), by band; the frequency text
// reads kilohertz with the resolution of the band.
constexpr double kBandFactor[4] = {1000000, 100000, 10000, 1000};
constexpr const char* kFrequencyFormat[4] = {"%4.0f", "%4.1f", "%4.2f", "%4.3f"};

// By range: display units per volt, full scale in those units, jitter step,
// and the name the range knob's label gives it.
struct CRange {
    double unitsPerVolt;
    double fullScale;
    float step;
    const char* name;
};
constexpr CRange kRanges[5] = {
    {1e6, 2, 0.001f, "2μV"}, {1e3, 2, 0.001f, "2mV"}, {1e3, 200, 0.1f, "200mV"},
    {1, 2, 0.001f, "2V"},    {1, 20, 0.01f, "20V"},
};
constexpr const char* kRangeLabel = "电压量程";

using layout::frequency_knobs::kCoarseRect;
using layout::frequency_knobs::kFineRect;
using layout::level_meter::kBandRects;
using layout::level_meter::kPowerRect;
using layout::level_meter::kRangeRect;
constexpr const char* kPanelPicture = "devpic\\panal\\选频电压表.tga";

// The panel's display window has its top-right corner here.
constexpr float kPanelDisplayRight = layout::level_meter::kLevelDisplay.panelRight,
                kPanelDisplayTop = layout::level_meter::kLevelDisplay.panelTop;

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string PadLeft(std::string text, std::size_t width) {
    if (text.size() < width) text.insert(0, width - text.size(), '0');
    return text;
}

// The level text of a magnitude in the range's unit.
std::string LevelText(int range, double level) {
    // A level that is not a number reads as over-range rather than as glyphs
    // the display does not have.
    if (!(level <= kRanges[range].fullScale)) return kOverRangeText;
    switch (range) {
    case 2:
        return PadLeft(Format("%.1f", level), 5);
    case 4:
        return PadLeft(Format("%4.2f", level), 5);
    default:
        return Format("%4.3f", level);
    }
}

} // namespace

void CLevelRangeKnob::UpdateLabel() {
    m_label = std::string(kRangeLabel) + " " + kRanges[std::clamp(Position(), 0, 4)].name;
}

const CDeviceKind CLevelMeter::kKind{
    .typeCode = TYPE_LEVEL_METER,
    .category = CATEGORY_METER,
    .namePrefix = "选频电平表",
    .bodyPicture = "devpic\\SelectFrequencyVmeter.tga",
    .body = geometry::kLevelMeter,
    .propertyGroup = GROUP_SCREEN,
    .bar = {BAR_METERS, 6, "选频电平表", "选频电平表.bmp"},
    .symbols = OneSymbol({"abstract\\fre.bmp", -30, 46, -30, 46}),
};

CLevelMeter::CLevelMeter()
    : CDevice(kKind), m_range(CKnob::Of(layout::level_meter::kRange)),
      m_coarse(CKnob::Of(layout::frequency_knobs::kCoarse)),
      m_fine(CKnob::Of(layout::frequency_knobs::kFine)) {
    m_internalResistance = 999999;

    // Items: 0-3 band buttons, 4 power, 5 panel picture, 6 range needle,
    // 7/8 coarse face and needle, 9/10 fine face and needle.
    auto& items = m_panelGroup.itemsB;
    for (int i = 0; i < 4; ++i)
        AddPushButton(m_bandButtons[i], kBandRects[i], sheet::kBandReleased, sheet::kBandPressed);
    AddPushButton(m_power, kPowerRect, sheet::kPowerOff, sheet::kPowerOn);
    items.push_back(CDrawItem::Quad(0, 0, layout::level_meter::kPanel.width,
                                    layout::level_meter::kPanel.height, kPanelPicture));

    auto addKnob = [&](CKnob& knob, const CPanelRect& hit, const char* label) {
        knob.m_hitRect = hit;
        knob.m_label = label;
        knob.m_itemIndex = static_cast<int>(items.size());
        items.push_back(SheetNeedle(hit));
        m_controls.push_back(&knob);
    };
    addKnob(m_range, kRangeRect, kRangeLabel);
    m_range.UpdateLabel();
    items.push_back(PanelPicture(kCoarseRect, "pic_syl\\main1.bmp"));
    addKnob(m_coarse, kCoarseRect, "频率粗调");
    items.push_back(PanelPicture(kFineRect, "pic_syl\\fine1.bmp"));
    addKnob(m_fine, kFineRect, "频率微调");

    for (CPanelControl* control : m_controls)
        control->ApplyLook(m_panelGroup);
    SealPanel();
}

// ---- settings and measurement ----

int CLevelMeter::BandIndex() const {
    for (int i = 0; i < static_cast<int>(m_bandButtons.size()); ++i)
        if (m_bandButtons[static_cast<std::size_t>(i)].IsOn()) return i;
    return -1;
}

void CLevelMeter::UpdateSettings() {
    const int band = BandIndex();
    if (band >= 0)
        m_selectedFrequency = (0.2 * m_coarse.Position() + 0.02 * m_fine.Position()) * kBandFactor[band];
    m_selectedOmega = m_selectedFrequency * 2 * std::numbers::pi;
    m_powered = m_power.IsOn();
}

void CLevelMeter::ReadInput() {
    m_inputKind = WAVE_NONE;
    m_inputAmplitude = m_inputFrequency = 0;
    const CBranchResult* result = FirstResult();
    if (!result) return;
    const CQuantity& voltage = result->m_vol;
    // A square wave through a capacitor or inductor has no spectrum here.
    if (voltage.IsSine())
        m_inputKind = WAVE_SINE;
    else if (voltage.IsSquare() && !voltage.HasStepResponse())
        m_inputKind = WAVE_SQUARE;
    else if (voltage.IsTriangle())
        m_inputKind = WAVE_TRIANGLE;
    else
        m_inputKind = WAVE_NONE;
    // The height the oscilloscope draws: a sine's peak, the +-level of a
    // square or triangle. The source amplitude published beside the level is
    // not an offset; these waves have no DC part, which no line would show.
    m_inputAmplitude = voltage.IsSine() ? voltage.Peak() : voltage.Level();
    m_inputFrequency = voltage.Frequency();
}

void CLevelMeter::MatchSpectrum() {
    m_matchedLevel =
        MatchLevel(BuildSpectrum(m_inputKind, m_inputAmplitude, m_inputFrequency), m_selectedOmega);
}

double CLevelMeter::Measure() {
    UpdateSettings();
    if (!m_powered) return 0;
    ReadInput();
    MatchSpectrum();
    return m_matchedLevel;
}

// ---- panel buttons ----

void CLevelMeter::OnPushButton(CPanelButton& button) {
    m_clicked = &button;
    if (button.m_itemIndex == kPowerItem) {
        Toggle(button);
        return;
    }
    if (button.m_itemIndex < 0 || button.m_itemIndex > 3) return;
    // The bands are a radio group: one stays pressed once any was.
    for (CPanelButton& band : m_bandButtons) {
        band.SetOn(false);
        band.ApplyLook(m_panelGroup);
    }
    button.SetOn(true);
    button.ApplyLook(m_panelGroup);
}

// ---- displays ----

void CLevelMeter::Update(const CUpdateContext& context) {
    m_boardGroup.itemsA.clear();
    m_panelGroup.itemsA.clear();
    m_levelText.clear();
    m_frequencyText.clear();
    const CBranchResult* result = FirstResult();
    if (!result) return;

    // "Not within": a NaN current counts as an overload.
    WarnIfOverRating(context, std::fabs(result->m_elec.Steady()), m_ratedCurrent, kOverloadWarning);

    UpdateSettings();
    ShowFrequency(BandIndex());
    ShowLevel(context.time);
    AppendShifted(m_boardGroup.itemsA, m_panelGroup.itemsA, kPanelDisplayRight - m_region[2],
                  kPanelDisplayTop - m_region[1]);
}

void CLevelMeter::ShowFrequency(int band) {
    m_frequencyText = band >= 0 ? Format(kFrequencyFormat[band], m_selectedFrequency * 0.001) : kNoBandText;
    const float right = m_region[2], top = m_region[1];
    AppendGlyphs(m_boardGroup.itemsA, m_frequencyText, right - 35.5f, top + 23.5f);
    if (band < 0) return;
    // The unit mark lights under the "kHz" legend.
    CDrawItem mark = CDrawItem::Quad(right - 83, top + 61, right - 70, top + 64, sheet::kPicture);
    mark.SetUV(sheet::kUnitBar.left, sheet::kUnitBar.top, sheet::kUnitBar.right, sheet::kUnitBar.bottom);
    m_boardGroup.itemsA.push_back(mark);
}

void CLevelMeter::ShowLevel(long long now) {
    const int range = std::clamp(m_range.Position(), 0, 4);
    const double level = Measure() * kRanges[range].unitsPerVolt;
    // Beyond what a float holds the reading is over-range anyway.
    const float reading = std::fabs(level) < 1e30 ? static_cast<float>(level) : HUGE_VALF;
    const float shown = m_shown.Next(reading, now, kRanges[range].step);
    m_levelText = LevelText(range, std::fabs(static_cast<double>(shown)));
    AppendGlyphs(m_boardGroup.itemsA, m_levelText, m_region[2] - 118.5f, m_region[1] + 21.5f);
}

std::optional<CInstrumentReading> CLevelMeter::ReportReading() const {
    static constexpr const char* kRangeNames[5][2] = {
        {"2µV", "µV"}, {"2mV", "mV"}, {"200mV", "mV"}, {"2V", "V"}, {"20V", "V"}};
    const int range = m_range.Position();
    if (range < 0 || range > 4) return CInstrumentReading{};
    return CInstrumentReading{kRangeNames[range][0], kRangeNames[range][1]};
}

void CLevelMeter::Persist(CKeyDoc& doc, bool loading, const std::string& prefix) {
    Keep(doc, loading, prefix + ":SHELVE_ELE", m_range);
    Keep(doc, loading, prefix + ":SHELVE_MAIN", m_coarse);
    Keep(doc, loading, prefix + ":SHELVE_FINE", m_fine);
    static const char* const kBands[4] = {":BUTTON_1M", ":BUTTON_100K", ":BUTTON_10K", ":BUTTON_1K"};
    for (int i = 0; i < 4; ++i)
        Keep(doc, loading, prefix + kBands[i], m_bandButtons[i]);
    Keep(doc, loading, prefix + ":BUTTON_POWER", m_power);
    PersistPlaceAndIdentity(doc, loading, prefix);
}

void CLevelMeter::FillPropertyPage(CPropertyPage& page) {
    page.window = {0, 0, 500, 300};
    page.AddUsageText({3, 5, 300, 290}, "选频电压表：可在选定频率下，测量信号的电压值。\n\n"
                                        "频段按钮×1、×10、×100、×1000kHz选择频率的倍率，"
                                        "频率粗调和频率微调旋钮调节选定的频率。\n\n"
                                        "量程旋钮选择电压量程。按下电源开关开始测量，再按一次关闭。\n\n"
                                        "面板上的两个显示屏分别显示选定的频率和测得的电压。\n\n"
                                        "单击旋钮，旁边会出现两个按钮，单击它们使旋钮减小或增大一档。\n\n"
                                        "选频电压表没有参数设置。");
}

} // namespace ampera
