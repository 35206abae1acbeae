// The page's way into the core: plain C functions over UTF-8 strings, called
// from JavaScript. The values arrive as the fields hold them and are read
// exactly as the command reads its options, so the page draws the very same
// bytes as the command for the same values. Everything stays in memory.
//
// Every call also takes the page's language: "ja" for the core's Japanese
// messages, anything else for the English ones.
#include <emscripten/emscripten.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "dispatch.hpp"
#include "dxf.hpp"
#include "frame_calculation.hpp"
#include "gcode.hpp"
#include "generation.hpp"
#include "messages.hpp"
#include "number_text.hpp"
#include "text_encoding.hpp"

namespace {

using namespace tracemill;

// What a call answers.
enum Status : int {
    kAllDrawn = 0,    // every character drawn
    kStopped = 1,     // drawn up to a character that stops the run; message() says why
    kInvalid = 2,     // the values cannot be drawn (or framed); message() says why
    kNotJoined = 3,   // a glyph's outline could not be closed; nothing to save
    kEmpty = 4,       // no text, nothing to draw
    kBadField = 5,    // field() is not a number (or not a whole count)
};

// The last call's results, read by the page before the next call.
struct Results {
    std::string message;
    std::string output;
    std::vector<double> picture;
    int field = -1;
} results;

// The five lengths in the command's order: --char-width, --char-height,
// --line-width, --char-spacing, --line-spacing.
bool read_lengths(const char* const texts[5], TextParameters& p) {
    double* targets[] = {&p.char_width, &p.char_height, &p.line_width, &p.char_spacing,
                         &p.line_spacing};
    for (int k = 0; k < 5; ++k) {
        const auto v = parse_number(texts[k]);
        if (!v) {
            results.field = k;
            return false;
        }
        *targets[k] = *v;
    }
    return true;
}

// The drawing's entities for the picture: the top-left corner of the text
// block, then per entity its kind (0 line, 1 arc, 2 circle), its colour and
// five numbers (x1 y1 x2 y2 -, cx cy r start end, cx cy r - -).
class PictureSink final : public EntitySink {
public:
    explicit PictureSink(std::vector<double>& out) : out_(out) {}
    void add(const Entity& e) override {
        std::array<double, 7> r{};
        if (const auto* l = std::get_if<Line>(&e)) {
            r = {0, static_cast<double>(l->colour), l->from.x, l->from.y, l->to.x, l->to.y, 0};
        } else if (const auto* a = std::get_if<Arc>(&e)) {
            r = {1, static_cast<double>(a->colour), a->centre.x, a->centre.y, a->radius,
                 a->start_deg, a->end_deg};
        } else {
            const auto& c = std::get<Circle>(e);
            r = {2, static_cast<double>(c.colour), c.centre.x, c.centre.y, c.radius, 0, 0};
        }
        out_.insert(out_.end(), r.begin(), r.end());
    }

private:
    std::vector<double>& out_;
};

}  // namespace

extern "C" {

// Draws the text with the five lengths. what: 0 the picture (entities into
// picture()), 1 the DXF file, 2 the SVG file, 3 the G-code (into output()),
// each as the command writes it with --polylines when polylines is set and
// --units mm (units 1) or in (units 2). The G-code as with --gcode-path
// skeleton (0) or outline (1), --gcode-machine mill (0), laser (1) or pen (2),
// and --gcode-frame when frame is set, the other settings the command's
// defaults.
EMSCRIPTEN_KEEPALIVE int tm_draw(int what, const char* typed, const char* char_width,
                                 const char* char_height, const char* line_width,
                                 const char* char_spacing, const char* line_spacing,
                                 int polylines, int units, int gcode_path, int gcode_machine,
                                 int gcode_frame, const char* lang) {
    results = {};
    const Language L = parse_language(lang).value_or(Language::English);
    const char* const texts[5] = {char_width, char_height, line_width, char_spacing, line_spacing};
    TextParameters p;
    if (!read_lengths(texts, p)) return kBadField;
    const std::string text = to_document_bytes(typed);
    const auto nothing = [what, L] {
        if (what != 0) results.message = message_text(Message::NoText, L);
        return kEmpty;
    };
    if (text.empty()) return nothing();
    // Under the picture no file is at stake: the reason alone.
    const auto reason = [what, L](std::string m) {
        const std::string_view not_created = message_text(Message::NotCreated, L);
        if (what == 0 && m.ends_with(not_created)) m.resize(m.size() - not_created.size());
        return m;
    };
    if (auto m = validate(p, {}, text, false, L)) {
        results.message = reason(*m);
        return kInvalid;
    }
    const auto layout = measure_text(p, text);
    if (!layout) return nothing();

    if (what == 0) {
        results.picture.reserve(2 + text.size() * 8 * 7);
        results.picture.push_back(layout->x0);
        results.picture.push_back(layout->y0);
        PictureSink sink(results.picture);
        const auto stop = draw_text_run(p, text, *layout, sink);
        if (!stop) return kAllDrawn;
        results.message = stop->message(L);
        return kStopped;
    }

    OutputOptions options;
    options.polylines = polylines != 0;
    if (units == 1) options.units = Units::Millimetres;
    if (units == 2) options.units = Units::Inches;
    if (what == 3) {
        GcodeOptions g = gcode_defaults(options.units == Units::Inches);
        g.cut = gcode_path == 1 ? GcodeCut::Outline : GcodeCut::Skeleton;
        g.machine = gcode_machine == 1   ? GcodeMachine::Laser
                    : gcode_machine == 2 ? GcodeMachine::Pen
                                         : GcodeMachine::Mill;
        g.frame = gcode_frame != 0;
        options.gcode = GcodeOutput{"page", g};
        if (auto m = validate_program(options, *layout, L)) {
            results.message = *m;
            return kInvalid;
        }
    }
    StringByteSink file;
    ByteSink* const into[] = {what == 1 ? &file : nullptr, what == 2 ? &file : nullptr,
                              what == 3 ? &file : nullptr};
    const ContourRun run = write_drawing(p, text, *layout, options, into[0], into[1], into[2], glyph_table(), L);
    if (!run.fault.empty()) {
        results.message = run.fault;
        return kNotJoined;
    }
    results.output = std::move(file.text);
    results.message = run.stop;
    return run.stop.empty() ? kAllDrawn : kStopped;
}

// The frame calculation over the seven frame fields (width, height,
// characters per row, rows, and the percentages for the character gap, the
// row gap and the stroke). On success output() holds the five lengths as the
// fields show them, one a line, in tm_draw's order; they are used as shown.
EMSCRIPTEN_KEEPALIVE int tm_frame(const char* frame_width, const char* frame_height,
                                  const char* chars_per_row, const char* rows,
                                  const char* char_spacing_percent,
                                  const char* line_spacing_percent,
                                  const char* line_width_percent, const char* lang) {
    results = {};
    FrameInputs in;
    const char* lengths[] = {frame_width, frame_height};
    double* length_targets[] = {&in.frame_width, &in.frame_height};
    for (int k = 0; k < 2; ++k) {
        const auto v = parse_number(lengths[k]);
        if (!v) {
            results.field = k;
            return kBadField;
        }
        *length_targets[k] = *v;
    }
    const char* counts[] = {chars_per_row, rows, char_spacing_percent, line_spacing_percent,
                            line_width_percent};
    std::int32_t* count_targets[] = {&in.chars_per_row, &in.rows, &in.char_spacing_percent,
                                     &in.line_spacing_percent, &in.line_width_percent};
    for (int k = 0; k < 5; ++k) {
        const auto v = parse_count(counts[k]);
        if (!v) {
            results.field = 2 + k;
            return kBadField;
        }
        *count_targets[k] = *v;
    }
    const FrameResult derived = calculate_frame(in, parse_language(lang).value_or(Language::English));
    if (const auto* message = std::get_if<std::string>(&derived)) {
        results.message = *message;
        return kInvalid;
    }
    const auto& d = std::get<TextParameters>(derived);
    for (const double v : {d.char_width, d.char_height, d.line_width, d.char_spacing, d.line_spacing})
        results.output += shown_number(v) + "\n";
    return kAllDrawn;
}

EMSCRIPTEN_KEEPALIVE const char* tm_message() { return results.message.c_str(); }
EMSCRIPTEN_KEEPALIVE const char* tm_output() { return results.output.data(); }
EMSCRIPTEN_KEEPALIVE std::size_t tm_output_size() { return results.output.size(); }
EMSCRIPTEN_KEEPALIVE const double* tm_picture() { return results.picture.data(); }
EMSCRIPTEN_KEEPALIVE std::size_t tm_picture_size() { return results.picture.size(); }
EMSCRIPTEN_KEEPALIVE int tm_field() { return results.field; }

}  // extern "C"
