#!/usr/bin/env python3
"""Draws the programs' icons for Windows, the same pictures as the Linux programs draw: the
player's screen with a play triangle, and the settings tool's screen with a check mark and a cog.

Writes 32 x 32, 256-colour .ico files (a palette of the few colours used, and a transparency
mask). Standard library only. Run from anywhere:
    python3 make_icons.py [OUTPUT_FOLDER]
"""

import math
import os
import struct
import sys

SIZE = 32
SAMPLES = 4  # per pixel and axis; each pixel takes the colour most of its samples fall on

CLEAR = None
RIM = (0x9F, 0xC8, 0xFF)
SCREEN = (0x10, 0x2A, 0x5C)
PLAY = (0xFF, 0xB3, 0x1A)
CHECK = (0x6D, 0xE0, 0x7A)
COG_RIM = (0x5A, 0x3C, 0x00)


def in_rounded_rect(x, y, left, top, width, height, radius):
    if not (left <= x <= left + width and top <= y <= top + height):
        return False
    cx = min(max(x, left + radius), left + width - radius)
    cy = min(max(y, top + radius), top + height - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def in_polygon(x, y, points):
    inside = False
    for (x1, y1), (x2, y2) in zip(points, points[1:] + points[:1]):
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            inside = not inside
    return inside


def near_polyline(x, y, points, half_width):
    for (x1, y1), (x2, y2) in zip(points, points[1:]):
        dx, dy = x2 - x1, y2 - y1
        t = max(0.0, min(1.0, ((x - x1) * dx + (y - y1) * dy) / (dx * dx + dy * dy)))
        if math.hypot(x - (x1 + t * dx), y - (y1 + t * dy)) <= half_width:
            return True
    return False


def screen(x, y, left, top, width, height, rim=1.5):
    h = rim / 2
    if in_rounded_rect(x, y, left + h, top + h, width - rim, height - rim, 3 - h):
        return SCREEN
    if in_rounded_rect(x, y, left - h, top - h, width + rim, height + rim, 3 + h):
        return RIM
    return CLEAR


def player(x, y):
    if in_polygon(x, y, [(12, 9), (22, 15), (12, 21)]):
        return PLAY
    if 13 <= x <= 19 and 26 <= y <= 28 or 9 <= x <= 23 and 28 <= y <= 30:
        return RIM
    return screen(x, y, 2.5, 4.5, 27, 21)


COG_CENTRE, COG_OUTER, COG_INNER, COG_TEETH = (22.5, 22.5), 9.0, 6.5, 8


def cog_points(shrink):
    step = 2 * math.pi / (COG_TEETH * 2)
    points = []
    for i in range(COG_TEETH * 2):
        radius = (COG_OUTER if i % 2 == 0 else COG_INNER) - shrink
        for angle in (i * step, (i + 1) * step):
            points.append((COG_CENTRE[0] + math.cos(angle) * radius,
                           COG_CENTRE[1] + math.sin(angle) * radius))
    return points


COG_OUTLINE, COG_FILL = cog_points(-0.5), cog_points(0.5)


def settings_tool(x, y):
    from_centre = math.hypot(x - COG_CENTRE[0], y - COG_CENTRE[1])
    hole = COG_INNER * 0.4
    if from_centre > hole and in_polygon(x, y, COG_OUTLINE):
        rim = from_centre <= hole + 1 or not in_polygon(x, y, COG_FILL)
        return COG_RIM if rim else PLAY
    if near_polyline(x, y, [(6, 11), (10, 15), (18, 6)], 1.25):
        return CHECK
    return screen(x, y, 1.5, 2.5, 22, 17)


def render(shape):
    rows = []
    for py in range(SIZE):
        row = []
        for px in range(SIZE):
            votes = {}
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    colour = shape(px + (sx + 0.5) / SAMPLES, py + (sy + 0.5) / SAMPLES)
                    votes[colour] = votes.get(colour, 0) + 1
            row.append(max(votes, key=votes.get))
        rows.append(row)
    return rows


def ico(rows):
    palette = sorted({c for row in rows for c in row if c is not CLEAR})
    palette = [(0, 0, 0)] + palette + [(0, 0, 0)] * (255 - len(palette))
    index = {c: i for i, c in enumerate(palette)}
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 8, 0, 0, 0, 0, 256, 0)
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    pixels = b"".join(bytes(0 if c is CLEAR else index[c] for c in row) for row in reversed(rows))
    mask = b""
    for row in reversed(rows):
        bits = 0
        for c in row:
            bits = (bits << 1) | (1 if c is CLEAR else 0)
        mask += struct.pack(">I", bits)
    image = header + colours + pixels + mask
    return struct.pack("<HHH", 0, 1, 1) + struct.pack(
        "<BBBBHHII", SIZE, SIZE, 0, 0, 1, 8, len(image), 22) + image


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for name, shape in (("player.ico", player), ("settings_tool.ico", settings_tool)):
        with open(os.path.join(folder, name), "wb") as out:
            out.write(ico(render(shape)))


if __name__ == "__main__":
    main()
