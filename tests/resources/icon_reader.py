"""Reads Windows icon files, icon image headers and group-icon directories
back into plain values for the resource checks."""

import struct


def read_image_header(data):
    """(header size, width, height, planes, bit count, compression) of an
    icon image's BITMAPINFOHEADER."""
    return struct.unpack_from("<IiiHHI", data, 0)


class IconFile:
    """An .ico file: its 16-byte directory entries and their images, in order."""

    def __init__(self, data):
        self.header = struct.unpack_from("<HHH", data, 0)
        self.entries = [struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
                        for i in range(self.header[2])]
        self.images = [data[offset:offset + size] for *_, size, offset in self.entries]


def read_group_directory(data):
    """An RT_GROUP_ICON resource: header fields and its 14-byte entries as
    (width, height, colours, reserved, planes, bit count, bytes, id)."""
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    entries = [struct.unpack_from("<BBBBHHIH", data, 6 + 14 * i) for i in range(count)]
    return (reserved, kind, count), entries, 6 + 14 * count
