#include "glyph.hpp"

#include <algorithm>
#include <cmath>

#include "dxf.hpp"

namespace tracemill {

namespace {

// Two numbers that print the same with nine decimals differ by at most 1e-9;
// only closer pairs need the exact comparison of their printed texts.
constexpr double kPrintedResolution = 2e-9;

// Whether a and b print as the same number: "-0.000000000" is the same zero
// as "0.000000000" (C prints the sign of a negative value that rounds to zero).
bool print_equal(double a, double b) {
    if (a == b) return true;  // 0 and -0 included
    if (std::fabs(a - b) > kPrintedResolution) return false;
    char ta[kFixed9MaxLength], tb[kFixed9MaxLength];
    std::string_view sa(ta, static_cast<std::size_t>(write_fixed9(ta, a) - ta));
    std::string_view sb(tb, static_cast<std::size_t>(write_fixed9(tb, b) - tb));
    if (sa == "-0.000000000") sa.remove_prefix(1);
    if (sb == "-0.000000000") sb.remove_prefix(1);
    return sa == sb;
}

bool finite(double v) { return std::isfinite(v); }

// A radius below the spacing of doubles at its centre: every point of the
// curve rounds onto the centre, so it is a point, whatever its printed radius
// (a counter squeezed to a slit in a cell far from the origin).
bool below_resolution(Point centre, double radius) {
    const double m = std::max(std::fabs(centre.x), std::fabs(centre.y));
    return radius < 2 * (std::nextafter(m, INFINITY) - m);
}

}  // namespace

bool prints_positive(double radius) {
    if (radius >= kPrintedResolution) return true;
    char text[kFixed9MaxLength];
    const std::string_view s(text, static_cast<std::size_t>(write_fixed9(text, radius) - text));
    return s[0] != '-' && s != "0.000000000";
}

GlyphCell make_cell(double x, double y, double W, double H, double t) {
    return GlyphCell{x, y, W, H, t, t / 2, kPi};
}

void GlyphOutput::pass(const Entity& e) {
    sink_->add(e);
    ++passed_;
}

void GlyphOutput::line(Point from, Point to, Colour colour) {
    if (non_finite_) return;
    if (!finite(from.x) || !finite(from.y) || !finite(to.x) || !finite(to.y)) {
        non_finite_ = true;
        return;
    }
    if (print_equal(from.x, to.x) && print_equal(from.y, to.y)) {
        ++dropped_;
        return;
    }
    pass(Line{from, to, colour});
}

void GlyphOutput::arc(Point centre, double radius, double start_deg, double end_deg,
                      Colour colour) {
    if (non_finite_) return;
    if (!finite(centre.x) || !finite(centre.y) || !finite(radius) || !finite(start_deg) ||
        !finite(end_deg)) {
        non_finite_ = true;
        return;
    }
    if (!prints_positive(radius) || print_equal(start_deg, end_deg) ||
        below_resolution(centre, radius)) {
        ++dropped_;
        return;
    }
    pass(Arc{centre, radius, start_deg, end_deg, colour});
}

void GlyphOutput::circle(Point centre, double radius, Colour colour) {
    if (non_finite_) return;
    if (!finite(centre.x) || !finite(centre.y) || !finite(radius)) {
        non_finite_ = true;
        return;
    }
    if (!prints_positive(radius) || below_resolution(centre, radius)) {
        ++dropped_;
        return;
    }
    pass(Circle{centre, radius, colour});
}

void GlyphOutput::reset() {
    stop_.reset();
    non_finite_ = false;
    passed_ = 0;
    dropped_ = 0;
}

std::string StopReason::text(Language lang, std::string_view english_name) const {
    const std::string_view shown = lang == Language::Japanese ? std::string_view(name) : english_name;
    return format_message(id, lang, {shown, limit});
}

StopReason width_message(std::string_view name, double limit) {
    return StopReason{Message::StrokeTooWide, std::string(name), limit};
}

bool stroke_fits(GlyphOutput& out, double limit, double t, std::string_view name) {
    if (limit > t) return true;
    out.stop(width_message(name, limit));
    return false;
}

}  // namespace tracemill
