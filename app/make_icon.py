#!/usr/bin/env python3
"""Draws the program's icon, a white quaver on a round blue badge, and writes
it as a 48 x 48, 32-bit ICO file (BGRA pixels with alpha, and an AND mask)."""
import math
import struct
import sys

SIZE = 48
SAMPLES = 4  # per axis, for smooth edges


def inside_badge(x, y):
    return (x - 24) ** 2 + (y - 24) ** 2 <= 22.5 ** 2


def inside_note(x, y):
    # Two note heads joined by a beam, like a pair of quavers.
    def head(cx, cy):
        dx, dy = x - cx, y - cy
        a = math.radians(-25)
        u = dx * math.cos(a) - dy * math.sin(a)
        v = dx * math.sin(a) + dy * math.cos(a)
        return (u / 5.2) ** 2 + (v / 3.8) ** 2 <= 1

    stems = (18.3 <= x <= 21.0 and 13 <= y <= 33) or (31.3 <= x <= 34.0 and 10 <= y <= 30)
    beam = 18.3 <= x <= 34.0 and (13 - (x - 18.3) * 0.19) - 0 <= y <= (17.5 - (x - 18.3) * 0.19)
    return head(16.2, 33.5) or head(29.2, 30.5) or stems or beam


def pixel(px, py):
    badge = note = 0
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            x = px + (sx + 0.5) / SAMPLES
            y = py + (sy + 0.5) / SAMPLES
            if inside_badge(x, y):
                badge += 1
                if inside_note(x, y):
                    note += 1
    total = SAMPLES * SAMPLES
    if badge == 0:
        return (0, 0, 0, 0)
    # Badge colour: blue darkening toward the bottom.
    t = py / SIZE
    r, g, b = 40 + 30 * (1 - t), 110 + 60 * (1 - t), 230
    k = note / badge
    r, g, b = (r * (1 - k) + 255 * k, g * (1 - k) + 255 * k, b * (1 - k) + 255 * k)
    return (int(b), int(g), int(r), round(255 * badge / total))


def ico_bytes():
    rows = []
    for y in reversed(range(SIZE)):  # DIBs are stored bottom-up
        rows.append(b"".join(struct.pack("4B", *pixel(x, y)) for x in range(SIZE)))
    xor = b"".join(rows)
    mask_row = ((SIZE + 31) // 32) * 4
    and_mask = bytes(mask_row * SIZE)  # alpha decides; nothing masked
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    image = header + xor + and_mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    with open(sys.argv[1] if len(sys.argv) > 1 else "corvanel.ico", "wb") as out:
        out.write(ico_bytes())
