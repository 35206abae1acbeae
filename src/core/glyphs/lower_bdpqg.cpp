// The lower-case b, d, p, q and g: a straight stem with a round bowl beside
// it (see stem_bowl.hpp). The body of every lower-case letter has its top at
// y − 0.4·H. The b and d carry their bowl at the foot of a full-height stem;
// the p and q hang it from the top of a stem that descends to the bottom of
// the cell; the g hangs a smaller bowl from a stem that turns into a hook.
//
// Each bowl is one of three forms:
//  - a tall stadium: two half circles of radius hw (reaching from the stem to
//    the far column) joined by vertical sides;
//  - a circle: the tall stadium whose sides have no length (for the b and d
//    when the half height equals the half width; for the p, q and g when the
//    upper half circle's centre lands on the bowl's middle line);
//  - a wide stadium: two half circles joined by horizontal sides.
// In every form the bowl's skeleton touches the stem's; the bowl's outer
// outline stops where it meets the stem's inner edge, and that edge is
// interrupted between the two meeting points. Where the bowl's inner outline
// runs along the stem (the vertical side of a tall stadium), the stem's
// inner edge is that side's inner outline.
//
// The stem comes first (for the g only its top cap); a bowl too small for
// the stroke stops the run after it.
#include <cmath>

#include "glyphs.hpp"
#include "stem_bowl.hpp"

namespace tracemill::glyphs {

// Lower case b: the stem on the left from y − r to y − H + r, the bowl on its
// right filling the body from y − 0.4·H down to the stem's foot.
void lower_b(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r;
    constexpr std::string_view name = "ｂ";
    if (!stroke_fits(out, W / 2, t, name)) return;
    if (!stroke_fits(out, (1 - 0.4) * H * 2 / 5, t, name)) return;
    const double xs = x + r, xf = x + W - r, yS = y - r, yB = y - H + r;
    const double xC = x + W / 2, hw = W / 2 - r;
    const double yC = y - 0.7 * H + r / 2, hh = 0.3 * H - t / 4;

    // The stem: caps, skeleton and its outer (left) edge.
    out.arc({xs, yS}, r, 0, 180, kOutline);
    out.arc({xs, yB}, r, -180, 0, kOutline);
    out.line(xs, yS, xs, yB, kCentre);
    out.line(xs - r, yS, xs - r, yB, kOutline);

    StemBowl b = bowl_beside_stem(hh, hw, c);
    if (!stroke_fits(out, b.R + r, t, name)) return;
    cut_into_stem(b, c);
    const double R = b.R, alpha = b.alpha, sigma = b.sigma;
    // When the inner outline has no radius the bowl is solid: its inner loop
    // (arcs and the sides between them) would be a slit, so none of it is drawn.
    const bool inner = prints_positive(R - r);

    if (b.tall && hh == hw) {
        // Circle about the bowl's middle.
        out.circle({xC, yC}, R, kCentre);
        out.circle({xC, yC}, R - r, kOutline);
        out.arc({xC, yC}, R + r, alpha - 180, 180 - alpha, kOutline);
        out.line(xs + r, yS, xs + r, yC + sigma, kOutline);
        out.line(xs + r, yC - sigma, xs + r, yB, kOutline);
    } else if (b.tall) {
        stack_half_circles(b, yC + hh, yC - hh, t);
        const double yUc = b.upper, yLc = b.lower;
        out.arc({xC, yUc}, R, 0, 180, kCentre);
        if (inner) out.arc({xC, yUc}, R - r, 0, 180, kOutline);
        out.arc({xC, yUc}, R + r, 0, 180 - alpha, kOutline);
        out.arc({xC, yLc}, R, -180, 0, kCentre);
        if (inner) out.arc({xC, yLc}, R - r, -180, 0, kOutline);
        out.arc({xC, yLc}, R + r, alpha - 180, 0, kOutline);
        out.line(xf, yUc, xf, yLc, kCentre);
        out.line(xf + r, yUc, xf + r, yLc, kOutline);
        if (inner) out.line(xf - r, yUc, xf - r, yLc, kOutline);
        out.line(xs + r, yS, xs + r, yUc + sigma, kOutline);
        if (inner) out.line(xs + r, yUc, xs + r, yLc, kOutline);
        out.line(xs + r, yLc - sigma, xs + r, yB, kOutline);
    } else {
        const double xLc = xs + R, xRc = xf - R;
        out.arc({xLc, yC}, R, 90, 270, kCentre);
        if (inner) out.arc({xLc, yC}, R - r, 90, 270, kOutline);
        out.arc({xLc, yC}, R + r, 90, 180 - alpha, kOutline);
        out.arc({xLc, yC}, R + r, 180 + alpha, 270, kOutline);
        out.arc({xRc, yC}, R, -90, 90, kCentre);
        out.arc({xRc, yC}, R + r, -90, 90, kOutline);
        if (inner) out.arc({xRc, yC}, R - r, -90, 90, kOutline);
        wide_bowl_sides(out, xLc, xRc, yC, R, r, inner);
        out.line(xs + r, yS, xs + r, yC + sigma, kOutline);
        out.line(xs + r, yC - sigma, xs + r, yB, kOutline);
    }
}

// Lower case d: the mirror image of the b, the stem on the right.
void lower_d(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r;
    constexpr std::string_view name = "ｄ";
    if (!stroke_fits(out, W / 2, t, name)) return;
    if (!stroke_fits(out, (1 - 0.4) * H * 2 / 5, t, name)) return;
    const double xs = x + W - r, xf = x + r, yS = y - r, yB = y - H + r;
    const double xC = x + W / 2, hw = W / 2 - r;
    const double yC = y - 0.7 * H + r / 2, hh = 0.3 * H - t / 4;

    out.arc({xs, yS}, r, 0, 180, kOutline);
    out.arc({xs, yB}, r, -180, 0, kOutline);
    out.line(xs, yS, xs, yB, kCentre);
    out.line(xs + r, yS, xs + r, yB, kOutline);

    StemBowl b = bowl_beside_stem(hh, hw, c);
    if (!stroke_fits(out, b.R + r, t, name)) return;
    cut_into_stem(b, c);
    const double R = b.R, alpha = b.alpha, sigma = b.sigma;
    const bool inner = prints_positive(R - r);

    if (b.tall && hh == hw) {
        out.circle({xC, yC}, R, kCentre);
        out.circle({xC, yC}, R - r, kOutline);
        out.arc({xC, yC}, R + r, alpha, 360 - alpha, kOutline);
        out.line(xs - r, yS, xs - r, yC + sigma, kOutline);
        out.line(xs - r, yC - sigma, xs - r, yB, kOutline);
    } else if (b.tall) {
        stack_half_circles(b, yC + hh, yC - hh, t);
        const double yUc = b.upper, yLc = b.lower;
        out.arc({xC, yUc}, R, 0, 180, kCentre);
        if (inner) out.arc({xC, yUc}, R - r, 0, 180, kOutline);
        out.arc({xC, yUc}, R + r, alpha, 180, kOutline);
        out.arc({xC, yLc}, R, -180, 0, kCentre);
        if (inner) out.arc({xC, yLc}, R - r, -180, 0, kOutline);
        out.arc({xC, yLc}, R + r, -180, -alpha, kOutline);
        out.line(xf, yUc, xf, yLc, kCentre);
        out.line(xf - r, yUc, xf - r, yLc, kOutline);
        if (inner) out.line(xf + r, yUc, xf + r, yLc, kOutline);
        out.line(xs - r, yS, xs - r, yUc + sigma, kOutline);
        if (inner) out.line(xs - r, yUc, xs - r, yLc, kOutline);
        out.line(xs - r, yLc - sigma, xs - r, yB, kOutline);
    } else {
        const double xLc = xf + R, xRc = xs - R;
        out.arc({xLc, yC}, R, 90, 270, kCentre);
        out.arc({xLc, yC}, R + r, 90, 270, kOutline);
        if (inner) out.arc({xLc, yC}, R - r, 90, 270, kOutline);
        out.arc({xRc, yC}, R, -90, 90, kCentre);
        if (inner) out.arc({xRc, yC}, R - r, -90, 90, kOutline);
        out.arc({xRc, yC}, R + r, alpha, 90, kOutline);
        out.arc({xRc, yC}, R + r, -90, -alpha, kOutline);
        wide_bowl_sides(out, xLc, xRc, yC, R, r, inner);
        out.line(xs - r, yS, xs - r, yC + sigma, kOutline);
        out.line(xs - r, yC - sigma, xs - r, yB, kOutline);
    }
}

// Lower case p: the stem on the left from the top of the body (yT) to the
// bottom of the cell; the bowl hangs from its top, from y − 0.4·H down to
// y − 0.86·H. Its circle test compares the upper centre, after the cut has
// moved it, with the bowl's middle line, so a circle need not reach yT.
void lower_p(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r;
    constexpr std::string_view name = "ｐ";
    if (!stroke_fits(out, W / 2, t, name)) return;
    if (!stroke_fits(out, 0.23 * H, t, name)) return;
    const double xs = x + r, xf = x + W - r, yT = y - 0.4 * H, yB = y - H + r;
    const double xC = x + W / 2, hw = W / 2 - r;
    const double yC = y - 0.63 * H, hh = 0.23 * H;

    out.arc({xs, yT}, r, 0, 180, kOutline);
    out.arc({xs, yB}, r, -180, 0, kOutline);
    out.line(xs, yT, xs, yB, kCentre);
    out.line(xs - r, yT, xs - r, yB, kOutline);

    StemBowl b = bowl_beside_stem(hh, hw, c);
    if (!stroke_fits(out, b.R + r, t, name)) return;
    cut_into_stem(b, c);
    const double R = b.R, alpha = b.alpha, sigma = b.sigma;
    const bool inner = prints_positive(R - r);

    if (b.tall) {
        stack_half_circles(b, yC + hh, yC - hh, t);
        const double yUc = b.upper, yLc = b.lower;
        if (yC == yUc) {
            out.circle({xC, yUc}, R, kCentre);
            out.circle({xC, yUc}, R - r, kOutline);
            out.arc({xC, yUc}, R + r, alpha - 180, 180 - alpha, kOutline);
            out.line(xs + r, yT, xs + r, yUc + sigma, kOutline);
            out.line(xs + r, yLc - sigma, xs + r, yB, kOutline);
            return;
        }
        out.arc({xC, yUc}, R, 0, 180, kCentre);
        if (inner) out.arc({xC, yUc}, R - r, 0, 180, kOutline);
        out.arc({xC, yUc}, R + r, 0, 180 - alpha, kOutline);
        out.arc({xC, yLc}, R, -180, 0, kCentre);
        if (inner) out.arc({xC, yLc}, R - r, -180, 0, kOutline);
        out.arc({xC, yLc}, R + r, alpha - 180, 0, kOutline);
        if (inner) out.line(xs + r, yUc, xs + r, yLc, kOutline);
        out.line(xf, yUc, xf, yLc, kCentre);
        out.line(xf + r, yUc, xf + r, yLc, kOutline);
        if (inner) out.line(xf - r, yUc, xf - r, yLc, kOutline);
        out.line(xs + r, yT, xs + r, yUc + sigma, kOutline);
        out.line(xs + r, yLc - sigma, xs + r, yB, kOutline);
    } else {
        const double xLc = xs + R, xRc = xf - R;
        out.arc({xLc, yC}, R, 90, 270, kCentre);
        if (inner) out.arc({xLc, yC}, R - r, 90, 270, kOutline);
        out.arc({xLc, yC}, R + r, 90, 180 - alpha, kOutline);
        out.arc({xLc, yC}, R + r, alpha - 180, -90, kOutline);
        out.arc({xRc, yC}, R, -90, 90, kCentre);
        if (inner) out.arc({xRc, yC}, R - r, -90, 90, kOutline);
        out.arc({xRc, yC}, R + r, -90, 90, kOutline);
        wide_bowl_sides(out, xLc, xRc, yC, R, r, inner);
        out.line(xs + r, yT, xs + r, yC + sigma, kOutline);
        out.line(xs + r, yC - sigma, xs + r, yB, kOutline);
    }
}

// Lower case q: the mirror image of the p, the stem on the right.
void lower_q(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r;
    constexpr std::string_view name = "ｑ";
    if (!stroke_fits(out, W / 2, t, name)) return;
    if (!stroke_fits(out, 0.23 * H, t, name)) return;
    const double xs = x + W - r, xf = x + r, yT = y - 0.4 * H, yB = y - H + r;
    const double xC = x + W / 2, hw = W / 2 - r;
    const double yC = y - 0.63 * H, hh = 0.23 * H;

    out.arc({xs, yT}, r, 0, 180, kOutline);
    out.arc({xs, yB}, r, -180, 0, kOutline);
    out.line(xs, yT, xs, yB, kCentre);
    out.line(xs + r, yT, xs + r, yB, kOutline);

    StemBowl b = bowl_beside_stem(hh, hw, c);
    if (!stroke_fits(out, b.R + r, t, name)) return;
    cut_into_stem(b, c);
    const double R = b.R, alpha = b.alpha, sigma = b.sigma;
    const bool inner = prints_positive(R - r);

    if (b.tall) {
        stack_half_circles(b, yC + hh, yC - hh, t);
        const double yUc = b.upper, yLc = b.lower;
        if (yC == yUc) {
            out.circle({xC, yUc}, R, kCentre);
            out.circle({xC, yUc}, R - r, kOutline);
            out.arc({xC, yUc}, R + r, alpha, 360 - alpha, kOutline);
            out.line(xs - r, yT, xs - r, yUc + sigma, kOutline);
            out.line(xs - r, yLc - sigma, xs - r, yB, kOutline);
            return;
        }
        out.arc({xC, yUc}, R, 0, 180, kCentre);
        if (inner) out.arc({xC, yUc}, R - r, 0, 180, kOutline);
        out.arc({xC, yUc}, R + r, alpha, 180, kOutline);
        out.arc({xC, yLc}, R, -180, 0, kCentre);
        if (inner) out.arc({xC, yLc}, R - r, -180, 0, kOutline);
        out.arc({xC, yLc}, R + r, -180, -alpha, kOutline);
        if (inner) out.line(xs - r, yUc, xs - r, yLc, kOutline);
        out.line(xf, yUc, xf, yLc, kCentre);
        out.line(xf - r, yUc, xf - r, yLc, kOutline);
        if (inner) out.line(xf + r, yUc, xf + r, yLc, kOutline);
        out.line(xs - r, yT, xs - r, yUc + sigma, kOutline);
        out.line(xs - r, yLc - sigma, xs - r, yB, kOutline);
    } else {
        const double xLc = xf + R, xRc = xs - R;
        out.arc({xLc, yC}, R, 90, 270, kCentre);
        if (inner) out.arc({xLc, yC}, R - r, 90, 270, kOutline);
        out.arc({xLc, yC}, R + r, 90, 270, kOutline);
        out.arc({xRc, yC}, R, -90, 90, kCentre);
        if (inner) out.arc({xRc, yC}, R - r, -90, 90, kOutline);
        out.arc({xRc, yC}, R + r, alpha, 90, kOutline);
        out.arc({xRc, yC}, R + r, -90, -alpha, kOutline);
        wide_bowl_sides(out, xLc, xRc, yC, R, r, inner);
        out.line(xs - r, yT, xs - r, yC + sigma, kOutline);
        out.line(xs - r, yC - sigma, xs - r, yB, kOutline);
    }
}

// Lower case g: a q with a smaller bowl (from y − 0.4·H down to y − 0.74·H)
// whose stem stops at the hook line yK and turns there into a hook of the
// bowl's radius: half a circle (two quarter circles and a bottom stroke for a
// wide bowl) whose lowest skeleton point lies on y − H + r, ending under the
// bowl's far column with a cap.
void lower_g(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r;
    constexpr std::string_view name = "ｇ";
    if (!stroke_fits(out, W / 2, t, name)) return;
    if (!stroke_fits(out, 0.17 * H, t, name)) return;
    const double xs = x + W - r, xf = x + r, yT = y - 0.4 * H, yB = y - H + r;
    const double xC = x + W / 2, hw = W / 2 - r;
    const double yC = y - 0.57 * H, hh = 0.17 * H;

    // Only the stem's top cap comes before the bowl: the stem's length
    // depends on the hook, and so on the bowl's radius.
    out.arc({xs, yT}, r, 0, 180, kOutline);

    StemBowl b = bowl_beside_stem(hh, hw, c);
    if (!stroke_fits(out, b.R + r, t, name)) return;
    cut_into_stem(b, c);
    const double R = b.R, alpha = b.alpha, sigma = b.sigma;
    const bool inner = prints_positive(R - r);
    const double yK = y - H + r + R;

    // The stem from the top of the body to the hook line: skeleton, outer
    // (right) edge, and the inner edge interrupted by the bowl between
    // `cut_top` and `cut_bottom`.
    const auto stem = [&](double cut_top, double cut_bottom) {
        out.line(xs, yT, xs, yK, kCentre);
        out.line(xs + r, yT, xs + r, yK, kOutline);
        out.line(xs - r, yT, xs - r, cut_top, kOutline);
        out.line(xs - r, cut_bottom, xs - r, yK, kOutline);
    };

    if (b.tall) {
        stack_half_circles(b, yC + hh, yC - hh, t);
        const double yUc = b.upper, yLc = b.lower;
        // The hook: the lower half of a circle of the bowl's radius (here the
        // half width), from the stem round to the far column, and its cap.
        const auto hook = [&] {
            out.arc({xC, yK}, R, -180, 0, kCentre);
            out.arc({xC, yK}, R - r, -180, 0, kOutline);
            out.arc({xC, yK}, R + r, -180, 0, kOutline);
            out.arc({xf, yK}, r, 0, 180, kOutline);
        };
        if (yC == yUc) {
            out.circle({xC, yUc}, R, kCentre);
            out.circle({xC, yUc}, R - r, kOutline);
            out.arc({xC, yUc}, R + r, alpha, 360 - alpha, kOutline);
            hook();
            stem(yUc + sigma, yLc - sigma);
            return;
        }
        out.arc({xC, yUc}, R, 0, 180, kCentre);
        if (inner) out.arc({xC, yUc}, R - r, 0, 180, kOutline);
        out.arc({xC, yUc}, R + r, alpha, 180, kOutline);
        out.arc({xC, yLc}, R, -180, 0, kCentre);
        if (inner) out.arc({xC, yLc}, R - r, -180, 0, kOutline);
        out.arc({xC, yLc}, R + r, -180, -alpha, kOutline);
        if (inner) out.line(xs - r, yUc, xs - r, yLc, kOutline);
        out.line(xf, yUc, xf, yLc, kCentre);
        out.line(xf - r, yUc, xf - r, yLc, kOutline);
        if (inner) out.line(xf + r, yUc, xf + r, yLc, kOutline);
        hook();
        stem(yUc + sigma, yLc - sigma);
    } else {
        const double xLc = xf + R, xRc = xs - R;
        out.arc({xLc, yC}, R, 90, 270, kCentre);
        if (inner) out.arc({xLc, yC}, R - r, 90, 270, kOutline);
        out.arc({xLc, yC}, R + r, 90, 270, kOutline);
        out.arc({xRc, yC}, R, -90, 90, kCentre);
        if (inner) out.arc({xRc, yC}, R - r, -90, 90, kOutline);
        out.arc({xRc, yC}, R + r, alpha, 90, kOutline);
        out.arc({xRc, yC}, R + r, -90, -alpha, kOutline);
        // The hook's two quarter circles about the bowl's arc centres, on the
        // hook line.
        out.arc({xLc, yK}, R, -180, -90, kCentre);
        out.arc({xLc, yK}, R - r, -180, -90, kOutline);
        out.arc({xLc, yK}, R + r, -180, -90, kOutline);
        out.arc({xRc, yK}, R, -90, 0, kCentre);
        out.arc({xRc, yK}, R - r, -90, 0, kOutline);
        out.arc({xRc, yK}, R + r, -90, 0, kOutline);
        wide_bowl_sides(out, xLc, xRc, yC, R, r, inner);
        // The hook's bottom stroke between them.
        out.line(xLc, yB, xRc, yB, kCentre);
        out.line(xLc, yB - r, xRc, yB - r, kOutline);
        out.line(xLc, yB + r, xRc, yB + r, kOutline);
        out.arc({xf, yK}, r, 0, 180, kOutline);
        stem(yC + sigma, yC - sigma);
    }
}

}  // namespace tracemill::glyphs
