import math
"""The entity rows of the worked-example files, shared by the reference
evaluations:
  ARC colour cx cy radius start end
  LINE colour x1 y1 x2 y2
  CIRCLE colour cx cy radius
every number with nine decimals, as the drawing file prints it.

An entity that would be degenerate in the file is left out, as the drawing
leaves it out: a line whose ends print alike ("-0.000000000" is the same zero
as "0.000000000"), an arc or circle whose radius does not print as a positive
number or lies below the spacing of doubles at its centre (twice the gap from
the larger centre coordinate to the next double up), an arc whose two angles
print alike. Each function returns the list of rows to add: one row or none.
"""
import crmath as math


def pow2(v):
    """pow(v, 2) correctly rounded, that is v * v: the C library's pow, which
    math.pow calls, can be one unit in the last place off for large v."""
    return v * v


def quotient(a, b):
    """a / b as a double division gives it: infinite (signed as IEEE signs it)
    or not a number where Python's division by zero raises instead."""
    if b != 0:
        return a / b
    if a == 0 or a != a:
        return float('nan')
    return math.copysign(float('inf'), a) * math.copysign(1.0, b)


def f9(v):
    return '%.9f' % v


def printed(v):
    s = f9(v)
    return '0.000000000' if s == '-0.000000000' else s


def positive(v):
    s = f9(v)
    return not s.startswith('-') and s != '0.000000000'


def below_resolution(cx, cy, rad):
    m = max(abs(cx), abs(cy))
    return rad < 2 * (math.nextafter(m, math.inf) - m)


def line(col, x1, y1, x2, y2):
    if printed(x1) == printed(x2) and printed(y1) == printed(y2):
        return []
    return ['LINE %d %s %s %s %s' % (col, f9(x1), f9(y1), f9(x2), f9(y2))]


def arc(col, cx, cy, rad, a0, a1):
    if not positive(rad) or printed(a0) == printed(a1) or below_resolution(cx, cy, rad):
        return []
    return ['ARC %d %s %s %s %s %s' % (col, f9(cx), f9(cy), f9(rad), f9(a0), f9(a1))]


def circle(col, cx, cy, rad):
    if not positive(rad) or below_resolution(cx, cy, rad):
        return []
    return ['CIRCLE %d %s %s %s' % (col, f9(cx), f9(cy), f9(rad))]
