// The comma shape: a round dot whose tail leaves it at its rightmost point and
// curves down to the left in a circular arc to the cell bottom.
//
//   h   the dot's skeleton radius (a·t − r); Ro = h + r its outline radius.
//   D   the dot centre, c·t above the cell bottom on the cell's centre line.
//   E   the tail end, b·t left of D, its cap resting on the cell bottom.
//   A   the slope, from the vertical, of the chord from E up to the tail's
//       start point S = (Dx + h, Dy), the dot skeleton's rightmost point.
//   Rt  the radius of the circle through S and E whose centre Ct lies on the
//       horizontal through D; the tail is its arc from E (at −2A) to S (at 0).
//
// The tail's outer edge (radius Rt + r) ends on the dot's outline at its
// rightmost point. On the other side the dot's outline is cut either by the
// tail's inner edge (radius Rt − r) or, for a short stubby tail, by the end
// cap's circle; whichever cut lies further round the dot decides where the
// dot's outline stops and the end cap begins.
#include "comma_shape.hpp"

#include <cmath>

#include "../exact_math.hpp"
#include "circle_intersection.hpp"
#include "glyphs.hpp"

namespace tracemill::glyphs {

void comma_shape(const GlyphCell& cell, GlyphOutput& out, double x, double y, double a, double b,
                 double c, std::string_view label) {
    const double W = cell.W, H = cell.H, t = cell.t, r = cell.r, Pi = cell.Pi;

    const double h = a * t - r;
    const double Ro = h + r;
    const Point D{x + W / 2, (y - H) + c * t};
    const Point E{(x - b * t) + W / 2, (y - H) + r};
    const double A = cr_atan(((x + W / 2) + h - E.x) / (D.y - E.y)) * 180 / Pi;
    const double Rt = std::sqrt(pow2((x + W / 2) + h - E.x) + pow2(D.y - E.y)) /
                      (2 * cr_sin(A * Pi / 180));
    const Point Ct{(x + W / 2) + h - Rt, D.y};

    out.circle(D, h, kCentre);
    out.arc(Ct, Rt, -2 * A, 0, kCentre);
    out.arc(Ct, Rt + r, -2 * A, 0, kOutline);

    // I1: the dot's outline against the end cap's circle (they touch: E lies
    // Ro + r from D with the usual proportions). I2: the dot's outline
    // against the tail's inner edge.
    GeometryResult I1, I2;
    const bool cap_meets = circle_intersection_angles(Ro, D.x, D.y, r, E.x, E.y, Pi, I1);
    const bool edge_meets = circle_intersection_angles(Ro, D.x, D.y, Rt - r, Ct.x, Ct.y, Pi, I2);

    double beta = 0;        // where the dot's outline stops, going round from its rightmost point
    double cap_start = 0;   // where the end cap starts
    bool inner_edge = false;
    if (cap_meets) {
        beta = I1.angle2 + 360;
        // The tail's inner edge reaches the dot beyond the cap's touching
        // point: the dot's outline stops there, and the full half-circle cap
        // joins the inner edge.
        inner_edge = edge_meets && cr_cos(I2.angle1 * Pi / 180) < cr_cos(beta * Pi / 180);
        if (!inner_edge) {
            // The cap itself runs into the dot's outline. The touching point
            // lies on the cap's circle, so the ratio is the sine of its angle
            // about E.
            cap_start =
                cr_asin(clamp_unit(((D.y - E.y) + Ro * cr_sin(beta * Pi / 180)) / r)) * 180 / Pi -
                360;
        }
    } else if (edge_meets) {
        inner_edge = true;
    } else {
        out.stop(Message::SmallOuterLargeInner, label);
        return;
    }
    if (inner_edge) {
        cap_start = -2 * A - 180;
        beta = I2.angle1;
        // The crossing lies on both circles, whose centres share a height:
        // gamma is its angle about Ct.
        const double gamma =
            cr_asin(clamp_unit(Ro * cr_sin(beta * Pi / 180) / (Rt - r))) * 180 / Pi;
        out.arc(Ct, Rt - r, -2 * A, gamma, kOutline);
    }
    out.arc(E, r, cap_start, -2 * A, kOutline);
    out.arc(D, Ro, 0, beta, kOutline);
}

}  // namespace tracemill::glyphs
