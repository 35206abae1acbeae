#!/usr/bin/env python3
"""Reference computation of the capitals 'S' and 'Q', written apart from the
C++ generators to derive the expected entity lists of
tests/examples/capitals_sq.txt.

Every formula is evaluated in the form the construction states it, in IEEE
double arithmetic (Python floats), with Pi = 3.14159265358979. Output as in
tests/reference/bowl_capitals.py (entity rows, "count n", "stop message").

The Q's mend near its first test's limit is included: when the angle phi3 of
the tall and circular forms is not positive, or so small that the arcs
-180..phi3 - 180 and -phi3..0 would print with equal angles, the glyph stops
with its width message formatted with the first test's value.

Usage: capitals_sq.py GLYPH x y W H t
"""
import crmath as math
import sys

from bowl_capitals import Out, Pi, f9, line_circle_angle, msg
from rows import circle as circle_row


def S(x, y, W, H, t):
    o = Out()
    r = t / 2
    for v in (W / 2, H / 3.8):
        if not (v > t):
            o.stop = msg('S', v)
            return o
    xL, xR, yT, yM, yL = x + r, x + W - r, y - r, y - H / 2, y - H + r
    if (H - t) / 2 > W - t:
        rho = (W - t) / 2
        cx = xL + rho
        o.arc3(cx, yT - rho, rho, r, 0, 180)
        o.arc3(cx, yM + rho, rho, r, -180, -90)
        o.arc3(cx, yM - rho, rho, r, 0, 90)
        o.arc3(cx, yL + rho, rho, r, -180, 0)
        o.line(xL, yT - rho, xL, yM + rho, 4)
        o.line(xL - r, yT - rho, xL - r, yM + rho, 6)
        o.line(xL + r, yT - rho, xL + r, yM + rho, 6)
        o.line(xR, yM - rho, xR, yL + rho, 4)
        o.line(xR + r, yM - rho, xR + r, yL + rho, 6)
        o.line(xR - r, yM - rho, xR - r, yL + rho, 6)
    elif (H - t) / 2 < W - t:
        rho = (H - t) / 4
        cxL, cxR, cyU, cyD = xL + rho, xR - rho, yT - rho, yL + rho
        o.arc3(cxR, cyU, rho, r, 0, 90)
        o.arc3(cxL, cyU, rho, r, 90, 270)
        o.arc3(cxR, cyD, rho, r, -90, 90)
        o.arc3(cxL, cyD, rho, r, -180, -90)
        for yy, s1, s2 in ((yT, r, -r), (yM, r, -r), (yL, -r, r)):
            o.line(cxL, yy, cxR, yy, 4)
            o.line(cxL, yy + s1, cxR, yy + s1, 6)
            o.line(cxL, yy + s2, cxR, yy + s2, 6)
    else:
        rho = (W - t) / 2
        cx = xL + rho
        o.arc3(cx, yT - rho, rho, r, 0, 270)
        o.arc3(cx, yL + rho, rho, r, -180, 90)
    c = math.sqrt(rho * rho + (yM - yL) * (yM - yL)) - rho
    if not (c > t):
        o.stop = msg('S', c)
        return o
    o.arc(xL, yL + rho, r, 0, 180, 6)
    o.arc(xR, yT - rho, r, -180, 0, 6)
    return o


def Q(x, y, W, H, t):
    o = Out()
    r = t / 2
    th = 53.0
    first = W / (math.tan(th * Pi / 180) + 1 + 1 / math.cos(th * Pi / 180))
    if not (first > t):
        o.stop = msg('Q', first)
        return o
    if not (H / 3.9 >= t):
        o.stop = msg('Q', H / 3.9)
        return o
    xL, xM, xR, yT, yM, yL = x + r, x + W / 2, x + W - r, y - r, y - H / 2, y - H + r
    wide = W > H
    if wide:
        rho = (H - t) / 2
        cxL, cxR, cy = xL + rho, xR - rho, yL + rho
    else:
        rho = (W - t) / 2
        cxL = cxR = xM
        cyT, cy = yT - rho, yL + rho
    sn, cs, tn = math.sin(th * Pi / 180), math.cos(th * Pi / 180), math.tan(th * Pi / 180)
    rk = rho - 0.6 * t
    beta = th - math.asin(((rho * tn - rho) * cs + r) / rk) * 180 / Pi
    sigma = rk * math.cos(beta * Pi / 180) / sn - r
    yS = cy - rk * math.sin(beta * Pi / 180) - (sigma + r) * cs

    def PL(d):
        return (cxL - d * sn, yS + d * cs)

    def PR(d):
        return (cxR + d * sn, yS + d * cs)

    def CL(R, f):
        return (cxL - R * math.cos(f * Pi / 180), cy - R * math.sin(f * Pi / 180))

    def CR(R, f):
        return (cxR + R * math.cos(f * Pi / 180), cy - R * math.sin(f * Pi / 180))

    Fp = (xR + r * sn, yL + r * cs)
    Fm = (xR - r * sn, yL - r * cs)
    msgs = {
        ('in', 'out'): '文字の Q で大径内と小径外接直線の交点が有りません。',
        ('out', 'out'): '文字の Q で大径外と小径外接直線の交点が有りません。',
        ('in', 'in'): '文字の Q で大径内と小径内接直線の交点が有りません。',
        ('out', 'in'): '文字の Q で大径外と小径内接直線の交点が有りません。',
    }

    def lca(big, small):
        R = rho - r if big == 'in' else rho + r
        p = PL(sigma + r) if small == 'out' else PL(sigma - r)
        v = line_circle_angle(R, cxL, cy, p[0], p[1], th)
        if v is None:
            o.stop = msgs[(big, small)]
        return v

    def ln(a, b, col=6):
        o.line(a[0], a[1], b[0], b[1], col)

    if wide:
        o.arc(cxL, cy, rho, 90, 270, 4)
        o.arc(cxL, cy, rho + r, 90, 270, 6)
        o.arc(cxR, cy, rho, -90, 90, 4)
        for yy, s1, s2 in ((yT, r, -r), (yL, -r, r)):
            o.line(cxL, yy, cxR, yy, 4)
            o.line(cxL, yy + s1, cxR, yy + s1, 6)
            o.line(cxL, yy + s2, cxR, yy + s2, 6)
        o.arc3(cxL, yS, sigma, r, 90, 90 + th)
        o.arc3(cxR, yS, sigma, r, 90 - th, 90)
        o.line(cxL, yS + sigma, cxR, yS + sigma, 4)
        o.line(cxL, yS + sigma + r, cxR, yS + sigma + r, 6)
        o.line(cxL, yS + sigma - r, cxR, yS + sigma - r, 6)
        if not (sigma + r > t):
            o.stop = msg('Q', sigma + r)
            return o
        f1 = lca('in', 'out')
        if f1 is None:
            return o
        o.arc(cxL, cy, rho - r, -270, f1 - 180, 6)
        o.arc(cxR, cy, rho - r, -f1, 90, 6)
        ln(PL(sigma + r), CL(rho - r, f1))
        ln(PR(sigma + r), CR(rho - r, f1))
        f2 = lca('out', 'out')
        if f2 is None:
            return o
        o.arc(cxR, cy, rho + r, -f2, 90, 6)
        ln(CR(rho + r, f2), Fp)
        f3 = lca('in', 'in')
        if f3 is None:
            return o
        o.arc(cxL, cy, rho - r, f3 - 180, -90, 6)
        o.arc(cxR, cy, rho - r, -90, -f3, 6)
        ln(PL(sigma - r), CL(rho - r, f3))
        ln(PR(sigma - r), CR(rho - r, f3))
        f4 = lca('out', 'in')
        if f4 is None:
            return o
        o.arc(cxR, cy, rho + r, -90, -f4, 6)
        ln(CR(rho + r, f4), Fm)
        o.arc(xR, yL, r, -90 - th, 90 - th, 6)
    else:
        o.arc3(xM, yS, sigma, r, 90 - th, 90 + th)
        if not (sigma + r > t):
            o.stop = msg('Q', sigma + r)
            return o
        if W < H:
            o.arc3(xM, cyT, rho, r, 0, 180)
            o.arc(xM, cy, rho, -180, 0, 4)
            o.line(xL, cyT, xL, cy, 4)
            o.line(xL - r, cyT, xL - r, cy, 6)
            o.line(xL + r, cyT, xL + r, cy, 6)
            o.line(xR, cyT, xR, cy, 4)
            o.line(xR + r, cyT, xR + r, cy, 6)
            o.line(xR - r, cyT, xR - r, cy, 6)
        else:
            o.rows += circle_row(4, xM, cy, rho)
        f1 = lca('in', 'in')
        if f1 is None:
            return o
        o.arc(xM, cy, rho - r, f1 - 180, -f1, 6)
        ln(PL(sigma - r), CL(rho - r, f1))
        ln(PR(sigma - r), CR(rho - r, f1))
        f2 = lca('out', 'in')
        if f2 is None:
            return o
        ln(CR(rho + r, f2), Fm)
        if W < H:
            o.arc(xM, cy, rho + r, -180, -f2, 6)
        f3 = lca('in', 'out')
        if f3 is None:
            return o
        # The mend: no crossing below the bowl's centre height.
        if f3 <= 0 or f9(f3 - 180) == f9(-180) or f9(-f3) == f9(0):
            o.stop = msg('Q', first)
            return o
        ln(PL(sigma + r), CL(rho - r, f3))
        ln(PR(sigma + r), CR(rho - r, f3))
        if W < H:
            o.arc(xM, cy, rho - r, -180, f3 - 180, 6)
            o.arc(xM, cy, rho - r, -f3, 0, 6)
        else:
            o.arc(xM, cy, rho - r, -f3, f3 + 180, 6)
        f4 = lca('out', 'out')
        if f4 is None:
            return o
        ln(CR(rho + r, f4), Fp)
        if W < H:
            o.arc(xM, cy, rho + r, -f4, 0, 6)
        else:
            o.arc(xM, cy, rho + r, -f4, 360 - f2, 6)
        o.arc(xR, yL, r, -90 - th, 90 - th, 6)
    f5 = line_circle_angle(rho, cxL, cy, xL, yL, th)
    if f5 is None:
        o.stop = '文字の Q で大径と小径接直線の交点が有りません。'
        return o
    ln(CL(rho, f5), PL(sigma), 4)
    ln(PR(sigma), (xR, yL), 4)
    return o


GLYPHS = {'S': S, 'Q': Q}


def evaluate(g, x, y, W, H, t):
    o = GLYPHS[g](x, y, W, H, t)
    return o.rows, o.stop


def main():
    g = sys.argv[1]
    x, y, W, H, t = (float(a) for a in sys.argv[2:7])
    o = GLYPHS[g](x, y, W, H, t)
    for row in o.rows:
        print(row)
    print('count %d' % len(o.rows))
    if o.stop is not None:
        print('stop ' + o.stop)


if __name__ == '__main__':
    main()
