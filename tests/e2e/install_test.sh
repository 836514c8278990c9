#!/usr/bin/env bash
# The first start of a downloaded copy installs it, hands over to the
# installed copy in the tray and says so; installing again replaces the files
# over the running copy and keeps the user's autostart choice.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sheet_lib.sh"
reset_state
dir="$WORK/my programs"
mkdir -p "$dir"
cp "$TW_BUILD/Tallywhirl.exe" "$dir/Tallywhirl.exe"

start_program "$WORK/rc1" "$dir/Tallywhirl.exe"
text=$(driver answer "successfully installed" ok 30000 | tr -d '\r') || fail "no installation message"
expect_eq "message" $'Tallywhirl Version 1.2, an incredibly cool app by Oakhart\nhas been successfully installed on your system.' "$text"
expect_eq "installer's exit code" 0 "$(wait_exit "$WORK/rc1" 15)"

check "program copy" cmp -s "$TW_BUILD/Tallywhirl.exe" "$INSTALL_DIR/TW.exe"
check "hook library" cmp -s "$TW_BUILD/Tallywhirl.dll" "$INSTALL_DIR/Tallywhirl.dll"
check "readme" cmp -s "$TW_SOURCE/res/readme.txt" "$INSTALL_DIR/Readme.txt"
check "uninstaller copy" cmp -s "$TW_BUILD/Tallywhirl.exe" "$DRIVE_C/windows/TWUninst.exe"

program='C:\Program Files\Tallywhirl\TW.exe'
expect_eq "Run value" "\"$program\" -Auto" "$(reg_value "$RUN_KEY" Tallywhirl)"
expect_eq "DisplayName" "Tallywhirl by Oakhart" "$(reg_value "$UNINSTALL_KEY" DisplayName)"
expect_eq "UninstallString" 'C:\windows\TWUninst.exe -Uninst' \
    "$(reg_value "$UNINSTALL_KEY" UninstallString)"
expect_eq "OptionAutostart" 1 "$(product_dword OptionAutostart)"

link=$(driver link 'C:\users\Public\Desktop\Tallywhirl.lnk' | tr -d '\r') || fail "no desktop shortcut"
expect_eq "shortcut" "$program"$'\n''C:\Program Files\Tallywhirl'$'\n'"Tallywhirl" "$link"

# Wine's Program Manager makes the group's folder; the rest is its own.
check "program group" test -d "$GROUP_DIR"

# A copy started without -Auto posts itself the sheet's opening right after
# creating its window, before its message loop; a question posted by a
# process started once that window was seen queues behind it, so its answer
# comes only after the sheet would have opened.
expect_no_sheet() {
    local why=$1
    check "$why: terminate" driver command "$MAIN_CLASS" "$IDM_TERMINATE"
    driver answer "terminate" no 10000 >/dev/null || fail "$why: no question"
    expect_eq "$why: no sheet" 0 "$(sheet_count)"
}

# The installed copy runs in the tray, started with -Auto: no sheet opens.
check "installed copy runs" driver wait-window "$MAIN_CLASS" 15000
expect_eq "Path" 'C:\Program Files\Tallywhirl' "$(product_value Path)"
expect_no_sheet "started by the installation"

# Started as Windows starts the start-up entry: the application name and the
# stored line unchanged. An unquoted path with a blank would hand the copy
# "Files\Tallywhirl\TW.exe -Auto" and it would open its sheet.
check "close" driver close-wait "$MAIN_CLASS" 10000
check "start from the Run value" driver start "$program" "$(reg_value "$RUN_KEY" Tallywhirl)"
check "runs from the Run value" driver wait-window "$MAIN_CLASS" 15000
expect_no_sheet "started from the Run value"
first=$(driver window-pid "$MAIN_CLASS" | tr -d '\r')

# Again, over the running copy, with autostart switched off meanwhile and the
# readme damaged.
set_product_dword OptionAutostart 0
printf 'damaged' >"$INSTALL_DIR/Readme.txt"
start_program "$WORK/rc2" "$dir/Tallywhirl.exe"
driver answer "successfully installed" ok 30000 >/dev/null || fail "no message the second time"
expect_eq "installer's exit code" 0 "$(wait_exit "$WORK/rc2" 15)"
check "readme replaced" cmp -s "$TW_SOURCE/res/readme.txt" "$INSTALL_DIR/Readme.txt"
check "program copy" cmp -s "$TW_BUILD/Tallywhirl.exe" "$INSTALL_DIR/TW.exe"
expect_eq "OptionAutostart kept" 0 "$(product_dword OptionAutostart)"
expect_eq "no Run value" "" "$(reg_value "$RUN_KEY" Tallywhirl)"
check "a copy runs again" driver wait-window "$MAIN_CLASS" 15000
second=$(driver window-pid "$MAIN_CLASS" | tr -d '\r')
[[ -n "$first" && "$first" != "$second" ]] || fail "the first copy was not closed ($first, $second)"

# Once more, while another process holds the installed program open without
# sharing it for deletion, so that it cannot be replaced: the installation
# says so and leaves the old file in place (the same file, whole), and the
# copy it closed runs again from it with the counts it saved on closing.
# (A file open without delete sharing cannot be replaced.)
check "signal" driver signal 2
inode=$(stat -c %i "$INSTALL_DIR/TW.exe")
driver_holding hold held hold "$program" 60000
start_program "$WORK/rc3" "$dir/Tallywhirl.exe"
driver answer "could not be installed" ok 30000 >/dev/null || fail "no failure message"
expect_eq "failed installer's exit code" 0 "$(wait_exit "$WORK/rc3" 15)"
expect_eq "closed copy saved its counts" 2 "$(product_dword CounterCurrentTotal)"
expect_eq "the same program file" "$inode" "$(stat -c %i "$INSTALL_DIR/TW.exe")"
check "program file whole" cmp -s "$TW_BUILD/Tallywhirl.exe" "$INSTALL_DIR/TW.exe"
ls -A "$INSTALL_DIR" | grep -qi '\.tmp$' && fail "a temporary file was left: $(ls -A "$INSTALL_DIR")"
check "the closed copy runs again" driver wait-window "$MAIN_CLASS" 15000
third=$(driver window-pid "$MAIN_CLASS" | tr -d '\r')
[[ -n "$third" && "$third" != "$second" ]] || fail "the closed copy was not started again"
check "signal" driver signal 1
check "close" driver close-wait "$MAIN_CLASS" 10000
expect_eq "counts go on from the saved ones" 3 "$(product_dword CounterCurrentTotal)"

reset_state
echo "install: ok"
