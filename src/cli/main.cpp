// tracemill: writes the outline drawing of a text as a DXF file.
#include <CLI/CLI.hpp>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <variant>
#include <vector>

#include "atomic_file.hpp"
#include "dxf.hpp"
#include "frame_calculation.hpp"
#include "generation.hpp"
#include "number_text.hpp"
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

void print_message(const std::string& m) { std::cerr << m << '\n'; }

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{
        "Writes the outline drawing of a text as a DXF file: for every character its\n"
        "skeleton (the path of a round pen's centre, colour 4) and the outline of the area\n"
        "the pen sweeps (colour 6), with a frame around the text block centred on the\n"
        "origin. Each TEXT argument is a row; a newline inside an argument starts a row.\n"
        "Exit status: 0 every character drawn; 1 the run stopped at a character (the file\n"
        "still holds everything before it); 2 invalid arguments or values; 3 the file was\n"
        "not written; 4 a glyph's outline could not be joined into closed polylines\n"
        "(--polylines; nothing written).",
        "tracemill"};
    app.option_defaults()->always_capture_default();

    std::string output;
    std::vector<std::string> rows;
    std::string text_file;
    std::string svg_path;
    bool force = false;
    struct LengthOption {
        const char* flag;
        const char* help;
        std::string text;
    };
    LengthOption lengths[] = {
        {"--char-width", "Width of a character cell (drawing units)", "2.1"},
        {"--char-height", "Height of a character cell", "5"},
        {"--line-width", "Stroke width: the diameter of the pen", "0.3"},
        {"--char-spacing", "Gap between neighbouring cells of a row", "0.4"},
        {"--line-spacing", "Gap between rows", "0.4"},
    };

    app.add_option("-o,--output", output, "The DXF file to write (required unless --print-frame)")
        ->type_name("FILE");
    app.add_option("text", rows, "The text; each argument is a row")->type_name("TEXT");
    app.add_option("--text-file", text_file,
                   "Read the rows from FILE instead ('-' for standard input); one final line "
                   "break is ignored")
        ->type_name("FILE");
    std::vector<CLI::Option*> length_options;
    for (auto& l : lengths) {
        length_options.push_back(
            app.add_option(l.flag, l.text, l.help)->type_name("LENGTH")->default_str(l.text));
    }

    // The frame calculation: the five lengths derived from a frame instead.
    std::pair<std::string, std::string> frame_size;
    std::pair<std::string, std::string> frame_grid;
    std::tuple<std::string, std::string, std::string> frame_percent;
    bool print_frame = false;
    CLI::Option* frame_options[] = {
        app.add_option("--frame-size", frame_size,
                       "Derive the lengths from a frame W wide and H high (default 2.5 5)")
            ->type_name("W H"),
        app.add_option("--frame-grid", frame_grid,
                       "... holding N characters per row in M rows (default 1 1)")
            ->type_name("N M"),
        app.add_option("--frame-percent", frame_percent,
                       "... with gaps of CS % of a cell's width between characters and LS % of "
                       "its height between rows, and a stroke LW % of the smaller cell side "
                       "(default 20 50 15)")
            ->type_name("CS LS LW"),
        app.add_flag("--print-frame", print_frame,
                     "Print the derived lengths as options, one per line (then -o is optional)"),
    };
    app.add_flag("-f,--force", force, "Replace an existing file (otherwise it is left untouched)");
    app.add_option("--svg", svg_path, "Also write an SVG picture of the drawing")->type_name("FILE");
    tracemill::OutputOptions output_options;
    app.add_flag("--polylines", output_options.polylines,
                 "Write each glyph's outline as closed polylines (exact arcs as bulges; outer "
                 "boundaries anticlockwise, counters clockwise) and its skeleton as joined "
                 "polylines; the SVG picture then fills the outline");
    std::string units;
    app.add_option("--units", units,
                   "Record the drawing unit in the file's header ($INSUNITS), so that cutting "
                   "software imports it at its true size")
        ->type_name("mm|in")
        ->check(CLI::IsMember({"mm", "in"}));

    // A length given outright and the same length derived from a frame would
    // contradict each other; neither silently wins.
    for (CLI::Option* f : frame_options) {
        for (CLI::Option* l : length_options) f->excludes(l);
    }

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? kAllDrawn : kInvalid;
    }

    if (units == "mm") output_options.units = tracemill::Units::Millimetres;
    if (units == "in") output_options.units = tracemill::Units::Inches;

    tracemill::TextParameters p;
    double* targets[] = {&p.char_width, &p.char_height, &p.line_width, &p.char_spacing,
                         &p.line_spacing};
    for (std::size_t k = 0; k < std::size(lengths); ++k) {
        if (!parse_length(lengths[k].text, *targets[k])) {
            std::cerr << lengths[k].flag << ": \"" << lengths[k].text
                      << "\" は数値ではありません。\n";
            return kInvalid;
        }
    }

    bool from_frame = false;
    for (CLI::Option* f : frame_options) from_frame = from_frame || f->count() > 0;
    if (from_frame) {
        tracemill::FrameInputs in;
        const auto bad_length = [](const char* flag, const std::string& text) {
            std::cerr << flag << ": \"" << text << "\" は数値ではありません。\n";
            return false;
        };
        const auto bad_count = [](const char* flag, const std::string& text) {
            std::cerr << flag << ": \"" << text
                      << "\" は 0 から 2147483647 までの整数ではありません。\n";
            return false;
        };
        const auto read_count = [&](const char* flag, const std::string& text, std::int32_t& v) {
            const auto c = tracemill::parse_count(text);
            if (c) v = *c;
            return c ? true : bad_count(flag, text);
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
        if (!ok) return kInvalid;
        const tracemill::FrameResult derived = tracemill::calculate_frame(in);
        if (const auto* message = std::get_if<std::string>(&derived)) {
            print_message(*message);
            return kInvalid;
        }
        // The lengths are used as they are shown (fifteen significant
        // digits), exactly as the dialog's fields hold them after its frame
        // calculation, so both draw the same file.
        const auto& d = std::get<tracemill::TextParameters>(derived);
        const double values[] = {d.char_width, d.char_height, d.line_width, d.char_spacing,
                                 d.line_spacing};
        for (std::size_t k = 0; k < std::size(lengths); ++k) {
            lengths[k].text = tracemill::shown_number(values[k]);
            if (!parse_length(lengths[k].text, *targets[k])) return kInvalid;
        }
        if (print_frame) {
            for (const auto& l : lengths) std::cout << l.flag << ' ' << l.text << '\n';
            std::cout.flush();
            if (output.empty()) return kAllDrawn;
        }
    }
    if (output.empty()) {
        std::cerr << "--output is required\nRun with --help for more information.\n";
        return kInvalid;
    }

    std::string typed;
    if (!text_file.empty()) {
        if (!rows.empty()) {
            std::cerr << "--text-file: TEXT と同時には指定できません。\n";
            return kInvalid;
        }
        bool ok = false;
        if (text_file == "-") {
            ok = read_all(std::cin, typed);
        } else if (std::error_code ec; std::filesystem::is_directory(text_file, ec)) {
            std::cerr << text_file << ": フォルダです。文字のファイルを指定してください。\n";
            return kInvalid;
        } else {
            std::ifstream in(text_file, std::ios::binary);
            ok = in.is_open() && read_all(in, typed);
        }
        if (!ok) {
            std::cerr << text_file << ": 読み込めません。\n";
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

    // Values are judged before any file is, as for the drawing itself.
    if (const auto invalid = tracemill::validate(p, output, text)) {
        print_message(*invalid);
        return kInvalid;
    }
    if (!svg_path.empty() && !force && tracemill::path_exists(svg_path)) {
        print_message(svg_path + " は既に存在します。\n　ファイルは作成していません。"
                                 "（上書きするには --force を指定します）");
        return kNotWritten;
    }

    const auto result = tracemill::create_drawing(
        p, text, output, [force](const std::string&) { return force; }, svg_path,
        output_options);
    using Status = tracemill::CreateResult::Status;
    switch (result.status) {
        case Status::Invalid:
            print_message(result.message);
            return kInvalid;
        case Status::Declined:
            print_message(output + " は既に存在します。\n　ファイルは作成していません。"
                                   "（上書きするには --force を指定します）");
            return kNotWritten;
        case Status::FileError:
        case Status::PictureNotWritten:
            print_message(result.message);
            return kNotWritten;
        case Status::NotJoined:
            print_message(result.message);
            return kNotJoined;
        case Status::Written:
            break;
    }

    if (!result.stop_message.empty()) {
        print_message(result.message);
        return kStopped;
    }
    return kAllDrawn;
}
