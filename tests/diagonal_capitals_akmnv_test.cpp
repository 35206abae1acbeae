// The diagonal capitals A K M N V at the limits of their tests: the pen model
// with the largest stroke that still draws, in cells where each test is the
// one that binds, and what remains when a test that guards a sharp corner
// passes by one ulp. (Worked examples and messages: the examples data file.)
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "outline_check.hpp"
#include "stroke_limit.hpp"
#include "test_support.hpp"

namespace tracemill::testing {
namespace {

bool has_degenerate_line(const std::vector<Entity>& entities) {
    return std::any_of(entities.begin(), entities.end(), [](const Entity& e) {
        const auto* l = std::get_if<Line>(&e);
        return l != nullptr && fixed9(l->from.x) == fixed9(l->to.x) &&
               fixed9(l->from.y) == fixed9(l->to.y);
    });
}

// Cells in which the named test binds (found with the reference script); at
// the limit the tests that guard a sharp corner tie, and the segments that
// close up are left out.
struct LimitCase {
    char byte;
    double W, H;
    const char* binding;     // which test stops the next larger stroke
    std::size_t entities;    // what the glyph emits at the limit
    std::size_t dropped;     // the segments of zero length
};

constexpr LimitCase kLimits[] = {
    // The counter above A's crossbar shrinks to a point: its three sides go.
    {'A', 1, 1, "third", 11, 3},
    {'A', 10, 15, "third", 11, 3},
    // 0.35·H: the crossbar's lower side still clears the feet.
    {'A', 2, 1, "second", 14, 0},
    // The arms' outer sides meet the stem's right side at its ends.
    {'K', 1, 1, "third", 12, 2},
    {'K', 4, 6, "third", 12, 2},
    // The V's lower sides meet the stems' inner sides at the feet.
    {'M', 1, 1, "third", 15, 2},
    {'M', 20, 4, "third", 15, 2},
    // The diagonal's sides meet the stems' inner sides at their far ends.
    {'N', 1, 1, "third", 11, 2},
    {'N', 20, 4, "third", 11, 2},
    // V's notch reaches the upper ends of the inner sides.
    {'V', 1, 1, "second", 7, 2},
    // W/1.4, where nothing closes up.
    {'V', 4, 3, "first", 9, 0},
};

TEST(DiagonalCapitalsAKMNV, AtEachLimitThePenModelHoldsAndNothingIsEmpty) {
    for (const auto& c : kLimits) {
        for (const double x : {0.0, -7.3}) {
            const double y = 2.9 * c.H;
            const auto byte = static_cast<unsigned char>(c.byte);
            const double t = last_passing_stroke(byte, x, y, c.W, c.H);
            SCOPED_TRACE(std::string("glyph ") + c.byte + " W " + std::to_string(c.W) + " H " +
                         std::to_string(c.H) + " x " + std::to_string(x) + ", " + c.binding +
                         " test, t = " + std::to_string(t));
            ASSERT_GT(t, 0);
            const auto g = draw_glyph(byte, x, y, c.W, c.H, t);
            EXPECT_EQ(g.entities.size(), c.entities);
            EXPECT_EQ(g.dropped, c.dropped);
            EXPECT_FALSE(has_degenerate_line(g.entities));
            EXPECT_TRUE(follows_pen_model(byte, x, y, c.W, c.H, t));
            const auto past = draw_glyph(byte, x, y, c.W, c.H, std::nextafter(t, INFINITY));
            EXPECT_FALSE(past.stop.empty());
            EXPECT_TRUE(past.entities.empty());
        }
    }
}

// The default, square and wide cells, and strokes a little under each limit,
// where every segment is still there.
TEST(DiagonalCapitalsAKMNV, PenModelInTheUsualCells) {
    struct Cell {
        double W, H, t;
    };
    const Cell cells[] = {{2.1, 5, 0.3}, {10, 10, 1}, {30, 6, 1.1}, {4, 16, 0.9}};
    for (const char byte : {'A', 'K', 'M', 'N', 'V'}) {
        const auto b = static_cast<unsigned char>(byte);
        for (const auto& c : cells) {
            SCOPED_TRACE(std::string("glyph ") + byte + " W " + std::to_string(c.W) + " H " +
                         std::to_string(c.H));
            EXPECT_TRUE(follows_pen_model(b, 1.5, 4, c.W, c.H, c.t));
            const double limit = last_passing_stroke(b, 1.5, 4, c.W, c.H);
            const auto g = draw_glyph(b, 1.5, 4, c.W, c.H, limit * (1 - 1e-6));
            EXPECT_EQ(g.dropped, 0u);
            EXPECT_TRUE(follows_pen_model(b, 1.5, 4, c.W, c.H, limit * (1 - 1e-6)));
        }
    }
}

}  // namespace
}  // namespace tracemill::testing
