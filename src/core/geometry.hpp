// Geometry values shared by the glyph generators, the writers and the tests.
#pragma once

#include <variant>

namespace tracemill {

// A point of the drawing plane; y grows upwards.
struct Point {
    double x = 0;
    double y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// The two colour classes of every glyph entity, as DXF colour numbers.
// The frame of the text block is drawn as centre line too.
enum class Colour : int {
    CentreLine = 4,  // path of the pen centre (cyan)
    Outline = 6,     // boundary of the area the round pen sweeps (magenta)
};

// A straight segment from `from` to `to`.
struct Line {
    Point from;
    Point to;
    Colour colour = Colour::CentreLine;
    friend bool operator==(const Line&, const Line&) = default;
};

// A circular arc running anticlockwise from start to end; angles in degrees,
// kept exactly as computed (negative values and values above 360 occur).
struct Arc {
    Point centre;
    double radius = 0;
    double start_deg = 0;
    double end_deg = 0;
    Colour colour = Colour::CentreLine;
    friend bool operator==(const Arc&, const Arc&) = default;
};

// A full circle.
struct Circle {
    Point centre;
    double radius = 0;
    Colour colour = Colour::CentreLine;
    friend bool operator==(const Circle&, const Circle&) = default;
};

using Entity = std::variant<Line, Arc, Circle>;

inline Colour colour_of(const Entity& e) {
    return std::visit([](const auto& v) { return v.colour; }, e);
}

// Receives entities in emission order: the DXF writer, the SVG writer, the
// preview and the tests all consume the same stream.
class EntitySink {
public:
    virtual ~EntitySink() = default;
    virtual void add(const Entity& e) = 0;
};

}  // namespace tracemill
