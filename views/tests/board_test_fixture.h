// A real board view on a real experiment, driven by real board events, with
// a renderer that records what it is given and tool windows and a platform
// that record what they are asked.
#pragma once

#include "app_services.h"
#include "board_tools.h"
#include "board_view.h"
#include "renderer.h"
#include "views/tests/fake_tool_windows.h"

#include "core/experiment.h"
#include "devices/device.h"
#include "devices/kind_registry.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

namespace ampera::testing {

// Keeps a copy of every item submitted, every label and notice.
class RecordingRenderer : public CRenderer {
  public:
    struct Label {
        std::string text;
        int x, y;
    };
    void Shutdown() override {}
    bool BeginFrame(long long) override {
        ++begun;
        items.clear();
        groups.clear();
        labels.clear();
        return canBegin;
    }
    void EndFrame(long long) override { ++ended; }
    void Present() override { ++presented; }
    void SetViewRect(float, float, float, float) override {}
    bool ResetDevice() override { return true; }
    TextureHandle GetTexture(const std::string&) override { return nullptr; }
    void SetAlphaBlend(bool) override {}
    void DrawGroup(CSpriteGroup& group) override {
        groups.push_back(&group);
        for (const CDrawItem& item : group.itemsB)
            items.push_back(item);
        for (const CDrawItem& item : group.itemsA)
            items.push_back(item);
    }
    void AddLabel(const std::string& text, int x, int y) override { labels.push_back({text, x, y}); }
    void PostNotice(const CNotice& notice) override { notices.push_back(notice); }
    bool IsDeviceReady() override { return true; }
    void SetClearColour(std::uint32_t argb) override { clearColour = argb; }

    // Submitted items with this picture.
    std::vector<CDrawItem> ItemsWith(const std::string& picture) const {
        std::vector<CDrawItem> found;
        for (const CDrawItem& item : items)
            if (item.texture == picture) found.push_back(item);
        return found;
    }
    std::vector<CDrawItem> Lines() const {
        std::vector<CDrawItem> found;
        for (const CDrawItem& item : items)
            if (item.flags & DRAW_LINE) found.push_back(item);
        return found;
    }

    bool canBegin = true;
    int begun = 0, ended = 0, presented = 0;
    std::uint32_t clearColour = 0;
    std::vector<CSpriteGroup*> groups;
    std::vector<CDrawItem> items;
    std::vector<Label> labels;
    std::vector<CNotice> notices;
};

class FakePlatform : public IPlatformServices {
  public:
    long long SystemMilliseconds() override { return 0; }
    void SetCursorShape(int) override {}
    void GetCursorPosition(int& x, int& y) override { x = y = 0; }
    void SetCursorPosition(int, int) override {}
    void PlaySound(const std::string&) override {}
    void ShowWarningBox(const std::string&) override {}
    void RunOnUi(std::function<void()> task) override {
        std::lock_guard lock(mutex);
        tasks.push_back(std::move(task));
    }
    void RunUiTasks() {
        std::vector<std::function<void()>> now;
        {
            std::lock_guard lock(mutex);
            now.swap(tasks);
        }
        for (auto& task : now)
            task();
    }
    std::mutex mutex;
    std::vector<std::function<void()>> tasks;
};

using fakes::FakeDeviceWindow;
using fakes::FakePropertyWindow;

inline CBoardEvent MakeEvent(int kind, int x, int y, int modifiers = 0) {
    CBoardEvent event;
    event.kind = kind;
    event.x = x;
    event.y = y;
    event.modifiers = modifiers;
    return event;
}

class BoardViewTest : public ::testing::Test {
  protected:
    BoardViewTest() {
        ex.Solver().SetTraceStream(nullptr);
        ex.SetNoticeSink(&renderer);
        services.SetMainHandler([this](int code) { codes.push_back(code); });
        services.SetDeviceWindowMaker([this] { return &bar; });
        services.SetPropertyWindowMaker([this](int index) { return &windows[index]; });
        services.CreateDeviceWindow();
        for (int i = 0; i < CAppServices::kPropertyWindows; ++i)
            services.CreatePropertyWindow(i);
        view.SetRenderer(&renderer);
        view.InstallBoardTools();
    }

    // One event, handled in one frame.
    void Send(int kind, int x, int y, int modifiers = 0) {
        view.Deposit(Event(kind, x, y, modifiers));
        view.Tick(++now);
    }
    static CBoardEvent Event(int kind, int x, int y, int modifiers = 0) {
        return MakeEvent(kind, x, y, modifiers);
    }
    void Move(int x, int y, int modifiers = 0) { Send(EVENT_MOVE, x, y, modifiers); }
    void Click(int x, int y, int modifiers = 0) {
        Send(EVENT_LEFT_DOWN, x, y, modifiers);
        Send(EVENT_LEFT_UP, x, y, modifiers);
    }
    void Drag(int x0, int y0, int x1, int y1, int modifiers = 0) {
        Send(EVENT_LEFT_DOWN, x0, y0, modifiers);
        Move(x1, y1, modifiers);
        Send(EVENT_LEFT_UP, x1, y1, modifiers);
    }
    // The codes posted to the main window since the last call.
    std::vector<int> Codes() {
        platform->RunUiTasks();
        std::vector<int> taken;
        taken.swap(codes);
        for (int code : taken)
            if (code == kCursorMove || code == kCursorOperable || code == kCursorArrow) cursor = code;
        return taken;
    }
    // The cursor the board asked for last (it asks only for a change).
    int CursorNow() {
        Codes();
        return cursor;
    }

    // A device placed straight into the experiment, centred at (x, y).
    template <typename D> D* Place(int x, int y) {
        D prototype;
        return static_cast<D*>(prototype.PlaceAt(ex, x, y));
    }
    static CNode* T(CComponent* device, int i) { return device->m_terminals.at(i); }
    // Draws a wire with the mouse from node a to node b, clicking bends at
    // the given points on the way.
    CWire* DrawWire(CNode* a, CNode* b, std::vector<CPoint> bends = {}, int modifiers = 0) {
        const std::size_t wiresBefore = ex.Wires().size();
        Send(EVENT_LEFT_DOWN, a->m_x, a->m_y, modifiers);
        for (const CPoint& p : bends) {
            Move(p.x, p.y, modifiers);
            Send(EVENT_LEFT_DOWN, p.x, p.y, modifiers);
        }
        Move(b->m_x, b->m_y, modifiers);
        Send(EVENT_LEFT_DOWN, b->m_x, b->m_y, modifiers);
        if (ex.Wires().size() != wiresBefore + 1) return nullptr;
        return static_cast<CWire*>(*ex.Wires().rbegin());
    }
    static CRectF Region(const CDevice* d) {
        return {d->m_region[0], d->m_region[1], d->m_region[2], d->m_region[3]};
    }

    CExperiment ex;
    RecordingRenderer renderer;
    std::shared_ptr<FakePlatform> platform = std::make_shared<FakePlatform>();
    CAppServices services{platform};
    FakeDeviceWindow bar;
    FakePropertyWindow windows[CAppServices::kPropertyWindows];
    CBoardView view{ex, &services};
    std::vector<int> codes;
    int cursor = -1;
    long long now = 0;
};

} // namespace ampera::testing

namespace ampera {
inline bool operator==(const CRectF& a, const CRectF& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline std::ostream& operator<<(std::ostream& out, const CRectF& r) {
    return out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
inline std::ostream& operator<<(std::ostream& out, const CPoint& p) {
    return out << "(" << p.x << ", " << p.y << ")";
}

} // namespace ampera
