// Which property window shows what, and the view options of the main window:
// the right-button press on the board, the property codes posted to the main
// window, the property-bar and window-2 toggles, the view switch, the names
// toggle and the device bar toggle.
//
// Threads: everything that reads or changes the experiment's objects runs on
// the frame loop. The right-button press does so through CRightPressCommand,
// queued to the board view before the press itself is deposited (queued
// commands run before the view's next event). The toggles below run on the
// user-interface thread: they only queue commands, touch tool windows (which
// carry calls over to their own thread) and flip the experiment's view flags.
#pragma once

#include "views/edit_command.h"

#include <functional>

namespace ampera {

class CAppServices;
class CComponent;
class CExperiment;
class CMenuModel;
class CToolController;

// Queues a command to the board view (CBoardView::Enqueue), not recorded.
using CommandSink = std::function<void(EditCommandPtr)>;

// The first component, in the experiment's order, under (x, y); or null.
CComponent* FirstHit(const CExperiment& experiment, int x, int y);
// The last component, in the experiment's order, under (x, y); or null.
CComponent* LastHit(const CExperiment& experiment, int x, int y);

// The left-button release, on the frame loop: the last component under the
// point becomes the selection (nothing hit: the selection stays) and is
// handed to `done` (null when nothing was hit), which carries it over to the
// user-interface thread as the new context item. Not recorded.
class CLeftReleaseCommand : public CEditCommand {
  public:
    CLeftReleaseCommand(CExperiment& experiment, int x, int y, std::function<void(CComponent*)> done);
    void Do() override;
    void Undo() override {}

  private:
    CExperiment& m_experiment;
    int m_x, m_y;
    std::function<void(CComponent*)> m_done;
};

// What the right-button press found, for the context menu.
struct CRightPressResult {
    CComponent* item = nullptr; // the new context item
    int itemType = -1;          // its type code, -1 for none
    bool defaultTool = true;    // the board's controller was in its default tool
    bool hasComponents = false; // the experiment holds any component, node or wire
    bool hasDevices = false;
    bool namesShown = true;
};

// The right-button press in the real view, on the frame loop: the selection
// becomes none; the first component under the point becomes the context item
// and the selection (not through SelectObject: no hint); a device's region
// replaces the outlines; its group shows or hides property windows and posts
// its code (`services` may be null). Nothing hit: nothing posted.
CRightPressResult RouteRightPress(CExperiment& experiment, CAppServices* services, int x, int y);

// RouteRightPress as a queued command. `controller` (may be null) is read
// before the press event reaches it; `done` is called on the frame loop with
// the result: hand it over to the user-interface thread (CAppServices::Post)
// to update the context item and show the context menu. Not recorded.
class CRightPressCommand : public CEditCommand {
  public:
    CRightPressCommand(CExperiment& experiment, CAppServices* services, int x, int y,
                       const CToolController* controller, std::function<void(const CRightPressResult&)> done);
    void Do() override;
    void Undo() override {}

  private:
    CExperiment& m_experiment;
    CAppServices* m_services;
    int m_x, m_y;
    const CToolController* m_controller;
    std::function<void(const CRightPressResult&)> m_done;
};

// Shows the group's windows as a right-button press does: group 0 or 3 shows
// its window and hides the others of the bar when the bar is visible; group 1
// shows window 1 when window 0 or 1 is visible and hides 0 and 3; group 2
// changes nothing. Posts the group's code.
void ShowGroupWindows(CAppServices& services, int group);

// A property code (0 to 3) posted to the main window, with the selection S
// (null: none): code 0/2/3 shows S in that window when S is of that group,
// code 1 shows any S in window 1; with no S, windows 1, 0, 2 and 3 (in this
// order, those that exist) show nothing and are hidden.
void HandlePropertyCode(CAppServices& services, int code, CComponent* selection);
// Every code posted to the main window: 0 to 3 as above, 4 and 5 set cursor
// shapes 1 (move) and 2 (up arrow); other codes do nothing.
void HandleMainCode(CAppServices& services, int code, CComponent* selection);

// The property bar (32800) for the context item (nothing without one): queue
// select-and-show with the item's group; group 2 toggles window 2; other
// groups show the group's window when none of 0, 1 and 3 is visible,
// otherwise hide all three.
void TogglePropertyBar(CExperiment& experiment, CAppServices& services, CComponent* contextItem,
                       const CommandSink& enqueue);
// Property window 2 (32801): queue select-and-show with code 2 for the
// context item (nothing without one), then toggle window 2.
void TogglePropertyWindow2(CExperiment& experiment, CAppServices& services, CComponent* contextItem,
                           const CommandSink& enqueue);

// The view switch (32798): queue select-and-show with code 0 for the context
// item; hide the device window and property window 0 when visible; toggle the
// experiment's real-view flag; flip the menu text and the Device bar and
// Colour settings states. Returns whether the real view is now shown.
// `services` may be null (no windows).
bool SwitchView(CExperiment& experiment, CAppServices* services, CComponent* contextItem, CMenuModel& model,
                const CommandSink& enqueue);

// Names and parameters (32768): queue the do-nothing command, toggle the
// experiment's names flag and the check mark. Returns whether names are shown.
bool ToggleNames(CExperiment& experiment, CMenuModel& model, const CommandSink& enqueue);

// Device bar (32799): hide it when visible, else show it; the check mark
// follows. Returns whether it is now visible. Nothing without a device window.
bool ToggleDeviceBar(CAppServices& services, CMenuModel& model);

} // namespace ampera
