#!/usr/bin/env python3
"""Draws Corvina's icon, a page of source text whose lines are coloured as the program colours
tokens, and writes ui/resources/Corvina.ico (16 to 256 pixels, for the Windows programs) and
ui/resources/Corvina.png (256 pixels, for the Qt window). Plain Python, no image library:
every pixel is the cover of each shape, sampled 4 x 4 times.
    scripts/make-icon.py"""
import os
import struct
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "ui", "resources")
SIZES = [16, 20, 24, 32, 40, 48, 64, 256]
SAMPLES = 4

INK = (43, 58, 85)
PAPER = (255, 255, 255)
FOLD = (200, 210, 226)
# Keyword, string, comment, number, identifier: lines of a program as the window colours them.
LINES = [
    (0.30, 0.25, 0.52, (31, 95, 209)),
    (0.44, 0.33, 0.75, (200, 50, 60)),
    (0.58, 0.33, 0.63, (46, 158, 74)),
    (0.72, 0.25, 0.70, (208, 130, 27)),
]
PAGE = (0.14, 0.05, 0.86, 0.95)
CORNER = 0.22  # the folded corner's side


def in_round_rect(x, y, left, top, right, bottom, radius):
    if not (left <= x <= right and top <= y <= bottom):
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius


def colour_at(x, y, stroke, bar):
    """The colour at a point of the unit square, or None outside the page."""
    left, top, right, bottom = PAGE
    fold_x = right - CORNER
    fold_y = top + CORNER
    # The fold cuts the corner: past the diagonal there is no page.
    if x - fold_x > y - top:
        return None
    if not in_round_rect(x, y, left, top, right, bottom, 0.05):
        return None
    if x >= fold_x and y <= fold_y:
        # The turned-down flap, edged in ink.
        if x >= fold_x + stroke * 0.7 and y <= fold_y - stroke * 0.7 and \
                x - fold_x < y - top - stroke:
            return FOLD
        return INK
    inner = in_round_rect(x, y, left + stroke, top + stroke, right - stroke, bottom - stroke,
                          max(0.05 - stroke, 0.0))
    diagonal = x - fold_x > y - top - stroke
    if not inner or diagonal:
        return INK
    for (cy, x0, x1, rgb) in LINES:
        if in_round_rect(x, y, x0, cy - bar / 2, x1, cy + bar / 2, bar / 2):
            return rgb
    return PAPER


def render(size):
    """Rows of (r, g, b, a), top row first."""
    stroke = max(1.0 / size, 0.045)
    bar = max(1.2 / size, 0.085)
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = colour_at((px + (sx + 0.5) / SAMPLES) / size,
                                  (py + (sy + 0.5) / SAMPLES) / size, stroke, bar)
                    if c is not None:
                        r += c[0]
                        g += c[1]
                        b += c[2]
                        a += 1
            if a:
                row.append((r // a, g // a, b // a, 255 * a // (SAMPLES * SAMPLES)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def png(rows):
    size = len(rows)
    raw = b"".join(b"\0" + bytes(v for p in row for v in p) for row in rows)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def dib(rows):
    """A 32-bit icon image: header, colour rows bottom-up as BGRA, then the AND mask."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((p[2], p[1], p[0], p[3])) for row in reversed(rows) for p in row)
    stride = ((size + 31) // 32) * 4
    mask = b""
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, p in enumerate(row):
            if p[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + colour + mask


def main():
    images = {size: render(size) for size in SIZES}
    entries = [(size, png(images[size]) if size >= 256 else dib(images[size])) for size in SIZES]
    ico = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    for size, data in entries:
        ico += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    ico += b"".join(data for _, data in entries)
    os.makedirs(OUT, exist_ok=True)
    with open(os.path.join(OUT, "Corvina.ico"), "wb") as f:
        f.write(ico)
    with open(os.path.join(OUT, "Corvina.png"), "wb") as f:
        f.write(png(images[256]))


if __name__ == "__main__":
    main()
