// Every glyph of the dispatch table against the pen model, over a grid of
// cells and strokes: closed outline loops, outline at distance r from the
// skeleton, finite numbers, positive radii, everything inside the cell.
// Glyphs added to the table are covered without further work.
#include <gtest/gtest.h>


#include "glyph_grid.hpp"
#include "outline_check.hpp"

namespace tracemill::testing {
namespace {

void check(unsigned char byte, double x, double y, double W, double H, double t,
           const std::string& where) {
    const auto g = draw_glyph(byte, x, y, W, H, t);
    SCOPED_TRACE(where);
    EXPECT_FALSE(g.non_finite);
    if (!g.stop.empty()) return;  // this glyph does not fit: nothing to check
    EXPECT_TRUE(follows_pen_model(byte, x, y, W, H, t));
}

TEST(GlyphProperties, TableHoldsTheBuiltGlyphs) {
    const auto bytes = table_bytes();
    EXPECT_GE(bytes.size(), 5u);
    for (unsigned char b : bytes) EXPECT_TRUE(b > 32 && b < 127) << int(b);
}

TEST(GlyphProperties, EveryGlyphOverTheGrid) {
    for_each_grid_case([](const GridCase& c) {
        check(c.byte, c.x, c.y, c.shape->W, c.shape->H, c.t, c.where());
    });
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
