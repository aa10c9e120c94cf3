// A private experiment with real devices, and services whose platform and
// tool windows are fakes that run everything at once on the calling thread.
#pragma once

#include "core/experiment.h"
#include "devices/device.h"
#include "devices/kind_registry.h"
#include "views/app_services.h"
#include "views/tests/fake_tool_windows.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

namespace ampera::testing {

class FakePlatform : public IPlatformServices {
  public:
    long long SystemMilliseconds() override { return 0; }
    void SetCursorShape(int index) override { cursor = index; }
    void GetCursorPosition(int& x, int& y) override { x = y = 0; }
    void SetCursorPosition(int, int) override {}
    void PlaySound(const std::string&) override {}
    void ShowWarningBox(const std::string&) override {}
    void RunOnUi(std::function<void()> task) override { task(); }
    int cursor = -1;
};

using fakes::FakeDeviceWindow;
using fakes::FakePropertyWindow;

class AppTest : public ::testing::Test {
  protected:
    AppTest() : services(std::make_shared<FakePlatform>()) {
        ex.Solver().SetTraceStream(nullptr);
        services.SetPropertyWindowMaker([this](int i) { return &windows[i]; });
        services.SetDeviceWindowMaker([this] { return &deviceWindow; });
        for (int i = 0; i < 4; ++i)
            services.CreatePropertyWindow(i);
        services.CreateDeviceWindow();
        services.SetMainHandler([this](int code) { posted.push_back(code); });
    }

    // A device of `type` centred at (x, y), with its terminal nodes.
    CDevice* Place(int type, int x = 300, int y = 200) {
        std::unique_ptr<CComponent> prototype(CreateDevice(type));
        return static_cast<CDevice&>(*prototype).PlaceAt(ex, x, y);
    }
    static CNode* T(CComponent* device, int i) { return device->m_terminals.at(i); }
    static CRectF Region(const CDevice* device) {
        CRectF r;
        device->GetRegion(r.left, r.top, r.right, r.bottom);
        return r;
    }
    static bool SameRect(const CRectF& a, const CRectF& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
    bool Outlined(const CDevice* device) const {
        return ex.m_boardState.outlines.size() == 1 && SameRect(ex.m_boardState.outlines[0], Region(device));
    }

    CExperiment ex;
    std::array<FakePropertyWindow, 4> windows;
    FakeDeviceWindow deviceWindow;
    CAppServices services;
    std::vector<int> posted;
};

} // namespace ampera::testing
