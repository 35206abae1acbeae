// The lower-case i, j, l, t and f against the pen model at their layout
// switches (exactly on them and one ulp either side), at the strokes where a
// test passes by one ulp, and at the largest stroke each cell allows. The
// entity lists themselves are data in tests/examples/lower_ijltf.txt.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "outline_check.hpp"
#include "test_support.hpp"

namespace tracemill::testing {
namespace {

double below(double v) { return std::nextafter(v, 0.0); }
double above(double v) { return std::nextafter(v, std::numeric_limits<double>::infinity()); }

// No record may carry a radius that prints as zero or negative, nor a line
// whose two ends print the same.
void expect_nothing_degenerate(const GlyphRun& g) {
    for (const auto& e : g.entities) {
        if (const auto* l = std::get_if<Line>(&e)) {
            EXPECT_FALSE(fixed9(l->from.x) == fixed9(l->to.x) && fixed9(l->from.y) == fixed9(l->to.y))
                << records({e});
        } else {
            const double R = std::holds_alternative<Arc>(e) ? std::get<Arc>(e).radius
                                                            : std::get<Circle>(e).radius;
            EXPECT_TRUE(fixed9(R)[0] != '-' && fixed9(R) != "0.000000000") << records({e});
        }
    }
}

// Every check is made off the origin, so that the cell position enters every
// number (the late tests of 't' and 'f' round differently there).
double x_of(double W) { return -1.3 * W; }
double y_of(double H) { return 2.1 * H; }

// The largest stroke that still draws the whole glyph, by bisection down to
// adjacent doubles.
double largest_stroke(unsigned char byte, double W, double H) {
    double lo = 0, hi = std::min(W, H);
    while (above(lo) < hi) {
        const double mid = lo + (hi - lo) / 2;
        if (mid <= lo || mid >= hi) break;
        (draw_glyph(byte, x_of(W), y_of(H), W, H, mid).stop.empty() ? lo : hi) = mid;
    }
    return lo;
}

void expect_pen_model(unsigned char byte, double W, double H, double t) {
    SCOPED_TRACE(std::string("glyph '") + static_cast<char>(byte) + "', W " + std::to_string(W) +
                 ", H " + std::to_string(H) + ", t " + std::to_string(t));
    const double x = x_of(W), y = y_of(H);
    const auto g = draw_glyph(byte, x, y, W, H, t);
    ASSERT_EQ(g.stop, "");
    expect_nothing_degenerate(g);
    EXPECT_TRUE(follows_pen_model(byte, x, y, W, H, t));
}

// The layout switches: j's and t's hooks (room as tall as wide), f's hook
// (W against H) and f's crossbar (W against 2H, 2W against H).
struct Switch {
    unsigned char glyph;
    double W, H, t;
};
constexpr Switch kSwitches[] = {
    {'j', 5.8, 10, 1},    // Jh = Jw = 4.5
    {'t', 6.5, 10, 0.8},  // Th = Tw = 4.3999999999999995
    {'f', 10, 10, 1},     // W = H
    {'f', 30, 15, 1},     // W = 2H
    {'f', 7.5, 15, 1},    // 2W = H
};

TEST(LowerIjltf, LayoutSwitchesFollowThePenModel) {
    for (const auto& s : kSwitches) {
        for (double W : {below(s.W), s.W, above(s.W)}) expect_pen_model(s.glyph, W, s.H, s.t);
    }
}

TEST(LowerIjltf, HookChoosesItsFormAtTheTie) {
    // Exactly on the tie the half circle is drawn; one ulp wider, the two
    // quarter circles, whose straight piece has no printable length.
    const auto is_half_circle = [](const Entity& e) {
        const auto* a = std::get_if<Arc>(&e);
        return a != nullptr && a->end_deg - a->start_deg == 180;
    };
    for (const auto& s : {kSwitches[0], kSwitches[1]}) {
        const std::size_t hook = s.glyph == 'j' ? 3 : 10;  // the hook's first entity
        auto g = draw_glyph(s.glyph, 0, s.H, s.W, s.H, s.t);
        EXPECT_TRUE(is_half_circle(g.entities.at(hook))) << s.glyph;
        g = draw_glyph(s.glyph, 0, s.H, above(s.W), s.H, s.t);
        EXPECT_FALSE(is_half_circle(g.entities.at(hook))) << s.glyph;
        EXPECT_EQ(g.dropped, 3u) << s.glyph;  // the flat piece's three lines
    }
    // 'f' one ulp wider than tall: the quarter circles meet, their flat top
    // has no length.
    const auto g = draw_glyph('f', 0, 10, above(10), 10, 1);
    EXPECT_EQ(std::get<Arc>(g.entities.at(1)).start_deg, 90);
    EXPECT_EQ(g.dropped, 3u);
}

TEST(LowerIjltf, FirstTestsPassingByOneUlp) {
    // The hook's counter (radius Q − r) shrinks to nothing; its arc is left
    // out and the outline still closes through the end cap and the stem. In
    // 't' the same test (0.4W > t) also gives the crossbar's stub left of the
    // stem its length: both of its edges go too.
    struct Tie {
        Switch cell;
        std::size_t dropped;
    };
    for (const auto& [s, dropped] : {Tie{{'j', 3.45, 30, 1.5}, 1}, Tie{{'j', 3.91, 34, 1.7}, 1},
                                     Tie{{'t', 1.5, 5, 0.6}, 3}, Tie{{'f', 3, 15, below(1)}, 1}}) {
        expect_pen_model(s.glyph, s.W, s.H, s.t);
        EXPECT_EQ(draw_glyph(s.glyph, 0, s.H, s.W, s.H, s.t).dropped, dropped) << s.glyph;
    }
}

TEST(LowerIjltf, LargestStrokesFollowThePenModel) {
    // Narrow, square, wide and very wide cells; in the wide ones the third
    // test of 't' and 'f' is the one that binds.
    const std::pair<double, double> cells[] = {{10, 15}, {2.1, 5}, {10, 10}, {20, 15},
                                               {13, 15}, {40, 15}, {1, 30},  {30, 1.3}};
    for (unsigned char byte : {'i', 'j', 'l', 't', 'f'}) {
        for (const auto& [W, H] : cells) {
            const double t = largest_stroke(byte, W, H);
            if (!(t > 0)) continue;
            expect_pen_model(byte, W, H, t);
            EXPECT_NE(draw_glyph(byte, x_of(W), y_of(H), W, H, above(t)).stop, "");
        }
    }
}

}  // namespace
}  // namespace tracemill::testing
