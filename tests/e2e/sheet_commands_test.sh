#!/usr/bin/env bash
# The sheet's commands: a new session and the resets ask first, and only Yes
# changes, redraws and saves; the start-with-Windows box writes and deletes
# the Run value and stores the option, asking nothing.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sheet_lib.sh"
reset_state
dir="$WORK/app"
place_program "$dir" TW.exe
NEW_SESSION="Are you sure to start a new session?"
RESET="Are you sure to reset the chosen counter to zero?"
COUNTERS=(CounterCurrentSession CounterLastSession CounterCurrentDay CounterLastDay
    CounterCurrentWeek CounterLastWeek CounterCurrentMonth CounterLastMonth
    CounterCurrentYear CounterLastYear CounterCurrentTotal)

# The stored counters in the order of COUNTERS, read in one query.
stored_counters() {
    local -A value
    local name type data line=""
    while read -r name type data; do
        [[ $type == REG_DWORD ]] && value[$name]=$((data))
    done < <(reg query "$PRODUCT_KEY" 2>/dev/null | tr -d '\r')
    for name in "${COUNTERS[@]}"; do
        line+="${value[$name]:-} "
    done
    echo "${line% }"
}

# A closing question's window may hold the program up for a moment under
# Wine: the command's save comes when it is gone.
expect_stored() {
    local what=$1 want=$2 i
    for ((i = 0; i < 50; i++)); do
        [[ "$(stored_counters)" == "$want" ]] && return 0
        sleep 0.2
    done
    expect_eq "$what" "$want" "$(stored_counters)"
}

# Product values only a save would overwrite.
plant_sentinels() {
    local name
    for name in "${COUNTERS[@]}"; do
        set_product_dword "$name" 777
    done
}

# Presses button ID and answers its question ANSWER; prints the question.
ask() {
    local id=$1 answer=$2 text=$3
    check "press $id" driver press "$id"
    expect_eq "question of $id" "$text" "$(driver answer "$text" "$answer" 10000 | tr -d '\r')"
    check "no second question after $id" driver no-box 300
}

set_product_dword CounterLastSession 40
set_product_dword CounterCurrentDay 150
set_product_dword CounterLastDay 120
set_product_dword CounterCurrentWeek 119
set_product_dword CounterLastWeek 120
set_product_dword CounterCurrentMonth 1
set_product_dword CounterLastMonth 3
set_product_dword CounterCurrentYear 30
set_product_dword CounterLastYear 10
set_product_dword CounterCurrentTotal 5000
set_product_dword OptionAutostart 1
start_program "$WORK/rc" "$dir/TW.exe" -Auto
check "main window" driver wait-window "$MAIN_CLASS" 15000
started=$SECONDS
check "eight clicks" driver signal 8 150
check "Open" driver command "$MAIN_CLASS" "$IDM_OPEN"
check "sheet" driver wait-sheet 10000
wait_text "$IDC_CUR_SESSION" 8
before=$(counter_cells)
expect_eq "cells" "8 40 -80% 158 120 +31% 127 120 +5% 9 3 +200% 38 10 +280% 5008" "$before"

# The timed save comes every 30 seconds; after it, the questions answered No
# have most of a period in which any change of the stored values is theirs.
while [[ "$(product_dword CounterLastSession)" != 8 ]] && ((SECONDS - started <= 35)); do
    sleep 0.3
done
expect_eq "timed save" 8 "$(product_dword CounterLastSession)"
plant_sentinels
quiet_from=$SECONDS

echo "== No changes nothing and saves nothing"
ask "$IDC_NEW_SESSION" no "$NEW_SESSION"
check "options page" driver tab 2
for id in "$IDC_RESET_SESSION" "$IDC_RESET_DAY" "$IDC_RESET_WEEK" "$IDC_RESET_MONTH" \
    "$IDC_RESET_YEAR" "$IDC_RESET_TOTAL" "$IDC_RESET_ALL"; do
    ask "$id" no "$RESET"
done
((SECONDS - quiet_from < 25)) || fail "the questions took past the next timed save"
expect_eq "nothing saved" "777 777 777 777 777 777 777 777 777 777 777" "$(stored_counters)"
check "statistics page" driver tab 0
expect_eq "nothing changed" "$before" "$(counter_cells)"

echo "== a new session"
ask "$IDC_NEW_SESSION" yes "$NEW_SESSION"
expect_eq "cells" "0 8 -100% 158 120 +31% 127 120 +5% 9 3 +200% 38 10 +280% 5008" \
    "$(counter_cells)"
[[ "$(sheet_text "$IDC_CLOCK")" =~ ^00:00:0[0-2]$ ]] || fail "clock after a new session: $(sheet_text "$IDC_CLOCK")"
expect_stored "saved" "0 0 158 120 127 120 9 3 38 10 5008"

echo "== resets of one counter"
check "two clicks" driver signal 2 150
check "options page" driver tab 2
ask "$IDC_RESET_DAY" yes "$RESET"
ask "$IDC_RESET_TOTAL" yes "$RESET"
check "statistics page" driver tab 0
expect_eq "day and total reset" "2 8 -75% 0 0 n/a 129 120 +7% 11 3 +266% 40 10 +300% 0" \
    "$(counter_cells)"
expect_stored "saved" "0 2 0 0 129 120 11 3 40 10 0"
clock_before=$(sheet_text "$IDC_CLOCK")
check "options page" driver tab 2
ask "$IDC_RESET_SESSION" yes "$RESET"
ask "$IDC_RESET_WEEK" yes "$RESET"
check "statistics page" driver tab 0
expect_eq "session and week reset" "0 0 n/a 0 0 n/a 0 0 n/a 11 3 +266% 40 10 +300% 0" \
    "$(counter_cells)"
sleep 1.2
[[ "$(sheet_text "$IDC_CLOCK")" > "$clock_before" ]] || fail "the clock stopped: $(sheet_text "$IDC_CLOCK")"
check "options page" driver tab 2
ask "$IDC_RESET_MONTH" yes "$RESET"
ask "$IDC_RESET_YEAR" yes "$RESET"
expect_stored "saved" "0 0 0 0 0 0 0 0 0 0 0"

echo "== reset all counters"
check "statistics page" driver tab 0
check "three clicks" driver signal 3 150
wait_text "$IDC_CUR_SESSION" 3
check "options page" driver tab 2
ask "$IDC_RESET_ALL" yes "$RESET"
check "statistics page" driver tab 0
expect_eq "all reset" "0 0 n/a 0 0 n/a 0 0 n/a 0 0 n/a 0 0 n/a 0" "$(counter_cells)"
expect_stored "saved" "0 0 0 0 0 0 0 0 0 0 0"

echo "== start with Windows"
reg add "$RUN_KEY" /v Tallywhirl /t REG_SZ /d 'C:\elsewhere\TW.exe -Auto' /f >/dev/null 2>&1
check "options page" driver tab 2
expect_eq "box set from the stored option" 1 "$(driver check "$IDC_AUTOSTART" | tr -d '\r')"
check "uncheck" driver press "$IDC_AUTOSTART"
check "no question" driver no-box 1000
expect_eq "box cleared" 0 "$(driver check "$IDC_AUTOSTART" | tr -d '\r')"
expect_eq "Run value deleted" "" "$(reg_value "$RUN_KEY" Tallywhirl)"
expect_eq "option stored" 0 "$(product_dword OptionAutostart)"
check "check" driver press "$IDC_AUTOSTART"
check "no question" driver no-box 1000
program=$(wine winepath -w "$dir/TW.exe")
[[ $program == *" "* ]] && program="\"$program\""
expect_eq "Run value written" "$program -Auto" "$(reg_value "$RUN_KEY" Tallywhirl)"
expect_eq "option stored" 1 "$(product_dword OptionAutostart)"
expect_eq "Run value type" REG_SZ \
    "$(reg query "$RUN_KEY" /v Tallywhirl | tr -d '\r' | awk '$1 == "Tallywhirl" { print $2 }')"
check "Hide" driver press 2
check "sheet closes" wait_no_sheet

echo "== the box follows the stored option at the next opening"
check "Open" driver command "$MAIN_CLASS" "$IDM_OPEN"
check "sheet" driver wait-sheet 10000
check "options page" driver tab 2
expect_eq "box checked again" 1 "$(driver check "$IDC_AUTOSTART" | tr -d '\r')"
check "Hide" driver press 2
check "sheet closes" wait_no_sheet
check "close" driver close "$MAIN_CLASS"
expect_eq "exit code" 0 "$(wait_exit "$WORK/rc" 15)"
echo "sheet commands: ok"
