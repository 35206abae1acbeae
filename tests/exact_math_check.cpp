// Reads lines "function x [y]" (arguments as 16 hex digits of their bits)
// and prints the bits of each result, for exact_math_test.py to compare
// with its own correctly rounded values.
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "exact_math.hpp"

namespace {

double from_bits(std::uint64_t b) {
    double x;
    std::memcpy(&x, &b, sizeof x);
    return x;
}

std::uint64_t bits_of(double x) {
    std::uint64_t b;
    std::memcpy(&b, &x, sizeof b);
    return b;
}

}  // namespace

int main() {
    using namespace tracemill;
    char name[16];
    std::uint64_t a = 0, b = 0;
    char line[128];
    while (std::fgets(line, sizeof line, stdin) != nullptr) {
        const int fields = std::sscanf(line, "%15s %" SCNx64 " %" SCNx64, name, &a, &b);
        if (fields < 2) return 2;
        const std::string f = name;
        const double x = from_bits(a), y = from_bits(b);
        double r = 0;
        if (f == "sin") r = cr_sin(x);
        else if (f == "cos") r = cr_cos(x);
        else if (f == "tan") r = cr_tan(x);
        else if (f == "asin") r = cr_asin(x);
        else if (f == "acos") r = cr_acos(x);
        else if (f == "atan") r = cr_atan(x);
        else if (f == "atan2" && fields == 3) r = cr_atan2(x, y);
        else if (f == "hypot" && fields == 3) r = cr_hypot(x, y);
        else return 2;
        std::printf("%016" PRIx64 "\n", bits_of(r));
    }
    return 0;
}
