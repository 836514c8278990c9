#!/usr/bin/env bash
# Takes the pictures shown in README.md, on a virtual X server, in a Wine
# session of its own under build/screenshots: the statistics sheet's four
# pages (docs/statistics.png, docs/history.png, docs/options.png,
# docs/about.png), the statistics page at 150 % (docs/statistics-150.png)
# and the tray icon at the end of a Wine desktop's taskbar
# (docs/tray.png). Where the kernel refuses 32-bit programs, it takes them
# in the emulated machine of scripts/vm.sh, which hands them back.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if bash "$root/scripts/vm.sh" needed; then
    exec bash "$root/scripts/vm.sh" run --out "$root/docs" "$root" bash scripts/screenshots.sh
fi
docs=${TW_VM_OUT:-$root/docs}
session="$root/build/screenshots"
build="$root/build/win32"
bash "$root/scripts/wine-session.sh" start "$session" >/dev/null
trap 'bash "$root/scripts/wine-session.sh" stop "$session"' EXIT
# shellcheck disable=SC1091
source "$session/env"

key='HKLM\Software\Larkspoon Software\Tallywhirl'
set_count() {
    wine reg add "$key" /v "$1" /t REG_DWORD /d "$2" /f >/dev/null 2>&1
}
driver() {
    wine "$build/twdriver.exe" "$@" | tr -d '\r'
}
# The same counts at every start.
set_counts() {
    set_count CounterLastSession 412
    set_count CounterCurrentDay 1874
    set_count CounterLastDay 2210
    set_count CounterCurrentWeek 9630
    set_count CounterLastWeek 8415
    set_count CounterCurrentMonth 30552
    set_count CounterLastMonth 41207
    set_count CounterCurrentYear 402118
    set_count CounterLastYear 388904
    set_count CounterCurrentTotal 1291544
    set_count OptionAutostart 1
}

app="$session/app"
mkdir -p "$app" "$docs"
cp "$build/Tallywhirl.exe" "$app/TW.exe"
cp "$build/Tallywhirl.dll" "$app/Tallywhirl.dll"

# Four weeks of finished days, with a few the program did not run, and
# eleven finished months: the history page draws them.
for n in $(seq 30 -1 1); do
    ((n % 7 == 3 || n == 12)) && continue
    printf '%s\t%d\r\n' "$(date -d "-$n day" +%Y-%m-%d)" $(((n * 7919) % 2300 + 600))
done >"$app/Day.txt"
for n in $(seq 11 -1 1); do
    printf '%s\t%d\r\n' "$(date -d "$(date +%Y-%m-15) -$n month" +%Y-%m)" \
        $(((n * 104729) % 30000 + 32000))
done >"$app/Month.txt"

# Starts the program at the display scale of DPI and opens its sheet.
open_sheet() {
    set_counts
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    wine "$app/TW.exe" -Auto >/dev/null 2>&1 &
    driver wait-window Larkspoon-Tallywhirl 15000
    driver signal 37 20 >/dev/null
    driver command Larkspoon-Tallywhirl 40002
    driver wait-sheet 10000
}
close_sheet() {
    driver press 2
    driver close Larkspoon-Tallywhirl
    driver wait-gone Larkspoon-Tallywhirl 15000
}
open_sheet 96

# The sheet's own rectangle, cut out of a picture of the whole screen.
shoot() {
    local name=$1 l t r b
    sleep 1.5
    read -r l t r b _ <<<"$(driver rect 0)"
    import -window root -crop "$((r - l))x$((b - t))+$l+$t" +repage "$docs/$name.png"
    echo "docs/$name.png"
}
shoot statistics
driver tab 1
shoot history
driver tab 2
shoot options
driver tab 3
shoot about
close_sheet
open_sheet 144
shoot statistics-150
close_sheet
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1

# A virtual desktop of Wine's has a taskbar with a notification area.
wine explorer /desktop=tray,1024x768 "$app/TW.exe" -Auto >/dev/null 2>&1 &
sleep 8
import -window root -crop 320x26+704+742 +repage "$session/tray.png"
convert "$session/tray.png" -scale 200% "$docs/tray.png"
echo "docs/tray.png"
wine explorer /desktop=tray,1024x768 "$build/twdriver.exe" close Larkspoon-Tallywhirl
wineserver -w
