// Where two circles meet: the polar angles of their crossing points about the
// first circle's centre. Used by the comma-like punctuation (a dot's outline
// against the tail's edges) and by '@'.
#pragma once

#include "geometry_result.hpp"

namespace tracemill::glyphs {

// Circle 1 has centre (X1, Y1) and radius R1, circle 2 centre (X2, Y2) and
// radius R2. On success, result.angle1 and result.angle2 are the polar angles
// (degrees) about (X1, Y1) of the two crossing points: angle1 anticlockwise,
// angle2 clockwise from the direction towards circle 2's centre. Touching
// circles (from inside or outside) succeed with angle1 = angle2. Fails when
// one circle lies inside the other, when they lie apart and when they share
// their centre; the result is then left as it was.
bool circle_intersection_angles(double R1, double X1, double Y1, double R2, double X2, double Y2,
                                double Pi, GeometryResult& result);

}  // namespace tracemill::glyphs
