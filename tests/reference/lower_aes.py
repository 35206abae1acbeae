#!/usr/bin/env python3
"""Reference computation of the lower-case 'a', 'e' and 's', written apart
from the C++ generators to derive the expected rows of
tests/examples/lower_aes.txt.

Formulas in the form the construction states them, IEEE doubles, Pi =
3.14159265358979, squares as products. Prints a case block of the examples
data format (see lower_bdpqg.py); degenerate entities are left out, and so
is the inner outline of a loop shrunk to a slit (inner).

Usage: lower_aes.py GLYPH x y W H t
"""
import crmath as math
import sys

from lower_bdpqg import Out
from rows import positive

Pi = 3.14159265358979
NAMES = {'a': 'ａ', 'e': 'ｅ', 's': 'ｓ'}


def three(o, c, R, r, a0, a1, order='+-', inner=True):
    """Skeleton arc and its two outlines, the outer one first unless order is
    '-+'; without the inner one when inner is false."""
    o.arc(4, c, R, a0, a1)
    for s in order:
        if s == '+' or inner:
            o.arc(6, c, R + r if s == '+' else R - r, a0, a1)


def glyph(g, x, y, W, H, t):
    o = Out()
    r = t / 2
    xL, xR, xC = x + r, x + W - r, x + W / 2
    yT = y - 0.4 * H
    yM = y - 0.7 * H + r / 2
    yB = y - H + r
    hh = 0.3 * H - t / 4
    hw = W / 2 - r

    def test(v):
        if not (v > t):
            o.stop = v
            return False
        return True

    if g == 'a':
        m = 0.78 + (0.1 - t / H) * 0.6
        if not test(W / (2.5 + 0.05)) or not test((1 - m) * H):
            return o
        xS = x + W - (1 + 0.05) * t
        yW = y - m * H
        o.arc(6, (xS, yB), r, -180, -90)
        o.arc(6, (xR, yB), r, -90, 90)
        o.line(4, (xS, yB), (xR, yB))
        o.line(6, (xS, yB - r), (xR, yB - r))
        o.line(6, (xS + r, yB + r), (xR, yB + r))
        hwa = (xS - xL) / 2
        hha = yW - yB
        D = hha - 0.05 * t
        Rw = (math.sqrt(D * D + t * t) / math.cos(math.atan(D / t))) / 2 - r
        if hha >= hwa and hwa <= Rw:
            tall, R = True, hwa
        else:
            tall = False
            R = hha if (hha <= hwa and hha <= Rw) else Rw
            if not test(R + r):
                return o
        al = math.acos((R - r) / (R + r)) * 180 / Pi
        sg = (R + r) * math.sin(al * Pi / 180)
        yH = yT - R
        # A bowl whose inner radius does not print as a positive number is
        # solid: its inner loop (arcs and the sides between them) is not drawn.
        inner = positive(R - r)
        if tall:
            xA = xS - R
            yUc = 2 * yW - yB - R
            yLc = yB + R
            if R - sg < 0.05 * t:
                yUc = 2 * yW - yB - 0.05 * t - sg
                yLc = yB + 0.05 * t + sg
            if yW == yUc:
                o.circle(4, (xA, yUc), R)
                o.circle(6, (xA, yUc), R - r)
                o.arc(6, (xA, yUc), R + r, al, 360 - al)
            else:
                o.arc(4, (xA, yUc), R, 0, 180)
                if inner:
                    o.arc(6, (xA, yUc), R - r, 0, 180)
                o.arc(6, (xA, yUc), R + r, al, 180)
                o.arc(4, (xA, yLc), R, -180, 0)
                if inner:
                    o.arc(6, (xA, yLc), R - r, -180, 0)
                o.arc(6, (xA, yLc), R + r, -180, -al)
                if inner:
                    o.line(6, (xS - r, yUc), (xS - r, yLc))
                o.line(4, (xL, yUc), (xL, yLc))
                o.line(6, (xL - r, yUc), (xL - r, yLc))
                if inner:
                    o.line(6, (xL + r, yUc), (xL + r, yLc))
            three(o, (xA, yH), R, r, 0, 180, '-+')
            o.arc(6, (xL, yH), r, -180, 0)
            top_cut, bottom_cut = yUc + sg, yLc - sg
        else:
            xLc, xRc = xL + R, xS - R
            three(o, (xLc, yH), R, r, 90, 180, '-+')
            three(o, (xRc, yH), R, r, 0, 90, '-+')
            three(o, (xLc, yW), R, r, 90, 270, '-+', inner)
            o.arc(4, (xRc, yW), R, -90, 90)
            if inner:
                o.arc(6, (xRc, yW), R - r, -90, 90)
            o.arc(6, (xRc, yW), R + r, al, 90)
            o.arc(6, (xRc, yW), R + r, -90, -al)
            o.line(4, (xLc, yT), (xRc, yT))
            o.line(6, (xLc, yT + r), (xRc, yT + r))
            o.line(6, (xLc, yT - r), (xRc, yT - r))
            for s in (1, -1):
                o.line(4, (xLc, yW + s * R), (xRc, yW + s * R))
                o.line(6, (xLc, yW + s * R + s * r), (xRc, yW + s * R + s * r))
                if inner:
                    o.line(6, (xLc, yW + s * R - s * r), (xRc, yW + s * R - s * r))
            o.arc(6, (xL, yH), r, -180, 0)
            top_cut, bottom_cut = yW + sg, yW - sg
        o.line(4, (xS, yH), (xS, yB))
        o.line(6, (xS + r, yH), (xS + r, yB + r))
        o.line(6, (xS - r, yH), (xS - r, top_cut))
        o.line(6, (xS - r, bottom_cut), (xS - r, yB))
        return o

    if g == 'e':
        yE = y - (1 - 0.15) * H
        if not test(W / 2) or not test(yM - yE):
            return o
        o.arc(6, (xR, yM), r, -90, 0)
        o.line(4, (xL, yM), (xR, yM))

        def tail(R, yMp, x0):
            be = math.asin((yMp - yE) / R) * 180 / Pi
            xQ = xR - math.cos(be * Pi / 180) * R
            o.arc(6, (xR, yE), r, -be, 180 - be)
            three(o, (xQ, yMp), R, r, -90, -be)
            o.line(4, (x0, yB), (xQ, yB))
            o.line(6, (x0, yB - r), (xQ, yB - r))
            o.line(6, (x0, yB + r), (xQ, yB + r))

        def top_stroke(xa, xb):
            o.line(4, (xa, yT), (xb, yT))
            o.line(6, (xa, yT + r), (xb, yT + r))
            o.line(6, (xa, yT - r), (xb, yT - r))

        def sides(yU, yL, inner=True):
            o.line(4, (xL, yU), (xL, yL))
            o.line(6, (xL - r, yU), (xL - r, yL))
            if inner:
                o.line(6, (xL + r, yU), (xL + r, yM + r))
            o.line(6, (xL + r, yM - r), (xL + r, yL))
            o.line(4, (xR, yU), (xR, yM))
            o.line(6, (xR + r, yU), (xR + r, yM))
            if inner:
                o.line(6, (xR - r, yU), (xR - r, yM + r))

        if hh <= hw and hw <= hh:
            R = hh
            ga = math.asin(r / (R - r)) * 180 / Pi
            k = (R - r) * math.cos(ga * Pi / 180)
            o.arc(4, (xC, yM), R, 0, 270)
            o.arc(6, (xC, yM), R + r, 0, 270)
            o.arc(6, (xC, yM), R - r, ga, 180 - ga)
            o.arc(6, (xC, yM), R - r, ga - 180, -90)
            o.line(6, (xC - k, yM + r), (xC + k, yM + r))
            o.line(6, (xC - k, yM - r), (xR, yM - r))
            tail(R, yM, xC)
        elif hh < hw:
            R = hh
            xLc, xRc = xL + R, xR - R
            ga = math.asin(r / (R - r)) * 180 / Pi
            k = (R - r) * math.cos(ga * Pi / 180)
            o.arc(4, (xLc, yM), R, 90, 270)
            o.arc(6, (xLc, yM), R + r, 90, 270)
            o.arc(6, (xLc, yM), R - r, 90, 180 - ga)
            o.arc(6, (xLc, yM), R - r, ga - 180, -90)
            o.arc(4, (xRc, yM), R, 0, 90)
            o.arc(6, (xRc, yM), R + r, 0, 90)
            o.arc(6, (xRc, yM), R - r, ga, 90)
            top_stroke(xLc, xRc)
            o.line(6, (xLc - k, yM + r), (xRc + k, yM + r))
            o.line(6, (xLc - k, yM - r), (xR, yM - r))
            tail(R, yM, xLc)
        elif hh > hw and hh < hw + (0.05 + 0.5) * t:
            R = hh - 0.55 * t
            xLc, xRc = xL + R, xR - R
            yU, yL = yT - R, yM - 0.55 * t
            o.line(6, (xL + r, yM + r), (xR - r, yM + r))
            o.line(6, (xL + r, yM - r), (xR, yM - r))
            three(o, (xLc, yU), R, r, 90, 180)
            three(o, (xRc, yU), R, r, 0, 90)
            top_stroke(xLc, xRc)
            sides(yU, yL)
            three(o, (xLc, yL), R, r, -180, -90)
            tail(R, yL, xLc)
        else:
            R = hw
            yU, yL = yT - R, yB + R
            # The loop above the crossbar is a slit when its inner radius does
            # not print as a positive number: its inner outline is not drawn.
            inner = positive(R - r)
            if inner:
                o.line(6, (xL + r, yM + r), (xR - r, yM + r))
            o.line(6, (xL + r, yM - r), (xR, yM - r))
            three(o, (xC, yU), R, r, 0, 180, inner=inner)
            sides(yU, yL, inner)
            if R <= yE - yB:
                o.arc(6, (xR, yL), r, 0, 180)
                three(o, (xC, yL), R, r, -180, 0)
            else:
                three(o, (xC, yL), R, r, -180, -90)
                tail(R, yL, xC)
        return o

    # 's'
    if not test(W / 2) or not test(H * 0.18):
        return o
    if hh > W - t:
        R = (W - t) / 2
        three(o, (xC, yT - R), R, r, 0, 180)
        three(o, (xC, yM + R), R, r, -180, -90)
        three(o, (xC, yM - R), R, r, 0, 90)
        three(o, (xC, yB + R), R, r, -180, 0)
        o.line(4, (xL, yT - R), (xL, yM + R))
        o.line(6, (xL - r, yT - R), (xL - r, yM + R))
        o.line(6, (xL + r, yT - R), (xL + r, yM + R))
        o.line(4, (xR, yM - R), (xR, yB + R))
        o.line(6, (xR + r, yM - R), (xR + r, yB + R))
        o.line(6, (xR - r, yM - R), (xR - r, yB + R))
        caps = ((xL, yB + R), (xR, yT - R))
    elif hh < W - t:
        R = hh / 2
        xLc, xRc, yUs, yLs = xL + R, xR - R, yT - R, yB + R
        three(o, (xRc, yUs), R, r, 0, 90)
        three(o, (xLc, yUs), R, r, 90, 270)
        three(o, (xRc, yLs), R, r, -90, 90)
        three(o, (xLc, yLs), R, r, -180, -90)
        for yy, s in ((yT, 1), (yT - 2 * R, 1), (yB, -1)):
            o.line(4, (xLc, yy), (xRc, yy))
            o.line(6, (xLc, yy + s * r), (xRc, yy + s * r))
            o.line(6, (xLc, yy - s * r), (xRc, yy - s * r))
        caps = ((xL, yLs), (xR, yUs))
    else:
        R = (W - t) / 2
        three(o, (xC, yT - R), R, r, 0, 270)
        three(o, (xC, yB + R), R, r, -180, 90)
        caps = ((xL, yB + R), (xR, yT - R))
    if not test(math.sqrt(R * R + hh * hh) - R):
        return o
    o.arc(6, caps[0], r, 0, 180)
    o.arc(6, caps[1], r, -180, 0)
    return o


GLYPHS = dict.fromkeys('aes', glyph)


def evaluate(g, x, y, W, H, t):
    o = glyph(g, x, y, W, H, t)
    stop = None if o.stop is None else '文字の %s の 線幅 は %.1f 未満です。' % (NAMES[g], o.stop)
    return o.rows, stop


def main():
    g = sys.argv[1]
    x, y, W, H, t = (float(v) for v in sys.argv[2:7])
    o = glyph(g, x, y, W, H, t)
    print('case %s %s' % (g, ' '.join(sys.argv[2:7])))
    for row in o.rows:
        print(row)
    if o.stop is not None:
        print('stop 文字の %s の 線幅 は %.1f 未満です。' % (NAMES[g], o.stop))


if __name__ == '__main__':
    main()
