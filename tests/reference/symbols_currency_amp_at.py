#!/usr/bin/env python3
"""Reference computation of the symbols $, the yen sign (byte 0x5C), & and @ written
apart from the C++ generators, to derive the nine-decimal rows of
tests/examples/symbols_currency_amp_at.txt.

Every formula is evaluated in the form the construction states it, in IEEE
double arithmetic (Python floats), with Pi = 3.14159265358979; squares are
products (a*a), and pow(a, 2) inside the circle-crossing routine is the
correctly rounded square (rows.pow2).
Every angle passes through degrees. Rows are printed in the format of the
examples file (degenerate entities left out, see tests/reference/rows.py),
followed by a count line and, for a stop, the stop line.

Usage: symbols_currency_amp_at.py GLYPH x y W H t
"""
import crmath as math
import sys

from rows import arc as arc_row, circle as circle_row, line as line_row, positive, pow2, quotient

Pi = 3.14159265358979


def rad(deg):
    return deg * Pi / 180


def deg(radians):
    return radians * 180 / Pi


def clamp(v):
    return max(-1.0, min(1.0, v))


class Stop(Exception):
    pass


class Out:
    def __init__(self):
        self.rows = []
        self.stop = None

    def arc(self, cx, cy, radius, a0, a1, col):
        self.rows += arc_row(col, cx, cy, radius, a0, a1)

    def arcs3(self, cx, cy, rho, r, a0, a1):
        self.arc(cx, cy, rho, a0, a1, 4)
        self.arc(cx, cy, rho + r, a0, a1, 6)
        self.arc(cx, cy, rho - r, a0, a1, 6)

    def line(self, x1, y1, x2, y2, col):
        self.rows += line_row(col, x1, y1, x2, y2)

    def circle(self, cx, cy, radius, col):
        self.rows += circle_row(col, cx, cy, radius)

    def width(self, name, value, t):
        if not (value > t):
            self.stop = '文字の %s の 線幅 は %.1f 未満です。' % (name, value)
            raise Stop()

    def fail(self, text):
        self.stop = text
        raise Stop()


def circle_angles(R1, X1, Y1, R2, X2, Y2):
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


def dollar(o, x, y, W, H, t):
    r = t / 2
    g, h, q = 0.05, 0.15, 0.3
    o.width('＄', W / (2 * g + 3), t)
    o.width('＄', H / (2 * g + 4), t)
    xL, xM, xR, yT, yL = x + r, x + W / 2, x + W - r, y - r, y - H + r
    yU, yM, yD = y - h * H, y - H / 2, y - (1 - h) * H
    if (1 + g) * t > h * H:
        yU = y - (1 + g) * t
        yD = y - H + (1 + g) * t
    xA = xM - r - g * t
    half = xA - xL >= (yU - yM) / 2
    rho = (yU - yM) / 2 if half else xA - xL
    cL, cR = xL + rho, xR - rho
    # A half-circle bowl whose inner radius does not print as a positive
    # number has no inside: the loop of its inner arc and the facing outlines
    # of the strokes it joins is a slit, and none of it is drawn.
    hollow = not half or positive(rho - r)
    if half:
        o.arcs3(cL, yU - rho, rho, r, 90, 270)
        o.arcs3(cR, yD + rho, rho, r, -90, 90)
    else:
        o.arcs3(cL, yU - rho, rho, r, 90, 180)
        o.arcs3(cL, yM + rho, rho, r, -180, -90)
        o.arcs3(cR, yD + rho, rho, r, -90, 0)
        o.arcs3(cR, yM - rho, rho, r, 0, 90)
        o.line(xL, yU - rho, xL, yM + rho, 4)
        o.line(xL - r, yU - rho, xL - r, yM + rho, 6)
        o.line(xL + r, yU - rho, xL + r, yM + rho, 6)
        o.line(xR, yM - rho, xR, yD + rho, 4)
        o.line(xR + r, yM - rho, xR + r, yD + rho, 6)
        o.line(xR - r, yM - rho, xR - r, yD + rho, 6)
    c = (math.sqrt((xR - cR) * (xR - cR) + ((yU - rho) - (yM - rho)) * ((yU - rho) - (yM - rho))) - rho - t) / t
    if c > q:
        o.arc(xL, yD + rho, r, 0, 180, 6)
        o.arc(xR, yU - rho, r, -180, 0, 6)
        o.arcs3(cR, yU - rho, rho, r, 0, 90)
        o.arcs3(cL, yD + rho, rho, r, -180, -90)
        o.line(cL, yU, cR, yU, 4)
        o.line(xM + r, yU + r, cR, yU + r, 6)
        o.line(xM + r, yU - r, cR, yU - r, 6)
        o.line(cL, yD, cR, yD, 4)
        o.line(cL, yD - r, xM - r, yD - r, 6)
        o.line(cL, yD + r, xM - r, yD + r, 6)
    else:
        o.arc(xL, yD, r, 90, 270, 6)
        o.arc(xR, yU, r, -90, 90, 6)
        o.line(cL, yU, xR, yU, 4)
        o.line(xM + r, yU + r, xR, yU + r, 6)
        o.line(xM + r, yU - r, xR, yU - r, 6)
        o.line(xL, yD, cR, yD, 4)
        o.line(xL, yD - r, xM - r, yD - r, 6)
        o.line(xL, yD + r, xM - r, yD + r, 6)
    o.line(cL, yU + r, xM - r, yU + r, 6)
    if hollow:
        o.line(cL, yU - r, xM - r, yU - r, 6)
    if hollow:
        o.line(xM + r, yD + r, cR, yD + r, 6)
    o.line(xM + r, yD - r, cR, yD - r, 6)
    o.arc(xM, yT, r, 0, 180, 6)
    o.arc(xM, yL, r, -180, 0, 6)
    o.line(xM, yT, xM, yL, 4)
    o.line(xM - r, yT, xM - r, yU + r, 6)
    o.line(xM + r, yT, xM + r, yU + r, 6)
    if hollow:
        o.line(xM - r, yU - r, xM - r, yM + r, 6)
    o.line(xM + r, yU - r, xM + r, yM + r, 6)
    o.line(xM - r, yM - r, xM - r, yD + r, 6)
    if hollow:
        o.line(xM + r, yM - r, xM + r, yD + r, 6)
    o.line(xM - r, yD - r, xM - r, yL, 6)
    o.line(xM + r, yD - r, xM + r, yL, 6)
    o.line(cL, yM, cR, yM, 4)
    if hollow:
        o.line(cL, yM + r, xM - r, yM + r, 6)
    o.line(cL, yM - r, xM - r, yM - r, 6)
    o.line(xM + r, yM + r, cR, yM + r, 6)
    if hollow:
        o.line(xM + r, yM - r, cR, yM - r, 6)


def yen(o, x, y, W, H, t):
    r = t / 2
    g = 0.05
    o.width('￥', W / 2, t)
    o.width('￥', H / (3 * g + 3.5), t)
    xL, xM, xR, yT, yL = x + r, x + W / 2, x + W - r, y - r, y - H + r
    yV = y - 0.3 * H
    a = deg(math.atan((yT - yV) / (xM - xL)))
    s, c = r * math.sin(rad(a)), r * math.cos(rad(a))
    yC = yV - c + (r - s) * math.tan(rad(a))
    yB1 = yC - r - g * t
    yB2 = (yB1 + y - H) / 2
    if yB2 - yL < (0.5 + g) * t:
        yB2 = yL + r + g * t
        yB1 = yB2 + (1 + g) * t
        yC = yB1 + (0.5 + g) * t
        dx = xM - xL - r
        # Far from the origin dx may round to zero: the direction is then
        # straight down or up, as the division's infinity gives it.
        a = deg(math.atan(quotient(yT - yC, dx)) - math.asin(r / math.sqrt((yT - yC) * (yT - yC) + dx * dx)))
        yV = yT - (xM - xL) * math.tan(rad(a))
        s, c = r * math.sin(rad(a)), r * math.cos(rad(a))
    yN = yV + r / math.cos(rad(a))
    o.arc(xL, yT, r, 90 - a, 270 - a, 6)
    o.arc(xL, yB1, r, 90, 270, 6)
    o.arc(xL, yB2, r, 90, 270, 6)
    o.arc(xM, yL, r, -180, 0, 6)
    o.arc(xR, yB2, r, -90, 90, 6)
    o.arc(xR, yB1, r, -90, 90, 6)
    o.arc(xR, yT, r, a - 90, a + 90, 6)
    o.line(xL, yT, xM, yV, 4)
    o.line(xL - s, yT - c, xM - r, yC, 6)
    o.line(xL + s, yT + c, xM, yN, 6)
    o.line(xM, yV, xR, yT, 4)
    o.line(xM + r, yC, xR + s, yT - c, 6)
    o.line(xM, yN, xR - s, yT + c, 6)
    o.line(xM, yV, xM, yL, 4)
    o.line(xM - r, yC, xM - r, yB1 + r, 6)
    o.line(xM - r, yB1 - r, xM - r, yB2 + r, 6)
    o.line(xM - r, yB2 - r, xM - r, yL, 6)
    o.line(xM + r, yC, xM + r, yB1 + r, 6)
    o.line(xM + r, yB1 - r, xM + r, yB2 + r, 6)
    o.line(xM + r, yB2 - r, xM + r, yL, 6)
    for yB in (yB1, yB2):
        o.line(xL, yB, xR, yB, 4)
        o.line(xL, yB + r, xM - r, yB + r, 6)
        o.line(xM + r, yB + r, xR, yB + r, 6)
        o.line(xL, yB - r, xM - r, yB - r, 6)
        o.line(xM + r, yB - r, xR, yB - r, 6)


AT_SMALL = '文字の ＠ で小径外と接径外の交点が有りません。'
AT_SMALL_RIGHT = '文字の ＠ で小径右外と接径外の交点が有りません。'
AT_BIG_RIGHT = '文字の ＠ で大径右内と接径外の交点が有りません。'
AT_BIG = '文字の ＠ で大径内と接径外の交点が有りません。'


def at(o, x, y, W, H, t):
    r = t / 2
    o.width('＠', W / 4, t)
    o.width('＠', H / 4, t)
    xL, xM, xR, yT, yL = x + r, x + W / 2, x + W - r, y - r, y - H + r
    yM = y - H / 2

    def cut(R, th, k):
        # 180 - asin(R sin(th) / (k + r)), the ratio clamped (a crossing point).
        return 180 - deg(math.asin(clamp(R * math.sin(rad(th)) / (k + r))))

    def crossing(R1, X1, Y1, R2, X2, Y2, message):
        res = circle_angles(R1, X1, Y1, R2, X2, Y2)
        if res is None:
            o.fail(message)
        return res[1]

    if W < H:
        rho = (W - t) / 2
        cyT, cyB = yT - rho, yL + rho
        ra = rho / 3
        k = (rho - ra) / 2
        xK = xR - k
        o.arcs3(xM, cyT, rho, r, 0, 180)
        o.arcs3(xM, cyB, rho, r, -180, 0)
        o.line(xL, cyT, xL, cyB, 4)
        o.line(xL - r, cyT, xL - r, cyB, 6)
        o.line(xL + r, cyT, xL + r, cyB, 6)
        o.line(xR, cyT, xR, cyB, 4)
        o.line(xR + r, cyT, xR + r, cyB, 6)
        u = (xK - (xR - r)) / (k + r)
        if t + 2 * ra < cyT - cyB:
            yA, yZ = cyT - r - ra, cyB + r + ra
            yA2 = yA + ra
            xa1, xa2 = xM - ra, xM + ra
            o.arc(xa2, yA2, r, 0, 90, 6)
            o.arcs3(xM, yA, ra, r, 90, 180)
            o.arc(xM, yZ, ra, -180, 0, 4)
            o.arc(xM, yZ, ra - r, -180, 0, 6)
            o.line(xa1, yA, xa1, yZ, 4)
            o.line(xa1 - r, yA, xa1 - r, yZ, 6)
            o.line(xa1 + r, yA, xa1 + r, yZ, 6)
            o.line(xa2, yA2, xa2, yZ, 4)
            o.line(xa2 + r, yA2, xa2 + r, yZ, 6)
            o.line(xa2 - r, yA2 - r, xa2 - r, yZ, 6)
            o.line(xM, yA2, xa2, yA2, 4)
            o.line(xM, yA2 + r, xa2, yA2 + r, 6)
            o.line(xM, yA2 - r, xa2 - r, yA2 - r, 6)
            yc, start = yZ, 180
        else:
            c = math.sqrt((xK - xR + r) * (xK - xR + r) + (yM - cyB) * (yM - cyB)) - k + r
            o.width('＠', c, t)
            o.circle(xM, yM, ra, 4)
            o.circle(xM, yM, ra - r, 6)
            yc, start = yM, 0
        th1 = crossing(ra + r, xM, yc, k + r, xK, yc, AT_SMALL)
        o.arc(xM, yc, ra + r, start, th1 + 360, 6)
        o.arc(xK, yc, k + r, cut(ra + r, th1, k), 180 + deg(math.acos(u)), 6)
        o.line(xR - r, cyB, xR - r, yc + (k + r) * math.sin(rad(-deg(math.acos(u)))), 6)
        o.arc(xK, yc, k, -180, 0, 4)
        o.arc(xK, yc, k - r, -180, 0, 6)
        o.line(xR - r, cyT, xR - r, yc, 6)
        return

    if W > H:
        rho = (H - t) / 2
        cxL, cxR = xL + rho, xR - rho
        ra = rho / 3
        stadium = t + 2 * ra < cxR - cxL
        if stadium:
            xA, xZ = cxL + r + ra, cxR - r - ra
            k = (xR - ra - xZ) / 2
        else:
            k = (xR - xM - ra) / 2
        xK = xR - k
        o.arcs3(cxL, yM, rho, r, 90, 270)
        o.arc(cxR, yM, rho, -90, 90, 4)
        o.arc(cxR, yM, rho + r, -90, 90, 6)
        o.arc(cxR, yM, rho - r, 0, 90, 6)
        o.line(cxL, yT, cxR, yT, 4)
        o.line(cxL, yT + r, cxR, yT + r, 6)
        o.line(cxL, yT - r, cxR, yT - r, 6)
        o.line(cxL, yL, cxR, yL, 4)
        o.line(cxL, yL - r, cxR, yL - r, 6)
        o.line(cxL, yL + r, cxR, yL + r, 6)
        o.width('＠', math.sqrt((xK - cxR) * (xK - cxR) + (rho - r) * (rho - r)) - k + r, t)
        if stadium:
            yA2, yA1, xS = yM + ra, yM - ra, xZ + ra
            o.arc(xS, yA2, r, 0, 90, 6)
            o.arcs3(xA, yM, ra, r, 90, 270)
            o.arc(xZ, yM, ra, -90, 0, 4)
            o.arc(xZ, yM, ra - r, -90, 0, 6)
            o.line(xA, yA2, xS, yA2, 4)
            o.line(xA, yA2 + r, xS, yA2 + r, 6)
            o.line(xA, yA2 - r, xS - r, yA2 - r, 6)
            o.line(xA, yA1, xZ, yA1, 4)
            o.line(xA, yA1 - r, xZ, yA1 - r, 6)
            o.line(xA, yA1 + r, xZ, yA1 + r, 6)
            o.line(xS, yM, xS, yA2, 4)
            o.line(xS + r, yM, xS + r, yA2, 6)
            o.line(xS - r, yM, xS - r, yA2 - r, 6)
            th1 = crossing(ra + r, xZ, yM, k + r, xK, yM, AT_SMALL_RIGHT)
            o.arc(xZ, yM, ra + r, -90, th1, 6)
        else:
            o.circle(xM, yM, ra, 4)
            o.circle(xM, yM, ra - r, 6)
            th1 = crossing(ra + r, xM, yM, k + r, xK, yM, AT_SMALL)
            o.arc(xM, yM, ra + r, 0, th1 + 360, 6)
        th2 = crossing(rho - r, cxR, yM, k + r, xK, yM, AT_BIG_RIGHT)
        o.arc(cxR, yM, rho - r, -90, th2, 6)
        a = deg(math.asin(clamp((rho - r) * math.sin(rad(th2)) / (k + r))))
        E = 360 + a if (rho - r) * math.cos(rad(th2)) + cxR > xK else 180 - a
        o.arc(xK, yM, k + r, cut(ra + r, th1, k), E, 6)
        o.arc(xK, yM, k, -180, 0, 4)
        o.arc(xK, yM, k - r, -180, 0, 6)
        return

    rho = (W - t) / 2
    ra = rho / 3
    k = (rho - ra) / 2
    xK = xR - k
    o.circle(xM, yM, rho, 4)
    o.circle(xM, yM, rho + r, 6)
    o.circle(xM, yM, ra, 4)
    o.circle(xM, yM, ra - r, 6)
    o.arc(xK, yM, k, -180, 0, 4)
    o.arc(xK, yM, k - r, -180, 0, 6)
    th1 = crossing(ra + r, xM, yM, k + r, xK, yM, AT_SMALL)
    o.arc(xM, yM, ra + r, 0, th1 + 360, 6)
    th2 = crossing(rho - r, xM, yM, k + r, xK, yM, AT_BIG)
    o.arc(xM, yM, rho - r, 0, th2 + 360, 6)
    # The end follows the side of the crossing, as in the wide cells.
    a = deg(math.asin(clamp((rho - r) * math.sin(rad(th2)) / (k + r))))
    E = 360 + a if (rho - r) * math.cos(rad(th2)) + xM > xK else 180 - a
    o.arc(xK, yM, k + r, cut(ra + r, th1, k), E, 6)


def intersect_lines(x1, y1, a1, x2, y2, a2):
    d = abs(a1 - a2)
    if d in (0, 180, 360, 540):
        return None
    if abs(a1) in (90, 270, 450):
        return x1, (x1 - x2) * math.tan(rad(a2)) + y2
    if abs(a2) in (90, 270, 450):
        return x2, (x2 - x1) * math.tan(rad(a1)) + y1
    X = (y2 - x2 * math.tan(rad(a2)) - y1 + x1 * math.tan(rad(a1))) / (math.tan(rad(a1)) - math.tan(rad(a2)))
    return X, (X - x1) * math.tan(rad(a1)) + y1


def line_circle_angle(R, cx, cy, px, py, a):
    if abs(a) in (0, 180, 360, 540):
        dd = cy - py
    elif abs(a) in (90, 270, 450):
        dd = cx - px
    else:
        dd = ((cx - px) * math.tan(rad(a)) + py - cy) * math.cos(rad(a))
    if abs(dd) > R:
        return None
    return a - deg(math.asin(dd / R))


def amp(o, x, y, W, H, t):
    r = t / 2
    o.width('＆', W / 3, t)
    o.width('＆', 0.7 * H / (2 + 0.7), t)
    xR, yL = x + W - r, y - H + r
    if (H - t) / 2 > W - t:
        form = 1
        rM = (W - t) / 2
        rB = rM
    else:
        rM = (H - t) / 4
        rB = (H - t) / 2
        if rM + t + rB > W:
            form = 2
            rB = W - t - rM
        elif rM + t + rB < W:
            form = 3
        else:
            form = 4
    sg = 0.7 * rM
    xS, yS = x + r + sg, y - r - sg
    xMc, yMc = x + r + rM, yL + rM
    xB, yB = xR - rB, yL + rB
    if form == 1:
        xB, yB = xMc, yMc
    d = deg(math.atan((yS - yL) / (xR - xS)) - math.asin(sg / math.sqrt((yS - yL) * (yS - yL) + (xR - xS) * (xR - xS))))
    e = deg(math.atan((xMc - xS) / (yS - yMc)) + math.acos((sg + rM) / math.sqrt((xMc - xS) * (xMc - xS) + (yS - yMc) * (yS - yMc))))
    sd, cd = r * math.sin(rad(d)), r * math.cos(rad(d))
    se, ce = r * math.sin(rad(e)), r * math.cos(rad(e))
    TM = (xMc - rM * math.sin(rad(e)), yMc + rM * math.cos(rad(e)))
    TS = (xS + sg * math.sin(rad(e)), yS - sg * math.cos(rad(e)))
    TL = (xS - sg * math.sin(rad(d)), yS - sg * math.cos(rad(d)))
    QL = (2 * xB - xR + sd, yL - cd)
    QU = (2 * xB - xR - sd, yL + cd)

    def C(R, phi):
        return xB + R * math.cos(rad(phi)), yB - R * math.sin(rad(phi))

    def lca(R, Q, msg):
        v = line_circle_angle(R, xB, yB, Q[0], Q[1], d)
        if v is None:
            o.fail(msg)
        return v

    def il(p, q, msg):
        v = intersect_lines(p[0], p[1], e, q[0], q[1], -d)
        if v is None:
            o.fail(msg)
        return v

    m1 = '文字の ＆ で大径内と点小接直線左の交点が有りません。'
    m2 = '文字の ＆ で大径外と点小接直線左の交点が有りません。'
    if form == 1:
        o.arc(xMc, yMc, rM, e - 270, 0, 4)
        p1 = lca(rB - r, QL, m1)
        o.arc(xMc, yMc, rM - r, e - 270, -p1, 6)
        p2 = lca(rB + r, QL, m2)
        o.arc(xMc, yMc, rM + r, e - 270, -p2, 6)
    else:
        o.arcs3(xMc, yMc, rM, r, e - 270, -90)
        if form == 3:
            o.line(xMc, yL, xB, yL, 4)
            o.line(xMc, yL + r, xB, yL + r, 6)
            o.line(xMc, yL - r, xB, yL - r, 6)
            o.width('＆', ((xR - xB) * math.tan(rad(d)) - r) * math.cos(rad(d)) + r, t)
        o.arc(xB, yB, rB, -90, 0, 4)
        p1 = lca(rB - r, QL, m1)
        o.arc(xB, yB, rB - r, -90, -p1, 6)
        p2 = lca(rB + r, QL, m2)
        o.arc(xB, yB, rB + r, -90, -p2, 6)
    o.width('＆', math.sqrt((xR - xB) * (xR - xB) + (yB - yL) * (yB - yL)) - rB + r, t)
    o.width('＆', ((yB - yL) / math.tan(rad(d)) - r) * math.sin(rad(d)) + r, t)
    o.width('＆', (TS[1] - yL - (xR - TS[0]) * math.tan(rad(d))) * math.cos(rad(d)) + r, t)
    o.arc(xR, yL, r, -d - 90, -d + 90, 6)
    o.arc(xR, yB, r, 0, 180, 6)
    o.arcs3(xS, yS, sg, r, e - 90, 270 - d)
    o.line(TM[0], TM[1], TS[0], TS[1], 4)
    o.line(TL[0], TL[1], xR, yL, 4)
    o.line(*C(rB + r, p2), xR - sd, yL - cd, 6)
    a = (TM[0] - se, TM[1] + ce)
    b = (TL[0] - sd, TL[1] - cd)
    K = il(a, b, '文字の ＆ で小中接直線左と点小接直線左の交点が有りません。')
    o.line(*a, *K, 6)
    o.line(*b, *K, 6)
    a = (TS[0] - se, TS[1] + ce)
    b = (TL[0] + sd, TL[1] + cd)
    K = il(a, b, '文字の ＆ で小中接直線左と点小接直線右の交点が有りません。')
    o.line(*a, *K, 6)
    o.line(*b, *K, 6)
    a = (TM[0] + se, TM[1] - ce)
    b = C(rB - r, p1)
    K = il(a, b, '文字の ＆ で小中接直線右と点小接直線左の交点が有りません。')
    o.line(*a, *K, 6)
    o.line(*b, *K, 6)
    p3 = lca(rB + r, QU, '文字の ＆ で大径外と点小接直線右の交点が有りません。')
    o.arc(xB, yB, rB + r, -p3, 0, 6)
    o.line(xR + sd, yL + cd, *C(rB + r, p3), 6)
    p4 = lca(rB - r, QU, '文字の ＆ で大径内と点小接直線右の交点が有りません。')
    o.arc(xB, yB, rB - r, -p4, 0, 6)
    a = (TS[0] + se, TS[1] - ce)
    b = C(rB - r, p4)
    K = il(a, b, '文字の ＆ で小中接直線右と点小接直線右の交点が有りません。')
    o.line(*a, *K, 6)
    o.line(*b, *K, 6)


GLYPHS = {'$': dollar, '\\': yen, '@': at, '&': amp}


def evaluate(g, x, y, W, H, t):
    o = Out()
    try:
        GLYPHS[g](o, x, y, W, H, t)
    except Stop:
        pass
    return o.rows, o.stop


def main():
    glyph = sys.argv[1]
    x, y, W, H, t = (float(v) for v in sys.argv[2:7])
    o = Out()
    try:
        GLYPHS[glyph](o, x, y, W, H, t)
    except Stop:
        pass
    for row in o.rows:
        print(row)
    print('count %d' % len(o.rows))
    if o.stop:
        print('stop ' + o.stop)


if __name__ == '__main__':
    main()
