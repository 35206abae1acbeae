// The frame calculation: the worked examples, the order of its messages, the
// choice of the smaller cell side, and the overflow that once gave "inf".
// Expected values come from the formulas evaluated separately in Python with
// the same operation order.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "frame_calculation.hpp"
#include "number_text.hpp"

namespace tracemill {
namespace {

TextParameters values_of(const FrameInputs& in) {
    const FrameResult r = calculate_frame(in);
    EXPECT_TRUE(std::holds_alternative<TextParameters>(r)) << std::get<std::string>(r);
    return std::holds_alternative<TextParameters>(r) ? std::get<TextParameters>(r)
                                                      : TextParameters{};
}

std::string message_of(const FrameInputs& in) {
    const FrameResult r = calculate_frame(in);
    EXPECT_TRUE(std::holds_alternative<std::string>(r));
    return std::holds_alternative<std::string>(r) ? std::get<std::string>(r) : std::string();
}

TEST(FrameCalculation, DefaultsGiveTheCellOfTheFrame) {
    const TextParameters p = values_of(FrameInputs{});
    EXPECT_EQ(p.char_width, 2.5);
    EXPECT_EQ(p.char_height, 5.0);
    EXPECT_EQ(p.char_spacing, 0.5);
    EXPECT_EQ(p.line_spacing, 2.5);
    EXPECT_EQ(p.line_width, 0.375);  // 15 % of the smaller side, the width
}

TEST(FrameCalculation, FourCellsAndThreeGapsFillTheWidth) {
    FrameInputs in;
    in.frame_width = 10;
    in.chars_per_row = 4;
    const TextParameters p = values_of(in);
    EXPECT_EQ(p.char_width, 2.173913043478261);
    EXPECT_EQ(p.char_spacing, 0.4347826086956523);
    EXPECT_EQ(shown_number(p.char_width), "2.17391304347826");
    EXPECT_EQ(shown_number(p.char_spacing), "0.434782608695652");
    EXPECT_NEAR(4 * p.char_width + 3 * p.char_spacing, 10.0, 1e-12);
    EXPECT_EQ(p.line_width, 0.3260869565217392);
}

TEST(FrameCalculation, OneCharacterPerRowIgnoresTheSpacingInTheWidth) {
    FrameInputs in;
    in.frame_width = 3;
    for (std::int32_t cs : {0, 20, 1000}) {
        in.char_spacing_percent = cs;
        const TextParameters p = values_of(in);
        EXPECT_EQ(p.char_width, 3.0) << cs;
        EXPECT_EQ(p.char_spacing, cs * 3.0 * 0.01) << cs;
    }
}

TEST(FrameCalculation, StrokeWidthFollowsTheSmallerSideAndEqualSidesTakeTheHeight) {
    FrameInputs in;
    in.frame_height = 5;
    in.line_width_percent = 15;
    in.frame_width = std::nextafter(5.0, 0.0);  // width a hair smaller: its share
    EXPECT_EQ(values_of(in).line_width, 0.7499999999999999);
    in.frame_width = std::nextafter(5.0, 10.0);  // width a hair larger: the height's share
    EXPECT_EQ(values_of(in).line_width, 0.75);
    in.frame_width = 5;
    EXPECT_EQ(values_of(in).line_width, 0.75);
    // Three rows of three with 20 % gaps: equal sides from different formulas.
    const FrameInputs square{7, 7, 3, 3, 20, 20, 10};
    const TextParameters p = values_of(square);
    EXPECT_EQ(p.char_width, p.char_height);
    EXPECT_EQ(p.line_width, 0.2058823529411765);
}

TEST(FrameCalculation, MessagesComeInTheirOrder) {
    // Every field wrong at once: each fix reveals the next message.
    FrameInputs in{0, 0, 0, 0, 20, 50, 0};
    EXPECT_EQ(message_of(in), "枠幅 が ゼロ以下です。\n　枠計算 は出来ません。");
    in.frame_width = 1;
    EXPECT_EQ(message_of(in), "枠高 が ゼロ以下です。\n　枠計算 は出来ません。");
    in.frame_height = 1;
    EXPECT_EQ(message_of(in), "枠行文字数 が ゼロ以下です。\n　枠計算 は出来ません。");
    in.chars_per_row = 1;
    EXPECT_EQ(message_of(in), "枠行数 が ゼロ以下です。\n　枠計算 は出来ません。");
    in.rows = 1;
    EXPECT_EQ(message_of(in), "枠線幅 が ゼロ以下です。\n　枠計算 は出来ません。");
    in.line_width_percent = 1;
    EXPECT_TRUE(std::holds_alternative<TextParameters>(calculate_frame(in)));
}

TEST(FrameCalculation, NegativeAndNotANumberInputsAreRefused) {
    FrameInputs in;
    in.frame_width = -2;
    EXPECT_EQ(message_of(in), frame_messages::kWidth);
    in.frame_width = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(message_of(in), frame_messages::kWidth);
    in = FrameInputs{};
    in.frame_height = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(message_of(in), frame_messages::kHeight);
    in = FrameInputs{};
    in.rows = -1;
    EXPECT_EQ(message_of(in), frame_messages::kRows);
    in = FrameInputs{};
    in.line_width_percent = -15;
    EXPECT_EQ(message_of(in), frame_messages::kLineWidth);
}

TEST(FrameCalculation, LargeProductsDoNotOverflow) {
    // 3 · 2147483498 exceeds 32 bits; wrapped, the denominator came out zero
    // and the cell infinitely wide.
    FrameInputs in;
    in.chars_per_row = 3;
    in.char_spacing_percent = 2147483498;
    const TextParameters p = values_of(in);
    EXPECT_EQ(p.char_width, 5.8207660913467414e-08);
    EXPECT_EQ(p.char_spacing, 1.2499999126885089);
    EXPECT_EQ(p.line_width, 8.731149137020113e-09);
    // The same for the rows.
    in = FrameInputs{};
    in.rows = 2147483647;
    in.line_spacing_percent = 2147483647;
    const TextParameters q = values_of(in);
    EXPECT_TRUE(std::isfinite(q.char_height) && q.char_height > 0);
    EXPECT_TRUE(std::isfinite(q.line_spacing) && q.line_spacing > 0);
}

TEST(FrameCalculation, ResultsThatAreNotFiniteLengthsAreNeverGiven) {
    FrameInputs in;
    in.frame_width = std::numeric_limits<double>::infinity();
    EXPECT_EQ(message_of(in), frame_messages::kOutOfRange);
    in = FrameInputs{};
    in.frame_width = std::numeric_limits<double>::max();
    in.char_spacing_percent = 1000;  // the spacing overflows though the cell does not
    EXPECT_EQ(message_of(in), frame_messages::kOutOfRange);
    in = FrameInputs{};
    in.frame_width = std::numeric_limits<double>::denorm_min();
    in.chars_per_row = 2147483647;  // the cell vanishes
    EXPECT_EQ(message_of(in), frame_messages::kOutOfRange);
    in.chars_per_row = 1;  // a cell remains, but its stroke vanishes
    EXPECT_EQ(message_of(in), frame_messages::kOutOfRange);
    in.frame_width = 1e-310;  // below the normal doubles, yet every length remains
    EXPECT_GT(values_of(in).line_width, 0);
    in.frame_width = 5e9;  // larger than any drawing takes, yet finite: the run judges it
    EXPECT_EQ(values_of(in).char_width, 5e9);
    in = FrameInputs{};
    in.chars_per_row = 2;
    in.char_spacing_percent = -100;  // 2 + (−200)·0.01 − (−100)·0.01 = 1, but a negative gap
    EXPECT_EQ(message_of(in), frame_messages::kOutOfRange);
    in.char_spacing_percent = -200;  // zero denominator
    EXPECT_EQ(message_of(in), frame_messages::kOutOfRange);
}

}  // namespace
}  // namespace tracemill
