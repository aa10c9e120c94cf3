#include "app_services.h"

namespace ampera {

CAppServices::CAppServices(std::shared_ptr<IPlatformServices> platform)
    : m_platform(std::move(platform)), m_loop([this] { return GetTime(); }) {}

CAppServices::~CAppServices() {
    m_loop.Stop();
}

long long CAppServices::GetTime() {
    const long long now = m_platform->SystemMilliseconds();
    long long base = m_timeBase.load();
    if (base == kNoBase) {
        const long long wanted = now & ~0xFFFFLL;
        // Two threads may ask first at once: one base wins for both.
        if (m_timeBase.compare_exchange_strong(base, wanted)) base = wanted;
    }
    return now - base;
}

void CAppServices::SetCursorShape(int index) {
    if (index >= 0 && index <= 2) m_platform->SetCursorShape(index);
}

void CAppServices::GetCursorPosition(int& x, int& y) {
    m_platform->GetCursorPosition(x, y);
}

void CAppServices::SetCursorPosition(int x, int y) {
    m_platform->SetCursorPosition(x, y);
}

bool CAppServices::StartLoop() {
    return m_loop.Start();
}

bool CAppServices::StopLoop() {
    // The windows let go of their devices once the loop has ended, not
    // before: until then the loop may still be painting them.
    const bool stopped = m_loop.Stop();
    if (!stopped) return true;
    std::array<IPropertyWindow*, kPropertyWindows> windows;
    {
        std::lock_guard lock(m_windowMutex);
        windows = m_propertyWindows;
    }
    for (IPropertyWindow* window : windows)
        if (window) window->ClearDevice();
    return true;
}

void CAppServices::ShowWarning(int quiet, const std::string& text) {
    if (quiet) return;
    std::shared_ptr<IPlatformServices> platform = m_platform;
    m_platform->RunOnUi([platform, text] { platform->ShowWarningBox(text); });
}

bool CAppServices::CreatePropertyWindow(int index) {
    if (index < 0 || index >= kPropertyWindows) return false;
    std::function<IPropertyWindow*(int)> maker;
    {
        std::lock_guard lock(m_windowMutex);
        if (m_propertyWindows[index] || !m_propertyMaker) return true;
        maker = m_propertyMaker;
    }
    // Made without the lock: a new window may well ask the services for things.
    IPropertyWindow* window = maker(index);
    std::lock_guard lock(m_windowMutex);
    if (!m_propertyWindows[index]) m_propertyWindows[index] = window;
    return true;
}

bool CAppServices::CreateDeviceWindow() {
    std::function<IDeviceWindow*()> maker;
    {
        std::lock_guard lock(m_windowMutex);
        if (m_deviceWindow || !m_deviceMaker) return true;
        maker = m_deviceMaker;
    }
    IDeviceWindow* window = maker();
    std::lock_guard lock(m_windowMutex);
    if (!m_deviceWindow) m_deviceWindow = window;
    return true;
}

IPropertyWindow* CAppServices::GetPropertyWindow(int index) const {
    if (index < 0 || index >= kPropertyWindows) return nullptr;
    std::lock_guard lock(m_windowMutex);
    return m_propertyWindows[index];
}

IDeviceWindow* CAppServices::GetDeviceWindow() const {
    std::lock_guard lock(m_windowMutex);
    return m_deviceWindow;
}

void CAppServices::SetMainHandler(std::function<void(int)> handler) {
    std::lock_guard lock(m_windowMutex);
    m_mainHandler = std::move(handler);
}

void CAppServices::SetPropertyWindowMaker(std::function<IPropertyWindow*(int)> maker) {
    std::lock_guard lock(m_windowMutex);
    m_propertyMaker = std::move(maker);
}

void CAppServices::SetDeviceWindowMaker(std::function<IDeviceWindow*()> maker) {
    std::lock_guard lock(m_windowMutex);
    m_deviceMaker = std::move(maker);
}

void CAppServices::PostToMain(int code) {
    std::function<void(int)> handler;
    {
        std::lock_guard lock(m_windowMutex);
        handler = m_mainHandler;
    }
    if (handler) m_platform->RunOnUi([handler, code] { handler(code); });
}

void CAppServices::Post(std::function<void()> task) {
    m_platform->RunOnUi(std::move(task));
}

void CAppServices::PlaySoundFile(const std::string& path) {
    bool play;
    {
        std::lock_guard lock(m_soundMutex);
        const long long now = m_platform->SystemMilliseconds();
        if (path == m_lastSound) {
            play = now - m_lastSoundTime > kSoundRepeatPause;
        } else {
            m_lastSound = path;
            play = true;
        }
        m_lastSoundTime = now;
    }
    if (play) m_platform->PlaySound(path);
}

} // namespace ampera
