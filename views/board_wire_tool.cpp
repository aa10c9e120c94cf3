// Drawing a wire: press near a node, move (the rubber band follows the
// pointer along horizontal and vertical segments), click to fix bends, click
// on another node to finish, press the right button to give up.
#include "board_tools.h"

#include "board_view.h"
#include "wire_route.h"

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

// What the automatic bends keep off: every terminal but the two the wire
// joins, every other wire, and the first `fixed` segments of this one (a
// route folding back over them would hide them).
CRouteObstacles ObstaclesFor(const CExperiment& experiment, const CWire& drawing, std::size_t fixed,
                             const CNode* start, const CNode* end) {
    CRouteObstacles obstacles;
    obstacles.reach = kNodeReach;
    for (CComponent* object : experiment.Nodes())
        if (object != start && object != end)
            obstacles.terminals.push_back(static_cast<const CNode*>(object)->Position());
    const auto addSegments = [&](const std::vector<CPoint>& points, std::size_t count) {
        for (std::size_t i = 0; i < count && i + 1 < points.size(); ++i)
            obstacles.segments.push_back({points[i], points[i + 1]});
    };
    for (CComponent* object : experiment.Wires())
        if (object != &drawing) {
            const std::vector<CPoint>& points = static_cast<const CWire*>(object)->m_points;
            addSegments(points, points.size());
        }
    addSegments(drawing.m_points, fixed);
    return obstacles;
}
} // namespace

bool CWireTool::WantsEvent(const CBoardEvent& event) {
    if (event.kind != EVENT_LEFT_DOWN) return false;
    m_start = NodeNear(event.x, event.y, false);
    if (!m_start) return false;
    if (RefusedByLock()) {
        m_start = nullptr;
        return false;
    }
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
    m_anchor = 0;
    m_lead = AXIS_FREE;
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

// The points after the anchor follow the pointer. With no direction fixed,
// the end goes straight out from the anchor horizontally or vertically,
// whichever is closer to the pointer's direction. Once a click fixed one, the
// wire runs from the anchor to the pointer in an L whose first leg goes that
// way, turned round or with a detour where it would run over a terminal or
// along a wire. Shift moves the end alone.
void CWireTool::Route(int x, int y, bool shift) {
    std::vector<CPoint>& points = m_wire->m_points;
    if (shift) {
        points.back() = {x, y};
        m_axes.back() = AXIS_FREE;
    } else if (m_lead != AXIS_FREE) {
        RouteTail({x, y}, m_lead, NodeNear(x, y, true));
    } else {
        const CPoint from = points[m_anchor];
        const double dx = std::abs(x - from.x), dy = std::abs(y - from.y);
        if (std::atan2(dy, dx) >= kSteep) {
            points.back() = {from.x, y};
            m_axes.back() = AXIS_VERTICAL;
        } else {
            points.back() = {x, from.y};
            m_axes.back() = AXIS_HORIZONTAL;
        }
    }
    SyncWireLines(*m_wire);
}

// Everything after the anchor becomes the automatic route to `to`, which
// ends on `end` (or on no node yet).
void CWireTool::RouteTail(CPoint to, Axis lead, const CNode* end) {
    std::vector<CPoint>& points = m_wire->m_points;
    const CBends bends = ChooseBends(points[m_anchor], to, lead != AXIS_VERTICAL,
                                     ObstaclesFor(Experiment(), *m_wire, m_anchor, m_start, end));
    points.resize(m_anchor + 1);
    m_axes.resize(m_anchor);
    bool horizontal = bends.horizontalFirst;
    for (const CPoint& corner : bends.corners) {
        points.push_back(corner);
        m_axes.push_back(horizontal ? AXIS_HORIZONTAL : AXIS_VERTICAL);
        horizontal = !horizontal;
    }
    points.push_back(to);
    m_axes.push_back(horizontal ? AXIS_HORIZONTAL : AXIS_VERTICAL);
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
    // The corner before the click stays put from now on. When the segment
    // into the click has a direction, the next L leaves that corner along it
    // (the click itself slides); a free segment stays whole and the rubber
    // band goes straight out from its end.
    const std::size_t n = m_wire->m_points.size();
    if (m_axes[n - 3] != AXIS_FREE) {
        m_anchor = n - 3;
        m_lead = m_axes[n - 3];
    } else {
        m_anchor = n - 2;
        m_lead = AXIS_FREE;
    }
    SyncWireLines(*m_wire);
}

void CWireTool::Finish(CNode& end, bool shift) {
    std::vector<CPoint>& points = m_wire->m_points;
    const CPoint target = end.Position();
    if (shift) {
        points.back() = target;
    } else {
        // The rubber band's route, ending on the target; a straight rubber
        // band gets one more bend unless already in line, turning the way it
        // went.
        const Axis lead = m_lead != AXIS_FREE ? m_lead : m_axes[m_anchor];
        RouteTail(target, lead, &end);
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
    m_anchor = 0;
    m_lead = AXIS_FREE;
    m_justBegun = false;
}

} // namespace ampera
