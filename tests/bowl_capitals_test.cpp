// The bowl capitals B P R and the line-circle angle routine. The worked
// examples, width tests, layout switches and late failures are data in
// tests/examples/bowl_capitals.txt; here: the routine on its own (its
// special cases, tangency, a missed circle, which R's glyph cannot reach),
// one-ulp ties, and the pen model at each switch and limit.
#include <gtest/gtest.h>

#include <cmath>

#include "glyphs/line_circle_angle.hpp"
#include "outline_check.hpp"
#include "test_support.hpp"

namespace tracemill::testing {
namespace {

using glyphs::GeometryResult;
using glyphs::line_circle_angle;

double below(double v) { return std::nextafter(v, -1e300); }
double above(double v) { return std::nextafter(v, 1e300); }

TEST(LineCircleAngle, SpecialCasesByTheAbsoluteAngle) {
    GeometryResult g;
    // a = 0: dd = cy − py. The line y = −2 touches the circle of radius 2
    // about the origin: asin(1) gives −90 (with this Pi, a hair beyond).
    ASSERT_TRUE(line_circle_angle(2, 0, 0, 5, -2, 0, kPi, g));
    EXPECT_NEAR(g.angle, -90, 1e-12);
    // a = −90 takes the vertical case by |a|: dd = cx − px = −2 for the line
    // x = 3 against the circle about (1, 0); tangent at polar angle 0.
    ASSERT_TRUE(line_circle_angle(2, 1, 0, 3, 7, -90, kPi, g));
    EXPECT_NEAR(g.angle, 0, 1e-12);
    // a = 180: dd = cy − py = −1, angle 180 + 30; angle + 180 is the crossing
    // (√3, 1) behind the leftward line.
    ASSERT_TRUE(line_circle_angle(2, 0, 0, 0, 1, 180, kPi, g));
    EXPECT_NEAR(g.angle, 210, 1e-12);
    // A line through the centre gives a itself, exactly.
    ASSERT_TRUE(line_circle_angle(2, 4, 5, 4, 5, 37, kPi, g));
    EXPECT_EQ(g.angle, 37);
}

TEST(LineCircleAngle, AMissedCircleWritesNothing) {
    GeometryResult g;
    g.angle = 123;
    g.radius = 7;
    EXPECT_FALSE(line_circle_angle(2, 0, 0, 5, -2.000000001, 0, kPi, g));
    EXPECT_FALSE(line_circle_angle(2, 1, 0, above(3.0), 7, 90, kPi, g));
    EXPECT_FALSE(line_circle_angle(1, 0, 0, -3, 0, 45, kPi, g));  // 3·sin 45° away
    EXPECT_EQ(g.angle, 123);
    EXPECT_EQ(g.radius, 7);
    // |dd| = R exactly passes.
    EXPECT_TRUE(line_circle_angle(2, 1, 0, 3, 7, 90, kPi, g));
}

TEST(LineCircleAngle, GeneralCaseGivesTheCrossingBehind) {
    // For slanted lines the polar angle angle + 180 about the centre is the
    // crossing that lies on the line, farther back along its direction.
    struct Case {
        double R, cx, cy, px, py, a;
    };
    const Case cases[] = {{3, 1, 2, -4, -1, 53}, {2.5, 0, 7, -1, 6, 63.4}, {4, -2, 0, 5, 0, -30},
                          {1, 0, 0, 0.3, -0.2, 120}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.a);
        GeometryResult g;
        ASSERT_TRUE(line_circle_angle(k.R, k.cx, k.cy, k.px, k.py, k.a, kPi, g));
        const double p = (g.angle + 180) * kPi / 180, d = k.a * kPi / 180;
        const double qx = k.cx + k.R * std::cos(p) - k.px, qy = k.cy + k.R * std::sin(p) - k.py;
        EXPECT_NEAR(-qx * std::sin(d) + qy * std::cos(d), 0, 1e-9);  // on the line
        // Behind the other crossing: the chord's midpoint is ahead of it.
        const double mid = (k.cx - k.px) * std::cos(d) + (k.cy - k.py) * std::sin(d);
        EXPECT_LE(qx * std::cos(d) + qy * std::sin(d), mid + 1e-12);
    }
}

TEST(BowlCapitals, PenModelAtEachSwitchAndLimit) {
    struct Cell {
        unsigned char byte;
        double W, H, t;
    };
    const Cell cells[] = {
        // (H − t)/4 against W − 2t, equal at W 5, H 13, t 1.
        {'B', below(5.0), 13, 1}, {'B', 5, 13, 1}, {'B', above(5.0), 13, 1},
        {'P', below(5.0), 13, 1}, {'P', 5, 13, 1}, {'P', above(5.0), 13, 1},
        // Strokes just inside each test: W/2.5, H/3 (the half-circle bowls
        // keep no inner radius).
        {'B', 10, 40, below(4.0)}, {'B', 20, 12, below(4.0)}, {'B', 10, 3, below(1.0)},
        {'P', 10, 40, below(4.0)}, {'P', 20, 12, below(4.0)}, {'P', 10, 3, below(1.0)},
        {'R', 20, 12, below(4.0)}, {'R', 10, 3, below(1.0)},
        {'R', 5.4, 15, 1}, {'R', 20, 15, 1},
        // The defaults, a square and a wide cell.
        {'B', 2.1, 5, 0.3}, {'P', 2.1, 5, 0.3}, {'R', 2.1, 5, 0.3},
        {'B', 10, 10, 1}, {'P', 10, 10, 1}, {'R', 10, 10, 1},
        {'B', 20, 8, 1}, {'P', 20, 8, 1}, {'R', 20, 8, 1},
    };
    const Point corners[] = {{0, 0}, {-37.3, 52.9}, {1234.5, -987.25}};
    for (const auto& c : cells)
        for (const auto& p : corners) {
            SCOPED_TRACE(std::string(1, static_cast<char>(c.byte)) + " W " + std::to_string(c.W) +
                         " H " + std::to_string(c.H) + " t " + std::to_string(c.t));
            EXPECT_TRUE(follows_pen_model(c.byte, p.x, p.y + c.H, c.W, c.H, c.t));
        }
}

TEST(BowlCapitals, JunctionCornerLimitOfTheR) {
    // xK − x is the third test's value; find the cell where it crosses t = 1
    // and check both sides: the stop reports the value; on the passing side
    // the middle stroke's lower outline, from x + t to xK, has no printable
    // length and is not written, and the outline still closes.
    double lo = 5, hi = 5.4;  // stops at 5, draws at 5.4
    for (int k = 0; k < 200 && above(lo) < hi; ++k) {
        const double mid = (lo + hi) / 2;
        (draw_glyph('R', 0, 15, mid, 15, 1).stop.empty() ? hi : lo) = mid;
    }
    const auto stops = draw_glyph('R', 0, 15, lo, 15, 1);
    EXPECT_EQ(stops.stop, "文字の R の 線幅 は 1.0 未満です。\n　");
    EXPECT_TRUE(stops.entities.empty());
    EXPECT_TRUE(follows_pen_model('R', 0, 15, hi, 15, 1));
    EXPECT_EQ(draw_glyph('R', 0, 15, hi, 15, 1).entities.size(), 18u);
}

}  // namespace
}  // namespace tracemill::testing
