#!/usr/bin/env python3
"""Writes the program's pictures and icons, by default beside this script.
The output is the same on every run; the generated files are kept in the
repository."""

import argparse
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.join(HERE, "source"))

import cover  # noqa: E402
import formats  # noqa: E402
import icons  # noqa: E402
from raster import median_cut  # noqa: E402

# The theme icons: the 16-colour images of the icon file at their own sizes,
# the smooth drawing of the same flame above them.
HICOLOR_SIZES = (16, 32)
SMOOTH_HICOLOR_SIZES = (48, 64, 128, 256)


def write(directory, name, data):
    path = os.path.join(directory, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)
    print(f"{name}: {len(data)} bytes")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--output", default=HERE, help="directory to write into (default: beside this script)")
    out = parser.parse_args().output
    palette, indices = median_cut(cover.draw(), cover.COLOURS)
    write(out, "copertina.bmp", formats.bmp(indices, palette))
    write(out, "icona.ico", formats.ico(icons.about_icon()))
    program = icons.program_icon()
    write(out, "dravelo.ico", formats.ico(program))
    for image in program[1:]:
        size = image.size[0]
        if size in HICOLOR_SIZES:
            write(out, f"hicolor/{size}x{size}/dravelo.png", formats.png(icons.rgba(image)))
    for size in SMOOTH_HICOLOR_SIZES:
        write(out, f"hicolor/{size}x{size}/dravelo.png", formats.png(icons.smooth_flame(size)))


if __name__ == "__main__":
    main()
