#include "renderer_factory.h"

#include "qt_texture_loader.h"

#include <QMessageBox>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>

#include <atomic>

namespace ampera {

std::shared_ptr<CRenderResources> SharedRenderResources() {
    static const std::shared_ptr<CRenderResources> shared =
        std::make_shared<CRenderResources>(std::make_shared<CQtTextureLoader>());
    return shared;
}

bool OpenGLAvailable() {
    QOpenGLContext context;
    if (!context.create()) return false;
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface)) return false;
    context.doneCurrent();
    return true;
}

CWindowRenderer CreateRenderer(QWidget* parent, ISoundPlayer* sound,
                               const std::function<void(const QString&)>& report) {
    CWindowRenderer made;
    if (!OpenGLAvailable()) {
        static std::atomic<bool> reported{false};
        if (!reported.exchange(true)) {
            const QString message = QString::fromUtf8(kNoRendererMessage);
            if (report)
                report(message);
            else
                QMessageBox::warning(parent, QStringLiteral("Warning"), message, QMessageBox::Ok);
        }
        made.renderer = std::make_unique<CNullRenderer>();
        return made;
    }
    auto slot = std::make_shared<CFrameSlot>();
    made.view = new CGLView(slot, parent);
    made.renderer = std::make_unique<CFrameRenderer>(SharedRenderResources(), sound, slot);
    made.available = true;
    return made;
}

QImage RenderToImage(const CRenderScene& scene, std::string* error) {
    const auto fail = [&](const char* why) {
        if (error) *error = why;
        return QImage();
    };
    CFrameRenderer renderer(SharedRenderResources(), nullptr);
    renderer.SetViewRect(scene.view.left, scene.view.top, scene.view.right, scene.view.bottom);
    renderer.SetClearColour(scene.clearColour);
    renderer.SetTextColour(scene.textColour);
    for (const CNotice& notice : scene.notices)
        renderer.PostNotice(notice);
    for (const auto& label : scene.labels)
        renderer.AddLabel(label.text, label.x, label.y);
    renderer.BeginFrame(scene.time);
    for (CSpriteGroup* group : scene.groups)
        if (group) renderer.DrawGroup(*group);
    renderer.EndFrame(scene.time);
    std::unique_ptr<CFrame> frame = renderer.TakeFrame();
    if (!frame || frame->viewportWidth <= 0) return fail("the view rectangle is smaller than 5 pixels");
    frame->viewportX = frame->viewportY = 0; // the image is the view

    QOpenGLContext context;
    if (!context.create()) return fail("no OpenGL context can be made");
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface))
        return fail("the OpenGL context cannot be made current");

    QImage image;
    {
        const int w = frame->viewportWidth, h = frame->viewportHeight;
        QOpenGLFramebufferObject target(w, h);
        CFramePainter painter;
        if (target.isValid() && target.bind() && painter.Initialize()) {
            painter.Paint(*frame, w, h);
            image = target.toImage().convertToFormat(QImage::Format_ARGB32);
        }
        painter.Release();
        target.release();
    }
    context.doneCurrent();
    if (image.isNull()) return fail("the framebuffer or the shaders could not be set up");
    return image;
}

} // namespace ampera
