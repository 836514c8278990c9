#!/usr/bin/env bash
# The uninstaller asks twice; only two Yes answers remove the shortcut, the
# group, the registry entries and the program's own files. A file of the
# user's in the program folder stays, and the folder with it.
source "$(dirname "$0")/lib.sh"

# A Program Files folder without blanks, so that Wine adds the group's items.
apps='C:\TallywhirlApps'
folder="$DRIVE_C/TallywhirlApps/Tallywhirl"
uninstaller='C:\windows\TWUninst.exe'

install_program() {
    reg add "$CURRENT_VERSION_KEY" /v ProgramFilesDir /t REG_SZ /d "$apps" /f >/dev/null
    start_program "$WORK/rc" "$dir/Tallywhirl.exe"
    driver answer "successfully installed" ok 30000 >/dev/null || fail "no installation message"
    expect_eq "installer's exit code" 0 "$(wait_exit "$WORK/rc" 15)"
    check "installed copy runs" driver wait-window "$MAIN_CLASS" 15000
    check "program group item" test -e "$GROUP_DIR/Tallywhirl.lnk"
    check "shortcut" test -e "$DESKTOP_LINK"
    expect_eq "Path" "$apps\\Tallywhirl" "$(product_value Path)"
}

expect_installed() {
    local why=$1
    check "$why: copy still runs" driver wait-window "$MAIN_CLASS" 1000
    check "$why: program" test -e "$folder/TW.exe"
    check "$why: shortcut" test -e "$DESKTOP_LINK"
    check "$why: group" test -d "$GROUP_DIR"
    expect_eq "$why: Run value" "$apps\\Tallywhirl\\TW.exe -Auto" \
        "$(reg_value "$RUN_KEY" Tallywhirl)"
    expect_eq "$why: uninstall entry" "$uninstaller -Uninst" \
        "$(reg_value "$UNINSTALL_KEY" UninstallString)"
    expect_eq "$why: product key" 1 "$(product_dword OptionAutostart)"
}

uninstall() {
    start_program "$WORK/rc" "$uninstaller" -Uninst
}

reset_state
dir="$WORK/my programs"
mkdir -p "$dir"
cp "$TW_BUILD/Tallywhirl.exe" "$dir/Tallywhirl.exe"
install_program

# The uninstall entry started as Windows starts it, with the application name
# and the stored line unchanged, reaches the first question. No there: no
# second one, nothing changes.
command=$(reg_value "$UNINSTALL_KEY" UninstallString)
check "start the uninstall entry" driver start "$uninstaller" "$command"
driver answer "Are you sure you want to remove this very cool app?" no 20000 >/dev/null ||
    fail "no first question from the uninstall entry"
expect_installed "No at the first question"

# Yes, then No at "Really?".
uninstall
driver answer "remove this very cool app" yes 20000 >/dev/null || fail "no first question"
driver answer "Really?" no 10000 >/dev/null || fail "no second question"
expect_eq "declined: exit code" 0 "$(wait_exit "$WORK/rc" 15)"
expect_installed "No at the second question"

# Yes and Yes: everything goes, the uninstaller itself stays.
uninstall
driver answer "remove this very cool app" yes 20000 >/dev/null || fail "no first question"
driver answer "Really?" yes 10000 >/dev/null || fail "no second question"
expect_eq "exit code" 0 "$(wait_exit "$WORK/rc" 30)"
check "running copy closed" driver wait-gone "$MAIN_CLASS" 5000
check "shortcut removed" test ! -e "$DESKTOP_LINK"
check "group removed" test ! -e "$GROUP_DIR"
expect_eq "Run value" "" "$(reg_value "$RUN_KEY" Tallywhirl)"
expect_eq "uninstall key" "" "$(reg_value "$UNINSTALL_KEY" DisplayName)"
expect_eq "product key" "" "$(product_value Path)"
expect_folder_removed "$folder"
check "uninstaller stays" test -e "$DRIVE_C/windows/TWUninst.exe"
check "no message at the end" driver no-box 1000

# A user's file in the program folder survives, and so does the folder; the
# program's own statistics files go.
install_program
printf 'mine\r\n' >"$folder/notes.txt"
printf '2024-01-01\t5\r\n' >"$folder/Day.txt"
uninstall
driver answer "remove this very cool app" yes 20000 >/dev/null || fail "no first question"
driver answer "Really?" yes 10000 >/dev/null || fail "no second question"
expect_eq "exit code" 0 "$(wait_exit "$WORK/rc" 30)"
check "user's file kept" test -e "$folder/notes.txt"
check "statistics file removed" test ! -e "$folder/Day.txt"
pending=$(cd "$folder" && ls -A | grep -E '^(Tallywhirl\.dll|~TW[0-9A-Fa-f]+\.tmp)$')
[[ -n "$pending" ]] && restart_with_pending_library "$pending"
for name in TW.exe Tallywhirl.dll Readme.txt; do
    check "$name removed" test ! -e "$folder/$name"
done
expect_eq "folder holds only the user's file" "notes.txt" "$(ls "$folder")"

# An uninstallation while another process has the hook library loaded, then
# an installation before the restart: the restart takes the old library
# only, and the new installation keeps its own.
reset_state
mkdir -p "$dir"
cp "$TW_BUILD/Tallywhirl.exe" "$dir/Tallywhirl.exe"
install_program
driver_holding load loaded load "$apps\\Tallywhirl\\Tallywhirl.dll" 120000
uninstall
driver answer "remove this very cool app" yes 20000 >/dev/null || fail "no first question"
driver answer "Really?" yes 10000 >/dev/null || fail "no second question"
expect_eq "exit code" 0 "$(wait_exit "$WORK/rc" 30)"
install_program
check "close" driver close-wait "$MAIN_CLASS" 10000
wineserver -k
wine wineboot -r >/dev/null 2>&1
wineserver -w
check "the new hook library survives the restart" \
    cmp -s "$TW_BUILD/Tallywhirl.dll" "$folder/Tallywhirl.dll"
start_program "$WORK/rc-run" "$apps\\Tallywhirl\\TW.exe" -Auto
check "the installed copy starts with its library" driver wait-window "$MAIN_CLASS" 15000
check "signal" driver signal 1
uninstall
driver answer "remove this very cool app" yes 20000 >/dev/null || fail "no first question"
driver answer "Really?" yes 10000 >/dev/null || fail "no second question"
expect_eq "exit code" 0 "$(wait_exit "$WORK/rc" 30)"
expect_folder_removed "$folder"

reset_state
echo "uninstall: ok"
