#!/usr/bin/env python3
"""Checks the built hook library's image against what the program and the
platform rely on: its size, machine, entry point, export table, shared section
and import list. Usage: hook_library_check.py Tallywhirl.dll Tallywhirl.map"""
import re
import struct
import sys

MAX_SIZE = 4096
MACHINE_I386 = 0x14C
FILE_DLL = 0x2000
SHARED_SECTION = "SHARDATA"
SHARED_FLAGS = 0xD0000040  # shared, read, write, initialised data
SCN_MEM_SHARED = 0x10000000
LIBRARY_NAME = "TALLYWHIRL.dll"
EXPORTS = {"TallywhirlInit": 1, "TallywhirlReset": 2}
IMPORTS = {
    "KERNEL32.DLL": {"OpenEventA", "SetEvent"},
    "USER32.DLL": {"CallNextHookEx", "SetWindowsHookExA", "UnhookWindowsHookEx"},
}

failures = []


def expect(what, want, got):
    if want != got:
        failures.append(f"{what}: want {want!r}, got {got!r}")


class Image:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe : pe + 4] != b"PE\0\0":
            raise SystemExit("not a PE image")
        (self.machine, count, _, _, _, optional_size, self.characteristics) = struct.unpack_from(
            "<HHIIIHH", data, pe + 4
        )
        optional = pe + 24
        self.magic = struct.unpack_from("<H", data, optional)[0]
        self.entry = struct.unpack_from("<I", data, optional + 16)[0]
        self.image_base = struct.unpack_from("<I", data, optional + 28)[0]
        directories = optional + 96
        self.directories = [
            struct.unpack_from("<II", data, directories + 8 * i) for i in range(16)
        ]
        self.sections = []
        table = optional + optional_size
        for i in range(count):
            raw = struct.unpack_from("<8sIIIIIIHHI", data, table + 40 * i)
            name = raw[0].rstrip(b"\0").decode()
            self.sections.append(
                {"name": name, "vsize": raw[1], "rva": raw[2], "rawsize": raw[3],
                 "raw": raw[4], "flags": raw[9]}
            )

    def offset(self, rva):
        for s in self.sections:
            if s["rva"] <= rva < s["rva"] + max(s["vsize"], s["rawsize"]):
                return s["raw"] + rva - s["rva"]
        raise SystemExit(f"RVA {rva:#x} lies in no section")

    def u32(self, rva):
        return struct.unpack_from("<I", self.data, self.offset(rva))[0]

    def u16(self, rva):
        return struct.unpack_from("<H", self.data, self.offset(rva))[0]

    def text(self, rva):
        start = self.offset(rva)
        return self.data[start : self.data.index(b"\0", start)].decode()

    def exports(self):
        rva, _ = self.directories[0]
        name_rva, base, functions, names, _, name_table, ordinal_table = struct.unpack_from(
            "<IIIIIII", self.data, self.offset(rva) + 12
        )
        table = {}
        for i in range(names):
            name = self.text(self.u32(name_table + 4 * i))
            table[name] = base + self.u16(ordinal_table + 2 * i)
        return self.text(name_rva), base, functions, table

    def imports(self):
        rva, _ = self.directories[1]
        table = {}
        while True:
            lookup, _, _, name_rva, thunks = struct.unpack_from("<IIIII", self.data, self.offset(rva))
            if name_rva == 0:
                return table
            names = table.setdefault(self.text(name_rva).upper(), set())
            entry = lookup or thunks
            while (thunk := self.u32(entry)) != 0:
                if thunk & 0x80000000:
                    names.add(f"#{thunk & 0xFFFF}")
                else:
                    names.add(self.text(thunk + 2))
                entry += 4
            rva += 20


def map_symbol(map_text, name, image_base):
    found = re.search(r"0x([0-9a-f]+)\s+_?" + re.escape(name) + r"\s*$", map_text, re.M)
    if not found:
        raise SystemExit(f"{name} is not in the link map")
    return int(found.group(1), 16) - image_base


def main():
    library, map_file = sys.argv[1], sys.argv[2]
    data = open(library, "rb").read()
    image = Image(data)

    if len(data) > MAX_SIZE:
        failures.append(f"file size: want at most {MAX_SIZE}, got {len(data)}")
    expect("machine", MACHINE_I386, image.machine)
    expect("optional header magic (PE32)", 0x10B, image.magic)
    expect("DLL flag", FILE_DLL, image.characteristics & FILE_DLL)
    dll_main = map_symbol(open(map_file).read(), "DllMain@12", image.image_base)
    expect("entry point is DllMain", hex(dll_main), hex(image.entry))

    name, base, functions, exports = image.exports()
    expect("library name in the export table", LIBRARY_NAME, name)
    expect("ordinal base", 1, base)
    expect("exported functions", len(EXPORTS), functions)
    expect("export names and ordinals", EXPORTS, exports)

    shared = [s for s in image.sections if s["name"] == SHARED_SECTION]
    expect("sections named " + SHARED_SECTION, 1, len(shared))
    if shared:
        expect(SHARED_SECTION + " flags", hex(SHARED_FLAGS), hex(shared[0]["flags"]))
        expect(SHARED_SECTION + " size (HookHandle alone)", 4, shared[0]["vsize"])
    others = [s["name"] for s in image.sections if s["flags"] & SCN_MEM_SHARED and
              s["name"] != SHARED_SECTION]
    expect("other shared sections", [], others)

    expect("imports", IMPORTS, image.imports())

    for failure in failures:
        print("FAIL:", failure)
    if failures:
        return 1
    print(f"{library}: {len(data)} bytes, exports {exports}, imports ok")
    return 0


if __name__ == "__main__":
    sys.exit(main())
