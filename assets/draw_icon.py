#!/usr/bin/env python3
"""Draws the program's icon as a 32x32 XPM in the standard 16-colour palette.

A cyan five-pointed star with a magenta outline and a blue pentagon in its centre,
casting a grey and black shadow to the lower right, on a transparent ground.
Run it from this folder; it rewrites rebar-weight.xpm. The PNG and ICO are made
from that file with ImageMagick (see README, "Icon").
"""
import math

SIZE = 32
CX, CY = 14.5, 15.0
OUTER, INNER = 14.0, 5.6
PENTAGON = 4.2


def star(dx=0.0, dy=0.0):
    points = []
    for i in range(10):
        r = OUTER if i % 2 == 0 else INNER
        a = -math.pi / 2 + i * math.pi / 5
        points.append((CX + dx + r * math.cos(a), CY + dy + r * math.sin(a)))
    return points


def pentagon():
    return [(CX + PENTAGON * math.cos(math.pi / 2 + i * 2 * math.pi / 5),
             CY + PENTAGON * math.sin(math.pi / 2 + i * 2 * math.pi / 5)) for i in range(5)]


def inside(poly, x, y):
    result = False
    j = len(poly) - 1
    for i in range(len(poly)):
        (xi, yi), (xj, yj) = poly[i], poly[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            result = not result
        j = i
    return result


def edge_distance(poly, x, y):
    best = float("inf")
    for i in range(len(poly)):
        (x1, y1), (x2, y2) = poly[i], poly[(i + 1) % len(poly)]
        dx, dy = x2 - x1, y2 - y1
        t = max(0.0, min(1.0, ((x - x1) * dx + (y - y1) * dy) / (dx * dx + dy * dy)))
        best = min(best, math.hypot(x - x1 - t * dx, y - y1 - t * dy))
    return best


COLOURS = {" ": "None", "k": "#000000", "g": "#808080", "m": "#FF00FF",
           "c": "#00FFFF", "b": "#0000FF"}


def main():
    body, grey, black, core = star(), star(1.5, 1.5), star(2.5, 2.5), pentagon()
    rows = []
    for py in range(SIZE):
        row = ""
        for px in range(SIZE):
            x, y = px + 0.5, py + 0.5
            ch = " "
            if inside(black, x, y):
                ch = "k"
            if inside(grey, x, y):
                ch = "g"
            if inside(body, x, y):
                ch = "m" if edge_distance(body, x, y) < 1.1 else "c"
                if inside(core, x, y):
                    ch = "b"
            row += ch
        rows.append(row)
    with open("rebar-weight.xpm", "w", encoding="ascii") as out:
        out.write("/* XPM */\nstatic const char *const rebar_weight[] = {\n")
        out.write(f'"{SIZE} {SIZE} {len(COLOURS)} 1",\n')
        for ch, colour in COLOURS.items():
            out.write(f'"{ch} c {colour}",\n')
        out.write(",\n".join(f'"{row}"' for row in rows))
        out.write("\n};\n")


if __name__ == "__main__":
    main()
