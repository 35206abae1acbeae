// The capitals W, X, Y and Z: diagonals that meet in vertices, cross, join a
// stem or run between two bars.
//
// The construction is that of the other diagonal capitals. The skeleton's
// end points lie r inside the cell edges:
//   Lx = x + r, Cx = x + W/2, Rx = x + W − r   (left, centre, right)
//   Ty = y − r, My = y − H/2, Fy = y − H + r   (top, middle, foot)
// Each glyph's diagonals share one slope (see diagonal_slope.hpp); their
// outline lines are the skeleton shifted by r along both normals. Free ends
// get half-circle caps, outer corners an arc of radius r about the corner
// point between the two strokes' outer normals, and inner corners are sharp,
// at the crossing of the two outline lines, given in closed form from the
// slope. All arcs come first, then each stroke as its centre line and its
// outline lines.
//
// The tests after the plain size tests keep each sharp corner on the right
// side of the stroke ends it must not pass. When one passes by an ulp at a
// tie, segments of zero printed length remain; the output leaves them out,
// and what is left still closes up.
#include <cmath>

#include "diagonal_slope.hpp"
#include "glyphs.hpp"

namespace tracemill::glyphs {

// W: four strokes of equal run (W − t)/4, down from (Lx, Ty) to the first
// bottom vertex (P1, Fy), up to the middle top vertex (Cx, Ty), down to the
// second bottom vertex (P2, Fy) and up to (Rx, Ty). The two ends are capped;
// the three vertices are rounded outside.
//   k  how far the sharp inner corners lie from the vertices, along x = P1,
//      Cx and P2: (P1, Fy + k), (Cx, Ty − k), (P2, Fy + k).
// The second test keeps the upper ends of the inner sides horizontally
// between the neighbouring vertices ((W − t)/4 > s), so that every inner
// side runs the right way.
void capital_w(const GlyphCell& cell, GlyphOutput& out) {
    const double x = cell.x, y = cell.y, W = cell.W, H = cell.H, t = cell.t, r = cell.r;
    constexpr std::string_view name = "W";
    const double Lx = x + r, Cx = x + W / 2, Rx = x + W - r, Ty = y - r, Fy = y - H + r;

    const double P1 = (x + r) + (W - t) / 4;
    const double P2 = (x + r) + ((W - t) * 3) / 4;
    const DiagonalSlope w = diagonal_slope(Ty - Fy, Rx - P2, r, cell.Pi);
    const double F = w.deg, s = w.s, c = w.c;
    const double k = r / w.cos;

    if (!stroke_fits(out, W / 1.5, t, name)) return;
    if (!stroke_fits(out, W / (w.sin + w.sin + 1), t, name)) return;

    out.arc({Lx, Ty}, r, 90 - F, 270 - F, kOutline);  // left end cap
    out.arc({P1, Fy}, r, -F - 90, F - 90, kOutline);  // first bottom vertex
    out.arc({Cx, Ty}, r, 90 - F, F + 90, kOutline);   // middle top vertex
    out.arc({P2, Fy}, r, -F - 90, F - 90, kOutline);  // second bottom vertex
    out.arc({Rx, Ty}, r, F - 90, F + 90, kOutline);   // right end cap

    out.line(Lx, Ty, P1, Fy, kCentre);
    out.line(Lx - s, Ty - c, P1 - s, Fy - c, kOutline);
    out.line(Lx + s, Ty + c, P1, Fy + k, kOutline);
    out.line(P1, Fy, Cx, Ty, kCentre);
    out.line(P1, Fy + k, Cx - s, Ty + c, kOutline);
    out.line(P1 + s, Fy - c, Cx, Ty - k, kOutline);
    out.line(Cx, Ty, P2, Fy, kCentre);
    out.line(Cx + s, Ty + c, P2, Fy + k, kOutline);
    out.line(Cx, Ty - k, P2 - s, Fy - c, kOutline);
    out.line(P2, Fy, Rx, Ty, kCentre);
    out.line(P2 + s, Fy - c, Rx + s, Ty - c, kOutline);
    out.line(P2, Fy + k, Rx - s, Ty + c, kOutline);
}

// X: two full diagonals, (Lx, Ty) → (Rx, Fy) and (Lx, Fy) → (Rx, Ty), capped
// at all four ends and crossing at (Cx, My).
//   u, v  the four sharp inner corners around the crossing lie at
//         (Cx ∓ u, My) left and right and (Cx, My ± v) above and below.
// The third test keeps the upper and lower corners' sides starting left of
// the centre (Lx + s < Cx); the fourth keeps the left and right corners'
// sides starting above the middle (Ty − c > My).
void capital_x(const GlyphCell& cell, GlyphOutput& out) {
    const double x = cell.x, y = cell.y, W = cell.W, H = cell.H, t = cell.t, r = cell.r;
    constexpr std::string_view name = "X";
    const double Lx = x + r, Cx = x + W / 2, Rx = x + W - r;
    const double Ty = y - r, My = y - H / 2, Fy = y - H + r;

    const DiagonalSlope d = diagonal_slope(Ty - Fy, Rx - Lx, r, cell.Pi);
    const double G = d.deg, s = d.s, c = d.c;
    const double u = r / d.sin, v = r / d.cos;

    if (!stroke_fits(out, W / 1.7, t, name)) return;
    if (!stroke_fits(out, H / 1.7, t, name)) return;
    if (!stroke_fits(out, W / (d.sin + 1), t, name)) return;
    if (!stroke_fits(out, H / (d.cos + 1), t, name)) return;

    out.arc({Lx, Ty}, r, 90 - G, 270 - G, kOutline);   // top-left cap
    out.arc({Lx, Fy}, r, G - 270, G - 90, kOutline);   // bottom-left cap
    out.arc({Rx, Fy}, r, -G - 90, 90 - G, kOutline);   // bottom-right cap
    out.arc({Rx, Ty}, r, G - 90, 90 + G, kOutline);    // top-right cap

    // Falling diagonal.
    out.line(Lx, Ty, Rx, Fy, kCentre);
    out.line(Lx - s, Ty - c, Cx - u, My, kOutline);
    out.line(Lx + s, Ty + c, Cx, My + v, kOutline);
    out.line(Cx + u, My, Rx + s, Fy + c, kOutline);
    out.line(Cx, My - v, Rx - s, Fy - c, kOutline);
    // Rising diagonal.
    out.line(Lx, Fy, Rx, Ty, kCentre);
    out.line(Lx - s, Fy + c, Cx - u, My, kOutline);
    out.line(Lx + s, Fy - c, Cx, My - v, kOutline);
    out.line(Cx, My + v, Rx - s, Ty + c, kOutline);
    out.line(Cx + u, My, Rx + s, Ty - c, kOutline);
}

// Y: two arms from (Lx, Ty) and (Rx, Ty), capped there, down to the junction
// (Cx, My), and a stem from the junction down to a capped foot (Cx, Fy).
//   n  the sharp notch between the arms, on x = Cx;
//   m  the arms' outer sides meet the stem's sides at My − m, the sharp
//      corners under the junction;
//   q  the fourth test's value: it exceeds t exactly when those corners lie
//      above the stem's foot.
// The third test keeps the arms' inner sides starting left and right of the
// centre (Lx + s < Cx).
void capital_y(const GlyphCell& cell, GlyphOutput& out) {
    const double x = cell.x, y = cell.y, W = cell.W, H = cell.H, t = cell.t, r = cell.r;
    constexpr std::string_view name = "Y";
    const double Lx = x + r, Cx = x + W / 2, Rx = x + W - r;
    const double Ty = y - r, My = y - H / 2, Fy = y - H + r;

    const DiagonalSlope j = diagonal_slope(Ty - My, Cx - Lx, r, cell.Pi);
    const double J = j.deg, s = j.s, c = j.c;
    const double n = r / j.cos + My;
    const double m = j.cos * r - (r - j.sin * r) * j.tan;
    const double q = (H - c) - (((Rx + s) - Cx) - r) * j.tan;

    if (!stroke_fits(out, W / 1.6, t, name)) return;
    if (!stroke_fits(out, H / 1.5, t, name)) return;
    if (!stroke_fits(out, W / (j.sin + 1), t, name)) return;
    if (!stroke_fits(out, q, t, name)) return;

    out.arc({Lx, Ty}, r, 90 - J, 270 - J, kOutline);  // left arm cap
    out.arc({Cx, Fy}, r, -180, 0, kOutline);          // stem foot cap
    out.arc({Rx, Ty}, r, J - 90, 90 + J, kOutline);   // right arm cap

    out.line(Lx, Ty, Cx, My, kCentre);
    out.line(Lx - s, Ty - c, Cx - r, My - m, kOutline);
    out.line(Lx + s, Ty + c, Cx, n, kOutline);
    out.line(Cx, My, Cx, Fy, kCentre);
    out.line(Cx - r, My - m, Cx - r, Fy, kOutline);
    out.line(Cx + r, My - m, Cx + r, Fy, kOutline);
    out.line(Cx, My, Rx, Ty, kCentre);
    out.line(Cx + r, My - m, Rx + s, Ty - c, kOutline);
    out.line(Cx, n, Rx - s, Ty + c, kOutline);
}

// Z: a top bar at Ty and a bottom bar at Fy, both from Lx to Rx, and a
// diagonal from the bottom-left corner (Lx, Fy) up to the top-right corner
// (Rx, Ty). Those two corners are rounded outside; the other bar ends are
// capped.
//   w  the sharp inner corners lie w from the corners, at (Rx − w, Ty − r)
//      under the top bar and (Lx + w, Fy + r) above the bottom bar;
//   q  the third test's value: it exceeds t exactly when Rx − w > Lx, so
//      that the bars' inner sides keep a length.
void capital_z(const GlyphCell& cell, GlyphOutput& out) {
    const double x = cell.x, y = cell.y, W = cell.W, H = cell.H, t = cell.t, r = cell.r;
    constexpr std::string_view name = "Z";
    const double Lx = x + r, Rx = x + W - r, Ty = y - r, Fy = y - H + r;

    const DiagonalSlope z = diagonal_slope(std::fabs(Ty - Fy), std::fabs(Rx - Lx), r, cell.Pi);
    const double K = z.deg, s = z.s, c = z.c;
    const double w = (r / z.cos + r) / z.tan;
    const double q = ((Rx - Lx) - r / z.tan) * z.sin + r;

    if (!stroke_fits(out, W / 1.5, t, name)) return;
    if (!stroke_fits(out, H / 2, t, name)) return;
    if (!stroke_fits(out, q, t, name)) return;

    out.arc({Lx, Ty}, r, 90, 270, kOutline);     // top bar's left cap
    out.arc({Lx, Fy}, r, K + 90, 270, kOutline); // bottom-left outer corner
    out.arc({Rx, Fy}, r, -90, 90, kOutline);     // bottom bar's right cap
    out.arc({Rx, Ty}, r, K - 90, 90, kOutline);  // top-right outer corner

    out.line(Lx, Ty, Rx, Ty, kCentre);
    out.line(Lx, Ty + r, Rx, Ty + r, kOutline);
    out.line(Lx, Ty - r, Rx - w, Ty - r, kOutline);
    // The diagonal, rising to the right.
    out.line(Lx, Fy, Rx, Ty, kCentre);
    out.line(Lx - s, Fy + c, Rx - w, Ty - r, kOutline);
    out.line(Lx + w, Fy + r, Rx + s, Ty - c, kOutline);
    out.line(Lx, Fy, Rx, Fy, kCentre);
    out.line(Lx, Fy - r, Rx, Fy - r, kOutline);
    out.line(Lx + w, Fy + r, Rx, Fy + r, kOutline);
}

}  // namespace tracemill::glyphs
