// An SVG picture of a drawing, for a look without a CAD program: the
// skeleton in cyan, the outline in magenta, the frame, y up.
#pragma once

#include <string>

#include "contours.hpp"
#include "dxf.hpp"
#include "generation.hpp"

namespace tracemill {

// add(GlyphContours) draws a glyph's outline as one filled path (even-odd,
// exact arcs) and its skeleton as stroked paths.
class SvgWriter final : public EntitySink, public ContourSink {
public:
    SvgWriter(ByteSink& out, const TextLayout& layout);
    ~SvgWriter() override;
    SvgWriter(const SvgWriter&) = delete;
    SvgWriter& operator=(const SvgWriter&) = delete;

    void begin();
    void add(const Entity& e) override;
    void add(const GlyphContours& glyph) override;
    void end();

private:
    BlockBuffer buffer_;
    TextLayout layout_;
    std::string element_;  // the element being written
};

}  // namespace tracemill
