#!/usr/bin/env bash
# A start long after the last run: the program closes the ended periods into
# Day.txt, Month.txt and Year.txt beside itself, moves the figures to last
# and stores today; a second start on the same day adds nothing.
source "$(dirname "$0")/lib.sh"
reset_state
dir="$WORK/app"
place_program "$dir" TW.exe

# Last run on Thursday 14 March 2002, with counts in every period.
set_product_dword DateYear 2002
set_product_dword DateMonth 3
set_product_dword DateWeek 4
set_product_dword DateDay 14
set_product_dword CounterCurrentDay 21
set_product_dword CounterCurrentWeek 22
set_product_dword CounterCurrentMonth 23
set_product_dword CounterCurrentYear 24
set_product_dword CounterCurrentTotal 25
set_product_dword CounterLastDay 11
set_product_dword CounterLastWeek 12
set_product_dword CounterLastMonth 13
set_product_dword CounterLastYear 14

wait_file() {
    local file=$1 i
    for ((i = 0; i < 100; i++)); do
        [[ -s "$file" ]] && return 0
        sleep 0.1
    done
    return 1
}

# The exact bytes a statistics file must hold.
expect_file() {
    local what=$1 file=$2 want=$3
    [[ -f "$file" ]] || fail "$what: $file missing"
    cmp -s <(printf '%b' "$want") "$file" ||
        fail "$what: want $(printf '%b' "$want" | od -c | head -3), got $(od -c "$file" | head -3)"
}

day_before=$(date +%Y%m%d)
start_program "$WORK/rc1" "$dir/TW.exe" -Auto
check "main window" driver wait-window "$MAIN_CLASS" 15000
check "Year.txt written at start" wait_file "$dir/Year.txt"
check "close" driver close "$MAIN_CLASS"
expect_eq "exit code" 0 "$(wait_exit "$WORK/rc1" 15)"
day_after=$(date +%Y%m%d)

expect_file "Day.txt" "$dir/Day.txt" '2002-03-14\t21\r\n'
expect_file "Month.txt" "$dir/Month.txt" '2002-03\t23\r\n'
expect_file "Year.txt" "$dir/Year.txt" '2002\t24\r\n'

expect_eq "last day" 21 "$(product_dword CounterLastDay)"
expect_eq "current day" 0 "$(product_dword CounterCurrentDay)"
expect_eq "last week" 22 "$(product_dword CounterLastWeek)"
expect_eq "current week" 0 "$(product_dword CounterCurrentWeek)"
expect_eq "last month" 23 "$(product_dword CounterLastMonth)"
expect_eq "current month" 0 "$(product_dword CounterCurrentMonth)"
expect_eq "last year" 24 "$(product_dword CounterLastYear)"
expect_eq "current year" 0 "$(product_dword CounterCurrentYear)"
expect_eq "total untouched" 25 "$(product_dword CounterCurrentTotal)"

[[ "$day_before" == "$day_after" ]] || {
    echo "rollover: midnight passed during the test; the same-day start is not checked"
    exit 0
}
expect_eq "stored year" "$(date +%-Y)" "$(product_dword DateYear)"
expect_eq "stored month" "$(date +%-m)" "$(product_dword DateMonth)"
expect_eq "stored day" "$(date +%-d)" "$(product_dword DateDay)"
expect_eq "stored weekday" "$(date +%w)" "$(product_dword DateWeek)"

# The same day again: several timer ticks pass, and nothing is added.
cp "$dir/Day.txt" "$dir/Month.txt" "$dir/Year.txt" "$WORK/"
set_product_dword CounterCurrentDay 5
start_program "$WORK/rc2" "$dir/TW.exe" -Auto
check "main window again" driver wait-window "$MAIN_CLASS" 15000
sleep 3
check "close again" driver close "$MAIN_CLASS"
expect_eq "exit code again" 0 "$(wait_exit "$WORK/rc2" 15)"
[[ "$(date +%Y%m%d)" == "$day_before" ]] || {
    echo "rollover: midnight passed during the same-day start; not checked"
    exit 0
}
for name in Day Month Year; do
    check "$name.txt unchanged" cmp -s "$WORK/$name.txt" "$dir/$name.txt"
done
expect_eq "day runs on" 5 "$(product_dword CounterCurrentDay)"
expect_eq "last day kept" 21 "$(product_dword CounterLastDay)"
echo "rollover: ok"
