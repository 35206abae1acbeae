#!/usr/bin/env python3
"""Reference computation of the round capitals C O G D U J, the lower-case
c and o, and the corner-arc routines, written apart from the C++ generators
to derive the expected rows of tests/examples/round_capitals.txt.

Every formula is evaluated in the form the construction states it, in IEEE
double arithmetic (Python floats), with Pi = 3.14159265358979. Entities are
printed in the data file's format, with nine decimals:
  ARC colour cx cy radius start end
  LINE colour x1 y1 x2 y2
  CIRCLE colour cx cy radius
A stop is printed as "stop <message without the trailing line break>".
Degenerate entities are left out (tests/reference/rows.py).

Usage: round_capitals.py GLYPH x y W H t
       round_capitals.py fit a b        (FitCornerArc: radius, angle)
"""
import crmath as math
import sys

from rows import arc as arc_row, circle as circle_row, line as line_row

Pi = 3.14159265358979


def f1(v):
    return '%.1f' % v


class Out:
    def __init__(self):
        self.rows = []
        self.stop = None

    def arc(self, col, cx, cy, rad, a0, a1):
        self.rows += arc_row(col, cx, cy, rad, a0, a1)

    def line(self, col, x1, y1, x2, y2):
        self.rows += line_row(col, x1, y1, x2, y2)

    def circle(self, col, cx, cy, rad):
        self.rows += circle_row(col, cx, cy, rad)

    def triple(self, cx, cy, rho, r, a0, a1):
        self.arc(4, cx, cy, rho, a0, a1)
        self.arc(6, cx, cy, rho + r, a0, a1)
        self.arc(6, cx, cy, rho - r, a0, a1)

    def fits(self, limit, t, label):
        if limit > t:
            return True
        self.stop = '文字の ' + label + ' の 線幅 は ' + f1(limit) + ' 未満です。'
        return False


def intersect_lines(x1, y1, a1, x2, y2, a2):
    d = abs(a1 - a2)
    if d in (0, 180, 360, 540):
        return None
    if abs(a1) in (90, 270, 450):
        return (x1, (x1 - x2) * math.tan(a2 * Pi / 180) + y2)
    if abs(a2) in (90, 270, 450):
        return (x2, (x2 - x1) * math.tan(a1 * Pi / 180) + y1)
    X = (y2 - x2 * math.tan(a2 * Pi / 180) - y1 + x1 * math.tan(a1 * Pi / 180)) / (
        math.tan(a1 * Pi / 180) - math.tan(a2 * Pi / 180))
    return (X, (X - x1) * math.tan(a1 * Pi / 180) + y1)


def fit_corner_arc(a, b, mend=True):
    """(radius, angle) or None. mend: distances within 1e-12 relative count as equal."""
    A, B = abs(a), abs(b)
    if A == 0 or B == 0:
        return None
    if A == B or (mend and abs(A - B) <= 1e-12 * max(A, B)):
        return (A * math.sqrt(2) / (math.sqrt(2) + 1), -45.0)
    theta = math.atan(B / A) * 180 / Pi
    phi = math.asin((1 - math.tan(theta * Pi / 180)) * math.cos(theta * Pi / 180)) * 180 / Pi - theta
    P = intersect_lines(0, 0, 45, A, B, -phi)
    if P is None:
        return None
    return (math.sqrt((A - P[0]) * (A - P[0]) + (B - P[1]) * (B - P[1])), phi)


def drop(ratio, H, r):
    return ratio * H - r if ratio > 0 else 0


def glyph_c(o, x, y, W, H, t, ratio, label):
    r = t / 2
    e = drop(ratio, H, r)
    D = H - e
    k = 0.3
    xL, xM, xR = x + r, x + W / 2, x + W - r
    yT = y - e - r
    yA = y - e - k * D
    yM = y - e - D / 2
    yB = y - e - (1 - k) * D
    yL = y - e - D + r
    if not o.fits(W / 2, t, label) or not o.fits((1 - 2 * k) * D, t, label):
        return
    f = fit_corner_arc(xR - xL, yT - yA)
    if f is None:
        o.stop = '文字の ' + label + ' で半径が計算できません。'
        return
    rho, phi = f
    h = yT - yM
    if h > rho:
        if yT - yA >= xM - xL:
            rho = xM - xL
            phi = 0.0  # a double: the lower cap then starts at -0.0
            yA = yT - rho
            yB = yL + rho
        cx, cyT, cyB = xL + rho, yT - rho, yL + rho
        o.triple(cx, cyT, rho, r, phi, 180)
        o.triple(cx, cyB, rho, r, -180, -phi)
        o.line(4, xL, cyT, xL, cyB)
        o.line(6, xL - r, cyT, xL - r, cyB)
        o.line(6, xL + r, cyT, xL + r, cyB)
    elif h < rho:
        rho = h
        phi = math.asin((yA - yM) / rho) * 180 / Pi
        cx = xL + rho
        cx2 = xR - rho * math.cos(phi * Pi / 180)
        o.triple(cx, yM, rho, r, 90, 270)
        o.triple(cx2, yM, rho, r, phi, 90)
        o.triple(cx2, yM, rho, r, -90, -phi)
        o.line(4, cx, yT, cx2, yT)
        o.line(6, cx, yT + r, cx2, yT + r)
        o.line(6, cx, yT - r, cx2, yT - r)
        o.line(4, cx, yL, cx2, yL)
        o.line(6, cx, yL - r, cx2, yL - r)
        o.line(6, cx, yL + r, cx2, yL + r)
    else:
        cx = xL + rho
        o.triple(cx, yM, rho, r, phi, 360 - phi)
    o.arc(6, xR, yA, r, phi - 180, phi)
    o.arc(6, xR, yB, r, -phi, 180 - phi)


def glyph_o(o, x, y, W, H, t, ratio, label):
    r = t / 2
    e = drop(ratio, H, r)
    D = H - e
    xL, xR = x + r, x + W - r
    yT, yL = y - e - r, y - H + r
    if not o.fits(W / 2, t, label) or not o.fits(D / 2, t, label):
        return
    if D > W:
        rho = (W - t) / 2
        cx, cyT, cyB = xL + rho, yT - rho, yL + rho
        o.triple(cx, cyT, rho, r, 0, 180)
        o.triple(cx, cyB, rho, r, -180, 0)
        o.line(4, xL, cyT, xL, cyB)
        o.line(6, xL - r, cyT, xL - r, cyB)
        o.line(6, xL + r, cyT, xL + r, cyB)
        o.line(4, xR, cyT, xR, cyB)
        o.line(6, xR - r, cyT, xR - r, cyB)
        o.line(6, xR + r, cyT, xR + r, cyB)
    elif D == W:
        rho = (W - t) / 2
        o.circle(4, xL + rho, yT - rho, rho)
        o.circle(6, xL + rho, yT - rho, rho + r)
        o.circle(6, xL + rho, yT - rho, rho - r)
    else:
        rho = (D - t) / 2
        cxL, cxR, cy = xL + rho, xR - rho, yT - rho
        o.triple(cxL, cy, rho, r, 90, 270)
        o.triple(cxR, cy, rho, r, -90, 90)
        o.line(4, cxL, yT, cxR, yT)
        o.line(6, cxL, yT + r, cxR, yT + r)
        o.line(6, cxL, yT - r, cxR, yT - r)
        o.line(4, cxL, yL, cxR, yL)
        o.line(6, cxL, yL - r, cxR, yL - r)
        o.line(6, cxL, yL + r, cxR, yL + r)


def glyph_g(o, x, y, W, H, t):
    r = t / 2
    xL, xM, xR = x + r, x + W / 2, x + W - r
    yT, yL, yG = y - r, y - H + r, y - 0.55 * H
    if not o.fits(W / 3, t, 'G') or not o.fits((4 * 0.55 - 1) * H / 5, t, 'G'):
        return
    if W - t <= (H - t) / 2:
        rho = (W - t) / 2
        cx, cyT, cyB = xL + rho, yT - rho, yL + rho
        o.triple(cx, cyT, rho, r, 0, 180)
        o.triple(cx, cyB, rho, r, -180, 0)
    else:
        rho = (H - t) / 4
        cxL, cxR, cyT, cyB = xL + rho, xR - rho, yT - rho, yL + rho
        o.triple(cxR, cyT, rho, r, 0, 90)
        o.triple(cxR, cyB, rho, r, -90, 0)
        o.triple(cxL, cyT, rho, r, 90, 180)
        o.triple(cxL, cyB, rho, r, 180, 270)
        o.line(4, cxR, yT, cxL, yT)
        o.line(6, cxR, yT + r, cxL, yT + r)
        o.line(6, cxR, yT - r, cxL, yT - r)
        o.line(4, cxR, yL, cxL, yL)
        o.line(6, cxR, yL + r, cxL, yL + r)
        o.line(6, cxR, yL - r, cxL, yL - r)
    o.arc(6, xR, cyT, r, -180, 0)
    o.arc(6, xR, yG, r, 0, 90)
    o.arc(6, xM, yG, r, 90, 270)
    o.line(4, xL, cyT, xL, cyB)
    o.line(6, xL - r, cyT, xL - r, cyB)
    o.line(6, xL + r, cyT, xL + r, cyB)
    o.line(4, xR, yG, xR, cyB)
    o.line(6, xR + r, yG, xR + r, cyB)
    o.line(6, xR - r, yG - r, xR - r, cyB)
    o.line(4, xM, yG, xR, yG)
    o.line(6, xM, yG + r, xR, yG + r)
    o.line(6, xM, yG - r, xR - r, yG - r)


def glyph_d(o, x, y, W, H, t):
    r = t / 2
    xL, xR, yT, yL = x + r, x + W - r, y - r, y - H + r
    if not o.fits(W / 2.5, t, 'D') or not o.fits(H / 2, t, 'D'):
        return
    if (H - t) / 2 <= W - 2 * t:
        rho = (H - t) / 2
        cx = xR - rho
        o.triple(cx, yT - rho, rho, r, -90, 90)
    else:
        rho = W - 2 * t
        cx, cyT, cyB = xR - rho, yT - rho, yL + rho
        o.triple(cx, cyT, rho, r, 0, 90)
        o.triple(cx, cyB, rho, r, -90, 0)
        o.line(4, xR, cyT, xR, cyB)
        o.line(6, xR + r, cyT, xR + r, cyB)
        o.line(6, xR - r, cyT, xR - r, cyB)
    o.arc(6, xL, yT, r, 90, 180)
    o.arc(6, xL, yL, r, 180, 270)
    o.line(4, xL, yT, cx, yT)
    o.line(6, xL, yT + r, cx, yT + r)
    o.line(6, xL + r, yT - r, cx, yT - r)
    o.line(4, xL, yT, xL, yL)
    o.line(6, xL - r, yT, xL - r, yL)
    o.line(6, xL + r, yT - r, xL + r, yL + r)
    o.line(4, xL, yL, cx, yL)
    o.line(6, xL, yL - r, cx, yL - r)
    o.line(6, xL + r, yL + r, cx, yL + r)


def glyph_u(o, x, y, W, H, t):
    r = t / 2
    xL, xR, yT, yL = x + r, x + W - r, y - r, y - H + r
    if not o.fits(W / 2, t, 'U') or not o.fits(H / 2, t, 'U'):
        return
    o.arc(6, xL, yT, r, 0, 180)
    o.arc(6, xR, yT, r, 0, 180)
    if W <= H:
        rho = (W - t) / 2
        cy = yL + rho
        o.triple(xL + rho, cy, rho, r, -180, 0)
    else:
        rho = (H - t) / 2
        cy = yL + rho
        o.triple(xL + rho, cy, rho, r, -180, -90)
        o.triple(xR - rho, cy, rho, r, -90, 0)
        o.line(4, xL + rho, yL, xR - rho, yL)
        o.line(6, xL + rho, yL + r, xR - rho, yL + r)
        o.line(6, xL + rho, yL - r, xR - rho, yL - r)
    o.line(4, xL, yT, xL, cy)
    o.line(6, xL - r, yT, xL - r, cy)
    o.line(6, xL + r, yT, xL + r, cy)
    o.line(4, xR, yT, xR, cy)
    o.line(6, xR + r, yT, xR + r, cy)
    o.line(6, xR - r, yT, xR - r, cy)


def glyph_j(o, x, y, W, H, t):
    r = t / 2
    xL, xR, yT, yL = x + r, x + W - r, y - r, y - H + r
    if not o.fits(W / 2, t, 'J') or not o.fits(0.5 * H, t, 'J'):
        return
    if (W - t) / 2 <= 0.5 * H - r:
        rho = (W - t) / 2
        cy = yL + rho
        o.triple(xL + rho, cy, rho, r, -180, 0)
    else:
        rho = 0.5 * H - r
        cy = yL + rho
        o.triple(xL + rho, cy, rho, r, 180, 270)
        o.triple(xR - rho, cy, rho, r, -90, 0)
        o.line(4, xL + rho, yL, xR - rho, yL)
        o.line(6, xL + rho, yL + r, xR - rho, yL + r)
        o.line(6, xL + rho, yL - r, xR - rho, yL - r)
    o.arc(6, xL, cy, r, 0, 180)
    o.arc(6, xR, yT, r, 0, 180)
    o.line(4, xR, yT, xR, cy)
    o.line(6, xR + r, yT, xR + r, cy)
    o.line(6, xR - r, yT, xR - r, cy)


GLYPHS = {
    'C': lambda o, *a: glyph_c(o, *a, 0.0, 'C'),
    'c': lambda o, *a: glyph_c(o, *a, 0.4, 'ｃ'),
    'O': lambda o, *a: glyph_o(o, *a, 0.0, 'O'),
    'o': lambda o, *a: glyph_o(o, *a, 0.4, 'ｏ'),
    'G': glyph_g, 'D': glyph_d, 'U': glyph_u, 'J': glyph_j,
}


def evaluate(g, x, y, W, H, t):
    o = Out()
    GLYPHS[g](o, x, y, W, H, t)
    return o.rows, o.stop


def main():
    if sys.argv[1] == 'fit':
        print(fit_corner_arc(float(sys.argv[2]), float(sys.argv[3])))
        return
    g = sys.argv[1]
    x, y, W, H, t = (float(v) for v in sys.argv[2:7])
    o = Out()
    GLYPHS[g](o, x, y, W, H, t)
    print('case %s %s' % (g, ' '.join(sys.argv[2:7])))
    for row in o.rows:
        print(row)
    if o.stop is not None:
        print('count %d' % len(o.rows))
        print('stop ' + o.stop)


if __name__ == '__main__':
    main()
