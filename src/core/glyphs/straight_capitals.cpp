// The capitals made only of horizontal and vertical strokes: E, F, H, I, L, T.
//
// They share one construction. Every skeleton stroke runs at distance r inside
// the cell edges (top y − r, bottom y − H + r, left x + r, right x + W − r), so
// the pen's outline touches the cell. Each skeleton segment is one centre line
// followed by its two outline lines at distance r; those are trimmed where
// strokes meet:
//   - a free end gets a half-circle cap of radius r about the end point;
//   - a convex corner of the skeleton gets a quarter arc of radius r about the
//     corner point;
//   - a concave corner is sharp: both outline lines end at the corner point
//     moved by r along both inner normals;
//   - where a stroke ends on another stroke's skeleton (a T-junction) its two
//     outline lines stop on the other stroke's outline, at distance r from
//     that skeleton, and the other stroke's outline on that side is broken
//     between them.
// All arcs come first, then the strokes, each as its centre line and then its
// outline lines. Angles are multiples of 90 degrees only.
//
// The two width tests of each glyph are the conditions under which every
// outline segment has positive length. That holds on paper; in doubles a test
// can pass by one ulp at the tie (0.3·W evaluated as (1 − 2·0.35)·W, say), and
// then a notch or inner segment has length zero. The output drops such
// segments, so the generators emit every entity of the list unconditionally.
#include "glyphs.hpp"

namespace tracemill::glyphs {

namespace {

// Where the middle arm of E and F ends, as a share of the cell width.
constexpr double kMiddleArm = 0.6;
// How far the bars of I stay in from either side, as a share of the width.
constexpr double kSerifInset = 0.35;
// Where they end: 1 − 0.35 is exactly the double 0.65.
constexpr double kBarEnd = 1 - kSerifInset;
}  // namespace

// E: a stem down the left side, arms along the top and the bottom to the
// right edge, and a shorter middle arm at half height ending at 0.6·W.
// The stem meets the top and bottom arms in convex corners (quarter arcs at
// top-left and bottom-left) whose inner sides are the sharp corners
// (x + 2r, y − 2r) and (x + 2r, y − H + 2r); the middle arm leaves the stem
// in a T-junction that breaks the stem's inner outline between y − H/2 + r
// and y − H/2 − r.
void capital_e(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r;
    constexpr std::string_view name = "E";
    // Room for the middle arm beside the stem, and for three arms and the two
    // gaps between them one above the other.
    if (!stroke_fits(out, kMiddleArm * W, t, name)) return;
    if (!stroke_fits(out, H / 3, t, name)) return;

    const Point top_left{x + r, y - r};         // stem top, corner with the top arm
    const Point bottom_left{x + r, y - H + r};  // stem foot, corner with the bottom arm
    const Point top_end{x + W - r, y - r};      // free end of the top arm
    const Point middle_end{x + kMiddleArm * W, y - H / 2};  // free end of the middle arm
    const Point bottom_end{x + W - r, y - H + r};           // free end of the bottom arm

    out.arc(top_left, r, 90, 180, kOutline);
    out.arc(bottom_left, r, 180, 270, kOutline);
    out.arc(top_end, r, -90, 90, kOutline);
    out.arc(middle_end, r, -90, 90, kOutline);
    out.arc(bottom_end, r, -90, 90, kOutline);

    // Top arm: its upper side lies on the cell's top edge; the lower side
    // starts at the inner corner.
    out.line(top_left, top_end, kCentre);
    out.line(x + r, y, x + W - r, y, kOutline);
    out.line(x + 2 * r, y - 2 * r, x + W - r, y - 2 * r, kOutline);
    // Middle arm: both sides start on the stem's inner outline.
    out.line(x + r, y - H / 2, x + kMiddleArm * W, y - H / 2, kCentre);
    out.line(x + 2 * r, y - H / 2 + r, x + kMiddleArm * W, y - H / 2 + r, kOutline);
    out.line(x + 2 * r, y - H / 2 - r, x + kMiddleArm * W, y - H / 2 - r, kOutline);
    // Bottom arm: lower side on the cell's bottom edge.
    out.line(bottom_left, bottom_end, kCentre);
    out.line(x + r, y - H, x + W - r, y - H, kOutline);
    out.line(x + 2 * r, y - H + 2 * r, x + W - r, y - H + 2 * r, kOutline);
    // Stem: outer side on the cell's left edge; the inner side runs from the
    // top inner corner to the middle arm and from there to the bottom one.
    out.line(top_left, bottom_left, kCentre);
    out.line(x, y - r, x, y - H + r, kOutline);
    out.line(x + 2 * r, y - 2 * r, x + 2 * r, y - H / 2 + r, kOutline);
    out.line(x + 2 * r, y - H / 2 - r, x + 2 * r, y - H + 2 * r, kOutline);
}

// F: the E without its bottom arm. The stem's foot is free and gets a
// downward half-circle cap; its inner outline then runs from the middle arm
// down to the foot's level y − H + r.
void capital_f(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r;
    constexpr std::string_view name = "F";
    if (!stroke_fits(out, kMiddleArm * W, t, name)) return;
    if (!stroke_fits(out, H / 3, t, name)) return;

    const Point top_left{x + r, y - r};  // stem top, corner with the top arm
    const Point foot{x + r, y - H + r};  // free end of the stem
    const Point top_end{x + W - r, y - r};
    const Point middle_end{x + kMiddleArm * W, y - H / 2};

    out.arc(top_left, r, 90, 180, kOutline);
    out.arc(foot, r, -180, 0, kOutline);
    out.arc(top_end, r, -90, 90, kOutline);
    out.arc(middle_end, r, -90, 90, kOutline);

    out.line(top_left, top_end, kCentre);
    out.line(x + r, y, x + W - r, y, kOutline);
    out.line(x + 2 * r, y - 2 * r, x + W - r, y - 2 * r, kOutline);
    out.line(x + r, y - H / 2, x + kMiddleArm * W, y - H / 2, kCentre);
    out.line(x + 2 * r, y - H / 2 + r, x + kMiddleArm * W, y - H / 2 + r, kOutline);
    out.line(x + 2 * r, y - H / 2 - r, x + kMiddleArm * W, y - H / 2 - r, kOutline);
    out.line(top_left, foot, kCentre);
    out.line(x, y - r, x, y - H + r, kOutline);
    out.line(x + 2 * r, y - 2 * r, x + 2 * r, y - H / 2 + r, kOutline);
    out.line(x + 2 * r, y - H / 2 - r, x + 2 * r, y - H + r, kOutline);
}

// H: two full-height stems against the left and right edges, capped at both
// ends, joined at half height by a crossbar from skeleton to skeleton. The
// crossbar makes a T-junction with each stem, breaking both inner outlines
// between y − H/2 + r and y − H/2 − r.
void capital_h(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r;
    constexpr std::string_view name = "H";
    // Room for the crossbar between the stems, and above and below it.
    if (!stroke_fits(out, W / 2, t, name)) return;
    if (!stroke_fits(out, H / 2, t, name)) return;

    const Point left_top{x + r, y - r};
    const Point left_foot{x + r, y - H + r};
    const Point right_top{x + W - r, y - r};
    const Point right_foot{x + W - r, y - H + r};

    out.arc(left_top, r, 0, 180, kOutline);
    out.arc(left_foot, r, -180, 0, kOutline);
    out.arc(right_top, r, 0, 180, kOutline);
    out.arc(right_foot, r, -180, 0, kOutline);

    // Left stem: outer side on the left edge, inner side broken by the bar.
    out.line(left_top, left_foot, kCentre);
    out.line(x, y - r, x, y - H + r, kOutline);
    out.line(x + 2 * r, y - r, x + 2 * r, y - H / 2 + r, kOutline);
    out.line(x + 2 * r, y - H / 2 - r, x + 2 * r, y - H + r, kOutline);
    // Right stem, mirrored.
    out.line(right_top, right_foot, kCentre);
    out.line(x + W, y - r, x + W, y - H + r, kOutline);
    out.line(x + W - 2 * r, y - r, x + W - 2 * r, y - H / 2 + r, kOutline);
    out.line(x + W - 2 * r, y - H / 2 - r, x + W - 2 * r, y - H + r, kOutline);
    // Crossbar: its sides run between the stems' inner outlines.
    out.line(x + r, y - H / 2, x + W - r, y - H / 2, kCentre);
    out.line(x + 2 * r, y - H / 2 + r, x + W - 2 * r, y - H / 2 + r, kOutline);
    out.line(x + 2 * r, y - H / 2 - r, x + W - 2 * r, y - H / 2 - r, kOutline);
}

// I: a stem down the middle of the cell and two short bars, along the top and
// the bottom, from 0.35·W to 0.65·W, each capped at both ends. The stem has no
// caps of its own: it ends on the bars' skeletons in two T-junctions, which
// notch the inner side of each bar between x + W/2 − r and x + W/2 + r. Only
// the top and bottom cell edges are touched.
void capital_i(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r;
    constexpr std::string_view name = "I";
    // Room for the stem between the bar ends (the bars' span, evaluated as
    // written), and for the stem between the bars.
    if (!stroke_fits(out, (1 - 2 * kSerifInset) * W, t, name)) return;
    if (!stroke_fits(out, H / 2, t, name)) return;

    const Point top_left{x + kSerifInset * W, y - r};  // ends of the top bar
    const Point top_right{x + kBarEnd * W, y - r};
    const Point bottom_left{x + kSerifInset * W, y - H + r};  // ends of the bottom bar
    const Point bottom_right{x + kBarEnd * W, y - H + r};

    out.arc(top_left, r, 90, 270, kOutline);
    out.arc(top_right, r, -90, 90, kOutline);
    out.arc(bottom_left, r, 90, 270, kOutline);
    out.arc(bottom_right, r, -90, 90, kOutline);

    // Top bar: upper side on the top edge, lower side notched by the stem.
    out.line(top_left, top_right, kCentre);
    out.line(x + kSerifInset * W, y, x + kBarEnd * W, y, kOutline);
    out.line(x + kSerifInset * W, y - 2 * r, x + W / 2 - r, y - 2 * r, kOutline);
    out.line(x + W / 2 + r, y - 2 * r, x + kBarEnd * W, y - 2 * r, kOutline);
    // Bottom bar: lower side on the bottom edge, upper side notched.
    out.line(bottom_left, bottom_right, kCentre);
    out.line(x + kSerifInset * W, y - H, x + kBarEnd * W, y - H, kOutline);
    out.line(x + kSerifInset * W, y - H + 2 * r, x + W / 2 - r, y - H + 2 * r, kOutline);
    out.line(x + W / 2 + r, y - H + 2 * r, x + kBarEnd * W, y - H + 2 * r, kOutline);
    // Stem: from skeleton to skeleton; its sides run between the bars' inner
    // outlines (right side first).
    out.line(x + W / 2, y - r, x + W / 2, y - H + r, kCentre);
    out.line(x + W / 2 + r, y - 2 * r, x + W / 2 + r, y - H + 2 * r, kOutline);
    out.line(x + W / 2 - r, y - 2 * r, x + W / 2 - r, y - H + 2 * r, kOutline);
}

// L: a stem down the left side to the convex corner at the bottom-left, and a
// foot along the bottom edge to the right. The corner is rounded by a quarter
// arc outside; inside it is the sharp corner (x + 2r, y − H + 2r).
void capital_l(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r;
    constexpr std::string_view name = "L";
    if (!stroke_fits(out, W / 1.5, t, name)) return;
    if (!stroke_fits(out, H / 1.5, t, name)) return;

    const Point top{x + r, y - r};            // free end of the stem
    const Point corner{x + r, y - H + r};     // where stem and foot meet
    const Point foot_end{x + W - r, y - H + r};  // free end of the foot

    out.arc(top, r, 0, 180, kOutline);
    out.arc(corner, r, 180, 270, kOutline);
    out.arc(foot_end, r, -90, 90, kOutline);

    out.line(top, corner, kCentre);
    out.line(x, y - r, x, y - H + r, kOutline);
    out.line(x + 2 * r, y - r, x + 2 * r, y - H + 2 * r, kOutline);
    out.line(corner, foot_end, kCentre);
    out.line(x + r, y - H, x + W - r, y - H, kOutline);
    out.line(x + 2 * r, y - H + 2 * r, x + W - r, y - H + 2 * r, kOutline);
}

// T: a bar along the top edge, capped at both ends, and a stem down the
// middle from the bar's skeleton to a capped foot on the bottom edge. The stem
// meets the bar in a T-junction that breaks the bar's lower outline between
// x + W/2 − r and x + W/2 + r.
void capital_t(const GlyphCell& c, GlyphOutput& out) {
    const double x = c.x, y = c.y, W = c.W, H = c.H, t = c.t, r = c.r;
    constexpr std::string_view name = "T";
    if (!stroke_fits(out, W / 2, t, name)) return;
    if (!stroke_fits(out, H / 1.5, t, name)) return;

    const Point bar_left{x + r, y - r};
    const Point foot{x + W / 2, y - H + r};  // free end of the stem
    const Point bar_right{x + W - r, y - r};

    out.arc(bar_left, r, 90, 270, kOutline);
    out.arc(foot, r, -180, 0, kOutline);
    out.arc(bar_right, r, -90, 90, kOutline);

    out.line(bar_left, bar_right, kCentre);
    out.line(x + r, y, x + W - r, y, kOutline);
    out.line(x + r, y - 2 * r, x + W / 2 - r, y - 2 * r, kOutline);
    out.line(x + W / 2 + r, y - 2 * r, x + W - r, y - 2 * r, kOutline);
    // Stem from the bar's skeleton; its sides start on the bar's lower outline
    // (right side first).
    out.line(x + W / 2, y - r, x + W / 2, y - H + r, kCentre);
    out.line(x + W / 2 + r, y - 2 * r, x + W / 2 + r, y - H + r, kOutline);
    out.line(x + W / 2 - r, y - 2 * r, x + W / 2 - r, y - H + r, kOutline);
}

}  // namespace tracemill::glyphs
