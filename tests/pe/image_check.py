#!/usr/bin/env python3
"""Checks a built image against what the platform and the program's own
rules rely on, reading the file and its link map on the build host:
  image_check.py library Tallywhirl.dll Tallywhirl.map
  image_check.py program Tallywhirl.exe Tallywhirl.exe.map
The program starts without the C runtime, which would run static
constructors; the 64-bit division helpers of the compiler's runtime library
bring unwind tables; and with a requestedExecutionLevel in its manifest
Windows would stop virtualizing the unelevated copy."""
import re, struct, sys  # noqa: E401
from xml.etree import ElementTree

kind, image, map_file = sys.argv[1:4]
data = open(image, "rb").read()
link_map = open(map_file).read()
u = lambda fmt, at: struct.unpack_from("<" + fmt, data, at)  # noqa: E731
same = lambda what, got, want: (what, got == want, got)  # noqa: E731
pe = u("I", 0x3C)[0]
if data[pe : pe + 4] != b"PE\0\0":
    sys.exit("not a PE image")
machine, count, _, _, _, optional_size, characteristics = u("HHIIIHH", pe + 4)
(magic,), (entry,), (image_base,) = u("H", pe + 24), u("I", pe + 40), u("I", pe + 52)
directories = [u("2I", pe + 120 + 8 * i) for i in range(16)]  # RVA and size of each
# name, virtual size, RVA, raw size, raw offset, ..., flags
sections = [u("8sIIIIIIHHI", pe + 24 + optional_size + 40 * i) for i in range(count)]
names = [s[0].rstrip(b"\0").decode() for s in sections]


def at(rva):
    for s in sections:
        if s[2] <= rva < s[2] + max(s[1], s[3]):
            return s[4] + rva - s[2]
    sys.exit(f"RVA {rva:#x} lies in no section")


def text(rva):
    return data[at(rva) : data.index(b"\0", at(rva))].decode()


def imports():
    found, rva = {}, directories[1][0]
    while (descriptor := u("5I", at(rva)))[3]:
        thunks = found.setdefault(text(descriptor[3]).upper(), set())
        entry_rva = descriptor[0] or descriptor[4]
        while thunk := u("I", at(entry_rva))[0]:
            thunks.add(f"#{thunk & 0xFFFF}" if thunk & 0x80000000 else text(thunk + 2))
            entry_rva += 4
        rva += 20
    return found


def resource(*path):
    """The data of the resource of type and name PATH in its first language, or None."""
    offset, base = 0, directories[2][0]
    for key in path + (None,):  # a directory's entries: (id, offset) each
        named, ids = u("2H", at(base + offset) + 12)
        entries = [u("2I", at(base + offset) + 16 + 8 * n) for n in range(named + ids)]
        found = [target & 0x7FFFFFFF for i, target in entries if key in (i, None)]
        if not found:
            return None
        offset = found[0]
    rva, size = u("2I", at(base + offset))
    return data[at(rva) : at(rva) + size]


def manifest_checks():
    try:
        nodes = list(ElementTree.fromstring(resource(24, 1)).iter())
    except (TypeError, ElementTree.ParseError) as error:
        return [("manifest 1 present and well-formed", False, error)]
    named = lambda tag: [n for n in nodes if n.tag.rsplit("}", 1)[-1] == tag]  # noqa: E731
    aware = [(n.text or "").strip().lower() for n in named("dpiAware") + named("dpiAwareness")]
    controls = [n.get("version") for d in named("dependency") for n in d.iter()
                if n.get("name") == "Microsoft.Windows.Common-Controls"]
    levels = [n.attrib for n in named("requestedExecutionLevel")]
    return [("manifest aware of the display scale", aware in (["true"], ["true/pm"]), aware),
            same("manifest with the common controls 6", controls, ["6.0.0.0"]),
            same("manifest without requestedExecutionLevel", levels, [])]


def symbol(pattern):
    found = re.search(r"^\s+0x([0-9a-f]+)\s+" + pattern + r"(\s|$)", link_map, re.M)
    return int(found[1], 16) if found else None


def library_checks():
    name, base, functions, count, _, name_table, ordinals = u("7I", at(directories[0][0]) + 12)
    exports = {text(u("I", at(name_table + 4 * i))[0]): base + u("H", at(ordinals + 2 * i))[0]
               for i in range(count)}
    dll_main = symbol(r"_?DllMain@12")
    shared = [n for n, s in zip(names, sections) if n == "SHARDATA" or s[9] & 0x10000000]
    return [
        ("a DLL", characteristics & 0x2000, hex(characteristics)),
        ("entry point is DllMain", dll_main and dll_main - image_base == entry, hex(entry)),
        same("name, ordinal base, functions", (text(name), base, functions),
             ("TALLYWHIRL.dll", 1, 2)),
        same("export names and ordinals", exports, {"TallywhirlInit": 1, "TallywhirlReset": 2}),
        same("no shared section", shared, []),
        same("imports", imported, {"KERNEL32.DLL": {"OpenEventA", "SetEvent"}, "USER32.DLL": {
            "CallNextHookEx", "SetWindowsHookExA", "UnhookWindowsHookEx"}}),
    ]


SYSTEM_LIBRARIES = {"KERNEL32.DLL", "USER32.DLL", "GDI32.DLL", "ADVAPI32.DLL", "SHELL32.DLL",
                    "MSVCRT.DLL"}


def program_checks():
    # Between the two markers of the constructor list lie its entries.
    ctors, dtors = symbol("___CTOR_LIST__"), symbol("___DTOR_LIST__")
    members = re.findall(r"^\S*/(lib[\w+]+\.a)\((\S+)\)", link_map.split("Discarded")[0], re.M)
    runtime = sorted({f"{a}({o})" for a, o in members if a in ("libgcc.a", "libgcc_eh.a",
                      "libstdc++.a", "libmingw32.a", "libmingwex.a")})
    return [
        same("a GUI program", u("H", pe + 92)[0], 2),
        ("no unwind tables", ".eh_frame" not in names, names),
        ("no thread-local data", directories[9] == (0, 0) and ".tls" not in names,
         (directories[9], names)),
        ("no static constructors", ctors is not None and dtors == ctors + 8, (ctors, dtors)),
        ("system libraries only", set(imported) <= SYSTEM_LIBRARIES, sorted(imported)),
        same("no object of the compiler's runtime library", runtime, []),
    ] + manifest_checks()


imported, limit = imports(), 4096 if kind == "library" else 69632
checks = [(f"file size at most {limit}", len(data) <= limit, len(data)),
          same("i386, PE32", (hex(machine), hex(magic)), ("0x14c", "0x10b"))]
checks += library_checks() if kind == "library" else program_checks()
failures = [f"{what}: got {got!r}" for what, holds, got in checks if not holds]
print(*(f"FAIL: {f}" for f in failures), sep="\n") if failures else print(
    f"{image}: {len(data)} bytes, {len(checks)} checks hold")
sys.exit(1 if failures else 0)
