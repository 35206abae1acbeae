// The operators < > + = ^ ~. None of them fills the cell the way a letter
// does: the angle brackets span it, the plus is a square cross about the
// centre, the equals sign two bars close to mid-height, the caret and the
// tilde sit in the upper part.
//
// Shared construction: skeleton ends that reach an edge lie r inside it
// (Lx = x + r, Rx = x + W − r, Ty = y − r, Fy = y − H + r); the cell centre is
// (Cx, My). A slanted stroke's outline is its skeleton shifted by the normal
// (s, c) = r·(sin, cos) of its slope; free ends get half-circle caps, outer
// corners an arc of radius r about the corner, inner corners are sharp where
// the outline lines meet. The arcs come first, then every stroke as skeleton
// line followed by its outline lines.
//
// Every formula is evaluated in the order it is written; the ninth printed
// decimal and the choice between layouts depend on it.
#include <cmath>

#include "../exact_math.hpp"
#include "glyphs.hpp"

namespace tracemill::glyphs {

// '<': two arms from the vertex V = (Lx, My) at the middle of the left edge
// to the upper right (Rx, Ty) and the lower right (Rx, Fy) corners. L is the
// slope of the upper arm in degrees; the lower one falls at −L. The outer
// corner at V is rounded from L + 90 round the left to 270 − L; on the inside
// the two inner outline lines meet in the notch (Lx + u, My), u = r / sin L
// along the bisector. The second test keeps that notch short of the arms'
// ends: it holds exactly when Ty − c > My.
void less_than(const GlyphCell& cell, GlyphOutput& out) {
    const double x = cell.x, y = cell.y, W = cell.W, H = cell.H, t = cell.t, r = cell.r,
                 Pi = cell.Pi;
    constexpr std::string_view name = "＜";
    const double Lx = x + r, Rx = x + W - r, Ty = y - r, Fy = y - H + r, My = y - H / 2;
    const double L = to_degrees(cr_atan((Ty - My) / (Rx - Lx)), Pi);
    const double s = cr_sin(to_radians(L, Pi)) * r;
    const double c = cr_cos(to_radians(L, Pi)) * r;
    const double u = r / cr_sin(to_radians(L, Pi));
    if (!stroke_fits(out, H / 1.4, t, name)) return;
    if (!stroke_fits(out, H / (cr_cos(to_radians(L, Pi)) + 1), t, name)) return;

    out.arc({Lx, My}, r, L + 90, 270 - L, kOutline);
    out.arc({Rx, Fy}, r, -90 - L, 90 - L, kOutline);
    out.arc({Rx, Ty}, r, L - 90, 90 + L, kOutline);
    out.line(Lx, My, Rx, Ty, kCentre);
    out.line(Lx - s, My + c, Rx - s, Ty + c, kOutline);
    out.line(Lx + u, My, Rx + s, Ty - c, kOutline);
    out.line(Lx, My, Rx, Fy, kCentre);
    out.line(Lx - s, My - c, Rx - s, Fy - c, kOutline);
    out.line(Lx + u, My, Rx + s, Fy + c, kOutline);
}

// '>': the mirror image of '<', with the arms running from the upper left
// (Lx, Ty) and lower left (Lx, Fy) corners to the vertex (Rx, My) and the
// notch at (Rx − u, My). The slope and the tests are those of '<'.
void greater_than(const GlyphCell& cell, GlyphOutput& out) {
    const double x = cell.x, y = cell.y, W = cell.W, H = cell.H, t = cell.t, r = cell.r,
                 Pi = cell.Pi;
    constexpr std::string_view name = "＞";
    const double Lx = x + r, Rx = x + W - r, Ty = y - r, Fy = y - H + r, My = y - H / 2;
    const double L = to_degrees(cr_atan((Ty - My) / (Rx - Lx)), Pi);
    const double s = cr_sin(to_radians(L, Pi)) * r;
    const double c = cr_cos(to_radians(L, Pi)) * r;
    const double u = r / cr_sin(to_radians(L, Pi));
    if (!stroke_fits(out, H / 1.4, t, name)) return;
    if (!stroke_fits(out, H / (cr_cos(to_radians(L, Pi)) + 1), t, name)) return;

    out.arc({Lx, Ty}, r, 90 - L, 270 - L, kOutline);
    out.arc({Lx, Fy}, r, 90 + L, 270 + L, kOutline);
    out.arc({Rx, My}, r, L - 90, 90 - L, kOutline);
    out.line(Lx, Ty, Rx, My, kCentre);
    out.line(Lx + s, Ty + c, Rx + s, My + c, kOutline);
    out.line(Lx - s, Ty - c, Rx - u, My, kOutline);
    out.line(Lx, Fy, Rx, My, kCentre);
    out.line(Lx + s, Fy - c, Rx + s, My - c, kOutline);
    out.line(Lx - s, Fy + c, Rx - u, My, kOutline);
}

// '+': a horizontal and a vertical bar of half-length a crossing at the cell
// centre, so that the cross is a square of side min(W, H) and its caps touch
// the two nearer cell edges. A square cell takes the height's formula; both
// give the same a there. The four inner corners (Cx ± r, My ± r) are sharp,
// so each bar's outline lines stop at the other bar.
void plus_sign(const GlyphCell& cell, GlyphOutput& out) {
    const double x = cell.x, y = cell.y, W = cell.W, H = cell.H, t = cell.t, r = cell.r;
    constexpr std::string_view name = "＋";
    if (!stroke_fits(out, W / 2, t, name)) return;
    if (!stroke_fits(out, H / 2, t, name)) return;
    const double Cx = x + W / 2, My = y - H / 2;
    const double a = W < H ? (W - t) / 2 : (H - t) / 2;

    out.arc({Cx - a, My}, r, 90, 270, kOutline);
    out.arc({Cx, My + a}, r, 0, 180, kOutline);
    out.arc({Cx, My - a}, r, -180, 0, kOutline);
    out.arc({Cx + a, My}, r, -90, 90, kOutline);
    out.line(Cx - a, My, Cx + a, My, kCentre);
    out.line(Cx - a, My + r, Cx - r, My + r, kOutline);
    out.line(Cx + r, My + r, Cx + a, My + r, kOutline);
    out.line(Cx - a, My - r, Cx - r, My - r, kOutline);
    out.line(Cx + r, My - r, Cx + a, My - r, kOutline);
    out.line(Cx, My + a, Cx, My - a, kCentre);
    out.line(Cx - r, My + a, Cx - r, My + r, kOutline);
    out.line(Cx - r, My - r, Cx - r, My - a, kOutline);
    out.line(Cx + r, My + a, Cx + r, My + r, kOutline);
    out.line(Cx + r, My - r, Cx + r, My - a, kOutline);
}

// '=': two full-width bars at U = (y + t) − H/2 and D = (y − t) − H/2, one
// stroke width above and below mid-height, so that the gap between their
// outlines is t.
void equals_sign(const GlyphCell& cell, GlyphOutput& out) {
    const double x = cell.x, y = cell.y, W = cell.W, H = cell.H, t = cell.t, r = cell.r;
    constexpr std::string_view name = "＝";
    if (!stroke_fits(out, H / 3, t, name)) return;
    const double Lx = x + r, Rx = x + W - r;
    const double U = (y + t) - H / 2, D = (y - t) - H / 2;

    out.arc({Lx, U}, r, 90, 270, kOutline);
    out.arc({Lx, D}, r, 90, 270, kOutline);
    out.arc({Rx, D}, r, -90, 90, kOutline);
    out.arc({Rx, U}, r, -90, 90, kOutline);
    out.line(Lx, U, Rx, U, kCentre);
    out.line(Lx, U + r, Rx, U + r, kOutline);
    out.line(Lx, U - r, Rx, U - r, kOutline);
    out.line(Lx, D, Rx, D, kCentre);
    out.line(Lx, D - r, Rx, D - r, kOutline);
    out.line(Lx, D + r, Rx, D + r, kOutline);
}

// '^': two arms at Q = 45 degrees from the apex (Cx, Ty) down to the feet
// (Xl, Yf) and (Xr, Yf). The outer corner at the apex is rounded from 45 to
// 135; the inner one is sharp at (Cx, Ty − k), k = r / cos Q below the apex.
// The arms end where they first meet a limit: a, the run of an arm that
// falls 0.35·H − r (its foot's skeleton 0.35·H below the cell top), against
// b, the run to the side edges:
//  - a >= b: the width limits the arms; the feet are at Lx and Rx, as far
//    down as a 45-degree run of (W − t)/2 reaches;
//  - a < b: the depth limits them; the feet are at y − 0.35·H, a either
//    side of the centre.
// The first test keeps the inner apex above the feet when the width limits
// the arms, the third when the depth does.
void caret(const GlyphCell& cell, GlyphOutput& out) {
    const double x = cell.x, y = cell.y, W = cell.W, H = cell.H, t = cell.t, r = cell.r,
                 Pi = cell.Pi;
    constexpr std::string_view name = "キャレット";
    const double Q = 45;
    const double s = cr_sin(to_radians(Q, Pi)) * r;
    const double c = cr_cos(to_radians(Q, Pi)) * r;
    const double k = r / cr_cos(to_radians(Q, Pi));
    if (!stroke_fits(out, W / (cr_sin(to_radians(Q, Pi)) + 1), t, name)) return;
    if (!stroke_fits(out, H / 2.4, t, name)) return;
    if (!stroke_fits(out, ((0.35 * H + r) + c) - k, t, name)) return;

    const double Cx = x + W / 2, Ty = y - r;
    const double a = (0.35 * H - r) / cr_tan(to_radians(Q, Pi));
    const double b = (W - t) / 2;
    double Xl, Xr, Yf;
    if (a >= b) {
        Xl = x + r;
        Xr = x + W - r;
        Yf = Ty - ((W - t) * cr_tan(to_radians(Q, Pi))) / 2;
    } else {
        Xl = Cx - a;
        Xr = a + Cx;
        Yf = y - 0.35 * H;
    }

    out.arc({Xl, Yf}, r, Q - 270, Q - 90, kOutline);
    out.arc({Cx, Ty}, r, 90 - Q, 90 + Q, kOutline);
    out.arc({Xr, Yf}, r, -90 - Q, 90 - Q, kOutline);
    out.line(Xl, Yf, Cx, Ty, kCentre);
    out.line(Xl - s, Yf + c, Cx - s, Ty + c, kOutline);
    out.line(Xl + s, Yf - c, Cx, Ty - k, kOutline);
    out.line(Cx, Ty, Xr, Yf, kCentre);
    out.line(Cx + s, Ty + c, Xr + s, Yf + c, kOutline);
    out.line(Cx, Ty - k, Xr - s, Yf - c, kOutline);
}

// '~': an S of two arcs of equal radius rho bending opposite ways, joined
// smoothly at Cx, in the band from y − r down to y − 0.35·H. The left arc
// bulges up, its top on y − r; the right one bulges down. P1 and P2 are the
// arcs' centre abscissae, a quarter of the skeleton's width in from its ends.
//  - 0.35·H >= W/2: the band is deep enough for two half circles of
//    radius (W − t)/4 on one centre line.
//  - 0.35·H < W/2: the band is too shallow; each arc is flatter, running
//    from an end at mid-band Ym over its top (or bottom) point back to
//    mid-band at the join. T is the slope of the chord from an end to that
//    point; the arc through both with a horizontal tangent there has radius
//    chord / (2 sin T) and spans 4T.
// The outer outline of one arc and the inner outline of the other meet
// tangentially at the join, so the outline is closed by the end caps alone.
// The first test keeps the inner radius rho − r positive.
void tilde(const GlyphCell& cell, GlyphOutput& out) {
    const double x = cell.x, y = cell.y, W = cell.W, H = cell.H, t = cell.t, r = cell.r,
                 Pi = cell.Pi;
    constexpr std::string_view name = "チルダ";
    const double P1 = (W + t) / 4 + x;
    const double P2 = (x + r) + ((W - t) * 3) / 4;
    if (!stroke_fits(out, W / 3, t, name)) return;
    if (!stroke_fits(out, (0.35 * H) / 1.5, t, name)) return;
    const double Lx = x + r, Rx = x + W - r;

    if (0.35 * H >= W / 2) {
        const double rho = (W - t) / 4;
        const double Yc = (y - r) - rho;
        out.arc({P1, Yc}, rho, 0, 180, kCentre);
        out.arc({P1, Yc}, rho + r, 0, 180, kOutline);
        out.arc({P1, Yc}, rho - r, 0, 180, kOutline);
        out.arc({P2, Yc}, rho, -180, 0, kCentre);
        out.arc({P2, Yc}, rho + r, -180, 0, kOutline);
        out.arc({P2, Yc}, rho - r, -180, 0, kOutline);
        out.arc({Lx, Yc}, r, -180, 0, kOutline);
        out.arc({Rx, Yc}, r, 0, 180, kOutline);
        return;
    }

    const double Ym = (y - r) - (0.35 * H - r) / 2;
    const double T = to_degrees(cr_atan(((0.35 * H - r) * 2) / (W - t)), Pi);
    const double rho = std::sqrt(pow2((0.35 * H - r) / 2) + pow2((W - t) / 4)) /
                       (2 * cr_sin(to_radians(T, Pi)));
    const double Y1 = (y - r) - rho;
    const double Y2 = (y - 0.35 * H) + rho;
    out.arc({P1, Y1}, rho, 90 - 2 * T, 2 * T + 90, kCentre);
    out.arc({P1, Y1}, rho + r, 90 - 2 * T, 2 * T + 90, kOutline);
    out.arc({P1, Y1}, rho - r, 90 - 2 * T, 2 * T + 90, kOutline);
    out.arc({P2, Y2}, rho, -90 - 2 * T, 2 * T - 90, kCentre);
    out.arc({P2, Y2}, rho + r, -90 - 2 * T, 2 * T - 90, kOutline);
    out.arc({P2, Y2}, rho - r, -90 - 2 * T, 2 * T - 90, kOutline);
    out.arc({Lx, Ym}, r, 2 * T - 270, 2 * T - 90, kOutline);
    out.arc({Rx, Ym}, r, 2 * T - 90, 2 * T + 90, kOutline);
}

}  // namespace tracemill::glyphs
