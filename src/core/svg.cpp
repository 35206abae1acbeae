#include "svg.hpp"

#include <cmath>

#include "exact_math.hpp"
#include "glyph.hpp"
#include "portability.hpp"

namespace tracemill {

namespace {

void num(std::string& out, double v) {
    char buf[512];
    auto res = portable::to_chars_fixed(buf, buf + sizeof buf, v, 6);
    out.append(buf, res.ptr);
}

const char* stroke_of(Colour c) { return c == Colour::Outline ? "#d000d0" : "#00a0c0"; }

Point on_circle(Point c, double radius, double deg) {
    const double a = to_radians(deg, kPi);
    return {c.x + radius * cr_cos(a), c.y + radius * cr_sin(a)};
}

// The path data of a contour: a move to its start, a line or an arc command
// for every piece, and Z when it is closed. Anticlockwise in drawing units is
// the positive sweep once y is up.
void append_path_data(std::string& out, const Contour& c) {
    if (c.pieces.empty()) return;
    out += "M ";
    num(out, c.pieces.front().from.x);
    out += ' ';
    num(out, c.pieces.front().from.y);
    for (const Piece& p : c.pieces) {
        if (p.is_arc()) {
            out += " A ";
            num(out, p.radius);
            out += ' ';
            num(out, p.radius);
            out += std::fabs(p.sweep_deg) > 180 ? " 0 1 " : " 0 0 ";
            out += p.sweep_deg > 0 ? "1 " : "0 ";
        } else {
            out += " L ";
        }
        num(out, p.to.x);
        out += ' ';
        num(out, p.to.y);
    }
    if (c.closed) out += " Z";
}

// A length with the unit of a true-size picture: as few decimals as it needs.
void size_with_unit(std::string& out, double v, Units units) {
    std::string n;
    num(n, v);
    while (n.back() == '0') n.pop_back();
    if (n.back() == '.') n.pop_back();
    out += n;
    out += units == Units::Inches ? "in" : "mm";
}

}  // namespace

SvgWriter::SvgWriter(ByteSink& out, const TextLayout& layout, const DrawStyle& style, Units units)
    : buffer_(out), layout_(layout), style_(style), units_(units) {}

SvgWriter::~SvgWriter() = default;

void SvgWriter::begin() {
    std::string& out = element_;
    out.clear();
    // A margin of 2% of the larger side around the frame. At true size the
    // picture is the frame itself, for cutting software: no margin, and no
    // background that could be taken for a shape to cut.
    const bool true_size = units_ != Units::None;
    const double w = layout_.right - layout_.left, h = layout_.top - layout_.bottom;
    const double m = true_size ? 0 : 0.02 * (w > h ? w : h);
    // The picture's box (y down), printed once for the viewBox and the
    // background.
    std::string box_x, box_y, box_w, box_h;
    num(box_x, layout_.left - m);
    num(box_y, -layout_.top - m);
    num(box_w, w + 2 * m);
    num(box_h, h + 2 * m);
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"";
    out += box_x + ' ' + box_y + ' ' + box_w + ' ' + box_h;
    if (!true_size) {
        out += "\" width=\"1200\" height=\"";
        num(out, std::round(1200 * (h + 2 * m) / (w + 2 * m)));
    } else {
        // The viewBox in drawing units, the size in the drawing's unit.
        out += "\" width=\"";
        size_with_unit(out, w + 2 * m, units_);
        out += "\" height=\"";
        size_with_unit(out, h + 2 * m, units_);
    }
    out += "\">\n";
    if (!true_size) {
        out += "<rect x=\"" + box_x + "\" y=\"" + box_y + "\" width=\"" + box_w + "\" height=\"" + box_h +
               "\" fill=\"white\"/>\n";
    }
    // Drawing units have y up; SVG has y down. Lines are about one pixel
    // wide at the picture's nominal width of 1200 pixels.
    out += "<g transform=\"scale(1,-1)\" fill=\"none\" stroke-width=\"";
    num(out, (w + 2 * m) / 1200);
    out += "\" stroke-linecap=\"round\">\n";
    buffer_.append(out);
}

void SvgWriter::add(const Entity& e) {
    if (style_.draws(colour_of(e))) add(e, stroke_of(colour_of(e)));
}

void SvgWriter::add_frame(const Entity& e) {
    if (style_.frame) add(e, style_.layers ? "#000000" : stroke_of(Colour::CentreLine));
}

void SvgWriter::add(const Entity& e, const char* stroke) {
    std::string& out = element_;
    out.clear();
    if (const auto* l = std::get_if<Line>(&e)) {
        out += "<line x1=\"";
        num(out, l->from.x);
        out += "\" y1=\"";
        num(out, l->from.y);
        out += "\" x2=\"";
        num(out, l->to.x);
        out += "\" y2=\"";
        num(out, l->to.y);
        out += "\" stroke=\"";
        out += stroke;
    } else if (const auto* c = std::get_if<Circle>(&e)) {
        out += "<circle cx=\"";
        num(out, c->centre.x);
        out += "\" cy=\"";
        num(out, c->centre.y);
        out += "\" r=\"";
        num(out, c->radius);
        out += "\" stroke=\"";
        out += stroke;
    } else if (const auto* a = std::get_if<Arc>(&e)) {
        // Anticlockwise in drawing units is the positive sweep once y is up.
        double span = std::fmod(a->end_deg - a->start_deg, 360.0);
        if (span <= 0) span += 360;
        if (span >= 360) {
            add(Circle{a->centre, a->radius, a->colour}, stroke);
            return;
        }
        const Point p0 = on_circle(a->centre, a->radius, a->start_deg);
        const Point p1 = on_circle(a->centre, a->radius, a->end_deg);
        out += "<path d=\"M ";
        num(out, p0.x);
        out += ' ';
        num(out, p0.y);
        out += " A ";
        num(out, a->radius);
        out += ' ';
        num(out, a->radius);
        out += span > 180 ? " 0 1 1 " : " 0 0 1 ";
        num(out, p1.x);
        out += ' ';
        num(out, p1.y);
        out += "\" stroke=\"";
        out += stroke;
    }
    out += "\"/>\n";
    buffer_.append(out);
    buffer_.flush_if_full();
}

void SvgWriter::add(const GlyphContours& glyph) {
    std::string out;
    if (style_.outline && !glyph.outline.empty()) {
        out += "<path d=\"";
        for (std::size_t i = 0; i < glyph.outline.size(); ++i) {
            if (i > 0) out += ' ';
            append_path_data(out, glyph.outline[i]);
        }
        out += "\" fill=\"#d000d0\" fill-opacity=\"0.35\" fill-rule=\"evenodd\" stroke=\"";
        out += stroke_of(Colour::Outline);
        out += "\"/>\n";
    }
    for (const Contour& c : glyph.skeleton) {
        if (!style_.skeleton) break;
        out += "<path d=\"";
        append_path_data(out, c);
        out += "\" stroke=\"";
        out += stroke_of(Colour::CentreLine);
        out += "\"/>\n";
    }
    buffer_.append(out);
    buffer_.flush_if_full();
}

void SvgWriter::end() {
    buffer_.append("</g>\n</svg>\n");
    buffer_.flush();
}

}  // namespace tracemill
