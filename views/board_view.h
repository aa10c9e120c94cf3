// The experiment area of the main window: turns mouse events into edits of
// the experiment through its tool controller, runs the editing commands
// queued for it, and paints the board (or the schematic in symbol view)
// through its renderer every frame. Everything but Deposit and Enqueue runs
// on the frame-loop thread.
#pragma once

#include "board_edits.h"
#include "board_event.h"
#include "edit_command.h"
#include "frame_loop.h"
#include "schematic_view.h"
#include "tool_controller.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

namespace ampera {

class CAppServices;
class CBoardToolBase;
class CComponent;
class CExperiment;
class CRenderer;

class CBoardView : public IFrameView {
  public:
    // `services` may be null (tests without windows).
    CBoardView(CExperiment& experiment, CAppServices* services);
    ~CBoardView() override;

    // Makes the main board's controller: slider, place, wire, move and select
    // tools and the wire-highlight filter.
    void InstallBoardTools();

    void SetRenderer(CRenderer* renderer) { m_renderer = renderer; }
    CRenderer* Renderer() const { return m_renderer; }

    // User-interface thread.
    void Deposit(const CBoardEvent& event) { m_mailboxes.Deposit(event); }
    // A recorded command goes into the history once it has run and changed
    // something.
    void Enqueue(EditCommandPtr command, bool record = false) {
        m_commands.Push({std::move(command), record});
    }

    // Frame-loop thread.
    void Tick(long long time) override;
    void Paint(long long time) override;
    // Drops pending events and any gesture in progress: the loop has stopped
    // and the experiment may be replaced before the next event.
    void ClearInput() override;
    // Escape: a wire being drawn is removed, a device being placed goes back
    // to the device bar.
    void CancelGesture(long long time);
    // Moves the selected device by (dx, dy) pixels with its wire ends, as
    // the move tool would; a run of moves within a moment is one undo step.
    void Nudge(int dx, int dy, long long time);

    // Asks the main window for a cursor over the board (a code of
    // board_tools.h), only when it differs from the one last asked for.
    // Frame-loop thread.
    void RequestCursor(int code);

    // The colour new wires take (0xFFRRGGBB); blue at first. Any thread.
    void SetWireColour(std::uint32_t argb) { m_wireColour.store(argb); }
    std::uint32_t WireColour() const { return m_wireColour.load(); }
    // The board's background (0xAARRGGBB) in the real view; white at first.
    // Paint hands the renderer this colour, or the symbol view's yellow, every
    // frame. Any thread.
    void SetBackgroundColour(std::uint32_t argb) { m_background.store(argb); }
    std::uint32_t BackgroundColour() const { return m_background.load(); }

    CToolController& Controller() { return m_controller; }
    CCommandHistory& History() { return m_history; }
    CEditRecorder& Recorder() { return m_recorder; }
    CExperiment& Experiment() { return m_experiment; }
    CAppServices* Services() const { return m_services; }

  private:
    void PaintBoard();
    void PaintLabels();
    void PaintOutlines();

    CExperiment& m_experiment;
    CAppServices* m_services;
    CRenderer* m_renderer = nullptr;
    CBoardMailboxes m_mailboxes;
    struct CQueued {
        EditCommandPtr command;
        bool record = false;
    };
    void RunCommands(long long time);
    void DispatchEvent(const CBoardEvent& event, long long time);

    CHandOverQueue<CQueued> m_commands;
    CCommandHistory m_history;
    CEditRecorder m_recorder;
    // The tool that took the gesture in progress (null: the default tool).
    CBoardToolBase* m_gestureTool = nullptr;
    int m_cursor = -1; // the cursor last asked for
    CToolController m_controller;
    std::vector<CBoardToolBase*> m_boardTools; // owned by the controller
    CSchematicView m_schematic;
    CSpriteGroup m_outlineGroup;
    std::atomic<std::uint32_t> m_wireColour{0xFF0000FF};
    std::atomic<std::uint32_t> m_background{0xFFFFFFFF};
};

// Sets the experiment's selected object and posts the selection hint.
void SelectObject(CExperiment& experiment, CComponent* object);

// Shows the property window of the device's group, hides the windows the
// group hides and posts the group's code to the main window.
void ShowPropertyWindowOf(CAppServices* services, CComponent* device);

} // namespace ampera
