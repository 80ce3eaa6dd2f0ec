#!/usr/bin/env python3
"""Draw the little platform-game still used by Varn's House.

The picture is a boss stage: a small knight on a rope bridge over lava,
facing a big horned ogre across the planks, with a status line on top.
Everything is drawn from code (no image libraries) and written out as a
176 x 111, 24-bit, bottom-up Windows BMP.

Usage: python3 generate.py OUTPUT.bmp
"""

import math
import struct
import sys

WIDTH, HEIGHT = 176, 111
FILE_SIZE = 14 + 40 + WIDTH * 3 * HEIGHT  # 58,662 bytes, rows need no padding

# --------------------------------------------------------------------------
# Palette: a small set of colours shared by every element of the scene.
# --------------------------------------------------------------------------
PAL = {
    "black": (10, 8, 18),
    "white": (244, 240, 232),
    "gold": (250, 204, 72),
    "gold_d": (196, 132, 36),
    "bar_line": (64, 56, 92),

    "mortar": (22, 18, 34),
    "brick": (48, 42, 72),
    "brick_l": (64, 57, 92),
    "brick_d": (36, 31, 56),
    "brick_w": (78, 46, 58),      # bricks warmed by torch or lava light
    "brick_wl": (104, 60, 62),

    "stone": (104, 98, 128),
    "stone_l": (140, 134, 162),
    "stone_d": (68, 62, 90),

    "flame_y": (255, 238, 140),
    "flame_o": (250, 150, 44),
    "flame_r": (210, 64, 32),
    "iron": (78, 78, 92),
    "iron_l": (128, 128, 144),

    "lava_d": (120, 24, 22),
    "lava": (200, 56, 24),
    "lava_o": (246, 128, 30),
    "lava_y": (255, 216, 96),

    "wood_d": (84, 46, 26),
    "wood": (148, 92, 44),
    "wood_l": (196, 138, 70),
    "rope": (214, 184, 124),
    "rope_d": (150, 118, 70),

    "outline": (18, 12, 22),
    "skin": (250, 204, 160),
    "skin_d": (208, 148, 112),
    "steel": (196, 206, 224),
    "steel_d": (112, 124, 152),
    "plume": (226, 58, 70),
    "tunic": (52, 164, 168),
    "tunic_d": (28, 104, 118),
    "belt": (110, 62, 34),
    "boot": (92, 52, 40),

    "ogre": (112, 150, 72),
    "ogre_l": (160, 196, 96),
    "ogre_d": (62, 96, 48),
    "belly": (214, 190, 128),
    "belly_d": (170, 140, 90),
    "horn": (236, 226, 196),
    "horn_d": (176, 156, 120),
    "eye": (255, 236, 80),
    "mouth": (96, 20, 30),
    "cloth": (122, 52, 96),
    "cloth_d": (82, 32, 66),
    "club": (120, 74, 40),
    "club_l": (168, 112, 60),
    "club_d": (76, 44, 26),
}

canvas = [[PAL["black"] for _ in range(WIDTH)] for _ in range(HEIGHT)]


def put(x, y, colour):
    if 0 <= x < WIDTH and 0 <= y < HEIGHT:
        canvas[y][x] = PAL[colour] if isinstance(colour, str) else colour


def rect(x0, y0, x1, y1, colour):
    """Fill the inclusive rectangle (x0, y0)-(x1, y1)."""
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            put(x, y, colour)


def noise(x, y, seed=0):
    """Cheap deterministic hash in [0, 1) used for small variations."""
    n = (x * 374761393 + y * 668265263 + seed * 2147483647) & 0xFFFFFFFF
    n = ((n ^ (n >> 13)) * 1274126177) & 0xFFFFFFFF
    return (n ^ (n >> 16)) / 4294967296.0


# --------------------------------------------------------------------------
# Shapes as pixel sets, so sprites can be outlined and shaded as a whole.
# --------------------------------------------------------------------------
def ellipse(cx, cy, rx, ry):
    pts = set()
    for y in range(int(cy - ry) - 1, int(cy + ry) + 2):
        for x in range(int(cx - rx) - 1, int(cx + rx) + 2):
            if ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0:
                pts.add((x, y))
    return pts


def capsule(points, radii):
    """Thick stroke through `points`, its radius blending along `radii`."""
    pts = set()
    for (x0, y0), (x1, y1), r0, r1 in zip(points, points[1:], radii, radii[1:]):
        steps = max(1, int(math.hypot(x1 - x0, y1 - y0) * 3))
        for i in range(steps + 1):
            t = i / steps
            cx, cy = x0 + (x1 - x0) * t, y0 + (y1 - y0) * t
            r = r0 + (r1 - r0) * t
            for y in range(int(cy - r) - 1, int(cy + r) + 2):
                for x in range(int(cx - r) - 1, int(cx + r) + 2):
                    if (x - cx) ** 2 + (y - cy) ** 2 <= r * r + 0.3:
                        pts.add((x, y))
    return pts


def polygon(verts):
    pts = set()
    ys = [v[1] for v in verts]
    for y in range(int(min(ys)), int(max(ys)) + 1):
        xs = []
        for (x0, y0), (x1, y1) in zip(verts, verts[1:] + verts[:1]):
            if (y0 <= y + 0.5 < y1) or (y1 <= y + 0.5 < y0):
                xs.append(x0 + (y + 0.5 - y0) * (x1 - x0) / (y1 - y0))
        xs.sort()
        for a, b in zip(xs[::2], xs[1::2]):
            for x in range(int(math.ceil(a - 0.5)), int(math.floor(b - 0.5)) + 1):
                pts.add((x, y))
    return pts


class Sprite:
    """A layer of pixels drawn part by part, then outlined as one figure.

    Each part is shaded with a simple bevel: light along its upper-left
    edge and dark along its lower-right edge, as if lit from the top left.
    Where a part sits on top of an earlier one its border is inked, which
    keeps arms, heads and weapons readable against the body behind them.
    """

    def __init__(self):
        self.px = {}

    def part(self, pts, mid, light=None, dark=None, lw=1, dw=2, ink=True):
        for (x, y) in pts:
            colour = mid
            if dark and any((x + k, y + k) not in pts for k in range(1, dw + 1)):
                colour = dark
            if light and any((x - k, y - k) not in pts for k in range(1, lw + 1)):
                colour = light
            self.px[(x, y)] = colour
        if ink:
            for (x, y) in pts:
                for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                    n = (x + dx, y + dy)
                    if n not in pts and n in self.px and self.px[n] != "outline":
                        self.px[(x, y)] = "outline"
                        break

    def pixels(self, pts, colour):
        for p in pts:
            self.px[p] = colour

    def stamp(self, outline=True):
        if outline:
            for (x, y) in list(self.px):
                for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                    n = (x + dx, y + dy)
                    if n not in self.px:
                        put(n[0], n[1], "outline")
        for (x, y), colour in self.px.items():
            put(x, y, colour)


def blit(rows, key, ox, oy):
    """Copy a character-map sprite onto a Sprite layer ('.' is empty)."""
    layer = Sprite()
    for j, row in enumerate(rows):
        for i, ch in enumerate(row):
            if ch != ".":
                layer.px[(ox + i, oy + j)] = key[ch]
    return layer


# --------------------------------------------------------------------------
# Tiny 3 x 5 pixel font for the status line.
# --------------------------------------------------------------------------
FONT = {
    "0": ["111", "101", "101", "101", "111"],
    "1": ["010", "110", "010", "010", "111"],
    "2": ["111", "001", "111", "100", "111"],
    "3": ["111", "001", "011", "001", "111"],
    "4": ["101", "101", "111", "001", "001"],
    "5": ["111", "100", "111", "001", "111"],
    "6": ["111", "100", "111", "101", "111"],
    "7": ["111", "001", "001", "010", "010"],
    "8": ["111", "101", "111", "101", "111"],
    "9": ["111", "101", "111", "001", "111"],
    "S": ["011", "100", "010", "001", "110"],
    "C": ["011", "100", "100", "100", "011"],
    "O": ["010", "101", "101", "101", "010"],
    "R": ["110", "101", "110", "101", "101"],
    "E": ["111", "100", "110", "100", "111"],
    "T": ["111", "010", "010", "010", "010"],
    "I": ["111", "010", "010", "010", "111"],
    "M": ["101", "111", "111", "101", "101"],
    "W": ["101", "101", "111", "111", "101"],
    "L": ["100", "100", "100", "100", "111"],
    "D": ["110", "101", "101", "101", "110"],
    "x": ["000", "101", "010", "101", "000"],
    "-": ["000", "000", "111", "000", "000"],
    " ": ["000", "000", "000", "000", "000"],
}


def text(x, y, string, colour="white"):
    for ch in string:
        for j, row in enumerate(FONT[ch]):
            for i, bit in enumerate(row):
                if bit == "1":
                    put(x + i, y + j, colour)
        x += 4
    return x


# --------------------------------------------------------------------------
# Scene layout
# --------------------------------------------------------------------------
BAR_H = 11         # status line rows 0..10
BRIDGE_Y = 80      # top surface of the planks; feet stand on row 79
LEDGE_L = 15       # left stone ledge covers x 0..15
LEDGE_R = 161      # right stone ledge covers x 161..175
LAVA_Y = 95
TORCHES = [(20, 40), (62, 40)]


def warmth(x, y):
    """How much torch or lava light a wall pixel catches (0..1)."""
    w = 0.0
    for tx, ty in TORCHES:
        d = math.hypot(x - tx, (y - ty) * 1.2)
        w = max(w, 1.0 - d / 16.0)
    w = max(w, (y - 78) / 16.0)
    return w


def draw_wall():
    for y in range(BAR_H, HEIGHT):
        row = (y - BAR_H) // 5
        offset = 5 if row % 2 else 0
        for x in range(WIDTH):
            bx, by = (x + offset) % 10, (y - BAR_H) % 5
            if by == 4 or bx == 9:
                put(x, y, "mortar")
                continue
            brick_id = ((x + offset) // 10, row)
            warm = warmth(x, y) + noise(*brick_id, seed=3) * 0.25 > 0.55
            if warm:
                colour = "brick_wl" if by == 0 else "brick_w"
            elif by == 0 or bx == 0:
                colour = "brick_l"
            elif by == 3 or bx == 8:
                colour = "brick_d"
            else:
                colour = "brick"
            # A few bricks are darker, chipped or stained.
            if not warm and noise(*brick_id, seed=7) < 0.18 and colour == "brick":
                colour = "brick_d"
            put(x, y, colour)


def draw_ceiling():
    # Heavy stone lintel under the status line, with a row of teeth.
    rect(0, BAR_H, WIDTH - 1, BAR_H + 4, "stone_d")
    for x in range(WIDTH):
        if x % 12 == 11:
            put(x, BAR_H + 1, "mortar")
            put(x, BAR_H + 2, "mortar")
            put(x, BAR_H + 3, "mortar")
        elif x % 12 in (0, 1):
            put(x, BAR_H, "stone")
    rect(0, BAR_H + 4, WIDTH - 1, BAR_H + 4, "mortar")
    for x in range(2, WIDTH, 12):
        rect(x + 2, BAR_H + 5, x + 6, BAR_H + 6, "stone_d")
        rect(x + 3, BAR_H + 7, x + 5, BAR_H + 7, "stone_d")
        put(x + 4, BAR_H + 8, "stone_d")
        put(x + 2, BAR_H + 5, "stone")


def draw_window(cx, top):
    """Narrow barred arch in the wall, glowing faintly with lava light."""
    for y in range(top, top + 22):
        for x in range(cx - 5, cx + 6):
            dx = abs(x - cx)
            if y < top + 5 and (dx * dx + (top + 5 - y) ** 2 * 1.3) > 26:
                continue
            edge = dx == 5 or (y < top + 5 and dx * dx + (top + 5 - y) ** 2 * 1.3 > 14)
            put(x, y, "stone" if edge else ("lava_d" if y > top + 15 else "black"))
    rect(cx - 5, top + 22, cx + 5, top + 23, "stone_l")
    for x in (cx - 2, cx + 2):
        rect(x, top + 2, x, top + 21, "iron")
    rect(cx - 4, top + 10, cx + 4, top + 10, "iron")


def draw_pillar(x0, x1):
    top, bottom = BAR_H + 5, HEIGHT - 1
    for y in range(top, bottom + 1):
        for x in range(x0, x1 + 1):
            if x == x0:
                c = "stone_l"
            elif x >= x1 - 1:
                c = "stone_d"
            else:
                c = "stone"
            if (y - top) % 12 == 11:
                c = "mortar" if x < x1 - 1 else "outline"
            put(x, y, c)
    # capital and base blocks stick out on both sides
    for yy in (top, top + 1):
        rect(x0 - 1, yy, x1 + 1, yy, "stone_l" if yy == top else "stone")
    rect(x0 - 1, top + 2, x1 + 1, top + 2, "stone_d")


def draw_torch(tx, ty):
    # iron bracket on the wall
    rect(tx - 1, ty + 3, tx + 1, ty + 7, "iron")
    put(tx - 1, ty + 3, "iron_l")
    rect(tx - 2, ty + 2, tx + 2, ty + 2, "iron_l")
    rect(tx, ty + 8, tx, ty + 9, "iron")
    # flame: outer red, inner orange, yellow core
    flame = [
        "..r..",
        "..r..",
        ".rr..",
        ".ror.",
        "rooor",
        "royor",
        "royyr",
        ".ryr.",
    ]
    key = {"r": "flame_r", "o": "flame_o", "y": "flame_y"}
    for j, row in enumerate(flame):
        for i, ch in enumerate(row):
            if ch != ".":
                put(tx - 2 + i, ty - 6 + j, key[ch])


def draw_ledges():
    for x0, x1 in ((0, LEDGE_L), (LEDGE_R, WIDTH - 1)):
        for y in range(BRIDGE_Y, HEIGHT):
            for x in range(x0, x1 + 1):
                by = (y - BRIDGE_Y) % 6
                off = 4 if ((y - BRIDGE_Y) // 6) % 2 else 0
                bx = (x + off) % 8
                if by == 5 or bx == 7:
                    c = "outline"
                elif by == 0 or bx == 0:
                    c = "stone_l"
                elif by == 4 or bx == 6:
                    c = "stone_d"
                else:
                    c = "stone"
                put(x, y, c)
        # lava light licking the bottom of the ledge faces
        edge = x1 if x0 == 0 else x0
        for y in range(LAVA_Y - 4, HEIGHT):
            put(edge, y, "lava_o" if y % 2 else "flame_r")


def draw_lava():
    for x in range(LEDGE_L + 1, LEDGE_R):
        surface = LAVA_Y + round(1.4 * math.sin(x * 0.33) + 0.8 * math.sin(x * 0.11 + 1.0))
        for y in range(surface, HEIGHT):
            d = y - surface
            if d == 0:
                c = "lava_y"
            elif d < 3:
                c = "lava_o"
            else:
                c = "lava"
                if noise(x // 3, y // 2, seed=11) < 0.22:
                    c = "lava_d"
                elif noise(x // 2, y, seed=5) < 0.06:
                    c = "lava_o"
            put(x, y, c)
    # a couple of bubbles breaking the surface
    for bx, by, r in ((44, LAVA_Y - 2, 1.6), (98, LAVA_Y - 1, 1.2), (132, LAVA_Y - 3, 1.8)):
        for (x, y) in ellipse(bx, by, r, r):
            put(x, y, "lava_o")
        put(int(bx) - 1, int(by) - 1, "lava_y")
    for sx, sy in ((60, LAVA_Y - 6), (118, LAVA_Y - 8), (79, LAVA_Y - 5)):
        put(sx, sy, "lava_y")


def draw_bridge():
    # hand ropes: posts every 16 px, rope sagging a little between them
    posts = list(range(LEDGE_L + 2, LEDGE_R, 16)) + [LEDGE_R - 1]
    for a, b in zip(posts, posts[1:]):
        for x in range(a, b + 1):
            t = (x - a) / (b - a)
            sag = round(2.2 * math.sin(math.pi * t))
            put(x, BRIDGE_Y - 9 + sag, "rope")
            put(x, BRIDGE_Y - 8 + sag, "rope_d")
    for p in posts:
        rect(p, BRIDGE_Y - 10, p + 1, BRIDGE_Y - 1, "wood")
        put(p, BRIDGE_Y - 10, "wood_l")
        rect(p + 1, BRIDGE_Y - 9, p + 1, BRIDGE_Y - 1, "wood_d")
    # planks, with the rope they are lashed to running underneath
    for x in range(LEDGE_L + 1, LEDGE_R):
        i = (x - LEDGE_L - 1) % 6
        if i == 5:
            rect(x, BRIDGE_Y, x, BRIDGE_Y + 3, "outline")
            continue
        put(x, BRIDGE_Y, "wood_l")
        put(x, BRIDGE_Y + 1, "wood")
        put(x, BRIDGE_Y + 2, "wood" if noise(x, 1) > 0.3 else "wood_d")
        put(x, BRIDGE_Y + 3, "wood_d")
        put(x, BRIDGE_Y + 4, "rope" if x % 3 else "rope_d")
        put(x, BRIDGE_Y + 5, "outline")
    # ropes tied into rings on the ledge walls
    for x in (LEDGE_L, LEDGE_R):
        rect(x, BRIDGE_Y + 2, x, BRIDGE_Y + 5, "iron_l")


# --------------------------------------------------------------------------
# The hero: a small knight in a plumed helmet, facing right.
# --------------------------------------------------------------------------
HERO = [
    "....ppp........",
    "...pp.m........",
    "...mmmmmm......",
    "..mmmmmmmm.....",
    "..Mmmmmmmmm....",
    "..MMsssess.....",
    "..MMssssss.....",
    "...MSssSS..g...",
    "..cTtttttssgwww",
    ".ccTtttttT.g...",
    ".ccbbbbbbb.....",
    ".c.Ttttttt.....",
    "...TTT.ttt.....",
    "...BBB.BBB.....",
    "..BBBB.BBBB....",
]
HERO_KEY = {
    "p": "plume", "m": "steel", "M": "steel_d", "s": "skin", "S": "skin_d",
    "e": "outline", "t": "tunic", "T": "tunic_d", "b": "belt", "B": "boot",
    "c": "plume", "w": "steel", "g": "gold",
}


def draw_hero(x, feet_y):
    layer = blit(HERO, HERO_KEY, x, feet_y - len(HERO) + 1)
    layer.stamp()


# --------------------------------------------------------------------------
# The boss: a big horned ogre with a spiked club, facing left.
# --------------------------------------------------------------------------
def draw_boss(ox, feet_y):
    """ox is the boss's front (left) edge, feet_y the row its feet stand on."""
    s = Sprite()
    def X(v):                     # local x, counted from the front edge
        return ox + v

    def Y(v):                     # local height, counted up from the feet
        return feet_y - v

    # far arm hangs behind the body
    s.part(capsule([(X(40), Y(31)), (X(45), Y(21)), (X(46), Y(13))], [4, 3.5, 3.5]),
           "ogre_d", dark="outline", dw=1, ink=False)
    # legs and clawed feet
    for lx in (19, 35):
        s.part(capsule([(X(lx), Y(13)), (X(lx), Y(5))], [5.5, 5]), "ogre", "ogre_l", "ogre_d")
        s.part(polygon([(X(lx - 7), Y(0) + 1), (X(lx - 6), Y(4)), (X(lx + 5), Y(4)),
                        (X(lx + 6), Y(0) + 1)]), "ogre", "ogre_l", "ogre_d", dw=1)
        for cx in (lx - 8, lx - 5):
            s.part({(X(cx), Y(0)), (X(cx + 1), Y(0)), (X(cx + 1), Y(1))}, "horn", ink=False)
    # spines down the back
    for ang in range(-70, 35, 21):
        a = math.radians(ang)
        bx, by = 31 + 15 * math.sin(a), 27 + 14 * math.cos(a)
        tx, ty = 31 + 23 * math.sin(a + 0.15), 27 + 22 * math.cos(a + 0.15)
        s.part(polygon([(X(bx - 2.5), Y(by)), (X(tx), Y(ty)), (X(bx + 2.5), Y(by - 2))]),
               "horn", None, "horn_d", dw=1)
    # barrel body with a pale, ridged belly
    s.part(ellipse(X(30), Y(26), 16, 15), "ogre", "ogre_l", "ogre_d", lw=2, dw=3)
    belly = ellipse(X(21), Y(21), 8.5, 10)
    s.part(belly, "belly", None, "belly_d", dw=2, ink=False)
    for by in (16, 21, 26):
        s.pixels({(x, Y(by)) for x in range(X(12), X(30)) if (x, Y(by)) in belly}, "belly_d")
    # loincloth with a torn flap
    s.part(polygon([(X(14), Y(14)), (X(45), Y(14)), (X(44), Y(9)), (X(15), Y(9))]),
           "cloth", None, "cloth_d", dw=1)
    s.part(polygon([(X(22), Y(10)), (X(31), Y(10)), (X(30), Y(4)), (X(28), Y(6)),
                    (X(26), Y(3)), (X(24), Y(6)), (X(22), Y(4))]), "cloth", None, "cloth_d", dw=1)
    # head, thrust forward, with a heavy underbite jaw
    s.part(ellipse(X(16), Y(41), 9.5, 8.5), "ogre", "ogre_l", "ogre_d")
    s.part(ellipse(X(12), Y(34), 9, 5), "ogre", "ogre_l", "ogre_d")
    s.pixels({(X(x), Y(35)) for x in range(5, 16)}, "mouth")
    s.pixels({(X(x), Y(36)) for x in range(6, 13)}, "mouth")
    for tx in (5, 11):                       # tusks jutting up from the jaw
        s.pixels({(X(tx), Y(35)), (X(tx + 1), Y(35)), (X(tx), Y(36)), (X(tx + 1), Y(36)),
                  (X(tx), Y(37)), (X(tx + 1), Y(37)), (X(tx), Y(38))}, "horn")
        s.pixels({(X(tx + 1), Y(35)), (X(tx + 1), Y(36))}, "horn_d")
    # glaring eye under a heavy, scowling brow, and a nostril
    s.pixels({(X(x), Y(y)) for x in (10, 11, 12) for y in (41, 42)}, "eye")
    s.pixels({(X(10), Y(41)), (X(10), Y(42))}, "mouth")
    s.pixels({(X(8), Y(42)), (X(9), Y(43)), (X(10), Y(43)), (X(11), Y(44)), (X(12), Y(44)),
              (X(13), Y(45)), (X(14), Y(45))}, "outline")
    s.pixels({(X(9), Y(44)), (X(10), Y(44)), (X(11), Y(45)), (X(12), Y(45))}, "ogre_l")
    s.pixels({(X(8), Y(39)), (X(9), Y(39))}, "outline")
    s.pixels({(X(19), Y(42)), (X(20), Y(43)), (X(19), Y(38))}, "ogre_d")   # ear creases
    # two great horns sweeping up from the crown
    s.part(capsule([(X(18), Y(47)), (X(23), Y(51)), (X(22), Y(54)), (X(19), Y(56))],
                   [2.6, 2.0, 1.3, 0.5]), "horn_d", None, "outline", dw=1)
    s.part(capsule([(X(13), Y(48)), (X(9), Y(51)), (X(8), Y(54)), (X(11), Y(57))],
                   [2.8, 2.2, 1.4, 0.5]), "horn", "white", "horn_d", dw=1)
    for ry in (49, 52):                      # growth rings across the near horn
        s.pixels({(X(7), Y(ry)), (X(8), Y(ry)), (X(9), Y(ry))}, "horn_d")
    # shoulder plate with two studs
    s.part(ellipse(X(30), Y(35), 7, 4.5), "iron", "iron_l", "outline", dw=1)
    for sx in (26, 32):
        s.part(polygon([(X(sx - 1.5), Y(38)), (X(sx + 0.5), Y(44)), (X(sx + 2.5), Y(38))]),
               "steel", None, "steel_d", dw=1)
    # near arm reaching forward, gripping the club
    s.part(capsule([(X(28), Y(32)), (X(20), Y(26)), (X(9), Y(24))], [4, 3.8, 3.3]),
           "ogre", "ogre_l", "ogre_d")
    # spiked club, its head swung low in front of the beast
    hx, hy = -4, 11
    for k in range(8):
        a = k * math.pi / 4 + 0.3
        s.part(capsule([(X(hx + 3.5 * math.cos(a)), Y(hy + 3.5 * math.sin(a))),
                        (X(hx + 6.2 * math.cos(a)), Y(hy + 6.2 * math.sin(a)))], [0.9, 0.4]),
               "steel", None, "steel_d", dw=1, ink=False)
    s.part(capsule([(X(9), Y(24)), (X(0), Y(14))], [1.6, 2.0]), "club", "club_l", "club_d",
           dw=1)
    s.part(ellipse(X(hx), Y(hy), 4.5, 4.5), "club", "club_l", "club_d")
    s.part(ellipse(X(9), Y(24), 3, 2.7), "ogre", "ogre_l", "ogre_d")     # fist
    s.stamp()


def draw_fireball(x, y):
    """A fireball the ogre has just spat toward the hero."""
    trail = [(x + 6, y - 1, "flame_o"), (x + 9, y - 1, "flame_r"), (x + 8, y + 1, "flame_r"),
             (x + 12, y - 2, "flame_r"), (x + 15, y - 3, "flame_r"), (x + 13, y, "flame_r")]
    for tx, ty, c in trail:
        put(tx, ty, c)
        put(tx + 1, ty, c)
    for (px, py) in ellipse(x + 2, y, 4.5, 3.5):
        put(px, py, "flame_r")
    for (px, py) in ellipse(x + 1, y, 3, 2.4):
        put(px, py, "flame_o")
    for (px, py) in ellipse(x, y - 0.4, 1.6, 1.2):
        put(px, py, "flame_y")


def draw_status():
    rect(0, 0, WIDTH - 1, BAR_H - 1, "black")
    rect(0, BAR_H - 1, WIDTH - 1, BAR_H - 1, "bar_line")
    text(4, 3, "SCORE 004250")
    # lives: a tiny helmet icon, then the count
    icon = ["..pp.", ".mmm.", "mmmmm", "Msse.", ".ss.."]
    for j, row in enumerate(icon):
        for i, ch in enumerate(row):
            if ch != ".":
                put(58 + i, 3 + j, HERO_KEY[ch])
    text(64, 3, "x03")
    text(88, 3, "WORLD 8-4")
    text(140, 3, "TIME 218")


def render():
    draw_wall()
    draw_window(41, 28)
    draw_ceiling()
    draw_pillar(3, 10)
    draw_pillar(165, 172)
    for tx, ty in TORCHES:
        draw_torch(tx, ty)
    draw_lava()
    draw_ledges()
    draw_bridge()
    draw_hero(32, BRIDGE_Y - 1)
    draw_boss(110, BRIDGE_Y - 1)
    draw_fireball(88, 48)
    draw_status()


# --------------------------------------------------------------------------
# BMP output
# --------------------------------------------------------------------------
def bmp_bytes():
    row_bytes = WIDTH * 3
    image_size = row_bytes * HEIGHT
    header = struct.pack("<2sIHHI", b"BM", FILE_SIZE, 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, image_size,
                       3780, 3780, 0, 0)
    rows = bytearray()
    for y in range(HEIGHT - 1, -1, -1):          # bottom row first
        for (r, g, b) in canvas[y]:
            rows += bytes((b, g, r))
    data = header + info + bytes(rows)
    assert len(data) == FILE_SIZE == 58662, len(data)
    return data


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: generate.py OUTPUT.bmp\n")
        return 2
    render()
    with open(argv[1], "wb") as out:
        out.write(bmp_bytes())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
