#!/usr/bin/python3
"""The correctly rounded functions (cr_sin ... cr_hypot) against values
computed apart from them: those of the reference scripts (reference/crmath.py:
mpmath at 160 bits and more, the precision growing until the rounding is
certain, hypot in exact rationals), the special values by the C library's
rules. Seeded random arguments in each
function's range plus the hard places: near multiples of pi/2, tiny and
subnormal arguments, |x| near 1 for asin and acos, huge and tiny ratios for
atan2 and hypot, exact hypot midpoints (ties), results in the subnormal range.

EXACT_MATH_CHECK names the checker program; EXACT_MATH_SAMPLES sets the
random arguments per function (default 20000)."""
import math
import os
import random
import struct
import subprocess
import sys

from mpmath import mp, mpf

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "reference"))
import crmath  # noqa: E402 (the correctly rounded functions of the reference scripts)
from crmath import correctly_rounded  # noqa: E402

SAMPLES = int(os.environ.get("EXACT_MATH_SAMPLES", "20000"))
PI_APP = 3.14159265358979  # the program's own pi, for angles in degrees
INF, NAN = math.inf, math.nan
TINY = 5e-324


def bits(x):
    return struct.unpack("<Q", struct.pack("<d", x))[0]


def from_bits(b):
    return struct.unpack("<d", struct.pack("<Q", b))[0]


def ulps(x, k):
    """The double k steps from x (k may be negative), through the bits."""
    if x == 0:
        x = 0.0
    b = bits(abs(x)) + k
    return math.copysign(from_bits(b), x) if b >= 0 else -from_bits(-b)


def random_double(r, lo_exp, hi_exp, signed=True):
    """Random significand, exponent uniform in [lo_exp, hi_exp] (subnormals
    below -1022)."""
    e = r.randint(lo_exp, hi_exp)
    if e < -1022:
        x = r.randrange(1 << (e + 1074), 1 << (e + 1075)) * 2.0 ** -1074
    else:
        x = math.ldexp(1.0 + r.randrange(1 << 52) * 2.0 ** -52, e)
    return -x if signed and r.random() < 0.5 else x


def pi_times(k):
    return correctly_rounded(lambda: mp.pi * k)


def special(name, x, y):
    """The C library's result for NaN, infinities and zeros, or None (for
    atan2, x and y are its first and second argument)."""
    if name in ("sin", "tan", "asin", "atan") and x == 0:
        return x
    if name in ("sin", "cos", "tan") and (math.isinf(x) or math.isnan(x)):
        return NAN
    if name in ("asin", "acos") and (math.isnan(x) or abs(x) > 1):
        return NAN
    if name == "acos" and x == 1:
        return 0.0
    if name == "atan" and math.isnan(x):
        return NAN
    if name == "hypot":
        if math.isinf(x) or math.isinf(y):
            return INF
        if math.isnan(x) or math.isnan(y):
            return NAN
    if name == "atan2":
        if math.isnan(x) or math.isnan(y):
            return NAN
        neg_x = math.copysign(1, y) < 0  # the second argument is negative or -0
        if x == 0:
            return math.copysign(pi_times(1) if neg_x else 0.0, x)
        if y == 0:
            return math.copysign(pi_times(mpf(1) / 2), x)
        if math.isinf(x):
            k = (mpf(3) / 4 if neg_x else mpf(1) / 4) if math.isinf(y) else mpf(1) / 2
            return math.copysign(pi_times(k), x)
        if math.isinf(y):
            return math.copysign(pi_times(1) if neg_x else 0.0, x)
    return None


def expected(name, x, y):
    s = special(name, x, y)
    if s is not None:
        return s
    f = getattr(crmath, name)
    return f(x, y) if name in ("atan2", "hypot") else f(x)


def near_half_pi_multiples(r, count, max_k):
    """Doubles within 3 ulps of k pi/2."""
    out = []
    for _ in range(count):
        k = r.randint(1, max_k)
        c = correctly_rounded(lambda: mp.pi * k / 2)
        out.append(math.copysign(ulps(c, r.randint(-3, 3)), r.choice((-1, 1))))
    return out


def trig_args(r, n):
    out = [0.0, -0.0, INF, -INF, NAN, TINY, -TINY, 2.0 ** -1022, 2.0 ** -27, ulps(2.0 ** -27, -1),
           2.0 ** 20, ulps(2.0 ** 20, -1), 1.7976931348623157e308, 1e22, 0.78, ulps(0.78, 1),
           PI_APP, PI_APP / 2, PI_APP / 4, -PI_APP / 6]
    out += near_half_pi_multiples(r, n // 20, 50) + near_half_pi_multiples(r, n // 20, 600000)
    for i in range(n):
        kind = i % 10
        if kind < 3:
            out.append(r.uniform(-2 * math.pi, 2 * math.pi))
        elif kind < 6:
            out.append(r.randint(-7200000, 7200000) / 10000 * PI_APP / 180)  # degrees to radians
        elif kind < 9:
            out.append(random_double(r, -30, 19))
        elif i % 100 == 9:
            out.append(random_double(r, 20, 1023))  # beyond the reduction of the fast path
        else:
            out.append(random_double(r, -1074, -27))
    return out


def unit_args(r, n):
    out = [0.0, -0.0, 1.0, -1.0, ulps(1.0, -1), ulps(-1.0, 1), ulps(1.0, 1), NAN, INF, 2.0, TINY, 0.5,
           -0.5, 2.0 ** -27, ulps(2.0 ** -27, -1), math.sqrt(0.5), ulps(math.sqrt(0.5), 1)]
    for i in range(n):
        kind = i % 8
        if kind < 3:
            out.append(r.uniform(-1, 1))
        elif kind < 5:
            out.append(math.copysign(1 - r.randint(1, 1 << 20) * 2.0 ** -53, r.choice((-1, 1))))
        elif kind == 5:
            out.append(math.copysign(1 - r.random() * 2.0 ** -r.randint(1, 52), r.choice((-1, 1))))
        elif kind == 6:
            out.append(math.cos(r.randint(0, 3600000) / 10000 * PI_APP / 180))
        else:
            out.append(random_double(r, -1074, -1))
    return out


def atan_args(r, n):
    out = [0.0, -0.0, INF, -INF, NAN, 1.0, -1.0, TINY, 2.0 ** 60, ulps(2.0 ** 60, 1), 2.0 ** -27,
           ulps(2.0 ** -27, -1), 1.7976931348623157e308]
    for i in range(n):
        kind = i % 6
        if kind < 2:
            out.append(r.uniform(-4, 4))
        elif kind < 4:
            out.append(random_double(r, -40, 70))
        elif kind == 4:
            out.append(math.tan(r.randint(-899999, 899999) / 10000 * PI_APP / 180))
        else:
            out.append(random_double(r, -1074, 1023))
    return out


def pair_args(r, n, hypot):
    specials = [0.0, -0.0, INF, -INF, NAN, 1.0, -1.0, TINY, -TINY, 1.7976931348623157e308]
    out = [(a, b) for a in specials for b in specials]
    out += [(TINY, 2.0), (3 * TINY, 2.0), (TINY, 1.0), (1e-300, 1e300), (1e300, 1e-300), (-1e-300, -1e300),
            (1.7976931348623157e308, 1.7976931348623157e308), (1e308, 1e308), (3.0, 4.0),
            (2.0 ** -1074 * 3, 2.0 ** -1074 * 4), (1.0, 2.0 ** -60), (1.0, 2.0 ** -61)]
    if hypot:
        # Pythagorean triples whose hypotenuse is a 54-bit odd integer: exact
        # midpoints between two doubles, rounded to the even one.
        for _ in range(n // 50):
            m = r.randint(int(0.95 * 2 ** 26.5), int(0.97 * 2 ** 26.5))
            k = r.randint(int(0.44 * 2 ** 26.5), int(0.46 * 2 ** 26.5)) | 1
            if (m - k) % 2 == 0:
                m += 1
            scale = 2.0 ** r.randint(-1000, 900)
            out.append(((m * m - k * k) * scale, 2 * m * k * scale))
    for i in range(n):
        kind = i % 8
        if kind < 3:
            out.append((r.uniform(-100, 100), r.uniform(-100, 100)))
        elif kind < 5:
            e = r.randint(-1074, 1020)
            out.append((random_double(r, e, e + 3), random_double(r, max(e - 60, -1074), min(e + 60, 1023))))
        elif kind == 5:
            out.append((random_double(r, -1074, 1023), random_double(r, -1074, 1023)))
        elif kind == 6:
            a = r.uniform(-100, 100)
            out.append((a, ulps(a, r.randint(-5, 5)) * r.choice((-1, 1))))
        else:
            out.append((random_double(r, 1015, 1023), random_double(r, 1015, 1023)))
    return out


def cases():
    r = random.Random(20240611)
    trig = trig_args(r, SAMPLES)
    yield from (("sin", x, 0.0) for x in trig)
    yield from (("cos", x, 0.0) for x in trig_args(r, SAMPLES))
    yield from (("tan", x, 0.0) for x in trig_args(r, SAMPLES))
    yield from (("asin", x, 0.0) for x in unit_args(r, SAMPLES))
    yield from (("acos", x, 0.0) for x in unit_args(r, SAMPLES))
    yield from (("atan", x, 0.0) for x in atan_args(r, SAMPLES))
    yield from (("atan2", y, x) for y, x in pair_args(r, SAMPLES, False))
    yield from (("hypot", x, y) for x, y in pair_args(r, SAMPLES, True))


def main():
    rows = list(cases())
    text = "".join(f"{name} {bits(x):016x} {bits(y):016x}\n" for name, x, y in rows)
    out = subprocess.run([os.environ["EXACT_MATH_CHECK"]], input=text, capture_output=True, text=True,
                         check=True).stdout.split()
    if len(out) != len(rows):
        sys.exit(f"the checker answered {len(out)} of {len(rows)} rows")
    checked, bad = {}, {}
    for (name, x, y), got_hex in zip(rows, out):
        got, want = from_bits(int(got_hex, 16)), expected(name, x, y)
        checked[name] = checked.get(name, 0) + 1
        same = math.isnan(got) if math.isnan(want) else bits(got) == bits(want)
        if not same:
            bad.setdefault(name, []).append((x, y, got, want))
    for name, n in checked.items():
        wrong = bad.get(name, [])
        print(f"{name}: {n} arguments, {len(wrong)} mismatches")
        for x, y, got, want in wrong[:5]:
            print(f"  {name}({x.hex()}, {y.hex()}) = {got.hex()}, expected {want.hex()}")
    if bad:
        sys.exit(1)


if __name__ == "__main__":
    main()
