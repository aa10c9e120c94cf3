#include "frame_loop.h"

#include "activity.h"
#include "core/experiment.h"

#include <algorithm>
#include <chrono>

namespace ampera {

void CFrameLoop::SetExperiment(CExperiment* experiment) {
    std::lock_guard lock(m_frameMutex);
    m_experiment = experiment;
}

void CFrameLoop::Register(IFrameView* view) {
    std::lock_guard lock(m_frameMutex);
    if (std::find(m_views.begin(), m_views.end(), view) == m_views.end()) m_views.push_back(view);
}

void CFrameLoop::Unregister(IFrameView* view) {
    std::lock_guard lock(m_frameMutex);
    std::erase(m_views, view);
}

bool CFrameLoop::Start() {
    std::lock_guard control(m_control);
    if (m_thread.joinable()) {
        if (!m_stop.load()) return true; // already running
        m_thread.join();                 // asked to end from inside; finish that first
    }
    m_stop.store(false);
    m_running.store(true);
    m_thread = std::thread([this] { Run(); });
    return true;
}

bool CFrameLoop::Stop() {
    m_stop.store(true);
    CActivity::Note(); // a resting loop sees the stop at once
    if (std::this_thread::get_id() == m_loopThread.load()) return false;
    {
        std::lock_guard control(m_control);
        if (m_thread.joinable()) m_thread.join();
    }
    std::lock_guard lock(m_frameMutex);
    for (IFrameView* view : m_views)
        view->ClearInput();
    return true;
}

void CFrameLoop::Run() {
    m_loopThread.store(std::this_thread::get_id());
    std::uint64_t seen = CActivity::Count();
    int quiet = 0;
    while (!m_stop.load()) {
        if (quiet < kQuietFrames)
            std::this_thread::sleep_for(std::chrono::milliseconds(kSleepMilliseconds));
        else
            CActivity::WaitPast(seen, kRestMilliseconds);
        if (m_stop.load()) break;
        const long long t = m_clock();
        std::lock_guard lock(m_frameMutex);
        if (m_experiment) m_experiment->UpdateCircuit(t);
        for (IFrameView* view : m_views)
            view->Tick(t);
        for (auto it = m_views.rbegin(); it != m_views.rend(); ++it)
            (*it)->Paint(t);
        const std::uint64_t now = CActivity::Count();
        quiet = now == seen ? quiet + 1 : 0;
        seen = now;
    }
    m_loopThread.store(std::thread::id());
    m_running.store(false);
}

} // namespace ampera
