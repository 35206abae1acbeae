"""Python's math module with sin, cos, tan, asin, acos, atan, atan2 and hypot
rounded correctly (the exact value rounded to the nearest double, ties to
even), as the program computes them. The exact values come from mpmath, its
precision growing until the rounding is certain; hypot is settled in exact
rationals. NaN, infinities, zeros and arguments outside the domain go to
math as they are (those results are exact there). The reference scripts
import this module in place of math."""
import math
from fractions import Fraction
from math import *  # noqa: F401,F403 (sqrt, fabs and the rest are exact as math has them)

import mpmath
from mpmath import mp, mpf


def round_to_double(v, prec):
    """v (mpf, nonzero, known to `prec` bits) to the nearest double, ties to
    even, subnormals included; None when v lies too close to a midpoint
    between two doubles to tell at that precision."""
    _, e = mpmath.frexp(abs(v))  # |v| = m 2^e, 1/2 <= m < 1
    q = max(int(e) - 53, -1074)  # the spacing of the doubles near v is 2^q
    n = mpmath.ldexp(abs(v), -q)
    whole = int(mpmath.floor(n))
    frac = n - whole
    if abs(frac - mpf(0.5)) <= mpmath.ldexp(1, 60 - prec):
        return None
    whole += 1 if frac > 0.5 else 0
    r = math.inf if whole.bit_length() + q > 1024 else math.ldexp(float(whole), q)
    return -r if v < 0 else r


def correctly_rounded(f, *args):
    """f(*args) (an mpmath function of doubles) rounded to the nearest double."""
    for prec in (160, 400, 1200, 4000):
        with mp.workprec(prec):
            v = f(*[mpf(a) for a in args])
            if v == 0:
                return 0.0
            r = round_to_double(v, prec)
        if r is not None:
            return r
    raise ArithmeticError(f"rounding of {f.__name__}{args} undecided")


def _regular(*args):
    return all(math.isfinite(a) and a != 0 for a in args)


def sin(x):
    x = float(x)
    return correctly_rounded(mpmath.sin, x) if _regular(x) else math.sin(x)


def cos(x):
    x = float(x)
    return correctly_rounded(mpmath.cos, x) if _regular(x) else math.cos(x)


def tan(x):
    x = float(x)
    return correctly_rounded(mpmath.tan, x) if _regular(x) else math.tan(x)


def asin(x):
    x = float(x)
    return correctly_rounded(mpmath.asin, x) if _regular(x) and abs(x) <= 1 else math.asin(x)


def acos(x):
    x = float(x)
    return correctly_rounded(mpmath.acos, x) if _regular(x) and abs(x) < 1 else math.acos(x)


def atan(x):
    x = float(x)
    return correctly_rounded(mpmath.atan, x) if _regular(x) else math.atan(x)


def atan2(y, x):
    y, x = float(y), float(x)
    if not _regular(y, x):
        return math.atan2(y, x)
    r = correctly_rounded(mpmath.atan2, y, x)
    return math.copysign(r, y) if r == 0 else r  # an angle below the smallest double


def hypot(x, y):
    x, y = float(x), float(y)
    if not (math.isfinite(x) and math.isfinite(y)):
        return math.hypot(x, y)
    s = Fraction(x) ** 2 + Fraction(y) ** 2
    if s == 0:
        return 0.0
    e = (s.numerator.bit_length() - s.denominator.bit_length()) // 2
    while Fraction(4) ** e > s:
        e -= 1
    while Fraction(4) ** (e + 1) <= s:
        e += 1
    q = max(e - 52, -1074)  # 2^e <= sqrt(s) < 2^(e+1); the doubles there are 2^q apart
    t = s / Fraction(4) ** q
    n = math.isqrt(t.numerator // t.denominator)  # floor(sqrt(t))
    mid = Fraction(2 * n + 1, 2) ** 2
    if t > mid or (t == mid and n % 2 == 1):
        n += 1
    return math.inf if n.bit_length() + q > 1024 else math.ldexp(float(n), q)
