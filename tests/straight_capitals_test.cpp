// The straight capitals E F H I L T: the worked example byte-exact, an
// off-origin cell against an independent evaluation of the construction, the
// width tests and their messages, strokes whose tests pass by one ulp at a tie,
// and the pen model at the limits of each test.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "outline_check.hpp"
#include "test_support.hpp"

namespace tracemill::testing {
namespace {

// The common example cell: top-left (0, 15), 10 wide, 15 high, pen 1.
GlyphRun example(unsigned char byte) { return draw_glyph(byte, 0, 15, 10, 15, 1); }

// The outline arcs and lines of the example, worked out by hand from the
// construction: r = 0.5, skeleton at 0.5 inside the cell, half height 7.5.
std::string A(double cx, double cy, double a0, double a1) { return arc_rec(cx, cy, 0.5, a0, a1, 6); }
std::string C(double x1, double y1, double x2, double y2) { return line_rec(x1, y1, x2, y2, 4); }
std::string O(double x1, double y1, double x2, double y2) { return line_rec(x1, y1, x2, y2, 6); }

TEST(StraightCapitals, ExampleE) {
    const auto g = example('E');
    EXPECT_EQ(g.stop, "");
    EXPECT_EQ(records(g.entities),
              A(0.5, 14.5, 90, 180) + A(0.5, 0.5, 180, 270) + A(9.5, 14.5, -90, 90) +
                  A(6, 7.5, -90, 90) + A(9.5, 0.5, -90, 90) +
                  C(0.5, 14.5, 9.5, 14.5) + O(0.5, 15, 9.5, 15) + O(1, 14, 9.5, 14) +
                  C(0.5, 7.5, 6, 7.5) + O(1, 8, 6, 8) + O(1, 7, 6, 7) +
                  C(0.5, 0.5, 9.5, 0.5) + O(0.5, 0, 9.5, 0) + O(1, 1, 9.5, 1) +
                  C(0.5, 14.5, 0.5, 0.5) + O(0, 14.5, 0, 0.5) + O(1, 14, 1, 8) + O(1, 7, 1, 1));
}

TEST(StraightCapitals, ExampleF) {
    const auto g = example('F');
    EXPECT_EQ(g.stop, "");
    EXPECT_EQ(records(g.entities),
              A(0.5, 14.5, 90, 180) + A(0.5, 0.5, -180, 0) + A(9.5, 14.5, -90, 90) +
                  A(6, 7.5, -90, 90) +
                  C(0.5, 14.5, 9.5, 14.5) + O(0.5, 15, 9.5, 15) + O(1, 14, 9.5, 14) +
                  C(0.5, 7.5, 6, 7.5) + O(1, 8, 6, 8) + O(1, 7, 6, 7) +
                  C(0.5, 14.5, 0.5, 0.5) + O(0, 14.5, 0, 0.5) + O(1, 14, 1, 8) + O(1, 7, 1, 0.5));
}

TEST(StraightCapitals, ExampleH) {
    const auto g = example('H');
    EXPECT_EQ(g.stop, "");
    EXPECT_EQ(records(g.entities),
              A(0.5, 14.5, 0, 180) + A(0.5, 0.5, -180, 0) + A(9.5, 14.5, 0, 180) +
                  A(9.5, 0.5, -180, 0) +
                  C(0.5, 14.5, 0.5, 0.5) + O(0, 14.5, 0, 0.5) + O(1, 14.5, 1, 8) + O(1, 7, 1, 0.5) +
                  C(9.5, 14.5, 9.5, 0.5) + O(10, 14.5, 10, 0.5) + O(9, 14.5, 9, 8) +
                  O(9, 7, 9, 0.5) +
                  C(0.5, 7.5, 9.5, 7.5) + O(1, 8, 9, 8) + O(1, 7, 9, 7));
}

TEST(StraightCapitals, ExampleI) {
    const auto g = example('I');
    EXPECT_EQ(g.stop, "");
    EXPECT_EQ(records(g.entities),
              A(3.5, 14.5, 90, 270) + A(6.5, 14.5, -90, 90) + A(3.5, 0.5, 90, 270) +
                  A(6.5, 0.5, -90, 90) +
                  C(3.5, 14.5, 6.5, 14.5) + O(3.5, 15, 6.5, 15) + O(3.5, 14, 4.5, 14) +
                  O(5.5, 14, 6.5, 14) +
                  C(3.5, 0.5, 6.5, 0.5) + O(3.5, 0, 6.5, 0) + O(3.5, 1, 4.5, 1) + O(5.5, 1, 6.5, 1) +
                  C(5, 14.5, 5, 0.5) + O(5.5, 14, 5.5, 1) + O(4.5, 14, 4.5, 1));
}

// The documented example, and its first records written out as DXF text.
TEST(StraightCapitals, ExampleL) {
    const auto g = example('L');
    EXPECT_EQ(g.stop, "");
    ASSERT_EQ(g.entities.size(), 9u);
    EXPECT_EQ(records(g.entities),
              A(0.5, 14.5, 0, 180) + A(0.5, 0.5, 180, 270) + A(9.5, 0.5, -90, 90) +
                  C(0.5, 14.5, 0.5, 0.5) + O(0, 14.5, 0, 0.5) + O(1, 14.5, 1, 1) +
                  C(0.5, 0.5, 9.5, 0.5) + O(0.5, 0, 9.5, 0) + O(1, 1, 9.5, 1));
    EXPECT_TRUE(records(g.entities)
                    .starts_with("  0\nARC\n  8\n1\n 10\n0.500000000\n 20\n14.500000000\n"
                                 " 40\n0.500000000\n 50\n0.000000000\n 51\n180.000000000\n"
                                 " 62\n6\n"
                                 "  0\nARC\n  8\n1\n 10\n0.500000000\n 20\n0.500000000\n"
                                 " 40\n0.500000000\n 50\n180.000000000\n 51\n270.000000000\n"
                                 " 62\n6\n"));
    EXPECT_NE(records(g.entities)
                  .find("  0\nLINE\n  8\n1\n 10\n1.000000000\n 20\n1.000000000\n 30\n0.0\n"
                        " 11\n9.500000000\n 21\n1.000000000\n 31\n0.0\n 62\n6\n"),
              std::string::npos);
}

TEST(StraightCapitals, ExampleT) {
    const auto g = example('T');
    EXPECT_EQ(g.stop, "");
    EXPECT_EQ(records(g.entities),
              A(0.5, 14.5, 90, 270) + A(5, 0.5, -180, 0) + A(9.5, 14.5, -90, 90) +
                  C(0.5, 14.5, 9.5, 14.5) + O(0.5, 15, 9.5, 15) + O(0.5, 14, 4.5, 14) +
                  O(5.5, 14, 9.5, 14) +
                  C(5, 14.5, 5, 0.5) + O(5.5, 14, 5.5, 0.5) + O(4.5, 14, 4.5, 0.5));
}

// The default cell (2.1 × 5, pen 0.3) placed at (−7.3, 2.9), where the order
// of operations shows in the last bit: y − H/2 + r is not y − (H/2 − r), and
// x + W/2 − r is not x + (W/2 − r). The expected doubles come from a separate
// evaluation of the construction's formulas as written, in Python.
Entity arc(double cx, double cy, double radius, double a0, double a1) {
    return Arc{{cx, cy}, radius, a0, a1, Colour::Outline};
}
Entity line(double x1, double y1, double x2, double y2, int colour) {
    return Line{{x1, y1}, {x2, y2}, static_cast<Colour>(colour)};
}

const std::map<char, std::vector<Entity>> kOffOrigin = {
    {'E', {
        arc(-7.1499999999999995, 2.75, 0.15, 90.0, 180.0),
        arc(-7.1499999999999995, -1.9500000000000002, 0.15, 180.0, 270.0),
        arc(-5.35, 2.75, 0.15, -90.0, 90.0),
        arc(-6.04, 0.3999999999999999, 0.15, -90.0, 90.0),
        arc(-5.35, -1.9500000000000002, 0.15, -90.0, 90.0),
        line(-7.1499999999999995, 2.75, -5.35, 2.75, 4),
        line(-7.1499999999999995, 2.9, -5.35, 2.9, 6),
        line(-7.0, 2.6, -5.35, 2.6, 6),
        line(-7.1499999999999995, 0.3999999999999999, -6.04, 0.3999999999999999, 4),
        line(-7.0, 0.5499999999999999, -6.04, 0.5499999999999999, 6),
        line(-7.0, 0.24999999999999992, -6.04, 0.24999999999999992, 6),
        line(-7.1499999999999995, -1.9500000000000002, -5.35, -1.9500000000000002, 4),
        line(-7.1499999999999995, -2.1, -5.35, -2.1, 6),
        line(-7.0, -1.8, -5.35, -1.8, 6),
        line(-7.1499999999999995, 2.75, -7.1499999999999995, -1.9500000000000002, 4),
        line(-7.3, 2.75, -7.3, -1.9500000000000002, 6),
        line(-7.0, 2.6, -7.0, 0.5499999999999999, 6),
        line(-7.0, 0.24999999999999992, -7.0, -1.8, 6),
    }},
    {'F', {
        arc(-7.1499999999999995, 2.75, 0.15, 90.0, 180.0),
        arc(-7.1499999999999995, -1.9500000000000002, 0.15, -180.0, 0.0),
        arc(-5.35, 2.75, 0.15, -90.0, 90.0),
        arc(-6.04, 0.3999999999999999, 0.15, -90.0, 90.0),
        line(-7.1499999999999995, 2.75, -5.35, 2.75, 4),
        line(-7.1499999999999995, 2.9, -5.35, 2.9, 6),
        line(-7.0, 2.6, -5.35, 2.6, 6),
        line(-7.1499999999999995, 0.3999999999999999, -6.04, 0.3999999999999999, 4),
        line(-7.0, 0.5499999999999999, -6.04, 0.5499999999999999, 6),
        line(-7.0, 0.24999999999999992, -6.04, 0.24999999999999992, 6),
        line(-7.1499999999999995, 2.75, -7.1499999999999995, -1.9500000000000002, 4),
        line(-7.3, 2.75, -7.3, -1.9500000000000002, 6),
        line(-7.0, 2.6, -7.0, 0.5499999999999999, 6),
        line(-7.0, 0.24999999999999992, -7.0, -1.9500000000000002, 6),
    }},
    {'H', {
        arc(-7.1499999999999995, 2.75, 0.15, 0.0, 180.0),
        arc(-7.1499999999999995, -1.9500000000000002, 0.15, -180.0, 0.0),
        arc(-5.35, 2.75, 0.15, 0.0, 180.0),
        arc(-5.35, -1.9500000000000002, 0.15, -180.0, 0.0),
        line(-7.1499999999999995, 2.75, -7.1499999999999995, -1.9500000000000002, 4),
        line(-7.3, 2.75, -7.3, -1.9500000000000002, 6),
        line(-7.0, 2.75, -7.0, 0.5499999999999999, 6),
        line(-7.0, 0.24999999999999992, -7.0, -1.9500000000000002, 6),
        line(-5.35, 2.75, -5.35, -1.9500000000000002, 4),
        line(-5.199999999999999, 2.75, -5.199999999999999, -1.9500000000000002, 6),
        line(-5.499999999999999, 2.75, -5.499999999999999, 0.5499999999999999, 6),
        line(-5.499999999999999, 0.24999999999999992, -5.499999999999999, -1.9500000000000002, 6),
        line(-7.1499999999999995, 0.3999999999999999, -5.35, 0.3999999999999999, 4),
        line(-7.0, 0.5499999999999999, -5.499999999999999, 0.5499999999999999, 6),
        line(-7.0, 0.24999999999999992, -5.499999999999999, 0.24999999999999992, 6),
    }},
    {'I', {
        arc(-6.5649999999999995, 2.75, 0.15, 90.0, 270.0),
        arc(-5.935, 2.75, 0.15, -90.0, 90.0),
        arc(-6.5649999999999995, -1.9500000000000002, 0.15, 90.0, 270.0),
        arc(-5.935, -1.9500000000000002, 0.15, -90.0, 90.0),
        line(-6.5649999999999995, 2.75, -5.935, 2.75, 4),
        line(-6.5649999999999995, 2.9, -5.935, 2.9, 6),
        line(-6.5649999999999995, 2.6, -6.4, 2.6, 6),
        line(-6.1, 2.6, -5.935, 2.6, 6),
        line(-6.5649999999999995, -1.9500000000000002, -5.935, -1.9500000000000002, 4),
        line(-6.5649999999999995, -2.1, -5.935, -2.1, 6),
        line(-6.5649999999999995, -1.8, -6.4, -1.8, 6),
        line(-6.1, -1.8, -5.935, -1.8, 6),
        line(-6.25, 2.75, -6.25, -1.9500000000000002, 4),
        line(-6.1, 2.6, -6.1, -1.8, 6),
        line(-6.4, 2.6, -6.4, -1.8, 6),
    }},
    {'L', {
        arc(-7.1499999999999995, 2.75, 0.15, 0.0, 180.0),
        arc(-7.1499999999999995, -1.9500000000000002, 0.15, 180.0, 270.0),
        arc(-5.35, -1.9500000000000002, 0.15, -90.0, 90.0),
        line(-7.1499999999999995, 2.75, -7.1499999999999995, -1.9500000000000002, 4),
        line(-7.3, 2.75, -7.3, -1.9500000000000002, 6),
        line(-7.0, 2.75, -7.0, -1.8, 6),
        line(-7.1499999999999995, -1.9500000000000002, -5.35, -1.9500000000000002, 4),
        line(-7.1499999999999995, -2.1, -5.35, -2.1, 6),
        line(-7.0, -1.8, -5.35, -1.8, 6),
    }},
    {'T', {
        arc(-7.1499999999999995, 2.75, 0.15, 90.0, 270.0),
        arc(-6.25, -1.9500000000000002, 0.15, -180.0, 0.0),
        arc(-5.35, 2.75, 0.15, -90.0, 90.0),
        line(-7.1499999999999995, 2.75, -5.35, 2.75, 4),
        line(-7.1499999999999995, 2.9, -5.35, 2.9, 6),
        line(-7.1499999999999995, 2.6, -6.4, 2.6, 6),
        line(-6.1, 2.6, -5.35, 2.6, 6),
        line(-6.25, 2.75, -6.25, -1.9500000000000002, 4),
        line(-6.1, 2.6, -6.1, -1.9500000000000002, 6),
        line(-6.4, 2.6, -6.4, -1.9500000000000002, 6),
    }},
};

TEST(StraightCapitals, OffOriginCellToTheLastBit) {
    for (const auto& [byte, expected] : kOffOrigin) {
        SCOPED_TRACE(std::string("glyph ") + byte);
        const auto g = draw_glyph(static_cast<unsigned char>(byte), -7.3, 2.9, 2.1, 5, 0.3);
        EXPECT_EQ(g.stop, "");
        EXPECT_EQ(g.dropped, 0u);
        ASSERT_EQ(g.entities.size(), expected.size());
        for (std::size_t k = 0; k < expected.size(); ++k)
            EXPECT_EQ(g.entities[k], expected[k]) << "entity " << k + 1;
    }
}

// Each test in order: the limit it formats, equality failing, and the first
// failing test deciding the message when both fail.
struct WidthCase {
    char byte;
    double W, H, t;
    const char* printed;  // the limit as the message prints it
};

constexpr WidthCase kWidthCases[] = {
    // E and F: 0.6·W, then H/3.
    {'E', 10, 15, 6, "6.0"},     // 0.6·10 is exactly 6: equality fails
    {'E', 30, 6, 2.5, "2.0"},    // first passes (18 > 2.5), H/3 = 2 fails
    {'E', 30, 6, 2, "2.0"},      // H/3 = 2 exactly
    {'E', 5, 6, 3.5, "3.0"},     // both fail (H/3 = 2): the first one's value
    {'F', 10, 15, 6, "6.0"},
    {'F', 30, 6, 2.5, "2.0"},
    {'F', 5, 6, 3.5, "3.0"},      // both fail (H/3 = 2)
    // H: W/2, then H/2; 2.25 prints as 2.2 (a tie rounds to even).
    {'H', 4.5, 15, 2.25, "2.2"},
    {'H', 10, 5, 2.5, "2.5"},
    {'H', 4, 5, 2.6, "2.0"},      // both fail (H/2 = 2.5)
    // I: (1 − 2·0.35)·W, which is 3.0000000000000004 at W = 10, then H/2.
    {'I', 10, 15, 3.0000000000000004, "3.0"},
    {'I', 10, 5, 3.5, "3.0"},     // both fail (H/2 = 2.5)
    {'I', 20, 7, 3.5, "3.5"},
    // L: W/1.5, then H/1.5.
    {'L', 10, 15, 8, "6.7"},
    {'L', 3, 15, 2, "2.0"},
    {'L', 30, 3, 2, "2.0"},
    {'L', 3, 2.25, 2.1, "2.0"},   // both fail (H/1.5 = 1.5)
    // T: W/2, then H/1.5.
    {'T', 4, 15, 2, "2.0"},
    {'T', 30, 4.5, 3, "3.0"},
    {'T', 4, 2.7, 2.5, "2.0"},    // both fail (H/1.5 = 1.8)
};

TEST(StraightCapitals, WidthTestsStopWithTheirMessage) {
    for (const auto& w : kWidthCases) {
        SCOPED_TRACE(std::string("glyph ") + w.byte + " W " + std::to_string(w.W) + " H " +
                     std::to_string(w.H) + " t " + std::to_string(w.t));
        const auto g = draw_glyph(static_cast<unsigned char>(w.byte), 1, 20, w.W, w.H, w.t);
        EXPECT_TRUE(g.entities.empty());
        EXPECT_EQ(g.stop, std::string("文字の ") + w.byte + " の 線幅 は " + w.printed + " 未満です。\n　");
    }
}

// No line whose ends print identically reaches the file.
bool has_degenerate_line(const std::vector<Entity>& entities) {
    return std::any_of(entities.begin(), entities.end(), [](const Entity& e) {
        const auto* l = std::get_if<Line>(&e);
        return l != nullptr && fixed9(l->from.x) == fixed9(l->to.x) &&
               fixed9(l->from.y) == fixed9(l->to.y);
    });
}

// On paper each test is exactly the condition for every outline segment to
// have positive length. In doubles these ties pass by one ulp, and the
// segments that close up are not written.
struct TieCase {
    char byte;
    double W, H, t;
    std::size_t entities;  // what remains of the full list
    std::size_t dropped;   // the zero-length segments
};

constexpr TieCase kTies[] = {
    // (1 − 2·0.35)·10 = 3.0000000000000004 > 3: the four notch segments of
    // the bars' inner sides close up.
    {'I', 10, 15, 3, 11, 4},
    // H/3 = 0.35000000000000003 > 0.35: the stem's inner side between the
    // arms closes up, above and below the middle arm (only above for F).
    {'E', 14, 1.05, 0.35, 16, 2},
    {'F', 14, 1.05, 0.35, 13, 1},
    // W/1.5 = 0.35000000000000003 > 0.35: the foot's inner side closes up.
    {'L', 0.525, 14, 0.35, 8, 1},
    // H/1.5 = 0.35000000000000003 > 0.35: both sides of the stem close up.
    {'T', 14, 0.525, 0.35, 8, 2},
};

TEST(StraightCapitals, TiesPassingByOneUlpWriteNoEmptySegment) {
    for (const auto& c : kTies) {
        for (const double x : {0.0, -7.3}) {
            SCOPED_TRACE(std::string("glyph ") + c.byte + " x " + std::to_string(x));
            const auto g = draw_glyph(static_cast<unsigned char>(c.byte), x, c.H, c.W, c.H, c.t);
            EXPECT_EQ(g.stop, "");
            EXPECT_EQ(g.entities.size(), c.entities);
            EXPECT_EQ(g.dropped, c.dropped);
            EXPECT_FALSE(has_degenerate_line(g.entities));
            EXPECT_TRUE(follows_pen_model(static_cast<unsigned char>(c.byte), x, c.H, c.W, c.H, c.t));
        }
    }
}

TEST(StraightCapitals, JustBelowTheTieTheNotchesStayShortButPresent) {
    // 'I' at W 10 with t a little under 3: all fifteen entities, the bars'
    // inner sides cut into segments 0.00005 long.
    const auto g = draw_glyph('I', 0, 15, 10, 15, 2.9999);
    EXPECT_EQ(g.stop, "");
    EXPECT_EQ(g.entities.size(), 15u);
    EXPECT_EQ(g.dropped, 0u);
    const auto& notch = std::get<Line>(g.entities[6]);
    EXPECT_NEAR(notch.to.x - notch.from.x, 0.00005, 1e-12);
}

// The pen model at the limit of each test (the largest stroke that still
// passes it), in cells where that test is the one that binds, and in the
// default, square and wide cells.
TEST(StraightCapitals, PenModelAtEachLimit) {
    struct Limit {
        char byte;
        double W, H, limit;
    };
    const Limit limits[] = {
        {'E', 2, 15, 0.6 * 2},   {'E', 10, 3, 3.0 / 3},   {'F', 2, 15, 0.6 * 2},
        {'F', 10, 3, 3.0 / 3},   {'H', 3, 15, 3.0 / 2},   {'H', 10, 3, 3.0 / 2},
        {'I', 4, 15, 0.3 * 4},   {'I', 10, 3, 3.0 / 2},   {'L', 3, 15, 3 / 1.5},
        {'L', 10, 3, 3 / 1.5},   {'T', 3, 15, 3.0 / 2},   {'T', 10, 3, 3 / 1.5},
    };
    for (const auto& l : limits) {
        // Strictly inside the limit by a few ulps (the 'I' limit is evaluated
        // as (1 − 2·0.35)·W, a hair different from 0.3·W).
        const double t = l.limit * (1 - 1e-15);
        SCOPED_TRACE(std::string("glyph ") + l.byte + " t " + std::to_string(t));
        EXPECT_TRUE(follows_pen_model(static_cast<unsigned char>(l.byte), -3, 8, l.W, l.H, t));
        EXPECT_FALSE(draw_glyph(static_cast<unsigned char>(l.byte), -3, 8, l.W, l.H, l.limit * (1 + 1e-15))
                         .stop.empty());
    }
    for (const char byte : {'E', 'F', 'H', 'I', 'L', 'T'}) {
        SCOPED_TRACE(std::string("glyph ") + byte);
        EXPECT_TRUE(follows_pen_model(static_cast<unsigned char>(byte), 0, 5, 2.1, 5, 0.3));
        EXPECT_TRUE(follows_pen_model(static_cast<unsigned char>(byte), 4, 10, 10, 10, 0.3));
        EXPECT_TRUE(follows_pen_model(static_cast<unsigned char>(byte), 4, 10, 20, 4, 1.1));
    }
}

// E, F, H, L and T touch all four cell edges; I only the top and the bottom,
// its bar caps reaching 0.35·W − r and 0.65·W + r.
TEST(StraightCapitals, OutlineReachesTheCellEdges) {
    const double x = 2, y = 9, W = 6, H = 9, t = 0.8, r = t / 2;
    for (const char byte : {'E', 'F', 'H', 'I', 'L', 'T'}) {
        SCOPED_TRACE(std::string("glyph ") + byte);
        const auto g = draw_glyph(static_cast<unsigned char>(byte), x, y, W, H, t);
        double left = INFINITY, right = -INFINITY, bottom = INFINITY, top = -INFINITY;
        for (const auto& e : g.entities) {
            if (colour_of(e) != Colour::Outline) continue;
            for (const Point p : sample(e)) {
                left = std::min(left, p.x);
                right = std::max(right, p.x);
                bottom = std::min(bottom, p.y);
                top = std::max(top, p.y);
            }
        }
        EXPECT_NEAR(top, y, 1e-12);
        EXPECT_NEAR(bottom, y - H, 1e-12);
        if (byte == 'I') {
            EXPECT_NEAR(left, x + 0.35 * W - r, 1e-12);
            EXPECT_NEAR(right, x + 0.65 * W + r, 1e-12);
        } else {
            EXPECT_NEAR(left, x, 1e-12);
            EXPECT_NEAR(right, x + W, 1e-12);
        }
    }
}

}  // namespace
}  // namespace tracemill::testing
