#!/usr/bin/env python3
"""Reference computation of the punctuation , : ; ' " ` written apart from the
C++ generators, to derive the nine-decimal rows of tests/examples/punctuation.txt.

Every formula is evaluated in the form the construction states it, in IEEE
double arithmetic (Python floats), with Pi = 3.14159265358979; squares marked
as powers are correctly rounded (rows.pow2). Rows are printed in the format of the examples file:
  CIRCLE colour cx cy radius
  ARC colour cx cy radius start end
A stop is printed as "stop <message>". Degenerate entities are left out
(tests/reference/rows.py).

Usage: punctuation.py GLYPH x y W H t
"""
import crmath as math
import sys

from rows import arc as arc_row, circle as circle_row, pow2

Pi = 3.14159265358979


def f1(v):
    return '%.1f' % v


class Out:
    def __init__(self):
        self.rows = []
        self.stop = None

    def circle(self, cx, cy, rad, col):
        self.rows += circle_row(col, cx, cy, rad)

    def arc(self, cx, cy, rad, a0, a1, col):
        self.rows += arc_row(col, cx, cy, rad, a0, a1)

    def width(self, name, value):
        self.stop = '文字の %s の 線幅 は %s 未満です。' % (name, f1(value))


def clamp(v):
    return max(-1.0, min(1.0, v))


def circle_angles(R1, X1, Y1, R2, X2, Y2):
    """(theta1, theta2) in degrees, or None."""
    d = math.sqrt(pow2(X2 - X1) + pow2(Y2 - Y1))
    if abs(R2 - R1) > d or R1 + R2 < d:
        return None
    if X2 != X1:
        D = math.atan2(Y2 - Y1, X2 - X1) * 180 / Pi
    elif Y2 > Y1:
        D = 90.0
    elif Y2 < Y1:
        D = -90.0
    else:
        return None
    J = math.acos(clamp((pow2(d) + pow2(R1) - pow2(R2)) / (2 * d * R1))) * 180 / Pi
    return D + J, D - J


def comma_shape(o, x, y, W, H, t, a, b, c, label):
    r = t / 2
    h = a * t - r
    Ro = h + r
    Dx, Dy = x + W / 2, (y - H) + c * t
    Ex, Ey = (x - b * t) + W / 2, (y - H) + r
    A = math.atan(((x + W / 2) + h - Ex) / (Dy - Ey)) * 180 / Pi
    Rt = math.sqrt(pow2((x + W / 2) + h - Ex) + pow2(Dy - Ey)) / (2 * math.sin(A * Pi / 180))
    Cx, Cy = (x + W / 2) + h - Rt, Dy
    o.circle(Dx, Dy, h, 4)
    o.arc(Cx, Cy, Rt, -2 * A, 0, 4)
    o.arc(Cx, Cy, Rt + r, -2 * A, 0, 6)
    I1 = circle_angles(Ro, Dx, Dy, r, Ex, Ey)
    I2 = circle_angles(Ro, Dx, Dy, Rt - r, Cx, Cy)

    def edge():
        beta = I2[0]
        gamma = math.asin(clamp(Ro * math.sin(beta * Pi / 180) / (Rt - r))) * 180 / Pi
        o.arc(Cx, Cy, Rt - r, -2 * A, gamma, 6)
        return -2 * A - 180, beta

    if I1 is not None:
        beta = I1[1] + 360
        if I2 is not None and math.cos(I2[0] * Pi / 180) < math.cos(beta * Pi / 180):
            cap, beta = edge()
        else:
            cap = math.asin(clamp(((Dy - Ey) + Ro * math.sin(beta * Pi / 180)) / r)) * 180 / Pi - 360
    elif I2 is not None:
        cap, beta = edge()
    else:
        o.stop = '文字の %s で小径外と大径内の交点が有りません。' % label
        return
    o.arc(Ex, Ey, r, cap, -2 * A, 6)
    o.arc(Dx, Dy, Ro, 0, beta, 6)


def comma(x, y, W, H, t):
    o = Out()
    if not (W / (0.5 * 2 + 1) > t):
        o.width('コンマ', W / 2)
    elif not (H / (0.8 + 1.7) > t):
        o.width('コンマ', H / 2.5)
    else:
        comma_shape(o, x, y, W, H, t, 0.8, 0.5, 1.7, 'コンマ')
    return o


def colon(x, y, W, H, t):
    o = Out()
    r = t / 2
    if not (W / (0.8 * 2) > t):
        o.width('コロン', W / 1.6)
    elif not (0.25 * H / 0.8 > t):
        o.width('コロン', 0.25 * H / 0.8)
    else:
        h = 0.8 * t - r
        for cy in (y - 0.25 * H, y - (1 - 0.25) * H):
            o.circle(x + W / 2, cy, h, 4)
            o.circle(x + W / 2, cy, h + r, 6)
    return o


def semicolon(x, y, W, H, t):
    o = Out()
    r = t / 2
    name = 'セミコロン'
    if not (W / (0.5 * 2 + 1) > t):
        o.width(name, W / 2)
        return o
    if not (0.25 * H / 0.8 > t):
        o.width(name, 0.25 * H / 0.8)
        return o
    if 0.25 * H >= 1.7 * t:
        Uy = y - 0.25 * H
        yc = y + 0.25 * H - 1.7 * t
    else:
        if not (H / (1.7 + 0.8 * 3) > t):
            o.width(name, H / 4.1)
            return o
        Uy = y - (H - 0.8 * t - 1.7 * t) / 2
        yc = y
    o.circle(x + W / 2, Uy, 0.8 * t - r, 4)
    o.circle(x + W / 2, Uy, (0.8 * t - r) + r, 6)
    comma_shape(o, x, yc, W, H, t, 0.8, 0.5, 1.7, name)
    return o


def apostrophe(x, y, W, H, t):
    o = Out()
    name = 'アポストロフィ'
    if not (W / (0.5 * 2 + 1) > t):
        o.width(name, W / 2)
    elif not (H / (0.8 + 1.7) > t):
        o.width(name, H / 2.5)
    else:
        comma_shape(o, x, H + y - 0.8 * t - 1.7 * t, W, H, t, 0.8, 0.5, 1.7, name)
    return o


def double_quote(x, y, W, H, t):
    o = Out()
    name = 'ダブルクォート'
    if not (0.25 * W / (0.5 + 0.5) > t):
        o.width(name, 0.25 * W)
    elif not (H / (0.8 + 1.7) > t):
        o.width(name, H / 2.5)
    else:
        yq = y + H - 0.8 * t - 1.7 * t
        comma_shape(o, x - W * (0.5 - 0.25), yq, W, H, t, 0.8, 0.5, 1.7, name)
        comma_shape(o, (0.5 - 0.25) * W + x, yq, W, H, t, 0.8, 0.5, 1.7, name)
    return o


def grave(x, y, W, H, t):
    o = Out()
    r = t / 2
    name = 'アクサングラーブ'
    if not (W / (2 * 0.5 + 1) > t):
        o.width(name, W / 2)
        return o
    if not (H / (0.8 + 1.7) > t):
        o.width(name, H / 2.5)
        return o
    h = 0.8 * t - r
    Ro = h + r
    Dx, Dy = x + W / 2, y - 1.7 * t
    Ex, Ey = (0.5 * t + x) + W / 2, y - r
    A = math.atan(((x + W / 2) - h - Ex) / ((y - 1.7 * t) - Ey)) * 180 / Pi
    Rt = math.sqrt(pow2((x + W / 2) - h - Ex) + pow2(Dy - Ey)) / (2 * math.sin(A * Pi / 180))
    Cx, Cy = (x + W / 2) - h + Rt, Dy
    o.circle(Dx, Dy, h, 4)
    o.arc(Cx, Cy, Rt, 180 - 2 * A, 180, 4)
    o.arc(Cx, Cy, Rt + r, 180 - 2 * A, 180, 6)
    I1 = circle_angles(Ro, Dx, Dy, r, Ex, Ey)
    I2 = circle_angles(Ro, Dx, Dy, Rt - r, Cx, Cy)

    def edge():
        beta = I2[0]
        gamma = math.asin(clamp(Ro * math.sin(beta * Pi / 180) / (Rt - r))) * 180 / Pi
        o.arc(Cx, Cy, Rt - r, 180 - 2 * A, 180 - gamma, 6)
        return -2 * A, beta

    if I1 is not None:
        beta = I1[1]
        if I2 is not None and math.cos(I2[0] * Pi / 180) > math.cos(beta * Pi / 180):
            cap, beta = edge()
        else:
            cap = -180 - math.asin(clamp(((Dy - Ey) + Ro * math.sin(beta * Pi / 180)) / r)) * 180 / Pi
    elif I2 is not None:
        cap, beta = edge()
    else:
        o.stop = '文字の アクサングラーブ で小径外と大径内の交点が有りません。'
        return o
    o.arc(Ex, Ey, r, cap, 180 - 2 * A, 6)
    o.arc(Dx, Dy, Ro, -180, beta, 6)
    return o


GLYPHS = {',': comma, ':': colon, ';': semicolon, "'": apostrophe, '"': double_quote, '`': grave}


def evaluate(g, x, y, W, H, t):
    o = GLYPHS[g](x, y, W, H, t)
    return o.rows, o.stop

if __name__ == '__main__':
    g = sys.argv[1]
    args = [float(v) for v in sys.argv[2:7]]
    o = GLYPHS[g](*args)
    print('case %s %s' % (g, ' '.join(sys.argv[2:7])))
    for row in o.rows:
        print(row)
    if o.stop is not None:
        print('stop ' + o.stop)
