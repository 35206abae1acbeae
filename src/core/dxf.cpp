#include "dxf.hpp"

#include <charconv>
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

}  // namespace

void append_fixed9(std::string& out, double v) { append_fixed(out, v, 9); }

std::string fixed9(double v) {
    std::string s;
    append_fixed(s, v, 9);
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

DxfWriter::DxfWriter(ByteSink& out) : out_(out) { buffer_.reserve(kFlushThreshold + 4096); }

DxfWriter::~DxfWriter() = default;

void DxfWriter::begin() {
    buffer_.append(dxf_text::kLinetypeTable);
    buffer_.append(dxf_text::kLayerTable);
    buffer_.append(dxf_text::kEntitiesStart);
}

void DxfWriter::add(const Entity& e) {
    append_entity(buffer_, e);
    flush_if_full();
}

void DxfWriter::end() {
    buffer_.append(dxf_text::kDocumentEnd);
    out_.write(buffer_);
    buffer_.clear();
}

void DxfWriter::flush_if_full() {
    if (buffer_.size() >= kFlushThreshold) {
        out_.write(buffer_);
        buffer_.clear();
    }
}

}  // namespace tracemill
