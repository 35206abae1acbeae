// The digits 6, 8 and 9 beyond their worked examples (tests/examples/
// digits_689.txt): the pen model on both sides of every layout switch, strokes
// whose tests pass by one ulp, and the 9 whose layout at an exact tie depends
// on where in the text it stands.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "generation.hpp"
#include "outline_check.hpp"
#include "test_support.hpp"

namespace tracemill::testing {
namespace {

double below(double v) { return std::nextafter(v, 0.0); }
double above(double v) { return std::nextafter(v, 1e9); }

TEST(Digits689, PenModelAtEveryLayoutSwitch) {
    struct Cell {
        unsigned char byte;
        double W, H, t;
    };
    const Cell cells[] = {
        // 6 and 9 at H 20, t 1: the hook switches at W 9.5 (w = 0.45·H − r),
        // the bowl at W 11.5 (w = 0.55·H − r).
        {'6', below(9.5), 20, 1}, {'6', 9.5, 20, 1}, {'6', above(9.5), 20, 1},
        {'6', below(11.5), 20, 1}, {'6', 11.5, 20, 1}, {'6', above(11.5), 20, 1},
        {'9', below(9.5), 20, 1}, {'9', 9.5, 20, 1}, {'9', above(9.5), 20, 1},
        {'9', below(11.5), 20, 1}, {'9', 11.5, 20, 1}, {'9', above(11.5), 20, 1},
        // 8: W − t against H/2 − r at W 8.5, H 16.
        {'8', below(8.5), 16, 1}, {'8', 8.5, 16, 1}, {'8', above(8.5), 16, 1},
        // Just inside the second test and (strokes of 0.99414 and 0.99739 fail)
        // the clearance.
        {'6', 2.05, above(4.3), 1}, {'9', 2.05, above(4.3), 1}, {'8', 10, above(3.0), 1},
        {'6', 4.5, 4.4, 0.9941}, {'9', 4.5, 4.4, 0.9941}, {'6', 2.2, 4.4, 0.9973},
        {'9', 2.2, 4.4, 0.9973},
        // A square and a wide cell.
        {'6', 10, 10, 1}, {'8', 10, 10, 1}, {'9', 10, 10, 1},
        {'6', 20, 8, 1}, {'8', 20, 8, 1}, {'9', 20, 8, 1},
    };
    const Point corners[] = {{0, 0}, {-37.3, 52.9}, {1234.5, -987.25}};
    for (const auto& c : cells)
        for (const auto& p : corners) {
            SCOPED_TRACE(std::string(1, static_cast<char>(c.byte)) + " W " + std::to_string(c.W) +
                         " H " + std::to_string(c.H) + " at " + std::to_string(p.x));
            EXPECT_TRUE(follows_pen_model(c.byte, p.x, p.y + c.H, c.W, c.H, c.t));
        }
}

TEST(Digits689, FirstTestPassingByOneUlpLeavesNoSlitCounter) {
    // W/2 one ulp above t: every inner outline of radius W/2 − 2r (w/2 − r for
    // the 9) prints as zero. The hook's inner arc is dropped by the output;
    // the bowls' counters (two arcs and two coinciding sides each) are not
    // drawn at all.
    const double W = above(2.0);
    for (unsigned char b : {'6', '9'}) {
        SCOPED_TRACE(std::string(1, static_cast<char>(b)));
        const auto g = draw_glyph(b, 0, 20, W, 20, 1);
        EXPECT_EQ(g.stop, "");
        EXPECT_EQ(g.dropped, 1u);
        EXPECT_EQ(g.entities.size(), 12u);  // 17 rows less the hook's inner arc and 4 of the counter
        EXPECT_TRUE(follows_pen_model(b, 0, 20, W, 20, 1));
    }
    const auto g = draw_glyph('8', 0, 20, W, 20, 1);
    EXPECT_EQ(g.stop, "");
    EXPECT_EQ(g.dropped, 0u);
    EXPECT_EQ(g.entities.size(), 18u);  // 26 rows less two counters of 4
    EXPECT_TRUE(follows_pen_model('8', 0, 20, W, 20, 1));
    EXPECT_EQ(draw_glyph('8', 0, 20, 2.0, 20, 1).stop, "文字の 8 の 線幅 は 1.0 未満です。\n　");
}

TEST(Digits689, EightWithTiesPassingByOneUlpFollowsThePenModel) {
    // The two cells of the worked examples whose tests tie on paper.
    EXPECT_TRUE(follows_pen_model('8', 0, 1.05, 14, 1.05, 0.35));
    EXPECT_TRUE(follows_pen_model('8', 0, 2, 1.05, 2, 0.1));
    EXPECT_EQ(draw_glyph('8', 0, 2, 1.05, 2, 0.1).dropped, 9u);  // the bars: six outlines, three skeletons
}

TEST(Digits689, NineTakesItsLayoutFromItsPosition) {
    // Twelve 9s at W 11.5, H 20, t 1, spacing 0.4: w and hb are equal on
    // paper, and the bowl is a circle, except for the eighth 9, where the
    // difference of the absolute coordinates makes w one ulp larger and the
    // bowl a wide stadium with bars of no length. Nothing degenerate is
    // written, and every 9 follows the pen model.
    TextParameters p;
    p.char_width = 11.5;
    p.char_height = 20;
    p.line_width = 1;
    p.char_spacing = 0.4;
    const std::string text(12, '9');
    const auto layout = measure_text(p, text).value();
    EntityList list;
    EXPECT_EQ(draw_text(p, text, layout, list), "");
    EXPECT_EQ(list.entities.size(), 4u + 11 * 16 + 20);
    std::size_t circles = 0;
    for (const auto& e : list.entities) circles += std::holds_alternative<Circle>(e) ? 1 : 0;
    EXPECT_EQ(circles, 22u);
    double x = layout.x0;
    for (int k = 0; k < 12; ++k) {
        SCOPED_TRACE(k + 1);
        EXPECT_TRUE(follows_pen_model('9', x, layout.y0, 11.5, 20, 1));
        x = x + 11.5 + 0.4;
    }
}

}  // namespace
}  // namespace tracemill::testing
