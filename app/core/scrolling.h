// Scrolling moves the circuit itself: the scroll bars only count steps, and
// each step shifts every node, device region and wire bend point on the
// board. Also the main window's size rules and its title.
#pragma once

#include <string>

namespace ampera {

class CExperiment;

// Pixels the board moves per scroll step.
inline constexpr int kHorizontalStepPixels = 8;
inline constexpr int kVerticalStepPixels = 4;

// Scroll codes, numbered as the platform's scroll messages number them
// (line up / line left share a code, and so on).
enum ScrollCode : int {
    SCROLL_LINE_UP = 0,   // also line left
    SCROLL_LINE_DOWN = 1, // also line right
    SCROLL_PAGE_UP = 2,   // also page left
    SCROLL_PAGE_DOWN = 3, // also page right
    SCROLL_THUMB_POSITION = 4,
    SCROLL_THUMB_TRACK = 5,
    SCROLL_TOP = 6,    // also left end
    SCROLL_BOTTOM = 7, // also right end
    SCROLL_END = 8,
};

struct CScrollBar {
    int min = 0, max = 0, page = 0, pos = 0;
    bool operator==(const CScrollBar&) const = default;
};

struct CScrollState {
    CScrollBar vertical, horizontal;
};

// Ranges and pages for a client area of W x H: vertical 0..H/3 with page
// H/4, horizontal 0..W/8 with page W/10; positions 0.
CScrollState InitialScroll(int clientWidth, int clientHeight);

// One scroll message on one bar: works out the step (line 1, page 4
// vertically or 8 horizontally, thumb track to `trackPos`, top, bottom),
// clamps it to the range, and applies the rule that keeps the page inside
// the range (a step that would pass maximum - page becomes 0 and the position
// becomes maximum - page). Updates bar.pos; returns the step to move by.
int ApplyScroll(CScrollBar& bar, int code, int trackPos, bool horizontal);

// Moves the board by -8 px per horizontal step and -4 px per vertical step:
// every node, device region and wire point, wire drawings rebuilt; the
// outline list is emptied first. Frame-loop thread (or loop stopped).
void ShiftBoard(CExperiment& experiment, int horizontalSteps, int verticalSteps);

// --- Window geometry. ---
inline constexpr int kMaxWindowWidth = 1024;
inline constexpr int kMaxWindowHeight = 768;
inline constexpr int kInitialWindowWidth = 922;
inline constexpr int kInitialWindowHeight = 685;

struct CWindowRect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const CWindowRect&) const = default;
};

// The size while moving or sizing: at most 1024 x 768.
CWindowRect LimitWindowSize(CWindowRect rect);
// Maximising: 1024 x 768 centred when half the screen is at least 512 x 384,
// otherwise the whole screen.
CWindowRect MaximisedRect(int screenWidth, int screenHeight);

// Where the device bar stands (its whole window, frame included, of
// `barWidth` x `barHeight`), given the screen's free area, the main window
// with its frame and the board's drawing surface, all in screen pixels.
// The renderer writes its hints and warnings across the board's top edge,
// `noticeHeight` pixels high, so the bar never lies over that line: it goes
// beside the main window, right of it where the screen has room, else left
// of it, its top level with the board's; where neither side has room it goes
// inside, along the board's right edge below the notice line. It is kept on
// the screen vertically as far as the screen's height allows.
CWindowRect DeviceBarRect(const CWindowRect& screen, const CWindowRect& window, const CWindowRect& board,
                          int barWidth, int barHeight, int noticeHeight);

// --- Title. ---
inline constexpr const char* kUntitledName = "未命名.vtx";
// The part of the path after its last "\\" or "/", or "未命名.vtx" when the
// path is empty.
std::string DisplayFileName(const std::string& path);
// "Ampera [" + DisplayFileName(path) + "]".
std::string WindowTitle(const std::string& path);

} // namespace ampera
