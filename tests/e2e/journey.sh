#!/usr/bin/env bash
# A user's months with the program, in one run: installation, real clicks,
# the sheet, days, weeks and years going by (through the stored date), three
# kinds of ending, and the uninstallation. Argument: the Windows version Wine
# reports (winxp, win10).
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sheet_lib.sh"
version=$1
reset_state
reg add 'HKCU\Software\Wine' /v Version /t REG_SZ /d "$version" /f >/dev/null
CLEANUP="reg delete 'HKCU\\Software\\Wine' /v Version /f >/dev/null 2>&1"

INSTALLED="C:\\Program Files\\Tallywhirl\\TW.exe"
INSTALLED_TEXT="has been successfully installed"
downloads="$WORK/My Downloads"
mkdir -p "$downloads"
cp "$TW_BUILD/Tallywhirl.exe" "$downloads/Tallywhirl.exe"
echo "the user's own notes" >"$downloads/notes.txt"

# What the prefix holds before the program comes, to compare with at the end.
snapshot() {
    (cd "$DRIVE_C" && find . -path ./windows/temp -prune -o -path './users/*/Temp' -prune \
        -o -path './users/*/AppData/Local/Temp' -prune -o -print | sort)
}
snapshot >"$WORK/files-before"

lines() {
    if [[ -f "$INSTALL_DIR/$1" ]]; then wc -l <"$INSTALL_DIR/$1"; else echo 0; fi
}

install_from_downloads() {
    start_program "$WORK/rc-install" "$downloads/Tallywhirl.exe"
    driver answer "$INSTALLED_TEXT" ok 30000 >/dev/null || fail "no installation message"
    expect_eq "installer's exit code" 0 "$(wait_exit "$WORK/rc-install" 30)"
    check "installed copy runs" driver wait-window "$MAIN_CLASS" 15000
}

# The start's rollover saves the counts last of all, with today's date; its
# window appears before it.
wait_today_stored() {
    local i
    for ((i = 0; i < 100; i++)); do
        [[ "$(product_dword DateDay) $(product_dword DateMonth) $(product_dword DateYear)" == \
            "$(date +'%-d %-m %Y')" ]] && return 0
        sleep 0.1
    done
    fail "the stored date did not become today"
}

start_installed() {
    start_program "$WORK/rc-run" "$INSTALLED" -Auto
    check "installed copy runs" driver wait-window "$MAIN_CLASS" 15000
    wait_today_stored
}

terminate() {
    check "Terminate" driver command "$MAIN_CLASS" "$IDM_TERMINATE"
    driver answer "want to terminate" yes >/dev/null || fail "first Terminate question"
    driver answer "Really?" yes >/dev/null || fail "second Terminate question"
    check "program ends" driver wait-gone "$MAIN_CLASS" 15000
}

# Clicks in Wine's notepad, a window of another process: N left presses.
click_in_notepad() {
    local n=$1 id
    id=$(xdotool search --sync --onlyvisible --name "Notepad" | head -1)
    [[ -n "$id" ]] || fail "no notepad window"
    eval "$(xdotool getwindowgeometry --shell "$id")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
    xdotool click --repeat "$n" --delay 120 1
    sleep 1
}

wait_saved() {
    local name=$1 want=$2 i
    for ((i = 0; i < 32; i++)); do
        [[ "$(product_dword "$name")" == "$want" ]] && return 0
        sleep 1
    done
    fail "$name is $(product_dword "$name") after 32 s, want $want"
}

set_stored_date() {
    set_product_dword DateYear "$(date -d "$1" +%Y)"
    set_product_dword DateMonth "$(date -d "$1" +%-m)"
    set_product_dword DateDay "$(date -d "$1" +%-d)"
    set_product_dword DateWeek "$(date -d "$1" +%w)"
}

echo "== first start installs"
install_from_downloads
check "TW.exe installed" cmp -s "$TW_BUILD/Tallywhirl.exe" "$INSTALL_DIR/TW.exe"

echo "== real clicks are counted and shown"
wine "$NOTEPAD" >/dev/null 2>&1 &
notepad=$!
click_in_notepad 6
check "Open" driver command "$MAIN_CLASS" "$IDM_OPEN"
check "sheet" driver wait-sheet 10000
expect_eq "session cell on the sheet" 6 "$(sheet_text "$IDC_CUR_SESSION")"
expect_eq "total cell on the sheet" 6 "$(sheet_text "$IDC_CUR_TOTAL")"
check "Hide" driver press 2
check "sheet closes" wait_no_sheet

echo "== ended by Terminate"
terminate
expect_eq "total after Terminate" 6 "$(product_dword CounterCurrentTotal)"

echo "== a midnight"
set_stored_date yesterday
start_installed
expect_eq "Day.txt after a midnight" 1 "$(lines Day.txt)"
expect_eq "yesterday moved to last" 6 "$(product_dword CounterLastDay)"
expect_eq "today begins at 0" 0 "$(product_dword CounterCurrentDay)"
click_in_notepad 4

echo "== ended by another copy's installation"
install_from_downloads
expect_eq "counts kept over the reinstallation" 10 "$(product_dword CounterCurrentTotal)"
expect_eq "today's clicks kept" 4 "$(product_dword CounterCurrentDay)"

echo "== ended by being killed: at most the last 30 seconds lost"
click_in_notepad 3
wait_saved CounterCurrentTotal 13
click_in_notepad 2
check "kill" driver kill "$MAIN_CLASS"
total=$(product_dword CounterCurrentTotal)
[[ $total -ge 13 && $total -le 15 ]] || fail "total after the kill is $total, want 13 to 15"

echo "== a Sunday to Monday"
sunday=$(date -d "last sunday" +%F)
week=$(product_dword CounterCurrentWeek)
set_stored_date "$sunday"
start_installed
expect_eq "Day.txt after a Sunday" 2 "$(lines Day.txt)"
expect_eq "week moved to last" "$week" "$(product_dword CounterLastWeek)"
expect_eq "new week begins at 0" 0 "$(product_dword CounterCurrentWeek)"
terminate

echo "== a year end"
year=$(product_dword CounterCurrentYear)
set_stored_date "$(($(date +%Y) - 1))-12-31"
start_installed
expect_eq "Day.txt after a year end" 3 "$(lines Day.txt)"
expect_eq "Year.txt after a year end" 1 "$(lines Year.txt)"
[[ $(lines Month.txt) -ge 1 ]] || fail "no Month.txt line after a year end"
expect_eq "year moved to last" "$year" "$(product_dword CounterLastYear)"
expect_eq "the total survives it all" "$total" "$(product_dword CounterCurrentTotal)"

echo "== the uninstaller removes what it made and nothing else"
kill "$notepad" 2>/dev/null
wait "$notepad" 2>/dev/null
start_program "$WORK/rc-uninst" 'C:\windows\TWUninst.exe' -Uninst
driver answer "remove this very cool app" yes >/dev/null || fail "uninstall question"
driver answer "Really?" yes >/dev/null || fail "second uninstall question"
expect_eq "uninstaller's exit code" 0 "$(wait_exit "$WORK/rc-uninst" 30)"
check "running copy closed" driver wait-gone "$MAIN_CLASS" 5000
expect_eq "product key" "" "$(product_value Path)"
expect_eq "Run value" "" "$(reg_value "$RUN_KEY" Tallywhirl)"
check "the user's notes" test -f "$downloads/notes.txt"
expect_folder_removed "$INSTALL_DIR"
snapshot >"$WORK/files-after"
left=$(comm -13 "$WORK/files-before" "$WORK/files-after" | grep -v -F "./users/$USER/Temp" |
    grep -v -i -E '^\./windows/(temp|logs)' || true)
# The uninstaller's copy in the Windows folder stays: it is the very file
# that runs the uninstallation.
left=$(grep -v -i 'TWUninst.exe' <<<"$left" || true)
gone=$(comm -23 "$WORK/files-before" "$WORK/files-after")
expect_eq "files the program left behind" "" "$left"
expect_eq "files removed that were not the program's" "" "$gone"
echo "journey ($version): ok"
