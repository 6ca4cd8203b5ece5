#!/usr/bin/env python3
"""Prints the facts of a Windows program that a reviewer reads from its PE
headers and resources, one "name: value" a line (numbers in hex where Windows'
documentation gives them so). With --manifest it prints the embedded
application manifest instead. Used by scripts/check-ship.sh; objdump shows the
same headers, but not the resources' contents."""
import re
import struct
import sys

RT_VERSION, RT_MANIFEST = 16, 24


class Pe:
    def __init__(self, data):
        self.data = data
        pe = self.u32(0x3C)
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        self.machine, sections, self.timestamp = struct.unpack_from("<HHI", data, pe + 4)
        optional = pe + 24
        self.magic = self.u16(optional)
        self.checksum = self.u32(optional + 64)
        self.subsystem, self.dll_characteristics = struct.unpack_from("<HH", data, optional + 68)
        directories = optional + (112 if self.magic == 0x20B else 96)
        self.directories = [struct.unpack_from("<II", data, directories + 8 * i) for i in range(16)]
        table = optional + self.u16(pe + 20)
        self.sections = [struct.unpack_from("<8sIIII", data, table + 40 * i) for i in range(sections)]

    def u16(self, offset):
        return struct.unpack_from("<H", self.data, offset)[0]

    def u32(self, offset):
        return struct.unpack_from("<I", self.data, offset)[0]

    def offset(self, rva):
        for _, size, address, raw_size, raw in self.sections:
            if address <= rva < address + max(size, raw_size):
                return raw + rva - address
        raise ValueError("address %#x is in no section" % rva)

    def resources(self, kind):
        """The data of every resource of one type (all names, all languages)."""
        rva, size = self.directories[2]
        if size == 0:
            return []
        root = self.offset(rva)
        found = []

        def walk(directory, depth):
            named, ids = struct.unpack_from("<HH", self.data, directory + 12)
            for i in range(named + ids):
                name, target = struct.unpack_from("<II", self.data, directory + 16 + 8 * i)
                if depth == 0 and name != kind:
                    continue
                if target & 0x80000000:
                    walk(root + (target & 0x7FFFFFFF), depth + 1)
                else:
                    data_rva, data_size = struct.unpack_from("<II", self.data, root + target)
                    start = self.offset(data_rva)
                    found.append(self.data[start:start + data_size])

        walk(root, 0)
        return found

    def resource_timestamp(self):
        rva, size = self.directories[2]
        return self.u32(self.offset(rva) + 4) if size else 0


def versions(pe):
    """The product version of the fixed part and of the string table."""
    fixed = text = "none"
    for block in pe.resources(RT_VERSION):
        at = block.find(struct.pack("<I", 0xFEEF04BD))
        if at >= 0:
            high, low = struct.unpack_from("<II", block, at + 16)
            fixed = "%d.%d.%d.%d" % (high >> 16, high & 0xFFFF, low >> 16, low & 0xFFFF)
        match = re.search(r"ProductVersion\x00+([^\x00]*)", block.decode("utf-16-le", "replace"))
        if match:
            text = match.group(1)
    return fixed, text


def main():
    path = sys.argv[-1]
    pe = Pe(open(path, "rb").read())
    if "--manifest" in sys.argv:
        for block in pe.resources(RT_MANIFEST):
            sys.stdout.write(block.decode("utf-8", "replace"))
        return
    fixed, text = versions(pe)
    print("machine: %#x" % pe.machine)
    print("magic: %s" % {0x10B: "PE32", 0x20B: "PE32+"}.get(pe.magic, hex(pe.magic)))
    print("subsystem: %d" % pe.subsystem)
    print("timestamp: %d" % pe.timestamp)
    print("dll_characteristics: %#06x" % pe.dll_characteristics)
    print("relocations: %d" % pe.directories[5][1])
    print("load_config: %d" % pe.directories[10][1])
    print("checksum: %#010x" % pe.checksum)
    print("resource_timestamp: %d" % pe.resource_timestamp())
    print("product_version: %s" % fixed)
    print("product_version_text: %s" % text)


if __name__ == "__main__":
    main()
