// The Qt side of the application services: the clock, sound, cursors,
// "Warning" boxes and the user-interface thread's event queue. Construct it
// on the user-interface thread after the QApplication.
#pragma once

#include "app_services.h"

#include <QCursor>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <array>
#include <chrono>
#include <map>
#include <memory>
#include <optional>

class QSoundEffect;

namespace ampera {

class CQtPlatform : public IPlatformServices {
  public:
    CQtPlatform();
    ~CQtPlatform() override;

    // The window boxes are centred over (and cursors are set on without a
    // cursor target).
    void SetMainWindow(QWidget* window);
    // The widget the board's cursors are set on.
    void SetCursorTarget(QWidget* widget);

    long long SystemMilliseconds() override;
    void SetCursorShape(int index) override;
    void GetCursorPosition(int& x, int& y) override;
    void SetCursorPosition(int x, int y) override;
    void PlaySound(const std::string& path) override;
    void ShowWarningBox(const std::string& text) override;
    void RunOnUi(std::function<void()> task) override;

  private:
    void PlayOnUi(const QString& path);

    std::unique_ptr<QObject> m_context; // lives on the UI thread; queued tasks die with it
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_cursorTarget;
    std::array<std::optional<QCursor>, 3> m_cursors; // made once, on first use
    std::map<QString, QSoundEffect*> m_sounds;       // children of m_context
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

} // namespace ampera
