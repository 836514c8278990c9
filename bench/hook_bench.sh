#!/usr/bin/env bash
# The hook's cost and latency (hook_bench.exe), then the real program counting
# 600 xdotool presses made at 10 a second on a window of another process.
source "$TW_SOURCE/tests/e2e/lib.sh"
reset_state >/dev/null 2>&1
(cd "$TW_BUILD" && wine hook_bench.exe) | tr -d '\r'

dir="$WORK/app"
place_program "$dir" TW.exe
start_program "$WORK/rc" "$dir/TW.exe" -Auto
start_program "$WORK/target" "$TW_BUILD/hook_bench.exe" target
driver wait-window "$MAIN_CLASS" 15000 >/dev/null || fail "program did not start"
driver wait-window TallywhirlBenchTarget 15000 >/dev/null || fail "target did not start"
sleep 1
xdotool mousemove 300 250
sleep 0.3
xdotool click --repeat 600 --delay 100 1
sleep 1
driver close-wait "$MAIN_CLASS" 15000 >/dev/null || fail "program did not end"
driver close TallywhirlBenchTarget >/dev/null
wait_exit "$WORK/target" 10 >/dev/null
echo "| presses counted of 600 at 10/s (real program, xdotool) | $(product_dword CounterCurrentTotal) | 600 |"
