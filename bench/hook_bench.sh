#!/usr/bin/env bash
# The hook's cost and latency (hook_bench.exe), then the real program counting
# 600 xdotool presses made at 10 a second on a window of another process,
# with its statistics sheet closed and then open.
source "$TW_SOURCE/tests/e2e/lib.sh"
source "$TW_SOURCE/tests/e2e/sheet_lib.sh"
reset_state >/dev/null 2>&1
(cd "$TW_BUILD" && wine hook_bench.exe) | tr -d '\r'

# Prints "counted shown": the presses in the registry after WM_CLOSE and,
# with the sheet open, the session cell it showed just before closing ("-"
# with the sheet closed). The presses land on hook_bench's topmost target
# window, never on the sheet's buttons.
count_presses() {
    local sheet=$1 dir="$WORK/app" shown=-
    reset_state >/dev/null 2>&1
    place_program "$dir" TW.exe
    start_program "$WORK/rc" "$dir/TW.exe" -Auto
    start_program "$WORK/target" "$TW_BUILD/hook_bench.exe" target
    driver wait-window "$MAIN_CLASS" 15000 >/dev/null || fail "program did not start"
    driver wait-window TallywhirlBenchTarget 15000 >/dev/null || fail "target did not start"
    if [[ $sheet == open ]]; then
        driver command "$MAIN_CLASS" 40002 >/dev/null
        driver wait-sheet 10000 >/dev/null || fail "no sheet"
    fi
    sleep 1
    xdotool mousemove 300 250
    sleep 0.3
    xdotool click --repeat 600 --delay 100 1
    sleep 1
    if [[ $sheet == open ]]; then
        shown=$(sheet_text 1030)
        driver press 2 >/dev/null
        wait_no_sheet
    fi
    driver close "$MAIN_CLASS" 15000 >/dev/null || fail "program did not end"
    driver close TallywhirlBenchTarget >/dev/null
    wait_exit "$WORK/target" 10 >/dev/null
    echo "$(product_dword CounterCurrentTotal) $shown"
}

read -r closed_counted _ <<<"$(count_presses closed)"
read -r open_counted open_shown <<<"$(count_presses open)"
echo "| presses counted of 600 at 10 per second, sheet closed (xdotool on another process's window; registry after WM_CLOSE) | ${closed_counted:-none} of 600 | 600 of 600 |"
echo "| presses counted of 600 at 10 per second with the sheet open (registry after WM_CLOSE) | ${open_counted:-none} of 600 | 600 of 600 |"
echo "| presses shown of 600 at 10 per second with the sheet open (its session cell just before closing) | ${open_shown:-none} of 600 | 600 of 600 |"
