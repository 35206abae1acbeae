#include "corner_arc.hpp"

#include <algorithm>
#include <cmath>

#include "../exact_math.hpp"

namespace tracemill::glyphs {

namespace {

// Whether a direction (degrees) is one of the vertical ones, as the callers
// give them: exact comparisons, since the directions are computed values.
bool vertical(double a) {
    const double m = std::fabs(a);
    return m == 90 || m == 270 || m == 450;
}

// Relative difference below which two corner distances count as equal: a few
// thousand ulps, far below any difference a cell's proportions can make and
// far above what rounding of the cell position leaves behind.
constexpr double kSameDistance = 1e-12;

}  // namespace

bool intersect_lines(double x1, double y1, double a1, double x2, double y2, double a2,
                     GeometryResult& result, double Pi) {
    const double d = std::fabs(a1 - a2);
    if (d == 0 || d == 180 || d == 360 || d == 540) return false;
    if (vertical(a1)) {
        result.point = {x1, (x1 - x2) * cr_tan(to_radians(a2, Pi)) + y2};
        return true;
    }
    if (vertical(a2)) {
        result.point = {x2, (x2 - x1) * cr_tan(to_radians(a1, Pi)) + y1};
        return true;
    }
    const double t1 = cr_tan(to_radians(a1, Pi));
    const double t2 = cr_tan(to_radians(a2, Pi));
    const double X = (y2 - x2 * t2 - y1 + x1 * t1) / (t1 - t2);
    result.point = {X, (X - x1) * t1 + y1};
    return true;
}

bool fit_corner_arc(double a, double b, GeometryResult& result, double Pi) {
    const double A = std::fabs(a);
    const double B = std::fabs(b);
    if (A == 0 || B == 0) return false;
    if (A == B || std::fabs(A - B) <= kSameDistance * std::max(A, B)) {
        // The point lies on the bisector: it is the circle's point nearest the
        // corner's far side, at 45 degrees below the centre's horizontal.
        result.radius = A * std::sqrt(2.0) / (std::sqrt(2.0) + 1);
        result.angle = -45;
        return true;
    }
    // theta is the direction of the point seen from the corner; phi follows
    // from the chord through the corner's tangent points (its argument is
    // cos theta − sin theta, inside (−1, 1) for any point off the sides).
    const double theta = to_degrees(cr_atan(B / A), Pi);
    const double th = to_radians(theta, Pi);
    const double phi =
        to_degrees(cr_asin(clamp_unit((1 - cr_tan(th)) * cr_cos(th))), Pi) - theta;
    result.angle = phi;
    // The centre is where the bisector meets the radius through the point
    // (direction −phi in the corner's frame, whose y axis points the other way).
    if (!intersect_lines(0, 0, 45, A, B, -phi, result, Pi)) return false;
    const double dx = A - result.point.x;
    const double dy = B - result.point.y;
    result.radius = std::sqrt(dx * dx + dy * dy);
    return true;
}

}  // namespace tracemill::glyphs
