// Every glyph of the dispatch table against the pen model, over a grid of
// cells and strokes: closed outline loops, outline at distance r from the
// skeleton, finite numbers, positive radii, everything inside the cell.
// Glyphs added to the table are covered without further work.
#include <gtest/gtest.h>


#include "outline_check.hpp"
#include "test_support.hpp"

namespace tracemill::testing {
namespace {

struct CellShape {
    const char* name;
    double W, H;
};

constexpr CellShape kShapes[] = {
    {"default", 2.1, 5},  {"narrow", 1, 10},  {"wide", 20, 4},   {"square", 10, 10},
    {"tiny", 0.03, 0.05}, {"huge", 3e5, 7e5}, {"flat", 40, 1.3}, {"tall", 1.3, 40},
};

// The largest stroke (to about one part in 2^60) at which the glyph still
// draws in this cell, found by bisection. A glyph without tests of its own is
// only bounded by the run's check min(W, H) > t; there its skeleton shrinks
// towards a point, so it is taken a millionth below that bound, where the
// skeleton still has a printable length.
struct StrokeLimit {
    double stroke;
    bool own_test;  // false: only the run's check bounds the stroke
};
StrokeLimit largest_fitting_stroke(unsigned char byte, double W, double H) {
    double lo = 0, hi = std::min(W, H);
    if (draw_glyph(byte, 0, H, W, H, hi * (1 - 1e-6)).stop.empty()) return {hi * (1 - 1e-6), false};
    for (int k = 0; k < 60; ++k) {
        const double mid = (lo + hi) / 2;
        (draw_glyph(byte, 0, H, W, H, mid).stop.empty() ? lo : hi) = mid;
    }
    return {lo, true};
}

void check(unsigned char byte, double x, double y, double W, double H, double t,
           const std::string& where) {
    const auto g = draw_glyph(byte, x, y, W, H, t);
    SCOPED_TRACE(where);
    EXPECT_FALSE(g.non_finite);
    if (!g.stop.empty()) return;  // this glyph does not fit: nothing to check
    EXPECT_TRUE(follows_pen_model(byte, x, y, W, H, t));
}

std::vector<unsigned char> table_bytes() {
    std::vector<unsigned char> bytes;
    for (int b = 0; b < 256; ++b)
        if (glyph_table()[static_cast<std::size_t>(b)] != nullptr) bytes.push_back(static_cast<unsigned char>(b));
    return bytes;
}

TEST(GlyphProperties, TableHoldsTheBuiltGlyphs) {
    const auto bytes = table_bytes();
    EXPECT_GE(bytes.size(), 5u);
    for (unsigned char b : bytes) EXPECT_TRUE(b > 32 && b < 127) << int(b);
}

TEST(GlyphProperties, EveryGlyphOverTheGrid) {
    for (unsigned char byte : table_bytes()) {
        for (const auto& s : kShapes) {
            const double m = std::min(s.W, s.H);
            const double limit = largest_fitting_stroke(byte, s.W, s.H).stroke;
            const double strokes[] = {0.3, 0.01 * m, 0.1 * m, 0.3 * m, limit, limit * (1 - 1e-9)};
            for (double t : strokes) {
                if (!(t > 0 && t < m)) continue;
                // An off-origin cell, so that the cell position enters every number.
                const double x = -3.7 * s.W, y = 2.9 * s.H;
                check(byte, x, y, s.W, s.H, t,
                      std::string("glyph '") + static_cast<char>(byte) + "' in the " + s.name +
                          " cell, t = " + std::to_string(t));
            }
        }
    }
}

TEST(GlyphProperties, JustPastTheLimitTheGlyphStopsCleanly) {
    for (unsigned char byte : table_bytes()) {
        for (const auto& s : kShapes) {
            const auto limit = largest_fitting_stroke(byte, s.W, s.H);
            const double t = limit.stroke * (1 + 1e-9);
            // Without a test of its own the glyph always draws; the run's own
            // checks refuse strokes as wide as the cell.
            if (!limit.own_test || !(t < std::min(s.W, s.H))) continue;
            const auto g = draw_glyph(byte, 0, s.H, s.W, s.H, t);
            SCOPED_TRACE(std::string("glyph '") + static_cast<char>(byte) + "' in the " + s.name + " cell");
            EXPECT_FALSE(g.stop.empty());
            EXPECT_TRUE(g.stop.ends_with("\n　"));
            EXPECT_FALSE(g.non_finite);
        }
    }
}

TEST(OutlineCheck, CatchesBrokenOutlines) {
    // The checker itself must notice a gap, a wrong offset and a cell overrun.
    const GlyphCell cell = make_cell(0, 15, 10, 15, 1);
    auto g = draw_glyph('-', 0, 15, 10, 15, 1).entities;
    EXPECT_TRUE(check_glyph(g, cell).ok());
    auto open = g;
    open.pop_back();
    EXPECT_FALSE(check_glyph(open, cell).ok());
    auto offset = g;
    std::get<Line>(offset[3]).from.y += 0.01;
    std::get<Line>(offset[3]).to.y += 0.01;
    EXPECT_FALSE(check_glyph(offset, cell).ok());
    EXPECT_FALSE(check_glyph(g, make_cell(0, 15, 9, 15, 1)).ok());
}

}  // namespace
}  // namespace tracemill::testing
