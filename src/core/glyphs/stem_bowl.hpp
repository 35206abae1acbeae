// The stem-and-bowl construction of the lower-case letters b d p q g (and the
// bowl of the a): a round bowl beside a straight stem, touching it. Its
// skeleton spans the width from the stem's column to the far column (half
// width hw) and a given height (half height hh). From these and the stroke
// it decides the bowl's form and where the bowl's outer outline cuts into the
// stem's inner edge.
#pragma once

#include "../glyph.hpp"

namespace tracemill::glyphs {

struct StemBowl {
    // The bowl's skeleton radius: hw for a tall bowl (two half circles joined
    // by vertical sides, or one circle), otherwise the radius of the two half
    // circles of a wide bowl, joined by horizontal sides.
    double R = 0;
    bool tall = false;
    // Where the outer outline (radius R + r) of the half circle beside the
    // stem meets the stem's inner edge, the line r from the stem's skeleton
    // on the bowl's side, R − r from the arc's centre: alpha degrees either
    // side of the direction of the stem, sigma above and below the centre.
    double alpha = 0;
    double sigma = 0;
    // Tall bowl: the centre heights of the upper and the lower half circle.
    double upper = 0;
    double lower = 0;
};

// The bowl's radius and form. The largest radius whose cut into the stem
// still ends 0.05·t inside the bowl's half height is
// Rw = (hh − 0.05·t)² / (2·t) (written through the right triangle with legs
// hh − 0.05·t and t); a bowl that reaches the far column within that radius
// and is at least as high as wide is tall, with R = hw. Otherwise it is wide,
// with the half height for its radius if that is no more than the half width
// and Rw, else Rw.
StemBowl bowl_beside_stem(double hh, double hw, const GlyphCell& c);

// Fills in alpha and sigma for the chosen R (which must exceed r: the
// caller's R + r > t test guarantees it).
void cut_into_stem(StemBowl& b, const GlyphCell& c);

// The two half circles of a tall bowl whose skeleton spans from `top` down to
// `bottom`: each touches its end of the span. When the cut into the stem
// would then reach within 0.05·t of the span's end (R − sigma < 0.05·t), both
// are moved towards the middle until the cut ends that far inside it.
void stack_half_circles(StemBowl& b, double top, double bottom, double t);

// The six horizontal lines of a wide bowl about the centre line yC: its top
// and bottom sides at yC ± R from the left to the right arc centre, each
// skeleton followed by its outer and its inner outline. Without an inner
// outline (the bowl is solid) the inner lines are left out.
void wide_bowl_sides(GlyphOutput& out, double xLc, double xRc, double yC, double R, double r,
                     bool inner);

}  // namespace tracemill::glyphs
