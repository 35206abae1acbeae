// The bowl capitals B, P and R: a stem down the left side, horizontal strokes
// from the stem to one or two bowls on the right, and for the R a slanted leg.
//
// Named values shared by the three: xL = x + r is the stem's skeleton, xR =
// x + W − r the rightmost skeleton line, yT = y − r the top stroke, yM =
// y − H/2 the middle stroke, yL = y − H + r the stem's foot (and the B's
// bottom stroke).
//
// A bowl that fills half the skeleton's height is a half circle of radius
// (H − t)/4. When the width leaves less than that, W − 2t, the B and the P
// take the straight-sided bowl instead: a quarter arc of radius W − 2t at the
// top, a vertical side along xR and a quarter arc at the bottom. Equality
// keeps the half circle. The R always has the half-circle bowl.
#include <cmath>

#include "../dxf.hpp"
#include "../exact_math.hpp"
#include "glyphs.hpp"
#include "line_circle_angle.hpp"

namespace tracemill::glyphs {

namespace {

// The values every bowl capital starts from.
struct BowlFrame {
    double xL, xR, yT, yM, yL;
    explicit BowlFrame(const GlyphCell& c)
        : xL(c.x + c.r), xR(c.x + c.W - c.r), yT(c.y - c.r), yM(c.y - c.H / 2),
          yL(c.y - c.H + c.r) {}
};

// The bowl of the B and the P: its skeleton radius rho and the x of its arc
// centres. inner tells whether a half-circle bowl still has an inside: when a
// height test that passes by one ulp leaves it no inner radius, the loop of
// the stem's right outline, the stroke outlines and the inner arc inside it
// has shrunk to a slit, and none of that loop is drawn.
struct Bowl {
    bool straight;
    double rho, cx;
    bool inner;
};

Bowl choose_bowl(const GlyphCell& c, const BowlFrame& f) {
    const double W = c.W, H = c.H, t = c.t;
    if ((H - t) / 4 > W - 2 * t) return {true, W - 2 * t, f.xR - (W - 2 * t), true};
    return {false, (H - t) / 4, f.xR - (H - t) / 4, prints_positive((H - t) / 4 - c.r)};
}

}  // namespace

// Capital B. The stem with rounded outer corners at both ends; two bowls on
// the right, one above the other, that meet at the waist yM; three strokes
// from the stem to the bowls at yT, yM and yL.
//
// The outer outlines (radius rho + r) of the upper and lower bowl cross at
// the waist: their centres lie rho above and below yM, so the crossing is at
// the angle phi = asin(rho / (rho + r)) below (above) the horizontal through
// the centre. The inner outlines end on the middle stroke's outlines.
//
// The first test's message of the B says 超過 where every other glyph says
// 未満; the wording is kept on purpose.
void capital_b(const GlyphCell& c, GlyphOutput& out) {
    const double W = c.W, H = c.H, t = c.t, r = c.r, Pi = c.Pi;
    if (!(W / 2.5 > t)) {
        out.stop(StopReason{Message::StrokeExceeds, "B", W / 2.5});
        return;
    }
    if (!stroke_fits(out, H / 3, t, "B")) return;
    const BowlFrame f(c);
    const double xL = f.xL, xR = f.xR, yT = f.yT, yM = f.yM, yL = f.yL;
    const Bowl b = choose_bowl(c, f);
    const double rho = b.rho, cx = b.cx;
    const bool inner = b.inner;

    out.arc({xL, yT}, r, 90, 180, kOutline);
    out.arc({xL, yL}, r, 180, 270, kOutline);
    out.line(xL, yT, xL, yL, kCentre);
    out.line(xL - r, yT, xL - r, yL, kOutline);
    if (inner) out.line(xL + r, yT - r, xL + r, yM + r, kOutline);
    if (inner) out.line(xL + r, yM - r, xL + r, yL + r, kOutline);

    // phi: where the outer outlines of the two bowls cross at the waist.
    const double phi = cr_asin(rho / (rho + r)) * 180 / Pi;
    if (b.straight) {
        // Straight-sided bowls, rho = W − 2t: quarter arcs at the top and
        // bottom, two quarter arcs meeting at the waist, and the vertical
        // sides between.
        arc_with_outlines(out, {cx, yT - rho}, rho, r, 0, 90);
        out.arc({cx, yM + rho}, rho, -90, 0, kCentre);
        out.arc({cx, yM + rho}, rho + r, -phi, 0, kOutline);
        out.arc({cx, yM + rho}, rho - r, -90, 0, kOutline);
        out.arc({cx, yM - rho}, rho, 0, 90, kCentre);
        out.arc({cx, yM - rho}, rho + r, 0, phi, kOutline);
        out.arc({cx, yM - rho}, rho - r, 0, 90, kOutline);
        arc_with_outlines(out, {cx, yL + rho}, rho, r, -90, 0);
        out.line(xR, yT - rho, xR, yM + rho, kCentre);
        out.line(xR + r, yT - rho, xR + r, yM + rho, kOutline);
        out.line(xR - r, yT - rho, xR - r, yM + rho, kOutline);
        out.line(xR, yM - rho, xR, yL + rho, kCentre);
        out.line(xR + r, yM - rho, xR + r, yL + rho, kOutline);
        out.line(xR - r, yM - rho, xR - r, yL + rho, kOutline);
    } else {
        // Half-circle bowls, rho = (H − t)/4: the two skeleton circles touch
        // at (cx, yM).
        out.arc({cx, yT - rho}, rho, -90, 90, kCentre);
        out.arc({cx, yT - rho}, rho + r, -phi, 90, kOutline);
        out.arc({cx, yT - rho}, rho - r, -90, 90, kOutline);
        out.arc({cx, yL + rho}, rho, -90, 90, kCentre);
        out.arc({cx, yL + rho}, rho + r, -90, phi, kOutline);
        out.arc({cx, yL + rho}, rho - r, -90, 90, kOutline);
    }

    // The strokes from the stem to the bowls.
    out.line(xL, yT, cx, yT, kCentre);
    out.line(xL, yT + r, cx, yT + r, kOutline);
    if (inner) out.line(xL + r, yT - r, cx, yT - r, kOutline);
    out.line(xL, yM, cx, yM, kCentre);
    if (inner) out.line(xL + r, yM + r, cx, yM + r, kOutline);
    if (inner) out.line(xL + r, yM - r, cx, yM - r, kOutline);
    out.line(xL, yL, cx, yL, kCentre);
    if (inner) out.line(xL + r, yL + r, cx, yL + r, kOutline);
    out.line(xL, yL - r, cx, yL - r, kOutline);
}

// Capital P. The stem with a rounded outer corner at the top and a cap at its
// free foot; one bowl in the upper half, joined to the stem by the top and
// middle strokes.
void capital_p(const GlyphCell& c, GlyphOutput& out) {
    const double W = c.W, H = c.H, t = c.t, r = c.r;
    if (!stroke_fits(out, W / 2.5, t, "P")) return;
    if (!stroke_fits(out, H / 3, t, "P")) return;
    const BowlFrame f(c);
    const double xL = f.xL, xR = f.xR, yT = f.yT, yM = f.yM, yL = f.yL;
    const Bowl b = choose_bowl(c, f);
    const double rho = b.rho, cx = b.cx;
    const bool inner = b.inner;

    out.arc({xL, yT}, r, 90, 180, kOutline);
    out.arc({xL, yL}, r, -180, 0, kOutline);
    out.line(xL, yT, xL, yL, kCentre);
    out.line(xL - r, yT, xL - r, yL, kOutline);
    if (inner) out.line(xL + r, yT - r, xL + r, yM + r, kOutline);
    out.line(xL + r, yM - r, xL + r, yL, kOutline);

    if (b.straight) {
        // Straight-sided bowl, rho = W − 2t: quarter arcs at the top and at
        // the middle stroke, the vertical side between them.
        arc_with_outlines(out, {cx, yT - rho}, rho, r, 0, 90);
        arc_with_outlines(out, {cx, yM + rho}, rho, r, -90, 0);
        out.line(xR, yT - rho, xR, yM + rho, kCentre);
        out.line(xR + r, yT - rho, xR + r, yM + rho, kOutline);
        out.line(xR - r, yT - rho, xR - r, yM + rho, kOutline);
    } else {
        // Half-circle bowl, rho = (H − t)/4, from the top stroke down to the
        // middle stroke.
        arc_with_outlines(out, {cx, yT - rho}, rho, r, -90, 90);
    }

    // The top and middle strokes.
    out.line(xL, yT, cx, yT, kCentre);
    out.line(xL, yT + r, cx, yT + r, kOutline);
    if (inner) out.line(xL + r, yT - r, cx, yT - r, kOutline);
    out.line(xL, yM, cx, yM, kCentre);
    out.line(xL + r, yM - r, cx, yM - r, kOutline);
    if (inner) out.line(xL + r, yM + r, cx, yM + r, kOutline);
}

// Capital R. The P's stem and half-circle bowl, and a leg that runs from the
// bowl's foot at (cx, yM) down to the skeleton's bottom-right corner (xR, yL)
// at the angle alpha below the horizontal.
//
// Under the junction, the leg's lower-left outline meets the middle stroke's
// lower outline (height yM − r) at xK, the sharp inner corner; the third
// test keeps that corner more than a stroke width from the cell's left edge.
// On the other side the bowl's outer outline is cut where the leg's
// upper-right outline leaves it, at the crossing P.
void capital_r(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, W = c.W, H = c.H, t = c.t, r = c.r, Pi = c.Pi;
    if (!stroke_fits(out, W / 2.3, t, "R")) return;
    if (!stroke_fits(out, H / 3, t, "R")) return;
    const BowlFrame f(c);
    const double xL = f.xL, xR = f.xR, yT = f.yT, yM = f.yM, yL = f.yL;

    const double rho = (H - t) / 4;
    const double cx = xR - rho, cy = yT - rho;  // bowl centre
    const double alpha = cr_atan((yM - yL) / (xR - cx)) * 180 / Pi;
    const double s = r * cr_sin(alpha * Pi / 180);
    const double co = r * cr_cos(alpha * Pi / 180);
    const double xK = cx + r / cr_tan(alpha * Pi / 180) - r / cr_sin(alpha * Pi / 180);
    if (!stroke_fits(out, xK - x, t, "R")) return;
    const bool inner = prints_positive(rho - r);

    // The caps: top-left outer corner, the stem's free foot, the leg's foot
    // square to the leg.
    out.arc({xL, yT}, r, 90, 180, kOutline);
    out.arc({xL, yL}, r, -180, 0, kOutline);
    out.arc({xR, yL}, r, -alpha - 90, 90 - alpha, kOutline);
    // The bowl; its outer outline follows once it has been cut at the leg.
    // As in the P, the bowl's inside is a slit when the inner radius prints
    // as zero, and none of it is drawn.
    out.arc({cx, cy}, rho, -90, 90, kCentre);
    out.arc({cx, cy}, rho - r, -90, 90, kOutline);
    out.line(xL, yT, xL, yL, kCentre);
    out.line(xL - r, yT, xL - r, yL, kOutline);
    if (inner) out.line(xL + r, yT - r, xL + r, yM + r, kOutline);
    out.line(xL + r, yM - r, xL + r, yL, kOutline);
    out.line(xL, yT, cx, yT, kCentre);
    out.line(xL, yT + r, cx, yT + r, kOutline);
    if (inner) out.line(xL + r, yT - r, cx, yT - r, kOutline);
    out.line(xL, yM, cx, yM, kCentre);
    if (inner) out.line(xL + r, yM + r, cx, yM + r, kOutline);
    out.line(xL + r, yM - r, xK, yM - r, kOutline);
    out.line(cx, yM, xR, yL, kCentre);
    out.line(xK, yM - r, xR - s, yL - co, kOutline);

    // The leg's upper-right outline through (xR + s, yL + co) against the
    // bowl's outer outline circle, intersected in the frame mirrored about
    // the bowl centre, where the leg rises at alpha. The result v is the
    // negated polar angle of the crossing about (cx, cy).
    GeometryResult g;
    if (!line_circle_angle(rho + r, 0, cy, cx - xR - s, yL + co, alpha, Pi, g)) {
        out.stop(Message::ROuterCircleSlant, "R");
        return;
    }
    const double v = g.angle;
    out.arc({cx, cy}, rho + r, -v, 90, kOutline);
    out.line(cx + (rho + r) * cr_cos(v * Pi / 180), cy - (rho + r) * cr_sin(v * Pi / 180),
             xR + s, yL + co, kOutline);
}

}  // namespace tracemill::glyphs
