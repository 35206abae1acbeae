// The digits 6, 8 and 9. The 6 and the 9 are one construction turned by half
// a turn: a closed bowl and an open hook joined by a straight stem down (6)
// or up (9) the side of the cell. The 8 is two closed loops, one above the
// other, that touch at mid-height.
//
// Each loop or hook takes its shape from the room it has: when the room is
// wider than it is high, two half circles joined by horizontal bars (a wide
// stadium) or two quarter circles joined by a bar (a wide hook); when it is
// higher than wide, two half circles joined by vertical sides (a tall
// stadium) or one half circle (a narrow hook); at exact equality of the two
// extents the loop is a full circle. Those comparisons are exact comparisons
// of doubles, and every formula is evaluated in the order it is written: the
// choice of layout and the ninth printed decimal depend on it.
//
// Where a stem runs into a loop tangentially, the stem's inner outline stops
// on the loop's outer outline, and the part of that outer outline hidden
// inside the stem is left out.
#include <cmath>

#include "../exact_math.hpp"
#include "glyphs.hpp"

namespace tracemill::glyphs {

// Digit 6. The hook at the top, its free end on the right; the stem down the
// left side; the bowl below the line ym = y − 0.45·H, whose left side is the
// stem.
//
//   w  = W − t, the width between the left and right skeleton lines;
//   ht = 0.45·H − r, the height from the top skeleton line down to ym;
//   hb = 0.55·H − r, the height from ym down to the bottom skeleton line.
//
// Hook: w > ht leaves room for two quarter circles of radius ht/2 joined by a
// top bar (wide hook); otherwise one half circle spanning the width.
// Bowl: |w| < hb, a tall stadium (half circles of radius W/2 − r at top and
// bottom, vertical sides); w > hb, a wide stadium (half circles of radius
// hb/2 left and right, bars along ym and the bottom line); w = hb, a circle.
// Before the stem is drawn, the hook's free end P must keep more than a
// stroke width from the bowl's skeleton; otherwise the run stops with the
// hook and bowl drawn.
void digit_six(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r, Pi = c.Pi;
    constexpr std::string_view name = "6";
    if (!stroke_fits(out, W / 2, t, name)) return;
    if (!stroke_fits(out, H / 4.3, t, name)) return;

    const double w = W - t;
    const double ht = 0.45 * H - r;
    const double hb = 0.55 * H - r;
    // The bowl's outer outline (radius W/2 about x + W/2) crosses the stem's
    // right outline x + 2r at the angle 90 + delta.
    const double delta = to_degrees(cr_asin((W / 2 - t) / (W / 2)), Pi);

    // The hook, ending in the free end P at the stem's top height ys.
    Point P;
    double ys;
    if (w > ht) {
        const Point left{x + 0.225 * H + r / 2, y - 0.225 * H - r / 2};
        const Point right{x + W - 0.225 * H - r / 2, y - 0.225 * H - r / 2};
        out.arc(left, 0.225 * H + r / 2, 90, 180, kOutline);
        out.arc(left, 0.225 * H - r / 2, 90, 180, kCentre);
        out.arc(left, 0.225 * H - 1.5 * r, 90, 180, kOutline);
        out.line(x + 0.225 * H + r / 2, y, x + W - 0.225 * H - r / 2, y, kOutline);
        out.line(x + 0.225 * H + r / 2, y - r, x + W - 0.225 * H - r / 2, y - r, kCentre);
        out.line(x + 0.225 * H + r / 2, y - 2 * r, x + W - 0.225 * H - r / 2, y - 2 * r, kOutline);
        out.arc(right, 0.225 * H + r / 2, 0, 90, kOutline);
        out.arc(right, 0.225 * H - r / 2, 0, 90, kCentre);
        out.arc(right, 0.225 * H - 1.5 * r, 0, 90, kOutline);
        out.arc({x + W - r, y - 0.225 * H - r / 2}, r, -180, 0, kOutline);
        P = {x + W - r, y - 0.225 * H - r / 2};
        ys = y - 0.225 * H - r / 2;
    } else {
        const Point top{x + W / 2, y - W / 2};
        out.arc(top, W / 2, 0, 180, kOutline);
        out.arc(top, W / 2 - r, 0, 180, kCentre);
        out.arc(top, W / 2 - 2 * r, 0, 180, kOutline);
        out.arc({x + W - r, y - W / 2}, r, -180, 0, kOutline);
        P = {x + W - r, y - W / 2};
        ys = y - W / 2;
    }

    // The bowl. C and rho are the centre and skeleton radius of the bowl arc
    // nearest to P (the upper arc of a tall bowl, the right arc of a wide
    // one); yj is where the stem's right outline meets the bowl's outer
    // outline, ye where the stem's skeleton and left outline end.
    Point C;
    double rho, yj, ye;
    if (std::fabs(w) < hb) {
        const Point top{x + W / 2, y - W / 2 - 0.45 * H + r};
        const Point bottom{x + W / 2, y + W / 2 - H};
        out.arc(top, W / 2, 0, 90 + delta, kOutline);
        out.arc(top, W / 2 - r, 0, 180, kCentre);
        // The counter hangs on W/2 − 2r: when the first test passes by a
        // hair it prints as zero, and its sides x + 2r and x + W − 2r
        // coincide in a slit the pen covers from both sides.
        const bool counter = prints_positive(W / 2 - 2 * r);
        if (counter) {
            out.arc(top, W / 2 - 2 * r, 0, 180, kOutline);
            out.line(x + 2 * r, y - W / 2 - 0.45 * H + r, x + 2 * r, y + W / 2 - H, kOutline);
            out.line(x + W - 2 * r, y - W / 2 - 0.45 * H + r, x + W - 2 * r, y + W / 2 - H, kOutline);
        }
        out.line(x + W - r, y - W / 2 - 0.45 * H + r, x + W - r, y + W / 2 - H, kCentre);
        out.line(x + W, y - W / 2 - 0.45 * H + r, x + W, y + W / 2 - H, kOutline);
        out.arc(bottom, W / 2, -180, 0, kOutline);
        out.arc(bottom, W / 2 - r, -180, 0, kCentre);
        if (counter) out.arc(bottom, W / 2 - 2 * r, -180, 0, kOutline);
        C = top;
        rho = W / 2 - r;
        yj = y - W / 2 - 0.45 * H + r + (W / 2) * cr_cos(to_radians(delta, Pi));
        ye = y + W / 2 - H;
    } else if (w > hb) {
        // The left bowl arc's outer outline (radius 0.275·H + r/2) crosses
        // the stem's right outline at 90 + epsilon.
        const double epsilon =
            to_degrees(cr_asin((0.275 * H - 1.5 * r) / (0.275 * H + r / 2)), Pi);
        const Point left{x + 0.275 * H + r / 2, y - 0.725 * H + r / 2};
        const Point right{x + W - 0.275 * H - r / 2, y - 0.725 * H + r / 2};
        out.arc(left, 0.275 * H + r / 2, 90, 90 + epsilon, kOutline);
        out.arc(left, 0.275 * H - r / 2, 90, 270, kCentre);
        out.arc(left, 0.275 * H - 1.5 * r, 90, 270, kOutline);
        out.arc(left, 0.275 * H + r / 2, 180, 270, kOutline);
        out.line(x + 0.275 * H + r / 2, y - 0.45 * H + r, x + W - 0.275 * H - r / 2,
                 y - 0.45 * H + r, kOutline);
        out.line(x + 0.275 * H + r / 2, y - 0.45 * H, x + W - 0.275 * H - r / 2, y - 0.45 * H,
                 kCentre);
        out.line(x + 0.275 * H + r / 2, y - 0.45 * H - r, x + W - 0.275 * H - r / 2,
                 y - 0.45 * H - r, kOutline);
        out.arc(right, 0.275 * H + r / 2, -90, 90, kOutline);
        out.arc(right, 0.275 * H - r / 2, -90, 90, kCentre);
        out.arc(right, 0.275 * H - 1.5 * r, -90, 90, kOutline);
        out.line(x + 0.275 * H + r / 2, y - H + 2 * r, x + W - 0.275 * H - r / 2, y - H + 2 * r,
                 kOutline);
        out.line(x + 0.275 * H + r / 2, y - H + r, x + W - 0.275 * H - r / 2, y - H + r, kCentre);
        out.line(x + 0.275 * H + r / 2, y - H, x + W - 0.275 * H - r / 2, y - H, kOutline);
        C = right;
        rho = 0.275 * H - r / 2;
        yj = y - 0.725 * H + r / 2 + (0.275 * H + r / 2) * cr_cos(to_radians(epsilon, Pi));
        ye = y - 0.725 * H + r / 2;
    } else {
        // w = hb: the bowl's two half circles meet; its outer outline runs
        // from the stem's foot round to where it enters the stem.
        const Point centre{x + W / 2, y + W / 2 - H};
        out.arc(centre, W / 2, -180, 90 + delta, kOutline);
        out.circle(centre, W / 2 - r, kCentre);
        out.circle(centre, W / 2 - 2 * r, kOutline);
        // The clearance is measured from the tall bowl's upper centre, which
        // here is the circle's centre.
        C = {x + W / 2, y - W / 2 - 0.45 * H + r};
        rho = W / 2 - r;
        yj = y + W / 2 - H + (W / 2) * cr_cos(to_radians(delta, Pi));
        ye = y + W / 2 - H;
    }

    const double clearance = std::sqrt((P.x - C.x) * (P.x - C.x) + (P.y - C.y) * (P.y - C.y)) - rho;
    if (!(clearance > t)) {
        out.stop(width_message(name, clearance));
        return;
    }
    out.line(x + 2 * r, ys, x + 2 * r, yj, kOutline);
    out.line(x + r, ys, x + r, ye, kCentre);
    out.line(x, ys, x, ye, kOutline);
}

// Digit 8. Two loops on top of each other, each half the cell high; they
// touch at mid-height, where their outer outlines cross on the mid-height
// line and are cut there.
//
// K = H/2 − r, the skeleton height of one loop, against W − t, its width:
//  1. W − t < K: two tall stadiums of skeleton radius W/2 − r; alpha is the
//     angle from the vertical at which the outer outlines (radius W/2) of the
//     two middle arcs cross on the mid-height line.
//  2. W − t > K: two wide stadiums of skeleton radius H/4 − r/2 sharing the
//     middle bar; beta is the same crossing angle for their outer outlines.
//  3. W − t = K: two circles touching at mid-height.
void digit_eight(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r, Pi = c.Pi;
    constexpr std::string_view name = "8";
    if (!stroke_fits(out, W / 2, t, name)) return;
    if (!stroke_fits(out, H / 3, t, name)) return;

    const double K = H / 2 - r;

    if (W - t < K) {
        const double alpha = to_degrees(cr_acos((W / 2 - r) / (W / 2)), Pi);
        const Point top{x + W / 2, y - W / 2};                    // upper loop, top arc
        const Point upper_mid{x + W / 2, y + W / 2 - H / 2 - r};  // upper loop, lower arc
        const Point lower_mid{x + W / 2, y - W / 2 - H / 2 + r};  // lower loop, upper arc
        const Point bottom{x + W / 2, y + W / 2 - H};             // lower loop, bottom arc
        // Each loop's counter hangs on W/2 − 2r; when the first test passes
        // by a hair that prints as zero and the counter is a slit between
        // coinciding sides, which the pen covers: it is not drawn.
        const bool counter = prints_positive(W / 2 - 2 * r);
        out.arc(top, W / 2, 0, 180, kOutline);
        out.arc(top, W / 2 - r, 0, 180, kCentre);
        if (counter) out.arc(top, W / 2 - 2 * r, 0, 180, kOutline);
        out.line(x, y - W / 2, x, y + W / 2 - H / 2 - r, kOutline);
        out.line(x + r, y - W / 2, x + r, y + W / 2 - H / 2 - r, kCentre);
        if (counter) out.line(x + 2 * r, y - W / 2, x + 2 * r, y + W / 2 - H / 2 - r, kOutline);
        if (counter) out.arc(upper_mid, W / 2 - 2 * r, -180, 0, kOutline);
        out.arc(upper_mid, W / 2 - r, -180, 0, kCentre);
        out.arc(upper_mid, W / 2, 180, 270 - alpha, kOutline);
        out.arc(upper_mid, W / 2, alpha - 90, 0, kOutline);
        if (counter)
            out.line(x + W - 2 * r, y - W / 2, x + W - 2 * r, y + W / 2 - H / 2 - r, kOutline);
        out.line(x + W - r, y - W / 2, x + W - r, y + W / 2 - H / 2 - r, kCentre);
        out.line(x + W, y - W / 2, x + W, y + W / 2 - H / 2 - r, kOutline);
        out.arc(lower_mid, W / 2, 0, 90 - alpha, kOutline);
        out.arc(lower_mid, W / 2, 90 + alpha, 180, kOutline);
        out.arc(lower_mid, W / 2 - r, 0, 180, kCentre);
        if (counter) out.arc(lower_mid, W / 2 - 2 * r, 0, 180, kOutline);
        out.line(x, y + W / 2 - H, x, y - W / 2 - H / 2 + r, kOutline);
        out.line(x + r, y + W / 2 - H, x + r, y - W / 2 - H / 2 + r, kCentre);
        if (counter) out.line(x + 2 * r, y + W / 2 - H, x + 2 * r, y - W / 2 - H / 2 + r, kOutline);
        if (counter) out.arc(bottom, W / 2 - 2 * r, -180, 0, kOutline);
        out.arc(bottom, W / 2 - r, -180, 0, kCentre);
        out.arc(bottom, W / 2, -180, 0, kOutline);
        if (counter)
            out.line(x + W - 2 * r, y + W / 2 - H, x + W - 2 * r, y - W / 2 - H / 2 + r, kOutline);
        out.line(x + W - r, y + W / 2 - H, x + W - r, y - W / 2 - H / 2 + r, kCentre);
        out.line(x + W, y + W / 2 - H, x + W, y - W / 2 - H / 2 + r, kOutline);
        return;
    }

    if (W - t > K) {
        const double beta = to_degrees(cr_acos((H / 4 - r / 2) / (H / 4 + r / 2)), Pi);
        const Point upper_right{x + W - H / 4 - r / 2, y - H / 4 - r / 2};
        const Point upper_left{x + H / 4 + r / 2, y - H / 4 - r / 2};
        const Point lower_right{x + W - H / 4 - r / 2, y - 0.75 * H + r / 2};
        const Point lower_left{x + H / 4 + r / 2, y - 0.75 * H + r / 2};
        // The counters hang on H/4 − 1.5r, which prints as zero when the
        // second test passes by a hair: then each counter is a slit between
        // its bars and is not drawn.
        const bool counter = prints_positive(H / 4 - 1.5 * r);
        if (counter) out.arc(upper_right, H / 4 - 1.5 * r, -90, 90, kOutline);
        out.arc(upper_right, H / 4 - r / 2, -90, 90, kCentre);
        out.arc(upper_right, H / 4 + r / 2, beta - 90, 90, kOutline);
        out.line(x + H / 4 + r / 2, y, x + W - H / 4 - r / 2, y, kOutline);
        out.line(x + H / 4 + r / 2, y - r, x + W - H / 4 - r / 2, y - r, kCentre);
        if (counter)
            out.line(x + H / 4 + r / 2, y - 2 * r, x + W - H / 4 - r / 2, y - 2 * r, kOutline);
        if (counter) out.arc(upper_left, H / 4 - 1.5 * r, 90, 270, kOutline);
        out.arc(upper_left, H / 4 - r / 2, 90, 270, kCentre);
        out.arc(upper_left, H / 4 + r / 2, 90, 270 - beta, kOutline);
        if (counter)
            out.line(x + H / 4 + r / 2, y - H / 2 + r, x + W - H / 4 - r / 2, y - H / 2 + r,
                     kOutline);
        out.line(x + H / 4 + r / 2, y - H / 2, x + W - H / 4 - r / 2, y - H / 2, kCentre);
        if (counter)
            out.line(x + H / 4 + r / 2, y - H / 2 - r, x + W - H / 4 - r / 2, y - H / 2 - r,
                     kOutline);
        if (counter) out.arc(lower_right, H / 4 - 1.5 * r, -90, 90, kOutline);
        out.arc(lower_right, H / 4 - r / 2, -90, 90, kCentre);
        out.arc(lower_right, H / 4 + r / 2, -90, 90 - beta, kOutline);
        out.line(x + H / 4 + r / 2, y - H, x + W - H / 4 - r / 2, y - H, kOutline);
        out.line(x + H / 4 + r / 2, y - H + r, x + W - H / 4 - r / 2, y - H + r, kCentre);
        if (counter)
            out.line(x + H / 4 + r / 2, y - H + 2 * r, x + W - H / 4 - r / 2, y - H + 2 * r,
                     kOutline);
        if (counter) out.arc(lower_left, H / 4 - 1.5 * r, 90, 270, kOutline);
        out.arc(lower_left, H / 4 - r / 2, 90, 270, kCentre);
        out.arc(lower_left, H / 4 + r / 2, 90 + beta, 270, kOutline);
        return;
    }

    // W − t = K: two circles of skeleton radius W/2 − r; each outer outline
    // runs round from one crossing on the mid-height line to the other.
    const double alpha = to_degrees(cr_acos((W / 2 - r) / (W / 2)), Pi);
    const Point upper{x + W / 2, y - W / 2};
    const Point lower{x + W / 2, y + W / 2 - H};
    out.circle(upper, W / 2 - 2 * r, kOutline);
    out.circle(upper, W / 2 - r, kCentre);
    out.arc(upper, W / 2, alpha - 90, 270 - alpha, kOutline);
    out.circle(lower, W / 2 - 2 * r, kOutline);
    out.circle(lower, W / 2 - r, kCentre);
    out.arc(lower, W / 2, alpha - 270, 90 - alpha, kOutline);
}

// Digit 9: the 6 turned by half a turn. The bowl at the top, above the line
// ym = y − 0.55·H; the hook at the bottom, its free end on the left; the stem
// up the right side, which is the bowl's right side.
//
// The sizes are the distances between the named lines, taken as absolute
// differences of their coordinates:
//   hh = |(y − H + r) − ym|, the hook's height;
//   w  = |(x + W − r) − (x + r)|, the width between the skeleton lines;
//   hb = |ym − (y − r)|, the bowl's height.
// Being differences of absolute coordinates, these can differ by an ulp from
// one cell position to the next, and so can a layout chosen at an exact tie.
//
// Hook: w > hh, two quarter circles of radius hh/2 joined by a bottom bar;
// otherwise one half circle spanning the width.
// Bowl: w < hb, a tall stadium (half circles of radius w/2, vertical sides);
// w > hb, a wide stadium (half circles of radius hb/2, top bar and a bar
// along ym); w = hb, a circle.
// Before the stem is drawn, the hook's free end P must keep more than a
// stroke width from the bowl's skeleton.
void digit_nine(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r, Pi = c.Pi;
    constexpr std::string_view name = "9";
    if (!stroke_fits(out, W / 2, t, name)) return;
    if (!stroke_fits(out, H / 4.3, t, name)) return;

    const double ym = y - (1 - 0.45) * H;
    const double hh = std::fabs((y - H + r) - ym);
    const double w = std::fabs((x + W - r) - (x + r));
    const double hb = std::fabs(ym - (y - r));
    // Where the stem's left outline x + W − 2r crosses the bowl's outer
    // outline: at zeta − 90 on a tall or circular bowl (radius w/2 + r), at
    // eta − 90 on the right arc of a wide one (radius hb/2 + r).
    const double zeta = to_degrees(cr_asin((w / 2 - r) / (w / 2 + r)), Pi);
    const double eta = to_degrees(cr_asin((hb / 2 - r) / (hb / 2 + r)), Pi);

    // The hook, from its free end P on the left to the stem's foot yh.
    Point P;
    double yh;
    if (w > hh) {
        const Point left{x + r + hh / 2, y - H + r + hh / 2};
        const Point right{x + W - r - hh / 2, y - H + r + hh / 2};
        out.arc(left, hh / 2 + r, 180, 270, kOutline);
        out.arc(left, hh / 2, 180, 270, kCentre);
        out.arc(left, hh / 2 - r, 180, 270, kOutline);
        out.line(x + r + hh / 2, y - H + 2 * r, x + W - r - hh / 2, y - H + 2 * r, kOutline);
        out.line(x + r + hh / 2, y - H + r, x + W - r - hh / 2, y - H + r, kCentre);
        out.line(x + r + hh / 2, y - H, x + W - r - hh / 2, y - H, kOutline);
        out.arc(right, hh / 2 + r, -90, 0, kOutline);
        out.arc(right, hh / 2, -90, 0, kCentre);
        out.arc(right, hh / 2 - r, -90, 0, kOutline);
        out.arc({x + r, y - H + r + hh / 2}, r, 0, 180, kOutline);
        P = {x + r, y - H + r + hh / 2};
        yh = y - H + r + hh / 2;
    } else {
        const Point bottom{x + r + w / 2, y - H + r + w / 2};
        out.arc(bottom, w / 2 + r, -180, 0, kOutline);
        out.arc(bottom, w / 2, -180, 0, kCentre);
        out.arc(bottom, w / 2 - r, -180, 0, kOutline);
        out.arc({x + r, y - H + r + w / 2}, r, 0, 180, kOutline);
        P = {x + r, y - H + r + w / 2};
        yh = y - H + r + w / 2;
    }

    // The bowl, with C and rho the centre and skeleton radius of its left
    // (wide) or lower (tall, circle) arc, measured from ym; ye is where the
    // stem's skeleton and right outline end, yj where its left outline meets
    // the bowl's outer outline.
    Point C;
    double rho, ye, yj;
    if (w < hb) {
        const Point bottom{x + r + w / 2, y - 0.55 * H + w / 2};
        const Point top{x + r + w / 2, y - r - w / 2};
        // The counter hangs on w/2 − r (see the 6).
        const bool counter = prints_positive(w / 2 - r);
        out.arc(bottom, w / 2 + r, -180, zeta - 90, kOutline);
        out.arc(bottom, w / 2, -180, 0, kCentre);
        if (counter) {
            out.arc(bottom, w / 2 - r, -180, 0, kOutline);
            out.line(x + W - 2 * r, y - 0.55 * H + w / 2, x + W - 2 * r, y - r - w / 2, kOutline);
        }
        out.line(x, y - 0.55 * H + w / 2, x, y - r - w / 2, kOutline);
        out.line(x + r, y - 0.55 * H + w / 2, x + r, y - r - w / 2, kCentre);
        if (counter) out.line(x + 2 * r, y - 0.55 * H + w / 2, x + 2 * r, y - r - w / 2, kOutline);
        out.arc(top, w / 2 + r, 0, 180, kOutline);
        out.arc(top, w / 2, 0, 180, kCentre);
        if (counter) out.arc(top, w / 2 - r, 0, 180, kOutline);
        rho = w / 2;
        C = {x + r + w / 2, ym + w / 2};
        ye = y - r - w / 2;
        yj = y - 0.55 * H + w / 2 - (w / 2 + r) * cr_cos(to_radians(zeta, Pi));
    } else if (w > hb) {
        const Point left{x + r + hb / 2, y - r - hb / 2};
        const Point right{x + W - r - hb / 2, y - r - hb / 2};
        out.arc(left, hb / 2 + r, 90, 270, kOutline);
        out.arc(left, hb / 2, 90, 270, kCentre);
        out.arc(left, hb / 2 - r, 90, 270, kOutline);
        out.line(x + r + hb / 2, y - 0.55 * H + r, x + W - r - hb / 2, y - 0.55 * H + r, kOutline);
        out.line(x + r + hb / 2, y - 0.55 * H, x + W - r - hb / 2, y - 0.55 * H, kCentre);
        out.line(x + r + hb / 2, y - 0.55 * H - r, x + W - r - hb / 2, y - 0.55 * H - r, kOutline);
        out.arc(right, hb / 2 + r, 0, 90, kOutline);
        out.arc(right, hb / 2 + r, -90, eta - 90, kOutline);
        out.arc(right, hb / 2, -90, 90, kCentre);
        out.arc(right, hb / 2 - r, -90, 90, kOutline);
        out.line(x + r + hb / 2, y, x + W - r - hb / 2, y, kOutline);
        out.line(x + r + hb / 2, y - r, x + W - r - hb / 2, y - r, kCentre);
        out.line(x + r + hb / 2, y - 2 * r, x + W - r - hb / 2, y - 2 * r, kOutline);
        rho = hb / 2;
        C = {x + r + hb / 2, ym + hb / 2};
        ye = y - r - hb / 2;
        yj = y - r - hb / 2 - (hb / 2 + r) * cr_cos(to_radians(eta, Pi));
    } else {
        // w = hb: one circle; its outer outline runs from the stem's top
        // round to where it enters the stem.
        const Point centre{x + r + w / 2, y - r - w / 2};
        out.arc(centre, w / 2 + r, 0, zeta + 270, kOutline);
        out.circle(centre, w / 2, kCentre);
        out.circle(centre, w / 2 - r, kOutline);
        rho = w / 2;
        C = {x + r + w / 2, ym + w / 2};
        ye = y - r - w / 2;
        yj = y - r - w / 2 - (w / 2 + r) * cr_cos(to_radians(zeta, Pi));
    }

    const double clearance = std::sqrt((C.x - P.x) * (C.x - P.x) + (C.y - P.y) * (C.y - P.y)) - rho;
    if (!(clearance > t)) {
        out.stop(width_message(name, clearance));
        return;
    }
    out.line(x + W, yh, x + W, ye, kOutline);
    out.line(x + W - r, yh, x + W - r, ye, kCentre);
    out.line(x + W - 2 * r, yh, x + W - 2 * r, yj, kOutline);
}

}  // namespace tracemill::glyphs
