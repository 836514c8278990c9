#!/usr/bin/env bash
# The history page draws what Day.txt and Month.txt hold: in a screenshot
# each bar's height follows its prepared count within a pixel, lines the
# program would not have written draw nothing, and today's bar, from the
# running Day count, grows with real clicks. A statistics file that is a
# folder gives today's bar alone and no error box.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sheet_lib.sh"
reset_state
dir="$WORK/app"
place_program "$dir" TW.exe
DAY_CHART=$IDC_DAY_CHART
MONTH_CHART=$IDC_MONTH_CHART
SUMMARY=$IDC_HISTORY_SUMMARY

# Every bar is placed by today's date: begin well clear of midnight.
avoid_midnight
today=$(date +%F)
ago() { date -d "$today -$1 day" +%F; }
months_ago() { date -d "$(date +%Y-%m-15) -$1 month" +%Y-%m; }
{
    printf '%s\t%d\r\n' "$(ago 40)" 5000 # before the 31 days
    printf '%s\t%d\r\n' "$(ago 20)" 250
    printf '%s\t%d\r\n' "$(ago 10)" 1000
    printf '%s\t%d\r\n' "$(ago 3)" 500
    printf '%s\t%d\r\n' "$(ago 2)" 400
    printf '%s\t%d\r\n' "$(ago 2)" 750 # the last line of a date holds
    printf '%s\t%d\r\n' "$(ago 5)" 900 # out of order
    printf 'a line edited by hand\r\n'
    printf '%s\t%d\r\n' "$(ago 1)" -5 # a negative count
    printf '%s\t%d\r\n' "$today" 900  # today's bar is the running count's
} >"$dir/Day.txt"
{
    printf '%s\t%d\r\n' "$(months_ago 5)" 50000
    printf '%s\t%d\r\n' "$(months_ago 1)" 20000
} >"$dir/Month.txt"
set_product_dword CounterCurrentDay 300
set_product_dword CounterCurrentMonth 10000
#        slot:   10  20   27  28  30 (today)
DAY_COUNTS=([10]=250 [20]=1000 [27]=500 [28]=750 [30]=300)
MONTH_COUNTS=([6]=50000 [10]=20000 [11]=10000)

# The chart's top figure for a largest count: 1, 2, 5, 10, 20, 50 ...
readable_top() {
    local power=1 step
    while :; do
        for step in 1 2 5; do
            ((power * step >= $1)) && { echo $((power * step)); return; }
        done
        power=$((power * 10))
    done
}

# "index:height" of every bar of chart ID, then "top:H", the chart's height.
bars() {
    local id=$1 slots=$2 l t r b
    read -r l t r b _ <<<"$(rect_of "$id")"
    import -window root -crop "$((r - l))x$((b - t))+$l+$t" +repage "$WORK/chart.ppm"
    python3 "$(dirname "$0")/bar_heights.py" "$WORK/chart.ppm" "$slots" |
        awk '$1 == "top" { print "top:" $2; next } { print NR - 1 ":" $1 }'
}

# Every bar of chart ID is its count's share of the top figure within a
# pixel, and there is no bar where no count is given.
expect_bars() {
    local what=$1 id=$2 slots=$3 top=$4
    local -n counts=$5
    local shown height=-1 line i h want
    shown=$(bars "$id" "$slots")
    height=$(sed -n 's/^top://p' <<<"$shown")
    ((height > 20)) || fail "$what: chart $height pixels high"
    while IFS=: read -r i h; do
        [[ $i == top ]] && continue
        want=$(((${counts[$i]:-0} * height * 2 + top) / (2 * top)))
        ((h >= want - 1 && h <= want + 1)) ||
            fail "$what: bar $i is $h pixels, want $want of $height for ${counts[$i]:-no} count"
    done <<<"$shown"
}

# The summary line's total of the 31 days.
summary_total() {
    sheet_text "$SUMMARY" | sed -n 's/.*Total \([0-9]*\)\.$/\1/p'
}

echo "== the prepared days and months, drawn"
start_program "$WORK/rc" "$dir/TW.exe"
check "sheet at start" driver wait-sheet 15000
check "history tab" driver tab 1
wait_text "$SUMMARY" "Best day $(ago 10): 1000. Average 560 a day. Total 2800."
expect_bars "days" "$DAY_CHART" 31 1000 DAY_COUNTS
expect_bars "months" "$MONTH_CHART" 12 50000 MONTH_COUNTS

echo "== real clicks make today's bar grow"
read -r l t r b _ <<<"$(rect_of "$MONTH_CHART")"
xdotool mousemove $(((l + r) / 2)) $(((t + b) / 2)) click --repeat 60 --delay 40 1
# Clicks close together may merge in the counter's event: take what arrived.
for ((i = 0; i < 50; i++)); do
    total=$(summary_total)
    sleep 0.2
    ((total > 2800)) && [[ $(summary_total) == "$total" ]] && break
done
((total > 2800)) || fail "no click reached the history page (total $total)"
DAY_COUNTS[30]=$((300 + total - 2800))
MONTH_COUNTS[11]=$((10000 + total - 2800))
expect_bars "days after $((total - 2800)) clicks" "$DAY_CHART" 31 1000 DAY_COUNTS
echo "history: $((total - 2800)) of 60 clicks counted"

echo "== a statistics file that is a folder: today's bar alone"
check "hide" driver press 2
check "sheet closed" wait_no_sheet
rm "$dir/Day.txt"
mkdir "$dir/Day.txt"
check "open" driver command "$MAIN_CLASS" "$IDM_OPEN"
check "sheet again" driver wait-sheet 10000
check "history tab" driver tab 1
today_only=([30]=${DAY_COUNTS[30]})
wait_text "$SUMMARY" "Best day $today: ${DAY_COUNTS[30]}. Average ${DAY_COUNTS[30]} a day. Total ${DAY_COUNTS[30]}."
expect_bars "days from a folder" "$DAY_CHART" 31 "$(readable_top "${DAY_COUNTS[30]}")" today_only
check "no error box" driver no-box 1000

check "close" driver close "$MAIN_CLASS"
expect_eq "exit code" 0 "$(wait_exit "$WORK/rc" 15)"
[[ $(date +%F) == "$today" ]] || fail "midnight passed during the test"
echo "history: ok"
