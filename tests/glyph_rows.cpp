// Draws glyphs for the differential test: reads lines "G x y W H t" from
// stdin (G one byte, the numbers as strtod reads them) and prints for each the
// glyph's entities as the worked-example rows, with every number in the nine
// decimals that go into the drawing file, then "stop <message>" when the
// glyph stops the run and "end" after each glyph.
//   ARC col cx cy r a0 a1 | LINE col x1 y1 x2 y2 | CIRCLE col cx cy r
// A glyph that produced a non-finite number prints "non-finite" before "end";
// a byte without a generator prints "no glyph".
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "dispatch.hpp"
#include "dxf.hpp"
#include "glyph.hpp"

namespace {

using namespace tracemill;

void number(std::string& out, double v) {
    out += ' ';
    char text[kFixed9MaxLength];
    out.append(text, write_fixed9(text, v));
}

void row(std::string& out, const Entity& e) {
    const int colour = static_cast<int>(colour_of(e));
    if (const auto* l = std::get_if<Line>(&e)) {
        out += "LINE " + std::to_string(colour);
        for (double v : {l->from.x, l->from.y, l->to.x, l->to.y}) number(out, v);
    } else if (const auto* a = std::get_if<Arc>(&e)) {
        out += "ARC " + std::to_string(colour);
        for (double v : {a->centre.x, a->centre.y, a->radius, a->start_deg, a->end_deg}) number(out, v);
    } else {
        const auto& c = std::get<Circle>(e);
        out += "CIRCLE " + std::to_string(colour);
        for (double v : {c.centre.x, c.centre.y, c.radius}) number(out, v);
    }
    out += '\n';
}

// The five numbers after the glyph byte; false when the line has fewer.
bool numbers(const char* p, double (&v)[5]) {
    for (double& d : v) {
        char* end = nullptr;
        d = std::strtod(p, &end);
        if (end == p) return false;
        p = end;
    }
    return true;
}

}  // namespace

int main() {
    std::string out;
    char line[512];
    while (std::fgets(line, sizeof line, stdin) != nullptr) {
        double v[5];
        if (line[0] == '\0' || line[1] != ' ' || !numbers(line + 2, v)) {
            std::fprintf(stderr, "glyph_rows: malformed line: %s", line);
            return 2;
        }
        const unsigned char byte = static_cast<unsigned char>(line[0]);
        EntityList list;
        GlyphOutput glyph(list);
        if (const GlyphGenerator g = generator_for(byte)) {
            g(make_cell(v[0], v[1], v[2], v[3], v[4]), glyph);
        } else {
            out += "no glyph\n";
        }
        for (const Entity& e : list.entities) row(out, e);
        if (glyph.hit_non_finite()) out += "non-finite\n";
        if (glyph.stopped()) {
            const std::string message = glyph.stop_message();
            std::string_view m = message;
            constexpr std::string_view tail = "\n　";
            if (m.ends_with(tail)) m.remove_suffix(tail.size());
            out += "stop ";
            for (char ch : m) out += ch == '\n' ? std::string_view("\\n") : std::string_view(&ch, 1);
            out += '\n';
        }
        out += "end\n";
        if (out.size() > (1u << 16)) {
            std::fwrite(out.data(), 1, out.size(), stdout);
            out.clear();
        }
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}
