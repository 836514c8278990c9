#!/usr/bin/env bash
# `make bench`: runs every bench/*_bench.sh in one Wine session of its own and
# prints their figures as one table; the file sizes, which need no Wine, are
# read here last. Where this machine's kernel runs no 32-bit program, the
# Wine part runs in the emulated machine of scripts/vm.sh: its memory and
# handle counts hold, its timings are those of an emulated processor.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [[ ${1:-} != --wine-only ]]; then
    status=0
    if bash "$root/scripts/vm.sh" needed; then
        bash "$root/scripts/vm.sh" image && bash "$root/scripts/vm.sh" run "$root" bash bench/run.sh --wine-only
    else
        bash "$0" --wine-only
    fi || status=1
    bash "$root/bench/sizes_bench.sh" || status=1
    exit $status
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
    [[ $script == */sizes_bench.sh ]] && continue
    bash "$root/scripts/in-wine-session.sh" "$session" bash "$script" || status=1
done
exit $status
