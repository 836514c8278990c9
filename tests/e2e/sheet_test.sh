#!/usr/bin/env bash
# The statistics sheet as a user meets it: opened from the tray command and
# by a second start, centred, with one Hide button, filled from the stored
# counts and redrawn by every click, opened once however often it is asked
# for, and left alone by clicks once it is closed. The hook library is not
# needed here: clicks are made by signalling the program's click event.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sheet_lib.sh"
reset_state
dir="$WORK/app"
place_program "$dir" TW.exe

set_product_dword CounterLastSession 40
set_product_dword CounterCurrentDay 150
set_product_dword CounterLastDay 120
set_product_dword CounterCurrentWeek 119
set_product_dword CounterLastWeek 120
set_product_dword CounterCurrentMonth 1
set_product_dword CounterLastMonth 3
set_product_dword CounterCurrentYear 30000000
set_product_dword CounterLastYear 10000000
set_product_dword CounterCurrentTotal 4000000000
start_program "$WORK/rc1" "$dir/TW.exe" -Auto
check "main window" driver wait-window "$MAIN_CLASS" 15000
expect_eq "no sheet with -Auto" 0 "$(sheet_count)"

echo "== the tray's Open command opens the sheet, centred, with one Hide button"
check "Open" driver command "$MAIN_CLASS" "$IDM_OPEN"
check "sheet" driver wait-sheet 10000
expect_eq "cells from the registry" \
    "0 40 -100% 150 120 +25% 119 120 -1% 1 3 -67% 30000000 10000000 +200% -294967296" \
    "$(counter_cells)"
[[ "$(cells | awk '{ print $NF }')" =~ ^00:00:[0-9][0-9]$ ]] || fail "clock reads $(cells)"
expect_centred "first opening"
read -r ok_l ok_t ok_r ok_b ok_v <<<"$(rect_of 1)"
read -r hide_l hide_t hide_r hide_b hide_v <<<"$(rect_of 2)"
expect_eq "OK button hidden" 0 "$ok_v"
expect_eq "Hide button shown" 1 "$hide_v"
expect_eq "Hide button text" "Hide Tallywhirl" "$(sheet_text 2)"
expect_eq "Hide button 40 pixels wider" $((ok_r - ok_l + 40)) $((hide_r - hide_l))
expect_eq "Hide button top" "$ok_t" "$hide_t"
expect_eq "Hide button bottom" "$ok_b" "$hide_b"
# The Cancel button stood one button width and a gap right of OK; its right
# edge is kept.
gap=$((hide_l + 40 - ok_r))
((gap >= 0 && gap <= 12)) || fail "Hide button moved: OK $ok_l-$ok_r, Hide $hide_l-$hide_r"
expect_eq "Hide button right edge" $((ok_r + gap + ok_r - ok_l)) "$hide_r"

echo "== clicks redraw every cell"
check "three clicks" driver signal 3 150
wait_text "$IDC_CUR_SESSION" 3
expect_eq "cells after clicks" \
    "3 40 -93% 153 120 +27% 122 120 +1% 4 3 +33% 30000003 10000000 +200% -294967293" \
    "$(counter_cells)"

echo "== a second Open and a second start leave one sheet where it is"
sheet_rect=$(rect_of 0)
check "Open again" driver command "$MAIN_CLASS" "$IDM_OPEN"
sleep 0.5
expect_eq "one sheet after a second Open" 1 "$(sheet_count)"
expect_eq "sheet unmoved by a second Open" "$sheet_rect" "$(rect_of 0)"
start_program "$WORK/rc2" "$dir/TW.exe"
expect_eq "second start's exit code" 0 "$(wait_exit "$WORK/rc2" 15)"
sleep 0.5
expect_eq "one sheet after a second start" 1 "$(sheet_count)"

echo "== switching tabs does not move the sheet"
for tab in 1 2 3 0 3 0; do
    check "tab $tab" driver tab "$tab"
    expect_eq "sheet after tab $tab" "$sheet_rect" "$(rect_of 0)"
done
expect_eq "statistics page again" 3 "$(sheet_text "$IDC_CUR_SESSION")"

echo "== closing and reopening centres the sheet again"
check "move" driver move 20 30
read -r l t _ <<<"$(rect_of 0)"
expect_eq "moved sheet" "20 30" "$l $t"
check "Hide" driver press 2
check "sheet closes" wait_no_sheet
check "main window stays" driver wait-window "$MAIN_CLASS" 1000

echo "== after closing, clicks are counted without the sheet"
check "five clicks" driver signal 5 100
sleep 0.5
expect_eq "no sheet after clicks" 0 "$(sheet_count)"
check "no message box" driver no-box 500
start_program "$WORK/rc3" "$dir/TW.exe"
expect_eq "second start's exit code" 0 "$(wait_exit "$WORK/rc3" 15)"
check "sheet from a second start" driver wait-sheet 10000
expect_centred "reopening"
expect_eq "cells after reopening" \
    "8 40 -80% 158 120 +31% 127 120 +5% 9 3 +200% 30000008 10000000 +200% -294967288" \
    "$(counter_cells)"
check "Hide again" driver press 2
check "sheet closes again" wait_no_sheet

echo "== counts an edited registry may hold"
check "close" driver close "$MAIN_CLASS"
expect_eq "exit code" 0 "$(wait_exit "$WORK/rc1" 15)"
set_product_dword CounterLastSession 0
set_product_dword CounterCurrentDay 77
set_product_dword CounterLastDay 77
set_product_dword CounterCurrentWeek 4294967291
set_product_dword CounterLastWeek 10
set_product_dword CounterCurrentMonth 2147483647
set_product_dword CounterLastMonth 1
set_product_dword CounterCurrentYear 0
set_product_dword CounterLastYear 5
set_product_dword CounterCurrentTotal 2147483648
start_program "$WORK/rc4" "$dir/TW.exe"
check "sheet at start" driver wait-sheet 15000
expect_eq "cells of edited counts" \
    "0 0 n/a 77 77 0% -5 10 -150% 2147483647 1 +214748364600% 0 5 -100% -2147483648" \
    "$(counter_cells)"
check "Hide" driver press 2
check "sheet closes" wait_no_sheet
check "close" driver close "$MAIN_CLASS"
expect_eq "exit code" 0 "$(wait_exit "$WORK/rc4" 15)"
echo "sheet: ok"
