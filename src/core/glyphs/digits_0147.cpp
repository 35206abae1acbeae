// The digits 0, 1, 4 and 7: an oval, a stem with a flag, a stem crossed by a
// bar and braced by a diagonal, and a bar with a diagonal. Every outline is
// the round pen's: two parallel lines at distance r along each straight
// stroke, concentric arcs at R ± r along each curved one, half-circle caps on
// free ends, arcs of radius r about outer corners, sharp inner corners.
//
// Every formula is evaluated in the order it is written; the ninth printed
// decimal and the choice between layouts depend on it.
#include <cmath>

#include "../exact_math.hpp"
#include "glyphs.hpp"

namespace tracemill::glyphs {

namespace {


// Sine, cosine and tangent of an angle given in degrees, converted back to
// radians with the drawing's own Pi.
struct Trig {
    double s, c, t;
};
Trig trig_of(double A, double Pi) {
    const double rad = to_radians(A, Pi);
    return {cr_sin(rad), cr_cos(rad), cr_tan(rad)};
}

}  // namespace

// '0': a closed oval, two half circles joined by two straight sides. Its
// centre line is K = 0.46W wide and H − t tall, so that the outer outline
// touches the top and bottom of the cell. Which pair of sides is straight
// depends on which of the two extents is larger:
//   a. H − t > K: a tall oval; the half circles (diameter K) sit at the top
//      and bottom, joined by vertical sides;
//   b. H − t = K: the two half circles meet, and the oval is a circle;
//   c. H − t < K: a wide oval; the half circles (diameter H − t) sit left and
//      right, joined by horizontal sides.
// In each case the outline is the same oval at radius R + r and R − r: the
// outer loop and the counter. The counter exists because K > t (first test)
// and H > 2t (the second, and implied in case a). When such a test passes by
// a hair, the counter's radius prints as zero: then its arcs and its sides
// coincide in a slit the pen covers from both sides, and none of it is drawn.
void digit_zero(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r;
    constexpr std::string_view name = "ゼロ";
    const double K = 0.46 * W;
    const double xm = x + W / 2;
    if (!stroke_fits(out, 0.46 * W, t, name)) return;
    if (!stroke_fits(out, H / 2, t, name)) return;

    // One loop of the oval: centre line, outer outline, counter.
    struct Loop {
        double R;
        Colour colour;
    };

    if (H - t > K) {
        // Case a, tall oval. Ct and Cb are the centres of the upper and lower
        // half circles, each R0 + r from its cell edge.
        const double R0 = K / 2;
        const Point Ct{xm, y - R0 - r};
        const Point Cb{xm, y - H + R0 + r};
        const Loop loops[] = {{R0, kCentre}, {(K + t) / 2, kOutline}, {(K - t) / 2, kOutline}};
        for (const Loop& l : loops) {
            if (!prints_positive(l.R)) continue;  // a counter shrunk to a slit
            out.arc(Ct, l.R, 0, 180, l.colour);
            out.arc(Cb, l.R, -180, 0, l.colour);
            out.line(xm - l.R, Ct.y, xm - l.R, Cb.y, l.colour);
            out.line(xm + l.R, Ct.y, xm + l.R, Cb.y, l.colour);
        }
    } else if (H - t == K) {
        // Case b, the two half circles of either layout meet: a circle in the
        // middle of the cell.
        const Point C{xm, y - H / 2};
        out.circle(C, (H - t) / 2, kCentre);
        out.circle(C, H / 2, kOutline);
        out.circle(C, (H - 2 * t) / 2, kOutline);
    } else {
        // Case c, wide oval. Cl and Cr are the centres of the left and right
        // half circles, R0 inside the oval's span x + 0.27W .. x + 0.73W.
        const double R0 = (H - t) / 2;
        const Point Cl{x + R0 + (1 - 0.46) * W / 2, y - H / 2};
        const Point Cr{x - R0 + (1 + 0.46) * W / 2, y - H / 2};
        const Loop loops[] = {{R0, kCentre}, {H / 2, kOutline}, {(H - 2 * t) / 2, kOutline}};
        for (const Loop& l : loops) {
            if (!prints_positive(l.R)) continue;  // a counter shrunk to a slit
            out.arc(Cl, l.R, 90, 270, l.colour);
            out.arc(Cr, l.R, -90, 90, l.colour);
            // When H − t falls short of K by rounding alone, Cl and Cr
            // coincide in print and these sides have no length: the output
            // leaves them out and the two half circles close the loop.
            out.line(Cl.x, Cl.y - l.R, Cr.x, Cl.y - l.R, l.colour);
            out.line(Cl.x, Cl.y + l.R, Cr.x, Cl.y + l.R, l.colour);
        }
    }
}

// '1': a vertical stem a little right of the middle, with a flag running
// down to the left at 45 degrees from its top.
//   S, T  foot and top of the stem, r inside the bottom and top edges;
//   F     the flag's free end, u left of and u below T;
//   u     the flag's run and fall, a quarter of the cell's smaller side;
//   d     r / √2, the offset of the flag's outline along each axis.
// The stem's right side and the flag's upper edge meet round T (an outer
// corner, rounded by an arc); the flag's lower edge meets the stem's left
// side in a sharp inner corner at (xs − r, y − 2r − 2d), the same for every
// u because the flag always leaves T at 45 degrees.
void digit_one(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r;
    constexpr std::string_view name = "1";
    const double u = W >= H ? 0.25 * H : 0.25 * W;
    const double xs = x + 0.55 * W;
    const Point S{xs, y - H + r};
    const Point T{xs, y - r};
    const Point F{xs - u, y - r - u};
    const double d = r / std::sqrt(2.0);
    if (!stroke_fits(out, 0.25 * W, t, name)) return;
    if (!stroke_fits(out, 0.25 * H, t, name)) return;

    out.line(S, T, kCentre);
    out.line(F, T, kCentre);
    out.arc(S, r, -180, 0, kOutline);   // foot cap
    out.arc(T, r, 0, 135, kOutline);    // outer corner at the top
    out.arc(F, r, 135, 315, kOutline);  // flag end cap
    out.line(xs - r, y - H + r, xs - r, y - 2 * r - 2 * d, kOutline);
    out.line(xs + r, y - H + r, xs + r, y - r, kOutline);
    out.line(xs - u + d, y - r - u - d, xs - r, y - 2 * r - 2 * d, kOutline);
    out.line(xs - u - d, y - r - u + d, xs - d, y - r + d, kOutline);
}

// '4': a stem at three quarters of the width, a crossbar at a quarter of the
// height across the whole cell, and a diagonal from the crossbar's left end
// up to the top of the stem. The three strokes enclose a triangle.
//   L, E  left and right ends of the crossbar (L is also the diagonal's foot);
//   T, S  top and foot of the stem;
//   A     the diagonal's angle of rise, in degrees;
//   K1    inner corner where the diagonal's lower edge meets the crossbar's
//         upper edge, r/sA + r/tA right of L's outline, at yb + r;
//   K2    inner corner where the diagonal's lower edge meets the stem's left
//         side, at xs − r.
// L and T are outer corners, rounded by arcs of radius r; where stem and
// crossbar cross, all four corners (xs ± r, yb ± r) are sharp, and the
// triangle's edges run between K1, K2 and (xs − r, yb + r).
void digit_four(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r, Pi = c.Pi;
    constexpr std::string_view name = "4";
    const double xs = x + 0.75 * W;
    const double yb = y - 0.75 * H;
    const Point L{x + r, yb};
    const Point E{x + W - r, yb};
    const Point T{xs, y - r};
    const Point S{xs, y - H + r};
    const double A = to_degrees(cr_atan(std::fabs((0.75 * H - r) / (0.75 * W - r))), Pi);
    const Trig a = trig_of(A, Pi);
    const Point K1{x + r / a.s + r / a.t + r, yb + r};
    const Point K2{xs - r, y - r - r / a.c - r * a.t};
    if (!stroke_fits(out, 0.25 * W, t, name)) return;
    if (!stroke_fits(out, 0.25 * H, t, name)) return;

    // Crossbar, its edges cut by the stem.
    out.arc(E, r, -90, 90, kOutline);  // end cap
    out.line(L, E, kCentre);
    out.line(xs + r, yb - r, x + W - r, yb - r, kOutline);
    out.line(xs + r, yb + r, x + W - r, yb + r, kOutline);
    out.line(x + r, yb - r, xs - r, yb - r, kOutline);
    out.line(K1, Point{xs - r, yb + r}, kOutline);
    // Diagonal, rounded at both of its outer corners.
    out.arc(L, r, A + 90, 270, kOutline);
    out.line(T, L, kCentre);
    out.line(K1, K2, kOutline);
    out.line(x + r - a.s * r, yb + a.c * r, xs - a.s * r, y - r + a.c * r, kOutline);
    out.arc(T, r, 0, A + 90, kOutline);
    // Stem, its sides cut by the crossbar.
    out.line(T, S, kCentre);
    out.line(K2, Point{xs - r, yb + r}, kOutline);
    out.line(xs + r, y - r, xs + r, yb + r, kOutline);
    out.line(xs - r, yb - r, xs - r, y - H + r, kOutline);
    out.line(xs + r, yb - r, xs + r, y - H + r, kOutline);
    out.arc(S, r, -180, 0, kOutline);  // foot cap
}

// '7': a bar along the top edge and a diagonal from its right end down to a
// foot at 0.4W.
//   B, T  left and right ends of the bar (T is also the diagonal's top);
//   F     foot of the diagonal, r above the bottom edge;
//   A     the diagonal's angle of rise, in degrees;
//   K     inner corner where the bar's lower edge meets the diagonal's
//         upper-left edge, r/sA + r/tA left of T, at y − 2r.
// The third test keeps K right of the bar's left end (the bar's lower edge
// has a length); the fourth keeps the diagonal's upper-left edge starting
// below the bar (that edge has a length).
void digit_seven(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r, Pi = c.Pi;
    constexpr std::string_view name = "7";
    const Point B{x + r, y - r};
    const Point T{x + W - r, y - r};
    const Point F{x + 0.4 * W, y - H + r};
    const double A =
        to_degrees(cr_atan(((y - r) - (y - H + r)) / ((x + W - r) - (x + 0.4 * W))), Pi);
    const Trig a = trig_of(A, Pi);
    const Point K{x + W - r - r / a.s - r / a.t, y - 2 * r};
    if (!stroke_fits(out, W / 1.5, t, name)) return;
    if (!stroke_fits(out, H / 1.9, t, name)) return;
    if (!stroke_fits(out, ((x + W - r) - (x + r) - r / a.t) * a.s + r, t, name)) return;
    if (!stroke_fits(out, y - (a.c * r + (y - H + r)), t, name)) return;

    out.arc(B, r, 90, 270, kOutline);  // bar end cap
    out.line(x + r, y, x + W - r, y, kOutline);
    out.line(B, T, kCentre);
    out.line(Point{x + r, y - 2 * r}, K, kOutline);
    out.arc(T, r, A - 90, 90, kOutline);  // outer corner
    out.line(Point{x + 0.4 * W - a.s * r, y - H + r + a.c * r}, K, kOutline);
    out.line(F, T, kCentre);
    out.line(x + 0.4 * W + a.s * r, y - H + r - a.c * r, x + W - r + a.s * r, y - r - a.c * r,
             kOutline);
    out.arc(F, r, A + 90, A + 270, kOutline);  // foot cap
}

}  // namespace tracemill::glyphs
