#!/usr/bin/env bash
# The running program at rest, beside a minimal window program: CPU time and
# wake-ups over 60 idle seconds, read from the Linux side of both Wine
# processes (/proc: run time per thread in schedstat, context switches in
# status), private memory (smaps_rollup) and handles (the system's handle
# table, through footprint_bench.exe).
source "$TW_SOURCE/tests/e2e/lib.sh"
reset_state >/dev/null 2>&1
seconds=${TW_IDLE_SECONDS:-60}
dir="$WORK/app"
place_program "$dir" TW.exe
start_program "$WORK/rc" "$dir/TW.exe" -Auto
start_program "$WORK/minimal" "$TW_BUILD/footprint_bench.exe" minimal
driver wait-window "$MAIN_CLASS" 15000 >/dev/null || fail "program did not start"
driver wait-window TallywhirlBenchMinimal 15000 >/dev/null || fail "minimal program did not start"
sleep 5

program=$(pgrep -f -- "$dir/TW.exe" | head -1)
minimal=$(pgrep -f -- "$TW_BUILD/footprint_bench.exe minimal" | head -1)
[[ -n "$program" && -n "$minimal" ]] || fail "no Linux process found"

# "run-nanoseconds switches" summed over the threads of PID.
sample() {
    local pid=$1 ns=0 switches=0 task run v n
    for task in /proc/"$pid"/task/*; do
        read -r run _ <"$task/schedstat"
        v=$(awk '/^voluntary_ctxt_switches/ { print $2 }' "$task/status")
        n=$(awk '/^nonvoluntary_ctxt_switches/ { print $2 }' "$task/status")
        ns=$((ns + run))
        switches=$((switches + v + n))
    done
    echo "$ns $switches"
}

private_kib() {
    awk '/^Private_(Clean|Dirty)/ { kib += $2 } END { print kib }' /proc/"$1"/smaps_rollup
}

# Context switches of each of the program's threads, one "tid switches" a line.
per_thread() {
    local task
    for task in /proc/"$program"/task/*; do
        echo "$(basename "$task") $(awk '/ctxt_switches/ { n += $2 } END { print n }' "$task/status")"
    done
}

per_thread >"$WORK/threads0"
read -r p_ns0 p_sw0 <<<"$(sample "$program")"
read -r m_ns0 m_sw0 <<<"$(sample "$minimal")"
start=$(date +%s%N)
sleep "$seconds"
read -r p_ns1 p_sw1 <<<"$(sample "$program")"
read -r m_ns1 m_sw1 <<<"$(sample "$minimal")"
wall=$(($(date +%s%N) - start))
per_thread >"$WORK/threads1"

percent() { awk -v ns="$1" -v wall="$wall" 'BEGIN { printf "%.3f %%", 100 * ns / wall }'; }
rate() { awk -v n="$1" -v wall="$wall" 'BEGIN { printf "%.2f", n * 1e9 / wall }'; }

echo "| idle CPU over $seconds s: program / minimal window program | $(percent $((p_ns1 - p_ns0))) / $(percent $((m_ns1 - m_ns0))) of one core | under 0.1 % |"
split=$(join "$WORK/threads0" "$WORK/threads1" | while read -r tid a b; do
    if [[ $tid == "$program" ]]; then echo -n "main thread $(rate $((b - a)))"; else echo -n ", thread $tid $(rate $((b - a)))"; fi
done)
echo "| idle context switches a second (each Wine server call is one): program / minimal | $(rate $((p_sw1 - p_sw0))) ($split) / $(rate $((m_sw1 - m_sw0))) | one timer tick a second, nothing else |"
echo "| private memory: program / minimal | $(private_kib "$program") KiB / $(private_kib "$minimal") KiB | small |"
handles=$(wine "$TW_BUILD/footprint_bench.exe" handles "$MAIN_CLASS" | tr -d '\r')
baseline=$(wine "$TW_BUILD/footprint_bench.exe" handles TallywhirlBenchMinimal | tr -d '\r')
echo "| handles: program / minimal | $handles / $baseline | few beyond the minimal |"

driver close-wait "$MAIN_CLASS" 15000 >/dev/null
driver close TallywhirlBenchMinimal >/dev/null
wait_exit "$WORK/minimal" 10 >/dev/null
