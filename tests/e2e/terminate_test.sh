#!/usr/bin/env bash
# Terminate asks twice; only Yes and Yes end the program, with its counts
# saved and exit code 0.
source "$(dirname "$0")/lib.sh"
reset_state
dir="$WORK/app"
place_program "$dir" TW.exe
first="Are you sure you want to terminate this very cool app?"

start_program "$WORK/rc" "$dir/TW.exe" -Auto
check "main window" driver wait-window "$MAIN_CLASS" 15000
check "signal" driver signal 3

check "terminate" driver command "$MAIN_CLASS" "$IDM_TERMINATE"
expect_eq "first question" "$first" "$(driver answer "terminate" no 10000 | tr -d '\r')"
check "No asks nothing more" driver no-box 1500
check "No keeps it running" driver wait-window "$MAIN_CLASS" 100
expect_eq "No saves nothing" "" "$(product_value CounterLastSession)"

check "terminate" driver command "$MAIN_CLASS" "$IDM_TERMINATE"
expect_eq "first question again" "$first" "$(driver answer "terminate" yes 10000 | tr -d '\r')"
expect_eq "second question" "Really?" "$(driver answer "Really?" no 10000 | tr -d '\r')"
check "No at the second asks nothing more" driver no-box 1500
check "still running" driver wait-window "$MAIN_CLASS" 100
expect_eq "still nothing saved" "" "$(product_value CounterLastSession)"

check "terminate" driver command "$MAIN_CLASS" "$IDM_TERMINATE"
driver answer "terminate" yes 10000 >/dev/null || fail "no first question"
driver answer "Really?" yes 10000 >/dev/null || fail "no second question"
expect_eq "exit code" 0 "$(wait_exit "$WORK/rc" 15)"
expect_eq "window gone" 0 "$(driver wait-gone "$MAIN_CLASS" 100 >/dev/null 2>&1; echo $?)"
expect_eq "session saved" 3 "$(product_dword CounterLastSession)"
expect_eq "total saved" 3 "$(product_dword CounterCurrentTotal)"
echo "terminate: ok"
