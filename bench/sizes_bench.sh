#!/usr/bin/env bash
# The shipped files' sizes, and where the program file's bytes go: its headers
# and each section, read with objdump on the build host (no Wine needed). A
# section's bytes in the file run from its file offset to the next one's, so
# that the rows add up to the file; in brackets, what the section holds.
set -uo pipefail
TW_BUILD=${TW_BUILD:-$(cd "$(dirname "$0")/.." && pwd)/build/win32}
objdump=${TW_OBJDUMP:-i686-w64-mingw32-objdump}
program="$TW_BUILD/Tallywhirl.exe"
exe=$(stat -c %s "$program") || exit 1
dll=$(stat -c %s "$TW_BUILD/Tallywhirl.dll") || exit 1
echo "| program file Tallywhirl.exe | $exe bytes | one self-contained file, at most 69,632 bytes |"
echo "| hook library Tallywhirl.dll | $dll bytes | at most 4,096 bytes |"

headers=$("$objdump" -p "$program" | awk '$1 == "SizeOfHeaders" { print $2 }')
[[ -n "$headers" ]] || { echo "| sections of Tallywhirl.exe | $objdump read nothing | - |"; exit 1; }
echo "| Tallywhirl.exe headers | $((16#$headers)) bytes | - |"
# objdump -h gives each section as "index name size vma lma offset align" and
# then a line of flags; a section without CONTENTS takes no room in the file.
names=() sizes=() offsets=() stored=()
while read -r index name size _ _ offset _; do
    [[ $index =~ ^[0-9]+$ ]] || continue
    read -r flags
    names+=("$name") sizes+=($((16#$size))) offsets+=($((16#$offset)))
    [[ $flags == *CONTENTS* ]] && stored+=(1) || stored+=(0)
done < <("$objdump" -h "$program")
for i in "${!names[@]}"; do
    if ((!stored[i])); then
        echo "| Tallywhirl.exe section ${names[i]} (memory only) | 0 bytes (${sizes[i]} in memory) | - |"
        continue
    fi
    end=$exe
    for j in "${!names[@]}"; do
        ((stored[j] && offsets[j] > offsets[i] && offsets[j] < end)) && end=${offsets[j]}
    done
    echo "| Tallywhirl.exe section ${names[i]} | $((end - offsets[i])) bytes (${sizes[i]} of contents) | - |"
done
