#include "panel_view.h"

#include "board_edits.h"
#include "devices/device.h"
#include "renderer.h"

#include <memory>
#include <optional>
#include <string>

namespace ampera {

namespace {

void Tint(CDrawItem& item, std::uint32_t colour) {
    item.colour = colour;
    item.flags |= DRAW_TINT | DRAW_SUBMITTED;
}

CPanelControl* ControlAt(CDevice& device, float x, float y, bool stepButtonsOnly) {
    for (CPanelControl* control : device.m_controls) {
        if (stepButtonsOnly && control->Kind() != CONTROL_STEP_BUTTON) continue;
        if (control->HitTest(x, y)) return control;
    }
    return nullptr;
}

// The default tool: the control under the pointer lights up green and its
// label shows beside it for a while; every other control stays white.
class CHoverTool final : public CBoardTool {
  public:
    explicit CHoverTool(CPanelView& view) : m_view(view) {}

    bool WantsEvent(const CBoardEvent&) override { return false; }
    void Begin(const CBoardEvent&) override {}
    bool Handle(const CBoardEvent& event) override {
        if (event.kind != EVENT_MOVE) return true;
        CDevice* device = m_view.Device();
        if (!device) return true;
        const float x = static_cast<float>(event.x), y = static_cast<float>(event.y);
        CPanelControl* hover = ControlAt(*device, x, y, false);
        // Only one control is lit at a time: the one under the pointer.
        for (CPanelControl* control : device->m_controls)
            if (control != hover)
                if (CDrawItem* item = control->Item(device->m_panelGroup))
                    Tint(*item, CPanelView::kRestColour);
        if (!hover) return true;
        if (CDrawItem* item = hover->Item(device->m_panelGroup)) Tint(*item, CPanelView::kHoverColour);
        if (CRenderer* renderer = m_view.Renderer()) {
            const CPanelRect r = hover->GetRect();
            renderer->PostNotice(CNotice{NOTICE_INFORMATION, CPanelView::kLabelMilliseconds,
                                         static_cast<int>(r.left), static_cast<int>(r.bottom - 10), 1,
                                         hover->m_label});
        }
        return true;
    }

  private:
    CPanelView& m_view;
};

// A press on a screen instrument's cursor line drags that cursor until the
// button comes up; the line stays inside the screen.
class CCursorDragTool final : public CBoardTool {
  public:
    explicit CCursorDragTool(CPanelView& view) : m_view(view) {}

    bool WantsEvent(const CBoardEvent& event) override {
        if (event.kind != EVENT_LEFT_DOWN) return false;
        CScreenInstrument* screen = Screen();
        return screen && screen->GrabCursor(static_cast<float>(event.x), static_cast<float>(event.y));
    }
    void Begin(const CBoardEvent&) override {}
    bool Handle(const CBoardEvent& event) override {
        CScreenInstrument* screen = Screen();
        if (!screen) return false;
        switch (event.kind) {
        case EVENT_LEFT_DOWN:
            return true; // the press that took the cursor
        case EVENT_MOVE:
            screen->DragCursor(static_cast<float>(event.x), static_cast<float>(event.y));
            return true;
        default:
            screen->ReleaseCursor();
            return false;
        }
    }

  private:
    CScreenInstrument* Screen() const {
        CDevice* device = m_view.Device();
        return device ? device->Screen() : nullptr;
    }
    CPanelView& m_view;
};

// Clicks on the panel go to the device: a left down anywhere (on a control
// it works the control; elsewhere it takes the step buttons away), a left
// up or a double click on one of the two step buttons.
class CPanelClickFilter final : public CEventFilter {
  public:
    explicit CPanelClickFilter(CPanelView& view) : m_view(view) {}

    bool Accepts(const CBoardEvent& event) override {
        CDevice* device = m_view.Device();
        if (!device) return false;
        const float x = static_cast<float>(event.x), y = static_cast<float>(event.y);
        switch (event.kind) {
        case EVENT_LEFT_DOWN:
            return true;
        case EVENT_LEFT_UP:
        case EVENT_DOUBLE_CLICK:
            return ControlAt(*device, x, y, true) != nullptr;
        default:
            return false;
        }
    }

    void Handle(const CBoardEvent& event) override {
        CDevice* device = m_view.Device();
        if (!device) return;
        const float x = static_cast<float>(event.x), y = static_cast<float>(event.y);
        switch (event.kind) {
        case EVENT_LEFT_DOWN:
            if (!ControlAt(*device, x, y, false)) Unclicked(*device);
            // With no control hit, the device only takes its step buttons away.
            device->PanelButtonDown(x, y);
            break;
        case EVENT_LEFT_UP:
            device->PanelButtonUp(x, y);
            break;
        case EVENT_DOUBLE_CLICK:
            device->PanelDoubleClick(x, y);
            break;
        default:
            break;
        }
    }

  private:
    // Controls whose face changes while clicked (the oscilloscope's two
    // position knobs) show their resting face again.
    static void Unclicked(CDevice& device) {
        for (std::size_t i = 0; i < device.m_controls.size(); ++i) {
            const char* face = device.RestingFace(i);
            if (!face) continue;
            if (CDrawItem* item = device.m_controls[i]->Item(device.m_panelGroup)) {
                item->texture = face;
                Tint(*item, CPanelView::kRestColour);
                item->Redraw();
            }
        }
    }

    CPanelView& m_view;
};

} // namespace

CPanelView::CPanelView() {
    m_controller.AddTool(std::make_unique<CCursorDragTool>(*this));
    CBoardTool* hover = m_controller.AddTool(std::make_unique<CHoverTool>(*this));
    m_controller.SetDefaultTool(hover);
    m_controller.AddFilter(std::make_unique<CPanelClickFilter>(*this));
}

CPanelView::~CPanelView() = default;

void CPanelView::AdoptDevice() {
    CComponent* pending = m_pendingDevice.load();
    if (pending == m_adopted) return;
    m_adopted = pending;
    m_device = dynamic_cast<CDevice*>(pending);
}

void CPanelView::Tick(long long time) {
    AdoptDevice();
    std::optional<CBoardEvent> event = m_mailboxes.TakeFirst();
    if (!event) return;
    if (!m_recorder || !m_device || event->kind == EVENT_MOVE) {
        m_controller.Dispatch(*event);
        return;
    }
    // Each click is a step of its own; clicks on one control within a
    // moment (a knob stepped again and again) make one step.
    const float x = static_cast<float>(event->x), y = static_cast<float>(event->y);
    CPanelControl* hit = ControlAt(*m_device, x, y, false);
    std::size_t index = m_device->m_controls.size();
    for (std::size_t i = 0; i < m_device->m_controls.size(); ++i)
        if (m_device->m_controls[i] == hit) index = i;
    const std::string key = "panel:" + std::to_string(m_device->CreationOrder()) + ":" + std::to_string(index);
    m_recorder->Record("面板操作", key, time, {m_device}, [&] { m_controller.Dispatch(*event); });
}

void CPanelView::Paint(long long time) {
    AdoptDevice();
    // A hidden window's page is neither drawn nor read: it costs the loop
    // nothing while the bench rests.
    if (!m_visible.load()) return;
    // The report is read whether or not a frame can be drawn.
    PublishReport();
    CRenderer* renderer = m_renderer.load();
    if (!renderer || !renderer->BeginFrame(time)) return;
    if (m_device) renderer->DrawGroup(m_device->m_panelGroup);
    renderer->EndFrame(time);
    renderer->Present();
}

void CPanelView::PublishReport() {
    const CScreenInstrument* screen = m_device ? m_device->Screen() : nullptr;
    CScreenReport report = screen ? screen->Report() : CScreenReport{};
    std::lock_guard lock(m_reportMutex);
    if (report == m_report) return;
    m_report = std::move(report);
    ++m_reportSerial;
}

CScreenReport CPanelView::Report() const {
    std::lock_guard lock(m_reportMutex);
    return m_report;
}

} // namespace ampera
