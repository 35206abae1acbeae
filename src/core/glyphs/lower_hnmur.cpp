// The lower-case letters h, n, m, u and r: vertical stems joined by arched
// shoulders (for u an arched bowl at the foot).
//
// A shoulder leaves its stem tangentially, either as one half circle or as
// two quarter circles joined by a straight piece. Its outer outline arc
// (radius ρ + r about a centre ρ from the stem's skeleton) crosses the
// stem's inner outline, the line r inside the stem: the arc is trimmed there,
// at the angle α with cos α = (ρ − r)/(ρ + r), and the stem's inner outline is
// broken from that crossing (j = (ρ + r)·sin α from the centre's height) to
// the centre's height, where the shoulder's inner arc (ρ − r) meets it.
//
// Every formula is evaluated in the order it is written; the ninth printed
// decimal and the choice between layouts depend on it.
#include <cmath>

#include "../exact_math.hpp"
#include "glyphs.hpp"

namespace tracemill::glyphs {

namespace {

// The x-height of n, m, u and r (the stem tops) and of h (its shoulder top).
constexpr double kXHeight = 0.4;
constexpr double kXHeightH = 0.45;
// The height of r's arm end, as a share of the cell height from the top.
constexpr double kArm = 0.63;
// How far, at least, the crossing of a shoulder's outer outline with the stem
// stays from the stem's end, as a share of t.
constexpr double kClearance = 0.05;

// The shoulder of n, m, u and r, chosen from the rise A the stem gives it and
// its half-width B.
//   R0  the largest radius for which the quarter-circle shoulder's outer
//       outline still crosses the stem's inner outline kClearance·t away
//       from the stem's end (R0 = d²/(2t) on paper, with d = A − kClearance·t).
// A half circle (radius B) is drawn when the rise holds it (A ≥ B) and its
// crossing keeps the clearance (B ≤ R0); otherwise two quarter circles of the
// radius the rise and the clearance allow.
struct Shoulder {
    bool semicircle;
    double rho;
};
Shoulder choose_shoulder(double A, double B, double t, double r) {
    const double d = A - kClearance * t;
    const double R0 = (std::sqrt(pow2(d) + pow2(t)) / cr_cos(cr_atan(d / t))) / 2 - r;
    if (A >= B && B <= R0) return {true, B};
    return {false, B >= A && A <= R0 ? A : R0};
}

// Where the outer arc (ρ + r) about a centre ρ from a stem's skeleton
// crosses that stem's inner outline: the angle α (degrees) from the line
// through the centre, and the height j of the crossing above (or below) it.
struct Crossing {
    double alpha;
    double j;
};
Crossing stem_crossing(double rho, double r, double Pi) {
    const double alpha = to_degrees(cr_acos((rho - r) / (rho + r)), Pi);
    return {alpha, (rho + r) * cr_sin(to_radians(alpha, Pi))};
}

// A skeleton arc and its inner outline arc over the same angles a0 .. a1,
// and the outer outline arc over outer0 .. outer1 (trimmed where it meets a
// stem or the next hump).
void shoulder_arcs(GlyphOutput& out, Point C, double rho, double r, double a0, double a1,
                   double outer0, double outer1) {
    out.arc(C, rho, a0, a1, kCentre);
    out.arc(C, rho - r, a0, a1, kOutline);
    out.arc(C, rho + r, outer0, outer1, kOutline);
}

// A horizontal skeleton piece at height Sy from x0 to x1 and its two outline
// lines, upper one first.
void flat(GlyphOutput& out, double x0, double x1, double Sy, double r) {
    out.line(x0, Sy, x1, Sy, kCentre);
    out.line(x0, Sy + r, x1, Sy + r, kOutline);
    out.line(x0, Sy - r, x1, Sy - r, kOutline);
}

// A vertical stroke at column X from y0 down to y1 with both outline lines.
void leg(GlyphOutput& out, double X, double y0, double y1, double r) {
    out.line(X, y0, X, y1, kCentre);
    out.line(X + r, y0, X + r, y1, kOutline);
    out.line(X - r, y0, X - r, y1, kOutline);
}

}  // namespace

// 'h': a full-height stem at Lx, a shoulder whose top touches the line Xh
// (0.45H below the top) and a leg at Rx down to the foot.
// The shoulder's room is (1 − 0.45)H − r tall (from Xh to the foot level Fy)
// and W − t wide (between the skeletons). In a wide cell, where the height
// is less than the width, two quarter circles of half the height sit at
// either side (centres Ax, Bx at height Qy) with a straight top at Xh;
// otherwise one half circle of diameter W − t (centre Mx) is the whole
// shoulder. v is where the outer shoulder arc crosses the stem's inner
// outline.
void lower_h(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r, Pi = c.Pi;
    constexpr std::string_view name = "ｈ";
    if (!stroke_fits(out, W / 2, t, name)) return;
    if (!stroke_fits(out, (((1 - kXHeightH) * H) + ((1 - kXHeightH) * H)) / 3, t, name)) return;

    const double Lx = x + r, Rx = x + W - r;
    const double Fy = y - H + r, Ty = y - r;
    const double Xh = y - kXHeightH * H;
    const bool wide = ((1 - kXHeightH) * H) - r < W - t;
    const double rho = wide ? (((1 - kXHeightH) * H) - r) / 2 : (W - t) / 2;
    const double Qy = Xh - rho;
    const Crossing k = stem_crossing(rho, r, Pi);
    const double v = k.j + Qy;

    out.arc(Point{Lx, Ty}, r, 0, 180, kOutline);
    out.arc(Point{Lx, Fy}, r, -180, 0, kOutline);
    out.arc(Point{Rx, Fy}, r, -180, 0, kOutline);
    out.line(Lx, Ty, Lx, Fy, kCentre);
    out.line(Lx - r, Ty, Lx - r, Fy, kOutline);
    if (wide) {
        const double Ax = Lx + rho, Bx = Rx - rho;
        shoulder_arcs(out, Point{Ax, Qy}, rho, r, 90, 180, 90, 180 - k.alpha);
        shoulder_arcs(out, Point{Bx, Qy}, rho, r, 0, 90, 0, 90);
        flat(out, Ax, Bx, Xh, r);
    } else {
        const double Mx = Rx - rho;
        shoulder_arcs(out, Point{Mx, Qy}, rho, r, 0, 180, 0, 180 - k.alpha);
    }
    out.line(Lx + r, Ty, Lx + r, v, kOutline);
    out.line(Lx + r, Qy, Lx + r, Fy, kOutline);
    leg(out, Rx, Qy, Fy, r);
}

// 'n': a stem at Lx from the x-height Ny to the foot, a shoulder and a leg at
// Rx. The shoulder's rise A runs from Ny down to Ay, the height of the
// quarter circles' centres (a little above the middle of the x-height); its
// half-width B is half the span between the skeletons. A half circle (centre
// Mx = Cx, at ρ below Ny) is lowered when its crossing with the stem would
// come closer than the clearance to the stem's top; the quarter circles'
// centres Ax, Bx lie at Ay with the straight top at Sy. Quarter circles
// narrower than the pen (ρ + r ≤ t) stop the run after the stem.
void lower_n(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r, Pi = c.Pi;
    constexpr std::string_view name = "ｎ";
    if (!stroke_fits(out, W / 2, t, name)) return;
    if (!stroke_fits(out, ((1 - kXHeight) * H) / 2.5, t, name)) return;

    const double Lx = x + r, Rx = x + W - r;
    const double Fy = y - H + r;
    const double Ny = y - kXHeight * H;
    const double Ay = (y - ((1 + kXHeight) * H) / 2) + t / 4;

    out.arc(Point{Lx, Ny}, r, 0, 180, kOutline);
    out.arc(Point{Lx, Fy}, r, -180, 0, kOutline);
    out.arc(Point{Rx, Fy}, r, -180, 0, kOutline);
    out.line(Lx, Ny, Lx, Fy, kCentre);
    out.line(Lx - r, Ny, Lx - r, Fy, kOutline);

    const Shoulder s = choose_shoulder(Ny - Ay, (Rx - Lx) / 2, t, r);
    const double rho = s.rho;
    if (!s.semicircle && !stroke_fits(out, rho + r, t, name)) return;
    const Crossing k = stem_crossing(rho, r, Pi);
    if (s.semicircle) {
        double Cy = Ny - rho;
        if (kClearance * t > rho - k.j) Cy = (Ny - kClearance * t) - k.j;
        const double Mx = Rx - rho;
        shoulder_arcs(out, Point{Mx, Cy}, rho, r, 0, 180, 0, 180 - k.alpha);
        out.line(Lx + r, Ny, Lx + r, Cy + k.j, kOutline);
        out.line(Lx + r, Cy, Lx + r, Fy, kOutline);
        leg(out, Rx, Cy, Fy, r);
    } else {
        const double Ax = Lx + rho, Bx = Rx - rho, Sy = Ay + rho;
        shoulder_arcs(out, Point{Ax, Ay}, rho, r, 90, 180, 90, 180 - k.alpha);
        shoulder_arcs(out, Point{Bx, Ay}, rho, r, 0, 90, 0, 90);
        flat(out, Ax, Bx, Sy, r);
        out.line(Lx + r, Ny, Lx + r, Ay + k.j, kOutline);
        out.line(Lx + r, Ay, Lx + r, Fy, kOutline);
        leg(out, Rx, Ay, Fy, r);
    }
}

// 'm': three stems at Lx, Cx and Rx and two humps, each the shoulder of 'n'
// over half the width (B is a quarter of the span). The humps touch above
// the middle stem: their outer arcs end where they meet, at the angle β with
// cos β = ρ/(ρ + r) from the middle stem's skeleton. Only the left stem rises
// to the x-height; the middle and right stems start at the humps' centres.
void lower_m(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r, Pi = c.Pi;
    constexpr std::string_view name = "ｍ";
    if (!stroke_fits(out, W / 3, t, name)) return;
    if (!stroke_fits(out, ((1 - kXHeight) * H) / 2.5, t, name)) return;

    const double Lx = x + r, Rx = x + W - r, Cx = x + W / 2;
    const double Fy = y - H + r;
    const double Ny = y - kXHeight * H;
    const double Ay = (y - ((1 + kXHeight) * H) / 2) + t / 4;

    out.arc(Point{Lx, Ny}, r, 0, 180, kOutline);
    out.arc(Point{Lx, Fy}, r, -180, 0, kOutline);
    out.arc(Point{Cx, Fy}, r, -180, 0, kOutline);
    out.arc(Point{Rx, Fy}, r, -180, 0, kOutline);

    const Shoulder s = choose_shoulder(Ny - Ay, (Cx - Lx) / 2, t, r);
    const double rho = s.rho;
    if (!s.semicircle && !stroke_fits(out, rho + r, t, name)) return;
    const Crossing k = stem_crossing(rho, r, Pi);
    const double beta = to_degrees(cr_acos(rho / (rho + r)), Pi);
    double Cy;  // the height of the humps' centres, where the right stems start
    if (s.semicircle) {
        Cy = Ny - rho;
        if (kClearance * t > rho - k.j) Cy = (Ny - kClearance * t) - k.j;
        const double Ux = Lx + rho, Vx = Rx - rho;
        shoulder_arcs(out, Point{Ux, Cy}, rho, r, 0, 180, beta, 180 - k.alpha);
        shoulder_arcs(out, Point{Vx, Cy}, rho, r, 0, 180, 0, 180 - beta);
    } else {
        Cy = Ay;
        const double P1 = Lx + rho, P2 = Cx - rho, P3 = Cx + rho, P4 = Rx - rho;
        const double Sy = Ay + rho;
        shoulder_arcs(out, Point{P1, Ay}, rho, r, 90, 180, 90, 180 - k.alpha);
        shoulder_arcs(out, Point{P2, Ay}, rho, r, 0, 90, beta, 90);
        shoulder_arcs(out, Point{P3, Ay}, rho, r, 90, 180, 90, 180 - beta);
        shoulder_arcs(out, Point{P4, Ay}, rho, r, 0, 90, 0, 90);
        flat(out, P1, P2, Sy, r);
        flat(out, P3, P4, Sy, r);
    }
    out.line(Lx, Ny, Lx, Fy, kCentre);
    out.line(Lx - r, Ny, Lx - r, Fy, kOutline);
    out.line(Lx + r, Ny, Lx + r, Cy + k.j, kOutline);
    out.line(Lx + r, Cy, Lx + r, Fy, kOutline);
    out.line(Cx, Cy, Cx, Fy, kCentre);
    out.line(Cx - r, Cy, Cx - r, Fy, kOutline);
    out.line(Cx + r, Cy, Cx + r, Fy, kOutline);
    leg(out, Rx, Cy, Fy, r);
}

// 'u': 'n' turned upside down. A full stem at Rx from the x-height to the
// foot, a bowl at the bottom, and a stem at Lx from the x-height down into
// the bowl. The bowl's rise A runs from Ay down to the foot line Fy; its
// outer arc crosses the right stem's inner outline below the centre, and a
// half circle (centre Mx at ρ above Fy) is raised when that crossing would
// come closer than the clearance to the foot.
void lower_u(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r, Pi = c.Pi;
    constexpr std::string_view name = "ｕ";
    if (!stroke_fits(out, W / 2, t, name)) return;
    if (!stroke_fits(out, ((1 - kXHeight) * H) / 2.5, t, name)) return;

    const double Lx = x + r, Rx = x + W - r;
    const double Fy = y - H + r;
    const double Ny = y - kXHeight * H;
    const double Ay = (y - ((1 + kXHeight) * H) / 2) + t / 4;

    out.arc(Point{Lx, Ny}, r, 0, 180, kOutline);
    out.arc(Point{Rx, Ny}, r, 0, 180, kOutline);
    out.arc(Point{Rx, Fy}, r, -180, 0, kOutline);
    out.line(Rx, Ny, Rx, Fy, kCentre);
    out.line(Rx + r, Ny, Rx + r, Fy, kOutline);

    const Shoulder s = choose_shoulder(Ay - Fy, (Rx - Lx) / 2, t, r);
    const double rho = s.rho;
    if (!s.semicircle && !stroke_fits(out, rho + r, t, name)) return;
    const Crossing k = stem_crossing(rho, r, Pi);
    double Cy;  // the height of the bowl's centres, where the left stem ends
    if (s.semicircle) {
        Cy = Fy + rho;
        if (kClearance * t > rho - k.j) Cy = (kClearance * t + Fy) + k.j;
        const double Mx = Rx - rho;
        shoulder_arcs(out, Point{Mx, Cy}, rho, r, -180, 0, -180, -k.alpha);
    } else {
        Cy = Ay;
        const double Ax = Lx + rho, Bx = Rx - rho, Sy = Ay - rho;
        shoulder_arcs(out, Point{Ax, Ay}, rho, r, -180, -90, -180, -90);
        shoulder_arcs(out, Point{Bx, Ay}, rho, r, -90, 0, -90, -k.alpha);
        flat(out, Ax, Bx, Sy, r);
    }
    out.line(Rx - r, Ny, Rx - r, Cy, kOutline);
    out.line(Rx - r, Cy - k.j, Rx - r, Fy, kOutline);
    out.line(Lx, Cy, Lx, Ny, kCentre);
    out.line(Lx + r, Cy, Lx + r, Ny, kOutline);
    out.line(Lx - r, Cy, Lx - r, Ny, kOutline);
}

// 'r': a stem at Lx from the x-height to the foot and an arm that leaves it
// as the shoulder of 'n' and ends, with a cap facing down, at the right edge:
// at the half circle's centre height, or at Ry (0.63H below the top) where
// the quarter circles' centres lie.
void lower_r(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r, Pi = c.Pi;
    constexpr std::string_view name = "ｒ";
    if (!stroke_fits(out, W / 2, t, name)) return;
    if (!stroke_fits(out, (kArm - kXHeight) * H, t, name)) return;

    const double Lx = x + r, Rx = x + W - r;
    const double Fy = y - H + r;
    const double Ny = y - kXHeight * H;
    const double Ry = y - kArm * H;

    out.arc(Point{Lx, Ny}, r, 0, 180, kOutline);
    out.arc(Point{Lx, Fy}, r, -180, 0, kOutline);
    out.line(Lx, Ny, Lx, Fy, kCentre);
    out.line(Lx - r, Ny, Lx - r, Fy, kOutline);

    const Shoulder s = choose_shoulder(Ny - Ry, (Rx - Lx) / 2, t, r);
    const double rho = s.rho;
    if (!s.semicircle && !stroke_fits(out, rho + r, t, name)) return;
    const Crossing k = stem_crossing(rho, r, Pi);
    double Cy;  // the height of the shoulder's centres and of the arm's end
    if (s.semicircle) {
        Cy = Ny - rho;
        if (kClearance * t > rho - k.j) Cy = (Ny - kClearance * t) - k.j;
        const double Mx = Rx - rho;
        shoulder_arcs(out, Point{Mx, Cy}, rho, r, 0, 180, 0, 180 - k.alpha);
        out.arc(Point{Rx, Cy}, r, -180, 0, kOutline);
    } else {
        Cy = Ry;
        const double Ax = Lx + rho, Bx = Rx - rho, Sy = Ry + rho;
        shoulder_arcs(out, Point{Ax, Ry}, rho, r, 90, 180, 90, 180 - k.alpha);
        shoulder_arcs(out, Point{Bx, Ry}, rho, r, 0, 90, 0, 90);
        flat(out, Ax, Bx, Sy, r);
        out.arc(Point{Rx, Ry}, r, -180, 0, kOutline);
    }
    out.line(Lx + r, Ny, Lx + r, Cy + k.j, kOutline);
    out.line(Lx + r, Cy, Lx + r, Fy, kOutline);
}

}  // namespace tracemill::glyphs
