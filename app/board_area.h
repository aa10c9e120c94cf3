// The main window's central area: the surface the board is drawn into (the
// renderer's OpenGL view, or a plain widget when there is none) with the two
// scroll bars. It turns Qt's mouse, key and scroll-bar input into calls on
// the main window, in board-view coordinates (pixels of the surface).
#pragma once

#include <QWidget>

class QScrollBar;

namespace ampera {

class CMainDlg;

class CBoardArea : public QWidget {
  public:
    // `surface` null: a plain widget stands in (nothing is drawn).
    CBoardArea(CMainDlg& window, QWidget* surface, QWidget* parent = nullptr);

    QWidget* Surface() const { return m_surface; }
    QScrollBar* VerticalBar() const { return m_vertical; }
    QScrollBar* HorizontalBar() const { return m_horizontal; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void OnScrollAction(bool horizontal, int action);

    CMainDlg& m_window;
    QWidget* m_surface;
    QScrollBar* m_vertical;
    QScrollBar* m_horizontal;
};

} // namespace ampera
