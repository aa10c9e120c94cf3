#include "signal_generator.h"

#include "document/keydoc.h"

#include "panel_layout.h"
#include "panel_sheet.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace ampera {

namespace {
using layout::frequency_knobs::kCoarseRect;
using layout::frequency_knobs::kFineRect;
using layout::signal_generator::kAmplitudeRect;
using layout::signal_generator::kBandRects;
using layout::signal_generator::kPowerRect;
using layout::signal_generator::kWaveRects;

// Per band (1M ... 1): the display reads kHz for the first four bands, Hz
// for the rest, with the resolution of the knobs' smallest step.
constexpr float kJitterStep[7] = {1, 0.1f, 0.01f, 0.001f, 1, 1, 0.1f};
constexpr const char* kFormat[7] = {"%.0f", "%.1f", "%.2f", "%.3f", "%.0f", "%.0f", "%.1f"};
constexpr const char* kLeadingZeros[7] = {"", "", "", "", "0", "00", "00"};
} // namespace

std::optional<CInstrumentReading> CSignalGenerator::ReportReading() const {
    static constexpr const char* kBands[7] = {"1M", "100K", "10K", "1K", "100", "10", "1"};
    const int band = PressedBand();
    if (band < 0 || band > 6) return CInstrumentReading{};
    return CInstrumentReading{kBands[band], band < 4 ? "kHz" : "Hz"};
}

const CDeviceKind CSignalGenerator::kKind{
    .typeCode = TYPE_SIGNAL_GENERATOR,
    .category = CATEGORY_METER,
    .namePrefix = "信号发生器",
    .bodyPicture = "devpic\\signalgenerator.tga",
    .body = geometry::kSignalGenerator,
    .propertyGroup = GROUP_PANEL,
    .selectionHint = kPanelHint,
    .bar = {BAR_SOURCES, 2, "信号发生器", "信号发生器.bmp"},
    .symbols = OneSymbol({"abstract\\sig.bmp", -25, 40, -25, 40}),
};

CSignalGenerator::CSignalGenerator()
    : CDevice(kKind), m_amplitudeKnob(CKnob::Of(layout::signal_generator::kAmplitude)),
      m_coarse(CKnob::Of(layout::frequency_knobs::kCoarse)),
      m_fine(CKnob::Of(layout::frequency_knobs::kFine)) {
    m_amplitudeKnob.m_labelMode = kKnobLabelMode;
    m_amplitudeKnob.m_label = "幅值调节";
    m_coarse.m_label = "频率粗调";
    m_fine.m_label = "频率微调";
    m_waveButtons[0].m_label = "正弦波";
    m_waveButtons[1].m_label = "方波";
    m_waveButtons[2].m_label = "三角波";
    static const char* const kBandLabels[7] = {"1M", "100K", "10K", "1K", "100", "10", "1"};
    for (int i = 0; i < 7; ++i)
        m_bandButtons[i].m_label = kBandLabels[i];
    m_power.m_label = "开关";
    m_internalResistance = 50;

    // Items 0-2 wave buttons, 3-9 band buttons, 10 power, 11 panel picture,
    // 12 amplitude needle, 13/14 coarse face and needle, 15/16 fine face and needle.
    auto& items = m_panelGroup.itemsB;
    for (int i = 0; i < 3; ++i)
        AddPushButton(m_waveButtons[i], kWaveRects[i], sheet::kWaveReleased, sheet::kWavePressed);
    for (int i = 0; i < 7; ++i)
        AddPushButton(m_bandButtons[i], kBandRects[i], sheet::kBandReleased, sheet::kBandPressed);
    AddPushButton(m_power, kPowerRect, sheet::kPowerOff, sheet::kPowerOn);
    constexpr layout::CPanelSize kPanel = layout::signal_generator::kPanel;
    items.push_back(CDrawItem::Quad(0, 0, kPanel.width, kPanel.height, "devpic\\panal\\xhfsq.tga"));

    auto addKnob = [&](CKnob& knob, const CPanelRect& hit) {
        knob.m_hitRect = hit;
        knob.m_itemIndex = static_cast<int>(items.size());
        items.push_back(SheetNeedle(hit));
        m_controls.push_back(&knob);
    };
    addKnob(m_amplitudeKnob, kAmplitudeRect);
    items.push_back(PanelPicture(kCoarseRect, "pic_syl\\main1.bmp"));
    addKnob(m_coarse, kCoarseRect);
    items.push_back(PanelPicture(kFineRect, "pic_syl\\fine1.bmp"));
    addKnob(m_fine, kFineRect);

    for (CPanelControl* control : m_controls)
        control->ApplyLook(m_panelGroup);
    m_amplitudeKnob.UpdateLabel();
    SealPanel();
}

void CSignalGenerator::CopyRating(const CDevice& prototype) {
    if (const auto* generator = dynamic_cast<const CSignalGenerator*>(&prototype))
        m_maximumVoltage = generator->m_maximumVoltage;
}

int CSignalGenerator::PressedBand() const {
    for (int i = 0; i < static_cast<int>(m_bandButtons.size()); ++i)
        if (m_bandButtons[i].IsOn()) return i;
    return -1;
}

void CSignalGenerator::UpdateSettings() {
    static constexpr float kAmplitudes[7] = {0.01f, 0.05f, 0.1f, 0.5f, 1, 5, 6};
    const int p = m_amplitudeKnob.Position();
    m_amplitude = p < 0 ? kAmplitudes[0] : (p <= 6 ? kAmplitudes[p] : static_cast<float>(2 * p - 6));

    static constexpr double kBandFactor[7] = {1000000, 100000, 10000, 1000, 100, 10, 1};
    const int band = PressedBand();
    if (band >= 0)
        m_frequency =
            static_cast<float>((0.2 * m_coarse.Position() + 0.02 * m_fine.Position()) * kBandFactor[band]);

    m_waveform = m_waveButtons[0].IsOn()   ? WAVE_SINE
                 : m_waveButtons[1].IsOn() ? WAVE_SQUARE
                 : m_waveButtons[2].IsOn() ? WAVE_TRIANGLE
                                           : WAVE_NONE;
}

void CSignalGenerator::BuildBranches(CTopologyBuilder& b) {
    if (!IsPowered()) return;
    UpdateSettings();
    CBranch& source = b.OverTerminals(BRANCH_SINE_VOLTAGE_SOURCE, 0);
    source.m_wave = m_waveform;
    source.m_amplitude = m_amplitude;
    source.m_frequency = m_frequency;
    source.m_phase = m_phase;
}

// ---- panel buttons ----

template <std::size_t N>
void CSignalGenerator::PressInGroup(std::array<CPanelButton, N>& group, CPanelButton& pressed) {
    for (CPanelButton& button : group) {
        button.SetOn(false);
        button.ApplyLook(m_panelGroup);
    }
    pressed.SetOn(true);
    pressed.ApplyLook(m_panelGroup);
}

void CSignalGenerator::OnPushButton(CPanelButton& button) {
    m_clicked = &button;
    const int item = button.m_itemIndex;
    if (item == kPowerItem)
        Toggle(button);
    else if (item >= 0 && item <= 2)
        PressInGroup(m_waveButtons, button);
    else if (item >= 3 && item <= 9)
        PressInGroup(m_bandButtons, button);
}

// ---- update ----

void CSignalGenerator::Update(const CUpdateContext& context) {
    UpdateSettings();
    m_panelGroup.itemsA.clear();
    m_boardGroup.itemsA.clear();
    m_displayText.clear();
    const CBranchResult* result = FirstResult();
    if (!result) return;

    // The output stage survives up to its full voltage across its own 50 ohms:
    // the delivered current (its r.m.s. in a sine circuit, what heats the
    // stage) must stay below that limit. "Not below": the limit itself and a
    // NaN current burn it out.
    const double limit = static_cast<double>(m_maximumVoltage) / static_cast<double>(m_internalResistance);
    WarnIfOverRating(context, result->m_elec.HeatingMagnitude(), limit, "当前有个信号发生器烧毁", RATING_BELOW);

    ShowFrequency(context.time);
}

void CSignalGenerator::ShowFrequency(long long now) {
    const int b = PressedBand();
    if (b < 0) {
        m_displayText = "000000";
    } else {
        const float f = b <= 3 ? m_frequency / 1000.0f : m_frequency;
        float shown;
        if (b != m_lastBand) {
            m_lastBand = b;
            m_shown.last = m_shown.shown = shown = f;
        } else {
            shown = m_shown.Next(f, now, kJitterStep[b], 1000);
        }
        // A frequency never reads below zero: at 0 Hz a downward flicker
        // would otherwise print a minus sign inside the padded digits ("0-1").
        shown = std::max(shown, 0.0f);
        char digits[64];
        std::snprintf(digits, sizeof digits, kFormat[b], static_cast<double>(shown));
        m_displayText = std::string(kLeadingZeros[b]) + digits;
    }

    const float right = m_region[2], top = m_region[1];
    AppendGlyphs(m_boardGroup.itemsA, m_displayText, right - 35.5f, top + 13.5f);
    if (b >= 0) {
        // The unit mark lights under the "kHz" or the "Hz" legend.
        const float left = b <= 3 ? right - 83 : right - 51;
        CDrawItem mark = CDrawItem::Quad(left, top + 51, left + 13, top + 54, sheet::kPicture);
        mark.SetUV(sheet::kUnitBar.left, sheet::kUnitBar.top, sheet::kUnitBar.right, sheet::kUnitBar.bottom);
        m_boardGroup.itemsA.push_back(mark);
    }
    // The panel's display window has its top-right corner at (225, 5).
    AppendShifted(m_boardGroup.itemsA, m_panelGroup.itemsA, 225 - right, 5 - top);
}

void CSignalGenerator::Persist(CKeyDoc& doc, bool loading, const std::string& prefix) {
    Keep(doc, loading, prefix + ":SHELVE_ELE", m_amplitudeKnob);
    Keep(doc, loading, prefix + ":SHELVE_MAIN", m_coarse);
    Keep(doc, loading, prefix + ":SHELVE_FINE", m_fine);
    static const char* const kWaves[3] = {":BUTTON_SIN", ":BUTTON_PANE", ":BUTTON_TRI"};
    for (int i = 0; i < 3; ++i)
        Keep(doc, loading, prefix + kWaves[i], m_waveButtons[i]);
    static const char* const kBands[7] = {":BUTTON_1M",  ":BUTTON_100K", ":BUTTON_10K", ":BUTTON_1K",
                                          ":BUTTON_100", ":BUTTON_10",   ":BUTTON_1"};
    for (int i = 0; i < 7; ++i)
        Keep(doc, loading, prefix + kBands[i], m_bandButtons[i]);
    Keep(doc, loading, prefix + ":BUTTON_POWER", m_power);
    PersistPlaceAndIdentity(doc, loading, prefix);
    if (loading) UpdateSettings();
}

void CSignalGenerator::FillPropertyPage(CPropertyPage& page) {
    page.window = {0, 0, 500, 300};
    page.AddUsageText({10, 10, 355, 300},
                      "信号发生器：用来产生多种频率和幅值的正弦波、三角波和方波。\n\n"
                      "按下电源开关，信号发生器开始输出；再按一次，停止输出。\n\n"
                      "频段按钮1M、100K、10K、1K、100、10、1选择频率的倍率，"
                      "再用频率粗调和频率微调旋钮调节频率，输出频率范围为0.1Hz～1MHz。\n\n"
                      "幅值调节旋钮调节输出电压的幅值，范围为0.01V～20V。\n\n"
                      "波形按钮选择输出正弦波、方波或三角波。\n\n"
                      "单击旋钮，旁边会出现两个按钮，单击它们使旋钮减小或增大一档。");
}

} // namespace ampera
