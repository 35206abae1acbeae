// The crossing common tangent of two circles, drawn as the slanted stroke that
// leaves one circle and runs into the other: used where a hook has to fall
// across the glyph onto a larger arc below it (the digit 2).
#pragma once

#include "../glyph.hpp"

namespace tracemill::glyphs {

// The record handed to the connector. Two skeleton circles: the tail circle
// (centre C1, radius rho1) below and the hook circle (centre C2, radius rho2)
// above it. The stroke is their internal common tangent: it touches the tail
// circle at angle phi + 90 and the hook circle at phi − 90, on opposite
// sides, so it crosses the line between the centres. P is the centre of the
// hook's free end cap; its clearance from the stroke (or the tail) is tested.
struct CrossTangentConnector {
    double r = 0;         // pen radius
    double t = 0;         // stroke width, the clearance the hook end needs
    Point P;              // the hook's free end
    Point C1;             // tail circle centre
    double rho1 = 0;      // tail circle skeleton radius
    Point C2;             // hook circle centre
    double rho2 = 0;      // hook circle skeleton radius
    double end_deg = 0;   // where the hook arcs end (the connector draws from phi − 90 to here)
    double phi = 0;       // result: direction of the tangent stroke, degrees

    // Emits the last part of the hook circle (three arcs), the tangent
    // stroke's outer outline and skeleton, then tests the clearance of P; if
    // it holds, the stroke's second outline follows and true is returned.
    // Otherwise the run is stopped with the width message of the digit 2,
    // formatted with the clearance, the second outline is not emitted, and
    // false is returned. phi is set either way.
    bool draw(const GlyphCell& cell, GlyphOutput& out);
};

}  // namespace tracemill::glyphs
