// An SVG picture of a drawing, for a look without a CAD program: the
// skeleton in cyan, the outline in magenta, the frame, y up.
#pragma once

#include <string>

#include "contours.hpp"
#include "dxf.hpp"
#include "generation.hpp"

namespace tracemill {

// add(GlyphContours) draws a glyph's outline as one filled path (even-odd,
// exact arcs) and its skeleton as stroked paths. The frame comes through
// add_frame(); the style decides what is drawn (with layers, the frame in
// black, as colour 7 shows on white). With a unit, the picture has the
// drawing's true size (one drawing unit a millimetre or an inch); without,
// it is 1200 pixels wide.
class SvgWriter final : public EntitySink, public ContourSink {
public:
    SvgWriter(ByteSink& out, const TextLayout& layout, const DrawStyle& style = {},
              Units units = Units::None);
    ~SvgWriter() override;
    SvgWriter(const SvgWriter&) = delete;
    SvgWriter& operator=(const SvgWriter&) = delete;

    void begin();
    void add(const Entity& e) override;
    void add(const GlyphContours& glyph) override;
    void add_frame(const Entity& e);
    void end();

private:
    void add(const Entity& e, const char* stroke);

    BlockBuffer buffer_;
    TextLayout layout_;
    DrawStyle style_;
    Units units_;
    std::string element_;  // the element being written
};

}  // namespace tracemill
