// Numbers in fields: what is accepted, what is refused, and how values are shown.
#include <gtest/gtest.h>

#include <limits>

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

}  // namespace
}  // namespace tracemill
