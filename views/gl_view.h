// The window a renderer presents to: draws the newest finished frame of its
// view whenever one arrives. Runs on the user-interface thread only; the
// frame comes through the frame slot, never from the renderer directly.
#pragma once

#include "gl_frame_painter.h"
#include "hand_over.h"

#include <QOpenGLWidget>

#include <memory>

namespace ampera {

class CGLView : public QOpenGLWidget {
  public:
    explicit CGLView(std::shared_ptr<CFrameSlot> slot, QWidget* parent = nullptr);
    ~CGLView() override;

    const std::shared_ptr<CFrameSlot>& Slot() const { return m_slot; }
    // Whether initializeGL could set up drawing.
    bool DrawingReady() const { return m_painterReady; }

  protected:
    void initializeGL() override;
    void paintGL() override;

  private:
    void ReleaseGl();

    std::shared_ptr<CFrameSlot> m_slot;
    CFramePainter m_painter;
    bool m_painterReady = false;
    // The current context's going-away handler: it uses this view's members,
    // so it is cut before they are destroyed.
    QMetaObject::Connection m_contextGone;
    std::unique_ptr<CFrame> m_shown; // the frame drawn last, drawn again on exposure
};

} // namespace ampera
