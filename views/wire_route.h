// The wire tool's automatic bends as plain geometry: whether a segment runs
// over a terminal or along a wire, and which axis-parallel route between two
// points keeps clear of both. Points are board pixels.
#pragma once

#include "core/component.h"

#include <vector>

namespace ampera {

// A piece of a wire between two consecutive points.
struct CSegment {
    CPoint a, b;
};

// What an automatic route keeps off: terminal points, which no segment may
// pass strictly within `reach` pixels of in x and in y (the square a click on
// a node hits), and segments of wires already drawn, which no segment may run
// along.
struct CRouteObstacles {
    std::vector<CPoint> terminals;
    int reach = 0;
    std::vector<CSegment> segments;
};

// How far a detour moves a leg aside: clear of a terminal's reach and of a
// wire, close enough to read as the same route.
inline constexpr int kDetourClearance = 15;

// Whether some point of the segment from a to b lies strictly closer than
// `reach` to p in x and in y.
bool SegmentCrossesPoint(CPoint a, CPoint b, CPoint p, int reach);
// Whether the two segments lie on one line and share more than a point.
bool SegmentsOverlap(CSegment s, CSegment t);
// Whether a segment of the path through `points` meets an obstacle.
bool PathCollides(const std::vector<CPoint>& points, const CRouteObstacles& obstacles);

// The bends of an axis-parallel route: the corners between its two ends, its
// first segment horizontal or vertical and the following ones alternating.
struct CBends {
    std::vector<CPoint> corners;
    bool horizontalFirst = true;
};

// The route from `from` to `to`: the L whose first leg goes along the
// preferred axis when it is clear; else the L the other way round; else the
// shortest clear detour, one leg of either L moved kDetourClearance aside
// (three segments); else the preferred L all the same, so there always is a
// route. Ends in line get the preferred L as it is, one corner on an end: a
// straight segment, which is left as the pointer put it.
CBends ChooseBends(CPoint from, CPoint to, bool horizontalFirst, const CRouteObstacles& obstacles);

} // namespace ampera
