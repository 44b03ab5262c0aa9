#!/usr/bin/env python3
"""Draws the per-extension file icons: a document with a folded corner and the extension's
letters on a coloured band (orange for sound, blue for video, green for play lists).

Writes classic Windows .ico files (16, 32 and 48 pixels, 16 colours with a transparency mask),
which every icon reader understands. Standard library only. Run from anywhere:
    python3 make_icons.py [OUTPUT_FOLDER]
"""

import os
import struct
import sys

KINDS = {
    "avi": "video", "asf": "video", "mov": "video", "mpg": "video", "wmv": "video",
    "mid": "sound", "mp3": "sound", "wav": "sound", "wma": "sound",
    "asx": "list", "wvx": "list",
}

TRANSPARENT, WHITE, OUTLINE, FOLD, SOUND, VIDEO, LIST = range(7)
PALETTE = [(0, 0, 0), (255, 255, 255), (64, 64, 64), (200, 200, 200),
           (224, 112, 32), (40, 96, 200), (40, 150, 70)] + [(0, 0, 0)] * 9
BAND = {"sound": SOUND, "video": VIDEO, "list": LIST}

# Letters 5 rows high (M and W 5 columns wide, the rest 3), one string per row, '#' set.
FONT = {
    "A": ["###", "#.#", "###", "#.#", "#.#"],
    "D": ["##.", "#.#", "#.#", "#.#", "##."],
    "F": ["###", "#..", "##.", "#..", "#.."],
    "G": ["###", "#..", "#.#", "#.#", "###"],
    "I": ["###", ".#.", ".#.", ".#.", "###"],
    "M": ["#...#", "##.##", "#.#.#", "#...#", "#...#"],
    "O": ["###", "#.#", "#.#", "#.#", "###"],
    "P": ["###", "#.#", "###", "#..", "#.."],
    "S": ["###", "#..", "###", "..#", "###"],
    "V": ["#.#", "#.#", "#.#", "#.#", ".#."],
    "W": ["#...#", "#...#", "#.#.#", "##.##", "#...#"],
    "X": ["#.#", "#.#", ".#.", "#.#", "#.#"],
    "3": ["###", "..#", "###", "..#", "###"],
}

SIZES = (16, 32, 48)


def draw(extension, size):
    """The icon as rows of palette indices, top row first."""
    pixels = [[TRANSPARENT] * size for _ in range(size)]
    margin = round(size * 0.1) if size > 16 else 0  # the smallest icon needs every column
    left, right = margin, size - 1 - margin
    top, bottom = 0, size - 1
    fold = max(3, size // 4)
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            if x - (right - fold) > y - top:  # cut off by the folded corner
                continue
            edge = x in (left, right) or y in (top, bottom) or x - (right - fold) == y - top
            pixels[y][x] = OUTLINE if edge else WHITE
    for y in range(top, top + fold + 1):  # the folded-over corner, under the cut
        for x in range(right - fold, right + 1):
            if x - (right - fold) <= y - top:
                edge = x == right - fold or y == top + fold or x - (right - fold) == y - top
                pixels[y][x] = OUTLINE if edge else FOLD

    text = extension.upper()
    columns = sum(len(FONT[letter][0]) for letter in text) + len(text) - 1
    scale = max(1, (right - left - 1) // columns)
    width = columns * scale
    band_height = 7 * scale
    band_top = round(size * 0.55) - band_height // 2
    for y in range(band_top, band_top + band_height):
        for x in range(left + 1, right):
            pixels[y][x] = BAND[KINDS[extension]]
    x0 = left + 1 + (right - left - 1 - width) // 2
    y0 = band_top + scale
    for letter in text:
        for row, bits in enumerate(FONT[letter]):
            for column, bit in enumerate(bits):
                if bit != "#":
                    continue
                for dy in range(scale):
                    for dx in range(scale):
                        x = x0 + column * scale + dx
                        pixels[y0 + row * scale + dy][x] = WHITE
        x0 += (len(FONT[letter][0]) + 1) * scale
    return pixels


def bitmap(pixels):
    """One icon image: header, palette, 4-bit colours and the 1-bit mask, bottom row first."""
    size = len(pixels)
    colour_row = (size // 2 + 3) // 4 * 4
    mask_row = ((size + 7) // 8 + 3) // 4 * 4
    colours = bytearray()
    mask = bytearray()
    for row in reversed(pixels):
        packed = bytearray(colour_row)
        bits = bytearray(mask_row)
        for x, index in enumerate(row):
            packed[x // 2] |= index << (0 if x % 2 else 4)
            if index == TRANSPARENT:
                bits[x // 8] |= 0x80 >> (x % 8)
        colours += packed
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0,
                         len(colours) + len(mask), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    return header + palette + bytes(colours) + bytes(mask)


def icon(extension):
    images = [bitmap(draw(extension, size)) for size in SIZES]
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(SIZES, images):
        data += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    return data + b"".join(images)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for extension in sorted(KINDS):
        with open(os.path.join(folder, extension + ".ico"), "wb") as out:
            out.write(icon(extension))


if __name__ == "__main__":
    main()
