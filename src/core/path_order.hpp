// The order in which a machine runs a set of paths, chosen to keep the
// travel between them (with the tool lifted or the beam off) short.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "geometry.hpp"

namespace tracemill {

// The paths as the ordering sees them: for an open path its start and its
// end, for a closed path every point where it may start (the starts of its
// pieces, in order). Path i owns points[first[i]] .. points[first[i + 1] - 1].
struct PathEnds {
    std::vector<Point> points;
    std::vector<std::uint32_t> first{0};
    std::vector<bool> closed;

    std::size_t size() const { return closed.size(); }
    void add_open(Point start, Point end);
    // The starts of a closed path's pieces; it ends where it starts.
    void add_closed(const std::vector<Point>& starts);
};

// One path of a route: run forwards or backwards; a closed path starts and
// ends at its point `seam` (an index among its own points).
struct Visit {
    std::uint32_t path = 0;
    bool reversed = false;
    std::uint32_t seam = 0;
};

// Every path once, from the origin and back to it.
using Route = std::vector<Visit>;

// Where a visit starts and ends.
inline Point entry_of(const PathEnds& paths, const Visit& v) {
    const std::uint32_t f = paths.first[v.path];
    if (paths.closed[v.path]) return paths.points[f + v.seam];
    return paths.points[f + (v.reversed ? 1 : 0)];
}
inline Point exit_of(const PathEnds& paths, const Visit& v) {
    const std::uint32_t f = paths.first[v.path];
    if (paths.closed[v.path]) return paths.points[f + v.seam];
    return paths.points[f + (v.reversed ? 0 : 1)];
}

// The length of the straight moves from the origin to the first path, from
// each path's end to the next one's start, and from the last back to the
// origin.
double travel_of(const PathEnds& paths, const Route& route);

// The paths as given, each forwards, closed ones from their first point.
Route given_route(const PathEnds& paths);

// Nearest neighbour from the origin: always on to the nearest point where an
// unrun path may start (either end of an open path, which is then run from
// that end; any point of a closed one, which becomes its seam). Of equally
// near points the first in `points` wins. Answered by a grid of cells that
// counts the points not yet taken.
Route nearest_neighbour_route(const PathEnds& paths);

// The nearest-neighbour route improved by moving runs of up to three paths
// elsewhere in the route, forwards or turned round (a single path may turn
// round where it is), then by moving each closed path's seam to the point
// between its neighbours; a change is kept only where it shortens the
// travel. Never longer than the nearest-neighbour route (of each half). From
// kOrderedInHalvesFrom paths on, the paths are cut in two halves across the
// longer side of their extent, each is ordered so apart (at the same time),
// from the origin, and the far half run after the near one: for paths
// short beside their extent, as a text's strokes are, that costs well under
// one per cent of the travel.
inline constexpr std::size_t kOrderedInHalvesFrom = 16384;
Route shortest_route(const PathEnds& paths);

}  // namespace tracemill
