// The geometry of the wire tool's automatic bends, without a board: when a
// segment runs over a terminal or along a wire, and which route is chosen.
#include "board_test_fixture.h" // prints points
#include "wire_route.h"

#include <vector>

namespace ampera::testing {
namespace {

TEST(WireRouteTest, ASegmentCrossesATerminalItComesStrictlyWithinReachOf) {
    const CPoint terminal{100, 100};
    struct Case {
        CPoint a, b;
        bool crosses;
        const char* what;
    };
    const Case cases[] = {
        {{50, 100}, {150, 100}, true, "straight through"},
        {{150, 104}, {50, 104}, true, "4 pixels aside"},
        {{50, 105}, {150, 105}, false, "5 pixels aside"},
        {{100, 0}, {100, 300}, true, "vertical, through"},
        {{50, 96}, {96, 96}, true, "ending 4 pixels short and 4 aside"},
        {{50, 100}, {95, 100}, false, "ending 5 pixels short"},
        {{98, 98}, {98, 98}, true, "a single point inside"},
        {{0, 0}, {200, 200}, true, "slanted, through"},
        {{0, 8}, {192, 200}, true, "slanted, 4 pixels aside at the closest"},
        {{0, 10}, {190, 200}, false, "slanted, 5 pixels aside at the closest"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SegmentCrossesPoint(c.a, c.b, terminal, 5), c.crosses) << c.what;
}

TEST(WireRouteTest, SegmentsOverlapWhenOnOneLineTheyShareMoreThanAPoint) {
    struct Case {
        CSegment s, t;
        bool overlap;
        const char* what;
    };
    const CSegment h{{0, 0}, {100, 0}};
    const Case cases[] = {
        {h, {{50, 0}, {150, 0}}, true, "horizontal, partly"},
        {h, {{150, 0}, {50, 0}}, true, "the other way round"},
        {h, {{20, 0}, {80, 0}}, true, "one inside the other"},
        {h, {{100, 0}, {200, 0}}, false, "meeting at an end"},
        {h, {{0, 1}, {100, 1}}, false, "parallel, a pixel aside"},
        {h, {{50, -50}, {50, 50}}, false, "crossing"},
        {h, {{40, 0}, {40, 0}}, false, "a single point on it"},
        {{{10, 0}, {10, 100}}, {{10, 90}, {10, 300}}, true, "vertical, partly"},
        {{{0, 0}, {100, 100}}, {{50, 50}, {200, 200}}, true, "slanted, partly"},
        {{{0, 0}, {100, 100}}, {{0, 0}, {100, 101}}, false, "slanted, not in line"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SegmentsOverlap(c.s, c.t), c.overlap) << c.what;
        EXPECT_EQ(SegmentsOverlap(c.t, c.s), c.overlap) << c.what << ", swapped";
    }
}

TEST(WireRouteTest, TheRouteTurnsRoundOrMakesADetourOnlyWhenThePreferredLCollides) {
    // From (0, 0) to (200, 100): the L is (200, 0) horizontal first, (0, 100)
    // vertical first.
    const CPoint from{0, 0}, to{200, 100};
    struct Case {
        const char* what;
        bool horizontalFirst;
        std::vector<CPoint> terminals;
        std::vector<CSegment> segments;
        std::vector<CPoint> corners;
        bool expectedHorizontalFirst;
    };
    const Case cases[] = {
        {"nothing in the way", true, {}, {}, {{200, 0}}, true},
        {"nothing in the way, vertical first", false, {}, {}, {{0, 100}}, false},
        {"a terminal on the first leg", true, {{100, 0}}, {}, {{0, 100}}, false},
        {"a terminal on the second leg", true, {{200, 50}}, {}, {{0, 100}}, false},
        {"a terminal off both legs", true, {{100, 50}}, {}, {{200, 0}}, true},
        {"a wire along the first leg", true, {}, {{{50, 0}, {300, 0}}}, {{0, 100}}, false},
        {"a wire ending where the route starts", true, {}, {{{-100, 0}, {0, 0}}}, {{200, 0}}, true},
        // Both Ls blocked: the horizontal leg moves aside, towards the
        // inside; of the equally short detours the preferred L's comes first.
        {"both Ls blocked", true, {{100, 0}, {100, 100}}, {}, {{0, 15}, {200, 15}}, false},
        {"both Ls blocked, vertical first", false, {{100, 0}, {100, 100}}, {}, {{0, 85}, {200, 85}}, false},
        {"both Ls and the inside blocked: out the free side",
         true,
         {{100, 0}, {100, 100}, {100, 15}, {100, 85}},
         {},
         {{0, -15}, {200, -15}},
         false},
        {"a terminal on the first leg, a wire along the other L's",
         true,
         {{100, 0}},
         {{{0, 0}, {0, 200}}},
         {{15, 0}, {15, 100}},
         true},
        // A terminal beside the end blocks every route: the preferred L.
        {"nothing avoids it", true, {{203, 100}}, {}, {{200, 0}}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const CRouteObstacles obstacles{c.terminals, 5, c.segments};
        const CBends bends = ChooseBends(from, to, c.horizontalFirst, obstacles);
        EXPECT_EQ(bends.corners, c.corners);
        EXPECT_EQ(bends.horizontalFirst, c.expectedHorizontalFirst);
    }

    // Ends in line: the straight segment stays, even over a terminal.
    const CBends straight = ChooseBends(from, {200, 0}, true, {{{100, 0}}, 5, {}});
    EXPECT_EQ(straight.corners, (std::vector<CPoint>{{200, 0}}));
}

} // namespace
} // namespace ampera::testing
