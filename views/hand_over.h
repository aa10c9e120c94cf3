// The points where the user-interface thread and the frame-loop thread meet.
// Each is deposited into and taken from atomically: a finished frame by one
// atomic exchange, queued work and single-slot inputs under one lock each.
#pragma once

#include "activity.h"
#include "frame.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

namespace ampera {

// The newest finished frame of one view. The loop publishes, the window takes
// and, when done drawing, hands the frame back so its buffers are reused.
class CFrameSlot {
  public:
    CFrameSlot() = default;
    CFrameSlot(const CFrameSlot&) = delete;
    CFrameSlot& operator=(const CFrameSlot&) = delete;
    ~CFrameSlot() {
        delete m_pending.exchange(nullptr);
        delete m_spare.exchange(nullptr);
    }

    // Called after every Publish, on the publishing thread (a window asks
    // for a repaint). Set it before frames flow.
    void SetNotify(std::function<void()> notify) {
        std::lock_guard lock(m_notifyMutex);
        m_notify = std::move(notify);
    }

    // Whether the window can draw (it has a graphics context). The renderer
    // skips frames while it cannot.
    void SetReady(bool ready) { m_ready.store(ready); }
    bool Ready() const { return m_ready.load(); }

    // The window could not draw the last frame it took (the graphics device
    // refused the vertex storage); the renderer says so on the board.
    void ReportDrawFailure() { m_drawFailed.store(true); }
    bool TakeDrawFailure() { return m_drawFailed.exchange(false); }

    // Replaces the pending frame; one nobody took becomes the spare.
    void Publish(std::unique_ptr<CFrame> frame) {
        CFrame* older = m_pending.exchange(frame.release(), std::memory_order_acq_rel);
        if (older) Recycle(std::unique_ptr<CFrame>(older));
        CActivity::Note();
        std::lock_guard lock(m_notifyMutex);
        if (m_notify) m_notify();
    }
    // The newest frame, or null when none arrived since the last Take.
    std::unique_ptr<CFrame> Take() {
        return std::unique_ptr<CFrame>(m_pending.exchange(nullptr, std::memory_order_acq_rel));
    }
    // Gives a drawn frame back for reuse.
    void Recycle(std::unique_ptr<CFrame> frame) {
        delete m_spare.exchange(frame.release(), std::memory_order_acq_rel);
    }
    // A frame to fill: the spare, or a new one.
    std::unique_ptr<CFrame> Spare() {
        std::unique_ptr<CFrame> frame(m_spare.exchange(nullptr, std::memory_order_acq_rel));
        return frame ? std::move(frame) : std::make_unique<CFrame>();
    }

  private:
    std::atomic<CFrame*> m_pending{nullptr};
    std::atomic<CFrame*> m_spare{nullptr};
    std::atomic<bool> m_ready{true};
    std::atomic<bool> m_drawFailed{false};
    std::mutex m_notifyMutex; // the window may go away while the loop publishes
    std::function<void()> m_notify;
};

// Work queued by one thread for the other, taken all at once.
template <class T> class CHandOverQueue {
  public:
    void Push(T item) {
        {
            std::lock_guard lock(m_mutex);
            m_items.push_back(std::move(item));
        }
        CActivity::Note();
    }
    std::vector<T> TakeAll() {
        std::vector<T> taken;
        std::lock_guard lock(m_mutex);
        taken.swap(m_items);
        return taken;
    }
    void Clear() {
        std::vector<T> dropped;
        {
            std::lock_guard lock(m_mutex);
            dropped.swap(m_items);
        }
    }
    bool Empty() const {
        std::lock_guard lock(m_mutex);
        return m_items.empty();
    }

  private:
    mutable std::mutex m_mutex;
    std::vector<T> m_items;
};

// A single-slot mailbox: a new deposit replaces one not yet taken.
template <class T> class CMailbox {
  public:
    void Deposit(T item) {
        {
            std::lock_guard lock(m_mutex);
            m_item = std::move(item);
        }
        CActivity::Note();
    }
    std::optional<T> Take() {
        std::lock_guard lock(m_mutex);
        std::optional<T> taken = std::move(m_item);
        m_item.reset();
        return taken;
    }
    void Clear() {
        std::lock_guard lock(m_mutex);
        m_item.reset();
    }
    bool Empty() const {
        std::lock_guard lock(m_mutex);
        return !m_item.has_value();
    }

  private:
    mutable std::mutex m_mutex;
    std::optional<T> m_item;
};

} // namespace ampera
