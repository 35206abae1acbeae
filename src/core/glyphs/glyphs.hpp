// Every glyph generator, by family. Each draws one character into its cell
// (see glyph.hpp); the dispatch table maps bytes to them.
#pragma once

#include "../glyph.hpp"

namespace tracemill::glyphs {

// Shorthands for the two colour classes every generator draws in.
inline constexpr Colour kCentre = Colour::CentreLine;
inline constexpr Colour kOutline = Colour::Outline;

// A curved stroke: the skeleton arc of radius rho and, over the same angles,
// its outline arcs at rho + r and rho − r, in that order.
inline void arc_with_outlines(GlyphOutput& out, Point centre, double rho, double r, double a0,
                              double a1) {
    out.arc(centre, rho, a0, a1, kCentre);
    out.arc(centre, rho + r, a0, a1, kOutline);
    out.arc(centre, rho - r, a0, a1, kOutline);
}

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
void digit_six(const GlyphCell& c, GlyphOutput& out);
void digit_eight(const GlyphCell& c, GlyphOutput& out);
void digit_nine(const GlyphCell& c, GlyphOutput& out);

// diagonal_capitals_akmnv.cpp (their slopes from diagonal_slope.hpp)
void capital_a(const GlyphCell& c, GlyphOutput& out);
void capital_k(const GlyphCell& c, GlyphOutput& out);
void capital_m(const GlyphCell& c, GlyphOutput& out);
void capital_n(const GlyphCell& c, GlyphOutput& out);
void capital_v(const GlyphCell& c, GlyphOutput& out);

// diagonal_capitals_wxyz.cpp (their slopes from diagonal_slope.hpp)
void capital_w(const GlyphCell& c, GlyphOutput& out);
void capital_x(const GlyphCell& c, GlyphOutput& out);
void capital_y(const GlyphCell& c, GlyphOutput& out);
void capital_z(const GlyphCell& c, GlyphOutput& out);

// round_capitals.cpp (the C and the O draw their lower-case letters too, with
// the top lowered and the full-width letter in their messages; the C fits
// its corner arc with corner_arc.hpp)
void capital_c(const GlyphCell& c, GlyphOutput& out);
void small_c(const GlyphCell& c, GlyphOutput& out);
void capital_o(const GlyphCell& c, GlyphOutput& out);
void small_o(const GlyphCell& c, GlyphOutput& out);
void capital_g(const GlyphCell& c, GlyphOutput& out);
void capital_d(const GlyphCell& c, GlyphOutput& out);
void capital_u(const GlyphCell& c, GlyphOutput& out);
void capital_j(const GlyphCell& c, GlyphOutput& out);

// bowl_capitals.cpp (the R trims its bowl with line_circle_angle.hpp)
void capital_b(const GlyphCell& c, GlyphOutput& out);
void capital_p(const GlyphCell& c, GlyphOutput& out);
void capital_r(const GlyphCell& c, GlyphOutput& out);

// capitals_sq.cpp (the Q trims its outline with line_circle_angle.hpp)
void capital_s(const GlyphCell& c, GlyphOutput& out);
void capital_q(const GlyphCell& c, GlyphOutput& out);

// punctuation.cpp (the comma shape of comma_shape.hpp; circle_intersection.hpp)
void comma(const GlyphCell& c, GlyphOutput& out);
void colon(const GlyphCell& c, GlyphOutput& out);
void semicolon(const GlyphCell& c, GlyphOutput& out);
void apostrophe(const GlyphCell& c, GlyphOutput& out);
void double_quote(const GlyphCell& c, GlyphOutput& out);
void grave_accent(const GlyphCell& c, GlyphOutput& out);

// brackets.cpp
void left_square_bracket(const GlyphCell& c, GlyphOutput& out);
void right_square_bracket(const GlyphCell& c, GlyphOutput& out);
void left_parenthesis(const GlyphCell& c, GlyphOutput& out);
void right_parenthesis(const GlyphCell& c, GlyphOutput& out);
void left_brace(const GlyphCell& c, GlyphOutput& out);
void right_brace(const GlyphCell& c, GlyphOutput& out);

// operators.cpp
void less_than(const GlyphCell& c, GlyphOutput& out);
void greater_than(const GlyphCell& c, GlyphOutput& out);
void plus_sign(const GlyphCell& c, GlyphOutput& out);
void equals_sign(const GlyphCell& c, GlyphOutput& out);
void caret(const GlyphCell& c, GlyphOutput& out);
void tilde(const GlyphCell& c, GlyphOutput& out);

// symbols_marks.cpp (! ? # % *)
void exclamation_mark(const GlyphCell& c, GlyphOutput& out);
void question_mark(const GlyphCell& c, GlyphOutput& out);
void number_sign(const GlyphCell& c, GlyphOutput& out);
void percent_sign(const GlyphCell& c, GlyphOutput& out);
void asterisk(const GlyphCell& c, GlyphOutput& out);

// symbols_currency_amp_at.cpp ($, the yen sign of byte 0x5C, & @)
void dollar(const GlyphCell& c, GlyphOutput& out);
void yen_sign(const GlyphCell& c, GlyphOutput& out);
void ampersand(const GlyphCell& c, GlyphOutput& out);
void at_sign(const GlyphCell& c, GlyphOutput& out);

// lower_ijltf.cpp
void lower_i(const GlyphCell& c, GlyphOutput& out);
void lower_j(const GlyphCell& c, GlyphOutput& out);
void lower_l(const GlyphCell& c, GlyphOutput& out);
void lower_t(const GlyphCell& c, GlyphOutput& out);
void lower_f(const GlyphCell& c, GlyphOutput& out);

// lower_hnmur.cpp
void lower_h(const GlyphCell& c, GlyphOutput& out);
void lower_n(const GlyphCell& c, GlyphOutput& out);
void lower_m(const GlyphCell& c, GlyphOutput& out);
void lower_u(const GlyphCell& c, GlyphOutput& out);
void lower_r(const GlyphCell& c, GlyphOutput& out);

// lower_vwxyzk.cpp
void small_v(const GlyphCell& c, GlyphOutput& out);
void small_w(const GlyphCell& c, GlyphOutput& out);
void small_x(const GlyphCell& c, GlyphOutput& out);
void small_y(const GlyphCell& c, GlyphOutput& out);
void small_z(const GlyphCell& c, GlyphOutput& out);
void small_k(const GlyphCell& c, GlyphOutput& out);

// lower_bdpqg.cpp (on the stem-and-bowl construction of stem_bowl.hpp)
void lower_b(const GlyphCell& c, GlyphOutput& out);
void lower_d(const GlyphCell& c, GlyphOutput& out);
void lower_p(const GlyphCell& c, GlyphOutput& out);
void lower_q(const GlyphCell& c, GlyphOutput& out);
void lower_g(const GlyphCell& c, GlyphOutput& out);

// lower_aes.cpp (the a on the stem-and-bowl construction)
void lower_a(const GlyphCell& c, GlyphOutput& out);
void lower_e(const GlyphCell& c, GlyphOutput& out);
void lower_s(const GlyphCell& c, GlyphOutput& out);

}  // namespace tracemill::glyphs
