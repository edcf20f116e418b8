#!/usr/bin/env python3
"""Draws the Quotalis icon and writes it in the three forms the build uses.

    resources/make_icon.py              draw the design, write icon.xpm, icon.png, icon.ico
                                        and the larger icon-N.png
    resources/make_icon.py --from-xpm   keep icon.xpm as it is (after editing it by hand)
                                        and write icon.png and icon.ico from it

The design: on a pure blue square, a white ring of two arrows chasing each
other clockwise (arrowheads at the top and the bottom) around a zero, a
decimal point low to its right and two square dots at mid-height further
right. 32 x 32 pixels, every pixel opaque and drawn from the 16 colours of the
classic Windows palette, so the .ico is a plain 4-bit icon.

icon.xpm is the readable source: one character a pixel. The desktop also
wants larger sizes (48 x 48 at least); icon-48.png ... icon-256.png are the
same design drawn at those sizes, in the same two colours, always from the
drawing below rather than from the XPM. Only the standard library is used, so
the outputs are the same on every machine.
"""

import math
import pathlib
import struct
import sys
import zlib

SIZE = 32
HERE = pathlib.Path(__file__).resolve().parent

# The 16-colour palette, in its usual order.
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLUE = (0x00, 0x00, 0xFF)
WHITE = (0xFF, 0xFF, 0xFF)
XPM_CHARS = {BLUE: ".", WHITE: "#"}

# Ring: centre, radius of its middle line and half its thickness, in pixels.
CENTRE = (16.0, 16.0)
RING_RADIUS = 12.2
RING_HALF = 1.15
# Each arrow, in degrees clockwise from the top: where its tail starts, where
# its head's base is, where its tip is.
ARROWS = [(24.0, 152.0, 180.0), (204.0, 332.0, 360.0)]
HEAD_HALF = 3.6  # half the width of an arrowhead's base


def polar(radius, degrees):
    a = math.radians(degrees)
    return CENTRE[0] + radius * math.sin(a), CENTRE[1] - radius * math.cos(a)


def angle_of(x, y):
    return math.degrees(math.atan2(x - CENTRE[0], -(y - CENTRE[1]))) % 360.0


def in_triangle(p, a, b, c):
    def side(p1, p2, p3):
        return (p1[0] - p3[0]) * (p2[1] - p3[1]) - (p2[0] - p3[0]) * (p1[1] - p3[1])
    d1, d2, d3 = side(p, a, b), side(p, b, c), side(p, c, a)
    has_neg = d1 < 0 or d2 < 0 or d3 < 0
    has_pos = d1 > 0 or d2 > 0 or d3 > 0
    return not (has_neg and has_pos)


def in_arrow(x, y):
    r = math.hypot(x - CENTRE[0], y - CENTRE[1])
    t = angle_of(x, y)
    for tail, base, tip in ARROWS:
        if abs(r - RING_RADIUS) <= RING_HALF and tail <= t <= base:
            return True
        head = (polar(RING_RADIUS - HEAD_HALF, base), polar(RING_RADIUS + HEAD_HALF, base),
                polar(RING_RADIUS, tip))
        if in_triangle((x, y), *head):
            return True
    return False


def in_zero(x, y):
    # An upright oval stroke, 7 pixels wide and 12 high, at x 7..13, y 10..21.
    cx, cy = 10.5, 16.0
    outer = ((x - cx) / 3.5) ** 2 + ((y - cy) / 6.0) ** 2 <= 1.0
    inner = ((x - cx) / 1.6) ** 2 + ((y - cy) / 4.1) ** 2 <= 1.0
    return outer and not inner


SQUARES = [
    (15, 20),  # the decimal point, level with the foot of the zero
    (19, 15),  # the two dots, at the zero's mid-height
    (23, 15),
]


LARGER_SIZES = (48, 64, 128, 256)


def draw(size=SIZE):
    """Returns the design drawn size x size pixels, as rows of XPM characters.

    Coordinates above are for 32 x 32; each pixel is white when at least half
    of its samples fall on the design, or when its centre lies on a square.
    """
    scale = size / SIZE
    samples = 4
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            hits = 0
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) / scale
                    y = (py + (sy + 0.5) / samples) / scale
                    if in_arrow(x, y) or in_zero(x, y):
                        hits += 1
            white = hits * 2 >= samples * samples
            cx, cy = (px + 0.5) / scale, (py + 0.5) / scale
            if any(sx <= cx < sx + 2 and sy <= cy < sy + 2 for sx, sy in SQUARES):
                white = True
            row.append(XPM_CHARS[WHITE if white else BLUE])
        rows.append("".join(row))
    return rows


def indices(rows):
    """XPM characters to palette indices."""
    index_of = {char: PALETTE.index(colour) for colour, char in XPM_CHARS.items()}
    return [[index_of[c] for c in row] for row in rows]


def write_xpm(path, rows):
    lines = ["/* XPM */", "static const char *const quotalis_icon[] = {",
             f'"{SIZE} {SIZE} {len(XPM_CHARS)} 1",']
    for colour, char in XPM_CHARS.items():
        lines.append('"%s c #%02X%02X%02X",' % ((char,) + colour))
    lines += [f'"{row}",' for row in rows]
    lines[-1] = lines[-1].rstrip(",")
    lines.append("};")
    path.write_text("\n".join(lines) + "\n", encoding="ascii")


def read_xpm(path):
    """Returns the pixels of an XPM as rows of palette indices."""
    strings = [line.strip().rstrip(",").strip('"') for line in path.read_text().splitlines()
               if line.strip().startswith('"')]
    width, height, ncolours, cpp = (int(v) for v in strings[0].split()[:4])
    if (width, height, cpp) != (SIZE, SIZE, 1):
        sys.exit(f"{path}: expected {SIZE}x{SIZE} with one character a pixel")
    index_of = {}
    for entry in strings[1:1 + ncolours]:
        char, _, value = entry[0], entry[1:].split()[0], entry[1:].split()[1]
        rgb = tuple(int(value[i:i + 2], 16) for i in (1, 3, 5))
        if rgb not in PALETTE:
            sys.exit(f"{path}: colour {value} is not one of the 16 palette colours")
        index_of[char] = PALETTE.index(rgb)
    rows = strings[1 + ncolours:1 + ncolours + height]
    return [[index_of[c] for c in row] for row in rows]


def pack_nibbles(row):
    return bytes((row[i] << 4) | row[i + 1] for i in range(0, len(row), 2))


def png_bytes(pixels):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    size = len(pixels)
    header = struct.pack(">IIBBBBB", size, size, 4, 3, 0, 0, 0)  # 4-bit palette
    palette = b"".join(bytes(c) for c in PALETTE)
    raw = b"".join(b"\x00" + pack_nibbles(row) for row in pixels)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"PLTE", palette)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def ico_bytes(pixels):
    # One 4-bit image: header, 16 palette entries, colour rows bottom-up, then
    # an all-clear AND mask (no transparent pixel), rows padded to 4 bytes.
    colour_rows = b"".join(pack_nibbles(row) for row in reversed(pixels))
    mask_rows = bytes(4 * SIZE)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 4, 0,
                       len(colour_rows) + len(mask_rows), 0, 0, 16, 0)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    image = info + palette + colour_rows + mask_rows
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def main():
    xpm = HERE / "icon.xpm"
    if "--from-xpm" not in sys.argv[1:]:
        write_xpm(xpm, draw())
    pixels = read_xpm(xpm)
    (HERE / "icon.png").write_bytes(png_bytes(pixels))
    (HERE / "icon.ico").write_bytes(ico_bytes(pixels))
    for size in LARGER_SIZES:
        (HERE / f"icon-{size}.png").write_bytes(png_bytes(indices(draw(size))))


if __name__ == "__main__":
    main()
