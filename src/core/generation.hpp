// The generation run: validate the parameters, measure the text, centre the
// text block on the origin, frame it, draw every character, and write the
// drawing to its file.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "contours.hpp"
#include "dispatch.hpp"
#include "dxf.hpp"
#include "gcode.hpp"
#include "geometry.hpp"
#include "glyph.hpp"
#include "messages.hpp"

namespace tracemill {

// The drawing parameters, in drawing units, with the defaults a new dialog shows.
struct TextParameters {
    double char_width = 2.1;    // W, width of a cell
    double char_height = 5.0;   // H, height of a cell
    double line_width = 0.3;    // t, pen diameter
    double char_spacing = 0.4;  // gap between neighbouring cells of a row
    double line_spacing = 0.4;  // gap between rows
};

// The largest length a drawing takes, and the smallest positive one; beyond
// them the numbers stop being meaningful in the file.
inline constexpr double kMaxLength = 1e9;
inline constexpr double kMinPositiveLength = 1e-6;

// The Japanese texts by their earlier names.
namespace messages {
inline constexpr std::string_view kUnsupported = message_text(Message::Unsupported, Language::Japanese);
inline constexpr std::string_view kCreated = message_text(Message::Created, Language::Japanese);
inline constexpr std::string_view kNotCreated = message_text(Message::NotCreated, Language::Japanese);
inline const std::string kNoFile = format_message(Message::NoFile, Language::Japanese) + std::string(kNotCreated);
inline const std::string kNoText = format_message(Message::NoText, Language::Japanese) + std::string(kNotCreated);
// What follows the path in the overwrite question.
inline const std::string kExistsQuestion = format_message(Message::ExistsQuestion, Language::Japanese, {""});
}  // namespace messages

// The first failing validation in the order the user sees them, or nothing.
// `check_path` is false where no output path is involved (the preview).
std::optional<std::string> validate(const TextParameters& p, std::string_view output_path,
                                    std::string_view text, bool check_path = true,
                                    Language lang = Language::Japanese);

// How each row lies within the block's width: from its left edge, in its
// middle, or against its right edge, by whole cell pitches (halved when a
// row's free pitches are odd and it is centred).
enum class Align { Left, Center, Right };
// Where the drawing's origin lies: in the middle of the text block, or at
// the lower-left corner of its frame (every coordinate then non-negative).
enum class Origin { Center, LowerLeft };

// Where the text block and its frame are placed; the defaults place them as
// the dialog always has.
struct Placement {
    Align align = Align::Left;
    Origin origin = Origin::Center;
    double frame_margin = 0;  // the frame lies this far outside the block on every side
};

// The placement's values, judged with the drawing's: a margin must be a
// length that is not negative.
std::optional<std::string> validate_placement(const Placement& placement, Language lang = Language::Japanese);

// Rows and columns of the text (bytes; CR starts a row and the byte after it
// is skipped), the top-left corner (x0, y0) of the block (by default centred
// on the origin), and the frame's edges. Nothing when the text holds no
// column at all.
struct TextLayout {
    std::int64_t rows = 0;
    std::int64_t columns = 0;
    double x0 = 0;
    double y0 = 0;
    // The frame: by default the block's own edges (x0, -x0, -y0, y0).
    double left = 0;
    double right = 0;
    double bottom = 0;
    double top = 0;
    Align align = Align::Left;
};
std::optional<TextLayout> measure_text(const TextParameters& p, std::string_view text);
std::optional<TextLayout> measure_text(const TextParameters& p, std::string_view text,
                                       const Placement& placement);

// Where each row's first cell starts. The pen reaches a row's start as it
// reaches a cell: by adding W + CharSpacing pitch after pitch from the
// block's left edge, and for a centred row with an odd number of free
// pitches (W + CharSpacing) / 2 once more. So a centred "A" over "AAA" lies
// exactly over the middle 'A', to the last bit.
class RowStarts {
public:
    RowStarts(const TextParameters& p, const TextLayout& layout);
    // The start of a row of `length` bytes.
    double operator()(std::int64_t length) const;
    // The start of the row that begins at text[at].
    double at(std::string_view text, std::size_t at) const;

private:
    TextLayout layout_;
    double half_pitch_ = 0;
    std::vector<double> whole_;  // whole_[k]: the left edge advanced by k pitches
};

// Where and why a run stopped: the reason, and the document byte it stopped
// at with its row and column (1-based; columns count the row's bytes, and
// every byte before a stop is a character of its own, so they count the
// typed characters too).
struct RunStop {
    StopReason reason;
    unsigned char byte = 0;
    std::int64_t row = 0;
    std::int64_t column = 0;

    // Whether the byte has a glyph (a glyph stopped, not the byte itself).
    bool drawable() const { return reason.id != Message::Unsupported; }
    // The stop message, naming the glyph as each language does.
    std::string message(Language lang) const;
};

// Draws the frame and then every character into the sink, stopping after a
// glyph that does not fit, an unsupported byte or a glyph whose numbers are
// not finite. Returns where it stopped, nothing when everything was drawn.
// The parameters must have passed validate().
std::optional<RunStop> draw_text_run(const TextParameters& p, std::string_view text,
                                     const TextLayout& layout, EntitySink& sink,
                                     const GlyphTable& table = glyph_table());
// The same, returning the Japanese stop message, empty when everything was drawn.
std::string draw_text(const TextParameters& p, std::string_view text, const TextLayout& layout,
                      EntitySink& sink);
// The same with another table of generators (for tests of the run itself).
std::string draw_text(const TextParameters& p, std::string_view text, const TextLayout& layout,
                      EntitySink& sink, const GlyphTable& table);

// A machine program of the drawing: the file and how it is written. Its
// unit follows the drawing's (inches with Units::Inches, else millimetres).
struct GcodeOutput {
    std::string path;
    GcodeOptions options;
};

// How the drawing is written. By default every glyph is loose LINE, ARC and
// CIRCLE entities; with polylines each outline loop is one closed polyline
// and each skeleton path one polyline (in the picture: one filled path per
// glyph and stroked paths). The frame is four lines either way. With gcode,
// a machine program is written from the same joined contours, in the same
// transaction as the drawing.
//
// The placement of the block and its frame, and what the drawing holds and
// on which layers, are options too; the machine program cuts what its own
// options say (the skeleton or the outline, and the frame with its frame
// option), whatever the drawing holds.
struct OutputOptions {
    bool polylines = false;
    Units units = Units::None;
    std::optional<GcodeOutput> gcode = std::nullopt;
    Placement placement = {};
    DrawStyle style = {};
};

// The run with joined contours: the frame into `frame`, then every glyph's
// contours into `glyphs`. `stop` is draw_text's stop message (a glyph that
// stops the run adds nothing); `fault` is set when a glyph's outline could
// not be joined into closed loops, and then the drawing must not be written.
struct ContourRun {
    std::string stop;
    std::string fault;
    std::optional<RunStop> stopped_at;
};
ContourRun draw_contours(const TextParameters& p, std::string_view text, const TextLayout& layout,
                         EntitySink& frame, ContourSink& glyphs);
// With `loose`, every glyph's entities also go there as they are drawn (a
// glyph that stops the run included), as draw_text would pass them; with
// `parts`, only those contours are joined.
ContourRun draw_contours(const TextParameters& p, std::string_view text, const TextLayout& layout,
                         EntitySink& frame, ContourSink& glyphs, const GlyphTable& table,
                         Language lang = Language::Japanese, EntitySink* loose = nullptr,
                         ContourParts parts = ContourParts::Both);

// draw_contours when the machine program alone takes the contours: the rows
// after the middle of a long text are drawn and joined on a second thread,
// and their paths follow the first rows' in the program, as one walk would
// have given them (a stop in the first rows ends the run there).
ContourRun draw_program_contours(const TextParameters& p, std::string_view text, const TextLayout& layout,
                                 GcodeWriter& program, const GlyphTable& table, ContourParts parts,
                                 Language lang = Language::Japanese);

// The machine program's values (options.gcode, when there is one) and the
// size of the text block for it: a message when they cannot be written.
std::optional<std::string> validate_program(const OutputOptions& options, const TextLayout& layout,
                                            Language lang = Language::Japanese);

// Everything a Create run judges before it writes: the lengths and the text
// (with the output path, or any other file of the run), the placement and the
// machine program. The message of the first value refused; nothing when the
// run can start. A caller that asks the user anything first calls this, so
// that no question comes before a refusal.
std::optional<std::string> validate_run(const TextParameters& p, std::string_view text,
                                        const std::string& output_path, const std::string& svg_path,
                                        const OutputOptions& options, Language lang = Language::Japanese);

// The drawing as the Create command writes it into `drawing`, its SVG picture
// into `picture` and its machine program (options.gcode's) into `program`,
// each when there is one: the same bytes, here for any byte sink (a file,
// memory). The parameters must have passed validate(), and the program's
// validate_program(). As with draw_contours, a fault means nothing written
// may be used.
ContourRun write_drawing(const TextParameters& p, std::string_view text, const TextLayout& layout,
                         const OutputOptions& options, ByteSink* drawing, ByteSink* picture,
                         ByteSink* program, const GlyphTable& table, Language lang = Language::Japanese,
                         std::optional<GcodeSummary>* summary = nullptr);

// The Create command from validation to the written file.
struct CreateResult {
    enum class Status {
        Invalid,    // a validation message; nothing touched
        Declined,   // the overwrite question was answered No; nothing written
        FileError,  // the file could not be written; the previous file is intact
        Written,    // the file was replaced (possibly after a stop)
        // The drawing was written but its picture (or its machine program)
        // was not: all were complete on disk, and replacing a later target
        // failed after the earlier ones had been replaced. The message says
        // exactly which were written and which not.
        PictureNotWritten,
        // A glyph's outline could not be joined into closed loops (a fault
        // of the glyph, reported with the character and the loose end);
        // nothing touched.
        NotJoined,
        // The run stopped at a character and the options asked that a
        // cut-short drawing not be written; nothing touched.
        Withheld,
    };
    Status status = Status::Invalid;
    // What the user is shown: the validation message, the file error text, or
    // the stop message followed by the success text. Empty when declined.
    std::string message;
    std::string stop_message;  // the stop message when the run stopped
    std::optional<RunStop> stopped_at;  // where the run stopped, if it did
    std::optional<GcodeSummary> gcode;  // what the machine program does, when one was written
};

// How far a run has come: characters of the text walked (a line break
// counts one), of all, and bytes of the drawing made.
struct RunProgress {
    std::size_t done = 0;
    std::size_t total = 0;
    std::uint64_t bytes = 0;
};

// How a Create run speaks and behaves, apart from the drawing itself.
struct CreateOptions {
    Language language = Language::Japanese;
    // Write nothing when the run stops at a character (the previous file
    // stays as it was), instead of the drawing up to that character.
    bool strict = false;
    // Told every few hundred characters while the drawing is made.
    std::function<void(const RunProgress&)> progress;
};

// Asked, after generation, when something already exists at the output path;
// true replaces it. Receives the full question text.
using OverwriteQuestion = std::function<bool(const std::string& question)>;

// With an svg_path, an SVG picture of the same drawing is written too, and
// with options.gcode a machine program, as one transaction: every file is
// made complete on disk first, and a failure up to then leaves every target
// untouched. The overwrite question concerns the drawing; the caller decides
// beforehand whether an existing picture or program may be replaced. The
// output_path may be empty when a picture or a program is asked for: then no
// drawing is written.
CreateResult create_drawing(const TextParameters& p, std::string_view text,
                            const std::string& output_path, const OverwriteQuestion& ask,
                            const std::string& svg_path = {}, const OutputOptions& options = {});
CreateResult create_drawing(const TextParameters& p, std::string_view text,
                            const std::string& output_path, const OverwriteQuestion& ask,
                            const std::string& svg_path, const OutputOptions& options,
                            const CreateOptions& how);
// The same with another table of generators (for tests of the run itself).
CreateResult create_drawing(const TextParameters& p, std::string_view text,
                            const std::string& output_path, const OverwriteQuestion& ask,
                            const std::string& svg_path, const OutputOptions& options,
                            const GlyphTable& table, const CreateOptions& how = {});

// The run with the drawing streamed into `out` (standard output, say) as it
// is made instead of into a file; the picture and the program, if any, are
// still files. With
// `how.strict` the drawing is held back until the run has ended, and nothing
// reaches `out` when it stopped. Whether `out` took every byte is for the
// caller to tell (a closed pipe is not a fault of the drawing).
CreateResult stream_drawing(const TextParameters& p, std::string_view text, ByteSink& out,
                            const std::string& svg_path, const OutputOptions& options,
                            const CreateOptions& how);

}  // namespace tracemill
