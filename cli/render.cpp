// ampera-render: one frame of a view of an experiment, through the same
// renderer and OpenGL backend as the window, written to a PNG.
#include "render.h"

#include "core/experiment.h"
#include "devices/device.h"
#include "devices/kind_registry.h"
#include "devices/screen_instrument.h"
#include "document/experiment_file.h"
#include "views/renderer_factory.h"

#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace ampera {

namespace {
constexpr int kExitUnreadable = 2;
constexpr int kExitUsage = 64;

int Fail(int status, const std::string& message) {
    std::fprintf(stderr, "ampera-render: %s\n", message.c_str());
    return status;
}
} // namespace

int Render(const CRenderRequest& request, int argc, char** argv) {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (!platform && (!display || !*display) && (!wayland || !*wayland))
        return Fail(kExitUnreadable, "no display to draw with: run it under xvfb-run -a");

    CExperiment experiment;
    experiment.Solver().SetTraceStream(nullptr);
    std::string error;
    if (!LoadFile(experiment, request.file, request.time, &error)) return Fail(kExitUnreadable, error);

    CRenderScene scene;
    scene.time = request.time;
    if (request.view == "board") {
        scene.view = {0, 0, static_cast<float>(request.width), static_cast<float>(request.height)};
        // Devices first, then their terminal nodes and the wires, as the board draws them.
        for (const ObjectSet* set : {&experiment.Devices(), &experiment.Nodes(), &experiment.Wires()})
            for (CComponent* object : *set)
                scene.groups.push_back(&object->m_boardGroup);
    } else if (request.view.rfind("panel:", 0) == 0 || request.view.rfind("screen:", 0) == 0) {
        const bool screenOnly = request.view[0] == 's';
        const std::string id = request.view.substr(request.view.find(':') + 1);
        CDevice* device = nullptr;
        for (CComponent* object : experiment.Devices())
            if (std::to_string(object->Id()) == id) device = dynamic_cast<CDevice*>(object);
        if (!device) return Fail(kExitUsage, "no device with id " + id + " in " + request.file);
        if (device->m_panelGroup.itemsB.empty())
            return Fail(kExitUsage, device->m_name + " has no front panel");
        float right = 0, bottom = 0;
        for (const CDrawItem& item : device->m_panelGroup.itemsB) {
            right = std::max(right, item.right);
            bottom = std::max(bottom, item.bottom);
        }
        scene.view = {
            0, 0, request.width > 0 && request.explicitSize ? static_cast<float>(request.width) : right,
            request.height > 0 && request.explicitSize ? static_cast<float>(request.height) : bottom};
        if (screenOnly) {
            // The screen alone, as its part of the panel is drawn.
            const CScreenInstrument* screen = device->Screen();
            if (!screen) return Fail(kExitUsage, device->m_name + " has no screen");
            const CPanelRect r = screen->ScreenRect();
            scene.view = {r.left, r.top, r.right, r.bottom};
        }
        scene.groups.push_back(&device->m_panelGroup);
    } else if (request.view == "schematic") {
        return Fail(kExitUsage, "the schematic view is not available in this version");
    } else {
        return Fail(kExitUsage, "unknown view " + request.view + " (board, schematic, panel:ID or screen:ID)");
    }

    QGuiApplication app(argc, argv);
    QImage image = RenderToImage(scene, &error);
    if (image.isNull()) return Fail(kExitUnreadable, "cannot render: " + error);
    if (!image.save(QString::fromStdString(request.out), "PNG"))
        return Fail(kExitUnreadable, "cannot write " + request.out);
    std::printf("%s: %dx%d\n", request.out.c_str(), image.width(), image.height());
    return 0;
}

} // namespace ampera
