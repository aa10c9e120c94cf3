#include "main_window.h"

#include "app/core/command_ids.h"
#include "app/core/display_colours.h"
#include "app/core/edit_commands.h"
#include "app/core/view_routing.h"
#include "autosave.h"
#include "board_area.h"
#include "colour_dialog.h"
#include "core/experiment.h"
#include "devices/kind_registry.h"
#include "document/autosave_file.h"
#include "document/experiment_file.h"
#include "document/keydoc.h"
#include "file_work.h"
#include "recent_settings.h"
#include "views/app_services.h"
#include "views/asset_path.h"
#include "views/board_view.h"
#include "views/device_bar.h"
#include "views/frame_renderer.h"
#include "views/property_frame.h"
#include "views/qt_platform.h"
#include "views/renderer_factory.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QIcon>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLayout>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace ampera {

// The file dialogs the commands see: the window's own, except that a file
// named on the command line answers the first Open without a dialog.
class CStartDialogs : public IFileDialogs {
  public:
    explicit CStartDialogs(std::shared_ptr<IFileDialogs> inner) : m_inner(std::move(inner)) {}
    void PresetOpen(std::string path) { m_preset = std::move(path); }

    SaveAnswer AskSave(const std::string& question, const std::string& caption) override {
        return m_inner->AskSave(question, caption);
    }
    std::optional<std::string> SaveDialog(const std::string& title, const std::string& filter,
                                          const std::string& initialName) override {
        return m_inner->SaveDialog(title, filter, initialName);
    }
    std::optional<std::string> OpenDialog(const std::string& title, const std::string& filter) override {
        if (m_preset) {
            std::optional<std::string> preset = std::move(m_preset);
            m_preset.reset();
            return preset;
        }
        return m_inner->OpenDialog(title, filter);
    }
    void ShowError(const std::string& text) override { m_inner->ShowError(text); }
    bool AskYesNo(const std::string& question, const std::string& caption) override {
        return m_inner->AskYesNo(question, caption);
    }

  private:
    std::shared_ptr<IFileDialogs> m_inner;
    std::optional<std::string> m_preset;
};

namespace {

int ModifierBits(Qt::KeyboardModifiers modifiers) {
    int bits = 0;
    if (modifiers & Qt::ShiftModifier) bits |= MODIFIER_SHIFT;
    if (modifiers & Qt::ControlModifier) bits |= MODIFIER_CTRL;
    return bits;
}

} // namespace

CMainDlg::CMainDlg(CMainDlgOptions options, QWidget* parent)
    : QMainWindow(parent), m_options(std::move(options)), m_experiment(CExperiment::GetExperiment()) {
    setObjectName(QStringLiteral("mainWindow"));
    m_baseTitle = QString::fromStdString(WindowTitle(""));
    setWindowTitle(m_baseTitle);
    setWindowIcon(QIcon(QString::fromStdString(AssetPath("icons\\ampera.png"))));
    // The working folder when the window is made: every file dialog starts there.
    m_appDirectory = QDir::currentPath() + QLatin1Char('/');

    if (!m_options.dialogs) m_options.dialogs = std::make_shared<CQtFileDialogs>(this, m_appDirectory);
    if (!m_options.chooseColour) m_options.chooseColour = ChooseColourWithDialog;
    if (!m_options.runDialog) m_options.runDialog = [](QDialog& dialog) { return dialog.exec(); };
    if (!m_options.askPassword)
        m_options.askPassword = [](const QString& prompt, QWidget* parent) -> std::optional<std::string> {
            bool ok = false;
            const QString text = QInputDialog::getText(parent, QStringLiteral("Ampera"), prompt,
                                                       QLineEdit::Password, QString(), &ok);
            if (!ok) return std::nullopt;
            return text.toStdString();
        };
    if (!m_options.openUrl) m_options.openUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };

    CreateServices();
    CreateBoard();
    BuildToolBar();
    BuildMenu();

    m_fileWork = std::make_unique<CMainFileWork>(*this);
    m_startDialogs = std::make_shared<CStartDialogs>(m_options.dialogs);
    m_files = std::make_unique<CFileCommands>(*m_startDialogs, *m_fileWork);
    m_recentSettings = std::make_unique<CRecentSettings>(m_options.settingsFile);
    m_files->Recent().Assign(m_recentSettings->Load());
    m_files->SetRecentChanged([this] { RecentFilesChanged(); });
    RebuildRecentMenu();

    move(0, 0);
    resize(kInitialWindowWidth, kInitialWindowHeight);
    setMaximumSize(kMaxWindowWidth, kMaxWindowHeight);

    CreateToolWindows();
    ApplyDisplayColours();

    m_autosave = std::make_unique<CAutosave>(m_options.autosaveFolder.isEmpty() ? DefaultAutosaveFolder()
                                                                                : m_options.autosaveFolder);
    m_autosave->SetBaseline(ExperimentDocument(m_experiment).ToText());
    int autosaveMs = m_options.autosaveIntervalMs;
    if (autosaveMs <= 0) {
        std::string warning;
        autosaveMs = AutosaveIntervalMs(std::getenv("AMPERA_AUTOSAVE_SECONDS"), &warning);
        if (!warning.empty()) std::fprintf(stderr, "ampera: %s\n", warning.c_str());
    }

    StartLoop();
    if (!m_autosave->Ready())
        m_renderer->PostNotice(
            CNotice{NOTICE_WARNING, 10000, 0, 0, 1,
                    "无法自动保存实验：无法使用文件夹 " + m_autosave->Folder().toStdString()});
    m_autosaveTimer = new QTimer(this);
    m_autosaveTimer->setInterval(autosaveMs);
    connect(m_autosaveTimer, &QTimer::timeout, this, &CMainDlg::AutosaveTick);
    m_autosaveTimer->start();
    m_timer = new QTimer(this);
    m_timer->setInterval(kTimerMilliseconds);
    connect(m_timer, &QTimer::timeout, this, &CMainDlg::TimerTick);
    m_timer->start();
    SyncMenus();
}

CMainDlg::~CMainDlg() {
    Shutdown();
}

void CMainDlg::CreateServices() {
    m_platform = m_options.platform ? m_options.platform : std::make_shared<CQtPlatform>();
    m_platform->SetMainWindow(this);
    m_services = std::make_unique<CAppServices>(m_platform);
    m_services->SetExperiment(&m_experiment);
    m_experiment.SetWarningServices(m_services.get());
    // Codes the board view and the property windows post: they read the
    // selection and set up windows, so they run where the experiment lives.
    // The platform's queue may outlive the window: queued work checks it is still there.
    QPointer<CMainDlg> self(this);
    m_services->SetMainHandler([self](int code) {
        if (!self || self->m_shutDown) return;
        CMainDlg* window = self.data();
        window->RunOnLoop([window, code] {
            HandleMainCode(*window->m_services, code, window->m_experiment.m_boardState.selection);
        });
    });
}

void CMainDlg::CreateBoard() {
    m_board = std::make_unique<CBoardView>(m_experiment, m_services.get());
    m_services->SetEditRecorder(&m_board->Recorder());
    m_board->InstallBoardTools();
    m_services->RegisterView(m_board.get());
    // The window's own jobs tick after the board: a view switch queued with a
    // select-and-show command lets the command run first.
    m_tasks.SetAfterTasks([this] { PublishSnapshot(); });
    m_services->RegisterView(&m_tasks);

    const auto report = m_options.reportNoRenderer
                            ? m_options.reportNoRenderer
                            : std::function<void(const QString&)>([this](const QString& text) {
                                  m_services->ShowWarning(0, text.toStdString());
                              });
    CWindowRenderer made = CreateRenderer(this, m_services.get(), report);
    m_renderer = std::move(made.renderer);
    m_glView = made.view;
    m_hasDevice = made.available;
    m_board->SetRenderer(m_renderer.get());
    m_experiment.SetNoticeSink(m_renderer.get());

    m_area = new CBoardArea(*this, m_glView, this);
    m_platform->SetCursorTarget(BoardSurface());
    setCentralWidget(m_area);
}

void CMainDlg::CreateToolWindows() {
    m_services->SetDeviceWindowMaker([this]() -> IDeviceWindow* {
        auto* bar = new CDeviceBar(*m_services, m_experiment, this);
        m_deviceBar = bar;
        return bar;
    });
    m_services->SetPropertyWindowMaker([this](int index) -> IPropertyWindow* {
        auto* frame = new CPropertyFrame(index, *m_services, m_experiment, this);
        // An apply writes device fields: on the frame loop. Not through the
        // board's command queue, which waits while the symbol view is shown
        // (the property windows stay usable there).
        frame->SetLoopRunner([this](std::function<void()> job) { RunOnLoop(std::move(job)); });
        frame->SetTextColour(DisplayColours().TextArgb());
        frame->SetSaveDialog([this](const std::string& title, const std::string& filter) {
            return m_options.dialogs->SaveDialog(title, filter, "");
        });
        m_propertyFrames[index] = frame;
        return frame;
    });
    if (!m_services->GetDeviceWindow()) {
        m_services->CreateDeviceWindow();
        if (!m_services->GetDeviceWindow()) m_services->ShowWarning(0, "can not create device win");
        // The bar is placed and shown with the window (showEvent), once the
        // window's place on the screen is known.
    }
    for (int index : {0, 3, 1, 2}) {
        if (m_services->GetPropertyWindow(index)) continue;
        m_services->CreatePropertyWindow(index);
        if (!m_services->GetPropertyWindow(index))
            m_services->ShowWarning(0, "can not create property" + std::to_string(index) + " win");
    }
}

void CMainDlg::Shutdown() {
    if (m_shutDown) return;
    m_shutDown = true;
    if (m_timer) m_timer->stop();
    if (m_autosaveTimer) m_autosaveTimer->stop();
    // A clean end: the work was saved, declined or never there.
    if (m_autosave) m_autosave->Finish();
    if (IDeviceWindow* bar = m_services->GetDeviceWindow()) bar->Hide();
    for (int index : {0, 1, 2})
        if (IPropertyWindow* window = m_services->GetPropertyWindow(index)) window->Hide();
    StopLoop();
    m_services->SetMainHandler(nullptr);
    m_services->UnregisterView(&m_tasks);
    m_services->UnregisterView(m_board.get());
    if (m_area) m_area->Surface()->removeEventFilter(m_area);
    m_board->SetRenderer(nullptr);
    m_renderer->Shutdown();
    // The experiment outlives the window: it must not point into what goes now.
    m_experiment.SetNoticeSink(nullptr);
    m_experiment.SetWarningServices(nullptr);
    m_experiment.m_boardState.pendingDevice = nullptr;
    m_services->SetExperiment(nullptr);
    // The tool windows use the services: they go while the services are here.
    for (QPointer<CPropertyFrame>& frame : m_propertyFrames)
        delete frame.data();
    delete m_deviceBar.data();
    delete m_contextMenu.data();
}

bool CMainDlg::OpenAtStart(const std::string& path) {
    m_startDialogs->PresetOpen(path);
    return m_files->Open();
}

bool CMainDlg::OfferRecovery() {
    IFileDialogs& dialogs = *m_options.dialogs;
    for (CLeftAutosave& left : m_autosave->LeftBehind()) {
        const std::string path = left.Path().toStdString();
        std::string bytes, error, source;
        if (!ReadFileBytes(path, bytes, &error) || !ReadAutosaveSource(bytes, source, &error)) {
            // Kept for whoever can still read it; never offered again.
            const QString aside = left.KeepAside();
            dialogs.ShowError(
                "无法读取自动保存的实验 " + path + "\n" + error + "\n" +
                (aside.isEmpty() ? std::string("文件保留在原处。") : "文件已保留为 " + aside.toStdString()));
            continue;
        }
        if (!dialogs.AskYesNo(kRecoverQuestion, kCaption)) {
            left.Discard();
            continue;
        }
        m_fileWork->ClearContext();
        StopLoop();
        LoadFromBytes(m_experiment, bytes, m_services->GetTime()); // checked above
        m_board->History().Clear();
        // This run's own autosave holds the work before the old one goes.
        CKeyDoc document = ExperimentDocument(m_experiment);
        const std::string text = document.ToText();
        m_autosave->ClearBaseline();
        std::string writeError;
        const bool kept =
            m_autosave->Ready() &&
            m_autosave->Offer(text, AutosaveBytes(document, source), m_autosave->Generation(), writeError) &&
            m_autosave->Exists();
        StartLoop();
        if (kept) left.Discard();
        m_files->Adopt(source);
        return true;
    }
    return false;
}

void CMainDlg::SetAutosaveBaseline(std::string documentText) {
    if (m_autosave) m_autosave->SetBaseline(std::move(documentText));
}

void CMainDlg::AutosaveTick() {
    if (m_shutDown || !m_autosave->Ready()) return;
    // Whole-experiment work (a save, an open) sets the baseline itself.
    if (!m_services->LoopRunning()) return;
    const std::uint64_t generation = m_autosave->Generation();
    QPointer<CMainDlg> self(this);
    CAppServices* services = m_services.get();
    RunOnLoop([self, services, generation, &experiment = m_experiment] {
        auto document = std::make_shared<CKeyDoc>(ExperimentDocument(experiment));
        services->Post([self, document, generation] {
            if (!self || self->m_shutDown) return;
            self->WriteAutosave(*document, document->ToText(), generation);
        });
    });
}

void CMainDlg::WriteAutosave(CKeyDoc& document, const std::string& text, std::uint64_t generation) {
    const std::string source = m_files->Untitled() ? std::string() : m_files->Path();
    std::string error;
    const bool ok = m_autosave->Offer(text, AutosaveBytes(document, source), generation, error);
    if (!ok && !m_autosaveFailing)
        m_renderer->PostNotice(CNotice{NOTICE_WARNING, 10000, 0, 0, 1, "无法自动保存实验：" + error});
    m_autosaveFailing = !ok;
}

CBoardSnapshot CMainDlg::ReadExperiment() const {
    CBoardSnapshot s;
    s.deviceCount = m_experiment.Devices().size();
    s.objectCount = m_experiment.AllObjects().size();
    s.selection = m_experiment.m_boardState.selection;
    s.selectionType = s.selection ? s.selection->TypeCode() : -1;
    return s;
}

void CMainDlg::PublishSnapshot() {
    const CBoardSnapshot seen = ReadExperiment();
    std::lock_guard lock(m_snapshotMutex);
    m_snapshot = seen;
}

CBoardSnapshot CMainDlg::Snapshot() const {
    if (!m_services->LoopRunning()) return ReadExperiment();
    std::lock_guard lock(m_snapshotMutex);
    return m_snapshot;
}

void CMainDlg::RunOnLoop(std::function<void()> task) {
    if (m_services->LoopRunning())
        m_tasks.Post(std::move(task));
    else
        task();
}

void CMainDlg::StopLoop() {
    // What each window shows comes back at the start when the experiment
    // stayed (a save).
    for (int index = 0; index < CAppServices::kPropertyWindows; ++index)
        m_shownAtStop[index] = m_propertyFrames[index] ? m_propertyFrames[index]->Device() : nullptr;
    m_services->StopLoop();
    m_tasks.RunPending();
    m_clearsAtStop = m_experiment.ClearCount();
    // A job that ran just now may have handed a property window a device
    // again; the experiment is about to change under it.
    for (int index = 0; index < CAppServices::kPropertyWindows; ++index)
        if (IPropertyWindow* window = m_services->GetPropertyWindow(index)) window->ClearDevice();
}

void CMainDlg::StartLoop() {
    if (m_shutDown) return;
    // Only a device still on the board comes back (the loop is stopped: the
    // experiment can be read here).
    const bool kept = m_experiment.ClearCount() == m_clearsAtStop;
    for (int index = 0; index < CAppServices::kPropertyWindows; ++index)
        if (CComponent* shown = std::exchange(m_shownAtStop[index], nullptr); shown && kept && m_experiment.Contains(shown))
            if (IPropertyWindow* window = m_services->GetPropertyWindow(index)) window->SetDevice(shown, index);
    // What the loop will see first, so nothing reads a picture of the
    // experiment from before the work just done.
    PublishSnapshot();
    m_services->StartLoop();
}

QWidget* CMainDlg::BoardSurface() const {
    return m_area ? m_area->Surface() : nullptr;
}

CPropertyFrame* CMainDlg::PropertyFrame(int index) const {
    return index >= 0 && index < 4 ? m_propertyFrames[index].data() : nullptr;
}

void CMainDlg::BoardMouse(int kind, const QPoint& view, const QPoint& screen,
                          Qt::KeyboardModifiers modifiers) {
    CBoardEvent event;
    event.target = m_board.get();
    event.kind = kind;
    event.modifiers = ModifierBits(modifiers);
    event.x = view.x();
    event.y = view.y();
    event.screenX = screen.x();
    event.screenY = screen.y();
    // The view flag is only ever changed on this thread (the view switch).
    const bool realView = m_experiment.m_realView != 0;
    switch (kind) {
    case EVENT_LEFT_DOWN:
        if (!realView) {
            m_renderer->PostNotice(
                CNotice{NOTICE_INFORMATION, kSymbolNoticeMilliseconds, 0, 0, 1, kSymbolViewNotice});
            return;
        }
        m_board->Deposit(event);
        return;
    case EVENT_LEFT_UP:
        m_board->Deposit(event);
        // The last component under the point becomes the selection and the
        // context item (on the loop, which owns the experiment).
        RunOnLoop([release = std::make_shared<CLeftReleaseCommand>(m_experiment, event.x, event.y,
                                                                   [this](CComponent* hit) {
                                                                       if (hit) m_contextItem.store(hit);
                                                                   })] { release->Do(); });
        return;
    case EVENT_RIGHT_DOWN: {
        if (!realView) {
            m_contextItem.store(nullptr);
            ShowSymbolContextMenu(screen);
            return;
        }
        // The routing runs on the loop before the press reaches the tools;
        // its result comes back here for the context menu.
        CAppServices* services = m_services.get();
        QPointer<CMainDlg> self(this);
        auto done = [services, self, screen](const CRightPressResult& result) {
            services->Post([self, result, screen] {
                if (self) self->ShowContextMenu(result, screen);
            });
        };
        m_board->Enqueue(std::make_shared<CRightPressCommand>(m_experiment, m_services.get(), event.x,
                                                              event.y, &m_board->Controller(), done));
        m_board->Deposit(event);
        return;
    }
    default:
        m_board->Deposit(event);
        return;
    }
}

void CMainDlg::BoardResized(int width, int height) {
    CRenderer* renderer = m_renderer.get();
    RunOnLoop([renderer, width, height] {
        renderer->SetViewRect(0, 0, static_cast<float>(width), static_cast<float>(height));
    });
}

void CMainDlg::SyncScrollBars() {
    if (!m_area) return;
    const auto sync = [](QScrollBar* bar, const CScrollBar& state) {
        bar->setRange(state.min, std::max(state.min, state.max - state.page));
        bar->setPageStep(std::max(1, state.page));
        bar->setSingleStep(1);
        bar->setValue(state.pos);
    };
    sync(m_area->VerticalBar(), m_scroll.vertical);
    sync(m_area->HorizontalBar(), m_scroll.horizontal);
}

void CMainDlg::ScrollAction(bool horizontal, int code, int trackPosition) {
    CScrollBar& bar = horizontal ? m_scroll.horizontal : m_scroll.vertical;
    const int step = ApplyScroll(bar, code, trackPosition, horizontal);
    if (step == 0) return;
    // Moving the board moves the experiment's objects: a job on the loop. It
    // runs in the symbol view too (the board's own command queue waits
    // there), so the schematic scrolls at once and nothing jumps later.
    const int across = horizontal ? step : 0, down = horizontal ? 0 : step;
    RunOnLoop([&experiment = m_experiment, across, down] { ShiftBoard(experiment, across, down); });
}

bool CMainDlg::BoardKey(int key, Qt::KeyboardModifiers modifiers) {
    const int step = (modifiers & Qt::ShiftModifier) ? 10 : 1;
    // The board's editing keys act in the real view only.
    const bool real = m_experiment.m_realView != 0;
    auto nudge = [this, real](int dx, int dy) {
        if (!real) return;
        CBoardView* board = m_board.get();
        CAppServices* services = m_services.get();
        m_board->Enqueue(std::make_shared<CCallCommand>(
            [board, services, dx, dy] { board->Nudge(dx, dy, services->GetTime()); }));
    };
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return true; // never closes anything
    case Qt::Key_Escape: {
        if (!real) return true;
        CBoardView* board = m_board.get();
        CAppServices* services = m_services.get();
        m_board->Enqueue(
            std::make_shared<CCallCommand>([board, services] { board->CancelGesture(services->GetTime()); }));
        return true;
    }
    case Qt::Key_Delete:
        DeleteKey();
        return true;
    case Qt::Key_Left:
        nudge(-step, 0);
        return true;
    case Qt::Key_Right:
        nudge(step, 0);
        return true;
    case Qt::Key_Up:
        nudge(0, -step);
        return true;
    case Qt::Key_Down:
        nudge(0, step);
        return true;
    default:
        return false;
    }
}

void CMainDlg::RefreshTitle() {
    QString title = m_baseTitle;
    if (m_board && m_board->History().Modified()) title += QLatin1Char('*');
    if (title != windowTitle()) setWindowTitle(title);
}

void CMainDlg::keyPressEvent(QKeyEvent* event) {
    if (BoardKey(event->key(), event->modifiers())) {
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void CMainDlg::TimerTick() {
    const CBoardSnapshot seen = Snapshot();
    CEnablingInputs inputs;
    inputs.deviceCount = seen.deviceCount;
    inputs.hasSelection = seen.selection != nullptr;
    inputs.selectionType = seen.selectionType;
    inputs.undoSize = m_board->History().UndoSize();
    inputs.redoSize = m_board->History().RedoSize();
    inputs.locked = m_experiment.m_locked != 0;
    ApplyEnablingRules(m_model, inputs);
    // A locked experiment takes no new devices and no parameter changes.
    if (m_deviceBar && m_deviceBar->isEnabled() == inputs.locked) m_deviceBar->setEnabled(!inputs.locked);
    for (const QPointer<CPropertyFrame>& frame : m_propertyFrames)
        if (frame) frame->SyncLock();
    // The bar also goes by its own close button and with the symbol view.
    if (IDeviceWindow* bar = m_services->GetDeviceWindow()) DeviceBarState(m_model, bar->IsVisible());
    SyncMenus();
    if (const std::uint64_t seen = m_board->History().Revision(); seen != m_historySeen) {
        m_historySeen = seen;
        RefreshTitle();
    }

    if (!m_hasDevice || m_shutDown) return;
    // Qt brings a lost OpenGL context back by itself (the view initialises
    // again); once it is back the renderer starts afresh with the loop
    // stopped, as after a device reset.
    const bool ready = m_renderer->IsDeviceReady();
    if (ready && m_deviceLost) {
        m_deviceLost = false;
        StopLoop();
        m_renderer->ResetDevice();
        if (QWidget* surface = BoardSurface())
            m_renderer->SetViewRect(0, 0, static_cast<float>(surface->width()),
                                    static_cast<float>(surface->height()));
        StartLoop();
    } else if (!ready && m_deviceWasReady) {
        m_deviceLost = true;
    }
    m_deviceWasReady = ready;
}

void CMainDlg::closeEvent(QCloseEvent* event) {
    if (m_shutDown || m_files->Exit()) {
        Shutdown();
        event->accept();
        return;
    }
    event->ignore();
}

void CMainDlg::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !isMaximized()) return;
    // Maximising does not fill a large screen: the window becomes 1024 x 768
    // in the middle of it.
    QTimer::singleShot(0, this, [this] {
        if (!isMaximized()) return;
        const QRect screenArea =
            screen() ? screen()->geometry() : QRect(0, 0, kMaxWindowWidth, kMaxWindowHeight);
        const CWindowRect r = MaximisedRect(screenArea.width(), screenArea.height());
        setWindowState(windowState() & ~Qt::WindowMaximized);
        move(screenArea.left() + r.left, screenArea.top() + r.top);
        resize(r.width, r.height);
    });
}

void CMainDlg::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_deviceBarStarted && m_deviceBar && !m_shutDown) {
        // The student starts by taking devices: the bar is there from the start.
        m_deviceBarStarted = true;
        PlaceDeviceBar();
        m_deviceBar->Show();
        DeviceBarState(m_model, true);
        SyncMenus();
    }
    if (m_scrollReady || !m_area) return;
    m_scrollReady = true;
    // The client area holds the toolbar and the board area below it.
    m_scroll = InitialScroll(m_area->width(), m_area->height() + m_toolbarHeight);
    SyncScrollBars();
}

void CMainDlg::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    FollowWithDeviceBar();
}

void CMainDlg::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FollowWithDeviceBar();
}

void CMainDlg::PlaceDeviceBar() {
    QWidget* surface = BoardSurface();
    if (!m_deviceBar || !surface) return;
    // The layout may not have run yet when the window is first shown.
    if (QLayout* layout = this->layout()) layout->activate();
    const QScreen* where = screen() ? screen() : QApplication::primaryScreen();
    const QRect free = where ? where->availableGeometry() : QRect(0, 0, kMaxWindowWidth, kMaxWindowHeight);
    const QRect frame = frameGeometry();
    const QRect board(surface->mapToGlobal(QPoint(0, 0)), surface->size());
    const auto rect = [](const QRect& r) { return CWindowRect{r.left(), r.top(), r.width(), r.height()}; };
    // Room for a line of the larger of the two notice texts and a margin.
    const int noticeHeight = std::max(kWarningTextSize, kInformationTextSize) + 6;
    const QSize bar = m_deviceBar->frameGeometry().size();
    const CWindowRect placed =
        DeviceBarRect(rect(free), rect(frame), rect(board), bar.width(), bar.height(), noticeHeight);
    m_deviceBar->move(placed.left, placed.top);
    m_deviceBarPlace = m_deviceBar->pos();
}

void CMainDlg::FollowWithDeviceBar() {
    if (!m_deviceBarStarted || !m_deviceBarPlace || !m_deviceBar || m_shutDown) return;
    // Once the student has moved the bar, it stays where they put it.
    if (m_deviceBar->pos() != *m_deviceBarPlace) {
        m_deviceBarPlace.reset();
        return;
    }
    PlaceDeviceBar();
}

} // namespace ampera
