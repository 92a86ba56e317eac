#!/usr/bin/env python3
"""Writes placeholder icons until the asset generator paints the real ones: the main icon and
five leaf icons (32 x 32, each stored with 16 and with 256 colours), transparent outside a
simple leaf outline. Run from anywhere; writes into icons/ next to this file."""
import math
import os
import struct

SIZE = 32
HERE = os.path.dirname(os.path.abspath(__file__))

# The 16 colours of the 4-bit images: the classic system palette.
PALETTE16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def palette256():
    """The 16 above, then a 6 x 6 x 6 colour cube, then greys."""
    colours = list(PALETTE16)
    steps = [0, 51, 102, 153, 204, 255]
    colours += [(r, g, b) for r in steps for g in steps for b in steps]
    while len(colours) < 256:
        grey = (len(colours) - 232) * 10
        colours.append((grey, grey, grey))
    return colours[:256]


def nearest(palette, colour):
    return min(range(len(palette)),
               key=lambda i: sum((a - b) ** 2 for a, b in zip(palette[i], colour)))


def leaf_shape(angle):
    """Pixels inside a pointed leaf along a diagonal, with a darker midrib."""
    inside, vein = set(), set()
    c, s = math.cos(angle), math.sin(angle)
    for y in range(SIZE):
        for x in range(SIZE):
            u = ((x - 15.5) * c + (y - 15.5) * s) / 14.0
            v = (-(x - 15.5) * s + (y - 15.5) * c) / 14.0
            if abs(u) <= 1 and abs(v) <= 0.55 * (1 - u * u) ** 0.8:
                inside.add((x, y))
                if abs(v) < 0.06:
                    vein.add((x, y))
    return inside, vein


def picture(body, rib, angle):
    inside, vein = leaf_shape(angle)
    pixels = {}
    for point in inside:
        pixels[point] = rib if point in vein else body
    return pixels


def bitmap_entry(pixels, palette, bits):
    colours = [nearest(palette, pixels[(x, y)]) if (x, y) in pixels else 0
               for y in range(SIZE) for x in range(SIZE)]
    xor_rows, and_rows = [], []
    for y in reversed(range(SIZE)):  # bottom-up
        row = colours[y * SIZE:(y + 1) * SIZE]
        if bits == 4:
            data = bytes((row[i] << 4) | row[i + 1] for i in range(0, SIZE, 2))
        else:
            data = bytes(row)
        xor_rows.append(data.ljust((len(data) + 3) // 4 * 4, b"\0"))
        mask = 0
        for x in range(SIZE):
            mask = (mask << 1) | (0 if (x, y) in pixels else 1)
        and_rows.append(mask.to_bytes(SIZE // 8, "big").ljust(4, b"\0"))
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, bits, 0, 0, 0, 0,
                         len(palette), 0)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return header + table + b"".join(xor_rows) + b"".join(and_rows)


def write_icon(name, pixels):
    images = [(4, bitmap_entry(pixels, PALETTE16, 4)), (8, bitmap_entry(pixels, palette256(), 8))]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for bits, data in images:
        out += struct.pack("<BBBBHHII", SIZE, SIZE, 16 if bits == 4 else 0, 0, 1, bits,
                           len(data), offset)
        offset += len(data)
    out += b"".join(data for _, data in images)
    with open(os.path.join(HERE, "icons", name), "wb") as f:
        f.write(out)


LEAVES = [  # body and midrib colours, angle of the leaf
    ((214, 64, 24), (120, 30, 10), 0.8),
    ((236, 160, 32), (150, 90, 10), 2.2),
    ((168, 40, 40), (90, 20, 20), 0.2),
    ((200, 120, 40), (110, 60, 20), 1.4),
    ((232, 200, 64), (140, 110, 20), 2.8),
]

if __name__ == "__main__":
    os.makedirs(os.path.join(HERE, "icons"), exist_ok=True)
    write_icon("main.ico", picture((208, 96, 24), (96, 40, 8), 0.785))
    for number, (body, rib, angle) in enumerate(LEAVES, start=1):
        write_icon("leaf%d.ico" % number, picture(body, rib, angle))
