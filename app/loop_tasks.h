// Small jobs the user-interface thread hands to the frame loop: anything that
// reads or writes the experiment (the selection of a click, the view-mode and
// names flags, the renderer's view rectangle) must run where the experiment
// lives. Registered with the loop like a view, it runs its jobs at every tick
// whatever the board shows (the board view's own command queue waits while the
// symbol view is shown, these do not).
#pragma once

#include "views/frame_loop.h"
#include "views/hand_over.h"

#include <functional>

namespace ampera {

class CLoopTasks : public IFrameView {
  public:
    // Any thread.
    void Post(std::function<void()> task) { m_tasks.Push(std::move(task)); }
    // Runs what is queued, on the calling thread: the loop's tick, or the
    // user-interface thread while the loop is stopped.
    void RunPending() {
        for (std::function<void()>& task : m_tasks.TakeAll())
            if (task) task();
    }
    bool Idle() const { return m_tasks.Empty(); }

    // Runs after the jobs of every tick (the window's look at the experiment).
    void SetAfterTasks(std::function<void()> after) { m_after = std::move(after); }

    void Tick(long long) override {
        RunPending();
        if (m_after) m_after();
    }
    void Paint(long long) override {}
    void ClearInput() override {}

  private:
    CHandOverQueue<std::function<void()>> m_tasks;
    std::function<void()> m_after;
};

} // namespace ampera

#include "views/edit_command.h"

namespace ampera {

// A job queued on the board view like an editing command (so it runs in order
// with them), never recorded: a property-window apply, a scroll shift.
class CCallCommand : public CEditCommand {
  public:
    explicit CCallCommand(std::function<void()> job) : m_job(std::move(job)) {}
    void Do() override {
        if (m_job) m_job();
    }
    void Undo() override {}

  private:
    std::function<void()> m_job;
};

} // namespace ampera
