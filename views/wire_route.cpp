#include "wire_route.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace ampera {

namespace {

long long Cross(CPoint o, CPoint a, CPoint b) {
    return static_cast<long long>(a.x - o.x) * (b.y - o.y) - static_cast<long long>(a.y - o.y) * (b.x - o.x);
}

CPoint Corner(CPoint from, CPoint to, bool horizontalFirst) {
    return horizontalFirst ? CPoint{to.x, from.y} : CPoint{from.x, to.y};
}

std::vector<CPoint> PathOf(CPoint from, const CBends& bends, CPoint to) {
    std::vector<CPoint> path{from};
    path.insert(path.end(), bends.corners.begin(), bends.corners.end());
    path.push_back(to);
    return path;
}

long long Length(const std::vector<CPoint>& path) {
    long long length = 0;
    for (std::size_t i = 0; i + 1 < path.size(); ++i)
        length += std::abs(path[i + 1].x - path[i].x) + std::abs(path[i + 1].y - path[i].y);
    return length;
}

} // namespace

bool SegmentCrossesPoint(CPoint a, CPoint b, CPoint p, int reach) {
    if (reach <= 0) return false;
    // The points a + t (b - a) strictly inside the square are those with t
    // in an open interval per axis; the segment crosses the square when the
    // intersection of both intervals meets [0, 1].
    double enter = -std::numeric_limits<double>::infinity();
    double leave = std::numeric_limits<double>::infinity();
    const int starts[2] = {a.x, a.y}, ends[2] = {b.x, b.y}, centres[2] = {p.x, p.y};
    for (int k = 0; k < 2; ++k) {
        const int d = ends[k] - starts[k];
        const int low = centres[k] - reach - starts[k], high = centres[k] + reach - starts[k];
        if (d == 0) {
            if (low >= 0 || high <= 0) return false; // the whole segment is out on this axis
            continue;
        }
        double t0 = static_cast<double>(low) / d, t1 = static_cast<double>(high) / d;
        if (t0 > t1) std::swap(t0, t1);
        enter = std::max(enter, t0);
        leave = std::min(leave, t1);
    }
    return enter < leave && enter < 1 && leave > 0;
}

bool SegmentsOverlap(CSegment s, CSegment t) {
    if (s.a == s.b || t.a == t.b) return false;
    if (Cross(s.a, s.b, t.a) != 0 || Cross(s.a, s.b, t.b) != 0) return false;
    // On one line: compare the stretches they cover along its longer axis.
    const bool alongX = std::abs(s.b.x - s.a.x) >= std::abs(s.b.y - s.a.y);
    const auto at = [alongX](CPoint p) { return alongX ? p.x : p.y; };
    const int low = std::max(std::min(at(s.a), at(s.b)), std::min(at(t.a), at(t.b)));
    const int high = std::min(std::max(at(s.a), at(s.b)), std::max(at(t.a), at(t.b)));
    return low < high;
}

bool PathCollides(const std::vector<CPoint>& points, const CRouteObstacles& obstacles) {
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        const CSegment piece{points[i], points[i + 1]};
        for (const CPoint& terminal : obstacles.terminals)
            if (SegmentCrossesPoint(piece.a, piece.b, terminal, obstacles.reach)) return true;
        for (const CSegment& segment : obstacles.segments)
            if (SegmentsOverlap(piece, segment)) return true;
    }
    return false;
}

CBends ChooseBends(CPoint from, CPoint to, bool horizontalFirst, const CRouteObstacles& obstacles) {
    const CBends preferred{{Corner(from, to, horizontalFirst)}, horizontalFirst};
    if (from.x == to.x || from.y == to.y) return preferred;
    const auto clear = [&](const CBends& bends) { return !PathCollides(PathOf(from, bends, to), obstacles); };
    if (clear(preferred)) return preferred;
    const CBends other{{Corner(from, to, !horizontalFirst)}, !horizontalFirst};
    if (clear(other)) return other;

    // Each L with its vertical or its horizontal leg moved aside, either way;
    // the preferred L's legs come first among detours of equal length.
    std::vector<CBends> detours;
    const auto verticalLegAt = [&](int x) { detours.push_back({{{x, from.y}, {x, to.y}}, true}); };
    const auto horizontalLegAt = [&](int y) { detours.push_back({{{from.x, y}, {to.x, y}}, false}); };
    constexpr int c = kDetourClearance;
    for (const bool h : {horizontalFirst, !horizontalFirst}) {
        // Horizontal first: the vertical leg is at to.x, the horizontal one
        // at from.y; vertical first: the vertical leg at from.x, the
        // horizontal one at to.y.
        const int legX = h ? to.x : from.x, legY = h ? from.y : to.y;
        verticalLegAt(legX - c);
        verticalLegAt(legX + c);
        horizontalLegAt(legY - c);
        horizontalLegAt(legY + c);
    }
    std::stable_sort(detours.begin(), detours.end(), [&](const CBends& l, const CBends& r) {
        return Length(PathOf(from, l, to)) < Length(PathOf(from, r, to));
    });
    for (const CBends& detour : detours)
        if (clear(detour)) return detour;
    return preferred;
}

} // namespace ampera
