// The single in-memory experiment: owns every placed object and drives
// rebuilding, solving and the per-frame update.
#pragma once

#include "component.h"
#include "notice.h"
#include "solver.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace ampera {

struct CreationLess {
    bool operator()(const CComponent* a, const CComponent* b) const {
        return a->CreationOrder() < b->CreationOrder();
    }
};
using ObjectSet = std::set<CComponent*, CreationLess>;

struct CRectF {
    float left = 0, top = 0, right = 0, bottom = 0;
};

// What the board shows besides its objects: the device being placed, the
// selection and the red outlines. It belongs to the frame-loop thread: tools,
// queued commands and painting read and write it there; whole-experiment work
// (New, Open) touches it only while the loop is stopped. The user-interface
// thread reads the selection only through the loop's per-frame snapshot.
struct CBoardState {
    CComponent* pendingDevice = nullptr; // from the device bar, following the pointer
    CComponent* selection = nullptr;     // the selected object, if any
    std::vector<CRectF> outlines;        // red rectangles drawn over the board
    // How far scrolling has moved everything on the board, in pixels: undo
    // keeps places relative to it, so a step undone after a scroll puts
    // things back where they were on the scrolled board.
    int shiftX = 0, shiftY = 0;
};

class CExperiment {
  public:
    CExperiment();
    ~CExperiment();
    CExperiment(const CExperiment&) = delete;
    CExperiment& operator=(const CExperiment&) = delete;

    // The program's single experiment, created on first use.
    static CExperiment& GetExperiment();

    void AddObject(CComponent* object, bool rebuild);
    // A new wire joining two nodes, attached to both and added to the board.
    CWire* AddWire(CNode* a, CNode* b);
    void RemoveObject(CComponent* object);
    void ReinsertObject(CComponent* object);
    void ClearAll();
    void ClearExperiment();
    // Takes every component, node and wire off the board without freeing
    // them (their attachments to each other stay as they are) and returns
    // them in creation order; the caller keeps them. Their branches are
    // dropped and the topology marked dirty.
    std::vector<CComponent*> TakeAllObjects();
    // Counts ClearAll calls (New, Open): an editing command made before a
    // clear names objects that no longer exist.
    std::uint64_t ClearCount() const { return m_clearCount.load(); }
    bool Contains(const CComponent* object) const {
        return m_all.count(const_cast<CComponent*>(object)) != 0;
    }

    void RebuildTopology();
    void UpdateCircuit(long long time);
    void UpdateAll(long long time);
    void MarkTopologyDirty() { m_topologyDirty = 1; }
    void MarkValuesDirty() { m_valuesDirty = 1; }

    const ObjectSet& AllObjects() const { return m_all; }
    const ObjectSet& Wires() const { return m_wires; }
    const ObjectSet& Nodes() const { return m_nodes; }
    const ObjectSet& Devices() const { return m_devices; }
    // The same three sets as vectors in the same order, for the loops every
    // update runs: a vector is walked without chasing tree links. A copy
    // stays valid whatever the loop adds or removes.
    const std::vector<CComponent*>& WireOrder() const { return Ordered().wires; }
    const std::vector<CComponent*>& NodeOrder() const { return Ordered().nodes; }
    const std::vector<CComponent*>& DeviceOrder() const { return Ordered().devices; }

    // Where messages, labels and modal requests go (both may be null).
    void SetNoticeSink(INoticeSink* sink) { m_notices = sink; }
    INoticeSink* NoticeSink() const { return m_notices; }
    void SetWarningServices(IWarningServices* services) { m_services = services; }
    // Asks the services for a modal warning at most once per experiment.
    void RequestWarningOnce(const std::string& text);

    CCircuitSolver& Solver() { return m_solver; }

    std::vector<std::unique_ptr<CCircuitNode>> m_internalNodes; // inside sources and the ohmmeter
    unsigned char m_topologyDirty = 1;
    unsigned char m_valuesDirty = 1;

    unsigned char m_showTrace = 0;
    unsigned char m_holdTopology = 0;
    unsigned char m_holdSolve = 0;
    unsigned char m_solveEveryUpdate = 0;

    CBoardState m_boardState;
    std::string m_abstractName;
    // A teacher's lock: while on, only the instruments can be worked (their
    // panels, switches, the rheostat slider). Set by the user-interface
    // thread through the loop, read there and by the menus at any time. The
    // password is kept only as a salted digest (both hex; an empty digest:
    // locked without a password); the program's window makes and checks it.
    std::atomic<unsigned char> m_locked{0};
    std::string m_lockSalt, m_lockDigest;
    // Toggled by the user-interface thread, read by the frame loop every frame.
    std::atomic<unsigned char> m_realView{1};
    std::atomic<unsigned char> m_showNames{1};

  private:
    friend class CTopologyBuilder;
    void Insert(CComponent* object);
    void Detach(CComponent* object, CNode* node);

    ObjectSet m_all, m_wires, m_nodes, m_devices;
    struct COrders {
        std::vector<CComponent*> wires, nodes, devices;
        bool stale = true;
    };
    const COrders& Ordered() const;
    // Every change to the sets marks the vectors stale.
    void SetsChanged() { m_orders.stale = true; }
    mutable COrders m_orders;
    std::vector<std::unique_ptr<CCircuitNode>> m_deadEnds; // open ends made by the last rebuild
    std::uint64_t m_generation = 0;
    CCircuitSolver m_solver;
    INoticeSink* m_notices = nullptr;
    IWarningServices* m_services = nullptr;
    bool m_warningShown = false;
    std::atomic<std::uint64_t> m_clearCount{0};
};

} // namespace ampera
