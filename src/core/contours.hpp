// A glyph's loose entities joined end to end: the outline into closed,
// oriented loops (outer boundaries anticlockwise, counters clockwise, so both
// the even-odd and the non-zero fill rule fill exactly the pen's sweep), the
// skeleton into as few pen paths as its strokes allow. Arcs stay exact arcs.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "geometry.hpp"
#include "glyph.hpp"

namespace tracemill {

// One piece of a contour, run from `from` to `to`: straight when sweep_deg
// is zero, otherwise an arc about `centre` turning through sweep_deg degrees
// (positive anticlockwise). Arcs are cut so that no piece turns through more
// than 180 degrees; a full circle is two half circles.
struct Piece {
    Point from;
    Point to;
    Point centre;
    double radius = 0;
    double sweep_deg = 0;
    bool is_arc() const { return sweep_deg != 0; }
};

// A chain of pieces, each starting where the one before ends; a closed one
// ends where its first piece starts.
struct Contour {
    std::vector<Piece> pieces;
    bool closed = false;
};

struct GlyphContours {
    std::vector<Contour> outline;   // closed loops, oriented
    std::vector<Contour> skeleton;  // open or closed pen paths
};

// Receives each glyph's joined contours, in the order of the text.
class ContourSink {
public:
    virtual ~ContourSink() = default;
    virtual void add(const GlyphContours& glyph) = 0;
};

// Where the outline could not be closed: the loose end.
struct ChainFault {
    Point where;
};

// Two ends join when they lie within this distance: a billionth of the
// cell's larger side, since an arc's ends come out of its centre, radius and
// angles and carry rounding in proportion to the drawing's size. Never less
// than the printed resolution: the glyph output drops a piece whose ends
// print the same, leaving a gap of that size.
double join_tolerance(const GlyphCell& cell);

// Which of a glyph's contours are wanted.
enum class ContourParts { Both, Outline, Skeleton };

// Joins one glyph's entities (both colours, in any order). The tolerance
// grows where an arc's size would fix its ends more coarsely; an outline end
// that would stay loose meets the nearest other loose end within what an
// arc's end is good for where its angle was found on a level stretch of the
// arc (the square root of the rounding, times the radius). With `parts` the
// other colour is left out (and an outline left out is not checked).
std::variant<GlyphContours, ChainFault> chain_glyph(const std::vector<Entity>& entities,
                                                    double tolerance,
                                                    ContourParts parts = ContourParts::Both);

// The area a closed contour encloses: positive when it runs anticlockwise.
double signed_area(const Contour& c);

// Whether p lies inside the closed contour (crossing count of a ray to +x).
bool encloses(const Contour& c, Point p);

// The point a fraction u of the way along a piece.
Point point_along(const Piece& p, double u);

// A few points of a contour, away from the ends of its pieces.
std::vector<Point> points_on(const Contour& c);

// The same contour run the other way.
Contour reversed(const Contour& c);

// The bulge of an arc piece in a polyline: tan(sweep / 4), negative when it
// turns clockwise; zero for a straight piece.
double bulge_of(const Piece& p);

}  // namespace tracemill
