#include "gcode.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <memory>
#include <utility>

#include "exact_math.hpp"
#include "glyph.hpp"
#include "number_text.hpp"
#include "path_order.hpp"
#include "portability.hpp"
#include "second_thread.hpp"

#ifndef TRACEMILL_VERSION
#define TRACEMILL_VERSION "unknown"
#endif

namespace tracemill {

namespace {

constexpr double kMillimetresPerInch = 25.4;
// Straight moves stand for an arc where a controller would misjudge it: a
// chord shorter than this (millimetres), where its centre is ill-defined...
constexpr double kMinArcChordMm = 0.01;
// ... or a radius beyond this (drawing units), nearly straight.
constexpr double kMaxArcRadius = 1000;
// How far the straight moves that stand for an arc stray from it (mm).
constexpr double kFlatteningMm = 0.0005;
// The strictest controllers refuse an arc whose radii to its start and to its
// end differ by more than 0.005 mm and by more than 0.1 % of the radius; the
// program keeps within half of each.
constexpr double kRadiusMismatchMm = 0.0025;
constexpr double kRadiusMismatchShare = 0.0005;

double scale_of(bool inches) { return inches ? 1e5 : 1e4; }
int decimals_of(bool inches) { return inches ? 5 : 4; }
double from_mm(double mm, bool inches) { return inches ? mm / kMillimetresPerInch : mm; }

// Writes a count of printed units as a decimal with the unit's decimals:
// the digits two at a time, from the right.
char* put_units(char* p, std::int64_t units, int decimals) {
    static constexpr char kPairs[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";
    std::uint64_t a = units < 0 ? 0 - static_cast<std::uint64_t>(units) : static_cast<std::uint64_t>(units);
    if (units < 0) *p++ = '-';
    char digits[24];
    char* d = digits + sizeof digits;
    // At least the decimals and one digit before the point.
    const int least = decimals + 1;
    int n = 0;
    while (a >= 100 || n + 2 < least) {
        const auto pair = static_cast<std::size_t>(a % 100) * 2;
        a /= 100;
        *--d = kPairs[pair + 1];
        *--d = kPairs[pair];
        n += 2;
    }
    do {
        *--d = static_cast<char>('0' + a % 10);
        a /= 10;
        ++n;
    } while (a != 0 || n < least);
    const int whole = n - decimals;
    std::memcpy(p, d, static_cast<std::size_t>(whole));
    p += whole;
    *p++ = '.';
    std::memcpy(p, d + whole, static_cast<std::size_t>(decimals));
    return p + decimals;
}

// A setting's value as a person writes it: at most the unit's decimals, no
// trailing zeros ("600", "0.2").
std::string setting(double v, int decimals) {
    char buf[64];
    const auto r = portable::to_chars_fixed(buf, buf + sizeof buf, v, decimals);
    std::string s(buf, r.ptr);
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    if (s == "-0") s = "0";
    return s;
}

std::string not_created(Language lang, std::string what) {
    what += message_text(Message::NotCreated, lang);
    return what;
}

// A pen command: words of a letter M, S or P and a number, at most one M.
bool valid_pen_command(std::string_view c) {
    if (c.empty() || c.size() > 40) return false;
    int m_words = 0;
    std::size_t i = 0;
    bool any = false;
    while (i < c.size()) {
        if (c[i] == ' ') {
            ++i;
            continue;
        }
        const char letter = c[i++];
        if (letter != 'M' && letter != 'S' && letter != 'P') return false;
        if (letter == 'M') ++m_words;
        if (i < c.size() && (c[i] == '-' || c[i] == '+')) ++i;
        std::size_t digits = 0;
        bool point = false;
        while (i < c.size() && ((c[i] >= '0' && c[i] <= '9') || (c[i] == '.' && !point))) {
            if (c[i] == '.') point = true;
            else ++digits;
            ++i;
        }
        if (digits == 0) return false;
        any = true;
    }
    return any && m_words <= 1;
}

// The bytes a comment may hold as they are; every other byte is written as
// <HH>. Parentheses, semicolons, percent signs, asterisks (a checksum to
// some controllers), backslashes and bytes outside printable ASCII never
// reach the file.
bool plain_in_comment(unsigned char b) {
    if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9')) return true;
    static constexpr std::string_view kSigns = " -.,:/_+=?!@#&'[]^~|$\"";
    return kSigns.find(static_cast<char>(b)) != std::string_view::npos;
}

std::string comment_text(std::string_view bytes) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string s;
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (plain_in_comment(b)) {
            s += ch;
        } else {
            s += '<';
            s += kHex[b >> 4];
            s += kHex[b & 15];
            s += '>';
        }
    }
    return s;
}

Point on_circle_at(Point centre, Point from, double turn) {
    const double vx = from.x - centre.x, vy = from.y - centre.y;
    const double c = cr_cos(turn), s = cr_sin(turn);
    return {centre.x + (vx * c - vy * s), centre.y + (vx * s + vy * c)};
}

double chord_of(const Piece& p) {
    const double dx = p.to.x - p.from.x, dy = p.to.y - p.from.y;
    return std::sqrt(dx * dx + dy * dy);
}

double piece_length(const Piece& p) {
    if (!p.is_arc()) return chord_of(p);
    return p.radius * std::fabs(to_radians(p.sweep_deg, kPi));
}

Piece turned_round(const Piece& p) { return Piece{p.to, p.from, p.centre, p.radius, -p.sweep_deg}; }

struct Bounds {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool any = false;
    void add(Point p) {
        if (!any) {
            x0 = x1 = p.x;
            y0 = y1 = p.y;
            any = true;
            return;
        }
        x0 = std::min(x0, p.x);
        x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y);
        y1 = std::max(y1, p.y);
    }
    void add(const Piece& p) {
        add(p.from);
        add(p.to);
        if (!p.is_arc()) return;
        // The points where the arc turns in x or in y, where it passes them:
        // a direction lies within an arc of at most a half turn when it is
        // on the arc's side of both radii.
        const double ax = p.from.x - p.centre.x, ay = p.from.y - p.centre.y;
        const double bx = p.to.x - p.centre.x, by = p.to.y - p.centre.y;
        const Point dir[] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
        for (const Point d : dir) {
            const double after_start = ax * d.y - ay * d.x, before_end = d.x * by - d.y * bx;
            const bool within = p.sweep_deg > 0 ? after_start >= 0 && before_end >= 0
                                                : after_start <= 0 && before_end <= 0;
            if (within) add(Point{p.centre.x + p.radius * d.x, p.centre.y + p.radius * d.y});
        }
    }
};

// Keeps the blocks of a BlockBuffer to be passed on later, in order.
class HeldBlocks final : public ByteSink {
public:
    void write(std::string_view bytes) override {
        auto block = portable::uninitialised_chars(std::max(bytes.size(), BlockBuffer::kCapacity));
        std::memcpy(block.get(), bytes.data(), bytes.size());
        blocks.emplace_back(std::move(block), bytes.size());
    }
    void write_block(std::unique_ptr<char[]>& block, std::size_t size) override {
        blocks.emplace_back(std::move(block), size);
        block = portable::uninitialised_chars(BlockBuffer::kCapacity);
    }
    std::vector<std::pair<std::unique_ptr<char[]>, std::size_t>> blocks;
};

// From this many paths on, the program is written by two threads.
constexpr std::size_t kWrittenInHalvesFrom = 4096;

// Where the tool is (in printed units) and what it is doing: all that the
// lines of a path depend on besides the path itself.
struct ToolState {
    std::int64_t x = 0, y = 0;
    bool moved = false;    // it has travelled at all
    bool cutting = false;  // it is down (in the work, the beam on, the pen down)
    bool feed_pending = true;
    bool operator==(const ToolState&) const = default;
};

// Writes the program's lines: every move, and the machine's way of starting
// and ending a cut.
class Program {
public:
    Program(BlockBuffer& out, const GcodeOptions& o, const ToolState& s = {})
        : out_(out), o_(o), inches_(o.inches), s_(s) {
        if (o.machine == GcodeMachine::Laser)
            power_ = " S" + setting(o.laser_power / 100 * o.laser_scale, 4);
        dwell_ = "G4 P" + setting(o.pen_dwell, 4);
    }

    std::int64_t q(double v) const { return printed_units(v, inches_); }
    const ToolState& state() const { return s_; }

    void line(std::string_view text) {
        out_.append(text);
        out_.append("\n");
        out_.flush_if_full();
    }

    void start() {
        line(inches_ ? "G20" : "G21");
        line("G90");
        line("G17");
        line("G94");
        switch (o_.machine) {
            case GcodeMachine::Mill:
                begin_line("G0");
                word('Z', q(o_.safe_height));
                end_line();
                line("M3 S" + setting(o_.spindle_speed, 4));
                break;
            case GcodeMachine::Laser:
                line("M4 S0");
                if (o_.air_assist) line("M8");
                break;
            case GcodeMachine::Pen:
                line(o_.pen_up);
                line(dwell_);
                break;
        }
    }

    void finish() {
        if (s_.cutting) lift();
        switch (o_.machine) {
            case GcodeMachine::Mill: line("M5"); break;
            case GcodeMachine::Laser:
                if (o_.air_assist) line("M9");
                line("M5");
                break;
            case GcodeMachine::Pen: break;
        }
        travel(0, 0);
        line("M2");
    }

    // Cuts a run of pieces, from wherever the tool is; a run that starts
    // where the last one ended goes on without lifting.
    // `count` pieces, the k-th of them piece(k).
    template <class PieceAt>
    void run(std::uint32_t count, PieceAt piece, std::int32_t passes) {
        const Point start = piece(0).from;
        const std::int64_t ex = q(start.x), ey = q(start.y);
        if (!(s_.cutting && ex == s_.x && ey == s_.y)) {
            if (s_.cutting) lift();
            travel(ex, ey);
            lower();
        }
        for (std::int32_t pass = 0; pass < passes; ++pass) {
            if (pass > 0 && (ex != s_.x || ey != s_.y)) travel(ex, ey);
            for (std::uint32_t k = 0; k < count; ++k) cut(piece(k));
        }
    }

private:
    // A line is written straight into the buffer's room (far more than the
    // longest line needs).
    void begin_line(std::string_view g) {
        p_ = out_.room(kLineRoom);
        std::memcpy(p_, g.data(), g.size());
        p_ += g.size();
    }
    void word(char letter, std::int64_t units) {
        *p_++ = ' ';
        *p_++ = letter;
        p_ = put_units(p_, units, decimals_of(inches_));
    }
    void text(std::string_view s) {
        std::memcpy(p_, s.data(), s.size());
        p_ += s.size();
    }
    void end_line() {
        *p_++ = '\n';
        out_.commit(p_);
        out_.flush_if_full();
    }

    void travel(std::int64_t x, std::int64_t y) {
        if (x == s_.x && y == s_.y && s_.moved) return;
        begin_line("G0");
        word('X', x);
        word('Y', y);
        if (o_.machine == GcodeMachine::Laser) text(" S0");
        end_line();
        s_.x = x;
        s_.y = y;
        s_.moved = true;
    }

    void lower() {
        switch (o_.machine) {
            case GcodeMachine::Mill:
                begin_line("G1");
                word('Z', -q(o_.depth));
                text(" F" + setting(o_.plunge_feed, 4));
                end_line();
                s_.feed_pending = true;
                break;
            case GcodeMachine::Laser: break;
            case GcodeMachine::Pen:
                line(o_.pen_down);
                line(dwell_);
                break;
        }
        s_.cutting = true;
    }

    void lift() {
        switch (o_.machine) {
            case GcodeMachine::Mill:
                begin_line("G0");
                word('Z', q(o_.safe_height));
                end_line();
                break;
            case GcodeMachine::Laser: break;
            case GcodeMachine::Pen:
                line(o_.pen_up);
                line(dwell_);
                break;
        }
        s_.cutting = false;
    }

    void end_cut_line() {
        text(power_);
        if (s_.feed_pending) {
            text(" F" + setting(o_.feed, 4));
            s_.feed_pending = false;
        }
        end_line();
    }

    void straight(std::int64_t x, std::int64_t y) {
        if (x == s_.x && y == s_.y) return;
        begin_line("G1");
        word('X', x);
        word('Y', y);
        end_cut_line();
        s_.x = x;
        s_.y = y;
    }

    void cut(const Piece& p) {
        if (!p.is_arc()) {
            straight(q(p.to.x), q(p.to.y));
            return;
        }
        if (const auto a = arc_words(s_.x, s_.y, p, inches_)) {
            begin_line(p.sweep_deg > 0 ? "G3" : "G2");
            word('X', a->x);
            word('Y', a->y);
            word('I', a->i);
            word('J', a->j);
            end_cut_line();
            s_.x = a->x;
            s_.y = a->y;
            return;
        }
        // Straight moves within a small tolerance of the arc.
        const double tolerance = from_mm(kFlatteningMm, inches_);
        const double turn = to_radians(p.sweep_deg, kPi);
        std::int64_t n = 1;
        if (p.radius > tolerance) {
            const double step = 2 * cr_acos(1 - tolerance / p.radius);
            n = std::clamp<std::int64_t>(static_cast<std::int64_t>(std::ceil(std::fabs(turn) / step)), 1, 100000);
        }
        for (std::int64_t k = 1; k < n; ++k) {
            const Point m = on_circle_at(p.centre, p.from, turn * static_cast<double>(k) / static_cast<double>(n));
            straight(q(m.x), q(m.y));
        }
        straight(q(p.to.x), q(p.to.y));
    }

    BlockBuffer& out_;
    const GcodeOptions& o_;
    bool inches_;
    std::string power_;
    std::string dwell_;
    static constexpr std::size_t kLineRoom = 256;
    char* p_ = nullptr;
    ToolState s_;
};

}  // namespace

GcodeOptions gcode_defaults(bool inches) {
    GcodeOptions o;
    o.inches = inches;
    if (inches) {
        o.feed = 24;
        o.plunge_feed = 4;
        o.depth = 0.008;
        o.safe_height = 0.2;
    }
    return o;
}

std::optional<std::string> validate_gcode(const GcodeOptions& o, Language lang) {
    struct Range {
        Message name;
        double value;
        bool zero_allowed;  // otherwise the value must exceed zero
        double high;
    };
    const Range ranges[] = {
        {Message::GcodeFeed, o.feed, false, 1e6},
        {Message::GcodePlungeFeed, o.plunge_feed, false, 1e6},
        {Message::GcodeDepth, o.depth, false, 1e4},
        {Message::GcodeSafeHeight, o.safe_height, false, 1e4},
        {Message::GcodeSpindle, o.spindle_speed, false, 1e6},
        {Message::GcodePower, o.laser_power, false, 100},
        {Message::GcodePowerMax, o.laser_scale, false, 1e6},
        {Message::GcodeDwell, o.pen_dwell, true, 60},
    };
    for (const Range& r : ranges) {
        const std::string_view name = message_text(r.name, lang);
        // Written so that a value that is not a number fails.
        if (!(r.zero_allowed ? r.value >= 0 : r.value > 0))
            return not_created(lang, format_message(r.zero_allowed ? Message::Negative : Message::ZeroOrLess, lang,
                                                    {name}));
        if (!(r.value <= r.high))
            return not_created(lang, format_message(Message::GcodeAtMost, lang, {name, setting(r.high, 0)}));
    }
    if (!(o.passes >= 1 && o.passes <= 100)) return not_created(lang, std::string(message_text(Message::GcodePasses, lang)));
    for (const auto& [name, command] :
         {std::pair{Message::GcodePenDown, &o.pen_down}, std::pair{Message::GcodePenUp, &o.pen_up}}) {
        if (!valid_pen_command(*command))
            return not_created(lang, format_message(Message::GcodePenCommand, lang, {message_text(name, lang)}));
    }
    return std::nullopt;
}

std::int64_t printed_units(double v, bool inches) { return std::llround(v * scale_of(inches)); }

void append_units(std::string& out, std::int64_t units, bool inches) {
    char buf[48];
    out.append(buf, put_units(buf, units, decimals_of(inches)));
}

std::optional<ArcWords> arc_words(std::int64_t sx, std::int64_t sy, const Piece& arc, bool inches) {
    const double scale = scale_of(inches);
    const std::int64_t ex = printed_units(arc.to.x, inches), ey = printed_units(arc.to.y, inches);
    const std::int64_t dx = ex - sx, dy = ey - sy;
    if (dx == 0 && dy == 0) return std::nullopt;
    if (!(arc.radius <= kMaxArcRadius)) return std::nullopt;
    if (chord_of(arc) < from_mm(kMinArcChordMm, inches))
        return std::nullopt;
    // The centre moved onto the perpendicular bisector of the printed chord,
    // so that it is as far from the printed start as from the printed end.
    const double fdx = static_cast<double>(dx), fdy = static_cast<double>(dy);
    const double chord = std::sqrt(fdx * fdx + fdy * fdy);
    const double ux = -fdy / chord, uy = fdx / chord;  // to the left of the chord
    const double mx = static_cast<double>(sx) + fdx / 2, my = static_cast<double>(sy) + fdy / 2;
    const double along = (arc.centre.x * scale - mx) * ux + (arc.centre.y * scale - my) * uy;
    const double cx = mx + along * ux, cy = my + along * uy;
    const std::int64_t i0 = std::llround(cx - static_cast<double>(sx));
    const std::int64_t j0 = std::llround(cy - static_cast<double>(sy));
    // Of the printed centre and its neighbours, the one with the radii in
    // best agreement among those that keep the turn within a half circle:
    // left of the chord (or on it) for an anticlockwise arc, right for a
    // clockwise one. Exact in integers.
    const bool anticlockwise = arc.sweep_deg > 0;
    std::optional<ArcWords> best;
    double best_mismatch = 0;
    for (int k = 0; k < 9; ++k) {
        const std::int64_t i = i0 + (k % 3 == 0 ? 0 : (k % 3 == 1 ? -1 : 1));
        const std::int64_t j = j0 + (k / 3 == 0 ? 0 : (k / 3 == 1 ? -1 : 1));
        const std::int64_t side = dx * j - dy * i;
        if (anticlockwise ? side < 0 : side > 0) continue;
        const double fi = static_cast<double>(i), fj = static_cast<double>(j);
        const double r1 = std::sqrt(fi * fi + fj * fj);
        const double r2 = std::sqrt((fi - fdx) * (fi - fdx) + (fj - fdy) * (fj - fdy));
        const double mismatch = std::fabs(r1 - r2);
        if (!best || mismatch < best_mismatch) {
            best = ArcWords{ex, ey, i, j};
            best_mismatch = mismatch;
        }
        if (k == 0 && mismatch <= 1) break;  // as good as the decimals allow
    }
    if (!best) return std::nullopt;
    const double r = std::sqrt(static_cast<double>(best->i) * static_cast<double>(best->i) +
                               static_cast<double>(best->j) * static_cast<double>(best->j));
    const double mismatch_mm = best_mismatch / scale * (inches ? kMillimetresPerInch : 1);
    if (!(mismatch_mm <= kRadiusMismatchMm || best_mismatch <= kRadiusMismatchShare * r)) return std::nullopt;
    return best;
}

GcodeWriter::GcodeWriter(ByteSink& out, const GcodeOptions& options, const GcodeSource& source)
    : buffer_(out), options_(options), source_(source) {
    // Room for the pieces of a typical glyph per byte of text, so that the
    // store seldom moves.
    pieces_.reserve(source.text.size() * (options.cut == GcodeCut::Outline ? 12 : 4));
}

GcodeWriter::~GcodeWriter() = default;

void GcodeWriter::add(const Entity& e) {
    // Only the frame arrives here: four lines, anticlockwise, closing.
    if (!options_.frame) return;
    if (const auto* l = std::get_if<Line>(&e)) frame_.push_back(*l);
    if (frame_.size() == 4) {
        Contour c;
        c.closed = true;
        for (const Line& f : frame_) c.pieces.push_back(Piece{f.from, f.to, {}, 0, 0});
        add_path(c);
        frame_.clear();
    }
}

void GcodeWriter::add(const GlyphContours& glyph) {
    for (const Contour& c : options_.cut == GcodeCut::Outline ? glyph.outline : glyph.skeleton) add_path(c);
}

void GcodeWriter::add_path(const Contour& c) {
    if (c.pieces.empty()) return;
    pieces_.insert(pieces_.end(), c.pieces.begin(), c.pieces.end());
    first_.push_back(static_cast<std::uint32_t>(pieces_.size()));
    closed_.push_back(c.closed);
}

void GcodeWriter::append_paths(const GcodeWriter& later) {
    const auto base = static_cast<std::uint32_t>(pieces_.size());
    pieces_.insert(pieces_.end(), later.pieces_.begin(), later.pieces_.end());
    for (std::size_t k = 1; k < later.first_.size(); ++k) first_.push_back(base + later.first_[k]);
    closed_.insert(closed_.end(), later.closed_.begin(), later.closed_.end());
}

GcodeSummary GcodeWriter::end(bool one_thread) {
    const GcodeOptions& o = options_;
    const bool inches = o.inches;
    const std::size_t n = closed_.size();
    const std::int32_t passes = o.machine == GcodeMachine::Laser ? o.passes : 1;

    PathEnds ends;
    ends.points.reserve(2 * n);
    ends.first.reserve(n + 1);
    ends.closed.reserve(n);
    std::vector<Point> starts;
    for (std::size_t k = 0; k < n; ++k) {
        if (closed_[k]) {
            starts.clear();
            for (std::uint32_t i = first_[k]; i < first_[k + 1]; ++i) starts.push_back(pieces_[i].from);
            ends.add_closed(starts);
        } else {
            ends.add_open(pieces_[first_[k]].from, pieces_[first_[k + 1] - 1].to);
        }
    }
    const Route given = given_route(ends);
    const Route route = o.order == GcodeOrder::Text ? given : shortest_route(ends);

    GcodeSummary summary;
    summary.paths = n;
    summary.text_travel = travel_of(ends, given);
    summary.travel = travel_of(ends, route);
    Bounds bounds;
    for (std::size_t k = 0; k < n; ++k) {
        for (std::uint32_t i = first_[k]; i < first_[k + 1]; ++i) {
            summary.cut += piece_length(pieces_[i]) * passes;
            bounds.add(pieces_[i]);
        }
        if (!closed_[k] && passes > 1) {
            // Back to the start for every further pass.
            const Point a = pieces_[first_[k]].from, b = pieces_[first_[k + 1] - 1].to;
            const double back = cr_hypot(a.x - b.x, a.y - b.y) * (passes - 1);
            summary.travel += back;
            summary.text_travel += back;
        }
    }

    // The comment block.
    const int decimals = decimals_of(inches);
    const std::string unit = inches ? " in" : " mm";
    const auto length = [&](double v) {
        std::string s;
        append_units(s, printed_units(v, inches), inches);
        return s + unit;
    };
    const auto comment = [&](const std::string& s) {
        buffer_.append("; ");
        buffer_.append(s);
        buffer_.append("\n");
    };
    static const char* const kMachineNames[] = {"a milling machine or engraver", "a laser", "a pen plotter"};
    comment(std::string("tracemill " TRACEMILL_VERSION ": a program for ") +
            kMachineNames[static_cast<int>(o.machine)]);
    comment("text, with <HH> in hexadecimal for each byte other than letters,");
    comment("digits, space and -.,:/_+=?!@#&'[]^~|$\"");
    {
        std::size_t row = 1, start = 0;
        const std::string_view text = source_.text;
        for (;;) {
            std::size_t end = text.find('\r', start);
            if (end == std::string_view::npos) end = text.size();
            const std::string escaped = comment_text(text.substr(start, end - start));
            const std::string label = "row " + std::to_string(row) + ":";
            std::size_t at = 0;
            do {
                // Up to 60 bytes a line, never cutting a <HH> apart.
                std::size_t take = std::min<std::size_t>(60, escaped.size() - at);
                for (std::size_t k = 1; k <= 3 && k <= take; ++k) {
                    if (escaped[at + take - k] == '<') {
                        take -= k;
                        break;
                    }
                }
                std::string line = at == 0 ? label : std::string(" ");
                if (take > 0) line.append(" ").append(escaped, at, take);
                comment(line);
                at += take;
            } while (at < escaped.size());
            if (end >= text.size()) break;
            start = end + 2;  // past CR LF
            ++row;
        }
    }
    const auto shown = [&](const char* name, double v) { comment(name + shown_number(v) + unit); };
    shown("char width ", source_.char_width);
    shown("char height ", source_.char_height);
    shown("line width ", source_.line_width);
    shown("char spacing ", source_.char_spacing);
    shown("line spacing ", source_.line_spacing);
    comment(std::string("cut: ") + (o.cut == GcodeCut::Skeleton ? "skeleton, the pen paths" : "outline, the closed contours") +
            (o.frame ? ", and the frame" : ", not the frame"));
    comment(std::string("order: ") + (o.order == GcodeOrder::Text ? "as the text" : "short travel"));
    const std::string per_minute = unit + "/min";
    switch (o.machine) {
        case GcodeMachine::Mill:
            comment("feed " + setting(o.feed, decimals) + per_minute + ", plunge feed " +
                    setting(o.plunge_feed, decimals) + per_minute);
            comment("depth " + setting(o.depth, decimals) + unit + ", safe height " +
                    setting(o.safe_height, decimals) + unit + ", spindle " + setting(o.spindle_speed, 4) +
                    " rpm");
            break;
        case GcodeMachine::Laser:
            comment("feed " + setting(o.feed, decimals) + per_minute + ", power " + setting(o.laser_power, 4) +
                    " per cent of S" + setting(o.laser_scale, 4) + ", M4");
            comment("passes " + std::to_string(o.passes) + ", air assist " + (o.air_assist ? "on" : "off"));
            break;
        case GcodeMachine::Pen:
            comment("feed " + setting(o.feed, decimals) + per_minute + ", dwell " + setting(o.pen_dwell, 4) + " s");
            comment("pen down: " + o.pen_down);
            comment("pen up: " + o.pen_up);
            break;
    }
    if (bounds.any) {
        comment("bounds: X " + length(bounds.x0) + " to " + length(bounds.x1));
        comment("        Y " + length(bounds.y0) + " to " + length(bounds.y1));
    }
    comment(std::to_string(n) + " paths, cut " + length(summary.cut));
    comment("travel " + length(summary.travel) + ", in the text's order " + length(summary.text_travel));
    comment("start and end at X0 Y0, the middle of the text block");

    const auto run = [&](Program& program, const Visit& v) {
        const std::uint32_t f = first_[v.path], count = first_[v.path + 1] - f;
        const std::uint32_t seam = closed_[v.path] ? v.seam : 0;
        if (!v.reversed) {
            program.run(count, [&](std::uint32_t k) { return pieces_[f + (seam + k) % count]; }, passes);
        } else {
            // Backwards from the seam: the piece ending there comes first.
            program.run(count, [&](std::uint32_t k) { return turned_round(pieces_[f + (seam + 2 * count - 1 - k) % count]); },
                        passes);
        }
    };
    Program program(buffer_, o);
    program.start();
    std::size_t done = 0;
    // A long route is written in two halves at once. After any path the
    // tool is down at the path's (printed) end, whatever state it came in
    // with, so the second thread runs the last path of the first half from
    // an assumed state to learn the state the first half will leave, and
    // writes the second half on from there. That state is checked once the
    // first half is written: where it differs (a path that printed no move
    // at all), the first thread writes the second half itself.
    if (!one_thread && route.size() >= kWrittenInHalvesFrom) {
        const std::size_t half = route.size() / 2;
        HeldBlocks later;
        ToolState expected;
        bool later_ok = false;
        const auto write_later = [&] {
            try {
                HeldBlocks scratch;
                BlockBuffer scratch_buffer(scratch);
                Program before(scratch_buffer, o, ToolState{0, 0, true, false, true});
                run(before, route[half - 1]);
                expected = before.state();
                BlockBuffer later_buffer(later);
                Program rest(later_buffer, o, expected);
                for (std::size_t k = half; k < route.size(); ++k) run(rest, route[k]);
                rest.finish();
                later_buffer.flush();
                later_ok = true;
            } catch (...) {
                later.blocks.clear();  // the first thread writes it
            }
        };
        SecondThread helper(write_later);
        for (; done < half; ++done) run(program, route[done]);
        helper.wait();
        if (later_ok && program.state() == expected) {
            buffer_.flush();
            for (auto& [block, size] : later.blocks) buffer_.pass_on(block, size);
            return summary;
        }
    }
    for (; done < route.size(); ++done) run(program, route[done]);
    program.finish();
    buffer_.flush();
    return summary;
}

}  // namespace tracemill
