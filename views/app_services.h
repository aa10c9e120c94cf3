// The process-wide services the views and the main window share: the
// millisecond time base, cursors, the frame loop, warning boxes, the tool
// windows, posting to the main window, and sounds. The platform part (clock,
// sound output, cursors, message boxes, the user-interface thread's queue) is
// behind IPlatformServices; everything here is plain C++.
#pragma once

#include "core/notice.h"
#include "frame_loop.h"
#include "frame_renderer.h"

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

namespace ampera {

class CExperiment;
class CEditRecorder;

class IPlatformServices {
  public:
    virtual ~IPlatformServices() = default;
    // The system's millisecond clock.
    virtual long long SystemMilliseconds() = 0;
    // 0 = arrow, 1 = four-way move, 2 = up-arrow.
    virtual void SetCursorShape(int index) = 0;
    virtual void GetCursorPosition(int& x, int& y) = 0;
    virtual void SetCursorPosition(int x, int y) = 0;
    // Starts playing a sound file and returns at once; a missing file or
    // audio device plays nothing and reports nothing.
    virtual void PlaySound(const std::string& path) = 0;
    // A modal box with caption "Warning" and OK. Called on the UI thread only.
    virtual void ShowWarningBox(const std::string& text) = 0;
    // Queues a task for the user-interface thread and returns at once.
    virtual void RunOnUi(std::function<void()> task) = 0;
};

// Tool windows created through the services (property windows, device bar).
// The board view calls these from the frame-loop thread: an implementation
// that owns widgets carries Show, Hide and the device changes over to the
// user-interface thread and answers IsVisible and PendingDevice from state it
// keeps thread-safe.
class IToolWindow {
  public:
    virtual ~IToolWindow() = default;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual bool IsVisible() const = 0;
};

class CComponent;

// The device bar as the board view sees it.
class IDeviceWindow : public IToolWindow {
  public:
    // The template of the last clicked device button, or null.
    virtual CComponent* PendingDevice() const = 0;
    // Every button back to normal; no pending device.
    virtual void Release() = 0;
};

class IPropertyWindow : public IToolWindow {
  public:
    // Shows the device (null: none) in this window's pages; `index` is the
    // window's own index.
    virtual void SetDevice(CComponent* device, int index) = 0;
    // Only the panel page takes the device.
    virtual void SetPanelDevice(CComponent* device) = 0;
    // Hides the window when it shows that device (the device stays set).
    virtual void HideIfShowing(CComponent* device) = 0;
    // A flag kept for the main window.
    virtual bool Flag() const = 0;
    virtual void SetFlag(bool flag) = 0;
    // Stops showing any device (the experiment is about to change).
    virtual void ClearDevice() = 0;
    // Stops showing `device` if it shows it (an undo takes it off the board
    // and may free it later).
    virtual void ClearIfShowing(CComponent* /*device*/) {}
    // Shows `device` afresh if it shows it (an undo changed its values).
    virtual void RefreshIfShowing(CComponent* /*device*/) {}
};

class CAppServices : public IWarningServices, public ISoundPlayer {
  public:
    static constexpr int kPropertyWindows = 4;
    static constexpr long long kSoundRepeatPause = 200; // ms

    explicit CAppServices(std::shared_ptr<IPlatformServices> platform);
    ~CAppServices() override;
    CAppServices(const CAppServices&) = delete;
    CAppServices& operator=(const CAppServices&) = delete;

    // Milliseconds since the time base, which the first call fixes at the
    // system clock with its low 16 bits cleared.
    long long GetTime();
    void SetCursorShape(int index);
    void GetCursorPosition(int& x, int& y);
    void SetCursorPosition(int x, int y);
    bool StartLoop();
    // Returns only after the loop thread has ended; then no update, tick or
    // paint runs, every view's pending input is cleared and the property
    // windows show no device.
    bool StopLoop();
    // Asks the user-interface thread for a modal "Warning" box (quiet != 0:
    // nothing). Returns at once.
    void ShowWarning(int quiet, const std::string& text) override;
    bool CreatePropertyWindow(int index);
    bool CreateDeviceWindow();
    IPropertyWindow* GetPropertyWindow(int index) const;
    IDeviceWindow* GetDeviceWindow() const;
    // Queues the code for the main window's handler on the UI thread.
    void PostToMain(int code);
    // Plays a sound; the same file again plays only after its requests
    // paused for more than 200 ms, another file plays at once.
    void PlaySoundFile(const std::string& path) override;

    // Wiring done by the main window.
    void SetExperiment(CExperiment* experiment) { m_loop.SetExperiment(experiment); }
    void RegisterView(IFrameView* view) { m_loop.Register(view); }
    void UnregisterView(IFrameView* view) { m_loop.Unregister(view); }
    bool LoopRunning() const { return m_loop.Running(); }
    void SetMainHandler(std::function<void(int code)> handler);
    // Makers of the tool windows; the windows belong to whoever the makers
    // give them to (a parent window), the services only remember them.
    void SetPropertyWindowMaker(std::function<IPropertyWindow*(int index)> maker);
    void SetDeviceWindowMaker(std::function<IDeviceWindow*()> maker);
    // Runs a task on the user-interface thread.
    void Post(std::function<void()> task);
    // Where the panels and parameter pages record their edits as undo steps
    // (null: not recorded). Set before the tool windows are made.
    void SetEditRecorder(CEditRecorder* recorder) { m_recorder.store(recorder); }
    CEditRecorder* EditRecorder() const { return m_recorder.load(); }
    IPlatformServices& Platform() { return *m_platform; }

  private:
    static constexpr long long kNoBase = -1;
    std::shared_ptr<IPlatformServices> m_platform;
    std::atomic<long long> m_timeBase{kNoBase};
    std::atomic<CEditRecorder*> m_recorder{nullptr};
    CFrameLoop m_loop;

    mutable std::mutex m_windowMutex;
    std::array<IPropertyWindow*, kPropertyWindows> m_propertyWindows{};
    IDeviceWindow* m_deviceWindow = nullptr;
    std::function<IPropertyWindow*(int)> m_propertyMaker;
    std::function<IDeviceWindow*()> m_deviceMaker;
    std::function<void(int)> m_mainHandler;

    std::mutex m_soundMutex;
    std::string m_lastSound;
    long long m_lastSoundTime = 0;
};

} // namespace ampera
