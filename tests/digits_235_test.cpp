// The digits 2, 3, 5 and the crossing-tangent connector.
//
// The expected entity lists were computed apart from the generators, by
// tests/reference/digits_235.py (the constructions' formulas in Python double
// arithmetic, printed with nine decimals). The cell sits at (10, 30) so that
// a missing "x +" or "y −" shows.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "glyphs/cross_tangent.hpp"
#include "generation.hpp"
#include "outline_check.hpp"
#include "test_support.hpp"

namespace tracemill::testing {
namespace {

// One line per entity, nine decimals, as the reference script prints them.
std::string listing(const std::vector<Entity>& es, std::size_t from = 0,
                    std::size_t to = std::string::npos) {
    std::string s;
    for (std::size_t k = from; k < es.size() && k < to; ++k) {
        const Entity& e = es[k];
        const int col = static_cast<int>(colour_of(e));
        if (const auto* l = std::get_if<Line>(&e)) {
            s += "LINE " + std::to_string(col) + " " + fixed9(l->from.x) + " " + fixed9(l->from.y) +
                 " " + fixed9(l->to.x) + " " + fixed9(l->to.y) + "\n";
        } else if (const auto* a = std::get_if<Arc>(&e)) {
            s += "ARC " + std::to_string(col) + " " + fixed9(a->centre.x) + " " +
                 fixed9(a->centre.y) + " " + fixed9(a->radius) + " " + fixed9(a->start_deg) + " " +
                 fixed9(a->end_deg) + "\n";
        } else {
            s += "CIRCLE\n";
        }
    }
    return s;
}

GlyphRun at_10_30(unsigned char byte, double W, double H, double t = 1) {
    return draw_glyph(byte, 10, 30, W, H, t);
}

std::string msg(char glyph, const char* value) {
    return std::string("文字の ") + glyph + " の 線幅 は " + value + " 未満です。\n　";
}

bool every_radius_prints_positive(const std::vector<Entity>& es) {
    for (const auto& e : es)
        if (const auto* a = std::get_if<Arc>(&e))
            if (!(fixed9(a->radius) > "0.000000000") || a->radius <= 0) return false;
    return true;
}

// ---------------------------------------------------------------- digit 2

TEST(DigitTwo, NarrowCellHalfCircleHookAndTangent) {
    // K = 7 > W − t = 5: layout 1.
    const auto g = at_10_30('2', 6, 15);
    EXPECT_EQ(g.stop, "");
    EXPECT_EQ(listing(g.entities), R"(ARC 6 10.500000000 15.500000000 0.500000000 180.000000000 270.000000000
ARC 6 15.500000000 15.500000000 0.500000000 -90.000000000 90.000000000
LINE 4 10.500000000 15.500000000 15.500000000 15.500000000
LINE 6 10.500000000 15.000000000 15.500000000 15.000000000
ARC 6 10.500000000 27.000000000 0.500000000 -180.000000000 0.000000000
ARC 6 13.000000000 27.000000000 3.000000000 0.000000000 180.000000000
ARC 4 13.000000000 27.000000000 2.500000000 0.000000000 180.000000000
ARC 6 13.000000000 27.000000000 2.000000000 0.000000000 180.000000000
LINE 6 15.000000000 27.000000000 15.000000000 25.000000000
LINE 4 15.500000000 27.000000000 15.500000000 25.000000000
LINE 6 16.000000000 27.000000000 16.000000000 25.000000000
ARC 6 13.000000000 25.000000000 3.000000000 -39.307648116 0.000000000
ARC 4 13.000000000 25.000000000 2.500000000 -39.307648116 0.000000000
ARC 6 13.000000000 25.000000000 2.000000000 -39.307648116 0.000000000
LINE 6 11.696832579 20.251131222 14.547511312 23.733031674
LINE 4 12.083710407 19.934389140 14.934389140 23.416289593
LINE 6 12.470588235 19.617647059 15.321266968 23.099547511
ARC 6 17.500000000 15.500000000 7.500000000 140.692351884 180.000000000
ARC 4 17.500000000 15.500000000 7.000000000 140.692351884 180.000000000
ARC 6 17.500000000 15.500000000 6.500000000 140.692351884 175.588274214
LINE 6 11.019259302 16.000000000 15.500000000 16.000000000
)");
    // The same rows as DXF records (the first two).
    EXPECT_EQ(records({g.entities[0], g.entities[1]}),
              arc_rec(10.5, 15.5, 0.5, 180, 270, 6) + arc_rec(15.5, 15.5, 0.5, -90, 90, 6));
}

TEST(DigitTwo, ExactEqualityDrawsTheHookByTheConnectorAlone) {
    // K = 7.5 = W − t exactly in doubles: layout 2.
    ASSERT_EQ(16.0 / 2 - 0.5, 8.5 - 1);
    const auto g = at_10_30('2', 8.5, 16);
    EXPECT_EQ(g.stop, "");
    EXPECT_EQ(listing(g.entities), R"(ARC 6 10.500000000 14.500000000 0.500000000 180.000000000 270.000000000
ARC 6 18.000000000 14.500000000 0.500000000 -90.000000000 90.000000000
LINE 4 10.500000000 14.500000000 18.000000000 14.500000000
LINE 6 10.500000000 14.000000000 18.000000000 14.000000000
ARC 6 10.500000000 25.750000000 0.500000000 -180.000000000 0.000000000
ARC 6 14.250000000 25.750000000 4.250000000 -53.130102354 180.000000000
ARC 4 14.250000000 25.750000000 3.750000000 -53.130102354 180.000000000
ARC 6 14.250000000 25.750000000 3.250000000 -53.130102354 180.000000000
LINE 6 13.200000000 20.900000000 16.200000000 23.150000000
LINE 4 13.500000000 20.500000000 16.500000000 22.750000000
LINE 6 13.800000000 20.100000000 16.800000000 22.350000000
ARC 6 18.000000000 14.500000000 8.000000000 126.869897646 180.000000000
ARC 4 18.000000000 14.500000000 7.500000000 126.869897646 180.000000000
ARC 6 18.000000000 14.500000000 7.000000000 126.869897646 175.903956242
LINE 6 11.017879978 15.000000000 18.000000000 15.000000000
)");
}

TEST(DigitTwo, QuarterHookTopBarAndTangent) {
    // K = 7 < 9 and 1.5·K + t = 11.5 > 10: layout 3, 15 rows + 6 of the connector.
    const auto g = at_10_30('2', 10, 15);
    EXPECT_EQ(g.stop, "");
    ASSERT_EQ(g.entities.size(), 21u);
    EXPECT_EQ(listing(g.entities, 4, 17), R"(ARC 6 10.500000000 26.000000000 0.500000000 -180.000000000 0.000000000
ARC 6 14.000000000 26.000000000 4.000000000 90.000000000 180.000000000
ARC 4 14.000000000 26.000000000 3.500000000 90.000000000 180.000000000
ARC 6 14.000000000 26.000000000 3.000000000 90.000000000 180.000000000
LINE 6 14.000000000 30.000000000 16.000000000 30.000000000
LINE 4 14.000000000 29.500000000 16.000000000 29.500000000
LINE 6 14.000000000 29.000000000 16.000000000 29.000000000
ARC 6 16.000000000 26.000000000 4.000000000 -73.739795292 90.000000000
ARC 4 16.000000000 26.000000000 3.500000000 -73.739795292 90.000000000
ARC 6 16.000000000 26.000000000 3.000000000 -73.739795292 90.000000000
LINE 6 15.400000000 22.700000000 16.840000000 23.120000000
LINE 4 15.540000000 22.220000000 16.980000000 22.640000000
LINE 6 15.680000000 21.740000000 17.120000000 22.160000000
)");
    EXPECT_EQ(fixed9(std::get<Arc>(g.entities[17]).start_deg), "106.260204708");
}

TEST(DigitTwo, ExactEqualityRightCircleMeetsTheTail) {
    // 1.5·7.5 + 1 = 12.25 exactly: layout 4, no middle bar, no connector.
    ASSERT_EQ(1.5 * (16.0 / 2 - 0.5) + 1, 12.25);
    const auto g = at_10_30('2', 12.25, 16);
    EXPECT_EQ(g.stop, "");
    EXPECT_EQ(g.dropped, 0u);  // no middle bar of zero length either
    ASSERT_EQ(g.entities.size(), 18u);
    EXPECT_EQ(listing(g.entities, 11), R"(ARC 6 18.000000000 25.750000000 4.250000000 -90.000000000 90.000000000
ARC 4 18.000000000 25.750000000 3.750000000 -90.000000000 90.000000000
ARC 6 18.000000000 25.750000000 3.250000000 -90.000000000 90.000000000
ARC 6 18.000000000 14.500000000 8.000000000 90.000000000 180.000000000
ARC 4 18.000000000 14.500000000 7.500000000 90.000000000 180.000000000
ARC 6 18.000000000 14.500000000 7.000000000 90.000000000 175.903956242
LINE 6 11.017879978 15.000000000 21.750000000 15.000000000
)");
}

TEST(DigitTwo, WideCellHasAMiddleBar) {
    const auto g = at_10_30('2', 20, 15);
    EXPECT_EQ(g.stop, "");
    ASSERT_EQ(g.entities.size(), 21u);
    EXPECT_EQ(listing(g.entities, 11, 17), R"(ARC 6 26.000000000 26.000000000 4.000000000 -90.000000000 90.000000000
ARC 4 26.000000000 26.000000000 3.500000000 -90.000000000 90.000000000
ARC 6 26.000000000 26.000000000 3.000000000 -90.000000000 90.000000000
LINE 6 17.500000000 23.000000000 26.000000000 23.000000000
LINE 4 17.500000000 22.500000000 26.000000000 22.500000000
LINE 6 17.500000000 22.000000000 26.000000000 22.000000000
)");
    EXPECT_EQ(std::get<Arc>(g.entities[17]).start_deg, 90);
}

TEST(DigitTwo, ValidityTestsAreStrict) {
    auto g = at_10_30('2', 2, 15);  // W/2 = t
    EXPECT_TRUE(g.entities.empty());
    EXPECT_EQ(g.stop, msg('2', "1.0"));
    g = at_10_30('2', 10, 3);  // W/2 > t, H/3 = t
    EXPECT_TRUE(g.entities.empty());
    EXPECT_EQ(g.stop, msg('2', "1.0"));
    g = at_10_30('2', 10, 15, 5.2);  // W/2 = 5 fails first, with its own value
    EXPECT_EQ(g.stop, msg('2', "5.0"));
}

TEST(DigitTwo, LateClearanceFailuresKeepWhatWasDrawn) {
    // H 3.2, t 1: K = 1.1. The hook end comes within about 0.9 of the stroke
    // below it in every layout.
    struct Case {
        double W;
        std::size_t rows;  // rows before the test (the connector's first five included)
        bool connector;
    };
    const Case cases[] = {{2.05, 16, true}, {2.1, 10, true}, {2.3, 16, true}, {10, 11, false}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.W);
        const auto g = at_10_30('2', k.W, 3.2);
        EXPECT_EQ(g.stop, msg('2', "0.9"));
        ASSERT_EQ(g.entities.size(), k.rows);
        // With the connector the last row is its skeleton line: its second
        // outline line is not drawn. Without it, the top bar's lower outline.
        const auto& last = std::get<Line>(g.entities.back());
        EXPECT_EQ(last.colour, k.connector ? Colour::CentreLine : Colour::Outline);
        EXPECT_FALSE(g.non_finite);
    }
    // A stroke equal to the clearance fails (t is the fixed point of
    // t = clearance(t), found by iterating the formula in the reference).
    const double tie = 0.9165492971178821;
    EXPECT_EQ(at_10_30('2', 10, 3.2, tie).stop, msg('2', "0.9"));
    EXPECT_EQ(at_10_30('2', 10, 3.2, tie).entities.size(), 11u);
    EXPECT_EQ(at_10_30('2', 10, 3.2, std::nextafter(tie, 0.0)).entities.size(), 21u);
}

// The boundary between layouts 3 and 4 (W = 0.75·H + t/4): rounding picks
// layout 3, whose circles then touch, and the acos argument of the tangent
// comes out just above 1 at the first cell of this text.
TEST(DigitTwo, TouchingCirclesAtTheLayoutBoundaryStayFinite) {
    const TextParameters p{3.25, 4.3, 0.1, 0.4, 0.4};
    const auto layout = measure_text(p, "2\r\n2");
    ASSERT_TRUE(layout.has_value());
    const double x = layout->x0, y = layout->y0, H = 4.3, W = 3.25, r = 0.05;
    // The fault's precondition, computed independently of the generator.
    const double dx = (x + H / 2) - (x + W - H / 4 - r / 2);
    const double dy = (y - H / 4 - r / 2) - (y - H + r);
    ASSERT_GT(((H / 2 - r) + (H / 4 - r / 2)) / std::sqrt(dx * dx + dy * dy), 1.0);
    ASSERT_GT(1.5 * (H / 2 - r) + 0.1, W);  // layout 3

    const auto g = draw_glyph('2', x, y, W, H, 0.1);
    EXPECT_FALSE(g.non_finite);
    EXPECT_EQ(g.stop, "");
    // 21 rows; the tangent stroke between touching circles has no length, so
    // its three lines print as points and are not written.
    EXPECT_EQ(g.entities.size(), 18u);
    EXPECT_EQ(g.dropped, 3u);
    EXPECT_EQ(listing(g.entities, 11, 14), R"(ARC 6 0.525000000 3.400000000 1.100000000 -90.000000000 90.000000000
ARC 4 0.525000000 3.400000000 1.050000000 -90.000000000 90.000000000
ARC 6 0.525000000 3.400000000 1.000000000 -90.000000000 90.000000000
)");
    EXPECT_TRUE(follows_pen_model('2', x, y, W, H, 0.1));

    EntityList list;
    EXPECT_EQ(draw_text(p, "2\r\n2", *layout, list), "");
    EXPECT_EQ(list.entities.size(), 4u + 18u + 18u);
}

// ---------------------------------------------------------------- digit 3

TEST(DigitThree, NarrowCellBowlsWithStraightSides) {
    const auto g = at_10_30('3', 6, 15);
    EXPECT_EQ(g.stop, "");
    EXPECT_EQ(listing(g.entities), R"(ARC 6 12.700000000 22.500000000 0.500000000 90.000000000 270.000000000
ARC 6 10.500000000 27.000000000 0.500000000 -180.000000000 0.000000000
ARC 6 13.000000000 27.000000000 3.000000000 0.000000000 180.000000000
ARC 4 13.000000000 27.000000000 2.500000000 0.000000000 180.000000000
ARC 6 13.000000000 27.000000000 2.000000000 0.000000000 180.000000000
LINE 6 16.000000000 25.000000000 16.000000000 27.000000000
LINE 4 15.500000000 25.000000000 15.500000000 27.000000000
LINE 6 15.000000000 25.000000000 15.000000000 27.000000000
ARC 6 13.000000000 25.000000000 3.000000000 -56.442690238 0.000000000
ARC 4 13.000000000 25.000000000 2.500000000 -90.000000000 0.000000000
ARC 6 13.000000000 25.000000000 2.000000000 -90.000000000 0.000000000
ARC 6 13.000000000 20.000000000 3.000000000 0.000000000 56.442690238
ARC 4 13.000000000 20.000000000 2.500000000 0.000000000 90.000000000
ARC 6 13.000000000 20.000000000 2.000000000 0.000000000 90.000000000
LINE 6 16.000000000 18.000000000 16.000000000 20.000000000
LINE 4 15.500000000 18.000000000 15.500000000 20.000000000
LINE 6 15.000000000 18.000000000 15.000000000 20.000000000
ARC 6 13.000000000 18.000000000 3.000000000 -180.000000000 0.000000000
ARC 4 13.000000000 18.000000000 2.500000000 -180.000000000 0.000000000
ARC 6 13.000000000 18.000000000 2.000000000 -180.000000000 0.000000000
ARC 6 10.500000000 18.000000000 0.500000000 0.000000000 180.000000000
LINE 6 12.700000000 23.000000000 13.000000000 23.000000000
LINE 4 12.700000000 22.500000000 13.000000000 22.500000000
LINE 6 12.700000000 22.000000000 13.000000000 22.000000000
)");
}

TEST(DigitThree, ExactEqualityThreeQuarterBowls) {
    const auto g = at_10_30('3', 8.5, 16);
    EXPECT_EQ(g.stop, "");
    EXPECT_EQ(listing(g.entities), R"(ARC 6 13.825000000 22.000000000 0.500000000 90.000000000 270.000000000
ARC 6 10.500000000 25.750000000 0.500000000 -180.000000000 0.000000000
ARC 6 14.250000000 25.750000000 4.250000000 -61.927513064 180.000000000
ARC 4 14.250000000 25.750000000 3.750000000 -90.000000000 180.000000000
ARC 6 14.250000000 25.750000000 3.250000000 -90.000000000 180.000000000
ARC 6 14.250000000 18.250000000 4.250000000 -180.000000000 61.927513064
ARC 4 14.250000000 18.250000000 3.750000000 -180.000000000 90.000000000
ARC 6 14.250000000 18.250000000 3.250000000 -180.000000000 90.000000000
ARC 6 10.500000000 18.250000000 0.500000000 0.000000000 180.000000000
LINE 6 13.825000000 22.500000000 14.250000000 22.500000000
LINE 4 13.825000000 22.000000000 14.250000000 22.000000000
LINE 6 13.825000000 21.500000000 14.250000000 21.500000000
)");
}

TEST(DigitThree, WideCellBowlsWithBars) {
    const auto g = at_10_30('3', 10, 15);
    EXPECT_EQ(g.stop, "");
    EXPECT_EQ(listing(g.entities), R"(ARC 6 14.500000000 22.500000000 0.500000000 90.000000000 270.000000000
ARC 6 10.500000000 26.000000000 0.500000000 -180.000000000 0.000000000
ARC 6 14.000000000 26.000000000 4.000000000 90.000000000 180.000000000
ARC 4 14.000000000 26.000000000 3.500000000 90.000000000 180.000000000
ARC 6 14.000000000 26.000000000 3.000000000 90.000000000 180.000000000
LINE 6 14.000000000 30.000000000 16.000000000 30.000000000
LINE 4 14.000000000 29.500000000 16.000000000 29.500000000
LINE 6 14.000000000 29.000000000 16.000000000 29.000000000
ARC 6 16.000000000 26.000000000 4.000000000 -61.044975628 90.000000000
ARC 4 16.000000000 26.000000000 3.500000000 -90.000000000 90.000000000
ARC 6 16.000000000 26.000000000 3.000000000 -90.000000000 90.000000000
ARC 6 16.000000000 19.000000000 4.000000000 -90.000000000 61.044975628
ARC 4 16.000000000 19.000000000 3.500000000 -90.000000000 90.000000000
ARC 6 16.000000000 19.000000000 3.000000000 -90.000000000 90.000000000
LINE 6 14.000000000 16.000000000 16.000000000 16.000000000
LINE 4 14.000000000 15.500000000 16.000000000 15.500000000
LINE 6 14.000000000 15.000000000 16.000000000 15.000000000
ARC 6 14.000000000 19.000000000 4.000000000 180.000000000 270.000000000
ARC 4 14.000000000 19.000000000 3.500000000 180.000000000 270.000000000
ARC 6 14.000000000 19.000000000 3.000000000 180.000000000 270.000000000
ARC 6 10.500000000 19.000000000 0.500000000 0.000000000 180.000000000
LINE 6 14.500000000 23.000000000 16.000000000 23.000000000
LINE 4 14.500000000 22.500000000 16.000000000 22.500000000
LINE 6 14.500000000 22.000000000 16.000000000 22.000000000
)");
}

TEST(DigitThree, ValidityAndLateClearanceFailures) {
    auto g = at_10_30('3', 2, 15);
    EXPECT_TRUE(g.entities.empty());
    EXPECT_EQ(g.stop, msg('3', "1.0"));
    g = at_10_30('3', 10, 3);
    EXPECT_TRUE(g.entities.empty());
    EXPECT_EQ(g.stop, msg('3', "1.0"));
    // The middle bar's cap would come too close to the upper hook end: the
    // bowls stay, the bar is not drawn.
    struct Case {
        double W, H;
        std::size_t rows;
        const char* value;
    };
    const Case cases[] = {{2.05, 3.5, 21, "0.8"}, {2.1, 3.2, 9, "0.7"}, {2.5, 3.2, 21, "0.8"}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.W);
        g = at_10_30('3', k.W, k.H);
        EXPECT_EQ(g.stop, msg('3', k.value));
        ASSERT_EQ(g.entities.size(), k.rows);
        // The lower hook end's cap is the last row.
        EXPECT_EQ(std::get<Arc>(g.entities.back()).start_deg, 0);
        EXPECT_EQ(std::get<Arc>(g.entities.back()).end_deg, 180);
    }
    // A stroke equal to the clearance fails (the fixed point of t = clearance(t)).
    const double tie = 0.8728620007693366;
    EXPECT_EQ(at_10_30('3', 2.05, 3.5, tie).stop, msg('3', "0.9"));
    EXPECT_EQ(at_10_30('3', 2.05, 3.5, tie).entities.size(), 21u);
    EXPECT_EQ(at_10_30('3', 2.05, 3.5, std::nextafter(tie, 0.0)).entities.size(), 24u);
}

TEST(DigitThree, HeightTestPassingByOneUlpWritesNoZeroRadius) {
    // H/3 exceeds t only through rounding; the four inner arcs of radius
    // H/4 − 1.5r then have no radius and are not written.
    ASSERT_GT(1.05 / 3, 0.35);
    const auto g = draw_glyph('3', 0, 1.05, 14, 1.05, 0.35);
    EXPECT_EQ(g.stop, "");
    EXPECT_EQ(g.dropped, 4u);
    EXPECT_EQ(g.entities.size(), 20u);
    EXPECT_TRUE(every_radius_prints_positive(g.entities));
    EXPECT_TRUE(follows_pen_model('3', 0, 1.05, 14, 1.05, 0.35));
}

// ---------------------------------------------------------------- digit 5

TEST(DigitFive, NarrowCellQuarterArcsAndStraightSide) {
    const auto g = at_10_30('5', 6, 15);
    EXPECT_EQ(g.stop, "");
    EXPECT_EQ(listing(g.entities), R"(ARC 6 15.500000000 29.500000000 0.500000000 -90.000000000 90.000000000
LINE 6 10.500000000 30.000000000 15.500000000 30.000000000
LINE 4 10.500000000 29.500000000 15.500000000 29.500000000
LINE 6 11.000000000 29.000000000 15.500000000 29.000000000
ARC 6 10.500000000 29.500000000 0.500000000 90.000000000 180.000000000
LINE 6 10.000000000 29.500000000 10.000000000 22.500000000
LINE 4 10.500000000 29.500000000 10.500000000 22.500000000
LINE 6 11.000000000 29.000000000 11.000000000 24.621320344
ARC 6 10.500000000 22.500000000 0.500000000 180.000000000 0.000000000
ARC 6 12.750000000 22.500000000 2.750000000 90.000000000 129.521196359
ARC 4 12.750000000 22.500000000 2.250000000 90.000000000 180.000000000
ARC 6 12.750000000 22.500000000 1.750000000 90.000000000 180.000000000
ARC 6 12.750000000 17.750000000 1.750000000 180.000000000 270.000000000
ARC 4 12.750000000 17.750000000 2.250000000 180.000000000 270.000000000
ARC 6 12.750000000 17.750000000 2.750000000 180.000000000 270.000000000
ARC 6 10.500000000 17.750000000 0.500000000 0.000000000 180.000000000
ARC 6 12.750000000 22.000000000 2.250000000 0.000000000 90.000000000
ARC 4 12.750000000 22.000000000 2.750000000 0.000000000 90.000000000
ARC 6 12.750000000 22.000000000 3.250000000 0.000000000 90.000000000
LINE 6 16.000000000 22.000000000 16.000000000 18.250000000
LINE 4 15.500000000 22.000000000 15.500000000 18.250000000
LINE 6 15.000000000 22.000000000 15.000000000 18.250000000
ARC 6 12.750000000 18.250000000 2.250000000 -90.000000000 0.000000000
ARC 4 12.750000000 18.250000000 2.750000000 -90.000000000 0.000000000
ARC 6 12.750000000 18.250000000 3.250000000 -90.000000000 0.000000000
)");
}

TEST(DigitFive, WideCellHalfCircleBetweenBars) {
    const auto g = at_10_30('5', 10, 15);
    EXPECT_EQ(g.stop, "");
    ASSERT_EQ(g.entities.size(), 25u);
    EXPECT_EQ(listing(g.entities, 16), R"(LINE 6 12.750000000 25.250000000 14.875000000 25.250000000
LINE 4 12.750000000 24.750000000 14.875000000 24.750000000
LINE 6 12.750000000 24.250000000 14.875000000 24.250000000
ARC 6 14.875000000 20.125000000 4.125000000 -90.000000000 90.000000000
ARC 4 14.875000000 20.125000000 4.625000000 -90.000000000 90.000000000
ARC 6 14.875000000 20.125000000 5.125000000 -90.000000000 90.000000000
LINE 6 12.750000000 16.000000000 14.875000000 16.000000000
LINE 4 12.750000000 15.500000000 14.875000000 15.500000000
LINE 6 12.750000000 15.000000000 14.875000000 15.000000000
)");
}

TEST(DigitFive, ExactEqualityOneHalfCircle) {
    // Rn = 10.25 − 3 − 1 = 6.25 = Rb = (0.65·20 − 0.5) / 2 in doubles.
    ASSERT_EQ(10.25 - 0.15 * 20 - 1, ((1 - 0.35) * 20 - 0.5) / 2);
    const auto g = at_10_30('5', 10.25, 20);
    EXPECT_EQ(g.stop, "");
    ASSERT_EQ(g.entities.size(), 19u);
    EXPECT_EQ(listing(g.entities, 16), R"(ARC 6 13.500000000 16.750000000 5.750000000 -90.000000000 90.000000000
ARC 4 13.500000000 16.750000000 6.250000000 -90.000000000 90.000000000
ARC 6 13.500000000 16.750000000 6.750000000 -90.000000000 90.000000000
)");
}

TEST(DigitFive, ValidityTestsInOrder) {
    auto g = at_10_30('5', 2, 15);
    EXPECT_EQ(g.stop, msg('5', "1.0"));
    g = at_10_30('5', 10, 4);  // 0.35·4 / 1.5 = 0.93
    EXPECT_EQ(g.stop, msg('5', "0.9"));
    // The third test reports (W − 0.15·H) / 1.5, here negative, although W/2
    // is well above t.
    g = at_10_30('5', 4, 30);
    EXPECT_TRUE(g.entities.empty());
    EXPECT_EQ(g.stop, msg('5', "-0.3"));
}

// ------------------------------------------------------ crossing tangent

// Independent check: the skeleton stroke is tangent to both circles, on
// opposite sides of it, at the angles phi + 90 and phi − 90.
TEST(CrossTangent, StrokeTouchesBothCirclesFromOppositeSides) {
    EntityList list;
    GlyphOutput out(list);
    glyphs::CrossTangentConnector k;
    k.r = 0.5;
    k.t = 1;
    k.C1 = {0, 0};
    k.rho1 = 3;
    k.C2 = {0, 10};
    k.rho2 = 2;
    k.P = {-2, 6};
    k.end_deg = 90;
    ASSERT_TRUE(k.draw(make_cell(-10, 20, 20, 30, 1), out));
    EXPECT_NEAR(k.phi, 60, 1e-12);  // cos 60° = (3 + 2) / 10
    ASSERT_EQ(list.entities.size(), 6u);
    const auto& s = std::get<Line>(list.entities[4]);
    const double ux = s.to.x - s.from.x, uy = s.to.y - s.from.y, len = std::hypot(ux, uy);
    const auto side = [&](Point p) { return (ux * (p.y - s.from.y) - uy * (p.x - s.from.x)) / len; };
    EXPECT_NEAR(side(k.C1), -3, 1e-12);
    EXPECT_NEAR(side(k.C2), 2, 1e-12);
    EXPECT_NEAR(std::hypot(s.from.x - k.C1.x, s.from.y - k.C1.y), 3, 1e-12);
    EXPECT_NEAR(std::hypot(s.to.x - k.C2.x, s.to.y - k.C2.y), 2, 1e-12);
    EXPECT_NEAR(std::get<Arc>(list.entities[1]).start_deg, -30, 1e-12);
}

TEST(CrossTangent, ClearanceFromTheStrokeOrFromTheTail) {
    const auto clearance_stop = [](Point P, double t) {
        EntityList list;
        GlyphOutput out(list);
        glyphs::CrossTangentConnector k;
        k.r = t / 2;
        k.t = t;
        k.C1 = {0, 0};
        k.rho1 = 3;
        k.C2 = {0, 10};
        k.rho2 = 2;
        k.P = P;
        k.end_deg = 90;
        const bool ok = k.draw(make_cell(-10, 20, 20, 30, t), out);
        EXPECT_EQ(list.entities.size(), ok ? 6u : 5u);
        return out.stop_message();
    };
    // (−2, 6) lies before the tangent point: its distance from the stroke's
    // line is √3 = 1.73.
    EXPECT_EQ(clearance_stop({-2, 6}, 1), "");
    EXPECT_EQ(clearance_stop({-2, 6}, 2), msg('2', "1.7"));
    // (−5, 2) lies beyond it (atan(5/2) > 60°): √29 − 3 = 2.39 from the tail.
    EXPECT_EQ(clearance_stop({-5, 2}, 2), "");
    EXPECT_EQ(clearance_stop({-5, 2}, 2.5), msg('2', "2.4"));
    // √(4.8² + 1.4²) − 3 is exactly 2 in doubles: equality fails.
    EXPECT_EQ(clearance_stop({-4.8, 1.4}, 2), msg('2', "2.0"));
    EXPECT_EQ(clearance_stop({-4.8, 1.4}, std::nextafter(2.0, 0.0)), "");
}

TEST(CrossTangent, TouchingCirclesPastOneByRoundingGiveTheTouchingTangent) {
    EntityList list;
    GlyphOutput out(list);
    glyphs::CrossTangentConnector k;
    k.r = 0.5;
    k.t = 1;
    k.C1 = {0, 0};
    k.rho1 = 3;
    k.C2 = {0, 5};
    k.rho2 = 2.000000000000001;  // (rho1 + rho2) / d just above 1
    k.P = {-2.5, 4};
    k.end_deg = 90;
    ASSERT_GT((k.rho1 + k.rho2) / 5, 1.0);
    EXPECT_TRUE(k.draw(make_cell(-10, 20, 20, 30, 1), out));
    EXPECT_EQ(k.phi, 0);
    EXPECT_FALSE(out.hit_non_finite());
}

// ------------------------------------------------------------ pen model

TEST(Digits235PenModel, AtEveryLayoutSwitchAndOffOrigin) {
    const auto below = [](double v) { return std::nextafter(v, 0.0); };
    const auto above = [](double v) { return std::nextafter(v, 1e9); };
    struct Cell {
        unsigned char byte;
        double W, H, t;
    };
    const Cell cells[] = {
        // 2: K against W − t at 8.5, and 1.5·K + t against W at 12.25.
        {'2', 6, 15, 1}, {'2', below(8.5), 16, 1}, {'2', 8.5, 16, 1}, {'2', above(8.5), 16, 1},
        {'2', 10, 15, 1}, {'2', below(12.25), 16, 1}, {'2', 12.25, 16, 1}, {'2', above(12.25), 16, 1},
        {'2', 20, 15, 1},
        // 3: K against W − t at 8.5.
        {'3', 6, 15, 1}, {'3', below(8.5), 16, 1}, {'3', 8.5, 16, 1}, {'3', above(8.5), 16, 1},
        {'3', 10, 15, 1},
        // 5: Rn against Rb at 10.25.
        {'5', 6, 15, 1}, {'5', below(10.25), 20, 1}, {'5', 10.25, 20, 1}, {'5', above(10.25), 20, 1},
        {'5', 10, 15, 1},
        // The defaults, a square and a wide cell.
        {'2', 2.1, 5, 0.3}, {'3', 2.1, 5, 0.3}, {'5', 2.1, 5, 0.3},
        {'2', 10, 10, 1}, {'3', 10, 10, 1}, {'5', 10, 10, 1},
        {'2', 20, 8, 1}, {'3', 20, 8, 1}, {'5', 20, 8, 1},
    };
    const Point corners[] = {{0, 0}, {-37.3, 52.9}, {1234.5, -987.25}};
    for (const auto& c : cells)
        for (const auto& p : corners) {
            SCOPED_TRACE(std::string(1, static_cast<char>(c.byte)) + " W " + std::to_string(c.W) +
                         " at " + std::to_string(p.x));
            EXPECT_TRUE(follows_pen_model(c.byte, p.x, p.y + c.H, c.W, c.H, c.t));
        }
}

TEST(Digits235PenModel, StrokesJustInsideTheLimits) {
    // A test passing by one ulp leaves inner arcs without radius; they are
    // not written, and the outline still closes.
    const double w2 = std::nextafter(2.0, 3.0);
    auto g = draw_glyph('2', 0, 15, w2, 15, 1);  // W/2 − 2r and ρ2 − r vanish
    EXPECT_EQ(g.stop, "");
    EXPECT_EQ(g.dropped, 2u);
    EXPECT_TRUE(every_radius_prints_positive(g.entities));
    EXPECT_TRUE(follows_pen_model('2', 0, 15, w2, 15, 1));

    g = draw_glyph('3', 0, 15, w2, 15, 1);  // four inner arcs W/2 − 2r vanish
    EXPECT_EQ(g.stop, "");
    EXPECT_EQ(g.dropped, 4u);
    EXPECT_TRUE(follows_pen_model('3', 0, 15, w2, 15, 1));

    const double w5 = std::nextafter(4.5, 5.0);  // (W − 0.15·H) / 1.5 just above t
    g = draw_glyph('5', 0, 20, w5, 20, 1);       // W − 0.15·H − 3r vanishes twice
    EXPECT_EQ(g.stop, "");
    EXPECT_EQ(g.dropped, 2u);
    EXPECT_TRUE(every_radius_prints_positive(g.entities));
    EXPECT_TRUE(follows_pen_model('5', 0, 20, w5, 20, 1));
    EXPECT_EQ(draw_glyph('5', 0, 20, 4.5, 20, 1).stop, msg('5', "1.0"));

    // The binding limits of the default cell: W/2 for 2 and 3, the third test for 5.
    for (unsigned char b : {'2', '3'}) {
        EXPECT_TRUE(follows_pen_model(b, 0, 5, 2.1, 5, std::nextafter(1.05, 0.0)));
        EXPECT_FALSE(draw_glyph(b, 0, 5, 2.1, 5, 1.05).stop.empty());
    }
    EXPECT_TRUE(follows_pen_model('5', 0, 5, 2.1, 5, std::nextafter(0.9, 0.0)));
}

}  // namespace
}  // namespace tracemill::testing
