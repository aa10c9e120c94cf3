// Editing commands: made on the user-interface thread, queued to the board
// view and run by the frame loop at the start of the view's next tick. The
// commands that change the experiment are recorded in the history once they
// have run, so they can be undone and redone; so are the steps the board's
// tools, the panels and the parameter pages make on the loop.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace ampera {

class CEditCommand {
  public:
    virtual ~CEditCommand() = default;
    virtual void Do() = 0;
    virtual void Undo() = 0;
    // What the menu calls the step after "撤销" or "重做" ("移动", "连线").
    virtual std::string Name() const { return {}; }
    // After Do: whether it changed the experiment. A command that found
    // nothing to do is not recorded.
    virtual bool Changed() const { return true; }
    // Whether `next`, done right after this step, continues it (repeated
    // steps of one control within a moment); this step then takes `next`'s
    // changes in and `next` is not recorded on its own.
    virtual bool Absorb(CEditCommand& /*next*/) { return false; }
    // Whether a board gesture in progress must end before this runs (undo
    // and redo, and the recorded commands, come after the gesture's step).
    virtual bool EndsGesture() const { return false; }
};

using EditCommandPtr = std::shared_ptr<CEditCommand>;

// The undo and redo histories: two unbounded stacks, newest on top. Recorded
// and moved by Undo and Redo on the frame loop (or with the loop stopped);
// the user-interface thread reads sizes, names and the saved mark, so every
// operation takes the one lock.
//
// Saved mark: every recorded step gets a new serial (a step that absorbs
// another gets a new one too: it no longer is what was saved). The
// experiment is as saved exactly when the newest undoable step's serial
// (0 for none) is the one MarkSaved noted.
class CCommandHistory {
  public:
    // Pushes onto the undo history (or merges into its newest step) and
    // empties the redo history.
    void Record(EditCommandPtr command) {
        std::vector<Entry> dropped;
        std::lock_guard lock(m_mutex);
        dropped.swap(m_redo);
        if (dropped.empty() && !m_undo.empty() && m_undo.back().command->Absorb(*command)) {
            m_undo.back().serial = ++m_serials;
        } else {
            m_undo.push_back({std::move(command), ++m_serials});
        }
        ++m_revision;
    }
    // Runs the newest undoable command's Undo and moves it to the redo
    // history; nothing when the undo history is empty.
    void Undo() {
        Entry entry = Pop(m_undo);
        if (!entry.command) return;
        entry.command->Undo();
        Push(m_redo, std::move(entry));
    }
    // Runs the newest redoable command's Do and moves it to the undo history.
    void Redo() {
        Entry entry = Pop(m_redo);
        if (!entry.command) return;
        entry.command->Do();
        Push(m_undo, std::move(entry));
    }
    // Empties both histories; the empty history counts as saved.
    void Clear() {
        std::vector<Entry> undo, redo;
        std::lock_guard lock(m_mutex);
        undo.swap(m_undo);
        redo.swap(m_redo);
        m_saved = 0;
        ++m_revision;
    }
    std::size_t UndoSize() const {
        std::lock_guard lock(m_mutex);
        return m_undo.size();
    }
    std::size_t RedoSize() const {
        std::lock_guard lock(m_mutex);
        return m_redo.size();
    }
    // The names of the steps the next Undo and Redo would take back or do
    // again (empty when there is none).
    std::string UndoName() const {
        std::lock_guard lock(m_mutex);
        return m_undo.empty() ? std::string() : m_undo.back().command->Name();
    }
    std::string RedoName() const {
        std::lock_guard lock(m_mutex);
        return m_redo.empty() ? std::string() : m_redo.back().command->Name();
    }
    // The experiment now is what the file holds.
    void MarkSaved() {
        std::lock_guard lock(m_mutex);
        m_saved = TopSerial();
        ++m_revision;
    }
    // The experiment now holds work no file holds (a recovered autosave):
    // no undo or redo reaches a saved state.
    void MarkUnsaved() {
        std::lock_guard lock(m_mutex);
        m_saved = kNeverSaved;
        ++m_revision;
    }
    bool Modified() const {
        std::lock_guard lock(m_mutex);
        return TopSerial() != m_saved;
    }
    // Counts every change of the histories and the saved mark.
    std::uint64_t Revision() const {
        std::lock_guard lock(m_mutex);
        return m_revision;
    }

  private:
    struct Entry {
        EditCommandPtr command;
        std::uint64_t serial = 0;
    };
    static constexpr std::uint64_t kNeverSaved = ~std::uint64_t{0};

    std::uint64_t TopSerial() const { return m_undo.empty() ? 0 : m_undo.back().serial; }
    Entry Pop(std::vector<Entry>& stack) {
        std::lock_guard lock(m_mutex);
        if (stack.empty()) return {};
        Entry entry = std::move(stack.back());
        stack.pop_back();
        return entry;
    }
    void Push(std::vector<Entry>& stack, Entry entry) {
        std::lock_guard lock(m_mutex);
        stack.push_back(std::move(entry));
        ++m_revision;
    }

    mutable std::mutex m_mutex;
    std::vector<Entry> m_undo, m_redo;
    std::uint64_t m_serials = 0;
    std::uint64_t m_saved = 0;
    std::uint64_t m_revision = 0;
};

} // namespace ampera
