#!/usr/bin/env python3
"""Reference computation of the capitals 'A', 'K', 'M', 'N' and 'V', written
apart from the C++ generators to derive the expected entities of
tests/examples/diagonal_capitals_akmnv.txt.

Every formula is evaluated in the form the construction states it, in IEEE
double arithmetic (Python floats), with Pi = 3.14159265358979. The output is
in the format of the examples data file:
  ARC colour cx cy radius start end
  LINE colour x1 y1 x2 y2
  stop <message without its trailing line break>
followed by the values of the validity tests, as comments. Degenerate
entities are left out as in tests/reference/rows.py.

Usage: diagonal_capitals_akmnv.py GLYPH x y W H t
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


def glyph_a(o, x, y, W, H, t):
    r = t / 2
    Lx, Cx, Rx, Ty, Fy = x + r, x + W / 2, x + W - r, y - r, y - H + r
    By = y - (1 - 0.35) * H
    A = deg_of(Ty - Fy, Cx - Lx)
    s, c = sin_d(A) * r, cos_d(A) * r
    Xl = abs(Fy - By) / tan_d(A) + Lx
    Xr = Rx - abs(Fy - By) / tan_d(A)
    p = s - (r - c) / tan_d(A)
    q = (r + c) / tan_d(A) + s
    Iy = Ty - r / cos_d(A)
    if not (o.fits(W / 2.5, t) and o.fits(0.35 * H, t) and
            o.fits(((Ty - By) - r) * cos_d(A) + r, t)):
        return
    o.arc(Lx, Fy, r, A + 90, A + 270)
    o.arc(Cx, Ty, r, 90 - A, 90 + A)
    o.arc(Rx, Fy, r, -A - 90, 90 - A)
    o.line(Lx, Fy, Cx, Ty, 4)
    o.line(Cx, Ty, Rx, Fy, 4)
    o.line(Xl, By, Xr, By, 4)
    o.line(Lx - s, Fy + c, Cx - s, Ty + c, 6)
    o.line(Cx + s, Ty + c, Rx + s, Fy + c, 6)
    o.line(Xl + p, By - r, Xr - p, By - r, 6)
    o.line(Lx + s, Fy - c, Xl + p, By - r, 6)
    o.line(Rx - s, Fy - c, Xr - p, By - r, 6)
    o.line(Xl + q, By + r, Xr - q, By + r, 6)
    o.line(Xl + q, By + r, Cx, Iy, 6)
    o.line(Cx, Iy, Xr - q, By + r, 6)


def glyph_k(o, x, y, W, H, t):
    r = t / 2
    Lx, Rx, Ty, Fy = x + r, x + W - r, y - r, y - H + r
    My = y - H / 2
    B = deg_of(abs(My - Ty), abs(Rx - Lx))
    s, c = sin_d(B) * r, cos_d(B) * r
    d = tan_d(B) * r + r / cos_d(B)
    e = r / sin_d(B) + Lx
    if not (o.fits(W / 2, t) and o.fits(H / 2, t) and o.fits(((y - My) - d) + r, t)):
        return
    o.arc(Lx, Ty, r, 0, 180)
    o.arc(Lx, Fy, r, -180, 0)
    o.arc(Rx, Ty, r, B - 90, B + 90)
    o.arc(Rx, Fy, r, -B - 90, -B + 90)
    o.line(Lx, Ty, Lx, Fy, 4)
    o.line(Lx - r, Ty, Lx - r, Fy, 6)
    o.line(Lx + r, Ty, Lx + r, My + d, 6)
    o.line(Lx + r, My - d, Lx + r, Fy, 6)
    o.line(Lx, My, Rx, Ty, 4)
    o.line(Lx + r, My + d, Rx - s, Ty + c, 6)
    o.line(e, My, Rx + s, Ty - c, 6)
    o.line(Lx, My, Rx, Fy, 4)
    o.line(Lx + r, My - d, Rx - s, Fy - c, 6)
    o.line(e, My, Rx + s, Fy + c, 6)


def glyph_m(o, x, y, W, H, t):
    r = t / 2
    Lx, Cx, Rx, Ty, Fy = x + r, x + W / 2, x + W - r, y - r, y - H + r
    C = deg_of(abs(Fy - Ty), abs(Cx - Lx))
    s, c = sin_d(C) * r, cos_d(C) * r
    g = Ty - (r / sin_d(C) + r) * tan_d(C)
    h = r / cos_d(C) + Fy
    if not (o.fits(W / 3, t) and o.fits(H / 1.5, t) and
            o.fits(W / 2 - (cos_d(C) * r) / tan_d(C) - sin_d(C) * r, t)):
        return
    o.arc(Lx, Ty, r, 90 - C, 180)
    o.arc(Lx, Fy, r, -180, 0)
    o.arc(Cx, Fy, r, -C - 90, C - 90)
    o.arc(Rx, Ty, r, 0, C + 90)
    o.arc(Rx, Fy, r, -180, 0)
    o.line(Lx, Ty, Lx, Fy, 4)
    o.line(Lx - r, Ty, Lx - r, Fy, 6)
    o.line(Lx + r, g, Lx + r, Fy, 6)
    o.line(Lx, Ty, Cx, Fy, 4)
    o.line(Lx + s, Ty + c, Cx, h, 6)
    o.line(Lx + r, g, Cx - s, Fy - c, 6)
    o.line(Cx, Fy, Rx, Ty, 4)
    o.line(Cx, h, Rx - s, Ty + c, 6)
    o.line(Cx + s, Fy - c, Rx - r, g, 6)
    o.line(Rx, Ty, Rx, Fy, 4)
    o.line(Rx + r, Ty, Rx + r, Fy, 6)
    o.line(Rx - r, g, Rx - r, Fy, 6)


def glyph_n(o, x, y, W, H, t):
    r = t / 2
    Lx, Rx, Ty, Fy = x + r, x + W - r, y - r, y - H + r
    D = deg_of(abs(Fy - Ty), abs(Rx - Lx))
    s, c = sin_d(D) * r, cos_d(D) * r
    e = (r / sin_d(D) + r) * tan_d(D)
    if not (o.fits(W / 2, t) and o.fits(H / 1.5, t) and
            o.fits((W - (cos_d(D) * r) / tan_d(D) - sin_d(D) * r) / 1.5, t)):
        return
    o.arc(Lx, Ty, r, 90 - D, 180)
    o.arc(Lx, Fy, r, -180, 0)
    o.arc(Rx, Ty, r, 0, 180)
    o.arc(Rx, Fy, r, -D - 90, 0)
    o.line(Lx, Ty, Lx, Fy, 4)
    o.line(Lx - r, Ty, Lx - r, Fy, 6)
    o.line(Lx + r, Ty - e, Lx + r, Fy, 6)
    o.line(Lx, Ty, Rx, Fy, 4)
    o.line(Lx + s, Ty + c, Rx - r, Fy + e, 6)
    o.line(Lx + r, Ty - e, Rx - s, Fy - c, 6)
    o.line(Rx, Ty, Rx, Fy, 4)
    o.line(Rx + r, Ty, Rx + r, Fy, 6)
    o.line(Rx - r, Ty, Rx - r, Fy + e, 6)


def glyph_v(o, x, y, W, H, t):
    r = t / 2
    Lx, Cx, Rx, Ty, Fy = x + r, x + W / 2, x + W - r, y - r, y - H + r
    E = deg_of(Ty - Fy, Rx - Cx)
    s, c = sin_d(E) * r, cos_d(E) * r
    h = r / cos_d(E) + Fy
    if not (o.fits(W / 1.4, t) and o.fits((Cx - Lx) / sin_d(E) + r, t)):
        return
    o.arc(Lx, Ty, r, 90 - E, 270 - E)
    o.arc(Cx, Fy, r, -E - 90, E - 90)
    o.arc(Rx, Ty, r, E - 90, E + 90)
    o.line(Lx, Ty, Cx, Fy, 4)
    o.line(Lx - s, Ty - c, Cx - s, Fy - c, 6)
    o.line(Lx + s, Ty + c, Cx, h, 6)
    o.line(Cx, Fy, Rx, Ty, 4)
    o.line(Cx + s, Fy - c, Rx + s, Ty - c, 6)
    o.line(Cx, h, Rx - s, Ty + c, 6)


GLYPHS = {'A': glyph_a, 'K': glyph_k, 'M': glyph_m, 'N': glyph_n, 'V': glyph_v}


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
