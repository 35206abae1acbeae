// The capitals with straight diagonal strokes: A, K, M, N and V.
//
// They share the construction of the straight capitals, with slanted strokes
// added. The skeleton's end points lie r inside the cell edges:
//   Lx = x + r, Cx = x + W/2, Rx = x + W − r   (left, centre, right)
//   Ty = y − r, Fy = y − H + r                 (top, foot)
// Each glyph's diagonals share one slope (see diagonal_slope.hpp); its
// outline lines are the skeleton shifted by r along both normals. Free ends
// get half-circle caps, outer corners an arc of radius r about the corner
// point from one stroke's outer normal to the other's, and inner corners are
// sharp: there the two outline lines end at their crossing, which each glyph
// gives in closed form from the slope. All arcs come first, then each stroke
// as its centre line and its outline lines.
//
// The tests after the plain size tests guard those sharp corners: each holds
// exactly when a crossing lies on the right side of the stroke end it must
// not pass, so that every outline segment keeps its direction. When such a
// test passes by one ulp at a tie, segments of zero printed length remain;
// the output leaves them out, and what is left still closes up.
#include <cmath>

#include "diagonal_slope.hpp"
#include "glyphs.hpp"

namespace tracemill::glyphs {

namespace {

// A's crossbar lies this share of the height above the cell's bottom.
constexpr double kCrossbarRatio = 0.35;

}  // namespace

// A: two legs from the feet (Lx, Fy) and (Rx, Fy) up to the apex (Cx, Ty),
// rounded outside the apex, and a crossbar from leg to leg at By.
//   Xl, Xr  the crossbar's ends, on the legs' skeletons;
//   p       where the crossbar's lower side meets a leg's inner side,
//           at Xl + p and Xr − p;
//   q       the same for the crossbar's upper side, at Xl + q and Xr − q;
//   Iy      the sharp inner apex on x = Cx, where the legs' inner sides meet.
// The legs' inner sides are cut by the crossbar; above it they and its upper
// side enclose the triangular counter. The third test keeps the inner apex
// above the crossbar's upper side, so that the counter exists.
void capital_a(const GlyphCell& cell, GlyphOutput& out) {
    const double x = cell.x, y = cell.y, W = cell.W, H = cell.H, t = cell.t, r = cell.r;
    constexpr std::string_view name = "A";
    const double Lx = x + r, Cx = x + W / 2, Rx = x + W - r, Ty = y - r, Fy = y - H + r;

    const double By = y - (1 - kCrossbarRatio) * H;
    const DiagonalSlope a = diagonal_slope(Ty - Fy, Cx - Lx, r, cell.Pi);
    const double A = a.deg, s = a.s, c = a.c;
    const double Xl = std::fabs(Fy - By) / a.tan + Lx;
    const double Xr = Rx - std::fabs(Fy - By) / a.tan;
    const double p = s - (r - c) / a.tan;
    const double q = (r + c) / a.tan + s;
    const double Iy = Ty - r / a.cos;

    if (!stroke_fits(out, W / 2.5, t, name)) return;
    if (!stroke_fits(out, kCrossbarRatio * H, t, name)) return;
    if (!stroke_fits(out, ((Ty - By) - r) * a.cos + r, t, name)) return;

    out.arc({Lx, Fy}, r, A + 90, A + 270, kOutline);  // left foot cap
    out.arc({Cx, Ty}, r, 90 - A, 90 + A, kOutline);   // apex, outer corner
    out.arc({Rx, Fy}, r, -A - 90, 90 - A, kOutline);  // right foot cap

    out.line(Lx, Fy, Cx, Ty, kCentre);
    out.line(Cx, Ty, Rx, Fy, kCentre);
    out.line(Xl, By, Xr, By, kCentre);
    // Outer sides of the legs, meeting the apex arc.
    out.line(Lx - s, Fy + c, Cx - s, Ty + c, kOutline);
    out.line(Cx + s, Ty + c, Rx + s, Fy + c, kOutline);
    // Below the crossbar: its lower side and the legs' inner sides up to it.
    out.line(Xl + p, By - r, Xr - p, By - r, kOutline);
    out.line(Lx + s, Fy - c, Xl + p, By - r, kOutline);
    out.line(Rx - s, Fy - c, Xr - p, By - r, kOutline);
    // The counter above the crossbar.
    out.line(Xl + q, By + r, Xr - q, By + r, kOutline);
    out.line(Xl + q, By + r, Cx, Iy, kOutline);
    out.line(Cx, Iy, Xr - q, By + r, kOutline);
}

// K: a stem at Lx from Ty to Fy, and two arms that leave the stem's skeleton
// together at J = (Lx, My), half height, for (Rx, Ty) and (Rx, Fy).
//   d  the arms' outer sides meet the stem's right side at My + d and My − d;
//      the stem's right side is broken between them;
//   e  the arms' inner sides meet in the sharp notch (e, My).
// Both ends of the stem and both arm ends are free, with caps. The third
// test keeps My + d below the stem's top (and, by symmetry, My − d above its
// foot), so that the stem's right side keeps a piece above and below.
void capital_k(const GlyphCell& cell, GlyphOutput& out) {
    const double x = cell.x, y = cell.y, W = cell.W, H = cell.H, t = cell.t, r = cell.r;
    constexpr std::string_view name = "K";
    const double Lx = x + r, Rx = x + W - r, Ty = y - r, Fy = y - H + r;
    const double My = y - H / 2;

    const DiagonalSlope b = diagonal_slope(std::fabs(My - Ty), std::fabs(Rx - Lx), r, cell.Pi);
    const double B = b.deg, s = b.s, c = b.c;
    const double d = b.tan * r + r / b.cos;
    const double e = r / b.sin + Lx;

    if (!stroke_fits(out, W / 2, t, name)) return;
    if (!stroke_fits(out, H / 2, t, name)) return;
    if (!stroke_fits(out, ((y - My) - d) + r, t, name)) return;

    out.arc({Lx, Ty}, r, 0, 180, kOutline);           // stem top cap
    out.arc({Lx, Fy}, r, -180, 0, kOutline);          // stem foot cap
    out.arc({Rx, Ty}, r, B - 90, B + 90, kOutline);   // upper arm cap
    out.arc({Rx, Fy}, r, -B - 90, -B + 90, kOutline); // lower arm cap

    out.line(Lx, Ty, Lx, Fy, kCentre);
    out.line(Lx - r, Ty, Lx - r, Fy, kOutline);
    out.line(Lx + r, Ty, Lx + r, My + d, kOutline);
    out.line(Lx + r, My - d, Lx + r, Fy, kOutline);
    // Upper arm, rising to the right.
    out.line(Lx, My, Rx, Ty, kCentre);
    out.line(Lx + r, My + d, Rx - s, Ty + c, kOutline);
    out.line(e, My, Rx + s, Ty - c, kOutline);
    // Lower arm, falling to the right.
    out.line(Lx, My, Rx, Fy, kCentre);
    out.line(Lx + r, My - d, Rx - s, Fy - c, kOutline);
    out.line(e, My, Rx + s, Fy + c, kOutline);
}

// M: two stems at Lx and Rx, and a V from the stems' tops down to the bottom
// centre (Cx, Fy). The stems' tops and the V's vertex are outer corners
// (rounded); the stems' feet are free (capped).
//   g  the V's lower sides meet the stems' inner sides at height g, the
//      sharp corners under the stems' tops;
//   h  the sharp notch inside the V, on x = Cx.
// The third test keeps g above the feet, so that the stems' inner sides
// keep a length.
void capital_m(const GlyphCell& cell, GlyphOutput& out) {
    const double x = cell.x, y = cell.y, W = cell.W, H = cell.H, t = cell.t, r = cell.r;
    constexpr std::string_view name = "M";
    const double Lx = x + r, Cx = x + W / 2, Rx = x + W - r, Ty = y - r, Fy = y - H + r;

    const DiagonalSlope m = diagonal_slope(std::fabs(Fy - Ty), std::fabs(Cx - Lx), r, cell.Pi);
    const double C = m.deg, s = m.s, c = m.c;
    const double g = Ty - (r / m.sin + r) * m.tan;
    const double h = r / m.cos + Fy;

    if (!stroke_fits(out, W / 3, t, name)) return;
    if (!stroke_fits(out, H / 1.5, t, name)) return;
    if (!stroke_fits(out, W / 2 - (m.cos * r) / m.tan - m.sin * r, t, name)) return;

    out.arc({Lx, Ty}, r, 90 - C, 180, kOutline);     // top-left outer corner
    out.arc({Lx, Fy}, r, -180, 0, kOutline);         // left foot cap
    out.arc({Cx, Fy}, r, -C - 90, C - 90, kOutline); // V's vertex, outer corner
    out.arc({Rx, Ty}, r, 0, C + 90, kOutline);       // top-right outer corner
    out.arc({Rx, Fy}, r, -180, 0, kOutline);         // right foot cap

    out.line(Lx, Ty, Lx, Fy, kCentre);
    out.line(Lx - r, Ty, Lx - r, Fy, kOutline);
    out.line(Lx + r, g, Lx + r, Fy, kOutline);
    // Left diagonal, falling to the right.
    out.line(Lx, Ty, Cx, Fy, kCentre);
    out.line(Lx + s, Ty + c, Cx, h, kOutline);
    out.line(Lx + r, g, Cx - s, Fy - c, kOutline);
    // Right diagonal, rising to the right.
    out.line(Cx, Fy, Rx, Ty, kCentre);
    out.line(Cx, h, Rx - s, Ty + c, kOutline);
    out.line(Cx + s, Fy - c, Rx - r, g, kOutline);
    out.line(Rx, Ty, Rx, Fy, kCentre);
    out.line(Rx + r, Ty, Rx + r, Fy, kOutline);
    out.line(Rx - r, g, Rx - r, Fy, kOutline);
}

// N: two stems at Lx and Rx, and a diagonal from the left stem's top to the
// right stem's foot. Those two are outer corners (rounded); the left foot and
// the right top are free (capped).
//   e  the diagonal's lower side meets the left stem's inner side at Ty − e,
//      its upper side the right stem's inner side at Fy + e: the sharp
//      corners beside the diagonal's ends.
// The third test keeps Ty − e above the foot (and Fy + e below the top), so
// that the stems' inner sides keep a length.
void capital_n(const GlyphCell& cell, GlyphOutput& out) {
    const double x = cell.x, y = cell.y, W = cell.W, H = cell.H, t = cell.t, r = cell.r;
    constexpr std::string_view name = "N";
    const double Lx = x + r, Rx = x + W - r, Ty = y - r, Fy = y - H + r;

    const DiagonalSlope n = diagonal_slope(std::fabs(Fy - Ty), std::fabs(Rx - Lx), r, cell.Pi);
    const double D = n.deg, s = n.s, c = n.c;
    const double e = (r / n.sin + r) * n.tan;

    if (!stroke_fits(out, W / 2, t, name)) return;
    if (!stroke_fits(out, H / 1.5, t, name)) return;
    if (!stroke_fits(out, (W - (n.cos * r) / n.tan - n.sin * r) / 1.5, t, name)) return;

    out.arc({Lx, Ty}, r, 90 - D, 180, kOutline);  // top-left outer corner
    out.arc({Lx, Fy}, r, -180, 0, kOutline);      // left foot cap
    out.arc({Rx, Ty}, r, 0, 180, kOutline);       // right top cap
    out.arc({Rx, Fy}, r, -D - 90, 0, kOutline);   // bottom-right outer corner

    out.line(Lx, Ty, Lx, Fy, kCentre);
    out.line(Lx - r, Ty, Lx - r, Fy, kOutline);
    out.line(Lx + r, Ty - e, Lx + r, Fy, kOutline);
    // The diagonal, falling to the right.
    out.line(Lx, Ty, Rx, Fy, kCentre);
    out.line(Lx + s, Ty + c, Rx - r, Fy + e, kOutline);
    out.line(Lx + r, Ty - e, Rx - s, Fy - c, kOutline);
    out.line(Rx, Ty, Rx, Fy, kCentre);
    out.line(Rx + r, Ty, Rx + r, Fy, kOutline);
    out.line(Rx - r, Ty, Rx - r, Fy + e, kOutline);
}

// V: two arms from the top corners (Lx, Ty) and (Rx, Ty), capped there, down
// to the vertex (Cx, Fy), rounded outside.
//   h  the sharp notch inside the vertex, on x = Cx.
// The second test keeps the notch below the upper ends of the arms' inner
// sides, so that the V has an opening.
void capital_v(const GlyphCell& cell, GlyphOutput& out) {
    const double x = cell.x, y = cell.y, W = cell.W, H = cell.H, t = cell.t, r = cell.r;
    constexpr std::string_view name = "V";
    const double Lx = x + r, Cx = x + W / 2, Rx = x + W - r, Ty = y - r, Fy = y - H + r;

    const DiagonalSlope v = diagonal_slope(Ty - Fy, Rx - Cx, r, cell.Pi);
    const double E = v.deg, s = v.s, c = v.c;
    const double h = r / v.cos + Fy;

    if (!stroke_fits(out, W / 1.4, t, name)) return;
    if (!stroke_fits(out, (Cx - Lx) / v.sin + r, t, name)) return;

    out.arc({Lx, Ty}, r, 90 - E, 270 - E, kOutline);  // left arm cap
    out.arc({Cx, Fy}, r, -E - 90, E - 90, kOutline);  // vertex, outer corner
    out.arc({Rx, Ty}, r, E - 90, E + 90, kOutline);   // right arm cap

    out.line(Lx, Ty, Cx, Fy, kCentre);
    out.line(Lx - s, Ty - c, Cx - s, Fy - c, kOutline);
    out.line(Lx + s, Ty + c, Cx, h, kOutline);
    out.line(Cx, Fy, Rx, Ty, kCentre);
    out.line(Cx + s, Fy - c, Rx + s, Ty - c, kOutline);
    out.line(Cx, h, Rx - s, Ty + c, kOutline);
}

}  // namespace tracemill::glyphs
