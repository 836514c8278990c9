#!/usr/bin/env bash
# What the tray icon's notifications do: only a left press opens the sheet;
# a right press or the context-menu key shows the menu at the cursor, whose
# first item opens the sheet too; everything else does nothing.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sheet_lib.sh"
reset_state
dir="$WORK/app"
place_program "$dir" TW.exe
TRAY=0x8001
MENU_CLASS="#32768"

notify() {
    check "notification $1" driver post "$MAIN_CLASS" "$TRAY" 1 "$1"
}

menu_shown() {
    driver geometry "$MENU_CLASS" "${1:-10000}" 2>/dev/null | tr -d '\r'
}

start_program "$WORK/rc" "$dir/TW.exe" -Auto
check "main window" driver wait-window "$MAIN_CLASS" 15000

echo "== releases, double clicks and moves do nothing"
for message in 0x0200 0x0202 0x0203 0x0205 0x0206 0x0207 0x0208; do
    notify "$message"
done
sleep 1.5
expect_eq "no sheet" 0 "$(sheet_count)"
expect_eq "no menu" "" "$(menu_shown 300)"

echo "== a left press opens the sheet"
notify 0x0201
check "sheet" driver wait-sheet 10000
check "Hide" driver press 2
check "sheet closes" wait_no_sheet

echo "== a right press shows the menu at the cursor"
xdotool mousemove 300 200
sleep 0.5
notify 0x0204
read -r l t _ <<<"$(menu_shown)"
expect_eq "menu at the cursor" "300 200" "$l $t"
expect_eq "no sheet with the menu" 0 "$(sheet_count)"
check "first item" driver post "$MENU_CLASS" 0x0100 0x28 0
check "choose it" driver post "$MENU_CLASS" 0x0100 0x0D 0
check "Open opens the sheet" driver wait-sheet 10000
expect_eq "menu gone" "" "$(menu_shown 300)"
check "Hide" driver press 2
check "sheet closes" wait_no_sheet

echo "== the context-menu key shows it too; Escape closes it"
notify 0x007B
[[ -n "$(menu_shown)" ]] || fail "no menu for WM_CONTEXTMENU"
check "escape" driver post "$MENU_CLASS" 0x0100 0x1B 0
for ((i = 0; i < 30; i++)); do
    [[ -z "$(menu_shown 100)" ]] && break
    sleep 0.1
done
expect_eq "menu closed" "" "$(menu_shown 100)"
expect_eq "nothing opened" 0 "$(sheet_count)"
check "still running" driver wait-window "$MAIN_CLASS" 100

check "close" driver close "$MAIN_CLASS"
expect_eq "exit code" 0 "$(wait_exit "$WORK/rc" 15)"
echo "tray notifications: ok"
