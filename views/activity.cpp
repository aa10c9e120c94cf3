#include "activity.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace ampera {

namespace {
std::atomic<std::uint64_t> g_count{0};
std::mutex g_mutex;
std::condition_variable g_changed;
} // namespace

void CActivity::Note() {
    {
        // Under the lock, so a loop between reading the count and waiting
        // cannot miss the wake-up.
        std::lock_guard lock(g_mutex);
        g_count.fetch_add(1, std::memory_order_relaxed);
    }
    g_changed.notify_all();
}

std::uint64_t CActivity::Count() { return g_count.load(std::memory_order_relaxed); }

void CActivity::WaitPast(std::uint64_t seen, int milliseconds) {
    std::unique_lock lock(g_mutex);
    g_changed.wait_for(lock, std::chrono::milliseconds(milliseconds),
                       [seen] { return g_count.load(std::memory_order_relaxed) != seen; });
}

} // namespace ampera
