// Regulated DC voltage source: 0-20 V set by a coarse (2 V) and a fine
// (0.2 V) knob, behind its internal resistance. The AC source shares its
// panel, its set value and its display through CKnobSource.
#pragma once

#include "device.h"
#include "display.h"
#include "panel_control.h"
#include "panel_layout.h"

#include <string>

namespace ampera {

// A source set by a coarse and a fine knob, switched by a power button, that
// shows its set value on a digit display and burns out above a rated current.
class CKnobSource : public CDevice {
  public:
    // 2 x coarse + 0.2 x fine volts; also kept as the set value.
    double GetKnobValue();
    bool IsPowered() const { return m_power.IsOn(); }
    void Update(const CUpdateContext& context) override;
    void Persist(CKeyDoc& doc, bool loading, const std::string& prefix) override;
    std::string DisplayText() const override { return m_displayText; }
    // The display shows the set voltage.
    std::optional<CInstrumentReading> ReportReading() const override { return CInstrumentReading{"", "V"}; }

    float m_setValue = 0;
    float m_ratedCurrent = 2.0f; // amperes
    CKnob m_coarse;
    CKnob m_fine;
    CPanelButton m_power;
    CHeldReading m_shown; // shown value, time of last change, last set value

    // Panel layout shared by both sources (panel pixels).
    static constexpr CPanelRect kCoarseRect = layout::knob_source::kCoarseRect;
    static constexpr CPanelRect kFineRect = layout::knob_source::kFineRect;
    static constexpr CPanelRect kPowerRect = layout::knob_source::kPowerRect;

  protected:
    CKnobSource(const CDeviceKind& kind, float internalResistance, const char* panelPicture,
                const char* burnOutWarning);
    void OnPushButton(CPanelButton& button) override { Toggle(button); }

  private:
    const char* m_burnOutWarning;
    std::string m_displayText;
};

class CDCSource : public CKnobSource {
  public:
    static const CDeviceKind kKind;
    CDCSource();
    void FillPropertyPage(CPropertyPage& page) override;

    void CopyRating(const CDevice& prototype) override;
    void BuildBranches(CTopologyBuilder& b) override;
};

} // namespace ampera
