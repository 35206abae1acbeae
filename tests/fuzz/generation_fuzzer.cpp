// A coverage-guided fuzzer of the generation run (libFuzzer). Each input
// becomes the five lengths and a text; the run draws it into a DXF document,
// which must then hold only finite numbers printed exactly as C's "%.9f"
// prints them, no degenerate line, radius or arc, and the end-of-file
// marker; and the outline of every glyph that draws must join into closed
// loops. The glyphs come from the dispatch table, so every glyph added there
// is fuzzed without a change here.
//
// Two input forms:
// - text, for hand-written seeds: "#!" W H t char-spacing line-spacing, a
//   line break, then the text (LF or CR LF start rows);
// - anything else is read as bytes that choose the lengths (ordinary, tiny,
//   huge, zero, negative, non-finite, raw bits, or a few ulps from a glyph's
//   layout switch or limit, found by bisection) and a text biased to the
//   glyph bytes, line breaks and spaces.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "dispatch.hpp"
#include "document_audit.hpp"
#include "dxf.hpp"
#include "generation.hpp"
#include "outline_check.hpp"

namespace tmill = tracemill;

namespace {

[[noreturn]] void finding(const std::string& what, const tmill::TextParameters& p, const std::string& text) {
    std::fprintf(stderr, "FINDING: %s\n  W %.17g H %.17g t %.17g spacing %.17g %.17g\n  text:", what.c_str(),
                 p.char_width, p.char_height, p.line_width, p.char_spacing, p.line_spacing);
    for (unsigned char c : text) std::fprintf(stderr, " %02X", c);
    std::fprintf(stderr, "\n");
    std::abort();
}

std::vector<unsigned char> glyph_bytes() {
    std::vector<unsigned char> bytes;
    for (int b = 0; b < 256; ++b)
        if (tmill::generator_for(static_cast<unsigned char>(b)) != nullptr) bytes.push_back(static_cast<unsigned char>(b));
    return bytes;
}

// The shape of a glyph's output: whether it stops, and the kinds and colours
// of its entities in order. A layout switch or a limit changes it.
std::string signature(unsigned char byte, double W, double H, double t) {
    tmill::EntityList list;
    tmill::GlyphOutput out(list);
    if (!(W > t && H > t && t > 0)) return "invalid";
    tmill::generator_for(byte)(tmill::make_cell(0, H, W, H, t), out);
    std::string s = out.stopped() ? "stop:" : "draw:";
    for (const auto& e : list.entities) s += static_cast<char>('0' + e.index() * 2 + (tmill::colour_of(e) == tmill::Colour::Outline));
    return s;
}

double step_ulps(double v, int k) {
    for (; k > 0; --k) v = std::nextafter(v, std::numeric_limits<double>::infinity());
    for (; k < 0; ++k) v = std::nextafter(v, -std::numeric_limits<double>::infinity());
    return v;
}

double pick_length(FuzzedDataProvider& in, double ordinary) {
    switch (in.ConsumeIntegralInRange<int>(0, 9)) {
        case 0: return ordinary;
        case 1: return ordinary * in.ConsumeFloatingPointInRange<double>(0.05, 20);
        case 2: return std::pow(10.0, in.ConsumeFloatingPointInRange<double>(-6, 3));
        case 3: return std::pow(10.0, in.ConsumeFloatingPointInRange<double>(-6, -3));  // tiny
        case 4: return std::pow(10.0, in.ConsumeFloatingPointInRange<double>(5, 9.0001));  // huge
        case 5: return 0.0;
        case 6: return -in.ConsumeFloatingPointInRange<double>(0, 10);
        case 7: {
            const double odd[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                                  -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::denorm_min(),
                                  1e-6, 1e9, std::nextafter(1e9, 2e9)};
            return odd[in.ConsumeIntegralInRange<int>(0, 6)];
        }
        case 8: return in.ConsumeFloatingPoint<double>();  // raw bits
        default: return ordinary * in.ConsumeIntegralInRange<int>(1, 40) / 4.0;
    }
}

void read_generated(FuzzedDataProvider& in, tmill::TextParameters& p, std::string& text) {
    static const std::vector<unsigned char> glyphs = glyph_bytes();
    p.char_width = pick_length(in, 2.1);
    p.char_height = pick_length(in, 5);
    p.line_width = pick_length(in, 0.3);
    p.char_spacing = pick_length(in, 0.4);
    p.line_spacing = pick_length(in, 0.4);

    const std::size_t n = in.ConsumeIntegralInRange<std::size_t>(1, 24);
    for (std::size_t k = 0; k < n && in.remaining_bytes() > 0; ++k) {
        const int kind = in.ConsumeIntegralInRange<int>(0, 15);
        if (kind < 11 && !glyphs.empty()) text += static_cast<char>(glyphs[in.ConsumeIntegralInRange<std::size_t>(0, glyphs.size() - 1)]);
        else if (kind == 11) text += "\r\n";
        else if (kind == 12) text += ' ';
        else if (kind == 13) text += '\n';
        else text += static_cast<char>(in.ConsumeIntegral<unsigned char>());
    }

    // Move one of W, H, t to within four ulps of a point where the first
    // glyph changes its layout or stops fitting.
    if (!text.empty() && tmill::generator_for(static_cast<unsigned char>(text[0])) != nullptr &&
        in.ConsumeBool()) {
        const auto byte = static_cast<unsigned char>(text[0]);
        double* v[] = {&p.char_width, &p.char_height, &p.line_width};
        double& x = *v[in.ConsumeIntegralInRange<int>(0, 2)];
        double lo = x, hi = x * in.ConsumeFloatingPointInRange<double>(0.1, 10);
        const auto sig = [&](double value) {
            const double keep = x;
            x = value;
            std::string s = signature(byte, p.char_width, p.char_height, p.line_width);
            x = keep;
            return s;
        };
        if (std::isfinite(lo) && std::isfinite(hi) && lo > 0 && hi > 0) {
            const std::string at_lo = sig(lo);
            if (sig(hi) != at_lo) {
                for (int k = 0; k < 64; ++k) {
                    const double mid = lo + (hi - lo) / 2;
                    if (mid == lo || mid == hi) break;
                    (sig(mid) == at_lo ? lo : hi) = mid;
                }
                x = step_ulps(hi, in.ConsumeIntegralInRange<int>(-4, 4));
            }
        }
    }
}

bool read_seed(const uint8_t* data, std::size_t size, tmill::TextParameters& p, std::string& text) {
    const std::string s(reinterpret_cast<const char*>(data), size);
    if (s.rfind("#!", 0) != 0) return false;
    const auto eol = s.find('\n');
    std::istringstream head(s.substr(2, eol == std::string::npos ? std::string::npos : eol - 2));
    head.imbue(std::locale::classic());
    head >> p.char_width >> p.char_height >> p.line_width >> p.char_spacing >> p.line_spacing;
    if (eol == std::string::npos) return true;
    for (std::size_t i = eol + 1; i < s.size(); ++i) {
        if (s[i] == '\n') text += "\r\n";
        else if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') { text += "\r\n"; ++i; }
        else text += s[i];
    }
    return true;
}

// Every number printed as C prints it, and finite.
class NumberCheck final : public tmill::EntitySink {
public:
    NumberCheck(tmill::EntitySink& next, const tmill::TextParameters& p, const std::string& text)
        : next_(next), p_(p), text_(text) {}
    void add(const tmill::Entity& e) override {
        std::visit([&](const auto& v) { check_all(v); }, e);
        next_.add(e);
    }

private:
    void check(double v) {
        if (!std::isfinite(v)) finding("a number that is not finite", p_, text_);
        char c[512];
        std::snprintf(c, sizeof c, "%.9f", v);
        if (tmill::fixed9(v) != c) finding(std::string("printed ") + tmill::fixed9(v) + " where C prints " + c, p_, text_);
    }
    void check_all(const tmill::Line& l) { for (double v : {l.from.x, l.from.y, l.to.x, l.to.y}) check(v); }
    void check_all(const tmill::Arc& a) {
        for (double v : {a.centre.x, a.centre.y, a.radius, a.start_deg, a.end_deg}) check(v);
    }
    void check_all(const tmill::Circle& c) { for (double v : {c.centre.x, c.centre.y, c.radius}) check(v); }
    tmill::EntitySink& next_;
    const tmill::TextParameters& p_;
    const std::string& text_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    tmill::TextParameters p;
    std::string text;
    if (!read_seed(data, size, p, text)) {
        FuzzedDataProvider in(data, size);
        read_generated(in, p, text);
    }
    if (tmill::validate(p, {}, text, false)) return 0;
    const auto layout = tmill::measure_text(p, text);
    if (!layout) return 0;

    tmill::StringByteSink bytes;
    std::string stop;
    {
        tmill::DxfWriter dxf(bytes);
        NumberCheck checked(dxf, p, text);
        dxf.begin();
        stop = tmill::draw_text(p, text, *layout, checked);
        dxf.end();
    }
    const auto problems = tracemill::testing::audit_document(bytes.text);
    if (!problems.empty()) finding(problems.front(), p, text);

    // Where the pen is narrower than 1e5 units in the last place of the
    // block's coordinates (a tiny cell billions of units out), rounding of
    // the coordinates alone reshapes the strokes: the outline's loops cannot
    // be judged there.
    const double extent = std::max(std::fabs(layout->x0), std::fabs(layout->y0));
    if (p.line_width < 1e5 * (std::nextafter(extent, INFINITY) - extent)) return 0;

    // The same text with closed contours: every glyph that draws joins.
    {
        tmill::StringByteSink joined;
        tmill::DxfWriter dxf(joined);
        dxf.begin();
        const auto run = tmill::draw_contours(p, text, *layout, dxf, dxf);
        dxf.end();
        if (!run.fault.empty()) finding(run.fault, p, text);
        if (run.stop != stop) finding("closed contours stop elsewhere: " + run.stop, p, text);
    }

    // Each glyph that draws, in its own cell, joins its outline into loops.
    double pen_x = layout->x0, pen_y = layout->y0;
    const double W = p.char_width, H = p.char_height, t = p.line_width;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\r') {
            pen_x = layout->x0;
            pen_y = pen_y - (H + p.line_spacing);
            ++i;
            continue;
        }
        const tmill::GlyphGenerator g = tmill::generator_for(byte);
        if (byte != ' ' && g == nullptr) break;
        if (g != nullptr) {
            tmill::EntityList list;
            tmill::GlyphOutput out(list);
            g(tmill::make_cell(pen_x, pen_y, W, H, t), out);
            if (out.stopped() || out.hit_non_finite()) break;
            tracemill::testing::OutlineChecks which = tracemill::testing::pen_model_checks_for(byte);
            which.offset_r = which.inside_cell = false;
            // In a cell a million times taller than wide (or the reverse) a
            // glyph's gentle curves become arcs whose radius dwarfs the cell:
            // their ends are fixed only to about 1e-16 of that radius, and
            // their sweep can fall below the nine printed decimals of a
            // degree, so the file cannot describe them. Their loops are not
            // judged there.
            if (std::max(W, H) > 1e6 * std::min(W, H)) which.closed_loops = false;
            for (const auto& e : list.entities)
                if (const auto* a = std::get_if<tmill::Arc>(&e); a && a->radius > 1e6 * std::max(W, H))
                    which.closed_loops = false;
            if (which.closed_loops) {
                // Only the loops count here: a skeleton shrunk below the
                // printed resolution (W, H and t a few ulps apart) is left
                // out of the file by design, and the document audit above
                // has judged every radius already.
                const auto report = tracemill::testing::check_glyph(list.entities, tmill::make_cell(pen_x, pen_y, W, H, t), which);
                for (const auto& problem : report.problems)
                    if (problem.rfind("open outline end", 0) == 0)
                        finding(std::string("glyph '") + static_cast<char>(byte) + "': " + problem, p, text);
            }
        }
        pen_x = pen_x + W + p.char_spacing;
    }
    return 0;
}
