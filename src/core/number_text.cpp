#include "number_text.hpp"

#include <cmath>
#include <limits>

#include "portability.hpp"

namespace tracemill {

std::optional<double> parse_number(std::string_view text) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+') ++first;
    // After an explicit plus sign only a digit or a point may follow: no "+-1".
    if (first != text.data() && first != last && *first == '-') return std::nullopt;
    double value = 0;
    if (!portable::read_decimal(first, last, value) || !std::isfinite(value)) return std::nullopt;
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
    const auto res = portable::to_chars_general(buffer, buffer + sizeof buffer, v, 15);
    return std::string(buffer, res.ptr);
}

}  // namespace tracemill
