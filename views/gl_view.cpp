#include "gl_view.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QOpenGLContext>
#include <QPointer>

namespace ampera {

CGLView::CGLView(std::shared_ptr<CFrameSlot> slot, QWidget* parent)
    : QOpenGLWidget(parent), m_slot(std::move(slot)) {
    // Nothing can be drawn until the context exists.
    m_slot->SetReady(false);
    // The loop publishes on its own thread; the repaint is queued to ours.
    QPointer<CGLView> self(this);
    m_slot->SetNotify([self] {
        QMetaObject::invokeMethod(
            qApp,
            [self] {
                if (self) self->update();
            },
            Qt::QueuedConnection);
    });
}

CGLView::~CGLView() {
    // The base class destroys the context after this view's members are
    // gone; its going-away handler must not run then.
    disconnect(m_contextGone);
    m_slot->SetNotify(nullptr);
    m_slot->SetReady(false);
    makeCurrent();
    ReleaseGl();
    doneCurrent();
}

void CGLView::ReleaseGl() {
    if (m_painterReady) m_painter.Release();
    m_painterReady = false;
}

void CGLView::initializeGL() {
    m_painterReady = m_painter.Initialize();
    m_slot->SetReady(m_painterReady);
    // The context goes away when the widget moves to another window: the
    // renderer skips frames until initializeGL runs again.
    disconnect(m_contextGone);
    m_contextGone = connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, [this] {
        m_slot->SetReady(false);
        makeCurrent();
        ReleaseGl();
        doneCurrent();
    });
}

void CGLView::paintGL() {
    if (!m_painterReady) return;
    if (std::unique_ptr<CFrame> newest = m_slot->Take()) {
        if (m_shown) m_slot->Recycle(std::move(m_shown));
        m_shown = std::move(newest);
    }
    const double scale = devicePixelRatioF();
    const int w = static_cast<int>(width() * scale), h = static_cast<int>(height() * scale);
    m_painter.Clear(m_shown ? m_shown->clearColour : 0xFFFFFFFF);
    if (m_shown && !m_painter.Paint(*m_shown, w, h, scale)) m_slot->ReportDrawFailure();
}

} // namespace ampera
