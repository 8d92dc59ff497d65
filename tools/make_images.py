#!/usr/bin/env python3
"""Draws Tarnwick's bitmaps, icons and cursor and writes them into res/.

Standard library only. The pictures are built from simple geometric shapes that are
point-sampled (4 x 4 samples per pixel, a pixel takes the colour when at least half of its
samples fall inside), so no blended edge pixels appear: a toolbar image's background stays
exactly RGB(192,192,192), the one colour the program replaces by the button face.

    make_images.py                write the files into res/
    make_images.py --check        exit 1 when a file in res/ differs from what would be written
    make_images.py --preview DIR  also write enlarged PNG previews into DIR
"""

import argparse
import math
import os
import struct
import sys
import zlib

GREY = (192, 192, 192)  # background of every bitmap; transparent in the program
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)

# The standard 16-colour palette in the order Windows uses for 4-bit bitmaps.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
VGA_GREY = 7

SAMPLES = 4


# ---------------------------------------------------------------------------------------------
# Shapes: predicates over design coordinates (x right, y down; pixel (i, j) covers
# [i, i+1) x [j, j+1)).

def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r_in, r_out):
    return lambda x, y: r_in * r_in < (x - cx) ** 2 + (y - cy) ** 2 <= r_out * r_out


def clock_angle(cx, cy, x, y):
    """Angle of (x, y) around the centre in degrees, 0 at 12 o'clock, growing clockwise."""
    return math.degrees(math.atan2(x - cx, cy - y)) % 360.0


def sector(cx, cy, a0, a1):
    """Clockwise from a0 to a1 (degrees, clock convention)."""
    span = (a1 - a0) % 360.0

    def inside(x, y):
        return (clock_angle(cx, cy, x, y) - a0) % 360.0 <= span
    return inside


def polygon(points):
    def inside(x, y):
        result = False
        n = len(points)
        for i in range(n):
            xa, ya = points[i]
            xb, yb = points[(i + 1) % n]
            if (ya > y) != (yb > y):
                if x < xa + (y - ya) * (xb - xa) / (yb - ya):
                    result = not result
        return result
    return inside


def segment(p0, p1, width, round_ends=False):
    (x0, y0), (x1, y1) = p0, p1
    dx, dy = x1 - x0, y1 - y0
    length = math.hypot(dx, dy)
    ux, uy = dx / length, dy / length
    half = width / 2.0

    def inside(x, y):
        along = (x - x0) * ux + (y - y0) * uy
        across = abs(-(x - x0) * uy + (y - y0) * ux)
        if 0 <= along <= length:
            return across <= half
        if not round_ends:
            return False
        end = (x0, y0) if along < 0 else (x1, y1)
        return (x - end[0]) ** 2 + (y - end[1]) ** 2 <= half * half
    return inside


def polyline(points, width):
    parts = [segment(points[i], points[i + 1], width, True) for i in range(len(points) - 1)]
    return union(*parts)


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def both(a, b):
    return lambda x, y: a(x, y) and b(x, y)


def minus(a, b):
    return lambda x, y: a(x, y) and not b(x, y)


def gear(cx, cy, r_body, r_tip, tooth_width, teeth):
    """A gear wheel: a disc with `teeth` straight teeth of the given width."""
    axes = []
    for k in range(teeth):
        a = math.radians(k * 360.0 / teeth)
        axes.append((math.sin(a), -math.cos(a)))
    half = tooth_width / 2.0

    def inside(x, y):
        dx, dy = x - cx, y - cy
        r2 = dx * dx + dy * dy
        if r2 <= r_body * r_body:
            return True
        if r2 > r_tip * r_tip:
            return False
        for ax, ay in axes:
            if dx * ax + dy * ay > 0 and abs(dx * ay - dy * ax) <= half:
                return True
        return False
    return inside


class Canvas:
    """An RGB picture; None marks a transparent pixel (icons and cursor only)."""

    def __init__(self, width, height, background):
        self.width = width
        self.height = height
        self.pixels = [[background] * width for _ in range(height)]
        self.origin = (0.0, 0.0)
        self.scale = 1.0

    def place(self, x, y, scale):
        """Maps design coordinates to pixels: pixel = origin + design * scale."""
        self.origin = (float(x), float(y))
        self.scale = float(scale)

    def paint(self, shape, colour):
        ox, oy = self.origin
        s = self.scale
        step = 1.0 / SAMPLES
        needed = (SAMPLES * SAMPLES + 1) // 2
        for j in range(self.height):
            for i in range(self.width):
                hits = 0
                for sj in range(SAMPLES):
                    y = (j + (sj + 0.5) * step - oy) / s
                    for si in range(SAMPLES):
                        x = (i + (si + 0.5) * step - ox) / s
                        if shape(x, y):
                            hits += 1
                if hits >= needed:
                    self.pixels[j][i] = colour

    def paste(self, other, x, y):
        for j in range(other.height):
            for i in range(other.width):
                self.pixels[y + j][x + i] = other.pixels[j][i]

    def from_art(self, rows, colours):
        for j, row in enumerate(rows):
            for i, ch in enumerate(row):
                if ch in colours:
                    self.pixels[j][i] = colours[ch]


# ---------------------------------------------------------------------------------------------
# Pictures. Each draws into a canvas already placed on a 24 x 24 design box; `px` is the size
# of one design unit in pixels, used to keep outlines at least one pixel wide when scaled down.

GREEN = (0, 150, 0)
DARK_GREEN = (0, 90, 0)
RED = (210, 0, 0)
DARK_RED = (120, 0, 0)
NAVY = (0, 0, 128)
BLUE = (0, 60, 200)
STEEL = (112, 120, 150)
STEEL_DARK = (64, 70, 110)
SILVER = (232, 232, 232)
GLASS = (190, 230, 255)
BROWN = (110, 60, 20)


def line_width(c, width):
    """A stroke width in design units that is never thinner than one pixel."""
    return max(width, 1.0 / c.scale)


def draw_refresh(c):
    cx, cy = 12.0, 12.5
    head = 320.0
    c.paint(both(ring(cx, cy, 4.8, 8.8), sector(cx, cy, 50.0, head)), GREEN)
    mid = 6.8
    a = math.radians(head)
    nx, ny = math.sin(a), -math.cos(a)  # radial
    tx, ty = math.cos(a), math.sin(a)  # clockwise tangent
    bx, by = cx + nx * mid, cy + ny * mid
    c.paint(polygon([(bx + nx * 5.0, by + ny * 5.0), (bx - nx * 5.0, by - ny * 5.0),
                     (bx + tx * 6.5, by + ty * 6.5)]), GREEN)


def draw_clock(c):
    rim = line_width(c, 2.0)
    c.paint(disc(12, 12, 10.2), NAVY)
    c.paint(disc(12, 12, 10.2 - rim), WHITE)
    for k in range(4):
        a = math.radians(k * 90.0)
        sx, sy = math.sin(a), -math.cos(a)
        c.paint(segment((12 + sx * 6.0, 12 + sy * 6.0), (12 + sx * 8.0, 12 + sy * 8.0),
                        line_width(c, 1.5)), NAVY)
    hand = line_width(c, 1.8)
    c.paint(segment((12, 12), (12, 5.0), hand, True), BLACK)
    c.paint(segment((12, 12), (17.0, 12), hand, True), BLACK)


def draw_magnifier(c):
    c.paint(disc(10, 10, 5.2), GLASS)
    c.paint(segment((6.8, 8.0), (8.0, 6.6), line_width(c, 1.2), True), WHITE)
    c.paint(ring(10, 10, 5.2, 7.5), NAVY)
    c.paint(segment((15.0, 15.0), (21.5, 21.5), line_width(c, 4.0), True), BROWN)


def draw_sheet(c, x0, y0, x1, y1, lines):
    edge = line_width(c, 1.0)
    c.paint(rect(x0, y0, x1, y1), BLACK)
    c.paint(rect(x0 + edge, y0 + edge, x1 - edge, y1 - edge), WHITE)
    for k in range(lines):
        y = y0 + 3.5 + 2.5 * k
        c.paint(rect(x0 + 2.5, y, x1 - 2.5, y + line_width(c, 1.0)), NAVY)


def draw_copy(c):
    draw_sheet(c, 2.5, 2.0, 15.0, 17.0, 0)
    draw_sheet(c, 8.5, 7.0, 21.5, 22.0, 5)


def draw_save(c):
    edge = line_width(c, 1.0)
    c.paint(polygon([(3, 3), (19, 3), (21, 5), (21, 21), (3, 21)]), BLACK)
    c.paint(polygon([(3 + edge, 3 + edge), (19 - edge / 2, 3 + edge), (21 - edge, 5 + edge / 2),
                     (21 - edge, 21 - edge), (3 + edge, 21 - edge)]), BLUE)
    c.paint(rect(7, 3 + edge, 17, 10), SILVER)
    c.paint(rect(13, 4.5, 15.5, 8.5), NAVY)
    c.paint(rect(6, 13, 18, 21 - edge), WHITE)
    c.paint(rect(7.5, 15, 16.5, 15 + line_width(c, 1.0)), RED)
    c.paint(rect(7.5, 17.5, 16.5, 17.5 + line_width(c, 1.0)), NAVY)


def draw_gear(c, hole_colour):
    body = gear(12, 12, 7.5, 11.0, 4.0, 8)
    hole = disc(12, 12, 3.0)
    if c.scale < 1.0:
        # Below full size an outline would swallow the teeth: draw the wheel solid.
        c.paint(body, STEEL_DARK)
        c.paint(hole, hole_colour)
        return
    c.paint(body, BLACK)
    c.paint(gear(12, 12, 6.5, 10.0, 2.0, 8), STEEL)
    c.paint(disc(12, 12, 4.0), BLACK)
    c.paint(hole, hole_colour)


def draw_settings(c):
    draw_gear(c, GREY)


def draw_about(c):
    edge = line_width(c, 1.0)
    c.paint(disc(12, 12, 11.0), NAVY)
    c.paint(disc(12, 12, 11.0 - edge), BLUE)
    c.paint(disc(12, 6.5, 1.9), WHITE)
    c.paint(rect(10.6, 10.0, 13.4, 17.0), WHITE)
    c.paint(rect(9.2, 10.0, 13.4, 11.6), WHITE)
    c.paint(rect(9.2, 16.0, 14.8, 18.0), WHITE)


def draw_play_badge(c):
    c.paint(polygon([(12, 10.5), (12, 23.5), (23.5, 17)]), DARK_GREEN)
    c.paint(polygon([(13.5, 13), (13.5, 21), (20.5, 17)]), (0, 200, 0))


def draw_pause_badge(c):
    c.paint(rect(12.5, 11.5, 17, 23), DARK_RED)
    c.paint(rect(18.5, 11.5, 23, 23), DARK_RED)
    c.paint(rect(13.5, 12.5, 16, 22), RED)
    c.paint(rect(19.5, 12.5, 22, 22), RED)


def draw_tick_badge(c):
    c.paint(polyline([(1.5, 17.5), (5, 21.5), (11, 13)], 4.0), DARK_GREEN)
    c.paint(polyline([(1.5, 17.5), (5, 21.5), (11, 13)], 2.0), (0, 200, 0))


def draw_cross_badge(c):
    c.paint(segment((2, 13.5), (10.5, 22), 4.0, True), DARK_RED)
    c.paint(segment((10.5, 13.5), (2, 22), 4.0, True), DARK_RED)
    c.paint(segment((2, 13.5), (10.5, 22), 2.0, True), RED)
    c.paint(segment((10.5, 13.5), (2, 22), 2.0, True), RED)


TOOLBAR = [draw_refresh, draw_clock, draw_magnifier, draw_copy, draw_save, draw_settings,
           draw_about]


def button(picture):
    c = Canvas(24, 24, GREY)
    picture(c)
    return c


def state_button(main, scale, x, y, badge):
    """The main picture reduced into a corner, with a state badge beside it."""
    c = Canvas(24, 24, GREY)
    c.place(x, y, scale)
    main(c)
    c.place(0, 0, 1.0)
    badge(c)
    return c


def menu_image(picture):
    # The menu's image lists are 16 x 15: the bottom row is never shown, so the picture is
    # drawn into the top 15 rows.
    c = Canvas(16, 16, GREY)
    c.place(0.5, 0.0, 15.0 / 24.0)
    picture(c)
    return c


def toolbar_strip():
    strip = Canvas(24 * len(TOOLBAR), 24, GREY)
    for k, picture in enumerate(TOOLBAR):
        strip.paste(button(picture), 24 * k, 0)
    return strip


def process_stripes():
    """Yellow where (x + y + 1) mod 8 < 3 (y = 0 at the top), light grey elsewhere."""
    c = Canvas(48, 16, GREY)
    for y in range(16):
        for x in range(48):
            if (x + y + 1) % 8 < 3:
                c.pixels[y][x] = (255, 255, 0)
    return c


def draw_radar(c, size):
    """The program's emblem: a radar screen with a sweep and echoes (endpoints)."""
    s = size / 32.0
    c.place(0, 0, s)
    thin = 1.0 / s
    c.paint(disc(16, 16, 15.5), (0, 50, 0))
    c.paint(disc(16, 16, 15.5 - max(1.0, thin)), (0, 90, 0))
    c.paint(both(disc(16, 16, 14.5), sector(16, 16, 0.0, 60.0)), (0, 160, 0))
    c.paint(ring(16, 16, 10.0 - thin / 2, 10.0 + thin / 2), (0, 230, 0))
    if size >= 32:
        c.paint(ring(16, 16, 5.0 - thin / 2, 5.0 + thin / 2), (0, 230, 0))
    c.paint(rect(16 - thin / 2, 1.5, 16 + thin / 2, 30.5), (0, 230, 0))
    c.paint(rect(1.5, 16 - thin / 2, 30.5, 16 + thin / 2), (0, 230, 0))
    c.paint(segment((16, 16), (16 + 14.0 * math.sin(math.radians(60)),
                               16 - 14.0 * math.cos(math.radians(60))), max(thin, 1.5)),
            (160, 255, 160))
    blip = max(1.6, 1.0 / s)
    for bx, by in [(21.5, 9.0), (9.0, 21.0), (24.0, 22.5)]:
        c.paint(disc(bx, by, blip), (255, 255, 0))


def icon_radar(size):
    c = Canvas(size, size, None)
    draw_radar(c, size)
    return c


def icon_gear(size):
    c = Canvas(size, size, None)
    c.place(0, 0, size / 24.0)
    draw_gear(c, None)
    return c


# A pointing hand, 32 x 32; '#' black, '.' white, anything else transparent. The fingertip's
# top pixel is (7, 0), the hot spot.
HAND = [
    "      ###",
    "     #...#",
    "     #...#",
    "     #...#",
    "     #...#",
    "     #...####",
    "     #...#...####",
    "     #...#...#...###",
    "     #...#...#...#..#",
    " ##  #...#...#...#..#",
    "#..# #...#...#...#..#",
    "#...##...........#..#",
    " #...#..............#",
    "  #..#..............#",
    "  #.................#",
    "   #................#",
    "   #................#",
    "    #..............#",
    "    #..............#",
    "     #............#",
    "     #............#",
    "      #..........#",
    "      #..........#",
    "      ############",
]
HAND_HOTSPOT = (7, 0)


def hand_cursor():
    c = Canvas(32, 32, None)
    c.from_art(HAND, {"#": BLACK, ".": WHITE})
    return c


# ---------------------------------------------------------------------------------------------
# File formats.

def bitmap_info(width, height, bits, colours):
    stride = (width * bits + 31) // 32 * 4
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, stride * height, 0, 0,
                       colours, 0), stride


def rows_24(c):
    """Bottom-up rows of blue, green, red bytes, each padded to 4 bytes."""
    _, stride = bitmap_info(c.width, c.height, 24, 0)
    out = bytearray()
    for row in reversed(c.pixels):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        out += line + bytes(stride - len(line))
    return bytes(out)


def nearest_vga(colour):
    if colour == GREY:
        return VGA_GREY
    # Any other colour keeps off the background index so that it stays visible.
    best = min((k for k in range(16) if k != VGA_GREY),
               key=lambda k: sum((a - b) ** 2 for a, b in zip(VGA16[k], colour)))
    return best


def in_vga16(c):
    """The picture as its 16-colour file shows it."""
    out = Canvas(c.width, c.height, None)
    out.pixels = [[None if p is None else VGA16[nearest_vga(p)] for p in row] for row in c.pixels]
    return out


def rows_4(c, transparent_index=0):
    _, stride = bitmap_info(c.width, c.height, 4, 16)
    out = bytearray()
    for row in reversed(c.pixels):
        indices = [transparent_index if p is None else nearest_vga(p) for p in row]
        if len(indices) % 2:
            indices.append(0)
        line = bytes(indices[k] << 4 | indices[k + 1] for k in range(0, len(indices), 2))
        out += line + bytes(stride - len(line))
    return bytes(out)


def palette_16():
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in VGA16)


def bmp_file(info, palette, bits):
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    return header + info + palette + bits


def bmp24(c):
    info, _ = bitmap_info(c.width, c.height, 24, 0)
    return bmp_file(info, b"", rows_24(c))


def bmp4(c):
    info, _ = bitmap_info(c.width, c.height, 4, 16)
    return bmp_file(info, palette_16(), rows_4(c))


def and_mask(c):
    """1 bit per pixel, bottom-up, set where the picture is transparent."""
    stride = (c.width + 31) // 32 * 4
    out = bytearray()
    for row in reversed(c.pixels):
        line = bytearray(stride)
        for i, p in enumerate(row):
            if p is None:
                line[i // 8] |= 0x80 >> (i % 8)
        out += line
    return bytes(out)


def icon_image(c, bits):
    """A DIB as stored in an icon: height doubled (colour bits, then the AND mask)."""
    if bits == 32:
        info, _ = bitmap_info(c.width, 2 * c.height, 32, 0)
        pixels = bytearray()
        for row in reversed(c.pixels):
            for p in row:
                pixels += bytes((0, 0, 0, 0)) if p is None else bytes((p[2], p[1], p[0], 255))
        return info + bytes(pixels) + and_mask(c)
    info, _ = bitmap_info(c.width, 2 * c.height, 4, 16)
    return info + palette_16() + rows_4(c) + and_mask(c)


def ico_file(images):
    """images: list of (canvas, bits per pixel)."""
    blobs = [icon_image(c, bits) for c, bits in images]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for (c, bits), blob in zip(images, blobs):
        colours = 16 if bits == 4 else 0
        out += struct.pack("<BBBBHHII", c.width % 256, c.height % 256, colours, 0, 1, bits,
                           len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    return bytes(out)


def cur_file(c, hotspot):
    """A monochrome cursor: file type 2 and the hot spot in the directory entry."""
    info, stride = bitmap_info(c.width, 2 * c.height, 1, 2)
    xor = bytearray()
    for row in reversed(c.pixels):
        line = bytearray(stride)
        for i, p in enumerate(row):
            if p == WHITE:
                line[i // 8] |= 0x80 >> (i % 8)
        xor += line
    palette = struct.pack("<BBBBBBBB", 0, 0, 0, 0, 255, 255, 255, 0)
    blob = info + palette + bytes(xor) + and_mask(c)
    header = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", c.width, c.height, 2, 0, hotspot[0], hotspot[1], len(blob),
                        6 + 16)
    return header + entry + blob


def png_file(c, zoom):
    """An enlarged preview; transparent pixels show as magenta."""
    raw = bytearray()
    for row in c.pixels:
        line = bytearray(b"\0")
        for p in row:
            line += bytes(p if p is not None else (255, 0, 255)) * zoom
        raw += bytes(line) * zoom

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    head = struct.pack(">IIBBBBB", c.width * zoom, c.height * zoom, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", head) + chunk(b"IDAT", zlib.compress(bytes(raw)))
            + chunk(b"IEND", b""))


# ---------------------------------------------------------------------------------------------

def build():
    """Returns {file name in res/: (bytes, [canvases for the preview])}."""
    strip = toolbar_strip()
    stripes = process_stripes()
    files = {
        "toolbar.bmp": (bmp24(strip), [strip]),
        "toolbar16.bmp": (bmp4(strip), [in_vga16(strip)]),
        "process.bmp": (bmp4(stripes), [stripes]),
    }

    states = {
        "autoupdate_on.bmp": state_button(draw_clock, 0.8, 0, 0, draw_play_badge),
        "autoupdate_off.bmp": state_button(draw_clock, 0.8, 0, 0, draw_pause_badge),
        "resolve_on.bmp": state_button(draw_magnifier, 0.8, 4.8, 0, draw_tick_badge),
        "resolve_off.bmp": state_button(draw_magnifier, 0.8, 4.8, 0, draw_cross_badge),
    }
    for name, c in states.items():
        files[name] = (bmp24(c), [c])

    menus = {
        "menu_about.bmp": draw_about,
        "menu_save.bmp": draw_save,
        "menu_copy.bmp": draw_copy,
        "menu_settings.bmp": draw_settings,
        "menu_refresh.bmp": draw_refresh,
    }
    for name, picture in menus.items():
        c = menu_image(picture)
        files[name] = (bmp24(c), [c])

    radar = [icon_radar(32), icon_radar(16)]
    files["Tarnwick.ico"] = (ico_file([(radar[0], 32), (radar[1], 32)]), radar)
    files["about.ico"] = (ico_file([(radar[0], 32), (radar[1], 32)]), radar)
    # The Settings dialog's small icon: 16 x 16 in 16 colours, and nothing else.
    gear = icon_gear(16)
    files["settings.ico"] = (ico_file([(gear, 4)]), [gear])

    hand = hand_cursor()
    files["hand.cur"] = (cur_file(hand, HAND_HOTSPOT), [hand])
    return files


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true",
                        help="compare with the files in res/ instead of writing them")
    parser.add_argument("--preview", metavar="DIR", help="write enlarged PNG previews into DIR")
    parser.add_argument("--res", default=os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                                      os.pardir, "res"))
    args = parser.parse_args()

    files = build()
    stale = []
    for name, (data, canvases) in sorted(files.items()):
        path = os.path.join(args.res, name)
        if args.check:
            try:
                with open(path, "rb") as f:
                    if f.read() != data:
                        stale.append(name)
            except FileNotFoundError:
                stale.append(name)
        else:
            with open(path, "wb") as f:
                f.write(data)
        if args.preview:
            os.makedirs(args.preview, exist_ok=True)
            for k, c in enumerate(canvases):
                zoom = min(12, max(1, 1344 // c.width))
                stem = os.path.splitext(name)[0]
                with open(os.path.join(args.preview, "%s_%d.png" % (stem, k)), "wb") as f:
                    f.write(png_file(c, zoom))
    if stale:
        print("out of date: " + ", ".join(stale), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
