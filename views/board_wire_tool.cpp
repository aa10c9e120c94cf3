// Drawing a wire: press near a node, move (the rubber band follows the
// pointer along horizontal and vertical segments), click to fix bends, click
// on another node to finish, press the right button to give up.
#include "board_tools.h"

#include "board_view.h"

#include "core/experiment.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace ampera {

namespace {
// From this angle above the horizontal on, the rubber band goes vertical.
constexpr double kSteep = 0.7853981;

bool Within(CPoint node, int x, int y) {
    return std::abs(x - node.x) < kNodeReach && std::abs(y - node.y) < kNodeReach;
}
} // namespace

bool CWireTool::WantsEvent(const CBoardEvent& event) {
    if (event.kind != EVENT_LEFT_DOWN) return false;
    m_start = NodeNear(event.x, event.y, false);
    if (!m_start) return false;
    RequestCursor(kCursorOperable);
    return true;
}

void CWireTool::Begin(const CBoardEvent&) {
    if (!m_start) return;
    StampClears();
    m_wire = new CWire();
    m_wire->m_colour = m_view.WireColour();
    const CPoint start = m_start->Position();
    m_wire->m_points = {start, start};
    m_wire->RebuildLines();
    m_axes = {AXIS_FREE};
    // On the board (drawn every frame) but joined to nothing until finished.
    Experiment().AddObject(m_wire, false);
    m_start->m_wiringMark = 1;
    m_candidate = nullptr;
    m_justBegun = true;
}

bool CWireTool::Handle(const CBoardEvent& event) {
    if (m_wire && ClearedSinceStamp()) Reset(); // the wire went with the experiment
    if (!m_wire) return false;
    const bool shift = event.ShiftOnly();
    switch (event.kind) {
    case EVENT_RIGHT_DOWN:
        Cancel();
        return false;
    case EVENT_MOVE:
        Route(event.x, event.y, shift);
        MarkNodes(event.x, event.y);
        return true;
    case EVENT_LEFT_DOWN:
    case EVENT_DOUBLE_CLICK: { // a quick second click arrives as a double click
        if (m_justBegun && event.kind == EVENT_LEFT_DOWN) {
            m_justBegun = false; // the press that started the wire
            return true;
        }
        m_justBegun = false;
        // The node under the click itself, not only the one the last move
        // found: a click may be taken before the move that led to it.
        if (CNode* end = NodeNear(event.x, event.y, true)) {
            Finish(*end, shift);
            return false;
        }
        if (NearStart(event.x, event.y)) return true; // a wire never ends where it starts
        AddBend(event.x, event.y, shift);
        return true;
    }
    default:
        return true;
    }
}

CNode* CWireTool::NodeNear(int x, int y, bool excludeStart) const {
    CNode* best = nullptr;
    int bestDistance = std::numeric_limits<int>::max();
    for (CComponent* object : Experiment().Nodes()) {
        auto* node = static_cast<CNode*>(object);
        if (excludeStart && node == m_start) continue;
        if (!Within(node->Position(), x, y)) continue;
        const int distance = std::abs(x - node->m_x) + std::abs(y - node->m_y);
        if (distance < bestDistance) best = node, bestDistance = distance;
    }
    return best;
}

bool CWireTool::NearStart(int x, int y) const {
    return m_start && Within(m_start->Position(), x, y);
}

// The last two points follow the pointer. With only the start fixed, the end
// goes straight out horizontally or vertically, whichever is closer to the
// pointer's direction. Once bends exist, the last bend slides along the
// segment that leads into it and the end sits on the pointer, giving an L.
void CWireTool::Route(int x, int y, bool shift) {
    std::vector<CPoint>& points = m_wire->m_points;
    const std::size_t n = points.size();
    const std::size_t last = n - 1, bend = n - 2;
    if (shift) {
        points[last] = {x, y};
        m_axes[bend] = AXIS_FREE;
    } else if (n >= 3 && m_axes[n - 3] != AXIS_FREE) {
        const CPoint before = points[n - 3];
        if (m_axes[n - 3] == AXIS_VERTICAL) {
            points[bend] = {before.x, y};
            m_axes[bend] = AXIS_HORIZONTAL;
        } else {
            points[bend] = {x, before.y};
            m_axes[bend] = AXIS_VERTICAL;
        }
        points[last] = {x, y};
    } else {
        const CPoint from = points[bend];
        const double dx = std::abs(x - from.x), dy = std::abs(y - from.y);
        if (std::atan2(dy, dx) >= kSteep) {
            points[last] = {from.x, y};
            m_axes[bend] = AXIS_VERTICAL;
        } else {
            points[last] = {x, from.y};
            m_axes[bend] = AXIS_HORIZONTAL;
        }
    }
    SyncWireLines(*m_wire);
}

void CWireTool::MarkNodes(int x, int y) {
    m_candidate = NodeNear(x, y, true);
    for (CComponent* object : Experiment().Nodes()) {
        auto* node = static_cast<CNode*>(object);
        const bool hot = node != m_start && Within(node->Position(), x, y);
        if (node->m_boardGroup.itemsB.empty()) continue;
        CDrawItem& picture = node->m_boardGroup.itemsB.front();
        picture.colour = hot ? kHotColour : kNodeColour;
        picture.flags |= kFeedbackFlags;
    }
    if (m_candidate) RequestCursor(kCursorOperable);
}

void CWireTool::AddBend(int x, int y, bool shift) {
    Route(x, y, shift);
    m_wire->m_points.push_back({x, y});
    m_axes.push_back(AXIS_FREE); // set by the next move
    SyncWireLines(*m_wire);
}

void CWireTool::Finish(CNode& end, bool shift) {
    std::vector<CPoint>& points = m_wire->m_points;
    const CPoint target = end.Position();
    const std::size_t n = points.size();
    if (shift) {
        points.back() = target;
    } else if (n >= 3 && m_axes[n - 3] != AXIS_FREE) {
        // The last bend slides along its incoming segment to line up with
        // the target.
        const CPoint before = points[n - 3];
        points[n - 2] =
            m_axes[n - 3] == AXIS_VERTICAL ? CPoint{before.x, target.y} : CPoint{target.x, before.y};
        points.back() = target;
    } else {
        // From the last fixed point: one more bend unless already in line,
        // turning the way the rubber band went.
        const CPoint from = points[n - 2];
        if (from.x != target.x && from.y != target.y) {
            const CPoint corner =
                m_axes[n - 2] == AXIS_VERTICAL ? CPoint{from.x, target.y} : CPoint{target.x, from.y};
            points.insert(points.end() - 1, corner);
        }
        points.back() = target;
    }
    // Bends that ended up on top of each other add nothing.
    std::vector<CPoint> route;
    for (const CPoint& p : points)
        if (route.empty() || !(route.back() == p)) route.push_back(p);
    if (route.size() < 2) route.push_back(route.back());
    points = std::move(route);

    m_wire->m_nodeA = m_start;
    m_wire->m_nodeB = &end;
    m_start->m_attached.push_back(m_wire);
    end.m_attached.push_back(m_wire);
    m_wire->RebuildLines();
    Experiment().MarkTopologyDirty();
    ClearMarks();
    Reset();
}

void CWireTool::Cancel() {
    if (m_wire && !ClearedSinceStamp()) {
        CExperiment& experiment = Experiment();
        // Off the board means a command took it (delete all keeps it for
        // undo); only a wire still on the board is this tool's to free.
        if (experiment.Contains(m_wire)) {
            experiment.RemoveObject(m_wire);
            delete m_wire;
        }
        ClearMarks();
    }
    Reset();
}

void CWireTool::ClearMarks() {
    for (CComponent* object : Experiment().Nodes()) {
        auto* node = static_cast<CNode*>(object);
        node->m_wiringMark = 0;
        if (node->m_boardGroup.itemsB.empty()) continue;
        CDrawItem& picture = node->m_boardGroup.itemsB.front();
        if (picture.flags & DRAW_TINT) picture.colour = kNodeColour;
    }
}

void CWireTool::Reset() {
    m_wire = nullptr;
    m_start = nullptr;
    m_candidate = nullptr;
    m_axes.clear();
    m_justBegun = false;
}

} // namespace ampera
