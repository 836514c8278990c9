#!/usr/bin/env bash
# The counting core as a user meets it: a copy under a non-installing name
# starts, keeps one window, saves its counts at the end and returns 0.
source "$(dirname "$0")/lib.sh"
reset_state
dir="$WORK/app"
place_program "$dir" TW.exe

# Counts stored by an earlier run come back, each moved as it was.
set_product_dword CounterCurrentTotal 4000000000
set_product_dword CounterLastDay 57
start_program "$WORK/rc1" "$dir/TW.exe" -Auto
check "main window" driver wait-window "$MAIN_CLASS" 15000
expect_eq "Path" "$(wine winepath -w "$dir" | tr -d '\r')" "$(product_value Path)"
expect_eq "Release" "0x66" "$(product_value Release)"

# A second copy only opens the first one's sheet and ends at once.
start_program "$WORK/rc2" "$dir/TW.exe" -Auto
expect_eq "second copy's exit code" 0 "$(wait_exit "$WORK/rc2" 15)"

check "close" driver close "$MAIN_CLASS"
expect_eq "exit code" 0 "$(wait_exit "$WORK/rc1" 15)"
expect_eq "total kept" 4000000000 "$(product_dword CounterCurrentTotal)"
expect_eq "last day kept" 57 "$(product_dword CounterLastDay)"
expect_eq "session starts at 0" 0 "$(product_dword CounterCurrentSession)"
echo "first start: ok"
