// Editing commands: made on the user-interface thread, queued to the board
// view and run by the frame loop at the start of the view's next tick. The
// commands that change the circuit are also recorded in the history so they
// can be undone and redone.
#pragma once

#include <memory>
#include <mutex>
#include <vector>

namespace ampera {

class CEditCommand {
  public:
    virtual ~CEditCommand() = default;
    virtual void Do() = 0;
    virtual void Undo() = 0;
};

using EditCommandPtr = std::shared_ptr<CEditCommand>;

// The undo and redo histories: two unbounded stacks, newest on top. Recorded
// on the user-interface thread, moved by Undo and Redo on the frame loop, so
// every operation takes the one lock.
class CCommandHistory {
  public:
    // Pushes onto the undo history and empties the redo history.
    void Record(EditCommandPtr command) {
        std::vector<EditCommandPtr> dropped;
        std::lock_guard lock(m_mutex);
        m_undo.push_back(std::move(command));
        dropped.swap(m_redo);
    }
    // Runs the newest undoable command's Undo and moves it to the redo
    // history; nothing when the undo history is empty.
    void Undo() {
        EditCommandPtr command = Pop(m_undo);
        if (!command) return;
        command->Undo();
        Push(m_redo, std::move(command));
    }
    // Runs the newest redoable command's Do and moves it to the undo history.
    void Redo() {
        EditCommandPtr command = Pop(m_redo);
        if (!command) return;
        command->Do();
        Push(m_undo, std::move(command));
    }
    void Clear() {
        std::vector<EditCommandPtr> undo, redo;
        std::lock_guard lock(m_mutex);
        undo.swap(m_undo);
        redo.swap(m_redo);
    }
    std::size_t UndoSize() const {
        std::lock_guard lock(m_mutex);
        return m_undo.size();
    }
    std::size_t RedoSize() const {
        std::lock_guard lock(m_mutex);
        return m_redo.size();
    }

  private:
    EditCommandPtr Pop(std::vector<EditCommandPtr>& stack) {
        std::lock_guard lock(m_mutex);
        if (stack.empty()) return nullptr;
        EditCommandPtr command = std::move(stack.back());
        stack.pop_back();
        return command;
    }
    void Push(std::vector<EditCommandPtr>& stack, EditCommandPtr command) {
        std::lock_guard lock(m_mutex);
        stack.push_back(std::move(command));
    }

    mutable std::mutex m_mutex;
    std::vector<EditCommandPtr> m_undo, m_redo;
};

} // namespace ampera
