"""Reads Windows icon files and icon images back into plain values, and PNG
files written without row filters, for the icon and resource checks."""

import struct
import zlib


class IconImage:
    """One icon image: its BITMAPINFOHEADER fields and its pixels as rows of
    (r, g, b, a), transparent where the AND mask is set."""

    def __init__(self, data):
        self.data = data
        (self.header_size, self.width, self.height, self.planes, self.bit_count,
         self.compression, self.size_image) = struct.unpack_from("<IiiHHII", data, 0)
        colours = 2 ** self.bit_count
        self.palette = [struct.unpack_from("<BBBB", data, 40 + 4 * i)[2::-1]
                        for i in range(colours)]
        side = self.width
        xor_stride = (side * self.bit_count + 31) // 32 * 4
        and_stride = (side + 31) // 32 * 4
        xor_at = 40 + 4 * colours
        and_at = xor_at + xor_stride * side
        self.expected_length = and_at + and_stride * side
        self.pixels = []
        for y in range(side):
            xor_row = data[xor_at + (side - 1 - y) * xor_stride:][:xor_stride]
            and_row = data[and_at + (side - 1 - y) * and_stride:][:and_stride]
            row = []
            for x in range(side):
                if (and_row[x // 8] >> (7 - x % 8)) & 1:
                    row.append((0, 0, 0, 0))
                    continue
                bit = x * self.bit_count
                index = (xor_row[bit // 8] >> (8 - self.bit_count - bit % 8)) & (colours - 1)
                row.append(tuple(self.palette[index]) + (255,))
            self.pixels.append(row)


class IconFile:
    """An .ico file: its directory entries and their images, in file order."""

    def __init__(self, data):
        self.reserved, self.kind, count = struct.unpack_from("<HHH", data, 0)
        self.entries = []
        self.images = []
        for i in range(count):
            fields = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
            self.entries.append(fields)
            size, offset = fields[6], fields[7]
            self.images.append(data[offset:offset + size])
        last = self.entries[-1] if self.entries else None
        self.expected_length = last[7] + last[6] if last else 6


def read_group_directory(data):
    """An RT_GROUP_ICON resource: header fields and its 14-byte entries as
    (width, height, colours, reserved, planes, bit count, bytes, id)."""
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    entries = [struct.unpack_from("<BBBBHHIH", data, 6 + 14 * i) for i in range(count)]
    return (reserved, kind, count), entries, 6 + 14 * count


def read_png(data):
    """(width, height, rows of (r, g, b, a)) of an 8-bit RGBA PNG whose rows
    all use filter 0, as the icon generator writes them."""
    assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack_from(">I4s", data, pos)
        body = data[pos + 8:pos + 8 + length]
        crc, = struct.unpack_from(">I", data, pos + 8 + length)
        assert crc == zlib.crc32(kind + body), f"bad CRC in {kind!r}"
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    width, height, depth, colour_type = header[:4]
    assert (depth, colour_type) == (8, 6), "not 8-bit RGBA"
    raw = zlib.decompress(idat)
    stride = 1 + 4 * width
    rows = []
    for y in range(height):
        line = raw[y * stride:(y + 1) * stride]
        assert line[0] == 0, "row filter other than none"
        rows.append([tuple(line[1 + 4 * x:5 + 4 * x]) for x in range(width)])
    return width, height, rows
