// The small state machine of interaction tools behind a board-like view: the
// current tool, the default tool, the tools in priority order and the event
// filters. The main board adds its placement tool, started by the device bar.
#pragma once

#include "board_event.h"

#include <functional>
#include <memory>
#include <vector>

namespace ampera {

class CBoardTool {
  public:
    virtual ~CBoardTool() = default;
    // Whether the tool wants to take over with this (non-move) event.
    virtual bool WantsEvent(const CBoardEvent& event) = 0;
    virtual void Begin(const CBoardEvent& event) = 0;
    // True: the tool stays current.
    virtual bool Handle(const CBoardEvent& event) = 0;
};

class CEventFilter {
  public:
    virtual ~CEventFilter() = default;
    virtual bool Accepts(const CBoardEvent& event) = 0;
    virtual void Handle(const CBoardEvent& event) = 0;
};

class CToolController {
  public:
    // Tools in priority order; the default tool is added like any other
    // (usually last) and named with SetDefaultTool.
    CBoardTool* AddTool(std::unique_ptr<CBoardTool> tool);
    void SetDefaultTool(CBoardTool* tool);
    CEventFilter* AddFilter(std::unique_ptr<CEventFilter> filter);

    // The main board's placement: `placeTool` (one of the added tools, it
    // never volunteers) starts when `takePending` hands over a pending
    // device, and `endPlacement` runs when placement is over.
    void SetPlacement(CBoardTool* placeTool, std::function<bool()> takePending,
                      std::function<void()> endPlacement);

    void Dispatch(const CBoardEvent& event);
    // Back to the default tool at once (the tools were told to give up);
    // a placement in progress ends.
    void Reset();

    CBoardTool* CurrentTool() const { return m_current; }
    CBoardTool* DefaultTool() const { return m_default; }
    bool InDefaultTool() const { return m_current == m_default; }
    bool Placing() const { return m_placing; }

  private:
    std::vector<std::unique_ptr<CBoardTool>> m_tools;
    std::vector<std::unique_ptr<CEventFilter>> m_filters;
    CBoardTool* m_current = nullptr;
    CBoardTool* m_default = nullptr;
    CBoardTool* m_placeTool = nullptr;
    std::function<bool()> m_takePending;
    std::function<void()> m_endPlacement;
    bool m_placing = false;
};

} // namespace ampera
