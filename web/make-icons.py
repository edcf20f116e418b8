#!/usr/bin/env python3
"""Writes the page's icons into FOLDER, drawn from the program's own icon
(resources/make_icon.py, the same design in the same two colours):

    web/make-icons.py FOLDER

icon-192.png and icon-512.png, the design over the whole square; and
icon-maskable-512.png, for launchers that cut the icon to a circle or a
rounded square: the design drawn within the middle 70 %, inside the safe
zone (a circle of 80 % of the side), on the design's own blue. Only the
standard library is used, so every build writes the same bytes."""
import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / 'resources'))
import make_icon  # noqa: E402

MASKABLE_SHARE = 0.7  # of the side, so the design's corners stay in the safe circle


def padded(rows, size):
    """`rows` of XPM characters centred on a blue square of `size`."""
    blue = make_icon.XPM_CHARS[make_icon.BLUE]
    before = (size - len(rows)) // 2
    after = size - len(rows) - before
    line = blue * size
    return ([line] * before + [blue * before + row + blue * after for row in rows]
            + [line] * after)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    folder = pathlib.Path(sys.argv[1])
    for size in (192, 512):
        pixels = make_icon.indices(make_icon.draw(size))
        (folder / f'icon-{size}.png').write_bytes(make_icon.png_bytes(pixels))
    inner = make_icon.draw(round(512 * MASKABLE_SHARE))
    (folder / 'icon-maskable-512.png').write_bytes(
        make_icon.png_bytes(make_icon.indices(padded(inner, 512))))


if __name__ == '__main__':
    main()
