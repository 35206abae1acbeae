// The rules of the machine program that a replay of a few drawings may not
// reach: the path order against a plain nearest-neighbour search, and the
// printed arcs over many random arcs.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "dispatch.hpp"
#include "gcode.hpp"
#include "generation.hpp"
#include "glyph.hpp"
#include "path_order.hpp"

namespace tracemill {
namespace {

// Nearest neighbour by looking at every point: the definition itself.
Route plain_nearest_neighbour(const PathEnds& paths) {
    Route route;
    std::vector<bool> done(paths.size(), false);
    Point at{0, 0};
    for (std::size_t step = 0; step < paths.size(); ++step) {
        double best = INFINITY;
        Visit v;
        for (std::uint32_t i = 0; i < paths.size(); ++i) {
            if (done[i]) continue;
            for (std::uint32_t k = paths.first[i]; k < paths.first[i + 1]; ++k) {
                const double dx = paths.points[k].x - at.x, dy = paths.points[k].y - at.y;
                if (dx * dx + dy * dy < best) {
                    best = dx * dx + dy * dy;
                    v = paths.closed[i] ? Visit{i, false, k - paths.first[i]} : Visit{i, k > paths.first[i], 0};
                }
            }
        }
        done[v.path] = true;
        route.push_back(v);
        at = exit_of(paths, v);
    }
    return route;
}

// Path sets from scattered to crowded: snapped to a coarse lattice many
// distances tie, and the first of equally near points must win either way.
PathEnds random_paths(std::mt19937_64& rng, std::size_t n, double lattice) {
    std::uniform_real_distribution<double> u(-50, 50);
    const auto point = [&] {
        Point p{u(rng), u(rng)};
        if (lattice > 0) p = {std::round(p.x / lattice) * lattice, std::round(p.y / lattice) * lattice};
        return p;
    };
    PathEnds paths;
    for (std::size_t i = 0; i < n; ++i) {
        if (rng() % 4 == 0) {
            std::vector<Point> starts(1 + rng() % 5);
            for (Point& p : starts) p = point();
            paths.add_closed(starts);
        } else {
            paths.add_open(point(), point());
        }
    }
    return paths;
}

TEST(PathOrder, NearestNeighbourAndItsImprovement) {
    std::mt19937_64 rng(7);
    for (const double lattice : {0.0, 1.0, 10.0}) {
        for (const std::size_t n : {1u, 2u, 3u, 10u, 200u, 3000u}) {
            SCOPED_TRACE(::testing::Message() << n << " paths on lattice " << lattice);
            const PathEnds paths = random_paths(rng, n, lattice);
            const Route greedy = nearest_neighbour_route(paths);
            const Route plain = plain_nearest_neighbour(paths);
            ASSERT_EQ(greedy.size(), plain.size());
            for (std::size_t k = 0; k < greedy.size(); ++k) {
                ASSERT_EQ(greedy[k].path, plain[k].path) << k;
                ASSERT_EQ(entry_of(paths, greedy[k]), entry_of(paths, plain[k])) << k;
            }
            const Route best = shortest_route(paths);
            std::vector<int> seen(n, 0);
            for (const Visit& v : best) ++seen[v.path];
            EXPECT_EQ(seen, std::vector<int>(n, 1));
            EXPECT_LE(travel_of(paths, best), travel_of(paths, greedy));
            if (n >= 200) {
                EXPECT_LT(travel_of(paths, best), 0.97 * travel_of(paths, greedy));
            }
        }
    }
}

TEST(PathOrder, ALargeSetIsOrderedInTwoHalves) {
    // Short paths scattered over a wide field, as a text's strokes are.
    std::mt19937_64 rng(5);
    std::uniform_real_distribution<double> field(-300, 300), stroke(-1, 1);
    PathEnds paths;
    for (std::size_t k = 0; k < kOrderedInHalvesFrom + 999; ++k) {
        const Point a{field(rng), field(rng) / 4};
        if (k % 5 == 0) paths.add_closed({a, {a.x + stroke(rng), a.y + stroke(rng)}});
        else paths.add_open(a, {a.x + stroke(rng), a.y + stroke(rng)});
    }
    const Route best = shortest_route(paths);
    std::vector<int> seen(paths.size(), 0);
    for (const Visit& v : best) ++seen[v.path];
    EXPECT_EQ(seen, std::vector<int>(paths.size(), 1));
    // The halves, improved, still beat nearest neighbour over the whole.
    EXPECT_LT(travel_of(paths, best), 0.97 * travel_of(paths, nearest_neighbour_route(paths)));
}

TEST(GcodeNumbers, FixedDecimalsWithoutNegativeZero) {
    const std::pair<double, const char*> mm[] = {{0.0, "0.0000"}, {-0.0, "0.0000"}, {-0.00004, "0.0000"},
                                                 {-0.00005, "-0.0001"}, {1.23456, "1.2346"},
                                                 {-999999.99996, "-1000000.0000"}, {1e-300, "0.0000"}};
    for (const auto& [v, text] : mm) {
        std::string s;
        append_units(s, printed_units(v, false), false);
        EXPECT_EQ(s, text) << v;
    }
    std::string s;
    append_units(s, printed_units(-0.000012, true), true);
    EXPECT_EQ(s, "-0.00001");
}

// An arc piece of the given radius and sweep about a centre.
Piece arc(Point c, double r, double start_deg, double sweep_deg) {
    const auto at = [&](double deg) {
        const double a = to_radians(deg, kPi);
        return Point{c.x + r * std::cos(a), c.y + r * std::sin(a)};
    };
    return Piece{at(start_deg), at(start_deg + sweep_deg), c, r, sweep_deg};
}

TEST(GcodeArcs, RadiiAgreeAndTheTurnStaysWithinAHalfCircle) {
    std::mt19937_64 rng(11);
    std::uniform_real_distribution<double> u(0, 1);
    int written = 0;
    for (int k = 0; k < 200000; ++k) {
        const bool inches = k % 2 == 1;
        const double r = std::pow(10.0, -2 + 5 * u(rng));  // 0.01 .. 1000
        double sweep = (k % 7 == 0 ? 180 : 180 * u(rng)) * (k % 3 == 0 ? -1 : 1);
        const Piece p = arc({(u(rng) - 0.5) * 2e5, (u(rng) - 0.5) * 2e5}, r, 360 * u(rng), sweep);
        const std::int64_t sx = printed_units(p.from.x, inches), sy = printed_units(p.from.y, inches);
        const auto words = arc_words(sx, sy, p, inches);
        const double chord = std::hypot(p.to.x - p.from.x, p.to.y - p.from.y);
        if (r > 1000 || chord < (inches ? 0.01 / 25.4 : 0.01)) {
            EXPECT_FALSE(words);
            continue;
        }
        ASSERT_TRUE(words) << r << " " << sweep;
        ++written;
        EXPECT_EQ(words->x, printed_units(p.to.x, inches));
        EXPECT_EQ(words->y, printed_units(p.to.y, inches));
        // In printed units: the radii to both ends within two units, and the
        // centre on the turning side of the chord (or on it).
        const double dx = static_cast<double>(words->x - sx), dy = static_cast<double>(words->y - sy);
        const double i = static_cast<double>(words->i), j = static_cast<double>(words->j);
        EXPECT_LE(std::fabs(std::hypot(i, j) - std::hypot(i - dx, j - dy)), 2.0);
        const double side = dx * j - dy * i;
        EXPECT_TRUE(sweep > 0 ? side >= 0 : side <= 0) << r << " " << sweep;
        // And the printed centre where the arc's is.
        const double scale = inches ? 1e5 : 1e4;
        EXPECT_LE(std::hypot(static_cast<double>(sx) + i - p.centre.x * scale,
                             static_cast<double>(sy) + j - p.centre.y * scale),
                  2 + 2 * r / chord);
    }
    EXPECT_GT(written, 100000);
}

TEST(GcodeWriter, AnArcRunBackwardsTurnsTheOtherWay) {
    // One open path, an anticlockwise half circle from (5, 0) to (1, 0): the
    // shortest route starts at its end, nearer the origin, and runs it
    // clockwise; the travel is the same either way round.
    GlyphContours glyph;
    glyph.skeleton.push_back(Contour{{Piece{{5, 0}, {1, 0}, {3, 0}, 2, 180}}, false});
    for (const GcodeOrder order : {GcodeOrder::Shortest, GcodeOrder::Text}) {
        StringByteSink out;
        GcodeOptions o;
        o.order = order;
        GcodeWriter w(out, o, GcodeSource{"x"});
        w.add(glyph);
        const GcodeSummary s = w.end();
        const bool backwards = order == GcodeOrder::Shortest;
        EXPECT_NE(out.text.find(backwards ? "\nG2 X5.0000 Y0.0000 I2.0000 J0.0000 F600\n"
                                          : "\nG3 X1.0000 Y0.0000 I-2.0000 J0.0000 F600\n"),
                  std::string::npos)
            << out.text;
        EXPECT_DOUBLE_EQ(s.travel, 6.0);
        EXPECT_DOUBLE_EQ(s.text_travel, 6.0);
    }
}

TEST(GcodeWriter, TheRowsDrawnOnASecondThreadGiveTheSameProgram) {
    // Long texts, whole or stopping in their first or their last rows.
    std::string rows;
    for (int r = 0; r < 40; ++r) rows += (r > 0 ? "\r\n" : "") + std::string(200, static_cast<char>('A' + r % 26));
    for (const std::size_t stop_at : {std::string::npos, std::size_t{1000}, rows.size() - 300}) {
        std::string text = rows;
        if (stop_at != std::string::npos) text[stop_at] = '\t';
        const TextParameters p;
        const TextLayout layout = measure_text(p, text).value();
        std::string programs[2];
        ContourRun runs[2];
        for (int k = 0; k < 2; ++k) {
            StringByteSink out;
            GcodeOptions o;
            o.frame = true;
            GcodeWriter w(out, o, GcodeSource{text});
            runs[k] = k == 0 ? draw_contours(p, text, layout, w, w, glyph_table(), Language::Japanese, nullptr,
                                             ContourParts::Skeleton)
                             : draw_program_contours(p, text, layout, w, glyph_table(), ContourParts::Skeleton);
            w.end();
            programs[k] = out.text;
        }
        EXPECT_EQ(runs[0].stop, runs[1].stop);
        EXPECT_EQ(programs[0].size(), programs[1].size()) << stop_at;
        EXPECT_TRUE(programs[0] == programs[1]) << stop_at;
    }
}

TEST(GcodeWriter, TwoThreadsWriteTheSameProgramAsOne) {
    // Many short paths on a coarse lattice, so that paths often go on where
    // the last one ended, and some shorter than the last printed digit, so
    // that a path may print no move at all.
    std::mt19937_64 rng(3);
    const auto coordinate = [&] { return static_cast<double>(rng() % 400) * 0.25 - 50; };
    std::vector<GlyphContours> glyphs(6000);
    for (GlyphContours& g : glyphs) {
        const Point a{coordinate(), coordinate()};
        const Point b = rng() % 5 == 0 ? Point{a.x + 1e-5, a.y} : Point{coordinate(), coordinate()};
        Contour c{{Piece{a, b, {}, 0, 0}}, false};
        if (rng() % 3 == 0) c.pieces.push_back(Piece{b, a, {}, 0, 0});
        g.skeleton.push_back(c);
    }
    GcodeOptions laser;
    laser.machine = GcodeMachine::Laser;
    laser.passes = 2;
    GcodeOptions pen;
    pen.machine = GcodeMachine::Pen;
    for (const GcodeOptions& o : {GcodeOptions{}, laser, pen}) {
        std::string programs[2];
        for (int k = 0; k < 2; ++k) {
            StringByteSink out;
            GcodeWriter w(out, o, GcodeSource{"x"});
            for (const GlyphContours& g : glyphs) w.add(g);
            w.end(k == 0);
            programs[k] = out.text;
        }
        EXPECT_TRUE(programs[0] == programs[1]) << static_cast<int>(o.machine);
    }
}

}  // namespace
}  // namespace tracemill
