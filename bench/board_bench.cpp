// One frame of the board while the user drags a device that ten wires hang
// on: the mouse move goes through the board view's mailbox and tool
// controller (the device, its nodes and every wire end follow), the idle
// circuit update runs, and the whole board is painted through the real frame
// renderer (every board group, names and values as labels, the red outline).
// Pictures come from a loader that makes them in memory, so the figure is the
// program's own work per frame, not disk reads.
#include "board_edits.h"
#include "board_tools.h"
#include "board_view.h"
#include "core/experiment.h"
#include "devices/device.h"
#include "devices/kind_registry.h"
#include "frame_renderer.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace ampera;

class MemoryLoader : public ITextureLoader {
  public:
    std::shared_ptr<CTextureImage> Load(const std::string&) override {
        auto image = std::make_shared<CTextureImage>();
        image->width = image->height = 64;
        image->pixels.assign(64 * 64, 0xFFFFFFFFu);
        return image;
    }
};

CDevice* PlaceDevice(CExperiment& ex, int type, int x, int y) {
    std::unique_ptr<CComponent> prototype(CreateDevice(type));
    return static_cast<CDevice*>(prototype.get())->PlaceAt(ex, x, y);
}

// `others` devices in rows; the dragged resistor in the middle with ten
// wires (two bends each) to terminals of the first ten of them.
CDevice* BuildBoard(CExperiment& ex, int others) {
    static constexpr int kKinds[] = {TYPE_RESISTANCE,     TYPE_CAPACITANCE,   TYPE_INDUCTANCE,
                                     TYPE_DC_VOLTMETER,   TYPE_SINGLE_SWITCH, TYPE_DIODE,
                                     TYPE_RESISTANCE_BOX, TYPE_SLIDE_RHEOSTAT};
    std::vector<CDevice*> devices;
    for (int k = 0; k < others; ++k)
        devices.push_back(
            PlaceDevice(ex, kKinds[k % std::size(kKinds)], 80 + (k % 10) * 105, 60 + (k / 10) * 150));
    CDevice* dragged = PlaceDevice(ex, TYPE_RESISTANCE, 560, 420);
    for (int w = 0; w < 10 && w < others; ++w) {
        CNode* from = dragged->m_terminals[w % 2];
        CNode* to = devices[w]->m_terminals.back();
        CWire* wire = ex.AddWire(from, to);
        const CPoint a = wire->m_points.front(), b = wire->m_points.back();
        const int midX = (a.x + b.x) / 2;
        wire->m_points = {a, {midX, a.y}, {midX, b.y}, b};
        wire->RebuildLines();
    }
    return dragged;
}

CBoardEvent Event(int kind, int x, int y) {
    CBoardEvent event;
    event.kind = kind;
    event.x = x;
    event.y = y;
    return event;
}

void BM_DragDeviceWithTenWires(benchmark::State& state) {
    CExperiment ex;
    ex.Solver().SetTraceStream(nullptr);
    CDevice* dragged = BuildBoard(ex, static_cast<int>(state.range(0)));
    auto slot = std::make_shared<CFrameSlot>();
    CFrameRenderer renderer(std::make_shared<CRenderResources>(std::make_shared<MemoryLoader>()), nullptr,
                            slot);
    renderer.SetViewRect(0, 36, 1152, 780);
    ex.SetNoticeSink(&renderer);
    CBoardView view(ex, nullptr);
    view.SetRenderer(&renderer);
    view.InstallBoardTools();
    ex.UpdateCircuit(0);

    // Press on the device: the move tool takes it.
    const int cx = static_cast<int>((dragged->m_region[0] + dragged->m_region[2]) / 2);
    const int cy = static_cast<int>((dragged->m_region[1] + dragged->m_region[3]) / 2);
    view.Deposit(Event(EVENT_LEFT_DOWN, cx, cy));
    view.Tick(0);
    if (ex.m_boardState.selection != dragged) {
        state.SkipWithError("the press did not pick up the dragged device");
        return;
    }
    const float startLeft = dragged->m_region[0];

    long long t = 0;
    int step = 0;
    std::size_t vertices = 0;
    for (auto _ : state) {
        // Back and forth across the board, a few pixels per frame.
        const int phase = step++ % 400;
        const int dx = phase < 200 ? phase * 3 : (400 - phase) * 3;
        view.Deposit(Event(EVENT_MOVE, cx - 300 + dx, cy + dx / 4));
        t += 10;
        ex.UpdateCircuit(t);
        view.Tick(t);
        view.Paint(t);
        // The window's side: take the frame and give it back for reuse.
        std::unique_ptr<CFrame> frame = slot->Take();
        vertices = frame ? frame->vertices.size() : 0;
        if (frame) slot->Recycle(std::move(frame));
    }
    if (dragged->m_region[0] == startLeft && step > 1)
        state.SkipWithError("the device did not follow the pointer");
    state.counters["objects"] = static_cast<double>(ex.AllObjects().size());
    state.counters["vertices"] = static_cast<double>(vertices);
}
BENCHMARK(BM_DragDeviceWithTenWires)->Arg(20)->Arg(100)->Unit(benchmark::kMicrosecond);

// What a gesture on the board costs for its undo step: the whole board is
// taken when the button goes down and again when it comes up, and the two
// are compared (here a drag of the resistor with its ten wires).
void BM_UndoStepOfADrag(benchmark::State& state) {
    CExperiment ex;
    ex.Solver().SetTraceStream(nullptr);
    CDevice* dragged = BuildBoard(ex, static_cast<int>(state.range(0)));
    CCommandHistory history;
    CEditRecorder recorder(ex, history, nullptr);
    int dx = 1;
    for (auto _ : state) {
        recorder.BeginGesture();
        NudgeDevice(ex, *dragged, dx, 0);
        dx = -dx;
        recorder.EndGesture("移动", 0);
    }
    state.counters["objects"] = static_cast<double>(ex.AllObjects().size());
    state.counters["steps"] = static_cast<double>(history.UndoSize());
}
BENCHMARK(BM_UndoStepOfADrag)->Arg(100)->Arg(300)->Arg(1000)->Unit(benchmark::kMicrosecond);

} // namespace
