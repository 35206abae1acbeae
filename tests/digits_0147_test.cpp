// The digits 0, 1, 4 and 7: worked examples byte-exact, every layout of the
// '0' (the exact circle included), every test with its message, the cases
// where a test or a layout switch is decided by one ulp, and the pen model
// over the family's own grid of cells and strokes.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "generation.hpp"
#include "outline_check.hpp"
#include "test_support.hpp"

namespace tracemill::testing {
namespace {

// The cell of the worked examples: top-left (0, H).
GlyphRun at_origin(unsigned char byte, double W, double H, double t) {
    return draw_glyph(byte, 0, H, W, H, t);
}

double below(double v) { return std::nextafter(v, 0.0); }
double above(double v) { return std::nextafter(v, std::numeric_limits<double>::infinity()); }

std::string message(const char* name, const char* value) {
    return std::string("文字の ") + name + " の 線幅 は " + value + " 未満です。\n　";
}

int count_of(const std::vector<Entity>& es, auto pred) {
    int n = 0;
    for (const auto& e : es) n += pred(e) ? 1 : 0;
    return n;
}
bool is_line(const Entity& e) { return std::holds_alternative<Line>(e); }
bool is_arc(const Entity& e) { return std::holds_alternative<Arc>(e); }

// No record of the glyph may carry a radius that prints as zero or negative,
// nor a line whose two ends print the same.
void expect_nothing_degenerate(const GlyphRun& g) {
    for (const auto& e : g.entities) {
        if (const auto* l = std::get_if<Line>(&e)) {
            EXPECT_FALSE(fixed9(l->from.x) == fixed9(l->to.x) && fixed9(l->from.y) == fixed9(l->to.y))
                << records({e});
        } else {
            const double R = is_arc(e) ? std::get<Arc>(e).radius : std::get<Circle>(e).radius;
            EXPECT_TRUE(fixed9(R)[0] != '-' && fixed9(R) != "0.000000000") << records({e});
        }
    }
}

// The largest stroke that still draws, by bisection down to adjacent doubles.
double largest_stroke(unsigned char byte, double W, double H) {
    double lo = 0, hi = std::min(W, H);
    while (above(lo) < hi) {
        const double mid = lo + (hi - lo) / 2;
        if (mid <= lo || mid >= hi) break;
        (at_origin(byte, W, H, mid).stop.empty() ? lo : hi) = mid;
    }
    return lo;
}

// --- '0' ----------------------------------------------------------------------

TEST(DigitZero, TallOvalWorkedExample) {
    // H − t = 14 > 0.46W = 4.6: half circles of radius 2.3 top and bottom.
    const auto g = at_origin('0', 10, 15, 1);
    EXPECT_EQ(g.stop, "");
    EXPECT_EQ(records(g.entities),
              arc_rec(5, 12.2, 2.3, 0, 180, 4) + arc_rec(5, 2.8, 2.3, -180, 0, 4) +
                  line_rec(2.7, 12.2, 2.7, 2.8, 4) + line_rec(7.3, 12.2, 7.3, 2.8, 4) +
                  arc_rec(5, 12.2, 2.8, 0, 180, 6) + arc_rec(5, 2.8, 2.8, -180, 0, 6) +
                  line_rec(2.2, 12.2, 2.2, 2.8, 6) + line_rec(7.8, 12.2, 7.8, 2.8, 6) +
                  arc_rec(5, 12.2, 1.8, 0, 180, 6) + arc_rec(5, 2.8, 1.8, -180, 0, 6) +
                  line_rec(3.2, 12.2, 3.2, 2.8, 6) + line_rec(6.8, 12.2, 6.8, 2.8, 6));
    // The DXF text of the first two records, character for character.
    std::string dxf;
    append_entity(dxf, g.entities[0]);
    append_entity(dxf, g.entities[6]);
    EXPECT_EQ(dxf,
              "  0\r\nARC\r\n  8\r\n1\r\n 10\r\n5.000000000\r\n 20\r\n12.200000000\r\n"
              " 40\r\n2.300000000\r\n 50\r\n0.000000000\r\n 51\r\n180.000000000\r\n 62\r\n4\r\n"
              "  0\r\nLINE\r\n  8\r\n1\r\n 10\r\n2.200000000\r\n 20\r\n12.200000000\r\n"
              " 30\r\n0.0\r\n 11\r\n2.200000000\r\n 21\r\n2.800000000\r\n 31\r\n0.0\r\n 62\r\n6\r\n");
}

TEST(DigitZero, OuterOutlineTouchesTopAndBottom) {
    const auto g = at_origin('0', 10, 15, 1);
    const auto& top = std::get<Arc>(g.entities[4]);
    const auto& bottom = std::get<Arc>(g.entities[5]);
    EXPECT_DOUBLE_EQ(top.centre.y + top.radius, 15);
    EXPECT_DOUBLE_EQ(bottom.centre.y - bottom.radius, 0);
}

TEST(DigitZero, ExactCircle) {
    // 0.46 × 25 is exactly 11.5 in double arithmetic, and so is H − t.
    ASSERT_EQ(0.46 * 25, 11.5);
    const auto g = at_origin('0', 25, 12.5, 1);
    EXPECT_EQ(g.stop, "");
    EXPECT_EQ(records(g.entities), circle_rec(12.5, 6.25, 5.75, 4) + circle_rec(12.5, 6.25, 6.25, 6) +
                                       circle_rec(12.5, 6.25, 5.25, 6));
    EXPECT_EQ(records(g.entities),
              "  0\nCIRCLE\n  8\n1\n 10\n12.500000000\n 20\n6.250000000\n 40\n5.750000000\n 62\n4\n"
              "  0\nCIRCLE\n  8\n1\n 10\n12.500000000\n 20\n6.250000000\n 40\n6.250000000\n 62\n6\n"
              "  0\nCIRCLE\n  8\n1\n 10\n12.500000000\n 20\n6.250000000\n 40\n5.250000000\n 62\n6\n");
}

TEST(DigitZero, WideOvalWorkedExample) {
    // H − t = 4 < 4.6: half circles of radius 2 left and right.
    const auto g = at_origin('0', 10, 5, 1);
    EXPECT_EQ(g.stop, "");
    EXPECT_EQ(records(g.entities),
              arc_rec(4.7, 2.5, 2, 90, 270, 4) + arc_rec(5.3, 2.5, 2, -90, 90, 4) +
                  line_rec(4.7, 0.5, 5.3, 0.5, 4) + line_rec(4.7, 4.5, 5.3, 4.5, 4) +
                  arc_rec(4.7, 2.5, 2.5, 90, 270, 6) + arc_rec(5.3, 2.5, 2.5, -90, 90, 6) +
                  line_rec(4.7, 0, 5.3, 0, 6) + line_rec(4.7, 5, 5.3, 5, 6) +
                  arc_rec(4.7, 2.5, 1.5, 90, 270, 6) + arc_rec(5.3, 2.5, 1.5, -90, 90, 6) +
                  line_rec(4.7, 1, 5.3, 1, 6) + line_rec(4.7, 4, 5.3, 4, 6));
}

TEST(DigitZero, OneUlpEitherSideOfTheCircle) {
    // One ulp taller than the circle: the tall oval, whose vertical sides
    // have no printable length and are left out; the half circles remain.
    auto g = at_origin('0', 25, above(12.5), 1);
    ASSERT_GT(above(12.5) - 1, 0.46 * 25);
    EXPECT_EQ(g.stop, "");
    EXPECT_EQ(count_of(g.entities, is_arc), 6);
    EXPECT_EQ(count_of(g.entities, is_line), 0);
    EXPECT_EQ(g.dropped, 6u);
    EXPECT_EQ(std::get<Arc>(g.entities[0]).start_deg, 0);
    expect_nothing_degenerate(g);
    EXPECT_TRUE(follows_pen_model('0', 0, above(12.5), 25, above(12.5), 1));
    // One ulp shorter: the wide oval, its horizontal sides left out likewise.
    g = at_origin('0', 25, below(12.5), 1);
    ASSERT_LT(below(12.5) - 1, 0.46 * 25);
    EXPECT_EQ(count_of(g.entities, is_arc), 6);
    EXPECT_EQ(count_of(g.entities, is_line), 0);
    EXPECT_EQ(std::get<Arc>(g.entities[0]).start_deg, 90);
    expect_nothing_degenerate(g);
    EXPECT_TRUE(follows_pen_model('0', 0, below(12.5), 25, below(12.5), 1));
}

TEST(DigitZero, WideOvalWithSidesOfRoundingLength) {
    // 0.46 × 65 = 29.900000000000002 exceeds H − t = 29.9 by rounding alone:
    // the wide oval, with sides about 7e-15 long that must not be written.
    ASSERT_LT(30 - 0.1, 0.46 * 65);
    const auto g = at_origin('0', 65, 30, 0.1);
    EXPECT_EQ(g.stop, "");
    EXPECT_EQ(count_of(g.entities, is_line), 0);
    EXPECT_EQ(g.dropped, 6u);
    EXPECT_EQ(records(g.entities),
              arc_rec(32.5, 15, 14.95, 90, 270, 4) + arc_rec(32.5, 15, 14.95, -90, 90, 4) +
                  arc_rec(32.5, 15, 15, 90, 270, 6) + arc_rec(32.5, 15, 15, -90, 90, 6) +
                  arc_rec(32.5, 15, 14.9, 90, 270, 6) + arc_rec(32.5, 15, 14.9, -90, 90, 6));
    EXPECT_TRUE(follows_pen_model('0', -7, 30, 65, 30, 0.1));
}

TEST(DigitZero, CounterOfZeroRadiusIsNotWritten) {
    // 0.46 × 10 = 4.6000000000000005 passes the first test against t = 4.6
    // by one ulp: the counter's radius prints as zero, and neither its arcs
    // nor its sides (a slit covered by the pen) are written.
    ASSERT_GT(0.46 * 10, 4.6);
    auto g = at_origin('0', 10, 46, 4.6);
    EXPECT_EQ(g.stop, "");
    EXPECT_EQ(records(g.entities),
              arc_rec(5, 41.4, 2.3, 0, 180, 4) + arc_rec(5, 4.6, 2.3, -180, 0, 4) +
                  line_rec(2.7, 41.4, 2.7, 4.6, 4) + line_rec(7.3, 41.4, 7.3, 4.6, 4) +
                  arc_rec(5, 41.4, 4.6, 0, 180, 6) + arc_rec(5, 4.6, 4.6, -180, 0, 6) +
                  line_rec(0.4, 41.4, 0.4, 4.6, 6) + line_rec(9.6, 41.4, 9.6, 4.6, 6));
    EXPECT_TRUE(follows_pen_model('0', 3, 46, 10, 46, 4.6));

    // The same in the wide oval: H / 2 = 4 passes against the stroke one ulp
    // below it.
    g = at_origin('0', 40, 8, below(4));
    EXPECT_EQ(g.stop, "");
    EXPECT_EQ(count_of(g.entities, is_arc), 4);
    EXPECT_EQ(count_of(g.entities, is_line), 4);
    expect_nothing_degenerate(g);
    EXPECT_TRUE(follows_pen_model('0', 3, 8, 40, 8, below(4)));

    // And in the circle: H − t equals K exactly, K exceeds t by two ulps.
    const double t = below(4.6);
    ASSERT_EQ(9.2 - t, 0.46 * 10);
    g = at_origin('0', 10, 9.2, t);
    EXPECT_EQ(g.stop, "");
    EXPECT_EQ(records(g.entities), circle_rec(5, 4.6, 2.3, 4) + circle_rec(5, 4.6, 4.6, 6));
    EXPECT_TRUE(follows_pen_model('0', 3, 9.2, 10, 9.2, t));
}

TEST(DigitZero, WidthTests) {
    // First test: 0.46W = 4.6 is not above 5.
    auto g = at_origin('0', 10, 15, 5);
    EXPECT_TRUE(g.entities.empty());
    EXPECT_EQ(g.stop, message("ゼロ", "4.6"));
    // Second test: H / 2 equal to t fails.
    g = at_origin('0', 20, 8, 4);
    EXPECT_TRUE(g.entities.empty());
    EXPECT_EQ(g.stop, message("ゼロ", "4.0"));
    // First test at equality: 0.46 × 25 = 11.5.
    g = at_origin('0', 25, 40, 11.5);
    EXPECT_EQ(g.stop, message("ゼロ", "11.5"));
    // Both fail: the first test speaks.
    g = at_origin('0', 10, 8, 5);
    EXPECT_EQ(g.stop, message("ゼロ", "4.6"));
}

// --- '1' ----------------------------------------------------------------------

TEST(DigitOne, WorkedExample) {
    // u = 0.25W = 2.5; the flag leaves the stem top at 45 degrees.
    const auto g = at_origin('1', 10, 15, 1);
    EXPECT_EQ(g.stop, "");
    EXPECT_EQ(records(g.entities),
              line_rec(5.5, 0.5, 5.5, 14.5, 4) + line_rec(3, 12, 5.5, 14.5, 4) +
                  arc_rec(5.5, 0.5, 0.5, -180, 0, 6) + arc_rec(5.5, 14.5, 0.5, 0, 135, 6) +
                  arc_rec(3, 12, 0.5, 135, 315, 6) +
                  line_rec(5, 0.5, 5, 13.292893219, 6) + line_rec(6, 0.5, 6, 14.5, 6) +
                  line_rec(3.353553391, 11.646446609, 5, 13.292893219, 6) +
                  line_rec(2.646446609, 12.353553391, 5.146446609, 14.853553391, 6));
}

TEST(DigitOne, FlagLengthFollowsTheSmallerSide) {
    // W ≥ H: u = 0.25H = 3.75.
    auto g = at_origin('1', 20, 15, 1);
    EXPECT_EQ(std::get<Line>(g.entities[1]), (Line{{7.25, 10.75}, {11, 14.5}, Colour::CentreLine}));
    // The inner corner does not depend on u.
    EXPECT_EQ(fixed9(std::get<Line>(g.entities[5]).to.y), "13.292893219");
    // A tie takes H; the value is the same.
    g = at_origin('1', 12, 12, 1);
    EXPECT_EQ(std::get<Line>(g.entities[1]).from, (Point{0.55 * 12 - 0.25 * 12, 12 - 0.5 - 0.25 * 12}));
}

TEST(DigitOne, WidthTests) {
    auto g = at_origin('1', 4, 15, 1);  // 0.25W = 1 equals t
    EXPECT_TRUE(g.entities.empty());
    EXPECT_EQ(g.stop, message("1", "1.0"));
    g = at_origin('1', 10, 3, 0.8);  // 0.25H = 0.75
    EXPECT_TRUE(g.entities.empty());
    EXPECT_EQ(g.stop, message("1", "0.8"));
    g = at_origin('1', 4, 3.6, 1);  // both fail: the width test speaks
    EXPECT_EQ(g.stop, message("1", "1.0"));
    g = at_origin('1', 10, 4.1, 1);
    EXPECT_EQ(g.stop, "");
    EXPECT_EQ(g.entities.size(), 9u);
}

// --- '4' ----------------------------------------------------------------------

TEST(DigitFour, WorkedExample) {
    // A = atan(10.75 / 7) ≈ 56.929 degrees; K1 ≈ (1.4222, 4.25); K2 ≈ (7, 12.8158).
    const auto g = at_origin('4', 10, 15, 1);
    EXPECT_EQ(g.stop, "");
    const double A = std::atan(std::fabs((0.75 * 15 - 0.5) / (0.75 * 10 - 0.5))) * 180 / kPi;
    EXPECT_EQ(fixed9(A), "56.929322177");
    EXPECT_EQ(records(g.entities),
              arc_rec(9.5, 3.75, 0.5, -90, 90, 6) + line_rec(0.5, 3.75, 9.5, 3.75, 4) +
                  line_rec(8, 3.25, 9.5, 3.25, 6) + line_rec(8, 4.25, 9.5, 4.25, 6) +
                  line_rec(0.5, 3.25, 7, 3.25, 6) + line_rec(1.42224147, 4.25, 7, 4.25, 6) +
                  arc_rec(0.5, 3.75, 0.5, 146.929322177, 270, 6) +
                  line_rec(7.5, 14.5, 0.5, 3.75, 4) +
                  line_rec(1.42224147, 4.25, 7, 12.815843456, 6) +
                  line_rec(0.081000958, 4.022836586, 7.081000958, 14.772836586, 6) +
                  arc_rec(7.5, 14.5, 0.5, 0, 146.929322177, 6) +
                  line_rec(7.5, 14.5, 7.5, 0.5, 4) + line_rec(7, 12.815843456, 7, 4.25, 6) +
                  line_rec(8, 14.5, 8, 4.25, 6) + line_rec(7, 3.25, 7, 0.5, 6) +
                  line_rec(8, 3.25, 8, 0.5, 6) + arc_rec(7.5, 0.5, 0.5, -180, 0, 6));
    // The corner arcs meet the diagonal's upper edge at exactly A + 90.
    EXPECT_EQ(std::get<Arc>(g.entities[6]).start_deg, A + 90);
    EXPECT_EQ(std::get<Arc>(g.entities[10]).end_deg, A + 90);
}

TEST(DigitFour, WidthTests) {
    auto g = at_origin('4', 4, 15, 1);
    EXPECT_TRUE(g.entities.empty());
    EXPECT_EQ(g.stop, message("4", "1.0"));
    g = at_origin('4', 10, 2, 0.5);  // 0.25H = 0.5 equals t
    EXPECT_TRUE(g.entities.empty());
    EXPECT_EQ(g.stop, message("4", "0.5"));
    g = at_origin('4', 4, 3.6, 1);  // both fail: the width test speaks
    EXPECT_EQ(g.stop, message("4", "1.0"));
}

// --- '7' ----------------------------------------------------------------------

TEST(DigitSeven, WorkedExample) {
    // A = atan(14 / 5.5) ≈ 68.552 degrees; K ≈ (8.7664, 14).
    const auto g = at_origin('7', 10, 15, 1);
    EXPECT_EQ(g.stop, "");
    EXPECT_EQ(records(g.entities),
              arc_rec(0.5, 14.5, 0.5, 90, 270, 6) + line_rec(0.5, 15, 9.5, 15, 6) +
                  line_rec(0.5, 14.5, 9.5, 14.5, 4) + line_rec(0.5, 14, 8.766371109, 14, 6) +
                  arc_rec(9.5, 14.5, 0.5, -21.447736327, 90, 6) +
                  line_rec(3.534624253, 0.682826186, 8.766371109, 14, 6) +
                  line_rec(4, 0.5, 9.5, 14.5, 4) +
                  line_rec(4.465375747, 0.317173814, 9.965375747, 14.317173814, 6) +
                  arc_rec(4, 0.5, 0.5, 158.552263673, 338.552263673, 6));
}

TEST(DigitSeven, WidthTestsInOrder) {
    // Test 1: W / 1.5 = 2 equals t.
    auto g = at_origin('7', 3, 15, 2);
    EXPECT_TRUE(g.entities.empty());
    EXPECT_EQ(g.stop, message("7", "2.0"));
    // Test 2: H / 1.9 = 2 equals t.
    ASSERT_EQ(3.8 / 1.9, 2.0);
    g = at_origin('7', 10, 3.8, 2);
    EXPECT_EQ(g.stop, message("7", "2.0"));
    g = at_origin('7', 2.4, 3.4, 2);  // both fail: 1.6 before 1.8
    EXPECT_EQ(g.stop, message("7", "1.6"));
    // Test 3: the bar's lower edge would end left of its start; 5.846.
    g = at_origin('7', 10, 15, 6);
    EXPECT_TRUE(g.entities.empty());
    EXPECT_EQ(g.stop, message("7", "5.8"));
    // Test 4: the diagonal's upper edge would start above the bar; 3.403.
    g = at_origin('7', 100, 7, 3.6);
    EXPECT_TRUE(g.entities.empty());
    EXPECT_EQ(g.stop, message("7", "3.4"));
}

TEST(DigitSeven, EdgesOfNoLengthAtTheLimits) {
    // At the largest stroke that passes test 3, K falls on the bar's left end
    // and the bar's lower edge shrinks to nothing; at the largest that passes
    // test 4, the diagonal's upper edge does. Whatever is written stays a
    // closed outline at distance r.
    for (const auto& [W, H] : {std::pair{10.0, 15.0}, std::pair{100.0, 7.0}}) {
        const double t = largest_stroke('7', W, H);
        SCOPED_TRACE("W = " + std::to_string(W) + ", t = " + std::to_string(t));
        const auto g = at_origin('7', W, H, t);
        EXPECT_EQ(g.stop, "");
        EXPECT_FALSE(at_origin('7', W, H, above(t)).stop.empty());
        expect_nothing_degenerate(g);
        EXPECT_TRUE(follows_pen_model('7', 1.5, H, W, H, t));
    }
}

// --- the family against the pen model ------------------------------------------

// The cells of the worked examples, the '0' layout switches, and square, wide
// and tall cells, each with ordinary strokes and the largest stroke that still
// draws (and the one just below it).
TEST(Digits0147, PenModelOverTheFamilyGrid) {
    struct Cell {
        double W, H;
    };
    const Cell cells[] = {
        {10, 15},  {10, 5},  {20, 15},  {100, 7}, {25, 12.5}, {25, above(12.5)}, {25, below(12.5)},
        {65, 30},  {10, 46}, {10, 9.2}, {40, 8},  {12, 12},   {2.1, 5},          {5, 5},
        {10, 2.1}, {1, 30},  {30, 1},   {4.6, 4}, {4.6, 6},   {1e4, 3e4},
    };
    int drawn = 0;
    for (unsigned char byte : {'0', '1', '4', '7'}) {
        for (const auto& c : cells) {
            const double limit = largest_stroke(byte, c.W, c.H);
            const double strokes[] = {0.3, 0.01 * c.W, 0.1 * std::min(c.W, c.H), limit,
                                      below(limit), limit * (1 - 1e-9)};
            for (double t : strokes) {
                if (!(t > 0)) continue;
                SCOPED_TRACE(std::string("glyph '") + static_cast<char>(byte) + "', W " +
                             std::to_string(c.W) + ", H " + std::to_string(c.H) + ", t " +
                             std::to_string(t));
                const auto g = draw_glyph(byte, -2.3 * c.W, 1.7 * c.H, c.W, c.H, t);
                EXPECT_FALSE(g.non_finite);
                if (!g.stop.empty()) continue;
                ++drawn;
                expect_nothing_degenerate(g);
                EXPECT_TRUE(follows_pen_model(byte, -2.3 * c.W, 1.7 * c.H, c.W, c.H, t));
            }
        }
    }
    EXPECT_GT(drawn, 300);  // the grid really draws
    // The layout switches of '0' with the example stroke.
    for (const auto& [W, H, t] : {std::tuple{25.0, 12.5, 1.0}, std::tuple{65.0, 30.0, 0.1},
                                  std::tuple{10.0, 46.0, 4.6}}) {
        EXPECT_TRUE(follows_pen_model('0', 11, -4, W, H, t));
    }
}

TEST(Digits0147, DrawnByTheRun) {
    // "7014" in cells where '7' and '0' fit but '1' does not (0.25W = 2.5 is
    // not above 3): the run draws the frame, the '7' and the '0', then stops
    // after the '1' with its message; nothing of the '1' or the '4' is drawn.
    TextParameters p;
    p.char_width = 10;
    p.char_height = 15;
    p.line_width = 3;
    p.char_spacing = 1;
    ASSERT_FALSE(validate(p, "", "7014", false).has_value());
    const auto layout = measure_text(p, "7014").value();
    EntityList list;
    EXPECT_EQ(draw_text(p, "7014", layout, list), message("1", "2.5"));
    std::vector<Entity> expected(list.entities.begin(), list.entities.begin() + 4);  // the frame
    double x = layout.x0;
    for (unsigned char byte : {'7', '0'}) {
        const auto g = draw_glyph(byte, x, layout.y0, 10, 15, 3);
        ASSERT_EQ(g.stop, "");
        expected.insert(expected.end(), g.entities.begin(), g.entities.end());
        x = x + 10 + 1;
    }
    EXPECT_EQ(list.entities, expected);
}

}  // namespace
}  // namespace tracemill::testing
