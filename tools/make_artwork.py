#!/usr/bin/env python3
"""Generates the setup program's artwork, deterministically.

Writes, relative to the repository root:
  resources/card.bmp  600 x 362, 24 bpp uncompressed BMP: the Kelmory SRX-8T
                      8-port RS-485/422 ISA card seen from the component side.
  resources/icon.bmp  32 x 32, 4 bpp (16-colour palette) uncompressed BMP.
  resources/icon.png  the same icon as PNG (RGBA, background transparent).

Python 3 standard library only. Run:  python3 tools/make_artwork.py
"""

import math
import os
import random
import struct
import sys
import zlib

W, H = 600, 362
SEED = 0x5A8D  # fixed: the output is the same on every run

# Rectangles the main window highlights (x, y, width, height). The parts drawn
# under them are placed from these numbers, so keep them in step with the app.
ADDR_RECTS = [(120, 50, 48, 23), (120, 114, 48, 23), (120, 178, 48, 23), (120, 242, 48, 23)]
IRQ_RECT = (5, 181, 60, 84)
TERM_RECT = (452, 204, 69, 17)

# Board outline: main body, 16-bit finger tab, 8-bit finger tab (key gap between).
BOARD = (1, 6, 567, 316)
TAB16 = (131, 316, 285, 352)
TAB8 = (291, 316, 549, 352)
FINGERS16 = [140 + 8 * k for k in range(18)]
FINGERS8 = [300 + 8 * k for k in range(31)]
BRACKET_X0, BRACKET_X1 = 567, 589

rng = random.Random(SEED)


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def mix(a, b, t):
    return (a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, a[2] + (b[2] - a[2]) * t)


def scale(c, f):
    return (c[0] * f, c[1] * f, c[2] * f)


# ---------------------------------------------------------------------------
# Fonts: a 5x7 font for silkscreen and chip marks, a 3x5 one for tiny labels.

FONT5 = {
    'A': "01110 10001 10001 11111 10001 10001 10001",
    'B': "11110 10001 10001 11110 10001 10001 11110",
    'C': "01110 10001 10000 10000 10000 10001 01110",
    'D': "11110 10001 10001 10001 10001 10001 11110",
    'E': "11111 10000 10000 11110 10000 10000 11111",
    'F': "11111 10000 10000 11110 10000 10000 10000",
    'G': "01110 10001 10000 10111 10001 10001 01111",
    'H': "10001 10001 10001 11111 10001 10001 10001",
    'I': "01110 00100 00100 00100 00100 00100 01110",
    'J': "00111 00010 00010 00010 00010 10010 01100",
    'K': "10001 10010 10100 11000 10100 10010 10001",
    'L': "10000 10000 10000 10000 10000 10000 11111",
    'M': "10001 11011 10101 10101 10001 10001 10001",
    'N': "10001 10001 11001 10101 10011 10001 10001",
    'O': "01110 10001 10001 10001 10001 10001 01110",
    'P': "11110 10001 10001 11110 10000 10000 10000",
    'Q': "01110 10001 10001 10001 10101 10010 01101",
    'R': "11110 10001 10001 11110 10100 10010 10001",
    'S': "01111 10000 10000 01110 00001 00001 11110",
    'T': "11111 00100 00100 00100 00100 00100 00100",
    'U': "10001 10001 10001 10001 10001 10001 01110",
    'V': "10001 10001 10001 10001 10001 01010 00100",
    'W': "10001 10001 10001 10101 10101 10101 01010",
    'X': "10001 10001 01010 00100 01010 10001 10001",
    'Y': "10001 10001 01010 00100 00100 00100 00100",
    'Z': "11111 00001 00010 00100 01000 10000 11111",
    '0': "01110 10001 10011 10101 11001 10001 01110",
    '1': "00100 01100 00100 00100 00100 00100 01110",
    '2': "01110 10001 00001 00010 00100 01000 11111",
    '3': "11111 00010 00100 00010 00001 10001 01110",
    '4': "00010 00110 01010 10010 11111 00010 00010",
    '5': "11111 10000 11110 00001 00001 10001 01110",
    '6': "00110 01000 10000 11110 10001 10001 01110",
    '7': "11111 00001 00010 00100 01000 01000 01000",
    '8': "01110 10001 10001 01110 10001 10001 01110",
    '9': "01110 10001 10001 01111 00001 00010 01100",
    '-': "00000 00000 00000 11111 00000 00000 00000",
    '/': "00000 00001 00010 00100 01000 10000 00000",
    '.': "00000 00000 00000 00000 00000 01100 01100",
    ':': "00000 01100 01100 00000 01100 01100 00000",
    '(': "00010 00100 01000 01000 01000 00100 00010",
    ')': "01000 00100 00010 00010 00010 00100 01000",
    '+': "00000 00100 00100 11111 00100 00100 00000",
    '#': "01010 01010 11111 01010 11111 01010 01010",
    '=': "00000 00000 11111 00000 11111 00000 00000",
    ',': "00000 00000 00000 00000 01100 00100 01000",
    ' ': "00000 00000 00000 00000 00000 00000 00000",
    'a': "00000 00000 01110 00001 01111 10001 01111",
    'c': "00000 00000 01110 10000 10000 10001 01110",
    'd': "00001 00001 01101 10011 10001 10001 01111",
    'e': "00000 00000 01110 10001 11111 10000 01110",
    'g': "00000 00000 01111 10001 01111 00001 01110",
    'i': "00100 00000 01100 00100 00100 00100 01110",
    'k': "10000 10000 10010 10100 11000 10100 10010",
    'l': "01100 00100 00100 00100 00100 00100 01110",
    'm': "00000 00000 11010 10101 10101 10001 10001",
    'n': "00000 00000 10110 11001 10001 10001 10001",
    'o': "00000 00000 01110 10001 10001 10001 01110",
    'p': "00000 00000 11110 10001 11110 10000 10000",
    'r': "00000 00000 10110 11001 10000 10000 10000",
    's': "00000 00000 01110 10000 01110 00001 11110",
    't': "01000 01000 11100 01000 01000 01001 00110",
    'u': "00000 00000 10001 10001 10001 10011 01101",
    'y': "00000 00000 10001 10001 01111 00001 01110",
}

FONT3 = {
    '0': "111 101 101 101 111", '1': "010 110 010 010 111", '2': "111 001 111 100 111",
    '3': "111 001 111 001 111", '4': "101 101 111 001 001", '5': "111 100 111 001 111",
    '6': "111 100 111 101 111", '7': "111 001 001 010 010", '8': "111 101 111 101 111",
    '9': "111 101 111 001 111", 'A': "010 101 111 101 101", 'B': "110 101 110 101 110",
    'C': "011 100 100 100 011", 'D': "110 101 101 101 110", 'E': "111 100 110 100 111",
    'F': "111 100 110 100 100", 'G': "011 100 101 101 011", 'H': "101 101 111 101 101",
    'I': "111 010 010 010 111", 'J': "001 001 001 101 010", 'K': "101 101 110 101 101",
    'L': "100 100 100 100 111", 'M': "101 111 111 101 101", 'N': "110 101 101 101 101",
    'O': "010 101 101 101 010", 'P': "110 101 110 100 100", 'Q': "010 101 101 110 011",
    'R': "110 101 110 101 101", 'S': "011 100 010 001 110", 'T': "111 010 010 010 010",
    'U': "101 101 101 101 111", 'V': "101 101 101 101 010", 'W': "101 101 111 111 101",
    'X': "101 101 010 101 101", 'Y': "101 101 010 010 010", 'Z': "111 001 010 100 111",
    '-': "000 000 111 000 000", '/': "001 001 010 100 100", '.': "000 000 000 000 010",
    '+': "000 010 111 010 000", ' ': "000 000 000 000 000",
    '(': "010 100 100 100 010", ')': "010 001 001 001 010",
}


def _glyphs(font):
    out = {}
    for ch, rows in font.items():
        out[ch] = [[c == '1' for c in row] for row in rows.split()]
    return out


GLYPH5 = _glyphs(FONT5)
GLYPH3 = _glyphs(FONT3)


def text_width(s, tiny=False, sc=1):
    cw = 4 if tiny else 6
    return (len(s) * cw - 1) * sc if s else 0


# ---------------------------------------------------------------------------
# Canvas with anti-aliased primitives (signed distance functions).

class Canvas:
    def __init__(self, w, h, color):
        self.w, self.h = w, h
        n = w * h
        self.r = [float(color[0])] * n
        self.g = [float(color[1])] * n
        self.b = [float(color[2])] * n

    def get(self, x, y):
        i = y * self.w + x
        return (self.r[i], self.g[i], self.b[i])

    def put(self, x, y, c):
        i = y * self.w + x
        self.r[i], self.g[i], self.b[i] = c

    def fill_sdf(self, x0, y0, x1, y1, sdf, color, alpha=1.0, soft=1.0):
        """Paints where sdf < 0, with a soft edge `soft` pixels wide."""
        ix0 = max(0, int(math.floor(x0 - soft)))
        iy0 = max(0, int(math.floor(y0 - soft)))
        ix1 = min(self.w, int(math.ceil(x1 + soft)))
        iy1 = min(self.h, int(math.ceil(y1 + soft)))
        fn = callable(color)
        R, G, B, w = self.r, self.g, self.b, self.w
        inv = 1.0 / soft
        for py in range(iy0, iy1):
            cy = py + 0.5
            row = py * w
            for px in range(ix0, ix1):
                cx = px + 0.5
                cov = 0.5 - sdf(cx, cy) * inv
                if cov <= 0.0:
                    continue
                if cov > 1.0:
                    cov = 1.0
                a = alpha * cov
                c = color(cx, cy) if fn else color
                i = row + px
                R[i] += (c[0] - R[i]) * a
                G[i] += (c[1] - G[i]) * a
                B[i] += (c[2] - B[i]) * a

    def rect(self, x0, y0, x1, y1, color, alpha=1.0):
        """Axis-aligned rectangle with exact fractional edge coverage."""
        if x1 <= x0 or y1 <= y0:
            return
        fn = callable(color)
        R, G, B, w = self.r, self.g, self.b, self.w
        for py in range(max(0, int(math.floor(y0))), min(self.h, int(math.ceil(y1)))):
            cy = min(py + 1, y1) - max(py, y0)
            if cy <= 0:
                continue
            row = py * w
            for px in range(max(0, int(math.floor(x0))), min(self.w, int(math.ceil(x1)))):
                cx = min(px + 1, x1) - max(px, x0)
                if cx <= 0:
                    continue
                a = alpha * cx * cy
                c = color(px + 0.5, py + 0.5) if fn else color
                i = row + px
                R[i] += (c[0] - R[i]) * a
                G[i] += (c[1] - G[i]) * a
                B[i] += (c[2] - B[i]) * a

    def rrect(self, x0, y0, x1, y1, rad, color, alpha=1.0, soft=1.0):
        cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
        hx, hy = (x1 - x0) / 2.0 - rad, (y1 - y0) / 2.0 - rad

        def sdf(x, y):
            qx = abs(x - cx) - hx
            qy = abs(y - cy) - hy
            ox = qx if qx > 0 else 0.0
            oy = qy if qy > 0 else 0.0
            return math.sqrt(ox * ox + oy * oy) + min(max(qx, qy), 0.0) - rad
        self.fill_sdf(x0, y0, x1, y1, sdf, color, alpha, soft)

    def ellipse(self, cx, cy, rx, ry, color, alpha=1.0, soft=1.0):
        m = min(rx, ry)

        def sdf(x, y):
            return (math.hypot((x - cx) / rx, (y - cy) / ry) - 1.0) * m
        self.fill_sdf(cx - rx, cy - ry, cx + rx, cy + ry, sdf, color, alpha, soft)

    def circle(self, cx, cy, rad, color, alpha=1.0, soft=1.0):
        self.ellipse(cx, cy, rad, rad, color, alpha, soft)

    def ring(self, cx, cy, r0, r1, color, alpha=1.0, soft=1.0):
        mid, half = (r0 + r1) / 2.0, (r1 - r0) / 2.0

        def sdf(x, y):
            return abs(math.hypot(x - cx, y - cy) - mid) - half
        self.fill_sdf(cx - r1, cy - r1, cx + r1, cy + r1, sdf, color, alpha, soft)

    def line(self, x0, y0, x1, y1, width, color, alpha=1.0, soft=1.0):
        dx, dy = x1 - x0, y1 - y0
        ll = dx * dx + dy * dy or 1e-9
        hw = width / 2.0

        def sdf(x, y):
            t = ((x - x0) * dx + (y - y0) * dy) / ll
            t = 0.0 if t < 0 else 1.0 if t > 1 else t
            return math.hypot(x - x0 - dx * t, y - y0 - dy * t) - hw
        self.fill_sdf(min(x0, x1) - hw, min(y0, y1) - hw, max(x0, x1) + hw,
                      max(y0, y1) + hw, sdf, color, alpha, soft)

    def polyline(self, pts, width, color, alpha=1.0):
        for (a, b) in zip(pts, pts[1:]):
            self.line(a[0], a[1], b[0], b[1], width, color, alpha)

    def polygon(self, pts, color, alpha=1.0, soft=1.0):
        """Convex polygon, points in clockwise order (screen coordinates)."""
        edges = []
        n = len(pts)
        for k in range(n):
            ax, ay = pts[k]
            bx, by = pts[(k + 1) % n]
            ex, ey = bx - ax, by - ay
            ln = math.hypot(ex, ey)
            edges.append((ax, ay, ey / ln, -ex / ln))  # outward normal

        def sdf(x, y):
            return max((x - ax) * nx + (y - ay) * ny for ax, ay, nx, ny in edges)
        xs = [p[0] for p in pts]
        ys = [p[1] for p in pts]
        self.fill_sdf(min(xs), min(ys), max(xs), max(ys), sdf, color, alpha, soft)

    def outline(self, x0, y0, x1, y1, t, color, alpha=1.0):
        self.rect(x0, y0, x1, y0 + t, color, alpha)
        self.rect(x0, y1 - t, x1, y1, color, alpha)
        self.rect(x0, y0 + t, x0 + t, y1 - t, color, alpha)
        self.rect(x1 - t, y0 + t, x1, y1 - t, color, alpha)

    def text(self, x, y, s, color, sc=1.0, tiny=False, alpha=1.0, vertical=False):
        """Bitmap text; `vertical` reads bottom to top (rotated 90 degrees left)."""
        glyphs = GLYPH3 if tiny else GLYPH5
        cw = 4 if tiny else 6
        gh = 5 if tiny else 7
        for n, ch in enumerate(s):
            g = glyphs.get(ch) or glyphs.get(ch.upper()) or glyphs[' ']
            for ry, row in enumerate(g):
                for rx, on in enumerate(row):
                    if not on:
                        continue
                    if vertical:
                        px = x + ry * sc
                        py = y - (n * cw + rx + 1) * sc
                    else:
                        px = x + (n * cw + rx) * sc
                        py = y + ry * sc
                    self.rect(px, py, px + sc, py + sc, color, alpha)
        return gh


# ---------------------------------------------------------------------------
# Colours and materials.  Light comes from the top left.

BG_TOP = (238, 238, 236)
BG_BOTTOM = (212, 213, 214)
PCB = (30, 106, 52)
PCB_TRACE = (50, 137, 71)
PCB_EDGE = (150, 168, 110)
SILK = (236, 238, 228)
SILK_A = 0.93
CHIP = (30, 30, 33)
CHIP_MARK = (168, 168, 164)
TIN = (196, 198, 200)
GOLD = (222, 176, 78)
SHADOW = (0, 12, 4)


def shadow_rect(cv, x0, y0, x1, y1, rad=1.5, off=(2.2, 2.8), alpha=0.55, soft=3.5):
    cv.rrect(x0 + off[0], y0 + off[1], x1 + off[0], y1 + off[1], rad, SHADOW, alpha, soft)


def shaded(x0, y0, x1, y1, base, top=1.28, bottom=0.78, noise=0.0):
    """Colour function: lighter towards the top left, darker to the bottom right."""
    iw = 1.0 / max(1e-6, x1 - x0)
    ih = 1.0 / max(1e-6, y1 - y0)

    def f(x, y):
        t = clamp(0.35 * (x - x0) * iw + 0.65 * (y - y0) * ih)
        k = top + (bottom - top) * t
        if noise:
            k += rng.uniform(-noise, noise)
        return (base[0] * k, base[1] * k, base[2] * k)
    return f


def metal_v(x0, x1, base, streak):
    """Brushed metal, brushed vertically: column streaks and a rounded sheen."""
    def f(x, y):
        u = (x - x0) / max(1e-6, x1 - x0)
        k = 0.86 + 0.28 * math.sin(math.pi * clamp(u * 0.9 + 0.05)) - 0.1 * u
        s = streak[int(x) % len(streak)] + rng.uniform(-3, 3)
        return (base[0] * k + s, base[1] * k + s, base[2] * k + s + 2)
    return f


# ---------------------------------------------------------------------------
# Parts.

def via(cv, x, y, r=2.1):
    cv.circle(x + 0.4, y + 0.5, r + 0.3, (18, 70, 34), 0.5)
    cv.circle(x, y, r, (66, 142, 82))
    cv.circle(x, y, r * 0.45, (14, 44, 22))


def pad(cv, x, y, r=2.3):
    cv.circle(x, y, r, (176, 178, 172))
    cv.circle(x - 0.5, y - 0.5, r * 0.5, (222, 224, 222), 0.6)


def chamfer_path(pts, c):
    """Cuts each corner of a Manhattan path by c, giving 45-degree bends."""
    if len(pts) < 3:
        return pts
    out = [pts[0]]
    for k in range(1, len(pts) - 1):
        ax, ay = pts[k - 1]
        bx, by = pts[k]
        nx, ny = pts[k + 1]
        la = math.hypot(bx - ax, by - ay)
        lb = math.hypot(nx - bx, ny - by)
        ca = min(c, la / 2.0)
        cb = min(c, lb / 2.0)
        cc = min(ca, cb)
        out.append((bx - (bx - ax) / la * cc, by - (by - ay) / la * cc))
        out.append((bx + (nx - bx) / lb * cc, by + (ny - by) / lb * cc))
    out.append(pts[-1])
    return out


def trace(cv, pts, width=1.6, chamfer=4.0, end_via=False, start_via=False):
    p = chamfer_path(pts, chamfer)
    cv.polyline(p, width, PCB_TRACE)
    if end_via:
        via(cv, *p[-1])
    if start_via:
        via(cv, *p[0])


def jog(x0, y0, x1, y1, ystart):
    """Vertical, 45-degree jog at ystart, vertical again: (x0,y0) -> (x1,y1)."""
    dx = abs(x1 - x0)
    s = -1 if y1 < y0 else 1
    return [(x0, y0), (x0, ystart), (x1, ystart + s * dx), (x1, y1)]


def dip_legs(x0, n, pitch=7.5, margin=None):
    if margin is None:
        margin = pitch / 2.0
    return [x0 + margin + k * pitch for k in range(n)]


def dip_chip(cv, x0, y0, pins, marks=(), tiny_marks=False, body=CHIP, label=None):
    """Horizontal DIP package: pins/2 legs along the top and bottom edges."""
    n = pins // 2
    length = n * 7.5 + 1.0
    x1, y1 = x0 + length, y0 + 22.0
    legs = dip_legs(x0 + 0.5, n)
    shadow_rect(cv, x0, y0 - 1, x1, y1 + 1)
    for lx in legs:
        for (ly0, ly1, py) in ((y0 - 3.6, y0 + 1, y0 - 3.2), (y1 - 1, y1 + 3.6, y1 + 3.2)):
            pad(cv, lx, py, 2.1)
            cv.rect(lx + 0.9, ly0 + 0.9, lx + 2.4, ly1 + 0.9, SHADOW, 0.35)
            cv.rrect(lx - 1.4, ly0, lx + 1.4, ly1, 0.5, shaded(lx - 1.4, ly0, lx + 1.4, ly1, TIN, 1.1, 0.75))
    # body with a bevelled edge and lit top face
    cv.rrect(x0, y0, x1, y1, 1.2, shaded(x0, y0, x1, y1, body, 0.9, 0.55))
    cv.rrect(x0 + 1.1, y0 + 1.1, x1 - 1.1, y1 - 1.3, 0.8, shaded(x0, y0, x1, y1, body, 1.35, 0.85, 0.03))
    cv.rect(x0 + 1.5, y0 + 1.1, x1 - 1.5, y0 + 1.8, (255, 255, 255), 0.10)
    # pin-1 notch and dimple
    cv.fill_sdf(x0 - 4, y0 + 7, x0 + 4, y1 - 7,
                lambda x, y: math.hypot(x - x0, y - (y0 + y1) / 2.0) - 3.2, scale(body, 0.45))
    cv.circle(x0 + 5.5, y1 - 5.0, 1.6, scale(body, 0.6))
    cv.circle(x0 + 5.2, y1 - 5.3, 1.0, scale(body, 1.5), 0.4)
    # laser-etched marking
    gh = 5 if tiny_marks else 7
    total = len(marks) * (gh + 2) - 2
    ty = (y0 + y1) / 2.0 - total / 2.0
    for m in marks:
        tw = text_width(m, tiny_marks)
        cv.text(round((x0 + x1) / 2.0 - tw / 2.0 + 2), round(ty), m, CHIP_MARK, tiny=tiny_marks, alpha=0.8)
        ty += gh + 2
    return (x0, y0, x1, y1)


def silk_box(cv, x0, y0, x1, y1, notch=True):
    cv.outline(x0, y0, x1, y1, 1.0, SILK, SILK_A)
    if notch:
        cy = (y0 + y1) / 2.0
        cv.fill_sdf(x0 - 1, cy - 4, x0 + 4, cy + 4,
                    lambda x, y: abs(math.hypot(x - x0, y - cy) - 3.0) - 0.5
                    if x > x0 + 0.5 else 9, SILK, SILK_A)


def plcc(cv, x0, y0, size, marks):
    x1, y1 = x0 + size, y0 + size
    shadow_rect(cv, x0 - 1.5, y0 - 1.5, x1 + 1.5, y1 + 1.5, 2.0, (2.8, 3.4), 0.6, 4.0)
    n = 17
    pitch = 3.75
    start = (size - (n - 1) * pitch) / 2.0
    for k in range(n):
        t = start + k * pitch
        # J-leads peeking out on each side
        cv.rrect(x0 + t - 0.9, y0 - 2.4, x0 + t + 0.9, y0 + 1, 0.5, (205, 207, 210))
        cv.rrect(x0 + t - 0.9, y1 - 1, x0 + t + 0.9, y1 + 2.4, 0.5, (150, 152, 156))
        cv.rrect(x0 - 2.4, y0 + t - 0.9, x0 + 1, y0 + t + 0.9, 0.5, (200, 202, 205))
        cv.rrect(x1 - 1, y0 + t - 0.9, x1 + 2.4, y0 + t + 0.9, 0.5, (150, 152, 156))
    c = 5.0
    body = [(x0 + c, y0), (x1, y0), (x1, y1), (x0, y1), (x0, y0 + c)]
    # polygon() needs convex clockwise points: the chamfered square is convex.
    cv.polygon(body, shaded(x0, y0, x1, y1, CHIP, 0.85, 0.5))
    i = 3.2
    top = [(x0 + c + i - 1.3, y0 + i), (x1 - i, y0 + i), (x1 - i, y1 - i), (x0 + i, y1 - i),
           (x0 + i, y0 + c + i - 1.3)]
    cv.polygon(top, shaded(x0, y0, x1, y1, CHIP, 1.45, 0.9, 0.03))
    # bevel light: top and left faces catch the light
    cv.polygon([(x0 + c, y0), (x1, y0), (x1 - i, y0 + i), (x0 + c + i - 1.3, y0 + i)], (80, 80, 86), 0.55)
    cv.polygon([(x0, y0 + c), (x0 + i, y0 + c + i - 1.3), (x0 + i, y1 - i), (x0, y1)], (70, 70, 76), 0.4)
    cv.circle(x0 + 10, y0 + 10, 2.4, (16, 16, 18))
    cv.circle(x0 + 9.6, y0 + 9.5, 1.4, (60, 60, 64), 0.5)
    ty = y0 + size / 2.0 - (len(marks) * 9 - 2) / 2.0
    for m in marks:
        tw = text_width(m)
        cv.text(round(x0 + size / 2.0 - tw / 2.0), round(ty), m, CHIP_MARK, alpha=0.8)
        ty += 9
    return (x0, y0, x1, y1)


def dip_switch(cv, rect, states, label):
    rx, ry, rw, rh = rect
    cx, cy = rx + rw / 2.0, ry + rh / 2.0
    bw, bh = 46.0, 21.0
    x0, y0 = cx - bw / 2.0, cy - bh / 2.0
    x1, y1 = x0 + bw, y0 + bh
    pitch = 6.0
    first = cx - pitch * 3
    shadow_rect(cv, x0, y0, x1, y1, 1.2, (2.2, 2.6), 0.55, 3.0)
    for k in range(7):
        lx = first + k * pitch
        for ly0, ly1 in ((y0 - 2.4, y0 + 1), (y1 - 1, y1 + 2.4)):
            cv.rect(lx - 1.0, ly0, lx + 1.0, ly1, shaded(lx - 1, ly0, lx + 1, ly1, TIN, 1.1, 0.8))
    blue = (36, 82, 196)
    cv.rrect(x0, y0, x1, y1, 1.3, shaded(x0, y0, x1, y1, blue, 0.9, 0.55))
    cv.rrect(x0 + 0.9, y0 + 0.9, x1 - 0.9, y1 - 1.2, 0.8, shaded(x0, y0, x1, y1, blue, 1.22, 0.86, 0.02))
    cv.rect(x0 + 1.5, y0 + 0.9, x1 - 1.5, y0 + 1.6, (255, 255, 255), 0.18)
    # "ON" above the slots, position numbers below, as printed on the part
    ink = (236, 240, 252)
    cv.text(x0 + 3, y0 + 1, "ON", ink, tiny=True, alpha=0.95)
    sy0, sy1 = y0 + 6.5, y0 + 14.5
    for k in range(7):
        sx = first + k * pitch
        cv.rect(sx - 2.2, sy0, sx + 2.2, sy1, (12, 26, 70))
        cv.rect(sx - 2.2, sy0, sx + 2.2, sy0 + 1.0, (4, 10, 30), 0.8)
        on = states[k]
        ky0 = sy0 + 0.5 if on else sy1 - 4.3
        cv.rect(sx - 1.9 + 0.6, ky0 + 0.8, sx + 1.9 + 0.6, ky0 + 4.4, (0, 0, 20), 0.45)
        cv.rrect(sx - 1.9, ky0, sx + 1.9, ky0 + 3.8, 0.5,
                 shaded(sx - 2, ky0, sx + 2, ky0 + 4, (238, 238, 232), 1.08, 0.82))
        cv.rect(sx - 1.9, ky0 + 1.7, sx + 1.9, ky0 + 2.1, (150, 150, 150), 0.5)
        cv.text(round(sx - 1.5), round(y0 + 15.2), str(k + 1), ink, tiny=True, alpha=0.85)
    # silkscreen: box, name above
    cv.outline(x0 - 3.5, y0 - 4.5, x1 + 3.5, y1 + 4.5, 1.0, SILK, SILK_A)
    tw = text_width(label, tiny=True)
    cv.text(round(cx - tw / 2.0), round(y0 - 11), label, SILK, tiny=True, alpha=SILK_A)


def pin_header_pins(cv, pins, base_rect, cap=None):
    """Black plastic base, gold square posts; cap = (x0, y0, x1, y1) of a shunt."""
    bx0, by0, bx1, by1 = base_rect
    shadow_rect(cv, bx0, by0, bx1, by1, 0.8, (1.8, 2.2), 0.5, 2.5)
    cv.rect(bx0, by0, bx1, by1, shaded(bx0, by0, bx1, by1, (34, 34, 36), 1.2, 0.7))
    cv.rect(bx0, by0, bx1, by0 + 0.8, (120, 120, 125), 0.35)
    for (px, py) in pins:
        cv.rect(px - 1.9 + 0.8, py - 1.9 + 0.9, px + 1.9 + 0.8, py + 1.9 + 0.9, (0, 0, 0), 0.5)
        cv.rect(px - 1.9, py - 1.9, px + 1.9, py + 1.9, shaded(px - 2, py - 2, px + 2, py + 2, (232, 186, 72), 1.15, 0.72))
        cv.rect(px - 0.9, py - 0.9, px + 0.5, py + 0.5, (255, 240, 170), 0.55)
    if cap:
        x0, y0, x1, y1 = cap
        shadow_rect(cv, x0, y0, x1, y1, 1.0, (2.0, 2.4), 0.6, 3.0)
        cv.rrect(x0, y0, x1, y1, 1.0, shaded(x0, y0, x1, y1, (40, 44, 52), 1.5, 0.7))
        cv.rrect(x0 + 1, y0 + 0.8, x1 - 1, y0 + 1.8, 0.5, (190, 195, 205), 0.35)


def irq_header(cv, rect, irqs, fitted):
    rx, ry, rw, rh = rect
    n = len(irqs)
    pitch = 7.3
    cy = ry + rh / 2.0
    top = cy - pitch * (n - 1) / 2.0
    c1, c2 = 33.5, 40.8
    base = (c1 - 4.2, top - 4.0, c2 + 4.2, top + pitch * (n - 1) + 4.0)
    cv.outline(base[0] - 2.5, base[1] - 2.5, base[2] + 2.5, base[3] + 2.5, 1.0, SILK, SILK_A)
    pins = []
    for k in range(n):
        y = top + k * pitch
        pins += [(c1, y), (c2, y)]
        label = str(irqs[k])
        tw = text_width(label, tiny=True)
        cv.text(round(base[0] - 4.5 - tw), round(y - 2.5), label, SILK, tiny=True, alpha=SILK_A)
    cap = None
    if fitted is not None:
        y = top + fitted * pitch
        cap = (c1 - 3.6, y - 3.3, c2 + 3.6, y + 3.3)
    pin_header_pins(cv, pins, base, cap)
    # JP1 and a pin-1 mark to the right
    cv.text(base[2] + 4.5, round(top - 2.5), "JP1", SILK, tiny=True, alpha=SILK_A)
    cv.rect(base[2] + 4.5, top + 6, base[2] + 5.5, top + pitch * (n - 1) - 6, SILK, SILK_A)


def term_headers(cv, rect, fitted):
    rx, ry, rw, rh = rect
    n = 8
    pitch = rw / n
    cy = ry + rh / 2.0
    for k in range(n):
        x = rx + pitch * (k + 0.5)
        base = (x - 3.2, cy - 7.4, x + 3.2, cy + 7.4)
        pins = [(x, cy - 3.7), (x, cy + 3.7)]
        cap = (x - 3.5, cy - 7.0, x + 3.5, cy + 7.0) if k in fitted else None
        pin_header_pins(cv, pins, base, cap)
        cv.text(round(x - 1.5), ry + rh + 3, str(k + 1), SILK, tiny=True, alpha=SILK_A)
    cv.outline(rx - 1, ry - 2.5, rx + rw + 1, ry + rh + 2.5, 1.0, SILK, SILK_A)


def electrolytic(cv, cx, cy, r, sleeve=(24, 40, 104)):
    cv.circle(cx + 2.6, cy + 3.2, r + 1.2, SHADOW, 0.55, 4.0)

    def sleeve_col(x, y):
        a = math.atan2(y - cy, x - cx)
        k = 1.0 + 0.35 * math.cos(a + 2.3)
        if -0.2 < a < 0.9:  # the minus stripe
            return (150 * k, 160 * k, 180 * k)
        return (sleeve[0] * k, sleeve[1] * k, sleeve[2] * k)
    cv.circle(cx, cy, r, sleeve_col)
    cv.ring(cx, cy, r - 2.8, r - 1.6, scale(sleeve, 0.5))

    def top_col(x, y):
        d = math.hypot(x - cx + r * 0.3, y - cy + r * 0.3) / r
        k = 1.15 - 0.45 * d + rng.uniform(-0.02, 0.02)
        return (190 * k, 194 * k, 200 * k)
    cv.circle(cx, cy, r - 2.6, top_col)
    a = r * 0.42
    for ang in (math.pi / 4, 3 * math.pi / 4):
        dx, dy = math.cos(ang) * a, math.sin(ang) * a
        cv.line(cx - dx, cy - dy, cx + dx, cy + dy, 1.0, (110, 114, 120), 0.9)
    cv.circle(cx - r * 0.35, cy - r * 0.35, r * 0.25, (255, 255, 255), 0.25, 2.0)


def ceramic_cap(cv, cx, cy, vertical=False, color=(214, 160, 52)):
    w, h = (5.0, 7.0) if vertical else (7.0, 5.0)
    x0, y0 = cx - w / 2.0, cy - h / 2.0
    cv.rrect(x0 + 1.6, y0 + 2.0, x0 + w + 1.6, y0 + h + 2.0, 2.0, SHADOW, 0.5, 2.5)
    cv.rrect(x0, y0, x0 + w, y0 + h, 2.0, shaded(x0, y0, x0 + w, y0 + h, color, 1.25, 0.72))
    cv.circle(x0 + 1.8, y0 + 1.6, 1.0, (255, 250, 220), 0.5)


def resistor(cv, x0, y, length, bands):
    """Axial resistor lying horizontally, leads bent into the board."""
    pad(cv, x0, y, 2.0)
    pad(cv, x0 + length, y, 2.0)
    cv.line(x0, y, x0 + length, y, 1.2, (170, 172, 176))
    b0, b1 = x0 + 5, x0 + length - 5
    cv.rrect(b0 + 1.5, y - 3.0 + 2.0, b1 + 1.5, y + 3.0 + 2.0, 2.8, SHADOW, 0.45, 2.5)
    body = (196, 178, 140)
    cv.rrect(b0, y - 3.2, b1, y + 3.2, 2.8, lambda px, py: scale(body, 1.18 - 0.09 * abs(py - y + 1.2)))
    n = len(bands)
    for k, col in enumerate(bands):
        bx = b0 + 3 + k * (b1 - b0 - 6) / (n - 1) - (1.5 if k == n - 1 else 0)
        cv.rect(bx, y - 3.0, bx + 1.3, y + 3.0, lambda px, py, c=col: scale(c, 1.2 - 0.1 * abs(py - y + 1.2)))


def sip_pack(cv, x0, y0, pins):
    length = pins * 7.5
    x1, y1 = x0 + 6.0, y0 + length
    shadow_rect(cv, x0, y0, x1, y1, 1.5, (2.0, 2.4), 0.5, 3.0)
    cv.rrect(x0, y0, x1, y1, 1.8, shaded(x0, y0, x1, y1, (202, 168, 62), 1.15, 0.7))
    cv.rrect(x0 + 1.2, y0 + 1.0, x0 + 2.4, y1 - 1.0, 0.6, (255, 240, 190), 0.35)
    cv.circle(x0 + 3, y0 + 3.8, 1.1, (60, 40, 10), 0.8)
    cv.text(x0 + 1.2, y1 - 5, "A103J", (70, 50, 14), tiny=True, alpha=0.75, vertical=True)


def crystal(cv, x0, y0, x1, y1, mark):
    shadow_rect(cv, x0, y0, x1, y1, (y1 - y0) / 2.0, (2.2, 2.6), 0.55, 3.0)
    pad(cv, x0 + 4, (y0 + y1) / 2.0, 1.8)
    h = y1 - y0

    def col(x, y):
        v = (y - y0) / h
        k = 0.78 + 0.5 * math.exp(-((v - 0.3) ** 2) / 0.02) - 0.2 * v
        s = rng.uniform(-3, 3)
        return (200 * k + s, 202 * k + s, 206 * k + s)
    cv.rrect(x0, y0, x1, y1, h / 2.0, col)
    cv.rrect(x0 + 2.5, y0 + 2.2, x1 - 2.5, y1 - 2.2, (h - 4.4) / 2.0, (255, 255, 255), 0.07)
    tw = text_width(mark, tiny=True)
    cv.text(round((x0 + x1) / 2.0 - tw / 2.0), round((y0 + y1) / 2.0 - 2.5), mark, (84, 86, 92), tiny=True, alpha=0.9)


def barcode_label(cv, x0, y0, x1, y1, serial):
    shadow_rect(cv, x0, y0, x1, y1, 1.0, (1.4, 1.8), 0.35, 2.5)
    cv.rect(x0, y0, x1, y1, shaded(x0, y0, x1, y1, (244, 243, 236), 1.02, 0.93))
    x = x0 + 4
    r = random.Random(SEED + 7)
    while x < x1 - 5:
        w = r.choice((0.8, 0.8, 1.2, 1.7, 2.2))
        cv.rect(x, y0 + 3, x + w, y1 - 9, (24, 24, 26))
        x += w + r.choice((0.8, 1.0, 1.6, 2.0))
    tw = text_width(serial, tiny=True)
    cv.text(round((x0 + x1) / 2.0 - tw / 2.0), y1 - 7, serial, (30, 30, 32), tiny=True)


def db37(cv, y0, y1):
    """Right-angle DB-37 at the bracket: plastic body, steel shell, jack screws."""
    bx1 = BRACKET_X0
    # solder pins behind the body, two staggered rows
    for k in range(19):
        py = 50 + k * 8.2
        pad(cv, 522.0, py, 2.1)
        cv.rect(521.0, py - 1.0, 523.5, py + 1.0, (150, 150, 154))
        if k < 18:
            pad(cv, 527.5, py + 4.1, 2.1)
            cv.rect(526.5, py + 3.1, 530.0, py + 5.1, (150, 150, 154))
    # board-lock brackets at both ends
    for (ly0, ly1) in ((y0 - 10, y0 + 2), (y1 - 2, y1 + 10)):
        shadow_rect(cv, 536, ly0, bx1, ly1, 0.8, (2.0, 2.6), 0.55, 3.0)
        cv.rect(536, ly0, bx1, ly1, shaded(536, ly0, bx1, ly1, (198, 200, 204), 1.15, 0.7))
        cv.circle(546, (ly0 + ly1) / 2.0, 2.6, (120, 122, 126))
        cv.circle(545.6, (ly0 + ly1) / 2.0 - 0.5, 1.5, (226, 228, 230))
        cv.rect(536, ly1 - 1, bx1, ly1, (60, 60, 64), 0.5)
    # plastic insulator body
    shadow_rect(cv, 531, y0, 560, y1, 1.5, (2.6, 3.0), 0.6, 4.0)
    cv.rrect(531, y0, 561, y1, 1.5, shaded(531, y0, 561, y1, (44, 44, 48), 1.0, 0.6))
    cv.rrect(532, y0 + 1, 559.5, y1 - 1.5, 1.0, shaded(531, y0, 561, y1, (44, 44, 48), 1.3, 0.85, 0.025))
    for k in range(9):
        ry = y0 + 14 + k * (y1 - y0 - 28) / 8.0
        cv.rect(533, ry, 552, ry + 1.0, (20, 20, 22), 0.6)
        cv.rect(533, ry + 1.0, 552, ry + 1.7, (110, 110, 116), 0.25)
    cv.text(541, round((y0 + y1) / 2.0 + 20), "DB37-F", (150, 150, 150), tiny=True, alpha=0.6, vertical=True)
    # steel shell flange against the bracket
    cv.rect(559.5, y0 - 12, bx1, y1 + 12, shaded(559.5, y0 - 12, bx1, y1 + 12, (206, 208, 212), 1.15, 0.72))
    cv.rect(559.5, y0 - 12, 560.3, y1 + 12, (255, 255, 255), 0.35)


def bracket(cv):
    x0, x1 = BRACKET_X0, BRACKET_X1
    streak = []
    v = 0.0
    r = random.Random(SEED + 3)
    for _ in range(64):
        v = 0.6 * v + r.uniform(-6, 6)
        streak.append(v)
    steel = (178, 181, 186)
    # shadow on the background
    cv.polygon([(x1, 2), (x1 + 5, 6), (x1 + 5, 362), (x1, 362)], SHADOW, 0.18, 5.0)
    # top flange bent outwards, with its screw slot
    fx0, fy0, fx1, fy1 = x0 - 6, 0.0, 599.0, 9.0
    cv.rect(fx0 + 2, fy1, fx1, fy1 + 3, SHADOW, 0.25)
    cv.rect(fx0, fy0, fx1, fy1, shaded(fx0, fy0, fx1, fy1, steel, 1.25, 0.8, 0.02))
    cv.rect(fx0, fy1 - 1.2, fx1, fy1, (90, 92, 96), 0.6)
    cv.rrect(586, 2.6, 600.5, 6.4, 1.9, (58, 60, 64))
    cv.rect(586, 5.6, 600.5, 6.4, (220, 222, 226), 0.4)
    # the bracket plate, down past the board into the tongue
    cv.rect(x0, fy1, x1, 318, metal_v(x0, x1, steel, streak))
    cv.polygon([(x0, 317), (x1, 317), (x1 - 4, 356), (x0 + 4, 360)], metal_v(x0, x1, steel, streak))
    cv.rect(x0, fy1, x0 + 1.0, 318, (250, 250, 252), 0.45)
    cv.rect(x1 - 1.0, fy1, x1, 318, (70, 72, 76), 0.55)
    # D-shell through the bracket, seen from the side, and the jack screws
    sy0, sy1 = 44, 216
    cv.rect(x1, sy0, 597, sy1, shaded(x1, sy0, 597, sy1, (196, 198, 202), 1.2, 0.7))
    cv.rect(x1, sy0, 597, sy0 + 1, (255, 255, 255), 0.4)
    cv.rect(596, sy0 + 2, 597, sy1 - 2, (80, 82, 86), 0.5)
    for jy in (30, 230):
        cv.rect(x1 + 1.5, jy - 6 + 1.5, 598.5, jy + 6 + 1.5, SHADOW, 0.3)
        cv.rect(x1, jy - 6, 598, jy + 6, shaded(x1, jy - 6, 598, jy + 6, (190, 192, 196), 1.3, 0.6))
        cv.rect(x1, jy - 2.2, 598, jy - 1.6, (255, 255, 255), 0.35)
        cv.rect(x1, jy + 2.0, 598, jy + 2.6, (60, 62, 66), 0.45)
        # screw head seen through its hole in the bracket
        cv.circle(x0 + 11, jy, 4.2, (70, 72, 76))
        cv.circle(x0 + 11, jy, 3.4, shaded(x0 + 7, jy - 4, x0 + 15, jy + 4, (205, 207, 210), 1.2, 0.65))
        cv.rect(x0 + 8.4, jy - 0.5, x0 + 13.6, jy + 0.5, (60, 60, 64), 0.8)
    # a vent slot and an embossed rib
    cv.rrect(x0 + 8.5, 262, x0 + 13.5, 296, 2.5, (48, 50, 54))
    cv.rrect(x0 + 9.5, 263, x0 + 12.5, 266, 1.5, (20, 22, 24), 0.5)


# ---------------------------------------------------------------------------
# The card picture.

def board_sdf():
    def box(x, y, b):
        x0, y0, x1, y1 = b
        qx = max(x0 - x, x - x1)
        qy = max(y0 - y, y - y1)
        ox, oy = max(qx, 0.0), max(qy, 0.0)
        return math.hypot(ox, oy) + min(max(qx, qy), 0.0)

    def sdf(x, y):
        return min(box(x, y, BOARD), box(x, y, TAB16), box(x, y, TAB8))
    return sdf


def make_card():
    cv = Canvas(W, H, BG_TOP)
    # studio background
    cv.rect(0, 0, W, H, lambda x, y: mix(BG_TOP, BG_BOTTOM, y / H))
    sdf = board_sdf()
    # board shadow on the background
    cv.fill_sdf(0, 0, W, H, lambda x, y: sdf(x - 3.5, y - 4.5), (60, 62, 66), 0.45, 6.0)

    # the board: solder mask over glass-epoxy, faint weave and mottle
    r = random.Random(SEED + 1)
    mottle = [[r.uniform(-1, 1) for _ in range(W // 16 + 3)] for _ in range(H // 16 + 3)]

    def mot(x, y):
        gx, gy = x / 16.0, y / 16.0
        ix, iy = int(gx), int(gy)
        fx, fy = gx - ix, gy - iy
        a = mottle[iy][ix] * (1 - fx) + mottle[iy][ix + 1] * fx
        b = mottle[iy + 1][ix] * (1 - fx) + mottle[iy + 1][ix + 1] * fx
        return a * (1 - fy) + b * fy

    def pcb(x, y):
        k = 1.07 - 0.12 * (0.6 * x / W + 0.4 * y / H) + 0.025 * mot(x, y)
        k += 0.012 * (math.sin(x * 1.9) * math.sin(y * 1.9))  # glass weave
        k += 0.06 * math.exp(-(((0.55 * x + y - 170.0) / 110.0) ** 2))  # glossy mask sheen
        return (PCB[0] * k, PCB[1] * k, PCB[2] * k)
    cv.fill_sdf(0, 0, W, H, sdf, pcb)
    # board edge: FR4 edge seen slightly, light on top/left, dark at bottom/right
    cv.fill_sdf(0, 0, W, H, lambda x, y: abs(sdf(x, y) + 0.6) - 0.6, PCB_EDGE, 0.55)
    cv.fill_sdf(0, 0, W, H, lambda x, y: abs(sdf(x - 0.8, y - 0.8) + 0.6) - 0.6
                if (x > 300 or y > 200) else 9, (10, 40, 18), 0.35)

    draw_traces(cv)
    draw_fingers(cv)
    draw_silkscreen(cv)
    draw_parts(cv)
    bracket(cv)
    db37(cv, 34, 226)
    finish(cv)
    return cv


# Areas kept free of stitching vias: parts, labels and the trace bundles.
KEEP_OUT = [
    (8, 10, 118, 76), (110, 20, 180, 275), (186, 20, 290, 230), (186, 240, 296, 304),
    (294, 28, 420, 196), (300, 196, 380, 316), (428, 22, 566, 242), (404, 242, 536, 300),
    (2, 166, 106, 316), (20, 84, 70, 168), (130, 280, 300, 316),
]


def draw_traces(cv):
    r = random.Random(SEED + 2)
    used = set()
    # data bus: fingers 6..15 of the 16-bit tab into the bus buffer's bottom row
    legs_u4 = dip_legs(194.5, 10)
    for j in range(10):
        xf = FINGERS16[6 + j]
        used.add(xf)
        trace(cv, jog(xf, 322, legs_u4[j], 278, 302 - j * 0.6))
    # bus buffer's top row up into the lower UART
    for j in range(10):
        trace(cv, [(legs_u4[j], 247), (legs_u4[j], 222)], chamfer=0)
    # IRQ 10..15 from the 16-bit tab round to the IRQ header
    pitch = 7.3
    top = IRQ_RECT[1] + IRQ_RECT[3] / 2.0 - pitch * 5
    for j in range(5):
        xf = FINGERS16[j]
        used.add(xf)
        yh = 311.5 - 3.3 * j
        xe = 86 + 3.6 * j
        yp = top + (10 - j) * pitch
        trace(cv, [(xf, 322), (xf, yh), (xe, yh), (xe, yp), (47, yp)], width=1.3, chamfer=3)
    # address bus: the first ten fingers of the 8-bit tab up into the decoder GAL
    legs_u6 = dip_legs(300.5, 10)
    for j in range(10):
        xf = FINGERS8[j]
        used.add(xf)
        trace(cv, jog(xf, 322, legs_u6[j], 177, 296 - j * 0.0))
    # decoder chain: GAL16V8 -> 74HCT138 -> GAL22V10
    legs_u5 = dip_legs(300.5, 8)
    for j in range(8):
        trace(cv, [(legs_u6[j], 150), (legs_u5[j], 120)], chamfer=0)
    legs_u3 = dip_legs(300.5, 12)
    for j in range(8):
        if j in (2, 5):
            continue
        trace(cv, [(legs_u5[j], 94), (legs_u3[j], 64)], chamfer=0)
    # more bus lines into the board: short runs ending in vias
    for j in range(10, 31):
        xf = FINGERS8[j]
        if xf in used:
            continue
        used.add(xf)
        top_y = 301 - (j % 3) * 6.5
        if 17 <= j <= 24:
            top_y = 292 - (j % 2) * 6.5
        trace(cv, [(xf, 322), (xf, top_y)], chamfer=0, end_via=True)
    for k, xf in enumerate(FINGERS16):
        if xf in used:
            continue
        trace(cv, [(xf, 322), (xf, 303 - (k % 2) * 6)], chamfer=0, end_via=True)
    # UART 1 to the transceivers, through the channel between U3 and U5
    for j in range(5):
        y = 36 + 5 + (8 + j) * 3.75
        xe = 424 - j * 4.0
        trace(cv, [(268, y), (xe, y), (xe, y + 10 + j * 2.0)], width=1.3, chamfer=3, end_via=True)
    # UART 2, up and into the channel between U5 and U6
    for j in range(4):
        y = 150 + 5 + j * 3.75
        xt = 277 + j * 3.75
        yc = 127.5 + j * 3.75
        xe = 426 - j * 4.0
        trace(cv, [(268, y), (xt, y), (xt, yc), (xe, yc), (xe, yc + 8 + j * 2.0)],
              width=1.3, chamfer=3, end_via=True)
    # UART 1, top side, up into a bus along the top of the board
    for j in range(9):
        x = 196 + 5 + (4 + j) * 3.75
        trace(cv, [(x, 34), (x, 26 - j * 0.0), (x + 4, 22)], width=1.2, chamfer=0)
    # transceivers to the connector pins
    for row in range(4):
        yr = 38 + row * 42
        ys = [yr + 28.8 + 1.9 * i for i in range(4)]
        starts = [438.5 + 18.75, 438.5 + 26.25, 486.5 + 18.75, 486.5 + 26.25]
        pads = [50 + 8.2 * k for k in range(19)] + [54.1 + 8.2 * k for k in range(18)]
        for i in range(4):
            y = ys[i]
            py = min(pads, key=lambda v: abs(v - y))
            px = 522.0 if (py - 50) % 8.2 < 1 else 527.5
            trace(cv, [(starts[i], yr + 25), (starts[i], y), (516, y), (px, py)], width=1.3, chamfer=2)
    # DIP switch banks: common line along the top legs, a bundle out to the right
    for k, (rx, ry, rw, rh) in enumerate(ADDR_RECTS):
        cx, cy = rx + rw / 2.0, ry + rh / 2.0
        first = cx - 18
        y0, y1 = cy - 10.5, cy + 10.5
        cv.line(first, y0 - 3.2, first + 36, y0 - 3.2, 1.4, PCB_TRACE)
        for j in range(7):
            x = first + j * 6
            yh = y1 + 6 + (6 - j) * 3.0
            xe = 178 + (j % 2) * 5.5
            trace(cv, [(x, y1 + 2), (x, yh), (xe, yh)], width=1.1, chamfer=2.5)
            via(cv, xe, yh, 1.7)
    # power rail along the top and down the left edge
    cv.polyline(chamfer_path([(6, 126), (6, 11), (520, 11)], 4), 3.0, PCB_TRACE)
    cv.polyline(chamfer_path([(292, 11), (292, 30)], 3), 2.4, PCB_TRACE)
    # stitching vias in the free areas
    placed = 0
    tries = 0
    while placed < 36 and tries < 2000:
        tries += 1
        x = r.uniform(8, 560)
        y = r.uniform(12, 306)
        if any(a - 3 <= x <= c + 3 and b - 3 <= y <= d + 3 for (a, b, c, d) in KEEP_OUT):
            continue
        via(cv, x, y, 1.9)
        placed += 1


def draw_fingers(cv):
    for x in FINGERS16 + FINGERS8:
        x0, x1, y0, y1 = x - 2.8, x + 2.8, 320.5, 350.5

        def gold(px, py, x0=x0):
            u = (px - x0) / 5.6
            v = (py - y0) / 30.0
            k = 0.86 + 0.32 * math.exp(-((u - 0.3) ** 2) / 0.04) - 0.12 * v
            return (GOLD[0] * k, GOLD[1] * k, GOLD[2] * k)
        cv.rrect(x0, y0, x1, y1, 1.2, gold)
        cv.rect(x0 + 0.3, y0 + 0.5, x1 - 0.3, y0 + 1.5, (255, 236, 160), 0.35)
    # bevelled bottom edge of the tabs
    for (x0, y0, x1, y1) in (TAB16, TAB8):
        cv.rect(x0 + 1, y1 - 1.5, x1 - 1, y1, (200, 196, 150), 0.45)


def draw_silkscreen(cv):
    s = SILK
    a = SILK_A
    # maker and product
    cv.text(12, 16, "Kelmory", s, sc=2.0, alpha=a)
    cv.rect(12, 33, 95, 34, s, a)
    cv.text(12, 39, "SRX-8T", s, sc=2.0, alpha=a)
    cv.text(12, 58, "8 PORT RS-485/422", s, alpha=a)
    cv.text(12, 68, "ISA BUS ADAPTER", s, tiny=True, alpha=a)
    cv.text(124, 26, "BASE ADDRESS", s, tiny=True, alpha=a)
    cv.text(26, 170, "IRQ", s, alpha=a)
    cv.text(8, 280, "REV B", s, alpha=a)
    cv.text(8, 292, "ASSY 10-0418", s, tiny=True, alpha=a)
    cv.text(8, 300, "94V-0  9438", s, tiny=True, alpha=a)
    cv.text(430, 210, "TERM", s, tiny=True, alpha=a)
    cv.text(8, 308, "(C)1994 KELMORY", s, tiny=True, alpha=a)
    # component outlines and designators
    cv.text(178, 22, "U1", s, alpha=a)
    cv.text(178, 136, "U2", s, alpha=a)
    cv.text(256, 126, "Y1", s, tiny=True, alpha=a)
    cv.text(176, 257, "U4", s, tiny=True, alpha=a)
    cv.text(300, 30, "U3", s, tiny=True, alpha=a)
    cv.text(300, 86, "U5", s, tiny=True, alpha=a)
    cv.text(300, 142, "U6", s, tiny=True, alpha=a)
    cv.text(404, 30, "RN1", s, tiny=True, alpha=a)
    cv.text(404, 112, "RN2", s, tiny=True, alpha=a)
    cv.text(524, 30, "J1", s, tiny=True, alpha=a)
    for k in range(8):
        col, row = k % 2, k // 2
        x = 438 if col == 0 else 486
        y = 38 + row * 42
        cv.text(x, y - 12, "U%d" % (7 + k), s, tiny=True, alpha=a)
        silk_box(cv, x - 2.5, y - 5, x + 33.5, y + 27)
    silk_box(cv, 296.5, 35, 396.5, 67)
    silk_box(cv, 296.5, 91, 366.5, 123)
    silk_box(cv, 296.5, 147, 381.5, 179)
    silk_box(cv, 190.5, 245, 275.5, 277)
    cv.outline(191, 31, 271, 111, 1.0, s, a)
    cv.outline(191, 145, 271, 225, 1.0, s, a)
    cv.text(35, 120, "C1", s, tiny=True, alpha=a)
    cv.text(14, 134, "R1", s, tiny=True, alpha=a)
    cv.text(14, 150, "R2", s, tiny=True, alpha=a)
    cv.text(505, 294, "C2", s, tiny=True, alpha=a)
    cv.text(496, 262, "+", s, tiny=True, alpha=a)


def draw_parts(cv):
    # DIP switches: four banks of base-address switches
    settings = [
        (0, 1, 0, 1, 0, 0, 0),
        (1, 1, 0, 1, 0, 0, 0),
        (0, 0, 1, 1, 0, 0, 0),
        (1, 0, 1, 1, 0, 0, 0),
    ]
    for k, rect in enumerate(ADDR_RECTS):
        dip_switch(cv, rect, settings[k], "SW%d  P%d-%d" % (k + 1, 2 * k + 1, 2 * k + 2))
    irq_header(cv, IRQ_RECT, [3, 4, 5, 6, 7, 9, 10, 11, 12, 14, 15], fitted=2)
    term_headers(cv, TERM_RECT, fitted={0, 1, 5})

    plcc(cv, 196, 36, 70, ["ST16C554", "CJ68", "9436"])
    plcc(cv, 196, 150, 70, ["ST16C554", "CJ68", "9436"])
    crystal(cv, 211, 121.5, 251, 134.5, "7.3728")
    dip_chip(cv, 194, 250, 20, ["74HCT245N"])
    dip_chip(cv, 300, 40, 24, [])
    # programmed GAL with its paper label
    cv.rect(326, 43.5, 366, 58.5, (0, 0, 0), 0.3)
    cv.rect(325, 42.5, 365, 57.5, shaded(325, 42.5, 365, 57.5, (246, 244, 232), 1.03, 0.9))
    cv.text(328, 44, "SRX-8T", (40, 40, 120), tiny=True, alpha=0.9)
    cv.text(328, 51, "V1.2", (40, 40, 120), tiny=True, alpha=0.9)
    dip_chip(cv, 300, 96, 16, ["74HCT138"])
    dip_chip(cv, 300, 152, 20, ["GAL16V8"])
    sip_pack(cv, 405, 38, 9)
    sip_pack(cv, 405, 120, 9)
    for k in range(8):
        col, row = k % 2, k // 2
        x = 438 if col == 0 else 486
        y = 38 + row * 42
        dip_chip(cv, x, y, 8, ["SN75176", "BP"], tiny_marks=True)
    # bypass capacitors next to each chip
    for (cx, cy) in ((283, 40), (286, 262), (392, 186), (392, 104),
                     (474, 52), (474, 94), (474, 136), (474, 178), (180, 48), (180, 180)):
        ceramic_cap(cv, cx, cy, vertical=True)
    electrolytic(cv, 44, 99, 14.0)
    electrolytic(cv, 522, 276, 12.5)
    resistor(cv, 12, 143, 56, [(150, 40, 30), (20, 20, 20), (220, 120, 30), (200, 160, 60)])
    resistor(cv, 12, 159, 56, [(150, 40, 30), (20, 20, 20), (180, 30, 30), (200, 160, 60)])
    barcode_label(cv, 410, 246, 494, 272, "S/N 0412-0375")


def finish(cv):
    """Photographic feel: gentle vignette, slight softening, sensor noise."""
    w, h = cv.w, cv.h
    R, G, B = cv.r, cv.g, cv.b
    # a very light 3x3 blur mixed in, so drawn edges are not razor-sharp
    for ch in (R, G, B):
        src = ch[:]
        for y in range(1, h - 1):
            row = y * w
            for x in range(1, w - 1):
                i = row + x
                blur = (src[i - w - 1] + 2 * src[i - w] + src[i - w + 1] +
                        2 * src[i - 1] + 4 * src[i] + 2 * src[i + 1] +
                        src[i + w - 1] + 2 * src[i + w] + src[i + w + 1]) / 16.0
                ch[i] = src[i] * 0.7 + blur * 0.3
    r = random.Random(SEED + 9)
    cxm, cym = w * 0.45, h * 0.45
    for y in range(h):
        for x in range(w):
            i = y * w + x
            d = ((x - cxm) / w) ** 2 + ((y - cym) / h) ** 2
            k = 1.03 - 0.16 * d
            n = r.gauss(0, 1.6)
            R[i] = R[i] * k + n
            G[i] = G[i] * k + n
            B[i] = B[i] * k + n


# ---------------------------------------------------------------------------
# The icon, drawn with the 16 standard Windows/VGA colours.

PALETTE16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GRAY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)
ICON_BG = SILVER  # also the bottom-left pixel, for colour-keyed transparency


def make_icon():
    px = [[ICON_BG] * 32 for _ in range(32)]

    def fill(x0, y0, x1, y1, c):  # inclusive
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                px[y][x] = c
    # board and its finger tabs
    fill(1, 5, 26, 25, GREEN)
    fill(1, 25, 26, 25, TEAL)
    fill(26, 5, 26, 25, TEAL)
    fill(5, 26, 13, 28, GREEN)
    fill(15, 26, 25, 28, GREEN)
    for x in range(5, 26):
        if x != 14 and x % 2 == 1:
            fill(x, 26, x, 28, YELLOW)
    # bracket with its top flange
    fill(27, 2, 28, 30, GRAY)
    fill(27, 2, 27, 30, WHITE)
    fill(25, 2, 31, 3, GRAY)
    fill(25, 2, 31, 2, WHITE)
    fill(29, 8, 30, 21, GRAY)  # connector shell outside
    # connector body
    fill(23, 7, 26, 21, BLACK)
    # DIP switch: blue body, white knobs
    fill(3, 7, 16, 14, BLUE)
    fill(3, 14, 16, 14, NAVY)
    for k, on in enumerate((1, 0, 1, 1)):
        x = 4 + k * 3
        fill(x, 8, x + 1, 12, NAVY)
        y = 8 if on else 11
        fill(x, y, x + 1, y + 1, WHITE)
    # a chip with legs
    fill(4, 18, 12, 22, BLACK)
    for x in range(5, 12, 2):
        px[17][x] = WHITE
        px[23][x] = WHITE
    # a second chip
    fill(15, 18, 20, 22, BLACK)
    for x in range(16, 20, 2):
        px[17][x] = WHITE
        px[23][x] = WHITE
    # silkscreen dots and a gold jumper
    fill(19, 8, 20, 13, BLACK)
    px[9][19] = YELLOW
    px[9][20] = YELLOW
    px[12][19] = YELLOW
    px[12][20] = YELLOW
    return px


# ---------------------------------------------------------------------------
# Writers.

def write_bmp24(path, cv):
    w, h = cv.w, cv.h
    stride = (w * 3 + 3) & ~3
    pad = b"\0" * (stride - w * 3)
    rows = []
    for y in range(h - 1, -1, -1):  # bottom-up
        row = bytearray()
        base = y * w
        for x in range(w):
            i = base + x
            row += bytes((int(clamp(round(cv.b[i]), 0, 255)),
                          int(clamp(round(cv.g[i]), 0, 255)),
                          int(clamp(round(cv.r[i]), 0, 255))))
        rows.append(bytes(row) + pad)
    data = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 3780, 3780, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def write_bmp4(path, px, palette):
    h, w = len(px), len(px[0])
    stride = ((w + 1) // 2 + 3) & ~3
    rows = []
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(w):
            if x % 2 == 0:
                row[x // 2] |= px[y][x] << 4
            else:
                row[x // 2] |= px[y][x]
        rows.append(bytes(row))
    data = b"".join(rows)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    off = 14 + 40 + len(pal)
    header = struct.pack("<2sIHHI", b"BM", off + len(data), 0, 0, off)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 4, 0, len(data), 3780, 3780, 16, 0)
    with open(path, "wb") as f:
        f.write(header + info + pal + data)


def write_png_rgba(path, px, palette, transparent):
    h, w = len(px), len(px[0])
    raw = bytearray()
    for y in range(h):
        raw.append(0)  # filter: none
        for x in range(w):
            c = px[y][x]
            r, g, b = palette[c]
            raw += bytes((r, g, b, 0 if c == transparent else 255))

    def chunk(tag, body):
        return (struct.pack(">I", len(body)) + tag + body +
                struct.pack(">I", zlib.crc32(tag + body) & 0xFFFFFFFF))
    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = os.path.join(root, "resources")
    os.makedirs(out, exist_ok=True)
    card = make_card()
    write_bmp24(os.path.join(out, "card.bmp"), card)
    icon = make_icon()
    write_bmp4(os.path.join(out, "icon.bmp"), icon, PALETTE16)
    write_png_rgba(os.path.join(out, "icon.png"), icon, PALETTE16, ICON_BG)
    print("wrote resources/card.bmp, resources/icon.bmp, resources/icon.png", file=sys.stderr)


if __name__ == "__main__":
    main()
