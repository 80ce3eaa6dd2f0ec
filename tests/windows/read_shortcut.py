#!/usr/bin/python3
"""Prints what a Windows shortcut (.lnk) file says, one "name=value" line
each: target (the local path it starts), description, workdir and icon.

Usage: read_shortcut.py FILE.lnk
"""

import struct
import sys

HAS_ID_LIST, HAS_LINK_INFO, IS_UNICODE = 0x1, 0x2, 0x80
# The optional strings in the order they follow the header, each with its flag.
STRINGS = [("description", 0x4), ("relative", 0x8), ("workdir", 0x10),
           ("arguments", 0x20), ("icon", 0x40)]


def read(data):
    if struct.unpack_from("<I", data, 0)[0] != 0x4C:
        raise ValueError("not a shortcut: wrong header size")
    flags = struct.unpack_from("<I", data, 20)[0]
    at = 0x4C
    if flags & HAS_ID_LIST:
        at += 2 + struct.unpack_from("<H", data, at)[0]
    found = {}
    if flags & HAS_LINK_INFO:
        size, _, _, _, base = struct.unpack_from("<5I", data, at)
        end = data.index(b"\0", at + base)
        found["target"] = data[at + base:end].decode("cp1252")
        at += size
    for name, flag in STRINGS:
        if flags & flag:
            count = struct.unpack_from("<H", data, at)[0]
            width = 2 if flags & IS_UNICODE else 1
            raw = data[at + 2:at + 2 + count * width]
            found[name] = raw.decode("utf-16-le" if width == 2 else "cp1252")
            at += 2 + count * width
    return found


if __name__ == "__main__":
    with open(sys.argv[1], "rb") as f:
        for name, value in read(f.read()).items():
            print(f"{name}={value}")
