#include "generation.hpp"

#include <cmath>
#include <exception>
#include <system_error>
#include <thread>

#include "atomic_file.hpp"
#include "dispatch.hpp"
#include "dxf.hpp"
#include "glyph.hpp"
#include "svg.hpp"
#include "writer_thread.hpp"

namespace tracemill {

namespace {

std::string not_created(std::string_view what) {
    std::string m(what);
    m += messages::kNotCreated;
    return m;
}

// A length must be finite, at most kMaxLength, and (when positive) at least
// kMinPositiveLength. Returns the complaint for field `name`, if any.
std::optional<std::string> range_message(std::string_view name, double v) {
    if (!(v <= kMaxLength)) return not_created(std::string(name) + " が 大き過ぎます。");
    if (v > 0 && v < kMinPositiveLength) return not_created(std::string(name) + " が 小さ過ぎます。");
    return std::nullopt;
}

std::string non_finite_message(unsigned char byte) {
    std::string m = "文字の ";
    m += static_cast<char>(byte);
    m += " の 座標 が計算できません。\n　";
    return m;
}

}  // namespace

std::optional<std::string> validate(const TextParameters& p, std::string_view output_path,
                                    std::string_view text, bool check_path) {
    const double W = p.char_width, H = p.char_height, t = p.line_width;
    if (check_path && output_path.empty()) return std::string(messages::kNoFile);
    if (text.empty()) return std::string(messages::kNoText);
    // Each test is written so that a value that is not a number fails it.
    if (!(W > 0)) return not_created("文字幅 が ゼロ以下です。");
    if (!(H > 0)) return not_created("文字高 が ゼロ以下です。");
    if (!(t > 0)) return not_created("線幅 が ゼロ以下です。");
    if (!(p.char_spacing >= 0)) return not_created("文字間隔 が ゼロ未満です。");
    if (!(p.line_spacing >= 0)) return not_created("行間隔 が ゼロ未満です。");
    if (!(W > t)) return not_created("文字幅 が 線幅 以下です。");
    if (!(H > t)) return not_created("文字高 が 線幅 以下です。");
    // Beyond these, an infinite or absurd length would put "inf" or "nan"
    // into the file, or numbers no machine can cut.
    const std::pair<std::string_view, double> lengths[] = {
        {"文字幅", W}, {"文字高", H}, {"線幅", t}, {"文字間隔", p.char_spacing},
        {"行間隔", p.line_spacing}};
    for (const auto& [name, v] : lengths) {
        if (auto m = range_message(name, v)) return m;
    }
    return std::nullopt;
}

std::optional<TextLayout> measure_text(const TextParameters& p, std::string_view text) {
    TextLayout l;
    l.rows = 1;
    std::int64_t n = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            ++i;  // the LF after the CR
            n = 0;
            ++l.rows;
        } else {
            ++n;
            if (n > l.columns) l.columns = n;
        }
    }
    if (l.columns < 1) return std::nullopt;
    const double cols = static_cast<double>(l.columns);
    const double rows = static_cast<double>(l.rows);
    l.x0 = -((cols - 1) * p.char_spacing + cols * p.char_width) / 2;
    l.y0 = ((rows - 1) * p.line_spacing + rows * p.char_height) / 2;
    return l;
}

std::string draw_text(const TextParameters& p, std::string_view text, const TextLayout& layout,
                      EntitySink& sink) {
    return draw_text(p, text, layout, sink, glyph_table());
}

namespace {

// The walk over the text shared by both runs: the frame into `frame`, then
// every glyph through `out`. after_glyph(byte, row, column, cell) is asked
// after each glyph that drew completely; false ends the walk at once.
// Where a walk begins: at the start of the text, frame first, or at the CR
// that ends a row, with the pen's height and the row number there.
struct WalkStart {
    std::size_t at = 0;
    std::optional<double> pen_y;  // the block's top when not given
    std::int64_t row = 1;
    bool frame = true;
};

template <class AfterGlyph>
std::string walk(const TextParameters& p, std::string_view text, const TextLayout& layout,
                 EntitySink& frame_sink, GlyphOutput& out, const GlyphTable& table,
                 AfterGlyph after_glyph, const WalkStart& start = {}) {
    const double W = p.char_width, H = p.char_height, t = p.line_width;
    const double X0 = layout.x0, Y0 = layout.y0;
    constexpr Colour frame = Colour::CentreLine;
    // The frame, anticlockwise from the bottom-left corner.
    if (start.frame) {
        frame_sink.add(Line{{X0, -Y0}, {-X0, -Y0}, frame});
        frame_sink.add(Line{{-X0, -Y0}, {-X0, Y0}, frame});
        frame_sink.add(Line{{-X0, Y0}, {X0, Y0}, frame});
        frame_sink.add(Line{{X0, Y0}, {X0, -Y0}, frame});
    }

    // The pen advances cell by cell, by repeated addition.
    double pen_x = X0;
    double pen_y = start.pen_y.value_or(Y0);
    std::int64_t row = start.row, column = 1;
    for (std::size_t i = start.at; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\r') {
            pen_x = X0;
            pen_y = pen_y - (H + p.line_spacing);
            ++i;  // the LF after the CR is skipped unseen
            ++row;
            column = 1;
            continue;
        }
        if (byte == ' ') {
            pen_x = pen_x + W + p.char_spacing;
            ++column;
            continue;
        }
        const GlyphGenerator generate = table[byte];
        if (generate == nullptr) return std::string(messages::kUnsupported);
        out.reset();
        const GlyphCell cell = make_cell(pen_x, pen_y, W, H, t);
        generate(cell, out);
        pen_x = pen_x + W + p.char_spacing;
        if (out.hit_non_finite()) return non_finite_message(byte);
        if (out.stopped()) return out.stop_message();
        if (!after_glyph(byte, row, column, cell)) return {};
        ++column;
    }
    return {};
}

std::string position_text(std::int64_t row, std::int64_t column) {
    return std::to_string(row) + " 行目 " + std::to_string(column) + " 文字目";
}

}  // namespace

std::string draw_text(const TextParameters& p, std::string_view text, const TextLayout& layout,
                      EntitySink& sink, const GlyphTable& table) {
    GlyphOutput out(sink);
    return walk(p, text, layout, sink, out, table,
                [](unsigned char, std::int64_t, std::int64_t, const GlyphCell&) { return true; });
}

namespace {

// Keeps every entity and passes it on as well.
class CollectAndPass final : public EntitySink {
public:
    CollectAndPass(EntityList& list, EntitySink* also) : list_(list), also_(also) {}
    void add(const Entity& e) override {
        list_.add(e);
        if (also_ != nullptr) also_->add(e);
    }

private:
    EntityList& list_;
    EntitySink* also_;
};

}  // namespace

ContourRun draw_contours(const TextParameters& p, std::string_view text, const TextLayout& layout,
                         EntitySink& frame, ContourSink& glyphs) {
    return draw_contours(p, text, layout, frame, glyphs, glyph_table());
}

namespace {

ContourRun draw_contours_from(const TextParameters& p, std::string_view text, const TextLayout& layout,
                              EntitySink& frame, ContourSink& glyphs, const GlyphTable& table,
                              EntitySink* loose, ContourParts parts, const WalkStart& start) {
    // Each glyph is collected whole, then joined; a glyph that stops the run
    // is left out with whatever it drew before stopping.
    EntityList collected;
    CollectAndPass collect(collected, loose);
    GlyphOutput out(collect);
    ContourRun run;
    run.stop = walk(p, text, layout, frame, out, table,
                    [&](unsigned char byte, std::int64_t row, std::int64_t column,
                        const GlyphCell& cell) {
                        auto joined = chain_glyph(collected.entities, join_tolerance(cell), parts);
                        collected.entities.clear();
                        if (const auto* fault = std::get_if<ChainFault>(&joined)) {
                            std::string m = "文字の ";
                            m += static_cast<char>(byte);
                            m += "（" + position_text(row, column) + "）の 輪郭 が 点 (" +
                                 fixed9(fault->where.x) + ", " + fixed9(fault->where.y) +
                                 ") で閉じていません。";
                            run.fault = not_created(m);
                            return false;
                        }
                        glyphs.add(std::get<GlyphContours>(joined));
                        return true;
                    },
                    start);
    return run;
}

}  // namespace

ContourRun draw_contours(const TextParameters& p, std::string_view text, const TextLayout& layout,
                         EntitySink& frame, ContourSink& glyphs, const GlyphTable& table,
                         EntitySink* loose, ContourParts parts) {
    return draw_contours_from(p, text, layout, frame, glyphs, table, loose, parts, {});
}

ContourRun draw_program_contours(const TextParameters& p, std::string_view text, const TextLayout& layout,
                                 GcodeWriter& program, const GlyphTable& table, ContourParts parts) {
    // Rows from the first CR past the middle go to a second thread; a short
    // text is not worth one.
    constexpr std::size_t kWorthSplitting = 4096;
    const std::size_t split = text.size() < kWorthSplitting ? std::string_view::npos : text.find('\r', text.size() / 2);
    if (split == std::string_view::npos)
        return draw_contours_from(p, text, layout, program, program, table, nullptr, parts, {});
    // The pen's height at the split, reached by the same repeated
    // subtraction as the walk.
    WalkStart second;
    second.at = split;
    second.frame = false;
    double pen_y = layout.y0;
    for (std::size_t i = 0; i < split; ++i) {
        if (text[i] == '\r') {
            pen_y = pen_y - (p.char_height + p.line_spacing);
            ++i;
            ++second.row;
        }
    }
    second.pen_y = pen_y;
    StringByteSink nothing;
    GcodeWriter later(nothing, program.options(), {});
    ContourRun later_run;
    std::exception_ptr later_failure;
    std::thread helper;
    const auto draw_later = [&] {
        try {
            later_run = draw_contours_from(p, text, layout, later, later, table, nullptr, parts, second);
        } catch (...) {
            later_failure = std::current_exception();
        }
    };
    try {
        helper = std::thread(draw_later);
    } catch (const std::system_error&) {
        draw_later();
    }
    ContourRun run;
    std::exception_ptr failure;
    try {
        run = draw_contours_from(p, text.substr(0, split), layout, program, program, table, nullptr, parts, {});
    } catch (...) {
        failure = std::current_exception();
    }
    if (helper.joinable()) helper.join();
    if (failure) std::rethrow_exception(failure);
    // A stop in the first rows ends the run there, as it would have.
    if (!run.stop.empty() || !run.fault.empty()) return run;
    if (later_failure) std::rethrow_exception(later_failure);
    program.append_paths(later);
    return later_run;
}

namespace {

// Passes every entity, and every glyph's contours, on to two writers.
template <class A, class B>
class TeeSink final : public EntitySink, public ContourSink {
public:
    TeeSink(A& a, B& b) : a_(a), b_(b) {}
    void add(const Entity& e) override {
        a_.add(e);
        b_.add(e);
    }
    void add(const GlyphContours& g) override {
        a_.add(g);
        b_.add(g);
    }

private:
    A& a_;
    B& b_;
};

// Passes every entity, and every glyph's contours, on to any number of
// writers.
class FanOut final : public EntitySink, public ContourSink {
public:
    void add(const Entity& e) override {
        for (EntitySink* s : entities) s->add(e);
    }
    void add(const GlyphContours& g) override {
        for (ContourSink* s : contours) s->add(g);
    }
    std::vector<EntitySink*> entities;
    std::vector<ContourSink*> contours;
};

// Draws into a writer (or a pair of them) in the way the options ask.
template <class Sink>
ContourRun draw_into(Sink& sink, const TextParameters& p, std::string_view text,
                     const TextLayout& layout, const OutputOptions& options,
                     const GlyphTable& table) {
    if (options.polylines) return draw_contours(p, text, layout, sink, sink, table);
    return {draw_text(p, text, layout, sink, table), {}};
}

}  // namespace

CreateResult create_drawing(const TextParameters& p, std::string_view text,
                            const std::string& output_path, const OverwriteQuestion& ask,
                            const std::string& svg_path, const OutputOptions& options) {
    return create_drawing(p, text, output_path, ask, svg_path, options, glyph_table());
}

CreateResult create_drawing(const TextParameters& p, std::string_view text,
                            const std::string& output_path, const OverwriteQuestion& ask,
                            const std::string& svg_path, const OutputOptions& options,
                            const GlyphTable& table) {
    using Status = CreateResult::Status;
    const bool any_other = !svg_path.empty() || (options.gcode && !options.gcode->path.empty());
    if (auto m = validate(p, output_path, text, !any_other)) return {Status::Invalid, *m, {}, {}};
    const auto layout = measure_text(p, text);
    if (!layout) return {Status::Invalid, std::string(messages::kNoText), {}, {}};
    std::optional<GcodeOptions> gcode;
    if (options.gcode) {
        if (options.gcode->path.empty()) return {Status::Invalid, std::string(messages::kNoFile), {}, {}};
        gcode = options.gcode->options;
        gcode->inches = options.units == Units::Inches;
        if (auto m = validate_gcode(*gcode)) return {Status::Invalid, *m, {}, {}};
        if (!(std::fabs(layout->x0) <= kGcodeMaxCoordinate && std::fabs(layout->y0) <= kGcodeMaxCoordinate))
            return {Status::Invalid,
                    not_created("文字の並び が G-code には大き過ぎます（座標は 1000000 まで）。"), {}, {}};
    }

    // Every file streams into a temporary file beside its target; a target
    // is replaced only once everything is complete on disk and the user
    // agreed. The drawing, its picture, its program, in this order.
    struct Target {
        const std::string* path;
        std::string_view kind;
        std::optional<AtomicFileWriter> file;
    };
    Target targets[] = {{&output_path, "DXF", {}}, {&svg_path, "SVG", {}}, {nullptr, "G-code", {}}};
    if (gcode) targets[2].path = &options.gcode->path;
    for (Target& t : targets) {
        if (t.path == nullptr || t.path->empty()) continue;
        t.file.emplace(*t.path);
        if (!t.file->ok()) return {Status::FileError, not_created(t.file->error()), {}, {}};
    }
    AtomicFileWriter* const drawing_file = targets[0].file ? &*targets[0].file : nullptr;
    AtomicFileWriter* const picture_file = targets[1].file ? &*targets[1].file : nullptr;
    AtomicFileWriter* const program_file = targets[2].file ? &*targets[2].file : nullptr;
    const auto discard_all = [&] {
        for (Target& t : targets)
            if (t.file) t.file->discard();
    };

    ContourRun run;
    std::optional<GcodeSummary> summary;
    {
        // The drawing is written to its file from a second thread while the
        // next blocks are made.
        std::optional<WriterThread> drawing_thread;
        std::optional<DxfWriter> dxf;
        if (drawing_file) {
            drawing_thread.emplace(*drawing_file);
            dxf.emplace(*drawing_thread, options.units);
            dxf->begin();
        }
        std::optional<SvgWriter> svg;
        if (picture_file) {
            svg.emplace(*picture_file, *layout);
            svg->begin();
        }
        std::optional<GcodeWriter> program;
        if (program_file) {
            program.emplace(*program_file, *gcode,
                            GcodeSource{text, p.char_width, p.char_height, p.line_width,
                                        p.char_spacing, p.line_spacing});
        }
        if (dxf && !svg && !program) {
            run = draw_into(*dxf, p, text, *layout, options, table);
        } else if (dxf && svg && !program) {
            TeeSink both(*dxf, *svg);
            run = draw_into(both, p, text, *layout, options, table);
        } else if (svg && !program) {
            run = draw_into(*svg, p, text, *layout, options, table);
        } else {
            // The program needs every glyph's joined contours; the drawing and
            // the picture take them too, or the loose entities.
            FanOut frame, loose, contours;
            for (EntitySink* e : {dxf ? static_cast<EntitySink*>(&*dxf) : nullptr,
                                  svg ? static_cast<EntitySink*>(&*svg) : nullptr}) {
                if (e == nullptr) continue;
                frame.entities.push_back(e);
                loose.entities.push_back(e);
            }
            if (options.polylines) {
                if (dxf) contours.contours.push_back(&*dxf);
                if (svg) contours.contours.push_back(&*svg);
            }
            frame.entities.push_back(&*program);
            contours.contours.push_back(&*program);
            // Without closed polylines in the drawing, only the contours the
            // program cuts are joined.
            const ContourParts parts = options.polylines                ? ContourParts::Both
                                       : gcode->cut == GcodeCut::Outline ? ContourParts::Outline
                                                                         : ContourParts::Skeleton;
            run = dxf || svg ? draw_contours(p, text, *layout, frame, contours, table,
                                             options.polylines ? nullptr : &loose, parts)
                             : draw_program_contours(p, text, *layout, *program, table, parts);
            if (run.fault.empty()) summary = program->end();
        }
        if (svg) svg->end();
        if (dxf) {
            dxf->end();
            drawing_thread->finish();
        }
    }
    if (!run.fault.empty()) {
        discard_all();
        return {Status::NotJoined, run.fault, {}, {}};
    }
    const std::string& stop = run.stop;
    for (Target& t : targets) {
        if (t.file && !t.file->finish()) {
            const std::string error = t.file->error();
            discard_all();
            return {Status::FileError, not_created(error), {}, {}};
        }
    }
    // Without a question to ask, an existing file is never replaced.
    if (drawing_file && path_exists(output_path) &&
        !(ask && ask(output_path + std::string(messages::kExistsQuestion)))) {
        discard_all();
        return {Status::Declined, {}, {}, {}};
    }
    std::string written;  // the targets replaced so far
    for (Target& t : targets) {
        if (!t.file) continue;
        if (t.file->publish()) {
            written += (written.empty() ? "" : "、") + *t.path;
            continue;
        }
        const std::string error = t.file->error();
        discard_all();
        if (written.empty()) return {Status::FileError, not_created(error), {}, {}};
        return {Status::PictureNotWritten,
                stop + written + " は作成しました。\n　" + error + "\n　" + std::string(t.kind) +
                    " ファイルは作成していません。",
                stop, {}};
    }
    return {Status::Written,
            stop + std::string(drawing_file ? messages::kCreated : messages::kFilesCreated), stop,
            summary};
}

}  // namespace tracemill
