// The lower-case letters of straight slanted strokes: v w x y z k. Their body
// reaches from the cell's bottom up to 0.4·H below its top (yT); the stroke
// ends on the bottom line yB rest on the cell's bottom edge.
//
// Each slanted stroke rises at the angle a (degrees); its outline runs at the
// perpendicular offsets (±s, ±c) = ±r·(sin a, cos a) from the skeleton. Where
// two strokes meet in a vertex, the outline on the outside of the vertex is an
// arc of radius r about it, and on the inside a sharp notch at the crossing of
// the two inner edges. Each glyph's slope-dependent test is the condition for
// the notch or inner corner to keep clear of the strokes' far ends, so that
// every inner edge keeps a positive length.
//
// Every formula is evaluated in the order it is written; the ninth printed
// decimal depends on it.
#include <cmath>

#include "../contours.hpp"
#include "../exact_math.hpp"
#include "glyphs.hpp"

namespace tracemill::glyphs {

namespace {

// The top of the lower-case body lies this fraction of the cell height below
// the cell's top.
constexpr double kBody = 0.4;

// Sine, cosine and tangent of an angle in degrees, converted back to radians
// with the drawing's own Pi.
struct Slope {
    double sin, cos, tan;
};
Slope slope_of(double a, double Pi) {
    const double rad = a * Pi / 180;
    return {cr_sin(rad), cr_cos(rad), cr_tan(rad)};
}

// An outline edge. At the limit of a slope test an inner edge shrinks to a
// point: the notch reaches the end of the edge. Its two ends come from
// different formulas, and they still differ by rounding noise, amplified
// where the slope is steep; near the origin the nine printed decimals can
// then write one edge of a notch and drop its partner. An edge is not drawn
// when it is shorter than a quarter of the distance within which the
// outline's ends join into contours. Both inner edges of a notch can
// collapse at once, and the caps on either side must then still join: the
// gap between them is at most half the join distance, and the other half is
// left for the rounding by which an arc's end, placed from its centre and
// angle, differs from the line end computed here. Any longer edge is real
// geometry (far from the origin a notch edge a few ten-thousandths long is
// still far above the rounding of the coordinates) and is drawn.
class Edges {
public:
    Edges(const GlyphCell& c, GlyphOutput& out) : out_(out), noise_(join_tolerance(c) / 4) {}
    void operator()(double x1, double y1, double x2, double y2) {
        if (cr_hypot(x2 - x1, y2 - y1) <= noise_) return;
        out_.line(x1, y1, x2, y2, kOutline);
    }

private:
    GlyphOutput& out_;
    double noise_;
};

}  // namespace

// v: two strokes from the top corners of the body down to the bottom middle.
// The point of the V is rounded by an arc about (xM, yB); the inner notch lies
// r / cos a above it, at (xM, yN).
void small_v(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r, Pi = c.Pi;
    constexpr std::string_view name = "ｖ";
    const double xL = x + r, xM = x + W / 2, xR = x + W - r;
    const double yT = y - kBody * H, yB = y - H + r;

    if (!stroke_fits(out, W / 1.63, t, name)) return;
    if (!stroke_fits(out, kBody * H * 2, t, name)) return;
    const double a = cr_atan((yT - yB) / (xR - xM)) * 180 / Pi;
    const Slope sl = slope_of(a, Pi);
    const double s = r * sl.sin, co = r * sl.cos;
    const double yN = yB + r / sl.cos;
    if (!stroke_fits(out, (xM - xL) / sl.sin + r, t, name)) return;

    Edges edge(c, out);
    out.arc({xL, yT}, r, 90 - a, 270 - a, kOutline);
    out.arc({xM, yB}, r, -a - 90, a - 90, kOutline);
    out.arc({xR, yT}, r, a - 90, a + 90, kOutline);
    out.line(xL, yT, xM, yB, kCentre);
    edge(xL - s, yT - co, xM - s, yB - co);
    edge(xL + s, yT + co, xM, yN);
    out.line(xM, yB, xR, yT, kCentre);
    edge(xM + s, yB - co, xR + s, yT - co);
    edge(xM, yN, xR - s, yT + co);
}

// w: four strokes zig-zagging over the columns x1..x5, a quarter of the
// skeleton width apart: down, up to a middle peak at the top, down, up. The
// two lower vertices and the middle peak are rounded outside and notched
// inside, d = r / cos a from the vertex.
void small_w(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r, Pi = c.Pi;
    constexpr std::string_view name = "ｗ";
    const double x1 = x + r, x2 = x + r + (W - t) / 4, x3 = x + W / 2,
                 x4 = x + r + 3 * (W - t) / 4, x5 = x + W - r;
    const double yT = y - kBody * H, yB = y - H + r;

    if (!stroke_fits(out, W / 2.25, t, name)) return;
    if (!stroke_fits(out, kBody * H * 2, t, name)) return;
    const double a = cr_atan((yT - yB) / (x5 - x4)) * 180 / Pi;
    const Slope sl = slope_of(a, Pi);
    const double s = r * sl.sin, co = r * sl.cos;
    const double d = r / sl.cos;
    if (!stroke_fits(out, W / (2 * sl.sin + 1), t, name)) return;

    Edges edge(c, out);
    out.arc({x1, yT}, r, 90 - a, 270 - a, kOutline);
    out.arc({x2, yB}, r, -a - 90, a - 90, kOutline);
    out.arc({x3, yT}, r, 90 - a, a + 90, kOutline);
    out.arc({x4, yB}, r, -a - 90, a - 90, kOutline);
    out.arc({x5, yT}, r, a - 90, a + 90, kOutline);
    out.line(x1, yT, x2, yB, kCentre);
    edge(x1 - s, yT - co, x2 - s, yB - co);
    edge(x1 + s, yT + co, x2, yB + d);
    out.line(x2, yB, x3, yT, kCentre);
    edge(x2, yB + d, x3 - s, yT + co);
    edge(x2 + s, yB - co, x3, yT - d);
    out.line(x3, yT, x4, yB, kCentre);
    edge(x3 + s, yT + co, x4, yB + d);
    edge(x3, yT - d, x4 - s, yB - co);
    out.line(x4, yB, x5, yT, kCentre);
    edge(x4 + s, yB - co, x5 + s, yT - co);
    edge(x4, yB + d, x5 - s, yT + co);
}

namespace {

// The diagonals of x and y cross at (xM, yM), halfway between the body's top
// and bottom lines. Around the crossing the four inner edges meet in notches
// p = r / sin a to the left and right and q = r / cos a above and below.
struct Cross {
    double xL, xM, xR, yT, yB, yM;
    double a, s, c, p, q;
};

// The tests and geometry shared by x and y; false when a test stopped the run.
bool cross_of(const GlyphCell& cell, GlyphOutput& out, std::string_view name, Cross& k) {
    const double x = cell.x, y = cell.y, W = cell.W, H = cell.H, t = cell.t, r = cell.r,
                 Pi = cell.Pi;
    k.xL = x + r;
    k.xM = x + W / 2;
    k.xR = x + W - r;
    k.yT = y - kBody * H;
    k.yB = y - H + r;
    if (!stroke_fits(out, W / 1.71, t, name)) return false;
    if (!stroke_fits(out, H / 2.02, t, name)) return false;
    k.yM = y - ((kBody + 1) * H - r) / 2;
    k.a = cr_atan((k.yT - k.yB) / (k.xR - k.xL)) * 180 / Pi;
    const Slope sl = slope_of(k.a, Pi);
    k.s = r * sl.sin;
    k.c = r * sl.cos;
    k.p = r / sl.sin;
    k.q = r / sl.cos;
    if (!stroke_fits(out, W / (sl.sin + 1), t, name)) return false;
    return stroke_fits(out, (1 - kBody) * H / (sl.cos + 0.5), t, name);
}

}  // namespace

// x: two full diagonals crossing in the middle of the body, each with caps
// on both ends.
void small_x(const GlyphCell& c, GlyphOutput& out) {
    const double r = c.r;
    Cross k;
    if (!cross_of(c, out, "ｘ", k)) return;
    const double xL = k.xL, xM = k.xM, xR = k.xR, yT = k.yT, yB = k.yB, yM = k.yM, a = k.a,
                 s = k.s, co = k.c, p = k.p, q = k.q;
    Edges edge(c, out);
    out.arc({xL, yT}, r, 90 - a, 270 - a, kOutline);
    out.arc({xL, yB}, r, a - 270, a - 90, kOutline);
    out.arc({xR, yB}, r, -a - 90, 90 - a, kOutline);
    out.arc({xR, yT}, r, a - 90, a + 90, kOutline);
    out.line(xL, yT, xR, yB, kCentre);
    edge(xL - s, yT - co, xM - p, yM);
    edge(xL + s, yT + co, xM, yM + q);
    edge(xM + p, yM, xR + s, yB + co);
    edge(xM, yM - q, xR - s, yB - co);
    out.line(xL, yB, xR, yT, kCentre);
    edge(xL - s, yB + co, xM - p, yM);
    edge(xL + s, yB - co, xM, yM - q);
    edge(xM, yM + q, xR - s, yT + co);
    edge(xM + p, yM, xR + s, yT - co);
}

// y: the x without its lower-right arm. The short arm from the top left ends
// in the crossing, whose lower notch then is no corner: the rising diagonal's
// lower edge runs straight through.
void small_y(const GlyphCell& c, GlyphOutput& out) {
    const double r = c.r;
    Cross k;
    if (!cross_of(c, out, "ｙ", k)) return;
    const double xL = k.xL, xM = k.xM, xR = k.xR, yT = k.yT, yB = k.yB, yM = k.yM, a = k.a,
                 s = k.s, co = k.c, p = k.p, q = k.q;
    Edges edge(c, out);
    out.arc({xL, yT}, r, 90 - a, 270 - a, kOutline);
    out.arc({xL, yB}, r, a - 270, a - 90, kOutline);
    out.arc({xR, yT}, r, a - 90, a + 90, kOutline);
    out.line(xL, yT, xM, yM, kCentre);
    edge(xL - s, yT - co, xM - p, yM);
    edge(xL + s, yT + co, xM, yM + q);
    out.line(xL, yB, xR, yT, kCentre);
    edge(xL - s, yB + co, xM - p, yM);
    edge(xL + s, yB - co, xR + s, yT - co);
    edge(xM, yM + q, xR - s, yT + co);
}

// z: a top bar, a diagonal from the bottom-left to the top-right, and a
// bottom bar. The diagonal meets the bars in rounded outer corners at
// (xL, yB) and (xR, yT); the inner corners lie e from the bar ends, where the
// bars' inner edges cut the diagonal's edges.
void small_z(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r, Pi = c.Pi;
    constexpr std::string_view name = "ｚ";
    const double xL = x + r, xR = x + W - r;
    const double yT = y - kBody * H, yB = y - H + r;

    if (!stroke_fits(out, W / 1.57, t, name)) return;
    if (!stroke_fits(out, (1 - kBody) * H / 1.5, t, name)) return;
    const double a = cr_atan(std::fabs(yT - yB) / std::fabs(xR - xL)) * 180 / Pi;
    const Slope sl = slope_of(a, Pi);
    const double s = r * sl.sin, co = r * sl.cos;
    const double e = (r / sl.cos + r) / sl.tan;
    const double f = ((xR - xL) - r / sl.tan) * sl.sin + r;
    if (!stroke_fits(out, f, t, name)) return;

    Edges edge(c, out);
    out.arc({xL, yT}, r, 90, 270, kOutline);
    out.arc({xL, yB}, r, a + 90, 270, kOutline);
    out.arc({xR, yB}, r, -90, 90, kOutline);
    out.arc({xR, yT}, r, a - 90, 90, kOutline);
    out.line(xL, yT, xR, yT, kCentre);
    edge(xL, yT + r, xR, yT + r);
    edge(xL, yT - r, xR - e, yT - r);
    out.line(xL, yB, xR, yT, kCentre);
    edge(xL - s, yB + co, xR - e, yT - r);
    edge(xL + e, yB + r, xR + s, yT - co);
    out.line(xL, yB, xR, yB, kCentre);
    edge(xL, yB - r, xR, yB - r);
    edge(xL + e, yB + r, xR, yB + r);
}

// k: a full-height stem on the left; an arm up to the body's top right and a
// leg down to the cell's bottom right, both leaving the stem at the junction
// (xL, yJ), symmetric about it. The arm's upper edge and the leg's lower edge
// meet the stem's right edge v above and below the junction; the arm's lower
// and the leg's upper edge meet each other at (u, yJ). The tests depend on
// the slope alone, so the geometry comes first.
void small_k(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r, Pi = c.Pi;
    constexpr std::string_view name = "ｋ";
    const double xL = x + r, xR = x + W - r;
    const double yT = y - kBody * H, yB = y - H + r;
    const double yS = y - r;
    const double yJ = y - (kBody + 1) * H / 2 + t / 4;
    const double a = cr_atan((yT - yJ) / (xR - xL)) * 180 / Pi;
    const Slope sl = slope_of(a, Pi);
    const double s = r * sl.sin, co = r * sl.cos;
    const double u = xL + r / sl.sin;
    const double v = r * sl.tan + r / sl.cos;
    const double g = (1 - kBody) * H / (sl.tan + 0.5 + 1 / sl.cos);

    if (!stroke_fits(out, W / (0.5 * sl.sin + 1.5), t, name)) return;
    if (!stroke_fits(out, g, t, name)) return;

    Edges edge(c, out);
    out.arc({xL, yS}, r, 0, 180, kOutline);
    out.arc({xL, yB}, r, -180, 0, kOutline);
    out.arc({xR, yB}, r, -a - 90, 90 - a, kOutline);
    out.arc({xR, yT}, r, a - 90, a + 90, kOutline);
    out.line(xL, yS, xL, yB, kCentre);
    edge(xL - r, yS, xL - r, yB);
    edge(xL + r, yS, xL + r, yJ + v);
    edge(xL + r, yJ - v, xL + r, yB);
    out.line(xL, yJ, xR, yT, kCentre);
    edge(xL + r, yJ + v, xR - s, yT + co);
    edge(u, yJ, xR + s, yT - co);
    out.line(xL, yJ, xR, yB, kCentre);
    edge(xL + r, yJ - v, xR - s, yB - co);
    edge(u, yJ, xR + s, yB + co);
}

}  // namespace tracemill::glyphs
