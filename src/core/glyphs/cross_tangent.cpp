#include "cross_tangent.hpp"

#include <cmath>

#include "../exact_math.hpp"
#include "glyphs.hpp"

namespace tracemill::glyphs {

bool CrossTangentConnector::draw(const GlyphCell& cell, GlyphOutput& out) {
    const double Pi = cell.Pi;

    // The hook circle lies above the tail circle (C2y > C1y); delta is the
    // tilt of the line of centres from the vertical. The internal tangent
    // makes the angle acos((rho1 + rho2) / d) with that line's normal. The
    // tangent exists whenever the circles do not overlap: in every layout
    // that calls this they are apart or, at the layout boundary, just
    // touching, where rounding can push the ratio a hair past 1; the
    // touching tangent (acos 1 = 0) is the one meant then.
    const double d = std::sqrt((C1.x - C2.x) * (C1.x - C2.x) + (C2.y - C1.y) * (C2.y - C1.y));
    phi = (cr_atan(std::fabs(C1.x - C2.x) / (C2.y - C1.y)) +
           cr_acos(clamp_unit((rho1 + rho2) / d))) *
          180 / Pi;
    const double theta = phi * Pi / 180;
    const double s = cr_sin(theta), c = cr_cos(theta);

    // The hook circle from its tangent point (angle phi − 90) to the end angle.
    out.arc(C2, rho2 + r, phi - 90, end_deg, kOutline);
    out.arc(C2, rho2, phi - 90, end_deg, kCentre);
    out.arc(C2, rho2 - r, phi - 90, end_deg, kOutline);
    // The stroke runs from the tail's tangent point C1 + rho1·(−sin, cos) to
    // the hook's C2 − rho2·(−sin, cos). Its upper-left outline joins the
    // tail's outer arc to the hook's inner arc, the lower-right one the tail's
    // inner arc to the hook's outer arc.
    out.line(C1.x - (rho1 + r) * s, C1.y + (rho1 + r) * c, C2.x + (rho2 - r) * s,
             C2.y - (rho2 - r) * c, kOutline);
    out.line(C1.x - rho1 * s, C1.y + rho1 * c, C2.x + rho2 * s, C2.y - rho2 * c, kCentre);

    // Clearance of the hook end P from what lies below it. psi is the
    // direction from C1 to P, measured like phi from the vertical towards the
    // left. Beyond the tangent point (psi > phi) the nearest skeleton is the
    // tail arc; otherwise it is the tangent stroke, whose distance is the
    // horizontal gap at P's height times sin theta.
    const double psi = cr_atan((C1.x - P.x) / (P.y - C1.y)) * 180 / Pi;
    double clearance;
    if (psi > phi) {
        clearance = std::sqrt((C1.x - P.x) * (C1.x - P.x) + (P.y - C1.y) * (P.y - C1.y)) - rho1;
    } else {
        clearance = ((C1.x - rho1 * s - P.x) + (P.y - rho1 * c - C1.y) / cr_tan(theta)) * s;
    }
    if (!(clearance > t)) {
        out.stop(width_message("2", clearance));
        return false;
    }
    out.line(C1.x - (rho1 - r) * s, C1.y + (rho1 - r) * c, C2.x + (rho2 + r) * s,
             C2.y - (rho2 + r) * c, kOutline);
    return true;
}

}  // namespace tracemill::glyphs
