// Two small constructions shared by glyphs that round a corner or join
// strokes meeting at an angle: the crossing point of two lines, and the
// corner arc that touches both sides of a right angle and passes through a
// given point (the terminal of a 'C'-like stroke). Both report through the
// caller's GeometryResult and a success flag; neither emits anything or stops
// the run.
#pragma once

#include "../glyph.hpp"
#include "geometry_result.hpp"

namespace tracemill::glyphs {

// The crossing of the line through (x1, y1) with direction a1 and the line
// through (x2, y2) with direction a2 (angles in degrees). On success writes
// result.point. Parallel lines (directions differing by exactly 0, 180, 360
// or 540 degrees) fail and write nothing. Directions of exactly ±90, ±270 or
// ±450 are taken as vertical lines.
bool intersect_lines(double x1, double y1, double a1, double x2, double y2, double a2,
                     GeometryResult& result, double Pi = kPi);

// The circle inside a right-angled corner that touches both of its sides and
// passes through a point at distances a and b from the corner along the two
// sides (signs ignored). Its centre lies on the corner's bisector, at (ρ, ρ)
// in the corner's frame.
//
// Writes result.radius = ρ and result.angle = φ, the polar angle (degrees) at
// which the point lies on the circle in a glyph frame whose corner is at the
// top left with the sides running right and down; the circle's centre is
// written to result.point as a by-product (in the corner's frame, when the
// general construction is used). Fails when a or b is zero, writing nothing,
// or when the construction's two lines turn out parallel (the angle is then
// already written).
//
// The point on the bisector (a = b) is answered directly: ρ = a·√2/(√2 + 1),
// φ = −45. Distances that are equal on paper but differ in their last bits
// (the corner and the point come from different sums of the cell position)
// count as equal too: the general construction divides by the difference of
// two nearly equal tangents there and returns a meaningless radius, or finds
// its lines exactly parallel.
bool fit_corner_arc(double a, double b, GeometryResult& result, double Pi = kPi);

}  // namespace tracemill::glyphs
