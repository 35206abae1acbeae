#include "diagonal_slope.hpp"

#include <cmath>

#include "../exact_math.hpp"

namespace tracemill::glyphs {

DiagonalSlope diagonal_slope(double rise, double run, double r, double Pi) {
    DiagonalSlope d;
    d.deg = to_degrees(cr_atan(rise / run), Pi);
    const double rad = to_radians(d.deg, Pi);
    d.sin = cr_sin(rad);
    d.cos = cr_cos(rad);
    d.tan = cr_tan(rad);
    d.s = d.sin * r;
    d.c = d.cos * r;
    return d;
}

}  // namespace tracemill::glyphs
