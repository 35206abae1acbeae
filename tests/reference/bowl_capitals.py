#!/usr/bin/env python3
"""Reference computation of the capitals 'B', 'P', 'R' and of the line-circle
angle routine, written apart from the C++ generators to derive the expected
entity lists of tests/examples/bowl_capitals.txt.

Every formula is evaluated in the form the construction states it, in IEEE
double arithmetic (Python floats), with Pi = 3.14159265358979. Entities are
printed in the format of the worked-example files, with nine decimals:
  ARC colour cx cy radius start end
  LINE colour x1 y1 x2 y2
A stop is printed as "stop <message>" and the count of the emitted rows as
"count n". Degenerate entities are left out as in tests/reference/rows.py.

Usage: bowl_capitals.py GLYPH x y W H t
"""
import crmath as math
import sys

from rows import arc as arc_row, line as line_row, positive

Pi = 3.14159265358979


def f9(v):
    return '%.9f' % v


class Out:
    def __init__(self):
        self.rows = []
        self.stop = None

    def arc(self, cx, cy, rad, a0, a1, col):
        self.rows += arc_row(col, cx, cy, rad, a0, a1)

    def line(self, x1, y1, x2, y2, col):
        self.rows += line_row(col, x1, y1, x2, y2)

    def arc3(self, cx, cy, rho, r, a0, a1):
        self.arc(cx, cy, rho, a0, a1, 4)
        self.arc(cx, cy, rho + r, a0, a1, 6)
        self.arc(cx, cy, rho - r, a0, a1, 6)


def msg(name, v, word='未満'):
    return '文字の %s の 線幅 は %.1f %sです。' % (name, v, word)


def line_circle_angle(R, cx, cy, px, py, a):
    """Returns the angle in degrees, or None when the line misses the circle."""
    if abs(a) in (0.0, 180.0, 360.0, 540.0):
        dd = cy - py
    elif abs(a) in (90.0, 270.0, 450.0):
        dd = cx - px
    else:
        dd = ((cx - px) * math.tan(a * Pi / 180) + py - cy) * math.cos(a * Pi / 180)
    if abs(dd) > R:
        return None
    return a - math.asin(dd / R) * 180 / Pi


def B(x, y, W, H, t):
    o = Out()
    r = t / 2
    if not (W / 2.5 > t):
        o.stop = msg('B', W / 2.5, '超過')
        return o
    if not (H / 3 > t):
        o.stop = msg('B', H / 3)
        return o
    xL, xR, yT, yM, yL = x + r, x + W - r, y - r, y - H / 2, y - H + r
    # A half-circle bowl whose inner radius does not print as a positive number
    # has shrunk to a slit: the counters' outline is not drawn.
    inner = not ((H - t) / 4 <= W - 2 * t) or positive((H - t) / 4 - r)
    o.arc(xL, yT, r, 90, 180, 6)
    o.arc(xL, yL, r, 180, 270, 6)
    o.line(xL, yT, xL, yL, 4)
    o.line(xL - r, yT, xL - r, yL, 6)
    if inner:
        o.line(xL + r, yT - r, xL + r, yM + r, 6)
    if inner:
        o.line(xL + r, yM - r, xL + r, yL + r, 6)
    if (H - t) / 4 <= W - 2 * t:
        rho = (H - t) / 4
        cx = xR - rho
        phi = math.asin(rho / (rho + r)) * 180 / Pi
        o.arc(cx, yT - rho, rho, -90, 90, 4)
        o.arc(cx, yT - rho, rho + r, -phi, 90, 6)
        o.arc(cx, yT - rho, rho - r, -90, 90, 6)
        o.arc(cx, yL + rho, rho, -90, 90, 4)
        o.arc(cx, yL + rho, rho + r, -90, phi, 6)
        o.arc(cx, yL + rho, rho - r, -90, 90, 6)
    else:
        rho = W - 2 * t
        cx = xR - rho
        phi = math.asin(rho / (rho + r)) * 180 / Pi
        o.arc3(cx, yT - rho, rho, r, 0, 90)
        o.arc(cx, yM + rho, rho, -90, 0, 4)
        o.arc(cx, yM + rho, rho + r, -phi, 0, 6)
        o.arc(cx, yM + rho, rho - r, -90, 0, 6)
        o.arc(cx, yM - rho, rho, 0, 90, 4)
        o.arc(cx, yM - rho, rho + r, 0, phi, 6)
        o.arc(cx, yM - rho, rho - r, 0, 90, 6)
        o.arc3(cx, yL + rho, rho, r, -90, 0)
        o.line(xR, yT - rho, xR, yM + rho, 4)
        o.line(xR + r, yT - rho, xR + r, yM + rho, 6)
        o.line(xR - r, yT - rho, xR - r, yM + rho, 6)
        o.line(xR, yM - rho, xR, yL + rho, 4)
        o.line(xR + r, yM - rho, xR + r, yL + rho, 6)
        o.line(xR - r, yM - rho, xR - r, yL + rho, 6)
    o.line(xL, yT, cx, yT, 4)
    o.line(xL, yT + r, cx, yT + r, 6)
    if inner:
        o.line(xL + r, yT - r, cx, yT - r, 6)
    o.line(xL, yM, cx, yM, 4)
    if inner:
        o.line(xL + r, yM + r, cx, yM + r, 6)
    if inner:
        o.line(xL + r, yM - r, cx, yM - r, 6)
    o.line(xL, yL, cx, yL, 4)
    if inner:
        o.line(xL + r, yL + r, cx, yL + r, 6)
    o.line(xL, yL - r, cx, yL - r, 6)
    return o


def P(x, y, W, H, t):
    o = Out()
    r = t / 2
    for v in (W / 2.5, H / 3):
        if not (v > t):
            o.stop = msg('P', v)
            return o
    xL, xR, yT, yM, yL = x + r, x + W - r, y - r, y - H / 2, y - H + r
    inner = not ((H - t) / 4 <= W - 2 * t) or positive((H - t) / 4 - r)
    o.arc(xL, yT, r, 90, 180, 6)
    o.arc(xL, yL, r, -180, 0, 6)
    o.line(xL, yT, xL, yL, 4)
    o.line(xL - r, yT, xL - r, yL, 6)
    if inner:
        o.line(xL + r, yT - r, xL + r, yM + r, 6)
    o.line(xL + r, yM - r, xL + r, yL, 6)
    if (H - t) / 4 <= W - 2 * t:
        rho = (H - t) / 4
        cx = xR - rho
        o.arc3(cx, yT - rho, rho, r, -90, 90)
    else:
        rho = W - 2 * t
        cx = xR - rho
        o.arc3(cx, yT - rho, rho, r, 0, 90)
        o.arc3(cx, yM + rho, rho, r, -90, 0)
        o.line(xR, yT - rho, xR, yM + rho, 4)
        o.line(xR + r, yT - rho, xR + r, yM + rho, 6)
        o.line(xR - r, yT - rho, xR - r, yM + rho, 6)
    o.line(xL, yT, cx, yT, 4)
    o.line(xL, yT + r, cx, yT + r, 6)
    if inner:
        o.line(xL + r, yT - r, cx, yT - r, 6)
    o.line(xL, yM, cx, yM, 4)
    o.line(xL + r, yM - r, cx, yM - r, 6)
    if inner:
        o.line(xL + r, yM + r, cx, yM + r, 6)
    return o


def R(x, y, W, H, t):
    o = Out()
    r = t / 2
    xL, xR, yT, yM, yL = x + r, x + W - r, y - r, y - H / 2, y - H + r
    rho = (H - t) / 4
    cx = xR - rho
    cy = yT - rho
    al = math.atan((yM - yL) / (xR - cx)) * 180 / Pi
    s = r * math.sin(al * Pi / 180)
    c = r * math.cos(al * Pi / 180)
    xK = cx + r / math.tan(al * Pi / 180) - r / math.sin(al * Pi / 180)
    for v in (W / 2.3, H / 3, xK - x):
        if not (v > t):
            o.stop = msg('R', v)
            return o
    inner = positive(rho - r)
    o.arc(xL, yT, r, 90, 180, 6)
    o.arc(xL, yL, r, -180, 0, 6)
    o.arc(xR, yL, r, -al - 90, 90 - al, 6)
    o.arc(cx, cy, rho, -90, 90, 4)
    o.arc(cx, cy, rho - r, -90, 90, 6)
    o.line(xL, yT, xL, yL, 4)
    o.line(xL - r, yT, xL - r, yL, 6)
    if inner:
        o.line(xL + r, yT - r, xL + r, yM + r, 6)
    o.line(xL + r, yM - r, xL + r, yL, 6)
    o.line(xL, yT, cx, yT, 4)
    o.line(xL, yT + r, cx, yT + r, 6)
    if inner:
        o.line(xL + r, yT - r, cx, yT - r, 6)
    o.line(xL, yM, cx, yM, 4)
    if inner:
        o.line(xL + r, yM + r, cx, yM + r, 6)
    o.line(xL + r, yM - r, xK, yM - r, 6)
    o.line(cx, yM, xR, yL, 4)
    o.line(xK, yM - r, xR - s, yL - c, 6)
    v = line_circle_angle(rho + r, 0, cy, cx - xR - s, yL + c, al)
    if v is None:
        o.stop = '文字の R で外円と傾斜右の直線との交点が有りません。'
        return o
    o.arc(cx, cy, rho + r, -v, 90, 6)
    o.line(cx + (rho + r) * math.cos(v * Pi / 180), cy - (rho + r) * math.sin(v * Pi / 180),
           xR + s, yL + c, 6)
    return o


GLYPHS = {'B': B, 'P': P, 'R': R}


def evaluate(g, x, y, W, H, t):
    o = GLYPHS[g](x, y, W, H, t)
    return o.rows, o.stop


def main():
    g = sys.argv[1]
    x, y, W, H, t = (float(a) for a in sys.argv[2:7])
    o = GLYPHS[g](x, y, W, H, t)
    for row in o.rows:
        print(row)
    print('count %d' % len(o.rows))
    if o.stop is not None:
        print('stop ' + o.stop)


if __name__ == '__main__':
    main()
