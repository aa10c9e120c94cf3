#include "tool_controller.h"

namespace ampera {

CBoardTool* CToolController::AddTool(std::unique_ptr<CBoardTool> tool) {
    CBoardTool* raw = tool.get();
    if (raw) m_tools.push_back(std::move(tool));
    return raw;
}

void CToolController::SetDefaultTool(CBoardTool* tool) {
    // A controller that was idle (or still on its old default) rests on the
    // new default at once.
    if (!m_current || m_current == m_default) m_current = tool;
    m_default = tool;
}

CEventFilter* CToolController::AddFilter(std::unique_ptr<CEventFilter> filter) {
    CEventFilter* raw = filter.get();
    if (raw) m_filters.push_back(std::move(filter));
    return raw;
}

void CToolController::SetPlacement(CBoardTool* placeTool, std::function<bool()> takePending,
                                   std::function<void()> endPlacement) {
    m_placeTool = placeTool;
    m_takePending = std::move(takePending);
    m_endPlacement = std::move(endPlacement);
}

void CToolController::Reset() {
    m_current = m_default;
    if (m_placing) {
        m_placing = false;
        if (m_endPlacement) m_endPlacement();
    }
}

void CToolController::Dispatch(const CBoardEvent& event) {
    // An idle board picks up a device chosen in the device bar: the place
    // tool takes over until the device is placed or placement is cancelled.
    if (m_placeTool && !m_placing && InDefaultTool() && m_takePending && m_takePending()) {
        m_current = m_placeTool;
        m_current->Begin(event);
        m_placing = true;
    }

    auto backToDefault = [&] {
        m_current = m_default;
        if (m_current) m_current->Begin(event);
    };

    if (event.kind == EVENT_MOVE) {
        // A tool that gives up on a move hands the board back like on any
        // other event; the default tool itself simply stays.
        if (m_current && !m_current->Handle(event) && m_current != m_default) backToDefault();
    } else if (InDefaultTool()) {
        for (const auto& filter : m_filters) {
            if (filter->Accepts(event)) {
                filter->Handle(event);
                break;
            }
        }
        for (const auto& tool : m_tools) {
            if (!tool->WantsEvent(event)) continue;
            CBoardTool* taker = tool.get();
            if (taker != m_default) m_current = taker;
            taker->Begin(event);
            if (!taker->Handle(event) && taker != m_default) backToDefault();
            break;
        }
    } else if (m_current && !m_current->Handle(event)) {
        backToDefault();
    }

    if (m_placing && m_current != m_placeTool) {
        m_placing = false;
        if (m_endPlacement) m_endPlacement();
    }
}

} // namespace ampera
