#include "scrolling.h"

#include "core/experiment.h"
#include "devices/device.h"

#include <algorithm>

namespace ampera {

CScrollState InitialScroll(int clientWidth, int clientHeight) {
    CScrollState state;
    state.vertical = {0, clientHeight / 3, clientHeight / 4, 0};
    state.horizontal = {0, clientWidth / 8, clientWidth / 10, 0};
    return state;
}

namespace {

int RawStep(const CScrollBar& bar, int code, int trackPos, bool horizontal) {
    const int page = horizontal ? 8 : 4;
    switch (code) {
    case SCROLL_LINE_UP:
        return -1;
    case SCROLL_LINE_DOWN:
        return 1;
    case SCROLL_PAGE_UP:
        return -page;
    case SCROLL_PAGE_DOWN:
        return page;
    case SCROLL_THUMB_TRACK:
        return trackPos - bar.pos;
    case SCROLL_TOP:
        return -bar.pos;
    case SCROLL_BOTTOM:
        return bar.max - bar.pos;
    default:
        return 0;
    }
}

} // namespace

int ApplyScroll(CScrollBar& bar, int code, int trackPos, bool horizontal) {
    // The page has to stay inside the range, so the last position is
    // maximum - page. The board moves with every change of the position (a
    // step past the end goes exactly to the end), so the position always
    // says how far the board has been shifted.
    const int last = std::max(bar.min, bar.max - bar.page);
    const int target = std::clamp(bar.pos + RawStep(bar, code, trackPos, horizontal), bar.min, last);
    const int step = target - bar.pos;
    bar.pos = target;
    return step;
}

void ShiftBoard(CExperiment& experiment, int horizontalSteps, int verticalSteps) {
    if (horizontalSteps == 0 && verticalSteps == 0) return;
    const int dx = -kHorizontalStepPixels * horizontalSteps;
    const int dy = -kVerticalStepPixels * verticalSteps;
    const auto fx = static_cast<float>(dx), fy = static_cast<float>(dy);
    experiment.m_boardState.outlines.clear();
    experiment.m_boardState.shiftX += dx;
    experiment.m_boardState.shiftY += dy;
    for (CComponent* object : experiment.Nodes()) {
        auto* node = static_cast<CNode*>(object);
        node->SetPosition(node->m_x + dx, node->m_y + dy);
    }
    for (CComponent* object : experiment.Devices()) {
        auto* device = dynamic_cast<CDevice*>(object);
        if (!device) continue;
        float left, top, right, bottom;
        device->GetRegion(left, top, right, bottom);
        device->SetRegion(left + fx, top + fy, right + fx, bottom + fy);
    }
    for (CComponent* object : experiment.Wires()) {
        auto* wire = static_cast<CWire*>(object);
        for (CPoint& point : wire->m_points) {
            point.x += dx;
            point.y += dy;
        }
        wire->RebuildLines();
    }
}

CWindowRect LimitWindowSize(CWindowRect rect) {
    rect.width = std::min(rect.width, kMaxWindowWidth);
    rect.height = std::min(rect.height, kMaxWindowHeight);
    return rect;
}

CWindowRect MaximisedRect(int screenWidth, int screenHeight) {
    if (screenWidth / 2 >= kMaxWindowWidth / 2 && screenHeight / 2 >= kMaxWindowHeight / 2)
        return {screenWidth / 2 - kMaxWindowWidth / 2, screenHeight / 2 - kMaxWindowHeight / 2,
                kMaxWindowWidth, kMaxWindowHeight};
    return {0, 0, screenWidth, screenHeight};
}

CWindowRect DeviceBarRect(const CWindowRect& screen, const CWindowRect& window, const CWindowRect& board,
                          int barWidth, int barHeight, int noticeHeight) {
    const int screenRight = screen.left + screen.width;
    const int screenBottom = screen.top + screen.height;
    CWindowRect bar{0, board.top, barWidth, barHeight};
    // How high the bar may go to show its lower end: beside the window up to
    // the screen's top, over the board no higher than below the notice line.
    int highest = screen.top;
    if (window.left + window.width + barWidth <= screenRight) {
        bar.left = window.left + window.width;
    } else if (window.left - barWidth >= screen.left) {
        bar.left = window.left - barWidth;
    } else {
        bar.left = std::max(board.left, board.left + board.width - barWidth);
        bar.top = highest = board.top + noticeHeight;
    }
    bar.top = std::max(highest, std::min(bar.top, screenBottom - barHeight));
    return bar;
}

std::string DisplayFileName(const std::string& path) {
    if (path.empty()) return kUntitledName;
    const auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string WindowTitle(const std::string& path) {
    return "Ampera [" + DisplayFileName(path) + "]";
}

} // namespace ampera
