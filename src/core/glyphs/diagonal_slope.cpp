#include "diagonal_slope.hpp"

#include <cmath>

namespace tracemill::glyphs {

DiagonalSlope diagonal_slope(double rise, double run, double r, double Pi) {
    DiagonalSlope d;
    d.deg = to_degrees(std::atan(rise / run), Pi);
    const double rad = to_radians(d.deg, Pi);
    d.sin = std::sin(rad);
    d.cos = std::cos(rad);
    d.tan = std::tan(rad);
    d.s = d.sin * r;
    d.c = d.cos * r;
    return d;
}

}  // namespace tracemill::glyphs
