#include "dispatch.hpp"

#include "glyphs/glyphs.hpp"

namespace tracemill {

namespace {

GlyphTable build_table() {
    GlyphTable t{};
    // Simple strokes.
    t['-'] = glyphs::hyphen;
    t['_'] = glyphs::underscore;
    t['|'] = glyphs::vertical_bar;
    t['.'] = glyphs::full_stop;
    t['/'] = glyphs::slash;
    // Straight capitals.
    t['E'] = glyphs::capital_e;
    t['F'] = glyphs::capital_f;
    t['H'] = glyphs::capital_h;
    t['I'] = glyphs::capital_i;
    t['L'] = glyphs::capital_l;
    t['T'] = glyphs::capital_t;
    // Digits 0 1 4 7.
    t['0'] = glyphs::digit_zero;
    t['1'] = glyphs::digit_one;
    t['4'] = glyphs::digit_four;
    t['7'] = glyphs::digit_seven;
    // Digits 2, 3, 5.
    t['2'] = glyphs::digit_two;
    t['3'] = glyphs::digit_three;
    t['5'] = glyphs::digit_five;

    // Digits 6, 8, 9.

    // Diagonal capitals A K M N V.

    // Diagonal capitals W X Y Z.

    // Round capitals C O G D U J and the lower-case c o.
    t['C'] = glyphs::capital_c;
    t['c'] = glyphs::small_c;
    t['O'] = glyphs::capital_o;
    t['o'] = glyphs::small_o;
    t['G'] = glyphs::capital_g;
    t['D'] = glyphs::capital_d;
    t['U'] = glyphs::capital_u;
    t['J'] = glyphs::capital_j;

    // Bowl capitals B P R.
    t['B'] = glyphs::capital_b;
    t['P'] = glyphs::capital_p;
    t['R'] = glyphs::capital_r;

    // Capitals S and Q.
    t['S'] = glyphs::capital_s;
    t['Q'] = glyphs::capital_q;

    // Punctuation , : ; ' " `.
    t[','] = glyphs::comma;
    t[':'] = glyphs::colon;
    t[';'] = glyphs::semicolon;
    t['\''] = glyphs::apostrophe;
    t['"'] = glyphs::double_quote;
    t['`'] = glyphs::grave_accent;

    // Brackets.
    t['['] = glyphs::left_square_bracket;
    t[']'] = glyphs::right_square_bracket;
    t['('] = glyphs::left_parenthesis;
    t[')'] = glyphs::right_parenthesis;
    t['{'] = glyphs::left_brace;
    t['}'] = glyphs::right_brace;

    // Operators < > + = ^ ~.

    // Symbols ! ? # % *.

    // Symbols $, the yen sign, & @.
    t['$'] = glyphs::dollar;
    t['\\'] = glyphs::yen_sign;
    t['&'] = glyphs::ampersand;
    t['@'] = glyphs::at_sign;

    // Lower case i j l t f.

    // Lower case h n m u r.

    // Lower case v w x y z k.
    t['v'] = glyphs::small_v;
    t['w'] = glyphs::small_w;
    t['x'] = glyphs::small_x;
    t['y'] = glyphs::small_y;
    t['z'] = glyphs::small_z;
    t['k'] = glyphs::small_k;

    // Lower case b d p q g.

    // Lower case a e s.

    return t;
}

}  // namespace

const GlyphTable& glyph_table() {
    static const GlyphTable table = build_table();
    return table;
}

}  // namespace tracemill
