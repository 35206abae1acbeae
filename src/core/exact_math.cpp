// Correctly rounded sin, cos, tan, asin, acos, atan, atan2 and hypot.
//
// Each function first evaluates its result as a double-double (a value held
// as the unevaluated sum of two doubles, about 106 bits) with a bound on the
// error, and returns the nearest double when every value within that bound
// rounds to the same double (Ziv's test). The bounds are about 2^-75 of the
// result, so one call in some 10^7 fails the test; those calls, and sin, cos
// and tan of arguments of 2^20 and above, are computed again in a binary
// floating-point type of 256 bits and more, doubling its width until the
// rounding is decided. hypot settles the rare undecided case exactly, by
// comparing the sum of squares with the square of the midpoint between two
// doubles.
//
// The double-double arithmetic relies on every operation being rounded to
// double once (the build turns off contraction into fused multiply-adds) and
// on products being split by Veltkamp's method (Dekker's exact product).
#include "exact_math.hpp"

#include <algorithm>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

// Each operation must be rounded to double once: no wider intermediates, no
// contraction into fused multiply-adds (the build passes -ffp-contract=off;
// clang also takes the pragma).
#if FLT_EVAL_METHOD != 0
#error "exact_math.cpp needs double operations evaluated in double"
#endif
#if defined(__clang__)
#pragma STDC FP_CONTRACT OFF
#endif

namespace tracemill {

namespace {

// ---------------------------------------------------------------------------
// Double-double arithmetic.

struct DD {
    double hi;
    double lo;
};

// a + b = s + e exactly (Knuth).
inline DD two_sum(double a, double b) {
    const double s = a + b;
    const double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

// a + b = s + e exactly, provided the exponent of a is not below that of b.
inline DD fast_two_sum(double a, double b) {
    const double s = a + b;
    return {s, b - (s - a)};
}

// a = hi + lo with halves of at most 26 significant bits (|a| < 2^995).
inline void split(double a, double& hi, double& lo) {
    const double c = 134217729.0 * a;  // 2^27 + 1
    hi = c - (c - a);
    lo = a - hi;
}

// a * b = p + e exactly, barring overflow and products below 2^-969.
inline DD two_prod(double a, double b) {
    double ah, al, bh, bl;
    split(a, ah, al);
    split(b, bh, bl);
    const double p = a * b;
    return {p, ((ah * bh - p) + ah * bl + al * bh) + al * bl};
}

// n / d, relative error about 2^-104.
inline DD div(DD n, DD d) {
    const double q = n.hi / d.hi;
    const DD p = two_prod(q, d.hi);
    const double r = (((n.hi - p.hi) - p.lo) + n.lo) - q * d.lo;
    return fast_two_sum(q, r / d.hi);
}

// a - b for 0 <= b <= a (no cancellation beyond a factor of 2 in our uses).
inline DD sub(DD a, DD b) {
    const DD s = two_sum(a.hi, -b.hi);
    return fast_two_sum(s.hi, s.lo + (a.lo - b.lo));
}

// sqrt(w) for w > 0, relative error about 2^-104.
inline DD sqrt_dd(DD w) {
    const double s = std::sqrt(w.hi);
    const DD p = two_prod(s, s);
    return fast_two_sum(s, (((w.hi - p.hi) - p.lo) + w.lo) / (2 * s));
}

inline std::uint64_t bits_of(double x) {
    std::uint64_t b;
    std::memcpy(&b, &x, sizeof b);
    return b;
}

inline double from_bits(std::uint64_t b) {
    double x;
    std::memcpy(&x, &b, sizeof x);
    return x;
}

// Ziv's test: hi + lo is within err of the exact value. If every value in
// that interval rounds to the same double, stores it in out and returns true.
// Results below 2^-963 or from 2^1000 up are left to the exact paths.
bool round_checked(double hi, double lo, double err, double& out) {
    const DD v = two_sum(hi, lo);
    const std::uint64_t magnitude = bits_of(v.hi) & 0x7fffffffffffffffULL;
    const std::uint64_t e = magnitude >> 52;  // biased exponent
    if (e < 60 || e > 2022) return false;
    // Half the gap to the next double away from zero and towards zero (the
    // gap below a power of two is half the gap above it). Both are powers of
    // two, so the rounded comparisons below are exact in the direction that
    // matters.
    const double half_up = from_bits((e - 53) << 52);
    const double half_down = (magnitude & 0xfffffffffffffULL) == 0 ? half_up / 2 : half_up;
    const double r = v.hi < 0 ? -v.lo : v.lo;
    if (r + err < half_up && r - err > -half_down) {
        out = v.hi;
        return true;
    }
    return false;
}

// Rounded constants; the double-double ones are the nearest double and the
// nearest double to the rest. Computed with mpmath at 300 bits
// (scripts/exact_math_constants.py).
constexpr double kPiHi = 0x1.921fb54442d18p+1;
constexpr DD kPi = {0x1.921fb54442d18p+1, 0x1.1a62633145c07p-53};
constexpr double kHalfPiHi = 0x1.921fb54442d18p+0;
constexpr DD kHalfPi = {0x1.921fb54442d18p+0, 0x1.1a62633145c07p-54};
constexpr double kQuarterPi = 0x1.921fb54442d18p-1;       // pi/4 rounded
constexpr double kThreeQuarterPi = 0x1.2d97c7f3321d2p+1;  // 3pi/4 rounded
constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;
// pi/2 = kHalfPi1 + kHalfPi2 + kHalfPi3 + kHalfPi4 + about 2^-157; the first
// three parts have 33 significant bits, so that k times each is exact for
// integers k < 2^20.
constexpr double kHalfPi1 = 0x1.921fb544p+0;
constexpr double kHalfPi2 = 0x1.0b4611a6p-34;
constexpr double kHalfPi3 = 0x1.3198a2ep-69;
constexpr double kHalfPi4 = 0x1.b839a252049c1p-104;
constexpr DD kThird = {0x1.5555555555555p-2, 0x1.5555555555555p-56};
constexpr DD kSixth = {0x1.5555555555555p-3, 0x1.5555555555555p-57};

// sin(i/64) and cos(i/64) for i = 0..52, as double-doubles.
struct SinCosRow {
    double s_hi, s_lo, c_hi, c_lo;
};
constexpr SinCosRow kSinCos[53] = {
    {0x0.0p+0, 0x0.0p+0, 0x1.0000000000000p+0, 0x0.0p+0},
    {0x1.fffaaaaeeeed5p-7, -0x1.2ab639a9f0776p-63, 0x1.fff000155549fp-1, 0x1.28a28a03a5ef3p-55},
    {0x1.ffeaaaeeee86fp-6, -0x1.cd406fb224ae2p-60, 0x1.ffc00155527d3p-1, -0x1.3b54492d89b5bp-55},
    {0x1.7fdc01032fba9p-5, -0x1.599bdf46e997ap-59, 0x1.ff7006bfdf99fp-1, -0x1.8b3b560648d5fp-56},
    {0x1.ffaaaeeed4edbp-5, -0x1.2d16d32684b69p-59, 0x1.ff0015549f4d3p-1, 0x1.328387b99426fp-55},
    {0x1.3facb12d1755bp-4, -0x1.921915299468bp-58, 0x1.fe7034129ef6fp-1, -0x1.cbf4337c96f97p-57},
    {0x1.7f701032550e4p-4, 0x1.afc2d1800501ap-60, 0x1.fdc06bf7e6b9bp-1, 0x1.31902b535f8dbp-55},
    {0x1.bf1b78568391dp-4, 0x1.e91841dea4cc8p-58, 0x1.fcf0c800e99b1p-1, 0x1.ea3d786d186acp-57},
    {0x1.feaaeee86ee36p-4, -0x1.afcb2bcc6f03bp-59, 0x1.fc015527d5bd3p-1, 0x1.b68f35094efb8p-55},
    {0x1.1f0d3d7afceafp-3, -0x1.6ef95099769a5p-57, 0x1.faf22263c4bd3p-1, -0x1.52ace133a2769p-58},
    {0x1.3eb312c5d66cbp-3, 0x1.47d666b66cb91p-57, 0x1.f9c340a7cc428p-1, 0x1.c5b6b063b7462p-55},
    {0x1.5e44fcfa126f3p-3, -0x1.6f443063f89b6p-57, 0x1.f874c2e1eecf6p-1, -0x1.c6514e1332b16p-55},
    {0x1.7dc102fbaf2b5p-3, 0x1.5ab50e23c97c3p-59, 0x1.f706bdf9ece1cp-1, -0x1.698c80c36dcb4p-55},
    {0x1.9d252d0cec312p-3, 0x1.9c43d80b1137dp-58, 0x1.f57948cff6797p-1, 0x1.e3a0d3e03b1d4p-57},
    {0x1.bc6f84edc6199p-3, 0x1.9c1a56a7b0cabp-57, 0x1.f3cc7c3b3d16ep-1, -0x1.21a3ad28a3494p-57},
    {0x1.db9e15fb5a5d0p-3, -0x1.32e20d6cc6fc2p-57, 0x1.f20073086649fp-1, 0x1.b940416c1984bp-56},
    {0x1.faaeed4f31577p-3, -0x1.15d88508e32b8p-57, 0x1.f01549f7deea1p-1, 0x1.d3c1e99e5cafdp-55},
    {0x1.0cd00cef36436p-2, -0x1.9fb0a0c93e2b4p-56, 0x1.ee0b1fbc0f11cp-1, -0x1.bfd2380bbc3b1p-59},
    {0x1.1c37d64c6b876p-2, 0x1.46076fe0dcff4p-56, 0x1.ebe214f76efa8p-1, -0x1.02f9f12ba543ep-55},
    {0x1.2b8ddc43eb49fp-2, 0x1.1553899f2d807p-57, 0x1.e99a4c3a7cd83p-1, -0x1.2264b1bc53ce8p-55},
    {0x1.3ad129769d3d8p-2, 0x1.03d550487839ap-63, 0x1.e733ea0193d40p-1, -0x1.6428b3546ce13p-55},
    {0x1.4a00c9b0f3d20p-2, 0x1.823ba6bb08eadp-56, 0x1.e4af14b2a449cp-1, -0x1.68ca02e8a6833p-55},
    {0x1.591bc9fa2f597p-2, 0x1.7c74bac3fe0cbp-57, 0x1.e20bf49acd6c1p-1, -0x1.660aec7ef636bp-58},
    {0x1.682138a38d7f7p-2, -0x1.d889202444aadp-56, 0x1.df4ab3ebd875ep-1, -0x1.e2d8a7e6736c4p-55},
    {0x1.7710255764214p-2, -0x1.6ead7314bb6cep-57, 0x1.dc6b7eb995912p-1, 0x1.4b364776dcd35p-58},
    {0x1.85e7a12826949p-2, 0x1.8a40e9b5face0p-56, 0x1.d96e82f71a9dcp-1, 0x1.ff61bd5d2039dp-55},
    {0x1.94a6be9f546c5p-2, -0x1.69ce13e683f58p-56, 0x1.d653f073e4040p-1, -0x1.76236434bec37p-55},
    {0x1.a34c91cc50ccap-2, -0x1.a310e3b50cecdp-58, 0x1.d31bf8d8d7c06p-1, 0x1.e60dd3089cbddp-56},
    {0x1.b1d8305321617p-2, -0x1.ae242cb99f519p-56, 0x1.cfc6cfa52ad9fp-1, 0x1.8b5b5508f2a0dp-55},
    {0x1.c048b17b140a3p-2, 0x1.19fe6757e9fa7p-57, 0x1.cc54aa2b2972ep-1, 0x1.4ee162ba83a98p-57},
    {0x1.ce9d2e3d4a51fp-2, -0x1.2fc8a12dae298p-57, 0x1.c8c5bf8ce1a84p-1, 0x1.ab3d1a1590123p-56},
    {0x1.dcd4c15329c9ap-2, 0x1.0d4c6e171fd9ap-56, 0x1.c51a48b8b175ep-1, -0x1.1bbb43b9aa880p-57},
    {0x1.eaee8744b05f0p-2, -0x1.789b43c9b027dp-58, 0x1.c1528065b7d50p-1, -0x1.892111312e828p-55},
    {0x1.f8e99e76abc97p-2, 0x1.9d950af2d00a3p-58, 0x1.bd6ea310294f5p-1, 0x1.31bbcc88c109dp-56},
    {0x1.0362939c69955p-1, -0x1.2d8cd78397b01p-55, 0x1.b96eeef58840ep-1, 0x1.45a3cc78fade0p-58},
    {0x1.0a4021e9e1001p-1, -0x1.6f643a13914f6p-55, 0x1.b553a410c104ep-1, 0x1.8ff7947027a15p-58},
    {0x1.110d0c4b69c3bp-1, 0x1.d918998809981p-55, 0x1.b11d04162a4c6p-1, 0x1.1dd561efbc0c2p-56},
    {0x1.17c8e5f2eedb0p-1, 0x1.35e57102e2488p-57, 0x1.accb526f69de5p-1, 0x1.8fb6a8dd6b6ccp-55},
    {0x1.1e7343236574cp-1, 0x1.22a3fa4f41d5ap-56, 0x1.a85ed4373e02dp-1, 0x1.9be06385ec792p-57},
    {0x1.250bb93788bbbp-1, 0x1.ea3d02457bccep-56, 0x1.a3d7d0352bdcfp-1, -0x1.68dbaeca19669p-55},
    {0x1.2b91dea88421ep-1, -0x1.fa371db216ab0p-55, 0x1.9f368ed912f85p-1, -0x1.1d200c5791606p-55},
    {0x1.32054b148bc4fp-1, 0x1.f6b42095a135bp-55, 0x1.9a7b5a36a6514p-1, 0x1.722cfcc9fa7a9p-55},
    {0x1.386597456282bp-1, -0x1.10fada93b07a8p-56, 0x1.95a67e00cb1fdp-1, -0x1.0befda21f862dp-55},
    {0x1.3eb25d36cd53ap-1, -0x1.be570e1570fc0p-58, 0x1.90b84784ddaf7p-1, -0x1.0feb10ab93b87p-56},
    {0x1.44eb381cf386bp-1, -0x1.3ed6c1e6a5505p-55, 0x1.8bb105a5dc900p-1, 0x1.863e03e9474c1p-55},
    {0x1.4b0fc46aab761p-1, 0x1.0da05738cc59cp-61, 0x1.869108d77a6c6p-1, 0x1.338ffe2bfe9ddp-56},
    {0x1.511f9fd7b351cp-1, -0x1.5c0e861c48831p-55, 0x1.8158a31916d5dp-1, -0x1.de8b90b8228dep-57},
    {0x1.571a6966d59b3p-1, 0x1.c843b4d0fb197p-58, 0x1.7c0827f09e54fp-1, -0x1.c73d6d72aee68p-57},
    {0x1.5cffc16bf8f0dp-1, 0x1.96cb370eb578ap-55, 0x1.769fec655211fp-1, -0x1.827d5cf8c68c5p-57},
    {0x1.62cf49921ac79p-1, -0x1.edd9855b6241ap-55, 0x1.712046fa77678p-1, 0x1.425b0a5029c81p-55},
    {0x1.6888a4e134b2fp-1, -0x1.6b7d37644d5e6p-55, 0x1.6b898fa9efb5dp-1, 0x1.15ac786ccf4b2p-56},
    {0x1.6e2b77c40bde1p-1, -0x1.0e729857fad53p-56, 0x1.65dc1fdeb8cbap-1, -0x1.97c1b47337c77p-58},
    {0x1.73b7680dea578p-1, -0x1.2248306dc12a2p-56, 0x1.6018526f563dfp-1, 0x1.46ca5e0e432d0p-55},
};

// atan(i/64) for i = 0..64, as double-doubles.
constexpr DD kAtan[65] = {
    {0x0.0p+0, 0x0.0p+0},
    {0x1.fff555bbb729bp-7, -0x1.220c39d4dff50p-61},
    {0x1.ffd55bba97625p-6, -0x1.5ec431444912cp-60},
    {0x1.7fb818430da2ap-5, -0x1.86ef8f794f105p-63},
    {0x1.ff55bb72cfdeap-5, -0x1.c934d86d23f1dp-60},
    {0x1.3f59f0e7c559dp-4, 0x1.ac4ce285df847p-58},
    {0x1.7ee182602f10fp-4, -0x1.cfb654c0c3d98p-58},
    {0x1.be39ebe6f07c3p-4, 0x1.f7b8f29a05987p-58},
    {0x1.fd5ba9aac2f6ep-4, -0x1.cd37686760c17p-59},
    {0x1.1e1fafb043727p-3, -0x1.b485914dacf8cp-59},
    {0x1.3d6eee8c6626cp-3, 0x1.61a3b0ce9281bp-57},
    {0x1.5c9811e3ec26ap-3, -0x1.054ab2c010f3dp-58},
    {0x1.7b97b4bce5b02p-3, 0x1.347b0b4f881cap-58},
    {0x1.9a6a8e96c8626p-3, 0x1.cf601e7b4348ep-59},
    {0x1.b90d7529260a2p-3, 0x1.17b10d2e0e5abp-61},
    {0x1.d77d5df205736p-3, 0x1.c648d1534597ep-57},
    {0x1.f5b75f92c80ddp-3, 0x1.8ab6e3cf7afbdp-57},
    {0x1.09dc597d86362p-2, 0x1.62e47390cb865p-56},
    {0x1.18bf5a30bf178p-2, 0x1.30ca4748b1bf9p-57},
    {0x1.278372057ef46p-2, -0x1.077cdd36dfc81p-56},
    {0x1.362773707ebccp-2, -0x1.963a544b672d8p-57},
    {0x1.44aa436c2af0ap-2, -0x1.5d5e43c55b3bap-56},
    {0x1.530ad9951cd4ap-2, -0x1.2566480884082p-57},
    {0x1.614840309cfe2p-2, -0x1.a725715711f00p-56},
    {0x1.6f61941e4def1p-2, -0x1.c63aae6f6e918p-56},
    {0x1.7d5604b63b3f7p-2, 0x1.69c885c2b249ap-56},
    {0x1.8b24d394a1b25p-2, 0x1.b6d0ba3748fa8p-56},
    {0x1.98cd5454d6b18p-2, 0x1.9e6c988fd0a77p-56},
    {0x1.a64eec3cc23fdp-2, -0x1.24dec1b50b7ffp-56},
    {0x1.b3a911da65c6cp-2, 0x1.ae187b1ca5040p-56},
    {0x1.c0db4c94ec9f0p-2, -0x1.cc1ce70934c34p-56},
    {0x1.cde53432c1351p-2, -0x1.a2cfa4418f1adp-56},
    {0x1.dac670561bb4fp-2, 0x1.a2b7f222f65e2p-56},
    {0x1.e77eb7f175a34p-2, 0x1.0e53dc1bf3435p-56},
    {0x1.f40dd0b541418p-2, -0x1.a3992dc382a23p-57},
    {0x1.0039c73c1a40cp-1, -0x1.b32c949c9d593p-55},
    {0x1.0657e94db30d0p-1, -0x1.d5b495f6349e6p-56},
    {0x1.0c6145b5b43dap-1, 0x1.974fa13b5404fp-58},
    {0x1.1255d9bfbd2a9p-1, -0x1.2bdaee1c0ee35p-58},
    {0x1.1835a88be7c13p-1, 0x1.c621cec00c301p-55},
    {0x1.1e00babdefeb4p-1, -0x1.928df287a668fp-58},
    {0x1.23b71e2cc9e6ap-1, 0x1.c421c9f38224ep-57},
    {0x1.2958e59308e31p-1, -0x1.09e73b0c6c087p-56},
    {0x1.2ee628406cbcap-1, 0x1.c5d5e9ff0cf8dp-55},
    {0x1.345f01cce37bbp-1, 0x1.1021137c71102p-55},
    {0x1.39c391cd4171ap-1, -0x1.2304331d8bf46p-55},
    {0x1.3f13fb89e96f4p-1, 0x1.ecf8b492644f0p-56},
    {0x1.445065b795b56p-1, -0x1.f76d0163f79c8p-56},
    {0x1.4978fa3269ee1p-1, 0x1.2419a87f2a458p-56},
    {0x1.4e8de5bb6ec04p-1, 0x1.4a33dbeb3796cp-55},
    {0x1.538f57b89061fp-1, -0x1.1bb74abda520cp-55},
    {0x1.587d81f732fbbp-1, -0x1.5e5c9d8c5a950p-56},
    {0x1.5d58987169b18p-1, 0x1.0028e4bc5e7cap-57},
    {0x1.6220d115d7b8ep-1, -0x1.2b785350ee8c1p-57},
    {0x1.66d663923e087p-1, -0x1.6ea6febe8bbbap-56},
    {0x1.6b798920b3d99p-1, -0x1.a80386188c50ep-55},
    {0x1.700a7c5784634p-1, -0x1.8c34d25aadef6p-56},
    {0x1.748978fba8e0fp-1, 0x1.7b2a6165884a1p-59},
    {0x1.78f6bbd5d315ep-1, 0x1.406a089803740p-55},
    {0x1.7d528289fa093p-1, 0x1.560821e2f3aa9p-55},
    {0x1.819d0b7158a4dp-1, -0x1.bf76229d3b917p-56},
    {0x1.85d69576cc2c5p-1, 0x1.6b66e7fc8b8c3p-57},
    {0x1.89ff5ff57f1f8p-1, -0x1.55b9a5e177a1bp-55},
    {0x1.8e17aa99cc05ep-1, -0x1.ec182ab042f61p-56},
    {0x1.921fb54442d18p-1, 0x1.1a62633145c07p-55},
};

// ---------------------------------------------------------------------------
// Fast path: double-double kernels.

// ax = k pi/2 + r for 0 <= ax < 2^20 (Cody and Waite's reduction with pi/2
// in four parts): returns k mod 4 and r with |r - exact| <= err.
int reduce_half_pi(double ax, DD& r, double& err) {
    const double k = (ax * kTwoOverPi + 0x1.8p52) - 0x1.8p52;  // nearest integer
    if (k == 0) {
        r = {ax, 0};
        err = 0;
        return 0;
    }
    // ax - k kHalfPi1 is exact (the two are within a factor of two, or the
    // difference keeps the bits of ax below 1); so are the products and the
    // two sums.
    const double a = ax - k * kHalfPi1;
    const DD s = two_sum(a, -(k * kHalfPi2));
    const DD u = two_sum(s.hi, -(k * kHalfPi3));
    r = two_sum(u.hi, (s.lo + u.lo) - k * kHalfPi4);
    // k times the 2^-157 left of pi/2, k kHalfPi4 and the two additions of
    // the low parts.
    err = 0x1p-128 + std::fabs(r.hi) * 0x1p-102;
    return static_cast<int>(k) & 3;
}

// sin r and cos r for r = r.hi + r.lo, 0 <= r.hi < 0.8, |r.lo| <= ulp(r.hi):
// r = i/64 + delta with |delta| <= 1/128, the angle-sum formulas over the
// table, and Taylor series in delta. Relative error below 2^-80 (the largest
// terms: the rounding of the delta^5 and delta^4 tails, about 2^-83).
// Either output may be null.
void sin_cos_kernel(DD r, DD* s, DD* c) {
    const int i = static_cast<int>(r.hi * 64 + 0.5);
    const double d = r.hi - i * 0x1p-6;  // exact
    const double rl = r.lo;
    const DD d2 = two_prod(d, d);
    const double z = d2.hi;
    // sin(delta) = delta - delta^3/6 + delta^5/120 - ..., delta = d + rl
    DD d3 = two_prod(z, d);
    d3.lo += d2.lo * d;
    DD d3_6 = two_prod(d3.hi, kSixth.hi);
    d3_6.lo += d3.hi * kSixth.lo + d3.lo * kSixth.hi;
    const double tail = d3.hi * z * (1.0 / 120 - z * (1.0 / 5040 - z * (1.0 / 362880)));
    DD sd = two_sum(d, -d3_6.hi);
    sd.lo += (rl - d3_6.lo) + (tail - 0.5 * rl * z);
    // cos(delta) - 1 = -delta^2/2 + delta^4/24 - ...
    const double cm_hi = -0.5 * d2.hi;
    const double cm_lo = (-0.5 * d2.lo - d * rl) + z * z * (1.0 / 24 - z * (1.0 / 720 - z * (1.0 / 40320)));
    if (i == 0) {
        if (s) *s = fast_two_sum(sd.hi, sd.lo);
        if (c) {
            const DD h = fast_two_sum(1.0, cm_hi);
            *c = fast_two_sum(h.hi, h.lo + cm_lo);
        }
        return;
    }
    const SinCosRow& a = kSinCos[i];
    if (s) {  // sin a + sin a (cos delta - 1) + cos a sin delta
        DD p = two_prod(a.c_hi, sd.hi);
        p.lo += a.c_hi * sd.lo + a.c_lo * sd.hi;
        DD q = two_prod(a.s_hi, cm_hi);
        q.lo += a.s_hi * cm_lo + a.s_lo * cm_hi;
        const DD h = two_sum(a.s_hi, p.hi);
        const DD g = two_sum(h.hi, q.hi);
        *s = fast_two_sum(g.hi, (g.lo + h.lo) + ((a.s_lo + p.lo) + q.lo));
    }
    if (c) {  // cos a + cos a (cos delta - 1) - sin a sin delta
        DD p = two_prod(a.s_hi, sd.hi);
        p.lo += a.s_hi * sd.lo + a.s_lo * sd.hi;
        DD q = two_prod(a.c_hi, cm_hi);
        q.lo += a.c_hi * cm_lo + a.c_lo * cm_hi;
        const DD h = two_sum(a.c_hi, -p.hi);
        const DD g = two_sum(h.hi, q.hi);
        *c = fast_two_sum(g.hi, (g.lo + h.lo) + ((a.c_lo - p.lo) + q.lo));
    }
}

// atan q for q = q.hi + q.lo in [0, 1], q.hi = 0 or q.hi >= 2^-300:
// atan q = atan c + atan u with c = i/64 and u = (q - c)/(1 + q c),
// |u| <= 1/128, and the Taylor series of atan u to u^13. Relative error
// below 2^-76 (the largest term: the rounding of the u^5 tail, about 2^-82).
DD atan_kernel(DD q) {
    const int i = static_cast<int>(q.hi * 64 + 0.5);
    DD u = q;
    if (i != 0) {
        const double c = i * 0x1p-6;
        const DD n = two_sum(q.hi - c, q.lo);  // q.hi - c is exact
        const DD p = two_prod(q.hi, c);
        DD den = fast_two_sum(1.0, p.hi);
        den.lo += p.lo + q.lo * c;
        u = div(n, den);
    }
    DD u2 = two_prod(u.hi, u.hi);
    u2.lo += 2 * u.hi * u.lo;
    DD u3 = two_prod(u2.hi, u.hi);
    u3.lo += u2.hi * u.lo + u2.lo * u.hi;
    DD u3_3 = two_prod(u3.hi, kThird.hi);
    u3_3.lo += u3.hi * kThird.lo + u3.lo * kThird.hi;
    const double z = u2.hi;
    const double tail =
        u3.hi * z * (1.0 / 5 - z * (1.0 / 7 - z * (1.0 / 9 - z * (1.0 / 11 - z * (1.0 / 13)))));
    const DD& a = kAtan[i];
    const DD h = two_sum(a.hi, u.hi);
    const DD g = two_sum(h.hi, -u3_3.hi);
    return fast_two_sum(g.hi, (g.lo + h.lo) + (((a.lo + u.lo) - u3_3.lo) + tail));
}

constexpr double kAtanRelErr = 0x1p-75;  // atan_kernel plus the division feeding it

// 1 - a^2 for 0 <= a < 1, exactly, and its square root.
DD sqrt_one_minus_square(double a) {
    const DD p = two_prod(a, a);
    DD w = two_sum(1.0, -p.hi);
    w = two_sum(w.hi, w.lo - p.lo);
    return sqrt_dd(w);
}

// a * c = p + e exactly when c has at most 26 significant bits (c needs no
// split of its own).
inline DD two_prod_short(double a, double c) {
    double ah, al;
    split(a, ah, al);
    const double p = a * c;
    return {p, (ah * c - p) + al * c};
}

// The first phase: sin r or cos r as in sin_cos_kernel, but only the product
// cos a * d (or sin a * d) exact and the series in plain doubles. Relative
// error below 2^-63: the largest terms are the roundings of delta^2 and of
// the small terms, each about 2^-67 of the result.
constexpr double kQuickRelErr = 0x1p-63;

DD sin_cos_quick(DD r, bool want_sin) {
    const int i = static_cast<int>(r.hi * 64 + 0.5);
    const double d = r.hi - i * 0x1p-6;  // exact
    const double rl = r.lo;
    const double z = d * d;
    // sin(delta) - d and cos(delta) - 1 for delta = d + rl
    const double sm = rl + (d * z * (-1.0 / 6 + z * (1.0 / 120 - z * (1.0 / 5040))) - 0.5 * rl * z);
    const double cm = (-0.5 * z - d * rl) + z * z * (1.0 / 24 - z * (1.0 / 720 - z * (1.0 / 40320)));
    if (i == 0) return want_sin ? fast_two_sum(d, sm) : fast_two_sum(1.0, cm);
    const SinCosRow& a = kSinCos[i];
    if (want_sin) {  // sin a + cos a d + cos a (sin delta - d) + sin a (cos delta - 1)
        const DD p = two_prod(a.c_hi, d);
        const DD h = two_sum(a.s_hi, p.hi);
        const DD g = two_sum(h.hi, a.c_hi * sm + a.s_hi * cm);
        return fast_two_sum(g.hi, g.lo + (h.lo + ((p.lo + a.s_lo) + a.c_lo * d)));
    }
    // cos a - sin a d + cos a (cos delta - 1) - sin a (sin delta - d)
    const DD p = two_prod(a.s_hi, d);
    const DD h = two_sum(a.c_hi, -p.hi);
    const DD g = two_sum(h.hi, a.c_hi * cm - a.s_hi * sm);
    return fast_two_sum(g.hi, g.lo + (h.lo + ((a.c_lo - p.lo) - a.s_lo * d)));
}

// The first phase of atan(n/d) for 0 <= n <= d (double-doubles between
// 2^-900 and 2^900, or n = 0): u = (n - c d)/(n c + d) = tan(atan(n/d) - atan c)
// in one division, then the series of atan u in plain doubles. Relative
// error below 2^-63: the rounding of the u^3 term, about 2^-66.
DD atan_quick(DD n, DD d) {
    const int i = static_cast<int>(n.hi / d.hi * 64 + 0.5);
    DD u;
    if (i == 0) {
        u = div(n, d);
    } else {
        const double c = i * 0x1p-6;
        const DD p = two_prod_short(d.hi, c);
        DD num = two_sum(n.hi, -p.hi);
        num = two_sum(num.hi, num.lo + ((n.lo - p.lo) - c * d.lo));
        const DD q = two_prod_short(n.hi, c);
        DD den = fast_two_sum(d.hi, q.hi);
        den.lo += (q.lo + d.lo) + c * n.lo;
        u = div(num, den);
    }
    const double z = u.hi * u.hi;
    const double t =
        u.hi * z * (-1.0 / 3 + z * (1.0 / 5 - z * (1.0 / 7 - z * (1.0 / 9 - z * (1.0 / 11 - z * (1.0 / 13)))))) -
        z * u.lo;
    const DD& a = kAtan[i];
    const DD h = two_sum(a.hi, u.hi);
    return fast_two_sum(h.hi, h.lo + ((a.lo + u.lo) + t));
}

// 2^k for -1074 <= k <= 1023.
inline double pow2(int k) {
    return k >= -1022 ? from_bits(static_cast<std::uint64_t>(k + 1023) << 52)
                      : from_bits(std::uint64_t{1} << (k + 1074));
}

// floor(log2 |x|) for finite x != 0.
inline int exponent_of(double x) {
    const int e = static_cast<int>((bits_of(x) >> 52) & 0x7ff);
    return e != 0 ? e - 1023 : std::ilogb(x);
}

// x 2^k, for results that are representable (exact).
inline double times_pow2(double x, int k) {
    return k >= -1074 && k <= 1023 ? x * pow2(k) : std::scalbn(x, k);
}

// ---------------------------------------------------------------------------
// Slow path: binary floating point of 32n bits, for the calls the fast path
// cannot decide. Every operation truncates its exact result to n limbs, a
// relative error below 2^(2-32n); the error bounds given to decide() are
// generous multiples of that.

using Limbs = std::vector<std::uint32_t>;

// sign * M * 2^(exp - 32n), M the n-limb little-endian integer in m with its
// top bit set, so |value| lies in [2^(exp-1), 2^exp). sign 0 is zero.
struct Big {
    int sign = 0;
    long exp = 0;
    Limbs m;
};

std::uint32_t limb_at(const Limbs& v, long j) {
    return j >= 0 && j < static_cast<long>(v.size()) ? v[static_cast<std::size_t>(j)] : 0;
}

// Bits lo .. lo + 31 of the integer v (lo may be negative: zeros below).
std::uint32_t bits_at(const Limbs& v, long lo) {
    const long q = lo >= 0 ? lo / 32 : -((-lo + 31) / 32);
    const int r = static_cast<int>(lo - 32 * q);
    const std::uint64_t pair = limb_at(v, q) | (static_cast<std::uint64_t>(limb_at(v, q + 1)) << 32);
    return static_cast<std::uint32_t>(pair >> r);
}

Big zero_big(int n) { return Big{0, 0, Limbs(static_cast<std::size_t>(n), 0)}; }

// The n-limb Big of the given sign and magnitude raw * 2^scale, truncated.
Big make_big(int sign, const Limbs& raw, long scale, int n) {
    long top = static_cast<long>(raw.size()) - 1;
    while (top >= 0 && raw[static_cast<std::size_t>(top)] == 0) --top;
    if (top < 0 || sign == 0) return zero_big(n);
    const long length = 32 * top + 32 - std::countl_zero(raw[static_cast<std::size_t>(top)]);
    Big b{sign, length + scale, Limbs(static_cast<std::size_t>(n))};
    const long shift = 32L * n - length;
    for (int j = 0; j < n; ++j) b.m[static_cast<std::size_t>(j)] = bits_at(raw, 32L * j - shift);
    return b;
}

int limbs_of(const Big& a) { return static_cast<int>(a.m.size()); }

Big resize(const Big& a, int n) {
    if (limbs_of(a) == n) return a;
    return make_big(a.sign, a.m, a.exp - 32L * limbs_of(a), n);
}

Big neg(Big a) {
    a.sign = -a.sign;
    return a;
}

Big scaled(Big a, long k) {  // a * 2^k
    if (a.sign != 0) a.exp += k;
    return a;
}

Big big_of(double x, int n) {  // exact for finite x (n >= 2)
    if (x == 0) return zero_big(n);
    int e = 0;
    const double f = std::frexp(std::fabs(x), &e);
    const auto mant = static_cast<std::uint64_t>(std::ldexp(f, 53));
    const Limbs raw = {static_cast<std::uint32_t>(mant), static_cast<std::uint32_t>(mant >> 32)};
    return make_big(x < 0 ? -1 : 1, raw, e - 53L, n);
}

Big big_one(int n) { return big_of(1.0, n); }

// Magnitude comparison of the integers a and b of equal length.
int compare_limbs(const Limbs& a, const Limbs& b) {
    for (std::size_t j = a.size(); j-- > 0;)
        if (a[j] != b[j]) return a[j] < b[j] ? -1 : 1;
    return 0;
}

Big add(const Big& a0, const Big& b0, int n) {
    const Big a = resize(a0, n);
    const Big b = resize(b0, n);
    if (a.sign == 0) return b;
    if (b.sign == 0) return a;
    const Big& x = a.exp >= b.exp ? a : b;  // the operand of larger exponent
    const Big& y = a.exp >= b.exp ? b : a;
    // Both as integers in units of 2^(x.exp - 32(n+2)): x shifted up by two
    // limbs, y by 64 - (x.exp - y.exp) bits (truncated when that is negative).
    const long shift = 64 - (x.exp - y.exp);
    if (shift <= -32L * n) return x;  // y is below the last bit kept
    const std::size_t width = static_cast<std::size_t>(n) + 3;
    Limbs X(width, 0), Y(width, 0);
    for (int j = 0; j < n; ++j) X[static_cast<std::size_t>(j) + 2] = x.m[static_cast<std::size_t>(j)];
    for (std::size_t j = 0; j + 1 < width; ++j) Y[j] = bits_at(y.m, 32L * static_cast<long>(j) - shift);
    Limbs Z(width, 0);
    int sign = x.sign;
    if (x.sign == y.sign) {
        std::uint64_t carry = 0;
        for (std::size_t j = 0; j < width; ++j) {
            const std::uint64_t s = static_cast<std::uint64_t>(X[j]) + Y[j] + carry;
            Z[j] = static_cast<std::uint32_t>(s);
            carry = s >> 32;
        }
    } else {
        const int c = compare_limbs(X, Y);
        if (c == 0) return zero_big(n);
        const Limbs& big = c > 0 ? X : Y;
        const Limbs& small = c > 0 ? Y : X;
        if (c < 0) sign = y.sign;
        std::int64_t borrow = 0;
        for (std::size_t j = 0; j < width; ++j) {
            std::int64_t d = static_cast<std::int64_t>(big[j]) - small[j] - borrow;
            borrow = d < 0 ? 1 : 0;
            if (d < 0) d += std::int64_t{1} << 32;
            Z[j] = static_cast<std::uint32_t>(d);
        }
    }
    return make_big(sign, Z, x.exp - 32L * (n + 2), n);
}

Big sub(const Big& a, const Big& b, int n) { return add(a, neg(b), n); }

Big mul(const Big& a0, const Big& b0, int n) {
    if (a0.sign == 0 || b0.sign == 0) return zero_big(n);
    const Big a = resize(a0, n);
    const Big b = resize(b0, n);
    const std::size_t un = static_cast<std::size_t>(n);
    Limbs p(2 * un, 0);
    for (std::size_t i = 0; i < un; ++i) {
        std::uint64_t carry = 0;
        for (std::size_t j = 0; j < un; ++j) {
            const std::uint64_t t = static_cast<std::uint64_t>(a.m[i]) * b.m[j] + p[i + j] + carry;
            p[i + j] = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
        p[i + un] = static_cast<std::uint32_t>(carry);
    }
    return make_big(a.sign * b.sign, p, a.exp + b.exp - 64L * n, n);
}

Big div_small(const Big& a0, std::uint32_t k, int n) {  // a / k, k > 0
    const Big a = resize(a0, n);
    if (a.sign == 0) return a;
    // (M * 2^32) / k, one limb more than M to keep n limbs of quotient.
    Limbs q(static_cast<std::size_t>(n) + 1, 0);
    std::uint64_t rem = 0;
    for (std::size_t j = static_cast<std::size_t>(n) + 1; j-- > 0;) {
        const std::uint64_t cur = (rem << 32) | (j == 0 ? 0 : a.m[j - 1]);
        q[j] = static_cast<std::uint32_t>(cur / k);
        rem = cur % k;
    }
    return make_big(a.sign, q, a.exp - 32L * n - 32, n);
}

// |a| = f 2^e with f in [0.5, 1] approximately (for starting values).
double leading_fraction(const Big& a) {
    const std::size_t n = a.m.size();
    const std::uint64_t top = (static_cast<std::uint64_t>(a.m[n - 1]) << 32) | (n > 1 ? a.m[n - 2] : 0);
    return static_cast<double>(top) * 0x1p-64;
}

// 1/b by Newton's iteration y += y (1 - b y) from a double start.
Big reciprocal(const Big& b, int n) {
    Big y = scaled(big_of(1 / leading_fraction(b), n), -b.exp);
    y.sign = b.sign;
    const Big one = big_one(n);
    for (int iteration = 0; iteration < 40; ++iteration) {
        const Big e = sub(one, mul(b, y, n), n);
        if (e.sign == 0 || e.exp < 8 - 32L * n) break;
        y = add(y, mul(y, e, n), n);
    }
    return y;
}

Big quotient(const Big& a, const Big& b, int n) { return mul(a, reciprocal(b, n), n); }

// sqrt(a) for a > 0: z = 1/sqrt(a) by z += z (1 - a z^2)/2, then a z.
Big square_root(const Big& a, int n) {
    long e = a.exp;
    double f = leading_fraction(a);
    if (e % 2 != 0) {
        f /= 2;
        ++e;
    }
    Big z = scaled(big_of(1 / std::sqrt(f), n), -e / 2);
    const Big one = big_one(n);
    for (int iteration = 0; iteration < 40; ++iteration) {
        const Big r = sub(one, mul(a, mul(z, z, n), n), n);
        if (r.sign == 0 || r.exp < 8 - 32L * n) break;
        z = add(z, scaled(mul(z, r, n), -1), n);
    }
    return mul(a, z, n);
}

// atan(1/m) by its Taylor series.
Big atan_of_inverse(std::uint32_t m, int n) {
    Big t = div_small(big_one(n), m, n);
    Big sum = t;
    for (std::uint32_t k = 1;; ++k) {
        t = div_small(t, m * m, n);
        const Big term = div_small(t, 2 * k + 1, n);
        if (term.exp < sum.exp - 32L * n - 8) break;
        sum = add(sum, k % 2 != 0 ? neg(term) : term, n);
    }
    return sum;
}

// pi by Machin's formula, pi = 16 atan(1/5) - 4 atan(1/239).
Big big_pi(int n) {
    const Big p = sub(scaled(atan_of_inverse(5, n + 1), 4), scaled(atan_of_inverse(239, n + 1), 2), n + 1);
    return resize(p, n);
}

// sin r or cos r by the Taylor series, |r| < 1.
Big sin_series(const Big& r, int n) {
    const Big r2 = mul(r, r, n);
    Big term = r, sum = r;
    for (std::uint32_t k = 1;; ++k) {
        term = neg(div_small(mul(term, r2, n), (2 * k) * (2 * k + 1), n));
        if (term.sign == 0 || term.exp < sum.exp - 32L * n - 8) break;
        sum = add(sum, term, n);
    }
    return sum;
}

Big cos_series(const Big& r, int n) {
    const Big r2 = mul(r, r, n);
    Big term = big_one(n), sum = term;
    for (std::uint32_t k = 1;; ++k) {
        term = neg(div_small(mul(term, r2, n), (2 * k - 1) * (2 * k), n));
        if (term.sign == 0 || term.exp < sum.exp - 32L * n - 8) break;
        sum = add(sum, term, n);
    }
    return sum;
}

// atan x for x > 0: pi/2 - atan(1/x) above 1, then up to three halvings
// atan x = 2 atan(x / (1 + sqrt(1 + x^2))), then the Taylor series.
Big atan_big(Big x, int n) {
    const Big one = big_one(n);
    const bool inverted = sub(x, one, n).sign > 0;
    if (inverted) x = reciprocal(x, n);
    int halvings = 0;
    for (; halvings < 3 && x.exp > -4; ++halvings)
        x = quotient(x, add(one, square_root(add(one, mul(x, x, n), n), n), n), n);
    const Big x2 = mul(x, x, n);
    Big power = x, sum = x;
    for (std::uint32_t k = 1;; ++k) {
        power = neg(mul(power, x2, n));
        const Big term = div_small(power, 2 * k + 1, n);
        if (term.sign == 0 || term.exp < sum.exp - 32L * n - 8) break;
        sum = add(sum, term, n);
    }
    sum = scaled(sum, halvings);
    if (inverted) sum = sub(scaled(big_pi(n), -1), sum, n);
    return sum;
}

// v rounded to the nearest double, ties to even, subnormals included;
// |v| < 2^1024.
double nearest_double(const Big& v) {
    if (v.sign == 0) return 0;
    const long n32 = 32L * limbs_of(v);
    const long q = std::max(v.exp - 53, -1074L);  // the double grid near v is 2^q
    const long keep = v.exp - q;                   // bits of M at or above 2^q (<= 53)
    double magnitude = 0;
    if (keep >= 0) {
        // N: the top `keep` bits; then the next (rounding) bit and the rest.
        std::uint64_t N = 0;
        for (long j = 0; j < keep; ++j) N = (N << 1) | ((bits_at(v.m, n32 - 1 - j)) & 1);
        const bool round_bit = (bits_at(v.m, n32 - 1 - keep) & 1) != 0;
        bool sticky = false;
        for (long j = 0; j < n32 - 1 - keep && !sticky; j += 32) {
            const long width = std::min(32L, n32 - 1 - keep - j);
            const std::uint32_t mask = width == 32 ? 0xffffffffU : ((1U << width) - 1);
            sticky = (bits_at(v.m, j) & mask) != 0;
        }
        if (round_bit && (sticky || (N & 1) != 0)) ++N;
        magnitude = std::ldexp(static_cast<double>(N), static_cast<int>(q));
    }
    return v.sign < 0 ? -magnitude : magnitude;
}

// Ziv's strategy in the wide type: compute(n, err) returns the value and
// err with |error| <= |value| 2^err; the precision doubles until both ends of
// the error interval round to the same double.
template <class Compute>
double decide(Compute compute) {
    double last = 0;
    for (int n = 8; n <= 1024; n *= 2) {
        long err = 0;
        const Big v = compute(n, err);
        if (v.sign == 0) continue;
        const Big d = scaled(v, err + 1);
        const double lo = nearest_double(sub(v, d, n));
        const double hi = nearest_double(add(v, d, n));
        last = nearest_double(v);
        if (lo == hi && std::signbit(lo) == std::signbit(hi)) return lo;
    }
    return last;  // not reached for a finite argument: the values are transcendental
}

// ---------------------------------------------------------------------------
// The functions.

enum class Trig { Sin, Cos, Tan };

// f(ax) for ax >= 2^-27 in the wide type: ax = k pi/2 + r with pi carried to
// enough bits beyond those of k, then the series.
double trig_slow(double ax, Trig f) {
    return decide([&](int n, long& err) {
        const int ex = std::ilogb(ax);
        const int wide = n + (std::max(ex, 0) + 95) / 32 + 1;
        const Big x = big_of(ax, wide);
        Big r = x;
        unsigned k = 0;
        err = 20 - 32L * n;
        if (ax > 0.78) {
            const Big half_pi = scaled(big_pi(wide), -1);
            Big t = add(mul(x, reciprocal(half_pi, wide), wide), scaled(big_one(wide), -1), wide);
            // k = floor(t): clear the fraction bits, keep the last two integer bits.
            const long fraction = 32L * wide - t.exp;
            if (t.exp <= 0) {
                t = zero_big(wide);
            } else {
                k = (bits_at(t.m, fraction) & 3);
                for (long j = 0; j < fraction; ++j)
                    t.m[static_cast<std::size_t>(j / 32)] &= ~(1U << (j % 32));
            }
            r = sub(x, mul(t, half_pi, wide), wide);
            if (r.sign == 0) {
                err = 0;  // precision too short to see r: try wider
                return r;
            }
            // |error of r| <= 2^(ex + 18 - 32 wide), relative to |r| >= 2^(r.exp - 1).
            err = std::max(err, ex + 20 - 32L * wide - r.exp);
        }
        r = resize(r, n);
        const int index = f == Trig::Cos ? static_cast<int>((k + 1) & 3) : static_cast<int>(k);
        if (f == Trig::Tan) {
            ++err;
            const Big s = sin_series(r, n), c = cos_series(r, n);
            return (k & 1) != 0 ? neg(quotient(c, s, n)) : quotient(s, c, n);
        }
        // sin(k pi/2 + r): sin r, cos r, -sin r, -cos r for k = 0..3; cos
        // goes one quarter turn ahead.
        const Big v = index % 2 == 0 ? sin_series(r, n) : cos_series(r, n);
        return index >= 2 ? neg(v) : v;
    });
}

double trig(double x, Trig f) {
    if (std::isnan(x)) return x + x;
    if (std::isinf(x)) return std::numeric_limits<double>::quiet_NaN();
    const double ax = std::fabs(x);
    // Below 2^-27, sin x and tan x round to x and cos x to 1: the terms x^3/6,
    // x^3/3 and x^2/2 are below a quarter of the gap to the next double.
    if (ax < 0x1p-27) return f == Trig::Cos ? 1.0 : x;
    const bool odd = f != Trig::Cos && x < 0;
    if (ax < 0x1p20) {
        DD r;
        double er = 0;
        const int k = reduce_half_pi(ax, r, er);
        const bool r_negative = r.hi < 0;
        if (r_negative) r = {-r.hi, -r.lo};
        // sin(k pi/2 + r) = sin r, cos r, -sin r, -cos r for k = 0..3; cos
        // goes one quarter turn ahead; tan(k pi/2 + r) = tan r for even k,
        // -1/tan r for odd k.
        const int index = f == Trig::Cos ? (k + 1) & 3 : k;
        const bool negate = f == Trig::Tan ? ((k & 1) != 0) != r_negative
                                           : (index >= 2) != (index % 2 == 0 && r_negative);
        // Two phases: the quick kernel, then the double-double one.
        for (int phase = 0; phase < 2; ++phase) {
            const double rel = phase == 0 ? kQuickRelErr : 0x1p-80;
            DD v;
            double err = 0;
            if (f == Trig::Tan) {
                DD s, c;
                if (phase == 0) {
                    s = sin_cos_quick(r, true);
                    c = sin_cos_quick(r, false);
                } else {
                    sin_cos_kernel(r, &s, &c);
                }
                v = (k & 1) != 0 ? div(c, s) : div(s, c);
                err = v.hi * (2.01 * rel + 1.01 * er / s.hi + 1.01 * er / c.hi);
            } else {
                const bool want_sin = index % 2 == 0;
                if (phase == 0) {
                    v = sin_cos_quick(r, want_sin);
                } else {
                    sin_cos_kernel(r, want_sin ? &v : nullptr, want_sin ? nullptr : &v);
                }
                err = v.hi * rel + er;
            }
            double out = 0;
            if (round_checked(v.hi, v.lo, err, out)) return odd != negate ? -out : out;
        }
    }
    const double out = trig_slow(ax, f);
    return odd ? -out : out;
}

// atan(n/d) for 0 <= n <= d, both within 2^-900 .. 2^900: the quick phase,
// then the double-double one; false when neither decides. offset_half_pi
// and offset_pi turn the angle into pi/2 - angle and pi - angle first.
bool atan_ratio(DD n, DD d, bool offset_half_pi, bool offset_pi, double& out) {
    for (int phase = 0; phase < 2; ++phase) {
        DD v = phase == 0 ? atan_quick(n, d) : atan_kernel(div(n, d));
        if (offset_half_pi) v = sub(kHalfPi, v);
        if (offset_pi) v = sub(kPi, v);
        if (round_checked(v.hi, v.lo, v.hi * (phase == 0 ? kQuickRelErr : kAtanRelErr), out)) return true;
    }
    return false;
}

}  // namespace

double cr_sin(double x) { return trig(x, Trig::Sin); }
double cr_cos(double x) { return trig(x, Trig::Cos); }
double cr_tan(double x) { return trig(x, Trig::Tan); }

double cr_atan(double x) {
    if (std::isnan(x)) return x + x;
    const double ax = std::fabs(x);
    // Below 2^-27 atan x rounds to x; above 2^60 to pi/2 rounded (pi/2 - 1/x
    // stays within the gap around it).
    if (ax < 0x1p-27) return x;
    if (ax > 0x1p60) return std::copysign(kHalfPiHi, x);
    double out = 0;
    const bool decided = ax <= 1 ? atan_ratio({ax, 0}, {1, 0}, false, false, out)
                                 : atan_ratio({1, 0}, {ax, 0}, true, false, out);
    if (!decided) {
        out = decide([&](int n, long& err) {
            err = 24 - 32L * n;
            return atan_big(big_of(ax, n), n);
        });
    }
    return std::copysign(out, x);
}

double cr_atan2(double y, double x) {
    if (std::isnan(x) || std::isnan(y)) return x + y;
    const double ay = std::fabs(y), ax = std::fabs(x);
    const bool x_negative = std::signbit(x);
    if (ay == 0) return std::copysign(x_negative ? kPiHi : 0.0, y);
    if (ax == 0) return std::copysign(kHalfPiHi, y);
    if (std::isinf(ay)) return std::copysign(std::isinf(ax) ? (x_negative ? kThreeQuarterPi : kQuarterPi) : kHalfPiHi, y);
    if (std::isinf(ax)) return std::copysign(x_negative ? kPiHi : 0.0, y);
    // atan of the ratio q = small/large <= 1; then pi/2 - that when |y| > |x|
    // and pi - that when x < 0.
    const bool swapped = ay > ax;
    const double num = swapped ? ax : ay, den = swapped ? ay : ax;
    const int en = exponent_of(num), ed = exponent_of(den);
    const int d = en - ed;  // q in [2^(d-1), 2^(d+1))
    double out = 0;
    bool decided = false;
    if (d >= -62) {
        // Both scaled alike, den into [1, 2): exact, num stays above 2^-64.
        decided = atan_ratio({times_pow2(num, -ed), 0}, {times_pow2(den, -ed), 0}, swapped, x_negative, out);
    } else if (swapped || x_negative) {
        // pi/2 -+ q and pi - q with q < 2^-61 round to pi/2 and pi rounded.
        out = swapped ? kHalfPiHi : kPiHi;
        decided = true;
    } else if (d >= -900) {
        // atan q = q - q^3/3 + ... with q = num/den < 2^-61 as a double-double.
        const double mn = times_pow2(num, -en), md = times_pow2(den, -ed);  // in [1, 2), exact
        const double qm = mn / md;
        const DD p = two_prod(qm, md);
        const DD q = {std::scalbn(qm, d), std::scalbn(((mn - p.hi) - p.lo) / md, d)};
        decided = round_checked(q.hi, q.lo - q.hi * q.hi * q.hi / 3, q.hi * 0x1p-100, out);
    }
    if (!decided) {
        out = decide([&](int n, long& err) {
            err = 24 - 32L * n;
            const Big a = atan_big(quotient(big_of(ay, n), big_of(ax, n), n), n);
            return x_negative ? sub(big_pi(n), a, n) : a;
        });
    }
    return std::copysign(out, y);
}

double cr_asin(double x) {
    if (std::isnan(x)) return x + x;
    const double ax = std::fabs(x);
    if (ax > 1) return std::numeric_limits<double>::quiet_NaN();
    if (ax == 1) return std::copysign(kHalfPiHi, x);
    if (ax < 0x1p-27) return x;  // asin x = x + x^3/6 + ... rounds to x
    // asin x = atan(x / sqrt(1 - x^2)), through the reciprocal above 1/sqrt 2.
    const DD s = sqrt_one_minus_square(ax);
    double out = 0;
    const bool decided = ax <= s.hi ? atan_ratio({ax, 0}, s, false, false, out)
                                    : atan_ratio(s, {ax, 0}, true, false, out);
    if (!decided) {
        out = decide([&](int n, long& err) {
            err = 24 - 32L * n;
            const Big b = big_of(ax, n);
            return atan_big(quotient(b, square_root(sub(big_one(n), mul(b, b, n), n), n), n), n);
        });
    }
    return std::copysign(out, x);
}

double cr_acos(double x) {
    if (std::isnan(x)) return x + x;
    const double ax = std::fabs(x);
    if (ax > 1) return std::numeric_limits<double>::quiet_NaN();
    if (x == 1) return 0.0;
    if (x == -1) return kPiHi;
    if (ax == 0) return kHalfPiHi;
    // acos x = atan(sqrt(1 - x^2) / x) for x > 0, pi minus that for x < 0.
    const DD s = sqrt_one_minus_square(ax);
    double out = 0;
    const bool decided = s.hi <= ax ? atan_ratio(s, {ax, 0}, false, x < 0, out)
                                    : atan_ratio({ax, 0}, s, true, x < 0, out);
    if (decided) return out;
    return decide([&](int n, long& err) {
        err = 24 - 32L * n;
        const Big b = big_of(ax, n);
        const Big a = atan_big(quotient(square_root(sub(big_one(n), mul(b, b, n), n), n), b, n), n);
        return x < 0 ? sub(big_pi(n), a, n) : a;
    });
}

namespace {

// hypot settled exactly: a (in [1, 2)) and b are the arguments scaled by
// 2^-e, approx is sqrt(a^2 + b^2) to about 2^-98. The answer is the double
// near approx 2^e whose rounding interval holds the exact value; the ends of
// the intervals are compared squared, in integers wide enough to be exact.
double hypot_exact(double a, double b, int e, double approx) {
    // The candidate and its neighbours, on the scale of a and b. In the
    // normal range the grid scales with the exponent; near the subnormal
    // range it is fixed, so the neighbours are taken on the true scale.
    double c = 0, up = 0, down = 0;
    const bool normal = e >= -1020;
    if (normal) {
        c = approx;
        up = std::nextafter(c, 4.0);
        down = std::nextafter(c, 0.0);
    } else {
        const double t = std::scalbn(approx, e);
        c = std::scalbn(t, -e);
        up = std::scalbn(std::nextafter(t, 1.0), -e);
        down = std::scalbn(std::nextafter(t, 0.0), -e);
    }
    constexpr int n = 12;  // 384 bits: a^2 + b^2 spans at most 230 bits
    const Big s = add(mul(big_of(a, n), big_of(a, n), n), mul(big_of(b, n), big_of(b, n), n), n);
    auto versus_midpoint = [&](double neighbour) {  // sign of s - ((c + neighbour)/2)^2
        const Big m = scaled(add(big_of(c, n), big_of(neighbour, n), n), -1);
        return sub(s, mul(m, m, n), n).sign;
    };
    auto even = [](double p, double q) { return (bits_of(p) & 1) == 0 ? p : q; };
    double r = c;
    const int above = versus_midpoint(up);
    if (above > 0) {
        r = up;
    } else if (above == 0) {
        r = even(c, up);
    } else {
        const int below = versus_midpoint(down);
        if (below < 0) r = down;
        if (below == 0) r = even(c, down);
    }
    return std::scalbn(r, e);  // exact, or beyond the largest double: infinity
}

}  // namespace

double cr_hypot(double x, double y) {
    if (std::isinf(x) || std::isinf(y)) return std::numeric_limits<double>::infinity();
    if (std::isnan(x) || std::isnan(y)) return x + y;
    double a = std::fabs(x), b = std::fabs(y);
    if (a < b) std::swap(a, b);
    if (b == 0) return a;
    const int e = exponent_of(a);
    // b < a 2^-60: sqrt(a^2 + b^2) = a (1 + (b/a)^2/2 - ...) lies within
    // 2^-120 a above a, well inside a's rounding interval.
    if (e - exponent_of(b) > 60) return a;
    a = times_pow2(a, -e);  // exact: a in [1, 2), b >= 2^-61
    b = times_pow2(b, -e);
    const DD a2 = two_prod(a, a), b2 = two_prod(b, b);
    const DD s = two_sum(a2.hi, b2.hi);
    const DD r = sqrt_dd(fast_two_sum(s.hi, s.lo + (a2.lo + b2.lo)));
    double out = 0;
    if (e >= -1020 && round_checked(r.hi, r.lo, r.hi * 0x1p-98, out)) return e < 1000 ? out * pow2(e) : std::scalbn(out, e);
    return hypot_exact(a, b, e, r.hi);
}

}  // namespace tracemill
