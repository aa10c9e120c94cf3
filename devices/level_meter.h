// Frequency-selective level meter: reads the voltage across its terminals at
// one selected frequency. It splits the periodic voltage the solve reports
// for its own branch into spectral lines and shows the amplitude of the line
// at the selected frequency.
#pragma once

#include "device.h"
#include "display.h"
#include "panel_control.h"

#include <array>
#include <string>

namespace ampera {

// The range selector names its range ("电压量程 2V") rather than the amplitude
// label the generic knob keeps for a generator.
class CLevelRangeKnob : public CKnob {
  public:
    explicit CLevelRangeKnob(const CKnob& knob) : CKnob(knob) {}
    void UpdateLabel() override;
};

class CLevelMeter : public CDevice {
  public:
    // Frequency first, then the level, as the panel shows them left to right.
    std::vector<std::string> DisplayTexts() const override {
        if (DisplayText().empty()) return {};
        return {FrequencyText(), DisplayText()};
    }
    void Persist(CKeyDoc& doc, bool loading, const std::string& prefix) override;
    static const CDeviceKind kKind;
    CLevelMeter();
    void FillPropertyPage(CPropertyPage& page) override;

    bool IsPowered() const { return m_power.IsOn(); }
    void BuildBranches(CTopologyBuilder& b) override {
        if (IsPowered()) b.OverTerminals(BRANCH_RESISTOR, m_internalResistance);
    }
    void Update(const CUpdateContext& context) override;
    // The level text on the display (empty while it is dark).
    std::string DisplayText() const override { return m_levelText; }
    // The range knob's range and the unit the level is read in.
    std::optional<CInstrumentReading> ReportReading() const override;
    // The selected-frequency text on the display (empty while it is dark).
    const std::string& FrequencyText() const { return m_frequencyText; }

    // 0 ... 3 for the first pressed band (x1 MHz ... x1 kHz), -1 for none.
    virtual int BandIndex() const;
    // The matched level in volts (0 while the power is off).
    virtual double Measure();
    // Selected frequency from the band and knobs (kept while no band is
    // pressed) and the power state.
    virtual void UpdateSettings();
    // Input kind, amplitude and frequency from the branch's voltage.
    virtual void ReadInput();
    // The matched level from the input's spectrum.
    virtual void MatchSpectrum();

    CLevelRangeKnob m_range; // 0: 2 uV, 1: 2 mV, 2: 200 mV, 3: 2 V, 4: 20 V
    CKnob m_coarse;
    CKnob m_fine;
    CPanelButton* m_clicked = nullptr;
    std::array<CPanelButton, 4> m_bandButtons; // x1 MHz, x100 kHz, x10 kHz, x1 kHz
    CPanelButton m_power;
    CHeldReading m_shown;        // shown level, time of last change, last level
    float m_ratedCurrent = 1.0f; // amperes
    bool m_powered = false;
    double m_matchedLevel = 0;      // volts
    double m_selectedFrequency = 0; // hertz
    double m_selectedOmega = 0;     // rad/s
    int m_inputKind = WAVE_NONE;
    double m_inputAmplitude = 0; // volts
    double m_inputFrequency = 0; // hertz

    static constexpr int kPowerItem = 4;
    static constexpr int kPanelPictureItem = 5;

  protected:
    void OnPushButton(CPanelButton& button) override;

  private:
    void ShowFrequency(int band);
    void ShowLevel(long long now);

    std::string m_levelText, m_frequencyText;
};

} // namespace ampera
