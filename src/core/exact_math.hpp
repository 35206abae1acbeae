// Correctly rounded elementary functions.
//
// Every drawing number must come out the same wherever the program runs: the
// native command and the browser build link different C libraries, whose sin,
// cos, tan, asin, acos, atan, atan2 and hypot round the last bit differently
// (and one of them picks its code path by processor). These functions return
// the exact result rounded to the nearest double (ties to even) for every
// finite argument, computed with plain IEEE double arithmetic (and, in the
// rare cases a double-double evaluation cannot decide the rounding, with
// integer arithmetic), so they give the same bits on every platform.
//
// Ranges: all finite arguments. sin, cos and tan reduce |x| < 2^20 with pi/2
// cut into doubles (the fast path); larger arguments take the multi-precision
// path directly, which is exact but some ten microseconds a call. Special
// values follow the C library: sin, cos, tan of an infinity and asin, acos
// outside [-1, 1] give NaN; NaN propagates; the signs of zeros are kept
// (atan2 of signed zeros and infinities as in C); hypot of an infinity is
// +infinity even when the other argument is NaN, and a result beyond the
// largest double is +infinity.
#pragma once

namespace tracemill {

double cr_sin(double x);
double cr_cos(double x);
double cr_tan(double x);
double cr_asin(double x);
double cr_acos(double x);
double cr_atan(double x);
double cr_atan2(double y, double x);
double cr_hypot(double x, double y);

}  // namespace tracemill
