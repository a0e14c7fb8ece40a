#!/usr/bin/env python3
"""Draws the program's icon (a core of soil layers, an arrow, a sheet of
legend rows) into s1ordo.svg, s1ordo.png (256 px) and s1ordo.ico (16, 32,
48 and 256 px) beside this script. The shapes below are the one source of
all three; run it again after changing them. Needs only the standard
library."""

import os
import struct
import zlib

SIZE = 256  # the design's units; every picture is scaled from these

# (kind, colour, geometry) from the bottom up.
SHAPES = [
    ("round", "#1f4e79", (16, 16, 240, 240, 36)),  # background
    ("rect", "#e8c872", (40, 44, 96, 84)),  # the core's layers, top down
    ("rect", "#a0673a", (40, 84, 96, 128)),
    ("rect", "#b9b9b0", (40, 128, 96, 170)),
    ("rect", "#6b4a2b", (40, 170, 96, 212)),
    ("rect", "#ffffff", (104, 118, 140, 138)),  # the arrow
    ("poly", "#ffffff", ((136, 98), (166, 128), (136, 158))),
    ("round", "#ffffff", (172, 52, 224, 204, 6)),  # the sheet
    ("rect", "#e8c872", (180, 70, 194, 84)),  # its legend rows
    ("rect", "#1f4e79", (200, 74, 216, 80)),
    ("rect", "#a0673a", (180, 102, 194, 116)),
    ("rect", "#1f4e79", (200, 106, 216, 112)),
    ("rect", "#b9b9b0", (180, 134, 194, 148)),
    ("rect", "#1f4e79", (200, 138, 216, 144)),
    ("rect", "#6b4a2b", (180, 166, 194, 180)),
    ("rect", "#1f4e79", (200, 170, 216, 176)),
]


def svg():
    out = ['<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">'
           % (SIZE, SIZE, SIZE, SIZE)]
    for kind, colour, g in SHAPES:
        if kind == "rect":
            x0, y0, x1, y1 = g
            out.append('  <rect x="%g" y="%g" width="%g" height="%g" fill="%s"/>' % (x0, y0, x1 - x0, y1 - y0, colour))
        elif kind == "round":
            x0, y0, x1, y1, r = g
            out.append('  <rect x="%g" y="%g" width="%g" height="%g" rx="%g" fill="%s"/>'
                       % (x0, y0, x1 - x0, y1 - y0, r, colour))
        else:
            points = " ".join("%g,%g" % p for p in g)
            out.append('  <polygon points="%s" fill="%s"/>' % (points, colour))
    out.append("</svg>")
    return "\n".join(out) + "\n"


def inside(kind, g, x, y):
    if kind == "rect":
        x0, y0, x1, y1 = g
        return x0 <= x < x1 and y0 <= y < y1
    if kind == "round":
        x0, y0, x1, y1, r = g
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    # a convex polygon, corners clockwise on screen
    n = len(g)
    for i in range(n):
        (ax, ay), (bx, by) = g[i], g[(i + 1) % n]
        if (bx - ax) * (y - ay) - (by - ay) * (x - ax) < 0:
            return False
    return True


def rgb(colour):
    return tuple(int(colour[i:i + 2], 16) for i in (1, 3, 5))


def raster(px):
    """RGBA rows of the icon at px by px, 4 by 4 samples a pixel."""
    n = 4
    scale = SIZE / px
    rows = []
    for j in range(px):
        row = bytearray()
        for i in range(px):
            r = g = b = a = 0
            for sj in range(n):
                for si in range(n):
                    x = (i + (si + 0.5) / n) * scale
                    y = (j + (sj + 0.5) / n) * scale
                    hit = None
                    for kind, colour, geo in SHAPES:
                        if inside(kind, geo, x, y):
                            hit = colour
                    if hit:
                        cr, cg, cb = rgb(hit)
                        r, g, b, a = r + cr, g + cg, b + cb, a + 1
            if a:
                row += bytes((r // a, g // a, b // a, 255 * a // (n * n)))
            else:
                row += bytes(4)
        rows.append(bytes(row))
    return rows


def png(rows):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    px = len(rows)
    header = struct.pack(">IIBBBBB", px, px, 8, 6, 0, 0, 0)
    data = zlib.compress(b"".join(b"\0" + r for r in rows), 9)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", data) + chunk(b"IEND", b"")


def dib(rows):
    """An icon entry as a 32-bit bitmap: BGRA rows bottom up, then the mask."""
    px = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, px, 2 * px, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes(v for k in range(0, len(r), 4) for v in (r[k + 2], r[k + 1], r[k], r[k + 3]))
                      for r in reversed(rows))
    mask_row = ((px + 31) // 32) * 4
    mask = bytearray()
    for r in reversed(rows):
        bits = bytearray(mask_row)
        for i in range(px):
            if r[4 * i + 3] == 0:
                bits[i // 8] |= 0x80 >> (i % 8)
        mask += bits
    return header + pixels + bytes(mask)


def ico(entries):
    out = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    body = b""
    for px, data in entries:
        side = px if px < 256 else 0
        out += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset + len(body))
        body += data
    return out + body


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "s1ordo.svg"), "w", encoding="ascii", newline="\n") as f:
        f.write(svg())
    big = png(raster(256))
    with open(os.path.join(here, "s1ordo.png"), "wb") as f:
        f.write(big)
    entries = [(px, dib(raster(px))) for px in (16, 32, 48)] + [(256, big)]
    with open(os.path.join(here, "s1ordo.ico"), "wb") as f:
        f.write(ico(entries))


if __name__ == "__main__":
    main()
