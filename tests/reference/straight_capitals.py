#!/usr/bin/env python3
"""Reference computation of the straight capitals E F H I L T, written apart
from the C++ generators.

Every formula is evaluated in the form the construction states it, in IEEE
double arithmetic (Python floats); 2r is 2 * r. Rows are printed in the
format of the worked-example files (degenerate entities left out, see
tests/reference/rows.py); a stop is printed as "stop <message>".

Usage: straight_capitals.py GLYPH x y W H t
"""
import sys

from rows import arc as arc_row, line as line_row


class Out:
    def __init__(self):
        self.rows = []

    def arc(self, cx, cy, rad, a0, a1):
        self.rows += arc_row(6, cx, cy, rad, a0, a1)

    def line(self, col, x1, y1, x2, y2):
        self.rows += line_row(col, x1, y1, x2, y2)


def tests(g, t, *limits):
    for v in limits:
        if not (v > t):
            return '文字の %s の 線幅 は %.1f 未満です。' % (g, v)
    return None


def e_or_f(g, x, y, W, H, t):
    r = t / 2
    stop = tests(g, t, 0.6 * W, H / 3)
    if stop:
        return [], stop
    o = Out()
    o.arc(x + r, y - r, r, 90, 180)
    if g == 'E':
        o.arc(x + r, y - H + r, r, 180, 270)
    else:
        o.arc(x + r, y - H + r, r, -180, 0)
    o.arc(x + W - r, y - r, r, -90, 90)
    o.arc(x + 0.6 * W, y - H / 2, r, -90, 90)
    if g == 'E':
        o.arc(x + W - r, y - H + r, r, -90, 90)
    o.line(4, x + r, y - r, x + W - r, y - r)
    o.line(6, x + r, y, x + W - r, y)
    o.line(6, x + 2 * r, y - 2 * r, x + W - r, y - 2 * r)
    o.line(4, x + r, y - H / 2, x + 0.6 * W, y - H / 2)
    o.line(6, x + 2 * r, y - H / 2 + r, x + 0.6 * W, y - H / 2 + r)
    o.line(6, x + 2 * r, y - H / 2 - r, x + 0.6 * W, y - H / 2 - r)
    if g == 'E':
        o.line(4, x + r, y - H + r, x + W - r, y - H + r)
        o.line(6, x + r, y - H, x + W - r, y - H)
        o.line(6, x + 2 * r, y - H + 2 * r, x + W - r, y - H + 2 * r)
    o.line(4, x + r, y - r, x + r, y - H + r)
    o.line(6, x, y - r, x, y - H + r)
    o.line(6, x + 2 * r, y - 2 * r, x + 2 * r, y - H / 2 + r)
    if g == 'E':
        o.line(6, x + 2 * r, y - H / 2 - r, x + 2 * r, y - H + 2 * r)
    else:
        o.line(6, x + 2 * r, y - H / 2 - r, x + 2 * r, y - H + r)
    return o.rows, None


def h(x, y, W, H, t):
    r = t / 2
    stop = tests('H', t, W / 2, H / 2)
    if stop:
        return [], stop
    o = Out()
    o.arc(x + r, y - r, r, 0, 180)
    o.arc(x + r, y - H + r, r, -180, 0)
    o.arc(x + W - r, y - r, r, 0, 180)
    o.arc(x + W - r, y - H + r, r, -180, 0)
    o.line(4, x + r, y - r, x + r, y - H + r)
    o.line(6, x, y - r, x, y - H + r)
    o.line(6, x + 2 * r, y - r, x + 2 * r, y - H / 2 + r)
    o.line(6, x + 2 * r, y - H / 2 - r, x + 2 * r, y - H + r)
    o.line(4, x + W - r, y - r, x + W - r, y - H + r)
    o.line(6, x + W, y - r, x + W, y - H + r)
    o.line(6, x + W - 2 * r, y - r, x + W - 2 * r, y - H / 2 + r)
    o.line(6, x + W - 2 * r, y - H / 2 - r, x + W - 2 * r, y - H + r)
    o.line(4, x + r, y - H / 2, x + W - r, y - H / 2)
    o.line(6, x + 2 * r, y - H / 2 + r, x + W - 2 * r, y - H / 2 + r)
    o.line(6, x + 2 * r, y - H / 2 - r, x + W - 2 * r, y - H / 2 - r)
    return o.rows, None


def i(x, y, W, H, t):
    r = t / 2
    stop = tests('I', t, (1 - 2 * 0.35) * W, H / 2)
    if stop:
        return [], stop
    o = Out()
    o.arc(x + 0.35 * W, y - r, r, 90, 270)
    o.arc(x + 0.65 * W, y - r, r, -90, 90)
    o.arc(x + 0.35 * W, y - H + r, r, 90, 270)
    o.arc(x + 0.65 * W, y - H + r, r, -90, 90)
    o.line(4, x + 0.35 * W, y - r, x + 0.65 * W, y - r)
    o.line(6, x + 0.35 * W, y, x + 0.65 * W, y)
    o.line(6, x + 0.35 * W, y - 2 * r, x + W / 2 - r, y - 2 * r)
    o.line(6, x + W / 2 + r, y - 2 * r, x + 0.65 * W, y - 2 * r)
    o.line(4, x + 0.35 * W, y - H + r, x + 0.65 * W, y - H + r)
    o.line(6, x + 0.35 * W, y - H, x + 0.65 * W, y - H)
    o.line(6, x + 0.35 * W, y - H + 2 * r, x + W / 2 - r, y - H + 2 * r)
    o.line(6, x + W / 2 + r, y - H + 2 * r, x + 0.65 * W, y - H + 2 * r)
    o.line(4, x + W / 2, y - r, x + W / 2, y - H + r)
    o.line(6, x + W / 2 + r, y - 2 * r, x + W / 2 + r, y - H + 2 * r)
    o.line(6, x + W / 2 - r, y - 2 * r, x + W / 2 - r, y - H + 2 * r)
    return o.rows, None


def l_(x, y, W, H, t):
    r = t / 2
    stop = tests('L', t, W / 1.5, H / 1.5)
    if stop:
        return [], stop
    o = Out()
    o.arc(x + r, y - r, r, 0, 180)
    o.arc(x + r, y - H + r, r, 180, 270)
    o.arc(x + W - r, y - H + r, r, -90, 90)
    o.line(4, x + r, y - r, x + r, y - H + r)
    o.line(6, x, y - r, x, y - H + r)
    o.line(6, x + 2 * r, y - r, x + 2 * r, y - H + 2 * r)
    o.line(4, x + r, y - H + r, x + W - r, y - H + r)
    o.line(6, x + r, y - H, x + W - r, y - H)
    o.line(6, x + 2 * r, y - H + 2 * r, x + W - r, y - H + 2 * r)
    return o.rows, None


def t_(x, y, W, H, t):
    r = t / 2
    stop = tests('T', t, W / 2, H / 1.5)
    if stop:
        return [], stop
    o = Out()
    o.arc(x + r, y - r, r, 90, 270)
    o.arc(x + W / 2, y - H + r, r, -180, 0)
    o.arc(x + W - r, y - r, r, -90, 90)
    o.line(4, x + r, y - r, x + W - r, y - r)
    o.line(6, x + r, y, x + W - r, y)
    o.line(6, x + r, y - 2 * r, x + W / 2 - r, y - 2 * r)
    o.line(6, x + W / 2 + r, y - 2 * r, x + W - r, y - 2 * r)
    o.line(4, x + W / 2, y - r, x + W / 2, y - H + r)
    o.line(6, x + W / 2 + r, y - 2 * r, x + W / 2 + r, y - H + r)
    o.line(6, x + W / 2 - r, y - 2 * r, x + W / 2 - r, y - H + r)
    return o.rows, None


GLYPHS = {'E': lambda *a: e_or_f('E', *a), 'F': lambda *a: e_or_f('F', *a),
          'H': h, 'I': i, 'L': l_, 'T': t_}


def evaluate(g, x, y, W, H, t):
    return GLYPHS[g](x, y, W, H, t)


if __name__ == '__main__':
    g = sys.argv[1]
    rows, stop = evaluate(g, *(float(v) for v in sys.argv[2:7]))
    print('case %s %s' % (g, ' '.join(sys.argv[2:7])))
    for row in rows:
        print(row)
    if stop is not None:
        print('stop ' + stop)
