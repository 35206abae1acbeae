// A machine program (G-code) written straight from a drawing's joined
// contours: the pen paths of every glyph (single-line engraving, plotting)
// or their closed outlines, for a milling machine, a laser or a pen plotter.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "contours.hpp"
#include "dxf.hpp"
#include "geometry.hpp"
#include "messages.hpp"

namespace tracemill {

enum class GcodeMachine { Mill, Laser, Pen };
enum class GcodeCut { Skeleton, Outline };
enum class GcodeOrder { Shortest, Text };

// How the program is written. Lengths are in the drawing's units, which the
// program declares (G21 millimetres, or G20 inches), feeds per minute.
struct GcodeOptions {
    GcodeMachine machine = GcodeMachine::Mill;
    GcodeCut cut = GcodeCut::Skeleton;
    GcodeOrder order = GcodeOrder::Shortest;
    bool frame = false;   // the frame around the text block is cut too
    bool inches = false;  // G20 and five decimals instead of G21 and four
    double feed = 600;         // cutting feed
    double plunge_feed = 100;  // mill: feed down into the work
    double depth = 0.2;        // mill: how deep below Z0 it cuts
    double safe_height = 5;    // mill: the height of every travel
    double spindle_speed = 10000;
    double laser_power = 80;    // per cent of full power
    double laser_scale = 1000;  // the S value of full power (the controller's maximum)
    bool air_assist = false;    // M8 / M9 around the laser's work
    std::int32_t passes = 1;    // laser: how often each path is cut
    std::string pen_down = "M3 S30";
    std::string pen_up = "M3 S90";
    double pen_dwell = 0.2;  // seconds after each pen movement
};

// The defaults, for millimetres or inches: feeds, depth and safe height of
// the same size in either unit.
GcodeOptions gcode_defaults(bool inches);

// The first value a controller could not run or that makes no sense, as the
// message for the user; nothing when all are good.
std::optional<std::string> validate_gcode(const GcodeOptions& o, Language lang = Language::Japanese);

// The largest coordinate a program holds: beyond it no line stays within 80
// characters and the printed decimals stop meaning anything.
inline constexpr double kGcodeMaxCoordinate = 1e6;

// What the program's comment block records of the drawing.
struct GcodeSource {
    std::string_view text;  // the rows, CR LF between them
    double char_width = 0, char_height = 0, line_width = 0, char_spacing = 0, line_spacing = 0;
};

// What a written program does, in drawing units.
struct GcodeSummary {
    std::size_t paths = 0;
    double cut = 0;          // length cut (every pass)
    double travel = 0;       // moved between cuts, from the origin and back
    double text_travel = 0;  // the same in the text's order
};

// A coordinate in units of the last printed decimal, and its text.
std::int64_t printed_units(double v, bool inches);
void append_units(std::string& out, std::int64_t units, bool inches);

// One arc of at most a half turn, from a printed start to an end, as the
// program writes it: its printed end and I/J, chosen so that the radius to
// the start and the radius to the end agree to a unit or two of the last
// decimal and the centre lies on the side of the chord that keeps the turn
// within a half circle. Nothing where the arc is better cut as straight
// moves (see GcodeWriter).
struct ArcWords {
    std::int64_t x, y, i, j;
};
std::optional<ArcWords> arc_words(std::int64_t sx, std::int64_t sy, const Piece& arc, bool inches);

// Collects the frame (through add(Entity)) and every glyph's contours, then
// end() orders the paths and writes the whole program.
class GcodeWriter final : public EntitySink, public ContourSink {
public:
    GcodeWriter(ByteSink& out, const GcodeOptions& options, const GcodeSource& source);
    ~GcodeWriter() override;
    GcodeWriter(const GcodeWriter&) = delete;
    GcodeWriter& operator=(const GcodeWriter&) = delete;

    void add(const Entity& e) override;  // the frame's lines
    void add(const GlyphContours& glyph) override;
    // Takes over the paths another writer collected, as if added here.
    void append_paths(const GcodeWriter& later);
    // Orders the paths and writes the program. A long program is written by
    // two threads unless `one_thread`; the text is the same either way.
    GcodeSummary end(bool one_thread = false);

    const GcodeOptions& options() const { return options_; }

private:
    void add_path(const Contour& c);

    BlockBuffer buffer_;
    GcodeOptions options_;
    GcodeSource source_;
    std::vector<Piece> pieces_;
    std::vector<std::uint32_t> first_{0};  // path k is pieces_[first_[k] .. first_[k + 1])
    std::vector<bool> closed_;
    std::vector<Line> frame_;
};

}  // namespace tracemill
