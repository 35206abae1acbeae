// The brackets [ ] ( ) { } beyond the worked examples of
// tests/examples/brackets.txt: the pen model on either side of every layout
// switch and just inside the stroke limits, and what a limit passed by one
// ulp leaves out.
#include <gtest/gtest.h>

#include <cmath>

#include "outline_check.hpp"
#include "test_support.hpp"

namespace tracemill::testing {
namespace {

double below(double v) { return std::nextafter(v, 0.0); }
double above(double v) { return std::nextafter(v, 1e9); }

TEST(BracketsPenModel, EitherSideOfEveryLayoutSwitch) {
    struct Cell {
        unsigned char byte;
        double W, H, t;
    };
    const Cell cells[] = {
        // Parentheses: three-point arc against half circle at H − t = 0.6·W
        // (H 7), and the half circle's anchoring at 0.3·W + rho = W/2 (H 5).
        {'(', 10, below(7), 1}, {'(', 10, 7, 1}, {'(', 10, above(7), 1},
        {')', 10, below(7), 1}, {')', 10, 7, 1}, {')', 10, above(7), 1},
        {'(', 10, below(5), 1}, {'(', 10, 5, 1}, {'(', 10, above(5), 1}, {'(', 10, 4, 1},
        {')', 10, below(5), 1}, {')', 10, 5, 1}, {')', 10, above(5), 1}, {')', 10, 4, 1},
        // Braces: tall against short form at H − t = W (H 11).
        {'{', 10, below(11), 1}, {'{', 10, 11, 1}, {'{', 10, above(11), 1},
        {'}', 10, below(11), 1}, {'}', 10, 11, 1}, {'}', 10, above(11), 1},
        // Strokes just inside each limit: 0.6·W, H/2, W/2 (tall and short), H/3.
        {'[', 10, 15, below(6)}, {']', 10, 15, below(6)}, {'[', 10, 2, below(1)}, {']', 10, 2, below(1)},
        {'(', 10, 30, below(6)}, {')', 10, 30, below(6)}, {'(', 10, 2, below(1)}, {')', 10, 2, below(1)},
        {'{', 10, 30, below(5)}, {'}', 10, 30, below(5)}, {'{', 2, 10, below(1)}, {'}', 2, 10, below(1)},
        {'{', 10, 3, below(1)}, {'}', 10, 3, below(1)},
        // The default, a square and a wide cell.
        {'(', 2.1, 5, 0.3}, {'{', 2.1, 5, 0.3}, {')', 10, 10, 1}, {'}', 10, 10, 1},
        {'[', 20, 8, 1}, {'(', 20, 8, 1}, {'{', 20, 8, 1},
    };
    const Point corners[] = {{0, 0}, {-37.3, 52.9}};
    for (const auto& c : cells)
        for (const auto& p : corners) {
            SCOPED_TRACE(std::string(1, static_cast<char>(c.byte)) + " W " + std::to_string(c.W) +
                         " H " + std::to_string(c.H) + " t " + std::to_string(c.t));
            EXPECT_TRUE(follows_pen_model(c.byte, p.x, p.y + c.H, c.W, c.H, c.t));
        }
}

TEST(Brackets, LimitPassedByOneUlpLeavesOutOnlyTheVanishedPieces) {
    // H/2 just above t: the inner stem edge of a square bracket, the inner
    // half circle of a parenthesis have no length.
    const double h2 = above(2.0);
    for (unsigned char b : {'[', ']', '(', ')'}) {
        const auto g = draw_glyph(b, 0, h2, 10, h2, 1);
        SCOPED_TRACE(std::string(1, static_cast<char>(b)));
        EXPECT_EQ(g.stop, "");
        EXPECT_EQ(g.dropped, 1u);
        EXPECT_TRUE(follows_pen_model(b, 0, h2, 10, h2, 1));
    }
    // W/2 just above t in a tall cell: the four inner arcs W/4 − r vanish.
    // H/3 just above t: the four inner arcs H/4 − 1.5r of the short form.
    const double w2 = above(2.0), h3 = above(3.0);
    for (unsigned char b : {'{', '}'}) {
        SCOPED_TRACE(std::string(1, static_cast<char>(b)));
        auto g = draw_glyph(b, 0, 30, w2, 30, 1);
        EXPECT_EQ(g.stop, "");
        EXPECT_EQ(g.entities.size(), 17u);
        EXPECT_EQ(g.dropped, 4u);
        EXPECT_TRUE(follows_pen_model(b, 0, 30, w2, 30, 1));
        g = draw_glyph(b, 0, h3, 10, h3, 1);
        EXPECT_EQ(g.stop, "");
        EXPECT_EQ(g.entities.size(), 11u);
        EXPECT_EQ(g.dropped, 4u);
        EXPECT_TRUE(follows_pen_model(b, 0, h3, 10, h3, 1));
    }
}

}  // namespace
}  // namespace tracemill::testing
