// Every glyph generator, by family. Each draws one character into its cell
// (see glyph.hpp); the dispatch table maps bytes to them.
#pragma once

#include "../glyph.hpp"

namespace tracemill::glyphs {

// Shorthands for the two colour classes every generator draws in.
inline constexpr Colour kCentre = Colour::CentreLine;
inline constexpr Colour kOutline = Colour::Outline;

// simple_strokes.cpp
void hyphen(const GlyphCell& c, GlyphOutput& out);
void underscore(const GlyphCell& c, GlyphOutput& out);
void vertical_bar(const GlyphCell& c, GlyphOutput& out);
void slash(const GlyphCell& c, GlyphOutput& out);
void full_stop(const GlyphCell& c, GlyphOutput& out);

// straight_capitals.cpp
void capital_e(const GlyphCell& c, GlyphOutput& out);
void capital_f(const GlyphCell& c, GlyphOutput& out);
void capital_h(const GlyphCell& c, GlyphOutput& out);
void capital_i(const GlyphCell& c, GlyphOutput& out);
void capital_l(const GlyphCell& c, GlyphOutput& out);
void capital_t(const GlyphCell& c, GlyphOutput& out);

// digits_0147.cpp
void digit_zero(const GlyphCell& c, GlyphOutput& out);
void digit_one(const GlyphCell& c, GlyphOutput& out);
void digit_four(const GlyphCell& c, GlyphOutput& out);
void digit_seven(const GlyphCell& c, GlyphOutput& out);

// digits_235.cpp (the 2 uses the crossing tangent of cross_tangent.hpp)
void digit_two(const GlyphCell& c, GlyphOutput& out);
void digit_three(const GlyphCell& c, GlyphOutput& out);
void digit_five(const GlyphCell& c, GlyphOutput& out);

// digits_689.cpp

// diagonal_capitals_akmnv.cpp

// diagonal_capitals_wxyz.cpp

// round_capitals.cpp

// bowl_capitals.cpp (the R trims its bowl with line_circle_angle.hpp)
void capital_b(const GlyphCell& c, GlyphOutput& out);
void capital_p(const GlyphCell& c, GlyphOutput& out);
void capital_r(const GlyphCell& c, GlyphOutput& out);

// capitals_sq.cpp (the Q trims its outline with line_circle_angle.hpp)
void capital_s(const GlyphCell& c, GlyphOutput& out);
void capital_q(const GlyphCell& c, GlyphOutput& out);

// punctuation.cpp

// brackets.cpp

// operators.cpp

// symbols_marks.cpp (! ? # % *)

// symbols_currency_amp_at.cpp ($, the yen sign of byte 0x5C, & @)

// lower_ijltf.cpp

// lower_hnmur.cpp

// lower_vwxyzk.cpp

// lower_bdpqg.cpp

// lower_aes.cpp

}  // namespace tracemill::glyphs
