// The simple strokes, byte-exact against their worked examples.
#include <gtest/gtest.h>

#include <cmath>

#include "test_support.hpp"

namespace tracemill::testing {
namespace {

// The common example cell: top-left (0, 15), 10 wide, 15 high, pen 1.
GlyphRun example(unsigned char byte, double t = 1) { return draw_glyph(byte, 0, 15, 10, 15, t); }

TEST(SimpleStrokes, Hyphen) {
    const auto g = example('-');
    EXPECT_EQ(g.stop, "");
    EXPECT_EQ(records(g.entities), arc_rec(0.5, 7.5, 0.5, 90, 270, 6) +
                                       arc_rec(9.5, 7.5, 0.5, -90, 90, 6) +
                                       line_rec(0.5, 7.5, 9.5, 7.5, 4) +
                                       line_rec(0.5, 8, 9.5, 8, 6) + line_rec(0.5, 7, 9.5, 7, 6));
}

TEST(SimpleStrokes, UnderscoreRestsOnTheBottomEdge) {
    const auto g = example('_');
    EXPECT_EQ(records(g.entities), arc_rec(0.5, 0.5, 0.5, 90, 270, 6) +
                                       arc_rec(9.5, 0.5, 0.5, -90, 90, 6) +
                                       line_rec(0.5, 0.5, 9.5, 0.5, 4) +
                                       line_rec(0.5, 1, 9.5, 1, 6) + line_rec(0.5, 0, 9.5, 0, 6));
}

TEST(SimpleStrokes, VerticalBarBottomCapRunsFromMinus180) {
    const auto g = example('|');
    EXPECT_EQ(records(g.entities), arc_rec(5, 14.5, 0.5, 0, 180, 6) +
                                       arc_rec(5, 0.5, 0.5, -180, 0, 6) +
                                       line_rec(5, 14.5, 5, 0.5, 4) +
                                       line_rec(4.5, 14.5, 4.5, 0.5, 6) +
                                       line_rec(5.5, 14.5, 5.5, 0.5, 6));
}

TEST(SimpleStrokes, Slash) {
    const auto g = example('/');
    ASSERT_EQ(g.entities.size(), 5u);
    const auto& lower = std::get<Arc>(g.entities[0]);
    const auto& upper = std::get<Arc>(g.entities[1]);
    const auto& side = std::get<Line>(g.entities[3]);
    // atan(14 / 9) in degrees, converted with the drawing's own Pi.
    const double A = std::atan(14.0 / 9.0) * 180 / kPi;
    EXPECT_EQ(lower.start_deg, A + 90);
    EXPECT_EQ(lower.end_deg, A + 270);
    EXPECT_EQ(upper.start_deg, A - 90);
    EXPECT_EQ(upper.end_deg, A + 90);
    EXPECT_EQ(fixed9(lower.start_deg), "147.264773728");
    EXPECT_EQ(fixed9(upper.start_deg), "-32.735226272");
    EXPECT_NEAR(side.from.x, 0.0794, 1e-4);
    EXPECT_NEAR(side.from.y, 0.7704, 1e-4);
    EXPECT_NEAR(side.to.x, 9.0794, 1e-4);
    EXPECT_NEAR(side.to.y, 14.7704, 1e-4);
    EXPECT_EQ(std::get<Line>(g.entities[2]), (Line{{0.5, 0.5}, {9.5, 14.5}, Colour::CentreLine}));
}

TEST(SimpleStrokes, FullStop) {
    const auto g = example('.');
    EXPECT_EQ(records(g.entities), circle_rec(5, 0.85, 0.35, 4) + circle_rec(5, 0.85, 0.85, 6));
}

TEST(SimpleStrokes, FullStopWidthTests) {
    // W / 1.7 = 5.88.. is not greater than 6: nothing drawn, 5.9 in the message.
    auto g = example('.', 6);
    EXPECT_TRUE(g.entities.empty());
    EXPECT_EQ(g.stop, "文字の 点 の 線幅 は 5.9 未満です。\n　");
    // Equality fails: 1.7 / 1.7 is exactly 1.
    g = draw_glyph('.', 0, 15, 1.7, 15, 1);
    EXPECT_TRUE(g.entities.empty());
    EXPECT_EQ(g.stop, "文字の 点 の 線幅 は 1.0 未満です。\n　");
    // The height test comes second.
    g = draw_glyph('.', 0, 3.4, 10, 3.4, 2);
    EXPECT_EQ(g.stop, "文字の 点 の 線幅 は 2.0 未満です。\n　");
    // Just inside both limits it draws.
    g = draw_glyph('.', 0, 3.4, 3.4, 3.4, 1.999);
    EXPECT_EQ(g.stop, "");
    EXPECT_EQ(g.entities.size(), 2u);
}

}  // namespace
}  // namespace tracemill::testing
