// The symbols ! ? # % *: marks made of slanted strokes at computed angles,
// full circles for dots and rings, and in '!' a stroke that tapers from a
// round head to a pointed foot. '!', '#', '%' and '*' make all their tests
// before they draw anything; '?' tests the clearance of its hook end only
// once it knows where the neck runs, after its dot, hook and stem.
//
// Every formula is evaluated in the order it is written; the ninth printed
// decimal and the choice between layouts depend on it.
#include <cmath>

#include "../exact_math.hpp"
#include "glyphs.hpp"

namespace tracemill::glyphs {

// '!': a dot resting on the bottom edge, and above it a tapering stroke. The
// stroke's head is a circle of skeleton radius 0.3·t about (x + W/2, y − 0.8·t),
// so its outline (radius 0.8·t) touches the top edge; its foot is the point
// (x + W/2, yb). The skeleton is the head arc and the two tangents from the
// foot to it, a narrow V: sigma is half its opening angle, and the tangents
// touch the head at −sigma and 180 + sigma. The pen covers the inside of the V
// (it is never wider than 0.6·t), so only the two outer outline lines, the
// head's outer arc and the foot's cap bound it. The foot sits 0.7·H below the
// top, unless that leaves less than 2.4·t above the bottom edge for the dot
// and the gap; then it sits 2.4·t above the bottom.
void exclamation_mark(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r, Pi = c.Pi;
    constexpr std::string_view name = "！";
    if (!stroke_fits(out, W / 0.8 / 2, t, name)) return;
    if (!stroke_fits(out, H / 3.5, t, name)) return;

    const double a = 0.8 * t - r;
    const double xm = x + W / 2;
    const double head = y - 0.8 * t;
    const double yb = 0.3 * H < 2.4 * t ? y - H + 2.4 * t : y - 0.7 * H;
    // The second test keeps the foot outside the head circle, so the
    // tangents exist; at its limit rounding may push the ratio past 1.
    const double sigma = to_degrees(cr_asin(clamp_unit(a / ((y - 0.8 * t) - yb))), Pi);
    const double cs = cr_cos(to_radians(sigma, Pi));
    const double sn = cr_sin(to_radians(sigma, Pi));

    const Point dot{xm, y - H + 0.8 * t};
    out.circle(dot, 0.3 * t, kCentre);
    out.circle(dot, 0.8 * t, kOutline);
    if (!prints_positive(180 - 2 * sigma)) {
        // The second test passed by a hair and the asin argument reached 1:
        // the foot lies on the head's skeleton circle, the V and the foot cap
        // have shrunk to nothing, and the head's arcs would run a full turn,
        // so they are full circles.
        out.circle({xm, head}, 0.3 * t, kCentre);
        out.circle({xm, head}, 0.8 * t, kOutline);
        return;
    }
    out.arc({xm, yb}, r, sigma - 180, -sigma, kOutline);
    out.arc({xm, head}, 0.3 * t, -sigma, sigma + 180, kCentre);
    out.arc({xm, head}, 0.8 * t, -sigma, sigma + 180, kOutline);
    out.line(xm, yb, xm - 0.3 * t * cs, y - 0.8 * t - 0.3 * t * sn, kCentre);
    out.line(xm - r * cs, yb - r * sn, xm - 0.8 * t * cs, y - 0.8 * t - 0.8 * t * sn, kOutline);
    out.line(xm, yb, xm + 0.3 * t * cs, y - 0.8 * t - 0.3 * t * sn, kCentre);
    out.line(xm + r * cs, yb - r * sn, xm + 0.8 * t * cs, y - 0.8 * t - 0.8 * t * sn, kOutline);
}

// '#': two parallel slanted strokes, from x + 0.2·W and x + 0.6·W at the
// bottom to x + 0.4·W and x + 0.8·W at the top, crossed by two bars at
// y − 0.7·H and y − 0.3·H. The upper bar is shifted right by d, the slant's
// run between the two bar heights, so that both bars reach equally far past
// the strokes. Every outline line stops where it enters another stroke:
// theta is the slant, k half a slanted stroke's horizontal width, and u, v
// (and d + u, d + v) the slant's run from a stroke's end to the bars'
// outline heights. The third test keeps the two slanted strokes apart
// between the bars, the fourth the bars clear of the strokes' end caps.
void number_sign(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r, Pi = c.Pi;
    constexpr std::string_view name = "＃";
    const double theta = to_degrees(cr_atan((H - t) / (0.2 * W)), Pi);
    const double S = cr_sin(to_radians(theta, Pi));
    const double C = cr_cos(to_radians(theta, Pi));
    const double T = cr_tan(to_radians(theta, Pi));
    const double k = r / S;
    const double d = 0.4 * H / T;
    const double u = 0.3 * H / T;
    const double v = (0.3 * H - t) / T;
    if (!stroke_fits(out, W / 3.8, t, name)) return;
    if (!stroke_fits(out, H / 3.8, t, name)) return;
    if (!stroke_fits(out, (0.4 * W - t + 2 * v) * S, t, name)) return;
    if (!stroke_fits(out, 0.3 * H - r * C, t, name)) return;

    const double low = y - 0.7 * H;   // the lower bar
    const double high = y - 0.3 * H;  // the upper bar
    const double foot = y - H + r;    // the slanted strokes' lower ends
    const double top = y - r;         // and their upper ends
    out.arc({x + r, low}, r, 90, 270, kOutline);
    out.arc({x + r + d, high}, r, 90, 270, kOutline);
    out.arc({x + 0.2 * W, foot}, r, theta - 270, theta - 90, kOutline);
    out.arc({x + 0.6 * W, foot}, r, theta - 270, theta - 90, kOutline);
    out.arc({x + 0.4 * W, top}, r, theta - 90, theta + 90, kOutline);
    out.arc({x + 0.8 * W, top}, r, theta - 90, theta + 90, kOutline);
    out.arc({x + W - r - d, low}, r, -90, 90, kOutline);
    out.arc({x + W - r, high}, r, -90, 90, kOutline);

    // The left slanted stroke, its outline measured from its foot x + 0.2·W:
    // left side, then right side, each in three pieces between the bars.
    out.line(x + 0.2 * W, foot, x + 0.4 * W, top, kCentre);
    out.line(x + 0.2 * W - r * S, y - H + r + r * C, x + 0.2 * W + v - k, low - r, kOutline);
    out.line(x + 0.2 * W + u - k, low + r, x + 0.2 * W + d + v - k, high - r, kOutline);
    out.line(x + 0.2 * W + d + u - k, high + r, x + 0.4 * W - r * S, y - r + r * C, kOutline);
    out.line(x + 0.2 * W + r * S, y - H + r - r * C, x + 0.2 * W + v + k, low - r, kOutline);
    out.line(x + 0.2 * W + u + k, low + r, x + 0.2 * W + d + v + k, high - r, kOutline);
    out.line(x + 0.2 * W + d + u + k, high + r, x + 0.4 * W + r * S, y - r - r * C, kOutline);

    // The right slanted stroke, measured from its top x + 0.8·W: right side,
    // then left side.
    out.line(x + 0.6 * W, foot, x + 0.8 * W, top, kCentre);
    out.line(x + 0.6 * W + r * S, y - H + r - r * C, x + 0.8 * W - d - u + k, low - r, kOutline);
    out.line(x + 0.8 * W - d - v + k, low + r, x + 0.8 * W - u + k, high - r, kOutline);
    out.line(x + 0.8 * W - v + k, high + r, x + 0.8 * W + r * S, y - r - r * C, kOutline);
    out.line(x + 0.6 * W - r * S, y - H + r + r * C, x + 0.8 * W - d - u - k, low - r, kOutline);
    out.line(x + 0.8 * W - d - v - k, low + r, x + 0.8 * W - u - k, high - r, kOutline);
    out.line(x + 0.8 * W - v - k, high + r, x + 0.8 * W - r * S, y - r + r * C, kOutline);

    // The lower bar: lower side, then upper side, each cut by both strokes.
    out.line(x + r, low, x + W - r - d, low, kCentre);
    out.line(x + r, low - r, x + 0.2 * W + v - k, low - r, kOutline);
    out.line(x + 0.2 * W + v + k, low - r, x + 0.8 * W - d - u - k, low - r, kOutline);
    out.line(x + 0.8 * W - d - u + k, low - r, x + W - r - d, low - r, kOutline);
    out.line(x + r, low + r, x + 0.2 * W + u - k, low + r, kOutline);
    out.line(x + 0.2 * W + u + k, low + r, x + 0.8 * W - d - v - k, low + r, kOutline);
    out.line(x + 0.8 * W - d - v + k, low + r, x + W - r - d, low + r, kOutline);

    // The upper bar: upper side, then lower side.
    out.line(x + r + d, high, x + W - r, high, kCentre);
    out.line(x + r + d, high + r, x + 0.2 * W + d + u - k, high + r, kOutline);
    out.line(x + 0.2 * W + d + u + k, high + r, x + 0.8 * W - v - k, high + r, kOutline);
    out.line(x + 0.8 * W - v + k, high + r, x + W - r, high + r, kOutline);
    out.line(x + r + d, high - r, x + 0.2 * W + d + v - k, high - r, kOutline);
    out.line(x + 0.2 * W + d + v + k, high - r, x + 0.8 * W - u - k, high - r, kOutline);
    out.line(x + 0.8 * W - u + k, high - r, x + W - r, high - r, kOutline);
}

// '%': the diagonal from the bottom-left to the top-right corner of the
// skeleton box, and two rings: one in the upper left, its outline touching
// the left edge and 0.05·H below the top, one in the lower right, touching
// the right edge and 0.05·H above the bottom. e is the room the diagonal
// leaves a ring, measured across the diagonal; q, the ring's inner outline
// radius, is what remains of it for a ring that keeps a stroke width from
// the diagonal. The third test keeps q positive.
void percent_sign(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r, Pi = c.Pi;
    constexpr std::string_view name = "％";
    const double theta = to_degrees(cr_atan((H - t) / (W - t)), Pi);
    const double S = cr_sin(to_radians(theta, Pi));
    const double C = cr_cos(to_radians(theta, Pi));
    const double T = cr_tan(to_radians(theta, Pi));
    const double e = (W - 1.5 * t - (0.05 * H + r) / T) * S;
    const double q = (e - 1.5 * t) / (S + S / T + 3);
    if (!stroke_fits(out, W / 4.2, t, name)) return;
    if (!stroke_fits(out, H / 4.3, t, name)) return;
    if (!stroke_fits(out, e / 1.5, t, name)) return;

    out.arc({x + r, y - H + r}, r, theta - 270, theta - 90, kOutline);
    out.arc({x + W - r, y - r}, r, theta - 90, theta + 90, kOutline);
    const Point upper{x + t + q, y - 0.05 * H - t - q};
    out.circle(upper, q + r, kCentre);
    out.circle(upper, q + t, kOutline);
    out.circle(upper, q, kOutline);
    const Point lower{x + W - t - q, y - 0.95 * H + t + q};
    out.circle(lower, q + r, kCentre);
    out.circle(lower, q + t, kOutline);
    out.circle(lower, q, kOutline);
    out.line(x + r, y - H + r, x + W - r, y - r, kCentre);
    out.line(x + r - r * S, y - H + r + r * C, x + W - r - r * S, y - r + r * C, kOutline);
    out.line(x + r + r * S, y - H + r - r * C, x + W - r + r * S, y - r - r * C, kOutline);
}

// '*': three strokes of half-length L through the centre: a vertical one and
// two at ±30 degrees, so that the six caps lie on a circle of radius L + r
// that fits the narrower side of the cell. Where strokes cross, the outline
// is cut: the vertical stroke's sides x = cx ± r end at heights cy ± e1,
// where the slanted strokes' outlines cross them; the slanted strokes' facing
// sides meet each other on the horizontal through the centre at cx ± e2.
void asterisk(const GlyphCell& cell, GlyphOutput& out) {
    const double x = cell.x, y = cell.y, W = cell.W, H = cell.H, t = cell.t, r = cell.r,
                 Pi = cell.Pi;
    constexpr std::string_view name = "＊";
    if (!stroke_fits(out, W / ((cr_cos(Pi / 6) + 0.05) * 2 + 1), t, name)) return;
    if (!stroke_fits(out, H / ((cr_cos(Pi / 6) + 0.05) * 2 + 1), t, name)) return;

    const double cx = x + W / 2, cy = y - H / 2;
    const double c = cr_cos(Pi / 6), s = cr_sin(Pi / 6);
    const double L = W < H ? W / 2 - r : H / 2 - r;
    const double e1 = r * cr_tan(Pi / 6) + r / c;
    const double e2 = r / s;

    out.arc({cx - c * L, cy - s * L}, r, -240, -60, kOutline);
    out.arc({cx, cy - L}, r, -180, 0, kOutline);
    out.arc({cx + c * L, cy - s * L}, r, -120, 60, kOutline);
    out.arc({cx + c * L, cy + s * L}, r, -60, 120, kOutline);
    out.arc({cx, cy + L}, r, 0, 180, kOutline);
    out.arc({cx - c * L, cy + s * L}, r, 60, 240, kOutline);

    out.line(cx, cy + L, cx, cy - L, kCentre);
    out.line(cx - r, cy + L, cx - r, cy + e1, kOutline);
    out.line(cx - r, cy - e1, cx - r, cy - L, kOutline);
    out.line(cx + r, cy + L, cx + r, cy + e1, kOutline);
    out.line(cx + r, cy - e1, cx + r, cy - L, kOutline);

    // The stroke rising at +30 degrees; its upper side is cut by the
    // vertical stroke on the right, its lower side on the left.
    out.line(cx - c * L, cy - s * L, cx + c * L, cy + s * L, kCentre);
    out.line(cx - c * L - s * r, cy - s * L + c * r, cx - e2, cy, kOutline);
    out.line(cx + r, cy + e1, cx + c * L - s * r, cy + s * L + c * r, kOutline);
    out.line(cx - c * L + s * r, cy - s * L - c * r, cx - r, cy - e1, kOutline);
    out.line(cx + e2, cy, cx + c * L + s * r, cy + s * L - c * r, kOutline);

    // The stroke falling at −30 degrees, its mirror image.
    out.line(cx - c * L, cy + s * L, cx + c * L, cy - s * L, kCentre);
    out.line(cx - c * L - s * r, cy + s * L - c * r, cx - e2, cy, kOutline);
    out.line(cx + r, cy - e1, cx + c * L - s * r, cy - s * L - c * r, kOutline);
    out.line(cx - c * L + s * r, cy + s * L + c * r, cx - r, cy + e1, kOutline);
    out.line(cx + e2, cy, cx + c * L + s * r, cy - s * L + c * r, kOutline);
}

// '?': a dot on the bottom edge; above it a hook whose free end hangs down on
// the left, an S-bend neck that brings the stroke back to the centre line
// x + W/2 at the height yN, and a vertical stem from there down to yb.
//
// The hook and neck occupy the cell down to y − 0.6·H. rho, the radius three
// stacked arcs of that depth would have, is compared with rhoB = W/2 − r, the
// radius of a hook that spans the width:
//  1. rho < rhoB (a wide cell): the hook is a left quarter arc, a top bar and
//     a right arc, all of radius rho;
//     1a. 2·rho >= W/2 − r: the right arc's centre is so close to the centre
//         line that the neck arc (radius rho, bending the other way) turns
//         off it at the angle phi, below the horizontal, and reaches the
//         centre line at 180;
//     1b. otherwise: the right arc is a full half circle, a horizontal neck
//         bar runs back left from its lower end, and the neck arc turns from
//         it down to the centre line, ending at y − 0.6·H.
//  2. rho >= rhoB (a narrow cell): the hook is one arc of radius W/2 − r from
//     −60 to 180, and the neck arc of the same radius continues at −60.
// The stem's foot yb keeps the foot cap 0.6·t above the dot, and is never
// higher than y − 0.6·H; when it reaches the neck's lower end yN there is no
// stem, and the foot cap closes the neck arcs there.
// The hook's free end P must keep more than a stroke width from the neck arc
// beneath it: a late test, made once the dot, hook and stem are drawn.
void question_mark(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r, Pi = c.Pi;
    constexpr std::string_view name = "？";
    if (!stroke_fits(out, W / 2.2, t, name)) return;
    if (!stroke_fits(out, (1 - 0.6) * H / (2 * 0.6 + 0.5), t, name)) return;

    const double xm = x + W / 2;
    const double rho = (0.6 * H - r) / 3;
    const double rhoB = (W - t) / 2;
    const double dot_y = y - H + 1.2 * r;
    double yb = y - 0.6 * H;
    if ((y - H + 1.2 * r) + r + 2 * (0.1 * t + r) < yb) yb = (y - H + 1.2 * r) + r + 2 * (0.1 * t + r);

    out.circle({xm, dot_y}, 0.1 * t, kCentre);
    out.circle({xm, dot_y}, 0.6 * t, kOutline);

    // Three concentric arcs: the skeleton of radius R and its two outlines.
    const auto stroke_arc = [&](Point centre, double R, double from, double to) {
        out.arc(centre, R, from, to, kCentre);
        out.arc(centre, R + r, from, to, kOutline);
        out.arc(centre, R - r, from, to, kOutline);
    };
    // Case 1's hook: the upper-left quarter arc, ending in the free end, and
    // the top bar between it and the right arc.
    const auto left_quarter = [&] { stroke_arc({x + r + rho, y - r - rho}, rho, 90, 180); };
    const auto top_bar = [&] {
        out.line(x + r + rho, y - r, x + W - r - rho, y - r, kCentre);
        out.line(x + r + rho, y, x + W - r - rho, y, kOutline);
        out.line(x + r + rho, y - 2 * r, x + W - r - rho, y - 2 * r, kOutline);
    };
    const auto stem = [&](double yN) {
        if (!(yb < yN)) return;
        out.line(xm, yb, xm, yN, kCentre);
        out.line(xm - r, yb, xm - r, yN, kOutline);
        out.line(xm + r, yb, xm + r, yN, kOutline);
    };
    // The late test, then the hook's end cap at P and the stem's foot cap.
    const auto clear_and_caps = [&](double clearance, Point P) {
        if (!(clearance > t)) {
            out.stop(width_message(name, clearance));
            return false;
        }
        out.arc(P, r, -180, 0, kOutline);
        out.arc({xm, yb}, r, -180, 0, kOutline);
        return true;
    };

    if (rho < rhoB) {
        const Point right{x + W - r - rho, y - r - rho};
        if (2 * rho >= W / 2 - r) {
            // Case 1a. The neck's centre lies 2·rho from the right arc's
            // centre in the direction phi, level with the neck's lower end.
            const double phi = -to_degrees(cr_acos((2 * rho - (W / 2 - r)) / (2 * rho)), Pi);
            const double yN = y - r - rho + 2 * rho * cr_sin(to_radians(phi, Pi));
            left_quarter();
            stroke_arc(right, rho, phi, 90);
            top_bar();
            stem(yN);
            const double clearance =
                std::sqrt((W / 2 + rho - r) * (W / 2 + rho - r) +
                          (2 * rho * cr_sin(to_radians(phi, Pi))) *
                              (2 * rho * cr_sin(to_radians(phi, Pi)))) -
                rho;
            if (!clear_and_caps(clearance, {x + r, y - r - rho})) return;
            stroke_arc({xm + rho, yN}, rho, phi + 180, 180);
            return;
        }
        // Case 1b. The neck bar at y − r − 2·rho is the neck arc's top.
        out.line(xm + rho, y - r - 2 * rho, x + W - r - rho, y - r - 2 * rho, kCentre);
        out.line(xm + rho, y - 2 * rho, x + W - r - rho, y - 2 * rho, kOutline);
        out.line(xm + rho, y - 2 * r - 2 * rho, x + W - r - rho, y - 2 * r - 2 * rho, kOutline);
        left_quarter();
        stroke_arc(right, rho, -90, 90);
        top_bar();
        stem(y - 0.6 * H);
        const double clearance =
            std::sqrt((W / 2 + rho - r) * (W / 2 + rho - r) + (2 * rho) * (2 * rho)) - rho;
        if (!clear_and_caps(clearance, {x + r, y - r - rho})) return;
        stroke_arc({xm + rho, y - 0.6 * H}, rho, 90, 180);
        return;
    }

    // Case 2. The neck's centre lies W − t from the hook's centre in the
    // direction −60 degrees: (W/2 − r)·sqrt 3 below it.
    const double yN = y - W / 2 - std::sqrt(3 * ((W / 2 - r) * (W / 2 - r)));
    const Point hook{xm, y - W / 2};
    out.arc(hook, W / 2 - r, -60, 180, kCentre);
    out.arc(hook, W / 2, -60, 180, kOutline);
    out.arc(hook, W / 2 - 2 * r, -60, 180, kOutline);
    stem(yN);
    const double drop = std::sqrt(3 * ((W / 2 - r) * (W / 2 - r)));
    const double clearance = std::sqrt((W - t) * (W - t) + drop * drop) - (W / 2 - r);
    if (!clear_and_caps(clearance, {x + r, y - W / 2})) return;
    const Point neck{x + W - r, yN};
    out.arc(neck, W / 2 - r, 120, 180, kCentre);
    out.arc(neck, W / 2, 120, 180, kOutline);
    out.arc(neck, W / 2 - 2 * r, 120, 180, kOutline);
}

}  // namespace tracemill::glyphs
