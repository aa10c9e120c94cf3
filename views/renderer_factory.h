// Making renderers for windows, and drawing sprite groups straight into an
// image (the headless path that writes PNGs and that the pixel tests use).
#pragma once

#include "frame_renderer.h"
#include "gl_view.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ampera {

inline constexpr const char* kNoRendererMessage = "警告: 无法生成绘制环境";

// The pictures and fonts every renderer of the process shares, decoded with
// QImage. Use it on the frame-loop thread, or while the loop is stopped.
std::shared_ptr<CRenderResources> SharedRenderResources();

// Whether an OpenGL context can be made and made current.
bool OpenGLAvailable();

struct CWindowRenderer {
    std::unique_ptr<CRenderer> renderer;
    CGLView* view = nullptr; // null with the do-nothing renderer
    bool available = false;  // false: the do-nothing renderer stands in
};

// A renderer drawing into a new CGLView child of `parent`. When no OpenGL
// context can be made it returns the do-nothing renderer instead, and the
// first such failure in the process is reported with "警告: 无法生成绘制环境"
// (by default in a message box with OK).
CWindowRenderer CreateRenderer(QWidget* parent, ISoundPlayer* sound,
                               const std::function<void(const QString&)>& report = {});

// What RenderToImage draws: one frame of a view rectangle.
struct CRenderScene {
    CRectF view{0, 0, 640, 480}; // window pixels; the image is w x h of it
    std::vector<CSpriteGroup*> groups;
    struct Label {
        std::string text;
        int x = 0, y = 0;
    };
    std::vector<Label> labels;
    std::vector<CNotice> notices;
    std::uint32_t clearColour = 0xFFFFFFFF; // 0xAARRGGBB
    std::uint32_t textColour = 0xFF0000FF;
    long long time = 0;
};

// Renders the scene off screen (QOffscreenSurface and a framebuffer object)
// into an image of the view's size. Needs a QGuiApplication; runs on the
// calling thread with the shared resources, so the frame loop must be
// stopped. A null image, with the reason in `error`, when OpenGL is missing.
QImage RenderToImage(const CRenderScene& scene, std::string* error = nullptr);

} // namespace ampera
