// Fitting a grid of character cells into a target frame: from the frame's
// size, the number of characters per row and of rows, and three percentages,
// the cell size, the two spacings and the stroke width.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "generation.hpp"
#include "messages.hpp"

namespace tracemill {

// A refusal of the frame calculation: for a field, "<field> が ゼロ以下です。"
// (in English "<field> must be greater than zero."), for a result out of
// range the message of its own; each followed by the line saying that there
// is no frame calculation.
std::string frame_message(Message what, Language lang);

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

// The Japanese messages by their earlier names.
namespace frame_messages {
inline const std::string kWidth = frame_message(Message::FrameWidth, Language::Japanese);
inline const std::string kHeight = frame_message(Message::FrameHeight, Language::Japanese);
inline const std::string kCharsPerRow = frame_message(Message::FrameCharsPerRow, Language::Japanese);
inline const std::string kRows = frame_message(Message::FrameRows, Language::Japanese);
inline const std::string kLineWidth = frame_message(Message::FrameLineWidth, Language::Japanese);
// A result that is not a finite length (an infinite or vanishing cell, a
// negative spacing from a negative percentage) is never shown or used.
inline const std::string kOutOfRange = frame_message(Message::FrameOutOfRange, Language::Japanese);
}  // namespace frame_messages

// Either the five derived values or the message that explains why there are
// none. A pure function: the same inputs always give the same result.
using FrameResult = std::variant<TextParameters, std::string>;
FrameResult calculate_frame(const FrameInputs& in, Language lang = Language::Japanese);

}  // namespace tracemill
