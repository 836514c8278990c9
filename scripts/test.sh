#!/usr/bin/env bash
# Runs the host tests, the fuzz corpus replays and the tests under Wine, and
# sums them up in one line.
set -uo pipefail
cd "$(dirname "$0")/.."

passed=0
failed=0
status=0
in_vm=0
if bash scripts/vm.sh needed; then
    # The tests under Wine run in an emulated machine of their own; the hook
    # library's image is still read here, on the build host.
    in_vm=1
    if [[ ${TW_VM:-} == 1 ]]; then
        echo "== TW_VM=1: the tests under Wine run in an emulated Debian machine"
    else
        echo "== this machine's kernel does not run 32-bit programs: the tests under"
        echo "   Wine run in an emulated Debian machine (scripts/vm.sh)"
    fi
    # The packages were checked once, perhaps before the machine was needed.
    command -v qemu-system-x86_64 >/dev/null || bash scripts/deps.sh || exit 1
    bash scripts/vm.sh image || exit 1
fi
for preset in host fuzz win32; do
    echo "== $preset tests"
    log=$(mktemp)
    if [[ $preset == win32 ]] && ((in_vm)); then
        ctest --preset win32 -R '_image$' 2>&1 | tee "$log"
        [[ ${PIPESTATUS[0]} -eq 0 ]] || status=1
        bash scripts/vm.sh run . ctest --preset win32 -E '_image$' 2>&1 | tee -a "$log"
    else
        ctest --preset "$preset" -j2 2>&1 | tee "$log"
    fi
    [[ ${PIPESTATUS[0]} -eq 0 ]] || status=1
    lines=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log")
    rm -f "$log"
    if [[ -z "$lines" ]]; then
        echo "no test summary from the $preset tests"
        status=1
        continue
    fi
    while read -r line; do
        f=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
        t=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")
        passed=$((passed + t - f))
        failed=$((failed + f))
    done <<<"$lines"
done
echo
echo "Tests: $passed passed, $failed failed"
exit $status
