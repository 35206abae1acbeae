// The widest stroke, judged by the run itself: the fitted width draws the
// whole text, the next double above stops it, and the named glyph is one
// that stops there.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "stroke_fit.hpp"
#include "test_support.hpp"

namespace tracemill::testing {
namespace {

class Discard final : public EntitySink {
public:
    void add(const Entity&) override {}
};

std::string stop_at(TextParameters p, const std::string& text, double t, const Placement& placement = {}) {
    p.line_width = t;
    Discard sink;
    return draw_text(p, text, *measure_text(p, text, placement), sink);
}

TEST(WidestStroke, DrawsAndTheNextDoubleStopsAtTheNamedGlyph) {
    std::string every;
    for (int c = 0x21; c <= 0x7E; ++c) every += static_cast<char>(c);
    std::mt19937_64 rng(20261207);
    std::uniform_real_distribution<double> side(0.3, 12.0), gap(0.0, 3.0);
    std::uniform_int_distribution<int> glyph(0x21, 0x7E), length(1, 6);
    for (int trial = 0; trial < 300; ++trial) {
        // The whole set in two rows, then short random texts.
        std::string text = every.substr(0, 47) + "\r\n" + every.substr(47);
        if (trial % 3 != 0) {
            text.clear();
            for (int k = length(rng); k > 0; --k) text += static_cast<char>(glyph(rng));
        }
        TextParameters p{side(rng), side(rng), 0, gap(rng), gap(rng)};
        // The cells where every placement puts them.
        const Placement placement{static_cast<Align>(trial % 3), static_cast<Origin>(trial / 3 % 2),
                                  trial % 4 == 1 ? gap(rng) : 0};
        SCOPED_TRACE(text + " W " + std::to_string(p.char_width) + " H " + std::to_string(p.char_height));
        const StrokeFit fit = widest_stroke(p, text, placement);
        const auto stop_at = [&](const TextParameters& q, const std::string& s, double t) {
            return testing::stop_at(q, s, t, placement);
        };
        if (fit.outcome == StrokeFit::Outcome::NothingFits) {
            ASSERT_TRUE(fit.at);
            EXPECT_NE(stop_at(p, text, kMinPositiveLength), "");
            continue;
        }
        ASSERT_EQ(fit.outcome, StrokeFit::Outcome::Fits);
        EXPECT_EQ(stop_at(p, text, fit.line_width), "");
        const double above = std::nextafter(fit.line_width, std::numeric_limits<double>::infinity());
        if (!fit.at) {  // the cell binds: the next double is refused as a stroke
            EXPECT_FALSE(above < p.char_width && above < p.char_height);
            continue;
        }
        // The named occurrence is where the run stops: blank out (keeping
        // the layout) what follows it, and it still stops; blank it too, and
        // the rest draws.
        const std::size_t at = static_cast<std::size_t>(fit.at->column - 1) + (fit.at->row == 2 ? 49 : 0);
        ASSERT_EQ(text[at], static_cast<char>(fit.at->byte));
        std::string upto = text;
        for (std::size_t k = at + 1; k < upto.size(); ++k)
            if (upto[k] != '\r' && upto[k] != '\n') upto[k] = ' ';
        EXPECT_NE(stop_at(p, upto, above), "");
        upto[at] = ' ';
        EXPECT_EQ(stop_at(p, upto, above), "");
    }
}

TEST(WidestStroke, TextsThatDrawAtNoStroke) {
    const TextParameters p;
    const StrokeFit missing = widest_stroke(p, "AB\r\nC\tD");
    EXPECT_EQ(missing.outcome, StrokeFit::Outcome::NoGlyph);
    ASSERT_TRUE(missing.at);
    EXPECT_EQ(missing.at->byte, '\t');
    EXPECT_EQ(missing.at->row, 2);
    EXPECT_EQ(missing.at->column, 2);
    EXPECT_EQ(widest_stroke(p, "\r\n").outcome, StrokeFit::Outcome::NoText);
    // A cell so flat that even the thinnest accepted stroke is too wide for 'E'.
    const StrokeFit flat = widest_stroke(TextParameters{5, 2e-6, 0, 0, 0}, "-E");
    EXPECT_EQ(flat.outcome, StrokeFit::Outcome::NothingFits);
    ASSERT_TRUE(flat.at);
    EXPECT_EQ(flat.at->byte, 'E');
}

}  // namespace
}  // namespace tracemill::testing
