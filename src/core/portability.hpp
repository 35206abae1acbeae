// The few library functions an older C++ library lacks (the browser build's
// compiler ships one without floating-point to_chars/from_chars, bit_cast and
// make_unique_for_overwrite). Where the library has them, these are the
// library's own; otherwise C's printf and strtod stand in, which print and
// read the very same texts: printf's fixed and %g conversions are what
// to_chars with a precision is defined by, and a correctly rounding strtod
// reads a decimal text to the same double.
#pragma once

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <system_error>

#if !defined(__cpp_lib_to_chars)
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#endif
#if defined(__cpp_lib_bit_cast)
#include <bit>
#endif

namespace tracemill::portable {

#if defined(__cpp_lib_bit_cast)
using std::bit_cast;
#else
template <class To, class From>
constexpr To bit_cast(const From& from) noexcept {
    static_assert(sizeof(To) == sizeof(From));
    return __builtin_bit_cast(To, from);
}
#endif

// Storage for n chars whose contents are written before they are read.
inline std::unique_ptr<char[]> uninitialised_chars(std::size_t n) {
#if defined(__cpp_lib_smart_ptr_for_overwrite)
    return std::make_unique_for_overwrite<char[]>(n);
#else
    return std::unique_ptr<char[]>(new char[n]);
#endif
}

#if !defined(__cpp_lib_to_chars)
namespace detail {
// printf into [first, last) without the terminating NUL, as to_chars writes.
inline std::to_chars_result print(char* first, char* last, const char* format, int precision,
                                  double v) {
    char buffer[512];
    const int n = std::snprintf(buffer, sizeof buffer, format, precision, v);
    if (n < 0 || static_cast<std::size_t>(n) >= sizeof buffer || n > last - first)
        return {last, std::errc::value_too_large};
    std::memcpy(first, buffer, static_cast<std::size_t>(n));
    return {first + n, std::errc{}};
}

// Whether [first, last) is exactly a decimal number as from_chars reads one
// in the general format: an optional minus, digits with an optional point
// (at least one digit), and an optional exponent with at least one digit.
// Sets any_nonzero when a digit of the mantissa is not zero.
inline bool is_decimal(const char* first, const char* last, bool& any_nonzero) {
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    const char* p = first;
    if (p != last && *p == '-') ++p;
    std::size_t digits = 0;
    any_nonzero = false;
    for (; p != last && digit(*p); ++p, ++digits) any_nonzero = any_nonzero || *p != '0';
    if (p != last && *p == '.') {
        for (++p; p != last && digit(*p); ++p, ++digits) any_nonzero = any_nonzero || *p != '0';
    }
    if (digits == 0) return false;
    if (p != last && (*p == 'e' || *p == 'E')) {
        ++p;
        if (p != last && (*p == '+' || *p == '-')) ++p;
        if (p == last || !digit(*p)) return false;
        while (p != last && digit(*p)) ++p;
    }
    return p == last;
}
}  // namespace detail
#endif

// v with `precision` decimals, as printf's "%.*f".
inline std::to_chars_result to_chars_fixed(char* first, char* last, double v, int precision) {
#if defined(__cpp_lib_to_chars)
    return std::to_chars(first, last, v, std::chars_format::fixed, precision);
#else
    return detail::print(first, last, "%.*f", precision, v);
#endif
}

// v with `precision` significant digits, as printf's "%.*g".
inline std::to_chars_result to_chars_general(char* first, char* last, double v, int precision) {
#if defined(__cpp_lib_to_chars)
    return std::to_chars(first, last, v, std::chars_format::general, precision);
#else
    return detail::print(first, last, "%.*g", precision, v);
#endif
}

// Reads a decimal number that fills all of [first, last); false for any
// other text and for a number beyond the range of a double (one that would
// round to infinity or, not being zero, to zero).
inline bool read_decimal(const char* first, const char* last, double& value) {
#if defined(__cpp_lib_to_chars)
    const auto res = std::from_chars(first, last, value, std::chars_format::general);
    return res.ec == std::errc{} && res.ptr == last;
#else
    bool any_nonzero = false;
    if (!detail::is_decimal(first, last, any_nonzero)) return false;
    // strtod reads up to the first character that is not part of a number;
    // the text was checked to be one number whole, so a copy ending in NUL
    // is read to its end.
    const std::string_view text(first, static_cast<std::size_t>(last - first));
    char small[64];
    std::unique_ptr<char[]> large;
    char* copy = small;
    if (text.size() >= sizeof small) {
        large.reset(new char[text.size() + 1]);
        copy = large.get();
    }
    std::memcpy(copy, text.data(), text.size());
    copy[text.size()] = '\0';
    const double v = std::strtod(copy, nullptr);
    if (v - v != 0) return false;            // rounds to infinity
    if (v == 0 && any_nonzero) return false;  // rounds to zero
    value = v;
    return true;
#endif
}

}  // namespace tracemill::portable
