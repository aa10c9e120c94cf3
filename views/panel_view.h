// The panel page of a property window: the device's front panel drawn large
// and worked with the mouse. It is a view of the board view's kind (mouse
// mailboxes, a tool controller, Tick and Paint on the frame loop) with its
// own renderer, made for the page window.
//
// Threads: Deposit, SetDevice and SetVisible are called on the user-interface
// thread; Tick, Paint and ClearInput run on the frame-loop thread. The device
// handed over by SetDevice is taken by the loop at the start of a Tick or
// Paint, so it never changes in the middle of handling an event or drawing.
#pragma once

#include "board_event.h"
#include "devices/screen_instrument.h"
#include "frame_loop.h"
#include "tool_controller.h"

#include <atomic>
#include <cstdint>
#include <mutex>

namespace ampera {

class CComponent;
class CDevice;
class CEditRecorder;
class CRenderer;

class CPanelView : public IFrameView {
  public:
    // Colours of a control's picture under the pointer and of the others (ARGB).
    static constexpr std::uint32_t kHoverColour = 0xFF00FF00;
    static constexpr std::uint32_t kRestColour = 0xFFFFFFFF;
    // How long a control's label stays up, in milliseconds.
    static constexpr int kLabelMilliseconds = 2000;
    // Installs the hover tool (the default) and the panel-click filter.
    CPanelView();
    ~CPanelView() override;

    // Set before the view is registered with the frame loop.
    void SetRenderer(CRenderer* renderer) { m_renderer.store(renderer); }
    CRenderer* Renderer() const { return m_renderer.load(); }

    // User-interface thread.
    void Deposit(const CBoardEvent& event) { m_mailboxes.Deposit(event); }
    // The device whose panel the page shows (null: none). Objects that are
    // no devices show nothing.
    void SetDevice(CComponent* device) { m_pendingDevice.store(device); }
    CComponent* PendingDevice() const { return m_pendingDevice.load(); }
    // Where the panel's operations are recorded as undo steps (null: not
    // recorded). Set before the view is registered with the frame loop.
    void SetRecorder(CEditRecorder* recorder) { m_recorder = recorder; }
    // Whether the window is visible: the panel is drawn only then.
    void SetVisible(bool visible) { m_visible.store(visible); }
    bool Visible() const { return m_visible.load(); }

    // What the device's screen reported at the last frame painted while the
    // window was visible (empty for a device without a screen), and a number
    // that changes whenever it does; any thread.
    CScreenReport Report() const;
    std::uint64_t ReportSerial() const { return m_reportSerial.load(); }

    // Frame-loop thread.
    void Tick(long long time) override;
    void Paint(long long time) override;
    void ClearInput() override { m_mailboxes.Clear(); }
    // The device the loop works with now (taken from SetDevice).
    CDevice* Device() const { return m_device; }
    CToolController& Controller() { return m_controller; }

  private:
    // Takes the device handed over by SetDevice.
    void AdoptDevice();
    void PublishReport();

    std::atomic<CRenderer*> m_renderer{nullptr};
    std::atomic<CComponent*> m_pendingDevice{nullptr};
    std::atomic<bool> m_visible{false};
    CBoardMailboxes m_mailboxes;
    CToolController m_controller;
    CEditRecorder* m_recorder = nullptr;
    CComponent* m_adopted = nullptr; // the object m_device was made from
    CDevice* m_device = nullptr;
    mutable std::mutex m_reportMutex;
    CScreenReport m_report;
    std::atomic<std::uint64_t> m_reportSerial{0};
};

} // namespace ampera
