#!/usr/bin/env python3
"""Draws the pictures of the five built-in themes.

    python3 tools/artwork/make_artwork.py [--sheet docs/artwork.png]
    python3 tools/artwork/make_artwork.py --skin DIR

The second form writes only the pictures and entries.txt of the sample skin
file (tools/make-sample-skin.sh packs them into resources/skins/Copper.skin).

Writes resources/themes/NAME.bmp (24-bit) for every bitmap the theme
catalogue lists, resources/themes.rc naming each as a BITMAP resource, and a
contact sheet of all pictures enlarged three times. It also writes the main
window's own title bar pictures into its description, resources/Unit1.form:
the frame's four buttons (control box, close, maximize, minimize; normal,
mouse over and pressed, 17 x 17 at 32 bits) and its three sections (left
48 x 23, right 48 x 23, client 49 x 23, 8 bits), as picture data in the
TitleBarButtons and TitleBarSections collections. Standard library only;
ImageMagick's convert, when present, labels the contact sheet.

Frame layouts (frames are equal columns, numbered from 1 at the left):
  *_BUTTON          3: normal, mouse over, pressed
  *_CHECKBOX        4: checked, unchecked, checked disabled, unchecked disabled
  *_RADIOBUTTON     4: the same states, with a dot
  *_CHECKLIST       4: the same states, small
  *_TITLEBTN       18: six glyphs of three states each (normal, mouse over,
                       pressed): 1-3 control box, 4-6 help, 7-9 maximize,
                       10-12 restore, 13-15 minimize, 16-18 close
  *_SCROLLBAR_BUTTON 6: arrow up normal/over/pressed, arrow down the same
  *_SCROLLBAR_TRACK 3: thumb start, middle, end
  *_SCROLLBUTTON, MORE_SCROLLBUTTON 4: arrows left, right, up, down
  *_TAB             3: tab left end, middle, right end
Magenta (255,0,255) is the see-through key: outside the rounded corners of
the MacOS and BlueGlass buttons, around every radio button, around the title
buttons of Protein and BlueGlass (whose title buttons are drawn
transparent). Pictures drawn opaque are painted on the colour they sit on.
"""

import argparse
import math
import os
import shutil
import struct
import subprocess
import sys
import zlib

KEY = (255, 0, 255)
SS = 4  # samples per axis for edge coverage


# ---------------------------------------------------------------- raster

class Img:
    def __init__(self, w, h, fill=KEY):
        self.w, self.h = w, h
        self.px = [fill] * (w * h)

    def get(self, x, y):
        return self.px[y * self.w + x]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y * self.w + x] = tuple(int(round(max(0, min(255, v)))) for v in c)

    def blit(self, src, dx, dy=0):
        for y in range(src.h):
            for x in range(src.w):
                self.set(dx + x, dy + y, src.get(x, y))

    def fill(self, color_at, x0=0, y0=0, x1=None, y1=None):
        x1 = self.w if x1 is None else x1
        y1 = self.h if y1 is None else y1
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                self.set(x, y, color_at(x + 0.5, y + 0.5))

    def paint(self, inside, color_at, keyed=False, hard=False):
        """Paints color_at over the pixels the shape covers. Keyed pictures
        get no blended edge (it would fringe against magenta): a pixel is
        painted when at least half of it is covered."""
        for y in range(self.h):
            for x in range(self.w):
                n = 0
                for sy in range(SS):
                    for sx in range(SS):
                        if inside(x + (sx + 0.5) / SS, y + (sy + 0.5) / SS):
                            n += 1
                if n == 0:
                    continue
                a = n / (SS * SS)
                c = color_at(x + 0.5, y + 0.5)
                if keyed or hard or self.get(x, y) == KEY:
                    if a >= 0.5:
                        self.set(x, y, c)
                else:
                    self.set(x, y, mix(self.get(x, y), c, a))


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def lighten(c, t):
    return mix(c, (255, 255, 255), t)


def darken(c, t):
    return mix(c, (0, 0, 0), t)


def const(c):
    return lambda x, y: c


def stops_at(stops, t):
    t = max(0.0, min(1.0, t))
    for i in range(len(stops) - 1):
        t0, c0 = stops[i]
        t1, c1 = stops[i + 1]
        if t <= t1:
            return mix(c0, c1, 0 if t1 == t0 else (t - t0) / (t1 - t0))
    return stops[-1][1]


def vgrad(y0, y1, stops):
    return lambda x, y: stops_at(stops, (y - y0) / max(1e-6, y1 - y0))


def hgrad(x0, x1, stops):
    return lambda x, y: stops_at(stops, (x - x0) / max(1e-6, x1 - x0))


def glossy(y0, y1, top, mid_hi, mid_lo, bottom):
    """A gel: bright upper half, a step at the middle, a glow at the bottom."""
    return vgrad(y0, y1, [(0, top), (0.5, mid_hi), (0.5001, mid_lo), (1, bottom)])


# ---------------------------------------------------------------- shapes

def rrect(x0, y0, x1, y1, r):
    def inside(x, y):
        if x < x0 or x > x1 or y < y0 or y > y1:
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def seg_dist(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    l2 = dx * dx + dy * dy
    t = 0 if l2 == 0 else max(0, min(1, ((px - ax) * dx + (py - ay) * dy) / l2))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def polyline(points, width):
    half = width / 2

    def inside(x, y):
        for i in range(len(points) - 1):
            if seg_dist(x, y, *points[i], *points[i + 1]) <= half:
                return True
        return False
    return inside


def arc(cx, cy, r, a0, a1, width):
    """Degrees, counter-clockwise from east, y pointing down on screen."""
    half = width / 2

    def inside(x, y):
        d = math.hypot(x - cx, y - cy)
        if abs(d - r) > half:
            return False
        a = math.degrees(math.atan2(cy - y, x - cx)) % 360
        lo, hi = a0 % 360, a1 % 360
        return lo <= a <= hi if lo <= hi else (a >= lo or a <= hi)
    return inside


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def minus(a, b):
    return lambda x, y: a(x, y) and not b(x, y)


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def outline(x0, y0, x1, y1, w, top=None):
    top = w if top is None else top
    return minus(rect(x0, y0, x1, y1), rect(x0 + w, y0 + top, x1 - w, y1 - w))


# ---------------------------------------------------------------- glyphs

def glyph(kind, ox, oy, s, weight=None):
    """Shape of a title button glyph in the s x s box at (ox, oy)."""
    w = weight if weight else max(1.5, s * 0.13)
    P = lambda fx, fy: (ox + fx * s, oy + fy * s)
    if kind == 'close':
        return union(polyline([P(.3, .3), P(.7, .7)], w), polyline([P(.7, .3), P(.3, .7)], w))
    if kind == 'minimize':
        return rect(*P(.28, .62), *P(.72, .62 + w / s))
    if kind == 'maximize':
        x0, y0 = P(.22, .24)
        x1, y1 = P(.78, .76)
        return outline(x0, y0, x1, y1, w * 0.7, w * 1.3)
    if kind == 'restore':
        a = outline(*P(.38, .22), *P(.76, .56), w * 0.6, w * 1.1)
        bx0, by0 = P(.24, .42)
        bx1, by1 = P(.62, .78)
        b = outline(bx0, by0, bx1, by1, w * 0.6, w * 1.1)
        return union(minus(a, rect(bx0, by0, bx1, by1)), b)
    if kind == 'help':
        cx, cy = P(.5, .38)
        r = s * 0.15
        hook = arc(cx, cy, r, -60, 180, w)
        stem = polyline([(cx + r * math.cos(math.radians(-60)), cy + r * math.sin(math.radians(60))),
                         P(.5, .58), P(.5, .62)], w)
        dot = circle(*P(.5, .76), w * 0.62)
        return union(hook, stem, dot)
    if kind == 'box':  # the control box: a small display, this program's trade
        screen = outline(*P(.22, .24), *P(.78, .64), w * 0.6)
        glass = rect(*P(.22, .24), *P(.78, .64))
        stand = union(rect(*P(.45, .64), *P(.55, .74)), rect(*P(.32, .72), *P(.68, .72 + w * 0.6 / s)))
        return union(screen, stand), glass
    raise ValueError(kind)


def check_mark(ox, oy, s, w):
    P = lambda fx, fy: (ox + fx * s, oy + fy * s)
    return polyline([P(.2, .5), P(.42, .74), P(.8, .24)], w)


def arrow(direction, ox, oy, s):
    P = lambda fx, fy: (ox + fx * s, oy + fy * s)
    tri = {'up': [P(.5, .32), P(.75, .66), P(.25, .66)],
           'down': [P(.25, .34), P(.75, .34), P(.5, .68)],
           'left': [P(.32, .5), P(.66, .25), P(.66, .75)],
           'right': [P(.34, .25), P(.68, .5), P(.34, .75)]}[direction]
    return triangle(*tri)


def triangle(a, b, c):
    def side(p, q, x, y):
        return (q[0] - p[0]) * (y - p[1]) - (q[1] - p[1]) * (x - p[0])

    def inside(x, y):
        d1, d2, d3 = side(a, b, x, y), side(b, c, x, y), side(c, a, x, y)
        return (d1 >= 0 and d2 >= 0 and d3 >= 0) or (d1 <= 0 and d2 <= 0 and d3 <= 0)
    return inside


GLYPH_ORDER = ['box', 'help', 'maximize', 'restore', 'minimize', 'close']


# ---------------------------------------------------------------- themes

class Theme:
    """Palette and drawing choices of one built-in style."""
    prefix = ''
    face = (231, 231, 231)        # form background: what opaque pictures sit on
    border = (127, 127, 127)
    accent = (57, 115, 196)
    title_h = 23
    button_key = False            # button corners see-through
    titlebtn_key = False          # title buttons see-through
    titlebtn_top = 0              # where the title buttons sit on the title bar

    def title_color(self, y):
        raise NotImplementedError

    # Button: rounded face, three states.
    def button_frame(self, w, h, state):
        raise NotImplementedError

    def titlebtn_frame(self, s, h, glyph_kind, state):
        raise NotImplementedError

    def box_colors(self, enabled):
        """Fill gradient stops, border colour, mark colour of check boxes."""
        raise NotImplementedError


def pill_button(w, h, r, keyed, bg, border, fill_at, inner_hi=None):
    img = Img(w, h, KEY if keyed else bg)
    img.paint(rrect(0, 0, w, h, r), const(border), keyed=keyed)
    img.paint(rrect(1, 1, w - 1, h - 1, r - 1), fill_at, keyed=keyed)
    if inner_hi:
        img.paint(minus(rrect(1, 1, w - 1, h - 1, r - 1), rrect(2, 2, w - 2, h - 1, r - 2)),
                  const(inner_hi))
    return img


class MacOS(Theme):
    prefix = 'MACOS'
    face = (231, 231, 231)
    border = (127, 127, 127)
    accent = (57, 115, 196)
    button_key = True
    titlebtn_top = 4

    def title_color(self, y):
        if y >= 22:
            return (150, 150, 150)
        base = stops_at([(0, (250, 250, 250)), (0.45, (226, 226, 226)), (1, (200, 200, 200))], y / 22)
        return lighten(base, 0.25) if int(y) % 2 == 0 else base  # pinstripes

    def button_frame(self, w, h, state):
        if state == 0:
            fill = glossy(1, h - 1, (252, 252, 252), (228, 228, 228), (212, 212, 212), (240, 240, 240))
            border = (128, 128, 128)
        elif state == 1:
            fill = glossy(1, h - 1, (240, 247, 255), (190, 214, 242), (160, 195, 236), (215, 236, 255))
            border = (70, 110, 170)
        else:
            fill = glossy(1, h - 1, (200, 220, 245), (95, 150, 220), (57, 115, 196), (130, 190, 245))
            border = (40, 80, 140)
        return pill_button(w, h, h / 2 - 0.5, True, None, border, fill, inner_hi=None)

    def titlebtn_frame(self, s, h, kind, state):
        img = Img(s, h)
        img.fill(lambda x, y: self.title_color(y + self.titlebtn_top))
        colors = {'close': (226, 68, 60), 'minimize': (235, 175, 40), 'maximize': (96, 190, 64),
                  'restore': (96, 190, 64), 'help': (70, 130, 210), 'box': (140, 140, 150)}
        base = (178, 178, 182) if state == 0 else colors[kind]
        if state == 2:
            base = darken(base, 0.3)
        r = s / 2 - 1.2
        cx = cy = s / 2
        img.paint(circle(cx, cy, r + 0.9), const(darken(base, 0.45)))
        img.paint(circle(cx, cy, r), glossy(cy - r, cy + r, lighten(base, 0.75), lighten(base, 0.2),
                                            base, lighten(base, 0.45)))
        ink = (70, 70, 70) if state == 0 else darken(base, 0.65)
        g = glyph(kind, 1.5, 1.5, s - 3, weight=1.6)
        if kind == 'box':
            frame, glass = g
            img.paint(glass, const(lighten(base, 0.8)))
            g = frame
        img.paint(g, const(ink))
        return img

    def box_colors(self, enabled):
        if enabled:
            return [(0, (255, 255, 255)), (0.5, (238, 238, 238)), (0.5001, (222, 222, 222)),
                    (1, (245, 245, 245))], (120, 120, 120), (30, 30, 30)
        return [(0, (246, 246, 246)), (1, (236, 236, 236))], (185, 185, 185), (160, 160, 160)


class WinXP(Theme):
    prefix = 'WINXP'
    face = (239, 235, 222)
    border = (0, 44, 200)
    accent = (49, 105, 198)
    title_h = 29
    titlebtn_top = 5

    def title_color(self, y):
        return stops_at([(0, (9, 98, 240)), (0.12, (60, 141, 255)), (0.3, (10, 100, 230)),
                         (0.85, (0, 80, 220)), (1, (0, 60, 190))], y / 28)

    def button_frame(self, w, h, state):
        fill = vgrad(1, h - 1, [(0, (255, 255, 255)), (0.85, (236, 235, 230)), (1, (214, 208, 197))])
        if state == 2:
            fill = vgrad(1, h - 1, [(0, (209, 204, 193)), (0.2, (226, 223, 214)), (1, (242, 241, 238))])
        img = pill_button(w, h, 3, False, self.face, (0, 60, 116), fill)
        if state == 1:  # the orange glow of a hot XP button
            ring = minus(rrect(1, 1, w - 1, h - 1, 2), rrect(3, 3, w - 3, h - 3, 1))
            img.paint(ring, vgrad(1, h - 1, [(0, (255, 240, 207)), (0.5, (253, 216, 137)),
                                             (1, (229, 151, 0))]))
        return img

    def titlebtn_frame(self, s, h, kind, state):
        img = Img(s, h)
        img.fill(lambda x, y: self.title_color(y + self.titlebtn_top))
        red = kind == 'close'
        top, bottom = ((232, 120, 90), (200, 60, 20)) if red else ((110, 160, 255), (30, 90, 230))
        if state == 1:
            top, bottom = lighten(top, 0.3), lighten(bottom, 0.25)
        elif state == 2:
            top, bottom = darken(bottom, 0.2), darken(top, 0.1)
        img.paint(rrect(0.5, 0.5, s - 0.5, h - 0.5, 3), const((255, 255, 255)))
        img.paint(rrect(1.5, 1.5, s - 1.5, h - 1.5, 2.5), vgrad(1, h - 1, [(0, top), (1, bottom)]))
        g = glyph(kind, 2, 2, s - 4, weight=2.2)
        if kind == 'box':
            frame, glass = g
            img.paint(glass, const((190, 215, 255)))
            g = frame
        img.paint(g, const((255, 255, 255)))
        return img

    def box_colors(self, enabled):
        if enabled:
            return [(0, (220, 220, 215)), (1, (255, 255, 255))], (28, 81, 128), (33, 161, 33)
        return [(0, (245, 244, 234)), (1, (245, 244, 234))], (202, 200, 187), (202, 200, 187)


class DeepBlue(Theme):
    prefix = 'DEEPBLUE'
    face = (232, 232, 232)
    border = (0, 0, 0)
    accent = (68, 74, 160)
    title_h = 32
    titlebtn_top = 2

    def title_color(self, y):
        if y < 1:
            return (90, 100, 190)
        return stops_at([(0, (52, 60, 150)), (0.45, (30, 36, 110)), (1, (12, 16, 62))], y / 31)

    # Buttons, title buttons and boxes are drawn from these colours; the
    # sample skin's Copper look shares the drawing with other colours.
    button_stops = {0: [(0, (250, 251, 255)), (0.5, (214, 220, 240)), (1, (178, 188, 222))],
                    1: [(0, (255, 255, 255)), (0.5, (225, 232, 255)), (1, (190, 204, 250))],
                    2: [(0, (160, 170, 210)), (0.5, (190, 198, 230)), (1, (220, 226, 246))]}
    button_edges = ((30, 36, 110), (68, 74, 160))  # normal and pressed; mouse over
    titlebtn_bases = {0: (60, 70, 160), 1: (96, 110, 215), 2: (24, 28, 90)}
    close_bases = ((200, 50, 50), (130, 25, 25))  # mouse over, pressed
    titlebtn_rim = (150, 160, 225)
    titlebtn_glass = (150, 180, 255)
    boxes_enabled = ([(0, (255, 255, 255)), (1, (214, 220, 240))], (30, 36, 110), (30, 36, 110))
    boxes_disabled = ([(0, (240, 240, 240)), (1, (232, 232, 232))], (170, 170, 180), (170, 170, 180))

    def button_frame(self, w, h, state):
        border = self.button_edges[1 if state == 1 else 0]
        return pill_button(w, h, 3, False, self.face, border, vgrad(1, h - 1, self.button_stops[state]))

    def titlebtn_frame(self, s, h, kind, state):
        img = Img(s, h)
        img.fill(lambda x, y: self.title_color(y + self.titlebtn_top))
        base = self.titlebtn_bases[state]
        if kind == 'close' and state:
            base = self.close_bases[state - 1]
        img.paint(rrect(0.5, 0.5, s - 0.5, h - 0.5, 2.5), const(self.titlebtn_rim))
        img.paint(rrect(1.5, 1.5, s - 1.5, h - 1.5, 2),
                  vgrad(1, h - 1, [(0, lighten(base, 0.35)), (0.5, base), (1, darken(base, 0.3))]))
        g = glyph(kind, 2, 2, s - 4, weight=2.0)
        if kind == 'box':
            frame, glass = g
            img.paint(glass, const(self.titlebtn_glass))
            g = frame
        img.paint(g, const((255, 255, 255)))
        return img

    def box_colors(self, enabled):
        return self.boxes_enabled if enabled else self.boxes_disabled


class Protein(Theme):
    prefix = 'PROTEIN'
    face = (251, 251, 251)
    border = (0, 0, 0)
    accent = (45, 48, 196)
    titlebtn_key = True
    titlebtn_top = 2

    def title_color(self, y):
        return stops_at([(0, (120, 124, 236)), (0.5, (70, 74, 214)), (1, (45, 48, 180))], y / 22)

    def button_frame(self, w, h, state):
        stops = {0: [(0, (255, 255, 255)), (1, (236, 237, 242))],
                 1: [(0, (255, 255, 255)), (1, (222, 226, 250))],
                 2: [(0, (222, 224, 236)), (1, (246, 246, 250))]}[state]
        border = {0: (168, 170, 180), 1: (45, 48, 196), 2: (110, 112, 130)}[state]
        return pill_button(w, h, 4, False, self.face, border, vgrad(1, h - 1, stops))

    def titlebtn_frame(self, s, h, kind, state):
        img = Img(s, h)
        base = {0: (255, 255, 255), 1: (232, 236, 255), 2: (190, 196, 245)}[state]
        ink = (45, 48, 196)
        if kind == 'close' and state:
            base, ink = ((255, 226, 226), (200, 30, 30)) if state == 1 else ((240, 170, 170), (150, 20, 20))
        img.paint(rrect(1, 1, s - 1, h - 1, 5), const((255, 255, 255)), keyed=True)
        img.paint(rrect(2, 2, s - 2, h - 2, 4), vgrad(2, h - 2, [(0, base), (1, darken(base, 0.1))]))
        g = glyph(kind, 2.5, 2.5, s - 5, weight=1.7)
        if kind == 'box':
            frame, glass = g
            img.paint(glass, const((200, 205, 250)))
            g = frame
        img.paint(g, const(ink))
        return img

    def box_colors(self, enabled):
        if enabled:
            return [(0, (255, 255, 255)), (1, (240, 241, 246))], (150, 152, 165), (45, 48, 196)
        return [(0, (250, 250, 250)), (1, (250, 250, 250))], (205, 205, 210), (190, 190, 200)


class BlueGlass(Theme):
    prefix = 'BLUEGLASS'
    face = (231, 231, 231)
    border = (0, 0, 0)
    accent = (94, 94, 236)
    title_h = 33
    button_key = True
    titlebtn_key = True
    titlebtn_top = 6

    def title_color(self, y):
        return glossy(0, 32, (150, 190, 250), (70, 120, 215), (30, 70, 175), (60, 120, 220))(0, y)

    def button_frame(self, w, h, state):
        hi, mh, ml, lo = {0: ((250, 253, 255), (200, 222, 250), (160, 196, 242), (215, 235, 255)),
                          1: ((245, 252, 255), (170, 215, 255), (110, 180, 250), (190, 235, 255)),
                          2: ((180, 205, 240), (110, 155, 225), (80, 125, 205), (140, 185, 240))}[state]
        border = (40, 70, 150) if state != 1 else (20, 90, 200)
        return pill_button(w, h, 7, True, None, border, glossy(1, h - 1, hi, mh, ml, lo))

    def titlebtn_frame(self, s, h, kind, state):
        img = Img(s, h)
        base = {0: (50, 95, 200), 1: (80, 150, 245), 2: (25, 55, 140)}[state]
        if kind == 'close':
            base = {0: (190, 60, 50), 1: (240, 90, 70), 2: (130, 30, 25)}[state]
        cx, cy, r = s / 2, h / 2, s / 2 - 0.6
        img.paint(circle(cx, cy, r), const(darken(base, 0.5)), keyed=True)
        img.paint(circle(cx, cy, r - 1), glossy(cy - r, cy + r, lighten(base, 0.7), lighten(base, 0.25),
                                                base, lighten(base, 0.35)))
        g = glyph(kind, 3, 3, s - 6, weight=1.8)
        if kind == 'box':
            frame, glass = g
            img.paint(glass, const(lighten(base, 0.6)))
            g = frame
        img.paint(g, const((255, 255, 255)))
        return img

    def box_colors(self, enabled):
        if enabled:
            return [(0, (255, 255, 255)), (0.5, (226, 238, 252)), (1, (196, 220, 248))], \
                (40, 70, 150), (20, 50, 140)
        return [(0, (240, 240, 240)), (1, (230, 230, 230))], (175, 180, 195), (175, 180, 195)


# ---------------------------------------------------------------- pictures

def strip(frames):
    w = sum(f.w for f in frames)
    out = Img(w, frames[0].h)
    x = 0
    for f in frames:
        out.blit(f, x)
        x += f.w
    return out


def pad_to(img, w, h, fill):
    """Frames that do not divide the strip evenly leave columns on the
    right; they are never shown, but get the background all the same."""
    if img.w == w and img.h == h:
        return img
    out = Img(w, h, fill)
    out.blit(img, 0)
    return out


def buttons(t, w, h):
    fw = w // 3
    frames = [t.button_frame(fw, h, s) for s in range(3)]
    return pad_to(strip(frames), w, h, KEY if t.button_key else t.face)


def title_buttons(t, w, h):
    s = w // 18
    frames = [t.titlebtn_frame(s, h, kind, state) for kind in GLYPH_ORDER for state in range(3)]
    return strip(frames)


def check_frames(t, w, h, radio, keyed):
    fw = w // 4
    frames = []
    for checked, enabled in ((True, True), (False, True), (True, False), (False, False)):
        f = Img(fw, h, KEY if keyed else t.face)
        stops, border, ink = t.box_colors(enabled)
        size = min(fw, h) - (2 if fw >= 15 else 0)
        ox, oy = (fw - size) / 2, (h - size) / 2
        if radio:
            cx, cy, r = fw / 2, h / 2, size / 2 - 0.2
            f.paint(circle(cx, cy, r), const(border), keyed=keyed)
            f.paint(circle(cx, cy, r - 1), vgrad(cy - r, cy + r, stops), keyed=keyed)
            if checked:
                f.paint(circle(cx, cy, r * 0.42), vgrad(cy - r / 2, cy + r / 2,
                                                        [(0, lighten(ink, 0.35)), (1, ink)]))
        else:
            rr = 2.5 if isinstance(t, MacOS) else (1.2 if not isinstance(t, WinXP) else 0.6)
            f.paint(rrect(ox, oy, ox + size, oy + size, rr), const(border))
            f.paint(rrect(ox + 1, oy + 1, ox + size - 1, oy + size - 1, max(0.3, rr - 1)),
                    vgrad(oy, oy + size, stops))
            if checked:
                f.paint(check_mark(ox + 1, oy + 1, size - 2, max(1.6, size * 0.15)), const(ink))
        frames.append(f)
    return pad_to(strip(frames), w, h, KEY if keyed else t.face)


def title_piece(t, w, h, side):
    img = Img(w, h)
    img.fill(lambda x, y: t.title_color(y))
    edge = darken(t.title_color(h / 2), 0.35)
    if side == 'left':
        img.fill(const(edge), 0, 0, 1, h)
        img.fill(lambda x, y: lighten(t.title_color(y), 0.25), 1, 1, 2, h)
    elif side == 'right':
        img.fill(const(edge), w - 1, 0, w, h)
    if not isinstance(t, MacOS):
        img.fill(lambda x, y: lighten(t.title_color(y), 0.35), 0 if side != 'left' else 1, 0, w, 1)
    if isinstance(t, Protein) and side == 'left' and w > 100:
        # A soft light swirl that fades into the plain bar.
        for y in range(h):
            for x in range(w):
                wave = math.sin(x / 38.0 + y / 9.0) * 0.5 + 0.5
                fade = max(0.0, 1 - x / (w * 0.9))
                img.set(x, y, lighten(img.get(x, y), 0.22 * wave * fade))
    if isinstance(t, BlueGlass) and w > 100:
        # Glass reflections: a pale slanted band.
        for y in range(h):
            for x in range(w):
                d = abs(((x + y * 0.8) % 140) - 70) / 70
                img.set(x, y, lighten(img.get(x, y), 0.08 * (1 - d)))
    if isinstance(t, MacOS):
        img.fill(const((150, 150, 150)), 0, h - 1, w, h)
    return img


def progress(t, w, h):
    img = Img(w, h, t.face)
    c = t.accent
    img.fill(vgrad(0, h, [(0, lighten(c, 0.6)), (0.5, lighten(c, 0.1)), (0.51, c), (1, lighten(c, 0.3))]))
    if w > 4:  # Mac barber-pole stripes
        for y in range(h):
            for x in range(w):
                if (x + y) % w < w // 2:
                    img.set(x, y, lighten(img.get(x, y), 0.2))
    return img


def groove(t, w, h):
    img = Img(w, h, t.face)
    img.fill(vgrad(0, h, [(0, darken(t.face, 0.3)), (1, lighten(t.face, 0.5))]))
    img.fill(const(darken(t.face, 0.4)), 0, 0, w, 1)
    return img


def slider(t, w, h, vertical):
    img = Img(w, h, t.face)
    hi = lighten(t.accent, 0.8)
    if vertical:
        shape = union(rrect(0.5, 0.5, w * 0.72, h - 0.5, 1.5),
                      triangle((w * 0.7, 0.5), (w - 0.5, h / 2), (w * 0.7, h - 0.5)))
        img.paint(shape, const(darken(t.accent, 0.3)))
        img.paint(union(rrect(1.5, 1.5, w * 0.72 - 1, h - 1.5, 1),
                        triangle((w * 0.7 - 1, 1.7), (w - 2, h / 2), (w * 0.7 - 1, h - 1.7))),
                  hgrad(0, w, [(0, hi), (1, t.accent)]))
    else:
        shape = union(rrect(0.5, 0.5, w - 0.5, h * 0.72, 1.5),
                      triangle((0.5, h * 0.7), (w - 0.5, h * 0.7), (w / 2, h - 0.5)))
        img.paint(shape, const(darken(t.accent, 0.3)))
        img.paint(union(rrect(1.5, 1.5, w - 1.5, h * 0.72 - 1, 1),
                        triangle((1.7, h * 0.7 - 1), (w - 1.7, h * 0.7 - 1), (w / 2, h - 2))),
                  vgrad(0, h, [(0, hi), (1, t.accent)]))
    return img


def arrow_buttons(t, w, h, directions, states=(0,)):
    n = len(directions) * len(states)
    fw = w // n
    frames = []
    for d in directions:
        for s in states:
            f = Img(fw, h, t.face)
            base = {0: lighten(t.accent, 0.75), 1: lighten(t.accent, 0.55), 2: lighten(t.accent, 0.3)}[s]
            f.paint(rrect(0.5, 0.5, fw - 0.5, h - 0.5, 2), const(darken(t.accent, 0.2)))
            f.paint(rrect(1.5, 1.5, fw - 1.5, h - 1.5, 1.5),
                    vgrad(0, h, [(0, lighten(base, 0.6)), (1, base)]))
            size = min(fw, h)
            f.paint(arrow(d, (fw - size) / 2, (h - size) / 2, size), const(darken(t.accent, 0.5)))
            frames.append(f)
    return pad_to(strip(frames), w, h, t.face)


def thumb(t, w, h):
    fw = w // 3
    whole = Img(fw * 3, h, t.face)
    whole.paint(rrect(0.5, 1.5, fw * 3 - 0.5, h - 1.5, (h - 3) / 2), const(darken(t.accent, 0.25)))
    whole.paint(rrect(1.5, 2.5, fw * 3 - 1.5, h - 2.5, (h - 5) / 2),
                vgrad(2, h - 2, [(0, lighten(t.accent, 0.7)), (0.5, lighten(t.accent, 0.2)),
                                 (0.51, t.accent), (1, lighten(t.accent, 0.4))]))
    return pad_to(whole, w, h, t.face)


def tab(t, w, h):
    fw = w // 3
    whole = Img(fw * 3, h, t.face)
    whole.paint(rrect(0.5, 0.5, fw * 3 - 0.5, h + 4, min(4, fw - 1)), const(darken(t.face, 0.45)))
    whole.paint(rrect(1.5, 1.5, fw * 3 - 1.5, h + 4, min(3, fw - 2)),
                vgrad(0, h, [(0, (255, 255, 255)), (1, t.face)]))
    return pad_to(whole, w, h, t.face)


def tab_line(t, w, h):
    img = Img(w, h, t.face)
    img.fill(const(darken(t.face, 0.45)), 0, 0, w, 1)
    if h > 1:
        img.fill(vgrad(1, h, [(0, (255, 255, 255)), (1, t.face)]), 0, 1, w, h)
    return img


def side_handle(t, w, h):
    img = Img(w, h, t.face)
    img.paint(rrect(0.5, 0.5, w - 0.5, h - 0.5, w / 2 - 0.5), const(darken(t.accent, 0.2)))
    img.paint(rrect(1.5, 1.5, w - 1.5, h - 1.5, w / 2 - 1.5),
              hgrad(0, w, [(0, lighten(t.accent, 0.75)), (1, lighten(t.accent, 0.25))]))
    for k in range(-2, 3):
        y = h / 2 + k * 4
        img.paint(circle(w / 2, y, 1.1), const(darken(t.accent, 0.4)))
    return img


def side_bar(t, w, h):
    img = Img(w, h)
    img.fill(vgrad(0, h, [(0, lighten(t.face, 0.6)), (1, darken(t.face, 0.1))]))
    return img


def form_background(kind):
    img = Img(8, 8)
    if kind == 'MACOS':  # the Aqua pinstripe
        img.fill(lambda x, y: (238, 238, 238) if int(y) % 2 == 0 else (226, 226, 226))
    else:  # a faint dot pattern on the near-white Protein face
        img.fill(const((251, 251, 251)))
        img.set(1, 1, (240, 241, 247))
        img.set(5, 5, (240, 241, 247))
    return img


def mac_menu_bar():
    img = Img(1, 22)
    img.fill(lambda x, y: (160, 160, 160) if y >= 21 else
             stops_at([(0, (255, 255, 255)), (0.5, (240, 240, 240)), (0.51, (229, 229, 229)),
                       (1, (246, 246, 246))], y / 21))
    return img


def mac_menu_select():
    img = Img(1, 21)
    img.fill(vgrad(0, 21, [(0, (110, 160, 230)), (0.5, (70, 128, 210)), (0.51, (57, 115, 196)),
                           (1, (80, 145, 225))]))
    return img


def menu_checked():
    img = Img(16, 16, (255, 255, 255))
    img.paint(check_mark(3, 3, 10, 2.2), const((0, 0, 0)), hard=True)
    return img


def scroll_more():
    class Neutral(Theme):
        face = (236, 238, 242)
        accent = (110, 125, 160)
    return arrow_buttons(Neutral(), 72, 17, ['left', 'right', 'up', 'down'])


THEMES = [MacOS(), WinXP(), DeepBlue(), Protein(), BlueGlass()]


def draw(name, w, h, frames):
    """The picture of catalogue entry name at w x h."""
    if name == 'MACOS_MENU_BAR':
        return mac_menu_bar()
    if name == 'MACOS_MENU_SELECT':
        return mac_menu_select()
    if name.endswith('_FORM_BACKGROUND'):
        return form_background(name.split('_')[0])
    if name == 'MENU_CHECKED':
        return menu_checked()
    if name == 'MORE_SCROLLBUTTON':
        return scroll_more()
    t = next(th for th in THEMES if name.startswith(th.prefix + '_'))
    part = name[len(t.prefix) + 1:]
    if part == 'BUTTON':
        return buttons(t, w, h)
    if part == 'CHECKBOX':
        return check_frames(t, w, h, radio=False, keyed=False)
    if part == 'RADIOBUTTON':
        return check_frames(t, w, h, radio=True, keyed=True)
    if part == 'CHECKLIST':
        return check_frames(t, w, h, radio=False, keyed=False)
    if part == 'TITLEBTN':
        return title_buttons(t, w, h)
    if part.startswith('TITLE_'):
        return title_piece(t, w, h, part[6:].lower())
    if part == 'PROGRESSBAR':
        return progress(t, w, h)
    if part == 'TRACKBAR_BAR':
        return groove(t, w, h)
    if part == 'TRACKBAR_SLIDER':
        return slider(t, w, h, vertical=False)
    if part == 'TRACKBAR_SLIDER_V':
        return slider(t, w, h, vertical=True)
    if part == 'SCROLLBAR_BUTTON':
        return arrow_buttons(t, w, h, ['up', 'down'], states=(0, 1, 2))
    if part == 'SCROLLBAR_TRACK':
        return thumb(t, w, h)
    if part == 'SCROLLBUTTON':
        return arrow_buttons(t, w, h, ['left', 'right', 'up', 'down'])
    if part == 'TAB':
        return tab(t, w, h)
    if part == 'TAB_LINE':
        return tab_line(t, w, h)
    if part == 'SIDECHENNEL_HANDLE':
        return side_handle(t, w, h)
    if part == 'SIDECHENNEL_BAR':
        return side_bar(t, w, h)
    raise ValueError(name)


# ---------------------------------------------------------------- the sample skin file

class Copper(DeepBlue):
    """The look of the sample skin file (resources/skins/Copper.skin): warm
    copper, with pictures for the side and bottom borders, which only skin
    files can have. Drawn like DeepBlue, in its own colours."""
    prefix = 'COPPER'
    face = (236, 228, 216)
    border = (96, 56, 24)
    accent = (200, 110, 40)
    title_h = 26
    titlebtn_top = 6
    button_stops = {0: [(0, (255, 250, 242)), (0.5, (240, 222, 200)), (1, (222, 196, 166))],
                    1: [(0, (255, 252, 246)), (0.5, (250, 228, 196)), (1, (240, 190, 140))],
                    2: [(0, (214, 180, 140)), (0.5, (232, 206, 176)), (1, (246, 232, 214))]}
    button_edges = ((96, 56, 24), (200, 110, 40))
    titlebtn_bases = {0: (150, 80, 30), 1: (214, 130, 60), 2: (96, 48, 16)}
    close_bases = ((200, 50, 30), (130, 25, 15))
    titlebtn_rim = (250, 214, 170)
    titlebtn_glass = (250, 214, 170)
    boxes_enabled = ([(0, (255, 255, 255)), (1, (240, 224, 204))], (96, 56, 24), (170, 80, 20))
    boxes_disabled = ([(0, (244, 240, 234)), (1, (236, 230, 222))], (190, 176, 160), (190, 176, 160))

    def title_color(self, y):
        return stops_at([(0, (226, 150, 84)), (0.15, (200, 116, 52)), (0.6, (160, 84, 32)),
                         (1, (112, 56, 20))], y / (self.title_h - 1))


COPPER_SIDE = 6          # width of the side border pictures
COPPER_BOTTOM = 6        # height of the bottom border picture


def copper_side(t, w, h):
    """The left border: dark outer edge, copper towards the window's inside.
    The frame turns it round for the right border."""
    img = Img(w, h)
    img.fill(hgrad(0, w, [(0, (70, 34, 10)), (0.25, (150, 80, 30)), (0.7, (200, 120, 56)),
                         (1, (120, 62, 22))]))
    img.fill(const((70, 34, 10)), 0, 0, 1, h)
    return img


def copper_bottom(t, h):
    """Three frames: bottom-left corner, the edge (stretched), bottom-right corner."""
    frames = []
    for part in ('left', 'middle', 'right'):
        f = Img(h, h)
        f.fill(vgrad(0, h, [(0, (120, 62, 22)), (0.3, (200, 120, 56)), (0.75, (150, 80, 30)),
                           (1, (70, 34, 10))]))
        f.fill(const((70, 34, 10)), 0, h - 1, h, h)
        if part == 'left':
            f.fill(const((70, 34, 10)), 0, 0, 1, h)
        if part == 'right':
            f.fill(const((70, 34, 10)), h - 1, 0, h, h)
        frames.append(f)
    return strip(frames)


def rgb(c):
    return '%d,%d,%d' % c


def write_sample_skin(folder):
    """Pictures and entries.txt of the sample skin, for `skinfile pack`:
    all 48 elements, sized like the DeepBlue pictures where the catalogue
    gives no other size."""
    t = Copper()
    os.makedirs(folder, exist_ok=True)
    pictures = [
        ('ButtonImage', buttons(t, 222, 21)),
        ('CheckBoxImage', check_frames(t, 52, 13, radio=False, keyed=False)),
        ('RadioButtonImage', check_frames(t, 52, 13, radio=True, keyed=True)),
        ('TitleBarButtonImage', title_buttons(t, 17 * 18, 17)),
        ('TitleBarLeftImage', title_piece(t, 60, t.title_h, 'left')),
        ('TitleBarClientImage', title_piece(t, 20, t.title_h, 'client')),
        ('TitleBarRightImage', title_piece(t, 60, t.title_h, 'right')),
        ('ProgressBarImage', progress(t, 6, 10)),
        ('TrackBarBarImage', groove(t, 45, 4)),
        ('TrackBarSliderImage', slider(t, 11, 20, vertical=False)),
        ('TrackBarSliderVImage', slider(t, 18, 11, vertical=True)),
        ('ScrollBarButtonImage', arrow_buttons(t, 96, 16, ['up', 'down'], states=(0, 1, 2))),
        ('ScrollBarSliderImage', thumb(t, 21, 16)),
        ('CheckListBoxImage', check_frames(t, 44, 11, radio=False, keyed=False)),
        ('ScrollButtonImage', arrow_buttons(t, 72, 17, ['left', 'right', 'up', 'down'])),
        ('TabControlTabImage', tab(t, 18, 17)),
        ('TabControlBarImage', tab_line(t, 10, 5)),
        ('SideChannelHandleImage', side_handle(t, 8, 83)),
        ('SideChannelBarImage', side_bar(t, 1, 21)),
        ('FormLeftBorderImage', copper_side(t, COPPER_SIDE, 32)),
        ('FormBottomBorderImage', copper_bottom(t, COPPER_BOTTOM)),
    ]
    lines = ['# The sample skin "Copper", drawn by tools/artwork/make_artwork.py --skin.']
    for name, img in pictures:
        write_bmp(os.path.join(folder, name + '.bmp'), img)
        lines.append('%s picture %s.bmp' % (name, name))
    # TitleBarMinimizedImage (43) is read by no control; the file has none.
    lines += [
        'ButtonTransparentBool bool false',
        'TitleBarButtonTransparentBool bool false',
        'TitleBarButtonLeftOffsetInt int 4',
        'TitleBarButtonRightOffsetInt int -4',
        'TitleBarButtonTopInt int %d' % t.titlebtn_top,
        'FormMinWidthInt int 130',
        'FormRoundCornerInt int 0',
        'FormBackgroundColor color ' + rgb(t.face),
        'FormBorderColor color ' + rgb(t.border),
        'FormBorderWidthInt int 1',
        'MenuSelectedBorderColor color ' + rgb((150, 80, 30)),
        'MenuSelectedBackgroundColor color ' + rgb(t.accent),
        'MenuSelectedFontColor color 255,255,255',
        'MenuBackgroundColor color 252,248,242',
        'MenuFontColor color 60,30,8',
        'MenuBarColor color ' + rgb((226, 212, 194)),
        'ControlBorderColor color ' + rgb(t.border),
        'ControlBackgroundColor color ' + rgb(t.face),
        'ControlFontColor color 96,48,16',
        'ScrollBarBackgroundColor color 244,238,230',
        'ToolBarButtonBorderColor color ' + rgb(t.border),
        'ToolBarButtonBackgroundColor color 246,238,228',
        'ToolBarButtonDownBackgroundColor color 226,208,186',
        'TitleBarFontColor color 255,255,255',
        'FormBottomRoundCornerInt int 0',
        'MenuMenuBarColor color ' + rgb((226, 212, 194)),
    ]
    with open(os.path.join(folder, 'entries.txt'), 'w', newline='\n') as f:
        f.write('\n'.join(lines) + '\n')
    print('sample skin pictures written to %s' % folder)


# ---------------------------------------------------------------- catalogue

def read_catalogue(root):
    """The BuiltInBitmaps table of skin/SkinThemeTables.cpp: one source of
    names and sizes for the program, its tests and these pictures."""
    import re
    text = open(os.path.join(root, 'skin', 'SkinThemeTables.cpp')).read()
    body = text[text.index('BuiltInBitmaps[] = {'):]
    body = body[:body.index('};')]
    return [(m.group(1), int(m.group(2)), int(m.group(3)), int(m.group(4)))
            for m in re.finditer(r'\{"(\w+)", (\d+), (\d+), (\d+)\}', body)]


# ---------------------------------------------------------------- files

def write_bmp(path, img):
    stride = (img.w * 3 + 3) & ~3
    rows = []
    for y in range(img.h - 1, -1, -1):
        row = bytearray()
        for x in range(img.w):
            r, g, b = img.get(x, y)
            row += bytes((b, g, r))
        row += b'\0' * (stride - img.w * 3)
        rows.append(bytes(row))
    pixels = b''.join(rows)
    header = struct.pack('<2sIHHI', b'BM', 54 + len(pixels), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, img.w, img.h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + pixels)


def write_png(path, img):
    raw = b''.join(b'\0' + bytes(v for x in range(img.w) for v in img.get(x, y)) for y in range(img.h))

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', img.w, img.h, 8, 2, 0, 0, 0)) \
        + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b'')
    with open(path, 'wb') as f:
        f.write(png)


def bmp_bytes(img, bits):
    """A bitmap file image, bottom-up: 32 bits per pixel, or 8 with a palette
    of the picture's own colours (at most 256)."""
    rows = []
    if bits == 32:
        for y in range(img.h - 1, -1, -1):
            rows.append(b''.join(bytes((b, g, r, 0)) for r, g, b in
                                 (img.get(x, y) for x in range(img.w))))
        palette = b''
    else:
        colours = sorted(set(img.px))
        if len(colours) > 256:
            sys.exit('a picture of %d colours does not fit 8 bits' % len(colours))
        index = {c: i for i, c in enumerate(colours)}
        palette = b''.join(bytes((b, g, r, 0)) for r, g, b in colours)
        palette += b'\0' * (1024 - len(palette))
        stride = (img.w + 3) & ~3
        for y in range(img.h - 1, -1, -1):
            row = bytes(index[img.get(x, y)] for x in range(img.w))
            rows.append(row + b'\0' * (stride - img.w))
    pixels = b''.join(rows)
    offset = 54 + len(palette)
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, img.w, img.h, 1, bits, 0, len(pixels), 2835, 2835,
                       256 if bits == 8 else 0, 0)
    return header + info + palette + pixels


# ---------------------------------------------------------------- the main window's title bar

# (ButtonType, Transparent, Visible, glyph) in the frame's button order.
FORM_BUTTONS = [('skControlBox', False, True, 'box'), ('skClose', True, True, 'close'),
                ('skMax', False, False, 'maximize'), ('skMin', True, True, 'minimize')]
# (AutoSize, Width, Align, Stretch, side, picture width) in the frame's section order.
FORM_SECTIONS = [(True, 48, 'skLeft', False, 'left', 48), (True, 48, 'skRight', False, 'right', 48),
                 (False, 10, 'skClient', True, 'client', 49)]
FORM_BUTTON_SIZE = 17
FORM_SECTION_HEIGHT = 23


def picture_data(data, indent):
    """{ hex } over lines of 32 bytes, as the form description stores pictures."""
    pad = ' ' * indent
    lines = [pad + data[i:i + 32].hex().upper() for i in range(0, len(data), 32)]
    return '{\n' + '\n'.join(lines) + '}'


def form_collections(indent):
    """The TitleBarButtons and TitleBarSections collections of the frame."""
    mac = MacOS()
    pad, item, prop = ' ' * indent, ' ' * (indent + 2), ' ' * (indent + 4)
    out = [pad + 'TitleBarButtons = <']
    for kind, transparent, visible, glyph_kind in FORM_BUTTONS:
        out += [item + 'item', prop + 'UIStyle = MacOS', prop + 'ButtonType = ' + kind,
                prop + 'Transparent = ' + str(transparent), prop + 'Top = 4',
                prop + 'Visible = ' + str(visible)]
        for name, state in (('PicNormal', 0), ('PicMouseOn', 1), ('PicMouseDown', 2)):
            img = mac.titlebtn_frame(FORM_BUTTON_SIZE, FORM_BUTTON_SIZE, glyph_kind, state)
            out.append(prop + name + ' = ' + picture_data(bmp_bytes(img, 32), indent + 6))
        out.append(item + 'end')
    out[-1] += '>'
    out.append(pad + 'TitleBarSections = <')
    for auto, width, align, stretch, side, picture_w in FORM_SECTIONS:
        img = title_piece(mac, picture_w, FORM_SECTION_HEIGHT, side)
        out += [item + 'item', prop + 'AutoSize = ' + str(auto), prop + 'Width = %d' % width,
                prop + 'Align = ' + align,
                prop + 'Picture = ' + picture_data(bmp_bytes(img, 8), indent + 6),
                prop + 'Stretch = ' + str(stretch), item + 'end']
    out[-1] += '>'
    return out


def write_form_pictures(path):
    """Replaces the frame's two collections in the form description with the
    ones drawn here; everything else in the description stays as it is."""
    lines = open(path).read().split('\n')
    start = next(i for i, l in enumerate(lines) if l.strip() == 'TitleBarButtons = <')
    end = next(i for i in range(start, len(lines)) if lines[i].strip().startswith('TitleBarSections')
               and lines[i].rstrip().endswith('<'))
    while not lines[end].rstrip().endswith('end>'):
        end += 1
    indent = len(lines[start]) - len(lines[start].lstrip())
    lines[start:end + 1] = form_collections(indent)
    with open(path, 'w', newline='\n') as f:
        f.write('\n'.join(lines))


def contact_sheet(pictures, path, scale=3):
    """Pictures enlarged on a neutral grey, grouped by theme, each with its
    name underneath (labels need ImageMagick's convert)."""
    bg, margin, label_h, gap = (150, 150, 150), 16, 18, 14
    groups = [('MacOS', 'MACOS_'), ('WinXP', 'WINXP_'), ('DeepBlue', 'DEEPBLUE_'),
              ('Protein', 'PROTEIN_'), ('BlueGlass', 'BLUEGLASS_'), ('Shared', '')]
    width = 1500
    placed, labels = [], []
    y = margin
    used = set()
    for title, prefix in groups:
        members = [p for p in pictures if p[0] not in used and (p[0].startswith(prefix) if prefix else True)]
        if not members:
            continue
        labels.append((margin, y + 16, title, 20))
        y += 28
        x, row_h = margin, 0
        for name, img in members:
            used.add(name)
            w, h = img.w * scale, img.h * scale
            cell_w = max(w, len(name) * 7 + 4)
            if x + cell_w > width - margin and x > margin:
                x, y = margin, y + row_h + label_h + gap
                row_h = 0
            placed.append((x, y, img))
            labels.append((x, y + h + 13, name, 11))
            x += cell_w + gap
            row_h = max(row_h, h)
        y += row_h + label_h + gap + 10
    sheet = Img(width, y + margin, bg)
    for x0, y0, img in placed:
        for yy in range(img.h * scale):
            for xx in range(img.w * scale):
                sheet.px[(y0 + yy) * width + x0 + xx] = img.get(xx // scale, yy // scale)
    write_png(path, sheet)
    convert = shutil.which('convert')
    if convert:
        cmd = [convert, path, '-fill', 'black', '-font', 'Helvetica']
        for x0, y0, text, size in labels:
            cmd += ['-pointsize', str(size), '-annotate', '+%d+%d' % (x0, y0), text]
        cmd.append(path)
        subprocess.run(cmd, check=True)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    root = os.path.normpath(os.path.join(here, '..', '..'))
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('--out', default=os.path.join(root, 'resources'))
    parser.add_argument('--sheet', default=os.path.join(root, 'docs', 'artwork.png'))
    parser.add_argument('--no-sheet', action='store_true')
    parser.add_argument('--form', default=os.path.join(root, 'resources', 'Unit1.form'))
    parser.add_argument('--skin', metavar='DIR',
                        help='only write the sample skin\'s pictures and entries.txt to DIR')
    args = parser.parse_args()
    if args.skin:
        write_sample_skin(args.skin)
        return

    catalogue = read_catalogue(root)
    themes_dir = os.path.join(args.out, 'themes')
    os.makedirs(themes_dir, exist_ok=True)
    pictures = []
    rc = ['// Theme pictures, drawn by tools/artwork/make_artwork.py; do not edit by hand.']
    for name, w, h, frames in catalogue:
        img = draw(name, w, h, frames)
        if (img.w, img.h) != (w, h):
            sys.exit('%s came out %dx%d, not %dx%d' % (name, img.w, img.h, w, h))
        write_bmp(os.path.join(themes_dir, name + '.bmp'), img)
        rc.append('%s BITMAP "themes/%s.bmp"' % (name, name))
        pictures.append((name, img))
    with open(os.path.join(args.out, 'themes.rc'), 'w', newline='\n') as f:
        f.write('\n'.join(rc) + '\n')
    if not args.no_sheet:
        os.makedirs(os.path.dirname(args.sheet), exist_ok=True)
        contact_sheet(pictures, args.sheet)
    print('%d pictures written to %s' % (len(pictures), themes_dir))
    write_form_pictures(args.form)
    print('title bar pictures written to %s' % args.form)


if __name__ == '__main__':
    main()
