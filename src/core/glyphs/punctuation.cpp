// The punctuation made of dots and comma shapes: comma, colon, semicolon,
// apostrophe, double quote and grave accent. Every dot has outline radius
// 0.8t (skeleton radius 0.8t − r); every comma shape hangs its tail 0.5t to
// the left of its dot, whose centre is 1.7t above the bottom of the cell the
// shape is drawn in. The grave accent is the comma shape turned through 180
// degrees about its dot.
#include <cmath>

#include "../exact_math.hpp"
#include "circle_intersection.hpp"
#include "comma_shape.hpp"
#include "glyphs.hpp"

namespace tracemill::glyphs {

namespace {

// The proportions shared by every comma shape and the grave accent: the dot's
// outline radius, the tail end's offset left of the dot centre, the dot
// centre's height above the cell bottom (in stroke widths); and where the
// colon's and semicolon's dots and the double quote's marks sit (a quarter of
// the height below the top, a quarter of the width from either side).
constexpr double kDot = 0.8;
constexpr double kTail = 0.5;
constexpr double kRise = 1.7;
constexpr double kQuarter = 0.25;

// A validity test whose message shows the limit in another form than the one
// tested (the two agree on paper).
bool fits(GlyphOutput& out, double tested, double shown, double t, std::string_view name) {
    if (tested > t) return true;
    out.stop(width_message(name, shown));
    return false;
}

}  // namespace

// Comma: the comma shape resting on the cell bottom. It needs twice a stroke
// width on either side of the centre line (the tail end's cap reaches t to
// the left) and 2.5 stroke widths of height (dot top at 1.7t + 0.8t).
void comma(const GlyphCell& c, GlyphOutput& out) {
    const double W = c.W, H = c.H, t = c.t;
    constexpr std::string_view name = "コンマ";
    if (!fits(out, W / (kTail * 2 + 1), W / 2, t, name)) return;
    if (!fits(out, H / (kDot + kRise), H / 2.5, t, name)) return;
    comma_shape(c, out, c.x, c.y, kDot, kTail, kRise, name);
}

// Colon: two dots on the centre line, U a quarter of the height below the top
// and L a quarter above the bottom. The height test keeps each dot's outline
// inside the cell and the two apart.
void colon(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r;
    constexpr std::string_view name = "コロン";
    if (!fits(out, W / (kDot * 2), W / 1.6, t, name)) return;
    if (!stroke_fits(out, kQuarter * H / kDot, t, name)) return;
    const double h = kDot * t - r;
    const Point U{x + W / 2, y - kQuarter * H};
    const Point L{x + W / 2, y - (1 - kQuarter) * H};
    out.circle(U, h, kCentre);
    out.circle(U, h + r, kOutline);
    out.circle(L, h, kCentre);
    out.circle(L, h + r, kOutline);
}

// Semicolon: a dot U over a comma. Where the cell is tall enough for the
// comma's tail to hang from a dot three quarters of the height down
// (0.25·H ≥ 1.7t), the two dots sit like the colon's. Otherwise the comma
// rests on the cell bottom and U is centred between the comma's dot top and
// the cell top; a third test then keeps U's outline below the cell top.
void semicolon(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r;
    constexpr std::string_view name = "セミコロン";
    if (!fits(out, W / (kTail * 2 + 1), W / 2, t, name)) return;
    if (!stroke_fits(out, kQuarter * H / kDot, t, name)) return;
    Point U;
    double comma_top;  // the top of the cell the comma shape is drawn in
    if (kQuarter * H >= kRise * t) {
        U = {x + W / 2, y - kQuarter * H};
        comma_top = y + kQuarter * H - kRise * t;
    } else {
        if (!fits(out, H / (kRise + kDot * 3), H / 4.1, t, name)) return;
        U = {x + W / 2, y - (H - kDot * t - kRise * t) / 2};
        comma_top = y;
    }
    out.circle(U, kDot * t - r, kCentre);
    out.circle(U, (kDot * t - r) + r, kOutline);
    comma_shape(c, out, x, comma_top, kDot, kTail, kRise, name);
}

// Apostrophe: the comma shape lifted until its dot's outline touches the cell
// top (dot centre 0.8t below it).
void apostrophe(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t;
    constexpr std::string_view name = "アポストロフィ";
    if (!fits(out, W / (kTail * 2 + 1), W / 2, t, name)) return;
    if (!fits(out, H / (kDot + kRise), H / 2.5, t, name)) return;
    comma_shape(c, out, x, H + y - kDot * t - kRise * t, kDot, kTail, kRise, name);
}

// Double quote: two apostrophes, their dots at a quarter and three quarters
// of the width; each is drawn in a cell shifted a quarter of the width to the
// left or right. The left mark's tail cap reaches t left of its dot, hence
// the first test.
void double_quote(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t;
    constexpr std::string_view name = "ダブルクォート";
    if (!fits(out, kQuarter * W / (kTail + 0.5), kQuarter * W, t, name)) return;
    if (!fits(out, H / (kDot + kRise), H / 2.5, t, name)) return;
    const double top = y + H - kDot * t - kRise * t;
    comma_shape(c, out, x - W * (0.5 - kQuarter), top, kDot, kTail, kRise, name);
    comma_shape(c, out, (0.5 - kQuarter) * W + x, top, kDot, kTail, kRise, name);
}

// Grave accent: the comma shape turned through 180 degrees about its dot, so
// that it hangs from the cell top with its tail rising to the right.
//   D   the dot centre, 1.7t below the top; h, Ro its skeleton and outline radii.
//   E   the tail end, 0.5t right of D, its cap touching the cell top.
//   S   the tail's start, the dot skeleton's leftmost point (Dx − h, Dy).
//   A   the slope of the chord from S to E, from the vertical.
//   Rt  the radius of the circle through S and E centred on the horizontal
//       through D, at Ct right of D; the tail is its arc from S (at 180) back
//       to E (at 180 − 2A).
// As for the comma, the tail's inner edge or the end cap's circle cuts the
// dot's outline, whichever lies further round it.
void grave_accent(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r, Pi = c.Pi;
    constexpr std::string_view name = "アクサングラーブ";
    if (!fits(out, W / (2 * kTail + 1), W / 2, t, name)) return;
    if (!fits(out, H / (kDot + kRise), H / 2.5, t, name)) return;

    const double h = kDot * t - r;
    const double Ro = h + r;
    const Point D{x + W / 2, y - kRise * t};
    const Point E{(kTail * t + x) + W / 2, y - r};
    const double A = cr_atan(((x + W / 2) - h - E.x) / ((y - kRise * t) - E.y)) * 180 / Pi;
    const double Rt = std::sqrt(pow2((x + W / 2) - h - E.x) + pow2(D.y - E.y)) /
                      (2 * cr_sin(A * Pi / 180));
    const Point Ct{(x + W / 2) - h + Rt, D.y};

    out.circle(D, h, kCentre);
    out.arc(Ct, Rt, 180 - 2 * A, 180, kCentre);
    out.arc(Ct, Rt + r, 180 - 2 * A, 180, kOutline);

    GeometryResult I1, I2;
    const bool cap_meets = circle_intersection_angles(Ro, D.x, D.y, r, E.x, E.y, Pi, I1);
    const bool edge_meets = circle_intersection_angles(Ro, D.x, D.y, Rt - r, Ct.x, Ct.y, Pi, I2);

    double beta = 0;
    double cap_start = 0;
    bool inner_edge = false;
    if (cap_meets) {
        beta = I1.angle2;
        inner_edge = edge_meets && cr_cos(I2.angle1 * Pi / 180) > cr_cos(beta * Pi / 180);
        if (!inner_edge) {
            // The touching point lies on the cap's circle: the ratio is a sine.
            cap_start = -180 - cr_asin(clamp_unit(((D.y - E.y) + Ro * cr_sin(beta * Pi / 180)) / r)) *
                                   180 / Pi;
        }
    } else if (edge_meets) {
        inner_edge = true;
    } else {
        out.stop(Message::SmallOuterLargeInner, name);
        return;
    }
    if (inner_edge) {
        cap_start = -2 * A;
        beta = I2.angle1;
        // The crossing lies on both circles, whose centres share a height.
        const double gamma =
            cr_asin(clamp_unit(Ro * cr_sin(beta * Pi / 180) / (Rt - r))) * 180 / Pi;
        out.arc(Ct, Rt - r, 180 - 2 * A, 180 - gamma, kOutline);
    }
    out.arc(E, r, cap_start, 180 - 2 * A, kOutline);
    out.arc(D, Ro, -180, beta, kOutline);
}

}  // namespace tracemill::glyphs
