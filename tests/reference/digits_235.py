#!/usr/bin/env python3
"""Reference computation of the digits '2', '3' and '5', written apart from the
C++ generators to derive the expected entity lists of tests/digits_235_test.cpp.

Every formula is evaluated in the form the construction states it, in IEEE
double arithmetic (Python floats), with Pi = 3.14159265358979; squares are
products (a*a). Entities are printed one per line with nine decimals
(degenerate ones left out, see tests/reference/rows.py):
  ARC colour cx cy radius start end
  LINE colour x1 y1 x2 y2
A stop is printed as "STOP <value with one decimal>".

Usage: digits_235.py GLYPH x y W H t
"""
import crmath as math
import sys

from rows import arc as arc_row, circle as circle_row, line as line_row

Pi = 3.14159265358979


class Out:
    def __init__(self):
        self.rows = []
        self.stop = None

    def arc(self, cx, cy, rad, a0, a1, col):
        self.rows += arc_row(col, cx, cy, rad, a0, a1)

    def line(self, x1, y1, x2, y2, col):
        self.rows += line_row(col, x1, y1, x2, y2)


def clamp(v):
    return max(-1.0, min(1.0, v))


def connector(o, r, Px, Py, C1x, C1y, rho1, C2x, C2y, rho2, A, t):
    d = math.sqrt((C1x - C2x) * (C1x - C2x) + (C2y - C1y) * (C2y - C1y))
    phi = (math.atan(abs(C1x - C2x) / (C2y - C1y)) + math.acos(clamp((rho1 + rho2) / d))) * 180 / Pi
    th = phi * Pi / 180
    s, c = math.sin(th), math.cos(th)
    o.arc(C2x, C2y, rho2 + r, phi - 90, A, 6)
    o.arc(C2x, C2y, rho2, phi - 90, A, 4)
    o.arc(C2x, C2y, rho2 - r, phi - 90, A, 6)
    o.line(C1x - (rho1 + r) * s, C1y + (rho1 + r) * c, C2x + (rho2 - r) * s, C2y - (rho2 - r) * c, 6)
    o.line(C1x - rho1 * s, C1y + rho1 * c, C2x + rho2 * s, C2y - rho2 * c, 4)
    psi = math.atan((C1x - Px) / (Py - C1y)) * 180 / Pi
    if psi > phi:
        cl = math.sqrt((C1x - Px) * (C1x - Px) + (Py - C1y) * (Py - C1y)) - rho1
    else:
        cl = ((C1x - rho1 * s - Px) + (Py - rho1 * c - C1y) / math.tan(th)) * s
    if not (cl > t):
        o.stop = cl
        return phi
    o.line(C1x - (rho1 - r) * s, C1y + (rho1 - r) * c, C2x + (rho2 + r) * s, C2y - (rho2 + r) * c, 6)
    return phi


def two(x, y, W, H, t):
    o = Out()
    r = t / 2
    if not (W / 2 > t):
        o.stop = W / 2
        return o
    if not (H / 3 > t):
        o.stop = H / 3
        return o
    K = H / 2 - r
    sigma = math.asin(clamp(r / (H / 2 - t))) * 180 / Pi

    def tail(a):
        o.arc(x + H / 2, y - H + r, H / 2, a, 180, 6)
        o.arc(x + H / 2, y - H + r, H / 2 - r, a, 180, 4)
        o.arc(x + H / 2, y - H + r, H / 2 - 2 * r, a, 180 - sigma, 6)
        o.line(x + H / 2 - (H / 2 - 2 * r) * math.cos(sigma * Pi / 180), y - H + 2 * r, x + W - r, y - H + 2 * r, 6)

    o.arc(x + r, y - H + r, r, 180, 270, 6)
    o.arc(x + W - r, y - H + r, r, -90, 90, 6)
    o.line(x + r, y - H + r, x + W - r, y - H + r, 4)
    o.line(x + r, y - H, x + W - r, y - H, 6)
    if K > W - t:
        o.arc(x + r, y - W / 2, r, -180, 0, 6)
        o.arc(x + W / 2, y - W / 2, W / 2, 0, 180, 6)
        o.arc(x + W / 2, y - W / 2, W / 2 - r, 0, 180, 4)
        o.arc(x + W / 2, y - W / 2, W / 2 - 2 * r, 0, 180, 6)
        o.line(x + W - 2 * r, y - W / 2, x + W - 2 * r, y + W / 2 - H / 2 - r, 6)
        o.line(x + W - r, y - W / 2, x + W - r, y + W / 2 - H / 2 - r, 4)
        o.line(x + W, y - W / 2, x + W, y + W / 2 - H / 2 - r, 6)
        phi = connector(o, r, x + r, y - W / 2, x + H / 2, y - H + r, H / 2 - r,
                        x + W / 2, y + W / 2 - H / 2 - r, W / 2 - r, 0, t)
        if o.stop is not None:
            return o
        tail(phi + 90)
        return o
    if K == W - t:
        o.arc(x + r, y - H / 4 - r / 2, r, -180, 0, 6)
        phi = connector(o, r, x + r, y - H / 4 - r / 2, x + H / 2, y - H + r, H / 2 - r,
                        x + W / 2, y - H / 4 - r / 2, H / 4 - r / 2, 180, t)
        if o.stop is not None:
            return o
        tail(phi + 90)
        return o
    o.arc(x + r, y - H / 4 - r / 2, r, -180, 0, 6)
    o.arc(x + H / 4 + r / 2, y - H / 4 - r / 2, H / 4 + r / 2, 90, 180, 6)
    o.arc(x + H / 4 + r / 2, y - H / 4 - r / 2, H / 4 - r / 2, 90, 180, 4)
    o.arc(x + H / 4 + r / 2, y - H / 4 - r / 2, H / 4 - 1.5 * r, 90, 180, 6)
    o.line(x + H / 4 + r / 2, y, x + W - H / 4 - r / 2, y, 6)
    o.line(x + H / 4 + r / 2, y - r, x + W - H / 4 - r / 2, y - r, 4)
    o.line(x + H / 4 + r / 2, y - 2 * r, x + W - H / 4 - r / 2, y - 2 * r, 6)
    if 1.5 * K + t > W:
        phi = connector(o, r, x + r, y - H / 4 - r / 2, x + H / 2, y - H + r, H / 2 - r,
                        x + W - H / 4 - r / 2, y - H / 4 - r / 2, H / 4 - r / 2, 90, t)
        if o.stop is not None:
            return o
        tail(phi + 90)
        return o
    cl = math.sqrt((H / 2 - r) * (H / 2 - r) + (0.75 * H - 1.5 * r) * (0.75 * H - 1.5 * r)) - (H / 2 - r)
    if not (cl > t):
        o.stop = cl
        return o
    cx, cy = x + W - H / 4 - r / 2, y - H / 4 - r / 2
    o.arc(cx, cy, H / 4 + r / 2, -90, 90, 6)
    o.arc(cx, cy, H / 4 - r / 2, -90, 90, 4)
    o.arc(cx, cy, H / 4 - 1.5 * r, -90, 90, 6)
    if 1.5 * K + t < W:
        o.line(x + H / 2, y - H / 2 + r, x + W - H / 4 - r / 2, y - H / 2 + r, 6)
        o.line(x + H / 2, y - H / 2, x + W - H / 4 - r / 2, y - H / 2, 4)
        o.line(x + H / 2, y - H / 2 - r, x + W - H / 4 - r / 2, y - H / 2 - r, 6)
    tail(90)
    return o


def three(x, y, W, H, t):
    o = Out()
    r = t / 2
    if not (W / 2 > t):
        o.stop = W / 2
        return o
    if not (H / 3 > t):
        o.stop = H / 3
        return o
    K = H / 2 - r
    o.arc(x + 0.45 * W, y - H / 2, r, 90, 270, 6)
    if K > W - t:
        al = math.acos((W / 2 - r) / (W / 2)) * 180 / Pi
        o.arc(x + r, y - W / 2, r, -180, 0, 6)
        o.arc(x + W / 2, y - W / 2, W / 2, 0, 180, 6)
        o.arc(x + W / 2, y - W / 2, W / 2 - r, 0, 180, 4)
        o.arc(x + W / 2, y - W / 2, W / 2 - 2 * r, 0, 180, 6)
        o.line(x + W, y + W / 2 - H / 2 - r, x + W, y - W / 2, 6)
        o.line(x + W - r, y + W / 2 - H / 2 - r, x + W - r, y - W / 2, 4)
        o.line(x + W - 2 * r, y + W / 2 - H / 2 - r, x + W - 2 * r, y - W / 2, 6)
        o.arc(x + W / 2, y + W / 2 - H / 2 - r, W / 2, al - 90, 0, 6)
        o.arc(x + W / 2, y + W / 2 - H / 2 - r, W / 2 - r, -90, 0, 4)
        o.arc(x + W / 2, y + W / 2 - H / 2 - r, W / 2 - 2 * r, -90, 0, 6)
        o.arc(x + W / 2, y - W / 2 - H / 2 + r, W / 2, 0, 90 - al, 6)
        o.arc(x + W / 2, y - W / 2 - H / 2 + r, W / 2 - r, 0, 90, 4)
        o.arc(x + W / 2, y - W / 2 - H / 2 + r, W / 2 - 2 * r, 0, 90, 6)
        o.line(x + W, y + W / 2 - H, x + W, y - W / 2 - H / 2 + r, 6)
        o.line(x + W - r, y + W / 2 - H, x + W - r, y - W / 2 - H / 2 + r, 4)
        o.line(x + W - 2 * r, y + W / 2 - H, x + W - 2 * r, y - W / 2 - H / 2 + r, 6)
        o.arc(x + W / 2, y + W / 2 - H, W / 2, -180, 0, 6)
        o.arc(x + W / 2, y + W / 2 - H, W / 2 - r, -180, 0, 4)
        o.arc(x + W / 2, y + W / 2 - H, W / 2 - 2 * r, -180, 0, 6)
        o.arc(x + r, y + W / 2 - H, r, 0, 180, 6)
        cl = math.sqrt((0.45 * W - r) * (0.45 * W - r) + (H / 2 - W / 2) * (H / 2 - W / 2))
        bar_end = x + W / 2
    elif K < W - t:
        be = math.acos((H / 4 - r / 2) / (H / 4 + r / 2)) * 180 / Pi
        o.arc(x + r, y - H / 4 - r / 2, r, -180, 0, 6)
        o.arc(x + H / 4 + r / 2, y - H / 4 - r / 2, H / 4 + r / 2, 90, 180, 6)
        o.arc(x + H / 4 + r / 2, y - H / 4 - r / 2, H / 4 - r / 2, 90, 180, 4)
        o.arc(x + H / 4 + r / 2, y - H / 4 - r / 2, H / 4 - 1.5 * r, 90, 180, 6)
        o.line(x + H / 4 + r / 2, y, x + W - H / 4 - r / 2, y, 6)
        o.line(x + H / 4 + r / 2, y - r, x + W - H / 4 - r / 2, y - r, 4)
        o.line(x + H / 4 + r / 2, y - 2 * r, x + W - H / 4 - r / 2, y - 2 * r, 6)
        o.arc(x + W - H / 4 - r / 2, y - H / 4 - r / 2, H / 4 + r / 2, be - 90, 90, 6)
        o.arc(x + W - H / 4 - r / 2, y - H / 4 - r / 2, H / 4 - r / 2, -90, 90, 4)
        o.arc(x + W - H / 4 - r / 2, y - H / 4 - r / 2, H / 4 - 1.5 * r, -90, 90, 6)
        o.arc(x + W - H / 4 - r / 2, y - 0.75 * H + r / 2, H / 4 + r / 2, -90, 90 - be, 6)
        o.arc(x + W - H / 4 - r / 2, y - 0.75 * H + r / 2, H / 4 - r / 2, -90, 90, 4)
        o.arc(x + W - H / 4 - r / 2, y - 0.75 * H + r / 2, H / 4 - 1.5 * r, -90, 90, 6)
        o.line(x + H / 4 + r / 2, y - H + 2 * r, x + W - H / 4 - r / 2, y - H + 2 * r, 6)
        o.line(x + H / 4 + r / 2, y - H + r, x + W - H / 4 - r / 2, y - H + r, 4)
        o.line(x + H / 4 + r / 2, y - H, x + W - H / 4 - r / 2, y - H, 6)
        o.arc(x + H / 4 + r / 2, y - 0.75 * H + r / 2, H / 4 + r / 2, 180, 270, 6)
        o.arc(x + H / 4 + r / 2, y - 0.75 * H + r / 2, H / 4 - r / 2, 180, 270, 4)
        o.arc(x + H / 4 + r / 2, y - 0.75 * H + r / 2, H / 4 - 1.5 * r, 180, 270, 6)
        o.arc(x + r, y - 0.75 * H + r / 2, r, 0, 180, 6)
        cl = math.sqrt((0.45 * W - r) * (0.45 * W - r) + (H / 4 - r / 2) * (H / 4 - r / 2))
        bar_end = x + W - H / 4 - r / 2
    else:
        al = math.acos((W / 2 - r) / (W / 2)) * 180 / Pi
        o.arc(x + r, y + W / 2 - H / 2 - r, r, -180, 0, 6)
        o.arc(x + W / 2, y + W / 2 - H / 2 - r, W / 2, al - 90, 180, 6)
        o.arc(x + W / 2, y + W / 2 - H / 2 - r, W / 2 - r, -90, 180, 4)
        o.arc(x + W / 2, y + W / 2 - H / 2 - r, W / 2 - 2 * r, -90, 180, 6)
        o.arc(x + W / 2, y - W / 2 - H / 2 + r, W / 2, -180, 90 - al, 6)
        o.arc(x + W / 2, y - W / 2 - H / 2 + r, W / 2 - r, -180, 90, 4)
        o.arc(x + W / 2, y - W / 2 - H / 2 + r, W / 2 - 2 * r, -180, 90, 6)
        o.arc(x + r, y - W / 2 - H / 2 + r, r, 0, 180, 6)
        cl = math.sqrt((0.45 * W - r) * (0.45 * W - r) + (H / 2 - W / 2) * (H / 2 - W / 2))
        bar_end = x + W / 2
    if not (cl > t):
        o.stop = cl
        return o
    o.line(x + 0.45 * W, y - H / 2 + r, bar_end, y - H / 2 + r, 6)
    o.line(x + 0.45 * W, y - H / 2, bar_end, y - H / 2, 4)
    o.line(x + 0.45 * W, y - H / 2 - r, bar_end, y - H / 2 - r, 6)
    return o


def five(x, y, W, H, t):
    o = Out()
    r = t / 2
    for v in (W / 2, (1 - 0.35 - 2 * 0.15) * H / 1.5, (W - 0.15 * H) / 1.5):
        if not (v > t):
            o.stop = v
            return o
    ga = math.asin((0.15 * H - r) / (0.15 * H + r)) * 180 / Pi
    o.arc(x + W - r, y - r, r, -90, 90, 6)
    o.line(x + r, y, x + W - r, y, 6)
    o.line(x + r, y - r, x + W - r, y - r, 4)
    o.line(x + 2 * r, y - 2 * r, x + W - r, y - 2 * r, 6)
    o.arc(x + r, y - r, r, 90, 180, 6)
    o.line(x, y - r, x, y - H / 2, 6)
    o.line(x + r, y - r, x + r, y - H / 2, 4)
    o.line(x + 2 * r, y - 2 * r, x + 2 * r, y - H / 2 + (0.15 * H + r) * math.cos(ga * Pi / 180), 6)
    o.arc(x + r, y - H / 2, r, 180, 0, 6)
    o.arc(x + 0.15 * H + r, y - H / 2, 0.15 * H + r, 90, 90 + ga, 6)
    o.arc(x + 0.15 * H + r, y - H / 2, 0.15 * H, 90, 180, 4)
    o.arc(x + 0.15 * H + r, y - H / 2, 0.15 * H - r, 90, 180, 6)
    o.arc(x + 0.15 * H + r, y - 0.85 * H + r, 0.15 * H - r, 180, 270, 6)
    o.arc(x + 0.15 * H + r, y - 0.85 * H + r, 0.15 * H, 180, 270, 4)
    o.arc(x + 0.15 * H + r, y - 0.85 * H + r, 0.15 * H + r, 180, 270, 6)
    o.arc(x + r, y - 0.85 * H + r, r, 0, 180, 6)
    Rn = W - 0.15 * H - t
    Rb = ((1 - 0.35) * H - r) / 2
    if Rn < Rb:
        cx = x + 0.15 * H + r
        cy = y - W - 0.2 * H + 2 * r
        o.arc(cx, cy, W - 0.15 * H - 3 * r, 0, 90, 6)
        o.arc(cx, cy, W - 0.15 * H - 2 * r, 0, 90, 4)
        o.arc(cx, cy, W - 0.15 * H - r, 0, 90, 6)
        o.line(x + W, y - W - 0.2 * H + 2 * r, x + W, y + W - 1.15 * H - r, 6)
        o.line(x + W - r, y - W - 0.2 * H + 2 * r, x + W - r, y + W - 1.15 * H - r, 4)
        o.line(x + W - 2 * r, y - W - 0.2 * H + 2 * r, x + W - 2 * r, y + W - 1.15 * H - r, 6)
        ly = y + W - 1.15 * H - r
        o.arc(cx, ly, W - 0.15 * H - 3 * r, -90, 0, 6)
        o.arc(cx, ly, W - 0.15 * H - 2 * r, -90, 0, 4)
        o.arc(cx, ly, W - 0.15 * H - r, -90, 0, 6)
    elif Rn > Rb:
        xs, xe = x + 0.15 * H + r, x + W - 0.325 * H - r / 2
        o.line(xs, y - 0.35 * H + r, xe, y - 0.35 * H + r, 6)
        o.line(xs, y - 0.35 * H, xe, y - 0.35 * H, 4)
        o.line(xs, y - 0.35 * H - r, xe, y - 0.35 * H - r, 6)
        cy = y - 0.675 * H + r / 2
        o.arc(xe, cy, 0.325 * H - 1.5 * r, -90, 90, 6)
        o.arc(xe, cy, 0.325 * H - r / 2, -90, 90, 4)
        o.arc(xe, cy, 0.325 * H + r / 2, -90, 90, 6)
        o.line(xs, y - H + 2 * r, xe, y - H + 2 * r, 6)
        o.line(xs, y - H + r, xe, y - H + r, 4)
        o.line(xs, y - H, xe, y - H, 6)
    else:
        cx = x + 0.15 * H + r
        cy = y - W - 0.2 * H + 2 * r
        o.arc(cx, cy, W - 0.15 * H - 3 * r, -90, 90, 6)
        o.arc(cx, cy, W - 0.15 * H - 2 * r, -90, 90, 4)
        o.arc(cx, cy, W - 0.15 * H - r, -90, 90, 6)
    return o


GLYPHS = {'2': two, '3': three, '5': five}


def evaluate(g, x, y, W, H, t):
    o = GLYPHS[g](x, y, W, H, t)
    stop = None if o.stop is None else '文字の %s の 線幅 は %.1f 未満です。' % (g, o.stop)
    return o.rows, stop


if __name__ == '__main__':
    g = sys.argv[1]
    x, y, W, H, t = (float(v) for v in sys.argv[2:7])
    o = GLYPHS[g](x, y, W, H, t)
    for row in o.rows:
        print(row)
    if o.stop is not None:
        print('STOP %.1f' % o.stop)
