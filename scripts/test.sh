#!/usr/bin/env bash
# Runs the host tests, the fuzz corpus replays and the tests under Wine, and
# sums them up in one line.
set -uo pipefail
cd "$(dirname "$0")/.."

passed=0
failed=0
status=0
for preset in host fuzz win32; do
    echo "== $preset tests"
    log=$(mktemp)
    ctest --preset "$preset" -j2 2>&1 | tee "$log"
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
echo "Tests: $passed passed, $failed failed"
exit $status
