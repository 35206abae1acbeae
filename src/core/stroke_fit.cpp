#include "stroke_fit.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include "dispatch.hpp"
#include "glyph.hpp"
#include "portability.hpp"

namespace tracemill {

namespace {

// A drawable character and the top-left corner of its cell.
struct Occurrence {
    TextPlace place;
    Point corner;
};

// Every drawable character of the text with its cell, walked as the run
// walks it (the pen advances by repeated addition, so the corners are the
// run's to the last bit). Stops at the first byte without a glyph, which is
// returned through `missing`.
std::vector<Occurrence> occurrences(const TextParameters& p, std::string_view text,
                                    const TextLayout& layout, std::optional<TextPlace>& missing) {
    std::vector<Occurrence> all;
    const RowStarts row_start(p, layout);
    double pen_x = row_start.at(text, 0);
    double pen_y = layout.y0;
    std::int64_t row = 1, column = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\r') {
            pen_x = row_start.at(text, i + 2);
            pen_y = pen_y - (p.char_height + p.line_spacing);
            ++i;
            ++row;
            column = 1;
            continue;
        }
        if (byte != ' ') {
            if (generator_for(byte) == nullptr) {
                missing = TextPlace{byte, row, column};
                break;
            }
            all.push_back({{byte, row, column}, {pen_x, pen_y}});
        }
        pen_x = pen_x + p.char_width + p.char_spacing;
        ++column;
    }
    return all;
}

constexpr double kInfinity = std::numeric_limits<double>::infinity();

class NullSink final : public EntitySink {
public:
    void add(const Entity&) override {}
};

// The first of the cells that does not draw completely at stroke t.
std::optional<TextPlace> first_stop(const std::vector<Occurrence>& cells, const TextParameters& p,
                                    double t) {
    NullSink sink;
    GlyphOutput out(sink);
    for (const Occurrence& o : cells) {
        out.reset();
        generator_for(o.place.byte)(make_cell(o.corner.x, o.corner.y, p.char_width, p.char_height, t),
                                    out);
        if (out.stopped() || out.hit_non_finite()) return o.place;
    }
    return std::nullopt;
}

// Positive doubles in order are their bit patterns in order, so the
// midpoint of two patterns halves the doubles between them.
double midway(double lo, double hi) {
    const auto a = portable::bit_cast<std::uint64_t>(lo);
    const auto b = portable::bit_cast<std::uint64_t>(hi);
    return portable::bit_cast<double>(a + (b - a) / 2);
}

// Narrows [lo, hi] (lo draws, hi stops at `binding`) to adjacent doubles.
void bisect(const std::vector<Occurrence>& cells, const TextParameters& p, double& lo, double& hi,
            std::optional<TextPlace>& binding) {
    for (;;) {
        const double mid = midway(lo, hi);
        if (mid == lo || mid == hi) return;
        if (auto stop = first_stop(cells, p, mid)) {
            hi = mid;
            binding = stop;
        } else {
            lo = mid;
        }
    }
}

}  // namespace

StrokeFit widest_stroke(const TextParameters& p, std::string_view text, const Placement& placement) {
    StrokeFit fit;
    const auto layout = measure_text(p, text, placement);
    if (!layout) return fit;
    std::optional<TextPlace> missing;
    const std::vector<Occurrence> all = occurrences(p, text, *layout, missing);
    if (missing) {
        fit.outcome = StrokeFit::Outcome::NoGlyph;
        fit.at = missing;
        return fit;
    }
    // The run accepts strokes from kMinPositiveLength up to the largest
    // double below the smaller cell side (it needs W > t and H > t).
    const double lowest = kMinPositiveLength;
    const double highest = std::nextafter(std::min(p.char_width, p.char_height), 0.0);

    std::vector<Occurrence> distinct;
    std::array<bool, 256> seen{};
    for (const Occurrence& o : all) {
        if (!seen[o.place.byte]) distinct.push_back(o);
        seen[o.place.byte] = true;
    }

    const auto search = [&](const std::vector<Occurrence>& cells) {
        fit.at.reset();
        if (auto stop = first_stop(cells, p, lowest)) {
            fit.outcome = StrokeFit::Outcome::NothingFits;
            fit.at = stop;
            return;
        }
        fit.outcome = StrokeFit::Outcome::Fits;
        fit.line_width = highest;
        auto stop = first_stop(cells, p, highest);
        if (!stop) return;  // the cell binds, not a glyph
        double lo = lowest, hi = highest;
        fit.at = stop;
        bisect(cells, p, lo, hi, fit.at);
        fit.line_width = lo;
    };
    search(distinct);
    if (fit.outcome != StrokeFit::Outcome::Fits) return fit;
    // Confirm over every occurrence: the width draws them all and the next
    // double stops the same glyph. Otherwise search over every occurrence.
    const double above = std::nextafter(fit.line_width, kInfinity);
    const bool confirmed =
        !first_stop(all, p, fit.line_width) &&
        (!fit.at || first_stop(all, p, above).has_value());
    if (!confirmed) search(all);
    if (fit.at && fit.outcome == StrokeFit::Outcome::Fits) {
        // Name the first occurrence in the text that stops above the width.
        fit.at = first_stop(all, p, std::nextafter(fit.line_width, kInfinity));
    }
    return fit;
}

double stroke_for_judging(const TextParameters& p) {
    const double side = std::min(p.char_width, p.char_height);
    if (side < kMinPositiveLength) return side / 2;
    return std::max(side / 2, kMinPositiveLength);
}

}  // namespace tracemill
