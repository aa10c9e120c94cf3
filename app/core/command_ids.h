// Command identifiers of the main menu, the toolbar, the context menu and the
// system menu, and the codes the services post to the main window.
#pragma once

namespace ampera {

enum CommandId : int {
    CMD_NONE = 0,          // a separator in menu and toolbar descriptions
    CMD_SYSTEM_ABOUT = 16, // the About item added to the system menu

    // "文件(&F)"
    CMD_NEW = 57600,
    CMD_OPEN = 57601,
    CMD_SAVE = 57603,
    CMD_SAVE_AS = 32789,
    CMD_EXIT = 32822,
    CMD_EXPORT_READINGS = 32852, // the instruments' readings as CSV
    CMD_EXPORT_PICTURE = 32853,  // the board or the symbol view as PNG
    // Submenus whose entries the window fills in: the installed examples and
    // the files last opened or saved.
    CMD_EXAMPLES_MENU = 32840,
    CMD_RECENT_MENU = 32841,

    // "操作(&E)"
    CMD_UNDO = 32816,
    CMD_REDO = 32815,
    CMD_ROTATE_LEFT = 32820,
    CMD_ROTATE_RIGHT = 32819,
    CMD_DELETE = 32824,
    CMD_DELETE_ALL = 32797,
    CMD_LOCK = 32850,   // a teacher's lock on the experiment
    CMD_UNLOCK = 32851,

    // "视图(&V)"
    CMD_NAMES = 32768,
    CMD_SWITCH_VIEW = 32798,

    // "工具(&T)"
    CMD_DEVICE_BAR = 32799,
    CMD_TOOLBAR = 32786,
    CMD_COLOUR_SETTINGS = 32788,

    // "帮助(H)"
    CMD_HELP = 57670,
    CMD_ABOUT = 32814,

    // Context menu only.
    CMD_WIRE_COLOUR = 32775,
    CMD_PROPERTY_BAR = 32800,      // property windows 0, 1 and 3
    CMD_PROPERTY_WINDOW_2 = 32801, // oscilloscope and level meter
};

// Codes posted through CAppServices::PostToMain. 0 to 3 are property codes
// (the group of the selected component, the kind descriptors say it).
enum MainCode : int {
    MAIN_CODE_PROPERTY_0 = 0,
    MAIN_CODE_PROPERTY_1 = 1,
    MAIN_CODE_PROPERTY_2 = 2,
    MAIN_CODE_PROPERTY_3 = 3,
    MAIN_CODE_CURSOR_MOVE = 4, // SetCursorShape(1)
    MAIN_CODE_CURSOR_UP = 5,   // SetCursorShape(2)
    MAIN_CODE_CURSOR_ARROW = 6, // SetCursorShape(0): the pointer is over nothing it can work
};

// The Delete key's virtual key code (what the keyboard handler looks for).
inline constexpr int kDeleteKey = 46;

} // namespace ampera
