#include "dxf.hpp"

#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <system_error>

namespace tracemill {

namespace {

// The longest fixed-point text of a double: 309 integer digits, sign, point
// and the decimals. 512 bytes cover every finite value at nine decimals.
constexpr std::size_t kNumberBuffer = 512;

void append_fixed(std::string& out, double v, int decimals) {
    char buf[kNumberBuffer];
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    if (res.ec != std::errc{}) {
        // Cannot happen for a finite double; keep the record well formed anyway.
        out.append("0.000000000");
        return;
    }
    out.append(buf, res.ptr);
}

void append_int(std::string& out, int v) {
    char buf[16];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, res.ptr);
}

void append_line(std::string& out, double x1, double y1, double x2, double y2, int colour) {
    out.append("  0\r\nLINE\r\n  8\r\n1\r\n 10\r\n");
    append_fixed9(out, x1);
    out.append("\r\n 20\r\n");
    append_fixed9(out, y1);
    out.append("\r\n 30\r\n0.0\r\n 11\r\n");
    append_fixed9(out, x2);
    out.append("\r\n 21\r\n");
    append_fixed9(out, y2);
    out.append("\r\n 31\r\n0.0\r\n 62\r\n");
    append_int(out, colour);
    out.append("\r\n");
}

void append_circle(std::string& out, double cx, double cy, double radius, int colour) {
    out.append("  0\r\nCIRCLE\r\n  8\r\n1\r\n 10\r\n");
    append_fixed9(out, cx);
    out.append("\r\n 20\r\n");
    append_fixed9(out, cy);
    out.append("\r\n 40\r\n");
    append_fixed9(out, radius);
    out.append("\r\n 62\r\n");
    append_int(out, colour);
    out.append("\r\n");
}

void append_arc(std::string& out, double cx, double cy, double radius, double start_deg,
                double end_deg, int colour) {
    out.append("  0\r\nARC\r\n  8\r\n1\r\n 10\r\n");
    append_fixed9(out, cx);
    out.append("\r\n 20\r\n");
    append_fixed9(out, cy);
    out.append("\r\n 40\r\n");
    append_fixed9(out, radius);
    out.append("\r\n 50\r\n");
    append_fixed9(out, start_deg);
    out.append("\r\n 51\r\n");
    append_fixed9(out, end_deg);
    out.append("\r\n 62\r\n");
    append_int(out, colour);
    out.append("\r\n");
}

constexpr std::size_t kFlushThreshold = 1 << 16;

// Drawings repeat numbers a great deal: every cell of a row shares its y
// values, caps and strokes share their ends, angles recur from glyph to glyph.
// A small direct-mapped memo of recent conversions, keyed by the exact bit
// pattern, saves most of the conversions; the text itself always comes from
// std::to_chars.
struct Fixed9Memo {
    static constexpr std::size_t kSlots = 4096;
    static constexpr std::size_t kMaxText = 22;
    struct Slot {
        std::uint64_t bits = 0;
        std::uint8_t length = 0;  // 0: empty
        char text[kMaxText];
    };
    Slot slots[kSlots];
};

thread_local Fixed9Memo fixed9_memo;

}  // namespace

void append_fixed9(std::string& out, double v) {
    const auto bits = std::bit_cast<std::uint64_t>(v);
    auto& slot = fixed9_memo.slots[(bits ^ (bits >> 29) ^ (bits >> 43)) % Fixed9Memo::kSlots];
    if (slot.length != 0 && slot.bits == bits) {
        out.append(slot.text, slot.length);
        return;
    }
    char buf[kNumberBuffer];
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 9);
    if (res.ec != std::errc{}) {
        out.append("0.000000000");  // cannot happen for a finite double
        return;
    }
    const auto length = static_cast<std::size_t>(res.ptr - buf);
    if (length <= Fixed9Memo::kMaxText) {
        slot.bits = bits;
        slot.length = static_cast<std::uint8_t>(length);
        std::memcpy(slot.text, buf, length);
    }
    out.append(buf, length);
}

std::string fixed9(double v) {
    std::string s;
    append_fixed9(s, v);
    return s;
}

std::string fixed1(double v) {
    std::string s;
    append_fixed(s, v, 1);
    return s;
}

std::string line_entity(double x1, double y1, double x2, double y2, int colour) {
    std::string s;
    append_line(s, x1, y1, x2, y2, colour);
    return s;
}

std::string circle_entity(double cx, double cy, double radius, int colour) {
    std::string s;
    append_circle(s, cx, cy, radius, colour);
    return s;
}

std::string arc_entity(double cx, double cy, double radius, double start_deg, double end_deg,
                       int colour) {
    std::string s;
    append_arc(s, cx, cy, radius, start_deg, end_deg, colour);
    return s;
}

void append_entity(std::string& out, const Entity& e) {
    struct Visitor {
        std::string& out;
        void operator()(const Line& l) const {
            append_line(out, l.from.x, l.from.y, l.to.x, l.to.y, static_cast<int>(l.colour));
        }
        void operator()(const Arc& a) const {
            append_arc(out, a.centre.x, a.centre.y, a.radius, a.start_deg, a.end_deg,
                       static_cast<int>(a.colour));
        }
        void operator()(const Circle& c) const {
            append_circle(out, c.centre.x, c.centre.y, c.radius, static_cast<int>(c.colour));
        }
    };
    std::visit(Visitor{out}, e);
}

namespace {

void append_vertex(std::string& out, Point p, double bulge, std::string_view colour) {
    out.append("  0\r\nVERTEX\r\n  8\r\n1\r\n 10\r\n");
    append_fixed9(out, p.x);
    out.append("\r\n 20\r\n");
    append_fixed9(out, p.y);
    out.append("\r\n 30\r\n0.0\r\n");
    if (bulge != 0) {
        out.append(" 42\r\n");
        append_fixed9(out, bulge);
        out.append("\r\n");
    }
    out.append(" 62\r\n");
    out.append(colour);
    out.append("\r\n");
}

}  // namespace

void append_polyline(std::string& out, const Contour& c, int colour) {
    if (c.pieces.empty()) return;
    std::string code;
    append_int(code, colour);
    out.append("  0\r\nPOLYLINE\r\n  8\r\n1\r\n 66\r\n1\r\n 10\r\n0.0\r\n 20\r\n0.0\r\n"
               " 30\r\n0.0\r\n 70\r\n");
    out.append(c.closed ? "1" : "0");
    out.append("\r\n 62\r\n");
    out.append(code);
    out.append("\r\n");
    for (const Piece& p : c.pieces) append_vertex(out, p.from, bulge_of(p), code);
    if (!c.closed) append_vertex(out, c.pieces.back().to, 0, code);
    out.append("  0\r\nSEQEND\r\n  8\r\n1\r\n 62\r\n");
    out.append(code);
    out.append("\r\n");
}

BlockBuffer::BlockBuffer(ByteSink& out) : out_(out) { text_.reserve(kFlushThreshold + 4096); }

void BlockBuffer::flush_if_full() {
    if (text_.size() >= kFlushThreshold) flush();
}

void BlockBuffer::flush() {
    out_.write(text_);
    text_.clear();
}

DxfWriter::DxfWriter(ByteSink& out, Units units) : buffer_(out), units_(units) {}

DxfWriter::~DxfWriter() = default;

void DxfWriter::begin() {
    std::string& text = buffer_.text();
    if (units_ != Units::None) {
        text.append(dxf_text::kHeaderStart);
        text.append(units_ == Units::Millimetres ? "4" : "1");
        text.append(dxf_text::kHeaderEnd);
    }
    text.append(dxf_text::kLinetypeTable);
    text.append(dxf_text::kLayerTable);
    text.append(dxf_text::kEntitiesStart);
}

void DxfWriter::add(const Entity& e) {
    append_entity(buffer_.text(), e);
    buffer_.flush_if_full();
}

void DxfWriter::add(const GlyphContours& glyph) {
    for (const Contour& c : glyph.outline)
        append_polyline(buffer_.text(), c, static_cast<int>(Colour::Outline));
    for (const Contour& c : glyph.skeleton)
        append_polyline(buffer_.text(), c, static_cast<int>(Colour::CentreLine));
    buffer_.flush_if_full();
}

void DxfWriter::end() {
    buffer_.text().append(dxf_text::kDocumentEnd);
    buffer_.flush();
}

}  // namespace tracemill
