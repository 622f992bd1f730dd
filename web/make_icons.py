#!/usr/bin/python3
"""Writes the web app's icons from the program's 32 x 32 icon (assets/rebar-weight.xpm),
each pixel scaled up by a whole factor, so that the star keeps its hard edges:

    make_icons.py <rebar-weight.xpm> <size>:<output.png> ...

<size> must be a multiple of 32 (192 is 6 x, 512 is 16 x). The PNGs are indexed-colour
with the transparent ground in tRNS, written with the standard library alone; the same
input gives the same bytes.
"""
import re
import struct
import sys
import zlib


def read_xpm(path):
    """The XPM's pixels as rows of colour keys, and each key's RGBA."""
    strings = re.findall(r'"([^"]*)"', open(path, encoding="ascii").read())
    width, height, count, per = (int(v) for v in strings[0].split()[:4])
    colours = {}
    for line in strings[1:1 + count]:
        key, spec = line[:per], line[per:].split()
        value = spec[spec.index("c") + 1]
        if value.lower() == "none":
            colours[key] = (0, 0, 0, 0)
        else:
            colours[key] = tuple(int(value[i:i + 2], 16) for i in (1, 3, 5)) + (255,)
    rows = [[row[x * per:(x + 1) * per] for x in range(width)]
            for row in strings[1 + count:1 + count + height]]
    return rows, colours


def chunk(kind, data):
    return (struct.pack(">I", len(data)) + kind + data
            + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))


def png(rows, colours, factor):
    keys = sorted(colours, key=lambda k: (colours[k][3], k))  # the transparent one first
    index = {k: i for i, k in enumerate(keys)}
    size = len(rows[0]) * factor
    raw = bytearray()
    for row in rows:
        line = b"\0" + bytes(index[k] for k in row for _ in range(factor))
        raw += line * factor
    palette = b"".join(bytes(colours[k][:3]) for k in keys)
    alpha = bytes(colours[k][3] for k in keys)
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", size, len(rows) * factor, 8, 3, 0, 0, 0))
            + chunk(b"PLTE", palette) + chunk(b"tRNS", alpha)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def main():
    rows, colours = read_xpm(sys.argv[1])
    for target in sys.argv[2:]:
        size, output = target.split(":", 1)
        factor, rest = divmod(int(size), len(rows[0]))
        if rest or factor < 1:
            sys.exit(f"make_icons.py: {size} is no whole multiple of {len(rows[0])}")
        with open(output, "wb") as out:
            out.write(png(rows, colours, factor))


if __name__ == "__main__":
    main()
