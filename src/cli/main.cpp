// tracemill: writes the outline drawing of a text as a DXF file.
#include <CLI/CLI.hpp>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <limits>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <variant>
#include <vector>

#include "atomic_file.hpp"
#include "dxf.hpp"
#include "frame_calculation.hpp"
#include "generation.hpp"
#include "messages.hpp"
#include "number_text.hpp"
#include "stroke_fit.hpp"
#include "text_encoding.hpp"

namespace {

// Exit statuses.
constexpr int kAllDrawn = 0;
constexpr int kStopped = 1;
constexpr int kInvalid = 2;
constexpr int kNotWritten = 3;
constexpr int kNotJoined = 4;

// A length as the user typed it: a plain decimal number, read the same in
// every locale. "nan", "inf" and anything else that is not a finite number is
// refused here; the range is checked with the drawing's other rules.
bool parse_length(const std::string& text, double& value) {
    const auto v = tracemill::parse_number(text);
    if (v) value = *v;
    return v.has_value();
}

// False when the stream cannot be read to its end (the stream's own read
// errors may also arrive as an exception, which counts the same).
bool read_all(std::istream& in, std::string& out) {
    try {
        out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::exception&) {
        return false;
    }
    return !in.bad();
}

using tracemill::Language;
using tracemill::Message;

// The language of every message, chosen once before anything is said.
Language lang = Language::Japanese;

std::string text_of(Message id, std::initializer_list<tracemill::MessageArg> args = {}) {
    return tracemill::format_message(id, lang, args);
}

void print_message(const std::string& m) { std::cerr << m << '\n'; }
void print_message(Message id, std::initializer_list<tracemill::MessageArg> args = {}) {
    print_message(text_of(id, args));
}
std::string not_created(std::string m) {
    m += tracemill::message_text(Message::NotCreated, lang);
    return m;
}

// --lang as given (the last one counts), before the arguments are parsed:
// the parser's own complaints come after the choice is needed.
std::optional<Language> language_argument(int argc, char** argv) {
    std::optional<Language> chosen;
    for (int k = 1; k < argc; ++k) {
        const std::string_view a = argv[k];
        if (a == "--") break;
        std::string_view value;
        if (a == "--lang" && k + 1 < argc) {
            value = argv[++k];
        } else if (a.substr(0, 7) == "--lang=") {
            value = a.substr(7);
        } else {
            continue;
        }
        if (const auto l = tracemill::parse_language(value)) chosen = l;
    }
    return chosen;
}

// Standard output as the drawing's destination (-o -). Its first failure is
// kept and later writes are dropped.
class StandardOutput final : public tracemill::ByteSink {
public:
    void write(std::string_view bytes) override {
        while (!bytes.empty() && error_ == 0) {
            const ssize_t n = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                error_ = n < 0 ? errno : EIO;
                return;
            }
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
    }
    int error() const { return error_; }

private:
    int error_ = 0;
};

// The line on standard error that shows how far a long run has come: only on
// a terminal, only once the run has lasted a second, at most ten times a
// second, and gone again before anything else is said.
class ProgressLine {
public:
    ProgressLine() : terminal_(::isatty(STDERR_FILENO) == 1), start_(Clock::now()) {}
    void operator()(const tracemill::RunProgress& p) {
        if (!terminal_) return;
        const auto now = Clock::now();
        if (now - start_ < std::chrono::seconds(1)) return;
        if (shown_ && now - last_ < std::chrono::milliseconds(100)) return;
        last_ = now;
        shown_ = true;
        std::cerr << '\r'
                  << text_of(Message::Progress,
                             {p.done, p.total, static_cast<double>(p.bytes) / 1e6})
                  << "\x1b[K" << std::flush;
    }
    void clear() {
        if (shown_) std::cerr << "\r\x1b[K" << std::flush;
        shown_ = false;
    }

private:
    using Clock = std::chrono::steady_clock;
    bool terminal_;
    bool shown_ = false;
    Clock::time_point start_;
    Clock::time_point last_;
};

// The help without each option's list of the options it excludes: every
// exclusion is one rule, stated once in the group's heading.
class HelpFormatter final : public CLI::Formatter {
public:
    std::string make_option_opts(const CLI::Option* opt) const override {
        std::string s = CLI::Formatter::make_option_opts(opt);
        const auto at = s.find(" " + get_label("Excludes") + ":");
        if (at != std::string::npos) s.erase(at);
        return s;
    }
};

// "--name=" with nothing after the sign would make the parser take the next
// argument as the value (a flag as a file name, say); no option of this
// command takes an empty value, so such an argument is refused outright.
// Arguments after "--" are text, not options.
const char* empty_inline_value(int argc, char** argv) {
    for (int k = 1; k < argc; ++k) {
        const std::string_view a = argv[k];
        if (a == "--") break;
        if (a.size() > 3 && a.substr(0, 2) == "--" && a.back() == '=' &&
            a.find('=') == a.size() - 1)
            return argv[k];
    }
    return nullptr;
}

// "--frame-grid auto" (or "--frame-grid=auto") as the one flag it stands
// for, so that the parser never takes the word after "auto" as the grid's
// second number. Arguments after "--" are text.
constexpr const char* kFrameGridAuto = "--frame-grid-auto";
std::vector<char*> with_auto_grid(int argc, char** argv) {
    std::vector<char*> args(argv, argv + argc);
    static char auto_flag[] = "--frame-grid-auto";
    for (std::size_t k = 1; k < args.size(); ++k) {
        const std::string_view a = args[k];
        if (a == "--") break;
        if (a == "--frame-grid=auto") {
            args[k] = auto_flag;
        } else if (a == "--frame-grid" && k + 1 < args.size() && std::string_view(args[k + 1]) == "auto") {
            args[k] = auto_flag;
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(k) + 1);
        }
    }
    return args;
}

// One of a fixed set of words, as the option names them; nothing (and the
// message said) for any other.
std::optional<std::size_t> choice_of(const char* flag, const std::string& value,
                                     std::initializer_list<std::string_view> words) {
    std::size_t k = 0;
    std::string listed;
    for (const std::string_view w : words) {
        if (value == w) return k;
        listed += (k++ > 0 ? ", " : "") + std::string(w);
    }
    print_message(Message::NotAChoice, {flag, value, listed});
    return std::nullopt;
}

// A file option of the run: the option as the user names it, and its value.
struct FileOption {
    const char* flag;
    CLI::Option* option;
    const std::string* path;
    bool writes;  // an output of the run (otherwise the text is read from it)
};

}  // namespace

int main(int argc, char** argv) {
    tracemill::remove_temporaries_on_termination();
    const tracemill::LanguageChoice from_locale = tracemill::language_from_environment();
    const std::optional<Language> chosen = language_argument(argc, argv);
    lang = chosen.value_or(from_locale.language);
    // Under the C locale (or none) and without --lang, every message is
    // exactly what earlier versions said: nothing is added.
    const bool plain = !chosen && from_locale.plain;

    CLI::App app{
        "Writes the outline drawing of a text as a DXF file: for every character its\n"
        "skeleton (the path of a round pen's centre, colour 4) and the outline of the area\n"
        "the pen sweeps (colour 6), with a frame around the text block, by default centred\n"
        "on the origin. Each TEXT argument is a row; a newline inside an argument starts a\n"
        "row.\n\n"
        "Exit status: 0 every character drawn; 1 the run stopped at a character (the file\n"
        "still holds everything before it), or no line width draws the text\n"
        "(--fit-line-width; nothing written); 2 invalid arguments or values; 3 the file was\n"
        "not written; 4 a glyph's outline could not be joined into closed polylines\n"
        "(--polylines, or --gcode cutting the outline; nothing written). With --gcode the\n"
        "lengths the program cuts and travels go to standard error.\n\n"
        "Messages are in English, or in Japanese under a Japanese locale, the C locale\n"
        "or none (see --lang).",
        "tracemill"};
    app.option_defaults()->always_capture_default();
    app.formatter(std::make_shared<HelpFormatter>());
    app.set_version_flag("--version", std::string("tracemill ") + TRACEMILL_VERSION,
                         "Print the version and exit");
    const char* const kLengths = "Lengths (drawing units)";
    const char* const kFrame = "Frame calculation (instead of the lengths)";
    const char* const kOutput = "Output and export";
    const char* const kLayout = "Layout and content";

    std::string output;
    std::vector<std::string> rows;
    std::string text_file;
    std::string svg_path;
    bool force = false;
    bool strict = false;
    std::string language_name;
    struct LengthOption {
        const char* flag;
        const char* help;
        std::string text;
    };
    LengthOption lengths[] = {
        {"--char-width", "Width of a character cell", "2.1"},
        {"--char-height", "Height of a character cell", "5"},
        {"--line-width", "Stroke width: the diameter of the pen", "0.3"},
        {"--char-spacing", "Gap between neighbouring cells of a row", "0.4"},
        {"--line-spacing", "Gap between rows", "0.4"},
    };

    // Each argument is taken whole, never as a bracketed list: "[AB]" is a
    // row of four characters, not the row "AB".
    // CLI11 reads a bracketed value of a list option as a list ("[A,B]" as
    // the two values A and B) where the option takes extra arguments; the
    // rows take none, and instead stay open to every argument left.
    app.add_option("text", rows, "The text; each argument is a row")
        ->type_name("TEXT")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
        ->expected(1 << 20, CLI::detail::expected_max_vector_size)
        ->allow_extra_args(false);
    app.add_option("--text-file", text_file,
                   "Read the rows from FILE instead ('-' for standard input); one final line "
                   "break is ignored")
        ->type_name("FILE");
    std::vector<CLI::Option*> length_options;
    for (auto& l : lengths) {
        length_options.push_back(
            app.add_option(l.flag, l.text, l.help)->type_name("LENGTH")->default_str(l.text)->group(kLengths));
    }
    CLI::Option* const line_width_option = length_options[2];
    // The widest line width that draws the text.
    bool fit_line_width = false;
    std::string fit_margin_text;
    CLI::Option* const fit_option =
        app.add_flag("--fit-line-width", fit_line_width,
                     "Find the widest line width at which every character draws; print it as the "
                     "first line (to be given as --line-width), then the character that sets it "
                     "(then -o is optional; with it the drawing uses that width)")
            ->group(kLengths);
    fit_option->excludes(line_width_option);
    CLI::Option* const fit_margin_option = app.add_option("--fit-margin", fit_margin_text,
                   "... and keep P % below it (0 to under 100; default 0)")
        ->type_name("P")
        ->needs(fit_option)
        ->group(kLengths);

    // The frame calculation: the five lengths derived from a frame instead.
    std::pair<std::string, std::string> frame_size;
    std::pair<std::string, std::string> frame_grid;
    std::tuple<std::string, std::string, std::string> frame_percent;
    bool print_frame = false;
    CLI::Option* frame_options[] = {
        app.add_option("--frame-size", frame_size,
                       "Derive the lengths from a frame W wide and H high (default 2.5 5)")
            ->type_name("W H")
            ->group(kFrame),
        app.add_option("--frame-grid", frame_grid,
                       "... holding N characters per row in M rows (default 1 1); 'auto' counts "
                       "them in the text")
            ->type_name("N M|auto")
            ->group(kFrame),
        app.add_option("--frame-percent", frame_percent,
                       "... with gaps of CS % of a cell's width between characters and LS % of "
                       "its height between rows, and a stroke LW % of the smaller cell side "
                       "(default 20 50 15)")
            ->type_name("CS LS LW")
            ->group(kFrame),
        app.add_flag("--print-frame", print_frame,
                     "Print the derived lengths as options, one per line (then -o is optional). "
                     "A --line-width given with the frame options replaces the derived stroke")
            ->group(kFrame),
    };
    bool frame_grid_auto = false;
    CLI::Option* frame_grid_auto_option = app.add_flag(kFrameGridAuto, frame_grid_auto)->group("");
    frame_grid_auto_option->excludes(frame_options[1]);
    app.add_option("-o,--output", output,
                   "The DXF file to write ('-' for standard output; required unless --print-frame)")
        ->type_name("FILE")
        ->group(kOutput);
    app.add_flag("-f,--force", force, "Replace an existing file (otherwise it is left untouched)")
        ->group(kOutput);
    app.add_flag("--strict", strict,
                 "Write nothing when the run stops at a character (exit 1; an existing file stays "
                 "as it was), instead of the drawing up to that character")
        ->group(kOutput);
    app.add_option("--svg", svg_path, "Also write an SVG picture of the drawing")
        ->type_name("FILE")
        ->group(kOutput);
    tracemill::OutputOptions output_options;
    app.add_flag("--polylines", output_options.polylines,
                 "Write each glyph's outline as closed polylines (exact arcs as bulges; outer "
                 "boundaries anticlockwise, counters clockwise) and its skeleton as joined "
                 "polylines; the SVG picture then fills the outline")
        ->group(kOutput);
    // The machine program.
    const char* const kProgram = "Machine program (G-code)";
    std::string gcode_path, gcode_cut = "skeleton", gcode_machine = "mill", gcode_order = "shortest";
    bool gcode_frame = false, gcode_air = false;
    app.add_option("--gcode", gcode_path,
                   "Also write a machine program (G-code) cutting the drawing, from and back to "
                   "X0 Y0 (the drawing's origin: the middle of the text block, or the frame's "
                   "lower-left corner with --origin lower-left)")
        ->type_name("FILE")
        ->group(kProgram);
    CLI::Option* gcode_choices[] = {
        app.add_option("--gcode-path", gcode_cut,
                       "What is cut: every glyph's pen paths (single-line engraving, plotting) or "
                       "its closed outline")
            ->type_name("skeleton|outline")
            ->check(CLI::IsMember({"skeleton", "outline"}))
            ->group(kProgram),
        app.add_option("--gcode-machine", gcode_machine,
                       "mill: Z-axis machines (router, engraver, Z plotter); laser: M4 power "
                       "with S on every cut; pen: servo pen plotters")
            ->type_name("mill|laser|pen")
            ->check(CLI::IsMember({"mill", "laser", "pen"}))
            ->group(kProgram),
        app.add_option("--gcode-order", gcode_order,
                       "shortest: paths ordered for short travel; text: as the text runs")
            ->type_name("shortest|text")
            ->check(CLI::IsMember({"shortest", "text"}))
            ->group(kProgram),
        app.add_flag("--gcode-frame", gcode_frame, "Cut the frame around the text block too")
            ->group(kProgram),
    };
    // The machine's values, read with the drawing's lengths; each applies to
    // the machines listed.
    struct GcodeValue {
        const char* flag;
        const char* help;
        const char* machines;  // the --gcode-machine values it applies to
        std::string text;
        CLI::Option* option = nullptr;
    };
    GcodeValue gcode_values[] = {
        {"--gcode-feed", "Cutting feed per minute (default 600; 24 with --units in)", "mill laser pen", {}},
        {"--gcode-plunge-feed", "mill: feed down into the work (default 100; 4 with --units in)", "mill", {}},
        {"--gcode-depth", "mill: cutting depth below Z0 (default 0.2; 0.008 with --units in)", "mill", {}},
        {"--gcode-safe-z", "mill: height of every travel above Z0 (default 5; 0.2 with --units in)", "mill", {}},
        {"--gcode-spindle", "mill: spindle speed, M3 S (default 10000)", "mill", {}},
        {"--gcode-power", "laser: power in % of full power (default 80)", "laser", {}},
        {"--gcode-power-max", "laser: the S value of full power, the controller's maximum ($30; default 1000)",
         "laser", {}},
        {"--gcode-passes", "laser: how many times each path is cut (default 1)", "laser", {}},
        {"--gcode-pen-down", "pen: the command that lowers the pen (default \"M3 S30\")", "pen", {}},
        {"--gcode-pen-up", "pen: the command that lifts the pen (default \"M3 S90\")", "pen", {}},
        {"--gcode-pen-dwell", "pen: seconds to wait after the pen moves, G4 P (default 0.2)", "pen", {}},
    };
    for (GcodeValue& v : gcode_values) {
        const std::string_view flag = v.flag;
        v.option = app.add_option(v.flag, v.text, v.help)
                       ->type_name(flag == "--gcode-pen-down" || flag == "--gcode-pen-up" ? "CMD" : "VALUE")
                       ->group(kProgram);
    }
    CLI::Option* gcode_air_option =
        app.add_flag("--gcode-air", gcode_air, "laser: air assist on while cutting (M8, then M9)")
            ->group(kProgram);
    std::string units;
    app.add_option("--units", units,
                   "Record the drawing unit in the file's header ($INSUNITS), so that cutting "
                   "software imports it at its true size; the SVG picture then has its true size "
                   "too (width and height in the unit)")
        ->type_name("mm|in")
        ->check(CLI::IsMember({"mm", "in"}))
        ->group(kOutput);
    app.add_option("--lang", language_name,
                   "The language of the messages: ja (Japanese) or en (English); by default the "
                   "locale's (LC_ALL, LC_MESSAGES, LANG, LANGUAGE)")
        ->type_name("ja|en")
        ->check(CLI::IsMember({"ja", "en"}));

    // Where the block and its frame lie, and what the drawing holds.
    std::string align_name = "left", origin_name = "center", frame_margin_text = "0",
                draw_list = "skeleton,outline,frame";
    bool layers = false;
    app.add_option("--align", align_name,
                   "Each row within the block's width: from its left edge, centred, or against its "
                   "right edge, by whole cell pitches (halved for a centred row when needed); the "
                   "frame and the block stay where they are")
        ->type_name("left|center|right")
        ->group(kLayout);
    app.add_option("--origin", origin_name,
                   "The drawing's origin: the middle of the text block, or the lower-left corner "
                   "of its frame (every coordinate then non-negative)")
        ->type_name("center|lower-left")
        ->group(kLayout);
    app.add_option("--frame-margin", frame_margin_text,
                   "Draw the frame this far outside the text block on every side")
        ->type_name("LENGTH")
        ->group(kLayout);
    app.add_option("--draw", draw_list,
                   "What the drawing and its picture hold, any of skeleton, outline and frame, "
                   "separated by commas (the machine program cuts what --gcode-path and "
                   "--gcode-frame say)")
        ->type_name("PARTS")
        ->group(kLayout);
    app.add_flag("--layers", layers,
                 "Put the skeleton, the outline and the frame on layers SKELETON, OUTLINE and "
                 "FRAME (the frame then in colour 7) instead of all on layer 1")
        ->group(kLayout);

    // A length given outright and the same length derived from a frame would
    // contradict each other; neither silently wins. Only the stroke may be
    // given with a frame: the pen is the user's, and it replaces the derived
    // stroke.
    for (CLI::Option* f : frame_options) {
        for (CLI::Option* l : length_options) {
            if (l != line_width_option) f->excludes(l);
        }
    }
    for (CLI::Option* l : length_options) {
        if (l != line_width_option) frame_grid_auto_option->excludes(l);
    }

    // Every file the run reads or writes; an output option added later joins
    // this list and with it the checks below.
    const FileOption files[] = {
        {"--output", app.get_option("--output"), &output, true},
        {"--svg", app.get_option("--svg"), &svg_path, true},
        {"--gcode", app.get_option("--gcode"), &gcode_path, true},
        {"--text-file", app.get_option("--text-file"), &text_file, false},
    };

    if (const char* arg = empty_inline_value(argc, argv)) {
        print_message(Message::EmptyValue, {std::string_view(arg).substr(0, std::strlen(arg) - 1)});
        return kInvalid;
    }
    try {
        std::vector<char*> args = with_auto_grid(argc, argv);
        app.parse(static_cast<int>(args.size()), args.data());
    } catch (const CLI::ExcludesError& e) {
        // The parser leaves the hidden flag that "--frame-grid auto" stands
        // for unnamed ("--char-width excludes "): name it as it was typed.
        std::string m = e.what();
        const std::string_view excludes = " excludes ";
        if (m.ends_with(excludes)) m += "--frame-grid auto";
        if (m.starts_with(excludes)) m.insert(0, "--frame-grid auto");
        std::cerr << m << "\nRun with --help for more information.\n";
        return kInvalid;
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? kAllDrawn : kInvalid;
    }

    for (const FileOption& f : files) {
        if (f.option->count() > 0 && f.path->empty()) {
            print_message(Message::EmptyFileName, {f.flag});
            return kInvalid;
        }
    }
    // "-o -": the drawing goes to standard output, not to a file.
    const bool to_stdout = output == "-";
    // Two outputs naming one file: the later would replace the earlier.
    for (std::size_t a = 0; a < std::size(files); ++a) {
        for (std::size_t b = a + 1; b < std::size(files); ++b) {
            if (!files[a].writes || !files[b].writes || files[a].path->empty() ||
                files[b].path->empty() || (files[a].path == &output && to_stdout))
                continue;
            if (tracemill::same_file(*files[a].path, *files[b].path)) {
                print_message(not_created(
                    text_of(Message::SameFile, {files[b].flag, *files[b].path, files[a].flag})));
                return kInvalid;
            }
        }
    }
    if (to_stdout && print_frame) {
        print_message(Message::PrintFrameToOutput);
        return kInvalid;
    }
    if (to_stdout && fit_line_width) {
        print_message(Message::NotWithStandardOutput, {"--fit-line-width"});
        return kInvalid;
    }

    // The placement and the parts drawn.
    tracemill::Placement placement;
    tracemill::DrawStyle style;
    {
        const auto align = choice_of("--align", align_name, {"left", "center", "right"});
        if (!align) return kInvalid;
        placement.align = static_cast<tracemill::Align>(*align);
        const auto origin = choice_of("--origin", origin_name, {"center", "lower-left"});
        if (!origin) return kInvalid;
        placement.origin = static_cast<tracemill::Origin>(*origin);
        if (!parse_length(frame_margin_text, placement.frame_margin)) {
            print_message(Message::NotANumber, {"--frame-margin", frame_margin_text});
            return kInvalid;
        }
        style.skeleton = style.outline = style.frame = false;
        std::string_view rest = draw_list;
        do {
            const std::size_t comma = rest.find(',');
            const std::string part(rest.substr(0, comma));
            const auto k = choice_of("--draw", part, {"skeleton", "outline", "frame"});
            if (!k) return kInvalid;
            (*k == 0 ? style.skeleton : *k == 1 ? style.outline : style.frame) = true;
            rest = comma == std::string_view::npos ? std::string_view{} : rest.substr(comma + 1);
            if (comma != std::string_view::npos && rest.empty()) {
                print_message(Message::NotAChoice, {"--draw", "", "skeleton, outline, frame"});
                return kInvalid;
            }
        } while (!rest.empty());
        style.layers = layers;
        output_options.placement = placement;
        output_options.style = style;
    }
    double fit_margin = 0;
    if (fit_margin_option->count() > 0 &&
        !(tracemill::parse_number(fit_margin_text).has_value() &&
          (fit_margin = *tracemill::parse_number(fit_margin_text)) >= 0 && fit_margin < 100)) {
        print_message(Message::NotAMargin, {"--fit-margin", fit_margin_text});
        return kInvalid;
    }

    if (units == "mm") output_options.units = tracemill::Units::Millimetres;
    if (units == "in") output_options.units = tracemill::Units::Inches;

    tracemill::TextParameters p;
    double* targets[] = {&p.char_width, &p.char_height, &p.line_width, &p.char_spacing,
                         &p.line_spacing};
    for (std::size_t k = 0; k < std::size(lengths); ++k) {
        if (!parse_length(lengths[k].text, *targets[k])) {
            print_message(Message::NotANumber, {lengths[k].flag, lengths[k].text});
            return kInvalid;
        }
    }

    std::string typed;
    if (!text_file.empty()) {
        if (!rows.empty()) {
            print_message(Message::TextTwice);
            return kInvalid;
        }
        bool ok = false;
        if (text_file == "-") {
            ok = read_all(std::cin, typed);
        } else if (std::error_code ec; std::filesystem::is_directory(text_file, ec)) {
            print_message(Message::TextFileIsFolder, {text_file});
            return kInvalid;
        } else {
            std::ifstream in(text_file, std::ios::binary);
            ok = in.is_open() && read_all(in, typed);
        }
        if (!ok) {
            print_message(Message::CannotRead, {text_file});
            return kInvalid;
        }
        // A text file's last line ends in a line break; it does not start a row.
        if (typed.size() >= 2 && typed.compare(typed.size() - 2, 2, "\r\n") == 0) {
            typed.resize(typed.size() - 2);
        } else if (!typed.empty() && (typed.back() == '\n' || typed.back() == '\r')) {
            typed.pop_back();
        }
    } else {
        for (std::size_t k = 0; k < rows.size(); ++k) {
            if (k > 0) typed += '\n';
            typed += rows[k];
        }
    }
    const std::string text = tracemill::to_document_bytes(typed);

    bool from_frame = frame_grid_auto;
    for (CLI::Option* f : frame_options) from_frame = from_frame || f->count() > 0;
    if (from_frame) {
        tracemill::FrameInputs in;
        const auto bad_length = [](const char* flag, const std::string& value) {
            print_message(Message::NotANumber, {flag, value});
            return false;
        };
        const auto bad_count = [](const char* flag, const std::string& value) {
            print_message(Message::NotACount, {flag, value});
            return false;
        };
        const auto read_count = [&](const char* flag, const std::string& value, std::int32_t& v) {
            const auto c = tracemill::parse_count(value);
            if (c) v = *c;
            return c ? true : bad_count(flag, value);
        };
        // An option not given keeps the dialog's default.
        bool ok = true;
        if (frame_options[0]->count() > 0) {
            ok = ok && (parse_length(frame_size.first, in.frame_width) ||
                        bad_length("--frame-size", frame_size.first));
            ok = ok && (parse_length(frame_size.second, in.frame_height) ||
                        bad_length("--frame-size", frame_size.second));
        }
        if (frame_options[1]->count() > 0) {
            ok = ok && read_count("--frame-grid", frame_grid.first, in.chars_per_row);
            ok = ok && read_count("--frame-grid", frame_grid.second, in.rows);
        }
        if (frame_options[2]->count() > 0) {
            const auto& [cs, ls, lw] = frame_percent;
            ok = ok && read_count("--frame-percent", cs, in.char_spacing_percent);
            ok = ok && read_count("--frame-percent", ls, in.line_spacing_percent);
            ok = ok && read_count("--frame-percent", lw, in.line_width_percent);
        }
        // Every value is read before the text is measured, so that an
        // unreadable one is named first, as in the dialog.
        if (frame_grid_auto && ok) {
            // The characters per row and the rows as the run measures them.
            const auto measured = tracemill::measure_text(p, text);
            if (!measured) {
                print_message(text_of(Message::NoText) +
                              std::string(tracemill::message_text(Message::FrameNotCalculated, lang)));
                return kInvalid;
            }
            constexpr std::int64_t kLargest = std::numeric_limits<std::int32_t>::max();
            if (measured->columns > kLargest || measured->rows > kLargest) {
                print_message(tracemill::frame_message(Message::FrameOutOfRange, lang));
                return kInvalid;
            }
            in.chars_per_row = static_cast<std::int32_t>(measured->columns);
            in.rows = static_cast<std::int32_t>(measured->rows);
        }
        if (!ok) return kInvalid;
        const tracemill::FrameResult derived = tracemill::calculate_frame(in, lang);
        if (const auto* message = std::get_if<std::string>(&derived)) {
            print_message(*message);
            return kInvalid;
        }
        // The lengths are used as they are shown (fifteen significant
        // digits), exactly as the dialog's fields hold them after its frame
        // calculation, so both draw the same file.
        // A stroke given outright stays as given.
        const auto& d = std::get<tracemill::TextParameters>(derived);
        const double values[] = {d.char_width, d.char_height, d.line_width, d.char_spacing,
                                 d.line_spacing};
        for (std::size_t k = 0; k < std::size(lengths); ++k) {
            if (length_options[k] == line_width_option && line_width_option->count() > 0) continue;
            lengths[k].text = tracemill::shown_number(values[k]);
            if (!parse_length(lengths[k].text, *targets[k])) return kInvalid;
        }
    }
    const bool nothing_to_write = output.empty() && svg_path.empty() && gcode_path.empty();

    if (fit_line_width) {
        // The other lengths are judged with any stroke they accept.
        tracemill::TextParameters judged = p;
        judged.line_width = tracemill::stroke_for_judging(p);
        if (const auto invalid = tracemill::validate(judged, output, text, false, lang)) {
            print_message(*invalid);
            return kInvalid;
        }
        if (const auto invalid = tracemill::validate_placement(placement, lang)) {
            print_message(*invalid);
            return kInvalid;
        }
        const tracemill::StrokeFit fit = tracemill::widest_stroke(p, text, placement);
        const auto character = [&](bool drawable) {
            const auto c = tracemill::typed_character_at(typed, fit.at->row, fit.at->column);
            return c ? tracemill::describe_character(c->code_point, c->utf8, drawable)
                     : tracemill::english_glyph_name(fit.at->byte);
        };
        using Outcome = tracemill::StrokeFit::Outcome;
        switch (fit.outcome) {
            case Outcome::NoText:
                print_message(not_created(text_of(Message::NoText)));
                return kInvalid;
            case Outcome::NoGlyph:
                print_message(Message::FitNoGlyph, {character(false), fit.at->row, fit.at->column});
                return kStopped;
            case Outcome::NothingFits:
                print_message(Message::FitNothing, {character(true), fit.at->row, fit.at->column});
                return kStopped;
            case Outcome::Fits:
                break;
        }
        // P % below the widest: t − t·P·0.01.
        p.line_width = fit.line_width;
        if (fit_margin > 0) p.line_width = fit.line_width - fit.line_width * fit_margin * 0.01;
        lengths[2].text = tracemill::exact_number(p.line_width);
        const std::string widest = tracemill::exact_number(fit.line_width);
        std::cout << lengths[2].text << '\n'
                  << (fit.at ? text_of(Message::FitSetBy, {widest, character(true), fit.at->row, fit.at->column})
                             : text_of(Message::FitSetByCell, {widest}))
                  << '\n';
    }
    if (print_frame) {
        for (const auto& l : lengths) std::cout << l.flag << ' ' << l.text << '\n';
    }
    std::cout.flush();
    if ((print_frame || fit_line_width) && nothing_to_write) return kAllDrawn;
    if (nothing_to_write) {
        print_message(Message::OutputRequired);
        return kInvalid;
    }

    if (!gcode_path.empty()) {
        tracemill::GcodeOptions g = tracemill::gcode_defaults(units == "in");
        g.machine = gcode_machine == "laser" ? tracemill::GcodeMachine::Laser
                    : gcode_machine == "pen" ? tracemill::GcodeMachine::Pen
                                             : tracemill::GcodeMachine::Mill;
        g.cut = gcode_cut == "outline" ? tracemill::GcodeCut::Outline : tracemill::GcodeCut::Skeleton;
        g.order = gcode_order == "text" ? tracemill::GcodeOrder::Text : tracemill::GcodeOrder::Shortest;
        g.frame = gcode_frame;
        g.air_assist = gcode_air;
        double* numbers[] = {&g.feed, &g.plunge_feed, &g.depth, &g.safe_height, &g.spindle_speed,
                             &g.laser_power, &g.laser_scale, nullptr, nullptr, nullptr, &g.pen_dwell};
        for (std::size_t k = 0; k < std::size(gcode_values); ++k) {
            const GcodeValue& v = gcode_values[k];
            if (v.option->count() == 0) continue;
            if (std::string_view(v.machines).find(gcode_machine) == std::string_view::npos) {
                print_message(Message::GcodeOnlyFor, {v.flag, v.machines});
                return kInvalid;
            }
            if (numbers[k] != nullptr) {
                if (!parse_length(v.text, *numbers[k])) {
                    print_message(Message::NotANumber, {v.flag, v.text});
                    return kInvalid;
                }
            } else if (std::string_view(v.flag) == "--gcode-passes") {
                const auto c = tracemill::parse_count(v.text);
                if (!c) {
                    print_message(Message::NotAPassCount, {v.flag, v.text});
                    return kInvalid;
                }
                g.passes = *c;
            } else {
                (std::string_view(v.flag) == "--gcode-pen-up" ? g.pen_up : g.pen_down) = v.text;
            }
        }
        if (gcode_air_option->count() > 0 && gcode_machine != "laser") {
            print_message(Message::GcodeOnlyFor, {"--gcode-air", "laser"});
            return kInvalid;
        }
        output_options.gcode = tracemill::GcodeOutput{gcode_path, g};
    } else {
        bool any = gcode_air_option->count() > 0;
        for (CLI::Option* o : gcode_choices) any = any || o->count() > 0;
        for (const GcodeValue& v : gcode_values) any = any || v.option->count() > 0;
        if (any) {
            print_message(Message::GcodeNeedsFile);
            return kInvalid;
        }
    }


    // Values are judged before any file is, as for the drawing itself.
    if (const auto invalid = tracemill::validate(p, output, text, svg_path.empty() && gcode_path.empty(), lang)) {
        print_message(*invalid);
        return kInvalid;
    }
    // The program's values likewise.
    if (output_options.gcode) {
        if (const auto invalid = tracemill::validate_gcode(output_options.gcode->options, lang)) {
            print_message(*invalid);
            return kInvalid;
        }
    }
    for (const std::string* other : {&svg_path, &gcode_path}) {
        if (!other->empty() && !force && tracemill::path_exists(*other)) {
            print_message(Message::ExistsUseForce, {*other});
            return kNotWritten;
        }
    }

    ProgressLine progress;
    tracemill::CreateOptions how;
    how.language = lang;
    how.strict = strict;
    how.progress = [&progress](const tracemill::RunProgress& r) { progress(r); };
    StandardOutput standard_output;
    auto result =
        to_stdout
            ? tracemill::stream_drawing(p, text, standard_output, svg_path, output_options, how)
            : tracemill::create_drawing(p, text, output,
                                        [force](const std::string&) { return force; }, svg_path,
                                        output_options, how);
    progress.clear();
    using Status = tracemill::CreateResult::Status;
    // Standard output that failed (a closed pipe, a full disk) is a file error.
    if (to_stdout && standard_output.error() != 0 && result.status != Status::Invalid) {
        result.status = Status::FileError;
        result.message = not_created(text_of(Message::StandardOutput) + ": " +
                                     std::strerror(standard_output.error()));
    }
    // The character the run stopped at, on a line of its own, as typed;
    // where a glyph stopped it, with the widest line width that draws the
    // whole text.
    const auto say_where = [&] {
        if (plain || !result.stopped_at) return;
        const tracemill::RunStop& at = *result.stopped_at;
        const auto typed_char = tracemill::typed_character_at(typed, at.row, at.column);
        if (!typed_char) return;
        const std::string character =
            tracemill::describe_character(typed_char->code_point, typed_char->utf8, at.drawable());
        if (at.drawable()) {
            const tracemill::StrokeFit fit = tracemill::widest_stroke(p, text, placement);
            if (fit.outcome == tracemill::StrokeFit::Outcome::Fits) {
                print_message(Message::StoppedAtWidest,
                              {character, at.row, at.column, tracemill::exact_number(fit.line_width)});
                return;
            }
        }
        print_message(Message::StoppedAt, {character, at.row, at.column});
    };
    switch (result.status) {
        case Status::Invalid:
            print_message(result.message);
            return kInvalid;
        case Status::Declined:
            print_message(Message::ExistsUseForce, {output});
            return kNotWritten;
        case Status::Withheld:
            print_message(result.message);
            say_where();
            return kStopped;
        case Status::FileError:
            print_message(result.message);
            return kNotWritten;
        case Status::PictureNotWritten:
            print_message(result.message);
            say_where();
            return kNotWritten;
        case Status::NotJoined:
            print_message(result.message);
            return kNotJoined;
        case Status::Written:
            break;
    }

    if (result.stopped_at) {
        print_message(result.message);
        say_where();
    }
    if (result.gcode) {
        // What the program cuts and how far it moves in between, against the
        // text's own order.
        const std::string unit = units == "in" ? " in" : " mm";
        print_message(Message::GcodeReport,
                      {result.gcode->paths, tracemill::fixed1(result.gcode->cut) + unit,
                       tracemill::fixed1(result.gcode->travel) + unit,
                       tracemill::fixed1(result.gcode->text_travel) + unit});
    }
    return result.stopped_at ? kStopped : kAllDrawn;
}
