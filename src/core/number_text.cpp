#include "number_text.hpp"

#include <charconv>
#include <cmath>
#include <limits>

namespace tracemill {

std::optional<double> parse_number(std::string_view text) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+') ++first;
    // After an explicit plus sign only a digit or a point may follow: no "+-1".
    if (first != text.data() && first != last && *first == '-') return std::nullopt;
    double value = 0;
    const auto res = std::from_chars(first, last, value, std::chars_format::general);
    if (res.ec != std::errc{} || res.ptr != last || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<std::int32_t> parse_count(std::string_view text) {
    if (text.empty()) return std::nullopt;
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

std::string shown_number(double v) {
    char buffer[64];
    const auto res = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, 15);
    return std::string(buffer, res.ptr);
}

}  // namespace tracemill
