"""Python's math module with sin, cos, tan, asin, acos, atan, atan2 and hypot
rounded correctly (the exact value rounded to the nearest double, ties to
even), as the program computes them. The exact values come from mpmath's
low-level functions, their precision growing until the rounding is certain;
hypot is settled in exact integers. Each result is kept, so that a value met
again costs one look-up. NaN, infinities, zeros and arguments outside the
domain go to math as they are (those results are exact there). The reference
scripts import this module in place of math."""
import math
from math import *  # noqa: F401,F403 (sqrt, fabs and the rest are exact as math has them)

import mpmath
from mpmath import libmp, mp, mpf


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


def _rounded(f, args):
    """f(*args) (an mpmath.libmp function of mpf values: f(*values, prec,
    rounding)) for doubles, nonzero result, rounded to the nearest double as
    round_to_double does it, on the result's own integers: v = man 2^exp with
    bc bits in man."""
    values = [libmp.from_float(a) for a in args]
    for prec in (160, 400, 1200, 4000):
        sign, man, exp, bc = f(*values, prec, 'n')
        if man == 0:
            return 0.0
        q = max(exp + bc - 53, -1074)  # the spacing of the doubles near v is 2^q
        k = q - exp  # v / 2^q = man / 2^k
        if k <= 0:
            whole = man << -k  # a double exactly (a few bits only)
        else:
            whole = man >> k
            rest = man - (whole << k)  # frac = rest / 2^k
            off = abs(2 * rest - (1 << k))  # |frac - 1/2| = off / 2^(k+1)
            if (off << (prec - 60)) <= (1 << (k + 1)):  # |frac - 1/2| <= 2^(60-prec)
                continue
            whole += 1 if 2 * rest > (1 << k) else 0
        r = math.inf if whole.bit_length() + q > 1024 else math.ldexp(float(whole), q)
        return -r if sign else r
    raise ArithmeticError(f"rounding of {f.__name__}{args} undecided")


def _kept(f):
    """The correctly rounded f of finite nonzero doubles, each result kept
    (zeros never reach it, so -0.0 and 0.0 are not confused as keys)."""
    results = {}

    def g(*args):
        r = results.get(args)
        if r is None:
            r = results[args] = _rounded(f, args)
        return r
    return g


_sin, _cos, _tan = _kept(libmp.mpf_sin), _kept(libmp.mpf_cos), _kept(libmp.mpf_tan)
_asin, _acos, _atan = _kept(libmp.mpf_asin), _kept(libmp.mpf_acos), _kept(libmp.mpf_atan)
_atan2 = _kept(libmp.mpf_atan2)


def _regular(*args):
    return all(math.isfinite(a) and a != 0 for a in args)


def sin(x):
    x = float(x)
    return _sin(x) if _regular(x) else math.sin(x)


def cos(x):
    x = float(x)
    return _cos(x) if _regular(x) else math.cos(x)


def tan(x):
    x = float(x)
    return _tan(x) if _regular(x) else math.tan(x)


def asin(x):
    x = float(x)
    return _asin(x) if _regular(x) and abs(x) <= 1 else math.asin(x)


def acos(x):
    x = float(x)
    return _acos(x) if _regular(x) and abs(x) < 1 else math.acos(x)


def atan(x):
    x = float(x)
    return _atan(x) if _regular(x) else math.atan(x)


def atan2(y, x):
    y, x = float(y), float(x)
    if not _regular(y, x):
        return math.atan2(y, x)
    r = _atan2(y, x)
    return math.copysign(r, y) if r == 0 else r  # an angle below the smallest double


def _integer(v):
    """A finite double as M 2^e with M an integer."""
    m, e = math.frexp(v)
    return int(m * 2.0 ** 53), e - 53


def hypot(x, y):
    x, y = float(x), float(y)
    if not (math.isfinite(x) and math.isfinite(y)):
        return math.hypot(x, y)
    (X, a), (Y, b) = _integer(x), _integer(y)
    k = min(a, b)
    S = (X << (a - k)) ** 2 + (Y << (b - k)) ** 2  # x² + y² = S 4^k exactly
    if S == 0:
        return 0.0
    e = k + (S.bit_length() - 1) // 2  # 2^e <= sqrt(S 4^k) < 2^(e+1)
    q = max(e - 52, -1074)  # the doubles there are 2^q apart
    d = q - k  # t = sqrt(x² + y²) / 2^q = sqrt(S / 4^d)
    if d <= 0:
        T = S << (-2 * d)
        n = math.isqrt(T)  # floor(t); t is never a midpoint here
        n += 1 if 4 * T > (2 * n + 1) ** 2 else 0
    else:
        n = math.isqrt(S >> (2 * d))  # floor(t)
        above = 4 * S - ((2 * n + 1) ** 2 << (2 * d))  # sign of t² - (n + 1/2)²
        if above > 0 or (above == 0 and n % 2 == 1):
            n += 1
    return math.inf if n.bit_length() + q > 1024 else math.ldexp(float(n), q)
