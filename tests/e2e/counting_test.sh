#!/usr/bin/env bash
# A copy under a non-installing name counts, shows and keeps clicks, in one
# run of the stages below ("=="); what it draws is measured in screenshots.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sheet_lib.sh"
reset_state
dir="$WORK/app"
place_program "$dir" TW.exe
# The history page places its bars by today's date: begin clear of midnight,
# by longer than the scenario takes, waiting if need be within its time limit.
now=$((10#$(date +%H) * 3600 + 10#$(date +%M) * 60 + 10#$(date +%S)))
((now < 86400 - 300)) || sleep $((86400 - now + 5))
today=$(date +%F)

echo "== in a Wine virtual desktop the icon is in the notification area"
# The desktop lasts as long as the program it was started with.
start_program "$WORK/rc" explorer /desktop=twtray,1024x768 "$dir/TW.exe" -Auto
# Pixels of COLOUR at the right end of the taskbar on the screen now: the
# icon's red button, its grey corner.
icon_pixels() {
    import -window root "$WORK/tray.png" 2>/dev/null
    convert "$WORK/tray.png" -crop 44x28+980+740 txt:- | awk -v c="$1" '$3 == c' | wc -l
}
# Whether the icon is there (1) or gone (0).
icon_shown() {
    local red
    red=$(icon_pixels "#FF0000")
    (((red >= 8) == $1))
}
within 20 icon_shown 1 && (($(icon_pixels "#C0C0C0") >= 4)) || fail "no tray icon"
desk() { driver --desktop=twtray "$@"; }
# A shell that starts anew has none of the old icons, and says so.
check "icon removed" desk tray-delete "$MAIN_CLASS"
within 10 icon_shown 0 || fail "the icon stayed"
check "broadcast" desk broadcast TaskbarCreated
within 10 icon_shown 1 || fail "no icon after TaskbarCreated"
xdotool mousemove 1013 757 click 1
check "a press on the icon opens the sheet" desk wait-sheet 10000
# Its one button is Hide: OK hidden, Cancel renamed.
expect_eq "the sheet's OK and Cancel shown, and Cancel's text" "0 1 Hide Tallywhirl" \
    "$(desk rect 1 | cut -d' ' -f5) $(desk rect 2 | cut -d' ' -f5) $(desk text 2 | tr -d '\r')"
read -r l t r b v _ <<<"$(desk rect 0 | tr -d '\r')"
expect_eq "sheet centered on the screen" "$((512 - (r - l) / 2)) $((384 - (b - t) / 2)) 1" "$l $t $v"
check "Hide" desk press 2
desk close "$MAIN_CLASS"
expect_eq "program ended" 0 "$(wait_exit "$WORK/rc" 15)"

echo "== Open on the menu of a right press on the icon opens the sheet"
ago() { date -d "$today -$1 day" +%F; }
# For the history page: before the 31 days; the last line of a date holds; out of
# order; edited by hand; a negative count; today's, which the running count replaces.
printf '%s\t%d\r\n' "$(ago 40)" 5000 "$(ago 20)" 250 "$(ago 10)" 1000 "$(ago 3)" 500 \
    "$(ago 2)" 400 "$(ago 2)" 750 "$(ago 5)" 900 >"$dir/Day.txt"
printf 'a line edited by hand\r\n%s\t%d\r\n%s\t%d\r\n' "$(ago 1)" -5 "$today" 900 >>"$dir/Day.txt"
months_ago() { date -d "$(date +%Y-%m-15) -$1 month" +%Y-%m; }
printf '%s\t%d\r\n' "$(months_ago 5)" 20 "$(months_ago 1)" 8 >"$dir/Month.txt"
for value in CounterLastSession=40 CounterCurrentDay=150 CounterLastDay=120 \
    CounterCurrentWeek=119 CounterLastWeek=120 CounterCurrentMonth=1 CounterLastMonth=3 \
    CounterCurrentYear=30000000 CounterLastYear=10000000 CounterCurrentTotal=4000000000 \
    OptionAutostart=1; do
    set_product_dword "${value%=*}" "${value#*=}"
done
# A notification area of the driver's, found before Wine's, refuses icons
# for 2 s, as a shell not ready yet at logon does; a later tick adds it. Then,
# as a shell at logon may, it answers the add with a failure but shows the
# icon: a change finds it, no tick adds it again, and Terminate removes it.
driver_holding ready fake-tray 900000 2000 ghost
start_program "$WORK/rc" "$dir/TW.exe" -Auto
check "main window" driver wait-window "$MAIN_CLASS" 15000
within 6 grep -q "^add $MAIN_CLASS Tallywhirl by Oakhart" "$WORK/fake-tray.out" ||
    fail "no icon with its tip added once the notification area took it: $(cat "$WORK/fake-tray.out")"
within 6 grep -q "^modify $MAIN_CLASS" "$WORK/fake-tray.out" || fail "no change after a failed add"
# WM_TIMER of the tick's timer, 1: done by the time the send returns.
for tick in 1 2; do
    expect_eq "tick $tick" 0 "$(driver send "$MAIN_CLASS" 0x0113 1 0 | tr -d '\r')"
done
expect_eq "adds after two more ticks" 1 "$(grep -c "^add $MAIN_CLASS" "$WORK/fake-tray.out")"
expect_no_sheet "started with -Auto"
# The menu's first item, Open, opens the sheet.
check "a right press on the icon" driver post "$MAIN_CLASS" 0x8001 1 0x0204
check "first item" driver post "#32768" 0x0100 0x28 0 10000
check "choose it" driver post "#32768" 0x0100 0x0D 0 1000
check "Open opens the sheet" driver wait-sheet 10000
hide_sheet

echo "== real clicks in another process are counted with the sheet closed and shown on it"
wine notepad >/dev/null 2>&1 &
# In a corner, clear of the sheet in the middle of the screen.
xdotool search --sync --onlyvisible --name Notepad windowmove 0 0 windowsize 240 180
click_in_notepad 3
expect_no_sheet "after clicks"
start_program "$WORK/rc2" "$dir/TW.exe"
expect_eq "second start's exit code" 0 "$(wait_exit "$WORK/rc2" 15)"
check "a second start opens the sheet" driver wait-sheet 10000
cells="3 40 -93% 153 120 +27% 122 120 +1% 4 3 +33% 30000003 10000000 +200% -294967293"
expect_eq "cells after clicks" "$cells" "$(counter_cells)"
# Pixels of COLOUR in the sheet's control ID, in a screenshot.
cell_pixels() {
    local l t r b
    read -r l t r b _ <<<"$(driver rect "$1" | tr -d '\r')"
    import -window root -crop "$((r - l))x$((b - t))+$l+$t" +repage "$WORK/cell.png"
    convert "$WORK/cell.png" txt:- | awk -v c="$2" '$3 == c' | wc -l
}
# A rise in dark green, a fall in dark red: "green red" pixels of each.
for cell in "$IDC_DIFF_DAY rise" "$IDC_DIFF_SESSION fall"; do
    read -r id kind <<<"$cell"
    colours="$(($(cell_pixels "$id" "#008000") > 5)) $(($(cell_pixels "$id" "#800000") > 5))"
    expect_eq "colours of a $kind" "$([[ $kind == rise ]] && echo "1 0" || echo "0 1")" "$colours"
done
check "Open again" driver command "$MAIN_CLASS" "$IDM_OPEN"
settle "a second Open"
expect_eq "one sheet after a second Open" 1 "$(sheet_count)"
check "history tab" driver tab 1
wait_text "$IDC_HISTORY_SUMMARY" "Best day $(ago 10): 1000. Average 531 a day. Total 2653."
# Every bar of chart ID, in a screenshot, is its count's share of the top
# figure, rounded to the pixel, and at least one pixel for a count above 0
# (counts given as SLOT=COUNT); there is no bar where none is given.
expect_bars() {
    local what=$1 id=$2 slots=$3 top=$4 l t r b shown chart i h want
    local -A counts
    for i in "${@:5}"; do counts[${i%=*}]=${i#*=}; done
    read -r l t r b _ <<<"$(driver rect "$id" | tr -d '\r')"
    import -window root -crop "$((r - l))x$((b - t))+$l+$t" +repage -depth 8 "rgb:$WORK/chart.rgb"
    # "index:height" of every bar, then "top:H", the chart's height.
    shown=$(python3 "$(dirname "$0")/bar_heights.py" "$WORK/chart.rgb" $((r - l)) "$slots" |
        awk '$1 == "top" { print "top:" $2; next } { print NR - 1 ":" $1 }')
    chart=$(sed -n 's/^top://p' <<<"$shown")
    ((chart > 20)) || fail "$what: chart $chart pixels high"
    while IFS=: read -r i h; do
        [[ $i == top ]] && continue
        want=$(((${counts[$i]:-0} * chart * 2 + top) / (2 * top)))
        ((${counts[$i]:-0} > 0 && want == 0)) && want=1
        ((h == want)) ||
            fail "$what: bar $i is $h pixels, want $want of $chart for ${counts[$i]:-no} count"
    done <<<"$shown"
}
# Slot 30 is today's, 11 this month's: the running counts. The line out of
# order, the negative count and the one edited by hand draw nothing.
days=("10=250" "20=1000" "27=500" "28=750")
expect_bars "days" "$IDC_DAY_CHART" 31 1000 "${days[@]}" 30=153
expect_bars "months" "$IDC_MONTH_CHART" 12 20 6=20 10=8 11=4
read -r l t r b _ <<<"$(driver rect "$IDC_MONTH_CHART" | tr -d '\r')"
xdotool mousemove $(((l + r) / 2)) $(((t + b) / 2)) click --repeat 60 --delay 40 1
# Clicks close together may merge in the counter's event: take what arrived.
summary_total() {
    sheet_text "$IDC_HISTORY_SUMMARY" | sed -n 's/.*Total \([0-9]*\)\.$/\1/p'
}
for ((i = 0; i < 50; i++)); do
    total=$(summary_total)
    sleep 0.2
    ((total > 2653)) && [[ $(summary_total) == "$total" ]] && break
done
# 60 presses: clicks close together may merge, but none is counted twice.
((total > 2653 && total <= 2653 + 60)) || fail "60 presses on the sheet gave a total of $total"
expect_bars "days after $((total - 2653)) clicks on the sheet" "$IDC_DAY_CHART" 31 1000 \
    "${days[@]}" 30=$((153 + total - 2653))
check "statistics tab" driver tab 0
wait_text "$IDC_CUR_SESSION" $((3 + total - 2653))
cells=$(counter_cells)

echo "== the sheet's commands ask first; only Yes changes, redraws and saves"
# Presses button ID and answers its question TEXT with ANSWER.
ask() {
    check "press $1" driver press "$1"
    driver answer "$3" "$2" 10000 >/dev/null || fail "no question after $1"
    check "no second question after $1" driver no-box 300
}
# A command's save is told from the timed one, every 30 s, only in the
# seconds after a timed save: right before each command the test waits for
# one (it writes every value again), and checks the command's save next.
stored() { [[ -n "$(product_dword CounterCurrentTotal)" ]]; }
after_timed_save() {
    reg delete "$PRODUCT_KEY" /v CounterCurrentTotal /f >/dev/null
    within 40 stored || fail "no timed save within 40 s"
    timed_save=$SECONDS
}
# The stored counts NAMES as "NAME=VALUE ...", read at once.
stored_counts() {
    local all name value
    all=$(reg query "$PRODUCT_KEY" 2>/dev/null | tr -d '\r')
    for name in $1; do
        value=$(awk -v n="$name" '$1 == n { print $3 }' <<<"$all")
        [[ -n $value ]] && printf -v value '%d' "$value"
        printf '%s=%s ' "$name" "$value"
    done
}
counts_are() { [[ "$(stored_counts "$1")" == "$2 " ]]; }
# The stored counts equal WANT within 5 s, before the next timed save.
counts_saved() {
    local names
    names=$(sed -E 's/=[^ ]*//g' <<<"$2")
    within 5 counts_are "$names" "$2" || fail "$1: stored $(stored_counts "$names"), want $2"
    ((SECONDS - timed_save < 29)) || fail "$1: saved, but too late to tell from a timed save"
}
ask "$IDC_NEW_SESSION" no "start a new session"
expect_eq "nothing changed" "$cells" "$(counter_cells)"
after_timed_save
asked=$SECONDS
ask "$IDC_NEW_SESSION" yes "start a new session"
# The running session is stored as the last one.
counts_saved "new session" "CounterLastSession=0"
expect_eq "cells after a new session" "0 ${cells%% *} -100% ${cells#* * * }" "$(counter_cells)"
# Started anew at the answer, not minutes ago with the program.
clock=$(sheet_text "$IDC_CLOCK")
IFS=: read -r h m sec <<<"$clock"
((10#$h * 3600 + 10#$m * 60 + 10#$sec <= SECONDS - asked + 1)) ||
    fail "clock after a new session: $clock, $((SECONDS - asked)) s after the question"
# And it runs on: a tick later it reads another time.
clock_moved() { [[ "$(sheet_text "$IDC_CLOCK")" != "$1" ]]; }
within 5 clock_moved "$clock" || fail "the clock stands at $clock"
# Each button, the first of the cells (of counter_cells) it clears, and the
# values its save stores as 0; every period has a last figure of its own.
check "signal" driver signal 3
for reset in "$IDC_RESET_SESSION 0 LastSession" "$IDC_RESET_DAY 3 CurrentDay LastDay" \
    "$IDC_RESET_WEEK 6 CurrentWeek LastWeek" "$IDC_RESET_MONTH 9 CurrentMonth LastMonth" \
    "$IDC_RESET_YEAR 12 CurrentYear LastYear" "$IDC_RESET_TOTAL 15 CurrentTotal"; do
    read -r id at names <<<"$reset"
    read -ra want <<<"$(counter_cells)"
    want[at]=0
    if ((at < 15)); then
        want[at+1]=0
        want[at+2]=n/a
    fi
    check "options page" driver tab 2
    after_timed_save
    ask "$id" yes "reset the chosen counter"
    counts_saved "button $id" "$(printf 'Counter%s=0 ' $names | sed 's/ $//')"
    check "statistics page" driver tab 0
    expect_eq "button $id resets its counter and its last figure only" "${want[*]}" \
        "$(counter_cells)"
done
# Reset all, with a last figure in every period again: the copy ends (and
# saves), and starts again from counts of the registry's.
check "close" driver close "$MAIN_CLASS" 10000
for value in CounterLastSession=7 CounterCurrentDay=11 CounterLastDay=12 CounterCurrentWeek=13 \
    CounterLastWeek=14 CounterCurrentMonth=15 CounterLastMonth=16 CounterCurrentYear=17 \
    CounterLastYear=18 CounterCurrentTotal=19; do
    set_product_dword "${value%=*}" "${value#*=}"
done
start_program "$WORK/rc" "$dir/TW.exe" -Auto
check "main window" driver wait-window "$MAIN_CLASS" 15000
check "Open" driver command "$MAIN_CLASS" "$IDM_OPEN"
check "sheet" driver wait-sheet 10000
cells=$(counter_cells)
expect_eq "counts of the registry's" "0 7 -100% 11 12 -9% 13 14 -8% 15 16 -7% 17 18 -6% 19" "$cells"
check "options page" driver tab 2
ask "$IDC_RESET_ALL" no "reset the chosen counter"
check "statistics page" driver tab 0
expect_eq "No resets nothing" "$cells" "$(counter_cells)"
check "options page" driver tab 2
after_timed_save
ask "$IDC_RESET_ALL" yes "reset the chosen counter"
counts_saved "reset all" "CounterLastSession=0 CounterCurrentDay=0 CounterLastDay=0 \
CounterCurrentWeek=0 CounterLastWeek=0 CounterCurrentMonth=0 CounterLastMonth=0 \
CounterCurrentYear=0 CounterLastYear=0 CounterCurrentTotal=0"
check "statistics page" driver tab 0
expect_eq "all reset" "0 0 n/a 0 0 n/a 0 0 n/a 0 0 n/a 0 0 n/a 0" "$(counter_cells)"

echo "== the statistics page's link has the shell open its address"
tray=$(process_of "$MAIN_CLASS" | cut -d' ' -f1)
driver_holding watching wait-child "$tray" 60000
check "the link" driver press "$IDC_STATS_LINK"
within 60 grep -q '^[0-9]' "$WORK/wait-child.out" || fail "nothing started for the link"
check "what the shell started ends" driver wait-pid "$(awk '/^[0-9]/ { print $1 }' "$WORK/wait-child.out")" 30000

echo "== the start-with-Windows box shows the Run value and has an elevated copy change it"
# The option (on, as loaded at the start) and the Run value (none) disagree.
reg delete "$RUN_KEY" /v Tallywhirl /f >/dev/null 2>&1
set_product_dword OptionAutostart 0
check "options page" driver tab 2
box() { driver check "$IDC_AUTOSTART" | tr -d '\r'; }
expect_eq "box shows that there is no Run value" 0 "$(box)"
# Presses the box; a copy of the program, started by the tray copy, changes
# the Run value. On Windows that copy is elevated; under Wine its runas gives
# the same token again, but it is a copy of its own all the same. Reading the
# box waits for the tray copy, which waits for that copy.
press_box() {
    driver_holding watching wait-child "$tray" 60000
    check "$1" driver press "$IDC_AUTOSTART"
    within 60 grep -qi ' TW.exe' "$WORK/wait-child.out" ||
        fail "$1: no copy of the program started by the tray copy: $(cat "$WORK/wait-child.out")"
}
press_box "check"
expect_eq "box checked" 1 "$(box)"
check "no question" driver no-box 1000
program=$(wine winepath -w "$dir/TW.exe" | tr -d '\r')
[[ $program == *" "* ]] && program="\"$program\""
expect_eq "Run value written" "$program -Auto" "$(reg_value "$RUN_KEY" Tallywhirl)"
expect_eq "option stored" 1 "$(product_dword OptionAutostart)"
expect_eq "Run value type" REG_SZ \
    "$(reg query "$RUN_KEY" /v Tallywhirl | tr -d '\r' | awk '$1 == "Tallywhirl" { print $2 }')"
# A Run key that refuses writes stands for a copy that could not change it:
# the box goes back, the option stays as it was, and the user is told.
run_key='Software\Microsoft\Windows\CurrentVersion\Run'
check "deny writes" driver writes "$run_key" deny
press_box "uncheck"
driver answer "could not change whether it starts with Windows" ok 60000 >/dev/null ||
    fail "no word on a Run value that refuses writes"
check "allow writes" driver writes "$run_key" allow
expect_eq "box, option and Run value as they were" "1 1 $program -Auto" \
    "$(box) $(product_dword OptionAutostart) $(reg_value "$RUN_KEY" Tallywhirl)"
press_box "uncheck"
expect_eq "box cleared" 0 "$(box)"
expect_eq "Run value deleted" "" "$(reg_value "$RUN_KEY" Tallywhirl)"
expect_eq "option stored" 0 "$(product_dword OptionAutostart)"
hide_sheet

echo "== the end of a logon session, the timer and Terminate save the counts"
# Terminate, Yes to its first question and ANSWER to "Really?".
terminate() {
    check "terminate" driver command "$MAIN_CLASS" "$IDM_TERMINATE"
    confirm_twice "terminate" "$1"
}
check "signal" driver signal 4
# Planted just after a timed save, so that only the end of the session can
# write over it.
wait_saved CounterLastSession 4
set_product_dword CounterLastSession 777
expect_eq "WM_QUERYENDSESSION answer" 1 "$(driver send "$MAIN_CLASS" 0x11 0 0 | tr -d '\r')"
expect_eq "saved before answering" 4 "$(product_dword CounterLastSession)"
check "signal" driver signal 2
expect_eq "WM_ENDSESSION answer" 0 "$(driver send "$MAIN_CLASS" 0x16 1 0 | tr -d '\r')"
expect_eq "saved again" 6 "$(product_dword CounterLastSession)"
check "signal" driver signal 3
wait_saved CounterLastSession 9
check "signal" driver signal 1
terminate no
check "No at the second question asks nothing more" driver no-box 1500
check "still running" driver wait-window "$MAIN_CLASS" 100
# The copy that ended for the reset's restart removed its icon already.
deletes=$(grep -c "^delete $MAIN_CLASS" "$WORK/fake-tray.out")
terminate yes
expect_eq "exit code" 0 "$(wait_exit "$WORK/rc" 15)"
expect_eq "Terminate saves" 10 "$(product_dword CounterLastSession)"
expect_eq "Terminate removes the icon the program was told it had not added" $((deletes + 1)) \
    "$(grep -c "^delete $MAIN_CLASS" "$WORK/fake-tray.out")"
[[ $(date +%F) == "$today" ]] || fail "midnight passed during the test"

echo "== a start on a later day appends the stored day to Day.txt and begins a new one"
for field in DateYear=%Y DateMonth=%-m DateDay=%-d DateWeek=%w; do
    set_product_dword "${field%=*}" "$(date -d "$(ago 1)" "+${field#*=}")"
done
start_program "$WORK/rc" "$dir/TW.exe"
check "sheet at start" driver wait-sheet 15000
# The start's rollover saves the counts last of all, with today's date.
wait_saved DateDay "$(date +%-d)" 10
cmp -s <(printf '%s\t%d\r\n' "$(ago 1)" 10) <(tail -n 1 "$dir/Day.txt") ||
    fail "Day.txt ends: want '$(ago 1)<TAB>10<CR><LF>', got $(tail -n 1 "$dir/Day.txt" | od -c)"
expect_eq "the stored day moved to last, today begins at 0" "10 0" \
    "$(product_dword CounterLastDay) $(product_dword CounterCurrentDay)"

echo "== the program's hook goes, and the watchdog brings it back: presses count exactly"
# The session cell once it has stood still for a second.
session_count() {
    local last now
    last=$(sheet_text "$IDC_CUR_SESSION")
    while sleep 1; now=$(sheet_text "$IDC_CUR_SESSION") && [[ $now != "$last" ]]; do last=$now; done
    echo "$last"
}
library=$(wine winepath -w "$dir/Tallywhirl.dll" | tr -d '\r')
click_in_notepad 1
before=$(session_count)
# Another logon session's copy sets and removes its own hook through the same
# library; then the program's own hook is removed in its process, as its
# watchdog does first: that one of ours, not the other copy's, goes.
check "hook cycle" driver hook-cycle "$library"
check "unhook" driver unhook "$MAIN_CLASS" "$library"
click_in_notepad 1
expect_eq "a press without the hook" "$before" "$(session_count)"
# The press came through once the watchdog has set the hook again, after
# the quiet spell that a missing hook makes.
for ((i = 0; i < 15; i++)); do
    click_in_notepad 1
    [[ $(session_count) != "$before" ]] && break
done
after=$(session_count)
((after > before)) || fail "the watchdog did not set the hook again"
click_in_notepad 5
expect_eq "five presses after the watchdog's hook" $((after + 5)) "$(session_count)"

check "close" driver close "$MAIN_CLASS"
expect_eq "exit code" 0 "$(wait_exit "$WORK/rc" 15)"

echo "== at 100, 125, 150 and 200 %: no text clipped, the picture at the scale, smoothly"
# Wine gives a program the scale set before it starts (and, unlike Windows,
# never stretches one that is unaware of it); the session ends at 100 %.
scale() { reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null; }
CLEANUP+="scale 96;"
exe=$(wine winepath -w "$dir/TW.exe" | tr -d '\r')
for dpi in 96 120 144 192; do
    scale $dpi
    start_program "$WORK/rc" "$dir/TW.exe"
    check "sheet at $dpi DPI" driver wait-sheet 15000
    for page in "0 $IDD_STATISTICS" "1 $IDD_HISTORY" "2 $IDD_OPTIONS" "3 $IDD_ABOUT"; do
        read -r tab id <<<"$page"
        check "tab $tab" driver tab "$tab"
        layout=$(driver layout "$exe" "$id" | tr -d '\r') || fail "no layout of $id"
        [[ -z $(awk '$1 == 0' <<<"$layout") ]] ||
            fail "at $dpi DPI, page $tab: clipped or wrongly sized: $(awk '$1 == 0' <<<"$layout")"
        [[ $tab != 0 ]] || expect_eq "at $dpi DPI, the headings' tops" 1 "$(awk \
            '$3 ~ /^(Current|Last|Difference)$/ { print $2 }' <<<"$layout" | sort -u | wc -l)"
    done
    # The picture inside its frame's border, in a screenshot.
    read -r _ _ _ _ _ l t r b <<<"$(driver rect "$IDC_ABOUT_PICTURE" | tr -d '\r')"
    import -window root -crop "$((r - l))x$((b - t))+$l+$t" +repage "$WORK/picture-$dpi.png"
    expect_eq "at $dpi DPI, the picture's size" \
        "$(((131 * dpi + 48) / 96)) $(((87 * dpi + 48) / 96))" "$((r - l)) $((b - t))"
    # 1:1 at 100 %, in the bitmap's own 107 colours; larger, with colours that
    # halftone blends, and shrunk to 131 x 87 the picture at 100 %.
    colours=$(convert "$WORK/picture-$dpi.png" -format %k info:)
    ((dpi == 96 ? colours == 107 : colours > 2 * 107)) ||
        fail "at $dpi DPI the picture has $colours colours"
    convert "$WORK/picture-$dpi.png" -resize '131x87!' "$WORK/shrunk.png"
    difference=$(compare -metric RMSE "$WORK/shrunk.png" "$WORK/picture-96.png" null: 2>&1 |
        sed 's/.*(\(.*\))/\1/')
    # Halftone's blending at 150 % comes to about 0.054 under Wine; another
    # picture, or none, is far off (0.3 and more).
    awk -v d="$difference" 'BEGIN { exit !(d < 0.08) }' ||
        fail "at $dpi DPI the picture differs from 96 DPI's: RMSE $difference"
    check "close" driver close "$MAIN_CLASS"
    expect_eq "exit code" 0 "$(wait_exit "$WORK/rc" 15)"
done
echo "counting: ok"
