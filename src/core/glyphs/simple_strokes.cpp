// The five simplest glyphs: a single straight stroke with round caps
// (hyphen, underscore, vertical bar, slash) and the full stop's dot.
#include <cmath>

#include "../exact_math.hpp"
#include "glyphs.hpp"

namespace tracemill::glyphs {

// Hyphen: a horizontal stroke across the whole cell at half height; its caps
// touch the left and right cell edges.
void hyphen(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, r = c.r;
    const Point L{x + r, y - H / 2};
    const Point R{x + W - r, y - H / 2};
    out.arc(L, r, 90, 270, kOutline);
    out.arc(R, r, -90, 90, kOutline);
    out.line(L, R, kCentre);
    out.line(x + r, y - H / 2 + r, x + W - r, y - H / 2 + r, kOutline);
    out.line(x + r, y - H / 2 - r, x + W - r, y - H / 2 - r, kOutline);
}

// Underscore: the same stroke resting on the cell's bottom edge.
void underscore(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, r = c.r;
    const Point L{x + r, y - H + r};
    const Point R{x + W - r, y - H + r};
    out.arc(L, r, 90, 270, kOutline);
    out.arc(R, r, -90, 90, kOutline);
    out.line(L, R, kCentre);
    out.line(x + r, y - H + 2 * r, x + W - r, y - H + 2 * r, kOutline);
    out.line(x + r, y - H, x + W - r, y - H, kOutline);
}

// Vertical bar: a stroke down the middle of the cell, caps touching the top
// and bottom edges. The bottom cap runs −180 .. 0, not 180 .. 360.
void vertical_bar(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, r = c.r;
    const Point T{x + W / 2, y - r};
    const Point B{x + W / 2, y - H + r};
    out.arc(T, r, 0, 180, kOutline);
    out.arc(B, r, -180, 0, kOutline);
    out.line(T, B, kCentre);
    out.line(x + W / 2 - r, y - r, x + W / 2 - r, y - H + r, kOutline);
    out.line(x + W / 2 + r, y - r, x + W / 2 + r, y - H + r, kOutline);
}

// Slash: the diagonal from the bottom-left to the top-right corner, inset by r
// so that each cap is tangent to the two cell edges of its corner. A is the
// slope in degrees; (s, c) is the unit normal scaled to r.
void slash(const GlyphCell& cell, GlyphOutput& out) {
    const double x = cell.x, y = cell.y, W = cell.W, H = cell.H, r = cell.r, Pi = cell.Pi;
    const Point P{x + r, y - H + r};
    const Point Q{x + W - r, y - r};
    const double A = cr_atan(((y - r) - (y - H + r)) / ((x + W - r) - (x + r))) * 180 / Pi;
    const double s = cr_sin(A * Pi / 180) * r;
    const double c = cr_cos(A * Pi / 180) * r;
    out.arc(P, r, A + 90, A + 270, kOutline);
    out.arc(Q, r, A - 90, A + 90, kOutline);
    out.line(P, Q, kCentre);
    out.line(P.x - s, P.y + c, Q.x - s, Q.y + c, kOutline);
    out.line(P.x + s, P.y - c, Q.x + s, Q.y - c, kOutline);
}

// Full stop: a dot whose outline has diameter 1.7t and rests on the bottom
// edge. The centre line is a small circle of radius 0.35t, so the dot keeps
// the pen-offset relation (outline = centre line + r) of every other glyph.
void full_stop(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r;
    constexpr std::string_view name = "点";
    if (!(W / (0.85 * 2) > t)) {
        out.stop(width_message(name, W / 1.7));
        return;
    }
    if (!(H / (0.85 * 2) > t)) {
        out.stop(width_message(name, H / 1.7));
        return;
    }
    const Point D{x + W / 2, (y - H) + r + (0.85 * t - r)};
    out.circle(D, 0.85 * t - r, kCentre);
    out.circle(D, r + (0.85 * t - r), kOutline);
}

}  // namespace tracemill::glyphs
