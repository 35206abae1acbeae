// Worked examples as data: every file tests/examples/*.txt lists glyph cases
// and the entities each must produce, and this one test reads them all.
//
// Format (one item per line; blank lines and lines starting with '#' are
// ignored):
//   case C x y W H t [description]   draw glyph C in the cell with top-left (x, y)
//   ARC col cx cy radius start end   expected entities, in emission order;
//   LINE col x1 y1 x2 y2             "@n ARC ..." pins the n-th entity (from 1),
//   CIRCLE col cx cy radius          later lines continue from there
//   count n                          the glyph emits exactly n entities
//   stop TEXT                        the glyph stops with "TEXT\n　"
// Without a stop line the glyph must draw without stopping. Without a count
// line and without any "@n", the listed entities are the whole glyph.
// A number written with nine decimals must print exactly like that; one
// written with fewer decimals (a value the text rounds) must lie within half a
// unit of its last digit.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "test_support.hpp"

namespace tracemill::testing {
namespace {

struct ExpectedEntity {
    std::size_t index = 0;  // 0-based position in the emitted list
    std::string kind;       // ARC, LINE or CIRCLE
    int colour = 0;
    std::vector<std::string> numbers;
};

struct ExampleCase {
    std::string where;  // file:line and description, for failure messages
    unsigned char glyph = 0;
    double x = 0, y = 0, W = 0, H = 0, t = 0;
    std::vector<ExpectedEntity> entities;
    bool pinned = false;
    long count = -1;
    std::string stop;
};

bool number_matches(const std::string& expected, double actual) {
    const auto dot = expected.find('.');
    const std::size_t decimals = dot == std::string::npos ? 0 : expected.size() - dot - 1;
    if (decimals == 9) return fixed9(actual) == expected;
    const double e = std::stod(expected);
    return std::fabs(actual - e) <= 0.5 * std::pow(10.0, -static_cast<double>(decimals)) * (1 + 1e-9);
}

std::vector<double> numbers_of(const Entity& e) {
    if (const auto* l = std::get_if<Line>(&e)) return {l->from.x, l->from.y, l->to.x, l->to.y};
    if (const auto* a = std::get_if<Arc>(&e))
        return {a->centre.x, a->centre.y, a->radius, a->start_deg, a->end_deg};
    const auto& c = std::get<Circle>(e);
    return {c.centre.x, c.centre.y, c.radius};
}

const char* kind_of(const Entity& e) {
    return std::holds_alternative<Line>(e) ? "LINE" : std::holds_alternative<Arc>(e) ? "ARC" : "CIRCLE";
}

std::vector<ExampleCase> read_cases(const std::filesystem::path& file) {
    std::vector<ExampleCase> cases;
    std::ifstream in(file);
    std::string text;
    int line_no = 0;
    std::size_t next = 0;
    while (std::getline(in, text)) {
        ++line_no;
        if (!text.empty() && text.back() == '\r') text.pop_back();
        if (text.empty() || text[0] == '#') continue;
        std::istringstream words(text);
        std::string word;
        words >> word;
        const std::string where = file.filename().string() + ":" + std::to_string(line_no);
        if (word == "case") {
            ExampleCase c;
            std::string glyph, rest;
            words >> glyph >> c.x >> c.y >> c.W >> c.H >> c.t;
            if (glyph.size() != 1 || !words) ADD_FAILURE() << where << ": malformed case line";
            std::getline(words, rest);
            c.where = where + rest;
            c.glyph = static_cast<unsigned char>(glyph[0]);
            cases.push_back(c);
            next = 0;
            continue;
        }
        if (cases.empty()) {
            ADD_FAILURE() << where << ": expectation before the first case";
            continue;
        }
        ExampleCase& c = cases.back();
        if (word == "count") {
            words >> c.count;
        } else if (word == "stop") {
            std::getline(words >> std::ws, c.stop);
        } else {
            if (word[0] == '@') {
                next = std::stoul(word.substr(1)) - 1;
                c.pinned = true;
                words >> word;
            }
            ExpectedEntity e;
            e.index = next++;
            e.kind = word;
            words >> e.colour;
            for (std::string n; words >> n;) e.numbers.push_back(n);
            const std::size_t want = word == "LINE" ? 4 : word == "ARC" ? 5 : word == "CIRCLE" ? 3 : 0;
            if (want == 0 || e.numbers.size() != want) ADD_FAILURE() << where << ": malformed entity line";
            c.entities.push_back(e);
        }
    }
    return cases;
}

void check_case(const ExampleCase& c) {
    SCOPED_TRACE(c.where);
    const GlyphRun g = draw_glyph(c.glyph, c.x, c.y, c.W, c.H, c.t);
    EXPECT_EQ(g.stop, c.stop.empty() ? std::string() : c.stop + "\n　");
    EXPECT_FALSE(g.non_finite);
    if (c.count >= 0) {
        EXPECT_EQ(g.entities.size(), static_cast<std::size_t>(c.count));
    } else if (!c.pinned) {
        EXPECT_EQ(g.entities.size(), c.entities.size());
    }
    for (const auto& e : c.entities) {
        if (e.index >= g.entities.size()) {
            ADD_FAILURE() << "entity " << e.index + 1 << " is missing";
            continue;
        }
        const Entity& actual = g.entities[e.index];
        bool same = e.kind == kind_of(actual) && e.colour == static_cast<int>(colour_of(actual));
        const auto values = numbers_of(actual);
        for (std::size_t k = 0; same && k < e.numbers.size(); ++k) same = number_matches(e.numbers[k], values[k]);
        EXPECT_TRUE(same) << "entity " << e.index + 1 << ": expected " << e.kind << " " << e.colour << " ...,"
                          << " got\n" << records({actual});
    }
}

TEST(WorkedExamples, EveryExampleFile) {
    const std::filesystem::path dir = TRACEMILL_EXAMPLES_DIR;
    std::size_t n = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (entry.path().extension() != ".txt") continue;
        for (const auto& c : read_cases(entry.path())) {
            check_case(c);
            ++n;
        }
    }
    EXPECT_GT(n, 0u);
}

}  // namespace
}  // namespace tracemill::testing
