// Geometric checks of a glyph's entities against the pen model: the outline
// is the boundary of the area a round pen of radius r sweeps along the
// skeleton, and stays inside the cell.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "geometry.hpp"
#include "glyph.hpp"

namespace tracemill::testing {

struct OutlineReport {
    std::vector<std::string> problems;  // empty when every check passed
    bool ok() const { return problems.empty(); }
    std::string text() const;
};

struct OutlineChecks {
    bool closed_loops = true;
    bool offset_r = true;
    bool inside_cell = true;
};

// Checks: every number finite, every radius positive, the outline's ends join
// into closed loops, every outline point lies at distance r from the
// skeleton, and the outline stays inside the cell.
OutlineReport check_glyph(const std::vector<Entity>& entities, const GlyphCell& cell,
                          const OutlineChecks& which = {});

// Draws the glyph of `byte` in the cell and checks it against the pen model
// (with the glyph's documented exceptions). A glyph that stops is a failure.
::testing::AssertionResult follows_pen_model(unsigned char byte, double x, double y, double W,
                                             double H, double t);

// Checks that do not apply to a glyph whose construction departs on purpose
// from the pen model (with the reason written beside each entry).
OutlineChecks pen_model_checks_for(unsigned char byte);

// The distance from p to the nearest point of an entity.
double distance_to(const Entity& e, Point p);

// The points of an entity sampled along it (ends included), and its ends.
std::vector<Point> sample(const Entity& e, int per_entity = 24);

}  // namespace tracemill::testing
