// The round capitals C O G D U J with the lower-case c o, and the corner-arc
// routines. The worked examples, layouts, width tests and the mended corner
// arc are data in tests/examples/round_capitals.txt; here: the routines'
// contracts, ties that pass by one ulp, and the pen model in every layout at
// the largest stroke that still draws.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "glyphs/corner_arc.hpp"
#include "outline_check.hpp"
#include "test_support.hpp"

namespace tracemill::testing {
namespace {

using glyphs::fit_corner_arc;
using glyphs::GeometryResult;
using glyphs::intersect_lines;

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(CornerArc, IntersectLines) {
    GeometryResult g;
    g.point = {7, 7};
    // Parallel, also when the directions differ by 180, 360 or 540: nothing written.
    EXPECT_FALSE(intersect_lines(0, 0, 30, 1, 5, 210, g));
    EXPECT_FALSE(intersect_lines(0, 0, 30, 1, 5, 390, g));
    EXPECT_FALSE(intersect_lines(0, 0, -100, 1, 5, 440, g));
    EXPECT_EQ(g.point, (Point{7, 7}));
    // A first direction of -90 is a vertical line: the crossing keeps its x.
    ASSERT_TRUE(intersect_lines(3, 1, -90, 0, 2, 45, g));
    EXPECT_EQ(g.point.x, 3);
    EXPECT_NEAR(g.point.y, 5, 1e-12);
    ASSERT_TRUE(intersect_lines(0, 2, 45, 3, 1, 270, g));
    EXPECT_EQ(g.point.x, 3);
    EXPECT_NEAR(g.point.y, 5, 1e-12);
    // The general crossing lies on both lines.
    ASSERT_TRUE(intersect_lines(1, 1, 30, 4, -2, 120, g));
    EXPECT_NEAR((g.point.y - 1) * std::cos(kPi / 6), (g.point.x - 1) * std::sin(kPi / 6), 1e-12);
    EXPECT_NEAR((g.point.y + 2) * std::cos(2 * kPi / 3), (g.point.x - 4) * std::sin(2 * kPi / 3), 1e-12);
}

// The fitted circle touches both sides (centre at (ρ, ρ) in the corner's
// frame) and passes through the point at polar angle φ with the y axis turned
// over: A = ρ + ρ·cos φ, B = ρ − ρ·sin φ.
::testing::AssertionResult fits_the_corner(double a, double b, double rel = 1e-9) {
    GeometryResult g;
    if (!fit_corner_arc(a, b, g)) return ::testing::AssertionFailure() << "failed";
    const double A = std::fabs(a), B = std::fabs(b), rho = g.radius, phi = g.angle * kPi / 180;
    const double tol = rel * std::max(A, B);
    if (std::fabs(rho + rho * std::cos(phi) - A) > tol || std::fabs(rho - rho * std::sin(phi) - B) > tol)
        return ::testing::AssertionFailure() << "radius " << rho << " angle " << g.angle;
    return ::testing::AssertionSuccess();
}

TEST(CornerArc, FitCornerArc) {
    GeometryResult g;
    g.radius = 9;
    g.angle = 9;
    EXPECT_FALSE(fit_corner_arc(0, 3, g));
    EXPECT_FALSE(fit_corner_arc(3, 0, g));
    EXPECT_EQ(g.radius, 9);
    EXPECT_EQ(g.angle, 9);
    // On the bisector: a·√2/(√2 + 1) and -45, for either sign.
    ASSERT_TRUE(fit_corner_arc(-2.5, 2.5, g));
    EXPECT_EQ(g.radius, 2.5 * std::sqrt(2.0) / (std::sqrt(2.0) + 1));
    EXPECT_EQ(g.angle, -45);
    for (const auto& [a, b] : {std::pair{9.0, 4.0}, {4.0, 9.0}, {2.89, 2.165}, {1.0, 0.3}, {-3.0, 7.5}})
        EXPECT_TRUE(fits_the_corner(a, b)) << a << " " << b;
}

TEST(CornerArc, NearlyEqualDistancesAreTheBisectorCase) {
    // A few ulps apart, the general construction divides by almost nothing
    // (or finds its lines parallel); the answer is the bisector's.
    GeometryResult exact, near;
    ASSERT_TRUE(fit_corner_arc(4.03, 4.03, exact));
    for (double b : {std::nextafter(4.03, 0.0), std::nextafter(std::nextafter(4.03, kInf), kInf), 4.03 * (1 + 9e-13)}) {
        ASSERT_TRUE(fit_corner_arc(4.03, b, near)) << b;
        EXPECT_EQ(near.radius, exact.radius);
        EXPECT_EQ(near.angle, -45);
    }
    // Beyond the tolerance the general construction answers (its error grows
    // like the rounding error over the relative difference).
    for (double b : {4.03 * (1 + 1e-6), 4.03 * (1 - 1e-6)}) {
        ASSERT_TRUE(fit_corner_arc(4.03, b, near));
        EXPECT_NE(near.angle, -45);
        EXPECT_NEAR(near.radius, exact.radius, 1e-5);
        EXPECT_TRUE(fits_the_corner(4.03, b, 1e-8));
    }
}

bool has_degenerate_entity(const std::vector<Entity>& entities) {
    for (const auto& e : entities) {
        if (const auto* l = std::get_if<Line>(&e)) {
            if (fixed9(l->from.x) == fixed9(l->to.x) && fixed9(l->from.y) == fixed9(l->to.y)) return true;
        } else if (const auto* a = std::get_if<Arc>(&e)) {
            if (!prints_positive(a->radius) || fixed9(a->start_deg) == fixed9(a->end_deg)) return true;
        }
    }
    return false;
}

// At a layout boundary met exactly, one ulp to either side takes the
// neighbouring layout with its straight strokes of zero length; they are not
// written, and the rest still closes.
TEST(RoundCapitals, TiesPassingByOneUlp) {
    struct Tie {
        char byte;
        double W, H;
        bool nudge_height;  // else the width
        double towards;
        std::size_t entities, dropped;
    };
    const double h2 = 10.488971184484164;  // C: half height = corner radius
    const Tie ties[] = {
        {'C', 10, h2, true, kInf, 8, 3},   // case 1, empty left stroke
        {'C', 10, h2, true, 0, 11, 6},     // case 3, empty top and bottom strokes
        {'O', 10, 10, false, 0, 6, 6},     // tall, empty sides
        {'O', 10, 10, false, kInf, 6, 6},  // wide, empty top and bottom
        {'o', 6.5, 10, false, kInf, 6, 6},
        {'G', 8, 15, false, kInf, 24, 6},  // wide bowl, empty top and bottom
        {'D', 9, 15, false, 0, 17, 3},     // straight-sided, empty right side
        {'U', 10, 10, false, kInf, 14, 3}, // wide, empty bottom
        {'J', 10, 10, false, kInf, 11, 3},
    };
    for (const auto& c : ties) {
        const double W = c.nudge_height ? c.W : std::nextafter(c.W, c.towards);
        const double H = c.nudge_height ? std::nextafter(c.H, c.towards) : c.H;
        SCOPED_TRACE(std::string("glyph ") + c.byte + " W " + std::to_string(W) + " H " + std::to_string(H));
        const auto g = draw_glyph(static_cast<unsigned char>(c.byte), 0, H, W, H, 1);
        EXPECT_EQ(g.stop, "");
        EXPECT_EQ(g.entities.size(), c.entities);
        EXPECT_EQ(g.dropped, c.dropped);
        EXPECT_FALSE(has_degenerate_entity(g.entities));
        EXPECT_TRUE(follows_pen_model(static_cast<unsigned char>(c.byte), 0, H, W, H, 1));
    }
}

// The largest stroke at which the glyph still draws in the cell.
double largest_stroke(unsigned char byte, double x, double y, double W, double H) {
    double lo = 0, hi = std::min(W, H);
    for (int k = 0; k < 70; ++k) {
        const double mid = (lo + hi) / 2;
        (draw_glyph(byte, x, y, W, H, mid).stop.empty() ? lo : hi) = mid;
    }
    return lo;
}

// Every layout, with a thin stroke and at the largest one that draws (where
// the layout may change, since the stroke enters every comparison); one part
// in 10^12 wider, the glyph stops.
TEST(RoundCapitals, PenModelInEveryLayoutUpToTheLimit) {
    struct Cell {
        char byte;
        double x, y, W, H;
    };
    const Cell cells[] = {
        {'C', 5.3, -2.1, 10, 15},        {'C', 5.3, -2.1, 5, 20},   {'C', 0, 10.488971184484164, 10, 10.488971184484164},
        {'C', 5.3, -2.1, 20, 10},        {'C', -2.515, 7.55, 5.03, 15.1},
        {'C', -0.79, 2.05, 1.58, 4.1},   {'c', 5.3, -2.1, 10, 15},  {'c', 5.3, -2.1, 4.7, 11.3},
        {'c', -1.108, 4.35, 2.216, 8.7}, {'c', 5.3, -2.1, 2, 30},   {'O', 5.3, -2.1, 10, 15},
        {'O', 5.3, -2.1, 10, 10},        {'O', 5.3, -2.1, 15, 10},  {'o', 5.3, -2.1, 6.5, 10},
        {'o', 5.3, -2.1, 3, 10},         {'o', 5.3, -2.1, 20, 10},  {'G', 5.3, -2.1, 8, 15},
        {'G', 5.3, -2.1, 12, 15},        {'G', 5.3, -2.1, 3, 30},   {'D', 5.3, -2.1, 9, 15},
        {'D', 5.3, -2.1, 5, 15},         {'D', 5.3, -2.1, 30, 4},   {'U', 5.3, -2.1, 10, 10},
        {'U', 5.3, -2.1, 4, 10},         {'U', 5.3, -2.1, 20, 5},   {'J', 5.3, -2.1, 10, 10},
        {'J', 5.3, -2.1, 3, 10},         {'J', 5.3, -2.1, 20, 5},
    };
    for (const auto& c : cells) {
        const auto byte = static_cast<unsigned char>(c.byte);
        const double limit = largest_stroke(byte, c.x, c.y, c.W, c.H);
        SCOPED_TRACE(std::string("glyph ") + c.byte + " W " + std::to_string(c.W) + " H " +
                     std::to_string(c.H) + " limit " + std::to_string(limit));
        EXPECT_TRUE(follows_pen_model(byte, c.x, c.y, c.W, c.H, 0.02 * std::min(c.W, c.H)));
        EXPECT_TRUE(follows_pen_model(byte, c.x, c.y, c.W, c.H, limit));
        const auto past = draw_glyph(byte, c.x, c.y, c.W, c.H, limit * (1 + 1e-12));
        EXPECT_TRUE(past.entities.empty());
        EXPECT_TRUE(past.stop.ends_with(" 未満です。\n　")) << past.stop;
    }
}

}  // namespace
}  // namespace tracemill::testing
