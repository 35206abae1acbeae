#!/usr/bin/env python3
"""Reference computation of the lower-case 'h', 'n', 'm', 'u' and 'r', written
apart from the C++ generators to derive the expected entities of
tests/examples/lower_hnmur.txt.

Every formula is evaluated in the form the construction states it, in IEEE
double arithmetic (Python floats). Entities are printed in the data format of
the worked-examples test, with nine decimals; like the program's output, an
entity that would be degenerate in the file is left out (tests/reference/rows.py). A stop prints as "stop <message>"
and the number of entities as "count n".

Usage: lower_hnmur.py GLYPH x y W H t
"""
import crmath as math
import sys

from rows import arc as arc_row, circle as circle_row, line as line_row, pow2

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

    def fits(self, limit, t):
        if limit > t:
            return True
        self.stop = limit
        return False


def shoulder(A, B, t, r):
    """(semicircle?, rho) by the shoulder rule."""
    d = A - 0.05 * t
    R0 = (math.sqrt(pow2(d) + pow2(t)) / math.cos(math.atan(d / t))) / 2 - r
    if A >= B and B <= R0:
        return True, B
    if B >= A and A <= R0:
        return False, A
    return False, R0


def alpha_j(rho, r):
    a = math.acos((rho - r) / (rho + r)) * 180 / Pi
    return a, (rho + r) * math.sin(a * Pi / 180)


def glyph_h(o, x, y, W, H, t):
    r = t / 2
    if not o.fits(W / 2, t) or not o.fits((((1 - 0.45) * H) + ((1 - 0.45) * H)) / 3, t):
        return
    Lx, Rx, Fy, Ty = x + r, x + W - r, y - H + r, y - r
    Xh = y - 0.45 * H
    wide = ((1 - 0.45) * H) - r < W - t
    rho = (((1 - 0.45) * H) - r) / 2 if wide else (W - t) / 2
    Qy = Xh - rho
    a = math.acos((rho - r) / (rho + r)) * 180 / Pi
    v = (rho + r) * math.sin(a * Pi / 180) + Qy
    o.arc(Lx, Ty, r, 0, 180, 6)
    o.arc(Lx, Fy, r, -180, 0, 6)
    o.arc(Rx, Fy, r, -180, 0, 6)
    o.line(Lx, Ty, Lx, Fy, 4)
    o.line(Lx - r, Ty, Lx - r, Fy, 6)
    if wide:
        Ax, Bx = Lx + rho, Rx - rho
        o.arc(Ax, Qy, rho, 90, 180, 4)
        o.arc(Ax, Qy, rho - r, 90, 180, 6)
        o.arc(Ax, Qy, rho + r, 90, 180 - a, 6)
        o.arc(Bx, Qy, rho, 0, 90, 4)
        o.arc(Bx, Qy, rho - r, 0, 90, 6)
        o.arc(Bx, Qy, rho + r, 0, 90, 6)
        o.line(Ax, Xh, Bx, Xh, 4)
        o.line(Ax, Xh + r, Bx, Xh + r, 6)
        o.line(Ax, Xh - r, Bx, Xh - r, 6)
    else:
        Mx = Rx - rho
        o.arc(Mx, Qy, rho, 0, 180, 4)
        o.arc(Mx, Qy, rho - r, 0, 180, 6)
        o.arc(Mx, Qy, rho + r, 0, 180 - a, 6)
    o.line(Lx + r, Ty, Lx + r, v, 6)
    o.line(Lx + r, Qy, Lx + r, Fy, 6)
    o.line(Rx, Qy, Rx, Fy, 4)
    o.line(Rx + r, Qy, Rx + r, Fy, 6)
    o.line(Rx - r, Qy, Rx - r, Fy, 6)


def common(x, y, W, H, t):
    r = t / 2
    return r, x + r, x + W - r, x + W / 2, y - H + r, y - 0.4 * H, (y - ((1 + 0.4) * H) / 2) + t / 4


def glyph_n(o, x, y, W, H, t):
    r, Lx, Rx, Cx, Fy, Ny, Ay = common(x, y, W, H, t)
    if not o.fits(W / 2, t) or not o.fits(((1 - 0.4) * H) / 2.5, t):
        return
    o.arc(Lx, Ny, r, 0, 180, 6)
    o.arc(Lx, Fy, r, -180, 0, 6)
    o.arc(Rx, Fy, r, -180, 0, 6)
    o.line(Lx, Ny, Lx, Fy, 4)
    o.line(Lx - r, Ny, Lx - r, Fy, 6)
    semi, rho = shoulder(Ny - Ay, (Rx - Lx) / 2, t, r)
    if not semi and not o.fits(rho + r, t):
        return
    a, j = alpha_j(rho, r)
    if semi:
        Cy = Ny - rho
        if 0.05 * t > rho - j:
            Cy = (Ny - 0.05 * t) - j
        Mx = Rx - rho
        o.arc(Mx, Cy, rho, 0, 180, 4)
        o.arc(Mx, Cy, rho - r, 0, 180, 6)
        o.arc(Mx, Cy, rho + r, 0, 180 - a, 6)
        o.line(Lx + r, Ny, Lx + r, Cy + j, 6)
        o.line(Lx + r, Cy, Lx + r, Fy, 6)
        o.line(Rx, Cy, Rx, Fy, 4)
        o.line(Rx + r, Cy, Rx + r, Fy, 6)
        o.line(Rx - r, Cy, Rx - r, Fy, 6)
    else:
        Ax, Bx, Sy = Lx + rho, Rx - rho, Ay + rho
        o.arc(Ax, Ay, rho, 90, 180, 4)
        o.arc(Ax, Ay, rho - r, 90, 180, 6)
        o.arc(Ax, Ay, rho + r, 90, 180 - a, 6)
        o.arc(Bx, Ay, rho, 0, 90, 4)
        o.arc(Bx, Ay, rho - r, 0, 90, 6)
        o.arc(Bx, Ay, rho + r, 0, 90, 6)
        o.line(Ax, Sy, Bx, Sy, 4)
        o.line(Ax, Sy + r, Bx, Sy + r, 6)
        o.line(Ax, Sy - r, Bx, Sy - r, 6)
        o.line(Lx + r, Ny, Lx + r, Ay + j, 6)
        o.line(Lx + r, Ay, Lx + r, Fy, 6)
        o.line(Rx, Ay, Rx, Fy, 4)
        o.line(Rx + r, Ay, Rx + r, Fy, 6)
        o.line(Rx - r, Ay, Rx - r, Fy, 6)


def glyph_m(o, x, y, W, H, t):
    r, Lx, Rx, Cx, Fy, Ny, Ay = common(x, y, W, H, t)
    if not o.fits(W / 3, t) or not o.fits(((1 - 0.4) * H) / 2.5, t):
        return
    o.arc(Lx, Ny, r, 0, 180, 6)
    o.arc(Lx, Fy, r, -180, 0, 6)
    o.arc(Cx, Fy, r, -180, 0, 6)
    o.arc(Rx, Fy, r, -180, 0, 6)
    semi, rho = shoulder(Ny - Ay, (Cx - Lx) / 2, t, r)
    if not semi and not o.fits(rho + r, t):
        return
    a, j = alpha_j(rho, r)
    b = math.acos(rho / (rho + r)) * 180 / Pi
    if semi:
        Cy = Ny - rho
        if 0.05 * t > rho - j:
            Cy = (Ny - 0.05 * t) - j
        Ux, Vx = Lx + rho, Rx - rho
        o.arc(Ux, Cy, rho, 0, 180, 4)
        o.arc(Ux, Cy, rho - r, 0, 180, 6)
        o.arc(Ux, Cy, rho + r, b, 180 - a, 6)
        o.arc(Vx, Cy, rho, 0, 180, 4)
        o.arc(Vx, Cy, rho - r, 0, 180, 6)
        o.arc(Vx, Cy, rho + r, 0, 180 - b, 6)
    else:
        Cy = Ay
        P1, P2, P3, P4, Sy = Lx + rho, Cx - rho, Cx + rho, Rx - rho, Ay + rho
        o.arc(P1, Ay, rho, 90, 180, 4)
        o.arc(P1, Ay, rho - r, 90, 180, 6)
        o.arc(P1, Ay, rho + r, 90, 180 - a, 6)
        o.arc(P2, Ay, rho, 0, 90, 4)
        o.arc(P2, Ay, rho - r, 0, 90, 6)
        o.arc(P2, Ay, rho + r, b, 90, 6)
        o.arc(P3, Ay, rho, 90, 180, 4)
        o.arc(P3, Ay, rho - r, 90, 180, 6)
        o.arc(P3, Ay, rho + r, 90, 180 - b, 6)
        o.arc(P4, Ay, rho, 0, 90, 4)
        o.arc(P4, Ay, rho - r, 0, 90, 6)
        o.arc(P4, Ay, rho + r, 0, 90, 6)
        o.line(P1, Sy, P2, Sy, 4)
        o.line(P1, Sy + r, P2, Sy + r, 6)
        o.line(P1, Sy - r, P2, Sy - r, 6)
        o.line(P3, Sy, P4, Sy, 4)
        o.line(P3, Sy + r, P4, Sy + r, 6)
        o.line(P3, Sy - r, P4, Sy - r, 6)
    o.line(Lx, Ny, Lx, Fy, 4)
    o.line(Lx - r, Ny, Lx - r, Fy, 6)
    o.line(Lx + r, Ny, Lx + r, Cy + j, 6)
    o.line(Lx + r, Cy, Lx + r, Fy, 6)
    o.line(Cx, Cy, Cx, Fy, 4)
    o.line(Cx - r, Cy, Cx - r, Fy, 6)
    o.line(Cx + r, Cy, Cx + r, Fy, 6)
    o.line(Rx, Cy, Rx, Fy, 4)
    o.line(Rx + r, Cy, Rx + r, Fy, 6)
    o.line(Rx - r, Cy, Rx - r, Fy, 6)


def glyph_u(o, x, y, W, H, t):
    r, Lx, Rx, Cx, Fy, Ny, Ay = common(x, y, W, H, t)
    if not o.fits(W / 2, t) or not o.fits(((1 - 0.4) * H) / 2.5, t):
        return
    o.arc(Lx, Ny, r, 0, 180, 6)
    o.arc(Rx, Ny, r, 0, 180, 6)
    o.arc(Rx, Fy, r, -180, 0, 6)
    o.line(Rx, Ny, Rx, Fy, 4)
    o.line(Rx + r, Ny, Rx + r, Fy, 6)
    semi, rho = shoulder(Ay - Fy, (Rx - Lx) / 2, t, r)
    if not semi and not o.fits(rho + r, t):
        return
    a, j = alpha_j(rho, r)
    if semi:
        Cy = Fy + rho
        if 0.05 * t > rho - j:
            Cy = (0.05 * t + Fy) + j
        Mx = Rx - rho
        o.arc(Mx, Cy, rho, -180, 0, 4)
        o.arc(Mx, Cy, rho - r, -180, 0, 6)
        o.arc(Mx, Cy, rho + r, -180, -a, 6)
    else:
        Cy = Ay
        Ax, Bx, Sy = Lx + rho, Rx - rho, Ay - rho
        o.arc(Ax, Ay, rho, -180, -90, 4)
        o.arc(Ax, Ay, rho - r, -180, -90, 6)
        o.arc(Ax, Ay, rho + r, -180, -90, 6)
        o.arc(Bx, Ay, rho, -90, 0, 4)
        o.arc(Bx, Ay, rho - r, -90, 0, 6)
        o.arc(Bx, Ay, rho + r, -90, -a, 6)
        o.line(Ax, Sy, Bx, Sy, 4)
        o.line(Ax, Sy + r, Bx, Sy + r, 6)
        o.line(Ax, Sy - r, Bx, Sy - r, 6)
    o.line(Rx - r, Ny, Rx - r, Cy, 6)
    o.line(Rx - r, Cy - j, Rx - r, Fy, 6)
    o.line(Lx, Cy, Lx, Ny, 4)
    o.line(Lx + r, Cy, Lx + r, Ny, 6)
    o.line(Lx - r, Cy, Lx - r, Ny, 6)


def glyph_r(o, x, y, W, H, t):
    r, Lx, Rx, Cx, Fy, Ny, Ay = common(x, y, W, H, t)
    Ry = y - 0.63 * H
    if not o.fits(W / 2, t) or not o.fits((0.63 - 0.4) * H, t):
        return
    o.arc(Lx, Ny, r, 0, 180, 6)
    o.arc(Lx, Fy, r, -180, 0, 6)
    o.line(Lx, Ny, Lx, Fy, 4)
    o.line(Lx - r, Ny, Lx - r, Fy, 6)
    semi, rho = shoulder(Ny - Ry, (Rx - Lx) / 2, t, r)
    if not semi and not o.fits(rho + r, t):
        return
    a, j = alpha_j(rho, r)
    if semi:
        Cy = Ny - rho
        if 0.05 * t > rho - j:
            Cy = (Ny - 0.05 * t) - j
        Mx = Rx - rho
        o.arc(Mx, Cy, rho, 0, 180, 4)
        o.arc(Mx, Cy, rho - r, 0, 180, 6)
        o.arc(Mx, Cy, rho + r, 0, 180 - a, 6)
        o.arc(Rx, Cy, r, -180, 0, 6)
    else:
        Cy = Ry
        Ax, Bx, Sy = Lx + rho, Rx - rho, Ry + rho
        o.arc(Ax, Ry, rho, 90, 180, 4)
        o.arc(Ax, Ry, rho - r, 90, 180, 6)
        o.arc(Ax, Ry, rho + r, 90, 180 - a, 6)
        o.arc(Bx, Ry, rho, 0, 90, 4)
        o.arc(Bx, Ry, rho - r, 0, 90, 6)
        o.arc(Bx, Ry, rho + r, 0, 90, 6)
        o.line(Ax, Sy, Bx, Sy, 4)
        o.line(Ax, Sy + r, Bx, Sy + r, 6)
        o.line(Ax, Sy - r, Bx, Sy - r, 6)
        o.arc(Rx, Ry, r, -180, 0, 6)
    o.line(Lx + r, Ny, Lx + r, Cy + j, 6)
    o.line(Lx + r, Cy, Lx + r, Fy, 6)


NAMES = {'h': 'ｈ', 'n': 'ｎ', 'm': 'ｍ', 'u': 'ｕ', 'r': 'ｒ'}
GLYPHS = {'h': glyph_h, 'n': glyph_n, 'm': glyph_m, 'u': glyph_u, 'r': glyph_r}


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
