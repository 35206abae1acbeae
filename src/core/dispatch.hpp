// The table from a byte of the document text to the generator that draws it.
#pragma once

#include <array>

#include "glyph.hpp"

namespace tracemill {

using GlyphTable = std::array<GlyphGenerator, 256>;

// The generator of a byte, or nullptr when the byte has no glyph (yet).
// CR and space are handled by the run, not here.
const GlyphTable& glyph_table();

inline GlyphGenerator generator_for(unsigned char byte) { return glyph_table()[byte]; }

}  // namespace tracemill
