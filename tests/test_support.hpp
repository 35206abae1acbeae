// Small helpers shared by the tests: draw one glyph, render entities as DXF.
#pragma once

#include <string>
#include <vector>

#include "dispatch.hpp"
#include "dxf.hpp"
#include "glyph.hpp"

namespace tracemill::testing {

struct GlyphRun {
    std::vector<Entity> entities;
    std::string stop;
    std::size_t dropped = 0;
    bool non_finite = false;
};

inline GlyphRun draw_glyph(unsigned char byte, double x, double y, double W, double H, double t) {
    GlyphRun run;
    EntityList list;
    GlyphOutput out(list);
    const GlyphGenerator g = generator_for(byte);
    if (g != nullptr) g(make_cell(x, y, W, H, t), out);
    run.entities = std::move(list.entities);
    run.stop = out.stop_message();
    run.dropped = out.dropped();
    run.non_finite = out.hit_non_finite();
    return run;
}

// The DXF records of the entities, with LF line ends for readable comparisons.
inline std::string records(const std::vector<Entity>& entities) {
    std::string s;
    for (const auto& e : entities) append_entity(s, e);
    std::string lf;
    for (char c : s)
        if (c != '\r') lf += c;
    return lf;
}

inline std::string line_rec(double x1, double y1, double x2, double y2, int colour) {
    return records({Line{{x1, y1}, {x2, y2}, static_cast<Colour>(colour)}});
}
inline std::string arc_rec(double cx, double cy, double r, double a0, double a1, int colour) {
    return records({Arc{{cx, cy}, r, a0, a1, static_cast<Colour>(colour)}});
}
inline std::string circle_rec(double cx, double cy, double r, int colour) {
    return records({Circle{{cx, cy}, r, static_cast<Colour>(colour)}});
}

}  // namespace tracemill::testing
