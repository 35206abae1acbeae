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

// A k-d tree over a fixed set of points, split at the median of the wider
// side of each box, with leaves of a few points. Points can be taken out;
// every node counts the points still in it, so emptied parts are skipped.
class PointTree {
public:
    explicit PointTree(const std::vector<Point>& points) : slot_of_(points.size()) {
        const std::size_t n = points.size();
        ids_.resize(n);
        std::iota(ids_.begin(), ids_.end(), 0u);
        pts_ = points;
        dead_.assign(n, false);
        leaf_of_slot_.resize(n);
        if (n > 0) build(0, static_cast<std::uint32_t>(n), kNone);
        // Points and ids in leaf order, so that a leaf reads one stretch.
        std::vector<Point> ordered(n);
        for (std::size_t k = 0; k < n; ++k) {
            ordered[k] = points[ids_[k]];
            slot_of_[ids_[k]] = static_cast<std::uint32_t>(k);
        }
        pts_ = std::move(ordered);
    }

    void remove(std::uint32_t id) {
        const std::uint32_t slot = slot_of_[id];
        if (dead_[slot]) return;
        dead_[slot] = true;
        for (std::uint32_t node = leaf_of_slot_[slot]; node != kNone; node = nodes_[node].parent)
            --nodes_[node].alive;
    }

    // The nearest point still in the tree; of equally near ones the smallest
    // id. kNone when the tree is empty.
    std::uint32_t nearest(Point q) const {
        Best best;
        if (!nodes_.empty()) search(0, q, best);
        return best.id;
    }

    // The k nearest points (taken out or not), nearest first.
    void nearest_k(Point q, std::size_t k, std::vector<std::uint32_t>& out) const {
        std::vector<std::pair<double, std::uint32_t>> found;
        found.reserve(k + 1);
        if (!nodes_.empty()) search_k(0, q, k, found);
        out.clear();
        for (const auto& f : found) out.push_back(f.second);
    }

private:
    static constexpr std::uint32_t kLeafSize = 8;
    struct Node {
        double x0, y0, x1, y1;  // the box of its points
        std::uint32_t lo, hi;   // its slots
        std::uint32_t left = kNone, right = kNone, parent = kNone;
        std::uint32_t alive = 0;
    };
    struct Best {
        double d2 = std::numeric_limits<double>::infinity();
        std::uint32_t id = kNone;
    };

    std::uint32_t build(std::uint32_t lo, std::uint32_t hi, std::uint32_t parent) {
        Node node;
        node.lo = lo;
        node.hi = hi;
        node.parent = parent;
        node.alive = hi - lo;
        node.x0 = node.y0 = std::numeric_limits<double>::infinity();
        node.x1 = node.y1 = -std::numeric_limits<double>::infinity();
        for (std::uint32_t k = lo; k < hi; ++k) {
            const Point p = pts_[ids_[k]];
            node.x0 = std::min(node.x0, p.x);
            node.x1 = std::max(node.x1, p.x);
            node.y0 = std::min(node.y0, p.y);
            node.y1 = std::max(node.y1, p.y);
        }
        const auto index = static_cast<std::uint32_t>(nodes_.size());
        nodes_.push_back(node);
        if (hi - lo <= kLeafSize) {
            for (std::uint32_t k = lo; k < hi; ++k) leaf_of_slot_[k] = index;
            return index;
        }
        const bool by_x = node.x1 - node.x0 >= node.y1 - node.y0;
        const std::uint32_t mid = lo + (hi - lo) / 2;
        std::nth_element(ids_.begin() + lo, ids_.begin() + mid, ids_.begin() + hi,
                         [&](std::uint32_t a, std::uint32_t b) {
                             return by_x ? pts_[a].x < pts_[b].x : pts_[a].y < pts_[b].y;
                         });
        const std::uint32_t left = build(lo, mid, index);
        const std::uint32_t right = build(mid, hi, index);
        nodes_[index].left = left;
        nodes_[index].right = right;
        return index;
    }

    // Never more than the distance of any point in the box (rounding is
    // monotonic), so a box farther than the best point holds no better one.
    static double box_distance2(const Node& n, Point q) {
        const double dx = q.x < n.x0 ? n.x0 - q.x : (q.x > n.x1 ? q.x - n.x1 : 0.0);
        const double dy = q.y < n.y0 ? n.y0 - q.y : (q.y > n.y1 ? q.y - n.y1 : 0.0);
        return dx * dx + dy * dy;
    }

    void search(std::uint32_t index, Point q, Best& best) const {
        const Node& n = nodes_[index];
        if (n.alive == 0 || box_distance2(n, q) > best.d2) return;
        if (n.left == kNone) {
            for (std::uint32_t k = n.lo; k < n.hi; ++k) {
                if (dead_[k]) continue;
                const double d2 = distance2(pts_[k], q);
                if (d2 < best.d2 || (d2 == best.d2 && ids_[k] < best.id)) best = {d2, ids_[k]};
            }
            return;
        }
        const double dl = box_distance2(nodes_[n.left], q), dr = box_distance2(nodes_[n.right], q);
        if (dl <= dr) {
            search(n.left, q, best);
            search(n.right, q, best);
        } else {
            search(n.right, q, best);
            search(n.left, q, best);
        }
    }

    void search_k(std::uint32_t index, Point q, std::size_t k,
                  std::vector<std::pair<double, std::uint32_t>>& found) const {
        const Node& n = nodes_[index];
        if (found.size() == k && box_distance2(n, q) > found.back().first) return;
        if (n.left == kNone) {
            for (std::uint32_t s = n.lo; s < n.hi; ++s) {
                const std::pair<double, std::uint32_t> f{distance2(pts_[s], q), ids_[s]};
                if (found.size() == k && !(f < found.back())) continue;
                found.insert(std::upper_bound(found.begin(), found.end(), f), f);
                if (found.size() > k) found.pop_back();
            }
            return;
        }
        const double dl = box_distance2(nodes_[n.left], q), dr = box_distance2(nodes_[n.right], q);
        if (dl <= dr) {
            search_k(n.left, q, k, found);
            search_k(n.right, q, k, found);
        } else {
            search_k(n.right, q, k, found);
            search_k(n.left, q, k, found);
        }
    }

    std::vector<Point> pts_;          // by slot (by id while building)
    std::vector<std::uint32_t> ids_;  // the id in each slot
    std::vector<std::uint32_t> slot_of_;
    std::vector<bool> dead_;  // by slot
    std::vector<Node> nodes_;
    std::vector<std::uint32_t> leaf_of_slot_;
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

    // Candidates for each path's neighbours in a better route: the paths
    // with an end among the nearest few to one of its ends.
    void find_neighbours() {
        constexpr std::size_t kNearest = 6;
        std::vector<Point> ends;
        std::vector<std::uint32_t> owner;
        for (std::uint32_t i = 0; i < n_; ++i) {
            ends.push_back(in_[i]);
            owner.push_back(i);
            if (!paths_.closed[i]) {
                ends.push_back(out_[i]);
                owner.push_back(i);
            }
        }
        const PointTree tree(ends);
        near_first_.assign(n_ + 1, 0);
        near_.clear();
        std::vector<std::uint32_t> found;
        for (std::size_t e = 0; e < ends.size();) {
            const std::uint32_t i = owner[e];
            const std::size_t start = near_.size();
            for (; e < ends.size() && owner[e] == i; ++e) {
                tree.nearest_k(ends[e], kNearest, found);
                for (const std::uint32_t f : found) {
                    const std::uint32_t j = owner[f];
                    if (j != i && std::find(near_.begin() + static_cast<std::ptrdiff_t>(start), near_.end(), j) ==
                                      near_.end())
                        near_.push_back(j);
                }
            }
            near_first_[i + 1] = static_cast<std::uint32_t>(near_.size());
        }
    }

    // Moves runs of up to three paths while that shortens the travel,
    // starting from the given paths and going on from every path a move
    // touches.
    void move_runs(const std::vector<std::uint32_t>& start) {
        std::vector<std::uint32_t> work(start.rbegin(), start.rend());
        std::vector<bool> queued(n_ + 1, false);
        for (const std::uint32_t i : work) queued[i] = true;
        // A bound that no sequence of real gains reaches, as a guard.
        std::size_t budget = 64 * static_cast<std::size_t>(n_) + 64;
        while (!work.empty() && budget > 0) {
            const std::uint32_t s = work.back();
            work.pop_back();
            queued[s] = false;
            const Move m = best_move(s);
            if (!(m.delta < -epsilon_)) continue;
            --budget;
            std::array<std::uint32_t, 8> touched{};
            std::size_t count = 0;
            const std::uint32_t p = prev_[m.first], q = next_[m.last];
            for (const std::uint32_t t : {p, q, m.after, m.before, m.first, m.last})
                touched[count++] = t;
            apply(m);
            for (std::size_t k = 0; k < count; ++k) {
                const std::uint32_t t = touched[k];
                if (t != n_ && !queued[t]) {
                    queued[t] = true;
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
        std::uint32_t first = 0, last = 0;      // the run, in route order
        std::uint32_t after = 0, before = 0;    // it goes between these
        bool turned = false;
    };

    // The best move of a run starting at path s: taken out and put back
    // between two neighbouring nodes, forwards or turned round.
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
                const double base = d(out_[a], in_[b]);
                const double forwards = d(out_[a], in_[s]) + d(out_[last], in_[b]) - base - gain;
                const double turned = d(out_[a], out_[last]) + d(in_[s], in_[b]) - base - gain;
                if (forwards < best.delta) best = {forwards, s, last, a, b, false};
                if (turned < best.delta) best = {turned, s, last, a, b, true};
            };
            // Turned round in place.
            consider(p, q);
            for (const std::uint32_t end : {s, last}) {
                for (std::uint32_t k = near_first_[end]; k < near_first_[end + 1]; ++k) {
                    const std::uint32_t c = near_[k];
                    if (stamp_[c] == stamp_value_) continue;
                    if (stamp_[next_[c]] != stamp_value_) consider(c, next_[c]);
                    if (stamp_[prev_[c]] != stamp_value_) consider(prev_[c], c);
                }
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
    std::vector<std::uint32_t> near_first_, near_;
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
    PointTree tree(paths.points);
    Route route;
    route.reserve(paths.size());
    Point at{0, 0};
    for (std::size_t step = 0; step < paths.size(); ++step) {
        const std::uint32_t id = tree.nearest(at);
        const std::uint32_t path = owner[id];
        const std::uint32_t k = id - paths.first[path];
        Visit v{path, false, 0};
        if (paths.closed[path]) v.seam = k;
        else v.reversed = k == 1;
        for (std::uint32_t j = paths.first[path]; j < paths.first[path + 1]; ++j) tree.remove(j);
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
