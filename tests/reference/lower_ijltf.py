#!/usr/bin/env python3
"""Reference computation of the lower-case 'i', 'j', 'l', 't' and 'f', written
apart from the C++ generators to derive the expected entities of
tests/examples/lower_ijltf.txt.

Every formula is evaluated in the form the construction states it, in IEEE
double arithmetic (Python floats). Entities are printed in the data format of
the worked-examples test, with nine decimals; like the program's output, an
entity that would be degenerate in the file is left out (tests/reference/rows.py). A stop prints as "stop <message>"
and the number of entities as "count n".

Usage: lower_ijltf.py GLYPH x y W H t
"""
import sys

from rows import arc as arc_row, circle as circle_row, line as line_row


class Out:
    def __init__(self):
        self.rows = []
        self.stop = None

    def arc(self, cx, cy, rad, a0, a1, col):
        self.rows += arc_row(col, cx, cy, rad, a0, a1)

    def circle(self, cx, cy, rad, col):
        self.rows += circle_row(col, cx, cy, rad)

    def line(self, x1, y1, x2, y2, col):
        self.rows += line_row(col, x1, y1, x2, y2)

    def fits(self, limit, t):
        if limit > t:
            return True
        self.stop = limit
        return False


def glyph_i(o, x, y, W, H, t):
    r = t / 2
    if not o.fits(W / 0.8 / 2, t) or not o.fits(0.5 * H / (0.8 * 2 + 0.5), t):
        return
    h = 0.8 * t - r
    xs = W / 2 + x
    Ty = y - 0.5 * H
    Sy = (y - H) + r
    Py = y - (0.5 * H - r) / 2
    o.arc(xs, Ty, r, 0, 180, 6)
    o.arc(xs, Sy, r, -180, 0, 6)
    o.circle(xs, Py, h, 4)
    o.circle(xs, Py, h + r, 6)
    o.line(xs, Ty, xs, Sy, 4)
    o.line(xs + r, Ty, xs + r, Sy, 6)
    o.line(xs - r, Ty, xs - r, Sy, 6)


def glyph_j(o, x, y, W, H, t):
    r = t / 2
    if not o.fits(W / (0.8 + 1.5), t) or not o.fits(0.5 * H / (0.8 * 2 + 0.5), t):
        return
    h = 0.8 * t - r
    xs = x + W - r - h
    Ty = y - 0.5 * H
    Py = y - (0.5 * H - r) / 2
    yb = (y - H) + r
    xl = x + r
    Jh = (y - 0.5 * H) - yb
    Jw = xs - xl
    o.arc(xs, Ty, r, 0, 180, 6)
    o.circle(xs, Py, h, 4)
    o.circle(xs, Py, h + r, 6)
    if Jh >= Jw:
        Q = Jw / 2
        Cx, Cy = xs - Q, yb + Q
        o.arc(Cx, Cy, Q, -180, 0, 4)
        o.arc(Cx, Cy, Q + r, -180, 0, 6)
        o.arc(Cx, Cy, Q - r, -180, 0, 6)
    else:
        Q = Jh / 2
        Clx, Cy = xl + Q, yb + Q
        Crx = xs - Q
        o.arc(Clx, Cy, Q, -180, -90, 4)
        o.arc(Clx, Cy, Q + r, -180, -90, 6)
        o.arc(Clx, Cy, Q - r, -180, -90, 6)
        o.arc(Crx, Cy, Q, -90, 0, 4)
        o.arc(Crx, Cy, Q + r, -90, 0, 6)
        o.arc(Crx, Cy, Q - r, -90, 0, 6)
        o.line(Clx, yb, Crx, yb, 4)
        o.line(Clx, yb - r, Crx, yb - r, 6)
        o.line(Clx, yb + r, Crx, yb + r, 6)
    o.arc(xl, Cy, r, 0, 180, 6)
    o.line(xs, Ty, xs, Cy, 4)
    o.line(xs + r, Ty, xs + r, Cy, 6)
    o.line(xs - r, Ty, xs - r, Cy, 6)


def glyph_l(o, x, y, W, H, t):
    r = t / 2
    if not o.fits(0.2 * W * 2, t) or not o.fits(H / 1.5, t):
        return
    Bx, By = 0.3 * W + x, y - r
    Tx, Ty = x + (0.2 + 0.3) * W, y - r
    Sy = (y - H) + r
    o.arc(Bx, By, r, 90, 270, 6)
    o.arc(Tx, Ty, r, 0, 90, 6)
    o.arc(Tx, Sy, r, -180, 0, 6)
    o.line(Bx, By, Tx, Ty, 4)
    o.line(Bx, y, Tx, y, 6)
    o.line(Bx, y - 2 * r, Tx - r, y - 2 * r, 6)
    o.line(Tx, Ty, Tx, Sy, 4)
    o.line(Tx + r, y - r, Tx + r, Sy, 6)
    o.line(Tx - r, y - 2 * r, Tx - r, Sy, 6)


def glyph_t(o, x, y, W, H, t):
    r = t / 2
    if not o.fits((1 - 0.2) * W / 2, t) or not o.fits((1 - 0.2 - 0.4 + 0.2 * 0.4) * H / 2, t):
        return
    xl = x + r
    xs = 0.2 * W + (x + r)
    xr = x + W - r
    yt = y - 0.4 * H
    N = (y - 0.4 * H) - 0.2 * ((1 - 0.4) * H)
    yb = r + (y - H)
    Th = N - yb
    Tw = xr - xs
    o.arc(xl, N, r, 90, 270, 6)
    o.arc(xs, yt, r, 0, 180, 6)
    o.arc(xr, N, r, -90, 90, 6)
    o.line(xs - r, yt, xs - r, N + r, 6)
    o.line(xs + r, yt, xs + r, N + r, 6)
    o.line(xl, N, xr, N, 4)
    o.line(xl, N + r, xs - r, N + r, 6)
    o.line(xl, N - r, xs - r, N - r, 6)
    o.line(xs + r, N + r, xr, N + r, 6)
    o.line(xs + r, N - r, xr, N - r, 6)
    if Th >= Tw:
        Q = Tw / 2
        V = yb + Q
        o.arc(xr - Q, V, Q, -180, 0, 4)
        o.arc(xr - Q, V, Q + r, -180, 0, 6)
        o.arc(xr - Q, V, Q - r, -180, 0, 6)
    else:
        Q = Th / 2
        V = yb + Q
        Clx, Crx = xs + Q, xr - Q
        o.arc(Clx, V, Q, 180, 270, 4)
        o.arc(Clx, V, Q + r, 180, 270, 6)
        o.arc(Clx, V, Q - r, 180, 270, 6)
        o.arc(Crx, V, Q, -90, 0, 4)
        o.arc(Crx, V, Q + r, -90, 0, 6)
        o.arc(Crx, V, Q - r, -90, 0, 6)
        o.line(Clx, yb, Crx, yb, 4)
        o.line(Clx, yb + r, Crx, yb + r, 6)
        o.line(Clx, yb - r, Crx, yb - r, 6)
    if not o.fits(N - V, t):
        return
    o.arc(xr, V, r, 0, 180, 6)
    o.line(xs, yt, xs, V, 4)
    o.line(xs - r, N - r, xs - r, V, 6)
    o.line(xs + r, N - r, xs + r, V, 6)


def glyph_f(o, x, y, W, H, t):
    r = t / 2
    if not o.fits(W / 3, t) or not o.fits((1 - 0.4) * H / 2, t):
        return
    xl = x + r
    xs = x + W / 2
    xr = x + W - r
    yt = y - r
    yb = r + (y - H)
    if W > H:
        N = y - (1 - 0.4) * H
        if W < 2 * H:
            N = H * (0.5 - 0.4) * (2 * H - W) / W + N
    else:
        N = y - H * 0.4
        if 2 * W > H:
            N = N - H * (0.5 - 0.4) * (2 * W - H) / H
    o.arc(xs, yb, r, -180, 0, 6)
    if W > H:
        Q = (H - t) / 4
        Clx, Crx, Cy = xs + Q, xr - Q, yt - Q
        He = yt - Q
        o.arc(Clx, Cy, Q, 90, 180, 4)
        o.arc(Clx, Cy, Q + r, 90, 180, 6)
        o.arc(Clx, Cy, Q - r, 90, 180, 6)
        o.arc(Crx, Cy, Q, 0, 90, 4)
        o.arc(Crx, Cy, Q + r, 0, 90, 6)
        o.arc(Crx, Cy, Q - r, 0, 90, 6)
        o.line(Clx, yt, Crx, yt, 4)
        o.line(Clx, yt + r, Crx, yt + r, 6)
        o.line(Clx, yt - r, Crx, yt - r, 6)
    else:
        Q = (W - t) / 4
        Cx, Cy = xs + Q, yt - Q
        He = yt - Q
        o.arc(Cx, Cy, Q, 0, 180, 4)
        o.arc(Cx, Cy, Q + r, 0, 180, 6)
        o.arc(Cx, Cy, Q - r, 0, 180, 6)
    if not o.fits(He - N, t):
        return
    o.arc(xl, N, r, 90, 270, 6)
    o.arc(xr, N, r, -90, 90, 6)
    o.arc(xr, He, r, -180, 0, 6)
    o.line(xl, N, xr, N, 4)
    o.line(xl, N + r, xs - r, N + r, 6)
    o.line(xs + r, N + r, xr, N + r, 6)
    o.line(xl, N - r, xs - r, N - r, 6)
    o.line(xs + r, N - r, xr, N - r, 6)
    o.line(xs, yb, xs, He, 4)
    o.line(xs + r, N + r, xs + r, He, 6)
    o.line(xs + r, yb, xs + r, N - r, 6)
    o.line(xs - r, N + r, xs - r, He, 6)
    o.line(xs - r, yb, xs - r, N - r, 6)


NAMES = {'i': 'ｉ', 'j': 'ｊ', 'l': 'ｌ', 't': 'ｔ', 'f': 'ｆ'}
GLYPHS = {'i': glyph_i, 'j': glyph_j, 'l': glyph_l, 't': glyph_t, 'f': glyph_f}


def evaluate(g, x, y, W, H, t):
    o = Out()
    GLYPHS[g](o, x, y, W, H, t)
    stop = None if o.stop is None else '文字の %s の 線幅 は %.1f 未満です。' % (NAMES[g], o.stop)
    return o.rows, stop


def main():
    g = sys.argv[1]
    x, y, W, H, t = (float(v) for v in sys.argv[2:7])
    o = Out()
    GLYPHS[g](o, x, y, W, H, t)
    print('case %s %s' % (g, ' '.join(sys.argv[2:7])))
    for row in o.rows:
        print(row)
    if o.stop is not None:
        print('count %d' % len(o.rows))
        print('stop 文字の %s の 線幅 は %.1f 未満です。' % (NAMES[g], o.stop))


if __name__ == '__main__':
    main()
