#!/usr/bin/env bash
# `make bench`: runs every bench/*_bench.sh in one Wine session of its own and
# prints their figures as one table. Where this machine's kernel runs no
# 32-bit program, in the emulated machine of scripts/vm.sh: its sizes, memory
# and handle counts hold, its timings are those of an emulated processor.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if bash "$root/scripts/vm.sh" needed; then
    bash "$root/scripts/vm.sh" image || exit 1
    exec bash "$root/scripts/vm.sh" run "$root" bash bench/run.sh
fi
session="$root/build/bench-session"
export TW_BUILD="$root/build/win32" TW_SOURCE="$root"
bash "$root/scripts/wine-session.sh" start "$session" >/dev/null || exit 1
trap 'bash "$root/scripts/wine-session.sh" stop "$session"' EXIT
echo "Measured on: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), $(wine --version 2>/dev/null)"
echo
echo "| figure | measured | target |"
echo "|---|---|---|"
status=0
for script in "$root"/bench/*_bench.sh; do
    bash "$root/scripts/in-wine-session.sh" "$session" bash "$script" || status=1
done
exit $status
