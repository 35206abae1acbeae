// The brackets [ ] ( ) { }. Each closing bracket is the mirror image of its
// opening one about the cell's vertical centre line x + W/2; the two are
// written out separately because the emitted angles and the order of the
// entities differ between them.
//
// Square brackets and parentheses sit in the band x + 0.3·W .. x + 0.7·W
// (bracket ratio 0.3): the stem or the deepest point of the curve at one edge
// of the band, the arm or curve ends at the other. Braces use the whole
// width: four quarter arcs, joined by straight stems at x + W/2 in a tall
// cell, meeting at a point on the far side at mid-height.
#include <cmath>

#include "../exact_math.hpp"
#include "glyphs.hpp"

namespace tracemill::glyphs {

namespace {

// Square brackets and parentheses need the band's width 0.6·W (the bracket
// ratio's width doubled) and half the height for the pen.
bool bracket_fits(const GlyphCell& c, GlyphOutput& out, std::string_view name) {
    if (!stroke_fits(out, 0.3 * c.W * 2, c.t, name)) return false;
    return stroke_fits(out, c.H / 2, c.t, name);
}

// Braces need half the width and a third of the height.
bool brace_fits(const GlyphCell& c, GlyphOutput& out, std::string_view name) {
    if (!stroke_fits(out, c.W / 2, c.t, name)) return false;
    return stroke_fits(out, c.H / 3, c.t, name);
}

}  // namespace

// '[': a stem at x + 0.4·W from the top skeleton line y − r to the bottom one
// y − H + r, and two arms to the right ending with caps at x + 0.7·W. The two
// outer corners are rounded by quarter arcs about the stem's ends; the inner
// corners are sharp at (x + 0.4·W + r, y − 2r) and (x + 0.4·W + r, y − H + 2r).
void left_square_bracket(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, r = c.r;
    if (!bracket_fits(c, out, "［")) return;
    out.arc({x + 0.4 * W, y - r}, r, 90, 180, kOutline);
    out.arc({x + 0.4 * W, y - H + r}, r, -180, -90, kOutline);
    out.arc({x + 0.7 * W, y - H + r}, r, -90, 90, kOutline);
    out.arc({x + 0.7 * W, y - r}, r, -90, 90, kOutline);
    // Top arm.
    out.line(x + 0.4 * W, y - r, x + 0.7 * W, y - r, kCentre);
    out.line(x + 0.4 * W, y, x + 0.7 * W, y, kOutline);
    out.line(x + 0.4 * W + r, y - 2 * r, x + 0.7 * W, y - 2 * r, kOutline);
    // Stem.
    out.line(x + 0.4 * W, y - r, x + 0.4 * W, y - H + r, kCentre);
    out.line(x + 0.4 * W - r, y - r, x + 0.4 * W - r, y - H + r, kOutline);
    out.line(x + 0.4 * W + r, y - 2 * r, x + 0.4 * W + r, y - H + 2 * r, kOutline);
    // Bottom arm.
    out.line(x + 0.4 * W, y - H + r, x + 0.7 * W, y - H + r, kCentre);
    out.line(x + 0.4 * W, y - H, x + 0.7 * W, y - H, kOutline);
    out.line(x + 0.4 * W + r, y - H + 2 * r, x + 0.7 * W, y - H + 2 * r, kOutline);
}

// ']': the mirror image, arms from caps at x + 0.3·W to the stem at x + 0.6·W.
void right_square_bracket(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, r = c.r;
    if (!bracket_fits(c, out, "］")) return;
    out.arc({x + 0.3 * W, y - r}, r, 90, 270, kOutline);
    out.arc({x + 0.3 * W, y - H + r}, r, 90, 270, kOutline);
    out.arc({x + 0.6 * W, y - H + r}, r, -90, 0, kOutline);
    out.arc({x + 0.6 * W, y - r}, r, 0, 90, kOutline);
    // Top arm.
    out.line(x + 0.3 * W, y - r, x + 0.6 * W, y - r, kCentre);
    out.line(x + 0.3 * W, y, x + 0.6 * W, y, kOutline);
    out.line(x + 0.3 * W, y - 2 * r, x + 0.6 * W - r, y - 2 * r, kOutline);
    // Stem.
    out.line(x + 0.6 * W, y - r, x + 0.6 * W, y - H + r, kCentre);
    out.line(x + 0.6 * W + r, y - r, x + 0.6 * W + r, y - H + r, kOutline);
    out.line(x + 0.6 * W - r, y - 2 * r, x + 0.6 * W - r, y - H + 2 * r, kOutline);
    // Bottom arm.
    out.line(x + 0.3 * W, y - H + r, x + 0.6 * W, y - H + r, kCentre);
    out.line(x + 0.3 * W, y - H, x + 0.6 * W, y - H, kOutline);
    out.line(x + 0.3 * W, y - H + 2 * r, x + 0.6 * W - r, y - H + 2 * r, kOutline);
}

// '(': one circular arc from the top end (x + 0.7·W, y − r) through the
// deepest point (x + 0.4·W, y − H/2) to the bottom end (x + 0.7·W, y − H + r).
// theta is the angle between the vertical and the chord from the deepest
// point to the top end; the circle through the three points has radius R and
// its centre on the horizontal through the deepest point, and the arc spans
// 180 ± 2·theta. Such an arc stays below the cell top only while it is less
// than a half circle, i.e. while the skeleton's height H − t exceeds the
// band's width 0.6·W. Otherwise the skeleton is a half circle of the height's
// radius, its ends at x + 0.7·W; when that would leave the half circle wholly
// right of the cell's centre line, it is moved left until its leftmost point
// lies on the centre line.
void left_parenthesis(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r, Pi = c.Pi;
    if (!bracket_fits(c, out, "（")) return;
    if (H - t > 2 * W * 0.3) {
        const double theta = cr_atan(0.3 * W / (H / 2 - r)) * 180 / Pi;
        const double R = std::sqrt((0.3 * W) * (0.3 * W) + (H / 2 - r) * (H / 2 - r)) /
                         (2 * cr_sin(theta * Pi / 180));
        const Point C{x + 0.4 * W + R, y - H / 2};
        out.arc({x + 0.7 * W, y - r}, r, -2 * theta, -2 * theta + 180, kOutline);
        out.arc({x + 0.7 * W, y - H + r}, r, 2 * theta - 180, 2 * theta, kOutline);
        out.arc(C, R, -2 * theta + 180, 2 * theta + 180, kCentre);
        out.arc(C, R + r, -2 * theta + 180, 2 * theta + 180, kOutline);
        out.arc(C, R - r, -2 * theta + 180, 2 * theta + 180, kOutline);
        return;
    }
    const double rho = (H - t) / 2;
    const double cx = 0.3 * W + rho > W / 2 ? x + 0.7 * W : x + W / 2 + rho;
    out.arc({cx, y - r}, r, -90, 90, kOutline);
    out.arc({cx, y - H + r}, r, -90, 90, kOutline);
    out.arc({cx, y - H / 2}, H / 2 - r, 90, 270, kCentre);
    out.arc({cx, y - H / 2}, H / 2, 90, 270, kOutline);
    out.arc({cx, y - H / 2}, H / 2 - 2 * r, 90, 270, kOutline);
}

// ')': the mirror image, ends at x + 0.3·W, deepest point at x + 0.6·W; the
// centre of the three-point arc lies R to the left of the deepest point.
void right_parenthesis(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r, Pi = c.Pi;
    if (!bracket_fits(c, out, "）")) return;
    if (H - t > 2 * W * 0.3) {
        const double theta = cr_atan(0.3 * W / (H / 2 - r)) * 180 / Pi;
        const double R = std::sqrt((0.3 * W) * (0.3 * W) + (H / 2 - r) * (H / 2 - r)) /
                         (2 * cr_sin(theta * Pi / 180));
        const Point C{x + 0.6 * W - R, y - H / 2};
        out.arc({x + 0.3 * W, y - r}, r, 2 * theta, 2 * theta + 180, kOutline);
        out.arc({x + 0.3 * W, y - H + r}, r, -2 * theta - 180, -2 * theta, kOutline);
        out.arc(C, R, -2 * theta, 2 * theta, kCentre);
        out.arc(C, R + r, -2 * theta, 2 * theta, kOutline);
        out.arc(C, R - r, -2 * theta, 2 * theta, kOutline);
        return;
    }
    const double rho = (H - t) / 2;
    const double cx = 0.3 * W + rho > W / 2 ? x + 0.3 * W : x + W / 2 - rho;
    out.arc({cx, y - r}, r, 90, 270, kOutline);
    out.arc({cx, y - H + r}, r, 90, 270, kOutline);
    out.arc({cx, y - H / 2}, H / 2 - r, -90, 90, kCentre);
    out.arc({cx, y - H / 2}, H / 2, -90, 90, kOutline);
    out.arc({cx, y - H / 2}, H / 2 - 2 * r, -90, 90, kOutline);
}

// '{': four quarter arcs of skeleton radius q. The top arc runs from the top
// end (right, with a cap) down to the upper stem at x + W/2; the next from
// the stem to the point on the left at mid-height; the third from the point
// to the lower stem; the bottom arc from the stem to the bottom end (right).
// In a tall cell (H − t > W) q = W/4 and straight stems fill the height
// between the arcs; otherwise the height sets q = (H − t)/4 and the arcs meet
// directly. At the point the two middle arcs' outer edges (radius q + r)
// cross on the mid-height line in a sharp inner corner, at −kappa and +kappa
// about their centres; the point itself gets a half-circle cap on the left.
void left_brace(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r, Pi = c.Pi;
    if (!brace_fits(c, out, "｛")) return;
    if (H - t > W) {
        const double kappa = cr_asin((W / 4) / (W / 4 + r)) * 180 / Pi;
        // The upper and lower stems.
        out.line(x + W / 2, y - W / 4 - r, x + W / 2, y + W / 4 - H / 2, kCentre);
        out.line(x + W / 2 - r, y - W / 4 - r, x + W / 2 - r, y + W / 4 - H / 2, kOutline);
        out.line(x + W / 2 + r, y - W / 4 - r, x + W / 2 + r, y + W / 4 - H / 2, kOutline);
        out.line(x + W / 2, y - W / 4 - H / 2, x + W / 2, y + W / 4 - H + r, kCentre);
        out.line(x + W / 2 - r, y - W / 4 - H / 2, x + W / 2 - r, y + W / 4 - H + r, kOutline);
        out.line(x + W / 2 + r, y - W / 4 - H / 2, x + W / 2 + r, y + W / 4 - H + r, kOutline);
        // Caps: top end, point, bottom end.
        out.arc({x + 0.75 * W, y - r}, r, -90, 90, kOutline);
        out.arc({x + W / 4, y - H / 2}, r, 90, 270, kOutline);
        out.arc({x + 0.75 * W, y - H + r}, r, -90, 90, kOutline);
        // Top arc.
        const Point top{x + 0.75 * W, y - W / 4 - r};
        out.arc(top, W / 4, 90, 180, kCentre);
        out.arc(top, W / 4 + r, 90, 180, kOutline);
        out.arc(top, W / 4 - r, 90, 180, kOutline);
        // From the upper stem down to the point.
        const Point upper{x + W / 4, y + W / 4 - H / 2};
        out.arc(upper, W / 4, -90, 0, kCentre);
        out.arc(upper, W / 4 + r, -kappa, 0, kOutline);
        out.arc(upper, W / 4 - r, -90, 0, kOutline);
        // From the point down to the lower stem.
        const Point lower{x + W / 4, y - W / 4 - H / 2};
        out.arc(lower, W / 4, 0, 90, kCentre);
        out.arc(lower, W / 4 + r, 0, kappa, kOutline);
        out.arc(lower, W / 4 - r, 0, 90, kOutline);
        // Bottom arc.
        const Point bottom{x + 0.75 * W, y + W / 4 - H + r};
        out.arc(bottom, W / 4, -180, -90, kCentre);
        out.arc(bottom, W / 4 + r, -180, -90, kOutline);
        out.arc(bottom, W / 4 - r, -180, -90, kOutline);
        return;
    }
    // Short form: q = H/4 − r/2; the arcs' centres lie q either side of x + W/2.
    const double kappa = cr_asin((H / 4 - r / 2) / (H / 4 + r / 2)) * 180 / Pi;
    out.arc({x + W / 2 + H / 4 - r / 2, y - r}, r, -90, 90, kOutline);
    out.arc({x + W / 2 - H / 4 + r / 2, y - H / 2}, r, 90, 270, kOutline);
    out.arc({x + W / 2 + H / 4 - r / 2, y - H + r}, r, -90, 90, kOutline);
    const Point top{x + W / 2 + H / 4 - r / 2, y - H / 4 - r / 2};
    out.arc(top, H / 4 - r / 2, 90, 180, kCentre);
    out.arc(top, H / 4 + r / 2, 90, 180, kOutline);
    out.arc(top, H / 4 - 1.5 * r, 90, 180, kOutline);
    const Point upper{x + W / 2 - H / 4 + r / 2, y - H / 4 - r / 2};
    out.arc(upper, H / 4 - r / 2, -90, 0, kCentre);
    out.arc(upper, H / 4 + r / 2, -kappa, 0, kOutline);
    out.arc(upper, H / 4 - 1.5 * r, -90, 0, kOutline);
    const Point lower{x + W / 2 - H / 4 + r / 2, y - 0.75 * H + r / 2};
    out.arc(lower, H / 4 - r / 2, 0, 90, kCentre);
    out.arc(lower, H / 4 + r / 2, 0, kappa, kOutline);
    out.arc(lower, H / 4 - 1.5 * r, 0, 90, kOutline);
    const Point bottom{x + W / 2 + H / 4 - r / 2, y - 0.75 * H + r / 2};
    out.arc(bottom, H / 4 - r / 2, -180, -90, kCentre);
    out.arc(bottom, H / 4 + r / 2, -180, -90, kOutline);
    out.arc(bottom, H / 4 - 1.5 * r, -180, -90, kOutline);
}

// '}': the mirror image: the ends on the left, the point on the right.
void right_brace(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r, Pi = c.Pi;
    if (!brace_fits(c, out, "｝")) return;
    if (H - t > W) {
        const double kappa = cr_asin((W / 4) / (W / 4 + r)) * 180 / Pi;
        out.line(x + W / 2, y - W / 4 - r, x + W / 2, y + W / 4 - H / 2, kCentre);
        out.line(x + W / 2 - r, y - W / 4 - r, x + W / 2 - r, y + W / 4 - H / 2, kOutline);
        out.line(x + W / 2 + r, y - W / 4 - r, x + W / 2 + r, y + W / 4 - H / 2, kOutline);
        out.line(x + W / 2, y - W / 4 - H / 2, x + W / 2, y + W / 4 - H + r, kCentre);
        out.line(x + W / 2 - r, y - W / 4 - H / 2, x + W / 2 - r, y + W / 4 - H + r, kOutline);
        out.line(x + W / 2 + r, y - W / 4 - H / 2, x + W / 2 + r, y + W / 4 - H + r, kOutline);
        out.arc({x + W / 4, y - r}, r, 90, 270, kOutline);
        out.arc({x + 0.75 * W, y - H / 2}, r, -90, 90, kOutline);
        out.arc({x + W / 4, y - H + r}, r, 90, 270, kOutline);
        const Point top{x + W / 4, y - W / 4 - r};
        out.arc(top, W / 4, 0, 90, kCentre);
        out.arc(top, W / 4 + r, 0, 90, kOutline);
        out.arc(top, W / 4 - r, 0, 90, kOutline);
        const Point upper{x + 0.75 * W, y + W / 4 - H / 2};
        out.arc(upper, W / 4, -180, -90, kCentre);
        out.arc(upper, W / 4 + r, -180, kappa - 180, kOutline);
        out.arc(upper, W / 4 - r, -180, -90, kOutline);
        const Point lower{x + 0.75 * W, y - W / 4 - H / 2};
        out.arc(lower, W / 4, 90, 180, kCentre);
        out.arc(lower, W / 4 + r, 180 - kappa, 180, kOutline);
        out.arc(lower, W / 4 - r, 90, 180, kOutline);
        const Point bottom{x + W / 4, y + W / 4 - H + r};
        out.arc(bottom, W / 4, -90, 0, kCentre);
        out.arc(bottom, W / 4 + r, -90, 0, kOutline);
        out.arc(bottom, W / 4 - r, -90, 0, kOutline);
        return;
    }
    const double kappa = cr_asin((H / 4 - r / 2) / (H / 4 + r / 2)) * 180 / Pi;
    out.arc({x + W / 2 - H / 4 + r / 2, y - r}, r, 90, 270, kOutline);
    out.arc({x + W / 2 + H / 4 - r / 2, y - H / 2}, r, -90, 90, kOutline);
    out.arc({x + W / 2 - H / 4 + r / 2, y - H + r}, r, 90, 270, kOutline);
    const Point top{x + W / 2 - H / 4 + r / 2, y - H / 4 - r / 2};
    out.arc(top, H / 4 - r / 2, 0, 90, kCentre);
    out.arc(top, H / 4 + r / 2, 0, 90, kOutline);
    out.arc(top, H / 4 - 1.5 * r, 0, 90, kOutline);
    const Point upper{x + W / 2 + H / 4 - r / 2, y - H / 4 - r / 2};
    out.arc(upper, H / 4 - r / 2, -180, -90, kCentre);
    out.arc(upper, H / 4 + r / 2, -180, kappa - 180, kOutline);
    out.arc(upper, H / 4 - 1.5 * r, -180, -90, kOutline);
    const Point lower{x + W / 2 + H / 4 - r / 2, y - 0.75 * H + r / 2};
    out.arc(lower, H / 4 - r / 2, 90, 180, kCentre);
    out.arc(lower, H / 4 + r / 2, 180 - kappa, 180, kOutline);
    out.arc(lower, H / 4 - 1.5 * r, 90, 180, kOutline);
    const Point bottom{x + W / 2 - H / 4 + r / 2, y - 0.75 * H + r / 2};
    out.arc(bottom, H / 4 - r / 2, -90, 0, kCentre);
    out.arc(bottom, H / 4 + r / 2, -90, 0, kOutline);
    out.arc(bottom, H / 4 - 1.5 * r, -90, 0, kOutline);
}

}  // namespace tracemill::glyphs
