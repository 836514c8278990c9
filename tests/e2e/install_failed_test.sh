#!/usr/bin/env bash
# An installation that cannot write the program's files says so and leaves
# the system as it was: no registry entry, shortcut, group or running copy.
source "$(dirname "$0")/lib.sh"

expect_nothing_written() {
    local why=$1
    check "$why: no install folder" test ! -e "$INSTALL_DIR/Tallywhirl.dll"
    check "$why: no uninstaller" test ! -e "$DRIVE_C/windows/TWUninst.exe"
    check "$why: no shortcut" test ! -e "$DESKTOP_LINK"
    check "$why: no group" test ! -e "$GROUP_DIR"
    expect_eq "$why: Run value" "" "$(reg_value "$RUN_KEY" Tallywhirl)"
    expect_eq "$why: uninstall entry" "" "$(reg_value "$UNINSTALL_KEY" UninstallString)"
    expect_eq "$why: OptionAutostart" "" "$(product_value OptionAutostart)"
    expect_eq "$why: no copy started" 1 \
        "$(driver wait-window "$MAIN_CLASS" 1500 >/dev/null 2>&1; echo $?)"
}

install_and_expect_failure() {
    local why=$1
    start_program "$WORK/rc" "$dir/Tallywhirl.exe"
    text=$(driver answer "could not be installed" ok 30000 | tr -d '\r') ||
        fail "$why: no failure message"
    expect_eq "$why: message" $'Tallywhirl could not be installed: its files could not be written to the program folder.\nNothing has been changed on your system.' "$text"
    expect_eq "$why: exit code" 0 "$(wait_exit "$WORK/rc" 15)"
    expect_nothing_written "$why"
}

reset_state
dir="$WORK/my programs"
mkdir -p "$dir"
cp "$TW_BUILD/Tallywhirl.exe" "$dir/Tallywhirl.exe"

# A Program Files folder whose name cannot be joined within a path's bound.
long='C:\'$(printf 'p%.0s' $(seq 300))
reg add "$CURRENT_VERSION_KEY" /v ProgramFilesDir /t REG_SZ /d "$long" /f >/dev/null
install_and_expect_failure "overlong ProgramFilesDir"

# The program copy cannot be written: a folder stands where it belongs.
reset_state
mkdir -p "$dir" "$INSTALL_DIR/TW.exe"
cp "$TW_BUILD/Tallywhirl.exe" "$dir/Tallywhirl.exe"
install_and_expect_failure "program copy blocked"

reset_state
echo "install failed: ok"
