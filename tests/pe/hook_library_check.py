#!/usr/bin/env python3
"""Checks the built hook library's image against what the program and the
platform rely on: its size, machine, entry point, export table, shared section
and import list. Usage: hook_library_check.py Tallywhirl.dll Tallywhirl.map"""
import re, struct, sys  # noqa: E401

data = open(sys.argv[1], "rb").read()
u = lambda fmt, at: struct.unpack_from("<" + fmt, data, at)  # noqa: E731
pe = u("I", 0x3C)[0]
if data[pe : pe + 4] != b"PE\0\0":
    sys.exit("not a PE image")
machine, count, _, _, _, optional_size, characteristics = u("HHIIIHH", pe + 4)
(magic,), (entry,), (image_base,) = u("H", pe + 24), u("I", pe + 40), u("I", pe + 52)
(export_rva, _, import_rva, _) = u("4I", pe + 120)
# name, virtual size, RVA, raw size, raw offset, ..., flags
sections = [u("8sIIIIIIHHI", pe + 24 + optional_size + 40 * i) for i in range(count)]


def at(rva):
    for s in sections:
        if s[2] <= rva < s[2] + max(s[1], s[3]):
            return s[4] + rva - s[2]
    sys.exit(f"RVA {rva:#x} lies in no section")


def text(rva):
    return data[at(rva) : data.index(b"\0", at(rva))].decode()


name, base, functions, names, _, name_table, ordinals = u("7I", at(export_rva) + 12)
exports = {text(u("I", at(name_table + 4 * i))[0]): base + u("H", at(ordinals + 2 * i))[0]
           for i in range(names)}
imports = {}
while (descriptor := u("5I", at(import_rva)))[3]:
    thunks = imports.setdefault(text(descriptor[3]).upper(), set())
    entry_rva = descriptor[0] or descriptor[4]
    while thunk := u("I", at(entry_rva))[0]:
        thunks.add(f"#{thunk & 0xFFFF}" if thunk & 0x80000000 else text(thunk + 2))
        entry_rva += 4
    import_rva += 20
dll_main = re.search(r"0x([0-9a-f]+)\s+_?DllMain@12\s*$", open(sys.argv[2]).read(), re.M)
# Every section named SHARDATA or shared: none, as the library keeps its
# state per process.
shared = [(s[0].rstrip(b"\0"), hex(s[9]), s[1]) for s in sections
          if s[0].rstrip(b"\0") == b"SHARDATA" or s[9] & 0x10000000]
failures = [f"{what}: got {got!r}" for what, holds, got in [
    ("file size at most 4096", len(data) <= 4096, len(data)),
    ("i386, PE32, DLL", (machine, magic, characteristics & 0x2000) == (0x14C, 0x10B, 0x2000),
     (hex(machine), hex(magic), hex(characteristics))),
    ("entry point is DllMain", dll_main and int(dll_main[1], 16) - image_base == entry, hex(entry)),
    ("name, ordinal base, functions", (text(name), base, functions) == ("TALLYWHIRL.dll", 1, 2),
     (text(name), base, functions)),
    ("export names and ordinals", exports == {"TallywhirlInit": 1, "TallywhirlReset": 2}, exports),
    ("no shared section", shared == [], shared),
    ("imports", imports == {"KERNEL32.DLL": {"OpenEventA", "SetEvent"}, "USER32.DLL": {
        "CallNextHookEx", "SetWindowsHookExA", "UnhookWindowsHookEx"}}, imports),
] if not holds]
print(*(f"FAIL: {f}" for f in failures), sep="\n") if failures else print(
    f"{sys.argv[1]}: {len(data)} bytes, exports {exports}, imports ok")
sys.exit(1 if failures else 0)
