// The lower-case b d p q g against the pen model at their form switches and
// at the limits of the stroke; their worked examples are in
// tests/examples/lower_bdpqg.txt.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "outline_check.hpp"
#include "test_support.hpp"

namespace tracemill::testing {
namespace {

double below(double v) { return std::nextafter(v, -1e300); }
double above(double v) { return std::nextafter(v, 1e300); }

TEST(LowerBdpqgPenModel, AtEveryFormSwitch) {
    struct Cell {
        const char* bytes;
        double y_offset;  // the circle tests of p q g depend on the cell's height above 0
        double W, H, t;
    };
    const Cell cells[] = {
        // The defaults, a square, a wide cell, a heavy stroke in a wide cell
        // (R = Rw < hh), a narrow cell whose half circles move in (R − σ < 0.05·t).
        {"bdpqg", 0, 2.1, 5, 0.3}, {"bdpqg", 0, 10, 10, 1}, {"bdpqg", 0, 10, 5, 0.3},
        {"bdpq", 0, 10, 5, 1},     {"g", 0, 10, 8, 1},       {"bdpqg", 0, 1, 10, 0.3},
        {"g", 0, 1.5, 5, 0.3},
        // b d: circle at hh = hw, tall stadium one ulp below, wide one ulp above.
        {"bd", 0, 9.5, 15, 1}, {"bd", 0, below(9.5), 15, 1}, {"bd", 0, above(9.5), 15, 1},
        // p q g: circles where the upper centre lands on yC, stadiums beside them.
        {"pq", 0, 5.6, 10, 1}, {"pq", 0, 10.2, 20, 1}, {"pq", -7.7, 10.2, 20, 1},
        {"g", 15, 6.1, 15, 1}, {"g", 0, 6.1, 15, 1},
    };
    for (const auto& c : cells)
        for (const char* b = c.bytes; *b != 0; ++b) {
            SCOPED_TRACE(std::string(1, *b) + " W " + std::to_string(c.W) + " H " +
                         std::to_string(c.H) + " t " + std::to_string(c.t));
            EXPECT_TRUE(follows_pen_model(static_cast<unsigned char>(*b), 0, c.H + c.y_offset, c.W,
                                          c.H, c.t));
            EXPECT_TRUE(follows_pen_model(static_cast<unsigned char>(*b), -41.3, c.H + c.y_offset + 77.9,
                                          c.W, c.H, c.t));
        }
}

// The largest stroke at which the glyph still draws in the cell, by bisection.
double largest_drawing_stroke(unsigned char byte, double W, double H) {
    double lo = 0, hi = std::min(W, H);
    for (int k = 0; k < 200 && above(lo) < hi; ++k) {
        const double mid = lo + (hi - lo) / 2;
        (draw_glyph(byte, 0, H, W, H, mid).stop.empty() ? lo : hi) = mid;
    }
    return lo;
}

// At the very limit of a test the bowl's inner outline has no radius: the
// bowl is solid, and its whole inner loop (the arcs and the sides between
// them) is left out rather than written as a slit.
TEST(LowerBdpqgPenModel, AtTheLimitTheBowlIsSolid) {
    struct Case {
        unsigned char byte;
        double W, H;
        std::size_t entities;  // without the inner loop
    };
    const Case cases[] = {
        // W/2 binds: a tall stadium loses two arcs and two sides (16 − 4; the
        // g's hook loses its inner arc as well).
        {'b', 2.1, 15, 12}, {'d', 2.1, 15, 12}, {'p', 2.1, 15, 12}, {'q', 2.1, 15, 12},
        {'g', 2.1, 15, 14},
        // R + r binds (R = Rw reaches r): a wide stadium loses two arcs and
        // two sides, and the cut into the stem (alpha = 90) takes the whole
        // outer half circle beside it (19 − 6; the g's hook loses its two
        // inner quarter circles as well).
        {'b', 20, 4, 13}, {'d', 20, 4, 13}, {'p', 20, 4, 13}, {'q', 20, 4, 13}, {'g', 20, 6, 20},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(std::string(1, static_cast<char>(k.byte)) + " W " + std::to_string(k.W));
        const double t = largest_drawing_stroke(k.byte, k.W, k.H);
        const auto g = draw_glyph(k.byte, 0, k.H, k.W, k.H, t);
        ASSERT_EQ(g.stop, "");
        EXPECT_EQ(g.entities.size(), k.entities);
        EXPECT_TRUE(follows_pen_model(k.byte, 0, k.H, k.W, k.H, t));
        // One ulp more and the glyph stops.
        EXPECT_NE(draw_glyph(k.byte, 0, k.H, k.W, k.H, above(t)).stop, "");
    }
}

}  // namespace
}  // namespace tracemill::testing
