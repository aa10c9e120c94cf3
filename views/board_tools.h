// The main board's interaction tools: each a small object with one job
// (select, move, drag a rheostat slider, draw a wire, place a device from the
// device bar), and the filter that highlights a clicked wire. They run on the
// frame-loop thread, inside the board view's Tick.
#pragma once

#include "core/component.h"
#include "tool_controller.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ampera {

class CAppServices;
class CBoardView;
class CDevice;
class CExperiment;
class CSlideRheostat;

// Feedback colours (ARGB).
inline constexpr std::uint32_t kHotColour = 0xFFFF0000;  // node under the pointer, highlighted wire, outlines
inline constexpr std::uint32_t kNodeColour = 0xFF0000FF; // every other node
// Feedback items are tinted and marked submitted.
inline constexpr std::uint32_t kFeedbackFlags = DRAW_TINT | DRAW_SUBMITTED;

// Codes posted to the main window to ask for a cursor.
inline constexpr int kCursorMove = 4;
inline constexpr int kCursorOperable = 5;
inline constexpr int kCursorArrow = 6;

// What the board says when a locked experiment refuses an edit.
inline constexpr const char* kLockedHint = "实验已锁定：只能操作仪器的面板、开关和滑动变阻器。";

// Pixels within which a click or the pointer is "on" a node: strictly
// closer than this in x and in y.
inline constexpr int kNodeReach = 5;
// The select tool's node feedback is finer: strictly within 2.5 pixels.
inline constexpr float kNodeHoverReach = 2.5f;
// Moves a node's terminal point (its picture follows) and lets every wire
// ending on it follow: the wire's end point moves with the node and, unless
// the modifiers are exactly Shift, the bend next to that end moves too so the
// end segment stays horizontal or vertical as it was.
void MoveNode(CNode& node, int x, int y, int modifiers);

// Every wire's line items take the wire's own colour again.
void RestoreWireColours(const CExperiment& experiment);
// The wire's line items take `colour`.
void PaintWire(CWire& wire, std::uint32_t colour);
// The wire's line items follow its points, keeping their colours when the
// number of segments did not change.
void SyncWireLines(CWire& wire);

// Plug board helpers: whether a board holds an ammeter that is still on the
// board, and the link between the two undone from either side.
bool HoldsAmmeter(const CExperiment& experiment, const CDevice& board);
void Unplug(const CExperiment& experiment, CDevice& device);
// Drops a digital DC ammeter onto a free plug board near its first terminal
// (70 pixels left or right, 20 above or below the board's region). Returns
// whether it was plugged in.
bool SnapAmmeter(CExperiment& experiment, CDevice& ammeter, int modifiers);
// Moves a device by (dx, dy) pixels as a drag would: its terminal nodes and
// the wire ends on them follow, and it leaves a plug board it stood on.
void NudgeDevice(CExperiment& experiment, CDevice& device, int dx, int dy);

// A tool of the main board. Cancel drops a gesture in progress (the loop was
// stopped: the experiment may be replaced before the next event).
class CBoardToolBase : public CBoardTool {
  public:
    explicit CBoardToolBase(CBoardView& view) : m_view(view) {}
    virtual void Cancel() {}
    // Escape: also gives up what outlasts a gesture (a device being placed
    // goes back to the device bar).
    virtual void Abandon() {}
    // What the menu calls a step this tool made ("移动").
    virtual std::string StepName() const { return {}; }

  protected:
    CExperiment& Experiment() const;
    CAppServices* Services() const;
    // A gesture remembers objects of the board; New and Open free them all.
    // Stamp when the gesture starts, check before touching them again.
    void StampClears();
    bool ClearedSinceStamp() const;
    void RequestCursor(int code) const;
    // A locked experiment refuses the tool's edit: true, with the hint shown.
    bool RefusedByLock() const;
    // The first device (not node, not wire) whose hit test holds.
    CDevice* DeviceAt(int x, int y) const;

    CBoardView& m_view;

  private:
    std::uint64_t m_clearStamp = 0;
};

// The default tool: pointer feedback, clicks on the empty board and double
// clicks (selection, property window, operating switches).
class CSelectTool : public CBoardToolBase {
  public:
    using CBoardToolBase::CBoardToolBase;
    bool WantsEvent(const CBoardEvent&) override { return true; }
    void Begin(const CBoardEvent&) override {}
    bool Handle(const CBoardEvent& event) override;
    // The select tool changes the experiment only by operating a switch.
    std::string StepName() const override { return "操作开关"; }

  private:
    void Hover(const CBoardEvent& event);
    void ClickOnEmptyBoard();
    void DoubleClick(const CBoardEvent& event);
};

// Drags a device with its terminal nodes; attached wire ends follow.
class CMoveTool : public CBoardToolBase {
  public:
    using CBoardToolBase::CBoardToolBase;
    bool WantsEvent(const CBoardEvent& event) override;
    void Begin(const CBoardEvent& event) override;
    bool Handle(const CBoardEvent& event) override;
    void Cancel() override { m_device = nullptr; }
    std::string StepName() const override { return "移动"; }

  private:
    void MoveTo(const CBoardEvent& event);

    CDevice* m_device = nullptr;
    bool m_refused = false; // the lock refused this drag
    float m_grabX = 0, m_grabY = 0;
    float m_width = 0, m_height = 0;
    struct CNodeGrab {
        CNode* node;
        int dx, dy;
    };
    std::vector<CNodeGrab> m_nodes;
};

// Drags a slide rheostat's slider between its two stops.
class CSliderTool : public CBoardToolBase {
  public:
    using CBoardToolBase::CBoardToolBase;
    bool WantsEvent(const CBoardEvent& event) override;
    void Begin(const CBoardEvent& event) override;
    bool Handle(const CBoardEvent& event) override;
    void Cancel() override { m_rheostat = nullptr; }
    std::string StepName() const override { return "调节滑动变阻器"; }

  private:
    CSlideRheostat* m_rheostat = nullptr;
    float m_grabX = 0, m_grabY = 0;
};

// Draws a new wire from a node to another node, along horizontal and
// vertical segments unless Shift is held. The automatic bends keep off other
// terminals and other wires where a simple route allows (see ChooseBends).
class CWireTool : public CBoardToolBase {
  public:
    using CBoardToolBase::CBoardToolBase;
    bool WantsEvent(const CBoardEvent& event) override;
    void Begin(const CBoardEvent& event) override;
    bool Handle(const CBoardEvent& event) override;
    // Removes the unfinished wire.
    void Cancel() override;
    std::string StepName() const override { return "连线"; }

    const CWire* Drawing() const { return m_wire; }
    const CNode* Candidate() const { return m_candidate; }

  private:
    // The direction a segment keeps while its far end follows the pointer.
    enum Axis : unsigned char { AXIS_FREE, AXIS_HORIZONTAL, AXIS_VERTICAL };

    CNode* NodeNear(int x, int y, bool excludeStart) const;
    bool NearStart(int x, int y) const;
    void Route(int x, int y, bool shift);
    void MarkNodes(int x, int y);
    void AddBend(int x, int y, bool shift);
    void RouteTail(CPoint to, Axis lead, const CNode* end);
    void Finish(CNode& end, bool shift);
    void ClearMarks();
    void Reset();

    CNode* m_start = nullptr;
    CNode* m_candidate = nullptr;
    CWire* m_wire = nullptr;
    std::vector<Axis> m_axes; // one per segment of the wire
    // The last point that stays put while the pointer moves, and the axis
    // the rubber band leaves it along (free: it goes straight out instead).
    std::size_t m_anchor = 0;
    Axis m_lead = AXIS_FREE;
    bool m_justBegun = false; // the click that started the wire is still to come
};

// Places a copy of the device bar's pending device where the user clicks.
class CPlaceTool : public CBoardToolBase {
  public:
    using CBoardToolBase::CBoardToolBase;
    bool WantsEvent(const CBoardEvent&) override { return false; } // started by the device bar only
    void Begin(const CBoardEvent& event) override;
    bool Handle(const CBoardEvent& event) override;
    void Abandon() override;
    std::string StepName() const override { return "放置器材"; }

  private:
    void Follow(CComponent& pending, int x, int y);
    void Place(CComponent& pending, int x, int y);
    void CancelPlacement(CComponent& pending);
    void ReleaseBar() const;
};

// A left click on a wire turns it red and every other wire back to its own
// colour; the tools still get the click afterwards.
class CWireHighlightFilter : public CEventFilter {
  public:
    explicit CWireHighlightFilter(CBoardView& view) : m_view(view) {}
    bool Accepts(const CBoardEvent& event) override;
    void Handle(const CBoardEvent& event) override;

  private:
    CBoardView& m_view;
    CWire* m_hit = nullptr;
};

} // namespace ampera
