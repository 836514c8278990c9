#!/usr/bin/env python3
"""Checks that the program's folders depend one way, down: a source file may
include headers of its own folder and of the folders below it, never of one
beside it or above it. Usage: layering_check.py SOURCE_DIR"""
import os, re, sys  # noqa: E401

# Lower numbers lie below; folders of one level do not see each other.
LEVELS = {"res": 0, "hooklib": 0, "base": 1, "store": 2, "capture": 3, "setup": 3, "ui": 4,
          "app": 5}
root = sys.argv[1]
wrong = []
for folder in LEVELS:
    for name in sorted(n for n in os.listdir(os.path.join(root, folder))
                       if n.endswith((".cpp", ".h", ".rc"))):
        source = open(os.path.join(root, folder, name), encoding="latin-1").read()
        for included in re.findall(r'^\s*#\s*include\s+"([^"]+)"', source, re.M):
            target = os.path.relpath(os.path.normpath(os.path.join(folder, included)))
            other = target.split(os.sep)[0]
            if other in LEVELS and other != folder and LEVELS[other] >= LEVELS[folder]:
                wrong.append(f"{folder}/{name} includes {target}")
print(*wrong, sep="\n") if wrong else print("every include points down")
sys.exit(1 if wrong else 0)
