#!/usr/bin/python3
"""Checks the committed application icon files: that the generator still
writes exactly them, that the .ico holds its three images in order with the
right formats, that the raw resource files are those images and their group,
and that the theme pictures are square RGBA PNGs whose two smallest sizes
show the same pixels as the icon's sixteen-colour images.

Usage: check_icon_files.py ICON_DIR WORK_DIR
"""

import filecmp
import os
import subprocess
import sys

sys.dont_write_bytecode = True
from icon_reader import IconFile, IconImage, read_group_directory, read_png  # noqa: E402

PNG_SIZES = (16, 32, 48, 64, 128, 256)
# (width, height, colours, reserved, planes, bit count, bytes)
ICO_ENTRIES = [
    (32, 32, 2, 0, 1, 1, 304),
    (32, 32, 16, 0, 1, 4, 744),
    (16, 16, 16, 0, 1, 4, 296),
]
ICON_IDS = (30001, 30002, 30003)

problems = []


def expect(what, actual, wanted):
    if actual != wanted:
        problems.append(f"{what}: {actual!r}, wanted {wanted!r}")


def read(path):
    with open(path, "rb") as f:
        return f.read()


def committed_files(icon_dir):
    names = ["varns-house.ico", "varns-house-group.bin"]
    names += [f"varns-house-{n}.bin" for n in ICON_IDS]
    names += [os.path.join("hicolor", f"varns-house-{s}.png") for s in PNG_SIZES]
    return names


def check_regenerated(icon_dir, work_dir):
    subprocess.run([sys.executable, os.path.join(icon_dir, "generate.py"), work_dir], check=True)
    for name in committed_files(icon_dir):
        if not filecmp.cmp(os.path.join(icon_dir, name), os.path.join(work_dir, name),
                           shallow=False):
            problems.append(f"{name} differs from what generate.py writes now")


def check_ico(icon_dir):
    data = read(os.path.join(icon_dir, "varns-house.ico"))
    ico = IconFile(data)
    expect("ico header", (ico.reserved, ico.kind, len(ico.entries)), (0, 1, 3))
    expect("ico length", len(data), ico.expected_length)
    expect("ico entries", [e[:7] for e in ico.entries], ICO_ENTRIES)
    images = []
    for number, (entry, image_data) in enumerate(zip(ICO_ENTRIES, ico.images)):
        image = IconImage(image_data)
        width, bits, size = entry[0], entry[5], entry[6]
        expect(f"image {number} header",
               (image.header_size, image.width, image.height, image.planes, image.bit_count,
                image.compression), (40, width, 2 * width, 1, bits, 0))
        expect(f"image {number} length", (len(image_data), image.expected_length), (size, size))
        alphas = {p[3] for row in image.pixels for p in row}
        expect(f"image {number} has clear and drawn pixels", alphas, {0, 255})
        images.append(image)
    if images:
        expect("two-colour palette", images[0].palette, [(0, 0, 0), (255, 255, 255)])
    return ico, images


def check_resource_files(icon_dir, ico):
    for number, image_data in zip(ICON_IDS, ico.images):
        raw = read(os.path.join(icon_dir, f"varns-house-{number}.bin"))
        expect(f"varns-house-{number}.bin is the .ico's image", raw == image_data, True)
    header, entries, length = read_group_directory(read(os.path.join(icon_dir,
                                                                     "varns-house-group.bin")))
    expect("group header", header, (0, 1, 3))
    expect("group entries", entries, [e + (n,) for e, n in zip(ICO_ENTRIES, ICON_IDS)])


def check_pngs(icon_dir, images):
    for size in PNG_SIZES:
        width, height, rows = read_png(read(os.path.join(icon_dir, "hicolor",
                                                         f"varns-house-{size}.png")))
        expect(f"{size} px PNG dimensions", (width, height), (size, size))
        alphas = {p[3] for row in rows for p in row}
        expect(f"{size} px PNG has clear and drawn pixels", {0, 255} <= alphas, True)
        if size == 32 and len(images) > 1:
            expect("32 px PNG shows the 16-colour 32 px icon", rows == images[1].pixels, True)
        if size == 16 and len(images) > 2:
            expect("16 px PNG shows the 16 px icon", rows == images[2].pixels, True)


def main(argv):
    icon_dir, work_dir = argv[1:3]
    check_regenerated(icon_dir, work_dir)
    ico, images = check_ico(icon_dir)
    check_resource_files(icon_dir, ico)
    check_pngs(icon_dir, images)
    for problem in problems:
        print("FAIL:", problem)
    if not problems:
        print("ok: icon files as expected")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
