#include "circle_intersection.hpp"

#include <cmath>

#include "../exact_math.hpp"
#include "../glyph.hpp"

namespace tracemill::glyphs {

bool circle_intersection_angles(double R1, double X1, double Y1, double R2, double X2, double Y2,
                                double Pi, GeometryResult& result) {
    const double d = std::sqrt(pow2(X2 - X1) + pow2(Y2 - Y1));
    // One circle inside the other, or the two apart: no crossing. Equality
    // (touching circles) goes on.
    if (std::fabs(R2 - R1) > d) return false;
    if (R1 + R2 < d) return false;

    // D: the direction from centre 1 to centre 2, in degrees.
    double D;
    if (X2 != X1) {
        D = cr_atan2(Y2 - Y1, X2 - X1) * 180 / Pi;
    } else if (Y2 > Y1) {
        D = 90;
    } else if (Y2 < Y1) {
        D = -90;
    } else {
        return false;  // the same centre: no direction to measure from
    }

    // J: the half angle, at centre 1, between the two crossing points (law of
    // cosines in the triangle centre 1, centre 2, crossing point). Circles
    // that touch, where the tests above passed on equality or by rounding,
    // can put the cosine a hair beyond ±1; the touching point (J = 0 or 180)
    // is the one meant. A first circle without radius has no polar angles.
    const double cosine = (pow2(d) + pow2(R1) - pow2(R2)) / (2 * d * R1);
    if (std::isnan(cosine)) return false;
    const double J = cr_acos(clamp_unit(cosine)) * 180 / Pi;

    result.angle1 = D + J;
    result.angle2 = D - J;
    return true;
}

}  // namespace tracemill::glyphs
