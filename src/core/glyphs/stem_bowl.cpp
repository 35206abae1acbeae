#include "stem_bowl.hpp"

#include <cmath>

#include "../exact_math.hpp"
#include "glyphs.hpp"

namespace tracemill::glyphs {

StemBowl bowl_beside_stem(double hh, double hw, const GlyphCell& c) {
    const double t = c.t, r = c.r;
    // D is the half height less the margin the cut must keep from the bowl's
    // end; sqrt(D² + t²) over the cosine of atan(D / t) is (D² + t²) / t, the
    // diameter of the circle through the two cut points whose outer outline
    // just reaches the stem's inner edge.
    const double D = hh - 0.05 * t;
    const double Rw = (std::sqrt(D * D + t * t) / cr_cos(cr_atan(D / t))) / 2 - r;
    StemBowl b;
    if (hh >= hw && hw <= Rw) {
        b.tall = true;
        b.R = hw;
    } else {
        b.R = (hh <= hw && hh <= Rw) ? hh : Rw;
    }
    return b;
}

void cut_into_stem(StemBowl& b, const GlyphCell& c) {
    const double r = c.r, Pi = c.Pi;
    // The outer outline circle R + r meets the line R − r from its centre.
    b.alpha = cr_acos((b.R - r) / (b.R + r)) * 180 / Pi;
    b.sigma = (b.R + r) * cr_sin(b.alpha * Pi / 180);
}

void stack_half_circles(StemBowl& b, double top, double bottom, double t) {
    if (b.R - b.sigma < 0.05 * t) {
        b.upper = top - 0.05 * t - b.sigma;
        b.lower = bottom + 0.05 * t + b.sigma;
    } else {
        b.upper = top - b.R;
        b.lower = bottom + b.R;
    }
}

void wide_bowl_sides(GlyphOutput& out, double xLc, double xRc, double yC, double R, double r,
                     bool inner) {
    out.line(xLc, yC + R, xRc, yC + R, kCentre);
    out.line(xLc, yC + R + r, xRc, yC + R + r, kOutline);
    if (inner) out.line(xLc, yC + R - r, xRc, yC + R - r, kOutline);
    out.line(xLc, yC - R, xRc, yC - R, kCentre);
    out.line(xLc, yC - R - r, xRc, yC - R - r, kOutline);
    if (inner) out.line(xLc, yC - R + r, xRc, yC - R + r, kOutline);
}

}  // namespace tracemill::glyphs
