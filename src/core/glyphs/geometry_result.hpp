// The record through which the shared geometric routines of the glyphs return
// their results. The caller provides it; each routine writes only its own
// fields and returns whether it succeeded, so on failure the caller's previous
// values stay.
#pragma once

#include "../geometry.hpp"

namespace tracemill::glyphs {

struct GeometryResult {
    Point point;         // the crossing of two lines (also a by-product of the corner arc)
    double radius = 0;   // the corner arc's radius
    double angle = 0;    // the corner arc's terminal angle, or where a line cuts a circle (degrees)
    double angle1 = 0;   // where two circles meet: the two polar angles about the first
    double angle2 = 0;   // circle's centre (degrees)
};

}  // namespace tracemill::glyphs
