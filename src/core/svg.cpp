#include "svg.hpp"

#include <charconv>
#include <cmath>

#include "glyph.hpp"

namespace tracemill {

namespace {

void num(std::string& out, double v) {
    char buf[512];
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 6);
    out.append(buf, res.ptr);
}

const char* stroke_of(Colour c) { return c == Colour::Outline ? "#d000d0" : "#00a0c0"; }

Point on_circle(Point c, double radius, double deg) {
    const double a = to_radians(deg, kPi);
    return {c.x + radius * std::cos(a), c.y + radius * std::sin(a)};
}

constexpr std::size_t kFlushThreshold = 1 << 16;

}  // namespace

SvgWriter::SvgWriter(ByteSink& out, const TextLayout& layout) : out_(out), layout_(layout) {}

SvgWriter::~SvgWriter() = default;

void SvgWriter::begin() {
    // A margin of 2% of the larger side around the frame.
    const double w = -2 * layout_.x0, h = 2 * layout_.y0;
    const double m = 0.02 * (w > h ? w : h);
    buffer_ += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    buffer_ += "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"";
    num(buffer_, layout_.x0 - m);
    buffer_ += ' ';
    num(buffer_, -layout_.y0 - m);
    buffer_ += ' ';
    num(buffer_, w + 2 * m);
    buffer_ += ' ';
    num(buffer_, h + 2 * m);
    buffer_ += "\" width=\"1200\" height=\"";
    num(buffer_, std::round(1200 * (h + 2 * m) / (w + 2 * m)));
    buffer_ += "\">\n<rect x=\"";
    num(buffer_, layout_.x0 - m);
    buffer_ += "\" y=\"";
    num(buffer_, -layout_.y0 - m);
    buffer_ += "\" width=\"";
    num(buffer_, w + 2 * m);
    buffer_ += "\" height=\"";
    num(buffer_, h + 2 * m);
    buffer_ += "\" fill=\"white\"/>\n";
    // Drawing units have y up; SVG has y down. Lines are about one pixel
    // wide at the picture's nominal width of 1200 pixels.
    buffer_ += "<g transform=\"scale(1,-1)\" fill=\"none\" stroke-width=\"";
    num(buffer_, (w + 2 * m) / 1200);
    buffer_ += "\" stroke-linecap=\"round\">\n";
}

void SvgWriter::add(const Entity& e) {
    if (const auto* l = std::get_if<Line>(&e)) {
        buffer_ += "<line x1=\"";
        num(buffer_, l->from.x);
        buffer_ += "\" y1=\"";
        num(buffer_, l->from.y);
        buffer_ += "\" x2=\"";
        num(buffer_, l->to.x);
        buffer_ += "\" y2=\"";
        num(buffer_, l->to.y);
        buffer_ += "\" stroke=\"";
        buffer_ += stroke_of(l->colour);
    } else if (const auto* c = std::get_if<Circle>(&e)) {
        buffer_ += "<circle cx=\"";
        num(buffer_, c->centre.x);
        buffer_ += "\" cy=\"";
        num(buffer_, c->centre.y);
        buffer_ += "\" r=\"";
        num(buffer_, c->radius);
        buffer_ += "\" stroke=\"";
        buffer_ += stroke_of(c->colour);
    } else if (const auto* a = std::get_if<Arc>(&e)) {
        // Anticlockwise in drawing units is the positive sweep once y is up.
        double span = std::fmod(a->end_deg - a->start_deg, 360.0);
        if (span <= 0) span += 360;
        if (span >= 360) {
            add(Circle{a->centre, a->radius, a->colour});
            return;
        }
        const Point p0 = on_circle(a->centre, a->radius, a->start_deg);
        const Point p1 = on_circle(a->centre, a->radius, a->end_deg);
        buffer_ += "<path d=\"M ";
        num(buffer_, p0.x);
        buffer_ += ' ';
        num(buffer_, p0.y);
        buffer_ += " A ";
        num(buffer_, a->radius);
        buffer_ += ' ';
        num(buffer_, a->radius);
        buffer_ += span > 180 ? " 0 1 1 " : " 0 0 1 ";
        num(buffer_, p1.x);
        buffer_ += ' ';
        num(buffer_, p1.y);
        buffer_ += "\" stroke=\"";
        buffer_ += stroke_of(a->colour);
    }
    buffer_ += "\"/>\n";
    flush_if_full();
}

void SvgWriter::end() {
    buffer_ += "</g>\n</svg>\n";
    out_.write(buffer_);
    buffer_.clear();
}

void SvgWriter::flush_if_full() {
    if (buffer_.size() >= kFlushThreshold) {
        out_.write(buffer_);
        buffer_.clear();
    }
}

}  // namespace tracemill
