#include "path_order.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <exception>
#include <limits>
#include <numeric>

#include "second_thread.hpp"

namespace tracemill {

void PathEnds::add_open(Point start, Point end) {
    points.push_back(start);
    points.push_back(end);
    first.push_back(static_cast<std::uint32_t>(points.size()));
    closed.push_back(false);
}

void PathEnds::add_closed(const std::vector<Point>& starts) {
    points.insert(points.end(), starts.begin(), starts.end());
    first.push_back(static_cast<std::uint32_t>(points.size()));
    closed.push_back(true);
}

namespace {

constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();

double distance(Point a, Point b) {
    const double dx = a.x - b.x, dy = a.y - b.y;
    return std::sqrt(dx * dx + dy * dy);
}

double distance2(Point a, Point b) {
    const double dx = a.x - b.x, dy = a.y - b.y;
    return dx * dx + dy * dy;
}

// The points in square cells of a grid, about two to a cell, sorted by
// cell; cells and blocks of 8 x 8 cells count the points not yet taken out.
class PointGrid {
public:
    explicit PointGrid(const std::vector<Point>& points) : n_(points.size()) {
        if (n_ == 0) return;
        x0_ = x1_ = points[0].x;
        y0_ = y1_ = points[0].y;
        for (const Point p : points) {
            x0_ = std::min(x0_, p.x);
            x1_ = std::max(x1_, p.x);
            y0_ = std::min(y0_, p.y);
            y1_ = std::max(y1_, p.y);
        }
        const double w = x1_ - x0_, h = y1_ - y0_;
        size_ = std::sqrt(w * h / static_cast<double>(n_)) * 1.5;
        if (!(size_ > 0)) size_ = std::max(w, h) * 2 / static_cast<double>(n_);
        if (!(size_ > 0)) size_ = 1;
        cols_ = cells_along(w);
        rows_ = cells_along(h);
        block_cols_ = (cols_ + kBlock - 1) / kBlock;
        block_rows_ = (rows_ + kBlock - 1) / kBlock;
        cells_.assign(cols_ * rows_ + 1, Cell{0, 0});
        std::vector<std::uint32_t> cell(n_);
        for (std::size_t k = 0; k < n_; ++k) {
            cell[k] = static_cast<std::uint32_t>(cell_of(points[k]));
            ++cells_[cell[k] + 1].first;
        }
        for (std::size_t c = 0; c < cols_ * rows_; ++c) cells_[c + 1].first += cells_[c].first;
        entries_.resize(n_);
        slot_of_.resize(n_);
        std::vector<std::uint32_t> fill(cols_ * rows_);
        for (std::size_t c = 0; c < cols_ * rows_; ++c) fill[c] = cells_[c].first;
        cell_of_slot_.resize(n_);
        for (std::size_t k = 0; k < n_; ++k) {
            const std::uint32_t slot = fill[cell[k]]++;
            entries_[slot] = {points[k], static_cast<std::uint32_t>(k), 0};
            slot_of_[k] = slot;
            cell_of_slot_[slot] = cell[k];
        }
        for (std::size_t c = 0; c < cols_ * rows_; ++c) cells_[c].alive = cells_[c + 1].first - cells_[c].first;
        block_alive_.assign(block_cols_ * block_rows_, 0);
        block_of_cell_.resize(cols_ * rows_);
        for (std::size_t c = 0; c < cols_ * rows_; ++c) {
            block_of_cell_[c] = static_cast<std::uint32_t>((c / cols_ / kBlock) * block_cols_ + (c % cols_) / kBlock);
            block_alive_[block_of_cell_[c]] += cells_[c].alive;
        }
    }

    void remove(std::uint32_t id) {
        const std::uint32_t slot = slot_of_[id];
        if (entries_[slot].dead) return;
        entries_[slot].dead = 1;
        const std::size_t c = cell_of_slot_[slot];
        --cells_[c].alive;
        --block_alive_[block_of_cell_[c]];
    }

    // The nearest point not taken out; of equally near ones the smallest id.
    // kNone when none is left. Rings of cells around q first; where they
    // hold nothing near, rings of blocks.
    std::uint32_t nearest(Point q) const {
        Best best;
        if (n_ == 0) return best.id;
        const std::size_t cx = column(q.x), cy = row(q.y);
        constexpr std::size_t kRings = 3;
        for (std::size_t r = 0; r <= kRings; ++r) {
            for_ring(cx, cy, r, cols_, rows_, [&](std::size_t c) { scan_cell(c, q, best); });
            // Every point not yet seen lies outside the square of cells
            // scanned (on a side where the grid goes on), less a margin for
            // the rounding of the cell boundaries.
            if (best.id == kNone) continue;
            const double ir = static_cast<double>(r), m = 0.01 * size_;
            double reach = std::numeric_limits<double>::infinity();
            if (cx >= r + 1) reach = std::min(reach, q.x - (x0_ + (static_cast<double>(cx) - ir) * size_));
            if (cx + r + 1 < cols_) reach = std::min(reach, x0_ + (static_cast<double>(cx) + ir + 1) * size_ - q.x);
            if (cy >= r + 1) reach = std::min(reach, q.y - (y0_ + (static_cast<double>(cy) - ir) * size_));
            if (cy + r + 1 < rows_) reach = std::min(reach, y0_ + (static_cast<double>(cy) + ir + 1) * size_ - q.y);
            reach -= m;
            if (reach > 0 && best.d2 < reach * reach) return best.id;
        }
        // Farther: rings of blocks around q's block, skipping empty ones.
        const std::size_t bx = cx / kBlock, by = cy / kBlock;
        const std::size_t rings = std::max(block_cols_, block_rows_);
        for (std::size_t r = 0; r <= rings; ++r) {
            for_ring(bx, by, r, block_cols_, block_rows_, [&](std::size_t b) {
                if (block_alive_[b] == 0 || block_distance2(b, q) > best.d2) return;
                const std::size_t x0 = b % block_cols_ * kBlock, y0 = b / block_cols_ * kBlock;
                for (std::size_t y = y0; y < std::min(rows_, y0 + kBlock); ++y)
                    for (std::size_t x = x0; x < std::min(cols_, x0 + kBlock); ++x) scan_cell(y * cols_ + x, q, best);
            });
            const double reach = (static_cast<double>(r) - 0.01) * size_ * kBlock;
            if (best.id != kNone && reach > 0 && best.d2 < reach * reach) break;
        }
        return best.id;
    }

    double cell_size() const { return size_; }

    // Calls f(points, count) for the points (taken out or not) of every cell
    // that holds a point within `reach` of q: the cells the square around q
    // overlaps, widened a little for the rounding of the cell boundaries.
    template <class F>
    void for_points_near(Point q, double reach, F f) const {
        if (n_ == 0) return;
        const double m = reach + 0.01 * size_;
        const std::size_t x0 = column(q.x - m), x1 = column(q.x + m);
        for (std::size_t y = row(q.y - m), y1 = row(q.y + m); y <= y1; ++y)
            f(entries_.data() + cells_[y * cols_ + x0].first,
              cells_[y * cols_ + x1 + 1].first - cells_[y * cols_ + x0].first);
    }

    struct Entry {
        Point p;
        std::uint32_t id;
        std::uint32_t dead;  // taken out (written only by remove())
    };

private:
    static constexpr std::size_t kBlock = 8;
    struct Best {
        double d2 = std::numeric_limits<double>::infinity();
        std::uint32_t id = kNone;
    };

    void scan_cell(std::size_t c, Point q, Best& best) const {
        if (cells_[c].alive == 0) return;
        for (std::uint32_t i = cells_[c].first; i < cells_[c + 1].first; ++i) {
            if (entries_[i].dead) continue;
            const double d2 = distance2(entries_[i].p, q);
            const std::uint32_t id = entries_[i].id;
            if (d2 < best.d2 || (d2 == best.d2 && id < best.id)) best = {d2, id};
        }
    }

    // Calls f for every cell of a cols x rows grid r cells (in the larger
    // direction) from cell (cx, cy).
    template <class F>
    static void for_ring(std::size_t cx, std::size_t cy, std::size_t r, std::size_t grid_cols,
                         std::size_t grid_rows, F f) {
        const auto ix = static_cast<std::ptrdiff_t>(cx), iy = static_cast<std::ptrdiff_t>(cy);
        const auto ir = static_cast<std::ptrdiff_t>(r);
        const auto cols = static_cast<std::ptrdiff_t>(grid_cols), rows = static_cast<std::ptrdiff_t>(grid_rows);
        for (std::ptrdiff_t y = std::max<std::ptrdiff_t>(0, iy - ir); y <= std::min(rows - 1, iy + ir); ++y) {
            const bool edge_row = y == iy - ir || y == iy + ir;
            for (std::ptrdiff_t x = std::max<std::ptrdiff_t>(0, ix - ir); x <= std::min(cols - 1, ix + ir);) {
                f(static_cast<std::size_t>(y * cols + x));
                // Inside a ring only its first and last column.
                x = edge_row || x != ix - ir ? x + 1 : ix + ir;
            }
        }
    }

    double block_distance2(std::size_t b, Point q) const {
        const double span = size_ * kBlock;
        const double bx0 = x0_ + static_cast<double>(b % block_cols_) * span;
        const double by0 = y0_ + static_cast<double>(b / block_cols_) * span;
        // A margin for the rounding of the cell boundaries.
        const double m = 0.01 * size_;
        const double dx = std::max({0.0, bx0 - m - q.x, q.x - (bx0 + span + m)});
        const double dy = std::max({0.0, by0 - m - q.y, q.y - (by0 + span + m)});
        return dx * dx + dy * dy;
    }

    std::size_t cells_along(double extent) const {
        const double c = std::ceil(extent / size_);
        return static_cast<std::size_t>(std::clamp(c, 1.0, static_cast<double>(n_)));
    }
    std::size_t column(double x) const {
        return static_cast<std::size_t>(std::clamp(std::floor((x - x0_) / size_), 0.0, static_cast<double>(cols_ - 1)));
    }
    std::size_t row(double y) const {
        return static_cast<std::size_t>(std::clamp(std::floor((y - y0_) / size_), 0.0, static_cast<double>(rows_ - 1)));
    }
    std::size_t cell_of(Point p) const { return row(p.y) * cols_ + column(p.x); }

    std::size_t n_;
    double x0_ = 0, y0_ = 0, x1_ = 0, y1_ = 0, size_ = 1;
    std::size_t cols_ = 1, rows_ = 1, block_cols_ = 1, block_rows_ = 1;
    // Cell c holds slots cells_[c].first .. cells_[c + 1].first, `alive` of
    // them not taken out.
    struct Cell {
        std::uint32_t first;
        std::uint32_t alive;
    };
    std::vector<Cell> cells_;
    std::vector<Entry> entries_;        // by slot
    std::vector<std::uint32_t> slot_of_, cell_of_slot_;
    std::vector<std::uint32_t> block_alive_, block_of_cell_;
};

// The route as a ring through the paths and the origin (node n), linked both
// ways, with where each node is entered and left.
class Ring {
public:
    Ring(const PathEnds& paths, const Route& route, const PointGrid& grid, const std::vector<std::uint32_t>& owner)
        : paths_(paths), grid_(grid), owner_(owner), n_(static_cast<std::uint32_t>(paths.size())), visit_(n_),
          in_(n_ + 1), out_(n_ + 1), next_(n_ + 1), prev_(n_ + 1), stamp_(n_ + 1, 0) {
        std::uint32_t last = n_;
        for (const Visit& v : route) {
            visit_[v.path] = v;
            in_[v.path] = entry_of(paths, v);
            out_[v.path] = exit_of(paths, v);
            next_[last] = v.path;
            prev_[v.path] = last;
            last = v.path;
        }
        next_[last] = n_;
        prev_[n_] = last;
        in_[n_] = out_[n_] = Point{0, 0};
        // Changes smaller than this are rounding, not gain.
        double extent = 0;
        for (const Point p : paths.points) extent = std::max({extent, std::fabs(p.x), std::fabs(p.y)});
        epsilon_ = 1e-12 * extent;
        // Places for a run are looked for up to a cell away: farther ones
        // seldom pay, and cost more to look through.
        reach_ = grid.cell_size();
    }

    Route route() const {
        Route r;
        r.reserve(n_);
        for (std::uint32_t i = next_[n_]; i != n_; i = next_[i]) r.push_back(visit_[i]);
        return r;
    }

    // Moves runs of up to three paths while that shortens the travel,
    // starting from the given paths and going on from every path a move
    // touches.
    void move_runs(const std::vector<std::uint32_t>& start) {
        std::vector<std::uint32_t> work(start.rbegin(), start.rend());
        std::vector<char> queued(n_ + 1, 0);
        for (const std::uint32_t i : work) queued[i] = 1;
        // A bound that no sequence of real gains reaches, as a guard.
        std::size_t budget = 64 * static_cast<std::size_t>(n_) + 64;
        while (!work.empty() && budget > 0) {
            const std::uint32_t s = work.back();
            work.pop_back();
            queued[s] = 0;
            const Move m = best_move(s);
            if (!(m.delta < -epsilon_)) continue;
            --budget;
            const std::uint32_t touched[] = {prev_[m.first], next_[m.last], m.after, m.before, m.first, m.last};
            apply(m);
            for (const std::uint32_t t : touched) {
                if (t != n_ && !queued[t]) {
                    queued[t] = 1;
                    work.push_back(t);
                }
            }
        }
    }

    // Each closed path starts at the point that makes the way in and out
    // shortest. Returns the paths whose seam moved.
    std::vector<std::uint32_t> move_seams() {
        std::vector<std::uint32_t> moved;
        for (std::uint32_t i = next_[n_]; i != n_; i = next_[i]) {
            if (!paths_.closed[i]) continue;
            const Point a = out_[prev_[i]], b = in_[next_[i]];
            const std::uint32_t f = paths_.first[i], count = paths_.first[i + 1] - f;
            double best = distance(a, in_[i]) + distance(in_[i], b);
            std::uint32_t seam = visit_[i].seam;
            for (std::uint32_t k = 0; k < count; ++k) {
                const Point v = paths_.points[f + k];
                const double c = distance(a, v) + distance(v, b);
                if (c < best - epsilon_) {
                    best = c;
                    seam = k;
                }
            }
            if (seam != visit_[i].seam) {
                visit_[i].seam = seam;
                in_[i] = out_[i] = paths_.points[f + seam];
                moved.push_back(i);
            }
        }
        return moved;
    }

private:
    struct Move {
        double delta = 0;
        std::uint32_t first = 0, last = 0;    // the run, in route order
        std::uint32_t after = 0, before = 0;  // it goes between these
        bool turned = false;
    };

    // Whether a path is now entered (or left) at this point of its own.
    bool enters_at(std::uint32_t path, std::uint32_t point) const {
        return paths_.closed[path] ? point == visit_[path].seam : (point == 1) == visit_[path].reversed;
    }
    bool leaves_at(std::uint32_t path, std::uint32_t point) const {
        return paths_.closed[path] ? point == visit_[path].seam : (point == 1) != visit_[path].reversed;
    }
    // The best move of a run starting at path s: taken out and put back
    // between two neighbouring nodes, forwards or turned round. Only places
    // where one of the new joins is shorter than what taking the run out
    // saves are tried.
    Move best_move(std::uint32_t s) {
        Move best;
        std::array<std::uint32_t, 3> run{};
        std::uint32_t last = s;
        for (std::size_t len = 1; len <= 3; ++len) {
            if (len > 1) {
                last = next_[last];
                if (last == n_) break;
            }
            run[len - 1] = last;
            ++stamp_value_;
            for (std::size_t k = 0; k < len; ++k) stamp_[run[k]] = stamp_value_;
            const std::uint32_t p = prev_[s], q = next_[last];
            const double gain = d(out_[p], in_[s]) + d(out_[last], in_[q]) - d(out_[p], in_[q]);
            const auto consider = [&](std::uint32_t a, std::uint32_t b) {
                if (stamp_[a] == stamp_value_ || stamp_[b] == stamp_value_) return;
                const double base = d(out_[a], in_[b]);
                const double forwards = d(out_[a], in_[s]) + d(out_[last], in_[b]) - base - gain;
                const double turned = d(out_[a], out_[last]) + d(in_[s], in_[b]) - base - gain;
                if (forwards < best.delta) best = {forwards, s, last, a, b, false};
                if (turned < best.delta) best = {turned, s, last, a, b, true};
            };
            // Turned round in place.
            consider(p, q);
            if (!(gain > epsilon_)) continue;
            // Points of other paths within that saving of the run's start,
            // joined to it from a path left there (forwards, after that
            // path) or entered there (turned, before it); likewise at the
            // run's end.
            const double reach2 = gain * gain;
            for (const bool at_start : {true, false}) {
                const Point e = at_start ? in_[s] : out_[last];
                grid_.for_points_near(e, std::min(gain, reach_), [&](const PointGrid::Entry* near, std::size_t count) {
                    for (std::size_t k = 0; k < count; ++k) {
                        if (!(distance2(near[k].p, e) < reach2)) continue;
                        const std::uint32_t c = owner_[near[k].id];
                        if (stamp_[c] == stamp_value_) continue;
                        const std::uint32_t point = near[k].id - paths_.first[c];
                        if (leaves_at(c, point)) consider(c, next_[c]);
                        if (enters_at(c, point)) consider(prev_[c], c);
                    }
                });
            }
        }
        return best;
    }

    void apply(const Move& m) {
        std::array<std::uint32_t, 3> run{};
        std::size_t len = 0;
        for (std::uint32_t i = m.first;; i = next_[i]) {
            run[len++] = i;
            if (i == m.last) break;
        }
        const std::uint32_t p = prev_[m.first], q = next_[m.last];
        next_[p] = q;
        prev_[q] = p;
        std::uint32_t at = m.after;
        const auto link = [&](std::uint32_t i) {
            next_[at] = i;
            prev_[i] = at;
            at = i;
        };
        if (!m.turned) {
            for (std::size_t k = 0; k < len; ++k) link(run[k]);
        } else {
            for (std::size_t k = len; k-- > 0;) {
                const std::uint32_t i = run[k];
                visit_[i].reversed = !visit_[i].reversed;
                std::swap(in_[i], out_[i]);
                link(i);
            }
        }
        next_[at] = m.before;
        prev_[m.before] = at;
    }

    static double d(Point a, Point b) { return distance(a, b); }

    const PathEnds& paths_;
    const PointGrid& grid_;  // every point of every path
    const std::vector<std::uint32_t>& owner_;
    std::uint32_t n_;
    std::vector<Visit> visit_;
    std::vector<Point> in_, out_;
    std::vector<std::uint32_t> next_, prev_;
    std::vector<std::uint32_t> stamp_;
    std::uint32_t stamp_value_ = 0;
    double epsilon_ = 0;
    double reach_ = 0;  // the farthest a place for a run is looked for
};

}  // namespace

double travel_of(const PathEnds& paths, const Route& route) {
    double total = 0;
    Point at{0, 0};
    for (const Visit& v : route) {
        total += distance(at, entry_of(paths, v));
        at = exit_of(paths, v);
    }
    return total + distance(at, Point{0, 0});
}

Route given_route(const PathEnds& paths) {
    Route r(paths.size());
    for (std::uint32_t i = 0; i < r.size(); ++i) r[i].path = i;
    return r;
}

namespace {

std::vector<std::uint32_t> owners(const PathEnds& paths) {
    std::vector<std::uint32_t> owner(paths.points.size());
    for (std::uint32_t i = 0; i < paths.size(); ++i)
        std::fill(owner.begin() + paths.first[i], owner.begin() + paths.first[i + 1], i);
    return owner;
}

Route nearest_neighbour_route(const PathEnds& paths, PointGrid& grid, const std::vector<std::uint32_t>& owner) {
    Route route;
    route.reserve(paths.size());
    Point at{0, 0};
    for (std::size_t step = 0; step < paths.size(); ++step) {
        const std::uint32_t id = grid.nearest(at);
        const std::uint32_t path = owner[id];
        const std::uint32_t k = id - paths.first[path];
        Visit v{path, false, 0};
        if (paths.closed[path]) v.seam = k;
        else v.reversed = k == 1;
        for (std::uint32_t j = paths.first[path]; j < paths.first[path + 1]; ++j) grid.remove(j);
        at = exit_of(paths, v);
        route.push_back(v);
    }
    return route;
}

}  // namespace

Route nearest_neighbour_route(const PathEnds& paths) {
    const std::vector<std::uint32_t> owner = owners(paths);
    PointGrid grid(paths.points);
    return nearest_neighbour_route(paths, grid, owner);
}

namespace {

Route improved_route(const PathEnds& paths) {
    const std::vector<std::uint32_t> owner = owners(paths);
    PointGrid grid(paths.points);
    const Route greedy = nearest_neighbour_route(paths, grid, owner);
    if (paths.size() < 2) return greedy;
    Ring ring(paths, greedy, grid, owner);
    std::vector<std::uint32_t> all;
    all.reserve(greedy.size());
    for (const Visit& v : greedy) all.push_back(v.path);
    ring.move_runs(all);
    const std::vector<std::uint32_t> moved = ring.move_seams();
    if (!moved.empty()) ring.move_runs(moved);
    Route better = ring.route();
    // Every kept change shortened the route; the sum is taken again as a
    // guard against rounding.
    return travel_of(paths, better) <= travel_of(paths, greedy) ? better : greedy;
}

// The given paths as a set of their own, in the given order.
PathEnds part_of(const PathEnds& paths, const std::uint32_t* ids, std::size_t count) {
    PathEnds part;
    part.first.reserve(count + 1);
    part.closed.reserve(count);
    for (std::size_t k = 0; k < count; ++k) {
        const std::uint32_t i = ids[k];
        part.points.insert(part.points.end(), paths.points.begin() + paths.first[i],
                           paths.points.begin() + paths.first[i + 1]);
        part.first.push_back(static_cast<std::uint32_t>(part.points.size()));
        part.closed.push_back(paths.closed[i]);
    }
    return part;
}

}  // namespace

Route shortest_route(const PathEnds& paths) {
    const std::size_t n = paths.size();
    if (n < kOrderedInHalvesFrom) return improved_route(paths);
    // The paths are cut in two across the longer side of their extent, at
    // the median of their first points (ties by their place in the given
    // order); each half is ordered apart from the origin, at the same time
    // where a second thread is to be had, and the far half (larger x or y)
    // is run after the near one. The cut depends on the paths alone, so the
    // route is the same with one thread or two.
    double x0 = paths.points[0].x, x1 = x0, y0 = paths.points[0].y, y1 = y0;
    for (const Point p : paths.points) {
        x0 = std::min(x0, p.x);
        x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y);
        y1 = std::max(y1, p.y);
    }
    const bool across_x = x1 - x0 >= y1 - y0;
    const auto key = [&](std::uint32_t i) {
        const Point p = paths.points[paths.first[i]];
        return across_x ? p.x : p.y;
    };
    std::vector<std::uint32_t> ids(n);
    std::iota(ids.begin(), ids.end(), 0u);
    const std::size_t half = n / 2;
    std::nth_element(ids.begin(), ids.begin() + static_cast<std::ptrdiff_t>(half), ids.end(),
                     [&](std::uint32_t a, std::uint32_t b) {
                         const double ka = key(a), kb = key(b);
                         return ka < kb || (ka == kb && a < b);
                     });
    std::sort(ids.begin(), ids.begin() + static_cast<std::ptrdiff_t>(half));
    std::sort(ids.begin() + static_cast<std::ptrdiff_t>(half), ids.end());
    const PathEnds near = part_of(paths, ids.data(), half);
    const PathEnds far = part_of(paths, ids.data() + half, n - half);
    Route later;
    SecondThread helper([&] { later = improved_route(far); });
    const Route first = improved_route(near);
    if (const auto failure = helper.wait()) std::rethrow_exception(failure);
    Route route;
    route.reserve(n);
    for (Visit v : first) {
        v.path = ids[v.path];
        route.push_back(v);
    }
    for (Visit v : later) {
        v.path = ids[half + v.path];
        route.push_back(v);
    }
    return route;
}

}  // namespace tracemill
