// The editing commands of the main window. Each is made on the user-interface
// thread, queued with CBoardView::Enqueue (and, when recorded, passed to
// CCommandHistory::Record at once), and run by the frame loop.
//
// Who owns removed objects: RemoveObject and TakeAllObjects only take objects
// off the board. A command whose Do took objects off the board holds them
// until its Undo puts them back; if it is discarded while holding them (the
// histories are emptied by New and Open), it frees them, because nothing else
// can reach them any more. A command that is undone holds nothing, so the redo
// history frees nothing when a new command empties it.
//
// Staleness: a command remembers the experiment's clear count when it is
// made. If the experiment was cleared or replaced (New, Open) before the
// command runs, its Do does nothing: the objects it names are gone. A Delete
// or Rotate whose component is no longer on the board also does nothing.
#pragma once

#include "core/experiment.h"
#include "views/edit_command.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ampera {

class CAppServices;
class CComponent;
class CExperiment;
class CNode;
class CWire;

// Highlight colour of a selected wire (opaque red, 0xAARRGGBB).
inline constexpr std::uint32_t kSelectedWireColour = 0xFFFF0000;

// The region an outline is drawn around: a device's region, a node's picture;
// false for wires and anything without a region.
bool OutlineRegionOf(const CComponent& component, CRectF& region);

// Base of the commands that act on the experiment: remembers its clear count.
class CExperimentCommand : public CEditCommand {
  protected:
    explicit CExperimentCommand(CExperiment& experiment);
    // The experiment was not cleared since the command was made.
    bool Current() const;
    // Current() and `component` is on the board.
    bool OnBoard(const CComponent* component) const;

    CExperiment& m_experiment;

  private:
    std::uint64_t m_clearCount;
};

// Delete (32824 and the Delete key). Do: outlines emptied, RemoveObject,
// values marked dirty, selection none. Undo: ReinsertObject (the same object,
// with the nodes that left with it); a wire takes its own colour again.
class CDeleteCommand : public CExperimentCommand {
  public:
    CDeleteCommand(CExperiment& experiment, CComponent* component);
    ~CDeleteCommand() override;
    void Do() override;
    void Undo() override;
    std::string Name() const override { return "删除"; }
    bool Changed() const override { return m_removed; }

  private:
    CComponent* m_component;
    std::vector<CNode*> m_leftNodes; // nodes that left the board with it
    bool m_removed = false;          // Do took it off and Undo has not put it back
};

// Delete all (32797). Do: outlines emptied, every component, node and wire
// taken out of the experiment and kept; selection none. Undo: every kept
// object added back (AddObject(object, false)) and the topology marked dirty.
// The objects are collected when Do runs, on the frame loop: reading the
// experiment's sets on the user-interface thread would race with the loop,
// and anything placed or deleted between making and running the command is
// then handled correctly.
class CDeleteAllCommand : public CExperimentCommand {
  public:
    explicit CDeleteAllCommand(CExperiment& experiment);
    ~CDeleteAllCommand() override;
    void Do() override;
    void Undo() override;
    std::string Name() const override { return "全部删除"; }
    bool Changed() const override { return m_removed && !m_taken.empty(); }

  private:
    std::vector<CComponent*> m_taken; // in creation order
    bool m_removed = false;
};

// Rotate left (32820) / right (32819) of a device. Do: outlines emptied, a
// quarter turn, the outline becomes the device's region. Undo: the opposite
// turn and the outline again. Nodes, wires and devices off the board: nothing.
class CRotateCommand : public CExperimentCommand {
  public:
    CRotateCommand(CExperiment& experiment, CComponent* component, bool left);
    void Do() override { Turn(m_left); }
    void Undo() override { Turn(!m_left); }
    std::string Name() const override { return m_left ? "向左旋转" : "向右旋转"; }
    bool Changed() const override { return m_turned; }

  private:
    void Turn(bool left);
    CComponent* m_component;
    bool m_left;
    bool m_turned = false;
};

class CRotateLeftCommand : public CRotateCommand {
  public:
    CRotateLeftCommand(CExperiment& experiment, CComponent* component)
        : CRotateCommand(experiment, component, true) {}
};

class CRotateRightCommand : public CRotateCommand {
  public:
    CRotateRightCommand(CExperiment& experiment, CComponent* component)
        : CRotateCommand(experiment, component, false) {}
};

// Select and show (not recorded). Do: outlines emptied; every wire in its own
// colour; a kept wire turns red, another kept component gets its outline;
// SelectObject(kept or none); PostToMain(code) when `services` is not null.
// A component no longer on the board counts as none.
class CSelectAndShowCommand : public CExperimentCommand {
  public:
    CSelectAndShowCommand(CExperiment& experiment, CAppServices* services, CComponent* component, int code);
    void Do() override;
    void Undo() override {}

  private:
    CAppServices* m_services;
    CComponent* m_component;
    int m_code;
};

// Undo (32816) and Redo (32815): not recorded; they reach the history only
// when they run, and do nothing with an empty history. A gesture in
// progress on the board ends first, as a step of its own.
class CUndoCommand : public CEditCommand {
  public:
    explicit CUndoCommand(CCommandHistory& history) : m_history(history) {}
    void Do() override { m_history.Undo(); }
    void Undo() override {}
    bool EndsGesture() const override { return true; }

  private:
    CCommandHistory& m_history;
};

class CRedoCommand : public CEditCommand {
  public:
    explicit CRedoCommand(CCommandHistory& history) : m_history(history) {}
    void Do() override { m_history.Redo(); }
    void Undo() override {}
    bool EndsGesture() const override { return true; }

  private:
    CCommandHistory& m_history;
};

// Queued by the names toggle (32768) so the board is painted anew.
class CNothingCommand : public CEditCommand {
  public:
    void Do() override {}
    void Undo() override {}
};

// The wire colour of the context menu (32775), applied on the frame loop
// (the loop reads wire colours every frame). `colorref` is 0x00BBGGRR as the
// colour chooser gives it; the wire keeps it as 0xFFRRGGBB. Undo gives the
// wire its colour from before.
class CWireColourCommand : public CExperimentCommand {
  public:
    CWireColourCommand(CExperiment& experiment, CComponent* wire, std::uint32_t colorref);
    void Do() override;
    void Undo() override;
    std::string Name() const override { return "导线颜色"; }
    bool Changed() const override { return m_changed; }

  private:
    CComponent* m_wire;
    std::uint32_t m_colorref;
    std::uint32_t m_before = 0;
    bool m_changed = false;
};

} // namespace ampera
