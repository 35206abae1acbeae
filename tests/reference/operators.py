#!/usr/bin/env python3
"""Reference computation of the operators '<' '>' '+' '=' '^' '~', written apart
from the C++ generators to derive the expected entities of
tests/examples/operators.txt.

Every formula is evaluated in the form the construction states it, in IEEE
double arithmetic (Python floats), with Pi = 3.14159265358979; degrees are
converted as a * Pi / 180 and back as v * 180 / Pi. Output is in the format of
the worked-example files, nine decimals:
  ARC colour cx cy radius start end
  LINE colour x1 y1 x2 y2
A stop is printed as "stop <message>". Degenerate entities are left out
(tests/reference/rows.py).

Usage: operators.py GLYPH x y W H t
"""
import crmath as math
import sys

from rows import arc as arc_row, line as line_row, pow2

Pi = 3.14159265358979

NAMES = {'<': '＜', '>': '＞', '+': '＋', '=': '＝', '^': 'キャレット', '~': 'チルダ'}


def rad(a):
    return a * Pi / 180


def deg(v):
    return v * 180 / Pi


class Out:
    def __init__(self):
        self.rows = []
        self.stop = None

    def arc(self, cx, cy, radius, a0, a1, col=6):
        self.rows += arc_row(col, cx, cy, radius, a0, a1)

    def line(self, x1, y1, x2, y2, col=6):
        self.rows += line_row(col, x1, y1, x2, y2)

    def fits(self, limit, t):
        if limit > t:
            return True
        self.stop = limit
        return False


def angle(g, x, y, W, H, t):
    o = Out()
    r = t / 2
    Lx, Rx, Ty, Fy, My = x + r, x + W - r, y - r, y - H + r, y - H / 2
    L = deg(math.atan((Ty - My) / (Rx - Lx)))
    s = math.sin(rad(L)) * r
    c = math.cos(rad(L)) * r
    u = r / math.sin(rad(L))
    if not o.fits(H / 1.4, t) or not o.fits(H / (math.cos(rad(L)) + 1), t):
        return o
    if g == '<':
        o.arc(Lx, My, r, L + 90, 270 - L)
        o.arc(Rx, Fy, r, -90 - L, 90 - L)
        o.arc(Rx, Ty, r, L - 90, 90 + L)
        o.line(Lx, My, Rx, Ty, 4)
        o.line(Lx - s, My + c, Rx - s, Ty + c)
        o.line(Lx + u, My, Rx + s, Ty - c)
        o.line(Lx, My, Rx, Fy, 4)
        o.line(Lx - s, My - c, Rx - s, Fy - c)
        o.line(Lx + u, My, Rx + s, Fy + c)
    else:
        o.arc(Lx, Ty, r, 90 - L, 270 - L)
        o.arc(Lx, Fy, r, 90 + L, 270 + L)
        o.arc(Rx, My, r, L - 90, 90 - L)
        o.line(Lx, Ty, Rx, My, 4)
        o.line(Lx + s, Ty + c, Rx + s, My + c)
        o.line(Lx - s, Ty - c, Rx - u, My)
        o.line(Lx, Fy, Rx, My, 4)
        o.line(Lx + s, Fy - c, Rx + s, My - c)
        o.line(Lx - s, Fy + c, Rx - u, My)
    return o


def plus(x, y, W, H, t):
    o = Out()
    r = t / 2
    if not o.fits(W / 2, t) or not o.fits(H / 2, t):
        return o
    Cx, My = x + W / 2, y - H / 2
    a = (W - t) / 2 if W < H else (H - t) / 2
    o.arc(Cx - a, My, r, 90, 270)
    o.arc(Cx, My + a, r, 0, 180)
    o.arc(Cx, My - a, r, -180, 0)
    o.arc(Cx + a, My, r, -90, 90)
    o.line(Cx - a, My, Cx + a, My, 4)
    o.line(Cx - a, My + r, Cx - r, My + r)
    o.line(Cx + r, My + r, Cx + a, My + r)
    o.line(Cx - a, My - r, Cx - r, My - r)
    o.line(Cx + r, My - r, Cx + a, My - r)
    o.line(Cx, My + a, Cx, My - a, 4)
    o.line(Cx - r, My + a, Cx - r, My + r)
    o.line(Cx - r, My - r, Cx - r, My - a)
    o.line(Cx + r, My + a, Cx + r, My + r)
    o.line(Cx + r, My - r, Cx + r, My - a)
    return o


def equals(x, y, W, H, t):
    o = Out()
    r = t / 2
    if not o.fits(H / 3, t):
        return o
    Lx, Rx = x + r, x + W - r
    U, D = (y + t) - H / 2, (y - t) - H / 2
    o.arc(Lx, U, r, 90, 270)
    o.arc(Lx, D, r, 90, 270)
    o.arc(Rx, D, r, -90, 90)
    o.arc(Rx, U, r, -90, 90)
    o.line(Lx, U, Rx, U, 4)
    o.line(Lx, U + r, Rx, U + r)
    o.line(Lx, U - r, Rx, U - r)
    o.line(Lx, D, Rx, D, 4)
    o.line(Lx, D - r, Rx, D - r)
    o.line(Lx, D + r, Rx, D + r)
    return o


def caret(x, y, W, H, t):
    o = Out()
    r = t / 2
    Cx, Ty = x + W / 2, y - r
    Q = 45
    s = math.sin(rad(Q)) * r
    c = math.cos(rad(Q)) * r
    k = r / math.cos(rad(Q))
    if (not o.fits(W / (math.sin(rad(Q)) + 1), t) or not o.fits(H / 2.4, t)
            or not o.fits(((0.35 * H + r) + c) - k, t)):
        return o
    a = (0.35 * H - r) / math.tan(rad(Q))
    b = (W - t) / 2
    if a >= b:
        Xl, Xr, Yf = x + r, x + W - r, Ty - ((W - t) * math.tan(rad(Q))) / 2
    else:
        Xl, Xr, Yf = Cx - a, a + Cx, y - 0.35 * H
    o.arc(Xl, Yf, r, Q - 270, Q - 90)
    o.arc(Cx, Ty, r, 90 - Q, 90 + Q)
    o.arc(Xr, Yf, r, -90 - Q, 90 - Q)
    o.line(Xl, Yf, Cx, Ty, 4)
    o.line(Xl - s, Yf + c, Cx - s, Ty + c)
    o.line(Xl + s, Yf - c, Cx, Ty - k)
    o.line(Cx, Ty, Xr, Yf, 4)
    o.line(Cx + s, Ty + c, Xr + s, Yf + c)
    o.line(Cx, Ty - k, Xr - s, Yf - c)
    return o


def tilde(x, y, W, H, t):
    o = Out()
    r = t / 2
    Lx, Rx = x + r, x + W - r
    P1 = (W + t) / 4 + x
    P2 = (x + r) + ((W - t) * 3) / 4
    if not o.fits(W / 3, t) or not o.fits((0.35 * H) / 1.5, t):
        return o
    if 0.35 * H >= W / 2:
        rho = (W - t) / 4
        Yc = (y - r) - rho
        for cx, a0, a1 in ((P1, 0, 180), (P2, -180, 0)):
            o.arc(cx, Yc, rho, a0, a1, 4)
            o.arc(cx, Yc, rho + r, a0, a1)
            o.arc(cx, Yc, rho - r, a0, a1)
        o.arc(Lx, Yc, r, -180, 0)
        o.arc(Rx, Yc, r, 0, 180)
        return o
    Ym = (y - r) - (0.35 * H - r) / 2
    T = deg(math.atan(((0.35 * H - r) * 2) / (W - t)))
    rho = math.sqrt(pow2((0.35 * H - r) / 2) + pow2((W - t) / 4)) / (2 * math.sin(rad(T)))
    Y1 = (y - r) - rho
    Y2 = (y - 0.35 * H) + rho
    for cx, cy, a0, a1 in ((P1, Y1, 90 - 2 * T, 2 * T + 90), (P2, Y2, -90 - 2 * T, 2 * T - 90)):
        o.arc(cx, cy, rho, a0, a1, 4)
        o.arc(cx, cy, rho + r, a0, a1)
        o.arc(cx, cy, rho - r, a0, a1)
    o.arc(Lx, Ym, r, 2 * T - 270, 2 * T - 90)
    o.arc(Rx, Ym, r, 2 * T - 90, 2 * T + 90)
    return o


def draw(g, x, y, W, H, t):
    if g in '<>':
        return angle(g, x, y, W, H, t)
    return {'+': plus, '=': equals, '^': caret, '~': tilde}[g](x, y, W, H, t)


GLYPHS = dict.fromkeys('<>+=^~', draw)


def evaluate(g, x, y, W, H, t):
    o = draw(g, x, y, W, H, t)
    stop = None if o.stop is None else '文字の %s の 線幅 は %.1f 未満です。' % (NAMES[g], o.stop)
    return o.rows, stop


if __name__ == '__main__':
    g = sys.argv[1]
    x, y, W, H, t = (float(v) for v in sys.argv[2:7])
    o = draw(g, x, y, W, H, t)
    for row in o.rows:
        print(row)
    if o.stop is not None:
        print('stop 文字の %s の 線幅 は %.1f 未満です。' % (NAMES[g], o.stop))
