#!/usr/bin/env python3
"""Reference computation of the digits '0', '1', '4' and '7', written apart
from the C++ generators to derive the expected entity lists of
tests/examples/digits_0147.txt.

Every formula is evaluated in the form and order the construction states it,
in IEEE double arithmetic (Python floats), with Pi = 3.14159265358979: angles
from atan become degrees as x * 180 / Pi, and go back to radians as
x * Pi / 180. Entities are printed one per line with nine decimals:
  ARC colour cx cy radius start end
  LINE colour x1 y1 x2 y2
  CIRCLE colour cx cy radius
Entities that the program's output drops are left out here too (see
tests/reference/rows.py).
A stop is printed as "STOP <value with one decimal>".

Usage: digits_0147.py GLYPH x y W H t
"""
import crmath as math
import sys

from rows import arc as arc_row, circle as circle_row, line as line_row, positive

Pi = 3.14159265358979


class Out:
    def __init__(self):
        self.rows = []
        self.stop = None

    def arc(self, cx, cy, rad, a0, a1, col):
        self.rows += arc_row(col, cx, cy, rad, a0, a1)

    def line(self, x1, y1, x2, y2, col):
        self.rows += line_row(col, x1, y1, x2, y2)

    def circle(self, cx, cy, rad, col):
        self.rows += circle_row(col, cx, cy, rad)


def zero(x, y, W, H, t):
    o = Out()
    r = t / 2
    K = 0.46 * W
    xm = x + W / 2
    if not (0.46 * W > t):
        o.stop = 0.46 * W
        return o
    if not (H / 2 > t):
        o.stop = H / 2
        return o
    if H - t > K:
        # tall oval: half circles above and below, vertical sides
        R0 = K / 2
        Cty = y - R0 - r
        Cby = y - H + R0 + r
        for R, col in ((R0, 4), ((K + t) / 2, 6), ((K - t) / 2, 6)):
            if not positive(R):
                continue  # a counter shrunk to a slit: none of it is outline
            o.arc(xm, Cty, R, 0, 180, col)
            o.arc(xm, Cby, R, -180, 0, col)
            o.line(xm - R, Cty, xm - R, Cby, col)
            o.line(xm + R, Cty, xm + R, Cby, col)
    elif H - t == K:
        # circle
        Cy = y - H / 2
        o.circle(xm, Cy, (H - t) / 2, 4)
        o.circle(xm, Cy, H / 2, 6)
        o.circle(xm, Cy, (H - 2 * t) / 2, 6)
    else:
        # wide oval: half circles left and right, horizontal sides
        R0 = (H - t) / 2
        Clx = x + R0 + (1 - 0.46) * W / 2
        Cly = y - H / 2
        Crx = x - R0 + (1 + 0.46) * W / 2
        for R, col in ((R0, 4), (H / 2, 6), ((H - 2 * t) / 2, 6)):
            if not positive(R):
                continue  # a counter shrunk to a slit: none of it is outline
            o.arc(Clx, Cly, R, 90, 270, col)
            o.arc(Crx, Cly, R, -90, 90, col)
            o.line(Clx, Cly - R, Crx, Cly - R, col)
            o.line(Clx, Cly + R, Crx, Cly + R, col)
    return o


def one(x, y, W, H, t):
    o = Out()
    r = t / 2
    if W >= H:
        u = 0.25 * H
    else:
        u = 0.25 * W
    xs = x + 0.55 * W
    Sy = y - H + r
    Ty = y - r
    Fx, Fy = xs - u, y - r - u
    d = r / math.sqrt(2)
    if not (0.25 * W > t):
        o.stop = 0.25 * W
        return o
    if not (0.25 * H > t):
        o.stop = 0.25 * H
        return o
    o.line(xs, Sy, xs, Ty, 4)
    o.line(Fx, Fy, xs, Ty, 4)
    o.arc(xs, Sy, r, -180, 0, 6)
    o.arc(xs, Ty, r, 0, 135, 6)
    o.arc(Fx, Fy, r, 135, 315, 6)
    o.line(xs - r, y - H + r, xs - r, y - 2 * r - 2 * d, 6)
    o.line(xs + r, y - H + r, xs + r, y - r, 6)
    o.line(xs - u + d, y - r - u - d, xs - r, y - 2 * r - 2 * d, 6)
    o.line(xs - u - d, y - r - u + d, xs - d, y - r + d, 6)
    return o


def four(x, y, W, H, t):
    o = Out()
    r = t / 2
    xs = x + 0.75 * W
    yb = y - 0.75 * H
    Lx, Ly = x + r, yb
    Ex, Ey = x + W - r, yb
    Tx, Ty = xs, y - r
    Sx, Sy = xs, y - H + r
    A = math.atan(abs((0.75 * H - r) / (0.75 * W - r))) * 180 / Pi
    a = A * Pi / 180
    sA, cA, tA = math.sin(a), math.cos(a), math.tan(a)
    K1x, K1y = x + r / sA + r / tA + r, yb + r
    K2x, K2y = xs - r, y - r - r / cA - r * tA
    if not (0.25 * W > t):
        o.stop = 0.25 * W
        return o
    if not (0.25 * H > t):
        o.stop = 0.25 * H
        return o
    o.arc(Ex, Ey, r, -90, 90, 6)
    o.line(Lx, Ly, Ex, Ey, 4)
    o.line(xs + r, yb - r, x + W - r, yb - r, 6)
    o.line(xs + r, yb + r, x + W - r, yb + r, 6)
    o.line(x + r, yb - r, xs - r, yb - r, 6)
    o.line(K1x, K1y, xs - r, yb + r, 6)
    o.arc(Lx, Ly, r, A + 90, 270, 6)
    o.line(Tx, Ty, Lx, Ly, 4)
    o.line(K1x, K1y, K2x, K2y, 6)
    o.line(x + r - sA * r, yb + cA * r, xs - sA * r, y - r + cA * r, 6)
    o.arc(Tx, Ty, r, 0, A + 90, 6)
    o.line(Tx, Ty, Sx, Sy, 4)
    o.line(K2x, K2y, xs - r, yb + r, 6)
    o.line(xs + r, y - r, xs + r, yb + r, 6)
    o.line(xs - r, yb - r, xs - r, y - H + r, 6)
    o.line(xs + r, yb - r, xs + r, y - H + r, 6)
    o.arc(Sx, Sy, r, -180, 0, 6)
    return o


def seven(x, y, W, H, t):
    o = Out()
    r = t / 2
    Bx, By = x + r, y - r
    Tx, Ty = x + W - r, y - r
    Fx, Fy = x + 0.4 * W, y - H + r
    A = math.atan(((y - r) - (y - H + r)) / ((x + W - r) - (x + 0.4 * W))) * 180 / Pi
    a = A * Pi / 180
    sA, cA, tA = math.sin(a), math.cos(a), math.tan(a)
    Kx, Ky = x + W - r - r / sA - r / tA, y - 2 * r
    tests = (
        lambda: W / 1.5,
        lambda: H / 1.9,
        lambda: ((x + W - r) - (x + r) - r / tA) * sA + r,
        lambda: y - (cA * r + (y - H + r)),
    )
    for value in tests:
        v = value()
        if not (v > t):
            o.stop = v
            return o
    o.arc(Bx, By, r, 90, 270, 6)
    o.line(x + r, y, x + W - r, y, 6)
    o.line(Bx, By, Tx, Ty, 4)
    o.line(x + r, y - 2 * r, Kx, Ky, 6)
    o.arc(Tx, Ty, r, A - 90, 90, 6)
    o.line(x + 0.4 * W - sA * r, y - H + r + cA * r, Kx, Ky, 6)
    o.line(Fx, Fy, Tx, Ty, 4)
    o.line(x + 0.4 * W + sA * r, y - H + r - cA * r, x + W - r + sA * r, y - r - cA * r, 6)
    o.arc(Fx, Fy, r, A + 90, A + 270, 6)
    return o


GLYPHS = {'0': zero, '1': one, '4': four, '7': seven}
NAMES = {'0': 'ゼロ', '1': '1', '4': '4', '7': '7'}


def evaluate(g, x, y, W, H, t):
    o = GLYPHS[g](x, y, W, H, t)
    stop = None if o.stop is None else '文字の %s の 線幅 は %.1f 未満です。' % (NAMES[g], o.stop)
    return o.rows, stop


if __name__ == '__main__':
    g = sys.argv[1]
    x, y, W, H, t = (float(v) for v in sys.argv[2:7])
    o = GLYPHS[g](x, y, W, H, t)
    for row in o.rows:
        print(row)
    if o.stop is not None:
        print('STOP %.1f' % o.stop)
