// Undo steps made from what an edit changed on the board. The state an edit
// can change of each object (a device's own keys and exact place, a node's
// terminal point, a wire's points and colour, an ammeter's plug link) is
// taken before and after the edit; the step holds the objects that changed,
// with both states, and the objects the edit added. Undo puts the old states
// back and takes the added objects off the board; Redo does the opposite.
// Everything here runs on the frame loop, or with the loop stopped.
//
// Who owns added objects: while a step is undone it holds the objects it took
// off the board, and frees them if it is discarded then (a new step empties
// the redo history; New and Open empty both). Before that, the windows that
// show such an object are told to let it go.
#pragma once

#include "core/component.h"
#include "edit_command.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ampera {

class CAppServices;
class CDevice;
class CExperiment;

struct CObjectState {
    CComponent* object = nullptr;
    std::string keys;              // a device's own keys as document text
    float region[4] = {0, 0, 0, 0}; // a device's exact place
    std::vector<CPoint> points;     // a wire's points; a node's terminal point
    std::uint32_t colour = 0;       // a wire's colour
    CComponent* partner = nullptr;  // an ammeter's plug board, a plug board's ammeter
    int shiftX = 0, shiftY = 0;     // the board's scroll shift when it was taken
    bool operator==(const CObjectState&) const = default;
};

// States in creation order.
using CBoardRecord = std::vector<CObjectState>;

// Places are kept with the board's scroll shift of the moment: a state put
// back after scrolling lands where the scrolling moved everything else.
CObjectState CaptureState(const CExperiment& experiment, const CComponent& object);
// Puts `state` back on its object (which must be on the board).
void ApplyState(CExperiment& experiment, const CObjectState& state);
// Every object on the board.
CBoardRecord CaptureBoard(const CExperiment& experiment);
// The given objects that are on the board, each once, in creation order.
CBoardRecord CaptureObjects(const CExperiment& experiment, std::vector<CComponent*> objects);
// What moving a device changes: the device, its terminal nodes, the wires
// ending on them and its plug partner.
std::vector<CComponent*> MoveScope(const CDevice& device);

class CBoardStep : public CEditCommand {
  public:
    // Called with each object a step takes off the board (leaving true)
    // or whose state it puts back (false).
    using Leaving = std::function<void(CComponent*, bool leaving)>;
    // `mergeKey` empty: never merges. Objects of `before` missing from
    // `after` are not part of the step (no tool takes objects away).
    CBoardStep(CExperiment& experiment, std::string name, std::string mergeKey, long long time,
               const CBoardRecord& before, const CBoardRecord& after, Leaving leaving);
    ~CBoardStep() override;

    bool Changed() const override { return !m_added.empty() || !m_changes.empty(); }
    void Do() override;
    void Undo() override;
    std::string Name() const override { return m_name; }
    // Merges a step of the same key made within kMergeMilliseconds of this
    // one's last change, when neither adds objects.
    bool Absorb(CEditCommand& next) override;

    static constexpr long long kMergeMilliseconds = 1000;

  private:
    struct CChange {
        CObjectState before, after;
    };
    bool Current() const;

    CExperiment& m_experiment;
    std::string m_name, m_mergeKey;
    long long m_time;
    std::vector<CComponent*> m_added; // creation order
    std::vector<CChange> m_changes;   // creation order
    Leaving m_leaving;
    std::uint64_t m_clearCount;
    bool m_undone = false;
};

// Makes the steps of the board view, the panels and the parameter pages and
// records them in the history.
class CEditRecorder {
  public:
    CEditRecorder(CExperiment& experiment, CCommandHistory& history, CAppServices* services);

    // A gesture on the board (a drag, a wire being drawn): the whole board
    // is taken when it begins and compared when it ends.
    void BeginGesture();
    bool GestureOpen() const { return m_open; }
    void EndGesture(const std::string& name, long long time);
    void DropGesture() { m_open = false, m_before.clear(); }

    // An edit done at once: the states of `scope` are taken, `change` runs,
    // and what changed is recorded as one step. During a board gesture the
    // change simply becomes part of the gesture's step.
    void Record(const std::string& name, const std::string& mergeKey, long long time,
                const std::vector<CComponent*>& scope, const std::function<void()>& change);
    // The same, taking the whole board.
    void RecordBoard(const std::string& name, const std::string& mergeKey, long long time,
                     const std::function<void()>& change);

    CCommandHistory& History() { return m_history; }

  private:
    // `change` between two captures of what it may change, kept as a step.
    void Around(const std::string& name, const std::string& mergeKey, long long time,
                const std::function<void()>& change, const std::function<CBoardRecord()>& capture);
    void Keep(const std::string& name, const std::string& mergeKey, long long time, const CBoardRecord& before,
              const CBoardRecord& after);

    CExperiment& m_experiment;
    CCommandHistory& m_history;
    CAppServices* m_services;
    CBoardRecord m_before;
    bool m_open = false;
};

} // namespace ampera
