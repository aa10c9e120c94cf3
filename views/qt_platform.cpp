#include "qt_platform.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QMetaObject>
#include <QSoundEffect>
#include <QThread>
#include <QUrl>

namespace ampera {

CQtPlatform::CQtPlatform() : m_context(std::make_unique<QObject>()) {}

CQtPlatform::~CQtPlatform() = default;

void CQtPlatform::SetMainWindow(QWidget* window) {
    m_window = window;
}

void CQtPlatform::SetCursorTarget(QWidget* widget) {
    m_cursorTarget = widget;
}

long long CQtPlatform::SystemMilliseconds() {
    // Counted from an arbitrary start, like the system clock it stands for;
    // the services clear its low 16 bits to fix their time base.
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void CQtPlatform::SetCursorShape(int index) {
    RunOnUi([this, index] {
        if (index < 0 || index > 2) return;
        static constexpr Qt::CursorShape kShapes[3] = {Qt::ArrowCursor, Qt::SizeAllCursor, Qt::UpArrowCursor};
        if (!m_cursors[index]) m_cursors[index].emplace(kShapes[index]);
        // The board's own widget takes it: the toolbar, the menus and the
        // rest of the window keep their usual pointer.
        if (QWidget* target = m_cursorTarget ? m_cursorTarget.data() : m_window.data())
            target->setCursor(*m_cursors[index]);
    });
}

void CQtPlatform::GetCursorPosition(int& x, int& y) {
    const QPoint p = QCursor::pos();
    x = p.x();
    y = p.y();
}

void CQtPlatform::SetCursorPosition(int x, int y) {
    RunOnUi([x, y] { QCursor::setPos(x, y); });
}

void CQtPlatform::PlaySound(const std::string& path) {
    const QString file = QString::fromStdString(path);
    RunOnUi([this, file] { PlayOnUi(file); });
}

void CQtPlatform::PlayOnUi(const QString& path) {
    // A missing file plays nothing (no substitute sound). Without an audio
    // device QSoundEffect reports an error status and stays silent.
    if (!QFileInfo::exists(path)) return;
    QSoundEffect*& effect = m_sounds[path];
    if (!effect) {
        effect = new QSoundEffect(m_context.get());
        effect->setSource(QUrl::fromLocalFile(path));
    }
    if (effect->status() == QSoundEffect::Error) return;
    effect->play();
}

void CQtPlatform::ShowWarningBox(const std::string& text) {
    QMessageBox::warning(m_window, QStringLiteral("Warning"), QString::fromStdString(text), QMessageBox::Ok);
}

void CQtPlatform::RunOnUi(std::function<void()> task) {
    QMetaObject::invokeMethod(m_context.get(), std::move(task), Qt::QueuedConnection);
}

} // namespace ampera
