#!/usr/bin/env bash
# `make fuzz`: runs every fuzz target for TW_FUZZ_SECONDS (default 60) each,
# growing its corpus in tests/fuzz/corpus. Fails on any crash or sanitizer
# report.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${TW_FUZZ_SECONDS:-60}
status=0
# The targets of the sources, not every binary an older build left behind.
for source in "$root"/tests/fuzz/*_fuzz.cpp; do
    name=$(basename "$source" _fuzz.cpp)
    target="$root/build/fuzz/tests/fuzz/${name}_fuzz"
    corpus="$root/tests/fuzz/corpus/$name"
    mkdir -p "$corpus"
    echo "== $name: $seconds s"
    if ! (cd "$root/build/fuzz" && "$target" -max_total_time="$seconds" -max_len=512 \
        "$corpus" 2>&1 | tail -3); then
        status=1
    fi
done
exit $status
