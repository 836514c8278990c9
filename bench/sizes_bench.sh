#!/usr/bin/env bash
# The shipped files' sizes.
set -uo pipefail
exe=$(stat -c %s "$TW_BUILD/Tallywhirl.exe")
dll=$(stat -c %s "$TW_BUILD/Tallywhirl.dll")
echo "| program file Tallywhirl.exe | $exe bytes | one self-contained file |"
echo "| hook library Tallywhirl.dll | $dll bytes | at most 4,096 bytes |"
