// The lower-case letters i, j, l, t and f: upright stems with a dot, a
// serif, a crossbar or a hook. The stems of i and j rise to the x-height,
// half the cell; l and f run the full height, t starts at 0.4H below the top.
//
// Every outline is the round pen's: parallel lines at distance r along each
// straight stroke, concentric arcs at Q ± r along each curved one, half-circle
// caps on free ends, an arc of radius r about an outer corner, sharp inner
// corners, and an outline broken where a crossbar meets a stem.
//
// The hooks of j, t and f are made for the room they have: when that room is
// at least as tall as it is wide, one half circle spans it; when it is wider,
// two quarter circles of half its height are joined by a straight piece.
//
// Every formula is evaluated in the order it is written; the ninth printed
// decimal and the choice between layouts depend on it.
#include "glyphs.hpp"

namespace tracemill::glyphs {

namespace {

// The dots of i and j: the pen outline has radius 0.8t, the centre line the
// rest once the pen radius is taken off.
constexpr double kDot = 0.8;
// The x-height of i and j, as a share of the cell height.
constexpr double kXHeight = 0.5;

}  // namespace

// 'i': a stem from the x-height down to the foot, and a dot above it.
//   T, S  top and foot of the stem, in the middle column xs;
//   P     the dot's centre, midway between the cell top and the top of the
//         stem's outline (y − 0.5H + r).
// The first test keeps the dot (diameter 1.6t) inside the cell's width; the
// second keeps the dot and the stem's top cap apart: 0.5H must hold the
// dot's diameter, the gap and half a stroke.
void lower_i(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r;
    constexpr std::string_view name = "ｉ";
    if (!stroke_fits(out, W / kDot / 2, t, name)) return;
    if (!stroke_fits(out, kXHeight * H / (kDot * 2 + kXHeight), t, name)) return;

    const double h = kDot * t - r;  // the dot's centre-line radius
    const double xs = W / 2 + x;
    const Point T{xs, y - kXHeight * H};
    const Point S{xs, (y - H) + r};
    const Point P{xs, y - (kXHeight * H - r) / 2};

    out.arc(T, r, 0, 180, kOutline);
    out.arc(S, r, -180, 0, kOutline);
    out.circle(P, h, kCentre);
    out.circle(P, h + r, kOutline);
    out.line(T, S, kCentre);
    out.line(xs + r, T.y, xs + r, S.y, kOutline);
    out.line(xs - r, T.y, xs - r, S.y, kOutline);
}

// 'j': a stem from the x-height down into a hook that ends, facing up, at the
// left edge; the dot above the stem touches the right cell edge.
//   xs    the stem column, h + r = 0.8t in from the right edge;
//   T, P  top of the stem and the dot's centre, as for 'i';
//   yb    the hook's bottom level (the outline rests on the cell bottom);
//   xl    the column of the hook's free end;
//   Jh, Jw  height and width of the room the hook's skeleton spans.
// Case a, Jh ≥ Jw: one half circle of diameter Jw, its centre C, from the
// stem round to the free end. Case b, Jh < Jw: the room is wider than tall,
// so two quarter circles of diameter Jh (centres Cl, Cr) at the corners are
// joined by a straight bottom. The first test leaves the hook's counter a
// radius (Jw > 2t, W > 2.3t); the second is the dot's clearance of 'i'.
void lower_j(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r;
    constexpr std::string_view name = "ｊ";
    if (!stroke_fits(out, W / (kDot + 1.5), t, name)) return;
    if (!stroke_fits(out, kXHeight * H / (kDot * 2 + kXHeight), t, name)) return;

    const double h = kDot * t - r;
    const double xs = x + W - r - h;
    const Point T{xs, y - kXHeight * H};
    const Point P{xs, y - (kXHeight * H - r) / 2};
    const double yb = (y - H) + r;
    const double xl = x + r;
    const double Jh = (y - kXHeight * H) - yb;
    const double Jw = xs - xl;

    out.arc(T, r, 0, 180, kOutline);
    out.circle(P, h, kCentre);
    out.circle(P, h + r, kOutline);
    double Cy;  // where the hook leaves the stem and where its free end lies
    if (Jh >= Jw) {
        const double Q = Jw / 2;
        const Point C{xs - Q, yb + Q};
        arc_with_outlines(out, C, Q, r, -180, 0);
        Cy = C.y;
    } else {
        const double Q = Jh / 2;
        const Point Cl{xl + Q, yb + Q};
        const Point Cr{xs - Q, yb + Q};
        arc_with_outlines(out, Cl, Q, r, -180, -90);
        arc_with_outlines(out, Cr, Q, r, -90, 0);
        out.line(Cl.x, yb, Cr.x, yb, kCentre);
        out.line(Cl.x, yb - r, Cr.x, yb - r, kOutline);
        out.line(Cl.x, yb + r, Cr.x, yb + r, kOutline);
        Cy = Cl.y;
    }
    out.arc(Point{xl, Cy}, r, 0, 180, kOutline);  // the hook's free end, facing up
    out.line(T, Point{xs, Cy}, kCentre);
    out.line(xs + r, T.y, xs + r, Cy, kOutline);
    out.line(xs - r, T.y, xs - r, Cy, kOutline);
}

// 'l': a full-height stem in the middle with a serif running left from its
// top.
//   B     the serif's free end, at 0.3W;
//   T     the corner of serif and stem, at 0.5W (0.2W right of B);
//   S     the stem's foot.
// T is an outer corner (a quarter arc above and right of it); the serif's
// lower edge and the stem's left side meet in the sharp inner corner
// (T.x − r, y − 2r). The tests give that corner room: the serif longer than
// r, the stem longer than 3r.
void lower_l(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r;
    constexpr std::string_view name = "ｌ";
    if (!stroke_fits(out, 0.2 * W * 2, t, name)) return;
    if (!stroke_fits(out, H / 1.5, t, name)) return;

    const Point B{0.3 * W + x, y - r};
    const Point T{x + (0.2 + 0.3) * W, y - r};
    const Point S{T.x, (y - H) + r};

    out.arc(B, r, 90, 270, kOutline);
    out.arc(T, r, 0, 90, kOutline);
    out.arc(S, r, -180, 0, kOutline);
    out.line(B, T, kCentre);
    out.line(B.x, y, T.x, y, kOutline);
    out.line(B.x, y - 2 * r, T.x - r, y - 2 * r, kOutline);
    out.line(T, S, kCentre);
    out.line(T.x + r, y - r, T.x + r, S.y, kOutline);
    out.line(T.x - r, y - 2 * r, T.x - r, S.y, kOutline);
}

// 't': a stem at 0.2W from the left (plus r) starting at 0.4H below the top,
// crossed by a bar across the whole cell, and turning at the bottom into a
// hook that ends, facing up, at the right edge.
//   xl, xr  the crossbar's ends (xr is also the hook's end column);
//   xs      the stem column;
//   yt      the stem's top;
//   N       the crossbar level, a fifth of the remaining 0.6H lower;
//   yb      the hook's bottom level (the outline rests on the cell bottom);
//   Th, Tw  height and width of the room below the crossbar and right of
//           the stem that the hook's skeleton spans.
// Case a, Th ≥ Tw: one half circle of diameter Tw (centre C at height V).
// Case b, Th < Tw: two quarter circles of diameter Th (centres Cl, Cr) and a
// straight bottom between them. The crossbar is drawn first, its edges broken
// by the stem; the stem's sides below the bar wait for the third test: the
// hook's free end (cap top V + r) must stay below the crossbar's lower edge
// (N − r), that is N − V > t. If it does not, the run stops with what is
// drawn so far.
void lower_t(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r;
    constexpr std::string_view name = "ｔ";
    if (!stroke_fits(out, (1 - 0.2) * W / 2, t, name)) return;
    if (!stroke_fits(out, (1 - 0.2 - 0.4 + 0.2 * 0.4) * H / 2, t, name)) return;

    const double xl = x + r;
    const double xs = 0.2 * W + (x + r);
    const double xr = x + W - r;
    const double yt = y - 0.4 * H;
    const double N = (y - 0.4 * H) - 0.2 * ((1 - 0.4) * H);
    const double yb = r + (y - H);
    const double Th = N - yb;
    const double Tw = xr - xs;

    out.arc(Point{xl, N}, r, 90, 270, kOutline);
    out.arc(Point{xs, yt}, r, 0, 180, kOutline);
    out.arc(Point{xr, N}, r, -90, 90, kOutline);
    out.line(xs - r, yt, xs - r, N + r, kOutline);
    out.line(xs + r, yt, xs + r, N + r, kOutline);
    out.line(xl, N, xr, N, kCentre);
    out.line(xl, N + r, xs - r, N + r, kOutline);
    out.line(xl, N - r, xs - r, N - r, kOutline);
    out.line(xs + r, N + r, xr, N + r, kOutline);
    out.line(xs + r, N - r, xr, N - r, kOutline);

    double V;  // the height of the hook's centres, its free end and the stem's foot
    if (Th >= Tw) {
        const double Q = Tw / 2;
        V = yb + Q;
        arc_with_outlines(out, Point{xr - Q, V}, Q, r, -180, 0);
    } else {
        const double Q = Th / 2;
        V = yb + Q;
        const Point Cl{xs + Q, V};
        const Point Cr{xr - Q, V};
        arc_with_outlines(out, Cl, Q, r, 180, 270);
        arc_with_outlines(out, Cr, Q, r, -90, 0);
        out.line(Cl.x, yb, Cr.x, yb, kCentre);
        out.line(Cl.x, yb + r, Cr.x, yb + r, kOutline);
        out.line(Cl.x, yb - r, Cr.x, yb - r, kOutline);
    }
    if (!stroke_fits(out, N - V, t, name)) return;

    out.arc(Point{xr, V}, r, 0, 180, kOutline);  // the hook's free end, facing up
    out.line(xs, yt, xs, V, kCentre);
    out.line(xs - r, N - r, xs - r, V, kOutline);
    out.line(xs + r, N - r, xs + r, V, kOutline);
}

// 'f': a full-height stem in the middle column whose top bends over to the
// right into a hook ending, facing down, at the right edge, crossed by a bar
// across the whole cell.
//   xl, xr  the crossbar's ends (xr is also the hook's end column);
//   xs      the stem column;
//   yt, yb  the hook's top level and the stem's foot, r inside the cell;
//   N       the crossbar level: y − 0.4H in narrow cells, y − 0.6H in wide
//           ones, moving between the two while the cell is less than twice
//           as wide as tall or as tall as wide (y − 0.5H at W = H), so that
//           the bar sits lower as the hook grows wider;
//   He      the height of the hook's free end and of the stem's top.
// When W > H the hook spans a quarter of H − t in height and is drawn as two
// quarter circles (centres Cl, Cr) with a straight top; otherwise as one half
// circle (centre C) spanning the right half of the cell. The third test keeps
// the stem between the crossbar and the hook longer than a stroke; if it
// fails, the run stops with the foot cap and the hook drawn.
void lower_f(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r;
    constexpr std::string_view name = "ｆ";
    if (!stroke_fits(out, W / 3, t, name)) return;
    if (!stroke_fits(out, (1 - 0.4) * H / 2, t, name)) return;

    const double xl = x + r;
    const double xs = x + W / 2;
    const double xr = x + W - r;
    const double yt = y - r;
    const double yb = r + (y - H);
    double N;
    if (W > H) {
        N = y - (1 - 0.4) * H;
        if (W < 2 * H) N = H * (0.5 - 0.4) * (2 * H - W) / W + N;
    } else {
        N = y - H * 0.4;
        if (2 * W > H) N = N - H * (0.5 - 0.4) * (2 * W - H) / H;
    }

    out.arc(Point{xs, yb}, r, -180, 0, kOutline);  // foot cap
    double He;
    if (W > H) {
        const double Q = (H - t) / 4;
        const Point Cl{xs + Q, yt - Q};
        const Point Cr{xr - Q, yt - Q};
        He = yt - Q;
        arc_with_outlines(out, Cl, Q, r, 90, 180);
        arc_with_outlines(out, Cr, Q, r, 0, 90);
        out.line(Cl.x, yt, Cr.x, yt, kCentre);
        out.line(Cl.x, yt + r, Cr.x, yt + r, kOutline);
        out.line(Cl.x, yt - r, Cr.x, yt - r, kOutline);
    } else {
        const double Q = (W - t) / 4;
        const Point C{xs + Q, yt - Q};
        He = yt - Q;
        arc_with_outlines(out, C, Q, r, 0, 180);
    }
    if (!stroke_fits(out, He - N, t, name)) return;

    out.arc(Point{xl, N}, r, 90, 270, kOutline);
    out.arc(Point{xr, N}, r, -90, 90, kOutline);
    out.arc(Point{xr, He}, r, -180, 0, kOutline);  // the hook's free end, facing down
    out.line(xl, N, xr, N, kCentre);
    out.line(xl, N + r, xs - r, N + r, kOutline);
    out.line(xs + r, N + r, xr, N + r, kOutline);
    out.line(xl, N - r, xs - r, N - r, kOutline);
    out.line(xs + r, N - r, xr, N - r, kOutline);
    out.line(xs, yb, xs, He, kCentre);
    out.line(xs + r, N + r, xs + r, He, kOutline);
    out.line(xs + r, yb, xs + r, N - r, kOutline);
    out.line(xs - r, N + r, xs - r, He, kOutline);
    out.line(xs - r, yb, xs - r, N - r, kOutline);
}

}  // namespace tracemill::glyphs
