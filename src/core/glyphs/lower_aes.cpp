// The lower-case a, e and s. All three live in the body of the lower-case
// letters, from yT = y − 0.4·H down to the bottom line yB = y − H + r, with
// its middle line yM halfway (hh = yT − yM = yM − yB) and the columns xL, xC,
// xR (hw = xC − xL). The a hangs a bowl on a stem with a foot and a hook over
// the top (the bowl by the stem-and-bowl construction of stem_bowl.hpp); the
// e is a loop closed by a crossbar on yM with an open tail; the s two opposed
// loops.
#include <cmath>

#include "../exact_math.hpp"
#include "glyphs.hpp"
#include "stem_bowl.hpp"

namespace tracemill::glyphs {

// Lower case a. A stem at xS, a little left of the right edge, from the hook
// line down to yB, where a short foot runs right to a cap. Left of the stem a
// bowl about the centre line yW, which sinks as the stroke grows (m is its
// depth below the cell's top, as a fraction of H), from yB up to 2·yW − yB;
// over the top a hook of the bowl's radius, centred R below yT, that ends
// with a cap on the left column.
void lower_a(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r;
    constexpr std::string_view name = "ａ";
    const double m = 0.78 + (0.1 - t / H) * 0.6;
    if (!stroke_fits(out, W / (2.5 + 0.05), t, name)) return;
    if (!stroke_fits(out, (1 - m) * H, t, name)) return;
    const double xL = x + r, xR = x + W - r, yT = y - 0.4 * H, yB = y - H + r;
    const double xS = x + W - (1 + 0.05) * t, yW = y - m * H;

    // The foot: the rounded outer corner with the stem, the cap, the
    // skeleton and both edges (the upper one from the inner corner).
    out.arc({xS, yB}, r, -180, -90, kOutline);
    out.arc({xR, yB}, r, -90, 90, kOutline);
    out.line(xS, yB, xR, yB, kCentre);
    out.line(xS, yB - r, xR, yB - r, kOutline);
    out.line(xS + r, yB + r, xR, yB + r, kOutline);

    // The bowl spans from the left column to the stem.
    const double hwa = (xS - xL) / 2, hha = yW - yB;
    StemBowl b = bowl_beside_stem(hha, hwa, c);
    // A tall bowl's radius is its half width, which the first test keeps
    // above r; only a wide bowl's radius needs testing.
    if (!b.tall && !stroke_fits(out, b.R + r, t, name)) return;
    cut_into_stem(b, c);
    const double R = b.R, alpha = b.alpha, sigma = b.sigma;
    const double yH = yT - R;  // the hook's centre line
    // Without an inner outline the bowl is solid and its inner loop is left
    // out (the half width can tie with r when W/2.55 passes t by one ulp).
    const bool inner = prints_positive(R - r);

    // The stem from the hook line to the foot: skeleton, right edge down to
    // the foot's inner corner, left edge interrupted by the bowl.
    const auto stem = [&](double cut_top, double cut_bottom) {
        out.line(xS, yH, xS, yB, kCentre);
        out.line(xS + r, yH, xS + r, yB + r, kOutline);
        out.line(xS - r, yH, xS - r, cut_top, kOutline);
        out.line(xS - r, cut_bottom, xS - r, yB, kOutline);
    };

    if (b.tall) {
        const double xA = xS - R;  // the bowl's and the hook's centre column
        stack_half_circles(b, 2 * yW - yB, yB, t);
        const double yUc = b.upper, yLc = b.lower;
        // The hook: a half circle over the top, from the stem to the left
        // column, with its cap.
        const auto hook = [&] {
            out.arc({xA, yH}, R, 0, 180, kCentre);
            out.arc({xA, yH}, R - r, 0, 180, kOutline);
            out.arc({xA, yH}, R + r, 0, 180, kOutline);
            out.arc({xL, yH}, r, -180, 0, kOutline);
        };
        if (yW == yUc) {
            out.circle({xA, yUc}, R, kCentre);
            out.circle({xA, yUc}, R - r, kOutline);
            out.arc({xA, yUc}, R + r, alpha, 360 - alpha, kOutline);
            hook();
            stem(yUc + sigma, yLc - sigma);
            return;
        }
        out.arc({xA, yUc}, R, 0, 180, kCentre);
        if (inner) out.arc({xA, yUc}, R - r, 0, 180, kOutline);
        out.arc({xA, yUc}, R + r, alpha, 180, kOutline);
        out.arc({xA, yLc}, R, -180, 0, kCentre);
        if (inner) out.arc({xA, yLc}, R - r, -180, 0, kOutline);
        out.arc({xA, yLc}, R + r, -180, -alpha, kOutline);
        if (inner) out.line(xS - r, yUc, xS - r, yLc, kOutline);
        out.line(xL, yUc, xL, yLc, kCentre);
        out.line(xL - r, yUc, xL - r, yLc, kOutline);
        if (inner) out.line(xL + r, yUc, xL + r, yLc, kOutline);
        hook();
        stem(yUc + sigma, yLc - sigma);
        return;
    }

    // Wide bowl: the hook becomes two quarter circles joined by a top stroke
    // along yT, the bowl a wide stadium about yW.
    const double xLc = xL + R, xRc = xS - R;
    out.arc({xLc, yH}, R, 90, 180, kCentre);
    out.arc({xLc, yH}, R - r, 90, 180, kOutline);
    out.arc({xLc, yH}, R + r, 90, 180, kOutline);
    out.arc({xRc, yH}, R, 0, 90, kCentre);
    out.arc({xRc, yH}, R - r, 0, 90, kOutline);
    out.arc({xRc, yH}, R + r, 0, 90, kOutline);
    out.arc({xLc, yW}, R, 90, 270, kCentre);
    if (inner) out.arc({xLc, yW}, R - r, 90, 270, kOutline);
    out.arc({xLc, yW}, R + r, 90, 270, kOutline);
    out.arc({xRc, yW}, R, -90, 90, kCentre);
    if (inner) out.arc({xRc, yW}, R - r, -90, 90, kOutline);
    out.arc({xRc, yW}, R + r, alpha, 90, kOutline);
    out.arc({xRc, yW}, R + r, -90, -alpha, kOutline);
    out.line(xLc, yT, xRc, yT, kCentre);
    out.line(xLc, yT + r, xRc, yT + r, kOutline);
    out.line(xLc, yT - r, xRc, yT - r, kOutline);
    wide_bowl_sides(out, xLc, xRc, yW, R, r, inner);
    out.arc({xL, yH}, r, -180, 0, kOutline);
    stem(yW + sigma, yW - sigma);
}

// Lower case e. A loop round the upper half of the body, closed by the
// crossbar on yM, which meets the right side in a rounded outer corner; the
// left side carries on below the crossbar and round the bottom into a tail
// that ends on the right column at yE = y − 0.85·H, under the crossbar.
//
// The shape follows the half height hh against the half width hw:
//  - equal: the round e, one circle about (xC, yM) for the loop and the left
//    and bottom part, the crossbar cutting into its inner outline;
//  - hh < hw: the wide e, the same with two half circles of radius hh and
//    straight top and bottom strokes between them;
//  - hh a little above hw (less than 0.55·t): the narrow e, whose loop is
//    two quarter circles of radius hh − 0.55·t over a top stroke, centred
//    0.55·t above yM, and whose lower arcs are centred 0.55·t below it, so
//    that the straight sides keep a length of 1.1·t;
//  - otherwise the tall e, half circles of radius hw at the top and bottom
//    of the body joined by straight sides; its tail is a half circle ending
//    in an upward cap when the lower half circle lies wholly below yE, and
//    otherwise turns up towards yE like the others.
// The rising tail is an arc of the lower arcs' radius R about (xQ, yM'),
// from its lowest point up to the angle −β at which it reaches (xR, yE).
void lower_e(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r, Pi = c.Pi;
    constexpr std::string_view name = "ｅ";
    const double xL = x + r, xR = x + W - r, xC = x + W / 2;
    const double yT = y - 0.4 * H, yM = y - 0.7 * H + r / 2, yB = y - H + r;
    const double hh = 0.3 * H - t / 4, hw = W / 2 - r;
    const double yE = y - (1 - 0.15) * H;
    if (!stroke_fits(out, W / 2, t, name)) return;
    if (!stroke_fits(out, yM - yE, t, name)) return;

    // The crossbar's right end is an outer corner; its skeleton spans the
    // full width.
    out.arc({xR, yM}, r, -90, 0, kOutline);
    out.line(xL, yM, xR, yM, kCentre);

    // The rising tail about (xQ, yMp): its cap at (xR, yE), its three arcs and
    // the bottom stroke from x0 to xQ that leads into it.
    const auto tail = [&](double R, double yMp, double x0) {
        const double beta = cr_asin((yMp - yE) / R) * 180 / Pi;
        const double xQ = xR - cr_cos(beta * Pi / 180) * R;
        out.arc({xR, yE}, r, -beta, 180 - beta, kOutline);
        out.arc({xQ, yMp}, R, -90, -beta, kCentre);
        out.arc({xQ, yMp}, R + r, -90, -beta, kOutline);
        out.arc({xQ, yMp}, R - r, -90, -beta, kOutline);
        out.line(x0, yB, xQ, yB, kCentre);
        out.line(x0, yB - r, xQ, yB - r, kOutline);
        out.line(x0, yB + r, xQ, yB + r, kOutline);
    };

    if (hh <= hw && hw <= hh) {
        // Round: the inner outline is cut where the crossbar's edges meet it,
        // at gamma above and below the horizontal.
        const double R = hh;
        const double gamma = cr_asin(r / (R - r)) * 180 / Pi;
        const double k = (R - r) * cr_cos(gamma * Pi / 180);
        out.arc({xC, yM}, R, 0, 270, kCentre);
        out.arc({xC, yM}, R + r, 0, 270, kOutline);
        out.arc({xC, yM}, R - r, gamma, 180 - gamma, kOutline);
        out.arc({xC, yM}, R - r, gamma - 180, -90, kOutline);
        out.line(xC - k, yM + r, xC + k, yM + r, kOutline);
        out.line(xC - k, yM - r, xR, yM - r, kOutline);
        tail(R, yM, xC);
        return;
    }

    if (hh < hw) {
        // Wide: as the round e, with the circle split into a left half and
        // an upper-right quarter joined by the top stroke along yT.
        const double R = hh;
        const double xLc = xL + R, xRc = xR - R;
        const double gamma = cr_asin(r / (R - r)) * 180 / Pi;
        const double k = (R - r) * cr_cos(gamma * Pi / 180);
        out.arc({xLc, yM}, R, 90, 270, kCentre);
        out.arc({xLc, yM}, R + r, 90, 270, kOutline);
        out.arc({xLc, yM}, R - r, 90, 180 - gamma, kOutline);
        out.arc({xLc, yM}, R - r, gamma - 180, -90, kOutline);
        out.arc({xRc, yM}, R, 0, 90, kCentre);
        out.arc({xRc, yM}, R + r, 0, 90, kOutline);
        out.arc({xRc, yM}, R - r, gamma, 90, kOutline);
        out.line(xLc, yT, xRc, yT, kCentre);
        out.line(xLc, yT + r, xRc, yT + r, kOutline);
        out.line(xLc, yT - r, xRc, yT - r, kOutline);
        out.line(xLc - k, yM + r, xRc + k, yM + r, kOutline);
        out.line(xLc - k, yM - r, xR, yM - r, kOutline);
        tail(R, yM, xLc);
        return;
    }

    // The straight sides of the narrow and the tall e: the left one from the
    // loop's arcs at yU down to the lower arcs at yL, interrupted on its
    // inner edge by the crossbar; the right one from yU down to the crossbar.
    // The inner edges enclose the loop above the crossbar; when it has no
    // width (hw tying with r) the loop is a slit and they are left out.
    const auto sides = [&](double yU, double yL, bool inner) {
        out.line(xL, yU, xL, yL, kCentre);
        out.line(xL - r, yU, xL - r, yL, kOutline);
        if (inner) out.line(xL + r, yU, xL + r, yM + r, kOutline);
        out.line(xL + r, yM - r, xL + r, yL, kOutline);
        out.line(xR, yU, xR, yM, kCentre);
        out.line(xR + r, yU, xR + r, yM, kOutline);
        if (inner) out.line(xR - r, yU, xR - r, yM + r, kOutline);
    };

    if (hh > hw && hh < hw + (0.05 + 0.5) * t) {
        // Narrow.
        const double R = hh - 0.55 * t;
        const double xLc = xL + R, xRc = xR - R;
        const double yU = yT - R, yL = yM - 0.55 * t;
        out.line(xL + r, yM + r, xR - r, yM + r, kOutline);
        out.line(xL + r, yM - r, xR, yM - r, kOutline);
        out.arc({xLc, yU}, R, 90, 180, kCentre);
        out.arc({xLc, yU}, R + r, 90, 180, kOutline);
        out.arc({xLc, yU}, R - r, 90, 180, kOutline);
        out.arc({xRc, yU}, R, 0, 90, kCentre);
        out.arc({xRc, yU}, R + r, 0, 90, kOutline);
        out.arc({xRc, yU}, R - r, 0, 90, kOutline);
        out.line(xLc, yT, xRc, yT, kCentre);
        out.line(xLc, yT + r, xRc, yT + r, kOutline);
        out.line(xLc, yT - r, xRc, yT - r, kOutline);
        sides(yU, yL, true);
        out.arc({xLc, yL}, R, -180, -90, kCentre);
        out.arc({xLc, yL}, R + r, -180, -90, kOutline);
        out.arc({xLc, yL}, R - r, -180, -90, kOutline);
        tail(R, yL, xLc);
        return;
    }

    // Tall.
    const double R = hw;
    const double yU = yT - R, yL = yB + R;
    const bool inner = prints_positive(R - r);
    if (inner) out.line(xL + r, yM + r, xR - r, yM + r, kOutline);
    out.line(xL + r, yM - r, xR, yM - r, kOutline);
    out.arc({xC, yU}, R, 0, 180, kCentre);
    out.arc({xC, yU}, R + r, 0, 180, kOutline);
    if (inner) out.arc({xC, yU}, R - r, 0, 180, kOutline);
    sides(yU, yL, inner);
    if (R <= yE - yB) {
        // Short tail: the lower half circle ends below yE with an upward cap.
        out.arc({xR, yL}, r, 0, 180, kOutline);
        out.arc({xC, yL}, R, -180, 0, kCentre);
        out.arc({xC, yL}, R + r, -180, 0, kOutline);
        out.arc({xC, yL}, R - r, -180, 0, kOutline);
        return;
    }
    out.arc({xC, yL}, R, -180, -90, kCentre);
    out.arc({xC, yL}, R + r, -180, -90, kOutline);
    out.arc({xC, yL}, R - r, -180, -90, kOutline);
    tail(R, yL, xC);
}

// Lower case s. An upper loop open to the right and a lower loop open to the
// left, joined by a spine that crosses yM horizontally; each loop ends in a
// cap. The shape follows hh against the width W − t between the columns:
//  - hh > W − t: tall, half circles of radius (W − t)/2 at the top and the
//    bottom and quarter circles into the spine, joined by straight sides;
//  - hh < W − t: wide, quarter and half circles of radius hh/2 joined by
//    straight top, middle and bottom strokes;
//  - equal: round, two three-quarter circles touching at (xC, yM).
// The end caps come last, after the test that the upper loop's end keeps
// more than a stroke from the lower loop.
void lower_s(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r;
    constexpr std::string_view name = "ｓ";
    if (!stroke_fits(out, W / 2, t, name)) return;
    if (!stroke_fits(out, H * 0.18, t, name)) return;
    const double xL = x + r, xR = x + W - r, xC = x + W / 2;
    const double yT = y - 0.4 * H, yM = y - 0.7 * H + r / 2, yB = y - H + r;
    const double hh = 0.3 * H - t / 4;

    // Three arcs of one skeleton arc: skeleton, outer, inner outline.
    const auto arcs = [&](Point centre, double R, double a0, double a1) {
        out.arc(centre, R, a0, a1, kCentre);
        out.arc(centre, R + r, a0, a1, kOutline);
        out.arc(centre, R - r, a0, a1, kOutline);
    };
    // A straight stroke between two arcs: skeleton, then the outlines at the
    // offsets o1 and o2 (vertical strokes offset in x, horizontal ones in y).
    const auto vertical = [&](double xv, double y1, double y2, double o1, double o2) {
        out.line(xv, y1, xv, y2, kCentre);
        out.line(xv + o1, y1, xv + o1, y2, kOutline);
        out.line(xv + o2, y1, xv + o2, y2, kOutline);
    };
    const auto horizontal = [&](double x1, double x2, double yh, double o1, double o2) {
        out.line(x1, yh, x2, yh, kCentre);
        out.line(x1, yh + o1, x2, yh + o1, kOutline);
        out.line(x1, yh + o2, x2, yh + o2, kOutline);
    };

    double R;
    Point lower_end, upper_end;  // the centres of the two end caps
    if (hh > W - t) {
        R = (W - t) / 2;
        arcs({xC, yT - R}, R, 0, 180);
        arcs({xC, yM + R}, R, -180, -90);
        arcs({xC, yM - R}, R, 0, 90);
        arcs({xC, yB + R}, R, -180, 0);
        vertical(xL, yT - R, yM + R, -r, r);
        vertical(xR, yM - R, yB + R, r, -r);
        lower_end = {xL, yB + R};
        upper_end = {xR, yT - R};
    } else if (hh < W - t) {
        R = hh / 2;
        const double xLc = xL + R, xRc = xR - R, yUs = yT - R, yLs = yB + R;
        arcs({xRc, yUs}, R, 0, 90);
        arcs({xLc, yUs}, R, 90, 270);
        arcs({xRc, yLs}, R, -90, 90);
        arcs({xLc, yLs}, R, -180, -90);
        horizontal(xLc, xRc, yT, r, -r);
        // The middle stroke lies two radii below the top stroke, on the line
        // the four arcs close onto; it is not the shared yM of the other
        // forms, though both are equal on paper.
        horizontal(xLc, xRc, yT - 2 * R, r, -r);
        horizontal(xLc, xRc, yB, -r, r);
        lower_end = {xL, yLs};
        upper_end = {xR, yUs};
    } else {
        R = (W - t) / 2;
        arcs({xC, yT - R}, R, 0, 270);
        arcs({xC, yB + R}, R, -180, 90);
        lower_end = {xL, yB + R};
        upper_end = {xR, yT - R};
    }

    // The upper end lies R to the right of and hh above the centre of the
    // lower loop's arc beneath it; its cap needs more than a stroke of
    // clearance from that arc.
    const double clearance = std::sqrt(R * R + hh * hh) - R;
    if (!stroke_fits(out, clearance, t, name)) return;
    out.arc(lower_end, r, 0, 180, kOutline);
    out.arc(upper_end, r, -180, 0, kOutline);
}

}  // namespace tracemill::glyphs
