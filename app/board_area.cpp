#include "board_area.h"

#include "app/core/scrolling.h"
#include "main_window.h"
#include "views/board_event.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScrollBar>

namespace ampera {

CBoardArea::CBoardArea(CMainDlg& window, QWidget* surface, QWidget* parent)
    : QWidget(parent), m_window(window), m_surface(surface ? surface : new QWidget(this)),
      m_vertical(new QScrollBar(Qt::Vertical, this)), m_horizontal(new QScrollBar(Qt::Horizontal, this)) {
    m_surface->setParent(this);
    m_surface->setObjectName(QStringLiteral("boardSurface"));
    m_surface->setMouseTracking(true); // moves without a button feed the hover feedback
    m_surface->setFocusPolicy(Qt::StrongFocus);
    m_surface->setMinimumSize(8, 8);
    m_surface->installEventFilter(this);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(m_surface, 0, 0);
    grid->addWidget(m_vertical, 0, 1);
    grid->addWidget(m_horizontal, 1, 0);

    connect(m_vertical, &QScrollBar::actionTriggered, this,
            [this](int action) { OnScrollAction(false, action); });
    connect(m_horizontal, &QScrollBar::actionTriggered, this,
            [this](int action) { OnScrollAction(true, action); });
}

void CBoardArea::OnScrollAction(bool horizontal, int action) {
    QScrollBar* bar = horizontal ? m_horizontal : m_vertical;
    int code = SCROLL_END;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        code = SCROLL_LINE_UP;
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        code = SCROLL_LINE_DOWN;
        break;
    case QAbstractSlider::SliderPageStepSub:
        code = SCROLL_PAGE_UP;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        code = SCROLL_PAGE_DOWN;
        break;
    case QAbstractSlider::SliderToMinimum:
        code = SCROLL_TOP;
        break;
    case QAbstractSlider::SliderToMaximum:
        code = SCROLL_BOTTOM;
        break;
    case QAbstractSlider::SliderMove:
        code = SCROLL_THUMB_TRACK;
        break;
    default:
        break;
    }
    // The window keeps the positions; the bar shows what it decided.
    m_window.ScrollAction(horizontal, code, bar->sliderPosition());
    const CScrollBar& state = horizontal ? m_window.Scroll().horizontal : m_window.Scroll().vertical;
    bar->setSliderPosition(state.pos);
}

bool CBoardArea::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_surface) return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        int kind = -1;
        if (event->type() == QEvent::MouseMove) {
            kind = EVENT_MOVE;
        } else if (mouse->button() == Qt::LeftButton) {
            kind = event->type() == QEvent::MouseButtonPress     ? EVENT_LEFT_DOWN
                   : event->type() == QEvent::MouseButtonRelease ? EVENT_LEFT_UP
                                                                 : EVENT_DOUBLE_CLICK;
        } else if (mouse->button() == Qt::RightButton) {
            // A quick second right click arrives as a double click: it is a press all the same.
            kind = event->type() == QEvent::MouseButtonRelease ? EVENT_RIGHT_UP : EVENT_RIGHT_DOWN;
        }
        if (kind < 0) return false;
        if (kind != EVENT_MOVE) m_surface->setFocus(Qt::MouseFocusReason);
        m_window.BoardMouse(kind, mouse->position().toPoint(), mouse->globalPosition().toPoint(),
                            mouse->modifiers());
        return true;
    }
    case QEvent::ContextMenu:
        // The window opens its own menu once the right press was routed.
        return true;
    case QEvent::KeyPress:
        return m_window.BoardKey(static_cast<QKeyEvent*>(event)->key(),
                                 static_cast<QKeyEvent*>(event)->modifiers());
    case QEvent::Resize: {
        const QSize size = static_cast<QResizeEvent*>(event)->size();
        m_window.BoardResized(size.width(), size.height());
        return false;
    }
    default:
        return false;
    }
}

} // namespace ampera
