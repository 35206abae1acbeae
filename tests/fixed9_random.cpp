// The nine-decimal conversion against std::to_chars over a large number of
// random doubles: random bit patterns (every magnitude, the non-finite values
// included), random mantissas at the magnitudes where the digits matter, and
// the doubles next to the midpoints between printed values. Two threads share
// the work. TRACEMILL_FIXED9_SAMPLES sets the count (smaller under the
// sanitizers).
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "dxf.hpp"

#ifndef TRACEMILL_FIXED9_SAMPLES
#define TRACEMILL_FIXED9_SAMPLES 100000000
#endif

namespace tracemill {
namespace {

double random_value(std::mt19937_64& gen) {
    const std::uint64_t bits = gen();
    switch (bits & 3) {
        case 0:  // any bit pattern
            return std::bit_cast<double>(gen());
        case 1:
        case 2: {
            // Biased exponents 960 .. 1091: from 2^-63 to 2^68, where the
            // nine decimals carry digits, across the switch at 2^64.
            const std::uint64_t exponent = 960 + (bits >> 2) % 132;
            const std::uint64_t mantissa = gen() >> 12;
            return std::bit_cast<double>((bits & (std::uint64_t{1} << 63)) | exponent << 52 | mantissa);
        }
        default: {
            // Next to a midpoint (n + 1/2)·10^-9 with n of 1 to 29 digits.
            const int digits = 1 + static_cast<int>((bits >> 2) % 29);
            const double n = std::floor(std::ldexp(static_cast<double>(gen() >> 11), -53) *
                                        std::pow(10.0, digits));
            double v = (n + 0.5) / 1e9;
            for (int step = static_cast<int>((bits >> 8) % 7) - 3; step != 0; step += step > 0 ? -1 : 1)
                v = std::nextafter(v, step > 0 ? INFINITY : -INFINITY);
            return (bits >> 16) & 1 ? -v : v;
        }
    }
}

TEST(Fixed9Random, ConversionAgreesWithToChars) {
    constexpr std::uint64_t kSamples = TRACEMILL_FIXED9_SAMPLES;
    constexpr unsigned kThreads = 2;
    std::atomic<std::uint64_t> mismatches{0};
    std::atomic<std::uint64_t> first_bits{0};
    std::vector<std::thread> workers;
    for (unsigned t = 0; t < kThreads; ++t) {
        workers.emplace_back([&, t] {
            std::mt19937_64 gen(0x5eed0000 + t);
            char want[kFixed9MaxLength], got[kFixed9MaxLength];
            for (std::uint64_t i = t; i < kSamples; i += kThreads) {
                const double v = random_value(gen);
                const auto res = std::to_chars(want, want + sizeof want, v, std::chars_format::fixed, 9);
                char* const end = convert_fixed9(got, v);
                if (end - got != res.ptr - want || std::memcmp(got, want, static_cast<std::size_t>(end - got)) != 0) {
                    if (mismatches.fetch_add(1) == 0) first_bits = std::bit_cast<std::uint64_t>(v);
                }
            }
        });
    }
    for (auto& w : workers) w.join();
    EXPECT_EQ(mismatches.load(), 0u) << "first: " << std::hexfloat << std::bit_cast<double>(first_bits.load());
}

}  // namespace
}  // namespace tracemill
