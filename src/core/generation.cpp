#include "generation.hpp"

#include <cmath>

#include "dispatch.hpp"
#include "dxf.hpp"
#include "glyph.hpp"
#include "svg.hpp"

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
template <class AfterGlyph>
std::string walk(const TextParameters& p, std::string_view text, const TextLayout& layout,
                 EntitySink& frame_sink, GlyphOutput& out, const GlyphTable& table,
                 AfterGlyph after_glyph) {
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
    for (std::size_t i = 0; i < text.size(); ++i) {
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

ContourRun draw_contours(const TextParameters& p, std::string_view text, const TextLayout& layout,
                         EntitySink& frame, ContourSink& glyphs) {
    return draw_contours(p, text, layout, frame, glyphs, glyph_table());
}

ContourRun draw_contours(const TextParameters& p, std::string_view text, const TextLayout& layout,
                         EntitySink& frame, ContourSink& glyphs, const GlyphTable& table) {
    // Each glyph is collected whole, then joined; a glyph that stops the run
    // is left out with whatever it drew before stopping.
    EntityList collected;
    GlyphOutput out(collected);
    ContourRun run;
    run.stop = walk(p, text, layout, frame, out, table,
                    [&](unsigned char byte, std::int64_t row, std::int64_t column,
                        const GlyphCell& cell) {
                        auto joined = chain_glyph(collected.entities, join_tolerance(cell));
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
                    });
    return run;
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
                     const GlyphTable& table) {
    if (options.polylines) return draw_contours(p, text, layout, sink, sink, table);
    return {draw_text(p, text, layout, sink, table), {}};
}

}  // namespace

ContourRun write_drawing(const TextParameters& p, std::string_view text, const TextLayout& layout,
                         const OutputOptions& options, ByteSink& drawing, ByteSink* picture,
                         const GlyphTable& table) {
    DxfWriter dxf(drawing, options.units);
    dxf.begin();
    ContourRun run;
    if (picture != nullptr) {
        SvgWriter svg(*picture, layout);
        svg.begin();
        TeeSink both(dxf, svg);
        run = draw_into(both, p, text, layout, options, table);
        svg.end();
    } else {
        run = draw_into(dxf, p, text, layout, options, table);
    }
    dxf.end();
    return run;
}

}  // namespace tracemill
