#!/usr/bin/env python3
"""Reference computation of the digits '6', '8' and '9', written apart from the
C++ generators to derive the expected entity lists of tests/examples/digits_689.txt.

Every formula is evaluated in the form the construction states it, in IEEE
double arithmetic (Python floats), with Pi = 3.14159265358979; squares are
products (a*a). The output is a case block of the worked-examples format:
  case GLYPH x y W H t
  ARC colour cx cy radius start end
  LINE colour x1 y1 x2 y2
  CIRCLE colour cx cy radius
  stop MESSAGE            (when the glyph stops)
Every number is printed with nine decimals; degenerate entities are left out
as in tests/reference/rows.py. A counter whose outline radius does not print
as a positive number has shrunk to a slit that the pen covers from both sides:
none of its outline (arcs and sides) is drawn ("if counter").

Usage: digits_689.py GLYPH x y W H t
"""
import crmath as math
import sys

from rows import arc as arc_row, circle as circle_row, line as line_row, positive

Pi = 3.14159265358979


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


def deg(rad):
    return rad * 180 / Pi


def cosd(a):
    return math.cos(a * Pi / 180)


def six(x, y, W, H, t):
    o = Out()
    r = t / 2
    if not (W / 2 > t):
        o.stop = W / 2
        return o
    if not (H / 4.3 > t):
        o.stop = H / 4.3
        return o
    w = W - t
    ht = 0.45 * H - r
    hb = 0.55 * H - r
    de = deg(math.asin((W / 2 - t) / (W / 2)))
    if w > ht:
        lx, cy = x + 0.225 * H + r / 2, y - 0.225 * H - r / 2
        rx = x + W - 0.225 * H - r / 2
        o.arc(lx, cy, 0.225 * H + r / 2, 90, 180, 6)
        o.arc(lx, cy, 0.225 * H - r / 2, 90, 180, 4)
        o.arc(lx, cy, 0.225 * H - 1.5 * r, 90, 180, 6)
        o.line(lx, y, rx, y, 6)
        o.line(lx, y - r, rx, y - r, 4)
        o.line(lx, y - 2 * r, rx, y - 2 * r, 6)
        o.arc(rx, cy, 0.225 * H + r / 2, 0, 90, 6)
        o.arc(rx, cy, 0.225 * H - r / 2, 0, 90, 4)
        o.arc(rx, cy, 0.225 * H - 1.5 * r, 0, 90, 6)
        o.arc(x + W - r, y - 0.225 * H - r / 2, r, -180, 0, 6)
        Px, Py = x + W - r, y - 0.225 * H - r / 2
        ys = y - 0.225 * H - r / 2
    else:
        o.arc(x + W / 2, y - W / 2, W / 2, 0, 180, 6)
        o.arc(x + W / 2, y - W / 2, W / 2 - r, 0, 180, 4)
        o.arc(x + W / 2, y - W / 2, W / 2 - 2 * r, 0, 180, 6)
        o.arc(x + W - r, y - W / 2, r, -180, 0, 6)
        Px, Py = x + W - r, y - W / 2
        ys = y - W / 2
    if abs(w) < hb:
        ty = y - W / 2 - 0.45 * H + r
        by = y + W / 2 - H
        counter = positive(W / 2 - 2 * r)
        o.arc(x + W / 2, ty, W / 2, 0, 90 + de, 6)
        o.arc(x + W / 2, ty, W / 2 - r, 0, 180, 4)
        if counter:
            o.arc(x + W / 2, ty, W / 2 - 2 * r, 0, 180, 6)
        if counter:
            o.line(x + 2 * r, ty, x + 2 * r, by, 6)
        if counter:
            o.line(x + W - 2 * r, ty, x + W - 2 * r, by, 6)
        o.line(x + W - r, ty, x + W - r, by, 4)
        o.line(x + W, ty, x + W, by, 6)
        o.arc(x + W / 2, by, W / 2, -180, 0, 6)
        o.arc(x + W / 2, by, W / 2 - r, -180, 0, 4)
        if counter:
            o.arc(x + W / 2, by, W / 2 - 2 * r, -180, 0, 6)
        Cx, Cy, rho = x + W / 2, y - W / 2 - 0.45 * H + r, W / 2 - r
        yj = y - W / 2 - 0.45 * H + r + (W / 2) * cosd(de)
        ye = y + W / 2 - H
    elif w > hb:
        ep = deg(math.asin((0.275 * H - 1.5 * r) / (0.275 * H + r / 2)))
        lx, cy = x + 0.275 * H + r / 2, y - 0.725 * H + r / 2
        rx = x + W - 0.275 * H - r / 2
        o.arc(lx, cy, 0.275 * H + r / 2, 90, 90 + ep, 6)
        o.arc(lx, cy, 0.275 * H - r / 2, 90, 270, 4)
        o.arc(lx, cy, 0.275 * H - 1.5 * r, 90, 270, 6)
        o.arc(lx, cy, 0.275 * H + r / 2, 180, 270, 6)
        o.line(lx, y - 0.45 * H + r, rx, y - 0.45 * H + r, 6)
        o.line(lx, y - 0.45 * H, rx, y - 0.45 * H, 4)
        o.line(lx, y - 0.45 * H - r, rx, y - 0.45 * H - r, 6)
        o.arc(rx, cy, 0.275 * H + r / 2, -90, 90, 6)
        o.arc(rx, cy, 0.275 * H - r / 2, -90, 90, 4)
        o.arc(rx, cy, 0.275 * H - 1.5 * r, -90, 90, 6)
        o.line(lx, y - H + 2 * r, rx, y - H + 2 * r, 6)
        o.line(lx, y - H + r, rx, y - H + r, 4)
        o.line(lx, y - H, rx, y - H, 6)
        Cx, Cy, rho = x + W - 0.275 * H - r / 2, y - 0.725 * H + r / 2, 0.275 * H - r / 2
        yj = y - 0.725 * H + r / 2 + (0.275 * H + r / 2) * cosd(ep)
        ye = y - 0.725 * H + r / 2
    else:
        o.arc(x + W / 2, y + W / 2 - H, W / 2, -180, 90 + de, 6)
        o.circle(x + W / 2, y + W / 2 - H, W / 2 - r, 4)
        o.circle(x + W / 2, y + W / 2 - H, W / 2 - 2 * r, 6)
        Cx, Cy, rho = x + W / 2, y - W / 2 - 0.45 * H + r, W / 2 - r
        yj = y + W / 2 - H + (W / 2) * cosd(de)
        ye = y + W / 2 - H
    c = math.sqrt((Px - Cx) * (Px - Cx) + (Py - Cy) * (Py - Cy)) - rho
    if c <= t:
        o.stop = c
        return o
    o.line(x + 2 * r, ys, x + 2 * r, yj, 6)
    o.line(x + r, ys, x + r, ye, 4)
    o.line(x, ys, x, ye, 6)
    return o


def eight(x, y, W, H, t):
    o = Out()
    r = t / 2
    if not (W / 2 > t):
        o.stop = W / 2
        return o
    if not (H / 3 > t):
        o.stop = H / 3
        return o
    K = H / 2 - r
    al = deg(math.acos((W / 2 - r) / (W / 2)))
    be = deg(math.acos((H / 4 - r / 2) / (H / 4 + r / 2)))
    cx = x + W / 2
    if W - t < K:
        y1, y2 = y - W / 2, y + W / 2 - H / 2 - r
        counter = positive(W / 2 - 2 * r)
        y3, y4 = y - W / 2 - H / 2 + r, y + W / 2 - H
        o.arc(cx, y1, W / 2, 0, 180, 6)
        o.arc(cx, y1, W / 2 - r, 0, 180, 4)
        if counter:
            o.arc(cx, y1, W / 2 - 2 * r, 0, 180, 6)
        o.line(x, y1, x, y2, 6)
        o.line(x + r, y1, x + r, y2, 4)
        if counter:
            o.line(x + 2 * r, y1, x + 2 * r, y2, 6)
        if counter:
            o.arc(cx, y2, W / 2 - 2 * r, -180, 0, 6)
        o.arc(cx, y2, W / 2 - r, -180, 0, 4)
        o.arc(cx, y2, W / 2, 180, 270 - al, 6)
        o.arc(cx, y2, W / 2, al - 90, 0, 6)
        if counter:
            o.line(x + W - 2 * r, y1, x + W - 2 * r, y2, 6)
        o.line(x + W - r, y1, x + W - r, y2, 4)
        o.line(x + W, y1, x + W, y2, 6)
        o.arc(cx, y3, W / 2, 0, 90 - al, 6)
        o.arc(cx, y3, W / 2, 90 + al, 180, 6)
        o.arc(cx, y3, W / 2 - r, 0, 180, 4)
        if counter:
            o.arc(cx, y3, W / 2 - 2 * r, 0, 180, 6)
        o.line(x, y4, x, y3, 6)
        o.line(x + r, y4, x + r, y3, 4)
        if counter:
            o.line(x + 2 * r, y4, x + 2 * r, y3, 6)
        if counter:
            o.arc(cx, y4, W / 2 - 2 * r, -180, 0, 6)
        o.arc(cx, y4, W / 2 - r, -180, 0, 4)
        o.arc(cx, y4, W / 2, -180, 0, 6)
        if counter:
            o.line(x + W - 2 * r, y4, x + W - 2 * r, y3, 6)
        o.line(x + W - r, y4, x + W - r, y3, 4)
        o.line(x + W, y4, x + W, y3, 6)
    elif W - t > K:
        lx, rx = x + H / 4 + r / 2, x + W - H / 4 - r / 2
        counter = positive(H / 4 - 1.5 * r)
        uy, ly = y - H / 4 - r / 2, y - 0.75 * H + r / 2
        if counter:
            o.arc(rx, uy, H / 4 - 1.5 * r, -90, 90, 6)
        o.arc(rx, uy, H / 4 - r / 2, -90, 90, 4)
        o.arc(rx, uy, H / 4 + r / 2, be - 90, 90, 6)
        o.line(lx, y, rx, y, 6)
        o.line(lx, y - r, rx, y - r, 4)
        if counter:
            o.line(lx, y - 2 * r, rx, y - 2 * r, 6)
        if counter:
            o.arc(lx, uy, H / 4 - 1.5 * r, 90, 270, 6)
        o.arc(lx, uy, H / 4 - r / 2, 90, 270, 4)
        o.arc(lx, uy, H / 4 + r / 2, 90, 270 - be, 6)
        if counter:
            o.line(lx, y - H / 2 + r, rx, y - H / 2 + r, 6)
        o.line(lx, y - H / 2, rx, y - H / 2, 4)
        if counter:
            o.line(lx, y - H / 2 - r, rx, y - H / 2 - r, 6)
        if counter:
            o.arc(rx, ly, H / 4 - 1.5 * r, -90, 90, 6)
        o.arc(rx, ly, H / 4 - r / 2, -90, 90, 4)
        o.arc(rx, ly, H / 4 + r / 2, -90, 90 - be, 6)
        o.line(lx, y - H, rx, y - H, 6)
        o.line(lx, y - H + r, rx, y - H + r, 4)
        if counter:
            o.line(lx, y - H + 2 * r, rx, y - H + 2 * r, 6)
        if counter:
            o.arc(lx, ly, H / 4 - 1.5 * r, 90, 270, 6)
        o.arc(lx, ly, H / 4 - r / 2, 90, 270, 4)
        o.arc(lx, ly, H / 4 + r / 2, 90 + be, 270, 6)
    else:
        o.circle(cx, y - W / 2, W / 2 - 2 * r, 6)
        o.circle(cx, y - W / 2, W / 2 - r, 4)
        o.arc(cx, y - W / 2, W / 2, al - 90, 270 - al, 6)
        o.circle(cx, y + W / 2 - H, W / 2 - 2 * r, 6)
        o.circle(cx, y + W / 2 - H, W / 2 - r, 4)
        o.arc(cx, y + W / 2 - H, W / 2, al - 270, 90 - al, 6)
    return o


def nine(x, y, W, H, t):
    o = Out()
    r = t / 2
    if not (W / 2 > t):
        o.stop = W / 2
        return o
    if not (H / 4.3 > t):
        o.stop = H / 4.3
        return o
    ym = y - (1 - 0.45) * H
    hh = abs((y - H + r) - ym)
    w = abs((x + W - r) - (x + r))
    hb = abs(ym - (y - r))
    ze = deg(math.asin((w / 2 - r) / (w / 2 + r)))
    et = deg(math.asin((hb / 2 - r) / (hb / 2 + r)))
    if w > hh:
        lx, cy = x + r + hh / 2, y - H + r + hh / 2
        rx = x + W - r - hh / 2
        o.arc(lx, cy, hh / 2 + r, 180, 270, 6)
        o.arc(lx, cy, hh / 2, 180, 270, 4)
        o.arc(lx, cy, hh / 2 - r, 180, 270, 6)
        o.line(lx, y - H + 2 * r, rx, y - H + 2 * r, 6)
        o.line(lx, y - H + r, rx, y - H + r, 4)
        o.line(lx, y - H, rx, y - H, 6)
        o.arc(rx, cy, hh / 2 + r, -90, 0, 6)
        o.arc(rx, cy, hh / 2, -90, 0, 4)
        o.arc(rx, cy, hh / 2 - r, -90, 0, 6)
        o.arc(x + r, y - H + r + hh / 2, r, 0, 180, 6)
        Px, Py = x + r, y - H + r + hh / 2
        yh = y - H + r + hh / 2
    else:
        bx, by = x + r + w / 2, y - H + r + w / 2
        o.arc(bx, by, w / 2 + r, -180, 0, 6)
        o.arc(bx, by, w / 2, -180, 0, 4)
        o.arc(bx, by, w / 2 - r, -180, 0, 6)
        o.arc(x + r, y - H + r + w / 2, r, 0, 180, 6)
        Px, Py = x + r, y - H + r + w / 2
        yh = y - H + r + w / 2
    if w < hb:
        counter = positive(w / 2 - r)
        bx, by, ty = x + r + w / 2, y - 0.55 * H + w / 2, y - r - w / 2
        o.arc(bx, by, w / 2 + r, -180, ze - 90, 6)
        o.arc(bx, by, w / 2, -180, 0, 4)
        if counter:
            o.arc(bx, by, w / 2 - r, -180, 0, 6)
        if counter:
            o.line(x + W - 2 * r, by, x + W - 2 * r, ty, 6)
        o.line(x, by, x, ty, 6)
        o.line(x + r, by, x + r, ty, 4)
        if counter:
            o.line(x + 2 * r, by, x + 2 * r, ty, 6)
        o.arc(bx, ty, w / 2 + r, 0, 180, 6)
        o.arc(bx, ty, w / 2, 0, 180, 4)
        if counter:
            o.arc(bx, ty, w / 2 - r, 0, 180, 6)
        rho, Cx, Cy = w / 2, x + r + w / 2, ym + w / 2
        ye = y - r - w / 2
        yj = y - 0.55 * H + w / 2 - (w / 2 + r) * cosd(ze)
    elif w > hb:
        lx, rx, cy = x + r + hb / 2, x + W - r - hb / 2, y - r - hb / 2
        o.arc(lx, cy, hb / 2 + r, 90, 270, 6)
        o.arc(lx, cy, hb / 2, 90, 270, 4)
        o.arc(lx, cy, hb / 2 - r, 90, 270, 6)
        o.line(lx, y - 0.55 * H + r, rx, y - 0.55 * H + r, 6)
        o.line(lx, y - 0.55 * H, rx, y - 0.55 * H, 4)
        o.line(lx, y - 0.55 * H - r, rx, y - 0.55 * H - r, 6)
        o.arc(rx, cy, hb / 2 + r, 0, 90, 6)
        o.arc(rx, cy, hb / 2 + r, -90, et - 90, 6)
        o.arc(rx, cy, hb / 2, -90, 90, 4)
        o.arc(rx, cy, hb / 2 - r, -90, 90, 6)
        o.line(lx, y, rx, y, 6)
        o.line(lx, y - r, rx, y - r, 4)
        o.line(lx, y - 2 * r, rx, y - 2 * r, 6)
        rho, Cx, Cy = hb / 2, x + r + hb / 2, ym + hb / 2
        ye = y - r - hb / 2
        yj = y - r - hb / 2 - (hb / 2 + r) * cosd(et)
    else:
        cx, cy = x + r + w / 2, y - r - w / 2
        o.arc(cx, cy, w / 2 + r, 0, ze + 270, 6)
        o.circle(cx, cy, w / 2, 4)
        o.circle(cx, cy, w / 2 - r, 6)
        rho, Cx, Cy = w / 2, x + r + w / 2, ym + w / 2
        ye = y - r - w / 2
        yj = y - r - w / 2 - (w / 2 + r) * cosd(ze)
    c = math.sqrt((Cx - Px) * (Cx - Px) + (Cy - Py) * (Cy - Py)) - rho
    if c <= t:
        o.stop = c
        return o
    o.line(x + W, yh, x + W, ye, 6)
    o.line(x + W - r, yh, x + W - r, ye, 4)
    o.line(x + W - 2 * r, yh, x + W - 2 * r, yj, 6)
    return o


GLYPHS = {'6': six, '8': eight, '9': nine}


def evaluate(g, x, y, W, H, t):
    o = GLYPHS[g](x, y, W, H, t)
    stop = None if o.stop is None else '文字の %s の 線幅 は %.1f 未満です。' % (g, o.stop)
    return o.rows, stop


if __name__ == '__main__':
    g = sys.argv[1]
    x, y, W, H, t = (float(v) for v in sys.argv[2:7])
    o = GLYPHS[g](x, y, W, H, t)
    print('case %s %s' % (g, ' '.join(sys.argv[2:7])))
    for row in o.rows:
        print(row)
    if o.stop is not None:
        print('stop 文字の %s の 線幅 は %.1f 未満です。' % (g, o.stop))
