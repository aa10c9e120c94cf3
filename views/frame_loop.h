// The frame loop: one worker thread that, about a hundred times a second,
// updates the experiment, lets every registered view take its input and then
// paints every view. When nothing has passed between the threads for a
// while (no input, no queued work, no view with a changed picture), it rests:
// a frame every kRestMilliseconds, or at once when something arrives.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace ampera {

class CExperiment;

// A view driven by the loop.
class IFrameView {
  public:
    virtual ~IFrameView() = default;
    // Handles at most one input event and the work queued for the view.
    virtual void Tick(long long time) = 0;
    virtual void Paint(long long time) = 0;
    // Drops input deposited but not yet handled.
    virtual void ClearInput() = 0;
};

class CFrameLoop {
  public:
    using Clock = std::function<long long()>;
    static constexpr int kSleepMilliseconds = 10;
    static constexpr int kQuietFrames = 20;      // frames without activity before resting
    static constexpr int kRestMilliseconds = 40; // a display's change still shows within this

    explicit CFrameLoop(Clock clock) : m_clock(std::move(clock)) {}
    ~CFrameLoop() { Stop(); }
    CFrameLoop(const CFrameLoop&) = delete;
    CFrameLoop& operator=(const CFrameLoop&) = delete;

    // The experiment updated every frame (may be null).
    void SetExperiment(CExperiment* experiment);
    // Views tick in registration order and paint in reverse order.
    // Unregistering waits for a frame in progress, so the view is not used
    // once this returns. Neither may be called from inside Tick or Paint.
    void Register(IFrameView* view);
    void Unregister(IFrameView* view);

    // Starts the loop thread unless it runs already.
    bool Start();
    // Sets the stop flag and returns only after the loop thread has ended,
    // then clears the pending input of every view. From the loop thread
    // itself it can only ask the loop to end, and returns false.
    bool Stop();
    bool Running() const { return m_running.load(); }

  private:
    void Run();

    Clock m_clock;
    std::mutex m_control; // Start and Stop
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_running{false};
    std::atomic<std::thread::id> m_loopThread{};
    std::mutex m_frameMutex; // held for a whole frame; guards the lists below
    std::vector<IFrameView*> m_views;
    CExperiment* m_experiment = nullptr;
};

} // namespace ampera
