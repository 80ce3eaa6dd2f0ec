#!/usr/bin/python3
"""Compiles the program's Windows resource script with the MinGW resource
compiler and reads the result back: the icon group and its three images, and
every field of the version record.

Usage: check_version_record.py WINDRES PREPROCESSOR RC_FILE ICO_FILE WORK_DIR
Exits 77 (skipped) when WINDRES is empty, i.e. no resource compiler was found.
"""

import os
import struct
import subprocess
import sys

sys.dont_write_bytecode = True
from icon_reader import IconFile, read_group_directory, read_image_header  # noqa: E402
from res_reader import read_res, read_version_node  # noqa: E402

RT_ICON, RT_GROUP_ICON, RT_VERSION = 3, 14, 16
ENGLISH_US = 0x0409

# (width, height, colours, reserved, planes, bit count, bytes, id)
GROUP_ENTRIES = [
    (32, 32, 2, 0, 1, 1, 304, 30001),
    (32, 32, 16, 0, 1, 4, 744, 30002),
    (16, 16, 16, 0, 1, 4, 296, 30003),
]
# (signature, structure version, file version MS, LS, product version MS, LS,
#  flags mask, flags, OS, type, subtype, date MS, LS)
FIXED_INFO = (0xFEEF04BD, 0x00010000, 0x00010001, 0, 0x00010001, 0, 0x3F, 0, 0x4, 0x1, 0, 0, 0)
STRINGS = [
    ("CompanyName", "Varn family"),
    ("FileDescription", "Explore Varn's House in a dynamic 2D environment!"),
    ("LegalCopyright", "Copyright (C) 2026 Varn family"),
    ("ProductName", "Varn's House"),
    ("FileVersion", "1.01"),
    ("ProductVersion", "1.01"),
    ("InternalName", "varns-house"),
    ("OriginalFilename", "varns-house.exe"),
]

problems = []


def expect(what, actual, wanted):
    if actual != wanted:
        problems.append(f"{what}: {actual!r}, wanted {wanted!r}")


def check_icons(resources, ico):
    by_key = {(r.kind, r.name): r for r in resources}
    group = by_key.get((RT_GROUP_ICON, 1))
    if group is None:
        problems.append("no icon group with id 1")
        return
    header, entries, length = read_group_directory(group.data)
    expect("icon group header", header, (0, 1, 3))
    expect("icon group length", len(group.data), length)
    expect("icon group entries", entries, GROUP_ENTRIES)

    icon_ids = sorted(r.name for r in resources if r.kind == RT_ICON)
    expect("icon image ids", icon_ids, [30001, 30002, 30003])
    expect(".ico directory", [e[:7] for e in ico.entries], [e[:7] for e in GROUP_ENTRIES])
    for (width, _, _, _, _, bits, size, number), from_ico in zip(GROUP_ENTRIES, ico.images):
        image = by_key.get((RT_ICON, number))
        if image is None:
            continue
        expect(f"image {number} size", len(image.data), size)
        expect(f"image {number} header", read_image_header(image.data),
               (40, width, 2 * width, 1, bits, 0))
        expect(f"image {number} is the .ico's image", image.data == from_ico, True)


def check_version(resources):
    records = [r for r in resources if r.kind == RT_VERSION]
    expect("version records (id, language)", [(r.name, r.language) for r in records],
           [(1, ENGLISH_US)])
    if not records:
        return
    root, end = read_version_node(records[0].data)
    expect("version record length", end, len(records[0].data))
    expect("root key", root.key, "VS_VERSION_INFO")
    expect("fixed info length", len(root.value), 52)
    if len(root.value) == 52:
        expect("fixed info", struct.unpack("<13I", root.value), FIXED_INFO)
    expect("blocks", [c.key for c in root.children], ["StringFileInfo", "VarFileInfo"])
    if len(root.children) != 2:
        return
    string_info, var_info = root.children
    expect("string tables", [t.key for t in string_info.children], ["040904B0"])
    if string_info.children:
        table = string_info.children[0]
        expect("strings", [(s.key, s.value) for s in table.children], STRINGS)
        expect("string value types", {s.kind for s in table.children}, {1})
    expect("variables", [v.key for v in var_info.children], ["Translation"])
    if var_info.children:
        expect("translation", var_info.children[0].value, struct.pack("<HH", 0x409, 0x4B0))


def main(argv):
    windres, preprocessor, rc_file, ico_file, work_dir = argv[1:6]
    if not windres:
        print("SKIP: i686-w64-mingw32-windres is not installed")
        return 77
    os.makedirs(work_dir, exist_ok=True)
    res_file = os.path.join(work_dir, "varns-house.res")
    command = [windres, "-i", rc_file, "-O", "res", "-o", res_file]
    if preprocessor:
        command.insert(1, f"--preprocessor={preprocessor}")
    subprocess.run(command, check=True)
    with open(res_file, "rb") as f:
        resources = read_res(f.read())
    with open(ico_file, "rb") as f:
        ico = IconFile(f.read())

    expect("resources (type, id, language)",
           sorted((r.kind, r.name, r.language) for r in resources),
           sorted([(RT_ICON, n, ENGLISH_US) for n in (30001, 30002, 30003)] +
                  [(RT_GROUP_ICON, 1, ENGLISH_US), (RT_VERSION, 1, ENGLISH_US)]))
    check_icons(resources, ico)
    check_version(resources)
    for problem in problems:
        print("FAIL:", problem)
    if not problems:
        print(f"ok: {len(resources)} resources as expected")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
