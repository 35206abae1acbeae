#include "contours.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <numeric>

#include "exact_math.hpp"

namespace tracemill {

namespace {

// A file's angles are degrees of a full-precision pi to every reader; the
// ends of an arc are placed where a reader of the loose drawing sees them.
double radians(double deg) { return deg * std::numbers::pi / 180; }

Point on_circle(Point c, double radius, double deg) {
    const double a = radians(deg);
    return {c.x + radius * cr_cos(a), c.y + radius * cr_sin(a)};
}

double angle_of(Point c, Point p) {
    return cr_atan2(p.y - c.y, p.x - c.x) * 180 / std::numbers::pi;
}

double distance(Point a, Point b) { return cr_hypot(a.x - b.x, a.y - b.y); }

// A line or an arc with its two ends; an arc runs anticlockwise from a to b.
struct Edge {
    Point a;
    Point b;
    bool arc = false;
    Point centre;
    double radius = 0;
    double start_deg = 0;
    double sweep_deg = 0;  // in (0, 360]
};

Edge edge_of(const Line& l) { return Edge{l.from, l.to, false, {}, 0, 0, 0}; }

Edge edge_of(const Arc& a) {
    double span = std::fmod(a.end_deg - a.start_deg, 360.0);
    if (span <= 0) span += 360;
    return Edge{on_circle(a.centre, a.radius, a.start_deg),
                on_circle(a.centre, a.radius, a.start_deg + span),
                true,
                a.centre,
                a.radius,
                a.start_deg,
                span};
}

// Union-find over the ends of the edges, in storage that is kept.
struct Clusters {
    std::vector<std::size_t>& parent;
    Clusters(std::vector<std::size_t>& storage, std::size_t n) : parent(storage) {
        parent.resize(n);
        std::iota(parent.begin(), parent.end(), 0);
    }
    std::size_t root(std::size_t i) {
        while (parent[i] != i) i = parent[i] = parent[parent[i]];
        return i;
    }
    void join(std::size_t i, std::size_t j) { parent[root(i)] = root(j); }
};

// How far an arc's end may miss the end it meets where the angle that fixes
// it was found at a point where the arc runs level: at the top or bottom of
// its circle an arcsine (at its left or right an arccosine) of a ratio a
// rounding δ from ±1 is off by sqrt(2δ) radians, so the end is fixed only to
// sqrt(2δ)·radius, far more coarsely than its numbers. This happens where a
// crossing lies at an arc's lowest point, as the @'s connecting arc meets its
// outer ring when the cell is square and seven strokes wide. δ is the
// rounding of the arc's numbers relative to its radius: 64 units in the last
// place of its reach, as in chain_glyph.
double level_end_slack(const Edge& e) {
    if (!e.arc) return 0;
    const double reach = e.radius + std::fabs(e.centre.x) + std::fabs(e.centre.y);
    const double delta = 64 * std::numeric_limits<double>::epsilon() * reach / e.radius;
    return std::sqrt(2 * delta) * e.radius;
}

// The outline's nodes left with an odd number of ends, each joined with the
// nearest other such node within the slack of an arc end at either of them.
// Only ends that would otherwise stay loose are joined this way: wherever
// the ends meet to their rounding, the nodes stay as they were.
void join_level_ends(const std::vector<Edge>& edges, std::vector<std::size_t>& end_node,
                     std::size_t& node_count) {
    std::vector<std::size_t> ends_at(node_count, 0);
    for (const std::size_t v : end_node) ++ends_at[v];
    std::vector<std::size_t> loose;
    for (std::size_t i = 0; i < end_node.size(); ++i)
        if (ends_at[end_node[i]] % 2 == 1) loose.push_back(i);
    if (loose.empty()) return;
    const auto end_at = [&](std::size_t i) { return i % 2 == 0 ? edges[i / 2].a : edges[i / 2].b; };
    std::vector<std::size_t> storage;
    Clusters nodes(storage, node_count);
    std::vector<bool> paired(node_count, false);
    for (const std::size_t i : loose) {
        if (paired[end_node[i]]) continue;
        std::size_t best = end_node.size();
        double best_distance = INFINITY;
        for (const std::size_t j : loose) {
            if (end_node[j] == end_node[i] || paired[end_node[j]]) continue;
            const double d = distance(end_at(i), end_at(j));
            if (d <= std::max(level_end_slack(edges[i / 2]), level_end_slack(edges[j / 2])) &&
                d < best_distance) {
                best = j;
                best_distance = d;
            }
        }
        if (best == end_node.size()) continue;
        paired[end_node[i]] = paired[end_node[best]] = true;
        nodes.join(end_node[i], end_node[best]);
    }
    std::vector<std::size_t> id(node_count, node_count);
    std::size_t count = 0;
    for (std::size_t& v : end_node) {
        const std::size_t r = nodes.root(v);
        if (id[r] == node_count) id[r] = count++;
        v = id[r];
    }
    node_count = count;
}

struct Step {
    std::size_t edge;
    bool forward;
};

// A trail: steps[begin .. end) of the workspace, closed or open.
struct Trail {
    std::size_t begin;
    std::size_t end;
    bool closed;
};

// The storage of one joining, kept from glyph to glyph (per thread) so that
// joining a glyph's few entities allocates nothing but its contours.
struct Workspace {
    std::vector<Edge> edges;
    std::vector<Point> ends;
    std::vector<std::size_t> order, clusters, end_node, id, ends_at;
    std::vector<std::size_t> from, to, parts, degree, odd_first, odd, incident_first, incident, next;
    std::vector<char> used;
    std::vector<std::pair<std::size_t, Step>> stack;
    std::vector<Step> circuit, steps;
    std::vector<Trail> trails;
    std::vector<Point> meet;
};

// The items of each of `count` groups, in the order they are added: fill
// `first` with the counts (first[g + 1] += 1 per item of g), then call this,
// then place each item at items[cursor[g]++] where cursor starts as first.
void prefix_sums(std::vector<std::size_t>& first) {
    for (std::size_t g = 1; g < first.size(); ++g) first[g] += first[g - 1];
}

// The ends of every edge (2k and 2k + 1 for edge k) grouped into nodes: ends
// closer than the tolerance meet. Sets the node of each end and returns the
// number of nodes.
std::size_t nodes_of(Workspace& w, double tolerance) {
    const std::vector<Edge>& edges = w.edges;
    const std::size_t n = 2 * edges.size();
    std::vector<Point>& ends = w.ends;
    ends.resize(n);
    for (std::size_t k = 0; k < edges.size(); ++k) {
        ends[2 * k] = edges[k].a;
        ends[2 * k + 1] = edges[k].b;
    }
    std::vector<std::size_t>& order = w.order;
    order.resize(n);
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [&](std::size_t i, std::size_t j) { return ends[i].x < ends[j].x; });
    Clusters clusters(w.clusters, n);
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = i + 1; j < n && ends[order[j]].x - ends[order[i]].x <= tolerance; ++j) {
            if (distance(ends[order[i]], ends[order[j]]) <= tolerance) clusters.join(order[i], order[j]);
        }
    }
    std::vector<std::size_t>& node = w.end_node;
    std::vector<std::size_t>& id = w.id;
    node.resize(n);
    id.assign(n, n);
    std::size_t node_count = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t r = clusters.root(i);
        if (id[r] == n) id[r] = node_count++;
        node[i] = id[r];
    }
    return node_count;
}

// Splits the edges into trails that use every edge once: one closed trail
// for each connected part whose nodes all have even degree, and otherwise
// half as many open trails as the part has nodes of odd degree, the fewest
// possible. The odd nodes are paired by extra edges; an Euler circuit of
// each part (Hierholzer) is then cut at those extra edges. The trails go to
// w.trails, their steps to w.steps.
void trails(Workspace& w, std::size_t node_count, std::size_t edge_count) {
    const std::vector<std::size_t>& end_node = w.end_node;
    std::vector<std::size_t>& from = w.from;
    std::vector<std::size_t>& to = w.to;
    from.resize(edge_count);
    to.resize(edge_count);
    for (std::size_t k = 0; k < edge_count; ++k) {
        from[k] = end_node[2 * k];
        to[k] = end_node[2 * k + 1];
    }
    // Connected parts, and the odd nodes of each, in increasing order.
    Clusters parts(w.parts, node_count);
    std::vector<std::size_t>& degree = w.degree;
    degree.assign(node_count, 0);
    for (std::size_t k = 0; k < edge_count; ++k) {
        parts.join(from[k], to[k]);
        ++degree[from[k]];
        ++degree[to[k]];
    }
    std::vector<std::size_t>& odd_first = w.odd_first;
    odd_first.assign(node_count + 1, 0);
    for (std::size_t v = 0; v < node_count; ++v)
        if (degree[v] % 2 == 1) ++odd_first[parts.root(v) + 1];
    prefix_sums(odd_first);
    std::vector<std::size_t>& odd = w.odd;
    odd.resize(odd_first[node_count]);
    {
        std::vector<std::size_t>& cursor = w.next;
        cursor.assign(odd_first.begin(), odd_first.end() - 1);
        for (std::size_t v = 0; v < node_count; ++v)
            if (degree[v] % 2 == 1) odd[cursor[parts.root(v)]++] = v;
    }
    for (std::size_t v = 0; v < node_count; ++v) {
        for (std::size_t i = odd_first[v]; i + 1 < odd_first[v + 1]; i += 2) {
            from.push_back(odd[i]);
            to.push_back(odd[i + 1]);
        }
    }
    const std::size_t all = from.size();
    std::vector<std::size_t>& incident_first = w.incident_first;
    incident_first.assign(node_count + 1, 0);
    for (std::size_t k = 0; k < all; ++k) {
        ++incident_first[from[k] + 1];
        if (to[k] != from[k]) ++incident_first[to[k] + 1];
    }
    prefix_sums(incident_first);
    std::vector<std::size_t>& incident = w.incident;
    incident.resize(incident_first[node_count]);
    std::vector<std::size_t>& next = w.next;
    next.assign(incident_first.begin(), incident_first.end() - 1);
    for (std::size_t k = 0; k < all; ++k) {
        incident[next[from[k]]++] = k;
        if (to[k] != from[k]) incident[next[to[k]]++] = k;
    }
    // next[v]: the first incident edge of v not yet looked at.
    next.assign(incident_first.begin(), incident_first.end() - 1);

    std::vector<char>& used = w.used;
    used.assign(all, 0);
    w.steps.clear();
    w.trails.clear();
    // Parts in the order of their first edge; an open part starts at an odd node.
    for (std::size_t first = 0; first < edge_count; ++first) {
        if (used[first]) continue;
        const std::size_t part = parts.root(from[first]);
        const std::size_t start = odd_first[part] == odd_first[part + 1] ? from[first] : odd[odd_first[part]];
        // Hierholzer: the circuit comes off the stack last step first.
        auto& stack = w.stack;
        stack.assign(1, {start, Step{all, true}});
        std::vector<Step>& circuit = w.circuit;
        circuit.clear();
        while (!stack.empty()) {
            const std::size_t v = stack.back().first;
            auto& i = next[v];
            while (i < incident_first[v + 1] && used[incident[i]]) ++i;
            if (i == incident_first[v + 1]) {
                if (stack.back().second.edge != all) circuit.push_back(stack.back().second);
                stack.pop_back();
                continue;
            }
            const std::size_t k = incident[i];
            used[k] = 1;
            const bool forward = from[k] == v;
            stack.push_back({forward ? to[k] : from[k], Step{k, forward}});
        }
        std::reverse(circuit.begin(), circuit.end());
        // Cut at the extra edges; a circuit without one stays closed.
        const auto is_extra = [&](const Step& s) { return s.edge >= edge_count; };
        const auto cut = std::find_if(circuit.begin(), circuit.end(), is_extra);
        if (cut == circuit.end()) {
            const std::size_t begin = w.steps.size();
            w.steps.insert(w.steps.end(), circuit.begin(), circuit.end());
            w.trails.push_back({begin, w.steps.size(), true});
            continue;
        }
        std::rotate(circuit.begin(), cut + 1, circuit.end());
        std::size_t begin = w.steps.size();
        for (const Step& s : circuit) {
            if (is_extra(s)) {
                if (w.steps.size() > begin) w.trails.push_back({begin, w.steps.size(), false});
                begin = w.steps.size();
            } else {
                w.steps.push_back(s);
            }
        }
        // The circuit ended with the extra edge that opened it.
    }
}

Point start_of(const Edge& e, bool forward) { return forward ? e.a : e.b; }
Point end_of(const Edge& e, bool forward) { return forward ? e.b : e.a; }

// Where two consecutive edges meet. A line's ends are the drawing's own
// numbers; an arc's are computed from its centre and angles, so a line's end
// is preferred.
Point junction(const Edge& before, bool before_forward, const Edge& after, bool after_forward) {
    if (!before.arc || after.arc) return end_of(before, before_forward);
    return start_of(after, after_forward);
}

void append_pieces(std::vector<Piece>& out, const Edge& e, bool forward, Point from, Point to) {
    if (!e.arc) {
        out.push_back(Piece{from, to, {}, 0, 0});
        return;
    }
    const double sweep = forward ? e.sweep_deg : -e.sweep_deg;
    if (e.sweep_deg <= 180) {
        out.push_back(Piece{from, to, e.centre, e.radius, sweep});
        return;
    }
    // More than a half turn: cut in the middle, so that no piece's bulge
    // grows without bound as its sweep nears a full turn.
    const Point middle = on_circle(e.centre, e.radius, e.start_deg + e.sweep_deg / 2);
    out.push_back(Piece{from, middle, e.centre, e.radius, sweep / 2});
    out.push_back(Piece{middle, to, e.centre, e.radius, sweep / 2});
}

Contour contour_of(Workspace& w, const Trail& trail) {
    const std::vector<Edge>& edges = w.edges;
    const Step* steps = w.steps.data() + trail.begin;
    const bool closed = trail.closed;
    Contour c;
    c.closed = closed;
    const std::size_t n = trail.end - trail.begin;
    std::vector<Point>& meet = w.meet;  // meet[i]: where step i ends
    meet.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        const Step& s = steps[i];
        if (i + 1 < n || closed) {
            const Step& t = steps[(i + 1) % n];
            meet[i] = junction(edges[s.edge], s.forward, edges[t.edge], t.forward);
        } else {
            meet[i] = end_of(edges[s.edge], s.forward);
        }
    }
    c.pieces.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const Step& s = steps[i];
        const Point from = i > 0 ? meet[i - 1] : (closed ? meet[n - 1] : start_of(edges[s.edge], s.forward));
        append_pieces(c.pieces, edges[s.edge], s.forward, from, meet[i]);
    }
    return c;
}

Contour circle_contour(const Circle& c) {
    const Point east{c.centre.x + c.radius, c.centre.y};
    const Point west{c.centre.x - c.radius, c.centre.y};
    return Contour{{Piece{east, west, c.centre, c.radius, 180}, Piece{west, east, c.centre, c.radius, 180}},
                   true};
}

double piece_length(const Piece& p) {
    return p.is_arc() ? p.radius * std::fabs(radians(p.sweep_deg)) : distance(p.from, p.to);
}

// Crossings of the ray from p towards +x with the run a -> b, which the
// caller guarantees monotone in y; x_at gives the run's x at a height.
template <class XAt>
int crossings(Point a, Point b, Point p, XAt x_at) {
    if ((a.y > p.y) == (b.y > p.y)) return 0;
    return x_at(p.y) > p.x ? 1 : 0;
}

}  // namespace

double join_tolerance(const GlyphCell& cell) {
    constexpr double kPrintedResolution = 2e-9;
    // Far from the origin the cell's own coordinates are good only to a unit
    // in their last place, and every end is computed from them.
    const double position = 64 * std::numeric_limits<double>::epsilon() * (std::fabs(cell.x) + std::fabs(cell.y));
    return std::max({1e-9 * std::max(cell.W, cell.H), kPrintedResolution, position});
}

std::variant<GlyphContours, ChainFault> chain_glyph(const std::vector<Entity>& entities,
                                                    double tolerance, ContourParts parts) {
    // An arc's ends come from its centre and radius, each good to a unit in
    // its last place: an arc far larger than its cell (a nearly straight
    // stroke in a cell billions of times taller than wide) fixes its ends
    // more coarsely than the cell's tolerance.
    for (const Entity& e : entities) {
        if (const auto* a = std::get_if<Arc>(&e)) {
            const double reach = a->radius + std::fabs(a->centre.x) + std::fabs(a->centre.y);
            tolerance = std::max(tolerance, 64 * std::numeric_limits<double>::epsilon() * reach);
        }
    }
    GlyphContours result;
    thread_local Workspace w;
    for (const Colour colour : {Colour::Outline, Colour::CentreLine}) {
        if (parts == (colour == Colour::Outline ? ContourParts::Skeleton : ContourParts::Outline)) continue;
        std::vector<Edge>& edges = w.edges;
        edges.clear();
        std::vector<Contour>& contours =
            colour == Colour::Outline ? result.outline : result.skeleton;
        for (const Entity& e : entities) {
            if (colour_of(e) != colour) continue;
            if (const auto* l = std::get_if<Line>(&e)) edges.push_back(edge_of(*l));
            else if (const auto* a = std::get_if<Arc>(&e)) edges.push_back(edge_of(*a));
            else contours.push_back(circle_contour(std::get<Circle>(e)));
        }
        std::size_t node_count = nodes_of(w, tolerance);
        std::vector<std::size_t>& end_node = w.end_node;
        if (colour == Colour::Outline) {
            join_level_ends(edges, end_node, node_count);
            // Every end of the outline must meet another: an odd number of
            // ends at a node leaves one loose.
            std::vector<std::size_t>& ends_at = w.ends_at;
            ends_at.assign(node_count, 0);
            for (const std::size_t v : end_node) ++ends_at[v];
            for (std::size_t i = 0; i < end_node.size(); ++i) {
                if (ends_at[end_node[i]] % 2 == 1) {
                    const Edge& e = edges[i / 2];
                    return ChainFault{i % 2 == 0 ? e.a : e.b};
                }
            }
        }
        trails(w, node_count, edges.size());
        for (const Trail& t : w.trails) contours.push_back(contour_of(w, t));
    }

    // Outer boundaries anticlockwise, counters clockwise: a loop inside an
    // odd number of others bounds a hole.
    // Loops may touch where a glyph's strokes meet at its largest stroke
    // width, so whether one loop lies inside another is decided by a vote of
    // several of its points.
    auto& loops = result.outline;
    std::vector<bool> flip(loops.size());
    for (std::size_t i = 0; i < loops.size(); ++i) {
        const auto probes = points_on(loops[i]);
        std::size_t depth = 0;
        for (std::size_t j = 0; j < loops.size(); ++j) {
            if (j == i) continue;
            std::size_t inside = 0;
            for (const Point p : probes) inside += encloses(loops[j], p) ? 1 : 0;
            if (2 * inside > probes.size()) ++depth;
        }
        flip[i] = (signed_area(loops[i]) > 0) != (depth % 2 == 0);
    }
    for (std::size_t i = 0; i < loops.size(); ++i)
        if (flip[i]) loops[i] = reversed(loops[i]);
    return result;
}

double signed_area(const Contour& c) {
    double twice = 0, segments = 0;
    for (const Piece& p : c.pieces) {
        twice += p.from.x * p.to.y - p.to.x * p.from.y;
        if (p.is_arc()) {
            // The circular segment between the chord and the arc.
            const double theta = radians(p.sweep_deg);
            segments += p.radius * p.radius * (theta - cr_sin(theta)) / 2;
        }
    }
    return twice / 2 + segments;
}

bool encloses(const Contour& c, Point p) {
    int count = 0;
    for (const Piece& piece : c.pieces) {
        if (!piece.is_arc()) {
            const Point a = piece.from, b = piece.to;
            count += crossings(a, b, p, [&](double y) {
                return a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y);
            });
            continue;
        }
        // Cut the arc where it turns in y (at 90 and 270 degrees), so that
        // every run is monotone in y and lies in one half of the circle.
        const double start = angle_of(piece.centre, piece.from);
        const double sweep = piece.sweep_deg;
        std::vector<double> cuts;
        const double lo = std::min(start, start + sweep), hi = std::max(start, start + sweep);
        for (double k = std::ceil((lo - 90) / 180); 90 + 180 * k < hi; ++k)
            if (90 + 180 * k > lo) cuts.push_back(90 + 180 * k);
        if (sweep < 0) std::reverse(cuts.begin(), cuts.end());
        Point a = piece.from;
        double a_deg = start;
        for (std::size_t i = 0; i <= cuts.size(); ++i) {
            const double b_deg = i < cuts.size() ? cuts[i] : start + sweep;
            const Point b = i < cuts.size() ? on_circle(piece.centre, piece.radius, b_deg) : piece.to;
            const bool right = cr_cos(radians((a_deg + b_deg) / 2)) > 0;
            count += crossings(a, b, p, [&](double y) {
                const double dy = y - piece.centre.y;
                const double dx = std::sqrt(std::max(0.0, piece.radius * piece.radius - dy * dy));
                return right ? piece.centre.x + dx : piece.centre.x - dx;
            });
            a = b;
            a_deg = b_deg;
        }
    }
    return count % 2 == 1;
}

Point point_along(const Piece& p, double u) {
    if (!p.is_arc()) return {p.from.x + u * (p.to.x - p.from.x), p.from.y + u * (p.to.y - p.from.y)};
    return on_circle(p.centre, p.radius, angle_of(p.centre, p.from) + u * p.sweep_deg);
}

std::vector<Point> points_on(const Contour& c) {
    // A third and two thirds of the way along the three longest pieces:
    // away from their ends, where loops touch when they do.
    std::vector<const Piece*> pieces;
    for (const Piece& p : c.pieces) pieces.push_back(&p);
    const std::size_t n = std::min<std::size_t>(3, pieces.size());
    std::partial_sort(pieces.begin(), pieces.begin() + static_cast<std::ptrdiff_t>(n), pieces.end(),
                      [](const Piece* a, const Piece* b) { return piece_length(*a) > piece_length(*b); });
    std::vector<Point> points;
    for (std::size_t k = 0; k < n; ++k) {
        points.push_back(point_along(*pieces[k], 1.0 / 3));
        points.push_back(point_along(*pieces[k], 2.0 / 3));
    }
    return points;
}

Contour reversed(const Contour& c) {
    Contour r;
    r.closed = c.closed;
    for (auto it = c.pieces.rbegin(); it != c.pieces.rend(); ++it)
        r.pieces.push_back(Piece{it->to, it->from, it->centre, it->radius, -it->sweep_deg});
    return r;
}

double bulge_of(const Piece& p) { return cr_tan(radians(p.sweep_deg) / 4); }

}  // namespace tracemill
