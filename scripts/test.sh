#!/usr/bin/env bash
# Runs the host tests, the fuzz corpus replays and the tests under Wine, and
# sums them up in one line.
set -uo pipefail
cd "$(dirname "$0")/.."

# shellcheck source=wine-choice.sh
source scripts/wine-choice.sh

passed=0
failed=0
skipped=0
status=0
win32_only=()
if ((!TW_WINE_RUNS)); then
    # The hook library's image is read on the build host and still checked.
    win32_only=(-R '^hook_library_image$')
    all=$(ctest --preset win32 -N | sed -nE 's/^Total Tests: ([0-9]+)$/\1/p')
    skipped=$((all - 1))
    echo "== the tests under Wine are not run: this machine's kernel does not run"
    echo "   32-bit programs (ia32 emulation is off) and no WoW64 Wine is built"
    echo "   (scripts/build-wine.sh); $skipped tests skipped"
elif [[ -n ${TW_WINE_WOW64:-} ]]; then
    echo "== under the WoW64 Wine in $TW_WINE_WOW64_DIR, on a 64-bit prefix"
fi
for preset in host fuzz win32; do
    echo "== $preset tests"
    log=$(mktemp)
    args=()
    [[ $preset == win32 ]] && args=("${win32_only[@]}")
    ctest --preset "$preset" -j2 "${args[@]}" 2>&1 | tee "$log"
    [[ ${PIPESTATUS[0]} -eq 0 ]] || status=1
    line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)
    rm -f "$log"
    if [[ -z "$line" ]]; then
        echo "no test summary from the $preset tests"
        status=1
        continue
    fi
    f=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
    t=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")
    passed=$((passed + t - f))
    failed=$((failed + f))
done
echo
if [[ $skipped -gt 0 ]]; then
    echo "Tests: $passed passed, $failed failed, $skipped skipped"
else
    echo "Tests: $passed passed, $failed failed"
fi
exit $status
