#include "property_frame.h"

#include "board_edits.h"

#include "board_event.h"
#include "document/experiment_file.h"
#include "core/experiment.h"
#include "device_bar.h"
#include "devices/device.h"
#include "panel_view.h"
#include "renderer_factory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <QOpenGLWidget>
#include <QPointer>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <variant>

namespace ampera {

namespace frame_detail {

// The panel view as the frame loop drives it. The page's size changes on the
// user-interface thread, but the renderer's view rectangle belongs to the
// loop: a new rectangle waits here and is put in place at the next frame.
class CPanelLink final : public IFrameView {
  public:
    void Tick(long long time) override {
        TakeViewRect();
        view.Tick(time);
    }
    void Paint(long long time) override {
        TakeViewRect();
        view.Paint(time);
    }
    void ClearInput() override { view.ClearInput(); }

    void SetViewRect(int width, int height) {
        std::lock_guard lock(m_mutex);
        m_width = width;
        m_height = height;
        m_rectPending = true;
    }
    // While the loop is stopped the user-interface thread may do it itself.
    void TakeViewRect() {
        int w, h;
        {
            std::lock_guard lock(m_mutex);
            if (!m_rectPending) return;
            m_rectPending = false;
            w = m_width;
            h = m_height;
        }
        if (CRenderer* renderer = view.Renderer())
            renderer->SetViewRect(0, 0, static_cast<float>(w), static_cast<float>(h));
    }

    CPanelView view;

  private:
    std::mutex m_mutex;
    int m_width = 0, m_height = 0;
    bool m_rectPending = false;
};

// What an apply handed to the frame loop needs to find out whether its
// window still exists and still stands for the same devices.
struct CApplyLink {
    std::mutex mutex;
    CPropertyFrame* frame = nullptr; // null once the window is gone
    // Bumped when the experiment is about to change under the window (the
    // loop stopped, the devices may be freed): older applies are dropped.
    std::atomic<std::uint64_t> clearings{0};
};

} // namespace frame_detail

using namespace frame_detail;

namespace {

constexpr int kNoDeviceWidth = 300, kNoDeviceHeight = 400;
constexpr int kNoDeviceTabWidth = 285, kNoDeviceTabHeight = 340;
constexpr int kChoiceDropHeight = 150;
const QColor kPageBackground(234, 234, 234);
const QColor kTextColour(28, 115, 218);

CPropertyFrame::MessageHook& MessageHookSlot() {
    static CPropertyFrame::MessageHook hook;
    return hook;
}

QFont PageFont() {
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(14);
    return font;
}

QRect ToQRect(const CPageRect& r) {
    return QRect(r.left, r.top, std::max(0, r.Width()), std::max(0, r.Height()));
}

// A page whose controls sit at fixed places in a grey pane that scrolls when
// the window is smaller than what it shows.
QScrollArea* MakeScrollPage(QWidget* parent) {
    auto* area = new QScrollArea(parent);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(false);
    QPalette pal = area->palette();
    pal.setColor(QPalette::Window, kPageBackground);
    area->setPalette(pal);
    area->viewport()->setAutoFillBackground(true);
    return area;
}

QWidget* NewCanvas(QScrollArea* area) {
    delete area->takeWidget();
    auto* canvas = new QWidget;
    canvas->setAutoFillBackground(true);
    QPalette pal = canvas->palette();
    pal.setColor(QPalette::Window, kPageBackground);
    canvas->setPalette(pal);
    return canvas;
}

void FinishCanvas(QScrollArea* area, QWidget* canvas, int right, int bottom) {
    canvas->resize(right, bottom);
    area->setWidget(canvas);
}

QLabel* MakeText(QWidget* canvas, const CPageText& text) {
    auto* label = new QLabel(QString::fromStdString(text.text), canvas);
    label->setFont(PageFont());
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, kTextColour);
    label->setPalette(pal);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(ToQRect(text.rect));
    return label;
}

// The integer a spin control starts from when its field holds a number.
bool ReadSpinNumber(const QString& text, int& value) {
    QString plain = text;
    plain.remove(QLatin1Char(','));
    bool ok = false;
    const double number = plain.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(number)) return false;
    value = static_cast<int>(
        std::clamp(std::trunc(number), double(CPropertyPage::kSpinMin), double(CPropertyPage::kSpinMax)));
    return true;
}

// Tab control bottom above the window's bottom edge: 5 pixels over the apply
// button, which sits 80 pixels above it.
constexpr int kTabBottomGap = 95;
// Tab control frame and page borders left and right of a usage text.
constexpr int kUsageMargin = 10;
constexpr int kNarrowestUsage = 80;

} // namespace

CPropertyFrame::CPropertyFrame(int index, CAppServices& services, CExperiment& experiment, QWidget* parent)
    : QWidget(parent, Qt::Tool), m_index(index), m_services(services), m_experiment(experiment),
      m_applyLink(std::make_shared<CApplyLink>()) {
    m_applyLink->frame = this;
    setWindowTitle(QStringLiteral("属性"));
    setGeometry(600, 50, 50, 50);

    m_tabs = new QTabWidget(this);
    // Three tabs must fit the narrowest window (215 pixels of tab control)
    // without scroll arrows.
    QFont tabFont = m_tabs->tabBar()->font();
    tabFont.setPixelSize(12);
    m_tabs->tabBar()->setFont(tabFont);
    m_tabs->setUsesScrollButtons(false);
    m_tabs->setGeometry(5, 10, kNoDeviceTabWidth, kNoDeviceTabHeight);
    const bool hasPanel = index >= 1 && index <= 3;
    const bool hasParameters = index == 0 || index == 1;
    if (hasPanel) {
        m_panelPage = new QWidget;
        m_tabs->addTab(m_panelPage, QString::fromUtf8(kPanelTab));
        m_panelSurface = new QWidget(m_panelPage);
        m_panelSurface->setMouseTracking(true);
        m_panel = std::make_unique<CPanelLink>();
        CWindowRenderer made = CreateRenderer(m_panelSurface, &m_services, [this](const QString& text) {
            m_services.ShowWarning(0, text.toStdString());
        });
        m_renderer = std::move(made.renderer);
        m_panelGl = made.view;
        // The mouse is read where it lands: on the drawing window, or on the
        // bare surface when no drawing window could be made.
        QWidget* mouseArea = made.view ? static_cast<QWidget*>(made.view) : m_panelSurface;
        mouseArea->setMouseTracking(true);
        mouseArea->installEventFilter(this);
        m_panel->view.SetRenderer(m_renderer.get());
        m_panel->view.SetRecorder(m_services.EditRecorder());
        m_services.RegisterView(m_panel.get());
        MakeReportBox();
    }
    if (hasParameters) {
        m_parameterPage = MakeScrollPage(nullptr);
        m_tabs->addTab(m_parameterPage, QString::fromUtf8(kParameterTab));
    }
    m_usagePage = MakeScrollPage(nullptr);
    m_tabs->addTab(m_usagePage, QString::fromUtf8(kUsageTab));
    m_tabs->setCurrentIndex(0);

    m_apply = new QPushButton(QStringLiteral("应用"), this);
    m_apply->hide();
    connect(m_apply, &QPushButton::clicked, this, [this] { Apply(); });

    PlacePanel(nullptr, CPropertyPage{});
}

CPropertyFrame::~CPropertyFrame() {
    {
        // Applies still queued on the loop find the window gone.
        std::lock_guard lock(m_applyLink->mutex);
        m_applyLink->frame = nullptr;
        ++m_applyLink->clearings;
    }
    if (m_panel) {
        // Waits for a frame in progress; the loop no longer sees the view.
        m_services.UnregisterView(m_panel.get());
        m_panel->view.SetRenderer(nullptr);
    }
}

void CPropertyFrame::SetMessageHook(MessageHook hook) {
    MessageHookSlot() = std::move(hook);
}

CPanelView* CPropertyFrame::PanelView() const {
    return m_panel ? &m_panel->view : nullptr;
}

template <class F> void CPropertyFrame::OnUiThread(F work) {
    if (QThread::currentThread() == thread())
        work();
    else
        QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
}

CPropertyFrame::Description CPropertyFrame::Describe(CComponent* device) {
    Description d;
    if (auto* dev = dynamic_cast<CDevice*>(device)) {
        dev->FillPropertyPage(d.page);
        // Only a page with fields can hide what they show.
        d.hasValue = dev->HasValue() && !d.page.edits.empty();
        d.hidden = dev->m_valueHidden;
        if (const CScreenInstrument* screen = dev->Screen()) {
            d.screen = true;
            d.cursors = screen->Cursors();
            d.screenRect = screen->ScreenRect();
        }
    }
    for (const CPageChoice& choice : d.page.choices)
        d.chosen.push_back(choice.target ? *choice.target : -1);
    return d;
}

void CPropertyFrame::Show() {
    m_visible.store(true);
    if (m_panel) m_panel->view.SetVisible(true);
    OnUiThread([this] { show(); });
}

void CPropertyFrame::Hide() {
    m_visible.store(false);
    if (m_panel) m_panel->view.SetVisible(false);
    OnUiThread([this] { hide(); });
}

void CPropertyFrame::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    SetPanelVisible(true);
}

void CPropertyFrame::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    SetPanelVisible(false);
}

void CPropertyFrame::SetPanelVisible(bool visible) {
    m_visible.store(visible);
    if (m_panel) m_panel->view.SetVisible(visible);
}

void CPropertyFrame::SetDevice(CComponent* device, int /*index: always this window's own*/) {
    // The device is read where the call comes from: on the frame loop, which
    // owns the experiment, or on the user-interface thread with a device the
    // loop does not change (a device-bar template, or the loop stopped).
    m_device.store(device);
    const std::uint64_t serial = ++m_serial;
    if (m_panel) m_panel->view.SetDevice(device);
    Description description = device ? Describe(device) : Description{};
    OnUiThread([this, device, serial, description = std::move(description)] {
        if (m_serial.load() != serial) return; // a later device has come
        ShowDevice(device, description);
    });
}

void CPropertyFrame::ClearDevice() {
    {
        std::lock_guard lock(m_applyLink->mutex);
        ++m_applyLink->clearings;
    }
    m_device.store(nullptr);
    const std::uint64_t serial = ++m_serial;
    if (m_panel) m_panel->view.SetDevice(nullptr);
    OnUiThread([this, serial] {
        if (m_serial.load() != serial) return;
        ShowDevice(nullptr, Description{});
    });
}

void CPropertyFrame::SetTextColour(std::uint32_t argb) {
    if (m_renderer) m_renderer->SetTextColour(argb);
}

void CPropertyFrame::RefreshIfShowing(CComponent* device) {
    if (device && m_device.load() == device) SetDevice(device, m_index);
}

void CPropertyFrame::ClearIfShowing(CComponent* device) {
    if (!device) return;
    if (m_device.load() == device)
        ClearDevice();
    else if (m_panel && m_panel->view.PendingDevice() == device)
        m_panel->view.SetDevice(nullptr);
}

void CPropertyFrame::SetPanelDevice(CComponent* device) {
    if (!m_panel) return;
    m_panel->view.SetDevice(device);
    const std::uint64_t serial = m_serial.load();
    CPropertyPage page = device ? Describe(device).page : CPropertyPage{};
    OnUiThread([this, device, serial, page = std::move(page)] {
        if (m_serial.load() != serial) return;
        PlacePanel(device, page);
    });
}

void CPropertyFrame::HideIfShowing(CComponent* device) {
    if (device && m_device.load() == device) Hide();
}

void CPropertyFrame::ShowDevice(CComponent* device, const Description& description) {
    const CPropertyPage& page = description.page;
    m_shown = device;
    m_page = page;
    m_chosenAtFill = description.chosen;
    m_described = description;
    if (device) {
        const CPageRect& r = page.window;
        const int width = r.Width(), height = r.Height();
        resize(width, height);
        // The tab control reaches down to just above the apply button: a
        // panel page needs the tab row plus the panel's full height.
        m_tabs->setGeometry(r.left + 5, r.top + 10, width - 15, height - kTabBottomGap);
        m_apply->setGeometry(width / 2 - 40, r.bottom - 80, 60, 20);
        m_apply->show();
    } else {
        resize(kNoDeviceWidth, kNoDeviceHeight);
        m_tabs->setGeometry(5, 10, kNoDeviceTabWidth, kNoDeviceTabHeight);
        m_apply->hide();
    }
    if (m_parameterPage) RefreshParameterPage();
    if (m_panel) PlacePanel(device, page);
    if (m_reportBox && description.screen) {
        const QSignalBlocker quietCursors(m_cursorBox), quietChannel(m_cursorChannel);
        m_cursorBox->setChecked(description.cursors.shown);
        m_cursorChannel->setCurrentIndex(description.cursors.channel == 1 ? 1 : 0);
        m_reportSeen = ~std::uint64_t{0};
    }
    RefreshUsagePage();
    SyncLock();
}

void CPropertyFrame::SyncLock() {
    const bool locked = m_experiment.m_locked != 0;
    m_apply->setEnabled(!locked);
    if (m_hiddenBox) m_hiddenBox->setEnabled(!locked);
}

void CPropertyFrame::PlacePanel(CComponent* device, const CPropertyPage& page) {
    if (!m_panelSurface) return;
    // The page already begins under the tab row, which is the 20 pixels the
    // panel sits below the description's top edge.
    QRect place(0, 0, 290, 330);
    if (device) {
        const CPageRect& r = page.window;
        place = QRect(r.left, r.top, std::max(0, r.Width()), std::max(0, r.Height() - 120 - page.reportHeight));
    }
    PlaceReport(device ? page : CPropertyPage{}, place.bottom() + 1, place.width());
    m_panelSurface->setGeometry(place);
    for (QObject* child : m_panelSurface->children())
        if (auto* w = qobject_cast<QWidget*>(child)) w->setGeometry(0, 0, place.width(), place.height());
    // The view covers the page plus one pixel, so the rightmost column is drawn.
    m_panel->SetViewRect(place.width() + 1, place.height());
    if (!m_services.LoopRunning()) m_panel->TakeViewRect();
}

void CPropertyFrame::RefreshParameterPage() {
    QWidget* canvas = NewCanvas(m_parameterPage);
    m_edits.clear();
    m_choices.clear();
    m_texts.clear();
    m_spin = nullptr;
    m_hiddenBox = nullptr;
    int right = 0, bottom = 0;
    const auto grow = [&](const CPageRect& r) {
        right = std::max(right, r.right);
        bottom = std::max(bottom, r.bottom);
    };
    if (m_shown) {
        for (std::size_t i = 0; i < m_page.choices.size(); ++i) {
            const CPageChoice& choice = m_page.choices[i];
            auto* box = new QComboBox(canvas);
            for (const std::string& item : choice.items)
                box->addItem(QString::fromStdString(item));
            const int current = i < m_chosenAtFill.size() ? m_chosenAtFill[i] : -1;
            if (current >= 0 && current < box->count()) box->setCurrentIndex(current);
            box->setGeometry(ToQRect(choice.rect));
            const int row = std::max(1, box->fontMetrics().height() + 4);
            box->setMaxVisibleItems(std::max(1, kChoiceDropHeight / row));
            m_choices.push_back(box);
            grow(choice.rect);
        }
        for (const CPagePicture& picture : m_page.pictures) {
            auto* label = new QLabel(canvas);
            label->setPixmap(LoadBarPicture(QString::fromStdString(picture.file)));
            label->setGeometry(ToQRect(picture.rect));
            grow(picture.rect);
        }
        for (const CPageText& text : m_page.texts) {
            QLabel* label = MakeText(canvas, text);
            m_texts.push_back(label);
            // Text rectangles are drawn generously wide; only the text itself
            // counts towards the pane's width, so no needless scroll bar shows.
            const QRect r = label->geometry();
            right = std::max(right, r.left() + std::min(r.width(), label->sizeHint().width()));
            bottom = std::max(bottom, text.rect.bottom);
        }
        for (const CPageEdit& edit : m_page.edits) {
            auto* line = new QLineEdit(QString::fromStdString(edit.text), canvas);
            // Long values ("999999.000000") show their leading digits.
            line->setCursorPosition(0);
            line->setMaxLength(static_cast<int>(CPropertyPage::kMaxEditChars));
            line->setReadOnly(edit.readOnly);
            line->setFont(PageFont());
            line->setGeometry(ToQRect(edit.rect));
            m_edits.push_back(line);
            grow(edit.rect);
        }
        for (const CPageSpin& spin : m_page.spins) {
            if (spin.edit < 0 || spin.edit >= static_cast<int>(m_edits.size())) continue;
            QLineEdit* buddy = m_edits[spin.edit];
            m_spin = new QSpinBox(canvas);
            m_spin->setRange(CPropertyPage::kSpinMin, CPropertyPage::kSpinMax);
            m_spin->setValue(std::clamp(spin.position, CPropertyPage::kSpinMin, CPropertyPage::kSpinMax));
            m_spin->setGeometry(ToQRect(spin.rect));
            QSpinBox* box = m_spin;
            // A step starts from the number typed into the field and writes
            // the new number back into it.
            connect(buddy, &QLineEdit::textEdited, box, [box](const QString& text) {
                int value = 0;
                if (!ReadSpinNumber(text, value)) return;
                const QSignalBlocker quiet(box);
                box->setValue(value);
            });
            connect(box, &QSpinBox::valueChanged, buddy,
                    [buddy](int value) { buddy->setText(QString::number(value)); });
            grow(spin.rect);
            break; // one spin control per page
        }
        if (m_described.hasValue) {
            // A hidden value is not shown on the page either: its fields are
            // masked and cannot be typed into until the mark is taken off.
            if (m_described.hidden)
                for (std::size_t i = 0; i < m_edits.size() && i < m_page.edits.size(); ++i)
                    if (!std::holds_alternative<std::string*>(m_page.edits[i].target)) {
                        m_edits[i]->setEchoMode(QLineEdit::Password);
                        m_edits[i]->setReadOnly(true);
                    }
            m_hiddenBox = new QCheckBox(QString::fromUtf8(kHiddenText), canvas);
            m_hiddenBox->setFont(PageFont());
            m_hiddenBox->setChecked(m_described.hidden);
            const int left = m_page.edits.front().rect.left > 20 ? 20 : m_page.edits.front().rect.left;
            m_hiddenBox->setGeometry(left, bottom + 8, 120, 20);
            right = std::max(right, left + 120);
            bottom += 28;
        }
    }
    FinishCanvas(m_parameterPage, canvas, right, bottom);
}

void CPropertyFrame::RefreshUsagePage() {
    QWidget* canvas = NewCanvas(m_usagePage);
    m_usageTexts.clear();
    int right = 0, bottom = 0;
    if (m_shown) {
        for (const CPageText& text : m_page.usage) {
            QLabel* label = MakeText(canvas, text);
            m_usageTexts.push_back(label);
            // A usage rectangle may be wider than the page shows: the text is
            // wrapped to the visible width (and given the height it then
            // needs) so it reads without scrolling sideways.
            QRect r = label->geometry();
            const int visible =
                m_tabs->width() - kUsageMargin - m_usagePage->verticalScrollBar()->sizeHint().width();
            if (r.right() + 1 > visible && visible - r.left() >= kNarrowestUsage) {
                r.setWidth(visible - r.left());
                r.setHeight(std::max(r.height(), label->heightForWidth(r.width())));
                label->setGeometry(r);
            }
            // A rectangle is often far taller than its text: the pane grows
            // only as far as the text reaches, so it scrolls only when needed.
            const int used = std::min(r.height(), label->heightForWidth(r.width()));
            right = std::max(right, r.right() + 1);
            bottom = std::max(bottom, r.top() + std::max(used, 0));
        }
    }
    FinishCanvas(m_usagePage, canvas, right, bottom);
}

void CPropertyFrame::Tell(const QString& text) {
    if (const MessageHook& hook = MessageHookSlot())
        hook(this, text);
    else
        QMessageBox::warning(this, QStringLiteral("Ampera"), text, QMessageBox::Ok);
}

void CPropertyFrame::Apply() {
    if (!m_shown) return;
    if (m_experiment.m_locked) {
        Tell(QString::fromUtf8(kLockedMessage));
        return;
    }
    // -1: the page has no hidden mark.
    const int hiddenWanted = m_hiddenBox ? (m_hiddenBox->isChecked() ? 1 : 0) : -1;
    std::vector<std::string> typed;
    for (QLineEdit* line : m_edits)
        typed.push_back(line->text().toStdString());
    std::vector<int> chosen;
    for (QComboBox* box : m_choices)
        chosen.push_back(box->currentIndex());

    if (!ValidatePage(m_page, typed).ok) {
        Tell(QString::fromUtf8(kRangeMessage));
        return;
    }

    // The write runs where the device fields are read: on the frame loop. It
    // holds the page's targets, so it must not run once the experiment was
    // cleared under the window, nor report to a window that is gone.
    CComponent* device = m_shown;
    const std::uint64_t serial = m_serial.load();
    std::shared_ptr<CApplyLink> link = m_applyLink;
    const std::uint64_t clearings = link->clearings.load();
    CExperiment* experiment = &m_experiment;
    CAppServices* services = &m_services;
    auto write = [link, clearings, experiment, services, device, serial, page = m_page, typed, chosen,
                  hiddenWanted] {
        if (link->clearings.load() != clearings || experiment->m_locked) return;
        CApplyResult result;
        // One apply is one undo step (a device-bar template is not on the
        // board and makes none).
        auto apply = [&] {
            result = ApplyPage(page, typed, chosen);
            if (auto* target = dynamic_cast<CDevice*>(device); result.ok && target && hiddenWanted >= 0)
                target->m_valueHidden = hiddenWanted == 1;
        };
        if (CEditRecorder* recorder = services->EditRecorder())
            recorder->Record("参数设置", "", services->GetTime(), {device}, apply);
        else
            apply();
        if (!result.ok) return;
        experiment->MarkTopologyDirty();
        CPropertyFrame* here = nullptr;
        {
            std::lock_guard lock(link->mutex);
            CPropertyFrame* frame = link->frame;
            if (!frame) return;
            if (QThread::currentThread() == frame->thread()) {
                here = frame; // reported below, without the lock
            } else {
                QMetaObject::invokeMethod(
                    frame,
                    [frame, device, serial, shown = result.shownTexts] {
                        frame->AfterApply(device, serial, shown);
                    },
                    Qt::QueuedConnection);
            }
        }
        if (here) here->AfterApply(device, serial, result.shownTexts);
    };
    if (m_runOnLoop && m_services.LoopRunning())
        m_runOnLoop(std::move(write));
    else
        write();
}

void CPropertyFrame::AfterApply(CComponent* device, std::uint64_t serial,
                                const std::vector<std::string>& shown) {
    // Another device came meanwhile: its page stays as it is.
    if (m_serial.load() != serial || m_shown != device) return;
    for (std::size_t i = 0; i < shown.size() && i < m_edits.size(); ++i) {
        m_edits[i]->setText(QString::fromStdString(shown[i]));
        m_edits[i]->setCursorPosition(0);
    }
    Hide();
}

bool CPropertyFrame::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        if (m_panel && watched->isWidgetType()) DepositMouse(event);
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void CPropertyFrame::DepositMouse(QEvent* event) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    CBoardEvent e;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (mouse->button() != Qt::LeftButton) return;
        e.kind = EVENT_LEFT_DOWN;
        break;
    case QEvent::MouseButtonRelease:
        if (mouse->button() != Qt::LeftButton) return;
        e.kind = EVENT_LEFT_UP;
        break;
    case QEvent::MouseButtonDblClick:
        if (mouse->button() != Qt::LeftButton) return;
        e.kind = EVENT_DOUBLE_CLICK;
        break;
    default:
        e.kind = EVENT_MOVE;
        break;
    }
    // The drawing surface fills the page at its origin, so its positions
    // are the page's client positions, which are the view's.
    const QPoint local = m_panelSurface->mapFromGlobal(mouse->globalPosition().toPoint());
    e.target = &m_panel->view;
    e.x = local.x();
    e.y = local.y();
    const QPoint screen = mouse->globalPosition().toPoint();
    e.screenX = screen.x();
    e.screenY = screen.y();
    if (mouse->modifiers() & Qt::ShiftModifier) e.modifiers |= MODIFIER_SHIFT;
    if (mouse->modifiers() & Qt::ControlModifier) e.modifiers |= MODIFIER_CTRL;
    m_panel->view.Deposit(e);
}

} // namespace ampera

namespace ampera {

namespace {
constexpr int kReportTick = 100; // ms between looks at the panel view's report
constexpr int kReportRow = 24;
constexpr const char* kChannelChoices[2] = {"通道一", "通道二"};

// Runs `work` on the frame's own thread: now when already there, else queued
// (dropped if the frame is gone by then).
void PostToFrame(CPropertyFrame* frame, std::function<void()> work) {
    if (QThread::currentThread() == frame->thread())
        work();
    else
        QMetaObject::invokeMethod(frame, std::move(work), Qt::QueuedConnection);
}

std::string DialogTitle(const char* menuText) {
    std::string title = menuText;
    while (!title.empty() && title.back() == '.')
        title.pop_back();
    return title;
}
} // namespace

void CPropertyFrame::MakeReportBox() {
    m_reportBox = new QWidget(m_panelPage);
    m_reportBox->hide();
    QFont small = PageFont();
    small.setPixelSize(12);
    m_reportLabel = new QLabel(m_reportBox);
    m_reportLabel->setFont(small);
    m_reportLabel->setTextFormat(Qt::RichText);
    m_reportLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette pal = m_reportLabel->palette();
    pal.setColor(QPalette::WindowText, kTextColour);
    m_reportLabel->setPalette(pal);
    m_measureBox = new QCheckBox(QString::fromUtf8(kMeasureText), m_reportBox);
    m_measureBox->setChecked(true);
    m_cursorBox = new QCheckBox(QString::fromUtf8(kCursorText), m_reportBox);
    m_cursorChannel = new QComboBox(m_reportBox);
    for (const char* name : kChannelChoices)
        m_cursorChannel->addItem(QString::fromUtf8(name));
    m_cursorChannel->setToolTip(QStringLiteral("双踪显示时电压光标所测的通道"));
    m_exportTrace = new QPushButton(QString::fromUtf8(kExportTraceText), m_reportBox);
    m_exportScreen = new QPushButton(QString::fromUtf8(kExportScreenText), m_reportBox);
    for (QWidget* w : std::initializer_list<QWidget*>{m_measureBox, m_cursorBox, m_cursorChannel, m_exportTrace,
                                                      m_exportScreen})
        w->setFont(small);

    connect(m_measureBox, &QCheckBox::toggled, this, [this] {
        m_reportSeen = ~std::uint64_t{0};
        RefreshReport();
    });
    connect(m_cursorBox, &QCheckBox::toggled, this,
            [this](bool on) { RunOnScreen([on](CScreenInstrument& screen) { screen.SetCursorsShown(on); }); });
    connect(m_cursorChannel, &QComboBox::currentIndexChanged, this, [this](int index) {
        RunOnScreen([index](CScreenInstrument& screen) { screen.SetCursorChannel(index); });
    });
    connect(m_exportTrace, &QPushButton::clicked, this, [this] { ExportTrace(); });
    connect(m_exportScreen, &QPushButton::clicked, this, [this] { ExportScreen(); });
    m_reportTimer = new QTimer(this);
    m_reportTimer->setInterval(kReportTick);
    connect(m_reportTimer, &QTimer::timeout, this, [this] { RefreshReport(); });
}

void CPropertyFrame::PlaceReport(const CPropertyPage& page, int top, int width) {
    if (!m_reportBox) return;
    const int height = page.reportHeight;
    if (height <= 0) {
        m_reportBox->hide();
        m_reportTimer->stop();
        return;
    }
    // The panel may be drawn wider than the tab page shows; the buttons stay
    // on the page.
    width = std::max(0, std::min(width, m_tabs->width() - 8));
    m_reportBox->setGeometry(0, top, width, height);
    const int row = height - kReportRow - 2;
    m_reportLabel->setGeometry(6, 2, width - 12, row - 4);
    m_measureBox->setGeometry(6, row, 56, kReportRow);
    m_cursorBox->setGeometry(66, row, 56, kReportRow);
    m_cursorChannel->setGeometry(126, row, 80, kReportRow);
    m_exportScreen->setGeometry(width - 126, row, 120, kReportRow);
    m_exportTrace->setGeometry(width - 252, row, 120, kReportRow);
    m_reportBox->show();
    m_reportSeen = ~std::uint64_t{0};
    m_reportTimer->start();
}

void CPropertyFrame::RefreshReport() {
    if (!m_reportBox || m_reportBox->isHidden()) return;
    const std::uint64_t serial = m_panel->view.ReportSerial();
    if (serial == m_reportSeen) return;
    m_reportSeen = serial;
    const CScreenReport report = m_panel->view.Report();
    auto cell = [](const std::string& text, bool header) {
        const QString escaped = QString::fromStdString(text).toHtmlEscaped();
        return QStringLiteral("<td style='padding:1px 10px 1px 0'%1>%2</td>")
            .arg(header ? QStringLiteral(" align='left'") : QStringLiteral(" align='right'"), escaped);
    };
    QString html;
    if (m_measureBox->isChecked() && !report.channels.empty()) {
        html += QStringLiteral("<table cellspacing='0'><tr>") + cell("", true);
        for (const std::string& q : report.quantities)
            html += cell(q, false);
        html += QStringLiteral("</tr>");
        for (const CScreenReport::Row& row : report.channels) {
            html += QStringLiteral("<tr>") + cell(row.channel, true);
            for (const std::string& v : row.values)
                html += cell(v, false);
            html += QStringLiteral("</tr>");
        }
        html += QStringLiteral("</table>");
    }
    if (!report.cursors.empty()) {
        QStringList parts;
        for (const auto& [name, value] : report.cursors)
            parts << QString::fromStdString(name + " " + value).toHtmlEscaped();
        html += QStringLiteral("<p style='margin-top:4px'>光标：") +
                parts.join(QStringLiteral("&nbsp;&nbsp;&nbsp;&nbsp;")) + QStringLiteral("</p>");
    }
    m_reportLabel->setText(html);
}

void CPropertyFrame::RunOnScreen(std::function<void(CScreenInstrument&)> work) {
    if (!m_panel) return;
    CComponent* device = m_panel->view.PendingDevice();
    if (!device) return;
    std::shared_ptr<CApplyLink> link = m_applyLink;
    const std::uint64_t clearings = link->clearings.load();
    CPanelView* view = &m_panel->view;
    auto task = [link, clearings, device, view, work = std::move(work)] {
        std::lock_guard lock(link->mutex);
        // The window is gone, the experiment was cleared, or the panel shows
        // another device: the device may no longer exist.
        if (!link->frame || link->clearings.load() != clearings || view->PendingDevice() != device) return;
        if (auto* d = dynamic_cast<CDevice*>(device))
            if (CScreenInstrument* screen = d->Screen()) work(*screen);
    };
    if (m_runOnLoop && m_services.LoopRunning())
        m_runOnLoop(std::move(task));
    else
        task();
}

void CPropertyFrame::ExportTrace() {
    if (!m_saveDialog || !m_reportBox || m_reportBox->isHidden()) return;
    const std::optional<std::string> path = m_saveDialog(DialogTitle(kExportTraceText), kTraceFilter);
    if (!path) return;
    QPointer<CPropertyFrame> self(this);
    RunOnScreen([self, path = *path](CScreenInstrument& screen) {
        std::string csv = screen.TraceCsv();
        if (!self) return;
        // Written and reported on the user-interface thread.
        PostToFrame(self, [self, path, csv = std::move(csv)] {
            if (!self) return;
            if (csv.empty()) {
                self->Tell(QString::fromUtf8(kDarkScreenMessage));
                return;
            }
            std::string error;
            if (!WriteFileAtomically(path, csv, &error))
                self->Tell(QString::fromStdString("无法保存波形数据到 " + path + (error.empty() ? "" : "\n" + error)));
        });
    });
}

void CPropertyFrame::ExportScreen() {
    if (!m_saveDialog || !m_reportBox || m_reportBox->isHidden()) return;
    const std::optional<std::string> path = m_saveDialog(DialogTitle(kExportScreenText), kScreenFilter);
    if (!path) return;
    auto* gl = qobject_cast<QOpenGLWidget*>(m_panelGl);
    QImage image = gl ? gl->grabFramebuffer() : QImage();
    if (image.isNull()) {
        Tell(QStringLiteral("无法导出图片：没有可以读取的画面。"));
        return;
    }
    // The panel is drawn one to one from the page's corner; the screen is
    // its part to keep, in the image's own pixels.
    const CPanelRect r = m_described.screenRect;
    const double scale = image.devicePixelRatio();
    const QRect screen(static_cast<int>(std::lround(r.left * scale)), static_cast<int>(std::lround(r.top * scale)),
                       static_cast<int>(std::lround((r.right - r.left) * scale)),
                       static_cast<int>(std::lround((r.bottom - r.top) * scale)));
    image = image.copy(screen.intersected(image.rect()));
    image.setDevicePixelRatio(1);
    if (image.isNull() || !image.save(QString::fromStdString(*path), "PNG"))
        Tell(QString::fromStdString("无法保存图片到 " + *path));
}

} // namespace ampera
