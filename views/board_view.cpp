#include "board_view.h"

#include "app_services.h"
#include "board_labels.h"
#include "board_tools.h"
#include "devices/device.h"
#include "devices/kind_registry.h"
#include "renderer.h"

#include "core/experiment.h"

#include <algorithm>

namespace ampera {

namespace {

constexpr int kHintMilliseconds = 4000;
// An empty hint clears the previous one; it need not stay long.
constexpr int kClearHintMilliseconds = 2000;

void PostHint(CExperiment& experiment, const char* text, int milliseconds) {
    if (INoticeSink* sink = experiment.NoticeSink())
        sink->PostNotice(CNotice{NOTICE_INFORMATION, milliseconds, 0, 0, 1, text});
}

} // namespace

void SelectObject(CExperiment& experiment, CComponent* object) {
    experiment.m_boardState.selection = object;
    const CDeviceKind* kind = object ? FindKind(object->TypeCode()) : nullptr;
    if (kind && kind->selectionHint)
        PostHint(experiment, kind->selectionHint, kHintMilliseconds);
    else
        PostHint(experiment, "", kClearHintMilliseconds);
}

void ShowPropertyWindowOf(CAppServices* services, CComponent* device) {
    if (!services || !device) return;
    const int group = PropertyGroupOf(device->TypeCode());
    auto show = [&](int index) {
        if (IPropertyWindow* window = services->GetPropertyWindow(index)) window->Show();
    };
    auto hide = [&](int index) {
        if (IPropertyWindow* window = services->GetPropertyWindow(index)) window->Hide();
    };
    // Windows 0, 1 and 3 act as one property bar: showing one hides the other
    // two. Window 2 (the screens) stands apart and is never hidden here.
    switch (group) {
    case GROUP_PASSIVE:
        show(0), hide(1), hide(3);
        break;
    case GROUP_PANEL:
        show(3), hide(0), hide(1);
        break;
    case GROUP_SCREEN:
        show(2);
        break;
    default:
        show(1), hide(0), hide(3);
        break;
    }
    services->PostToMain(group);
}

CBoardView::CBoardView(CExperiment& experiment, CAppServices* services)
    : m_experiment(experiment), m_services(services), m_recorder(experiment, m_history, services) {}

CBoardView::~CBoardView() = default;

void CBoardView::InstallBoardTools() {
    auto add = [this](auto tool) {
        CBoardToolBase* raw = tool.get();
        m_controller.AddTool(std::move(tool));
        m_boardTools.push_back(raw);
        return raw;
    };
    add(std::make_unique<CSliderTool>(*this));
    CBoardToolBase* place = add(std::make_unique<CPlaceTool>(*this));
    add(std::make_unique<CWireTool>(*this));
    add(std::make_unique<CMoveTool>(*this));
    CBoardToolBase* select = add(std::make_unique<CSelectTool>(*this));
    m_controller.SetDefaultTool(select);
    m_controller.AddFilter(std::make_unique<CWireHighlightFilter>(*this));

    // Placement starts whenever the device bar holds a pending device while
    // the board is idle; it ends when the place tool gives up.
    m_controller.SetPlacement(
        place,
        [this] {
            IDeviceWindow* bar = m_services ? m_services->GetDeviceWindow() : nullptr;
            // A locked experiment takes no new devices.
            if (!bar || m_experiment.m_locked) return false;
            m_experiment.m_boardState.pendingDevice = bar->PendingDevice();
            return m_experiment.m_boardState.pendingDevice != nullptr;
        },
        [this] { m_experiment.m_boardState.pendingDevice = nullptr; });
}

void CBoardView::Tick(long long time) {
    // In the symbol view events and commands wait for the real view.
    if (!m_experiment.m_realView) return;
    RunCommands(time);
    if (std::optional<CBoardEvent> event = m_mailboxes.TakeFirst()) DispatchEvent(*event, time);
}

void CBoardView::RunCommands(long long time) {
    std::vector<CQueued> commands = m_commands.TakeAll();
    if (commands.empty()) return;
    // A command ends a gesture in progress: the tools drop it (a wire being
    // drawn is removed) and what it changed so far is one step, so that
    // the command's own changes (and an undo) come after it.
    const bool ending = std::any_of(commands.begin(), commands.end(), [](const CQueued& queued) {
        return queued.command && (queued.record || queued.command->EndsGesture());
    });
    if (ending && m_recorder.GestureOpen()) {
        for (CBoardToolBase* tool : m_boardTools)
            tool->Cancel();
        m_controller.Reset();
        m_recorder.EndGesture(m_gestureTool ? m_gestureTool->StepName() : "", time);
        m_gestureTool = nullptr;
    }
    for (const CQueued& queued : commands) {
        if (!queued.command) continue;
        queued.command->Do();
        if (queued.record && queued.command->Changed()) m_history.Record(queued.command);
    }
}

void CBoardView::DispatchEvent(const CBoardEvent& event, long long time) {
    // A gesture begins with a button and ends when the board is back in its
    // default tool: one drag, one wire, one placement is one step.
    if (!m_recorder.GestureOpen() && event.kind != EVENT_MOVE) {
        m_recorder.BeginGesture();
        m_gestureTool = nullptr;
    }
    m_controller.Dispatch(event);
    if (!m_recorder.GestureOpen()) return;
    if (!m_controller.InDefaultTool()) {
        for (CBoardToolBase* tool : m_boardTools)
            if (tool == m_controller.CurrentTool()) m_gestureTool = tool;
        return;
    }
    if (m_controller.Placing()) return;
    CBoardToolBase* named = m_gestureTool;
    if (!named)
        for (CBoardToolBase* tool : m_boardTools)
            if (tool == m_controller.DefaultTool()) named = tool;
    m_recorder.EndGesture(named ? named->StepName() : "", time);
    m_gestureTool = nullptr;
}

void CBoardView::RequestCursor(int code) {
    if (code == m_cursor || !m_services) return;
    m_cursor = code;
    m_services->PostToMain(code);
}

void CBoardView::ClearInput() {
    m_mailboxes.Clear();
    m_cursor = -1;
    for (CBoardToolBase* tool : m_boardTools)
        tool->Cancel();
    // The loop stopped: whatever comes next (a save, a new experiment) is
    // no part of a gesture.
    m_recorder.DropGesture();
    m_gestureTool = nullptr;
}

void CBoardView::CancelGesture(long long time) {
    for (CBoardToolBase* tool : m_boardTools) {
        tool->Cancel();
        tool->Abandon();
    }
    m_controller.Reset();
    // A drag given up stays where it got to, as one step.
    m_recorder.EndGesture(m_gestureTool ? m_gestureTool->StepName() : "", time);
    m_gestureTool = nullptr;
}

void CBoardView::Nudge(int dx, int dy, long long time) {
    auto* device = dynamic_cast<CDevice*>(m_experiment.m_boardState.selection);
    if (!device || !m_experiment.Contains(device) || m_recorder.GestureOpen() || m_experiment.m_locked) return;
    const std::string key = "nudge:" + std::to_string(device->CreationOrder());
    m_recorder.Record("移动", key, time, MoveScope(*device), [&] { NudgeDevice(m_experiment, *device, dx, dy); });
    m_experiment.m_boardState.outlines = {{device->m_region[0], device->m_region[1], device->m_region[2],
                                           device->m_region[3]}};
}

void CBoardView::Paint(long long time) {
    if (!m_renderer) return;
    const bool real = m_experiment.m_realView != 0;
    m_renderer->SetClearColour(real ? m_background.load() : kSymbolClearColour);
    if (!m_renderer->BeginFrame(time)) return;
    if (real)
        PaintBoard();
    else
        m_schematic.Paint(*m_renderer, m_experiment);
    m_renderer->EndFrame(time);
    m_renderer->Present();
}

void CBoardView::PaintBoard() {
    for (CComponent* object : m_experiment.AllObjects())
        m_renderer->DrawGroup(object->m_boardGroup);
    if (m_experiment.m_showNames) PaintLabels();
    if (CComponent* pending = m_experiment.m_boardState.pendingDevice)
        m_renderer->DrawGroup(pending->m_boardGroup);
    PaintOutlines();
}

void CBoardView::PaintLabels() {
    for (CComponent* device : m_experiment.Devices())
        if (std::optional<CBoardLabel> label = BoardLabelOf(*device))
            m_renderer->AddLabel(label->text, label->x, label->y);
}

void CBoardView::PaintOutlines() {
    if (m_experiment.m_boardState.outlines.empty()) return;
    std::vector<CDrawItem>& lines = m_outlineGroup.itemsB;
    lines.resize(m_experiment.m_boardState.outlines.size() * 4);
    std::size_t k = 0;
    for (const CRectF& r : m_experiment.m_boardState.outlines) {
        const float corners[5][2] = {
            {r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}, {r.left, r.top}};
        for (int side = 0; side < 4; ++side) {
            CDrawItem& line = lines[k++];
            line.flags = DRAW_LINE | kFeedbackFlags;
            line.colour = kHotColour;
            line.SetRect(corners[side][0], corners[side][1], corners[side + 1][0], corners[side + 1][1]);
        }
    }
    m_renderer->DrawGroup(m_outlineGroup);
}

} // namespace ampera
