#!/usr/bin/python3
"""Reads the built varns-house.exe back as a file: it is a Windows GUI
program for the expected processor that imports nothing but system DLLs, and
its resources are the icon group and version record of the resource script,
value for value, plus the manifest that declares it aware of each monitor's
resolution.

Usage: check_exe.py EXE PROCESSOR   (PROCESSOR as CMake names it: x86 or AMD64)
"""

import os
import struct
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "resources"))
import check_version_record as record  # noqa: E402
from res_reader import Resource  # noqa: E402

MACHINES = {"x86": 0x14C, "AMD64": 0x8664}
GUI_SUBSYSTEM = 2
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "msvcrt.dll", "oleacc.dll", "ole32.dll",
               "oleaut32.dll"}
RT_MANIFEST = 24


class PeFile:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        self.machine, sections, _, _, _, optional_size, _ = struct.unpack_from(
            "<HHIIIHH", data, pe + 4)
        optional = pe + 24
        magic = struct.unpack_from("<H", data, optional)[0]
        self.subsystem = struct.unpack_from("<H", data, optional + 68)[0]
        directories = optional + (96 if magic == 0x10B else 112)
        self.directories = [struct.unpack_from("<II", data, directories + 8 * i)
                            for i in range(16)]
        table = optional + optional_size
        self.sections = [struct.unpack_from("<8sIIII", data, table + 40 * i)
                         for i in range(sections)]

    def offset(self, rva):
        for _, virtual_size, address, raw_size, raw_pointer in self.sections:
            if address <= rva < address + max(virtual_size, raw_size):
                return raw_pointer + rva - address
        raise ValueError(f"address {rva:#x} is in no section")

    def c_string(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def imported_dlls(self):
        rva = self.directories[1][0]
        names, at = [], self.offset(rva)
        while True:
            entry = struct.unpack_from("<IIIII", self.data, at)
            if entry == (0, 0, 0, 0, 0):
                return names
            names.append(self.c_string(entry[3]))
            at += 20

    def resources(self):
        """Every resource as (type, name, language) with its bytes, in the
        shape the resource-script check reads from a .res file."""
        root = self.offset(self.directories[2][0])
        found = []

        def entries(directory):
            named, numbered = struct.unpack_from("<HH", self.data, directory + 12)
            for i in range(named + numbered):
                key, target = struct.unpack_from("<II", self.data, directory + 16 + 8 * i)
                if key & 0x80000000:
                    length = struct.unpack_from("<H", self.data, root + (key & 0x7FFFFFFF))[0]
                    start = root + (key & 0x7FFFFFFF) + 2
                    key = self.data[start:start + 2 * length].decode("utf-16-le")
                yield key, target

        for kind, names in entries(root):
            for name, languages in entries(root + (names & 0x7FFFFFFF)):
                for language, leaf in entries(root + (languages & 0x7FFFFFFF)):
                    rva, size, _, _ = struct.unpack_from("<IIII", self.data, root + leaf)
                    start = self.offset(rva)
                    found.append(Resource(kind, name, language, 0, self.data[start:start + size]))
        return found


def main(argv):
    exe, processor = argv[1], argv[2]
    with open(exe, "rb") as f:
        pe = PeFile(f.read())
    expect = record.expect
    expect("machine", hex(pe.machine), hex(MACHINES[processor]))
    expect("subsystem (2 is the GUI)", pe.subsystem, GUI_SUBSYSTEM)
    dlls = sorted(name.lower() for name in pe.imported_dlls())
    expect("DLLs beyond the system's", sorted(set(dlls) - SYSTEM_DLLS), [])

    resources = pe.resources()
    expect("resources (type, id, language)",
           sorted((r.kind, r.name, r.language) for r in resources),
           sorted([(record.RT_ICON, n, record.ENGLISH_US) for n in (30001, 30002, 30003)] +
                  [(record.RT_GROUP_ICON, 1, record.ENGLISH_US),
                   (record.RT_VERSION, 1, record.ENGLISH_US), (RT_MANIFEST, 1, record.ENGLISH_US)]))
    ico_path = os.path.join(os.path.dirname(__file__), "..", "..", "resources", "icon",
                            "varns-house.ico")
    with open(ico_path, "rb") as f:
        record.check_icons(resources, record.IconFile(f.read()))
    record.check_version(resources)
    manifests = [r.data.decode("utf-8") for r in resources if r.kind == RT_MANIFEST]
    expect("manifest declares DPI awareness per monitor, the system's on older Windows",
           any(">true</dpiAware>" in m and ">PerMonitorV2, PerMonitor</dpiAwareness>" in m
               for m in manifests), True)

    for problem in record.problems:
        print("FAIL:", problem)
    if not record.problems:
        print(f"ok: {processor} GUI program importing {', '.join(dlls)}; "
              f"{len(resources)} resources as expected")
    return 1 if record.problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
