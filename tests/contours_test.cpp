// Joining a glyph's entities into contours: every glyph of the dispatch
// table over the property grid, and the joining rules on small figures.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numbers>
#include <sstream>

#include <unistd.h>

#include "contours.hpp"
#include "generation.hpp"
#include "glyph_grid.hpp"
#include "outline_check.hpp"

namespace tracemill::testing {
namespace {

constexpr double kDegree = std::numbers::pi / 180;

Point at(Point c, double r, double deg) {
    return {c.x + r * std::cos(deg * kDegree), c.y + r * std::sin(deg * kDegree)};
}

double angle_deg(Point c, Point p) { return std::atan2(p.y - c.y, p.x - c.x) / kDegree; }

// How far (in degrees, 0 .. 360) p lies along the arc piece from its start.
double along(const Piece& a, Point p) {
    double d = (angle_deg(a.centre, p) - angle_deg(a.centre, a.from)) * (a.sweep_deg > 0 ? 1 : -1);
    d = std::fmod(d, 360.0);
    return d < 0 ? d + 360 : d;
}

bool on_piece(const Piece& a, Point p) {
    if (!a.is_arc()) return true;  // the line's parameter was checked by the caller
    const double d = along(a, p);
    return d <= std::fabs(a.sweep_deg) + 1e-9 || d >= 360 - 1e-9;
}

// The points where two pieces meet, each tested against both pieces' extents.
std::vector<Point> intersections(const Piece& p, const Piece& q) {
    std::vector<Point> found;
    const auto keep = [&](Point x) {
        if (on_piece(p, x) && on_piece(q, x)) found.push_back(x);
    };
    if (!p.is_arc() && !q.is_arc()) {
        const double dx = p.to.x - p.from.x, dy = p.to.y - p.from.y;
        const double ex = q.to.x - q.from.x, ey = q.to.y - q.from.y;
        const double den = dx * ey - dy * ex;
        if (den == 0) return found;
        const double fx = q.from.x - p.from.x, fy = q.from.y - p.from.y;
        const double u = (fx * ey - fy * ex) / den, v = (fx * dy - fy * dx) / den;
        if (u >= 0 && u <= 1 && v >= 0 && v <= 1) found.push_back({p.from.x + u * dx, p.from.y + u * dy});
        return found;
    }
    if (p.is_arc() && !q.is_arc()) return intersections(q, p);
    if (!p.is_arc()) {
        // Line p against the circle of q.
        const double dx = p.to.x - p.from.x, dy = p.to.y - p.from.y;
        const double fx = p.from.x - q.centre.x, fy = p.from.y - q.centre.y;
        const double a = dx * dx + dy * dy, b = 2 * (fx * dx + fy * dy);
        const double c = fx * fx + fy * fy - q.radius * q.radius;
        const double disc = b * b - 4 * a * c;
        if (disc < 0) return found;
        for (const double s : {-1.0, 1.0}) {
            const double u = (-b + s * std::sqrt(disc)) / (2 * a);
            if (u >= 0 && u <= 1) keep({p.from.x + u * dx, p.from.y + u * dy});
        }
        return found;
    }
    const double dx = q.centre.x - p.centre.x, dy = q.centre.y - p.centre.y;
    const double d = std::hypot(dx, dy);
    if (d == 0 || d > p.radius + q.radius || d < std::fabs(p.radius - q.radius)) return found;
    const double a = (p.radius * p.radius - q.radius * q.radius + d * d) / (2 * d);
    const double h = std::sqrt(std::max(0.0, p.radius * p.radius - a * a));
    const Point m{p.centre.x + a * dx / d, p.centre.y + a * dy / d};
    keep({m.x - h * dy / d, m.y + h * dx / d});
    keep({m.x + h * dy / d, m.y - h * dx / d});
    return found;
}

double dist(Point a, Point b) { return std::hypot(a.x - b.x, a.y - b.y); }

std::size_t expected_pieces(const std::vector<Entity>& entities, Colour colour) {
    std::size_t n = 0;
    for (const Entity& e : entities) {
        if (colour_of(e) != colour) continue;
        if (const auto* a = std::get_if<Arc>(&e)) {
            double span = std::fmod(a->end_deg - a->start_deg, 360.0);
            if (span <= 0) span += 360;
            n += span > 180 ? 2 : 1;
        } else {
            n += std::holds_alternative<Circle>(e) ? 2 : 1;
        }
    }
    return n;
}

std::string show(Point p) {
    std::ostringstream s;
    s.precision(12);
    s << "(" << p.x << ", " << p.y << ")";
    return s.str();
}

// Each contour runs on without a gap, every arc piece lies on its circle and
// turns through its sweep, and no entity is left over or used twice.
void expect_well_joined(const std::vector<Contour>& contours, const std::vector<Entity>& entities,
                        Colour colour, double tol) {
    std::size_t pieces = 0;
    for (const Contour& c : contours) {
        ASSERT_FALSE(c.pieces.empty());
        pieces += c.pieces.size();
        for (std::size_t i = 0; i < c.pieces.size(); ++i) {
            const Piece& p = c.pieces[i];
            if (i + 1 < c.pieces.size()) {
                EXPECT_EQ(p.to, c.pieces[i + 1].from);
            }
            if (!p.is_arc()) continue;
            EXPECT_LE(std::fabs(p.sweep_deg), 180);
            EXPECT_NEAR(dist(p.from, p.centre), p.radius, tol);
            EXPECT_NEAR(dist(p.to, p.centre), p.radius, tol);
            const double turn = along(p, p.to);
            EXPECT_NEAR(std::min(std::fabs(turn - std::fabs(p.sweep_deg)), 360 - turn), 0,
                        2 * tol / p.radius / kDegree + 1e-9)
                << show(p.from) << " -> " << show(p.to);
        }
        if (colour == Colour::Outline) {
            EXPECT_TRUE(c.closed);
        }
        if (c.closed) {
            EXPECT_EQ(c.pieces.back().to, c.pieces.front().from);
        }
    }
    EXPECT_EQ(pieces, expected_pieces(entities, colour));
}

// The direction of a piece at a point of it (a unit vector up to sign).
Point direction_at(const Piece& p, Point x) {
    if (!p.is_arc()) {
        const double len = dist(p.from, p.to);
        return {(p.to.x - p.from.x) / len, (p.to.y - p.from.y) / len};
    }
    const double len = dist(x, p.centre);
    return {-(x.y - p.centre.y) / len, (x.x - p.centre.x) / len};
}

// Where the pieces of the outline cross other than at their shared ends.
// Pieces that only touch (run the same way where they meet) do not count: a
// glyph's stroke ends may touch, as where the caps of a c meet at the
// largest stroke, and touching changes no fill.
std::vector<std::string> crossings(const std::vector<Contour>& loops, double near) {
    struct Ref {
        const Piece* piece;
        double x0, x1, y0, y1;
    };
    std::vector<Ref> all;
    for (const Contour& c : loops) {
        for (const Piece& p : c.pieces) {
            const double pad = p.is_arc() ? p.radius : 0;
            const Point lo = p.is_arc() ? p.centre : p.from;
            const Point hi = p.is_arc() ? p.centre : p.to;
            all.push_back({&p, std::min(lo.x, hi.x) - pad, std::max(lo.x, hi.x) + pad,
                           std::min(lo.y, hi.y) - pad, std::max(lo.y, hi.y) + pad});
        }
    }
    std::vector<std::string> problems;
    for (std::size_t i = 0; i < all.size(); ++i) {
        for (std::size_t j = i + 1; j < all.size(); ++j) {
            const Ref &a = all[i], &b = all[j];
            if (a.x1 < b.x0 || b.x1 < a.x0 || a.y1 < b.y0 || b.y1 < a.y0) continue;
            for (const Point x : intersections(*a.piece, *b.piece)) {
                // Meeting at an end both pieces share is how a loop runs on.
                bool shared = false;
                for (const Point e : {a.piece->from, a.piece->to})
                    for (const Point f : {b.piece->from, b.piece->to})
                        shared = shared || (e == f && dist(x, e) <= near);
                const Point u = direction_at(*a.piece, x), v = direction_at(*b.piece, x);
                const bool touch = std::fabs(u.x * v.y - u.y * v.x) < 1e-6;
                if (!shared && !touch) problems.push_back("pieces cross at " + show(x));
            }
        }
    }
    return problems;
}

double skeleton_distance(const std::vector<Entity>& entities, Point p) {
    double d = INFINITY;
    for (const Entity& e : entities)
        if (colour_of(e) == Colour::CentreLine) d = std::min(d, distance_to(e, p));
    return d;
}

// The pen model decides which side of every outline piece is inside: just to
// its left (the way it runs) the pen has passed, just to its right it has
// not. This holds for outer boundaries run anticlockwise and counters run
// clockwise, and for nothing else.
std::vector<std::string> wrong_sides(const std::vector<Contour>& loops,
                                     const std::vector<Entity>& entities, double r) {
    std::vector<std::string> problems;
    for (const Contour& c : loops) {
        for (const Piece& p : c.pieces) {
            Point m, tangent;
            double length;
            if (p.is_arc()) {
                const double mid = angle_deg(p.centre, p.from) + p.sweep_deg / 2;
                m = at(p.centre, p.radius, mid);
                const double s = p.sweep_deg > 0 ? 1 : -1;
                tangent = {-s * std::sin(mid * kDegree), s * std::cos(mid * kDegree)};
                length = p.radius * std::fabs(p.sweep_deg) * kDegree;
            } else {
                m = {(p.from.x + p.to.x) / 2, (p.from.y + p.to.y) / 2};
                length = dist(p.from, p.to);
                tangent = {(p.to.x - p.from.x) / length, (p.to.y - p.from.y) / length};
            }
            const double step = 1e-3 * std::min(r, length);
            const Point left{m.x - step * tangent.y, m.y + step * tangent.x};
            const Point right{m.x + step * tangent.y, m.y - step * tangent.x};
            const double dl = skeleton_distance(entities, left), dr = skeleton_distance(entities, right);
            if (!(dl < r && dr > r))
                problems.push_back("piece through " + show(m) + ": left " + std::to_string(dl - r) +
                                   ", right " + std::to_string(dr - r) + " from the pen's reach");
        }
    }
    return problems;
}

TEST(Contours, EveryGlyphChainsOverTheGrid) {
    double worst_gap = 0;  // the widest join, as a part of the cell's larger side
    for_each_grid_case([&](const GridCase& gc) {
        const double W = gc.shape->W, H = gc.shape->H;
        const auto g = draw_glyph(gc.byte, gc.x, gc.y, W, H, gc.t);
        if (!g.stop.empty() || g.non_finite) return;  // does not fit: nothing drawn to join
        SCOPED_TRACE(gc.where());
        const GlyphCell cell = make_cell(gc.x, gc.y, W, H, gc.t);
        const double tol = join_tolerance(cell);
        const auto joined = chain_glyph(g.entities, tol);
        if (const auto* fault = std::get_if<ChainFault>(&joined)) {
            ADD_FAILURE() << "loose end at " << show(fault->where);
            return;
        }
        const auto& c = std::get<GlyphContours>(joined);
        expect_well_joined(c.outline, g.entities, Colour::Outline, tol);
        expect_well_joined(c.skeleton, g.entities, Colour::CentreLine, tol);
        // At the largest stroke a glyph's counters and gaps close up to slits
        // and its strokes touch: the loops still close, but touch there.
        if (!gc.at_limit) {
            for (const auto& problem : crossings(c.outline, 1e-6 * std::max(W, H))) ADD_FAILURE() << problem;
            for (const auto& problem : wrong_sides(c.outline, g.entities, cell.r)) ADD_FAILURE() << problem;
        }
        double area = 0;
        for (const Contour& loop : c.outline) area += signed_area(loop);
        EXPECT_GT(area, 0);
        EXPECT_LT(area, W * H);
        for (const Contour& loop : c.outline) {
            for (const Piece& p : loop.pieces)
                if (p.is_arc())
                    worst_gap = std::max(worst_gap, std::fabs(dist(p.from, p.centre) - p.radius) /
                                                        std::max(W, H));
        }
    });
    RecordProperty("worst_join_gap", std::to_string(worst_gap));
}

std::vector<Entity> lines(std::initializer_list<std::pair<Point, Point>> ends, Colour colour) {
    std::vector<Entity> e;
    for (const auto& [a, b] : ends) e.push_back(Line{a, b, colour});
    return e;
}

TEST(Contours, SkeletonPathsAreAsFewAsTheStrokesAllow) {
    constexpr Colour k = Colour::CentreLine;
    const Point o{0, 0}, e{1, 0}, n{0, 1}, w{-1, 0}, s{0, -1}, ne{1, 1};
    struct Case {
        const char* name;
        std::vector<Entity> entities;
        std::size_t open, closed;
    };
    const Case cases[] = {
        {"one line", lines({{o, e}}, k), 1, 0},
        {"a bend, given end to end", lines({{o, e}, {ne, e}}, k), 1, 0},
        {"two apart", lines({{o, e}, {n, ne}}, k), 2, 0},
        {"a T", lines({{w, o}, {o, e}, {o, s}}, k), 2, 0},
        {"a cross", lines({{w, o}, {o, e}, {n, o}, {o, s}}, k), 2, 0},
        {"a square", lines({{o, e}, {ne, n}, {e, ne}, {n, o}}, k), 0, 1},
        {"a square with a tail", lines({{o, e}, {ne, n}, {e, ne}, {n, o}, {o, s}}, k), 1, 0},
        {"a circle", {Circle{o, 1, k}}, 0, 1},
        {"a hook: arc and line",
         {Arc{o, 1, 0, 180, k}, Line{w, {-1, -2}, k}}, 1, 0},
        {"a ring of two arcs", {Arc{o, 1, 90, 270, k}, Arc{o, 1, -90, 90, k}}, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto joined = chain_glyph(c.entities, 1e-9);
        ASSERT_TRUE(std::holds_alternative<GlyphContours>(joined));
        const auto& paths = std::get<GlyphContours>(joined).skeleton;
        std::size_t open = 0, closed = 0;
        for (const Contour& p : paths) ++(p.closed ? closed : open);
        EXPECT_EQ(open, c.open);
        EXPECT_EQ(closed, c.closed);
        expect_well_joined(paths, c.entities, k, 1e-9);
    }
}

TEST(Contours, OutlineLoopsAreOrientedByNesting) {
    constexpr Colour k = Colour::Outline;
    // A square drawn clockwise around a ring (two circles) around a clockwise
    // square: outer, hole, island, hole.
    const auto square = [](double h) {
        return lines({{{-h, -h}, {-h, h}}, {{-h, h}, {h, h}}, {{h, h}, {h, -h}}, {{h, -h}, {-h, -h}}}, k);
    };
    std::vector<Entity> figure = square(10);
    figure.push_back(Circle{{0, 0}, 8, k});
    figure.push_back(Arc{{0, 0}, 6, 30, 390, k});  // a full turn as an arc
    for (const Entity& e : square(2)) figure.push_back(e);
    const auto joined = chain_glyph(figure, 1e-9);
    ASSERT_TRUE(std::holds_alternative<GlyphContours>(joined));
    const auto& loops = std::get<GlyphContours>(joined).outline;
    ASSERT_EQ(loops.size(), 4u);
    std::vector<double> areas;
    for (const Contour& l : loops) areas.push_back(signed_area(l));
    std::sort(areas.begin(), areas.end(), [](double a, double b) { return std::fabs(a) > std::fabs(b); });
    const double pi = std::numbers::pi;
    EXPECT_NEAR(areas[0], 400, 1e-9);
    EXPECT_NEAR(areas[1], -64 * pi, 1e-9);
    EXPECT_NEAR(areas[2], 36 * pi, 1e-9);
    EXPECT_NEAR(areas[3], -16, 1e-9);
}

TEST(Contours, ALooseEndIsReportedWhereItIs) {
    constexpr Colour k = Colour::Outline;
    const double tol = 1e-6;
    // A triangle whose last side stops short of its start: within the
    // tolerance it closes, beyond it the loose end is reported.
    for (const double gap : {0.5 * tol, 2 * tol}) {
        const auto figure = lines({{{0, 0}, {4, 0}}, {{4, 0}, {0, 3}}, {{0, 3}, {0, gap}}}, k);
        const auto joined = chain_glyph(figure, tol);
        if (gap < tol) {
            EXPECT_TRUE(std::holds_alternative<GlyphContours>(joined));
        } else {
            ASSERT_TRUE(std::holds_alternative<ChainFault>(joined));
            const Point where = std::get<ChainFault>(joined).where;
            EXPECT_TRUE(where == (Point{0, 0}) || where == (Point{0, gap})) << show(where);
        }
    }
    // An arc's end that would stay loose meets another within the square
    // root of its rounding (1.7e-7 on a unit circle), no farther.
    for (const double gap : {1e-8, 1e-6}) {
        const std::vector<Entity> figure{Arc{{0, 0}, 1, 0, 180, k}, Line{{-1, 0}, {1, gap}, k}};
        EXPECT_EQ(std::holds_alternative<GlyphContours>(chain_glyph(figure, 1e-9)), gap < 1e-7) << gap;
    }
    // The tolerance follows the cell, and never drops below the printed resolution.
    EXPECT_EQ(join_tolerance(make_cell(0, 0, 3e5, 7e5, 1)), 7e-4);
    EXPECT_EQ(join_tolerance(make_cell(0, 0, 0.03, 0.05, 0.01)), 2e-9);
}

// A glyph that leaves its outline open: the run names it and writes nothing.
void open_outline(const GlyphCell& c, GlyphOutput& out) {
    out.line(c.x, c.y - c.H, c.x + c.W, c.y - c.H, Colour::CentreLine);
    out.line(c.x, c.y - c.H, c.x + c.W, c.y - c.H, Colour::Outline);
}

// A glyph that draws part of itself and then finds the stroke too wide.
void half_then_stop(const GlyphCell& c, GlyphOutput& out) {
    out.line(c.x, c.y - c.H, c.x + c.W, c.y - c.H, Colour::Outline);
    out.stop(width_message("半", c.t));
}

TEST(Contours, AGlyphThatStopsIsLeftOutWhole) {
    GlyphTable table = glyph_table();
    table['Y'] = half_then_stop;
    const TextParameters p{2, 4, 0.5, 1, 1};
    const auto layout = measure_text(p, "-Y-");
    struct Count final : ContourSink {
        int glyphs = 0;
        void add(const GlyphContours&) override { ++glyphs; }
    } count;
    EntityList frame;
    const auto run = draw_contours(p, "-Y-", *layout, frame, count, table);
    EXPECT_EQ(run.stop, width_message("半", 0.5));
    EXPECT_TRUE(run.fault.empty());
    EXPECT_EQ(count.glyphs, 1);  // the hyphen before it
    EXPECT_EQ(frame.entities.size(), 4u);
}

TEST(Contours, TheRunReportsAnOpenOutlineAndWritesNothing) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("tracemill-contours-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    GlyphTable table = glyph_table();
    table['X'] = open_outline;
    const std::string dxf = (dir / "out.dxf").string(), svg = (dir / "out.svg").string();
    const auto r = create_drawing(TextParameters{2, 4, 0.5, 1, 1}, "--\r\n-X", dxf,
                                  [](const std::string&) { return true; }, svg,
                                  OutputOptions{true, Units::None}, table);
    EXPECT_EQ(r.status, CreateResult::Status::NotJoined);
    EXPECT_TRUE(r.message.starts_with("文字の X（2 行目 2 文字目）の 輪郭 が 点 (")) << r.message;
    EXPECT_TRUE(r.message.ends_with("ファイルは作成していません。")) << r.message;
    EXPECT_TRUE(fs::is_empty(dir));
    // Loose entities need no joining: the same table draws.
    EXPECT_EQ(create_drawing(TextParameters{2, 4, 0.5, 1, 1}, "-X", dxf,
                             [](const std::string&) { return true; }, {}, {}, table)
                  .status,
              CreateResult::Status::Written);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace tracemill::testing
