// The main window's menu bar, toolbar and context menu: built from the
// descriptions of the menu rules and kept in step with their live states.
#include "app/core/command_ids.h"
#include "app/core/examples.h"
#include "app/core/recent_files.h"
#include "app/core/view_routing.h"
#include "main_window.h"
#include "recent_settings.h"
#include "views/app_services.h"
#include "views/asset_path.h"
#include "views/board_view.h"

#include <QAction>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace ampera {

namespace {

// The picture shown beside a command in the menus and on the toolbar.
const char* IconOf(int id) {
    switch (id) {
    case CMD_NEW:
        return "icons\\new.png";
    case CMD_OPEN:
        return "icons\\open.png";
    case CMD_SAVE:
        return "icons\\save.png";
    case CMD_SAVE_AS:
        return "icons\\save_as.png";
    case CMD_EXIT:
        return "icons\\exit.png";
    case CMD_UNDO:
        return "icons\\undo.png";
    case CMD_REDO:
        return "icons\\redo.png";
    case CMD_ROTATE_LEFT:
        return "icons\\rotate_left.png";
    case CMD_ROTATE_RIGHT:
        return "icons\\rotate_right.png";
    case CMD_DELETE:
        return "icons\\delete.png";
    case CMD_DELETE_ALL:
        return "icons\\delete_all.png";
    case CMD_NAMES:
        return "icons\\names.png";
    case CMD_SWITCH_VIEW:
        return "icons\\schematic.png";
    case CMD_DEVICE_BAR:
        return "icons\\device_bar.png";
    case CMD_TOOLBAR:
        return "icons\\toolbar.png";
    case CMD_COLOUR_SETTINGS:
    case CMD_WIRE_COLOUR:
        return "icons\\colours.png";
    case CMD_HELP:
        return "icons\\help.png";
    case CMD_ABOUT:
        return "icons\\about.png";
    default:
        return nullptr;
    }
}

// The platform's standard key sequences; the turns have none, so they take
// Ctrl+L and Ctrl+R.
QList<QKeySequence> ShortcutsOf(int id) {
    auto standard = [](QKeySequence::StandardKey key, const char* fallback) {
        QList<QKeySequence> keys = QKeySequence::keyBindings(key);
        if (keys.isEmpty()) keys.push_back(QKeySequence(QString::fromLatin1(fallback)));
        return keys;
    };
    switch (id) {
    case CMD_NEW:
        return standard(QKeySequence::New, "Ctrl+N");
    case CMD_OPEN:
        return standard(QKeySequence::Open, "Ctrl+O");
    case CMD_SAVE:
        return standard(QKeySequence::Save, "Ctrl+S");
    case CMD_SAVE_AS:
        return standard(QKeySequence::SaveAs, "Ctrl+Shift+S");
    case CMD_EXIT:
        return standard(QKeySequence::Quit, "Ctrl+Q");
    case CMD_UNDO:
        return standard(QKeySequence::Undo, "Ctrl+Z");
    case CMD_REDO:
        return standard(QKeySequence::Redo, "Ctrl+Y");
    case CMD_DELETE:
        return standard(QKeySequence::Delete, "Del");
    case CMD_ROTATE_LEFT:
        return {QKeySequence(QStringLiteral("Ctrl+L"))};
    case CMD_ROTATE_RIGHT:
        return {QKeySequence(QStringLiteral("Ctrl+R"))};
    case CMD_HELP:
        return standard(QKeySequence::HelpContents, "F1");
    default:
        return {};
    }
}

QIcon CommandIcon(int id) {
    const char* name = IconOf(id);
    return name ? QIcon(QString::fromStdString(AssetPath(name))) : QIcon();
}

// Items that ever carry a check mark.
bool Checkable(int id) {
    return id == CMD_NAMES || id == CMD_TOOLBAR || id == CMD_DEVICE_BAR;
}

} // namespace

void CMainDlg::BuildMenu() {
    for (const CMenuEntry& entry : MainMenu()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(entry.title));
        for (const CMenuItemEntry& item : entry.items) {
            if (item.id == CMD_NONE) {
                menu->addSeparator();
                continue;
            }
            if (IsSubmenu(item.id)) {
                QMenu* submenu = menu->addMenu(QString::fromUtf8(item.text));
                submenu->menuAction()->setData(item.id);
                (item.id == CMD_EXAMPLES_MENU ? m_examplesMenu : m_recentMenu) = submenu;
                m_menuActions[item.id] = submenu->menuAction();
                continue;
            }
            QAction* action = menu->addAction(CommandIcon(item.id), QString::fromUtf8(item.text));
            action->setMenuRole(QAction::NoRole);
            action->setData(item.id);
            action->setCheckable(Checkable(item.id));
            action->setShortcuts(ShortcutsOf(item.id));
            const int id = item.id;
            if (id == CMD_DELETE || id == CMD_ROTATE_LEFT || id == CMD_ROTATE_RIGHT)
                connect(action, &QAction::triggered, this, [this, id] { RunOnSelection(id); });
            else
                connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
            m_menuActions[id] = action;
        }
    }
    BuildExamplesMenu();
}

void CMainDlg::BuildExamplesMenu() {
    if (!m_examplesMenu) return;
    const std::vector<CExample> examples = ListExamples(AssetPath(kExamplesFolder));
    for (const CExample& example : examples) {
        QAction* action = m_examplesMenu->addAction(QString::fromStdString(example.title));
        action->setToolTip(QString::fromStdString(example.path));
        const std::string path = example.path;
        connect(action, &QAction::triggered, this, [this, path] { OpenExample(path); });
    }
    SubmenuState(m_model, CMD_EXAMPLES_MENU, !examples.empty());
}

void CMainDlg::RebuildRecentMenu() {
    if (!m_recentMenu) return;
    // The old entries go later: this may run from one of them being chosen.
    for (QAction* old : m_recentMenu->actions()) {
        m_recentMenu->removeAction(old);
        old->deleteLater();
    }
    const std::vector<std::string>& paths = m_files->Recent().Paths();
    for (std::size_t index = 0; index < paths.size(); ++index) {
        const std::string path = paths[index];
        QAction* action = m_recentMenu->addAction(QString::fromStdString(RecentMenuText(index, path)));
        action->setToolTip(QString::fromStdString(path));
        connect(action, &QAction::triggered, this, [this, path] { OpenRecent(path); });
    }
    SubmenuState(m_model, CMD_RECENT_MENU, !paths.empty());
    SyncMenus();
}

void CMainDlg::RecentFilesChanged() {
    m_recentSettings->Store(m_files->Recent().Paths());
    RebuildRecentMenu();
}

bool CMainDlg::OpenExample(const std::string& path) {
    if (m_shutDown) return false;
    const bool opened = m_files->OpenCopy(path);
    SyncMenus();
    return opened;
}

bool CMainDlg::OpenRecent(const std::string& path) {
    if (m_shutDown) return false;
    const bool opened = m_files->OpenRecent(path);
    SyncMenus();
    return opened;
}

void CMainDlg::BuildToolBar() {
    m_toolbar = new QToolBar(this);
    m_toolbar->setObjectName(QStringLiteral("toolBar"));
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    m_toolbar->setIconSize(QSize(24, 24));
    m_toolbar->setFixedHeight(kToolbarHeight);
    m_toolbar->toggleViewAction()->setVisible(false);
    // Only the Toolbar command shows and hides it (the height follows it).
    setContextMenuPolicy(Qt::NoContextMenu);
    addToolBar(Qt::TopToolBarArea, m_toolbar);
    for (const CToolItemEntry& item : ToolbarItems()) {
        if (item.id == CMD_NONE) {
            m_toolbar->addSeparator();
            continue;
        }
        QAction* action = m_toolbar->addAction(CommandIcon(item.id), QString::fromUtf8(item.tooltip));
        action->setToolTip(QString::fromUtf8(item.tooltip));
        action->setData(item.id);
        const int id = item.id;
        connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
        m_toolActions[id] = action;
    }
}

QAction* CMainDlg::MenuAction(int id) const {
    auto found = m_menuActions.find(id);
    return found == m_menuActions.end() ? nullptr : found->second;
}

QAction* CMainDlg::ToolAction(int id) const {
    auto found = m_toolActions.find(id);
    return found == m_toolActions.end() ? nullptr : found->second;
}

void CMainDlg::SyncMenus() {
    for (auto& [id, action] : m_menuActions) {
        const CItemState state = m_model.Menu(id);
        action->setEnabled(state.enabled);
        if (action->isCheckable()) action->setChecked(state.checked);
    }
    if (QAction* view = MenuAction(CMD_SWITCH_VIEW))
        view->setText(QString::fromStdString(m_model.SwitchViewText()));
    // Undo and redo say what they would take back or do again.
    const std::string undoName = m_board ? m_board->History().UndoName() : std::string();
    const std::string redoName = m_board ? m_board->History().RedoName() : std::string();
    if (QAction* undo = MenuAction(CMD_UNDO)) undo->setText(QString::fromStdString(UndoMenuText(undoName)));
    if (QAction* redo = MenuAction(CMD_REDO)) redo->setText(QString::fromStdString(RedoMenuText(redoName)));
    if (QAction* undo = ToolAction(CMD_UNDO)) undo->setToolTip(QString::fromStdString(UndoToolTip(undoName)));
    if (QAction* redo = ToolAction(CMD_REDO)) redo->setToolTip(QString::fromStdString(RedoToolTip(redoName)));
    for (auto& [id, action] : m_toolActions)
        action->setEnabled(m_model.Tool(id).enabled);
    if (m_toolbar && m_toolbar->isVisibleTo(this) != m_model.ToolbarVisible())
        m_toolbar->setVisible(m_model.ToolbarVisible());
}

void CMainDlg::PopUp(const std::vector<CContextMenuItem>& items, const QPoint& screen) {
    delete m_contextMenu.data();
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("contextMenu"));
    for (const CContextMenuItem& item : items) {
        if (item.separator || item.id == CMD_NONE) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(CommandIcon(item.id), QString::fromStdString(item.text));
        action->setData(item.id);
        const int id = item.id;
        connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
    }
    m_contextMenu = menu;
    ++m_contextMenusShown;
    menu->popup(screen);
}

void CMainDlg::ShowContextMenu(const CRightPressResult& result, const QPoint& screen) {
    if (m_shutDown) return;
    m_contextItem.store(result.item);
    // A press that a tool took (cancelling a wire, say) opens no menu.
    if (!result.defaultTool) return;
    CContextMenuInputs inputs;
    inputs.realView = m_experiment.m_realView != 0;
    inputs.undoSize = m_board->History().UndoSize();
    inputs.redoSize = m_board->History().RedoSize();
    IDeviceWindow* bar = m_services->GetDeviceWindow();
    inputs.deviceWindowVisible = bar && bar->IsVisible();
    inputs.contextType = result.item ? result.itemType : kNoContextItem;
    for (int index : {0, 1, 3})
        if (IPropertyWindow* window = m_services->GetPropertyWindow(index); window && window->IsVisible())
            inputs.propertyBarVisible = true;
    IPropertyWindow* screenWindow = m_services->GetPropertyWindow(2);
    inputs.propertyWindow2Visible = screenWindow && screenWindow->IsVisible();
    inputs.hasComponents = result.hasComponents;
    inputs.hasDevices = result.hasDevices;
    inputs.namesShown = result.namesShown;
    inputs.locked = m_experiment.m_locked != 0;
    PopUp(BuildContextMenu(inputs), screen);
}

void CMainDlg::ShowSymbolContextMenu(const QPoint& screen) {
    CContextMenuInputs inputs;
    inputs.realView = false;
    PopUp(BuildContextMenu(inputs), screen);
}

} // namespace ampera
