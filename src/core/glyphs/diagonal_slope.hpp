// The slope of a straight diagonal stroke, and how far its outline lines lie
// from its skeleton along each axis. Shared by the diagonal capitals.
#pragma once

#include "../glyph.hpp"

namespace tracemill::glyphs {

// A diagonal between two skeleton points that lies `rise` above (or below)
// the other over a horizontal `run`. Its angle is taken as degrees with the
// drawing's Pi, and every trigonometric value is taken of that degree value
// converted back, so that the arcs' angles and the outline's points agree in
// the last digit.
struct DiagonalSlope {
    double deg = 0;  // atan(rise / run) in degrees, between 0 and 90
    double sin = 0, cos = 0, tan = 0;
    // The outline lines are the skeleton shifted by r along its two normals:
    // by (−s, +c) and (+s, −c) for a stroke rising to the right, by (+s, +c)
    // and (−s, −c) for one falling to the right.
    double s = 0;  // sin · r
    double c = 0;  // cos · r
};

DiagonalSlope diagonal_slope(double rise, double run, double r, double Pi);

}  // namespace tracemill::glyphs
