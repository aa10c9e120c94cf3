// New, Open, Save, Save As and Exit: the current file path, the untitled
// flag and the questions asked before work is discarded. The dialogs and the
// whole-experiment work are behind two small interfaces the main window
// implements (and tests fake).
//
// Unlike a plain "ask, then go on" sequence, work is never lost: when the
// user agrees to save first and the save is cancelled or fails, the command
// stops and nothing is discarded; a failed save says so and keeps the title
// and path; a file that cannot be opened says so and keeps the experiment.
#pragma once

#include "recent_files.h"

#include <functional>
#include <optional>
#include <string>

namespace ampera {

enum class SaveAnswer { Yes, No, Cancel };

class IFileDialogs {
  public:
    virtual ~IFileDialogs() = default;
    // A modal question with Yes, No and Cancel and the question icon.
    virtual SaveAnswer AskSave(const std::string& question, const std::string& caption) = 0;
    // The file-save dialog: default extension "vtx" (added when the name has
    // none), hide read-only, confirm overwrite, the application directory as
    // initial folder. nullopt when cancelled.
    virtual std::optional<std::string> SaveDialog(const std::string& title, const std::string& filter,
                                                  const std::string& initialName) = 0;
    // The file-open dialog, default extension "vtx". nullopt when cancelled.
    virtual std::optional<std::string> OpenDialog(const std::string& title, const std::string& filter) = 0;
    // A modal error box with caption "Ampera".
    virtual void ShowError(const std::string& text) = 0;
    // A modal question with Yes and No: true for Yes.
    virtual bool AskYesNo(const std::string& question, const std::string& caption) = 0;
};

class IFileWork {
  public:
    virtual ~IFileWork() = default;
    virtual void StopLoop() = 0;
    virtual void StartLoop() = 0;
    // Writes the experiment (SaveFile); false with a message when it failed.
    virtual bool Save(const std::string& path, std::string& error) = 0;
    // Replaces the experiment by the file (LoadFile); false with a message
    // when the file cannot be read, and then the experiment is unchanged.
    virtual bool Load(const std::string& path, std::string& error) = 0;
    // Empties the outline list and clears the experiment (components, nodes,
    // wires, selection, abstract-name text); property window 0 is told that
    // nothing is selected.
    virtual void Clear() = 0;
    // Empties the undo and redo histories.
    virtual void ClearHistories() = 0;
    // Both scroll positions back to 0, nothing moved.
    virtual void ResetScroll() = 0;
    // The context item and the selection become none. Open calls this on the
    // user-interface thread with the loop running: clear the selection
    // through the loop then.
    virtual void ClearContext() = 0;
    // The experiment holds changes its file does not (an untitled
    // experiment: any change at all).
    virtual bool Modified() = 0;
    // The experiment now is what its file holds (true: after a save), or
    // holds work no file holds (false: a recovered autosave).
    virtual void MarkSaved(bool saved) = 0;
    virtual void SetTitle(const std::string& title) = 0;
};

// Texts of the file commands.
inline constexpr const char* kFileFilter = "实验文件(*.vtx)|*.vtx|";
inline constexpr const char* kSaveAsFilter = "实验文件(*.Vtx)|*.vtx|";
inline constexpr const char* kDefaultExtension = "vtx";
inline constexpr const char* kSaveTitle = "请保存实验";
inline constexpr const char* kSaveInitialName = "未命名";
inline constexpr const char* kSaveAsTitle = "另存为虚拟实验实验";
inline constexpr const char* kOpenTitle = "打开Ampera";
inline constexpr const char* kSaveToQuestion = "是否要保存当前实验到 ";
inline constexpr const char* kExitQuestion = "是否要保存当前实验?";
inline constexpr const char* kCaption = "Ampera";
inline constexpr const char* kNewCaption = "Ampera-新建";
// The dialog template's caption, before the first title is set.
inline constexpr const char* kTemplateCaption = "Ampera[未命名.vtx]";

class CFileCommands {
  public:
    CFileCommands(IFileDialogs& dialogs, IFileWork& work);

    // Each returns true when the command was carried out, false when it was
    // cancelled or failed (nothing discarded then).
    bool New();
    bool Open();
    bool Save();
    bool SaveAs();
    // Open without the file dialog: `path` is the file chosen.
    bool OpenFile(const std::string& path);
    // An entry of the recent-files list, opened as OpenFile opens it. A file
    // that is gone is taken off the list with a message instead, before any
    // question about the work on the board.
    bool OpenRecent(const std::string& path);
    // Loads `path` as the start of new work (an example): asked about and
    // loaded as Open does, but the experiment stays untitled, so a later Save
    // asks for a name and the file itself is never written. It does not go
    // on the recent-files list.
    bool OpenCopy(const std::string& path);
    // Exit and closing the window: true when the program may close.
    bool Exit();

    // Takes a recovered experiment as unsaved work of the file at `path`
    // ("" when it had none): a later Save writes there.
    void Adopt(const std::string& path);

    const std::string& Path() const { return m_path; }
    bool Untitled() const { return m_untitled; }
    std::string Title() const;

    // The files last opened or saved. Every file opened (not as a copy) or
    // saved goes first; `changed` is called whenever the list changed, for
    // the window to store it and rebuild its menu.
    CRecentFiles& Recent() { return m_recent; }
    void SetRecentChanged(std::function<void()> changed) { m_recentChanged = std::move(changed); }

  private:
    // The question before discarding the experiment: true to go on.
    bool ConfirmDiscard(const std::string& question, const std::string& caption);
    bool SaveTo(const std::string& path);
    // Open once the file is chosen; `copy`: as OpenCopy.
    bool OpenChosen(const std::string& path, bool copy);
    void Remember(const std::string& path);

    IFileDialogs& m_dialogs;
    IFileWork& m_work;
    std::string m_path;
    bool m_untitled = true;
    CRecentFiles m_recent;
    std::function<void()> m_recentChanged;
};

} // namespace ampera
