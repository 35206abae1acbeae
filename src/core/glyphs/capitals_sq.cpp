// The capitals S and Q.
//
// Named values shared by both: xL = x + r and xR = x + W − r are the
// skeleton's left and right edges, xM = x + W/2 its middle; yT = y − r, yM =
// y − H/2 and yL = y − H + r its top, middle and bottom.
#include <cmath>

#include "../dxf.hpp"
#include "../exact_math.hpp"
#include "glyphs.hpp"
#include "line_circle_angle.hpp"

namespace tracemill::glyphs {

namespace {

// A horizontal skeleton stroke from x1 to x2 at height h and its outlines at
// h + first and h + second, in that order.
void bar(GlyphOutput& out, double x1, double x2, double h, double first, double second) {
    out.line(x1, h, x2, h, kCentre);
    out.line(x1, h + first, x2, h + first, kOutline);
    out.line(x1, h + second, x2, h + second, kOutline);
}

}  // namespace

// Capital S. Two bowls, one above the other: the upper opens to the right
// and ends in a free terminal at (xR, yT − rho), the lower opens to the left
// and ends at (xL, yL + rho); they join at mid-height.
//
// The bowl radius rho comes from comparing half the skeleton's height,
// (H − t)/2, with its width W − t:
//  - tall, (H − t)/2 > W − t: each bowl is a half circle of the full width
//    (rho = (W − t)/2), a straight side and a quarter arc down to (or up
//    from) the spine at (cx, yM);
//  - wide, (H − t)/2 < W − t: each bowl is made of quarter and half circles
//    of radius (H − t)/4 at the cell's sides, joined by horizontal strokes
//    at the top, the middle and the bottom;
//  - equal: the straight sides vanish and each bowl is one three-quarter
//    circle of radius (W − t)/2.
// In every case yM + rho is the height of the centre of the upper bowl's
// left arc. The lower terminal must keep more than a stroke width from that
// arc's skeleton circle; this clearance is tested once the bowls are drawn,
// and a failure keeps them but leaves out the terminal caps.
void capital_s(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r;
    constexpr std::string_view name = "S";
    if (!stroke_fits(out, W / 2, t, name)) return;
    if (!stroke_fits(out, H / 3.8, t, name)) return;
    const double xL = x + r, xR = x + W - r, yT = y - r, yM = y - H / 2, yL = y - H + r;

    double rho;
    if ((H - t) / 2 > W - t) {
        // Tall: top half circle, left side, lower-left quarter; then its
        // mirror image through the spine's midpoint.
        rho = (W - t) / 2;
        const double cx = xL + rho;
        arc_with_outlines(out, {cx, yT - rho}, rho, r, 0, 180);
        arc_with_outlines(out, {cx, yM + rho}, rho, r, -180, -90);
        arc_with_outlines(out, {cx, yM - rho}, rho, r, 0, 90);
        arc_with_outlines(out, {cx, yL + rho}, rho, r, -180, 0);
        out.line(xL, yT - rho, xL, yM + rho, kCentre);
        out.line(xL - r, yT - rho, xL - r, yM + rho, kOutline);
        out.line(xL + r, yT - rho, xL + r, yM + rho, kOutline);
        out.line(xR, yM - rho, xR, yL + rho, kCentre);
        out.line(xR + r, yM - rho, xR + r, yL + rho, kOutline);
        out.line(xR - r, yM - rho, xR - r, yL + rho, kOutline);
    } else if ((H - t) / 2 < W - t) {
        // Wide: the upper bowl is the terminal's quarter arc on the right and
        // a half circle on the left, the lower bowl a half circle on the
        // right and a quarter arc on the left; three bars join them.
        rho = (H - t) / 4;
        const double cxL = xL + rho, cxR = xR - rho;
        const double cyU = yT - rho, cyD = yL + rho;  // upper and lower bowl centres
        arc_with_outlines(out, {cxR, cyU}, rho, r, 0, 90);
        arc_with_outlines(out, {cxL, cyU}, rho, r, 90, 270);
        arc_with_outlines(out, {cxR, cyD}, rho, r, -90, 90);
        arc_with_outlines(out, {cxL, cyD}, rho, r, -180, -90);
        bar(out, cxL, cxR, yT, r, -r);
        bar(out, cxL, cxR, yM, r, -r);
        bar(out, cxL, cxR, yL, -r, r);
    } else {
        // Equal: two three-quarter circles meeting at (cx, yM).
        rho = (W - t) / 2;
        const double cx = xL + rho;
        arc_with_outlines(out, {cx, yT - rho}, rho, r, 0, 270);
        arc_with_outlines(out, {cx, yL + rho}, rho, r, -180, 90);
    }

    // From the lower terminal (xL, yL + rho) to the skeleton circle of the
    // upper bowl's left arc, centre (xL + rho, yM + rho), radius rho.
    const double clearance = std::sqrt(rho * rho + (yM - yL) * (yM - yL)) - rho;
    if (!(clearance > t)) {
        out.stop(width_message(name, clearance));
        return;
    }
    out.arc({xL, yL + rho}, r, 0, 180, kOutline);
    out.arc({xR, yT - rho}, r, -180, 0, kOutline);
}

// Capital Q. A round bowl (a stadium or a circle, as the O) and a tail: a
// short bar with rounded shoulders lying inside the bottom of the bowl, from
// whose ends two legs fall outwards at theta = 53 degrees from the
// horizontal. The left leg's skeleton ends on the bowl's skeleton; the right
// leg crosses the bowl and ends at (xR, yL) with a cap square to it. Every
// outline curve of bowl and tail is cut where the legs' outline lines cross
// the bowl's outline circles.
//
// Bowl: wide (W > H), two half circles of radius rho = (H − t)/2 about
// (cxL, cy) and (cxR, cy) joined by straight top and bottom strokes; tall or
// circular (W ≤ H), rho = (W − t)/2 about xM, the half circles at cyT and cy
// joined by straight sides (none when W = H: one circle).
//
// Tail: with rhok = rho − 0.6·t, the shoulder arcs have skeleton radius sigma
// and centres at height yS; beta is where the tail meets the bowl's inner
// construction circle of radius rhok. The shoulder outline of radius d ends
// at PL(d), at 90 + theta about (cxL, yS), where the left leg's outline line
// starts; PR(d) is its mirror image on the right. A leg's outline line is cut
// against a bowl circle of radius R with line_circle_angle about the left
// bowl centre, giving phi: the left crossing CL(R, phi) lies at polar angle
// phi + 180 about (cxL, cy), its mirror CR(R, phi) at −phi about (cxR, cy).
void capital_q(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r, Pi = c.Pi;
    constexpr std::string_view name = "Q";
    const double theta = 53;
    const double first = W / (cr_tan(theta * Pi / 180) + 1 + 1 / cr_cos(theta * Pi / 180));
    if (!stroke_fits(out, first, t, name)) return;
    // The one test of the drawing that passes at equality.
    if (!(H / 3.9 >= t)) {
        out.stop(width_message(name, H / 3.9));
        return;
    }
    const double xL = x + r, xM = x + W / 2, xR = x + W - r, yT = y - r, yL = y - H + r;

    const bool wide = W > H;
    double rho, cxL, cxR, cyT, cy;
    if (wide) {
        rho = (H - t) / 2;
        cxL = xL + rho;
        cxR = xR - rho;
        cy = yL + rho;
        cyT = cy;
    } else {
        rho = (W - t) / 2;
        cxL = cxR = xM;
        cyT = yT - rho;
        cy = yL + rho;
    }

    const double sn = cr_sin(theta * Pi / 180), cs = cr_cos(theta * Pi / 180);
    const double rhok = rho - 0.6 * t;
    const double beta =
        theta - cr_asin(((rho * cr_tan(theta * Pi / 180) - rho) * cs + r) / rhok) * 180 / Pi;
    const double sigma = rhok * cr_cos(beta * Pi / 180) / cr_sin(theta * Pi / 180) - r;
    const double yS = cy - rhok * cr_sin(beta * Pi / 180) - (sigma + r) * cs;

    const auto PL = [&](double d) { return Point{cxL - d * sn, yS + d * cs}; };
    const auto PR = [&](double d) { return Point{cxR + d * sn, yS + d * cs}; };
    const auto CL = [&](double R, double phi) {
        return Point{cxL - R * cr_cos(phi * Pi / 180), cy - R * cr_sin(phi * Pi / 180)};
    };
    const auto CR = [&](double R, double phi) {
        return Point{cxR + R * cr_cos(phi * Pi / 180), cy - R * cr_sin(phi * Pi / 180)};
    };
    // The ends of the right leg's outline lines at its foot.
    const Point foot_upper{xR + r * sn, yL + r * cs};
    const Point foot_lower{xR - r * sn, yL - r * cs};

    // The crossing of the left leg's outline line through PL(d) with the bowl
    // circle of radius R; when there is none the glyph stops with the message
    // naming the pair.
    const auto crossing = [&](double R, double d, Message message, double& phi) {
        GeometryResult g;
        if (!line_circle_angle(R, cxL, cy, PL(d).x, PL(d).y, theta, Pi, g)) {
            out.stop(message, name);
            return false;
        }
        phi = g.angle;
        return true;
    };
    constexpr Message inner_outer = Message::QLargeInnerSmallOuterTangent;
    constexpr Message outer_outer = Message::QLargeOuterSmallOuterTangent;
    constexpr Message inner_inner = Message::QLargeInnerSmallInnerTangent;
    constexpr Message outer_inner = Message::QLargeOuterSmallInnerTangent;
    double phi1 = 0, phi2 = 0, phi3 = 0, phi4 = 0;

    if (wide) {
        // The bowl: left half circle with its outer outline, the right half
        // circle's skeleton, the top and bottom strokes. Their inner outlines
        // and the right outer outline are cut by the tail and come later.
        out.arc({cxL, cy}, rho, 90, 270, kCentre);
        out.arc({cxL, cy}, rho + r, 90, 270, kOutline);
        out.arc({cxR, cy}, rho, -90, 90, kCentre);
        bar(out, cxL, cxR, yT, r, -r);
        bar(out, cxL, cxR, yL, -r, r);
        // The tail's shoulders and the straight piece between them.
        arc_with_outlines(out, {cxL, yS}, sigma, r, 90, 90 + theta);
        arc_with_outlines(out, {cxR, yS}, sigma, r, 90 - theta, 90);
        bar(out, cxL, cxR, yS + sigma, r, -r);
        if (!stroke_fits(out, sigma + r, t, name)) return;

        // The legs' upper outlines (from the shoulders' outer offset) cut the
        // bowl's inner outline above them and the right leg's the outer one.
        if (!crossing(rho - r, sigma + r, inner_outer, phi1)) return;
        out.arc({cxL, cy}, rho - r, -270, phi1 - 180, kOutline);
        out.arc({cxR, cy}, rho - r, -phi1, 90, kOutline);
        out.line(PL(sigma + r), CL(rho - r, phi1), kOutline);
        out.line(PR(sigma + r), CR(rho - r, phi1), kOutline);
        if (!crossing(rho + r, sigma + r, outer_outer, phi2)) return;
        out.arc({cxR, cy}, rho + r, -phi2, 90, kOutline);
        out.line(CR(rho + r, phi2), foot_upper, kOutline);
        // The legs' lower outlines (from the shoulders' inner offset) cut the
        // bowl's inner outline below the tail and the right leg's the outer.
        if (!crossing(rho - r, sigma - r, inner_inner, phi3)) return;
        out.arc({cxL, cy}, rho - r, phi3 - 180, -90, kOutline);
        out.arc({cxR, cy}, rho - r, -90, -phi3, kOutline);
        out.line(PL(sigma - r), CL(rho - r, phi3), kOutline);
        out.line(PR(sigma - r), CR(rho - r, phi3), kOutline);
        if (!crossing(rho + r, sigma - r, outer_inner, phi4)) return;
        out.arc({cxR, cy}, rho + r, -90, -phi4, kOutline);
        out.line(CR(rho + r, phi4), foot_lower, kOutline);
        out.arc({xR, yL}, r, -90 - theta, 90 - theta, kOutline);
    } else {
        // The tail's shoulders form one arc about (xM, yS).
        arc_with_outlines(out, {xM, yS}, sigma, r, 90 - theta, 90 + theta);
        if (!stroke_fits(out, sigma + r, t, name)) return;
        if (W < H) {
            // Straight-sided bowl: the top half circle with both outlines,
            // the bottom half circle's skeleton, the two sides.
            arc_with_outlines(out, {xM, cyT}, rho, r, 0, 180);
            out.arc({xM, cy}, rho, -180, 0, kCentre);
            out.line(xL, cyT, xL, cy, kCentre);
            out.line(xL - r, cyT, xL - r, cy, kOutline);
            out.line(xL + r, cyT, xL + r, cy, kOutline);
            out.line(xR, cyT, xR, cy, kCentre);
            out.line(xR + r, cyT, xR + r, cy, kOutline);
            out.line(xR - r, cyT, xR - r, cy, kOutline);
        } else {
            out.circle({xM, cy}, rho, kCentre);
        }

        // The legs' lower outlines: the bowl's inner outline under the tail,
        // then the right leg's lower outline from the outer circle to the foot.
        if (!crossing(rho - r, sigma - r, inner_inner, phi1)) return;
        out.arc({xM, cy}, rho - r, phi1 - 180, -phi1, kOutline);
        out.line(PL(sigma - r), CL(rho - r, phi1), kOutline);
        out.line(PR(sigma - r), CR(rho - r, phi1), kOutline);
        if (!crossing(rho + r, sigma - r, outer_inner, phi2)) return;
        out.line(CR(rho + r, phi2), foot_lower, kOutline);
        if (W < H) out.arc({xM, cy}, rho + r, -180, -phi2, kOutline);

        // The legs' upper outlines against the inner outline above the tail.
        // At the first test's limit they pass through the inner circle's
        // leftmost and rightmost points (phi3 = 0): the inner outline above
        // the tail then has nothing left at the sides, and the arcs from
        // −180 to phi3 − 180 and from −phi3 to 0 would be empty or, once
        // rounding takes phi3 below 0, sweep the whole circle. A stroke that
        // passes the first test by a hair is thus still too wide: the glyph
        // stops there with the first test's message.
        if (!crossing(rho - r, sigma + r, inner_outer, phi3)) return;
        if (!(phi3 > 0) || fixed9(phi3 - 180) == fixed9(-180) || fixed9(-phi3) == fixed9(0)) {
            out.stop(width_message(name, first));
            return;
        }
        out.line(PL(sigma + r), CL(rho - r, phi3), kOutline);
        out.line(PR(sigma + r), CR(rho - r, phi3), kOutline);
        if (W < H) {
            out.arc({xM, cy}, rho - r, -180, phi3 - 180, kOutline);
            out.arc({xM, cy}, rho - r, -phi3, 0, kOutline);
        } else {
            out.arc({xM, cy}, rho - r, -phi3, phi3 + 180, kOutline);
        }
        // The right leg's upper outline from the outer circle to the foot,
        // and the outer outline from there round to where the lower one left.
        if (!crossing(rho + r, sigma + r, outer_outer, phi4)) return;
        out.line(CR(rho + r, phi4), foot_upper, kOutline);
        if (W < H) {
            out.arc({xM, cy}, rho + r, -phi4, 0, kOutline);
        } else {
            out.arc({xM, cy}, rho + r, -phi4, 360 - phi2, kOutline);
        }
        out.arc({xR, yL}, r, -90 - theta, 90 - theta, kOutline);
    }

    // The legs' skeletons: the left one from the bowl's skeleton circle (cut
    // by the line through the skeleton's bottom-left corner (xL, yL)) to the
    // left shoulder, the right one from the right shoulder to the foot.
    GeometryResult g;
    if (!line_circle_angle(rho, cxL, cy, xL, yL, theta, Pi, g)) {
        out.stop(Message::QLargeSmallTangent, name);
        return;
    }
    out.line(CL(rho, g.angle), PL(sigma), kCentre);
    out.line(PR(sigma), Point{xR, yL}, kCentre);
}

}  // namespace tracemill::glyphs
