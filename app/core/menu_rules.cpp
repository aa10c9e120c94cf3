#include "menu_rules.h"

#include "command_ids.h"
#include "devices/kind_registry.h"
#include "edit_commands.h"
#include "examples.h"
#include "recent_files.h"

namespace ampera {

const std::vector<CMenuEntry>& MainMenu() {
    static const std::vector<CMenuEntry> menu = {
        {"文件(&F)",
         {{"新建(&N)", CMD_NEW, true, false},
          {"打开(&O)", CMD_OPEN, true, false},
          {kExamplesMenuTitle, CMD_EXAMPLES_MENU, true, false},
          {"保存(&S)", CMD_SAVE, true, false},
          {"另存为...", CMD_SAVE_AS, true, false},
          {"", CMD_NONE, true, false},
          {kExportReadingsText, CMD_EXPORT_READINGS, true, false},
          {kExportPictureText, CMD_EXPORT_PICTURE, true, false},
          {"", CMD_NONE, true, false},
          {kRecentMenuTitle, CMD_RECENT_MENU, false, false},
          {"", CMD_NONE, true, false},
          {"退出(Q)", CMD_EXIT, true, false}}},
        {"操作(&E)",
         {{"撤销(&U)", CMD_UNDO, false, false},
          {"重做(&R)", CMD_REDO, false, false},
          {"", CMD_NONE, true, false},
          {"向左旋转(&L)", CMD_ROTATE_LEFT, false, false},
          {"向右旋转(&T)", CMD_ROTATE_RIGHT, false, false},
          {"", CMD_NONE, true, false},
          {"删除(&L)", CMD_DELETE, false, false},
          {"全部删除(D)", CMD_DELETE_ALL, false, false},
          {"", CMD_NONE, true, false},
          {kLockMenuText, CMD_LOCK, true, false},
          {kUnlockMenuText, CMD_UNLOCK, false, false}}},
        {"视图(&V)",
         {{"显示名称参数(&S)", CMD_NAMES, false, true}, {kToSymbolViewText, CMD_SWITCH_VIEW, false, false}}},
        {"工具(&T)",
         {{"器材栏(&Z)", CMD_DEVICE_BAR, true, false},
          {"工具条(&T)", CMD_TOOLBAR, true, true},
          {"颜色设置(C)", CMD_COLOUR_SETTINGS, true, false}}},
        {"帮助(H)", {{"使用帮助", CMD_HELP, true, false}, {"关于我们", CMD_ABOUT, true, false}}},
    };
    return menu;
}

const std::vector<CToolItemEntry>& ToolbarItems() {
    static const std::vector<CToolItemEntry> items = {
        {CMD_NEW, "新建", true},
        {CMD_OPEN, "打开", true},
        {CMD_SAVE, "保存", true},
        {CMD_NONE, "", true},
        {CMD_UNDO, "撤销", false},
        {CMD_REDO, "重做", false},
        {CMD_DELETE, "删除", false},
        {CMD_NONE, "", true},
        {CMD_NAMES, "显示名称参数", false},
        {CMD_SWITCH_VIEW, "显示符号图", false},
        {CMD_NONE, "", true},
        {CMD_DEVICE_BAR, "器材栏", true},
        {CMD_COLOUR_SETTINGS, "颜色设置", true},
        {CMD_ABOUT, "关于我们", true},
        {CMD_NONE, "", true},
    };
    return items;
}

CMenuModel::CMenuModel() {
    for (const CMenuEntry& menu : MainMenu())
        for (const CMenuItemEntry& item : menu.items)
            if (item.id != CMD_NONE) m_menu[item.id] = {item.enabled, item.checked};
    for (const CToolItemEntry& item : ToolbarItems())
        if (item.id != CMD_NONE) m_tool[item.id] = {item.enabled, false};
}

CItemState CMenuModel::Menu(int id) const {
    auto found = m_menu.find(id);
    return found == m_menu.end() ? CItemState{false, false} : found->second;
}

CItemState CMenuModel::Tool(int id) const {
    auto found = m_tool.find(id);
    return found == m_tool.end() ? CItemState{false, false} : found->second;
}

void CMenuModel::SetMenuEnabled(int id, bool enabled) {
    auto found = m_menu.find(id);
    if (found == m_menu.end() || found->second.enabled == enabled) return;
    found->second.enabled = enabled;
    ++m_revision;
}

void CMenuModel::SetMenuChecked(int id, bool checked) {
    auto found = m_menu.find(id);
    if (found == m_menu.end() || found->second.checked == checked) return;
    found->second.checked = checked;
    ++m_revision;
}

void CMenuModel::SetToolEnabled(int id, bool enabled) {
    auto found = m_tool.find(id);
    if (found == m_tool.end() || found->second.enabled == enabled) return;
    found->second.enabled = enabled;
    ++m_revision;
}

void CMenuModel::SetEnabled(int id, bool enabled) {
    SetMenuEnabled(id, enabled);
    SetToolEnabled(id, enabled);
}

void CMenuModel::SetSwitchViewText(std::string text) {
    if (text == m_switchViewText) return;
    m_switchViewText = std::move(text);
    ++m_revision;
}

void CMenuModel::SetToolbarVisible(bool visible) {
    if (visible == m_toolbarVisible) return;
    m_toolbarVisible = visible;
    ++m_revision;
}

std::string UndoMenuText(const std::string& stepName) {
    return "撤销" + stepName + "(&U)";
}
std::string RedoMenuText(const std::string& stepName) {
    return "重做" + stepName + "(&R)";
}
std::string UndoToolTip(const std::string& stepName) {
    return "撤销" + stepName;
}
std::string RedoToolTip(const std::string& stepName) {
    return "重做" + stepName;
}

// --- Immediate changes ---

void OnDeleteKeyChosen(CMenuModel& model) {
    model.SetEnabled(CMD_UNDO, true);
}

void OnDeleteChosen(CMenuModel& model, std::size_t deviceCount) {
    model.SetEnabled(CMD_UNDO, true);
    if (deviceCount != 1) return;
    // The last device goes: the timer skips its rules without devices, so
    // the items are grayed here.
    for (int id : {CMD_REDO, CMD_ROTATE_LEFT, CMD_ROTATE_RIGHT, CMD_DELETE, CMD_DELETE_ALL, CMD_NAMES,
                   CMD_SWITCH_VIEW})
        model.SetMenuEnabled(id, false);
    for (int id : {CMD_REDO, CMD_DELETE, CMD_NAMES, CMD_SWITCH_VIEW})
        model.SetToolEnabled(id, false);
}

void OnDeleteAllChosen(CMenuModel& model) {
    model.SetEnabled(CMD_UNDO, true);
    for (int id : {CMD_REDO, CMD_ROTATE_LEFT, CMD_ROTATE_RIGHT, CMD_DELETE, CMD_DELETE_ALL, CMD_NAMES,
                   CMD_SWITCH_VIEW})
        model.SetMenuEnabled(id, false);
}

void OnRotateChosen(CMenuModel& model) {
    model.SetEnabled(CMD_UNDO, true);
}

// Undo stays enabled while steps remain behind the one undone, so that a
// second Ctrl+Z pressed at once undoes the next step instead of meeting a
// grayed item until the timer's next look; the same for Redo.
void OnUndoChosen(CMenuModel& model, std::size_t undoSize) {
    model.SetEnabled(CMD_REDO, true);
    model.SetToolEnabled(CMD_DELETE, false);
    model.SetEnabled(CMD_UNDO, undoSize > 1);
}

void OnRedoChosen(CMenuModel& model, std::size_t redoSize) {
    model.SetEnabled(CMD_UNDO, true);
    model.SetToolEnabled(CMD_DELETE, false);
    model.SetEnabled(CMD_REDO, redoSize > 1);
}

// --- Timer rules ---

void ApplyEnablingRules(CMenuModel& model, const CEnablingInputs& in) {
    if (in.deviceCount > 0) {
        if (in.hasSelection) {
            const bool turns = KindRotates(in.selectionType);
            model.SetMenuEnabled(CMD_ROTATE_LEFT, turns);
            model.SetMenuEnabled(CMD_ROTATE_RIGHT, turns);
            for (int id : {CMD_DELETE, CMD_DELETE_ALL, CMD_NAMES, CMD_SWITCH_VIEW})
                model.SetMenuEnabled(id, true);
            model.SetToolEnabled(CMD_DELETE, true);
        } else {
            for (int id : {CMD_UNDO, CMD_REDO, CMD_ROTATE_LEFT, CMD_ROTATE_RIGHT, CMD_DELETE})
                model.SetMenuEnabled(id, false);
            for (int id : {CMD_DELETE_ALL, CMD_NAMES, CMD_SWITCH_VIEW})
                model.SetMenuEnabled(id, true);
            model.SetToolEnabled(CMD_REDO, false);
            model.SetToolEnabled(CMD_DELETE, false);
        }
        model.SetToolEnabled(CMD_NAMES, true);
        model.SetToolEnabled(CMD_SWITCH_VIEW, true);
    }
    model.SetEnabled(CMD_UNDO, in.undoSize > 0);
    model.SetEnabled(CMD_REDO, in.redoSize > 0);
    // A locked experiment: only its instruments are worked.
    if (in.locked)
        for (int id : {CMD_ROTATE_LEFT, CMD_ROTATE_RIGHT, CMD_DELETE, CMD_DELETE_ALL})
            model.SetEnabled(id, false);
    model.SetMenuEnabled(CMD_LOCK, !in.locked);
    model.SetMenuEnabled(CMD_UNLOCK, in.locked);
}

// --- Toggles ---

void ShowNamesState(CMenuModel& model, bool namesShown) {
    model.SetMenuChecked(CMD_NAMES, namesShown);
}

void ViewSwitchedState(CMenuModel& model, bool realView) {
    model.SetSwitchViewText(model.SwitchViewText() == kToSymbolViewText ? kToRealViewText
                                                                        : kToSymbolViewText);
    model.SetEnabled(CMD_DEVICE_BAR, realView);
    model.SetEnabled(CMD_COLOUR_SETTINGS, realView);
}

void DeviceBarState(CMenuModel& model, bool visible) {
    model.SetMenuChecked(CMD_DEVICE_BAR, visible);
}

bool IsSubmenu(int id) {
    return id == CMD_EXAMPLES_MENU || id == CMD_RECENT_MENU;
}

void SubmenuState(CMenuModel& model, int id, bool hasEntries) {
    if (IsSubmenu(id)) model.SetMenuEnabled(id, hasEntries);
}

int ToggleToolbar(CMenuModel& model) {
    const bool visible = !model.ToolbarVisible();
    model.SetToolbarVisible(visible);
    model.SetMenuChecked(CMD_TOOLBAR, visible);
    return visible ? kToolbarHeight : 0;
}

// --- Context menu ---

std::vector<CContextMenuItem> BuildContextMenu(const CContextMenuInputs& in) {
    std::vector<CContextMenuItem> items;
    auto add = [&](const char* text, int id) { items.push_back({text, id, false}); };
    auto separator = [&] { items.push_back({"", CMD_NONE, true}); };

    if (!in.realView) {
        add("进入实物图[&B]", CMD_SWITCH_VIEW);
        return items;
    }
    const bool hit = in.contextType != kNoContextItem;
    const bool wire = CategoryOfType(in.contextType) == CATEGORY_WIRE;

    if (in.undoSize > 0) add("撤销[&Z]", CMD_UNDO);
    if (in.redoSize > 0) add("重做[&Y]", CMD_REDO);
    if (in.undoSize > 0 || in.redoSize > 0) separator();

    add(in.deviceWindowVisible ? "隐藏器材栏[&A]" : "显示器材栏[&A]", CMD_DEVICE_BAR);

    if (hit) {
        if (PropertyGroupOf(in.contextType) == GROUP_SCREEN)
            add(in.propertyWindow2Visible ? "隐藏属性栏[&P]" : "显示属性栏[&P]", CMD_PROPERTY_WINDOW_2);
        else if (!wire)
            add(in.propertyBarVisible ? "隐藏属性栏[&P]" : "显示属性栏[&P]", CMD_PROPERTY_BAR);
        separator();
        if (KindRotates(in.contextType) && !in.locked) {
            add("向左旋转[&L]", CMD_ROTATE_LEFT);
            add("向右旋转[&R]", CMD_ROTATE_RIGHT);
            separator();
        }
    } else if (in.hasComponents && !in.locked) {
        add("删除全部器材[&E]", CMD_DELETE_ALL);
    }

    if (in.hasDevices) add(in.namesShown ? "不显示名称参数[&S]" : "显示名称参数[&S]", CMD_NAMES);
    add("进入符号图[&B]", CMD_SWITCH_VIEW);

    if (hit && !in.locked) {
        add("删除器材[&D]", CMD_DELETE);
        if (wire) add("改变颜色[&C]", CMD_WIRE_COLOUR);
    }
    return items;
}

} // namespace ampera
