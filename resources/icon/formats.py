"""Byte layouts for the icon files: Windows icon images (DIBs with XOR and AND
masks), the .ico container, the group-icon directory a resource script needs,
and RGBA PNG files. Standard library only.
"""

import struct
import zlib


def _packed_rows(rows, bits_per_pixel):
    """Rows of small integers packed most significant bits first, each row
    padded to a multiple of four bytes, bottom row first."""
    out = bytearray()
    per_byte = 8 // bits_per_pixel
    for row in reversed(rows):
        line = bytearray()
        for start in range(0, len(row), per_byte):
            byte = 0
            for i, value in enumerate(row[start:start + per_byte]):
                byte |= value << (8 - bits_per_pixel * (i + 1))
            line.append(byte)
        line += bytes(-len(line) % 4)
        out += line
    return bytes(out)


def icon_image(grid, palette, bits_per_pixel):
    """One icon image as stored in an .ico file or an RT_ICON resource: a
    BITMAPINFOHEADER of double height, the palette, the colour (XOR) mask and
    the transparency (AND) mask. Transparent cells (None) are black in the
    colour mask and set in the AND mask."""
    size = len(grid)
    xor_mask = _packed_rows([[c or 0 for c in row] for row in grid], bits_per_pixel)
    and_mask = _packed_rows([[1 if c is None else 0 for c in row] for row in grid], 1)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits_per_pixel, 0,
                         len(xor_mask) + len(and_mask), 0, 0, 0, 0)
    quads = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    quads += bytes(4 * (2 ** bits_per_pixel) - len(quads))
    return header + quads + xor_mask + and_mask


class IconEntry:
    """An image of the icon with the directory fields that describe it."""

    def __init__(self, size, colours, bits_per_pixel, data):
        self.size, self.colours, self.bits_per_pixel, self.data = size, colours, bits_per_pixel, data

    def fields(self):
        width = self.size % 256  # 0 stands for 256
        colours = self.colours % 256
        return struct.pack("<BBBBHHI", width, width, colours, 0, 1, self.bits_per_pixel,
                           len(self.data))


def ico_file(entries):
    """ICONDIR, one 16-byte ICONDIRENTRY per image, then the images."""
    out = bytearray(struct.pack("<HHH", 0, 1, len(entries)))
    offset = 6 + 16 * len(entries)
    for entry in entries:
        out += entry.fields() + struct.pack("<I", offset)
        offset += len(entry.data)
    for entry in entries:
        out += entry.data
    return bytes(out)


def group_icon_directory(entries, first_id):
    """The RT_GROUP_ICON resource: the ICONDIR header with 14-byte entries
    naming the RT_ICON resources first_id, first_id + 1, ..."""
    out = bytearray(struct.pack("<HHH", 0, 1, len(entries)))
    for number, entry in enumerate(entries):
        out += entry.fields() + struct.pack("<H", first_id + number)
    return bytes(out)


def _chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def png_file(pixels):
    """A square, 8-bit RGBA, non-interlaced PNG of rows of (r, g, b, a)."""
    size = len(pixels)
    raw = bytearray()
    for row in pixels:
        raw.append(0)  # no filter
        for pixel in row:
            raw += bytes(pixel)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + _chunk(b"IHDR", header) +
            _chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + _chunk(b"IEND", b""))
