// What every device of one kind shares: the facts the board, the device bar,
// the property windows, the menus, the symbol view and the artwork need about
// a kind before any device of it exists. Each kind states its descriptor next
// to its class; the kind registry lists them all.
#pragma once

#include "core/component.h"
#include "core/experiment.h"
#include "kind_geometry.h"

#include <array>
#include <string>

namespace ampera {

// Which property window shows a kind: the window's index, and the property
// code posted for it.
enum PropertyGroup : int {
    GROUP_PASSIVE = 0, // resistor, rheostat, switches, inductor, capacitor, diode, plug board
    GROUP_PLAIN = 1,   // everything else: DC sources and DC meters among them, nodes, wires
    GROUP_SCREEN = 2,  // oscilloscope, level meter
    GROUP_PANEL = 3,   // panel instruments
};

// The pages of the device bar.
enum BarGroup : int {
    BAR_NONE = -1, // kinds that exist only in files
    BAR_BASIC = 0,
    BAR_METERS = 1,
    BAR_SOURCES = 2,
    BAR_SWITCHES = 3,
};

// A kind's button on the device bar.
struct CBarEntry {
    int group = BAR_NONE;
    int order = 0;            // place on its page, from the top
    const char* caption = ""; // shown under the picture
    const char* picture = ""; // file below pic\ (the caption is its name)
};

// What a selected device tells the user on the board.
inline constexpr const char* kPanelHint = "可以单击鼠标右键弹出菜单进入属性栏的面板区对本器材进行具体的操作";
inline constexpr const char* kSwitchHint = "双击开关处闭合，双击附近其他处断开本开关";

// How a device lies for the symbol view, from its two rotation angles.
enum SymbolOrientation : int {
    ORIENT_UPRIGHT = 0,
    ORIENT_TURNED_LEFT = 1,
    ORIENT_TURNED_RIGHT = 2,
    ORIENT_UPSIDE_DOWN = 3,
};

SymbolOrientation OrientationOf(int angleLeft, int angleRight);

// A symbol picture and where it lies, as offsets from the device's region
// (left, top, right, bottom). The offsets assume the board pictures' own
// sizes, so that each symbol sits where its device's terminals are.
struct CSymbolPlace {
    const char* picture = nullptr; // none: the kind has no symbol
    float left = 0, top = 0, right = 0, bottom = 0;
};
using CSymbolPlaces = std::array<CSymbolPlace, 4>; // by SymbolOrientation

constexpr CSymbolPlaces OneSymbol(CSymbolPlace place) {
    return {place, place, place, place};
}
constexpr CSymbolPlaces TurnedSymbols(CSymbolPlace upright, CSymbolPlace turnedLeft, CSymbolPlace turnedRight,
                                      CSymbolPlace upsideDown) {
    return {upright, turnedLeft, turnedRight, upsideDown};
}

// A device's symbol: the picture and the rectangle it covers on the board.
struct CSymbol {
    std::string picture;
    CRectF rect;
};

struct CDeviceKind {
    int typeCode = -1;
    int category = CATEGORY_RESISTANCE;
    const char* namePrefix = "";    // "R" gives R1, R2, ...
    const char* bodyPicture = "";   // picture at angle 0; turned ones append the angle
    geometry::CBodyGeometry body{}; // size, terminals and whether it turns
    int propertyGroup = GROUP_PLAIN;
    const char* selectionHint = nullptr; // posted when a device is selected; none clears the last hint
    CBarEntry bar{};
    int labelRise = 20;      // how far above the body its board label stands
    CSymbolPlaces symbols{}; // in the symbol view, by orientation
    bool Rotates() const { return body.rotates; }
};

} // namespace ampera
