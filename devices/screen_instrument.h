// An instrument with a screen: what its window and the command line ask of
// it beyond the panel itself — the measurements of each channel, the cursors
// dragged on the screen, and the traces as numbers. A device offers it
// through CDevice::Screen(); everything here is called on the thread that
// owns the experiment.
#pragma once

#include "panel_control.h"
#include "scope_measurements.h"

#include <string>
#include <utility>
#include <vector>

namespace ampera {

// The measurements and cursor readings as texts ready to show: one row of
// values per shown channel under the quantities' names, then each cursor
// difference with its name.
struct CScreenReport {
    std::vector<std::string> quantities;
    struct Row {
        std::string channel;
        std::vector<std::string> values;
        bool operator==(const Row&) const = default;
    };
    std::vector<Row> channels;
    std::vector<std::pair<std::string, std::string>> cursors;
    bool operator==(const CScreenReport&) const = default;
};

class CScreenInstrument {
  public:
    virtual ~CScreenInstrument() = default;

    // The screen's rectangle on the front panel, in panel coordinates.
    virtual CPanelRect ScreenRect() const = 0;
    virtual int ChannelCount() const = 0;
    // Whether the screen shows the channel's trace now (the mode decides).
    virtual bool ChannelShown(int channel) const = 0;
    // The channel as the last update drew it; not measured while dark.
    virtual CChannelMeasurements Measure(int channel) const = 0;
    // The shown channels' measurements, then the cursor differences while
    // the cursors are shown.
    virtual CScreenReport Report() const = 0;
    // The traces of the last update as CSV (time in seconds, then each shown
    // channel in volts, one row per sample drawn); empty while dark.
    virtual std::string TraceCsv() const = 0;

    virtual const CScopeCursors& Cursors() const = 0;
    virtual void SetCursorsShown(bool shown) = 0;
    virtual void SetCursorChannel(int channel) = 0;
    // A press at (x, y) in panel coordinates: true when it took a cursor,
    // which then follows DragCursor until ReleaseCursor.
    virtual bool GrabCursor(float x, float y) = 0;
    virtual void DragCursor(float x, float y) = 0;
    virtual void ReleaseCursor() = 0;
};

} // namespace ampera
