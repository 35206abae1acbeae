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
    // Digits 2, 3, 5.
    t['2'] = glyphs::digit_two;
    t['3'] = glyphs::digit_three;
    t['5'] = glyphs::digit_five;
    return t;
}

}  // namespace

const GlyphTable& glyph_table() {
    static const GlyphTable table = build_table();
    return table;
}

}  // namespace tracemill
