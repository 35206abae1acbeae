// The symbols '$', the yen sign drawn for byte 0x5C, '&' and '@'.
//
// All four are placed on the same skeleton box: xL = x + r and xR = x + W − r
// are the left and right skeleton lines, yT = y − r and yL = y − H + r the top
// and bottom ones, xM = x + W/2 the centre line. Every skeleton arc is drawn
// as its centre-line arc followed by the outline arcs of radius ρ + r and
// ρ − r over the same angles; the outline of a straight stroke is cut where
// another stroke crosses it.
#include <cmath>

#include "../exact_math.hpp"
#include "circle_intersection.hpp"
#include "corner_arc.hpp"
#include "glyphs.hpp"
#include "line_circle_angle.hpp"

namespace tracemill::glyphs {

// '$': an S of five pieces (top stroke, upper bowl, middle stroke, lower
// bowl, bottom stroke) crossed by a vertical stroke over the whole height.
//
// The three horizontal strokes lie at yU (0.15·H below the top), yM (half
// height) and yD (0.15·H above the bottom); in a flat cell, where that would
// push a stroke's outline out of the cell, the top and bottom strokes move to
// (1 + g)·t from the edges. The bowls are half circles spanning yU .. yM
// (upper, on the left) and yM .. yD (lower, on the right) when the width left
// of the vertical stroke allows it (xA − xL, where xA keeps a gap g·t from
// the vertical stroke's outline); otherwise they become quarter arcs of
// radius xA − xL joined by straight sides. When the upper terminal point
// (xR, yU − ρ) stays far enough from the lower bowl's upper right arc the top
// and bottom strokes curl down and up into terminals; otherwise they run
// straight to the cell's sides.
void dollar(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r;
    constexpr std::string_view name = "＄";
    constexpr double g = 0.05;  // gap around the vertical stroke, in units of t
    constexpr double h = 0.15;  // height of the top and bottom strokes, in units of H
    constexpr double q = 0.3;   // clearance ratio needed for curled terminals
    if (!stroke_fits(out, W / (2 * g + 3), t, name)) return;
    if (!stroke_fits(out, H / (2 * g + 4), t, name)) return;

    const double xL = x + r, xM = x + W / 2, xR = x + W - r, yT = y - r, yL = y - H + r;
    double yU = y - h * H;
    const double yM = y - H / 2;
    double yD = y - (1 - h) * H;
    if ((1 + g) * t > h * H) {
        yU = y - (1 + g) * t;
        yD = y - H + (1 + g) * t;
    }
    const double xA = xM - r - g * t;
    const bool half = xA - xL >= (yU - yM) / 2;
    const double rho = half ? (yU - yM) / 2 : xA - xL;
    const double cL = xL + rho, cR = xR - rho;
    // Inside each half-circle bowl the outline is a loop of the bowl's inner
    // arc, the facing outlines of the two strokes it joins and the piece of
    // the vertical stroke's outline between them. When ρ − r
    // prints as zero (H/4.1 passed by rounding alone) the strokes' outlines
    // lie on each other and the loop is a slit with no inside: none of it is
    // drawn. The quarter-arc bowls keep their straight sides apart.
    const bool bowls_hollow = !half || prints_positive(rho - r);

    if (half) {
        arc_with_outlines(out, {cL, yU - rho}, rho, r, 90, 270);
        arc_with_outlines(out, {cR, yD + rho}, rho, r, -90, 90);
    } else {
        // Each bowl: two quarter arcs joined by a straight side.
        arc_with_outlines(out, {cL, yU - rho}, rho, r, 90, 180);
        arc_with_outlines(out, {cL, yM + rho}, rho, r, -180, -90);
        arc_with_outlines(out, {cR, yD + rho}, rho, r, -90, 0);
        arc_with_outlines(out, {cR, yM - rho}, rho, r, 0, 90);
        out.line(xL, yU - rho, xL, yM + rho, kCentre);
        out.line(xL - r, yU - rho, xL - r, yM + rho, kOutline);
        out.line(xL + r, yU - rho, xL + r, yM + rho, kOutline);
        out.line(xR, yM - rho, xR, yD + rho, kCentre);
        out.line(xR + r, yM - rho, xR + r, yD + rho, kOutline);
        out.line(xR - r, yM - rho, xR - r, yD + rho, kOutline);
    }

    // The clearance, in stroke widths, between the upper terminal point and
    // the skeleton of the lower bowl's upper right arc, less one stroke.
    const double clearance =
        (std::sqrt((xR - cR) * (xR - cR) + ((yU - rho) - (yM - rho)) * ((yU - rho) - (yM - rho))) -
         rho - t) /
        t;
    if (clearance > q) {
        // Curled terminals: a quarter arc down from the top stroke's right
        // end, one up from the bottom stroke's left end, each ending in a cap.
        out.arc({xL, yD + rho}, r, 0, 180, kOutline);
        out.arc({xR, yU - rho}, r, -180, 0, kOutline);
        arc_with_outlines(out, {cR, yU - rho}, rho, r, 0, 90);
        arc_with_outlines(out, {cL, yD + rho}, rho, r, -180, -90);
        out.line(cL, yU, cR, yU, kCentre);
        out.line(xM + r, yU + r, cR, yU + r, kOutline);
        out.line(xM + r, yU - r, cR, yU - r, kOutline);
        out.line(cL, yD, cR, yD, kCentre);
        out.line(cL, yD - r, xM - r, yD - r, kOutline);
        out.line(cL, yD + r, xM - r, yD + r, kOutline);
    } else {
        // Straight terminals with caps at the cell's sides.
        out.arc({xL, yD}, r, 90, 270, kOutline);
        out.arc({xR, yU}, r, -90, 90, kOutline);
        out.line(cL, yU, xR, yU, kCentre);
        out.line(xM + r, yU + r, xR, yU + r, kOutline);
        out.line(xM + r, yU - r, xR, yU - r, kOutline);
        out.line(xL, yD, cR, yD, kCentre);
        out.line(xL, yD - r, xM - r, yD - r, kOutline);
        out.line(xL, yD + r, xM - r, yD + r, kOutline);
    }
    // The top stroke's outline left of the vertical stroke and the bottom
    // stroke's right of it (the same in both terminal forms).
    out.line(cL, yU + r, xM - r, yU + r, kOutline);
    if (bowls_hollow) out.line(cL, yU - r, xM - r, yU - r, kOutline);
    if (bowls_hollow) out.line(xM + r, yD + r, cR, yD + r, kOutline);
    out.line(xM + r, yD - r, cR, yD - r, kOutline);

    // The vertical stroke, its outline cut by the three horizontal strokes.
    out.arc({xM, yT}, r, 0, 180, kOutline);
    out.arc({xM, yL}, r, -180, 0, kOutline);
    out.line(xM, yT, xM, yL, kCentre);
    out.line(xM - r, yT, xM - r, yU + r, kOutline);
    out.line(xM + r, yT, xM + r, yU + r, kOutline);
    if (bowls_hollow) out.line(xM - r, yU - r, xM - r, yM + r, kOutline);
    out.line(xM + r, yU - r, xM + r, yM + r, kOutline);
    out.line(xM - r, yM - r, xM - r, yD + r, kOutline);
    if (bowls_hollow) out.line(xM + r, yM - r, xM + r, yD + r, kOutline);
    out.line(xM - r, yD - r, xM - r, yL, kOutline);
    out.line(xM + r, yD - r, xM + r, yL, kOutline);
    // The middle stroke from bowl to bowl, its outline cut by the vertical one.
    out.line(cL, yM, cR, yM, kCentre);
    if (bowls_hollow) out.line(cL, yM + r, xM - r, yM + r, kOutline);
    out.line(cL, yM - r, xM - r, yM - r, kOutline);
    out.line(xM + r, yM + r, cR, yM + r, kOutline);
    if (bowls_hollow) out.line(xM + r, yM - r, cR, yM - r, kOutline);
}

// The yen sign (byte 0x5C): two arms from the top corners (xL, yT) and
// (xR, yT) meet at the junction (xM, yV); a stem runs from there to the foot
// (xM, yL); two bars, yB1 above yB2, cross the stem over the whole width.
//
// The upper bar keeps a gap g·t below yC, where the arms' lower outlines meet
// the stem's outline (the sharp inner corners under the junction), and the
// lower bar lies halfway between it and the cell's bottom. In a flat cell the
// lower bar would then come too close to the foot: the bars are stacked from
// the foot upwards instead, and the arms are re-aimed so that their lower
// outlines pass through the inner corners (xM ∓ r, yC) above the upper bar.
void yen_sign(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r, Pi = c.Pi;
    constexpr std::string_view name = "￥";
    constexpr double g = 0.05;  // gaps around the bars, in units of t
    if (!stroke_fits(out, W / 2, t, name)) return;
    if (!stroke_fits(out, H / (3 * g + 3.5), t, name)) return;

    const double xL = x + r, xM = x + W / 2, xR = x + W - r, yT = y - r, yL = y - H + r;
    double yV = y - 0.3 * H;
    double alpha = cr_atan((yT - yV) / (xM - xL)) * 180 / Pi;
    double s = r * cr_sin(alpha * Pi / 180), co = r * cr_cos(alpha * Pi / 180);
    double yC = yV - co + (r - s) * cr_tan(alpha * Pi / 180);
    double yB1 = yC - r - g * t;
    double yB2 = (yB1 + y - H) / 2;
    if (yB2 - yL < (0.5 + g) * t) {
        yB2 = yL + r + g * t;
        yB1 = yB2 + (1 + g) * t;
        yC = yB1 + (0.5 + g) * t;
        // The direction of the line from (xL, yT) to the inner corner
        // (xM − r, yC), turned down by the angle under which a circle of
        // radius r about (xL, yT) is seen from the corner: the arm's lower
        // outline then runs through the corner.
        alpha = (cr_atan((yT - yC) / (xM - xL - r)) -
                 cr_asin(r / std::sqrt((yT - yC) * (yT - yC) + (xM - xL - r) * (xM - xL - r)))) *
                180 / Pi;
        yV = yT - (xM - xL) * cr_tan(alpha * Pi / 180);
        s = r * cr_sin(alpha * Pi / 180);
        co = r * cr_cos(alpha * Pi / 180);
    }
    // The notch where the arms' upper outlines meet above the junction.
    const double yN = yV + r / cr_cos(alpha * Pi / 180);

    out.arc({xL, yT}, r, 90 - alpha, 270 - alpha, kOutline);
    out.arc({xL, yB1}, r, 90, 270, kOutline);
    out.arc({xL, yB2}, r, 90, 270, kOutline);
    out.arc({xM, yL}, r, -180, 0, kOutline);
    out.arc({xR, yB2}, r, -90, 90, kOutline);
    out.arc({xR, yB1}, r, -90, 90, kOutline);
    out.arc({xR, yT}, r, alpha - 90, alpha + 90, kOutline);
    // The arms.
    out.line(xL, yT, xM, yV, kCentre);
    out.line(xL - s, yT - co, xM - r, yC, kOutline);
    out.line(xL + s, yT + co, xM, yN, kOutline);
    out.line(xM, yV, xR, yT, kCentre);
    out.line(xM + r, yC, xR + s, yT - co, kOutline);
    out.line(xM, yN, xR - s, yT + co, kOutline);
    // The stem, its outline cut by the bars.
    out.line(xM, yV, xM, yL, kCentre);
    out.line(xM - r, yC, xM - r, yB1 + r, kOutline);
    out.line(xM - r, yB1 - r, xM - r, yB2 + r, kOutline);
    out.line(xM - r, yB2 - r, xM - r, yL, kOutline);
    out.line(xM + r, yC, xM + r, yB1 + r, kOutline);
    out.line(xM + r, yB1 - r, xM + r, yB2 + r, kOutline);
    out.line(xM + r, yB2 - r, xM + r, yL, kOutline);
    // The bars, their outlines cut by the stem.
    for (const double yB : {yB1, yB2}) {
        out.line(xL, yB, xR, yB, kCentre);
        out.line(xL, yB + r, xM - r, yB + r, kOutline);
        out.line(xM + r, yB + r, xR, yB + r, kOutline);
        out.line(xL, yB - r, xM - r, yB - r, kOutline);
        out.line(xM + r, yB - r, xR, yB - r, kOutline);
    }
}

// '&': a small loop at the top left (the small circle, radius σ about
// (xS, yS)), a bowl at the bottom (the medium circle on the left, radius ρM
// about (xMc, yMc), continued on the right by the large circle, radius ρB
// about (xB, yB)), a crossing stroke along the common tangent that runs
// between the medium and the small circle (from TM on the medium circle to
// TS on the small one), and a leg along the tangent from the foot (xR, yL)
// to the small circle's underside (touching at TL). The leg crosses the
// crossing stroke and the bowl; their outlines are cut at those crossings.
//
// Forms, by the cell's proportions:
//  1. (H − t)/2 > W − t: the cell is too narrow for two bowl circles; the
//     bowl is the medium circle alone, of the cell's width (the large circle
//     is the medium one).
//  Otherwise the medium circle spans a quarter of the height and the large
//  circle would span half of it:
//  2. ρM + t + ρB > W: the large circle is narrowed to fill the width;
//  3. ρM + t + ρB < W: the two are joined by a straight bottom stroke;
//  4. ρM + t + ρB = W: they meet at the bottom.
// The leg's outline lines meet the large circle's outlines at angles found in
// a frame mirrored left-right about xB, so that a crossing φ lies at polar
// angle −φ about (xB, yB). The clearances c3 to c6 keep the leg's outline
// more than a stroke away from the bowl's right end, the large circle and
// the loop; they are tested between entities, so a failure returns what has
// been drawn.
void ampersand(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r, Pi = c.Pi;
    constexpr std::string_view name = "＆";
    if (!stroke_fits(out, W / 3, t, name)) return;
    if (!stroke_fits(out, 0.7 * H / (2 + 0.7), t, name)) return;

    const double xR = x + W - r, yL = y - H + r;
    int form = 1;
    double rhoM, rhoB;
    if ((H - t) / 2 > W - t) {
        rhoM = (W - t) / 2;
        rhoB = rhoM;
    } else {
        rhoM = (H - t) / 4;
        rhoB = (H - t) / 2;
        if (rhoM + t + rhoB > W) {
            form = 2;
            rhoB = W - t - rhoM;
        } else if (rhoM + t + rhoB < W) {
            form = 3;
        } else {
            form = 4;
        }
    }
    const double sigma = 0.7 * rhoM;
    const double xS = x + r + sigma, yS = y - r - sigma;
    const double xMc = x + r + rhoM, yMc = yL + rhoM;
    double xB = xR - rhoB, yB = yL + rhoB;
    if (form == 1) {
        xB = xMc;
        yB = yMc;
    }

    // δ: the leg's slope below the horizontal (the foot's direction to the
    // small centre, turned down by the half angle under which the small circle
    // is seen from the foot). ε: the crossing stroke's direction, the line
    // between the two centres turned by the angle of the inner tangent.
    const double dxF = xR - xS, dyF = yS - yL;
    const double delta =
        (cr_atan(dyF / dxF) - cr_asin(sigma / std::sqrt(dyF * dyF + dxF * dxF))) * 180 / Pi;
    const double dxC = xMc - xS, dyC = yS - yMc;
    const double epsilon =
        (cr_atan(dxC / dyC) + cr_acos((sigma + rhoM) / std::sqrt(dxC * dxC + dyC * dyC))) * 180 / Pi;
    const double sd = r * cr_sin(delta * Pi / 180), cd = r * cr_cos(delta * Pi / 180);
    const double se = r * cr_sin(epsilon * Pi / 180), ce = r * cr_cos(epsilon * Pi / 180);
    const Point TM{xMc - rhoM * cr_sin(epsilon * Pi / 180), yMc + rhoM * cr_cos(epsilon * Pi / 180)};
    const Point TS{xS + sigma * cr_sin(epsilon * Pi / 180), yS - sigma * cr_cos(epsilon * Pi / 180)};
    const Point TL{xS - sigma * cr_sin(delta * Pi / 180), yS - sigma * cr_cos(delta * Pi / 180)};

    // The leg's lower and upper outline lines, mirrored about x = xB, and
    // where they cut the large circle's outlines: C(R, φ) at polar angle −φ.
    const Point QL{2 * xB - xR + sd, yL - cd};
    const Point QU{2 * xB - xR - sd, yL + cd};
    const auto C = [&](double R, double phi) {
        return Point{xB + R * cr_cos(phi * Pi / 180), yB - R * cr_sin(phi * Pi / 180)};
    };
    const auto leg_cuts = [&](double R, Point Q, Message message, double& phi) {
        GeometryResult res;
        if (!line_circle_angle(R, xB, yB, Q.x, Q.y, delta, Pi, res)) {
            out.stop(message, name);
            return false;
        }
        phi = res.angle;
        return true;
    };
    const auto meet = [&](Point p, double a, Point q, Message message, Point& k) {
        GeometryResult res;
        if (!intersect_lines(p.x, p.y, a, q.x, q.y, -delta, res, Pi)) {
            out.stop(message, name);
            return false;
        }
        k = res.point;
        return true;
    };
    const auto clears = [&](double clearance) {
        if (clearance > t) return true;
        out.stop(width_message(name, clearance));
        return false;
    };
    constexpr Message no_phi1 = Message::AmpLargeInnerLeftTangent;
    constexpr Message no_phi2 = Message::AmpLargeOuterLeftTangent;

    double phi1 = 0, phi2 = 0;
    if (form == 1) {
        out.arc({xMc, yMc}, rhoM, epsilon - 270, 0, kCentre);
        if (!leg_cuts(rhoB - r, QL, no_phi1, phi1)) return;
        out.arc({xMc, yMc}, rhoM - r, epsilon - 270, -phi1, kOutline);
        if (!leg_cuts(rhoB + r, QL, no_phi2, phi2)) return;
        out.arc({xMc, yMc}, rhoM + r, epsilon - 270, -phi2, kOutline);
    } else {
        arc_with_outlines(out, {xMc, yMc}, rhoM, r, epsilon - 270, -90);
        if (form == 3) {
            out.line(xMc, yL, xB, yL, kCentre);
            out.line(xMc, yL + r, xB, yL + r, kOutline);
            out.line(xMc, yL - r, xB, yL - r, kOutline);
            // The leg's lower outline must pass more than a stroke above the
            // bottom stroke's right end.
            if (!clears(((xR - xB) * cr_tan(delta * Pi / 180) - r) * cr_cos(delta * Pi / 180) + r)) return;
        }
        out.arc({xB, yB}, rhoB, -90, 0, kCentre);
        if (!leg_cuts(rhoB - r, QL, no_phi1, phi1)) return;
        out.arc({xB, yB}, rhoB - r, -90, -phi1, kOutline);
        if (!leg_cuts(rhoB + r, QL, no_phi2, phi2)) return;
        out.arc({xB, yB}, rhoB + r, -90, -phi2, kOutline);
    }

    // The foot's distance from the large circle, the height at which the leg
    // passes the bowl's right end, and the leg's height under the tangent
    // point TS of the crossing stroke.
    if (!clears(std::sqrt((xR - xB) * (xR - xB) + (yB - yL) * (yB - yL)) - rhoB + r)) return;
    if (!clears(((yB - yL) / cr_tan(delta * Pi / 180) - r) * cr_sin(delta * Pi / 180) + r)) return;
    if (!clears((TS.y - yL - (xR - TS.x) * cr_tan(delta * Pi / 180)) * cr_cos(delta * Pi / 180) + r))
        return;

    out.arc({xR, yL}, r, -delta - 90, -delta + 90, kOutline);
    out.arc({xR, yB}, r, 0, 180, kOutline);
    arc_with_outlines(out, {xS, yS}, sigma, r, epsilon - 90, 270 - delta);
    out.line(TM, TS, kCentre);
    out.line(TL, {xR, yL}, kCentre);
    out.line(C(rhoB + r, phi2), {xR - sd, yL - cd}, kOutline);
    Point K;
    // The crossing stroke's left outline against the leg's lower one.
    const Point TMl{TM.x - se, TM.y + ce}, TLl{TL.x - sd, TL.y - cd};
    if (!meet(TMl, epsilon, TLl, Message::AmpLeftMiddleLeftDot, K)) return;
    out.line(TMl, K, kOutline);
    out.line(TLl, K, kOutline);
    // The crossing stroke's left outline, from the loop, against the leg's
    // upper one.
    const Point TSl{TS.x - se, TS.y + ce}, TLu{TL.x + sd, TL.y + cd};
    if (!meet(TSl, epsilon, TLu, Message::AmpLeftMiddleRightDot, K)) return;
    out.line(TSl, K, kOutline);
    out.line(TLu, K, kOutline);
    // The crossing stroke's right outline against the leg's lower one, which
    // runs on from the large circle's inner outline.
    const Point TMr{TM.x + se, TM.y - ce};
    const Point C1 = C(rhoB - r, phi1);
    if (!meet(TMr, epsilon, C1, Message::AmpRightMiddleLeftDot, K)) return;
    out.line(TMr, K, kOutline);
    out.line(C1, K, kOutline);
    // The leg's upper outline cuts the large circle's outer outline (the bowl
    // closes from there to its right end) and its inner outline.
    double phi3 = 0, phi4 = 0;
    if (!leg_cuts(rhoB + r, QU, Message::AmpLargeOuterRightTangent, phi3)) return;
    out.arc({xB, yB}, rhoB + r, -phi3, 0, kOutline);
    out.line(Point{xR + sd, yL + cd}, C(rhoB + r, phi3), kOutline);
    if (!leg_cuts(rhoB - r, QU, Message::AmpLargeInnerRightTangent, phi4)) return;
    out.arc({xB, yB}, rhoB - r, -phi4, 0, kOutline);
    const Point TSr{TS.x + se, TS.y - ce};
    const Point C4 = C(rhoB - r, phi4);
    if (!meet(TSr, epsilon, C4, Message::AmpRightMiddleRightDot, K)) return;
    out.line(TSr, K, kOutline);
    out.line(C4, K, kOutline);
}

// '@': an outer ring like an 'O' (a stadium in a tall or wide cell, a circle
// in a square one), an inner ring (a small 'a': a smaller stadium with a stem
// on its right, or a circle when the stadium does not fit between the outer
// ring's arc centres) and a connecting arc of skeleton radius κ that hangs
// from the inner ring's right side down and across to the outer ring's right
// side. The connecting arc's outer outline (radius κ + r) is cut where it
// meets the inner ring's outer outline and the outer ring's inner outline;
// those crossings are found as the polar angles of two circles' crossing
// points, taking the one clockwise from the direction between the centres.
//
// The connecting arc's outer outline starts, at its left, at the crossing
// with the inner ring found as the angle θ about the inner ring's centre;
// about the arc's own centre that point lies on the same height, at
// 180 − asin(R·sin θ / (κ + r)) (R the inner ring's outer radius), the left
// of the two angles of that height. At its right it ends where it meets the
// outer ring: at x = xR − r for a tall cell, otherwise at the crossing with
// the outer ring's inner outline, whose angle about the arc's centre is taken
// on the side of the centre on which the crossing lies.
void at_sign(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r, Pi = c.Pi;
    constexpr std::string_view name = "＠";
    if (!stroke_fits(out, W / 4, t, name)) return;
    if (!stroke_fits(out, H / 4, t, name)) return;

    const double xL = x + r, xM = x + W / 2, xR = x + W - r, yT = y - r, yL = y - H + r;
    const double yM = y - H / 2;
    constexpr Message inner_missing = Message::AtSmallOuterTangent;
    constexpr Message outer_right_missing = Message::AtLargeRightInnerTangent;

    // The angle, about the connecting arc's centre (radius κ + r), of a
    // crossing point at height R·sin θ above or below that centre: the left
    // one of the two angles at that height. The point lies on the arc's
    // outline by construction, so the ratio is clamped against rounding.
    const auto left_angle = [&](double R, double theta, double kappa) {
        return 180 - cr_asin(clamp_unit(R * cr_sin(theta * Pi / 180) / (kappa + r))) * 180 / Pi;
    };
    // The end of the connecting arc's outer outline at its crossing θ with
    // the outer ring's inner outline (radius ρ − r about (cx, yM)): right of
    // the arc's centre xK the angle lies in the fourth quadrant, otherwise in
    // the third.
    const auto end_angle = [&](double rho, double cx, double theta, double kappa, double xK) {
        const double a =
            cr_asin(clamp_unit((rho - r) * cr_sin(theta * Pi / 180) / (kappa + r))) * 180 / Pi;
        return (rho - r) * cr_cos(theta * Pi / 180) + cx > xK ? 360 + a : 180 - a;
    };
    // A clearance test made after the outer ring: stop with its value.
    const auto clears = [&](double clearance) {
        if (clearance > t) return true;
        out.stop(width_message(name, clearance));
        return false;
    };

    if (W < H) {
        // Tall: the outer ring is a stadium with arc centres cyT and cyB on
        // the centre line; its right inner side is drawn with the connecting
        // arc, which meets it.
        const double rho = (W - t) / 2, cyT = yT - rho, cyB = yL + rho;
        const double rhoa = rho / 3, kappa = (rho - rhoa) / 2, xK = xR - kappa;
        arc_with_outlines(out, {xM, cyT}, rho, r, 0, 180);
        arc_with_outlines(out, {xM, cyB}, rho, r, -180, 0);
        out.line(xL, cyT, xL, cyB, kCentre);
        out.line(xL - r, cyT, xL - r, cyB, kOutline);
        out.line(xL + r, cyT, xL + r, cyB, kOutline);
        out.line(xR, cyT, xR, cyB, kCentre);
        out.line(xR + r, cyT, xR + r, cyB, kOutline);

        // Where the connecting arc's outer outline (about (xK, yK)) meets the
        // outer ring's inner right side x = xR − r: at 180 + acos(u), below
        // the centre.
        const double u = (xK - (xR - r)) / (kappa + r);
        const double meet = cr_acos(u) * 180 / Pi;
        if (t + 2 * rhoa < cyT - cyB) {
            // Tall-stadium: the inner ring's arc centres yA and yZ, its top
            // yA2, its left side xa1 and its stem xa2 (a straight right side
            // rising to the top, like the stem of an 'a'); the connecting
            // arc hangs at the height of the lower centre yZ.
            const double yA = cyT - r - rhoa, yZ = cyB + r + rhoa, yA2 = yA + rhoa;
            const double xa1 = xM - rhoa, xa2 = xM + rhoa;
            out.arc({xa2, yA2}, r, 0, 90, kOutline);
            arc_with_outlines(out, {xM, yA}, rhoa, r, 90, 180);
            out.arc({xM, yZ}, rhoa, -180, 0, kCentre);
            out.arc({xM, yZ}, rhoa - r, -180, 0, kOutline);
            out.line(xa1, yA, xa1, yZ, kCentre);
            out.line(xa1 - r, yA, xa1 - r, yZ, kOutline);
            out.line(xa1 + r, yA, xa1 + r, yZ, kOutline);
            out.line(xa2, yA2, xa2, yZ, kCentre);
            out.line(xa2 + r, yA2, xa2 + r, yZ, kOutline);
            out.line(xa2 - r, yA2 - r, xa2 - r, yZ, kOutline);
            out.line(xM, yA2, xa2, yA2, kCentre);
            out.line(xM, yA2 + r, xa2, yA2 + r, kOutline);
            out.line(xM, yA2 - r, xa2 - r, yA2 - r, kOutline);
            GeometryResult I1;
            if (!circle_intersection_angles(rhoa + r, xM, yZ, kappa + r, xK, yZ, Pi, I1)) {
                out.stop(inner_missing, name);
                return;
            }
            out.arc({xM, yZ}, rhoa + r, 180, I1.angle2 + 360, kOutline);
            out.arc({xK, yZ}, kappa + r, left_angle(rhoa + r, I1.angle2, kappa), 180 + meet, kOutline);
            out.line(xR - r, cyB, xR - r, yZ + (kappa + r) * cr_sin(-meet * Pi / 180), kOutline);
            out.arc({xK, yZ}, kappa, -180, 0, kCentre);
            out.arc({xK, yZ}, kappa - r, -180, 0, kOutline);
            out.line(xR - r, cyT, xR - r, yZ, kOutline);
            return;
        }
        // Tall-circle: the inner ring is a circle about the cell's centre and
        // the connecting arc hangs at half height. The room between the
        // connecting arc and the lower end (xR − r, cyB) of the outer ring's
        // inner right side (that point's distance from the arc's centre, less
        // κ, plus r) must exceed t.
        if (!clears(std::sqrt((xK - xR + r) * (xK - xR + r) + (yM - cyB) * (yM - cyB)) - kappa + r))
            return;
        out.circle({xM, yM}, rhoa, kCentre);
        out.circle({xM, yM}, rhoa - r, kOutline);
        GeometryResult I1;
        if (!circle_intersection_angles(rhoa + r, xM, yM, kappa + r, xK, yM, Pi, I1)) {
            out.stop(inner_missing, name);
            return;
        }
        out.arc({xM, yM}, rhoa + r, 0, I1.angle2 + 360, kOutline);
        out.arc({xK, yM}, kappa + r, left_angle(rhoa + r, I1.angle2, kappa), 180 + meet, kOutline);
        out.line(xR - r, cyB, xR - r, yM + (kappa + r) * cr_sin(-meet * Pi / 180), kOutline);
        out.arc({xK, yM}, kappa, -180, 0, kCentre);
        out.arc({xK, yM}, kappa - r, -180, 0, kOutline);
        out.line(xR - r, cyT, xR - r, yM, kOutline);
        return;
    }

    if (W > H) {
        // Wide: the outer ring is a stadium with arc centres cxL and cxR at
        // half height; the right arc's inner outline is drawn only over its
        // upper quarter here, the rest down to the connecting arc later.
        const double rho = (H - t) / 2, cxL = xL + rho, cxR = xR - rho;
        const double rhoa = rho / 3;
        const bool stadium = t + 2 * rhoa < cxR - cxL;
        // Inner stadium: arc centres xA and xZ, stem xS on the right.
        const double xA = cxL + r + rhoa, xZ = cxR - r - rhoa;
        const double kappa = stadium ? (xR - rhoa - xZ) / 2 : (xR - xM - rhoa) / 2;
        const double xK = xR - kappa;
        arc_with_outlines(out, {cxL, yM}, rho, r, 90, 270);
        out.arc({cxR, yM}, rho, -90, 90, kCentre);
        out.arc({cxR, yM}, rho + r, -90, 90, kOutline);
        out.arc({cxR, yM}, rho - r, 0, 90, kOutline);
        out.line(cxL, yT, cxR, yT, kCentre);
        out.line(cxL, yT + r, cxR, yT + r, kOutline);
        out.line(cxL, yT - r, cxR, yT - r, kOutline);
        out.line(cxL, yL, cxR, yL, kCentre);
        out.line(cxL, yL - r, cxR, yL - r, kOutline);
        out.line(cxL, yL + r, cxR, yL + r, kOutline);
        // The connecting arc's outer outline must keep clear of the outer
        // ring's right arc centre line.
        if (!clears(std::sqrt((xK - cxR) * (xK - cxR) + (rho - r) * (rho - r)) - kappa + r)) return;

        GeometryResult I1, I2;
        double start = 0;
        if (stadium) {
            const double yA2 = yM + rhoa, yA1 = yM - rhoa, xS = xZ + rhoa;
            out.arc({xS, yA2}, r, 0, 90, kOutline);
            arc_with_outlines(out, {xA, yM}, rhoa, r, 90, 270);
            out.arc({xZ, yM}, rhoa, -90, 0, kCentre);
            out.arc({xZ, yM}, rhoa - r, -90, 0, kOutline);
            out.line(xA, yA2, xS, yA2, kCentre);
            out.line(xA, yA2 + r, xS, yA2 + r, kOutline);
            out.line(xA, yA2 - r, xS - r, yA2 - r, kOutline);
            out.line(xA, yA1, xZ, yA1, kCentre);
            out.line(xA, yA1 - r, xZ, yA1 - r, kOutline);
            out.line(xA, yA1 + r, xZ, yA1 + r, kOutline);
            out.line(xS, yM, xS, yA2, kCentre);
            out.line(xS + r, yM, xS + r, yA2, kOutline);
            out.line(xS - r, yM, xS - r, yA2 - r, kOutline);
            if (!circle_intersection_angles(rhoa + r, xZ, yM, kappa + r, xK, yM, Pi, I1)) {
                out.stop(Message::AtSmallRightOuterTangent, name);
                return;
            }
            out.arc({xZ, yM}, rhoa + r, -90, I1.angle2, kOutline);
        } else {
            out.circle({xM, yM}, rhoa, kCentre);
            out.circle({xM, yM}, rhoa - r, kOutline);
            if (!circle_intersection_angles(rhoa + r, xM, yM, kappa + r, xK, yM, Pi, I1)) {
                out.stop(inner_missing, name);
                return;
            }
            out.arc({xM, yM}, rhoa + r, 0, I1.angle2 + 360, kOutline);
        }
        start = left_angle(rhoa + r, I1.angle2, kappa);
        if (!circle_intersection_angles(rho - r, cxR, yM, kappa + r, xK, yM, Pi, I2)) {
            out.stop(outer_right_missing, name);
            return;
        }
        out.arc({cxR, yM}, rho - r, -90, I2.angle2, kOutline);
        out.arc({xK, yM}, kappa + r, start, end_angle(rho, cxR, I2.angle2, kappa, xK), kOutline);
        out.arc({xK, yM}, kappa, -180, 0, kCentre);
        out.arc({xK, yM}, kappa - r, -180, 0, kOutline);
        return;
    }

    // Round: both rings are circles about the cell's centre.
    const double rho = (W - t) / 2, rhoa = rho / 3, kappa = (rho - rhoa) / 2, xK = xR - kappa;
    out.circle({xM, yM}, rho, kCentre);
    out.circle({xM, yM}, rho + r, kOutline);
    out.circle({xM, yM}, rhoa, kCentre);
    out.circle({xM, yM}, rhoa - r, kOutline);
    out.arc({xK, yM}, kappa, -180, 0, kCentre);
    out.arc({xK, yM}, kappa - r, -180, 0, kOutline);
    GeometryResult I1, I2;
    if (!circle_intersection_angles(rhoa + r, xM, yM, kappa + r, xK, yM, Pi, I1)) {
        out.stop(inner_missing, name);
        return;
    }
    out.arc({xM, yM}, rhoa + r, 0, I1.angle2 + 360, kOutline);
    if (!circle_intersection_angles(rho - r, xM, yM, kappa + r, xK, yM, Pi, I2)) {
        out.stop(Message::AtLargeInnerTangent, name);
        return;
    }
    out.arc({xM, yM}, rho - r, 0, I2.angle2 + 360, kOutline);
    out.arc({xK, yM}, kappa + r, left_angle(rhoa + r, I1.angle2, kappa),
            end_angle(rho, xM, I2.angle2, kappa, xK), kOutline);
}

}  // namespace tracemill::glyphs
