// Numbers as a person types and reads them in a field: plain decimal text
// with a point, the same in every locale.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tracemill {

// A finite decimal number ("2.1", "-0.5", "+3", "1e-3"); nothing for any other
// text, for "nan" and "inf", and for a number beyond the range of a double.
// No surrounding blanks are allowed.
std::optional<double> parse_number(std::string_view text);

// A whole count as the digits-only fields hold it: decimal digits only, no
// sign, at most 2147483647 (the largest 32-bit signed integer).
std::optional<std::int32_t> parse_count(std::string_view text);

// The shortest way to show v with fifteen significant digits, as a person
// writes it: "2.1", "5", "0.375", "2.17391304347826", "1e-07".
std::string shown_number(double v);

// The shortest text that reads back as exactly v: "0.5", "0.52631578947368418".
std::string exact_number(double v);

}  // namespace tracemill
