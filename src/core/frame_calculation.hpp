// Fitting a grid of character cells into a target frame: from the frame's
// size, the number of characters per row and of rows, and three percentages,
// the cell size, the two spacings and the stroke width.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "generation.hpp"

namespace tracemill {

// The frame inputs, with the defaults a new dialog shows.
struct FrameInputs {
    double frame_width = 2.5;
    double frame_height = 5.0;
    std::int32_t chars_per_row = 1;             // n
    std::int32_t rows = 1;                      // m
    std::int32_t char_spacing_percent = 20;     // cs, gap between cells in % of a cell's width
    std::int32_t line_spacing_percent = 50;     // ls, gap between rows in % of a cell's height
    std::int32_t line_width_percent = 15;       // lw, stroke width in % of the smaller cell side
};

namespace frame_messages {
inline constexpr std::string_view kWidth = "枠幅 が ゼロ以下です。\n　枠計算 は出来ません。";
inline constexpr std::string_view kHeight = "枠高 が ゼロ以下です。\n　枠計算 は出来ません。";
inline constexpr std::string_view kCharsPerRow = "枠行文字数 が ゼロ以下です。\n　枠計算 は出来ません。";
inline constexpr std::string_view kRows = "枠行数 が ゼロ以下です。\n　枠計算 は出来ません。";
inline constexpr std::string_view kLineWidth = "枠線幅 が ゼロ以下です。\n　枠計算 は出来ません。";
// A result that is not a finite length (an infinite or vanishing cell, a
// negative spacing from a negative percentage) is never shown or used.
inline constexpr std::string_view kOutOfRange =
    "枠計算 の結果 が 扱える数値になりません。\n　枠計算 は出来ません。";
}  // namespace frame_messages

// Either the five derived values or the message that explains why there are
// none. A pure function: the same inputs always give the same result.
using FrameResult = std::variant<TextParameters, std::string>;
FrameResult calculate_frame(const FrameInputs& in);

}  // namespace tracemill
