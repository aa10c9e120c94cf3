// What each menu, toolbar and context-menu command does. Editing commands are
// made here and queued to the board view (the frame loop runs them); the
// item states change at once by the menu rules' first guess.
#include "about_dialog.h"
#include "app/core/command_ids.h"
#include "app/core/display_colours.h"
#include "app/core/edit_commands.h"
#include "app/core/view_routing.h"
#include "colour_dialog.h"
#include "core/experiment.h"
#include "main_window.h"
#include "views/app_services.h"
#include "views/asset_path.h"
#include "views/board_view.h"
#include "views/renderer.h"

#include <QCloseEvent>
#include <QDir>
#include <QUrl>

namespace ampera {

void CMainDlg::QueueCommand(EditCommandPtr command, bool record) {
    // Recorded on the loop once it has run, in order with the steps the
    // board's tools and the panels make there.
    m_board->Enqueue(std::move(command), record);
}

void CMainDlg::RunCommand(int id) {
    if (m_shutDown) return;
    const CommandSink enqueue = [this](EditCommandPtr command) { QueueCommand(std::move(command), false); };
    CComponent* context = m_contextItem.load();
    switch (id) {
    case CMD_NEW:
        m_files->New();
        break;
    case CMD_OPEN:
        m_files->Open();
        break;
    case CMD_SAVE:
        m_files->Save();
        break;
    case CMD_SAVE_AS:
        m_files->SaveAs();
        break;
    case CMD_EXIT:
        close();
        break;
    case CMD_UNDO:
        OnUndoChosen(m_model, m_board->History().RedoSize());
        QueueCommand(std::make_shared<CUndoCommand>(m_board->History()), false);
        break;
    case CMD_REDO:
        OnRedoChosen(m_model, m_board->History().UndoSize());
        QueueCommand(std::make_shared<CRedoCommand>(m_board->History()), false);
        break;
    case CMD_ROTATE_LEFT:
    case CMD_ROTATE_RIGHT:
        // Without a context item there is nothing to turn: no command, and no
        // empty step in the undo history.
        if (!context) break;
        if (id == CMD_ROTATE_LEFT)
            QueueCommand(std::make_shared<CRotateLeftCommand>(m_experiment, context), true);
        else
            QueueCommand(std::make_shared<CRotateRightCommand>(m_experiment, context), true);
        OnRotateChosen(m_model);
        break;
    case CMD_DELETE:
        if (!context) break;
        OnDeleteChosen(m_model, Snapshot().deviceCount);
        QueueCommand(std::make_shared<CDeleteCommand>(m_experiment, context), true);
        break;
    case CMD_DELETE_ALL:
        OnDeleteAllChosen(m_model);
        QueueCommand(std::make_shared<CDeleteAllCommand>(m_experiment), true);
        break;
    case CMD_NAMES:
        ToggleNames(m_experiment, m_model, enqueue);
        break;
    case CMD_SWITCH_VIEW:
        SwitchView(m_experiment, m_services.get(), context, m_model, enqueue);
        break;
    case CMD_DEVICE_BAR:
        ToggleDeviceBar(*m_services, m_model);
        break;
    case CMD_TOOLBAR:
        ToggleToolbarCommand();
        break;
    case CMD_COLOUR_SETTINGS:
        ColourSettings();
        break;
    case CMD_WIRE_COLOUR:
        WireColour();
        break;
    case CMD_PROPERTY_BAR:
        TogglePropertyBar(m_experiment, *m_services, context, enqueue);
        break;
    case CMD_PROPERTY_WINDOW_2:
        TogglePropertyWindow2(m_experiment, *m_services, context, enqueue);
        break;
    case CMD_HELP:
        Help();
        break;
    case CMD_ABOUT:
    case CMD_SYSTEM_ABOUT:
        About();
        break;
    default:
        break;
    }
    SyncMenus();
}

void CMainDlg::RunOnSelection(int id) {
    if (CComponent* selection = Snapshot().selection) {
        if (id == CMD_DELETE) {
            DeleteKey();
            return;
        }
        m_contextItem.store(selection);
    }
    RunCommand(id);
}

void CMainDlg::DeleteKey() {
    CComponent* selection = Snapshot().selection;
    if (!selection) return;
    QueueCommand(std::make_shared<CDeleteCommand>(m_experiment, selection), true);
    OnDeleteKeyChosen(m_model);
    // The selection is gone at once: a second press deletes nothing more.
    RunOnLoop([&experiment = m_experiment, selection] {
        if (experiment.m_boardState.selection == selection) experiment.m_boardState.selection = nullptr;
    });
    {
        std::lock_guard lock(m_snapshotMutex);
        if (m_snapshot.selection == selection) {
            m_snapshot.selection = nullptr;
            m_snapshot.selectionType = -1;
        }
    }
    SyncMenus();
}

void CMainDlg::ToggleToolbarCommand() {
    m_toolbarHeight = ToggleToolbar(m_model);
    // SyncMenus shows or hides the bar; the board area's resize then sets the
    // renderer's view rectangle again.
    SyncMenus();
}

void CMainDlg::ApplyDisplayColours() {
    const CDisplayColours& colours = DisplayColours();
    m_board->SetBackgroundColour(colours.BackgroundArgb());
    m_board->SetWireColour(colours.WireArgb());
    m_renderer->SetTextColour(colours.TextArgb());
    // The panels in the property windows draw their texts in it too.
    for (const QPointer<CPropertyFrame>& frame : m_propertyFrames)
        if (frame) frame->SetTextColour(colours.TextArgb());
}

void CMainDlg::ColourSettings() {
    CColourDialogModel model(DisplayColours());
    CColourDialog dialog(
        model, m_options.chooseColour,
        [this](bool textChosen) {
            ApplyDisplayColours();
            // A fresh empty notice makes the information line take the new
            // text colour.
            if (textChosen)
                m_renderer->PostNotice(CNotice{
                    NOTICE_INFORMATION, static_cast<int>(CColourDialogModel::kTextNoticeMs), 0, 0, 1, ""});
        },
        this);
    m_options.runDialog(dialog);
    ApplyDisplayColours();
}

void CMainDlg::WireColour() {
    CComponent* context = m_contextItem.load();
    if (!context) return;
    std::optional<std::uint32_t> chosen = m_options.chooseColour(DisplayColours().Wire(), this);
    if (!chosen) return;
    QueueCommand(std::make_shared<CWireColourCommand>(m_experiment, context, *chosen), true);
}

void CMainDlg::Help() {
    m_options.openUrl(QUrl::fromLocalFile(QString::fromStdString(AssetPath(kHelpPage))));
}

void CMainDlg::About() {
    CAboutDialog dialog(m_options.openUrl, this);
    m_options.runDialog(dialog);
}

} // namespace ampera
