// The dot with a tail that hangs down to the left: the comma, and the
// semicolon, apostrophe and double quote built from it.
#pragma once

#include <string_view>

#include "../glyph.hpp"

namespace tracemill::glyphs {

// Draws the comma shape in a cell of the size of `cell` whose top-left corner
// is (x, y) (callers shift it up or sideways to place the shape). a is the
// dot's outline radius, b the tail end's offset to the left of the dot
// centre, c the dot centre's height above the cell bottom, all in units of
// the stroke width. label is the character's name in messages.
// If the dot's outline meets neither the tail's end cap nor its inner edge,
// the run is stopped after the dot and the tail's skeleton and outer edge.
void comma_shape(const GlyphCell& cell, GlyphOutput& out, double x, double y, double a, double b,
                 double c, std::string_view label);

}  // namespace tracemill::glyphs
