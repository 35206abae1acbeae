// The capitals S and Q. Worked examples, tests, layouts and late failures
// are data in tests/examples/capitals_sq.txt; here the pen model at each
// layout switch (one ulp either side), at the limits of the tests and just
// past the Q's stop near its first limit, at three cell positions.
#include <gtest/gtest.h>

#include <cmath>

#include "outline_check.hpp"
#include "test_support.hpp"

namespace tracemill::testing {
namespace {

double below(double v) { return std::nextafter(v, -1e300); }
double above(double v) { return std::nextafter(v, 1e300); }

TEST(CapitalsSQ, PenModelAtEachSwitchAndLimit) {
    struct Cell {
        unsigned char byte;
        double W, H, t;
    };
    const Cell cells[] = {
        // S: (H − t)/2 against W − t, equal at W 8, H 15, t 1.
        {'S', below(8.0), 15, 1}, {'S', 8, 15, 1}, {'S', above(8.0), 15, 1},
        {'S', 6.1, 15.3, 0.9}, {'S', 9.3, 6.7, 0.6},
        // S: strokes just inside W/2 and the clearance. (Where H/3.8 would
        // bind, the clearance has already failed.)
        {'S', 10, 40, below(5.0)}, {'S', 2.25, 4, below(1.0)},
        // Q: W against H, and W = H.
        {'Q', below(15.0), 15, 1}, {'Q', 15, 15, 1}, {'Q', above(15.0), 15, 1},
        {'Q', 13.7, 8.3, 1.1}, {'Q', 7.3, 11.9, 0.7},
        // Q: H/3.9 = t passes; the first limit, approached until the stop
        // near it, in the tall and circular forms.
        {'Q', 6, 3.9, 1}, {'Q', 10, 3.9, 1}, {'Q', 3.9886849667, 15, 1},
        {'Q', 3.9886849667, 3.9886849667, 1}, {'Q', 4.2, 4.1, 1},
        // The defaults, a square and a wide cell.
        {'S', 2.1, 5, 0.3}, {'Q', 2.1, 5, 0.3}, {'S', 10, 10, 1}, {'Q', 10, 10, 1},
        {'S', 20, 8, 1}, {'Q', 20, 8, 1},
    };
    const Point corners[] = {{0, 0}, {-37.3, 52.9}, {1234.5, -987.25}};
    for (const auto& c : cells)
        for (const auto& p : corners) {
            SCOPED_TRACE(std::string(1, static_cast<char>(c.byte)) + " W " + std::to_string(c.W) +
                         " H " + std::to_string(c.H) + " t " + std::to_string(c.t));
            EXPECT_TRUE(follows_pen_model(c.byte, p.x, p.y + c.H, c.W, c.H, c.t));
        }
}

}  // namespace
}  // namespace tracemill::testing
