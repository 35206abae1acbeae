#include "path_order.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numeric>

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

Point entry_of(const PathEnds& paths, const Visit& v) {
    const std::uint32_t f = paths.first[v.path];
    if (paths.closed[v.path]) return paths.points[f + v.seam];
    return paths.points[f + (v.reversed ? 1 : 0)];
}

Point exit_of(const PathEnds& paths, const Visit& v) {
    const std::uint32_t f = paths.first[v.path];
    if (paths.closed[v.path]) return paths.points[f + v.seam];
    return paths.points[f + (v.reversed ? 0 : 1)];
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
        first_.assign(cols_ * rows_ + 1, 0);
        std::vector<std::uint32_t> cell(n_);
        for (std::size_t k = 0; k < n_; ++k) {
            cell[k] = static_cast<std::uint32_t>(cell_of(points[k]));
            ++first_[cell[k] + 1];
        }
        for (std::size_t c = 0; c < cols_ * rows_; ++c) first_[c + 1] += first_[c];
        entries_.resize(n_);
        slot_of_.resize(n_);
        std::vector<std::uint32_t> fill(first_.begin(), first_.end() - 1);
        for (std::size_t k = 0; k < n_; ++k) {
            const std::uint32_t slot = fill[cell[k]]++;
            entries_[slot] = {points[k], static_cast<std::uint32_t>(k)};
            slot_of_[k] = slot;
        }
        dead_.assign(n_, 0);
        alive_.resize(cols_ * rows_);
        for (std::size_t c = 0; c < cols_ * rows_; ++c) alive_[c] = first_[c + 1] - first_[c];
        block_alive_.assign(block_cols_ * block_rows_, 0);
        for (std::size_t c = 0; c < cols_ * rows_; ++c) block_alive_[block_of(c)] += alive_[c];
    }

    void remove(std::uint32_t id) {
        const std::uint32_t slot = slot_of_[id];
        if (dead_[slot]) return;
        dead_[slot] = 1;
        const std::size_t c = cell_of(entries_[slot].p);
        --alive_[c];
        --block_alive_[block_of(c)];
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
            // Every point not yet seen lies at least r cells away (less a
            // margin for the rounding of the cell boundaries).
            const double reach = (static_cast<double>(r) - 0.01) * size_;
            if (best.id != kNone && reach > 0 && best.d2 < reach * reach) return best.id;
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

    // Up to k of the points nearest to q among its own cell and the eight
    // around it (taken out or not), nearest first, with their distances.
    void nearest_k(Point q, std::size_t k, std::vector<std::pair<double, std::uint32_t>>& found) const {
        found.clear();
        if (n_ == 0) return;
        for (std::size_t r = 0; r <= 1; ++r) {
            for_ring(column(q.x), row(q.y), r, cols_, rows_, [&](std::size_t c) {
                for (std::uint32_t i = first_[c]; i < first_[c + 1]; ++i) {
                    const std::pair<double, std::uint32_t> f{distance2(entries_[i].p, q), entries_[i].id};
                    if (found.size() == k && !(f < found.back())) continue;
                    found.insert(std::upper_bound(found.begin(), found.end(), f), f);
                    if (found.size() > k) found.pop_back();
                }
            });
        }
        for (auto& f : found) f.first = std::sqrt(f.first);
    }

private:
    static constexpr std::size_t kBlock = 8;
    struct Entry {
        Point p;
        std::uint32_t id;
    };
    struct Best {
        double d2 = std::numeric_limits<double>::infinity();
        std::uint32_t id = kNone;
    };

    void scan_cell(std::size_t c, Point q, Best& best) const {
        if (alive_[c] == 0) return;
        for (std::uint32_t i = first_[c]; i < first_[c + 1]; ++i) {
            if (dead_[i]) continue;
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
    std::size_t block_of(std::size_t c) const {
        return (c / cols_ / kBlock) * block_cols_ + (c % cols_) / kBlock;
    }

    std::size_t n_;
    double x0_ = 0, y0_ = 0, x1_ = 0, y1_ = 0, size_ = 1;
    std::size_t cols_ = 1, rows_ = 1, block_cols_ = 1, block_rows_ = 1;
    std::vector<std::uint32_t> first_;  // cell c holds slots first_[c] .. first_[c + 1]
    std::vector<Entry> entries_;        // by slot
    std::vector<std::uint32_t> slot_of_;
    std::vector<char> dead_;  // by slot
    std::vector<std::uint32_t> alive_, block_alive_;
};

// The route as a ring through the paths and the origin (node n), linked both
// ways, with where each node is entered and left.
class Ring {
public:
    Ring(const PathEnds& paths, const Route& route)
        : paths_(paths), n_(static_cast<std::uint32_t>(paths.size())), visit_(n_),
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
    }

    Route route() const {
        Route r;
        r.reserve(n_);
        for (std::uint32_t i = next_[n_]; i != n_; i = next_[i]) r.push_back(visit_[i]);
        return r;
    }

    // For each end of each path (a closed path: its seam), the ends of other
    // paths nearest to it, nearest first, with their distances: where a
    // better route may join it.
    void find_neighbours() {
        constexpr std::size_t kNearest = 6;
        std::vector<Point> ends;
        std::vector<std::uint32_t> end_id(2 * std::size_t{n_});  // (path, end) -> index in ends
        for (std::uint32_t i = 0; i < n_; ++i) {
            const std::uint32_t f = paths_.first[i];
            if (paths_.closed[i]) {
                end_id[2 * i] = end_id[2 * i + 1] = static_cast<std::uint32_t>(ends.size());
                ends.push_back(in_[i]);
            } else {
                end_id[2 * i] = static_cast<std::uint32_t>(ends.size());
                ends.push_back(paths_.points[f]);
                end_id[2 * i + 1] = static_cast<std::uint32_t>(ends.size());
                ends.push_back(paths_.points[f + 1]);
            }
        }
        std::vector<std::uint32_t> owner(ends.size());
        std::vector<std::uint8_t> which(ends.size());
        for (std::uint32_t i = 0; i < n_; ++i) {
            owner[end_id[2 * i]] = i;
            owner[end_id[2 * i + 1]] = i;
            which[end_id[2 * i + 1]] = paths_.closed[i] ? 0 : 1;
        }
        const PointGrid grid(ends);
        near_first_.assign(ends.size() + 1, 0);
        near_.clear();
        std::vector<std::pair<double, std::uint32_t>> found;
        for (std::size_t e = 0; e < ends.size(); ++e) {
            grid.nearest_k(ends[e], kNearest, found);
            for (const auto& [d, f] : found)
                if (owner[f] != owner[e]) near_.push_back({d, owner[f], which[f]});
            near_first_[e + 1] = static_cast<std::uint32_t>(near_.size());
        }
        end_id_ = std::move(end_id);
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
    struct Near {
        double distance;
        std::uint32_t path;
        std::uint8_t end;  // 0 the path's start, 1 its end (a closed path: 0)
    };
    struct Move {
        double delta = 0;
        std::uint32_t first = 0, last = 0;    // the run, in route order
        std::uint32_t after = 0, before = 0;  // it goes between these
        bool turned = false;
    };

    // Whether a path is now entered (and, closed, also left) at this end.
    bool enters_at(std::uint32_t path, std::uint8_t end) const {
        return paths_.closed[path] || (end == 1) == visit_[path].reversed;
    }
    bool leaves_at(std::uint32_t path, std::uint8_t end) const {
        return paths_.closed[path] || (end == 1) != visit_[path].reversed;
    }
    // The end a path is entered at, and the one it is left at.
    std::uint32_t entry_end(std::uint32_t path) const {
        return end_id_index(path, !paths_.closed[path] && visit_[path].reversed);
    }
    std::uint32_t exit_end(std::uint32_t path) const {
        return end_id_index(path, !paths_.closed[path] && !visit_[path].reversed);
    }
    std::uint32_t end_id_index(std::uint32_t path, bool second) const {
        return end_id_[2 * std::size_t{path} + (second ? 1 : 0)];
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
            // Ends near the run's start: joined to it from a path left there
            // (forwards after that path), or entered there (turned, before it).
            const std::uint32_t e0 = entry_end(s);
            for (std::uint32_t k = near_first_[e0]; k < near_first_[e0 + 1]; ++k) {
                const Near& c = near_[k];
                if (!(c.distance < gain)) break;
                if (leaves_at(c.path, c.end)) consider(c.path, next_[c.path]);
                if (enters_at(c.path, c.end)) consider(prev_[c.path], c.path);
            }
            const std::uint32_t e1 = exit_end(last);
            for (std::uint32_t k = near_first_[e1]; k < near_first_[e1 + 1]; ++k) {
                const Near& c = near_[k];
                if (!(c.distance < gain)) break;
                if (enters_at(c.path, c.end)) consider(prev_[c.path], c.path);
                if (leaves_at(c.path, c.end)) consider(c.path, next_[c.path]);
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
    std::uint32_t n_;
    std::vector<Visit> visit_;
    std::vector<Point> in_, out_;
    std::vector<std::uint32_t> next_, prev_;
    std::vector<std::uint32_t> end_id_;
    std::vector<std::uint32_t> near_first_;
    std::vector<Near> near_;
    std::vector<std::uint32_t> stamp_;
    std::uint32_t stamp_value_ = 0;
    double epsilon_ = 0;
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

Route nearest_neighbour_route(const PathEnds& paths) {
    std::vector<std::uint32_t> owner(paths.points.size());
    for (std::uint32_t i = 0; i < paths.size(); ++i)
        std::fill(owner.begin() + paths.first[i], owner.begin() + paths.first[i + 1], i);
    PointGrid grid(paths.points);
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

Route shortest_route(const PathEnds& paths) {
    const Route greedy = nearest_neighbour_route(paths);
    if (paths.size() < 2) return greedy;
    Ring ring(paths, greedy);
    ring.find_neighbours();
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

}  // namespace tracemill
