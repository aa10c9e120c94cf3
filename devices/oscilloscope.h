// Two-channel oscilloscope: each powered channel loads its pair of
// terminals (0-1 and 2-3) with the input resistance, and the screen on the
// front panel shows the voltage across each pair, redrawn from the solve's
// published description at every update.
#pragma once

#include "device.h"
#include "oscilloscope_trace.h"
#include "panel_control.h"
#include "screen_instrument.h"

#include <optional>

#include <vector>

namespace ampera {

enum ScopeMode : int { SCOPE_CHANNEL_1 = 0, SCOPE_CHANNEL_2 = 1, SCOPE_BOTH = 2, SCOPE_XY = 3 };

class COscilloscope : public CDevice, public CScreenInstrument {
  public:
    void Persist(CKeyDoc& doc, bool loading, const std::string& prefix) override;
    static const CDeviceKind kKind;
    COscilloscope();
    void FillPropertyPage(CPropertyPage& page) override;
    const char* RestingFace(std::size_t control) const override;
    // An instrument of the report with no single number to read.
    std::optional<CInstrumentReading> ReportReading() const override { return CInstrumentReading{}; }

    bool IsPowered() const { return m_power.IsOn(); }
    void BuildBranches(CTopologyBuilder& b) override {
        if (!IsPowered()) return;
        b.Between(b.Terminal(0), b.Terminal(1), BRANCH_RESISTOR, m_internalResistance);
        b.Between(b.Terminal(2), b.Terminal(3), BRANCH_RESISTOR, m_internalResistance);
    }
    void Update(const CUpdateContext& context) override;

    // The strokes on the screen after the last update, in the order drawn,
    // in screen pixels (x right, y up from the screen's bottom edge; the
    // screen is 320 x 256 and the samples run from x 0 to 440), each point
    // carrying its trace colour. Empty while the power is off.
    const std::vector<CPolyline>& Polylines() const { return m_polylines; }
    // The traces in screen pixels (y downwards from the screen's top edge).
    std::vector<Polyline> Traces() const override;
    bool HasScreen() const override { return true; }
    using CDevice::Screen;
    CScreenInstrument* Screen() override { return this; }
    // Channel 0 or 1 as the last update read it (coupling applied).
    const CScopeChannel& Channel(int channel) const { return m_channels[channel == 0 ? 0 : 1]; }
    // The settings as the panel gives them now.
    double VoltsPerDivision(int channel) const;
    double SecondsPerDivision() const;
    double ZeroLevel(int channel) const;
    int Mode() const { return m_mode.m_state; }
    // The x of time zero used by the last update (it shimmers by 0.35 pixel).
    double HorizontalReference() const { return m_xReference; }

    // CScreenInstrument.
    CPanelRect ScreenRect() const override {
        return {0, 0, static_cast<float>(kScreenWidth), static_cast<float>(kScreenHeight)};
    }
    int ChannelCount() const override { return 2; }
    bool ChannelShown(int channel) const override;
    CChannelMeasurements Measure(int channel) const override;
    CScreenReport Report() const override;
    std::string TraceCsv() const override;
    const CScopeCursors& Cursors() const override { return m_cursors; }
    void SetCursorsShown(bool shown) override;
    void SetCursorChannel(int channel) override;
    bool GrabCursor(float x, float y) override;
    void DragCursor(float x, float y) override;
    void ReleaseCursor() override { m_grab.reset(); }
    // The channel the voltage cursors read now: the one drawn in a
    // one-channel mode, channel 2 (the vertical one) in X-Y mode, the one
    // they are set on while both are drawn.
    int CursorChannel() const;

    // Panel pictures that no control drives.
    static constexpr int kPanelPictureItem = 0;
    static constexpr int kScreenItem = 1;
    static constexpr int kZeroMarkerItem[2] = {19, 20};

    // In panel order (item indices 2, 4, ..., 12, then the mode slide at 14).
    CKnob m_y1Position, m_y2Position;
    CKnob m_y1Gain, m_y2Gain;
    CKnob m_xPosition;
    CKnob m_timeBase;
    CModeSwitch m_mode;
    CPanelButton m_times5;
    CPanelButton m_power;
    CCouplingSwitch m_coupling1, m_coupling2;

  protected:
    void OnPushButton(CPanelButton& button) override { Toggle(button); }

  private:
    void ReadChannels();
    void ShowZeroMarkers(bool shown);
    // The cursor lines over the traces (none while dark or hidden).
    void DrawCursors();

    CScopeChannel m_channels[2];
    std::vector<CPolyline> m_polylines;
    double m_xReference = kScreenCentreX;
    bool m_shimmerUp = false; // the time reference sits 0.35 pixel right on every other update
    // The cursors live for the run: no key saves them.
    CScopeCursors m_cursors;
    std::optional<CCursorGrab> m_grab;
};

} // namespace ampera
