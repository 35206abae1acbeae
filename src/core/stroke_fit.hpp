// The widest stroke a text draws with: for a text and its cell and spacings,
// the largest pen diameter t at which every character of the text draws,
// and the character that stops the run one double above it.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "generation.hpp"

namespace tracemill {

// A character of the document text and where it first occurs (1-based row,
// and column counted in bytes of its row, as the run counts them).
struct TextPlace {
    unsigned char byte = 0;
    std::int64_t row = 0;
    std::int64_t column = 0;
};

struct StrokeFit {
    enum class Outcome {
        Fits,         // line_width draws the whole text; the next double stops it
        NoGlyph,      // `at` has no glyph: no stroke draws the text
        NothingFits,  // `at` stops even at the thinnest stroke the run accepts
        NoText,       // the text holds no character to draw a frame around
    };
    Outcome outcome = Outcome::NoText;
    double line_width = 0;
    // What binds: the glyph that stops one double above line_width. Nothing
    // when the cell itself binds, that is when line_width is the largest
    // double below the smaller cell side and every glyph still draws there.
    std::optional<TextPlace> at;
};

// Bisection on doubles between a stroke that draws and one that stops. Each
// step tries every distinct character of the text once, in a cell where it
// first occurs (a glyph's tests depend on its cell's size, not on where it
// stands); the result is then confirmed over every occurrence, and the
// bisection repeated over every occurrence in the rare case that rounding
// far from the origin makes one occurrence differ from the first. The
// parameters' line_width is ignored; the other lengths must be valid. The
// cells are where the run with that placement draws them.
StrokeFit widest_stroke(const TextParameters& p, std::string_view text, const Placement& placement = {});

// A stroke the run accepts with the cell of p, to judge p's other lengths
// with before the fit: half the smaller side, at least the thinnest stroke
// the run draws. A side below that thinnest stroke is judged with half its
// length, so that the side itself is named as too small, not a line width
// the user never gave.
double stroke_for_judging(const TextParameters& p);

}  // namespace tracemill
