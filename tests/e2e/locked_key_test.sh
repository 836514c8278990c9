#!/usr/bin/env bash
# A product key whose access list denies setting values: the program reads
# the stored counts, counts on in memory and shows them; its saves fail
# quietly, the stored values stay as they were and the exit code is 0.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sheet_lib.sh"
reset_state
CLEANUP='wine "$TW_BUILD/key_access.exe" allow >/dev/null 2>&1'
dir="$WORK/app"
place_program "$dir" TW.exe
set_product_dword CounterCurrentTotal 500
set_product_dword CounterLastSession 7
check "deny writes" wine "$TW_BUILD/key_access.exe" deny

start_program "$WORK/rc" "$dir/TW.exe"
check "sheet" driver wait-sheet 15000
check "three clicks" driver signal 3 150
wait_text "$IDC_CUR_SESSION" 3
expect_eq "cells counted in memory over the stored ones" \
    "3 7 -58% 3 0 n/a 3 0 n/a 3 0 n/a 3 0 n/a 503" "$(counter_cells)"
check "Hide" driver press 2
check "sheet closes" wait_no_sheet
check "close" driver close "$MAIN_CLASS"
expect_eq "exit code" 0 "$(wait_exit "$WORK/rc" 15)"

check "allow writes" wine "$TW_BUILD/key_access.exe" allow
expect_eq "stored total untouched" 500 "$(product_dword CounterCurrentTotal)"
expect_eq "stored last session untouched" 7 "$(product_dword CounterLastSession)"
expect_eq "no Release written" "" "$(product_value Release)"
expect_eq "no Path written" "" "$(product_value Path)"
echo "locked key: ok"
