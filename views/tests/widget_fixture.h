// Shared pieces of the widget tests: a platform that records what it is
// asked for and runs user-interface tasks through the Qt event queue, and
// property windows that only record what the device bar does with them.
#pragma once

#include "app_services.h"
#include "views/tests/fake_tool_windows.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

namespace ampera::test {

class RecordingPlatform : public IPlatformServices {
  public:
    long long SystemMilliseconds() override { return clock.load(); }
    void SetCursorShape(int) override {}
    void GetCursorPosition(int& x, int& y) override { x = y = 0; }
    void SetCursorPosition(int, int) override {}
    void PlaySound(const std::string&) override {}
    void ShowWarningBox(const std::string& text) override {
        std::lock_guard lock(mutex);
        warnings.push_back(text);
    }
    void RunOnUi(std::function<void()> task) override {
        QMetaObject::invokeMethod(qApp, std::move(task), Qt::QueuedConnection);
    }
    std::vector<std::string> Warnings() {
        std::lock_guard lock(mutex);
        return warnings;
    }

    std::atomic<long long> clock{0x10000};

  private:
    std::mutex mutex;
    std::vector<std::string> warnings;
};

using RecordingPropertyWindow = fakes::FakePropertyWindow;

} // namespace ampera::test
