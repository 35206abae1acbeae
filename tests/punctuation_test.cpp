// The punctuation , : ; ' " ` beyond the worked examples of
// tests/examples/punctuation.txt: the circle-crossing routine on its own, the
// comma shape's late failure, and the pen model at the layout switches and
// just inside the stroke limits.
#include <gtest/gtest.h>

#include <cmath>

#include "glyphs/circle_intersection.hpp"
#include "glyphs/comma_shape.hpp"
#include "outline_check.hpp"
#include "test_support.hpp"

namespace tracemill::testing {
namespace {

using glyphs::circle_intersection_angles;
using glyphs::GeometryResult;

TEST(CircleIntersectionAngles, CrossingTouchingAndMissing) {
    GeometryResult g;
    // Equal circles 1 apart: half angle acos(0.625) about the direction 180.
    ASSERT_TRUE(circle_intersection_angles(0.8, 0, 0, 0.8, -1, 0, kPi, g));
    EXPECT_EQ(fixed9(g.angle1), "231.317812547");
    EXPECT_EQ(fixed9(g.angle2), "128.682187453");
    // Centres one above the other take the fixed directions ±90, not atan2.
    ASSERT_TRUE(circle_intersection_angles(2, 1, 1, 2, 1, 3, kPi, g));
    EXPECT_EQ(g.angle1, 90 + std::acos(0.5) * 180 / kPi);
    EXPECT_EQ(g.angle2, 90 - std::acos(0.5) * 180 / kPi);
    ASSERT_TRUE(circle_intersection_angles(2, 1, 1, 2, 1, -1, kPi, g));
    EXPECT_EQ(g.angle1, -90 + std::acos(0.5) * 180 / kPi);
    // Touching from outside and from inside: both angles point at the touch.
    ASSERT_TRUE(circle_intersection_angles(1, 0, 0, 2, 3, 0, kPi, g));
    EXPECT_EQ(g.angle1, 0);
    EXPECT_EQ(g.angle2, 0);
    ASSERT_TRUE(circle_intersection_angles(3, 0, 0, 1, 0, -2, kPi, g));
    EXPECT_EQ(g.angle1, -90);
    EXPECT_EQ(g.angle2, -90);
    // Apart, one inside the other, concentric: fail and leave the result.
    g.angle1 = 11;
    g.angle2 = 22;
    EXPECT_FALSE(circle_intersection_angles(1, 0, 0, 1, 2.5, 0, kPi, g));
    EXPECT_FALSE(circle_intersection_angles(3, 0, 0, 1, 1, 0, kPi, g));
    EXPECT_FALSE(circle_intersection_angles(1, 4, 4, 1, 4, 4, kPi, g));
    EXPECT_FALSE(circle_intersection_angles(0, 0, 0, 1, 1, 0, kPi, g));  // no radius: no angle
    EXPECT_EQ(g.angle1, 11);
    EXPECT_EQ(g.angle2, 22);
}

TEST(CircleIntersectionAngles, TouchingPastOneByRoundingIsTheTouchingPoint) {
    // The comma's dot outline (0.8t) and its end cap (r) at t = 0.39: the
    // centres are 1.3t apart and the cosine rounds above 1.
    const double t = 0.39, r = t / 2, Ro = (0.8 * t - r) + r;
    const double Dy = 1.7 * t, Ex = -0.5 * t, Ey = r;
    const double d = std::sqrt(std::pow(Ex, 2) + std::pow(Ey - Dy, 2));
    ASSERT_GT((std::pow(d, 2) + std::pow(Ro, 2) - std::pow(r, 2)) / (2 * d * Ro), 1.0);
    GeometryResult g;
    ASSERT_TRUE(circle_intersection_angles(Ro, 0, Dy, r, Ex, Ey, kPi, g));
    EXPECT_EQ(g.angle1, std::atan2(Ey - Dy, Ex) * 180 / kPi);
    EXPECT_EQ(g.angle2, g.angle1);
}

TEST(CommaShape, NoCrossingStopsAfterTheTail) {
    // A stubby tail (dot centre 0.6t up, end 0.1t to the left) whose cap and
    // inner edge both lie inside the dot's outline: neither crossing exists.
    EntityList list;
    GlyphOutput out(list);
    glyphs::comma_shape(make_cell(0, 15, 10, 15, 1), out, 0, 15, 0.8, 0.1, 0.6, "X");
    EXPECT_EQ(out.stop_message(), "文字の X で小径外と大径内の交点が有りません。\n　");
    ASSERT_EQ(list.entities.size(), 3u);
    EXPECT_TRUE(std::holds_alternative<Circle>(list.entities[0]));
    EXPECT_EQ(colour_of(list.entities[1]), Colour::CentreLine);
    EXPECT_EQ(colour_of(list.entities[2]), Colour::Outline);
}

TEST(PunctuationPenModel, LayoutSwitchesAndStrokesJustInside) {
    const auto below = [](double v) { return std::nextafter(v, 0.0); };
    const auto above = [](double v) { return std::nextafter(v, 1e9); };
    struct Cell {
        unsigned char byte;
        double W, H, t;
    };
    const Cell cells[] = {
        // The semicolon's switch 0.25·H ≥ 1.7t at H = 6.8t, either side.
        {';', 10, below(6.8), 1}, {';', 10, 6.8, 1}, {';', 10, above(6.8), 1},
        // Strokes just inside each glyph's binding limit.
        {',', 10, 15, below(5.0)}, {',', 20, 15, below(6.0)}, {',', 4, 15, below(2.0)},
        {':', 10, 15, below(0.25 * 15 / 0.8)}, {':', 1.6, 15, below(1.0)},
        {';', 10, 15, below(15 / (1.7 + 0.8 * 3))}, {';', 2, 15, below(1.0)},
        {';', 10, 4.1, below(4.1 / (1.7 + 0.8 * 3))},
        {'\'', 10, 15, below(5.0)}, {'\'', 10, 2.5, below(1.0)},
        {'"', 4, 15, below(1.0)}, {'"', 10, 2.5, below(1.0)},
        {'`', 2, 15, below(1.0)}, {'`', 10, 2.5, below(1.0)},
        // The tangency cases of the end cap.
        {',', 10, 15, 0.39}, {',', 10, 15, 0.31}, {'`', 10, 15, 0.31}, {'`', 10, 15, 0.2},
        // The default, a square and a wide cell.
        {',', 2.1, 5, 0.3}, {';', 2.1, 5, 0.3}, {'"', 2.1, 5, 0.3}, {'`', 2.1, 5, 0.3},
        {';', 10, 10, 1}, {'"', 10, 10, 1}, {';', 20, 8, 1}, {'`', 20, 8, 1},
    };
    const Point corners[] = {{0, 0}, {-37.3, 52.9}};
    for (const auto& c : cells)
        for (const auto& p : corners) {
            SCOPED_TRACE(std::string(1, static_cast<char>(c.byte)) + " W " + std::to_string(c.W) +
                         " H " + std::to_string(c.H) + " t " + std::to_string(c.t));
            EXPECT_TRUE(follows_pen_model(c.byte, p.x, p.y + c.H, c.W, c.H, c.t));
        }
}

}  // namespace
}  // namespace tracemill::testing
