// The glyph model: the cell a generator draws in, the output through which it
// emits its entities, and the helpers every generator shares.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "geometry.hpp"
#include "messages.hpp"

namespace tracemill {

// The constant the drawing uses for every conversion between degrees and
// radians. It is deliberately this 15-digit value, not the full-precision
// one: the ninth printed decimal of every angle depends on it.
inline constexpr double kPi = 3.14159265358979;

// One character cell, given by its top-left corner (x, y); it spans x .. x + W
// and y − H .. y (y grows upwards). t is the pen diameter, r = t / 2 its radius.
struct GlyphCell {
    double x = 0;
    double y = 0;
    double W = 0;
    double H = 0;
    double t = 0;
    double r = 0;
    double Pi = kPi;
};

GlyphCell make_cell(double x, double y, double W, double H, double t);

// Why a glyph stopped the run: a message of the catalogue, the glyph as its
// Japanese messages name it ("ゼロ", "＆"), and the limit a width message
// shows. English messages name the glyph by its character instead, which
// the run knows.
struct StopReason {
    Message id = Message::Unsupported;
    std::string name;
    double limit = 0;

    std::string text(Language lang, std::string_view english_name) const;
    std::string japanese() const { return text(Language::Japanese, {}); }
};
// A reason equals the Japanese text it makes.
inline bool operator==(const StopReason& reason, std::string_view japanese) {
    return reason.japanese() == japanese;
}

// What a generator emits through. It passes entities on to the sink in
// emission order, except those that would be degenerate in the file: a line
// whose ends print as the same numbers (-0 counts as 0), an arc or circle
// whose radius prints as zero or negative or lies below the spacing of
// doubles at its centre, an arc whose start and end angles print as the same
// number. These arise when a test that ties on paper passes by one ulp, and
// the outline rule itself only draws an inner curve when it has a radius.
// A non-finite number is never passed on: the glyph is marked as failed and
// everything it emits afterwards is ignored.
class GlyphOutput {
public:
    explicit GlyphOutput(EntitySink& sink) : sink_(&sink) {}

    void line(Point from, Point to, Colour colour);
    void line(double x1, double y1, double x2, double y2, Colour colour) {
        line(Point{x1, y1}, Point{x2, y2}, colour);
    }
    void arc(Point centre, double radius, double start_deg, double end_deg, Colour colour);
    void circle(Point centre, double radius, Colour colour);

    // Stops the run after this glyph with a message for the user; what was
    // emitted before stays in the drawing.
    void stop(StopReason reason) { stop_ = std::move(reason); }
    // A missing crossing, reported with a fixed message naming the glyph.
    void stop(Message id, std::string_view name) { stop_ = StopReason{id, std::string(name), 0}; }

    const std::optional<StopReason>& stop_reason() const { return stop_; }
    // The reason's Japanese text; empty when the glyph did not stop.
    std::string stop_message() const { return stop_ ? stop_->japanese() : std::string(); }
    bool stopped() const { return stop_.has_value(); }
    bool hit_non_finite() const { return non_finite_; }
    std::size_t passed() const { return passed_; }
    std::size_t dropped() const { return dropped_; }

    // Ready for the next glyph.
    void reset();

private:
    void pass(const Entity& e);
    EntitySink* sink_;
    std::optional<StopReason> stop_;
    bool non_finite_ = false;
    std::size_t passed_ = 0;
    std::size_t dropped_ = 0;
};

// Whether a radius prints as a positive number in the file. A generator asks
// this when a whole inner loop of its outline (arcs and the lines between
// them) hangs on one radius: when that radius prints as zero the loop has
// shrunk to a slit, and none of it is boundary.
bool prints_positive(double radius);

// A generator draws one character into its cell.
using GlyphGenerator = void (*)(const GlyphCell& cell, GlyphOutput& out);

// The glyph's width message: "文字の <name> の 線幅 は <limit with one
// decimal> 未満です。\n　" in Japanese.
StopReason width_message(std::string_view name, double limit);

// The validity test shared by every glyph: the stroke fits when limit > t
// (equality fails). On failure the glyph's width message, formatted with the
// limit, stops the run, and false is returned.
bool stroke_fits(GlyphOutput& out, double limit, double t, std::string_view name);

// Angle conversions, in the order of operations the drawing depends on:
// multiply first, then divide.
inline double to_degrees(double radians, double Pi) { return radians * 180 / Pi; }
inline double to_radians(double degrees, double Pi) { return degrees * Pi / 180; }

// An asin/acos argument at a tangency or crossing that the geometry
// guarantees can come out a hair beyond ±1 by rounding; clamp it into the
// domain instead of producing NaN.
inline double clamp_unit(double v) { return v > 1 ? 1.0 : (v < -1 ? -1.0 : v); }

// pow(v, 2), the square written as a power in the constructions, correctly
// rounded. The C library's pow can miss the correctly rounded square by one
// unit in the last place for some large v, and the compiler replaces
// pow(v, 2) by v * v only when it optimises, so a debug build and a release
// build would draw different ninth decimals; the square is written out.
inline double pow2(double v) { return v * v; }

// Collects entities, for the preview and the tests.
class EntityList final : public EntitySink {
public:
    void add(const Entity& e) override { entities.push_back(e); }
    std::vector<Entity> entities;
};

}  // namespace tracemill
