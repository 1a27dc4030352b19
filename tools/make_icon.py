#!/usr/bin/env python3
"""Draws the application icon (resources/kestrine.ico): a falcon's swept wings in gold on a
deep blue disc, at 16, 32 and 48 pixels, 32 bits per pixel."""
import math
import struct
import sys


def pixel(size, x, y):
    c = (size - 1) / 2
    dx, dy = (x - c) / size, (y - c) / size
    r = math.hypot(dx, dy)
    if r > 0.48:
        return (0, 0, 0, 0)
    # Wings: two strokes from the centre up and out, a body down the middle.
    u = abs(dx)
    wing = abs(dy + 0.05 + 0.55 * u - 0.9 * u * u) < 0.07 and u < 0.38
    body = u < 0.06 and -0.05 < dy < 0.28
    if wing or body:
        return (40, 200, 255, 255)  # BGRA gold
    edge = r > 0.44
    return (120, 50, 20, 255) if edge else (90, 35, 12, 255)


def image(size):
    rows = []
    for y in range(size - 1, -1, -1):  # bottom-up
        rows.append(b"".join(bytes(pixel(size, x, y)) for x in range(size)))
    xor = b"".join(rows)
    mask_row = ((size + 31) // 32) * 4
    and_mask = b"\0" * (mask_row * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    return header + xor + and_mask


def main(path):
    sizes = [16, 32, 48]
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "resources/kestrine.ico")
