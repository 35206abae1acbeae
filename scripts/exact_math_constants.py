#!/usr/bin/python3
"""Prints the constants of src/core/exact_math.cpp, computed with mpmath at
300 bits: pi/2 cut into three 33-bit parts and a nearest-double remainder,
and the double-double tables of sin and cos at i/64 and of atan at i/64 (the
high part the nearest double, the low part the nearest double to the rest)."""
import mpmath
from mpmath import mp, mpf

mp.prec = 300


def nearest(v, bits=53):
    """v rounded to `bits` significant bits, to nearest (v is never a tie here)."""
    m, e = mpmath.frexp(v)  # v = m * 2^e, 0.5 <= |m| < 1
    return float(mpmath.ldexp(mpmath.nint(mpmath.ldexp(m, bits)), e - bits))


def dd(v):
    hi = nearest(v)
    return hi, nearest(v - mpf(hi))


def show(x):
    return float.hex(x)


half_pi = mp.pi / 2
parts, rest = [], half_pi
for _ in range(3):
    parts.append(nearest(rest, 33))
    rest -= mpf(parts[-1])
parts.append(nearest(rest))
print("pi/2 parts:", ", ".join(show(p) for p in parts))
print("pi dd:", ", ".join(show(p) for p in dd(mp.pi)))
print("pi/2 dd:", ", ".join(show(p) for p in dd(half_pi)))
print("2/pi:", show(nearest(2 / mp.pi)))
print("1/3 dd:", ", ".join(show(p) for p in dd(mpf(1) / 3)))
print("1/6 dd:", ", ".join(show(p) for p in dd(mpf(1) / 6)))
print("rounded pi/4, 3pi/4:", show(nearest(mp.pi / 4)), show(nearest(3 * mp.pi / 4)))
print("sin, cos table (i/64, i = 0..52):")
for i in range(53):
    s, c = dd(mp.sin(mpf(i) / 64)), dd(mp.cos(mpf(i) / 64))
    print(f"    {{{show(s[0])}, {show(s[1])}, {show(c[0])}, {show(c[1])}}},")
print("atan table (i/64, i = 0..64):")
for i in range(65):
    a = dd(mp.atan(mpf(i) / 64))
    print(f"    {{{show(a[0])}, {show(a[1])}}},")
