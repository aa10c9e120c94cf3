// Scrolling steps and the shift of the board, window geometry and the title.
#include "app/core/scrolling.h"
#include "app_fixture.h"

namespace ampera::testing {
namespace {

TEST(ScrollTest, RangesAndPagesFollowTheClientSize) {
    const CScrollState s = InitialScroll(900, 600);
    EXPECT_EQ(s.vertical, (CScrollBar{0, 200, 150, 0}));
    EXPECT_EQ(s.horizontal, (CScrollBar{0, 112, 90, 0}));
}

TEST(ScrollTest, StepsPerCodeClampedSoThePageStaysInsideTheRange) {
    struct Case {
        const char* name;
        bool horizontal;
        int pos, code, track;
        int step, newPos;
    };
    // Vertical bar 0..200, page 150: positions 0..50. Horizontal 0..112,
    // page 90: positions 0..22.
    const Case cases[] = {
        {"line down", false, 0, SCROLL_LINE_DOWN, 0, 1, 1},
        {"line up at top", false, 0, SCROLL_LINE_UP, 0, 0, 0},
        {"page down", false, 10, SCROLL_PAGE_DOWN, 0, 4, 14},
        {"page up", false, 10, SCROLL_PAGE_UP, 0, -4, 6},
        {"page right", true, 0, SCROLL_PAGE_DOWN, 0, 8, 8},
        {"page left near start", true, 5, SCROLL_PAGE_UP, 0, -5, 0},
        {"line down at the end", false, 50, SCROLL_LINE_DOWN, 0, 0, 50},
        {"page down past the end", false, 48, SCROLL_PAGE_DOWN, 0, 2, 50},
        {"thumb track", false, 10, SCROLL_THUMB_TRACK, 30, 20, 30},
        {"thumb track past the end", false, 0, SCROLL_THUMB_TRACK, 180, 50, 50},
        {"top", false, 30, SCROLL_TOP, 0, -30, 0},
        {"bottom", true, 3, SCROLL_BOTTOM, 0, 19, 22},
        {"thumb position", false, 10, SCROLL_THUMB_POSITION, 40, 0, 10},
        {"end scroll", false, 10, SCROLL_END, 0, 0, 10},
    };
    for (const Case& c : cases) {
        CScrollState s = InitialScroll(900, 600);
        CScrollBar& bar = c.horizontal ? s.horizontal : s.vertical;
        bar.pos = c.pos;
        EXPECT_EQ(ApplyScroll(bar, c.code, c.track, c.horizontal), c.step) << c.name;
        EXPECT_EQ(bar.pos, c.newPos) << c.name;
    }
}

class BoardShiftTest : public AppTest {};

TEST_F(BoardShiftTest, VerticalLineMovesEverythingFourUpAndHorizontalPageSixtyFourLeft) {
    CDevice* r = Place(TYPE_RESISTANCE, 300, 200);
    CDevice* c = Place(TYPE_CAPACITANCE, 500, 300);
    CWire* wire = ex.AddWire(T(r, 1), T(c, 0));
    wire->m_points.insert(wire->m_points.begin() + 1, CPoint{wire->m_points[0].x, 300});
    wire->RebuildLines();
    ex.m_boardState.outlines = {Region(r)};

    const CRectF region = Region(r);
    const CPoint node = T(r, 0)->Position();
    const std::vector<CPoint> points = wire->m_points;

    struct Move {
        int code;
        bool horizontal;
        int dx, dy;
    };
    int totalX = 0, totalY = 0;
    CScrollState s = InitialScroll(900, 600);
    for (Move m : {Move{SCROLL_LINE_DOWN, false, 0, -4}, Move{SCROLL_PAGE_DOWN, true, -64, 0}}) {
        CScrollBar& bar = m.horizontal ? s.horizontal : s.vertical;
        const int step = ApplyScroll(bar, m.code, 0, m.horizontal);
        ShiftBoard(ex, m.horizontal ? step : 0, m.horizontal ? 0 : step);
        totalX += m.dx;
        totalY += m.dy;
        EXPECT_TRUE(ex.m_boardState.outlines.empty());
        EXPECT_EQ(Region(r).left, region.left + totalX);
        EXPECT_EQ(Region(r).top, region.top + totalY);
        EXPECT_EQ(Region(r).bottom, region.bottom + totalY);
        EXPECT_EQ(T(r, 0)->Position(), (CPoint{node.x + totalX, node.y + totalY}));
        for (std::size_t i = 0; i < points.size(); ++i)
            EXPECT_EQ(wire->m_points[i], (CPoint{points[i].x + totalX, points[i].y + totalY}));
        ASSERT_EQ(wire->m_boardGroup.itemsB.size(), points.size() - 1);
        EXPECT_EQ(wire->m_boardGroup.itemsB[0].left, static_cast<float>(points[0].x + totalX));
    }
}

TEST(WindowGeometryTest, MaximiseCentresTheLargestWindowOrFillsASmallScreen) {
    EXPECT_EQ(MaximisedRect(1280, 1024), (CWindowRect{128, 128, 1024, 768}));
    EXPECT_EQ(MaximisedRect(1024, 768), (CWindowRect{0, 0, 1024, 768}));
    EXPECT_EQ(MaximisedRect(800, 600), (CWindowRect{0, 0, 800, 600}));
    EXPECT_EQ(MaximisedRect(1920, 700), (CWindowRect{0, 0, 1920, 700}));
    EXPECT_EQ(LimitWindowSize({5, 6, 1400, 900}), (CWindowRect{5, 6, 1024, 768}));
    EXPECT_EQ(LimitWindowSize({0, 0, 922, 685}), (CWindowRect{0, 0, 922, 685}));
}

// The bar is 165 x 520 and the notice line 22 pixels; the board lies below
// the menu and toolbar, left of the vertical scroll bar.
TEST(WindowGeometryTest, TheDeviceBarGoesBesideTheWindowElseInsideBelowTheNoticeLine) {
    struct Case {
        const char* name;
        CWindowRect screen, window, board;
        CWindowRect bar;
    };
    const Case cases[] = {
        {"room on the right", {0, 0, 1280, 1024}, {0, 0, 922, 685}, {0, 61, 905, 590}, {922, 61, 165, 520}},
        {"a screen that starts lower",
         {0, 30, 1280, 994},
         {0, 30, 922, 685},
         {0, 91, 905, 590},
         {922, 91, 165, 520}},
        {"room on the left only",
         {0, 0, 1280, 1024},
         {350, 0, 922, 685},
         {350, 61, 905, 590},
         {185, 61, 165, 520}},
        {"no room: along the board's right edge",
         {0, 0, 1024, 768},
         {0, 0, 1024, 768},
         {0, 61, 1007, 680},
         {842, 83, 165, 520}},
        {"beside, raised to show its lower end",
         {0, 0, 1280, 560},
         {0, 0, 922, 560},
         {0, 61, 905, 470},
         {922, 40, 165, 520}},
        {"inside, never raised over the notice line",
         {0, 0, 1024, 540},
         {0, 0, 1024, 540},
         {0, 61, 1007, 460},
         {842, 83, 165, 520}},
        {"a board narrower than the bar", {0, 0, 300, 400}, {0, 0, 300, 400}, {0, 61, 100, 300}, {0, 83, 165, 520}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DeviceBarRect(c.screen, c.window, c.board, 165, 520, 22), c.bar) << c.name;
}

TEST(WindowTitleTest, ShowsTheFileNameOrUntitled) {
    EXPECT_EQ(WindowTitle(""), "Ampera [未命名.vtx]");
    EXPECT_EQ(WindowTitle("C:\\实验\\电路一.vtx"), "Ampera [电路一.vtx]");
    EXPECT_EQ(WindowTitle("/home/student/rc.vtx"), "Ampera [rc.vtx]");
    EXPECT_EQ(WindowTitle("plain.vtx"), "Ampera [plain.vtx]");
}

} // namespace
} // namespace ampera::testing
