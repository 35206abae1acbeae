#include "line_circle_angle.hpp"

#include <cmath>

#include "../exact_math.hpp"
#include "../glyph.hpp"

namespace tracemill::glyphs {

bool line_circle_angle(double R, double cx, double cy, double px, double py, double a,
                       double Pi, GeometryResult& result) {
    // Horizontal and vertical lines are told apart by exact comparisons: tan
    // of a right angle in degrees converted with this Pi is merely huge, and
    // cos of it merely tiny, so the general form would lose the offset there.
    const double m = std::fabs(a);
    double dd;
    if (m == 0 || m == 180 || m == 360 || m == 540) {
        dd = cy - py;
    } else if (m == 90 || m == 270 || m == 450) {
        dd = cx - px;
    } else {
        const double rad = to_radians(a, Pi);
        dd = ((cx - px) * cr_tan(rad) + py - cy) * cr_cos(rad);
    }
    if (std::fabs(dd) > R) return false;
    // |dd| ≤ R makes dd/R lie in [−1, 1] after rounding as well; a tangent
    // line (|dd| = R) gives a ∓ 90.
    result.angle = a - to_degrees(cr_asin(dd / R), Pi);
    return true;
}

}  // namespace tracemill::glyphs
