// The bench's autosave: while the experiment differs from what its file (or
// the empty board) holds, a copy is written every interval into the user's
// data folder for the program, never over the user's own file. Each running
// bench has its own autosave and holds a lock beside it, so a second bench
// never takes the first one's copy for a left-over; an autosave whose lock no
// running bench holds was left by a run that did not end cleanly.
#pragma once

#include <QLockFile>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ampera {

// The interval from AMPERA_AUTOSAVE_SECONDS (a positive number of seconds,
// fractions allowed), else 60 s. A malformed value gives 60 s and `warning`.
int AutosaveIntervalMs(const char* environment, std::string* warning = nullptr);

// The default folder: the program's local data location, subfolder autosave.
QString DefaultAutosaveFolder();

// An autosave another run left behind, held locked while it is dealt with.
class CLeftAutosave {
  public:
    CLeftAutosave(QString path, std::unique_ptr<QLockFile> lock)
        : m_path(std::move(path)), m_lock(std::move(lock)) {}
    const QString& Path() const { return m_path; }
    // Deletes the autosave and its lock (recovered, or declined).
    void Discard();
    // Renames an unreadable autosave so it is kept but not offered again;
    // returns the new name (empty when it could not be renamed).
    QString KeepAside();

  private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

class CAutosave {
  public:
    // Takes a name of its own in `folder` (made when missing) and locks it.
    explicit CAutosave(QString folder);
    ~CAutosave();
    CAutosave(const CAutosave&) = delete;
    CAutosave& operator=(const CAutosave&) = delete;

    const QString& Folder() const { return m_folder; }
    // This bench's autosave file.
    const QString& Path() const { return m_path; }
    // False when the folder could not be made or locked: nothing is written.
    bool Ready() const { return m_ready; }
    // Whether this bench's autosave file exists now.
    bool Exists() const;

    // The document text the experiment's file holds (after Open, Save, New):
    // the autosave goes, and nothing is written until the text differs.
    void SetBaseline(std::string documentText);
    // After a recovery: every text counts as unsaved.
    void ClearBaseline();
    // Counts SetBaseline and ClearBaseline calls: a document taken before the
    // latest one is stale.
    std::uint64_t Generation() const { return m_generation; }

    // Writes `bytes` (an autosave of `documentText`) when the text differs
    // from the baseline and from what was last written, and `generation` is
    // current; removes the autosave when the text is the baseline again.
    // False with `error` when a write failed.
    bool Offer(const std::string& documentText, const std::string& bytes, std::uint64_t generation,
               std::string& error);

    // Removes this bench's autosave.
    void Remove();
    // A clean end of the run: the autosave and its lock go; nothing more is
    // written.
    void Finish();

    // Autosaves in the folder that no running bench holds, newest first,
    // each one locked for the caller. Unreadable ones kept aside are not
    // listed.
    std::vector<CLeftAutosave> LeftBehind() const;

  private:
    QString m_folder;
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    bool m_ready = false;
    std::optional<std::string> m_baseline = std::string();
    std::optional<std::string> m_written;
    std::uint64_t m_generation = 0;
};

} // namespace ampera
