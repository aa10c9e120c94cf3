// The main window's side of the file commands: the Qt questions and file
// dialogs, and the whole-experiment work done with the frame loop stopped.
#pragma once

#include "app/core/file_commands.h"

#include <QString>

class QWidget;

namespace ampera {

class CMainDlg;

// "实验文件(*.vtx)|*.vtx|" (description and pattern pairs) as a Qt name
// filter. The pattern of each pair is what the dialog matches, so a
// description whose brackets name the pattern in another case still shows
// the files.
QString QtNameFilter(const std::string& filter);

class CQtFileDialogs : public IFileDialogs {
  public:
    // `directory`: the initial folder of every dialog.
    CQtFileDialogs(QWidget* parent, QString directory)
        : m_parent(parent), m_directory(std::move(directory)) {}
    void SetDirectory(QString directory) { m_directory = std::move(directory); }

    SaveAnswer AskSave(const std::string& question, const std::string& caption) override;
    std::optional<std::string> SaveDialog(const std::string& title, const std::string& filter,
                                          const std::string& initialName) override;
    std::optional<std::string> OpenDialog(const std::string& title, const std::string& filter) override;
    void ShowError(const std::string& text) override;
    bool AskYesNo(const std::string& question, const std::string& caption) override;

  private:
    QWidget* m_parent;
    QString m_directory;
};

class CMainFileWork : public IFileWork {
  public:
    explicit CMainFileWork(CMainDlg& window) : m_window(window) {}

    void StopLoop() override;
    void StartLoop() override;
    bool Save(const std::string& path, std::string& error) override;
    bool Load(const std::string& path, std::string& error) override;
    void Clear() override;
    void ClearHistories() override;
    void ResetScroll() override;
    void ClearContext() override;
    bool Modified() override;
    void MarkSaved(bool saved) override;
    void SetTitle(const std::string& title) override;

  private:
    CMainDlg& m_window;
};

} // namespace ampera
