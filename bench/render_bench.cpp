// Cost of building one frame on the frame-loop thread: a board of 100
// devices with their nodes and wires (DrawGroup of every board group, names
// as labels, EndFrame, Present), and the text of 40 labels alone. The
// pictures come from a loader that makes them in memory, so the figures are
// the renderer's own work, not disk reads.
#include "core/experiment.h"
#include "devices/device.h"
#include "devices/kind_registry.h"
#include "frame_renderer.h"

#include <benchmark/benchmark.h>

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

// 100 devices of mixed kinds in rows, each joined to the next by a wire
// with one bend, so nodes and wires are drawn as well.
void BuildBoard(CExperiment& ex, int devices) {
    static constexpr int kKinds[] = {
        TYPE_RESISTANCE, TYPE_RESISTANCE_BOX, TYPE_CAPACITANCE,   TYPE_DC_SOURCE,  TYPE_DC_VOLTMETER,
        TYPE_DC_AMMETER, TYPE_MULTIMETER,     TYPE_SINGLE_SWITCH, TYPE_INDUCTANCE, TYPE_DIODE};
    std::vector<std::unique_ptr<CComponent>> prototypes;
    CDevice* previous = nullptr;
    for (int k = 0; k < devices; ++k) {
        const int type = kKinds[k % std::size(kKinds)];
        prototypes.emplace_back(CreateDevice(type));
        auto* prototype = static_cast<CDevice*>(prototypes.back().get());
        CDevice* device = prototype->PlaceAt(ex, 80 + (k % 10) * 100, 80 + (k / 10) * 90);
        if (previous && !previous->m_terminals.empty() && !device->m_terminals.empty()) {
            CWire* wire = ex.AddWire(previous->m_terminals.back(), device->m_terminals.front());
            if (wire->m_points.size() >= 2) {
                const CPoint a = wire->m_points.front(), b = wire->m_points.back();
                wire->m_points.insert(wire->m_points.begin() + 1, CPoint{a.x, b.y});
                wire->RebuildLines();
            }
        }
        previous = device;
    }
}

void DrawBoard(CFrameRenderer& renderer, CExperiment& ex, long long time) {
    renderer.BeginFrame(time);
    for (CComponent* wire : ex.Wires())
        renderer.DrawGroup(wire->m_boardGroup);
    for (CComponent* node : ex.Nodes())
        renderer.DrawGroup(node->m_boardGroup);
    for (CComponent* device : ex.Devices()) {
        renderer.DrawGroup(device->m_boardGroup);
        const auto* d = static_cast<CDevice*>(device);
        renderer.AddLabel(device->m_name, static_cast<int>(d->m_region[0]),
                          static_cast<int>(d->m_region[3]) + 2);
    }
    renderer.EndFrame(time);
    renderer.Present();
}

void BM_BoardFrame(benchmark::State& state) {
    CExperiment ex;
    ex.Solver().SetTraceStream(nullptr);
    BuildBoard(ex, static_cast<int>(state.range(0)));
    ex.UpdateCircuit(0); // devices fill their displays
    auto slot = std::make_shared<CFrameSlot>();
    CFrameRenderer renderer(std::make_shared<CRenderResources>(std::make_shared<MemoryLoader>()), nullptr,
                            slot);
    renderer.SetViewRect(0, 30, 1152, 780);
    long long t = 0;
    std::size_t vertices = 0;
    for (auto _ : state) {
        DrawBoard(renderer, ex, t += 10);
        // The window's side: take the frame and give it back for reuse. A
        // frame that draws what the last one did is not handed over.
        if (std::unique_ptr<CFrame> frame = slot->Take()) {
            vertices = frame->vertices.size();
            slot->Recycle(std::move(frame));
        } else if (const CFrame* kept = renderer.LastFrame()) {
            vertices = kept->vertices.size();
        }
    }
    state.counters["objects"] = static_cast<double>(ex.AllObjects().size());
    state.counters["vertices"] = static_cast<double>(vertices);
}
BENCHMARK(BM_BoardFrame)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

void BM_LabelText(benchmark::State& state) {
    CFrameRenderer renderer(std::make_shared<CRenderResources>(std::make_shared<MemoryLoader>()), nullptr);
    renderer.SetViewRect(0, 0, 1152, 780);
    std::vector<std::string> labels;
    for (int k = 0; k < static_cast<int>(state.range(0)); ++k) {
        std::string label = k % 2 ? "R" : "电阻";
        label += std::to_string(k + 1);
        label += ' ';
        label += std::to_string(100 * (k + 1));
        label += "Ω";
        labels.push_back(std::move(label));
    }
    long long t = 0;
    for (auto _ : state) {
        renderer.BeginFrame(t += 10);
        for (std::size_t k = 0; k < labels.size(); ++k)
            renderer.AddLabel(labels[k], static_cast<int>(k % 8) * 140, static_cast<int>(k / 8) * 20);
        renderer.EndFrame(t);
        benchmark::DoNotOptimize(renderer.LastFrame()->vertices.data());
    }
}
BENCHMARK(BM_LabelText)->Arg(40)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
