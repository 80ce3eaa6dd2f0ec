"""Reads a compiled Windows resource file (.res) and the VERSIONINFO tree in
it back into plain values."""

import struct


def _align4(n):
    return (n + 3) & ~3


def _read_id(data, pos):
    """A resource type or name: a number after 0xFFFF, or a UTF-16 string."""
    first, = struct.unpack_from("<H", data, pos)
    if first == 0xFFFF:
        return struct.unpack_from("<H", data, pos + 2)[0], pos + 4
    return _read_wstring(data, pos)


def _read_wstring(data, pos):
    end = pos
    while data[end:end + 2] != b"\0\0":
        end += 2
    return data[pos:end].decode("utf-16-le"), end + 2


class Resource:
    def __init__(self, kind, name, language, flags, data):
        self.kind, self.name, self.language, self.flags, self.data = (
            kind, name, language, flags, data)


def read_res(data):
    """Every resource in the file, in order, without the empty first entry
    that marks a 32-bit .res file."""
    resources, pos = [], 0
    while pos < len(data):
        data_size, header_size = struct.unpack_from("<II", data, pos)
        kind, p = _read_id(data, pos + 8)
        name, p = _read_id(data, p)
        p = _align4(p)
        _, flags, language = struct.unpack_from("<IHH", data, p)
        body = data[pos + header_size:pos + header_size + data_size]
        if not (pos == 0 and data_size == 0):
            resources.append(Resource(kind, name, language, flags, body))
        pos = _align4(pos + header_size + data_size)
    return resources


class VersionNode:
    """A block of a VERSIONINFO resource: key, value and child blocks. Text
    values (type 1) are decoded up to their terminating NUL."""

    def __init__(self, key, kind, value, children):
        self.key, self.kind, self.value, self.children = key, kind, value, children


def read_version_node(data, pos=0):
    length, value_length, kind = struct.unpack_from("<HHH", data, pos)
    end = pos + length
    key, p = _read_wstring(data, pos + 6)
    p = _align4(p)
    if kind == 1:
        raw = data[p:p + 2 * value_length]
        value = raw.decode("utf-16-le").split("\0", 1)[0]
        p += 2 * value_length
    else:
        value = data[p:p + value_length]
        p += value_length
    children = []
    p = _align4(p)
    while p < end:
        child, p = read_version_node(data, p)
        children.append(child)
        p = _align4(p)
    return VersionNode(key, kind, value, children), end
