// What each menu, toolbar and context-menu command does. Editing commands are
// made here and queued to the board view (the frame loop runs them); the
// item states change at once by the menu rules' first guess.
#include "about_dialog.h"
#include "app/core/command_ids.h"
#include "app/core/display_colours.h"
#include "app/core/edit_commands.h"
#include "app/core/view_routing.h"
#include "colour_dialog.h"
#include "lock_password.h"
#include "core/experiment.h"
#include "devices/instrument_readings.h"
#include "document/experiment_file.h"
#include "main_window.h"
#include "views/app_services.h"
#include "views/asset_path.h"
#include "views/board_view.h"
#include "views/gl_view.h"
#include "views/renderer.h"

#include <QCloseEvent>
#include <QImage>
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
        OnUndoChosen(m_model, m_board->History().UndoSize());
        QueueCommand(std::make_shared<CUndoCommand>(m_board->History()), false);
        break;
    case CMD_REDO:
        OnRedoChosen(m_model, m_board->History().RedoSize());
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
    case CMD_EXPORT_PICTURE:
        ExportPicture();
        break;
    case CMD_EXPORT_READINGS:
        ExportReadings();
        break;
    case CMD_LOCK:
        LockExperiment();
        break;
    case CMD_UNLOCK:
        UnlockExperiment();
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

void CMainDlg::ExportPicture() {
    const std::optional<std::string> path =
        m_options.dialogs->SaveDialog(kExportPictureText, kPictureFilter, "");
    if (!path) return;
    // What the board shows now, as drawn: the real view or the symbol view.
    const QImage image = m_glView ? m_glView->grabFramebuffer() : QImage();
    if (image.isNull()) {
        m_options.dialogs->ShowError("无法导出图片：没有可以读取的画面。");
        return;
    }
    if (!image.save(QString::fromStdString(*path), "PNG"))
        m_options.dialogs->ShowError("无法保存图片到 " + *path);
}

void CMainDlg::ExportReadings() {
    const std::optional<std::string> path =
        m_options.dialogs->SaveDialog(kExportReadingsText, kReadingsFilter, "");
    if (!path) return;
    // Read where the experiment lives: with the loop stopped, as a save is.
    StopLoop();
    const std::string csv = ReadingsCsv(InstrumentReadings(m_experiment, m_services->GetTime()));
    StartLoop();
    std::string error;
    if (!WriteFileAtomically(*path, csv, &error))
        m_options.dialogs->ShowError("无法保存读数到 " + *path + (error.empty() ? "" : "\n" + error));
}

void CMainDlg::LockExperiment() {
    if (m_experiment.m_locked) return;
    const std::optional<std::string> password = m_options.askPassword(QString::fromUtf8(kLockPrompt), this);
    if (!password) return;
    const std::optional<std::string> again = m_options.askPassword(QString::fromUtf8(kLockAgainPrompt), this);
    if (!again) return;
    if (*again != *password) {
        m_options.dialogs->ShowError(kLockMismatch);
        return;
    }
    const std::string salt = MakeLockSalt();
    const std::string digest = LockDigest(*password, salt);
    CBoardView* board = m_board.get();
    CAppServices* services = m_services.get();
    RunOnLoop([board, services, &experiment = m_experiment, salt, digest] {
        // A gesture under way ends first; then nothing made before the lock
        // can be undone into an edit the lock forbids.
        board->CancelGesture(services->GetTime());
        experiment.m_lockSalt = salt;
        experiment.m_lockDigest = digest;
        experiment.m_locked = 1;
        board->History().Clear();
        // The file does not hold the lock until it is saved.
        board->History().MarkUnsaved();
    });
    TimerTick();
}

void CMainDlg::UnlockExperiment() {
    // The salt and digest were written before the lock flag was set (by the
    // lock's loop job, or by a load with the loop stopped), and only the
    // unlock job below writes them again: reading them here is safe.
    if (!m_experiment.m_locked) return;
    const std::string salt = m_experiment.m_lockSalt, digest = m_experiment.m_lockDigest;
    if (!digest.empty()) {
        const std::optional<std::string> password =
            m_options.askPassword(QString::fromUtf8(kUnlockPrompt), this);
        if (!password) return;
        if (!LockOpensWith(*password, salt, digest)) {
            m_options.dialogs->ShowError(kUnlockWrong);
            return;
        }
    }
    CBoardView* board = m_board.get();
    RunOnLoop([board, &experiment = m_experiment] {
        experiment.m_locked = 0;
        experiment.m_lockSalt.clear();
        experiment.m_lockDigest.clear();
        board->History().MarkUnsaved();
    });
    TimerTick();
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
