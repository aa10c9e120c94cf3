#include "experiment.h"

#include <algorithm>
#include <atomic>

namespace ampera {

CExperiment::CExperiment() = default;

CExperiment::~CExperiment() {
    ClearAll();
}

CExperiment& CExperiment::GetExperiment() {
    static CExperiment experiment;
    return experiment;
}

const CExperiment::COrders& CExperiment::Ordered() const {
    if (m_orders.stale) {
        m_orders.wires.assign(m_wires.begin(), m_wires.end());
        m_orders.nodes.assign(m_nodes.begin(), m_nodes.end());
        m_orders.devices.assign(m_devices.begin(), m_devices.end());
        m_orders.stale = false;
    }
    return m_orders;
}

void CExperiment::Insert(CComponent* object) {
    SetsChanged();
    object->m_experiment = this;
    m_all.insert(object);
    if (object->category == CATEGORY_WIRE)
        m_wires.insert(object);
    else if (object->category == CATEGORY_NODE)
        m_nodes.insert(object);
    else
        m_devices.insert(object);
}

void CExperiment::AddObject(CComponent* object, bool rebuild) {
    if (!object) return;
    Insert(object);
    if (rebuild) RebuildTopology();
}

CWire* CExperiment::AddWire(CNode* a, CNode* b) {
    auto* wire = new CWire(a, b);
    if (a) a->m_attached.push_back(wire);
    if (b) b->m_attached.push_back(wire);
    AddObject(wire, false);
    MarkTopologyDirty();
    return wire;
}

// Takes `object` off `node`; a node that held nothing else leaves the board.
void CExperiment::Detach(CComponent* object, CNode* node) {
    auto& list = node->m_attached;
    bool onlyThis =
        !list.empty() && std::all_of(list.begin(), list.end(), [&](CComponent* c) { return c == object; });
    if (onlyThis) {
        SetsChanged();
        m_all.erase(node);
        m_nodes.erase(node);
        return;
    }
    list.erase(std::remove(list.begin(), list.end(), object), list.end());
    node->m_wiringMark = 0;
}

namespace {
std::vector<CNode*> EndNodes(CComponent* object) {
    std::vector<CNode*> ends;
    if (object->category == CATEGORY_WIRE) {
        auto* wire = static_cast<CWire*>(object);
        ends = {wire->m_nodeA, wire->m_nodeB};
    } else if (object->category != CATEGORY_NODE) {
        ends = object->m_terminals;
    }
    ends.erase(std::remove(ends.begin(), ends.end(), nullptr), ends.end());
    return ends;
}

std::vector<CNode*> Distinct(std::vector<CNode*> nodes) {
    std::vector<CNode*> out;
    for (CNode* n : nodes)
        if (std::find(out.begin(), out.end(), n) == out.end()) out.push_back(n);
    return out;
}
} // namespace

void CExperiment::RemoveObject(CComponent* object) {
    if (!object) return;
    for (CNode* node : Distinct(EndNodes(object)))
        Detach(object, node);
    SetsChanged();
    m_wires.erase(object);
    m_nodes.erase(object);
    m_devices.erase(object);
    m_all.erase(object);
    // The selection never names what left the board (the object, or an end
    // node that went with it): it may be freed next.
    if (m_boardState.selection && !Contains(m_boardState.selection)) m_boardState.selection = nullptr;
    // The removed object's branches point into circuit nodes the rebuild
    // below frees; it shows no results while it is off the board.
    object->DeleteBranches();
    RebuildTopology();
}

void CExperiment::ReinsertObject(CComponent* object) {
    if (!object) return;
    Insert(object);
    std::vector<CNode*> ends = EndNodes(object);
    for (CNode* node : Distinct(ends)) {
        if (Contains(node)) {
            auto times = std::count(ends.begin(), ends.end(), node);
            for (long i = 0; i < times; ++i)
                node->m_attached.push_back(object);
        } else {
            Insert(node);
        }
    }
    // Its branches were dropped on removal; the next update rebuilds them.
    MarkTopologyDirty();
}

std::vector<CComponent*> CExperiment::TakeAllObjects() {
    std::vector<CComponent*> taken(m_all.begin(), m_all.end());
    SetsChanged();
    m_all.clear();
    m_nodes.clear();
    m_wires.clear();
    m_devices.clear();
    // The branches point into circuit nodes the next rebuild frees.
    for (CComponent* object : taken)
        object->DeleteBranches();
    m_internalNodes.clear();
    m_deadEnds.clear();
    MarkTopologyDirty();
    return taken;
}

void CExperiment::ClearAll() {
    ++m_clearCount;
    ObjectSet all;
    SetsChanged();
    all.swap(m_all);
    m_nodes.clear();
    m_wires.clear();
    m_devices.clear();
    for (CComponent* object : all) {
        object->m_branches.clear();
        object->m_terminals.clear();
        delete object;
    }
    m_internalNodes.clear();
    m_deadEnds.clear();
}

void CExperiment::ClearExperiment() {
    ClearAll();
    m_boardState.pendingDevice = nullptr;
    m_boardState.selection = nullptr;
    m_abstractName.clear();
    m_locked = 0;
    m_lockSalt.clear();
    m_lockDigest.clear();
    m_warningShown = false;
    m_topologyDirty = 1;
    m_valuesDirty = 1;
}

void CExperiment::RequestWarningOnce(const std::string& text) {
    if (m_warningShown) return;
    m_warningShown = true;
    if (m_services) m_services->ShowWarning(0, text);
}

void CExperiment::UpdateAll(long long time) {
    CUpdateContext context{m_notices, time};
    for (CComponent* wire : std::vector<CComponent*>(WireOrder()))
        wire->Update(context);
    for (CComponent* node : std::vector<CComponent*>(NodeOrder()))
        node->Update(context);
    for (CComponent* device : std::vector<CComponent*>(DeviceOrder()))
        device->Update(context);
}

void CExperiment::UpdateCircuit(long long time) {
    if (m_topologyDirty && !m_holdTopology) {
        RebuildTopology();
        m_topologyDirty = 0;
        m_valuesDirty = 1;
    }
    if ((m_valuesDirty && !m_holdSolve) || m_solveEveryUpdate) {
        m_solver.SetNoticeSink(m_notices);
        m_solver.Solve(*this);
        m_valuesDirty = 0;
    }
    UpdateAll(time);
}

} // namespace ampera
