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
    t['6'] = glyphs::digit_six;
    t['8'] = glyphs::digit_eight;
    t['9'] = glyphs::digit_nine;

    // Diagonal capitals A K M N V.
    t['A'] = glyphs::capital_a;
    t['K'] = glyphs::capital_k;
    t['M'] = glyphs::capital_m;
    t['N'] = glyphs::capital_n;
    t['V'] = glyphs::capital_v;

    // Diagonal capitals W X Y Z.
    t['W'] = glyphs::capital_w;
    t['X'] = glyphs::capital_x;
    t['Y'] = glyphs::capital_y;
    t['Z'] = glyphs::capital_z;

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
    t['<'] = glyphs::less_than;
    t['>'] = glyphs::greater_than;
    t['+'] = glyphs::plus_sign;
    t['='] = glyphs::equals_sign;
    t['^'] = glyphs::caret;
    t['~'] = glyphs::tilde;

    // Symbols ! ? # % *.
    t['!'] = glyphs::exclamation_mark;
    t['?'] = glyphs::question_mark;
    t['#'] = glyphs::number_sign;
    t['%'] = glyphs::percent_sign;
    t['*'] = glyphs::asterisk;

    // Symbols $, the yen sign, & @.
    t['$'] = glyphs::dollar;
    t['\\'] = glyphs::yen_sign;
    t['&'] = glyphs::ampersand;
    t['@'] = glyphs::at_sign;

    // Lower case i j l t f.
    t['i'] = glyphs::lower_i;
    t['j'] = glyphs::lower_j;
    t['l'] = glyphs::lower_l;
    t['t'] = glyphs::lower_t;
    t['f'] = glyphs::lower_f;

    // Lower case h n m u r.
    t['h'] = glyphs::lower_h;
    t['n'] = glyphs::lower_n;
    t['m'] = glyphs::lower_m;
    t['u'] = glyphs::lower_u;
    t['r'] = glyphs::lower_r;

    // Lower case v w x y z k.
    t['v'] = glyphs::small_v;
    t['w'] = glyphs::small_w;
    t['x'] = glyphs::small_x;
    t['y'] = glyphs::small_y;
    t['z'] = glyphs::small_z;
    t['k'] = glyphs::small_k;

    // Lower case b d p q g.
    t['b'] = glyphs::lower_b;
    t['d'] = glyphs::lower_d;
    t['p'] = glyphs::lower_p;
    t['q'] = glyphs::lower_q;
    t['g'] = glyphs::lower_g;

    // Lower case a e s.
    t['a'] = glyphs::lower_a;
    t['e'] = glyphs::lower_e;
    t['s'] = glyphs::lower_s;

    return t;
}

}  // namespace

const GlyphTable& glyph_table() {
    static const GlyphTable table = build_table();
    return table;
}

}  // namespace tracemill
