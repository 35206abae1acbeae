// The digits 2, 3 and 5: quarter and half circles, straight strokes and, for
// the 2, a slanted stroke that is the crossing tangent of two circles. Their
// shape follows the proportions of the cell: each compares the width left for
// a bowl with the radius the height allows and picks a layout, with a layout
// of its own for exact equality between the two main ones.
#include <cmath>

#include "../exact_math.hpp"
#include "cross_tangent.hpp"
#include "glyphs.hpp"

namespace tracemill::glyphs {

// Digit 2. A base stroke along the bottom; a hook at the top whose left end
// hangs down free; the tail, an arc of a large circle that leaves the base's
// left end upwards and turns to the right; and between hook and tail either
// the slanted crossing tangent or, in a wide cell, a horizontal middle bar.
//
// The tail circle C1 = (x + H/2, y − H + r) has skeleton radius K = H/2 − r:
// its leftmost point is the base's left end, its top is at mid-height. Where
// the tail meets the base, the base's upper outline y − H + 2r cuts the
// tail's inner outline (radius H/2 − 2r) at the angle 180 − sigma.
//
// Layouts, from narrow to wide:
//  1. K > W − t: the cell is too narrow for the hook to be a quarter circle of
//     radius K/2, so the hook is a half circle of the cell's width, then a
//     straight right side, then a second circle of that radius whose lowest
//     point is at mid-height, from which the tangent falls to the tail.
//  2. K = W − t: the two hook circles of layout 1 coincide; the hook is one
//     arc, from the tangent point over the top to the free end.
//  3. otherwise, while 1.5·K + t > W: the hook is a quarter circle of radius
//     K/2, a top bar and a right circle of radius K/2; that circle still lies
//     left of the tail circle's top, so the tangent connects them.
//  4. 1.5·K + t = W: the right circle's lowest point is the tail circle's
//     top; the two meet directly.
//  5. 1.5·K + t < W: the right half circle ends right of the tail's top and a
//     horizontal middle bar joins them.
void digit_two(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r, Pi = c.Pi;
    constexpr std::string_view name = "2";
    if (!stroke_fits(out, W / 2, t, name)) return;
    if (!stroke_fits(out, H / 3, t, name)) return;

    const double K = H / 2 - r;
    // H/3 > t keeps r below H/2 − t, so the inner tail outline always reaches
    // the base's upper outline; only rounding at the limit can push the ratio
    // past 1.
    const double sigma = cr_asin(clamp_unit(r / (H / 2 - t))) * 180 / Pi;
    const Point C1{x + H / 2, y - H + r};

    // The tail, from the angle a (where the hook or the middle bar hands over)
    // down to the base's left end at 180; the inner outline stops at the sharp
    // inner corner with the base, from where the base's upper outline runs to
    // the right cap.
    const auto tail = [&](double a) {
        out.arc(C1, H / 2, a, 180, kOutline);
        out.arc(C1, H / 2 - r, a, 180, kCentre);
        out.arc(C1, H / 2 - 2 * r, a, 180 - sigma, kOutline);
        out.line(x + H / 2 - (H / 2 - 2 * r) * cr_cos(sigma * Pi / 180), y - H + 2 * r,
                 x + W - r, y - H + 2 * r, kOutline);
    };

    // The base: the outer corner at its left end (the tail arrives from
    // above), the cap at its right end, skeleton and lower outline.
    out.arc({x + r, y - H + r}, r, 180, 270, kOutline);
    out.arc({x + W - r, y - H + r}, r, -90, 90, kOutline);
    out.line(x + r, y - H + r, x + W - r, y - H + r, kCentre);
    out.line(x + r, y - H, x + W - r, y - H, kOutline);

    if (K > W - t) {
        // Layout 1. The hook end P = (x + r, y − W/2) hangs from a half circle
        // that spans the cell's width; the right side goes straight down to
        // the centre height of the lower hook circle, whose lowest skeleton
        // point is at mid-height.
        out.arc({x + r, y - W / 2}, r, -180, 0, kOutline);
        out.arc({x + W / 2, y - W / 2}, W / 2, 0, 180, kOutline);
        out.arc({x + W / 2, y - W / 2}, W / 2 - r, 0, 180, kCentre);
        out.arc({x + W / 2, y - W / 2}, W / 2 - 2 * r, 0, 180, kOutline);
        out.line(x + W - 2 * r, y - W / 2, x + W - 2 * r, y + W / 2 - H / 2 - r, kOutline);
        out.line(x + W - r, y - W / 2, x + W - r, y + W / 2 - H / 2 - r, kCentre);
        out.line(x + W, y - W / 2, x + W, y + W / 2 - H / 2 - r, kOutline);
        CrossTangentConnector k;
        k.r = r;
        k.t = t;
        k.P = {x + r, y - W / 2};
        k.C1 = C1;
        k.rho1 = H / 2 - r;
        k.C2 = {x + W / 2, y + W / 2 - H / 2 - r};
        k.rho2 = W / 2 - r;
        k.end_deg = 0;
        if (!k.draw(c, out)) return;
        tail(k.phi + 90);
        return;
    }

    if (K == W - t) {
        // Layout 2. One hook circle of radius H/4 − r/2 (= W/2 − r here),
        // drawn by the connector from the tangent point to the free end at 180.
        out.arc({x + r, y - H / 4 - r / 2}, r, -180, 0, kOutline);
        CrossTangentConnector k;
        k.r = r;
        k.t = t;
        k.P = {x + r, y - H / 4 - r / 2};
        k.C1 = C1;
        k.rho1 = H / 2 - r;
        k.C2 = {x + W / 2, y - H / 4 - r / 2};
        k.rho2 = H / 4 - r / 2;
        k.end_deg = 180;
        if (!k.draw(c, out)) return;
        tail(k.phi + 90);
        return;
    }

    // Layouts 3 to 5 share the hook's upper-left quarter circle (radius
    // H/4 − r/2, ending in the free end P = (x + r, y − H/4 − r/2)) and the top
    // bar at y − r up to the centre of the right-hand circle.
    const Point left{x + H / 4 + r / 2, y - H / 4 - r / 2};
    const double right_x = x + W - H / 4 - r / 2;
    out.arc({x + r, y - H / 4 - r / 2}, r, -180, 0, kOutline);
    out.arc(left, H / 4 + r / 2, 90, 180, kOutline);
    out.arc(left, H / 4 - r / 2, 90, 180, kCentre);
    out.arc(left, H / 4 - 1.5 * r, 90, 180, kOutline);
    out.line(x + H / 4 + r / 2, y, x + W - H / 4 - r / 2, y, kOutline);
    out.line(x + H / 4 + r / 2, y - r, x + W - H / 4 - r / 2, y - r, kCentre);
    out.line(x + H / 4 + r / 2, y - 2 * r, x + W - H / 4 - r / 2, y - 2 * r, kOutline);

    if (1.5 * K + t > W) {
        // Layout 3. The right circle's lowest point lies left of the tail's
        // top: the tangent falls from it to the tail.
        CrossTangentConnector k;
        k.r = r;
        k.t = t;
        k.P = {x + r, y - H / 4 - r / 2};
        k.C1 = C1;
        k.rho1 = H / 2 - r;
        k.C2 = {x + W - H / 4 - r / 2, y - H / 4 - r / 2};
        k.rho2 = H / 4 - r / 2;
        k.end_deg = 90;
        if (!k.draw(c, out)) return;
        tail(k.phi + 90);
        return;
    }

    // Layouts 4 and 5: the stroke from the hook to the tail is horizontal, at
    // mid-height, so the part of the skeleton nearest to the hook end P is the
    // tail circle: the clearance is P's distance from C1 less the tail radius.
    const double clearance =
        std::sqrt((H / 2 - r) * (H / 2 - r) + (0.75 * H - 1.5 * r) * (0.75 * H - 1.5 * r)) -
        (H / 2 - r);
    if (!(clearance > t)) {
        out.stop(width_message(name, clearance));
        return;
    }
    const Point right{right_x, y - H / 4 - r / 2};
    out.arc(right, H / 4 + r / 2, -90, 90, kOutline);
    out.arc(right, H / 4 - r / 2, -90, 90, kCentre);
    out.arc(right, H / 4 - 1.5 * r, -90, 90, kOutline);
    if (1.5 * K + t < W) {
        // Layout 5: the middle bar from the tail's top to the half circle.
        out.line(x + H / 2, y - H / 2 + r, x + W - H / 4 - r / 2, y - H / 2 + r, kOutline);
        out.line(x + H / 2, y - H / 2, x + W - H / 4 - r / 2, y - H / 2, kCentre);
        out.line(x + H / 2, y - H / 2 - r, x + W - H / 4 - r / 2, y - H / 2 - r, kOutline);
    }
    tail(90);
}

// Digit 3. Two bowls, one above the other, each ending on the left in a free
// hook end with a cap; they meet on the right at mid-height, where a short
// middle bar from x + 0.45·W ends.
//
// K = H/2 − r is the radius the height allows a bowl that spans half the cell
// height, compared with W − t, the radius the width allows:
//  1. K > W − t (narrow cell): each bowl has skeleton radius W/2 − r, with a
//     straight right side filling the rest of its half height.
//  3. K < W − t (wide cell): each bowl has skeleton radius H/4 − r/2, and
//     straight top, bottom and middle bars fill the width.
//  2. K = W − t: the straight parts of layout 1 vanish; each bowl is a single
//     three-quarter arc.
// Where the bowls meet on the right, their outer outlines cross on the
// mid-height line at the sharp inner corner (angle alpha or beta from the
// vertical); their inner outlines end on the middle bar's outlines.
// Before the middle bar is drawn, the bar's left cap must keep more than a
// stroke width from the upper hook end.
void digit_three(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r, Pi = c.Pi;
    constexpr std::string_view name = "3";
    if (!stroke_fits(out, W / 2, t, name)) return;
    if (!stroke_fits(out, H / 3, t, name)) return;

    const double K = H / 2 - r;
    // The middle bar's left cap comes first.
    out.arc({x + 0.45 * W, y - H / 2}, r, 90, 270, kOutline);

    double clearance;
    double bar_end;  // where the middle bar meets the bowls
    if (K > W - t) {
        // Layout 1. The outer outlines (radius W/2) of the two middle arcs,
        // centred W/2 − r above and below mid-height, cross on that line.
        const double alpha = cr_acos((W / 2 - r) / (W / 2)) * 180 / Pi;
        const Point top{x + W / 2, y - W / 2};                      // upper bowl's top arc
        const Point upper_mid{x + W / 2, y + W / 2 - H / 2 - r};    // upper bowl's lower arc
        const Point lower_mid{x + W / 2, y - W / 2 - H / 2 + r};    // lower bowl's upper arc
        const Point bottom{x + W / 2, y + W / 2 - H};               // lower bowl's bottom arc
        out.arc({x + r, y - W / 2}, r, -180, 0, kOutline);
        out.arc(top, W / 2, 0, 180, kOutline);
        out.arc(top, W / 2 - r, 0, 180, kCentre);
        out.arc(top, W / 2 - 2 * r, 0, 180, kOutline);
        out.line(x + W, y + W / 2 - H / 2 - r, x + W, y - W / 2, kOutline);
        out.line(x + W - r, y + W / 2 - H / 2 - r, x + W - r, y - W / 2, kCentre);
        out.line(x + W - 2 * r, y + W / 2 - H / 2 - r, x + W - 2 * r, y - W / 2, kOutline);
        out.arc(upper_mid, W / 2, alpha - 90, 0, kOutline);
        out.arc(upper_mid, W / 2 - r, -90, 0, kCentre);
        out.arc(upper_mid, W / 2 - 2 * r, -90, 0, kOutline);
        out.arc(lower_mid, W / 2, 0, 90 - alpha, kOutline);
        out.arc(lower_mid, W / 2 - r, 0, 90, kCentre);
        out.arc(lower_mid, W / 2 - 2 * r, 0, 90, kOutline);
        out.line(x + W, y + W / 2 - H, x + W, y - W / 2 - H / 2 + r, kOutline);
        out.line(x + W - r, y + W / 2 - H, x + W - r, y - W / 2 - H / 2 + r, kCentre);
        out.line(x + W - 2 * r, y + W / 2 - H, x + W - 2 * r, y - W / 2 - H / 2 + r, kOutline);
        out.arc(bottom, W / 2, -180, 0, kOutline);
        out.arc(bottom, W / 2 - r, -180, 0, kCentre);
        out.arc(bottom, W / 2 - 2 * r, -180, 0, kOutline);
        out.arc({x + r, y + W / 2 - H}, r, 0, 180, kOutline);
        // From the bar's cap centre (x + 0.45·W, y − H/2) to the upper hook
        // end (x + r, y − W/2).
        clearance = std::sqrt((0.45 * W - r) * (0.45 * W - r) + (H / 2 - W / 2) * (H / 2 - W / 2));
        bar_end = x + W / 2;
    } else if (K < W - t) {
        // Layout 3. Four bowl circles of radius H/4 − r/2: two on the left
        // carrying the hook ends, two on the right meeting at mid-height.
        const double beta = cr_acos((H / 4 - r / 2) / (H / 4 + r / 2)) * 180 / Pi;
        const Point upper_left{x + H / 4 + r / 2, y - H / 4 - r / 2};
        const Point upper_right{x + W - H / 4 - r / 2, y - H / 4 - r / 2};
        const Point lower_right{x + W - H / 4 - r / 2, y - 0.75 * H + r / 2};
        const Point lower_left{x + H / 4 + r / 2, y - 0.75 * H + r / 2};
        out.arc({x + r, y - H / 4 - r / 2}, r, -180, 0, kOutline);
        out.arc(upper_left, H / 4 + r / 2, 90, 180, kOutline);
        out.arc(upper_left, H / 4 - r / 2, 90, 180, kCentre);
        out.arc(upper_left, H / 4 - 1.5 * r, 90, 180, kOutline);
        out.line(x + H / 4 + r / 2, y, x + W - H / 4 - r / 2, y, kOutline);
        out.line(x + H / 4 + r / 2, y - r, x + W - H / 4 - r / 2, y - r, kCentre);
        out.line(x + H / 4 + r / 2, y - 2 * r, x + W - H / 4 - r / 2, y - 2 * r, kOutline);
        out.arc(upper_right, H / 4 + r / 2, beta - 90, 90, kOutline);
        out.arc(upper_right, H / 4 - r / 2, -90, 90, kCentre);
        out.arc(upper_right, H / 4 - 1.5 * r, -90, 90, kOutline);
        out.arc(lower_right, H / 4 + r / 2, -90, 90 - beta, kOutline);
        out.arc(lower_right, H / 4 - r / 2, -90, 90, kCentre);
        out.arc(lower_right, H / 4 - 1.5 * r, -90, 90, kOutline);
        out.line(x + H / 4 + r / 2, y - H + 2 * r, x + W - H / 4 - r / 2, y - H + 2 * r, kOutline);
        out.line(x + H / 4 + r / 2, y - H + r, x + W - H / 4 - r / 2, y - H + r, kCentre);
        out.line(x + H / 4 + r / 2, y - H, x + W - H / 4 - r / 2, y - H, kOutline);
        out.arc(lower_left, H / 4 + r / 2, 180, 270, kOutline);
        out.arc(lower_left, H / 4 - r / 2, 180, 270, kCentre);
        out.arc(lower_left, H / 4 - 1.5 * r, 180, 270, kOutline);
        out.arc({x + r, y - 0.75 * H + r / 2}, r, 0, 180, kOutline);
        // From the bar's cap centre to the upper hook end (x + r, y − H/4 − r/2).
        clearance = std::sqrt((0.45 * W - r) * (0.45 * W - r) + (H / 4 - r / 2) * (H / 4 - r / 2));
        bar_end = x + W - H / 4 - r / 2;
    } else {
        // Layout 2. Each bowl a three-quarter arc of radius W/2 − r: the upper
        // from its lowest point (the bar's right end) round the right and the
        // top to the hook end at 180, the lower from the hook end at −180
        // round the bottom and the right up to its top.
        const double alpha = cr_acos((W / 2 - r) / (W / 2)) * 180 / Pi;
        const Point upper{x + W / 2, y + W / 2 - H / 2 - r};
        const Point lower{x + W / 2, y - W / 2 - H / 2 + r};
        out.arc({x + r, y + W / 2 - H / 2 - r}, r, -180, 0, kOutline);
        out.arc(upper, W / 2, alpha - 90, 180, kOutline);
        out.arc(upper, W / 2 - r, -90, 180, kCentre);
        out.arc(upper, W / 2 - 2 * r, -90, 180, kOutline);
        out.arc(lower, W / 2, -180, 90 - alpha, kOutline);
        out.arc(lower, W / 2 - r, -180, 90, kCentre);
        out.arc(lower, W / 2 - 2 * r, -180, 90, kOutline);
        out.arc({x + r, y - W / 2 - H / 2 + r}, r, 0, 180, kOutline);
        clearance = std::sqrt((0.45 * W - r) * (0.45 * W - r) + (H / 2 - W / 2) * (H / 2 - W / 2));
        bar_end = x + W / 2;
    }

    if (!(clearance > t)) {
        out.stop(width_message(name, clearance));
        return;
    }
    out.line(x + 0.45 * W, y - H / 2 + r, bar_end, y - H / 2 + r, kOutline);
    out.line(x + 0.45 * W, y - H / 2, bar_end, y - H / 2, kCentre);
    out.line(x + 0.45 * W, y - H / 2 - r, bar_end, y - H / 2 - r, kOutline);
}

// Digit 5. A top bar at y − r with a cap on the right and a rounded outer
// corner on the left; a stem down the left side to mid-height; there the
// stroke turns back on itself into a small quarter arc (radius 0.15·H) that
// climbs to the bowl's top line y − 0.35·H; the bowl on the right; its bottom
// along y − H + r; and a small quarter arc at the lower left that ends free.
//
// The bowl spans from y − 0.35·H down to y − H + r. Rb = 0.325·H − r/2 is half
// that height, the radius of a bowl that is a half circle; Rn = W − 0.15·H − t
// is the radius that the width leaves between the small arcs' centre line and
// the right side:
//  1. Rn < Rb (narrow cell): quarter arcs of radius Rn joined by a straight
//     right side.
//  2. Rn > Rb (wide cell): a half circle of radius Rb joined to the small arcs
//     by straight top and bottom bars.
//  3. Rn = Rb: one half circle of radius Rn meeting the small arcs directly.
void digit_five(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r, Pi = c.Pi;
    constexpr std::string_view name = "5";
    if (!stroke_fits(out, W / 2, t, name)) return;
    if (!stroke_fits(out, (1 - 0.35 - 2 * 0.15) * H / 1.5, t, name)) return;
    if (!stroke_fits(out, (W - 0.15 * H) / 1.5, t, name)) return;

    // The stem's right outline x + 2r meets the upper small arc's outer
    // outline (radius 0.15·H + r) at the angle 90 + gamma.
    const double gamma = cr_asin((0.15 * H - r) / (0.15 * H + r)) * 180 / Pi;
    const Point upper_small{x + 0.15 * H + r, y - H / 2};
    const Point lower_small{x + 0.15 * H + r, y - 0.85 * H + r};

    out.arc({x + W - r, y - r}, r, -90, 90, kOutline);
    out.line(x + r, y, x + W - r, y, kOutline);
    out.line(x + r, y - r, x + W - r, y - r, kCentre);
    out.line(x + 2 * r, y - 2 * r, x + W - r, y - 2 * r, kOutline);
    out.arc({x + r, y - r}, r, 90, 180, kOutline);
    out.line(x, y - r, x, y - H / 2, kOutline);
    out.line(x + r, y - r, x + r, y - H / 2, kCentre);
    out.line(x + 2 * r, y - 2 * r, x + 2 * r, y - H / 2 + (0.15 * H + r) * cr_cos(gamma * Pi / 180),
             kOutline);
    // The stroke reverses at the stem's foot: a half circle caps the turn.
    out.arc({x + r, y - H / 2}, r, 180, 0, kOutline);
    out.arc(upper_small, 0.15 * H + r, 90, 90 + gamma, kOutline);
    out.arc(upper_small, 0.15 * H, 90, 180, kCentre);
    out.arc(upper_small, 0.15 * H - r, 90, 180, kOutline);
    out.arc(lower_small, 0.15 * H - r, 180, 270, kOutline);
    out.arc(lower_small, 0.15 * H, 180, 270, kCentre);
    out.arc(lower_small, 0.15 * H + r, 180, 270, kOutline);
    out.arc({x + r, y - 0.85 * H + r}, r, 0, 180, kOutline);

    const double Rn = W - 0.15 * H - t;
    const double Rb = ((1 - 0.35) * H - r) / 2;
    if (Rn < Rb) {
        // Layout 1: upper quarter arc centred Rn below the bowl's top line,
        // lower one Rn above its bottom line, the right side between them.
        const Point upper{x + 0.15 * H + r, y - W - 0.2 * H + 2 * r};
        const Point lower{x + 0.15 * H + r, y + W - 1.15 * H - r};
        out.arc(upper, W - 0.15 * H - 3 * r, 0, 90, kOutline);
        out.arc(upper, W - 0.15 * H - 2 * r, 0, 90, kCentre);
        out.arc(upper, W - 0.15 * H - r, 0, 90, kOutline);
        out.line(x + W, y - W - 0.2 * H + 2 * r, x + W, y + W - 1.15 * H - r, kOutline);
        out.line(x + W - r, y - W - 0.2 * H + 2 * r, x + W - r, y + W - 1.15 * H - r, kCentre);
        out.line(x + W - 2 * r, y - W - 0.2 * H + 2 * r, x + W - 2 * r, y + W - 1.15 * H - r,
                 kOutline);
        out.arc(lower, W - 0.15 * H - 3 * r, -90, 0, kOutline);
        out.arc(lower, W - 0.15 * H - 2 * r, -90, 0, kCentre);
        out.arc(lower, W - 0.15 * H - r, -90, 0, kOutline);
    } else if (Rn > Rb) {
        // Layout 2: bars along the bowl's top and bottom lines, and the right
        // half circle of radius Rb between them.
        const Point bowl{x + W - 0.325 * H - r / 2, y - 0.675 * H + r / 2};
        out.line(x + 0.15 * H + r, y - 0.35 * H + r, x + W - 0.325 * H - r / 2, y - 0.35 * H + r,
                 kOutline);
        out.line(x + 0.15 * H + r, y - 0.35 * H, x + W - 0.325 * H - r / 2, y - 0.35 * H, kCentre);
        out.line(x + 0.15 * H + r, y - 0.35 * H - r, x + W - 0.325 * H - r / 2, y - 0.35 * H - r,
                 kOutline);
        out.arc(bowl, 0.325 * H - 1.5 * r, -90, 90, kOutline);
        out.arc(bowl, 0.325 * H - r / 2, -90, 90, kCentre);
        out.arc(bowl, 0.325 * H + r / 2, -90, 90, kOutline);
        out.line(x + 0.15 * H + r, y - H + 2 * r, x + W - 0.325 * H - r / 2, y - H + 2 * r, kOutline);
        out.line(x + 0.15 * H + r, y - H + r, x + W - 0.325 * H - r / 2, y - H + r, kCentre);
        out.line(x + 0.15 * H + r, y - H, x + W - 0.325 * H - r / 2, y - H, kOutline);
    } else {
        // Layout 3: the bowl is one half circle of radius Rn.
        const Point bowl{x + 0.15 * H + r, y - W - 0.2 * H + 2 * r};
        out.arc(bowl, W - 0.15 * H - 3 * r, -90, 90, kOutline);
        out.arc(bowl, W - 0.15 * H - 2 * r, -90, 90, kCentre);
        out.arc(bowl, W - 0.15 * H - r, -90, 90, kOutline);
    }
}

}  // namespace tracemill::glyphs
