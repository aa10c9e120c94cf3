#include "board_tools.h"

#include "app_services.h"
#include "board_view.h"

#include "core/experiment.h"
#include "devices/ammeter_plug_board.h"
#include "devices/dc_ammeter.h"
#include "devices/double_switch.h"
#include "devices/single_switch.h"
#include "devices/slide_rheostat.h"

#include <algorithm>
#include <cmath>

namespace ampera {

namespace {

constexpr const char* kRightClickHint = "请单击鼠标右键弹出菜单。";
constexpr int kRightClickHintMilliseconds = 4000;

// How far a dropped ammeter's first terminal may lie outside a plug board's
// region and still be plugged in: a hand's width sideways, less up and down.
constexpr float kPlugReachX = 70;
constexpr float kPlugReachY = 20;
// Where the ammeter's two terminals sit relative to its picture.
constexpr float kAmmeterTerminal0X = static_cast<float>(geometry::kDCAmmeter.terminals[0].x);
constexpr float kAmmeterTerminal1X = static_cast<float>(geometry::kDCAmmeter.terminals[1].x);
constexpr float kAmmeterTerminalY = static_cast<float>(geometry::kDCAmmeter.terminals[0].y);

CRectF RegionOf(const CDevice& device) {
    return {device.m_region[0], device.m_region[1], device.m_region[2], device.m_region[3]};
}

void ColourNode(CNode& node, std::uint32_t colour) {
    if (node.m_boardGroup.itemsB.empty()) return;
    CDrawItem& picture = node.m_boardGroup.itemsB.front();
    picture.colour = colour;
    picture.flags |= kFeedbackFlags;
}

bool StrictlyInside(float left, float top, float right, float bottom, int x, int y) {
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    return left < fx && fx < right && top < fy && fy < bottom;
}

} // namespace

// ---- shared helpers ----

void SyncWireLines(CWire& wire) {
    std::vector<CDrawItem>& items = wire.m_boardGroup.itemsB;
    if (wire.m_points.size() < 2 || items.size() + 1 != wire.m_points.size()) {
        wire.RebuildLines();
        return;
    }
    for (std::size_t i = 0; i < items.size(); ++i)
        items[i].SetRect(static_cast<float>(wire.m_points[i].x), static_cast<float>(wire.m_points[i].y),
                         static_cast<float>(wire.m_points[i + 1].x),
                         static_cast<float>(wire.m_points[i + 1].y));
}

void PaintWire(CWire& wire, std::uint32_t colour) {
    for (CDrawItem& line : wire.m_boardGroup.itemsB) {
        line.colour = colour;
        line.flags |= kFeedbackFlags;
    }
}

void RestoreWireColours(const CExperiment& experiment) {
    for (CComponent* object : experiment.Wires()) {
        auto* wire = static_cast<CWire*>(object);
        PaintWire(*wire, wire->m_colour);
    }
}

void MoveNode(CNode& node, int x, int y, int modifiers) {
    node.SetPosition(x, y);
    const bool keepBends = modifiers == MODIFIER_SHIFT;
    for (CComponent* attached : node.m_attached) {
        if (!attached || attached->Category() != CATEGORY_WIRE) continue;
        auto* wire = static_cast<CWire*>(attached);
        std::vector<CPoint>& points = wire->m_points;
        if (points.empty()) continue;
        const bool first = wire->m_nodeA == &node;
        const std::size_t end = first ? 0 : points.size() - 1;
        const CPoint before = points[end];
        points[end] = {x, y};
        // The bend next to the end slides with it so the end segment stays
        // horizontal or vertical; Shift leaves the bends where they are.
        if (!keepBends && points.size() >= 3) {
            CPoint& bend = points[first ? 1 : points.size() - 2];
            if (bend.y == before.y)
                bend.y = y;
            else if (bend.x == before.x)
                bend.x = x;
        }
        SyncWireLines(*wire);
    }
}

bool HoldsAmmeter(const CExperiment& experiment, const CDevice& device) {
    return CAmmeterPlugBoard::Holds(experiment, device);
}

void Unplug(const CExperiment& experiment, CDevice& device) {
    // The other side is only touched while it is on the board: a deleted
    // device may already be gone.
    if (auto* ammeter = dynamic_cast<CDCAmmeter*>(&device)) {
        CDevice* held = ammeter->m_plugBoard;
        if (held && experiment.Contains(held))
            if (auto* board = dynamic_cast<CAmmeterPlugBoard*>(held); board && board->m_ammeter == ammeter)
                board->m_ammeter = nullptr;
        ammeter->m_plugBoard = nullptr;
    } else if (auto* board = dynamic_cast<CAmmeterPlugBoard*>(&device)) {
        CDevice* held = board->m_ammeter;
        if (held && experiment.Contains(held))
            if (auto* plugged = dynamic_cast<CDCAmmeter*>(held); plugged && plugged->m_plugBoard == board)
                plugged->m_plugBoard = nullptr;
        board->m_ammeter = nullptr;
    }
}

bool SnapAmmeter(CExperiment& experiment, CDevice& device, int modifiers) {
    auto* ammeter = dynamic_cast<CDCAmmeter*>(&device);
    if (!ammeter || ammeter->m_terminals.size() < 2 || !ammeter->m_terminals[0]) return false;
    const CPoint first = ammeter->m_terminals[0]->Position();
    const float nx = static_cast<float>(first.x), ny = static_cast<float>(first.y);
    CAmmeterPlugBoard* board = nullptr;
    for (CComponent* object : experiment.Devices()) {
        auto* candidate = dynamic_cast<CAmmeterPlugBoard*>(object);
        if (!candidate || (HoldsAmmeter(experiment, *candidate) && candidate->m_ammeter != ammeter)) continue;
        const float* p = candidate->m_region;
        if (p[0] - kPlugReachX < nx && nx < p[2] + kPlugReachX && p[1] - kPlugReachY < ny &&
            ny < p[3] + kPlugReachY) {
            board = candidate;
            break;
        }
    }
    if (!board) return false;

    board->m_ammeter = ammeter;
    ammeter->m_plugBoard = board;
    const float pl = board->m_region[0], pt = board->m_region[1], pr = board->m_region[2];
    // The ammeter stands centred on the board, its foot on the board's top.
    const int h =
        (static_cast<int>(pr - pl) - static_cast<int>(ammeter->m_region[2] - ammeter->m_region[0])) / 2;
    const float height = ammeter->m_region[3] - ammeter->m_region[1];
    ammeter->SetRegion(pl + h, pt - height, pr - h, pt);
    const int y = static_cast<int>(pt - height + kAmmeterTerminalY);
    if (CNode* t0 = ammeter->m_terminals[0])
        MoveNode(*t0, static_cast<int>(pl + h + kAmmeterTerminal0X), y, modifiers);
    if (CNode* t1 = ammeter->m_terminals[1])
        MoveNode(*t1, static_cast<int>(pl + h + kAmmeterTerminal1X), y, modifiers);
    return true;
}

void NudgeDevice(CExperiment& experiment, CDevice& device, int dx, int dy) {
    const float fx = static_cast<float>(dx), fy = static_cast<float>(dy);
    const float* r = device.m_region;
    device.SetRegion(r[0] + fx, r[1] + fy, r[2] + fx, r[3] + fy);
    std::vector<CNode*> moved;
    for (CNode* node : device.m_terminals) {
        // A node on two terminals moves once.
        if (!node || std::find(moved.begin(), moved.end(), node) != moved.end()) continue;
        moved.push_back(node);
        MoveNode(*node, node->m_x + dx, node->m_y + dy, 0);
    }
    Unplug(experiment, device);
    experiment.MarkTopologyDirty();
}

// ---- tool base ----

CExperiment& CBoardToolBase::Experiment() const {
    return m_view.Experiment();
}
CAppServices* CBoardToolBase::Services() const {
    return m_view.Services();
}

void CBoardToolBase::StampClears() {
    m_clearStamp = Experiment().ClearCount();
}

bool CBoardToolBase::ClearedSinceStamp() const {
    return Experiment().ClearCount() != m_clearStamp;
}

bool CBoardToolBase::RefusedByLock() const {
    if (!Experiment().m_locked) return false;
    if (INoticeSink* sink = Experiment().NoticeSink())
        sink->PostNotice(CNotice{NOTICE_INFORMATION, kRightClickHintMilliseconds, 0, 0, 1, kLockedHint});
    return true;
}

void CBoardToolBase::RequestCursor(int code) const {
    m_view.RequestCursor(code);
}

CDevice* CBoardToolBase::DeviceAt(int x, int y) const {
    for (CComponent* object : Experiment().Devices())
        if (object->HitTest(x, y))
            if (auto* device = dynamic_cast<CDevice*>(object)) return device;
    return nullptr;
}

// ---- select ----

bool CSelectTool::Handle(const CBoardEvent& event) {
    switch (event.kind) {
    case EVENT_MOVE:
        Hover(event);
        break;
    case EVENT_LEFT_DOWN:
        ClickOnEmptyBoard();
        break;
    case EVENT_DOUBLE_CLICK:
        DoubleClick(event);
        break;
    default:
        break;
    }
    return true;
}

void CSelectTool::Hover(const CBoardEvent& event) {
    int cursor = -1;
    for (CComponent* object : Experiment().Nodes()) {
        auto* node = static_cast<CNode*>(object);
        const bool near = std::fabs(static_cast<float>(event.x - node->m_x)) < kNodeHoverReach &&
                          std::fabs(static_cast<float>(event.y - node->m_y)) < kNodeHoverReach;
        ColourNode(*node, near ? kHotColour : kNodeColour);
        if (near) cursor = kCursorOperable;
    }
    for (CComponent* object : Experiment().Devices()) {
        if (!object->HitTest(event.x, event.y)) continue;
        cursor = kCursorMove;
        if (auto* device = dynamic_cast<CDevice*>(object); device && device->OperatesAt(event.x, event.y))
            cursor = kCursorOperable;
    }
    // Of several requests in one event the last one would win; ask once.
    // Over nothing the arrow comes back.
    RequestCursor(cursor >= 0 ? cursor : kCursorArrow);
}

void CSelectTool::ClickOnEmptyBoard() {
    SelectObject(Experiment(), nullptr);
    CAppServices* services = Services();
    bool barAndWindowShown = false;
    if (services) {
        for (int code = 0; code < CAppServices::kPropertyWindows; ++code)
            services->PostToMain(code);
        IDeviceWindow* bar = services->GetDeviceWindow();
        IPropertyWindow* first = services->GetPropertyWindow(0);
        barAndWindowShown = bar && bar->IsVisible() && first && first->IsVisible();
    }
    if (!barAndWindowShown)
        if (INoticeSink* sink = Experiment().NoticeSink())
            sink->PostNotice(
                CNotice{NOTICE_INFORMATION, kRightClickHintMilliseconds, 0, 0, 1, kRightClickHint});
}

void CSelectTool::DoubleClick(const CBoardEvent& event) {
    CExperiment& experiment = Experiment();
    CDevice* device = DeviceAt(event.x, event.y);
    if (!device) {
        SelectObject(experiment, nullptr);
        return;
    }
    SelectObject(experiment, device);
    experiment.m_boardState.outlines = {RegionOf(*device)};
    ShowPropertyWindowOf(Services(), device);
    // The switches know their own contact zones at every angle and change
    // their pictures themselves.
    if (auto* single = dynamic_cast<CSingleSwitch*>(device)) {
        single->DoubleClick(event.x, event.y);
        experiment.MarkTopologyDirty();
    } else if (auto* twoWay = dynamic_cast<CDoubleSwitch*>(device)) {
        twoWay->DoubleClick(event.x, event.y);
        experiment.MarkTopologyDirty();
    }
}

// ---- move ----

bool CMoveTool::WantsEvent(const CBoardEvent& event) {
    if (event.kind != EVENT_LEFT_DOWN) return false;
    m_device = DeviceAt(event.x, event.y);
    if (!m_device) {
        Experiment().m_boardState.outlines.clear();
        return false;
    }
    SelectObject(Experiment(), m_device);
    return true;
}

void CMoveTool::Begin(const CBoardEvent& event) {
    if (!m_device) return;
    StampClears();
    m_refused = false;
    const float* r = m_device->m_region;
    m_grabX = static_cast<float>(event.x) - r[0];
    m_grabY = static_cast<float>(event.y) - r[1];
    m_width = r[2] - r[0];
    m_height = r[3] - r[1];
    m_nodes.clear();
    for (CNode* node : m_device->m_terminals)
        if (node) m_nodes.push_back({node, event.x - node->m_x, event.y - node->m_y});
}

bool CMoveTool::Handle(const CBoardEvent& event) {
    if (m_device && ClearedSinceStamp()) m_device = nullptr;
    if (!m_device) return false;
    switch (event.kind) {
    case EVENT_LEFT_DOWN:
        Experiment().m_boardState.outlines = {RegionOf(*m_device)};
        ShowPropertyWindowOf(Services(), m_device);
        return true;
    case EVENT_MOVE:
        MoveTo(event);
        return true;
    case EVENT_LEFT_UP:
        if (!m_refused && SnapAmmeter(Experiment(), *m_device, event.modifiers))
            Experiment().m_boardState.outlines = {RegionOf(*m_device)};
        m_device = nullptr;
        return false;
    default:
        m_device = nullptr;
        return false;
    }
}

void CMoveTool::MoveTo(const CBoardEvent& event) {
    // A locked board still selects the device (its panel is shown) but does
    // not move it.
    if (!m_refused && Experiment().m_locked) m_refused = RefusedByLock();
    if (m_refused) return;
    const float left = static_cast<float>(event.x) - m_grabX, top = static_cast<float>(event.y) - m_grabY;
    // The rheostat's slider rides along inside SetRegion.
    m_device->SetRegion(left, top, left + m_width, top + m_height);
    Experiment().m_boardState.outlines = {RegionOf(*m_device)};
    for (const CNodeGrab& grab : m_nodes)
        MoveNode(*grab.node, event.x - grab.dx, event.y - grab.dy, event.modifiers);
    Unplug(Experiment(), *m_device);
}

// ---- slider ----

bool CSliderTool::WantsEvent(const CBoardEvent& event) {
    if (event.kind != EVENT_LEFT_DOWN) return false;
    for (CComponent* object : Experiment().Devices()) {
        auto* rheostat = dynamic_cast<CSlideRheostat*>(object);
        if (!rheostat) continue;
        const CPanelRect& s = rheostat->m_slider;
        if (StrictlyInside(s.left, s.top, s.right, s.bottom, event.x, event.y)) {
            m_rheostat = rheostat;
            return true;
        }
    }
    return false;
}

void CSliderTool::Begin(const CBoardEvent& event) {
    if (!m_rheostat) return;
    StampClears();
    m_grabX = static_cast<float>(event.x) - m_rheostat->m_slider.left;
    m_grabY = static_cast<float>(event.y) - m_rheostat->m_slider.top;
}

bool CSliderTool::Handle(const CBoardEvent& event) {
    if (m_rheostat && ClearedSinceStamp()) m_rheostat = nullptr;
    if (!m_rheostat) return false;
    RequestCursor(kCursorOperable);
    switch (event.kind) {
    case EVENT_LEFT_DOWN: // the press that picked the slider up
        return true;
    case EVENT_MOVE:
        // The rheostat keeps the slider between its stops at every angle,
        // sets its fraction and marks the topology dirty.
        m_rheostat->DragSlider(static_cast<float>(event.x) - m_grabX, static_cast<float>(event.y) - m_grabY);
        return true;
    default:
        m_rheostat = nullptr;
        return false;
    }
}

// ---- place ----

namespace {
void HideAll(CComponent& device, bool hidden) {
    for (CDrawItem& item : device.m_boardGroup.itemsB)
        item.SetHidden(hidden);
    for (CDrawItem& item : device.m_boardGroup.itemsA)
        item.SetHidden(hidden);
}
} // namespace

void CPlaceTool::Begin(const CBoardEvent&) {
    // The template shows up under the pointer at the first move, not where
    // it was last drawn.
    if (CComponent* pending = Experiment().m_boardState.pendingDevice) HideAll(*pending, true);
}

bool CPlaceTool::Handle(const CBoardEvent& event) {
    CExperiment& experiment = Experiment();
    CComponent* pending = experiment.m_boardState.pendingDevice;
    if (!pending) return false; // the experiment was replaced meanwhile
    // Another device button pressed while placing: place that one instead.
    if (IDeviceWindow* bar = Services() ? Services()->GetDeviceWindow() : nullptr) {
        CComponent* chosen = bar->PendingDevice();
        if (chosen && chosen != pending) {
            HideAll(*pending, true);
            experiment.m_boardState.pendingDevice = pending = chosen;
        }
    }
    switch (event.kind) {
    case EVENT_MOVE:
        Follow(*pending, event.x, event.y);
        return true;
    case EVENT_LEFT_DOWN:
        Place(*pending, event.x, event.y);
        return false;
    case EVENT_RIGHT_DOWN:
        CancelPlacement(*pending);
        return false;
    default:
        return true;
    }
}

void CPlaceTool::Follow(CComponent& pending, int x, int y) {
    std::vector<CDrawItem>& items = pending.m_boardGroup.itemsB;
    if (items.empty()) return;
    CDrawItem& picture = items.front();
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    const float halfW = (picture.right - picture.left) / 2, halfH = (picture.bottom - picture.top) / 2;
    picture.SetRect(fx - halfW, fy - halfH, fx + halfW, fy + halfH);
    HideAll(pending, false);
    Experiment().m_boardState.outlines = {{picture.left, picture.top, picture.right + 1, picture.bottom + 1}};
    if (auto* device = dynamic_cast<CDevice*>(&pending)) device->FollowPreview(fx, fy, halfH);
}

void CPlaceTool::Place(CComponent& pending, int x, int y) {
    ReleaseBar();
    CExperiment& experiment = Experiment();
    // The copy goes into this board's experiment (PlaceAt), which in the
    // program is the one experiment CloneAt would use too.
    auto* prototype = dynamic_cast<CDevice*>(&pending);
    CDevice* copy = prototype ? prototype->PlaceAt(experiment, x, y) : nullptr;
    if (!copy) {
        experiment.m_boardState.outlines.clear();
        return;
    }
    const float* r = copy->m_region;
    experiment.m_boardState.outlines = {{r[0], r[1], r[2] + 1, r[3] + 1}};
    SelectObject(experiment, copy);
    ShowPropertyWindowOf(Services(), copy);
}

void CPlaceTool::Abandon() {
    // The device bar lets go of its device even before the board took it
    // up (the pointer has not come over the board yet).
    ReleaseBar();
    if (CComponent* pending = Experiment().m_boardState.pendingDevice) CancelPlacement(*pending);
    Experiment().m_boardState.pendingDevice = nullptr;
}

void CPlaceTool::CancelPlacement(CComponent& pending) {
    ReleaseBar();
    Experiment().m_boardState.outlines.clear();
    HideAll(pending, true);
}

void CPlaceTool::ReleaseBar() const {
    if (CAppServices* services = Services())
        if (IDeviceWindow* bar = services->GetDeviceWindow()) bar->Release();
}

// ---- wire highlight ----

bool CWireHighlightFilter::Accepts(const CBoardEvent& event) {
    m_hit = nullptr;
    if (event.kind != EVENT_LEFT_DOWN) return false;
    for (CComponent* object : m_view.Experiment().Wires()) {
        auto* wire = static_cast<CWire*>(object);
        if (!m_hit && wire->HitTest(event.x, event.y))
            m_hit = wire;
        else
            PaintWire(*wire, wire->m_colour);
    }
    return m_hit != nullptr;
}

void CWireHighlightFilter::Handle(const CBoardEvent&) {
    RestoreWireColours(m_view.Experiment());
    if (m_hit) PaintWire(*m_hit, kHotColour);
}

} // namespace ampera
