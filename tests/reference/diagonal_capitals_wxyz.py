#!/usr/bin/env python3
"""Reference computation of the capitals 'W', 'X', 'Y' and 'Z', written apart
from the C++ generators to derive the expected entities of
tests/examples/diagonal_capitals_wxyz.txt.

Every formula is evaluated in the form the construction states it, in IEEE
double arithmetic (Python floats), with Pi = 3.14159265358979. The output is
in the format of the examples data file:
  ARC colour cx cy radius start end
  LINE colour x1 y1 x2 y2
  stop <message without its trailing line break>
followed by the values of the validity tests, as comments. Degenerate
entities are left out as in tests/reference/rows.py.

Usage: diagonal_capitals_wxyz.py GLYPH x y W H t
"""
import crmath as math
import sys

from rows import arc as arc_row, line as line_row

Pi = 3.14159265358979


class Out:
    def __init__(self, name):
        self.name = name
        self.rows = []
        self.tests = []
        self.stopped = False

    def fits(self, limit, t):
        self.tests.append(limit)
        if limit > t:
            return True
        self.rows.append('stop 文字の %s の 線幅 は %.1f 未満です。' % (self.name, limit))
        self.stopped = True
        return False

    def arc(self, cx, cy, rad, a0, a1):
        self.rows += arc_row(6, cx, cy, rad, a0, a1)

    def line(self, x1, y1, x2, y2, col):
        self.rows += line_row(col, x1, y1, x2, y2)


def deg_of(rise, run):
    return math.atan(rise / run) * 180 / Pi


def sin_d(a):
    return math.sin(a * Pi / 180)


def cos_d(a):
    return math.cos(a * Pi / 180)


def tan_d(a):
    return math.tan(a * Pi / 180)


def glyph_w(o, x, y, W, H, t):
    r = t / 2
    Lx, Cx, Rx, Ty, Fy = x + r, x + W / 2, x + W - r, y - r, y - H + r
    P1 = (x + r) + (W - t) / 4
    P2 = (x + r) + ((W - t) * 3) / 4
    F = deg_of(Ty - Fy, Rx - P2)
    s, c = sin_d(F) * r, cos_d(F) * r
    k = r / cos_d(F)
    if not (o.fits(W / 1.5, t) and o.fits(W / (sin_d(F) + sin_d(F) + 1), t)):
        return
    o.arc(Lx, Ty, r, 90 - F, 270 - F)
    o.arc(P1, Fy, r, -F - 90, F - 90)
    o.arc(Cx, Ty, r, 90 - F, F + 90)
    o.arc(P2, Fy, r, -F - 90, F - 90)
    o.arc(Rx, Ty, r, F - 90, F + 90)
    o.line(Lx, Ty, P1, Fy, 4)
    o.line(Lx - s, Ty - c, P1 - s, Fy - c, 6)
    o.line(Lx + s, Ty + c, P1, Fy + k, 6)
    o.line(P1, Fy, Cx, Ty, 4)
    o.line(P1, Fy + k, Cx - s, Ty + c, 6)
    o.line(P1 + s, Fy - c, Cx, Ty - k, 6)
    o.line(Cx, Ty, P2, Fy, 4)
    o.line(Cx + s, Ty + c, P2, Fy + k, 6)
    o.line(Cx, Ty - k, P2 - s, Fy - c, 6)
    o.line(P2, Fy, Rx, Ty, 4)
    o.line(P2 + s, Fy - c, Rx + s, Ty - c, 6)
    o.line(P2, Fy + k, Rx - s, Ty + c, 6)


def glyph_x(o, x, y, W, H, t):
    r = t / 2
    Lx, Cx, Rx = x + r, x + W / 2, x + W - r
    Ty, My, Fy = y - r, y - H / 2, y - H + r
    G = deg_of(Ty - Fy, Rx - Lx)
    s, c = sin_d(G) * r, cos_d(G) * r
    u, v = r / sin_d(G), r / cos_d(G)
    if not (o.fits(W / 1.7, t) and o.fits(H / 1.7, t) and o.fits(W / (sin_d(G) + 1), t) and
            o.fits(H / (cos_d(G) + 1), t)):
        return
    o.arc(Lx, Ty, r, 90 - G, 270 - G)
    o.arc(Lx, Fy, r, G - 270, G - 90)
    o.arc(Rx, Fy, r, -G - 90, 90 - G)
    o.arc(Rx, Ty, r, G - 90, 90 + G)
    o.line(Lx, Ty, Rx, Fy, 4)
    o.line(Lx - s, Ty - c, Cx - u, My, 6)
    o.line(Lx + s, Ty + c, Cx, My + v, 6)
    o.line(Cx + u, My, Rx + s, Fy + c, 6)
    o.line(Cx, My - v, Rx - s, Fy - c, 6)
    o.line(Lx, Fy, Rx, Ty, 4)
    o.line(Lx - s, Fy + c, Cx - u, My, 6)
    o.line(Lx + s, Fy - c, Cx, My - v, 6)
    o.line(Cx, My + v, Rx - s, Ty + c, 6)
    o.line(Cx + u, My, Rx + s, Ty - c, 6)


def glyph_y(o, x, y, W, H, t):
    r = t / 2
    Lx, Cx, Rx = x + r, x + W / 2, x + W - r
    Ty, My, Fy = y - r, y - H / 2, y - H + r
    J = deg_of(Ty - My, Cx - Lx)
    s, c = sin_d(J) * r, cos_d(J) * r
    n = r / cos_d(J) + My
    m = cos_d(J) * r - (r - sin_d(J) * r) * tan_d(J)
    q = (H - c) - (((Rx + s) - Cx) - r) * tan_d(J)
    if not (o.fits(W / 1.6, t) and o.fits(H / 1.5, t) and o.fits(W / (sin_d(J) + 1), t) and
            o.fits(q, t)):
        return
    o.arc(Lx, Ty, r, 90 - J, 270 - J)
    o.arc(Cx, Fy, r, -180, 0)
    o.arc(Rx, Ty, r, J - 90, 90 + J)
    o.line(Lx, Ty, Cx, My, 4)
    o.line(Lx - s, Ty - c, Cx - r, My - m, 6)
    o.line(Lx + s, Ty + c, Cx, n, 6)
    o.line(Cx, My, Cx, Fy, 4)
    o.line(Cx - r, My - m, Cx - r, Fy, 6)
    o.line(Cx + r, My - m, Cx + r, Fy, 6)
    o.line(Cx, My, Rx, Ty, 4)
    o.line(Cx + r, My - m, Rx + s, Ty - c, 6)
    o.line(Cx, n, Rx - s, Ty + c, 6)


def glyph_z(o, x, y, W, H, t):
    r = t / 2
    Lx, Rx, Ty, Fy = x + r, x + W - r, y - r, y - H + r
    K = deg_of(abs(Ty - Fy), abs(Rx - Lx))
    s, c = sin_d(K) * r, cos_d(K) * r
    w = (r / cos_d(K) + r) / tan_d(K)
    q = ((Rx - Lx) - r / tan_d(K)) * sin_d(K) + r
    if not (o.fits(W / 1.5, t) and o.fits(H / 2, t) and o.fits(q, t)):
        return
    o.arc(Lx, Ty, r, 90, 270)
    o.arc(Lx, Fy, r, K + 90, 270)
    o.arc(Rx, Fy, r, -90, 90)
    o.arc(Rx, Ty, r, K - 90, 90)
    o.line(Lx, Ty, Rx, Ty, 4)
    o.line(Lx, Ty + r, Rx, Ty + r, 6)
    o.line(Lx, Ty - r, Rx - w, Ty - r, 6)
    o.line(Lx, Fy, Rx, Ty, 4)
    o.line(Lx - s, Fy + c, Rx - w, Ty - r, 6)
    o.line(Lx + w, Fy + r, Rx + s, Ty - c, 6)
    o.line(Lx, Fy, Rx, Fy, 4)
    o.line(Lx, Fy - r, Rx, Fy - r, 6)
    o.line(Lx + w, Fy + r, Rx, Fy + r, 6)


GLYPHS = {'W': glyph_w, 'X': glyph_x, 'Y': glyph_y, 'Z': glyph_z}


def evaluate(g, x, y, W, H, t):
    o = Out(g)
    GLYPHS[g](o, x, y, W, H, t)
    stop = [row[5:] for row in o.rows if row.startswith('stop ')]
    return [row for row in o.rows if not row.startswith('stop ')], (stop[0] if stop else None)


def main():
    g = sys.argv[1]
    x, y, W, H, t = (float(v) for v in sys.argv[2:7])
    o = Out(g)
    GLYPHS[g](o, x, y, W, H, t)
    print('case %s %s' % (g, ' '.join(sys.argv[2:7])))
    for row in o.rows:
        print(row)
    print('# tests: ' + ', '.join(repr(v) for v in o.tests))


if __name__ == '__main__':
    main()
