#!/usr/bin/env python3
"""Writes the BMP samples of the gfx tests: small valid pictures (also the fuzz corpus seeds)
and malformed ones, each with one fault. Run from anywhere; rewrites the files in place."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
CORPUS = os.path.join(HERE, "..", "..", "..", "fuzz", "corpus", "bmp")


def row_bytes(width, depth):
    return (width * depth + 31) // 32 * 4


def pack_rows(indices, width, depth):
    """indices: rows of pixel values (indices, or (r, g, b) for 24/32), top row first."""
    out = b""
    for row in indices:
        if depth in (1, 4):
            bits = 0
            n = 0
            data = bytearray()
            for v in row:
                bits = (bits << depth) | v
                n += depth
                if n == 8:
                    data.append(bits)
                    bits, n = 0, 0
            if n:
                data.append(bits << (8 - n))
        elif depth == 8:
            data = bytearray(row)
        else:
            data = bytearray()
            for r, g, b in row:
                data += bytes([b, g, r]) + (b"\x00" if depth == 32 else b"")
        data += b"\x00" * (row_bytes(width, depth) - len(data))
        out += bytes(data)
    return out


def bmp(width, height, depth, table, rows, top_down=False, header_size=40, compression=0,
        planes=1, colours_used=None, masks=b"", size_fix=None, offset_fix=None, cut=0):
    stored = rows if top_down else rows[::-1]
    pixels = pack_rows(stored, width, depth)
    if header_size == 12:
        info = struct.pack("<IHHHH", 12, width, height, planes, depth)
        tab = b"".join(bytes([b, g, r]) for r, g, b in table)
    else:
        used = len(table) if colours_used is None else colours_used
        h = -height if top_down else height
        info = struct.pack("<IiiHHIIiiII", header_size, width, h, planes, depth, compression,
                           len(pixels), 2835, 2835, used, 0)
        if header_size > 40:
            extra = masks if masks else b"\x00" * 16
            info += extra + b"\x00" * (header_size - 40 - len(extra))
            masks = b""
        tab = b"".join(bytes([b, g, r, 0]) for r, g, b in table)
    offset = 14 + len(info) + len(masks) + len(tab)
    if offset_fix is not None:
        offset = offset_fix
    body = info + masks + tab + pixels
    if cut:
        body = body[:-cut]
    size = 14 + len(body) if size_fix is None else size_fix
    return b"BM" + struct.pack("<IHHI", size, 0, 0, offset) + body


GREY16 = [(i * 17, i * 17, i * 17) for i in range(16)]
WARM = [(255, 0, 0), (0, 128, 0), (0, 0, 255), (255, 255, 0)]
RGB = [[(255, 0, 0), (0, 255, 0), (0, 0, 255)], [(10, 20, 30), (255, 255, 255), (0, 0, 0)]]


def valid_samples():
    return {
        "mono_bw_3x2.bmp": bmp(3, 2, 1, [(0, 0, 0), (255, 255, 255)], [[1, 0, 1], [0, 0, 1]]),
        "mono_wb_3x2.bmp": bmp(3, 2, 1, [(255, 255, 255), (0, 0, 0)], [[1, 0, 1], [0, 0, 1]]),
        "one_bit_colour_2x2.bmp": bmp(2, 2, 1, [(255, 0, 0), (0, 0, 255)], [[0, 1], [1, 1]]),
        "four_bit_5x3.bmp": bmp(5, 3, 4, GREY16, [[0, 1, 2, 3, 15], [4, 5, 6, 7, 8], [9, 10, 11, 12, 13]]),
        "eight_bit_4x2_topdown.bmp": bmp(4, 2, 8, WARM, [[0, 1, 2, 3], [3, 2, 1, 0]], top_down=True),
        "eight_bit_4x2.bmp": bmp(4, 2, 8, WARM, [[0, 1, 2, 3], [3, 2, 1, 0]]),
        "rgb24_3x2.bmp": bmp(3, 2, 24, [], RGB),
        "rgb32_3x2.bmp": bmp(3, 2, 32, [], RGB),
        "rgb32_bitfields_3x2.bmp": bmp(3, 2, 32, [], RGB, compression=3,
                                       masks=struct.pack("<III", 0xFF0000, 0xFF00, 0xFF)),
        "rgb24_v5_3x2.bmp": bmp(3, 2, 24, [], RGB, header_size=124),
        "rgb24_v4_3x2_topdown.bmp": bmp(3, 2, 24, [], RGB, header_size=108, top_down=True),
        "core_eight_bit_4x2.bmp": bmp(4, 2, 8, WARM + [(0, 0, 0)] * 252, [[0, 1, 2, 3], [3, 2, 1, 0]],
                                      header_size=12),
    }


def with_byte(data, at, fmt, value):
    data = bytearray(data)
    struct.pack_into(fmt, data, at, value)
    return bytes(data)


def malformed_samples():
    base8 = bmp(4, 2, 8, WARM, [[0, 1, 2, 3], [3, 2, 1, 0]])
    rgb = bmp(3, 2, 24, [], RGB)
    return {
        "bad_too_short.bmp": b"BM\x08\x00\x00\x00\x00\x00",
        "bad_magic.bmp": b"BA" + base8[2:],
        "bad_size_field.bmp": with_byte(base8, 2, "<I", len(base8) + 1),
        "bad_header_size.bmp": with_byte(base8, 14, "<I", 64),
        "bad_planes.bmp": with_byte(base8, 26, "<H", 2),
        "bad_depth.bmp": with_byte(rgb, 28, "<H", 16),
        "bad_compression.bmp": with_byte(base8, 30, "<I", 1),
        "bad_bitfields_masks.bmp": bmp(3, 2, 32, [], RGB, compression=3,
                                       masks=struct.pack("<III", 0xFF, 0xFF00, 0xFF0000)),
        "bad_width_zero.bmp": with_byte(base8, 18, "<i", 0),
        "bad_width_large.bmp": with_byte(base8, 18, "<i", 32768),
        "bad_height_zero.bmp": with_byte(base8, 22, "<i", 0),
        "bad_height_large.bmp": with_byte(base8, 22, "<i", -32768),
        "bad_height_min.bmp": with_byte(base8, 22, "<i", -2147483648),
        "bad_colour_count.bmp": with_byte(base8, 46, "<I", 257),
        "bad_offset_inside.bmp": with_byte(base8, 10, "<I", 60),
        "bad_offset_past_end.bmp": with_byte(base8, 10, "<I", len(base8)),
        "bad_pixels_past_end.bmp": bmp(4, 2, 8, WARM, [[0, 1, 2, 3], [3, 2, 1, 0]], cut=1),
        "bad_huge_pixels.bmp": with_byte(with_byte(rgb, 18, "<i", 32767), 22, "<i", 32767),
        "bad_palette_index.bmp": bmp(4, 2, 8, WARM, [[0, 1, 2, 9], [3, 2, 1, 0]]),
        "bad_palette_index_1bit.bmp": bmp(2, 1, 1, [(0, 0, 0)], [[0, 1]]),
    }


def main():
    os.makedirs(CORPUS, exist_ok=True)
    for name, data in valid_samples().items():
        for folder in (HERE, CORPUS):
            with open(os.path.join(folder, name), "wb") as f:
                f.write(data)
    for name, data in malformed_samples().items():
        for folder in (HERE, CORPUS):
            with open(os.path.join(folder, name), "wb") as f:
                f.write(data)


if __name__ == "__main__":
    main()
