#include "file_commands.h"

#include "scrolling.h"

#include <filesystem>
#include <system_error>

namespace ampera {

CFileCommands::CFileCommands(IFileDialogs& dialogs, IFileWork& work) : m_dialogs(dialogs), m_work(work) {}

std::string CFileCommands::Title() const {
    return WindowTitle(m_untitled ? std::string() : m_path);
}

bool CFileCommands::SaveTo(const std::string& path) {
    std::string error;
    m_work.StopLoop();
    const bool saved = m_work.Save(path, error);
    if (saved) m_work.MarkSaved(true);
    m_work.StartLoop();
    if (!saved) {
        // The title and path keep naming the file that really holds the work.
        std::string text = "无法保存实验到 " + path;
        if (!error.empty()) text += "\n" + error;
        m_dialogs.ShowError(text);
        return false;
    }
    m_path = path;
    m_untitled = false;
    m_work.SetTitle(Title());
    Remember(path);
    return true;
}

void CFileCommands::Remember(const std::string& path) {
    if (m_recent.Add(path) && m_recentChanged) m_recentChanged();
}

bool CFileCommands::Save() {
    if (!m_untitled) return SaveTo(m_path);
    std::optional<std::string> path = m_dialogs.SaveDialog(kSaveTitle, kFileFilter, kSaveInitialName);
    return path && SaveTo(*path);
}

bool CFileCommands::SaveAs() {
    std::optional<std::string> path = m_dialogs.SaveDialog(kSaveAsTitle, kSaveAsFilter, "");
    return path && SaveTo(*path);
}

bool CFileCommands::ConfirmDiscard(const std::string& question, const std::string& caption) {
    // Nothing to lose: the experiment is what its file holds.
    if (!m_work.Modified()) return true;
    switch (m_dialogs.AskSave(question, caption)) {
    case SaveAnswer::Yes:
        // Going on after a save that did not happen would lose the work.
        return Save();
    case SaveAnswer::No:
        return true;
    case SaveAnswer::Cancel:
    default:
        return false;
    }
}

bool CFileCommands::New() {
    if (!ConfirmDiscard(kSaveToQuestion + DisplayFileName(m_untitled ? "" : m_path), kNewCaption))
        return false;
    m_work.StopLoop();
    m_work.ClearContext();
    m_work.Clear();
    // Emptied with the loop stopped, so no Undo or Redo runs meanwhile.
    m_work.ClearHistories();
    m_work.StartLoop();
    m_untitled = true;
    m_path.clear();
    m_work.SetTitle(Title());
    m_work.ResetScroll();
    return true;
}

bool CFileCommands::Open() {
    m_work.ClearContext();
    std::optional<std::string> path = m_dialogs.OpenDialog(kOpenTitle, kFileFilter);
    return path && OpenChosen(*path, false);
}

bool CFileCommands::OpenFile(const std::string& path) {
    m_work.ClearContext();
    return OpenChosen(path, false);
}

bool CFileCommands::OpenCopy(const std::string& path) {
    m_work.ClearContext();
    return OpenChosen(path, true);
}

bool CFileCommands::OpenRecent(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        // Said after it happened: the menu no longer offers the file.
        if (m_recent.Remove(path) && m_recentChanged) m_recentChanged();
        m_dialogs.ShowError(kRecentMissingText + path);
        return false;
    }
    return OpenFile(path);
}

bool CFileCommands::OpenChosen(const std::string& path, bool copy) {
    if (!ConfirmDiscard(kSaveToQuestion + DisplayFileName(m_untitled ? "" : m_path), kCaption)) return false;
    std::string error;
    m_work.StopLoop();
    const bool loaded = m_work.Load(path, error);
    if (loaded) m_work.ClearHistories();
    m_work.StartLoop();
    if (!loaded) {
        // The experiment, its title and its histories stay as they were.
        std::string text = "无法打开实验文件 " + path;
        if (!error.empty()) text += "\n" + error;
        m_dialogs.ShowError(text);
        return false;
    }
    if (copy) {
        m_path.clear();
        m_untitled = true;
    } else {
        m_path = path;
        m_untitled = false;
    }
    m_work.SetTitle(Title());
    m_work.ResetScroll();
    if (!copy) Remember(path);
    return true;
}

void CFileCommands::Adopt(const std::string& path) {
    m_path = path;
    m_untitled = path.empty();
    m_work.MarkSaved(false);
    m_work.SetTitle(Title());
    m_work.ResetScroll();
}

bool CFileCommands::Exit() {
    return ConfirmDiscard(kExitQuestion, kCaption);
}

} // namespace ampera
