// Signal generator: sine, square or triangle waves of 0.01-16 V from
// 0.1 Hz to 1 MHz, chosen by wave buttons, band buttons and three knobs.
#pragma once

#include "device.h"
#include "display.h"
#include "panel_control.h"

#include <array>
#include <string>

namespace ampera {

class CSignalGenerator : public CDevice {
  public:
    void Persist(CKeyDoc& doc, bool loading, const std::string& prefix) override;
    static const CDeviceKind kKind;
    CSignalGenerator();
    void FillPropertyPage(CPropertyPage& page) override;

    // Recomputes amplitude, frequency and wave shape from the panel.
    void UpdateSettings();
    bool IsPowered() const { return m_power.IsOn(); }
    // Index 0..6 of the first pressed band (1M ... 1), or -1.
    int PressedBand() const;
    void BuildBranches(CTopologyBuilder& b) override;
    void Update(const CUpdateContext& context) override;
    std::string DisplayText() const override { return m_displayText; }
    // The pressed band, and the display's unit for it (kHz or Hz).
    std::optional<CInstrumentReading> ReportReading() const override;
    void CopyRating(const CDevice& prototype) override;

    CKnob m_amplitudeKnob;
    CKnob m_coarse;
    CKnob m_fine;
    CPanelButton* m_clicked = nullptr;
    std::array<CPanelButton, 3> m_waveButtons; // sine, square, triangle
    std::array<CPanelButton, 7> m_bandButtons; // 1M, 100K, 10K, 1K, 100, 10, 1
    CPanelButton m_power;
    float m_amplitude = 0; // volts
    float m_frequency = 0; // hertz
    float m_phase = 0;
    int m_waveform = WAVE_NONE;
    float m_maximumVoltage = 20;
    CHeldReading m_shown; // shown value, time of last change, last frequency
    int m_lastBand = -1;

    // The power button's panel item; 0-2 are the wave and 3-9 the band buttons.
    static constexpr int kPowerItem = 10;

  protected:
    void OnPushButton(CPanelButton& button) override;

  private:
    template <std::size_t N> void PressInGroup(std::array<CPanelButton, N>& group, CPanelButton& pressed);
    void ShowFrequency(long long now);

    std::string m_displayText;
};

} // namespace ampera
