// The grid of cells and strokes over which every glyph of the dispatch table
// is checked: eight cell shapes from tiny to huge, and for each a handful of
// strokes up to the largest one the glyph still draws with.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "test_support.hpp"

namespace tracemill::testing {

struct CellShape {
    const char* name;
    double W, H;
};

inline constexpr CellShape kShapes[] = {
    {"default", 2.1, 5},  {"narrow", 1, 10},  {"wide", 20, 4},   {"square", 10, 10},
    {"tiny", 0.03, 0.05}, {"huge", 3e5, 7e5}, {"flat", 40, 1.3}, {"tall", 1.3, 40},
};

// The largest stroke (to about one part in 2^60) at which the glyph still
// draws in this cell, found by bisection. A glyph without tests of its own is
// only bounded by the run's check min(W, H) > t; there its skeleton shrinks
// towards a point, so it is taken a millionth below that bound, where the
// skeleton still has a printable length.
struct StrokeLimit {
    double stroke;
    bool own_test;  // false: only the run's check bounds the stroke
};
inline StrokeLimit largest_fitting_stroke(unsigned char byte, double W, double H) {
    double lo = 0, hi = std::min(W, H);
    if (draw_glyph(byte, 0, H, W, H, hi * (1 - 1e-6)).stop.empty()) return {hi * (1 - 1e-6), false};
    for (int k = 0; k < 60; ++k) {
        const double mid = (lo + hi) / 2;
        (draw_glyph(byte, 0, H, W, H, mid).stop.empty() ? lo : hi) = mid;
    }
    return {lo, true};
}

inline std::vector<unsigned char> table_bytes() {
    std::vector<unsigned char> bytes;
    for (int b = 0; b < 256; ++b)
        if (glyph_table()[static_cast<std::size_t>(b)] != nullptr) bytes.push_back(static_cast<unsigned char>(b));
    return bytes;
}

// One case of the grid: an off-origin cell, so that the cell position enters
// every number.
struct GridCase {
    unsigned char byte;
    const CellShape* shape;
    double x, y, t;
    bool at_limit;  // t is the largest fitting stroke or a hair below it
    std::string where() const {
        return std::string("glyph '") + static_cast<char>(byte) + "' in the " + shape->name +
               " cell, t = " + std::to_string(t);
    }
};

// Calls f(case) for every glyph, cell shape and stroke of the grid.
template <class F>
void for_each_grid_case(F f) {
    for (unsigned char byte : table_bytes()) {
        for (const auto& s : kShapes) {
            const double m = std::min(s.W, s.H);
            const double limit = largest_fitting_stroke(byte, s.W, s.H).stroke;
            const double strokes[] = {0.3, 0.01 * m, 0.1 * m, 0.3 * m, limit, limit * (1 - 1e-9)};
            for (std::size_t k = 0; k < std::size(strokes); ++k) {
                const double t = strokes[k];
                if (!(t > 0 && t < m)) continue;
                f(GridCase{byte, &s, -3.7 * s.W, 2.9 * s.H, t, k >= 4});
            }
        }
    }
}

}  // namespace tracemill::testing
