#include "colour_dialog.h"

#include <QColorDialog>
#include <QGroupBox>
#include <QPainter>
#include <QPushButton>

namespace ampera {

namespace {
QColor FromColorref(std::uint32_t colorref) {
    return QColor(colorref & 0xFF, (colorref >> 8) & 0xFF, (colorref >> 16) & 0xFF);
}
std::uint32_t ToColorrefOf(const QColor& colour) {
    return static_cast<std::uint32_t>(colour.red()) | static_cast<std::uint32_t>(colour.green()) << 8 |
           static_cast<std::uint32_t>(colour.blue()) << 16;
}

// The dialog's layout in pixels: buttons down the left of the group box, OK
// and Cancel side by side below it; each swatch sits one OK-to-Cancel
// distance to the right of its button.
constexpr int kButtonLeft = 24, kButtonWidth = 72, kButtonHeight = 24;
constexpr int kButtonTops[3] = {34, 68, 102};
constexpr int kOkLeft = 40, kCancelLeft = 136, kBottomTop = 150;
} // namespace

std::optional<std::uint32_t> ChooseColourWithDialog(std::uint32_t initial, QWidget* parent) {
    const QColor chosen = QColorDialog::getColor(FromColorref(initial), parent);
    if (!chosen.isValid()) return std::nullopt;
    return ToColorrefOf(chosen);
}

CColourDialog::CColourDialog(CColourDialogModel& model, Chooser chooser, Applied applied, QWidget* parent)
    : QDialog(parent), m_model(model), m_chooser(std::move(chooser)), m_applied(std::move(applied)) {
    setWindowTitle(QStringLiteral("改变颜色"));
    setFixedSize(264, 190);
    auto* group = new QGroupBox(QStringLiteral("颜色设置"), this);
    group->setGeometry(10, 8, 244, 128);
    const char* texts[3] = {"背景", "导线", "文字信息"};
    const ColourSlot order[3] = {COLOUR_BACKGROUND, COLOUR_WIRE, COLOUR_TEXT};
    for (int k = 0; k < 3; ++k) {
        m_buttons[k] = new QPushButton(QString::fromUtf8(texts[k]), this);
        m_buttons[k]->setGeometry(kButtonLeft, kButtonTops[k], kButtonWidth, kButtonHeight);
        m_buttons[k]->setAutoDefault(false);
        const ColourSlot slot = order[k];
        connect(m_buttons[k], &QPushButton::clicked, this, [this, slot] { Choose(slot); });
    }
    m_ok = new QPushButton(QStringLiteral("确定"), this);
    m_ok->setGeometry(kOkLeft, kBottomTop, 80, kButtonHeight);
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("取消"), this);
    m_cancel->setGeometry(kCancelLeft, kBottomTop, 80, kButtonHeight);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    m_model.Open();
}

QRect CColourDialog::SwatchRect(ColourSlot slot) const {
    const QRect b = m_buttons[slot]->geometry();
    const CColourDialogModel::Rect r = CColourDialogModel::SwatchRect(
        {b.left(), b.top(), b.left() + b.width(), b.top() + b.height()}, m_ok->x(), m_cancel->x());
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void CColourDialog::Choose(ColourSlot slot) {
    std::optional<std::uint32_t> chosen = m_chooser(m_model.Current(slot), this);
    if (!chosen) return; // a cancelled chooser changes nothing
    const bool textChosen = m_model.Choose(slot, *chosen);
    if (m_applied) m_applied(textChosen);
    update();
}

void CColourDialog::accept() {
    m_model.Ok();
    QDialog::accept();
}

void CColourDialog::reject() {
    m_model.Cancel();
    if (m_applied) m_applied(false);
    QDialog::reject();
}

void CColourDialog::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    for (ColourSlot slot : {COLOUR_BACKGROUND, COLOUR_WIRE, COLOUR_TEXT}) {
        const QRect swatch = SwatchRect(slot);
        painter.fillRect(swatch, FromColorref(m_model.Current(slot)));
        painter.setPen(Qt::black);
        painter.drawRect(swatch.adjusted(0, 0, -1, -1));
    }
}

} // namespace ampera
