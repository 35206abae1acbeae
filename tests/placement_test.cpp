// Where the rows, the block and the frame lie: rows aligned by whole and
// half cell pitches to the last bit, the origin at the frame's lower-left
// corner, and the frame drawn a margin outside the block.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "generation.hpp"
#include "test_support.hpp"

namespace tracemill::testing {
namespace {

// The cell corners the run hands to the generators, in text order.
std::vector<Point> recorded;
void record(const GlyphCell& c, GlyphOutput&) { recorded.push_back({c.x, c.y}); }

std::vector<Point> corners(const TextParameters& p, std::string_view text, const Placement& placement) {
    GlyphTable table{};
    for (int b = 0x21; b < 0x7F; ++b) table[static_cast<std::size_t>(b)] = record;
    recorded.clear();
    EntityList sink;
    EXPECT_EQ(draw_text(p, text, *measure_text(p, text, placement), sink, table), "");
    return recorded;
}

TEST(Placement, RowsLieOverTheCellsOfLongerRowsToTheBit) {
    // Glyph `at` (counted over the whole text) lies exactly over glyph
    // `over`, or half a pitch to its right.
    struct Over {
        int at, over;
        bool half = false;
    };
    struct Case {
        const char* text;
        Align align;
        std::vector<Over> expected;
    };
    const Case cases[] = {
        {"A\r\nAAA", Align::Left, {{0, 1}}},
        {"A\r\nAAA", Align::Center, {{0, 2}}},
        {"A\r\nAAA", Align::Right, {{0, 3}}},
        {"AAA\r\nA", Align::Right, {{3, 2}}},
        {"AB\r\nABCD", Align::Center, {{0, 3}, {1, 4}}},
        {"A\r\nAA", Align::Center, {{0, 1, true}}},
        {"A\r\nAAAA", Align::Center, {{0, 2, true}}},
        {"ABCDE\r\n\r\nAB", Align::Right, {{5, 3}, {6, 4}}},
        {"A B\r\nAAAAA", Align::Center, {{0, 3}, {1, 5}}},  // a space is a column
        {"AAAAAAA\r\nA\r\nAA", Align::Right, {{7, 6}, {8, 5}, {9, 6}}},
    };
    const TextParameters sizes[] = {{2.1, 5, 0.3, 0.4, 0.4}, {0.7, 1.3, 0.1, 0.1, 0.3},
                                    {1e5 / 3, 7e4, 10, 1.0 / 7, 3}};
    const Placement placements[] = {{}, {Align::Left, Origin::LowerLeft, 0.3}, {Align::Left, Origin::Center, 1e-3}};
    for (const Case& c : cases) {
        for (const TextParameters& p : sizes) {
            for (Placement placement : placements) {
                placement.align = c.align;
                SCOPED_TRACE(std::string(c.text) + " W " + std::to_string(p.char_width));
                const std::vector<Point> at = corners(p, c.text, placement);
                for (const Over& o : c.expected) {
                    const double over = at[static_cast<std::size_t>(o.over)].x;
                    const double expected = o.half ? over + (p.char_width + p.char_spacing) / 2 : over;
                    EXPECT_EQ(at[static_cast<std::size_t>(o.at)].x, expected) << o.at << " over " << o.over;
                }
            }
        }
    }
}

// The lowest x and y a drawn entity reaches: a line's ends, a circle's
// extent, an arc's ends and the quadrant points its sweep passes.
Point lowest_point(const Entity& e) {
    if (const auto* l = std::get_if<Line>(&e)) return {std::min(l->from.x, l->to.x), std::min(l->from.y, l->to.y)};
    if (const auto* c = std::get_if<Circle>(&e)) return {c->centre.x - c->radius, c->centre.y - c->radius};
    const auto& a = std::get<Arc>(e);
    const auto on = [&](double deg) {
        return Point{a.centre.x + a.radius * std::cos(deg * kPi / 180), a.centre.y + a.radius * std::sin(deg * kPi / 180)};
    };
    Point low = on(a.start_deg);
    const Point end = on(a.end_deg);
    low = {std::min(low.x, end.x), std::min(low.y, end.y)};
    double sweep = std::fmod(a.end_deg - a.start_deg, 360.0);
    if (sweep <= 0) sweep += 360;
    const double from = std::fmod(std::fmod(a.start_deg, 360.0) + 360.0, 360.0);
    if (std::fmod(180 - from + 360, 360.0) < sweep) low.x = std::min(low.x, a.centre.x - a.radius);
    if (std::fmod(270 - from + 360, 360.0) < sweep) low.y = std::min(low.y, a.centre.y - a.radius);
    return low;
}

TEST(Placement, LowerLeftOriginPutsTheFrameCornerAtZeroAndEverythingAboveIt) {
    std::string every;
    for (int c = 0x21; c <= 0x7E; ++c) every += static_cast<char>(c);
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> side(0.5, 40.0), gap(0.0, 5.0), share(0.02, 0.08);
    const Align aligns[] = {Align::Left, Align::Center, Align::Right};
    for (int trial = 0; trial < 60; ++trial) {
        TextParameters p{side(rng), side(rng), 0, gap(rng), gap(rng)};
        p.line_width = std::min(p.char_width, p.char_height) * share(rng);
        const double margin = trial % 2 == 0 ? 0 : gap(rng);
        const Placement placement{aligns[trial % 3], Origin::LowerLeft, margin};
        const std::string text = every.substr(0, 40) + "\r\n" + every.substr(40, 20) + "\r\n" + every.substr(60);
        SCOPED_TRACE("trial " + std::to_string(trial));
        const TextLayout layout = *measure_text(p, text, placement);
        EntityList list;
        draw_text(p, text, layout, list);
        ASSERT_GT(list.entities.size(), 4u);
        // The first frame line runs from the origin; the frame holds the
        // block with the margin on every side.
        const auto& bottom = std::get<Line>(list.entities[0]);
        EXPECT_EQ(bottom.from, (Point{0, 0}));
        const TextLayout centred = *measure_text(p, text);
        const double size = -2 * centred.x0 + 2 * margin;
        EXPECT_NEAR(layout.right, size, 1e-12 * size);
        EXPECT_NEAR(layout.top, 2 * centred.y0 + 2 * margin, 1e-12 * layout.top);
        EXPECT_EQ(layout.x0, margin);
        // Everything drawn lies at or above zero, within the rounding of
        // the pen's repeated steps and of an arc's computed ends (so that
        // it prints as zero at the least).
        const double slack = 1e-12 * std::max(layout.right, layout.top);
        for (const Entity& e : list.entities) {
            const Point low = lowest_point(e);
            EXPECT_GE(low.x, -slack);
            EXPECT_GE(low.y, -slack);
        }
    }
}

TEST(Placement, MarginsAreJudgedLikeLengths) {
    EXPECT_EQ(validate_placement({}), std::nullopt);
    EXPECT_EQ(validate_placement({Align::Left, Origin::Center, 2.5}), std::nullopt);
    for (const double bad : {-0.1, 1e-9, 2e9, std::nan("")})
        EXPECT_TRUE(validate_placement({Align::Left, Origin::Center, bad}).has_value()) << bad;
    EXPECT_EQ(*validate_placement({Align::Left, Origin::Center, -1}, Language::English),
              "Frame margin must not be negative.\nNo file was written.");
}

}  // namespace
}  // namespace tracemill::testing
