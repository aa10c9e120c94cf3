#include "edit_commands.h"

#include "devices/device.h"
#include "display_colours.h"
#include "views/app_services.h"
#include "views/board_tools.h"
#include "views/board_view.h"

#include <algorithm>

namespace ampera {

bool OutlineRegionOf(const CComponent& component, CRectF& region) {
    if (const auto* device = dynamic_cast<const CDevice*>(&component)) {
        device->GetRegion(region.left, region.top, region.right, region.bottom);
        return true;
    }
    if (component.Category() == CATEGORY_NODE && !component.m_boardGroup.itemsB.empty()) {
        const CDrawItem& picture = component.m_boardGroup.itemsB.front();
        region = {picture.left, picture.top, picture.right, picture.bottom};
        return true;
    }
    return false;
}

namespace {

std::vector<CNode*> EndNodesOf(const CComponent& component) {
    std::vector<CNode*> ends;
    if (component.Category() == CATEGORY_WIRE) {
        const auto& wire = static_cast<const CWire&>(component);
        ends = {wire.m_nodeA, wire.m_nodeB};
    } else if (component.Category() != CATEGORY_NODE) {
        ends = component.m_terminals;
    }
    std::vector<CNode*> distinct;
    for (CNode* node : ends)
        if (node && std::find(distinct.begin(), distinct.end(), node) == distinct.end())
            distinct.push_back(node);
    return distinct;
}

void OutlineOnly(CExperiment& experiment, const CComponent& component) {
    experiment.m_boardState.outlines.clear();
    CRectF region;
    if (OutlineRegionOf(component, region)) experiment.m_boardState.outlines.push_back(region);
}

} // namespace

CExperimentCommand::CExperimentCommand(CExperiment& experiment)
    : m_experiment(experiment), m_clearCount(experiment.ClearCount()) {}

bool CExperimentCommand::Current() const {
    return m_experiment.ClearCount() == m_clearCount;
}

bool CExperimentCommand::OnBoard(const CComponent* component) const {
    return component && Current() && m_experiment.Contains(component);
}

// --- Delete ---

CDeleteCommand::CDeleteCommand(CExperiment& experiment, CComponent* component)
    : CExperimentCommand(experiment), m_component(component) {}

CDeleteCommand::~CDeleteCommand() {
    if (!m_removed) return;
    // Discarded while holding the object off the board: nothing else can
    // reach it or the nodes that left with it.
    for (CNode* node : m_leftNodes)
        delete node;
    delete m_component;
}

void CDeleteCommand::Do() {
    if (m_removed || !OnBoard(m_component) || m_experiment.m_locked) return;
    const std::vector<CNode*> ends = EndNodesOf(*m_component);
    m_experiment.m_boardState.outlines.clear();
    m_experiment.RemoveObject(m_component);
    m_experiment.MarkValuesDirty();
    m_experiment.m_boardState.selection = nullptr;
    m_leftNodes.clear();
    for (CNode* node : ends)
        if (!m_experiment.Contains(node)) m_leftNodes.push_back(node);
    m_removed = true;
}

void CDeleteCommand::Undo() {
    if (!m_removed || !Current()) return;
    m_experiment.ReinsertObject(m_component);
    if (m_component->Category() == CATEGORY_WIRE) {
        auto& wire = static_cast<CWire&>(*m_component);
        PaintWire(wire, wire.m_colour);
    }
    m_leftNodes.clear();
    m_removed = false;
}

// --- Delete all ---

CDeleteAllCommand::CDeleteAllCommand(CExperiment& experiment) : CExperimentCommand(experiment) {}

CDeleteAllCommand::~CDeleteAllCommand() {
    if (!m_removed) return;
    for (CComponent* object : m_taken) {
        object->m_branches.clear();
        delete object;
    }
}

void CDeleteAllCommand::Do() {
    if (m_removed || !Current() || m_experiment.m_locked) return;
    m_experiment.m_boardState.outlines.clear();
    m_taken = m_experiment.TakeAllObjects();
    // Nothing selected stays reachable on the board.
    m_experiment.m_boardState.selection = nullptr;
    m_removed = true;
}

void CDeleteAllCommand::Undo() {
    if (!m_removed || !Current()) return;
    for (CComponent* object : m_taken)
        m_experiment.AddObject(object, false);
    // Their branches were dropped when they were taken out.
    m_experiment.MarkTopologyDirty();
    m_taken.clear();
    m_removed = false;
}

// --- Rotate ---

CRotateCommand::CRotateCommand(CExperiment& experiment, CComponent* component, bool left)
    : CExperimentCommand(experiment), m_component(component), m_left(left) {}

void CRotateCommand::Turn(bool left) {
    // A locked experiment refuses a new turn; an undo or redo of one made
    // before the lock does not come (locking empties the histories).
    if (!OnBoard(m_component) || m_experiment.m_locked) return;
    auto* device = dynamic_cast<CDevice*>(m_component);
    if (!device) return;
    m_experiment.m_boardState.outlines.clear();
    if (left)
        device->RotateLeft();
    else
        device->RotateRight();
    m_turned = true;
    OutlineOnly(m_experiment, *device);
}

// --- Select and show ---

CSelectAndShowCommand::CSelectAndShowCommand(CExperiment& experiment, CAppServices* services,
                                             CComponent* component, int code)
    : CExperimentCommand(experiment), m_services(services), m_component(component), m_code(code) {}

void CSelectAndShowCommand::Do() {
    CComponent* kept = OnBoard(m_component) ? m_component : nullptr;
    m_experiment.m_boardState.outlines.clear();
    RestoreWireColours(m_experiment);
    if (kept) {
        if (kept->Category() == CATEGORY_WIRE) {
            PaintWire(static_cast<CWire&>(*kept), kSelectedWireColour);
        } else {
            CRectF region;
            if (OutlineRegionOf(*kept, region)) m_experiment.m_boardState.outlines.push_back(region);
        }
    }
    SelectObject(m_experiment, kept);
    if (m_services) m_services->PostToMain(m_code);
}

// --- Wire colour ---

CWireColourCommand::CWireColourCommand(CExperiment& experiment, CComponent* wire, std::uint32_t colorref)
    : CExperimentCommand(experiment), m_wire(wire), m_colorref(colorref) {}

void CWireColourCommand::Do() {
    if (!OnBoard(m_wire) || m_wire->Category() != CATEGORY_WIRE) return;
    auto& wire = static_cast<CWire&>(*m_wire);
    m_before = wire.m_colour;
    wire.m_colour = ToArgb(m_colorref);
    m_changed = m_before != wire.m_colour;
}

void CWireColourCommand::Undo() {
    if (!m_changed || !OnBoard(m_wire)) return;
    auto& wire = static_cast<CWire&>(*m_wire);
    wire.m_colour = m_before;
    PaintWire(wire, wire.m_colour);
}

} // namespace ampera
