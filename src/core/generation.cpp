#include "generation.hpp"

#include <algorithm>
#include <cmath>

#include "atomic_file.hpp"
#include "dispatch.hpp"
#include "dxf.hpp"
#include "glyph.hpp"
#include "svg.hpp"
#include "writer_thread.hpp"

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
template <class AfterGlyph>
std::optional<RunStop> walk(const TextParameters& p, std::string_view text, const TextLayout& layout,
                            EntitySink& frame_sink, GlyphOutput& out, const GlyphTable& table,
                            AfterGlyph after_glyph, const ProgressHook& progress = {}) {
    const double W = p.char_width, H = p.char_height, t = p.line_width;
    const double X0 = layout.x0, Y0 = layout.y0;
    constexpr Colour frame = Colour::CentreLine;
    // The frame, anticlockwise from the bottom-left corner.
    frame_sink.add(Line{{X0, -Y0}, {-X0, -Y0}, frame});
    frame_sink.add(Line{{-X0, -Y0}, {-X0, Y0}, frame});
    frame_sink.add(Line{{-X0, Y0}, {X0, Y0}, frame});
    frame_sink.add(Line{{X0, Y0}, {X0, -Y0}, frame});

    // The pen advances cell by cell, by repeated addition.
    double pen_x = X0;
    double pen_y = Y0;
    std::int64_t row = 1, column = 1;
    std::size_t next_report = progress ? kProgressEvery : text.size() + 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i >= next_report) {
            progress(i - static_cast<std::size_t>(row - 1));  // a CR LF is one line break
            next_report = i + kProgressEvery;
        }
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

ContourRun contours_run(const TextParameters& p, std::string_view text, const TextLayout& layout,
                        EntitySink& frame, ContourSink& glyphs, const GlyphTable& table,
                        Language lang, const ProgressHook& progress) {
    // Each glyph is collected whole, then joined; a glyph that stops the run
    // is left out with whatever it drew before stopping.
    EntityList collected;
    GlyphOutput out(collected);
    ContourRun run;
    run.stopped_at = walk(
        p, text, layout, frame, out, table,
        [&](unsigned char byte, std::int64_t row, std::int64_t column, const GlyphCell& cell) {
            auto joined = chain_glyph(collected.entities, join_tolerance(cell));
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
        progress);
    run.stop = stop_text(run.stopped_at, lang);
    return run;
}

}  // namespace

ContourRun draw_contours(const TextParameters& p, std::string_view text, const TextLayout& layout,
                         EntitySink& frame, ContourSink& glyphs, const GlyphTable& table,
                         Language lang) {
    return contours_run(p, text, layout, frame, glyphs, table, lang, {});
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

// Draws into a writer (or a pair of them) in the way the options ask.
template <class Sink>
ContourRun draw_into(Sink& sink, const TextParameters& p, std::string_view text,
                     const TextLayout& layout, const OutputOptions& options,
                     const GlyphTable& table, Language lang, const ProgressHook& progress) {
    if (options.polylines) return contours_run(p, text, layout, sink, sink, table, lang, progress);
    GlyphOutput out(sink);
    ContourRun run;
    run.stopped_at = walk(p, text, layout, sink, out, table,
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

// Makes the whole drawing (and its picture) into `drawing`, the drawing's
// bytes passing through a second thread on their way.
ContourRun produce(ByteSink& drawing_out, AtomicFileWriter* picture, const TextParameters& p,
                   std::string_view text, const TextLayout& layout, const OutputOptions& options,
                   const GlyphTable& table, const CreateOptions& how) {
    ContourRun run;
    WriterThread drawing(drawing_out);
    CountingSink counted(drawing);
    // Characters as typed: a line break is one, not the document's CR LF.
    const auto total = text.size() - static_cast<std::size_t>(std::count(text.begin(), text.end(), '\r'));
    ProgressHook progress;
    if (how.progress) {
        progress = [&](std::size_t done) { how.progress({done, total, counted.count}); };
    }
    DxfWriter dxf(counted, options.units);
    dxf.begin();
    if (picture != nullptr) {
        SvgWriter svg(*picture, layout);
        svg.begin();
        TeeSink both(dxf, svg);
        run = draw_into(both, p, text, layout, options, table, how.language, progress);
        svg.end();
    } else {
        run = draw_into(dxf, p, text, layout, options, table, how.language, progress);
    }
    dxf.end();
    drawing.finish();
    if (how.progress) how.progress({total, total, counted.count});
    return run;
}

// The stop message before the final text, the stop and where it happened.
CreateResult finished(CreateResult::Status status, const ContourRun& run, std::string_view tail) {
    CreateResult r{status, run.stop + std::string(tail), run.stop, run.stopped_at};
    return r;
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
                            const CreateOptions& how) {
    return create_drawing(p, text, output_path, ask, svg_path, options, glyph_table(), how);
}

CreateResult create_drawing(const TextParameters& p, std::string_view text,
                            const std::string& output_path, const OverwriteQuestion& ask,
                            const std::string& svg_path, const OutputOptions& options,
                            const GlyphTable& table, const CreateOptions& how) {
    using Status = CreateResult::Status;
    const Language lang = how.language;
    if (auto m = validate(p, output_path, text, true, lang)) return {Status::Invalid, *m, {}, {}};
    const auto layout = measure_text(p, text);
    if (!layout) return {Status::Invalid, not_created(lang, Message::NoText), {}, {}};

    // The drawing (and its picture) stream into temporary files beside their
    // targets; a target is replaced only once everything is complete on disk
    // and the user agreed.
    AtomicFileWriter file(output_path);
    if (!file.ok()) return {Status::FileError, not_created(lang, file.error()), {}, {}};
    std::optional<AtomicFileWriter> picture;
    if (!svg_path.empty()) {
        picture.emplace(svg_path);
        if (!picture->ok()) return {Status::FileError, not_created(lang, picture->error()), {}, {}};
    }
    const ContourRun run =
        produce(file, picture ? &*picture : nullptr, p, text, *layout, options, table, how);
    const auto discard = [&] {
        file.discard();
        if (picture) picture->discard();
    };
    if (!run.fault.empty()) {
        discard();
        return {Status::NotJoined, run.fault, {}, {}};
    }
    if (how.strict && run.stopped_at) {
        discard();
        return finished(Status::Withheld, run, message_text(Message::Withheld, lang));
    }
    if (!file.finish()) return {Status::FileError, not_created(lang, file.error()), {}, {}};
    if (picture && !picture->finish())
        return {Status::FileError, not_created(lang, picture->error()), {}, {}};
    // Without a question to ask, an existing file is never replaced.
    if (path_exists(output_path) &&
        !(ask && ask(format_message(Message::ExistsQuestion, lang, {output_path})))) {
        discard();
        return {Status::Declined, {}, {}, {}};
    }
    if (!file.publish()) {
        if (picture) picture->discard();
        return {Status::FileError, not_created(lang, file.error()), {}, {}};
    }
    if (picture && !picture->publish()) {
        return finished(Status::PictureNotWritten, run,
                        format_message(Message::PictureNotWritten, lang, {output_path, picture->error()}));
    }
    return finished(Status::Written, run, message_text(Message::Created, lang));
}

CreateResult stream_drawing(const TextParameters& p, std::string_view text, ByteSink& out,
                            const std::string& svg_path, const OutputOptions& options,
                            const CreateOptions& how) {
    using Status = CreateResult::Status;
    const Language lang = how.language;
    if (auto m = validate(p, {}, text, false, lang)) return {Status::Invalid, *m, {}, {}};
    const auto layout = measure_text(p, text);
    if (!layout) return {Status::Invalid, not_created(lang, Message::NoText), {}, {}};
    std::optional<AtomicFileWriter> picture;
    if (!svg_path.empty()) {
        picture.emplace(svg_path);
        if (!picture->ok()) return {Status::FileError, not_created(lang, picture->error()), {}, {}};
    }
    // Held back whole when a stop must leave nothing behind.
    StringByteSink held;
    ByteSink& target = how.strict ? static_cast<ByteSink&>(held) : out;
    const ContourRun run =
        produce(target, picture ? &*picture : nullptr, p, text, *layout, options, glyph_table(), how);
    if (!run.fault.empty()) {
        if (picture) picture->discard();
        return {Status::NotJoined, run.fault, {}, {}};
    }
    if (how.strict && run.stopped_at) {
        if (picture) picture->discard();
        return finished(Status::Withheld, run, message_text(Message::Withheld, lang));
    }
    if (picture && !picture->finish())
        return {Status::FileError, not_created(lang, picture->error()), {}, {}};
    if (how.strict) out.write(held.text);
    if (picture && !picture->publish()) {
        return finished(Status::PictureNotWritten, run,
                        format_message(Message::PictureNotWritten, lang,
                                       {message_text(Message::StandardOutput, lang), picture->error()}));
    }
    return finished(Status::Written, run, message_text(Message::Created, lang));
}

}  // namespace tracemill
