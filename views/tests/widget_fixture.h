// Shared pieces of the widget tests: a platform that records what it is
// asked for and runs user-interface tasks through the Qt event queue, and
// property windows that only record what the device bar does with them.
#pragma once

#include "app_services.h"

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

class RecordingPropertyWindow : public IPropertyWindow {
  public:
    void Show() override { visible = true; }
    void Hide() override { visible = false; }
    bool IsVisible() const override { return visible; }
    void SetDevice(CComponent* d, int index) override {
        device = d;
        setIndex = index;
        ++setCount;
    }
    void SetPanelDevice(CComponent*) override {}
    void HideIfShowing(CComponent* d) override {
        if (d == device) visible = false;
    }
    bool Flag() const override { return flag; }
    void SetFlag(bool f) override { flag = f; }
    void ClearDevice() override { device = nullptr; }

    bool visible = false;
    bool flag = false;
    CComponent* device = nullptr;
    int setIndex = -1;
    int setCount = 0;
};

} // namespace ampera::test
