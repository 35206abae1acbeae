#include "dxf.hpp"

#include <charconv>
#include <cstdint>
#include <cstring>
#include <system_error>

#include "portability.hpp"

namespace tracemill {

namespace {

// The longest fixed-point text of a double: 309 integer digits, sign, point
// and the decimals. 512 bytes cover every finite value at nine decimals.
constexpr std::size_t kNumberBuffer = 512;

void append_fixed(std::string& out, double v, int decimals) {
    char buf[kNumberBuffer];
    auto res = portable::to_chars_fixed(buf, buf + sizeof buf, v, decimals);
    if (res.ec != std::errc{}) {
        // Cannot happen for a finite double; keep the record well formed anyway.
        out.append("0.000000000");
        return;
    }
    out.append(buf, res.ptr);
}

// Two decimal digits for every number below 100.
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

char* write_pair(char* p, unsigned v) {
    std::memcpy(p, kDigitPairs + 2 * v, 2);
    return p + 2;
}

// The decimal digits of v, without leading zeros ("0" for zero). Drawing
// coordinates mostly have one to four integer digits.
char* write_unsigned(char* p, std::uint64_t v) {
    if (v < 100) {
        if (v < 10) {
            *p = static_cast<char>('0' + v);
            return p + 1;
        }
        return write_pair(p, static_cast<unsigned>(v));
    }
    if (v < 10000) {
        const auto high = static_cast<unsigned>(v / 100), low = static_cast<unsigned>(v % 100);
        if (high < 10) {
            *p = static_cast<char>('0' + high);
            return write_pair(p + 1, low);
        }
        return write_pair(write_pair(p, high), low);
    }
    int digits = 5;
    for (std::uint64_t bound = 100000; digits < 20 && v >= bound; bound *= 10) ++digits;
    char* const end = p + digits;
    char* q = end;
    while (v >= 100) {
        q -= 2;
        write_pair(q, static_cast<unsigned>(v % 100));
        v /= 100;
    }
    if (v >= 10)
        write_pair(q - 2, static_cast<unsigned>(v));
    else
        q[-1] = static_cast<char>('0' + v);
    return end;
}

// Exactly nine digits of v < 10^9, leading zeros included.
char* write_nine_digits(char* p, std::uint32_t v) {
    const std::uint32_t high = v / 100000;  // four digits
    const std::uint32_t low = v % 100000;   // five digits
    write_pair(p, high / 100);
    write_pair(p + 2, high % 100);
    p[4] = static_cast<char>('0' + low / 10000);
    write_pair(p + 5, low / 100 % 100);
    write_pair(p + 7, low % 100);
    return p + 9;
}

char* write_int(char* p, int v) {
    if (v >= 0 && v < 10) {
        *p = static_cast<char>('0' + v);
        return p + 1;
    }
    return std::to_chars(p, p + 16, v).ptr;
}

// Every record is assembled from fixed texts and numbers; kRecordBuffer holds
// the longest (an arc of five numbers of the greatest length).
constexpr std::size_t kRecordBuffer = 5 * kFixed9MaxLength + 128;

// Drawings repeat numbers a great deal: every cell of a row shares its y
// values, caps and strokes share their ends, angles recur from glyph to glyph.
// A small direct-mapped memo of recent texts, keyed by the exact bit pattern,
// answers most of them (about five in six in a long text).
struct Fixed9Memo {
    static constexpr std::size_t kSlots = 4096;
    static constexpr std::size_t kMaxText = 23;
    struct Slot {
        std::uint64_t bits = 0;
        std::uint8_t length = 0;  // 0: empty
        char text[kMaxText];
    };
    Slot slots[kSlots];
};

thread_local Fixed9Memo fixed9_memo;

// A conversion the memo did not have; it takes the slot.
[[gnu::noinline]] char* convert_and_remember(Fixed9Memo::Slot& slot, std::uint64_t bits, char* out,
                                             double v) {
    char* const end = convert_fixed9(out, v);
    const auto length = static_cast<std::size_t>(end - out);
    if (length <= Fixed9Memo::kMaxText) {
        slot.bits = bits;
        slot.length = static_cast<std::uint8_t>(length);
        std::memcpy(slot.text, out, Fixed9Memo::kMaxText);
    }
    return end;
}

// write_fixed9, inlined into the record writers: most numbers are answered
// by the memo in a handful of instructions.
[[gnu::always_inline]] inline char* memo_fixed9(char* out, double v) {
    static_assert(kFixed9MaxLength >= Fixed9Memo::kMaxText);
    const auto bits = portable::bit_cast<std::uint64_t>(v);
    auto& slot = fixed9_memo.slots[(bits ^ (bits >> 29) ^ (bits >> 43)) % Fixed9Memo::kSlots];
    if (slot.length == 0 || slot.bits != bits) return convert_and_remember(slot, bits, out, v);
    // The whole slot, whatever the length: a copy of fixed size is cheaper.
    std::memcpy(out, slot.text, Fixed9Memo::kMaxText);
    return out + slot.length;
}

template <std::size_t N>
char* put(char* p, const char (&text)[N]) {
    std::memcpy(p, text, N - 1);
    return p + N - 1;
}

char* write_line(char* p, double x1, double y1, double x2, double y2, int colour) {
    p = put(p, "  0\r\nLINE\r\n  8\r\n1\r\n 10\r\n");
    p = memo_fixed9(p, x1);
    p = put(p, "\r\n 20\r\n");
    p = memo_fixed9(p, y1);
    p = put(p, "\r\n 30\r\n0.0\r\n 11\r\n");
    p = memo_fixed9(p, x2);
    p = put(p, "\r\n 21\r\n");
    p = memo_fixed9(p, y2);
    p = put(p, "\r\n 31\r\n0.0\r\n 62\r\n");
    p = write_int(p, colour);
    return put(p, "\r\n");
}

char* write_circle(char* p, double cx, double cy, double radius, int colour) {
    p = put(p, "  0\r\nCIRCLE\r\n  8\r\n1\r\n 10\r\n");
    p = memo_fixed9(p, cx);
    p = put(p, "\r\n 20\r\n");
    p = memo_fixed9(p, cy);
    p = put(p, "\r\n 40\r\n");
    p = memo_fixed9(p, radius);
    p = put(p, "\r\n 62\r\n");
    p = write_int(p, colour);
    return put(p, "\r\n");
}

char* write_arc(char* p, double cx, double cy, double radius, double start_deg, double end_deg,
                int colour) {
    p = put(p, "  0\r\nARC\r\n  8\r\n1\r\n 10\r\n");
    p = memo_fixed9(p, cx);
    p = put(p, "\r\n 20\r\n");
    p = memo_fixed9(p, cy);
    p = put(p, "\r\n 40\r\n");
    p = memo_fixed9(p, radius);
    p = put(p, "\r\n 50\r\n");
    p = memo_fixed9(p, start_deg);
    p = put(p, "\r\n 51\r\n");
    p = memo_fixed9(p, end_deg);
    p = put(p, "\r\n 62\r\n");
    p = write_int(p, colour);
    return put(p, "\r\n");
}

char* write_entity(char* p, const Entity& e) {
    if (const auto* l = std::get_if<Line>(&e))
        return write_line(p, l->from.x, l->from.y, l->to.x, l->to.y, static_cast<int>(l->colour));
    if (const auto* a = std::get_if<Arc>(&e))
        return write_arc(p, a->centre.x, a->centre.y, a->radius, a->start_deg, a->end_deg,
                         static_cast<int>(a->colour));
    const auto& c = std::get<Circle>(e);
    return write_circle(p, c.centre.x, c.centre.y, c.radius, static_cast<int>(c.colour));
}

}  // namespace

// A finite double is m·2^e with an integer m < 2^53. For e <= 11 (|v| < 2^64)
// the printed value is v·10^9 = m·10^9·2^e rounded to an integer, half to
// even, and m·10^9 < 2^83 leaves room in 128 bits: for e >= 0 the product is
// exact, for e < 0 the bits shifted out decide the rounding. Larger values and
// the non-finite ones go to the library's conversion.
char* convert_fixed9(char* out, double v) {
    __extension__ using uint128 = unsigned __int128;
    const auto bits = portable::bit_cast<std::uint64_t>(v);
    const auto biased = static_cast<int>((bits >> 52) & 0x7ff);
    std::uint64_t m = bits & ((std::uint64_t{1} << 52) - 1);
    int e = -1074;  // subnormal
    if (biased != 0) {
        m |= std::uint64_t{1} << 52;
        e = biased - 1075;
    }
    if (e > 11) return portable::to_chars_fixed(out, out + kFixed9MaxLength, v, 9).ptr;

    char* p = out;
    if (bits >> 63) *p++ = '-';  // C keeps the sign of a negative value that rounds to zero
    const uint128 scaled = static_cast<uint128>(m) * 1000000000u;
    uint128 n = 0;
    if (e >= 0) {
        n = scaled << e;
    } else if (e > -84) {
        // From 2^-84 down the product is under one half: it rounds to zero
        // and can never be a tie (10^9 is not a power of two).
        const int s = -e;
        const uint128 with_half = scaled >> (s - 1);  // the quotient and the half bit
        n = with_half >> 1;
        if ((with_half & 1) != 0 && ((n & 1) != 0 || with_half << (s - 1) != scaled)) ++n;
    }
    std::uint64_t whole;
    std::uint32_t fraction;
    if (n >> 64 == 0) {
        const auto small = static_cast<std::uint64_t>(n);
        whole = small / 1000000000u;
        fraction = static_cast<std::uint32_t>(small % 1000000000u);
    } else {
        whole = static_cast<std::uint64_t>(n / 1000000000u);
        fraction = static_cast<std::uint32_t>(n % 1000000000u);
    }
    p = write_unsigned(p, whole);
    *p++ = '.';
    return write_nine_digits(p, fraction);
}

char* write_fixed9(char* out, double v) { return memo_fixed9(out, v); }

void append_fixed9(std::string& out, double v) {
    char buf[kFixed9MaxLength];
    out.append(buf, write_fixed9(buf, v));
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
    char buf[kRecordBuffer];
    return std::string(buf, write_line(buf, x1, y1, x2, y2, colour));
}

std::string circle_entity(double cx, double cy, double radius, int colour) {
    char buf[kRecordBuffer];
    return std::string(buf, write_circle(buf, cx, cy, radius, colour));
}

std::string arc_entity(double cx, double cy, double radius, double start_deg, double end_deg,
                       int colour) {
    char buf[kRecordBuffer];
    return std::string(buf, write_arc(buf, cx, cy, radius, start_deg, end_deg, colour));
}

void append_entity(std::string& out, const Entity& e) {
    char buf[kRecordBuffer];
    out.append(buf, write_entity(buf, e));
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
    const std::string code = std::to_string(colour);
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

static_assert(kRecordBuffer <= BlockBuffer::kMaxRoom);

BlockBuffer::BlockBuffer(ByteSink& out)
    : out_(out), data_(portable::uninitialised_chars(kCapacity)) {}

void BlockBuffer::append(std::string_view text) {
    if (text.size() > kCapacity - size_) flush();
    if (text.size() > kCapacity) {
        out_.write(text);
        return;
    }
    std::memcpy(data_.get() + size_, text.data(), text.size());
    size_ += text.size();
}

char* BlockBuffer::room(std::size_t n) {
    if (n > kCapacity - size_) flush();
    return data_.get() + size_;
}

void BlockBuffer::flush_if_full() {
    if (size_ >= kFlushThreshold) flush();
}

void BlockBuffer::pass_on(std::unique_ptr<char[]>& block, std::size_t size) {
    flush();
    out_.write_block(block, size);
}

void BlockBuffer::flush() {
    if (size_ == 0) return;
    out_.write_block(data_, size_);
    size_ = 0;
}

DxfWriter::DxfWriter(ByteSink& out, Units units) : buffer_(out), units_(units) {}

DxfWriter::~DxfWriter() = default;

void DxfWriter::begin() {
    if (units_ != Units::None) {
        buffer_.append(dxf_text::kHeaderStart);
        buffer_.append(units_ == Units::Millimetres ? "4" : "1");
        buffer_.append(dxf_text::kHeaderEnd);
    }
    buffer_.append(dxf_text::kLinetypeTable);
    buffer_.append(dxf_text::kLayerTable);
    buffer_.append(dxf_text::kEntitiesStart);
}

void DxfWriter::add(const Entity& e) {
    buffer_.commit(write_entity(buffer_.room(kRecordBuffer), e));
    buffer_.flush_if_full();
}

void DxfWriter::add(const GlyphContours& glyph) {
    std::string text;
    for (const Contour& c : glyph.outline) append_polyline(text, c, static_cast<int>(Colour::Outline));
    for (const Contour& c : glyph.skeleton) append_polyline(text, c, static_cast<int>(Colour::CentreLine));
    buffer_.append(text);
    buffer_.flush_if_full();
}

void DxfWriter::end() {
    buffer_.append(dxf_text::kDocumentEnd);
    buffer_.flush();
}

}  // namespace tracemill
