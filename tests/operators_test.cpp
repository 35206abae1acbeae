// The operators < > + = ^ ~ against the pen model in each of their layouts
// and at the last stroke width each test lets through. The entity values
// themselves are checked in tests/examples/operators.txt.
#include <gtest/gtest.h>

#include <cmath>

#include "outline_check.hpp"
#include "stroke_limit.hpp"
#include "test_support.hpp"

namespace tracemill::testing {
namespace {

TEST(Operators, EveryLayoutFollowsThePenModel) {
    struct Layout {
        char byte;
        double W, H, t;
        const char* why;
    };
    const Layout layouts[] = {
        {'<', 10, 15, 1, "the usual slope"},
        {'<', 20, 1.5, 0.5, "nearly flat arms"},
        {'>', 7.5, 10, 7, "steep arms, the first test binds"},
        {'+', 10, 15, 1, "W < H"},
        {'+', 20, 15, 1, "W > H"},
        {'+', 10, 10, 1, "W = H"},
        {'=', 3, 15, 0.9, "bars wider than the cell is tall"},
        {'^', 10, 15, 1, "width-limited arms"},
        {'^', 20, 15, 1, "depth-limited arms"},
        {'^', 10.500000000000016, 15, 1, "a = b exactly: width-limited"},
        {'~', 10, 15, 1, "half circles"},
        {'~', 14, 20, 1, "0.35·H = W/2 exactly: half circles"},
        {'~', 20, 15, 1, "flat arcs"},
        {'~', 40, 4, 0.5, "very flat arcs"},
    };
    for (const auto& l : layouts) {
        SCOPED_TRACE(std::string("glyph ") + l.byte + ", " + l.why);
        EXPECT_TRUE(follows_pen_model(static_cast<unsigned char>(l.byte), -2.5, 7.25, l.W, l.H, l.t));
    }
    // Each glyph at the defaults, in a square and in a wide cell.
    for (const char byte : {'<', '>', '+', '=', '^', '~'}) {
        SCOPED_TRACE(std::string("glyph ") + byte);
        EXPECT_TRUE(follows_pen_model(static_cast<unsigned char>(byte), 0, 5, 2.1, 5, 0.3));
        EXPECT_TRUE(follows_pen_model(static_cast<unsigned char>(byte), 4, 10, 10, 10, 1));
        EXPECT_TRUE(follows_pen_model(static_cast<unsigned char>(byte), 4, 10, 30, 8, 1.1));
    }
}

// At the last passing stroke the outline must still close: the notch of '<'
// and '>' reaches the arms' ends, the plus's bars and the caret's inner arms
// shrink to nothing, the tilde's inner arcs to radius zero. What prints as
// degenerate is left out, and the caps then meet each other. One ulp more
// and the glyph stops with its message.
TEST(Operators, LastPassingStrokeStillClosesTheOutline) {
    struct Cell {
        double W, H;
    };
    const Cell cells[] = {{10, 15}, {20, 4}, {7.5, 10}, {3, 15}, {10, 10}, {14, 20}};
    for (const char byte : {'<', '>', '+', '=', '^', '~'}) {
        for (const auto& c : cells) {
            const double t = last_passing_stroke(static_cast<unsigned char>(byte), c.W, c.H);
            SCOPED_TRACE(std::string("glyph ") + byte + " W " + std::to_string(c.W) + " H " +
                         std::to_string(c.H) + " t " + std::to_string(t));
            if (!(t < std::min(c.W, c.H) * (1 - 1e-12))) continue;  // only the run's own check binds
            EXPECT_TRUE(follows_pen_model(static_cast<unsigned char>(byte), 0, c.H, c.W, c.H, t));
            const auto past = draw_glyph(static_cast<unsigned char>(byte), 0, c.H, c.W, c.H,
                                         std::nextafter(t, 2 * t));
            EXPECT_TRUE(past.entities.empty());
            EXPECT_TRUE(past.stop.ends_with(" 未満です。\n　"));
        }
    }
}

}  // namespace
}  // namespace tracemill::testing
