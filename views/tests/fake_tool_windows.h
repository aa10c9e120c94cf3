// Tool windows that only record what the board, the commands and the device
// bar ask of them, for tests that need no widgets.
#pragma once

#include "views/app_services.h"

namespace ampera::fakes {

struct FakePropertyWindow : IPropertyWindow {
    void Show() override { visible = true, ++shown; }
    void Hide() override { visible = false, ++hidden; }
    bool IsVisible() const override { return visible; }
    void SetDevice(CComponent* d, int index) override {
        device = d;
        setIndex = index;
        ++setCount;
    }
    void SetPanelDevice(CComponent* d) override { device = d; }
    void HideIfShowing(CComponent* d) override {
        if (device == d) visible = false;
    }
    bool Flag() const override { return flag; }
    void SetFlag(bool f) override { flag = f; }
    void ClearDevice() override {
        device = nullptr;
        ++cleared;
    }
    void ClearIfShowing(CComponent* d) override {
        if (device == d) ClearDevice();
    }
    void RefreshIfShowing(CComponent* d) override {
        if (device == d) ++refreshed;
    }

    bool visible = false;
    bool flag = false;
    CComponent* device = nullptr;
    int shown = 0, hidden = 0, cleared = 0, refreshed = 0;
    int setIndex = -1, setCount = 0;
};

struct FakeDeviceWindow : IDeviceWindow {
    void Show() override { visible = true; }
    void Hide() override { visible = false; }
    bool IsVisible() const override { return visible; }
    CComponent* PendingDevice() const override { return pending; }
    void Release() override {
        pending = nullptr;
        ++released;
    }
    bool visible = false;
    CComponent* pending = nullptr;
    int released = 0;
};

} // namespace ampera::fakes
