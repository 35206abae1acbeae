#!/usr/bin/env python3
"""Reference computation of the lower-case v w x y z k, written apart from
the C++ generators to derive the expected rows of
tests/examples/lower_vwxyzk.txt.

Every formula is evaluated in the form the construction states it, in IEEE
double arithmetic (Python floats), with Pi = 3.14159265358979. Entities are
printed in the data file's format with nine decimals; a stop is printed as
"stop <message without the trailing line break>". Degenerate entities are
left out (tests/reference/rows.py), and so are outline edges within the
rounding noise of the cell (see draw).

Usage: lower_vwxyzk.py GLYPH x y W H t
"""
import crmath as math
import sys

from rows import arc as arc_row, line as line_row

Pi = 3.14159265358979
NAMES = {'v': 'ｖ', 'w': 'ｗ', 'x': 'ｘ', 'y': 'ｙ', 'z': 'ｚ', 'k': 'ｋ'}


class Stop(Exception):
    pass


class Out:
    def __init__(self, name, noise):
        self.rows = []
        self.stop = None
        self.name = name
        self.noise = noise

    def arc(self, cx, cy, rad, a0, a1):
        self.rows += arc_row(6, cx, cy, rad, a0, a1)

    def line(self, col, x1, y1, x2, y2):
        if col == 6 and math.hypot(x2 - x1, y2 - y1) <= self.noise:
            return
        self.rows += line_row(col, x1, y1, x2, y2)

    def test(self, value, t):
        if not (value > t):
            self.stop = '文字の %s の 線幅 は %.1f 未満です。' % (self.name, value)
            raise Stop()


def deg(v):
    return v * 180 / Pi


def rad(a):
    return a * Pi / 180


def v_(o, x, y, W, H, t):
    r = t / 2
    xL, xM, xR = x + r, x + W / 2, x + W - r
    yT, yB = y - 0.4 * H, y - H + r
    o.test(W / 1.63, t)
    o.test(0.4 * H * 2, t)
    a = deg(math.atan((yT - yB) / (xR - xM)))
    s, c = r * math.sin(rad(a)), r * math.cos(rad(a))
    yN = yB + r / math.cos(rad(a))
    o.test((xM - xL) / math.sin(rad(a)) + r, t)
    o.arc(xL, yT, r, 90 - a, 270 - a)
    o.arc(xM, yB, r, -a - 90, a - 90)
    o.arc(xR, yT, r, a - 90, a + 90)
    o.line(4, xL, yT, xM, yB)
    o.line(6, xL - s, yT - c, xM - s, yB - c)
    o.line(6, xL + s, yT + c, xM, yN)
    o.line(4, xM, yB, xR, yT)
    o.line(6, xM + s, yB - c, xR + s, yT - c)
    o.line(6, xM, yN, xR - s, yT + c)


def w_(o, x, y, W, H, t):
    r = t / 2
    x1, x2, x3 = x + r, x + r + (W - t) / 4, x + W / 2
    x4, x5 = x + r + 3 * (W - t) / 4, x + W - r
    yT, yB = y - 0.4 * H, y - H + r
    o.test(W / 2.25, t)
    o.test(0.4 * H * 2, t)
    a = deg(math.atan((yT - yB) / (x5 - x4)))
    s, c = r * math.sin(rad(a)), r * math.cos(rad(a))
    d = r / math.cos(rad(a))
    o.test(W / (2 * math.sin(rad(a)) + 1), t)
    o.arc(x1, yT, r, 90 - a, 270 - a)
    o.arc(x2, yB, r, -a - 90, a - 90)
    o.arc(x3, yT, r, 90 - a, a + 90)
    o.arc(x4, yB, r, -a - 90, a - 90)
    o.arc(x5, yT, r, a - 90, a + 90)
    o.line(4, x1, yT, x2, yB)
    o.line(6, x1 - s, yT - c, x2 - s, yB - c)
    o.line(6, x1 + s, yT + c, x2, yB + d)
    o.line(4, x2, yB, x3, yT)
    o.line(6, x2, yB + d, x3 - s, yT + c)
    o.line(6, x2 + s, yB - c, x3, yT - d)
    o.line(4, x3, yT, x4, yB)
    o.line(6, x3 + s, yT + c, x4, yB + d)
    o.line(6, x3, yT - d, x4 - s, yB - c)
    o.line(4, x4, yB, x5, yT)
    o.line(6, x4 + s, yB - c, x5 + s, yT - c)
    o.line(6, x4, yB + d, x5 - s, yT + c)


def cross(o, x, y, W, H, t):
    r = t / 2
    xL, xM, xR = x + r, x + W / 2, x + W - r
    yT, yB = y - 0.4 * H, y - H + r
    o.test(W / 1.71, t)
    o.test(H / 2.02, t)
    yM = y - ((0.4 + 1) * H - r) / 2
    a = deg(math.atan((yT - yB) / (xR - xL)))
    s, c = r * math.sin(rad(a)), r * math.cos(rad(a))
    p, q = r / math.sin(rad(a)), r / math.cos(rad(a))
    o.test(W / (math.sin(rad(a)) + 1), t)
    o.test((1 - 0.4) * H / (math.cos(rad(a)) + 0.5), t)
    return r, xL, xM, xR, yT, yB, yM, a, s, c, p, q


def x_(o, x, y, W, H, t):
    r, xL, xM, xR, yT, yB, yM, a, s, c, p, q = cross(o, x, y, W, H, t)
    o.arc(xL, yT, r, 90 - a, 270 - a)
    o.arc(xL, yB, r, a - 270, a - 90)
    o.arc(xR, yB, r, -a - 90, 90 - a)
    o.arc(xR, yT, r, a - 90, a + 90)
    o.line(4, xL, yT, xR, yB)
    o.line(6, xL - s, yT - c, xM - p, yM)
    o.line(6, xL + s, yT + c, xM, yM + q)
    o.line(6, xM + p, yM, xR + s, yB + c)
    o.line(6, xM, yM - q, xR - s, yB - c)
    o.line(4, xL, yB, xR, yT)
    o.line(6, xL - s, yB + c, xM - p, yM)
    o.line(6, xL + s, yB - c, xM, yM - q)
    o.line(6, xM, yM + q, xR - s, yT + c)
    o.line(6, xM + p, yM, xR + s, yT - c)


def y_(o, x, y, W, H, t):
    r, xL, xM, xR, yT, yB, yM, a, s, c, p, q = cross(o, x, y, W, H, t)
    o.arc(xL, yT, r, 90 - a, 270 - a)
    o.arc(xL, yB, r, a - 270, a - 90)
    o.arc(xR, yT, r, a - 90, a + 90)
    o.line(4, xL, yT, xM, yM)
    o.line(6, xL - s, yT - c, xM - p, yM)
    o.line(6, xL + s, yT + c, xM, yM + q)
    o.line(4, xL, yB, xR, yT)
    o.line(6, xL - s, yB + c, xM - p, yM)
    o.line(6, xL + s, yB - c, xR + s, yT - c)
    o.line(6, xM, yM + q, xR - s, yT + c)


def z_(o, x, y, W, H, t):
    r = t / 2
    xL, xR = x + r, x + W - r
    yT, yB = y - 0.4 * H, y - H + r
    o.test(W / 1.57, t)
    o.test((1 - 0.4) * H / 1.5, t)
    a = deg(math.atan(abs(yT - yB) / abs(xR - xL)))
    s, c = r * math.sin(rad(a)), r * math.cos(rad(a))
    e = (r / math.cos(rad(a)) + r) / math.tan(rad(a))
    f = ((xR - xL) - r / math.tan(rad(a))) * math.sin(rad(a)) + r
    o.test(f, t)
    o.arc(xL, yT, r, 90, 270)
    o.arc(xL, yB, r, a + 90, 270)
    o.arc(xR, yB, r, -90, 90)
    o.arc(xR, yT, r, a - 90, 90)
    o.line(4, xL, yT, xR, yT)
    o.line(6, xL, yT + r, xR, yT + r)
    o.line(6, xL, yT - r, xR - e, yT - r)
    o.line(4, xL, yB, xR, yT)
    o.line(6, xL - s, yB + c, xR - e, yT - r)
    o.line(6, xL + e, yB + r, xR + s, yT - c)
    o.line(4, xL, yB, xR, yB)
    o.line(6, xL, yB - r, xR, yB - r)
    o.line(6, xL + e, yB + r, xR, yB + r)


def k_(o, x, y, W, H, t):
    r = t / 2
    xL, xR = x + r, x + W - r
    yT, yB = y - 0.4 * H, y - H + r
    yS = y - r
    yJ = y - (0.4 + 1) * H / 2 + t / 4
    a = deg(math.atan((yT - yJ) / (xR - xL)))
    s, c = r * math.sin(rad(a)), r * math.cos(rad(a))
    u = xL + r / math.sin(rad(a))
    v = r * math.tan(rad(a)) + r / math.cos(rad(a))
    g = (1 - 0.4) * H / (math.tan(rad(a)) + 0.5 + 1 / math.cos(rad(a)))
    o.test(W / (0.5 * math.sin(rad(a)) + 1.5), t)
    o.test(g, t)
    o.arc(xL, yS, r, 0, 180)
    o.arc(xL, yB, r, -180, 0)
    o.arc(xR, yB, r, -a - 90, 90 - a)
    o.arc(xR, yT, r, a - 90, a + 90)
    o.line(4, xL, yS, xL, yB)
    o.line(6, xL - r, yS, xL - r, yB)
    o.line(6, xL + r, yS, xL + r, yJ + v)
    o.line(6, xL + r, yJ - v, xL + r, yB)
    o.line(4, xL, yJ, xR, yT)
    o.line(6, xL + r, yJ + v, xR - s, yT + c)
    o.line(6, u, yJ, xR + s, yT - c)
    o.line(4, xL, yJ, xR, yB)
    o.line(6, xL + r, yJ - v, xR - s, yB - c)
    o.line(6, u, yJ, xR + s, yB + c)


GLYPHS = {'v': v_, 'w': w_, 'x': x_, 'y': y_, 'z': z_, 'k': k_}


def draw(g, x, y, W, H, t):
    # An outline edge no longer than a quarter of the distance within which
    # the closed contours join ends is left out (a notch edge at the limit of
    # its slope test): that distance is a billionth of the cell's larger
    # side, at least two units of the ninth printed decimal, and at least 64
    # ulps of the cell's position.
    join = max(1e-9 * max(W, H), 2e-9, 64 * sys.float_info.epsilon * (abs(x) + abs(y)))
    o = Out(NAMES[g], join / 4)
    try:
        GLYPHS[g](o, x, y, W, H, t)
    except Stop:
        pass
    return o


def evaluate(g, x, y, W, H, t):
    o = draw(g, x, y, W, H, t)
    return o.rows, o.stop


def main():
    g = sys.argv[1]
    x, y, W, H, t = (float(v) for v in sys.argv[2:7])
    o = draw(g, x, y, W, H, t)
    print('case %s %s' % (g, ' '.join(sys.argv[2:7])))
    for row in o.rows:
        print(row)
    if o.stop is not None:
        print('count %d' % len(o.rows))
        print('stop ' + o.stop)


if __name__ == '__main__':
    main()
