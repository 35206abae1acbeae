// The round capitals C O G D U J, and through the C and O generators the
// lower-case c and o. Every skeleton is made of circular arcs joined
// tangentially by straight strokes, so the outline is the round pen's
// throughout: each skeleton arc of radius ρ comes with its concentric outline
// arcs ρ + r and ρ − r over the same angles, each straight stroke with its two
// parallels at distance r; free ends get half-circle caps, outer corners
// quarter arcs of radius r, inner corners are sharp.
//
// Every formula is evaluated in the order it is written; the ninth printed
// decimal and the choice between layouts depend on it.
#include <cmath>
#include <string>

#include "../exact_math.hpp"
#include "corner_arc.hpp"
#include "glyphs.hpp"

namespace tracemill::glyphs {

namespace {

// A vertical stroke at x from y1 to y2: skeleton, then the outline at x + d1
// and at x + d2 (d1, d2 are ±r in the order the glyph emits them).
void vertical_triple(GlyphOutput& out, double x, double y1, double y2, double d1, double d2) {
    out.line(x, y1, x, y2, kCentre);
    out.line(x + d1, y1, x + d1, y2, kOutline);
    out.line(x + d2, y1, x + d2, y2, kOutline);
}

// A horizontal stroke at y from x1 to x2, likewise.
void horizontal_triple(GlyphOutput& out, double y, double x1, double x2, double d1, double d2) {
    out.line(x1, y, x2, y, kCentre);
    out.line(x1, y + d1, x2, y + d1, kOutline);
    out.line(x1, y + d2, x2, y + d2, kOutline);
}

// The C and the O lower their top for the lower case: the top drop e is
// TopDropRatio·H − r (a ratio of 0 keeps the capital's full height), and the
// glyph stands in the band of working height D = H − e from y − e down to
// the cell's bottom.
double top_drop(double top_drop_ratio, double H, double r) {
    return top_drop_ratio > 0 ? top_drop_ratio * H - r : 0;
}

// The terminal ratio of the C: the terminals end at 0.3 and 0.7 of the
// working height.
constexpr double kTerminal = 0.3;

// C: an open ring whose two terminals end on the right skeleton line
// xR at the heights yA (upper) and yB (lower), symmetric about the middle
// yM. The upper half is the arc in the skeleton's top-left corner (xL, yT)
// that touches the left and top strokes and passes through the upper
// terminal (xR, yA); its radius ρ and the terminal's polar angle φ come from
// the corner arc. h is the half skeleton height; it decides the layout:
//  1. h > ρ: the two corner arcs (upper and mirrored lower) leave room for a
//     straight left stroke between them. Where the terminal sits at least
//     half the skeleton width below the top, the corner arc would swing out
//     past the right side before reaching it; the arcs are then quarter
//     circles spanning half the width and the terminals move up (down) to
//     the arc centres' height, where the quarter circles end.
//  2. h = ρ: the two corner arcs share one centre at mid-height and are one
//     arc through the left side.
//  3. h < ρ: the corner arc is taller than half the glyph. The radius is
//     reduced to h: a left half circle, straight top and bottom strokes, and
//     on the right two arcs of radius h whose centre (cx2, yM) is chosen so
//     that they end exactly at the terminals.
// The caps on the terminals face away from the arcs that end there.
void draw_c(const GlyphCell& c, GlyphOutput& out, double top_drop_ratio, std::string_view label) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r, Pi = c.Pi;
    const double e = top_drop(top_drop_ratio, H, r);
    const double D = H - e;
    const double k = kTerminal;
    const double xL = x + r, xM = x + W / 2, xR = x + W - r;
    const double yT = y - e - r;
    double yA = y - e - k * D;
    const double yM = y - e - D / 2;
    double yB = y - e - (1 - k) * D;
    const double yL = y - e - D + r;

    if (!stroke_fits(out, W / 2, t, label)) return;
    if (!stroke_fits(out, (1 - 2 * k) * D, t, label)) return;
    GeometryResult corner;
    if (!fit_corner_arc(xR - xL, yT - yA, corner, Pi)) {
        out.stop(Message::NoRadius, label);
        return;
    }
    double rho = corner.radius;
    double phi = corner.angle;

    const double h = yT - yM;
    if (h > rho) {
        // Case 1.
        if (yT - yA >= xM - xL) {
            rho = xM - xL;
            phi = 0;
            yA = yT - rho;
            yB = yL + rho;
        }
        const double cx = xL + rho, cyT = yT - rho, cyB = yL + rho;
        arc_with_outlines(out, {cx, cyT}, rho, r, phi, 180);
        arc_with_outlines(out, {cx, cyB}, rho, r, -180, -phi);
        vertical_triple(out, xL, cyT, cyB, -r, r);
    } else if (h < rho) {
        // Case 3.
        rho = h;
        phi = cr_asin((yA - yM) / rho) * 180 / Pi;
        const double cx = xL + rho;
        const double cx2 = xR - rho * cr_cos(phi * Pi / 180);
        arc_with_outlines(out, {cx, yM}, rho, r, 90, 270);
        arc_with_outlines(out, {cx2, yM}, rho, r, phi, 90);
        arc_with_outlines(out, {cx2, yM}, rho, r, -90, -phi);
        horizontal_triple(out, yT, cx, cx2, r, -r);
        horizontal_triple(out, yL, cx, cx2, -r, r);
    } else {
        // Case 2.
        const double cx = xL + rho;
        arc_with_outlines(out, {cx, yM}, rho, r, phi, 360 - phi);
    }
    out.arc({xR, yA}, r, phi - 180, phi, kOutline);
    out.arc({xR, yB}, r, -phi, 180 - phi, kOutline);
}

// O: a closed ring of pen width whose skeleton is a stadium inside the band
// of working height D. Its round ends take the smaller of the two extents:
//  tall (D > W): half circles of the skeleton width at top and bottom,
//      joined by straight left and right sides;
//  circle (D = W): the half circles meet; one circle;
//  wide (D < W): half circles of the skeleton height left and right, joined
//      by straight top and bottom strokes.
void draw_o(const GlyphCell& c, GlyphOutput& out, double top_drop_ratio, std::string_view label) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r;
    const double e = top_drop(top_drop_ratio, H, r);
    const double D = H - e;
    const double xL = x + r, xR = x + W - r;
    const double yT = y - e - r, yL = y - H + r;

    if (!stroke_fits(out, W / 2, t, label)) return;
    if (!stroke_fits(out, D / 2, t, label)) return;

    if (D > W) {
        const double rho = (W - t) / 2;
        const double cx = xL + rho, cyT = yT - rho, cyB = yL + rho;
        arc_with_outlines(out, {cx, cyT}, rho, r, 0, 180);
        arc_with_outlines(out, {cx, cyB}, rho, r, -180, 0);
        vertical_triple(out, xL, cyT, cyB, -r, r);
        vertical_triple(out, xR, cyT, cyB, -r, r);
    } else if (D == W) {
        const double rho = (W - t) / 2;
        const Point centre{xL + rho, yT - rho};
        out.circle(centre, rho, kCentre);
        out.circle(centre, rho + r, kOutline);
        out.circle(centre, rho - r, kOutline);
    } else {
        const double rho = (D - t) / 2;
        const double cxL = xL + rho, cxR = xR - rho, cy = yT - rho;
        arc_with_outlines(out, {cxL, cy}, rho, r, 90, 270);
        arc_with_outlines(out, {cxR, cy}, rho, r, -90, 90);
        horizontal_triple(out, yT, cxL, cxR, r, -r);
        horizontal_triple(out, yL, cxL, cxR, -r, r);
    }
}

}  // namespace

void capital_c(const GlyphCell& c, GlyphOutput& out) { draw_c(c, out, 0.0, "C"); }
void small_c(const GlyphCell& c, GlyphOutput& out) { draw_c(c, out, 0.4, "ｃ"); }
void capital_o(const GlyphCell& c, GlyphOutput& out) { draw_o(c, out, 0.0, "O"); }
void small_o(const GlyphCell& c, GlyphOutput& out) { draw_o(c, out, 0.4, "ｏ"); }

// G: the C's open ring with a straight right stroke rising from the bottom
// arc to the bar at yG = y − 0.55·H, which turns left in an outer corner at
// (xR, yG) and ends freely at the middle xM. The top arc ends freely at
// (xR, cyT). The bowl is
//  narrow (W − t ≤ (H − t)/2): half circles of the skeleton width at top and
//      bottom, so the arcs end on the right at their centres' height;
//  wide: quarter circles of a quarter of the skeleton height in all four
//      corners, joined by straight top and bottom strokes.
// The second test keeps the top terminal's cap clear of the bar's corner.
void capital_g(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r;
    constexpr std::string_view name = "G";
    const double xL = x + r, xM = x + W / 2, xR = x + W - r;
    const double yT = y - r, yL = y - H + r, yG = y - 0.55 * H;

    if (!stroke_fits(out, W / 3, t, name)) return;
    if (!stroke_fits(out, (4 * 0.55 - 1) * H / 5, t, name)) return;

    double cyT, cyB;
    if (W - t <= (H - t) / 2) {
        const double rho = (W - t) / 2;
        const double cx = xL + rho;
        cyT = yT - rho;
        cyB = yL + rho;
        arc_with_outlines(out, {cx, cyT}, rho, r, 0, 180);
        arc_with_outlines(out, {cx, cyB}, rho, r, -180, 0);
    } else {
        const double rho = (H - t) / 4;
        const double cxL = xL + rho, cxR = xR - rho;
        cyT = yT - rho;
        cyB = yL + rho;
        arc_with_outlines(out, {cxR, cyT}, rho, r, 0, 90);
        arc_with_outlines(out, {cxR, cyB}, rho, r, -90, 0);
        arc_with_outlines(out, {cxL, cyT}, rho, r, 90, 180);
        arc_with_outlines(out, {cxL, cyB}, rho, r, 180, 270);
        horizontal_triple(out, yT, cxR, cxL, r, -r);
        horizontal_triple(out, yL, cxR, cxL, r, -r);
    }
    out.arc({xR, cyT}, r, -180, 0, kOutline);
    out.arc({xR, yG}, r, 0, 90, kOutline);
    out.arc({xM, yG}, r, 90, 270, kOutline);
    vertical_triple(out, xL, cyT, cyB, -r, r);
    // The right stroke and the bar; their inner outlines meet in the sharp
    // corner (xR − r, yG − r).
    out.line(xR, yG, xR, cyB, kCentre);
    out.line(xR + r, yG, xR + r, cyB, kOutline);
    out.line(xR - r, yG - r, xR - r, cyB, kOutline);
    out.line(xM, yG, xR, yG, kCentre);
    out.line(xM, yG + r, xR, yG + r, kOutline);
    out.line(xM, yG - r, xR - r, yG - r, kOutline);
}

// D: a stem on the left and a bowl on the right, joined by horizontal
// strokes along the top and bottom. The bowl is
//  a half circle of the skeleton height ((H − t)/2 ≤ W − 2t), when the
//      width leaves at least a stroke width of straight top and bottom
//      strokes between stem and bowl;
//  otherwise two quarter circles of radius W − 2t joined by a straight right
//      side, so that the horizontal strokes keep exactly that stroke width.
// The stem meets the top and bottom strokes in outer corners at (xL, yT) and
// (xL, yL); the inner corners (xL + r, yT − r), (xL + r, yL + r) are sharp.
void capital_d(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r;
    constexpr std::string_view name = "D";
    const double xL = x + r, xR = x + W - r;
    const double yT = y - r, yL = y - H + r;

    if (!stroke_fits(out, W / 2.5, t, name)) return;
    if (!stroke_fits(out, H / 2, t, name)) return;

    double cx;
    if ((H - t) / 2 <= W - 2 * t) {
        const double rho = (H - t) / 2;
        cx = xR - rho;
        arc_with_outlines(out, {cx, yT - rho}, rho, r, -90, 90);
    } else {
        const double rho = W - 2 * t;
        cx = xR - rho;
        const double cyT = yT - rho, cyB = yL + rho;
        arc_with_outlines(out, {cx, cyT}, rho, r, 0, 90);
        arc_with_outlines(out, {cx, cyB}, rho, r, -90, 0);
        vertical_triple(out, xR, cyT, cyB, r, -r);
    }
    out.arc({xL, yT}, r, 90, 180, kOutline);
    out.arc({xL, yL}, r, 180, 270, kOutline);
    out.line(xL, yT, cx, yT, kCentre);
    out.line(xL, yT + r, cx, yT + r, kOutline);
    out.line(xL + r, yT - r, cx, yT - r, kOutline);
    out.line(xL, yT, xL, yL, kCentre);
    out.line(xL - r, yT, xL - r, yL, kOutline);
    out.line(xL + r, yT - r, xL + r, yL + r, kOutline);
    out.line(xL, yL, cx, yL, kCentre);
    out.line(xL, yL - r, cx, yL - r, kOutline);
    out.line(xL + r, yL + r, cx, yL + r, kOutline);
}

// U: two uprights with free top ends, joined at the bottom by a bowl whose
// arc centres lie at cy. The bowl is
//  narrow (W ≤ H): one half circle of the skeleton width;
//  wide: two quarter circles of half the skeleton height joined by a
//      straight bottom stroke.
void capital_u(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r;
    constexpr std::string_view name = "U";
    const double xL = x + r, xR = x + W - r;
    const double yT = y - r, yL = y - H + r;

    if (!stroke_fits(out, W / 2, t, name)) return;
    if (!stroke_fits(out, H / 2, t, name)) return;

    out.arc({xL, yT}, r, 0, 180, kOutline);
    out.arc({xR, yT}, r, 0, 180, kOutline);
    double cy;
    if (W <= H) {
        const double rho = (W - t) / 2;
        cy = yL + rho;
        arc_with_outlines(out, {xL + rho, cy}, rho, r, -180, 0);
    } else {
        const double rho = (H - t) / 2;
        cy = yL + rho;
        arc_with_outlines(out, {xL + rho, cy}, rho, r, -180, -90);
        arc_with_outlines(out, {xR - rho, cy}, rho, r, -90, 0);
        horizontal_triple(out, yL, xL + rho, xR - rho, r, -r);
    }
    vertical_triple(out, xL, yT, cy, -r, r);
    vertical_triple(out, xR, yT, cy, r, -r);
}

// J: an upright on the right with a free top end, ending at the bottom in a
// hook that turns up to a free end on the left at the height cy of its arc
// centres. The hook is at most half the cell high:
//  narrow ((W − t)/2 ≤ 0.5·H − r): one half circle of the skeleton width;
//  wide: two quarter circles of radius 0.5·H − r joined by a straight
//      bottom stroke, the free end at half height.
void capital_j(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r;
    constexpr std::string_view name = "J";
    const double xL = x + r, xR = x + W - r;
    const double yT = y - r, yL = y - H + r;

    if (!stroke_fits(out, W / 2, t, name)) return;
    if (!stroke_fits(out, 0.5 * H, t, name)) return;

    double cy;
    if ((W - t) / 2 <= 0.5 * H - r) {
        const double rho = (W - t) / 2;
        cy = yL + rho;
        arc_with_outlines(out, {xL + rho, cy}, rho, r, -180, 0);
    } else {
        const double rho = 0.5 * H - r;
        cy = yL + rho;
        arc_with_outlines(out, {xL + rho, cy}, rho, r, 180, 270);
        arc_with_outlines(out, {xR - rho, cy}, rho, r, -90, 0);
        horizontal_triple(out, yL, xL + rho, xR - rho, r, -r);
    }
    out.arc({xL, cy}, r, 0, 180, kOutline);
    out.arc({xR, yT}, r, 0, 180, kOutline);
    vertical_triple(out, xR, yT, cy, r, -r);
}

}  // namespace tracemill::glyphs
