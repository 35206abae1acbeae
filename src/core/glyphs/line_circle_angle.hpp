// Where a straight line cuts a circle, as an angle: the routine with which a
// glyph trims an outline arc against a slanted outline line (the bowl of the R
// against its leg, the bowl of the Q against its tail).
#pragma once

#include "geometry_result.hpp"

namespace tracemill::glyphs {

// A circle of radius R about (cx, cy) and the line through (px, py) with the
// direction angle a (degrees, anticlockwise from the x axis).
//
// dd is the line's offset from the circle's centre. For a line that is
// exactly horizontal (|a| = 0, 180, 360, 540) it is cy − py, for one that is
// exactly vertical (|a| = 90, 270, 450) cx − px; otherwise it is
// ((cx − px)·tan a + py − cy)·cos a, the line's distance from the centre,
// positive when the line passes to the left of the centre as seen along the
// direction a (above it, for a line running to the right).
//
// When |dd| > R the line misses the circle: false is returned and nothing is
// written. Otherwise (a tangent line, |dd| = R, included) result.angle is set
// to a − asin(dd/R) in degrees and true is returned. In the general case
// angle + 180 is then the polar angle, about (cx, cy), of the crossing lying
// farther back along the direction a. The special cases keep their own signs,
// which at a = 0, ±360, −90, 270 and −450 are the opposite ones: there angle
// itself is the polar angle of the crossing farther ahead. Nothing is
// mirrored or normalised; callers choose the frame and the angle.
bool line_circle_angle(double R, double cx, double cy, double px, double py, double a,
                       double Pi, GeometryResult& result);

}  // namespace tracemill::glyphs
