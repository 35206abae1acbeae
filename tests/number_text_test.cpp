// Numbers in fields: what is accepted, what is refused, and how values are shown.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "number_text.hpp"

namespace tracemill {
namespace {

TEST(NumberText, ParsesPlainDecimalNumbers) {
    EXPECT_EQ(parse_number("2.1"), 2.1);
    EXPECT_EQ(parse_number("+3"), 3.0);
    EXPECT_EQ(parse_number("-0.5"), -0.5);
    EXPECT_EQ(parse_number(".25"), 0.25);
    EXPECT_EQ(parse_number("+.5"), 0.5);
    EXPECT_EQ(parse_number("-.5e1"), -5.0);
    EXPECT_EQ(parse_number("1e-3"), 0.001);
    EXPECT_EQ(parse_number("5."), 5.0);
    EXPECT_EQ(parse_number("2.1000000000000000000001"), 2.1);  // more digits than a double holds
}

TEST(NumberText, RefusesWhatIsNotAFiniteNumber) {
    for (const char* bad : {"", "nan", "NaN", "inf", "-inf", "infinity", "1e999", "-1e999",
                            "2,5", "abc", "2.1x", " 2.1", "2.1 ", "+-1", "++1", "0x10", "-"}) {
        EXPECT_FALSE(parse_number(bad).has_value()) << '"' << bad << '"';
    }
}

TEST(NumberText, CountsAreDigitsWithinThirtyTwoBits) {
    EXPECT_EQ(parse_count("0"), 0);
    EXPECT_EQ(parse_count("0020"), 20);
    EXPECT_EQ(parse_count("2147483647"), 2147483647);
    // 2^32 + 1 and 2^64 + 1 would wrap to 1 in 32 or 64 bits: the limit
    // holds at every digit.
    for (const char* bad : {"", "2147483648", "4294967296", "4294967297", "99999999999999999999",
                            "18446744073709551617", "-1", "+1", "1.0", "1e3", " 1", "１",
                            "1,000", ",", "20%"}) {
        EXPECT_FALSE(parse_count(bad).has_value()) << '"' << bad << '"';
    }
}

TEST(NumberText, ShowsFifteenSignificantDigitsAsAPersonWritesThem) {
    EXPECT_EQ(shown_number(2.1), "2.1");
    EXPECT_EQ(shown_number(5.0), "5");
    EXPECT_EQ(shown_number(0.375), "0.375");
    EXPECT_EQ(shown_number(10 / 4.6), "2.17391304347826");
    EXPECT_EQ(shown_number(0.1 + 0.2), "0.3");  // 0.30000000000000004 to fifteen digits
    EXPECT_EQ(shown_number(1e-7), "1e-07");
    EXPECT_EQ(shown_number(123456789012345678.0), "1.23456789012346e+17");
    // Whatever is shown reads back within the fifteenth digit.
    for (double v : {2.1, 10 / 4.6, 1.0 / 3, 5.8207660913467414e-08}) {
        const auto back = parse_number(shown_number(v));
        ASSERT_TRUE(back.has_value());
        EXPECT_NEAR(*back, v, std::abs(v) * 1e-14);
    }
}

// The numbers as the C library reads them, for texts that are one decimal
// number whole: finite, and not a nonzero number that rounds to zero.
std::optional<double> number_by_the_c_library(const std::string& text) {
    static const std::regex decimal("[+-]?([0-9]+[.]?[0-9]*|[.][0-9]+)([eE][+-]?[0-9]+)?");
    if (!std::regex_match(text, decimal)) return std::nullopt;
    const double v = std::strtod(text.c_str(), nullptr);
    const std::string mantissa = text.substr(0, text.find_first_of("eE"));
    if (!std::isfinite(v) || (v == 0 && mantissa.find_first_of("123456789") != std::string::npos))
        return std::nullopt;
    return v;
}

std::optional<std::int32_t> count_by_digits(const std::string& text) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    const std::string digits = text.substr(std::min(text.find_first_not_of('0'), text.size() - 1));
    if (digits.size() > 10 || (digits.size() == 10 && digits > "2147483647")) return std::nullopt;
    return static_cast<std::int32_t>(std::stol(digits));
}

// printf's %.*g, and the fewest significant digits that name v exactly.
std::string printf_g(double v, int digits) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*g", digits, v);
    return buffer;
}

int fewest_digits(double v) {
    char buffer[64];
    const auto res = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::scientific);
    const std::string mantissa(buffer, std::find(buffer, res.ptr, 'e'));
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    return static_cast<int>(std::count_if(mantissa.begin(), mantissa.end(), digit));
}

TEST(NumberText, ReadsWhatTheCLibraryReadsForSeededTexts) {
    // Texts of the characters numbers are made of, and a few others, in any
    // order; and numbers of every form: long mantissas, exponents from far
    // below to far above the doubles' range.
    std::mt19937_64 rng(20261208);
    const auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<std::uint64_t>(n)); };
    const std::string alphabet = "0123456789012345678901234567890123456789..+-eE";
    const std::string others = " ,%x_";
    for (int k = 0; k < 200000; ++k) {
        std::string text;
        if (k % 2 == 0) {
            for (int n = pick(24); n > 0; --n)
                text += pick(40) == 0 ? others[pick(5)] : alphabet[pick(static_cast<int>(alphabet.size()))];
        } else {
            text = std::string(pick(3) == 0 ? "-" : pick(2) == 0 ? "+" : "") + std::to_string(rng() >> pick(64));
            if (pick(2) == 0) text.insert(static_cast<std::size_t>(pick(static_cast<int>(text.size()) + 1)), ".");
            if (pick(2) == 0) text += "e" + std::to_string(pick(800) - 400);
        }
        const auto got = parse_number(text);
        const auto want = number_by_the_c_library(text);
        ASSERT_EQ(got.has_value(), want.has_value()) << '"' << text << '"';
        if (got) {
            ASSERT_EQ(std::memcmp(&*got, &*want, sizeof(double)), 0) << '"' << text << '"';
        }
        // Shown with fifteen digits as printf shows them, and exactly with the fewest.
        for (const double v : got ? std::vector<double>{*got, *got / 3} : std::vector<double>{}) {
            ASSERT_EQ(shown_number(v), printf_g(v, 15)) << v;
            ASSERT_EQ(exact_number(v), printf_g(v, fewest_digits(v))) << v;
        }
        ASSERT_EQ(parse_count(text), count_by_digits(text)) << '"' << text << '"';
    }
}

}  // namespace
}  // namespace tracemill
