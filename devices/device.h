// The base of every placed device: its kind's descriptor (type code, size,
// name prefix, body picture, terminals and the rest of device_kind.h), its
// place and turn on the board, its front-panel controls and how panel clicks
// operate them.
#pragma once

#include "core/component.h"
#include "core/topology.h"
#include "device_kind.h"
#include "panel_control.h"
#include "property_page.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ampera {

class CScreenInstrument;

// What a lab report records of an instrument or a source besides its
// display: the range as its panel labels it ("20V", empty without one) and
// the unit of the number its main display shows ("V", "mA", "kHz").
struct CInstrumentReading {
    std::string range;
    std::string unit;
};

// The key below a device's prefix that marks its value hidden.
inline constexpr const char* kValueHiddenKey = "VALUEHIDDEN";

class CDevice : public CComponent {
  public:
    explicit CDevice(const CDeviceKind& kind);
    ~CDevice() override;

    void Update(const CUpdateContext&) override {}
    int PanelItemCount() const override { return m_panelItemCount; }
    bool HitTest(int x, int y) const override;
    int PanelControlCount() const override { return m_panelControlCount; }
    // A new device of this kind centred at board point (x, y), with its
    // terminal nodes, added to the program's experiment.
    CComponent* CloneAt(int x, int y) override;

    virtual void SetRegion(float left, float top, float right, float bottom);
    virtual void GetRegion(float& left, float& top, float& right, float& bottom) const;
    // Quarter turns about the first terminal (only kinds that turn).
    virtual void RotateLeft();
    virtual void RotateRight();
    // Describes the device's property window: its size, its parameter page
    // and its usage notes. Kinds without a page fill nothing.
    virtual void FillPropertyPage(CPropertyPage& /*page*/) {}

    // A device without keys of its own writes its place and identity.
    void Persist(CKeyDoc& doc, bool loading, const std::string& prefix) override {
        PersistPlaceAndIdentity(doc, loading, prefix);
    }
    std::size_t TerminalSlots() const override { return m_kind.body.terminalCount; }

    // The same as CloneAt, into a given experiment. The new device takes
    // every setting this one would save (values, ratings, knobs, buttons)
    // but has its own id, running-number name, place and upright turn.
    CDevice* PlaceAt(CExperiment& experiment, int x, int y);
    // Placed devices are named by kind with a running number ("R1", "R2").
    // The numbers run for the whole process; a tool that builds several
    // experiments starts each one from 1 again.
    static void ResetRunningNumbers();
    // The text the device's display shows now, before it becomes glyphs
    // (empty for devices without a display or while the display is dark).
    virtual std::string DisplayText() const { return {}; }
    // Every display's text, in panel order (one entry per lit display).
    virtual std::vector<std::string> DisplayTexts() const {
        std::string text = DisplayText();
        return text.empty() ? std::vector<std::string>{} : std::vector<std::string>{text};
    }
    // What a screen shows as polylines in screen pixels (the oscilloscope).
    using Polyline = std::vector<std::pair<float, float>>;
    virtual std::vector<Polyline> Traces() const { return {}; }
    // Whether the device has such a screen at all (its traces may be none
    // while it is off).
    virtual bool HasScreen() const { return false; }
    // The measurements, cursors and trace data of such a screen (null for
    // devices without one).
    virtual CScreenInstrument* Screen() { return nullptr; }
    const CScreenInstrument* Screen() const { return const_cast<CDevice*>(this)->Screen(); }
    // Rating fields a new device takes over from the device-bar prototype
    // besides its persisted settings (PlaceAt copies those): the ones no file
    // holds.
    virtual void CopyRating(const CDevice&) {}

    // The device's symbol in the symbol view, in its present orientation and
    // state; nothing for kinds without one. Kinds whose symbol shows their
    // state (switches, the multimeter's range) choose the picture.
    virtual std::optional<CSymbol> Symbol() const;
    // The value its board label shows after the name ("1000Ω"), or nothing.
    virtual std::string LabelValue() const { return {}; }
    // Instruments and sources describe their reading; anything else gives
    // nothing.
    virtual std::optional<CInstrumentReading> ReportReading() const { return std::nullopt; }
    // Whether the device has a value a teacher can hide (its label shows one).
    bool HasValue() const { return !LabelValue().empty(); }
    // Whether a press at board point (x, y) operates the device rather than
    // picking it up (the rheostat's slider, a switch's contacts).
    virtual bool OperatesAt(int /*x*/, int /*y*/) const { return false; }
    // While a device of this kind is being placed its body picture follows
    // the pointer, centred on (x, y); parts drawn over the body (the
    // rheostat's slider) follow here.
    virtual void FollowPreview(float /*x*/, float /*y*/, float /*halfHeight*/) {}
    // The picture a panel control's face returns to when the pointer leaves
    // it after a click, or nullptr when the face keeps its look.
    virtual const char* RestingFace(std::size_t /*control*/) const { return nullptr; }

    // After the region's left/top and the angles were loaded: the rest of the
    // region, the body picture, and the panel pictures of every control.
    void RestoreAfterLoad();
    // The place keys REGION:LEFT, REGION:TOP, ANGEL:LEFT and ANGEL:RIGHT.
    // Reading them only stores them; RestoreAfterLoad applies them.
    void PersistPlace(CKeyDoc& doc, bool loading, const std::string& prefix);

    // Panel mouse events, in panel pixels.
    void PanelButtonDown(float x, float y);
    void PanelButtonUp(float x, float y);
    void PanelDoubleClick(float x, float y);
    bool StepButtonsShown() const { return m_stepDown != nullptr; }
    // Steps a knob or slide of this device and marks the topology dirty.
    void StepControl(CPanelControl& control, int direction);
    // Sets a knob of this device, or turns one of its buttons on or off, as a
    // hand would leave it: its picture and label follow and the topology is
    // marked dirty.
    void SetControl(CKnob& knob, int position);
    void SetControl(CPanelButton& button, bool on);

    const CDeviceKind& Kind() const { return m_kind; }
    std::size_t TerminalCount() const { return m_kind.body.terminalCount; }
    bool Turned() const { return m_angleLeft == 90 || m_angleLeft == 270; }
    // The picture of `base` ("devpic\\x.tga") at the current angle.
    std::string PictureAtAngle(const std::string& base) const;

    float m_region[4] = {0, 0, 0, 0};       // left, top, right, bottom
    // The teacher hid the device's value: its label, its parameter page and
    // the command line show it as hidden. Kept under the device's own keys.
    bool m_valueHidden = false;
    int m_angleLeft = 0;                    // counter-clockwise turn: 0, 90, 180, 270
    int m_angleRight = 0;                   // (360 - m_angleLeft) mod 360
    std::vector<CPanelControl*> m_controls; // in panel order; step buttons last while shown

  protected:
    // Kinds call this at the end of their constructor, once the panel items
    // and controls are in place.
    void SealPanel();
    // What the body picture shows now (switches change it with their state).
    virtual std::string BodyPictureBase() const { return m_kind.bodyPicture; }
    void RefreshBody();
    // Adds a push button cut from the panel sheet: its item and its control.
    void AddPushButton(CPanelButton& button, const CPanelRect& hit, const CPanelRect& released,
                       const CPanelRect& pressed);
    // A push button was clicked on the panel; kinds that react override this.
    virtual void OnPushButton(CPanelButton&) {}
    // Inverts a power-style button and shows its new look.
    void Toggle(CPanelButton& button);
    // Extra work after a quarter turn (the rheostat's slider).
    virtual void AfterTurn(int /*quarterLeft*/) {}

    // One persisted value under prefix + key, written or read; a missing or
    // unreadable key reads as 0 (false), a knob position is kept in its range.
    static void Keep(CKeyDoc& doc, bool loading, const std::string& key, CKnob& knob);
    static void Keep(CKeyDoc& doc, bool loading, const std::string& key, CPanelButton& button);
    static void Keep(CKeyDoc& doc, bool loading, const std::string& key, float& value);
    static void Keep(CKeyDoc& doc, bool loading, const std::string& key, int& value);
    // A setting older files do not hold, written exactly. A file without it,
    // or with a value the property page would not accept (outside
    // [min, max]), leaves the present value: the kind's default.
    static void KeepSetting(CKeyDoc& doc, bool loading, const std::string& key, float& value, float min,
                            float max);
    // The place and identity keys, and the hidden mark; after reading them
    // the device takes its loaded place, picture and control looks
    // (RestoreAfterLoad).
    void PersistPlaceAndIdentity(CKeyDoc& doc, bool loading, const std::string& prefix);

    void MarkDirty() const;
    void Warn(const CUpdateContext& context, const char* text) const { context.Warn(text); }
    // How a rated kind holds a value against its rating. The forms differ in
    // what an undetermined (NaN) value and the rating itself count as.
    enum RatingRule : int {
        RATING_WITHIN,   // over unless value <= rating: a NaN counts as over
        RATING_BELOW,    // over unless value < rating: the rating itself and a NaN count as over
        RATING_EXCEEDED, // over only when value > rating: a NaN passes
    };
    // Warns `warning` (a burn-out, an overload) when `value` is over `rating`.
    void WarnIfOverRating(const CUpdateContext& context, double value, double rating, const char* warning,
                          RatingRule rule = RATING_WITHIN) const;
    // The readings of a device come from its first branch.
    const CBranchResult* FirstResult() const {
        return m_branches.empty() ? nullptr : &m_branches.front()->m_result;
    }
    CDrawItem& Body() { return m_boardGroup.itemsB.front(); }
    // The kind's symbol place for the present orientation, and the symbol of
    // a picture laid there (nothing for no picture).
    const CSymbolPlace& SymbolPlace() const;
    std::optional<CSymbol> SymbolWith(const char* picture) const;
    // A number as board labels write it: 1000, 0.5, 1e+06.
    static std::string LabelNumber(double value);

  private:
    // Gives `copy` (a new device of this kind) this device's persisted
    // settings, through the same keys a file holds.
    void CopySettingsInto(CDevice& copy);
    void Turn(bool left);
    void RemoveStepButtons();
    void ShowStepButtons(CPanelControl& target);
    CPanelControl* HitControl(float x, float y, bool stepButtonsOnly) const;
    void PressStep(CStepButton& button);

    const CDeviceKind& m_kind;
    int m_panelItemCount = 0;
    int m_panelControlCount = 0;
    std::unique_ptr<CStepButton> m_stepDown, m_stepUp;
};

} // namespace ampera
