#include "device_bar.h"

#include "asset_path.h"
#include "core/component.h"
#include "core/experiment.h"
#include "devices/kind_registry.h"

#include <QAbstractButton>
#include <QFileInfo>
#include <QMetaObject>
#include <QPainter>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace ampera {

QPixmap LoadBarPicture(const QString& name) {
    QPixmap picture;
    if (QFileInfo::exists(name) && picture.load(name)) return picture;
    const std::string path = AssetPath("pic\\" + name.toStdString());
    if (picture.load(QString::fromStdString(path))) return picture;
    return QPixmap();
}

namespace bar_detail {

namespace {

// The bar's pictures hold their state looks side by side (normal, hover,
// pressed, disabled). A look is stretched to its button with a five-pixel
// margin kept at its natural size, so rounded corners and edges stay crisp.
void DrawStatePart(QPainter& p, const QRect& target, const QPixmap& picture, int part, int parts) {
    constexpr int kMargin = 5;
    const int pw = picture.width() / parts, ph = picture.height();
    const QRect source(pw * part, 0, pw, ph);
    if (pw <= 2 * kMargin || ph <= 2 * kMargin || target.width() <= 2 * kMargin ||
        target.height() <= 2 * kMargin || (target.size() == source.size())) {
        p.drawPixmap(target, picture, source);
        return;
    }
    const int sx[4] = {source.left(), source.left() + kMargin, source.right() + 1 - kMargin,
                       source.right() + 1};
    const int sy[4] = {0, kMargin, ph - kMargin, ph};
    const int tx[4] = {target.left(), target.left() + kMargin, target.right() + 1 - kMargin,
                       target.right() + 1};
    const int ty[4] = {target.top(), target.top() + kMargin, target.bottom() + 1 - kMargin,
                       target.bottom() + 1};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawPixmap(QRect(QPoint(tx[col], ty[row]), QPoint(tx[col + 1] - 1, ty[row + 1] - 1)), picture,
                         QRect(QPoint(sx[col], sy[row]), QPoint(sx[col + 1] - 1, sy[row + 1] - 1)));
}

enum Look { LOOK_NORMAL = 0, LOOK_HOVER = 1, LOOK_PRESSED = 2, LOOK_DISABLED = 3 };

const QColor kTitleColour(0, 35, 101);

} // namespace

// A button that repaints when the pointer comes and goes (its hover look).
class CHoverButton : public QAbstractButton {
  public:
    using QAbstractButton::QAbstractButton;

  protected:
    void enterEvent(QEnterEvent* event) override {
        QAbstractButton::enterEvent(event);
        update();
    }
    void leaveEvent(QEvent* event) override {
        QAbstractButton::leaveEvent(event);
        update();
    }
    int LookNow(bool pinned = false) const {
        if (!isEnabled()) return LOOK_DISABLED;
        if (pinned || isDown()) return LOOK_PRESSED;
        return underMouse() ? LOOK_HOVER : LOOK_NORMAL;
    }
};

class CBarTitleButton : public CHoverButton {
  public:
    CBarTitleButton(const QString& title, const QPixmap& picture, QWidget* parent)
        : CHoverButton(parent), m_picture(picture) {
        setText(title);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const int look = LookNow();
        if (!m_picture.isNull())
            DrawStatePart(p, rect(), m_picture, look, 4);
        else
            p.fillRect(rect(), look == LOOK_PRESSED ? QColor(0xc2, 0xd2, 0xe8) : QColor(0xe8, 0xec, 0xf2));
        p.setPen(look == LOOK_DISABLED ? QColor(0x90, 0x90, 0x90) : kTitleColour);
        p.drawText(rect(), Qt::AlignCenter, text());
    }

  private:
    QPixmap m_picture;
};

class CBarDeviceButton : public CHoverButton {
  public:
    static constexpr int kWidth = 120, kHeight = 65;

    CBarDeviceButton(const QString& caption, const QPixmap& picture, CComponent* device, QWidget* parent)
        : CHoverButton(parent), m_picture(picture), m_device(device) {
        setText(caption);
        resize(kWidth, kHeight);
        QFont f = font();
        f.setPixelSize(12);
        setFont(f);
    }

    CComponent* Device() const { return m_device; }
    bool Pinned() const { return m_pinned; }
    void SetPinned(bool pinned) {
        if (m_pinned == pinned) return;
        m_pinned = pinned;
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        const int look = LookNow(m_pinned);
        if (!m_picture.isNull()) {
            DrawStatePart(p, rect(), m_picture, look, 4);
        } else {
            p.setPen(look == LOOK_PRESSED ? QColor(0x2c, 0x5a, 0x9c) : QColor(0xd0, 0xd4, 0xda));
            p.drawRect(rect().adjusted(0, 0, -1, -1));
        }
        // The pictures leave their lowest 20 pixels for the caption.
        const QRect captionRoom(0, height() - 20, width(), 18);
        p.setPen(look == LOOK_DISABLED ? QColor(0x90, 0x90, 0x90) : kTitleColour);
        p.drawText(captionRoom.translated(look == LOOK_PRESSED ? 1 : 0, look == LOOK_PRESSED ? 1 : 0),
                   Qt::AlignCenter, text());
    }

  private:
    QPixmap m_picture;
    CComponent* m_device;
    bool m_pinned = false;
};

// "ButtonsWin3000.bmp" holds eight 18 x 18 looks: the up arrow's four, then
// the down arrow's four.
class CBarScrollButton : public CHoverButton {
  public:
    static constexpr int kSize = 18;

    CBarScrollButton(bool up, const QPixmap& picture, QWidget* parent)
        : CHoverButton(parent), m_up(up), m_picture(picture) {
        setText(up ? QStringLiteral("▲") : QStringLiteral("▼"));
        resize(kSize, kSize);
        setAutoRepeat(true);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const int look = LookNow();
        if (!m_picture.isNull()) {
            DrawStatePart(p, rect(), m_picture, (m_up ? 0 : 4) + look, 8);
            return;
        }
        p.fillRect(rect(), QColor(0xe8, 0xec, 0xf2));
        p.setPen(look == LOOK_DISABLED ? QColor(0xa8, 0xa8, 0xa8) : kTitleColour);
        p.drawText(rect(), Qt::AlignCenter, text());
    }

  private:
    bool m_up;
    QPixmap m_picture;
};

// One group's list of device buttons, scrolled a whole button at a time when
// they do not all fit.
class CBarPane : public QWidget {
  public:
    static constexpr int kMaxButtons = 100;
    static constexpr int kButtonX = 8, kFirstY = 13, kPitch = 72;

    CBarPane(const QPixmap& arrows, QWidget* parent) : QWidget(parent) {
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, Qt::white);
        setPalette(pal);
        m_up = new CBarScrollButton(true, arrows, this);
        m_down = new CBarScrollButton(false, arrows, this);
        m_up->move(132, 20);
        m_down->move(132, 340);
        QObject::connect(m_up, &QAbstractButton::clicked, this, [this] { Scroll(-1); });
        QObject::connect(m_down, &QAbstractButton::clicked, this, [this] { Scroll(+1); });
    }

    bool AddButton(CBarDeviceButton* button) {
        if (static_cast<int>(m_buttons.size()) >= kMaxButtons) return false;
        button->setParent(this);
        m_buttons.push_back(button);
        LayOut();
        return true;
    }
    const std::vector<CBarDeviceButton*>& Buttons() const { return m_buttons; }
    CBarScrollButton* Up() const { return m_up; }
    CBarScrollButton* Down() const { return m_down; }

    void LayOut() {
        const int maxOffset = MaxOffset();
        m_offset = std::clamp(m_offset, 0, maxOffset);
        for (std::size_t k = 0; k < m_buttons.size(); ++k)
            m_buttons[k]->move(kButtonX, kFirstY + kPitch * (static_cast<int>(k) - m_offset));
        const bool overflow = ContentBottom() > height();
        m_up->setVisible(overflow);
        m_down->setVisible(overflow);
        m_up->setEnabled(m_offset > 0);
        m_down->setEnabled(m_offset < maxOffset);
        m_up->raise();
        m_down->raise();
    }

  protected:
    void resizeEvent(QResizeEvent*) override { LayOut(); }

  private:
    int ContentBottom() const {
        if (m_buttons.empty()) return 0;
        return kFirstY + kPitch * (static_cast<int>(m_buttons.size()) - 1) + CBarDeviceButton::kHeight;
    }
    // Scrolling stops once the last button is in full view.
    int MaxOffset() const {
        const int excess = ContentBottom() - height();
        return excess > 0 ? (excess + kPitch - 1) / kPitch : 0;
    }
    void Scroll(int direction) {
        m_offset += direction;
        LayOut();
    }

    std::vector<CBarDeviceButton*> m_buttons;
    CBarScrollButton* m_up;
    CBarScrollButton* m_down;
    int m_offset = 0; // buttons scrolled out at the top
};

} // namespace bar_detail

using namespace bar_detail;

CDeviceBar::CDeviceBar(CAppServices& services, CExperiment& experiment, QWidget* parent)
    : QWidget(parent, Qt::Tool), m_services(services), m_experiment(experiment) {
    setWindowTitle(QStringLiteral("器材栏"));
    resize(kWidth, kHeight);
    m_animation = new QTimer(this);
    m_animation->setInterval(kAnimationPeriodMs);
    connect(m_animation, &QTimer::timeout, this, [this] { AnimationTick(); });
    const std::pair<QPixmap*, const char*> shared[] = {{&m_titlePicture, "barbutton.bmp"},
                                                       {&m_arrowPicture, "ButtonsWin3000.bmp"}};
    for (auto [picture, name] : shared) {
        *picture = LoadBarPicture(QString::fromUtf8(name));
        if (picture->isNull()) ReportMissingPicture(QString::fromUtf8(name));
    }

    // Each kind names its page and its place there; the pages in bar order.
    const QString titles[] = {QStringLiteral("基本元件"), QStringLiteral("仪表"), QStringLiteral("发生源"),
                              QStringLiteral("开关")};
    std::vector<const CDeviceKind*> kinds;
    for (const CKindEntry& entry : DeviceKinds())
        if (entry.kind->bar.group != BAR_NONE) kinds.push_back(entry.kind);
    std::stable_sort(kinds.begin(), kinds.end(), [](const CDeviceKind* a, const CDeviceKind* b) {
        return a->bar.group != b->bar.group ? a->bar.group < b->bar.group : a->bar.order < b->bar.order;
    });
    for (int group = BAR_BASIC; group <= BAR_SWITCHES; ++group) {
        std::vector<const CDeviceKind*> page;
        for (const CDeviceKind* kind : kinds)
            if (kind->bar.group == group) page.push_back(kind);
        AddGroup(titles[group], page);
    }

    m_selected = 0;
    ComputeTargets(m_selected);
    for (Group& g : m_groups)
        g.titleY = g.targetY;
    LayOut();
}

CDeviceBar::~CDeviceBar() {
    m_pending.store(nullptr);
}

bool CDeviceBar::AddGroup(const QString& title, const std::vector<const CDeviceKind*>& kinds) {
    if (static_cast<int>(m_groups.size()) >= kMaxGroups) return false;
    Group group;
    group.title = title;
    group.titleButton = new CBarTitleButton(title, m_titlePicture, this);
    group.pane = new CBarPane(m_arrowPicture, this);
    const int index = static_cast<int>(m_groups.size());
    connect(group.titleButton, &QAbstractButton::clicked, this, [this, index] { SelectGroup(index); });

    for (const CDeviceKind* kind : kinds) {
        const QString file = QString::fromUtf8(kind->bar.picture);
        const QPixmap picture = LoadBarPicture(file);
        if (picture.isNull()) ReportMissingPicture(file);
        CComponent* device = CreateDevice(kind->typeCode);
        if (device) m_templates.emplace_back(device);
        auto* button =
            new CBarDeviceButton(QString::fromUtf8(kind->bar.caption), picture, device, group.pane);
        if (!group.pane->AddButton(button)) {
            delete button;
            continue;
        }
        connect(button, &QAbstractButton::clicked, this, [this, button] { OnDeviceClicked(button); });
    }
    m_groups.push_back(group);
    return true;
}

QString CDeviceBar::GroupTitle(int group) const {
    return group >= 0 && group < GroupCount() ? m_groups[group].title : QString();
}

int CDeviceBar::ButtonCount(int group) const {
    return group >= 0 && group < GroupCount() ? static_cast<int>(m_groups[group].pane->Buttons().size()) : 0;
}

QAbstractButton* CDeviceBar::TitleButton(int group) const {
    return group >= 0 && group < GroupCount() ? m_groups[group].titleButton : nullptr;
}

QAbstractButton* CDeviceBar::DeviceButton(int group, int button) const {
    if (button < 0 || button >= ButtonCount(group)) return nullptr;
    return m_groups[group].pane->Buttons()[button];
}

QString CDeviceBar::ButtonCaption(int group, int button) const {
    QAbstractButton* b = DeviceButton(group, button);
    return b ? b->text() : QString();
}

CComponent* CDeviceBar::ButtonTemplate(int group, int button) const {
    auto* b = static_cast<CBarDeviceButton*>(DeviceButton(group, button));
    return b ? b->Device() : nullptr;
}

bool CDeviceBar::ButtonPressed(int group, int button) const {
    auto* b = static_cast<CBarDeviceButton*>(DeviceButton(group, button));
    return b && b->Pinned();
}

QWidget* CDeviceBar::Pane(int group) const {
    return group >= 0 && group < GroupCount() ? m_groups[group].pane : nullptr;
}

QAbstractButton* CDeviceBar::ScrollUpButton(int group) const {
    return group >= 0 && group < GroupCount() ? m_groups[group].pane->Up() : nullptr;
}

QAbstractButton* CDeviceBar::ScrollDownButton(int group) const {
    return group >= 0 && group < GroupCount() ? m_groups[group].pane->Down() : nullptr;
}

void CDeviceBar::ComputeTargets(int selected) {
    const int n = GroupCount();
    for (int g = 0; g < n; ++g)
        m_groups[g].targetY = g <= selected ? kTitleHeight * g : height() - kTitleHeight * (n - g);
}

void CDeviceBar::LayOut() {
    const int n = GroupCount();
    for (int g = 0; g < n; ++g) {
        Group& group = m_groups[g];
        group.titleButton->setGeometry(0, group.titleY, width(), kTitleHeight);
        const int top = group.titleY + kTitleHeight;
        const int bottom = g + 1 < n ? m_groups[g + 1].titleY : height();
        if (bottom > top) {
            group.pane->setGeometry(0, top, width(), bottom - top);
            group.pane->show();
        } else {
            group.pane->hide();
        }
    }
}

void CDeviceBar::SelectGroup(int group) {
    if (group < 0 || group >= GroupCount()) return;
    if (group == m_selected && !Animating()) return;
    m_selected = group;
    ComputeTargets(group);
    // Every title travels its distance in equal steps; the last tick puts it
    // exactly in place whatever the rounding left over.
    for (Group& g : m_groups) {
        g.startY = g.titleY;
        g.step = (g.targetY - g.startY) / kAnimationSteps;
    }
    m_stepsLeft = kAnimationSteps;
    m_animation->start();
}

void CDeviceBar::AnimationTick() {
    if (m_stepsLeft <= 0) {
        m_animation->stop();
        return;
    }
    --m_stepsLeft;
    for (Group& g : m_groups)
        g.titleY = m_stepsLeft == 0 ? g.targetY : g.titleY + g.step;
    if (m_stepsLeft == 0) m_animation->stop();
    LayOut();
}

void CDeviceBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_groups.empty()) return;
    // The bottom titles follow the bottom edge; an animation in flight ends.
    m_animation->stop();
    m_stepsLeft = 0;
    ComputeTargets(m_selected);
    for (Group& g : m_groups)
        g.titleY = g.targetY;
    LayOut();
}

void CDeviceBar::OnDeviceClicked(CBarDeviceButton* button) {
    CComponent* device = button->Device();
    m_pending.store(device);
    SyncPressedButtons();
    ShowInPropertyWindow(device);
}

void CDeviceBar::SyncPressedButtons() {
    CComponent* pending = m_pending.load();
    for (const Group& g : m_groups)
        for (CBarDeviceButton* b : g.pane->Buttons())
            b->SetPinned(pending != nullptr && b->Device() == pending);
}

void CDeviceBar::ShowInPropertyWindow(CComponent* device) {
    if (!device) return;
    const auto window = [this](int index) { return m_services.GetPropertyWindow(index); };
    const auto showIn = [&](int index, std::initializer_list<int> hide) {
        if (IPropertyWindow* w = window(index)) {
            w->SetDevice(device, index);
            w->Show();
        }
        for (int other : hide)
            if (IPropertyWindow* w = window(other)) w->Hide();
    };
    switch (PropertyGroupOf(device->TypeCode())) {
    case GROUP_PASSIVE:
        showIn(GROUP_PASSIVE, {GROUP_PLAIN, GROUP_PANEL});
        break;
    case GROUP_PANEL:
        showIn(GROUP_PANEL, {GROUP_PASSIVE, GROUP_PLAIN});
        break;
    case GROUP_SCREEN:
        // The screen instruments' window takes the device but keeps its
        // visibility: it is opened from the board.
        if (IPropertyWindow* w = window(GROUP_SCREEN)) w->SetDevice(device, GROUP_SCREEN);
        break;
    default:
        showIn(GROUP_PLAIN, {GROUP_PASSIVE, GROUP_PANEL});
        break;
    }
}

template <class F> void CDeviceBar::OnUiThread(F work) {
    if (QThread::currentThread() == thread())
        work();
    else
        QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
}

void CDeviceBar::Show() {
    m_visible.store(true);
    OnUiThread([this] { show(); });
}

void CDeviceBar::Hide() {
    m_visible.store(false);
    OnUiThread([this] { hide(); });
}

void CDeviceBar::Release() {
    // The board view may ask from the frame loop: the pending device is gone
    // at once, the buttons are redrawn on the user-interface thread from
    // whatever is pending by then (a click may have come in between).
    m_pending.store(nullptr);
    OnUiThread([this] { SyncPressedButtons(); });
}

void CDeviceBar::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    m_visible.store(true);
}

void CDeviceBar::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    m_visible.store(false);
}

void CDeviceBar::ReportMissingPicture(const QString& name) {
    // One report per bar: without the asset folder every picture is missing,
    // and a box per button would bury the window.
    if (m_reportedMissing) return;
    m_reportedMissing = true;
    m_services.ShowWarning(0, "can not open the file " + name.toStdString());
}

} // namespace ampera
