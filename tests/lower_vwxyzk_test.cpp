// The lower-case v w x y z k. The worked examples, every test's message and
// the slope tests failing after the plain ones are data in
// tests/examples/lower_vwxyzk.txt; here: the pen model at the largest stroke
// that draws (where the slope tests tie and inner edges shrink to points),
// x and y stopping alike, and the collapsed edges of a cell far from the
// origin.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "outline_check.hpp"
#include "test_support.hpp"

namespace tracemill::testing {
namespace {

constexpr char kGlyphs[] = {'v', 'w', 'x', 'y', 'z', 'k'};

double largest_stroke(unsigned char byte, double x, double y, double W, double H) {
    double lo = 0, hi = std::min(W, H);
    for (int k = 0; k < 70; ++k) {
        const double mid = (lo + hi) / 2;
        (draw_glyph(byte, x, y, W, H, mid).stop.empty() ? lo : hi) = mid;
    }
    return lo;
}

// Neither a line whose ends coincide to rounding noise of the cell's
// coordinates nor an arc of no radius or no sweep.
bool has_degenerate_entity(const std::vector<Entity>& entities, double noise) {
    for (const auto& e : entities) {
        if (const auto* l = std::get_if<Line>(&e)) {
            if (std::fabs(l->to.x - l->from.x) <= noise && std::fabs(l->to.y - l->from.y) <= noise) return true;
        } else if (const auto* a = std::get_if<Arc>(&e)) {
            if (!prints_positive(a->radius) || fixed9(a->start_deg) == fixed9(a->end_deg)) return true;
        }
    }
    return false;
}

// Cells where each of the glyphs' tests binds in turn: tall and narrow (the
// width and slope tests), flat and wide (the height tests and the slopes
// near zero), square, and one far from the origin with large sizes.
struct Cell {
    double x, y, W, H;
};
constexpr Cell kCells[] = {
    {0, 5, 2.1, 5},     {-3.1, 7.7, 1.7, 20},  {4.2, -1.3, 30, 2.6}, {1.5, 10, 10, 10},
    {2.3, 9.1, 4, 9.1}, {-1.11e6, 2.03e6, 3e5, 7e5},
};

TEST(LowerVwxyzk, PenModelUpToTheLimitOfEveryTest) {
    for (const char glyph : kGlyphs) {
        const auto byte = static_cast<unsigned char>(glyph);
        for (const auto& c : kCells) {
            const double limit = largest_stroke(byte, c.x, c.y, c.W, c.H);
            const double noise = 1e-12 * std::max({std::fabs(c.x), std::fabs(c.y), c.W, c.H});
            SCOPED_TRACE(std::string("glyph ") + glyph + " W " + std::to_string(c.W) + " H " +
                         std::to_string(c.H) + " limit " + std::to_string(limit));
            for (const double t : {0.02 * std::min(c.W, c.H), 0.5 * limit, limit}) {
                EXPECT_TRUE(follows_pen_model(byte, c.x, c.y, c.W, c.H, t)) << "t " << t;
                EXPECT_FALSE(has_degenerate_entity(draw_glyph(byte, c.x, c.y, c.W, c.H, t).entities, noise));
            }
            const auto past = draw_glyph(byte, c.x, c.y, c.W, c.H, limit * (1 + 1e-12));
            EXPECT_TRUE(past.entities.empty());
            EXPECT_TRUE(past.stop.ends_with(" 未満です。\n　")) << past.stop;
        }
    }
}

TEST(LowerVwxyzk, FarFromTheOriginCollapsedEdgesAreNotDrawn) {
    // At the limit of the third test in this tall cell, the inner edges from
    // the caps to the notches above and below the crossing shrink to points
    // whose ends differ only by rounding noise: four of the 14 entities of
    // the x are not drawn, two of the 10 of the y (it has no lower notch).
    const Cell c = kCells[5];
    for (const auto& [glyph, drawn] : {std::pair{'x', 10u}, {'y', 8u}}) {
        const auto byte = static_cast<unsigned char>(glyph);
        const double t = largest_stroke(byte, c.x, c.y, c.W, c.H);
        const auto g = draw_glyph(byte, c.x, c.y, c.W, c.H, t);
        EXPECT_EQ(g.stop, "");
        EXPECT_EQ(g.entities.size(), drawn) << glyph;
    }
}

TEST(LowerVwxyzk, XAndYStopAlike) {
    for (const auto& c : kCells) {
        for (double t = 0.05 * std::min(c.W, c.H); t < std::min(c.W, c.H); t *= 1.07) {
            const auto x = draw_glyph('x', c.x, c.y, c.W, c.H, t).stop;
            const auto y = draw_glyph('y', c.x, c.y, c.W, c.H, t).stop;
            const std::string x_name = "ｘ", y_name = "ｙ";
            auto as_y = x;
            if (const auto at = as_y.find(x_name); at != std::string::npos) as_y.replace(at, x_name.size(), y_name);
            EXPECT_EQ(as_y, y) << "W " << c.W << " H " << c.H << " t " << t;
        }
    }
}

}  // namespace
}  // namespace tracemill::testing
