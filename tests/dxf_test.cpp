#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <limits>
#include <vector>

#include "dxf.hpp"
#include "test_support.hpp"

namespace tracemill {
namespace {

TEST(DxfNumbers, PrintLikeCFixedNineDecimals) {
    EXPECT_EQ(fixed9(0), "0.000000000");
    EXPECT_EQ(fixed9(1.5), "1.500000000");
    EXPECT_EQ(fixed9(-2), "-2.000000000");
    EXPECT_EQ(fixed9(1.0 / 3), "0.333333333");
    EXPECT_EQ(fixed9(2.0 / 3), "0.666666667");
    // A negative value that rounds to zero keeps its sign, as printf does.
    EXPECT_EQ(fixed9(-0.0), "-0.000000000");
    EXPECT_EQ(fixed9(-1e-12), "-0.000000000");
    // Rounding is exact on the binary value: 0.0000000005 is stored slightly
    // above the half, 1.0000000015 and 0.0000000035 slightly below it.
    EXPECT_EQ(fixed9(0.0000000005), "0.000000001");
    EXPECT_EQ(fixed9(1.0000000015), "1.000000001");
    EXPECT_EQ(fixed9(0.0000000035), "0.000000003");
}

TEST(DxfNumbers, AgreeWithPrintfOverManyValuesAndRepeats) {
    // Random magnitudes and signs, each value formatted several times and
    // interleaved with others, so that remembered conversions are reused and
    // overwritten; printf in the C locale is the independent reference.
    std::mt19937_64 gen(7);
    std::uniform_real_distribution<double> mantissa(-1, 1);
    std::uniform_int_distribution<int> exponent(-12, 12);
    std::vector<double> values;
    for (int i = 0; i < 20000; ++i) values.push_back(std::ldexp(mantissa(gen), exponent(gen) * 3));
    char ref[512];
    for (int round = 0; round < 3; ++round) {
        for (std::size_t i = 0; i < values.size(); i += static_cast<std::size_t>(round) + 1) {
            std::snprintf(ref, sizeof ref, "%.9f", values[i]);
            ASSERT_EQ(fixed9(values[i]), ref) << values[i];
        }
    }
}

TEST(DxfNumbers, HugeMagnitudesDoNotOverflow) {
    const std::string big = fixed9(std::numeric_limits<double>::max());
    EXPECT_EQ(big.size(), 309u + 1 + 9);
    EXPECT_EQ(big.substr(0, 6), "179769");
    EXPECT_EQ(fixed9(-1e300).substr(0, 2), "-1");
}

// The conversion against std::to_chars, which rounds the exact binary value
// correctly, for a value and its negative.
std::string reference9(double v) {
    char buf[kFixed9MaxLength];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 9);
    return std::string(buf, res.ptr);
}

std::string converted9(double v) {
    char buf[kFixed9MaxLength];
    return std::string(buf, convert_fixed9(buf, v));
}

::testing::AssertionResult converts_like_to_chars(double v) {
    for (const double x : {v, -v}) {
        const std::string want = reference9(x), got = converted9(x);
        if (got != want)
            return ::testing::AssertionFailure() << std::hexfloat << x << ": " << got << ", expected " << want;
    }
    return ::testing::AssertionSuccess();
}

// Steps ulps from v, to either side; the neighbours of a boundary.
std::vector<double> around(double v, int ulps) {
    std::vector<double> out{v};
    double up = v, down = v;
    for (int i = 0; i < ulps; ++i) {
        up = std::nextafter(up, std::numeric_limits<double>::infinity());
        down = std::nextafter(down, -std::numeric_limits<double>::infinity());
        out.push_back(up);
        out.push_back(down);
    }
    return out;
}

TEST(DxfNumbers, ExactConversionAtEveryPowerOfTwoAndItsNeighbours) {
    // Covers every exponent, the subnormals, and the switch to std::to_chars
    // at 2^64.
    for (int k = -1074; k <= 1023; ++k)
        for (const double v : around(std::ldexp(1.0, k), 2)) ASSERT_TRUE(converts_like_to_chars(v));
}

TEST(DxfNumbers, ExactTiesRoundToEven) {
    // A value lies exactly halfway between two printed ones only when it is an
    // odd multiple of 2^-10 (v·10^9 = n + 1/2 needs 5^9 in the numerator).
    EXPECT_EQ(converted9(0.0009765625), "0.000976562");
    EXPECT_EQ(converted9(0.0029296875), "0.002929688");
    EXPECT_EQ(converted9(-0.0009765625), "-0.000976562");
    for (std::int64_t j = 1; j < (1 << 16); j += 2) ASSERT_TRUE(converts_like_to_chars(std::ldexp(j, -10)));
    // With large integer parts, up to the 53 bits a double holds.
    std::mt19937_64 gen(11);
    for (int bits = 11; bits <= 53; ++bits) {
        for (int i = 0; i < 200; ++i) {
            const std::uint64_t odd = (gen() >> (64 - bits)) | 1 | (std::uint64_t{1} << (bits - 1));
            ASSERT_TRUE(converts_like_to_chars(std::ldexp(static_cast<double>(odd), -10)));
        }
    }
}

TEST(DxfNumbers, ExactConversionOfZerosTinyAndLargestValues) {
    EXPECT_EQ(converted9(0.0), "0.000000000");
    EXPECT_EQ(converted9(-0.0), "-0.000000000");
    EXPECT_EQ(converted9(-4.9e-10), "-0.000000000");
    EXPECT_EQ(converted9(-5.1e-10), "-0.000000001");
    const double lim = std::numeric_limits<double>::max();
    for (const double v : around(lim, 3)) {
        if (std::isfinite(v)) {
            ASSERT_TRUE(converts_like_to_chars(v));
        }
    }
    for (const double v : {std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::min(),
                           std::ldexp(1.0, 64) - 2048, 18446744073709549568.0, 9.999999999e18,
                           1e19, 4294967295.9999998, 999999999.9999999995, 0.9999999995})
        for (const double x : around(v, 3)) ASSERT_TRUE(converts_like_to_chars(x));
    EXPECT_EQ(converted9(std::numeric_limits<double>::infinity()), reference9(std::numeric_limits<double>::infinity()));
}

TEST(DxfNumbers, ExactConversionNextToRoundingBoundaries) {
    // The doubles nearest the midpoints (n + 1/2)·10^-9, at every magnitude
    // the fast path handles and a little beyond.
    std::mt19937_64 gen(13);
    for (int digits = 1; digits <= 29; ++digits) {
        std::uniform_real_distribution<double> scale(std::pow(10.0, digits - 1), std::pow(10.0, digits));
        for (int i = 0; i < 300; ++i) {
            const double n = std::floor(scale(gen));
            for (const double v : around((n + 0.5) / 1e9, 3)) ASSERT_TRUE(converts_like_to_chars(v));
        }
    }
}

TEST(DxfNumbers, MessageValuesUseOneDecimalRoundingTiesToEven) {
    EXPECT_EQ(fixed1(10 / 1.7), "5.9");
    EXPECT_EQ(fixed1(2.25), "2.2");
    EXPECT_EQ(fixed1(0.35), "0.3");  // 0.35 is stored slightly below the half
    EXPECT_EQ(fixed1(3), "3.0");
}

TEST(DxfRecords, LineRecord) {
    EXPECT_EQ(line_entity(0, 0, 1.5, -2, 4),
              "  0\r\nLINE\r\n  8\r\n1\r\n 10\r\n0.000000000\r\n 20\r\n0.000000000\r\n 30\r\n0.0\r\n"
              " 11\r\n1.500000000\r\n 21\r\n-2.000000000\r\n 31\r\n0.0\r\n 62\r\n4\r\n");
}

TEST(DxfRecords, ArcAndCircleRecords) {
    EXPECT_EQ(arc_entity(1, 2, 0.5, -90, 90, 6),
              "  0\r\nARC\r\n  8\r\n1\r\n 10\r\n1.000000000\r\n 20\r\n2.000000000\r\n 40\r\n"
              "0.500000000\r\n 50\r\n-90.000000000\r\n 51\r\n90.000000000\r\n 62\r\n6\r\n");
    EXPECT_EQ(circle_entity(5, 0.85, 0.35, 4),
              "  0\r\nCIRCLE\r\n  8\r\n1\r\n 10\r\n5.000000000\r\n 20\r\n0.850000000\r\n 40\r\n"
              "0.350000000\r\n 62\r\n4\r\n");
    // Angles pass through unnormalised.
    EXPECT_NE(arc_entity(0, 0, 1, 370, -400, 4).find(" 50\r\n370.000000000\r\n 51\r\n-400.000000000"),
              std::string::npos);
}

TEST(DxfRecords, EntityValuesFormatLikeTheFormatters) {
    std::string s;
    append_entity(s, Line{{0, 0}, {1.5, -2}, Colour::CentreLine});
    EXPECT_EQ(s, line_entity(0, 0, 1.5, -2, 4));
    s.clear();
    append_entity(s, Arc{{1, 2}, 0.5, -90, 90, Colour::Outline});
    EXPECT_EQ(s, arc_entity(1, 2, 0.5, -90, 90, 6));
}

TEST(DxfWriterTest, DocumentOfNoEntitiesIsWellFormed) {
    StringByteSink sink;
    DxfWriter w(sink);
    w.begin();
    w.end();
    EXPECT_EQ(sink.text,
              "  0\r\nSECTION\r\n  2\r\nTABLES\r\n  0\r\nTABLE\r\n  2\r\nLTYPE\r\n 70\r\n1\r\n"
              "  0\r\nLTYPE\r\n  2\r\nCONTINUOUS\r\n  0\r\nENDTAB\r\n"
              "  0\r\nTABLE\r\n  2\r\nLAYER\r\n 70\r\n1\r\n  0\r\nLAYER\r\n  2\r\n1\r\n 70\r\n0\r\n"
              " 62\r\n7\r\n  6\r\nCONTINUOUS\r\n  0\r\nENDTAB\r\n"
              "  0\r\nENDSEC\r\n  0\r\nSECTION\r\n  2\r\nENTITIES\r\n"
              "  0\r\nENDSEC\r\n  0\r\nEOF\r\n");
}

TEST(DxfWriterTest, StreamsLargeDocumentsInBlocks) {
    struct CountingSink final : ByteSink {
        void write(std::string_view b) override {
            ++writes;
            largest = std::max(largest, b.size());
            text.append(b);
        }
        int writes = 0;
        std::size_t largest = 0;
        std::string text;
    } sink;
    DxfWriter w(sink);
    w.begin();
    constexpr int kLines = 40000;  // about 4 MB of records
    for (int i = 0; i < kLines; ++i) w.add(Line{{0, 0}, {1, 1}, Colour::Outline});
    w.end();
    EXPECT_GT(sink.writes, 10);
    EXPECT_LE(sink.largest, BlockBuffer::kCapacity);
    std::size_t lines = 0;
    for (std::size_t p = sink.text.find("LINE\r\n"); p != std::string::npos;
         p = sink.text.find("LINE\r\n", p + 1))
        ++lines;
    EXPECT_EQ(lines, static_cast<std::size_t>(kLines));
    EXPECT_TRUE(sink.text.ends_with("  0\r\nENDSEC\r\n  0\r\nEOF\r\n"));
}

}  // namespace
}  // namespace tracemill
