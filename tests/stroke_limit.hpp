// The last stroke width a glyph's tests let through, to the last bit.
#pragma once

#include <algorithm>
#include <cmath>

#include "test_support.hpp"

namespace tracemill::testing {

// The largest stroke width at which the glyph still draws without stopping in
// a W × H cell (top-left corner (x, y), by default (0, H)): bisection over
// doubles until the two ends are adjacent. At that width a test passes by one
// ulp, where the pieces of outline the test protects have shrunk to nothing.
inline double last_passing_stroke(unsigned char byte, double x, double y, double W, double H) {
    double lo = 0, hi = std::min(W, H);
    while (std::nextafter(lo, hi) < hi) {
        const double mid = lo + (hi - lo) / 2;
        (draw_glyph(byte, x, y, W, H, mid).stop.empty() ? lo : hi) = mid;
    }
    return lo;
}
inline double last_passing_stroke(unsigned char byte, double W, double H) {
    return last_passing_stroke(byte, 0, H, W, H);
}

}  // namespace tracemill::testing
