#include "frame_calculation.hpp"

#include <cmath>

namespace tracemill {

std::string frame_message(Message what, Language lang) {
    std::string m = what == Message::FrameOutOfRange
                        ? std::string(message_text(what, lang))
                        : format_message(Message::ZeroOrLess, lang, {message_text(what, lang)});
    m += message_text(Message::FrameNotCalculated, lang);
    return m;
}

FrameResult calculate_frame(const FrameInputs& in, Language lang) {
    // The tests in the order the user learns about them; each is written so
    // that a value that is not a number fails it. The spacing percentages are
    // not tested: a digits-only field keeps them at zero or above.
    if (!(in.frame_width > 0)) return frame_message(Message::FrameWidth, lang);
    if (!(in.frame_height > 0)) return frame_message(Message::FrameHeight, lang);
    if (!(in.chars_per_row > 0)) return frame_message(Message::FrameCharsPerRow, lang);
    if (!(in.rows > 0)) return frame_message(Message::FrameRows, lang);
    if (!(in.line_width_percent > 0)) return frame_message(Message::FrameLineWidth, lang);

    // n cells and n − 1 gaps of cs percent of a cell share the frame width:
    // W = FrameWidth / (n + (n·cs)·0.01 − cs·0.01), likewise for the rows.
    // The products n·cs and m·ls are whole numbers formed before the scaling;
    // they are formed in 64 bits, because two 32-bit fields can overflow 32.
    const std::int64_t n = in.chars_per_row;
    const std::int64_t m = in.rows;
    const std::int64_t cs = in.char_spacing_percent;
    const std::int64_t ls = in.line_spacing_percent;
    const std::int64_t lw = in.line_width_percent;
    const double nd = static_cast<double>(n);
    const double md = static_cast<double>(m);
    const double csd = static_cast<double>(cs);
    const double lsd = static_cast<double>(ls);
    const double lwd = static_cast<double>(lw);

    TextParameters p;
    p.char_width = in.frame_width / (nd + static_cast<double>(n * cs) * 0.01 - csd * 0.01);
    p.char_height = in.frame_height / (md + static_cast<double>(m * ls) * 0.01 - lsd * 0.01);
    p.char_spacing = csd * p.char_width * 0.01;
    p.line_spacing = lsd * p.char_height * 0.01;
    // The stroke width is a share of the smaller cell side; equal sides take
    // the height.
    if (p.char_width < p.char_height) {
        p.line_width = lwd * p.char_width * 0.01;
    } else {
        p.line_width = lwd * p.char_height * 0.01;
    }

    const auto positive = [](double v) { return std::isfinite(v) && v > 0; };
    const auto non_negative = [](double v) { return std::isfinite(v) && v >= 0; };
    if (!positive(p.char_width) || !positive(p.char_height) || !positive(p.line_width) ||
        !non_negative(p.char_spacing) || !non_negative(p.line_spacing)) {
        return frame_message(Message::FrameOutOfRange, lang);
    }
    return p;
}

}  // namespace tracemill
