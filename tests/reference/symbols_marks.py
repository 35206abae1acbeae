#!/usr/bin/env python3
"""Reference computation of the symbols '!' '?' '#' '%' '*', written apart from
the C++ generators to derive the expected entities of
tests/examples/symbols_marks.txt.

Every formula is evaluated in the form the construction states it, in IEEE
double arithmetic (Python floats), with Pi = 3.14159265358979; degrees are
converted as a * Pi / 180 and back as v * 180 / Pi; squares are products.
Output is in the format of the worked-example files, nine decimals:
  ARC colour cx cy radius start end
  LINE colour x1 y1 x2 y2
  CIRCLE colour cx cy radius
A stop is printed as "stop <message>". Degenerate entities are left out
(tests/reference/rows.py).

Usage: symbols_marks.py GLYPH x y W H t
"""
import crmath as math
import sys

from rows import arc as arc_row, circle as circle_row, line as line_row, positive

Pi = 3.14159265358979

NAMES = {'!': '！', '?': '？', '#': '＃', '%': '％', '*': '＊'}


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

    def circle(self, cx, cy, radius, col=6):
        self.rows += circle_row(col, cx, cy, radius)

    def line(self, x1, y1, x2, y2, col=6):
        self.rows += line_row(col, x1, y1, x2, y2)

    def fits(self, *limits_and_t):
        *limits, t = limits_and_t
        for limit in limits:
            if not limit > t:
                self.stop = limit
                return False
        return True


def exclamation(x, y, W, H, t):
    o = Out()
    r = t / 2
    if not o.fits(W / 0.8 / 2, H / 3.5, t):
        return o
    a = 0.8 * t - r
    if 0.3 * H < 2.4 * t:
        yb = y - H + 2.4 * t
    else:
        yb = y - 0.7 * H
    # At the second test's limit the foot lies on the head's skeleton circle
    # and the ratio can pass 1 by rounding: it is taken as 1.
    sg = deg(math.asin(max(-1.0, min(1.0, a / ((y - 0.8 * t) - yb)))))
    cs, sn = math.cos(rad(sg)), math.sin(rad(sg))
    m = x + W / 2
    o.circle(m, y - H + 0.8 * t, 0.3 * t, 4)
    o.circle(m, y - H + 0.8 * t, 0.8 * t)
    if not positive(180 - 2 * sg):
        # The head's arcs would run a full turn (and the V and the foot's cap
        # have no extent): full circles.
        o.circle(m, y - 0.8 * t, 0.3 * t, 4)
        o.circle(m, y - 0.8 * t, 0.8 * t)
        return o
    o.arc(m, yb, r, sg - 180, -sg)
    o.arc(m, y - 0.8 * t, 0.3 * t, -sg, sg + 180, 4)
    o.arc(m, y - 0.8 * t, 0.8 * t, -sg, sg + 180)
    o.line(m, yb, m - 0.3 * t * cs, y - 0.8 * t - 0.3 * t * sn, 4)
    o.line(m - r * cs, yb - r * sn, m - 0.8 * t * cs, y - 0.8 * t - 0.8 * t * sn)
    o.line(m, yb, m + 0.3 * t * cs, y - 0.8 * t - 0.3 * t * sn, 4)
    o.line(m + r * cs, yb - r * sn, m + 0.8 * t * cs, y - 0.8 * t - 0.8 * t * sn)
    return o


def number(x, y, W, H, t):
    o = Out()
    r = t / 2
    th = deg(math.atan((H - t) / (0.2 * W)))
    S, C, T = math.sin(rad(th)), math.cos(rad(th)), math.tan(rad(th))
    k = r / S
    d = 0.4 * H / T
    u = 0.3 * H / T
    v = (0.3 * H - t) / T
    if not o.fits(W / 3.8, H / 3.8, (0.4 * W - t + 2 * v) * S, 0.3 * H - r * C, t):
        return o
    A, B, Y7, Y3 = x + 0.2 * W, x + 0.8 * W, y - 0.7 * H, y - 0.3 * H
    o.arc(x + r, Y7, r, 90, 270)
    o.arc(x + r + d, Y3, r, 90, 270)
    o.arc(x + 0.2 * W, y - H + r, r, th - 270, th - 90)
    o.arc(x + 0.6 * W, y - H + r, r, th - 270, th - 90)
    o.arc(x + 0.4 * W, y - r, r, th - 90, th + 90)
    o.arc(x + 0.8 * W, y - r, r, th - 90, th + 90)
    o.arc(x + W - r - d, Y7, r, -90, 90)
    o.arc(x + W - r, Y3, r, -90, 90)
    o.line(x + 0.2 * W, y - H + r, x + 0.4 * W, y - r, 4)
    o.line(A - r * S, y - H + r + r * C, A + v - k, Y7 - r)
    o.line(A + u - k, Y7 + r, A + d + v - k, Y3 - r)
    o.line(A + d + u - k, Y3 + r, x + 0.4 * W - r * S, y - r + r * C)
    o.line(A + r * S, y - H + r - r * C, A + v + k, Y7 - r)
    o.line(A + u + k, Y7 + r, A + d + v + k, Y3 - r)
    o.line(A + d + u + k, Y3 + r, x + 0.4 * W + r * S, y - r - r * C)
    o.line(x + 0.6 * W, y - H + r, x + 0.8 * W, y - r, 4)
    o.line(x + 0.6 * W + r * S, y - H + r - r * C, B - d - u + k, Y7 - r)
    o.line(B - d - v + k, Y7 + r, B - u + k, Y3 - r)
    o.line(B - v + k, Y3 + r, B + r * S, y - r - r * C)
    o.line(x + 0.6 * W - r * S, y - H + r + r * C, B - d - u - k, Y7 - r)
    o.line(B - d - v - k, Y7 + r, B - u - k, Y3 - r)
    o.line(B - v - k, Y3 + r, B - r * S, y - r + r * C)
    o.line(x + r, Y7, x + W - r - d, Y7, 4)
    o.line(x + r, Y7 - r, A + v - k, Y7 - r)
    o.line(A + v + k, Y7 - r, B - d - u - k, Y7 - r)
    o.line(B - d - u + k, Y7 - r, x + W - r - d, Y7 - r)
    o.line(x + r, Y7 + r, A + u - k, Y7 + r)
    o.line(A + u + k, Y7 + r, B - d - v - k, Y7 + r)
    o.line(B - d - v + k, Y7 + r, x + W - r - d, Y7 + r)
    o.line(x + r + d, Y3, x + W - r, Y3, 4)
    o.line(x + r + d, Y3 + r, A + d + u - k, Y3 + r)
    o.line(A + d + u + k, Y3 + r, B - v - k, Y3 + r)
    o.line(B - v + k, Y3 + r, x + W - r, Y3 + r)
    o.line(x + r + d, Y3 - r, A + d + v - k, Y3 - r)
    o.line(A + d + v + k, Y3 - r, B - u - k, Y3 - r)
    o.line(B - u + k, Y3 - r, x + W - r, Y3 - r)
    return o


def percent(x, y, W, H, t):
    o = Out()
    r = t / 2
    th = deg(math.atan((H - t) / (W - t)))
    S, C, T = math.sin(rad(th)), math.cos(rad(th)), math.tan(rad(th))
    e = (W - 1.5 * t - (0.05 * H + r) / T) * S
    q = (e - 1.5 * t) / (S + S / T + 3)
    if not o.fits(W / 4.2, H / 4.3, e / 1.5, t):
        return o
    o.arc(x + r, y - H + r, r, th - 270, th - 90)
    o.arc(x + W - r, y - r, r, th - 90, th + 90)
    for cx, cy in ((x + t + q, y - 0.05 * H - t - q), (x + W - t - q, y - 0.95 * H + t + q)):
        o.circle(cx, cy, q + r, 4)
        o.circle(cx, cy, q + t)
        o.circle(cx, cy, q)
    o.line(x + r, y - H + r, x + W - r, y - r, 4)
    o.line(x + r - r * S, y - H + r + r * C, x + W - r - r * S, y - r + r * C)
    o.line(x + r + r * S, y - H + r - r * C, x + W - r + r * S, y - r - r * C)
    return o


def asterisk(x, y, W, H, t):
    o = Out()
    r = t / 2
    if not o.fits(W / ((math.cos(Pi / 6) + 0.05) * 2 + 1), H / ((math.cos(Pi / 6) + 0.05) * 2 + 1), t):
        return o
    cx, cy = x + W / 2, y - H / 2
    c, s = math.cos(Pi / 6), math.sin(Pi / 6)
    L = W / 2 - r if W < H else H / 2 - r
    e1 = r * math.tan(Pi / 6) + r / c
    e2 = r / s
    o.arc(cx - c * L, cy - s * L, r, -240, -60)
    o.arc(cx, cy - L, r, -180, 0)
    o.arc(cx + c * L, cy - s * L, r, -120, 60)
    o.arc(cx + c * L, cy + s * L, r, -60, 120)
    o.arc(cx, cy + L, r, 0, 180)
    o.arc(cx - c * L, cy + s * L, r, 60, 240)
    o.line(cx, cy + L, cx, cy - L, 4)
    o.line(cx - r, cy + L, cx - r, cy + e1)
    o.line(cx - r, cy - e1, cx - r, cy - L)
    o.line(cx + r, cy + L, cx + r, cy + e1)
    o.line(cx + r, cy - e1, cx + r, cy - L)
    o.line(cx - c * L, cy - s * L, cx + c * L, cy + s * L, 4)
    o.line(cx - c * L - s * r, cy - s * L + c * r, cx - e2, cy)
    o.line(cx + r, cy + e1, cx + c * L - s * r, cy + s * L + c * r)
    o.line(cx - c * L + s * r, cy - s * L - c * r, cx - r, cy - e1)
    o.line(cx + e2, cy, cx + c * L + s * r, cy + s * L - c * r)
    o.line(cx - c * L, cy + s * L, cx + c * L, cy - s * L, 4)
    o.line(cx - c * L - s * r, cy + s * L - c * r, cx - e2, cy)
    o.line(cx + r, cy - e1, cx + c * L - s * r, cy - s * L - c * r)
    o.line(cx - c * L + s * r, cy + s * L + c * r, cx - r, cy + e1)
    o.line(cx + e2, cy, cx + c * L + s * r, cy - s * L + c * r)
    return o


def question(x, y, W, H, t):
    o = Out()
    r = t / 2
    if not o.fits(W / 2.2, (1 - 0.6) * H / (2 * 0.6 + 0.5), t):
        return o
    m = x + W / 2
    rho = (0.6 * H - r) / 3
    rhoB = (W - t) / 2
    yb = y - 0.6 * H
    foot = (y - H + 1.2 * r) + r + 2 * (0.1 * t + r)
    if foot < yb:
        yb = foot

    def three(cx, cy, R, a0, a1):
        o.arc(cx, cy, R, a0, a1, 4)
        o.arc(cx, cy, R + r, a0, a1)
        o.arc(cx, cy, R - r, a0, a1)

    def left_quarter():
        three(x + r + rho, y - r - rho, rho, 90, 180)

    def top_bar():
        o.line(x + r + rho, y - r, x + W - r - rho, y - r, 4)
        o.line(x + r + rho, y, x + W - r - rho, y)
        o.line(x + r + rho, y - 2 * r, x + W - r - rho, y - 2 * r)

    def stem(yN):
        if yb < yN:
            o.line(m, yb, m, yN, 4)
            o.line(m - r, yb, m - r, yN)
            o.line(m + r, yb, m + r, yN)

    def caps(c, Px, Py):
        if not c > t:
            o.stop = c
            return False
        o.arc(Px, Py, r, -180, 0)
        o.arc(m, yb, r, -180, 0)
        return True

    o.circle(m, y - H + 1.2 * r, 0.1 * t, 4)
    o.circle(m, y - H + 1.2 * r, 0.6 * t)
    if rho < rhoB:
        if 2 * rho >= W / 2 - r:
            phi = -deg(math.acos((2 * rho - (W / 2 - r)) / (2 * rho)))
            yN = y - r - rho + 2 * rho * math.sin(rad(phi))
            left_quarter()
            three(x + W - r - rho, y - r - rho, rho, phi, 90)
            top_bar()
            stem(yN)
            c = math.sqrt((W / 2 + rho - r) * (W / 2 + rho - r)
                          + (2 * rho * math.sin(rad(phi))) * (2 * rho * math.sin(rad(phi)))) - rho
            if caps(c, x + r, y - r - rho):
                three(x + W / 2 + rho, yN, rho, phi + 180, 180)
        else:
            o.line(x + W / 2 + rho, y - r - 2 * rho, x + W - r - rho, y - r - 2 * rho, 4)
            o.line(x + W / 2 + rho, y - 2 * rho, x + W - r - rho, y - 2 * rho)
            o.line(x + W / 2 + rho, y - 2 * r - 2 * rho, x + W - r - rho, y - 2 * r - 2 * rho)
            left_quarter()
            three(x + W - r - rho, y - r - rho, rho, -90, 90)
            top_bar()
            stem(y - 0.6 * H)
            c = math.sqrt((W / 2 + rho - r) * (W / 2 + rho - r) + (2 * rho) * (2 * rho)) - rho
            if caps(c, x + r, y - r - rho):
                three(x + W / 2 + rho, y - 0.6 * H, rho, 90, 180)
    else:
        yN = y - W / 2 - math.sqrt(3 * ((W / 2 - r) * (W / 2 - r)))
        o.arc(x + W / 2, y - W / 2, W / 2 - r, -60, 180, 4)
        o.arc(x + W / 2, y - W / 2, W / 2, -60, 180)
        o.arc(x + W / 2, y - W / 2, W / 2 - 2 * r, -60, 180)
        stem(yN)
        h = math.sqrt(3 * ((W / 2 - r) * (W / 2 - r)))
        c = math.sqrt((W - t) * (W - t) + h * h) - (W / 2 - r)
        if caps(c, x + r, y - W / 2):
            o.arc(x + W - r, yN, W / 2 - r, 120, 180, 4)
            o.arc(x + W - r, yN, W / 2, 120, 180)
            o.arc(x + W - r, yN, W / 2 - 2 * r, 120, 180)
    return o


GLYPHS = {'!': exclamation, '?': question, '#': number, '%': percent, '*': asterisk}


def evaluate(g, x, y, W, H, t):
    o = GLYPHS[g](x, y, W, H, t)
    stop = None if o.stop is None else '文字の %s の 線幅 は %.1f 未満です。' % (NAMES[g], o.stop)
    return o.rows, stop


if __name__ == '__main__':
    g = sys.argv[1]
    x, y, W, H, t = (float(v) for v in sys.argv[2:7])
    o = GLYPHS[g](x, y, W, H, t)
    for row in o.rows:
        print(row)
    if o.stop is not None:
        print('stop 文字の %s の 線幅 は %.1f 未満です。' % (NAMES[g], o.stop))
