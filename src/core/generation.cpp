#include "generation.hpp"

#include <algorithm>
#include <cmath>
#include <exception>
#include <span>

#include "dispatch.hpp"
#include "dxf.hpp"
#include "glyph.hpp"
#include "second_thread.hpp"
#include "svg.hpp"
// The browser build writes to memory: no files, no writer thread.
#ifndef __EMSCRIPTEN__
#include "atomic_file.hpp"
#include "writer_thread.hpp"
#endif

namespace tracemill {

namespace {

std::string not_created(Language lang, std::string_view what) {
    std::string m(what);
    m += message_text(Message::NotCreated, lang);
    return m;
}

std::string not_created(Language lang, Message id, std::initializer_list<MessageArg> args = {}) {
    return not_created(lang, format_message(id, lang, args));
}

// A length must be finite, at most kMaxLength, and (when positive) at least
// kMinPositiveLength. Returns the complaint for field `name`, if any.
std::optional<std::string> range_message(Language lang, Message name, double v) {
    const std::string_view field = message_text(name, lang);
    if (!(v <= kMaxLength)) return not_created(lang, Message::TooLarge, {field});
    if (v > 0 && v < kMinPositiveLength) return not_created(lang, Message::TooSmall, {field});
    return std::nullopt;
}

}  // namespace

std::optional<std::string> validate(const TextParameters& p, std::string_view output_path,
                                    std::string_view text, bool check_path, Language lang) {
    const double W = p.char_width, H = p.char_height, t = p.line_width;
    const auto name = [lang](Message field) { return message_text(field, lang); };
    if (check_path && output_path.empty()) return not_created(lang, Message::NoFile);
    if (text.empty()) return not_created(lang, Message::NoText);
    // Each test is written so that a value that is not a number fails it.
    if (!(W > 0)) return not_created(lang, Message::ZeroOrLess, {name(Message::CharWidth)});
    if (!(H > 0)) return not_created(lang, Message::ZeroOrLess, {name(Message::CharHeight)});
    if (!(t > 0)) return not_created(lang, Message::ZeroOrLess, {name(Message::LineWidth)});
    if (!(p.char_spacing >= 0)) return not_created(lang, Message::Negative, {name(Message::CharSpacing)});
    if (!(p.line_spacing >= 0)) return not_created(lang, Message::Negative, {name(Message::LineSpacing)});
    if (!(W > t)) return not_created(lang, Message::NotAboveLineWidth, {name(Message::CharWidth)});
    if (!(H > t)) return not_created(lang, Message::NotAboveLineWidth, {name(Message::CharHeight)});
    // Beyond these, an infinite or absurd length would put "inf" or "nan"
    // into the file, or numbers no machine can cut.
    const std::pair<Message, double> lengths[] = {
        {Message::CharWidth, W}, {Message::CharHeight, H}, {Message::LineWidth, t},
        {Message::CharSpacing, p.char_spacing}, {Message::LineSpacing, p.line_spacing}};
    for (const auto& [field, v] : lengths) {
        if (auto m = range_message(lang, field, v)) return m;
    }
    return std::nullopt;
}

std::optional<std::string> validate_placement(const Placement& placement, Language lang) {
    const double m = placement.frame_margin;
    const std::string_view field = message_text(Message::FrameMargin, lang);
    if (!(m >= 0)) return not_created(lang, Message::Negative, {field});
    return range_message(lang, Message::FrameMargin, m);
}

std::optional<TextLayout> measure_text(const TextParameters& p, std::string_view text) {
    return measure_text(p, text, Placement{});
}

std::optional<TextLayout> measure_text(const TextParameters& p, std::string_view text,
                                       const Placement& placement) {
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
    l.align = placement.align;
    const double cols = static_cast<double>(l.columns);
    const double rows = static_cast<double>(l.rows);
    const double M = placement.frame_margin;
    if (placement.origin == Origin::Center) {
        l.x0 = -((cols - 1) * p.char_spacing + cols * p.char_width) / 2;
        l.y0 = ((rows - 1) * p.line_spacing + rows * p.char_height) / 2;
        if (M == 0) {
            // The block's own edges, as the frame has always been drawn.
            l.left = l.x0;
            l.right = -l.x0;
            l.bottom = -l.y0;
            l.top = l.y0;
        } else {
            l.left = l.x0 - M;
            l.right = -l.x0 + M;
            l.bottom = -l.y0 - M;
            l.top = l.y0 + M;
        }
    } else {
        // The frame's lower-left corner at the origin, the block M inside it.
        const double block_width = (cols - 1) * p.char_spacing + cols * p.char_width;
        const double block_height = (rows - 1) * p.line_spacing + rows * p.char_height;
        l.left = 0;
        l.bottom = 0;
        l.x0 = M;
        l.y0 = M + block_height;
        l.right = l.x0 + block_width + M;
        l.top = l.y0 + M;
    }
    return l;
}

RowStarts::RowStarts(const TextParameters& p, const TextLayout& layout) : layout_(layout) {
    if (layout.align == Align::Left) return;
    // The pen's own steps: pen x = pen x + W + CharSpacing, once per pitch.
    const auto count = static_cast<std::size_t>(layout.columns);
    whole_.resize(count + 1);
    double x = layout.x0;
    for (std::size_t k = 0; k <= count; ++k) {
        whole_[k] = x;
        x = x + p.char_width + p.char_spacing;
    }
    half_pitch_ = (p.char_width + p.char_spacing) / 2;
}

double RowStarts::operator()(std::int64_t length) const {
    if (layout_.align == Align::Left) return layout_.x0;
    const std::int64_t free = layout_.columns - length;
    if (layout_.align == Align::Right) return whole_[static_cast<std::size_t>(free)];
    const double whole = whole_[static_cast<std::size_t>(free / 2)];
    return free % 2 == 0 ? whole : whole + half_pitch_;
}

double RowStarts::at(std::string_view text, std::size_t at) const {
    if (layout_.align == Align::Left) return layout_.x0;
    if (at >= text.size()) return (*this)(0);
    const std::size_t end = std::min(text.find('\r', at), text.size());
    return (*this)(static_cast<std::int64_t>(end - at));
}

std::string RunStop::message(Language lang) const {
    return reason.text(lang, english_glyph_name(byte));
}

namespace {

// Reports how far the walk has come every kProgressEvery bytes of the text.
constexpr std::size_t kProgressEvery = 512;
using ProgressHook = std::function<void(std::size_t done)>;

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
std::optional<RunStop> walk(const TextParameters& p, std::string_view text, const TextLayout& layout,
                            EntitySink& frame_sink, GlyphOutput& out, const GlyphTable& table,
                            AfterGlyph after_glyph, const ProgressHook& progress = {},
                            const WalkStart& start = {}) {
    const double W = p.char_width, H = p.char_height, t = p.line_width;
    const double Y0 = layout.y0;
    constexpr Colour frame = Colour::CentreLine;
    // The frame, anticlockwise from the bottom-left corner.
    if (start.frame) {
        const double l = layout.left, r = layout.right, b = layout.bottom, tp = layout.top;
        frame_sink.add(Line{{l, b}, {r, b}, frame});
        frame_sink.add(Line{{r, b}, {r, tp}, frame});
        frame_sink.add(Line{{r, tp}, {l, tp}, frame});
        frame_sink.add(Line{{l, tp}, {l, b}, frame});
    }

    // The pen advances cell by cell, by repeated addition, from where its
    // row starts.
    const RowStarts row_start(p, layout);
    double pen_x = row_start.at(text, start.at);
    double pen_y = start.pen_y.value_or(Y0);
    std::int64_t row = start.row, column = 1;
    std::size_t next_report = progress ? kProgressEvery : text.size() + 1;
    for (std::size_t i = start.at; i < text.size(); ++i) {
        if (i >= next_report) {
            progress(i - static_cast<std::size_t>(row - 1));  // a CR LF is one line break
            next_report = i + kProgressEvery;
        }
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\r') {
            pen_x = row_start.at(text, i + 2);
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
        if (generate == nullptr) return RunStop{{Message::Unsupported, {}, 0}, byte, row, column};
        out.reset();
        const GlyphCell cell = make_cell(pen_x, pen_y, W, H, t);
        generate(cell, out);
        pen_x = pen_x + W + p.char_spacing;
        // The Japanese message names the byte itself here.
        if (out.hit_non_finite())
            return RunStop{{Message::NotComputable, std::string(1, static_cast<char>(byte)), 0}, byte,
                           row, column};
        if (out.stopped()) return RunStop{*out.stop_reason(), byte, row, column};
        if (!after_glyph(byte, row, column, cell)) return std::nullopt;
        ++column;
    }
    if (progress) progress(text.size() - static_cast<std::size_t>(row - 1));
    return std::nullopt;
}

std::string stop_text(const std::optional<RunStop>& stop, Language lang) {
    return stop ? stop->message(lang) : std::string();
}

}  // namespace

std::optional<RunStop> draw_text_run(const TextParameters& p, std::string_view text,
                                     const TextLayout& layout, EntitySink& sink,
                                     const GlyphTable& table) {
    GlyphOutput out(sink);
    return walk(p, text, layout, sink, out, table,
                [](unsigned char, std::int64_t, std::int64_t, const GlyphCell&) { return true; });
}

std::string draw_text(const TextParameters& p, std::string_view text, const TextLayout& layout,
                      EntitySink& sink) {
    return draw_text(p, text, layout, sink, glyph_table());
}

std::string draw_text(const TextParameters& p, std::string_view text, const TextLayout& layout,
                      EntitySink& sink, const GlyphTable& table) {
    return stop_text(draw_text_run(p, text, layout, sink, table), Language::Japanese);
}

ContourRun draw_contours(const TextParameters& p, std::string_view text, const TextLayout& layout,
                         EntitySink& frame, ContourSink& glyphs) {
    return draw_contours(p, text, layout, frame, glyphs, glyph_table());
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

ContourRun contours_run(const TextParameters& p, std::string_view text, const TextLayout& layout,
                        EntitySink& frame, ContourSink& glyphs, const GlyphTable& table,
                        Language lang, const ProgressHook& progress, EntitySink* loose = nullptr,
                        ContourParts parts = ContourParts::Both, const WalkStart& start = {}) {
    // Each glyph is collected whole, then joined; a glyph that stops the run
    // is left out with whatever it drew before stopping (which still goes to
    // `loose`).
    EntityList collected;
    CollectAndPass collect(collected, loose);
    GlyphOutput out(collect);
    ContourRun run;
    run.stopped_at = walk(
        p, text, layout, frame, out, table,
        [&](unsigned char byte, std::int64_t row, std::int64_t column, const GlyphCell& cell) {
            auto joined = chain_glyph(collected.entities, join_tolerance(cell), parts);
            collected.entities.clear();
            if (const auto* fault = std::get_if<ChainFault>(&joined)) {
                const std::string name = lang == Language::Japanese
                                             ? std::string(1, static_cast<char>(byte))
                                             : english_glyph_name(byte);
                run.fault = not_created(lang, Message::ContourNotClosed,
                                        {name, row, column, fixed9(fault->where.x),
                                         fixed9(fault->where.y)});
                return false;
            }
            glyphs.add(std::get<GlyphContours>(joined));
            return true;
        },
        progress, start);
    run.stop = stop_text(run.stopped_at, lang);
    return run;
}

}  // namespace

ContourRun draw_contours(const TextParameters& p, std::string_view text, const TextLayout& layout,
                         EntitySink& frame, ContourSink& glyphs, const GlyphTable& table,
                         Language lang, EntitySink* loose, ContourParts parts) {
    return contours_run(p, text, layout, frame, glyphs, table, lang, {}, loose, parts);
}

ContourRun draw_program_contours(const TextParameters& p, std::string_view text, const TextLayout& layout,
                                 GcodeWriter& program, const GlyphTable& table, ContourParts parts,
                                 Language lang) {
    // Rows from the first CR past the middle go to a second thread; a short
    // text is not worth one.
    constexpr std::size_t kWorthSplitting = 4096;
    const std::size_t split =
        text.size() < kWorthSplitting ? std::string_view::npos : text.find('\r', text.size() / 2);
    if (split == std::string_view::npos)
        return contours_run(p, text, layout, program, program, table, lang, {}, nullptr, parts);
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
    SecondThread helper([&] {
        later_run = contours_run(p, text, layout, later, later, table, lang, {}, nullptr, parts, second);
    });
    const ContourRun run =
        contours_run(p, text.substr(0, split), layout, program, program, table, lang, {}, nullptr, parts);
    const std::exception_ptr later_failure = helper.wait();
    // A stop in the first rows ends the run there, as it would have.
    if (run.stopped_at || !run.fault.empty()) return run;
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
    void add_frame(const Entity& e) {
        a_.add_frame(e);
        b_.add_frame(e);
    }

private:
    A& a_;
    B& b_;
};

// The frame's lines, passed on to a writer as the frame.
template <class W>
class AsFrame final : public EntitySink {
public:
    explicit AsFrame(W& w) : w_(w) {}
    void add(const Entity& e) override { w_.add_frame(e); }

private:
    W& w_;
};

// The contours a drawing needs joined: the parts it draws (both, when it
// draws neither, so that the run is the same as ever).
ContourParts drawn_parts(const DrawStyle& style) {
    if (style.outline && !style.skeleton) return ContourParts::Outline;
    if (style.skeleton && !style.outline) return ContourParts::Skeleton;
    return ContourParts::Both;
}

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
                     const GlyphTable& table, Language lang, const ProgressHook& progress) {
    AsFrame<Sink> frame(sink);
    if (options.polylines)
        return contours_run(p, text, layout, frame, sink, table, lang, progress, nullptr,
                            drawn_parts(options.style));
    GlyphOutput out(sink);
    ContourRun run;
    run.stopped_at = walk(p, text, layout, frame, out, table,
                          [](unsigned char, std::int64_t, std::int64_t, const GlyphCell&) { return true; },
                          progress);
    run.stop = stop_text(run.stopped_at, lang);
    return run;
}

// Counts the bytes passing on to another sink, for the progress report.
class CountingSink final : public ByteSink {
public:
    explicit CountingSink(ByteSink& out) : out_(out) {}
    void write(std::string_view bytes) override {
        count += bytes.size();
        out_.write(bytes);
    }
    void write_block(std::unique_ptr<char[]>& block, std::size_t size) override {
        count += size;
        out_.write_block(block, size);
    }
    std::uint64_t count = 0;

private:
    ByteSink& out_;
};

// Makes the whole drawing (when there is one) into `drawing_out`, its bytes
// passing through a second thread on their way, and its picture and its
// machine program (when asked for) into their files. The program's summary
// goes to `summary`.
ContourRun produce(ByteSink* drawing_out, ByteSink* picture, ByteSink* program_file,
                   const TextParameters& p, std::string_view text, const TextLayout& layout,
                   const OutputOptions& options, const GlyphTable& table, const CreateOptions& how,
                   std::optional<GcodeSummary>& summary) {
    ContourRun run;
#ifndef __EMSCRIPTEN__
    std::optional<WriterThread> drawing;
#endif
    std::optional<CountingSink> counted;
    std::optional<DxfWriter> dxf;
    if (drawing_out != nullptr) {
#ifndef __EMSCRIPTEN__
        drawing.emplace(*drawing_out);
        counted.emplace(*drawing);
#else
        counted.emplace(*drawing_out);
#endif
        dxf.emplace(*counted, options.units, options.style);
        dxf->begin();
    }
    // Characters as typed: a line break is one, not the document's CR LF.
    const auto total = text.size() - static_cast<std::size_t>(std::count(text.begin(), text.end(), '\r'));
    const auto bytes = [&] { return counted ? counted->count : 0; };
    ProgressHook progress;
    if (how.progress) {
        progress = [&](std::size_t done) { how.progress({done, total, bytes()}); };
    }
    std::optional<SvgWriter> svg;
    if (picture != nullptr) {
        svg.emplace(*picture, layout, options.style, options.units);
        svg->begin();
    }
    std::optional<GcodeOptions> gcode;
    std::optional<GcodeWriter> program;
    if (program_file != nullptr) {
        gcode = options.gcode->options;
        gcode->inches = options.units == Units::Inches;
        program.emplace(*program_file, *gcode,
                        GcodeSource{text, p.char_width, p.char_height, p.line_width, p.char_spacing,
                                    p.line_spacing});
    }
    if (!program) {
        if (dxf && svg) {
            TeeSink both(*dxf, *svg);
            run = draw_into(both, p, text, layout, options, table, how.language, progress);
        } else if (dxf) {
            run = draw_into(*dxf, p, text, layout, options, table, how.language, progress);
        } else if (svg) {
            run = draw_into(*svg, p, text, layout, options, table, how.language, progress);
        }
    } else {
        // The program needs every glyph's joined contours (only those it
        // cuts, unless the drawing wants closed polylines); the drawing and
        // the picture take them too, or the loose entities.
        const ContourParts cut = gcode->cut == GcodeCut::Outline ? ContourParts::Outline : ContourParts::Skeleton;
        const ContourParts parts = !options.polylines || drawn_parts(options.style) == cut ? cut : ContourParts::Both;
        if (!dxf && !svg && !how.progress) {
            run = draw_program_contours(p, text, layout, *program, table, parts, how.language);
        } else {
            FanOut frame, loose, contours;
            std::optional<AsFrame<DxfWriter>> dxf_frame;
            std::optional<AsFrame<SvgWriter>> svg_frame;
            if (dxf) {
                frame.entities.push_back(&dxf_frame.emplace(*dxf));
                loose.entities.push_back(&*dxf);
            }
            if (svg) {
                frame.entities.push_back(&svg_frame.emplace(*svg));
                loose.entities.push_back(&*svg);
            }
            if (options.polylines) {
                if (dxf) contours.contours.push_back(&*dxf);
                if (svg) contours.contours.push_back(&*svg);
            }
            frame.entities.push_back(&*program);
            contours.contours.push_back(&*program);
            run = contours_run(p, text, layout, frame, contours, table, how.language, progress,
                               options.polylines || loose.entities.empty() ? nullptr : &loose, parts);
        }
        if (run.fault.empty()) summary = program->end();
    }
    if (svg) svg->end();
    if (dxf) {
        dxf->end();
#ifndef __EMSCRIPTEN__
        drawing->finish();
#endif
    }
    if (how.progress) how.progress({total, total, bytes()});
    return run;
}

#ifndef __EMSCRIPTEN__
// The stop message before the final text, the stop and where it happened.
CreateResult finished(CreateResult::Status status, const ContourRun& run, std::string_view tail) {
    CreateResult r{status, run.stop + std::string(tail), run.stop, run.stopped_at, {}};
    return r;
}
#endif

}  // namespace

// The machine program's values and the size of the text block, judged
// before any file is touched.
std::optional<std::string> validate_program(const OutputOptions& options, const TextLayout& layout,
                                            Language lang) {
    if (!options.gcode) return std::nullopt;
    if (options.gcode->path.empty()) return not_created(lang, Message::NoFile);
    if (auto m = validate_gcode(options.gcode->options, lang)) return m;
    // The frame encloses every coordinate of the drawing.
    for (const double edge : {layout.left, layout.right, layout.bottom, layout.top}) {
        if (!(std::fabs(edge) <= kGcodeMaxCoordinate)) return not_created(lang, Message::GcodeBlockTooLarge);
    }
    return std::nullopt;
}

ContourRun write_drawing(const TextParameters& p, std::string_view text, const TextLayout& layout,
                         const OutputOptions& options, ByteSink* drawing, ByteSink* picture,
                         ByteSink* program, const GlyphTable& table, Language lang,
                         std::optional<GcodeSummary>* summary) {
    std::optional<GcodeSummary> kept;
    CreateOptions how;
    how.language = lang;
    return produce(drawing, picture, program, p, text, layout, options, table, how, summary ? *summary : kept);
}

std::optional<std::string> validate_run(const TextParameters& p, std::string_view text,
                                        const std::string& output_path, const std::string& svg_path,
                                        const OutputOptions& options, Language lang) {
    const bool any_other = !svg_path.empty() || options.gcode.has_value();
    if (auto m = validate(p, output_path, text, !any_other, lang)) return m;
    if (auto m = validate_placement(options.placement, lang)) return m;
    const auto layout = measure_text(p, text, options.placement);
    if (!layout) return not_created(lang, Message::NoText);
    return validate_program(options, *layout, lang);
}

#ifndef __EMSCRIPTEN__
CreateResult create_drawing(const TextParameters& p, std::string_view text,
                            const std::string& output_path, const OverwriteQuestion& ask,
                            const std::string& svg_path, const OutputOptions& options) {
    return create_drawing(p, text, output_path, ask, svg_path, options, glyph_table());
}

CreateResult create_drawing(const TextParameters& p, std::string_view text,
                            const std::string& output_path, const OverwriteQuestion& ask,
                            const std::string& svg_path, const OutputOptions& options,
                            const CreateOptions& how) {
    return create_drawing(p, text, output_path, ask, svg_path, options, glyph_table(), how);
}

namespace {

// One file of a run: it streams into a temporary file beside its target,
// and the target is replaced only once every file of the run is complete on
// disk (and the user agreed).
struct Target {
    const std::string* path = nullptr;  // none: the run does not write it
    std::string_view kind;
    std::optional<AtomicFileWriter> file;

    ByteSink* sink() { return file ? &*file : nullptr; }
};

using Status = CreateResult::Status;

CreateResult refused(Status status, std::string message) { return {status, std::move(message), {}, {}, {}}; }

void discard(std::span<Target> targets) {
    for (Target& t : targets)
        if (t.file) t.file->discard();
}

// Opens a temporary file for every target the run writes.
std::optional<CreateResult> open_targets(std::span<Target> targets, Language lang) {
    for (Target& t : targets) {
        if (t.path == nullptr || t.path->empty()) continue;
        t.file.emplace(*t.path);
        if (!t.file->ok()) {
            const std::string error = t.file->error();
            discard(targets);
            return refused(Status::FileError, not_created(lang, error));
        }
    }
    return std::nullopt;
}

// After the run: a fault of a glyph, a stop that must leave nothing behind
// and a file that cannot be completed each discard every file of the run.
std::optional<CreateResult> settle(std::span<Target> targets, const ContourRun& run, const CreateOptions& how) {
    const Language lang = how.language;
    if (!run.fault.empty()) {
        discard(targets);
        return refused(Status::NotJoined, run.fault);
    }
    if (how.strict && run.stopped_at) {
        discard(targets);
        return finished(Status::Withheld, run, message_text(Message::Withheld, lang));
    }
    for (Target& t : targets) {
        if (t.file && !t.file->finish()) {
            const std::string error = t.file->error();
            discard(targets);
            return refused(Status::FileError, not_created(lang, error));
        }
    }
    return std::nullopt;
}

// Replaces the targets in order. `written` names what the run has already
// delivered; a failure after that says exactly which were written and which
// not, a failure before it is a plain failure with every old file intact.
CreateResult publish(std::span<Target> targets, std::string written, const ContourRun& run,
                     const std::optional<GcodeSummary>& summary, Message done, Language lang) {
    for (Target& t : targets) {
        if (!t.file) continue;
        if (t.file->publish()) {
            written += (written.empty() ? "" : ", ") + *t.path;
            continue;
        }
        const std::string error = t.file->error();
        discard(targets);
        if (written.empty()) return refused(Status::FileError, not_created(lang, error));
        return finished(Status::PictureNotWritten, run,
                        t.kind == "SVG" ? format_message(Message::PictureNotWritten, lang, {written, error})
                                        : format_message(Message::FileNotWritten, lang, {written, error, t.kind}));
    }
    CreateResult r = finished(Status::Written, run, message_text(done, lang));
    r.gcode = summary;
    return r;
}

}  // namespace

CreateResult create_drawing(const TextParameters& p, std::string_view text,
                            const std::string& output_path, const OverwriteQuestion& ask,
                            const std::string& svg_path, const OutputOptions& options,
                            const GlyphTable& table, const CreateOptions& how) {
    const Language lang = how.language;
    if (auto m = validate_run(p, text, output_path, svg_path, options, lang)) return refused(Status::Invalid, *m);
    const auto layout = measure_text(p, text, options.placement);
    if (!layout) return refused(Status::Invalid, not_created(lang, Message::NoText));

    // The drawing, its picture, its program, in this order.
    Target targets[] = {{&output_path, "DXF", {}},
                        {&svg_path, "SVG", {}},
                        {options.gcode ? &options.gcode->path : nullptr, "G-code", {}}};
    if (auto r = open_targets(targets, lang)) return *r;
    std::optional<GcodeSummary> summary;
    const ContourRun run = produce(targets[0].sink(), targets[1].sink(), targets[2].sink(), p, text, *layout,
                                   options, table, how, summary);
    if (auto r = settle(targets, run, how)) return *r;
    // Without a question to ask, an existing file is never replaced.
    if (targets[0].file && path_exists(output_path) &&
        !(ask && ask(format_message(Message::ExistsQuestion, lang, {output_path})))) {
        discard(targets);
        return refused(Status::Declined, {});
    }
    return publish(targets, {}, run, summary, targets[0].file ? Message::Created : Message::FilesCreated, lang);
}

CreateResult stream_drawing(const TextParameters& p, std::string_view text, ByteSink& out,
                            const std::string& svg_path, const OutputOptions& options,
                            const CreateOptions& how) {
    const Language lang = how.language;
    if (auto m = validate(p, {}, text, false, lang)) return refused(Status::Invalid, *m);
    if (auto m = validate_placement(options.placement, lang)) return refused(Status::Invalid, *m);
    const auto layout = measure_text(p, text, options.placement);
    if (!layout) return refused(Status::Invalid, not_created(lang, Message::NoText));
    if (auto m = validate_program(options, *layout, lang)) return refused(Status::Invalid, *m);
    // The picture and the program, files beside the stream.
    Target targets[] = {{&svg_path, "SVG", {}}, {options.gcode ? &options.gcode->path : nullptr, "G-code", {}}};
    if (auto r = open_targets(targets, lang)) return *r;
    // Held back whole when a stop must leave nothing behind.
    StringByteSink held;
    ByteSink& target = how.strict ? static_cast<ByteSink&>(held) : out;
    std::optional<GcodeSummary> summary;
    const ContourRun run = produce(&target, targets[0].sink(), targets[1].sink(), p, text, *layout, options,
                                   glyph_table(), how, summary);
    if (auto r = settle(targets, run, how)) return *r;
    if (how.strict) out.write(held.text);
    return publish(targets, std::string(message_text(Message::StandardOutput, lang)), run, summary,
                   Message::Created, lang);
}

#endif  // __EMSCRIPTEN__

}  // namespace tracemill
