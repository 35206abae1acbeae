#!/usr/bin/env python3
"""Reference computation of the simple strokes - _ | / and the full stop,
written apart from the C++ generators, for the rows of
tests/examples/simple_strokes.txt.

Every formula is evaluated in the form the construction states it, in IEEE
double arithmetic (Python floats), with Pi = 3.14159265358979; angles become
degrees as v * 180 / Pi and go back as a * Pi / 180. Rows are printed in the
format of the examples file (degenerate entities left out, see
tests/reference/rows.py); a stop is printed as "stop <message>".

Usage: simple_strokes.py GLYPH x y W H t
"""
import crmath as math
import sys

from rows import arc as arc_row, circle as circle_row, line as line_row

Pi = 3.14159265358979


def hyphen(x, y, W, H, t):
    r = t / 2
    L = (x + r, y - H / 2)
    R = (x + W - r, y - H / 2)
    return (arc_row(6, L[0], L[1], r, 90, 270) + arc_row(6, R[0], R[1], r, -90, 90)
            + line_row(4, L[0], L[1], R[0], R[1])
            + line_row(6, x + r, y - H / 2 + r, x + W - r, y - H / 2 + r)
            + line_row(6, x + r, y - H / 2 - r, x + W - r, y - H / 2 - r)), None


def underscore(x, y, W, H, t):
    r = t / 2
    L = (x + r, y - H + r)
    R = (x + W - r, y - H + r)
    return (arc_row(6, L[0], L[1], r, 90, 270) + arc_row(6, R[0], R[1], r, -90, 90)
            + line_row(4, L[0], L[1], R[0], R[1])
            + line_row(6, x + r, y - H + 2 * r, x + W - r, y - H + 2 * r)
            + line_row(6, x + r, y - H, x + W - r, y - H)), None


def bar(x, y, W, H, t):
    r = t / 2
    T = (x + W / 2, y - r)
    B = (x + W / 2, y - H + r)
    return (arc_row(6, T[0], T[1], r, 0, 180) + arc_row(6, B[0], B[1], r, -180, 0)
            + line_row(4, T[0], T[1], B[0], B[1])
            + line_row(6, x + W / 2 - r, y - r, x + W / 2 - r, y - H + r)
            + line_row(6, x + W / 2 + r, y - r, x + W / 2 + r, y - H + r)), None


def slash(x, y, W, H, t):
    r = t / 2
    P = (x + r, y - H + r)
    Q = (x + W - r, y - r)
    A = math.atan(((y - r) - (y - H + r)) / ((x + W - r) - (x + r))) * 180 / Pi
    s = math.sin(A * Pi / 180) * r
    c = math.cos(A * Pi / 180) * r
    return (arc_row(6, P[0], P[1], r, A + 90, A + 270) + arc_row(6, Q[0], Q[1], r, A - 90, A + 90)
            + line_row(4, P[0], P[1], Q[0], Q[1])
            + line_row(6, P[0] - s, P[1] + c, Q[0] - s, Q[1] + c)
            + line_row(6, P[0] + s, P[1] - c, Q[0] + s, Q[1] - c)), None


def full_stop(x, y, W, H, t):
    r = t / 2
    for limit, shown in ((W / (0.85 * 2), W / 1.7), (H / (0.85 * 2), H / 1.7)):
        if not (limit > t):
            return [], '文字の 点 の 線幅 は %.1f 未満です。' % shown
    D = (x + W / 2, (y - H) + r + (0.85 * t - r))
    return circle_row(4, D[0], D[1], 0.85 * t - r) + circle_row(6, D[0], D[1], r + (0.85 * t - r)), None


GLYPHS = {'-': hyphen, '_': underscore, '|': bar, '/': slash, '.': full_stop}


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
