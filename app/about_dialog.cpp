#include "about_dialog.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPalette>
#include <QVBoxLayout>

namespace ampera {

CLinkLabel::CLinkLabel(const QString& text, QUrl target, Opener open, QWidget* parent)
    : QLabel(text, parent), m_target(std::move(target)), m_open(std::move(open)) {
    if (!m_open) m_open = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    setCursor(Qt::PointingHandCursor);
    SetHighlighted(false);
}

void CLinkLabel::SetHighlighted(bool on) {
    m_highlighted = on;
    QPalette look = palette();
    look.setColor(QPalette::WindowText,
                  on ? palette().color(QPalette::Highlight) : palette().color(QPalette::Link));
    setPalette(look);
    QFont face = font();
    face.setUnderline(true);
    setFont(face);
}

void CLinkLabel::enterEvent(QEnterEvent* event) {
    SetHighlighted(true);
    QLabel::enterEvent(event);
}

void CLinkLabel::leaveEvent(QEvent* event) {
    SetHighlighted(false);
    QLabel::leaveEvent(event);
}

void CLinkLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_open(m_target);
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event);
}

CAboutDialog::CAboutDialog(CLinkLabel::Opener open, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("关于 Ampera"));
    auto* layout = new QVBoxLayout(this);
    auto* name = new QLabel(QStringLiteral("Ampera"), this);
    QFont big = name->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    name->setFont(big);
    layout->addWidget(name);
    layout->addWidget(new QLabel(QStringLiteral("虚拟电学实验台 教学版 1.0"), this));
    layout->addWidget(new QLabel(QStringLiteral("电路分析实验教学软件"), this));
    layout->addSpacing(8);
    layout->addWidget(new QLabel(QStringLiteral("联系我们："), this));
    m_home = new CLinkLabel(QString::fromLatin1(kHomePage), QUrl(QString::fromLatin1(kHomePage)), open, this);
    m_home->setObjectName(QStringLiteral("homeLink"));
    layout->addWidget(m_home);
    const QString mail = QString::fromLatin1(kContactMail);
    m_mail = new CLinkLabel(mail, QUrl(QStringLiteral("mailto:") + mail), open, this);
    m_mail->setObjectName(QStringLiteral("mailLink"));
    layout->addWidget(m_mail);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

} // namespace ampera
