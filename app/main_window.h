// The main window: menu, toolbar and the board, the owner of the services,
// the board view and its renderer, and the creator of the device bar and the
// four property windows. It routes the mouse and keyboard to the board view,
// turns menu and toolbar choices into editing commands queued to the frame
// loop, and runs the file commands.
#pragma once

#include "app/core/file_commands.h"
#include "app/core/menu_rules.h"
#include "app/core/scrolling.h"
#include "loop_tasks.h"
#include "views/board_event.h"
#include "views/device_bar.h"
#include "views/property_frame.h"

#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QUrl>

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

class QAction;
class QDialog;
class QMenu;
class QTimer;
class QToolBar;

namespace ampera {

class CAppServices;
class CAutosave;
class CBoardArea;
class CKeyDoc;
class CBoardView;
class CComponent;
class CDeviceBar;
class CExperiment;
class CGLView;
class CPropertyFrame;
class CQtPlatform;
class CRenderer;
class CMainFileWork;
class CRecentSettings;
class CStartDialogs;

// What the window shows modally or hands to the desktop. Every member has a
// working default; tests replace them so nothing ever waits for a person.
struct CMainDlgOptions {
    // Questions and file dialogs of New, Open, Save, Save As and Exit.
    std::shared_ptr<IFileDialogs> dialogs;
    // The colour chooser: the chosen colour (0x00BBGGRR) or nothing when
    // cancelled.
    std::function<std::optional<std::uint32_t>(std::uint32_t initial, QWidget* parent)> chooseColour;
    // Runs a modal dialog (About, colour settings) and returns its result.
    std::function<int(QDialog& dialog)> runDialog;
    // Opens the help page and the About box's links.
    std::function<void(const QUrl& url)> openUrl;
    // The services' platform side ("Warning" boxes, cursors, sound).
    std::shared_ptr<CQtPlatform> platform;
    // Reports that no renderer could be made (default: a "Warning" box).
    std::function<void(const QString& text)> reportNoRenderer;
    // Where autosaves go (default: the program's local data folder,
    // subfolder autosave) and how often (default: AMPERA_AUTOSAVE_SECONDS,
    // else 60 s).
    QString autosaveFolder;
    int autosaveIntervalMs = 0;
    // Asks for a password (the teacher's lock): the text typed, or nothing
    // when cancelled. Default: an input box that hides what is typed.
    std::function<std::optional<std::string>(const QString& prompt, QWidget* parent)> askPassword;
    // The settings file the recent-files list is kept in (default: the
    // user's own settings of the program).
    QString settingsFile;
};

// What the frame loop last saw of the experiment, for the user-interface
// thread: menus, the timer and the file commands read this instead of the
// experiment the loop is changing.
struct CBoardSnapshot {
    std::size_t deviceCount = 0;
    std::size_t objectCount = 0; // components, nodes and wires
    CComponent* selection = nullptr;
    int selectionType = -1;
};

class CMainDlg : public QMainWindow {
  public:
    static constexpr int kTimerMilliseconds = 100;
    static constexpr int kSymbolNoticeMilliseconds = 10000;
    static constexpr const char* kSymbolViewNotice = "单击鼠标右键弹出菜单进入实物图";
    static constexpr const char* kHelpPage = "help\\index.html";

    explicit CMainDlg(CMainDlgOptions options = {}, QWidget* parent = nullptr);
    ~CMainDlg() override;

    // Opens a file at start, as Open does but without asking anything.
    bool OpenAtStart(const std::string& path);
    // At start: offers to recover an autosave that a run which did not end
    // cleanly left behind. True when one was recovered.
    bool OfferRecovery();
    static constexpr const char* kRecoverQuestion = "发现上次未保存的实验，是否恢复？";
    static constexpr const char* kPictureFilter = "PNG 图片(*.png)|*.png|";
    static constexpr const char* kReadingsFilter = "CSV 表格(*.csv)|*.csv|";
    static constexpr const char* kLockPrompt = "设置解锁密码（可以不填）：";
    static constexpr const char* kLockAgainPrompt = "再次输入解锁密码：";
    static constexpr const char* kLockMismatch = "两次输入的密码不一致，实验没有锁定。";
    static constexpr const char* kUnlockPrompt = "输入解锁密码：";
    static constexpr const char* kUnlockWrong = "密码不正确，实验仍然锁定。";

    // Carries out a menu, toolbar or context-menu command.
    void RunCommand(int id);

    // --- For the program's parts and for tests. ---
    CAppServices& Services() { return *m_services; }
    CBoardView& Board() { return *m_board; }
    CExperiment& Experiment() { return m_experiment; }
    CRenderer* Renderer() const { return m_renderer.get(); }
    bool HasGraphicsDevice() const { return m_hasDevice; }
    CFileCommands& Files() { return *m_files; }
    CAutosave& Autosave() { return *m_autosave; }
    // Takes the experiment's document now and autosaves it if it differs
    // from its file, as the autosave timer does.
    void AutosaveTick();
    CMenuModel& MenuModel() { return m_model; }
    QAction* MenuAction(int id) const;
    QAction* ToolAction(int id) const;
    QToolBar* ToolBar() const { return m_toolbar; }
    CBoardArea* BoardArea() const { return m_area; }
    // The widget the board is drawn into and takes the mouse from.
    QWidget* BoardSurface() const;
    CDeviceBar* DeviceBar() const { return m_deviceBar; }
    // 文件 → 示例实验 and 文件 → 最近打开.
    QMenu* ExamplesMenu() const { return m_examplesMenu; }
    QMenu* RecentMenu() const { return m_recentMenu; }
    // The examples' and recent files' entries, as their menu items open them.
    bool OpenExample(const std::string& path);
    bool OpenRecent(const std::string& path);
    CPropertyFrame* PropertyFrame(int index) const;
    QMenu* LastContextMenu() const { return m_contextMenu; }
    int ContextMenusShown() const { return m_contextMenusShown; }
    CComponent* ContextItem() const { return m_contextItem.load(); }
    const CScrollState& Scroll() const { return m_scroll; }
    int ToolbarHeight() const { return m_toolbarHeight; }
    const QString& ApplicationDirectory() const { return m_appDirectory; }
    CBoardSnapshot Snapshot() const;

    // Runs `task` on the frame loop at its next tick, or at once while the
    // loop is stopped.
    void RunOnLoop(std::function<void()> task);
    // Stop and start around whole-experiment work; jobs queued for the loop
    // that never ran are run once it has stopped.
    void StopLoop();
    void StartLoop();

    // --- Input from the board area (user-interface thread). ---
    void BoardMouse(int kind, const QPoint& view, const QPoint& screen, Qt::KeyboardModifiers modifiers);
    void BoardResized(int width, int height);
    void ScrollAction(bool horizontal, int code, int trackPosition);
    // A key press; true when it was taken (Enter and Escape always are).
    // Escape also gives up a wire being drawn or a device being placed; the
    // arrow keys move the selected device a pixel (ten with Shift).
    bool BoardKey(int key, Qt::KeyboardModifiers modifiers = {});
    // The title with the unsaved-changes mark ("Ampera [name.vtx]*").
    void RefreshTitle();

    // Applies the enabling rules and the device-loss recovery at once, as
    // the 100 ms timer does.
    void TimerTick();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    friend class CMainFileWork;

    // Start-up, in the documented order.
    void CreateServices();
    void CreateBoard();
    void CreateToolWindows();
    // Menu and toolbar (main_menu.cpp).
    void BuildMenu();
    void BuildToolBar();
    void SyncMenus();
    void BuildExamplesMenu();
    void RebuildRecentMenu();
    // The recent-files list changed: stored, and the menu made anew.
    void RecentFilesChanged();
    // Puts the device bar beside the window or the board (DeviceBarRect).
    void PlaceDeviceBar();
    // While the bar stands where it was put, it keeps its place beside the
    // window when the window moves or changes size.
    void FollowWithDeviceBar();
    // Commands (main_commands.cpp).
    void QueueCommand(std::shared_ptr<class CEditCommand> command, bool record);
    void DeleteKey();
    void ShowContextMenu(const struct CRightPressResult& result, const QPoint& screen);
    void ShowSymbolContextMenu(const QPoint& screen);
    void PopUp(const std::vector<struct CContextMenuItem>& items, const QPoint& screen);
    void ColourSettings();
    void WireColour();
    void ToggleToolbarCommand();
    void Help();
    void About();
    void ApplyDisplayColours();
    // Selection of a left-button release, on the frame loop.
    void PublishSnapshot();
    void SyncScrollBars();
    CBoardSnapshot ReadExperiment() const;
    void Shutdown();
    // Autosave (autosave work on the user-interface thread).
    void SetAutosaveBaseline(std::string documentText);
    // The main menu's Delete and turns act on the selection, else on the
    // item last right-clicked.
    void RunOnSelection(int id);
    // 文件 → 导出图片…: the board or the symbol view, as shown, as PNG.
    void ExportPicture();
    // 文件 → 导出读数…: every instrument's and source's reading as CSV, the
    // table ampera-cli readings writes.
    void ExportReadings();
    // 操作 → 锁定实验… and 解除锁定… (main_commands.cpp).
    void LockExperiment();
    void UnlockExperiment();
    void WriteAutosave(CKeyDoc& document, const std::string& text, std::uint64_t generation);

    CMainDlgOptions m_options;
    CExperiment& m_experiment;
    std::shared_ptr<CQtPlatform> m_platform;
    std::unique_ptr<CAppServices> m_services;
    std::unique_ptr<CBoardView> m_board;
    CLoopTasks m_tasks;
    std::unique_ptr<CRenderer> m_renderer;
    CGLView* m_glView = nullptr;
    bool m_hasDevice = false;
    bool m_deviceLost = false;
    bool m_deviceWasReady = false;
    bool m_shutDown = false;
    bool m_scrollReady = false;
    QString m_appDirectory;

    std::unique_ptr<CMainFileWork> m_fileWork;
    std::shared_ptr<CStartDialogs> m_startDialogs;
    std::unique_ptr<CFileCommands> m_files;
    std::unique_ptr<CAutosave> m_autosave;
    QTimer* m_autosaveTimer = nullptr;
    bool m_autosaveFailing = false;

    QString m_baseTitle;
    std::uint64_t m_historySeen = ~std::uint64_t{0};

    CMenuModel m_model;
    std::map<int, QAction*> m_menuActions;
    std::map<int, QAction*> m_toolActions;
    QToolBar* m_toolbar = nullptr;
    int m_toolbarHeight = kToolbarHeight;
    CBoardArea* m_area = nullptr;
    QTimer* m_timer = nullptr;
    QPointer<QMenu> m_contextMenu;
    int m_contextMenusShown = 0;

    QPointer<CDeviceBar> m_deviceBar;
    bool m_deviceBarStarted = false;
    std::optional<QPoint> m_deviceBarPlace; // where PlaceDeviceBar last put it
    QPointer<QMenu> m_examplesMenu;
    QPointer<QMenu> m_recentMenu;
    std::unique_ptr<CRecentSettings> m_recentSettings;
    QPointer<CPropertyFrame> m_propertyFrames[4];
    // What the property windows showed when the loop last stopped, and the
    // experiment's clear count then.
    CComponent* m_shownAtStop[4] = {nullptr, nullptr, nullptr, nullptr};
    std::uint64_t m_clearsAtStop = 0;

    CScrollState m_scroll;
    std::atomic<CComponent*> m_contextItem{nullptr};

    mutable std::mutex m_snapshotMutex;
    CBoardSnapshot m_snapshot;
};

} // namespace ampera
