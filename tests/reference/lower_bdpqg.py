#!/usr/bin/env python3
"""Reference computation of the lower-case 'b', 'd', 'p', 'q' and 'g', written
apart from the C++ generators to derive the expected rows of
tests/examples/lower_bdpqg.txt.

Every formula is evaluated in the form the construction states it, in IEEE
double arithmetic (Python floats), with Pi = 3.14159265358979; squares are
products (a*a). The output is a case block of the examples data format:
  case C x y W H t
  ARC colour cx cy radius start end | LINE colour x1 y1 x2 y2 | CIRCLE colour cx cy radius
  stop MESSAGE (when the glyph stops)
Entities are listed as the construction emits them, except that degenerate
ones are left out as the drawing leaves them out (tests/reference/rows.py).

Usage: lower_bdpqg.py GLYPH x y W H t
"""
import crmath as math
import sys

from rows import arc as arc_row, circle as circle_row, line as line_row, positive

Pi = 3.14159265358979
NAMES = {'b': 'ｂ', 'd': 'ｄ', 'p': 'ｐ', 'q': 'ｑ', 'g': 'ｇ'}


class Out:
    def __init__(self):
        self.rows = []
        self.stop = None

    def arc(self, col, c, rad, a0, a1):
        self.rows += arc_row(col, c[0], c[1], rad, a0, a1)

    def line(self, col, p, q):
        self.rows += line_row(col, p[0], p[1], q[0], q[1])

    def circle(self, col, c, rad):
        self.rows += circle_row(col, c[0], c[1], rad)


def glyph(g, x, y, W, H, t):
    o = Out()
    r = t / 2
    if g in 'bd':
        second = (1 - 0.4) * H * 2 / 5
        top = y - r                     # yS
        yC = y - 0.7 * H + r / 2
        hh = 0.3 * H - t / 4
    elif g in 'pq':
        second = 0.23 * H
        top = y - 0.4 * H               # yT
        yC = y - 0.63 * H
        hh = 0.23 * H
    else:
        second = 0.17 * H
        top = y - 0.4 * H
        yC = y - 0.57 * H
        hh = 0.17 * H
    for v in (W / 2, second):
        if not (v > t):
            o.stop = v
            return o
    yB = y - H + r
    if g in 'bp':
        xs, xf = x + r, x + W - r
    else:
        xs, xf = x + W - r, x + r
    xC = x + W / 2
    hw = W / 2 - r
    e = 1 if g in 'bp' else -1       # side of the stem's inner edge: xs + e*r

    # the head
    o.arc(6, (xs, top), r, 0, 180)
    if g != 'g':
        o.arc(6, (xs, yB), r, -180, 0)
        o.line(4, (xs, top), (xs, yB))
        o.line(6, (xs - e * r, top), (xs - e * r, yB))

    # bowl radius
    D = hh - 0.05 * t
    Rw = (math.sqrt(D * D + t * t) / math.cos(math.atan(D / t))) / 2 - r
    if hh >= hw and hw <= Rw:
        tall, R = True, hw
    else:
        tall = False
        R = hh if (hh <= hw and hh <= Rw) else Rw
    if not (R + r > t):
        o.stop = R + r
        return o
    al = math.acos((R - r) / (R + r)) * 180 / Pi
    # Without an inner radius that prints as a positive number the bowl is
    # solid: its inner loop (arcs and the sides between them) is not drawn.
    inner = positive(R - r)
    sg = (R + r) * math.sin(al * Pi / 180)

    yUc = yLc = None
    circle = False
    if tall:
        yUc = yC + hh - R
        yLc = yC - hh + R
        if R - sg < 0.05 * t:
            yUc = yC + hh - 0.05 * t - sg
            yLc = yC - hh + 0.05 * t + sg
        circle = (hh == hw) if g in 'bd' else (yC == yUc)
    else:
        xLc = min(xs, xf) + R
        xRc = max(xs, xf) - R
    yK = y - H + r + R
    stem_end = yK if g == 'g' else yB
    ie = xs + e * r                  # the stem's inner edge

    def six_lines():
        o.line(4, (xLc, yC + R), (xRc, yC + R))
        o.line(6, (xLc, yC + R + r), (xRc, yC + R + r))
        if inner:
            o.line(6, (xLc, yC + R - r), (xRc, yC + R - r))
        o.line(4, (xLc, yC - R), (xRc, yC - R))
        o.line(6, (xLc, yC - R - r), (xRc, yC - R - r))
        if inner:
            o.line(6, (xLc, yC - R + r), (xRc, yC - R + r))

    if circle:
        cy = yC if g in 'bd' else yUc
        o.circle(4, (xC, cy), R)
        o.circle(6, (xC, cy), R - r)
        if g in 'bp':
            o.arc(6, (xC, cy), R + r, al - 180, 180 - al)
        else:
            o.arc(6, (xC, cy), R + r, al, 360 - al)
        if g == 'g':
            o.arc(4, (xC, yK), R, -180, 0)
            o.arc(6, (xC, yK), R - r, -180, 0)
            o.arc(6, (xC, yK), R + r, -180, 0)
            o.arc(6, (xf, yK), r, 0, 180)
            o.line(4, (xs, top), (xs, yK))
            o.line(6, (xs + r, top), (xs + r, yK))
        lower = yC - sg if g in 'bd' else yLc - sg
        o.line(6, (ie, top), (ie, cy + sg))
        o.line(6, (ie, lower), (ie, stem_end))
        return o

    if tall:
        o.arc(4, (xC, yUc), R, 0, 180)
        if inner:
            o.arc(6, (xC, yUc), R - r, 0, 180)
        if g in 'bp':
            o.arc(6, (xC, yUc), R + r, 0, 180 - al)
        else:
            o.arc(6, (xC, yUc), R + r, al, 180)
        o.arc(4, (xC, yLc), R, -180, 0)
        if inner:
            o.arc(6, (xC, yLc), R - r, -180, 0)
        if g in 'bp':
            o.arc(6, (xC, yLc), R + r, al - 180, 0)
        else:
            o.arc(6, (xC, yLc), R + r, -180, -al)
        if g in 'pqg' and inner:
            o.line(6, (ie, yUc), (ie, yLc))
        o.line(4, (xf, yUc), (xf, yLc))
        # outer edge of the far side first, then its inner edge
        o.line(6, (xf + e * r, yUc), (xf + e * r, yLc))
        if inner:
            o.line(6, (xf - e * r, yUc), (xf - e * r, yLc))
        if g == 'g':
            o.arc(4, (xC, yK), R, -180, 0)
            o.arc(6, (xC, yK), R - r, -180, 0)
            o.arc(6, (xC, yK), R + r, -180, 0)
            o.arc(6, (xf, yK), r, 0, 180)
            o.line(4, (xs, top), (xs, yK))
            o.line(6, (xs + r, top), (xs + r, yK))
        o.line(6, (ie, top), (ie, yUc + sg))
        if g in 'bd' and inner:
            o.line(6, (ie, yUc), (ie, yLc))
        o.line(6, (ie, yLc - sg), (ie, stem_end))
        return o

    # wide
    L, Rt = (xLc, yC), (xRc, yC)
    o.arc(4, L, R, 90, 270)
    if g == 'd':
        o.arc(6, L, R + r, 90, 270)
        if inner:
            o.arc(6, L, R - r, 90, 270)
    else:
        if inner:
            o.arc(6, L, R - r, 90, 270)
    if g == 'b':
        o.arc(6, L, R + r, 90, 180 - al)
        o.arc(6, L, R + r, 180 + al, 270)
    elif g == 'p':
        o.arc(6, L, R + r, 90, 180 - al)
        o.arc(6, L, R + r, al - 180, -90)
    elif g in 'qg':
        o.arc(6, L, R + r, 90, 270)
    o.arc(4, Rt, R, -90, 90)
    if g == 'b':
        o.arc(6, Rt, R + r, -90, 90)
        if inner:
            o.arc(6, Rt, R - r, -90, 90)
    elif g == 'p':
        if inner:
            o.arc(6, Rt, R - r, -90, 90)
        o.arc(6, Rt, R + r, -90, 90)
    else:
        if inner:
            o.arc(6, Rt, R - r, -90, 90)
        o.arc(6, Rt, R + r, al, 90)
        o.arc(6, Rt, R + r, -90, -al)
    if g == 'g':
        for c, a0, a1 in (((xLc, yK), -180, -90), ((xRc, yK), -90, 0)):
            o.arc(4, c, R, a0, a1)
            o.arc(6, c, R - r, a0, a1)
            o.arc(6, c, R + r, a0, a1)
    six_lines()
    if g == 'g':
        o.line(4, (xLc, yB), (xRc, yB))
        o.line(6, (xLc, yB - r), (xRc, yB - r))
        o.line(6, (xLc, yB + r), (xRc, yB + r))
        o.arc(6, (xf, yK), r, 0, 180)
        o.line(4, (xs, top), (xs, yK))
        o.line(6, (xs + r, top), (xs + r, yK))
    o.line(6, (ie, top), (ie, yC + sg))
    o.line(6, (ie, yC - sg), (ie, stem_end))
    return o


GLYPHS = dict.fromkeys('bdpqg', glyph)


def evaluate(g, x, y, W, H, t):
    o = glyph(g, x, y, W, H, t)
    stop = None if o.stop is None else '文字の %s の 線幅 は %.1f 未満です。' % (NAMES[g], o.stop)
    return o.rows, stop


def main():
    g = sys.argv[1]
    x, y, W, H, t = (float(v) for v in sys.argv[2:7])
    o = glyph(g, x, y, W, H, t)
    print('case %s %s' % (g, ' '.join(sys.argv[2:7])))
    for row in o.rows:
        print(row)
    if o.stop is not None:
        print('stop 文字の %s の 線幅 は %.1f 未満です。' % (NAMES[g], o.stop))


if __name__ == '__main__':
    main()
