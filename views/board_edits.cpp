#include "board_edits.h"

#include "app_services.h"
#include "board_tools.h"

#include "core/experiment.h"
#include "devices/ammeter_plug_board.h"
#include "devices/dc_ammeter.h"
#include "devices/device.h"
#include "document/keydoc.h"

#include <algorithm>
#include <utility>

namespace ampera {

namespace {

// The prefix a device's keys are kept under; any fixed prefix would do.
constexpr const char* kKeyPrefix = "D";

CComponent* PlugPartner(const CComponent& object) {
    if (const auto* ammeter = dynamic_cast<const CDCAmmeter*>(&object)) return ammeter->m_plugBoard;
    if (const auto* board = dynamic_cast<const CAmmeterPlugBoard*>(&object)) return board->m_ammeter;
    return nullptr;
}

void SetPlugPartner(CComponent& object, CComponent* partner) {
    auto* device = dynamic_cast<CDevice*>(partner);
    if (auto* ammeter = dynamic_cast<CDCAmmeter*>(&object))
        ammeter->m_plugBoard = device;
    else if (auto* board = dynamic_cast<CAmmeterPlugBoard*>(&object))
        board->m_ammeter = device;
}

bool ByCreation(const CComponent* a, const CComponent* b) {
    return a->CreationOrder() < b->CreationOrder();
}

} // namespace

CObjectState CaptureState(const CExperiment& experiment, const CComponent& object) {
    CObjectState state;
    state.object = const_cast<CComponent*>(&object);
    state.shiftX = experiment.m_boardState.shiftX;
    state.shiftY = experiment.m_boardState.shiftY;
    if (object.Category() == CATEGORY_NODE) {
        state.points = {static_cast<const CNode&>(object).Position()};
    } else if (object.Category() == CATEGORY_WIRE) {
        const auto& wire = static_cast<const CWire&>(object);
        state.points = wire.m_points;
        state.colour = wire.m_colour;
    } else if (const auto* device = dynamic_cast<const CDevice*>(&object)) {
        // Persist only reads the device when writing; it is not const
        // because the same operation reads files.
        CKeyDoc doc;
        const_cast<CDevice*>(device)->Persist(doc, false, kKeyPrefix);
        state.keys = doc.ToText();
        std::copy(std::begin(device->m_region), std::end(device->m_region), state.region);
        state.partner = PlugPartner(*device);
    }
    return state;
}

void ApplyState(CExperiment& experiment, const CObjectState& state) {
    // Everything moved by the scrolling done since the state was taken.
    const int dx = experiment.m_boardState.shiftX - state.shiftX;
    const int dy = experiment.m_boardState.shiftY - state.shiftY;
    CComponent* object = state.object;
    if (object->Category() == CATEGORY_NODE) {
        if (!state.points.empty())
            static_cast<CNode*>(object)->SetPosition(state.points[0].x + dx, state.points[0].y + dy);
    } else if (object->Category() == CATEGORY_WIRE) {
        auto& wire = static_cast<CWire&>(*object);
        wire.m_points.clear();
        for (const CPoint& point : state.points)
            wire.m_points.push_back({point.x + dx, point.y + dy});
        wire.m_colour = state.colour;
        wire.RebuildLines();
        PaintWire(wire, wire.m_colour);
    } else if (auto* device = dynamic_cast<CDevice*>(object)) {
        // Read back through the keys a file holds, as Open does; then the
        // place is set exactly (a file keeps whole pixels) and moved by the
        // scrolling since, with whatever rides on the device.
        CKeyDoc doc;
        doc.Parse(state.keys);
        device->Persist(doc, true, kKeyPrefix);
        const float fx = static_cast<float>(dx), fy = static_cast<float>(dy);
        device->SetRegion(state.region[0] + fx, state.region[1] + fy, state.region[2] + fx,
                          state.region[3] + fy);
        SetPlugPartner(*device, state.partner);
    }
    experiment.MarkTopologyDirty();
}

CBoardRecord CaptureBoard(const CExperiment& experiment) {
    CBoardRecord record;
    record.reserve(experiment.AllObjects().size());
    for (const CComponent* object : experiment.AllObjects())
        record.push_back(CaptureState(experiment, *object));
    return record;
}

CBoardRecord CaptureObjects(const CExperiment& experiment, std::vector<CComponent*> objects) {
    objects.erase(std::remove_if(objects.begin(), objects.end(),
                                 [&](CComponent* o) { return !o || !experiment.Contains(o); }),
                  objects.end());
    std::sort(objects.begin(), objects.end(), ByCreation);
    objects.erase(std::unique(objects.begin(), objects.end()), objects.end());
    CBoardRecord record;
    for (const CComponent* object : objects)
        record.push_back(CaptureState(experiment, *object));
    return record;
}

std::vector<CComponent*> MoveScope(const CDevice& device) {
    std::vector<CComponent*> scope{const_cast<CDevice*>(&device)};
    for (CNode* node : device.m_terminals) {
        if (!node) continue;
        scope.push_back(node);
        for (CComponent* attached : node->m_attached)
            if (attached && attached->Category() == CATEGORY_WIRE) scope.push_back(attached);
    }
    if (CComponent* partner = PlugPartner(device)) scope.push_back(partner);
    return scope;
}

// ---- step ----

CBoardStep::CBoardStep(CExperiment& experiment, std::string name, std::string mergeKey, long long time,
                       const CBoardRecord& before, const CBoardRecord& after, Leaving leaving)
    : m_experiment(experiment), m_name(std::move(name)), m_mergeKey(std::move(mergeKey)), m_time(time),
      m_leaving(std::move(leaving)), m_clearCount(experiment.ClearCount()) {
    // Both records are in creation order: walk them side by side.
    std::size_t b = 0;
    for (const CObjectState& now : after) {
        while (b < before.size() && ByCreation(before[b].object, now.object))
            ++b;
        if (b < before.size() && before[b].object == now.object) {
            if (!(before[b] == now)) m_changes.push_back({before[b], now});
            ++b;
        } else {
            m_added.push_back(now.object);
        }
    }
    // A gesture that added a device placed it; one that added a wire drew it.
    auto adds = [&](auto test) { return std::any_of(m_added.begin(), m_added.end(), test); };
    if (adds([](const CComponent* o) { return o->Category() != CATEGORY_NODE && o->Category() != CATEGORY_WIRE; }))
        m_name = "放置器材";
    else if (adds([](const CComponent* o) { return o->Category() == CATEGORY_WIRE; }))
        m_name = "连线";
}

CBoardStep::~CBoardStep() {
    if (!m_undone) return;
    // Discarded while holding what it took off the board: nothing else can
    // reach those objects any more.
    for (CComponent* object : m_added) {
        object->DeleteBranches();
        delete object;
    }
}

bool CBoardStep::Current() const {
    return m_experiment.ClearCount() == m_clearCount;
}

void CBoardStep::Undo() {
    if (m_undone || !Current()) return;
    m_experiment.m_boardState.outlines.clear();
    for (const CChange& change : m_changes)
        if (m_experiment.Contains(change.before.object)) {
            ApplyState(m_experiment, change.before);
            if (m_leaving) m_leaving(change.before.object, false);
        }
    for (auto it = m_added.rbegin(); it != m_added.rend(); ++it) {
        if (m_leaving) m_leaving(*it, true);
        if (m_experiment.Contains(*it)) m_experiment.RemoveObject(*it);
    }
    RestoreWireColours(m_experiment);
    m_experiment.MarkTopologyDirty();
    m_undone = true;
}

void CBoardStep::Do() {
    if (!m_undone || !Current()) return;
    m_experiment.m_boardState.outlines.clear();
    for (CComponent* object : m_added)
        m_experiment.ReinsertObject(object);
    for (const CChange& change : m_changes)
        if (m_experiment.Contains(change.after.object)) {
            ApplyState(m_experiment, change.after);
            if (m_leaving) m_leaving(change.after.object, false);
        }
    RestoreWireColours(m_experiment);
    m_experiment.MarkTopologyDirty();
    m_undone = false;
}

bool CBoardStep::Absorb(CEditCommand& next) {
    auto* step = dynamic_cast<CBoardStep*>(&next);
    if (!step || m_undone || m_mergeKey.empty() || step->m_mergeKey != m_mergeKey) return false;
    if (!m_added.empty() || !step->m_added.empty()) return false;
    if (step->m_time < m_time || step->m_time - m_time > kMergeMilliseconds) return false;
    for (const CChange& change : step->m_changes) {
        auto same = std::find_if(m_changes.begin(), m_changes.end(),
                                 [&](const CChange& mine) { return mine.after.object == change.after.object; });
        if (same != m_changes.end())
            same->after = change.after;
        else
            m_changes.push_back(change);
    }
    // A change that came back to where it started is none.
    m_changes.erase(std::remove_if(m_changes.begin(), m_changes.end(),
                                   [](const CChange& c) { return c.before == c.after; }),
                    m_changes.end());
    m_time = step->m_time;
    return true;
}

// ---- recorder ----

CEditRecorder::CEditRecorder(CExperiment& experiment, CCommandHistory& history, CAppServices* services)
    : m_experiment(experiment), m_history(history), m_services(services) {}

void CEditRecorder::BeginGesture() {
    m_before = CaptureBoard(m_experiment);
    m_open = true;
}

void CEditRecorder::EndGesture(const std::string& name, long long time) {
    if (!m_open) return;
    m_open = false;
    CBoardRecord before = std::move(m_before);
    m_before.clear();
    Keep(name, "", time, before, CaptureBoard(m_experiment));
}

void CEditRecorder::Record(const std::string& name, const std::string& mergeKey, long long time,
                           const std::vector<CComponent*>& scope, const std::function<void()>& change) {
    Around(name, mergeKey, time, change, [&] { return CaptureObjects(m_experiment, scope); });
}

void CEditRecorder::RecordBoard(const std::string& name, const std::string& mergeKey, long long time,
                                const std::function<void()>& change) {
    Around(name, mergeKey, time, change, [&] { return CaptureBoard(m_experiment); });
}

void CEditRecorder::Around(const std::string& name, const std::string& mergeKey, long long time,
                           const std::function<void()>& change, const std::function<CBoardRecord()>& capture) {
    if (m_open) {
        change();
        return;
    }
    const CBoardRecord before = capture();
    change();
    Keep(name, mergeKey, time, before, capture());
}

void CEditRecorder::Keep(const std::string& name, const std::string& mergeKey, long long time,
                         const CBoardRecord& before, const CBoardRecord& after) {
    CAppServices* services = m_services;
    CExperiment* experiment = &m_experiment;
    // The windows let go of what leaves the board and show afresh what
    // changed back.
    auto leaving = [services, experiment](CComponent* object, bool leaves) {
        CBoardState& board = experiment->m_boardState;
        if (leaves && board.selection == object) board.selection = nullptr;
        if (!services || object->Category() == CATEGORY_NODE || object->Category() == CATEGORY_WIRE) return;
        for (int index = 0; index < CAppServices::kPropertyWindows; ++index)
            if (IPropertyWindow* window = services->GetPropertyWindow(index)) {
                if (leaves)
                    window->ClearIfShowing(object);
                else
                    window->RefreshIfShowing(object);
            }
    };
    auto step = std::make_shared<CBoardStep>(m_experiment, name, mergeKey, time, before, after, leaving);
    if (step->Changed()) m_history.Record(std::move(step));
}

} // namespace ampera
