// The states of the main menu's items and the toolbar's buttons as plain
// data, the rules that change them, and the context menu's items. The main
// window turns these into its menus and toolbar; nothing here knows widgets.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace ampera {

// One entry of a menu description: a separator has id CMD_NONE.
struct CMenuItemEntry {
    const char* text;
    int id;
    bool enabled;
    bool checked;
};

struct CMenuEntry {
    const char* title;
    std::vector<CMenuItemEntry> items;
};

// The main menu in order, with its initial states.
const std::vector<CMenuEntry>& MainMenu();

// One toolbar position: a separator has id CMD_NONE.
struct CToolItemEntry {
    int id;
    const char* tooltip;
    bool enabled;
};

// The fifteen toolbar positions in order, with their initial states.
const std::vector<CToolItemEntry>& ToolbarItems();

inline constexpr int kToolbarHeight = 36;
inline constexpr const char* kToRealViewText = "进入实物图";
inline constexpr const char* kLockMenuText = "锁定实验...";
inline constexpr const char* kExportReadingsText = "导出读数...";
inline constexpr const char* kExportPictureText = "导出图片...";
inline constexpr const char* kUnlockMenuText = "解除锁定...";
inline constexpr const char* kToSymbolViewText = "进入符号图";

struct CItemState {
    bool enabled = true;
    bool checked = false;
};

// The live states: menu items and toolbar buttons separately (a command can
// be enabled in one and not the other), the Switch view item's text and the
// toolbar's visibility. Starts with the initial states of the descriptions.
// Used on the user-interface thread only.
class CMenuModel {
  public:
    CMenuModel();

    bool HasMenuItem(int id) const { return m_menu.count(id) != 0; }
    bool HasToolItem(int id) const { return m_tool.count(id) != 0; }
    // Unknown ids read as disabled and unchecked; setting them does nothing.
    CItemState Menu(int id) const;
    CItemState Tool(int id) const;
    void SetMenuEnabled(int id, bool enabled);
    void SetMenuChecked(int id, bool checked);
    void SetToolEnabled(int id, bool enabled);
    // Both menu and toolbar.
    void SetEnabled(int id, bool enabled);

    const std::string& SwitchViewText() const { return m_switchViewText; }
    void SetSwitchViewText(std::string text);

    bool ToolbarVisible() const { return m_toolbarVisible; }
    void SetToolbarVisible(bool visible);

    // Counts every change; the window redraws its menus when it moved.
    unsigned Revision() const { return m_revision; }

  private:
    std::map<int, CItemState> m_menu, m_tool;
    std::string m_switchViewText = kToSymbolViewText;
    bool m_toolbarVisible = true;
    unsigned m_revision = 0;
};

// The Undo and Redo items and tooltips with the name of the step they would
// take back or do again ("撤销移动(&U)"); plain without one.
std::string UndoMenuText(const std::string& stepName);
std::string RedoMenuText(const std::string& stepName);
std::string UndoToolTip(const std::string& stepName);
std::string RedoToolTip(const std::string& stepName);

// --- Immediate changes when a command is chosen (a first guess; the 100 ms
// rules below settle the states). ---
void OnDeleteKeyChosen(CMenuModel& model);
// `deviceCount`: devices in the experiment at the moment of the choice.
void OnDeleteChosen(CMenuModel& model, std::size_t deviceCount);
void OnDeleteAllChosen(CMenuModel& model);
void OnRotateChosen(CMenuModel& model);
// The size of the chosen command's own history at the moment of the click.
void OnUndoChosen(CMenuModel& model, std::size_t undoSize);
void OnRedoChosen(CMenuModel& model, std::size_t redoSize);

// --- The 100 ms enabling rules. ---
struct CEnablingInputs {
    std::size_t deviceCount = 0;
    bool hasSelection = false;
    int selectionType = -1; // type code of the selection
    std::size_t undoSize = 0;
    std::size_t redoSize = 0;
    bool locked = false; // a teacher's lock is on
};
void ApplyEnablingRules(CMenuModel& model, const CEnablingInputs& inputs);

// --- Toggles that only change item states. ---
// Names and parameters: the check mark follows `namesShown`.
void ShowNamesState(CMenuModel& model, bool namesShown);
// After a view switch: the Switch view text flips and Device bar and Colour
// settings are enabled in the real view, grayed in the symbol view.
void ViewSwitchedState(CMenuModel& model, bool realView);
// The device bar's check mark follows its window.
void DeviceBarState(CMenuModel& model, bool visible);
// Items of the main menu that open a submenu the window fills in (the
// examples, the recent files); their ids carry no command.
bool IsSubmenu(int id);
// A submenu is grayed while it has nothing to offer (the recent files start
// so, before the window has read the list).
void SubmenuState(CMenuModel& model, int id, bool hasEntries);
// Toggles the toolbar; returns the new toolbar height (36 shown, 0 hidden).
int ToggleToolbar(CMenuModel& model);

// --- The context menu. ---
struct CContextMenuItem {
    std::string text; // empty for a separator
    int id = 0;       // CMD_NONE for a separator
    bool separator = false;
    bool operator==(const CContextMenuItem&) const = default;
};

struct CContextMenuInputs {
    bool realView = true;
    std::size_t undoSize = 0, redoSize = 0;
    bool deviceWindowVisible = false;
    // Type code of the context item (14 node, 15 wire), or -1 for none.
    int contextType = -1;
    bool propertyBarVisible = false;     // any of property windows 0, 1, 3
    bool propertyWindow2Visible = false; // property window 2
    bool hasComponents = false;          // any component, node or wire
    bool hasDevices = false;
    bool namesShown = true;
    bool locked = false; // no turns and no deletes then
};

inline constexpr int kNoContextItem = -1;

// The items in order; built anew for every right click.
std::vector<CContextMenuItem> BuildContextMenu(const CContextMenuInputs& inputs);

// Shown when the popup menu cannot be made.
inline constexpr const char* kNoMenuText = "no create ok";

} // namespace ampera
