#!/usr/bin/env python3
"""Reference computation of the brackets [ ] ( ) { } written apart from the C++
generators, to derive the nine-decimal rows of tests/examples/brackets.txt.

Every formula is evaluated in the form the construction states it, in IEEE
double arithmetic (Python floats), with Pi = 3.14159265358979; squares are
products (a*a). Rows are printed in the format of the examples file;
degenerate entities are left out as in tests/reference/rows.py.

Usage: brackets.py GLYPH x y W H t
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

    def tests(self, name, *limits_and_t):
        *limits, t = limits_and_t
        for v in limits:
            if not (v > t):
                self.stop = '文字の %s の 線幅 は %.1f 未満です。' % (name, v)
                return False
        return True


def lsq(x, y, W, H, t):
    o, r = Out(), t / 2
    if not o.tests('［', 0.3 * W * 2, H / 2, t):
        return o
    o.arc(x + 0.4 * W, y - r, r, 90, 180, 6)
    o.arc(x + 0.4 * W, y - H + r, r, -180, -90, 6)
    o.arc(x + 0.7 * W, y - H + r, r, -90, 90, 6)
    o.arc(x + 0.7 * W, y - r, r, -90, 90, 6)
    o.line(x + 0.4 * W, y - r, x + 0.7 * W, y - r, 4)
    o.line(x + 0.4 * W, y, x + 0.7 * W, y, 6)
    o.line(x + 0.4 * W + r, y - 2 * r, x + 0.7 * W, y - 2 * r, 6)
    o.line(x + 0.4 * W, y - r, x + 0.4 * W, y - H + r, 4)
    o.line(x + 0.4 * W - r, y - r, x + 0.4 * W - r, y - H + r, 6)
    o.line(x + 0.4 * W + r, y - 2 * r, x + 0.4 * W + r, y - H + 2 * r, 6)
    o.line(x + 0.4 * W, y - H + r, x + 0.7 * W, y - H + r, 4)
    o.line(x + 0.4 * W, y - H, x + 0.7 * W, y - H, 6)
    o.line(x + 0.4 * W + r, y - H + 2 * r, x + 0.7 * W, y - H + 2 * r, 6)
    return o


def rsq(x, y, W, H, t):
    o, r = Out(), t / 2
    if not o.tests('］', 0.3 * W * 2, H / 2, t):
        return o
    o.arc(x + 0.3 * W, y - r, r, 90, 270, 6)
    o.arc(x + 0.3 * W, y - H + r, r, 90, 270, 6)
    o.arc(x + 0.6 * W, y - H + r, r, -90, 0, 6)
    o.arc(x + 0.6 * W, y - r, r, 0, 90, 6)
    o.line(x + 0.3 * W, y - r, x + 0.6 * W, y - r, 4)
    o.line(x + 0.3 * W, y, x + 0.6 * W, y, 6)
    o.line(x + 0.3 * W, y - 2 * r, x + 0.6 * W - r, y - 2 * r, 6)
    o.line(x + 0.6 * W, y - r, x + 0.6 * W, y - H + r, 4)
    o.line(x + 0.6 * W + r, y - r, x + 0.6 * W + r, y - H + r, 6)
    o.line(x + 0.6 * W - r, y - 2 * r, x + 0.6 * W - r, y - H + 2 * r, 6)
    o.line(x + 0.3 * W, y - H + r, x + 0.6 * W, y - H + r, 4)
    o.line(x + 0.3 * W, y - H, x + 0.6 * W, y - H, 6)
    o.line(x + 0.3 * W, y - H + 2 * r, x + 0.6 * W - r, y - H + 2 * r, 6)
    return o


def theta_R(W, H, r):
    th = math.atan(0.3 * W / (H / 2 - r)) * 180 / Pi
    R = math.sqrt((0.3 * W) * (0.3 * W) + (H / 2 - r) * (H / 2 - r)) / (2 * math.sin(th * Pi / 180))
    return th, R


def lpar(x, y, W, H, t):
    o, r = Out(), t / 2
    if not o.tests('（', 0.3 * W * 2, H / 2, t):
        return o
    if H - t > 2 * W * 0.3:
        th, R = theta_R(W, H, r)
        cx, cy = x + 0.4 * W + R, y - H / 2
        o.arc(x + 0.7 * W, y - r, r, -2 * th, -2 * th + 180, 6)
        o.arc(x + 0.7 * W, y - H + r, r, 2 * th - 180, 2 * th, 6)
        for rad, col in ((R, 4), (R + r, 6), (R - r, 6)):
            o.arc(cx, cy, rad, -2 * th + 180, 2 * th + 180, col)
    else:
        rho = (H - t) / 2
        cx = x + 0.7 * W if 0.3 * W + rho > W / 2 else x + W / 2 + rho
        o.arc(cx, y - r, r, -90, 90, 6)
        o.arc(cx, y - H + r, r, -90, 90, 6)
        for rad, col in ((H / 2 - r, 4), (H / 2, 6), (H / 2 - 2 * r, 6)):
            o.arc(cx, y - H / 2, rad, 90, 270, col)
    return o


def rpar(x, y, W, H, t):
    o, r = Out(), t / 2
    if not o.tests('）', 0.3 * W * 2, H / 2, t):
        return o
    if H - t > 2 * W * 0.3:
        th, R = theta_R(W, H, r)
        cx, cy = x + 0.6 * W - R, y - H / 2
        o.arc(x + 0.3 * W, y - r, r, 2 * th, 2 * th + 180, 6)
        o.arc(x + 0.3 * W, y - H + r, r, -2 * th - 180, -2 * th, 6)
        for rad, col in ((R, 4), (R + r, 6), (R - r, 6)):
            o.arc(cx, cy, rad, -2 * th, 2 * th, col)
    else:
        rho = (H - t) / 2
        cx = x + 0.3 * W if 0.3 * W + rho > W / 2 else x + W / 2 - rho
        o.arc(cx, y - r, r, 90, 270, 6)
        o.arc(cx, y - H + r, r, 90, 270, 6)
        for rad, col in ((H / 2 - r, 4), (H / 2, 6), (H / 2 - 2 * r, 6)):
            o.arc(cx, y - H / 2, rad, -90, 90, col)
    return o


def stems(o, x, y, W, H, r):
    for dx, col in ((0, 4), (-r, 6), (r, 6)):
        o.line(x + W / 2 + dx, y - W / 4 - r, x + W / 2 + dx, y + W / 4 - H / 2, col)
    for dx, col in ((0, 4), (-r, 6), (r, 6)):
        o.line(x + W / 2 + dx, y - W / 4 - H / 2, x + W / 2 + dx, y + W / 4 - H + r, col)


def lbrace(x, y, W, H, t):
    o, r = Out(), t / 2
    if not o.tests('｛', W / 2, H / 3, t):
        return o
    if H - t > W:
        k = math.asin((W / 4) / (W / 4 + r)) * 180 / Pi
        stems(o, x, y, W, H, r)
        o.arc(x + 0.75 * W, y - r, r, -90, 90, 6)
        o.arc(x + W / 4, y - H / 2, r, 90, 270, 6)
        o.arc(x + 0.75 * W, y - H + r, r, -90, 90, 6)
        q, qo, qi = W / 4, W / 4 + r, W / 4 - r
        centres = [(x + 0.75 * W, y - W / 4 - r), (x + W / 4, y + W / 4 - H / 2),
                   (x + W / 4, y - W / 4 - H / 2), (x + 0.75 * W, y + W / 4 - H + r)]
    else:
        k = math.asin((H / 4 - r / 2) / (H / 4 + r / 2)) * 180 / Pi
        o.arc(x + W / 2 + H / 4 - r / 2, y - r, r, -90, 90, 6)
        o.arc(x + W / 2 - H / 4 + r / 2, y - H / 2, r, 90, 270, 6)
        o.arc(x + W / 2 + H / 4 - r / 2, y - H + r, r, -90, 90, 6)
        q, qo, qi = H / 4 - r / 2, H / 4 + r / 2, H / 4 - 1.5 * r
        centres = [(x + W / 2 + H / 4 - r / 2, y - H / 4 - r / 2), (x + W / 2 - H / 4 + r / 2, y - H / 4 - r / 2),
                   (x + W / 2 - H / 4 + r / 2, y - 0.75 * H + r / 2), (x + W / 2 + H / 4 - r / 2, y - 0.75 * H + r / 2)]
    spans = [((90, 180), (90, 180)), ((-90, 0), (-k, 0)), ((0, 90), (0, k)), ((-180, -90), (-180, -90))]
    for (cx, cy), (sk, so) in zip(centres, spans):
        o.arc(cx, cy, q, sk[0], sk[1], 4)
        o.arc(cx, cy, qo, so[0], so[1], 6)
        o.arc(cx, cy, qi, sk[0], sk[1], 6)
    return o


def rbrace(x, y, W, H, t):
    o, r = Out(), t / 2
    if not o.tests('｝', W / 2, H / 3, t):
        return o
    if H - t > W:
        k = math.asin((W / 4) / (W / 4 + r)) * 180 / Pi
        stems(o, x, y, W, H, r)
        o.arc(x + W / 4, y - r, r, 90, 270, 6)
        o.arc(x + 0.75 * W, y - H / 2, r, -90, 90, 6)
        o.arc(x + W / 4, y - H + r, r, 90, 270, 6)
        q, qo, qi = W / 4, W / 4 + r, W / 4 - r
        centres = [(x + W / 4, y - W / 4 - r), (x + 0.75 * W, y + W / 4 - H / 2),
                   (x + 0.75 * W, y - W / 4 - H / 2), (x + W / 4, y + W / 4 - H + r)]
    else:
        k = math.asin((H / 4 - r / 2) / (H / 4 + r / 2)) * 180 / Pi
        o.arc(x + W / 2 - H / 4 + r / 2, y - r, r, 90, 270, 6)
        o.arc(x + W / 2 + H / 4 - r / 2, y - H / 2, r, -90, 90, 6)
        o.arc(x + W / 2 - H / 4 + r / 2, y - H + r, r, 90, 270, 6)
        q, qo, qi = H / 4 - r / 2, H / 4 + r / 2, H / 4 - 1.5 * r
        centres = [(x + W / 2 - H / 4 + r / 2, y - H / 4 - r / 2), (x + W / 2 + H / 4 - r / 2, y - H / 4 - r / 2),
                   (x + W / 2 + H / 4 - r / 2, y - 0.75 * H + r / 2), (x + W / 2 - H / 4 + r / 2, y - 0.75 * H + r / 2)]
    spans = [((0, 90), (0, 90)), ((-180, -90), (-180, k - 180)), ((90, 180), (180 - k, 180)), ((-90, 0), (-90, 0))]
    for (cx, cy), (sk, so) in zip(centres, spans):
        o.arc(cx, cy, q, sk[0], sk[1], 4)
        o.arc(cx, cy, qo, so[0], so[1], 6)
        o.arc(cx, cy, qi, sk[0], sk[1], 6)
    return o


GLYPHS = {'[': lsq, ']': rsq, '(': lpar, ')': rpar, '{': lbrace, '}': rbrace}


def evaluate(g, x, y, W, H, t):
    o = GLYPHS[g](x, y, W, H, t)
    return o.rows, o.stop


if __name__ == '__main__':
    g = sys.argv[1]
    o = GLYPHS[g](*(float(v) for v in sys.argv[2:7]))
    print('case %s %s' % (g, ' '.join(sys.argv[2:7])))
    for row in o.rows:
        print(row)
    if o.stop is not None:
        print('stop ' + o.stop)
