#!/usr/bin/env bash
# What the whole program does with what it cannot use, stage by stage ("==").
source "$(dirname "$0")/lib.sh"
reset_state
dir="$WORK/app"
place_program "$dir" TW.exe
library="$dir/Tallywhirl.dll"

echo "== without a hook library it can use it says so, writes nothing and ends with 0"
# Starts the program and waits for its message TEXT, which stays up.
refusal() {
    start_program "$WORK/rc" "$dir/TW.exe" -Auto
    driver answer "$2" leave 15000 >/dev/null || fail "$1: no message box"
}
# Answers it: the program ends with 0.
answered() {
    driver answer "$2" ok 1000 >/dev/null || fail "$1: no answer"
    expect_eq "$1: exit code" 0 "$(wait_exit "$WORK/rc" 15)"
}
# Starts PROGRAM and answers its message TEXT within MS with OK; it ends with 0.
says_and_ends() {
    start_program "$WORK/rc" "$1"
    driver answer "$2" ok "$3" >/dev/null || fail "no message '$2'"
    expect_eq "exit code after '$2'" 0 "$(wait_exit "$WORK/rc" 15)"
}
library_refused() {
    refusal "$1" "cannot be loaded"
    check "$1: no window while it says so" driver wait-gone "$MAIN_CLASS" 0
    answered "$1" "cannot be loaded"
    expect_eq "$1: no counters or Release written" "" \
        "$(product_value CounterCurrentTotal)$(product_value Release)"
}
rm "$library"
# Started from a folder that holds a hook library: only the one beside the
# program counts, whatever the current folder.
(cd "$TW_BUILD" && library_refused "missing beside the program") || exit 1
cp "$TW_BUILD/InitOnly.dll" "$library"
library_refused "without TallywhirlReset"
cp "$TW_BUILD/Tallywhirl.dll" "$library"

echo "== with the click event's name held by another object it says it cannot count and ends"
driver_holding held hold-mutex TallywhirlEvent 30000
holder=$!
refusal "event name held" "cannot count clicks"
answered "event name held" "cannot count clicks"
wait "$holder" || fail "the mutex's holder ended with $?"

echo "== a downloaded copy whose path the code page cannot spell says it could not be installed"
mkdir -p "$WORK/Ω"
cp "$TW_BUILD/Tallywhirl.exe" "$WORK/Ω/Tallywhirl.exe"
says_and_ends "$WORK/Ω/Tallywhirl.exe" "the path of its own file" 15000
check "nothing installed" test ! -e "$INSTALL_DIR"

echo "== an installation that cannot write the program copy (a folder is there) changes nothing"
mkdir -p "$INSTALL_DIR/TW.exe"
cp "$TW_BUILD/Tallywhirl.exe" "$dir/Tallywhirl.exe"
says_and_ends "$dir/Tallywhirl.exe" "could not be installed" 30000
check "no library, uninstaller, shortcut or group" test ! -e "$INSTALL_DIR/Tallywhirl.dll" -a \
    ! -e "$DRIVE_C/windows/TWUninst.exe" -a ! -e "$DESKTOP_LINK" -a ! -e "$GROUP_DIR"
expect_eq "no Run value, uninstall entry or option" "" "$(reg_value "$RUN_KEY" Tallywhirl)$(
    reg_value "$UNINSTALL_KEY" UninstallString)$(product_value OptionAutostart)"

echo "== one over a running copy whose program file is held says so and keeps the old file"
rmdir "$INSTALL_DIR/TW.exe"
install_from "$dir/Tallywhirl.exe"
first=$(process_of "$MAIN_CLASS" | cut -d" " -f1)
# Open without delete sharing, the program file cannot be replaced.
check "signal" driver signal 2
inode=$(stat -c %i "$INSTALL_DIR/TW.exe")
driver_holding held hold 'C:\Program Files\Tallywhirl\TW.exe' 60000
holder=$!
says_and_ends "$dir/Tallywhirl.exe" "could not be installed" 30000
expect_eq "closed copy saved its counts" 2 "$(product_dword CounterCurrentTotal)"
expect_eq "the same program file" "$inode" "$(stat -c %i "$INSTALL_DIR/TW.exe")"
check "program file whole" cmp -s "$TW_BUILD/Tallywhirl.exe" "$INSTALL_DIR/TW.exe"
[[ -z $(find "$INSTALL_DIR" -maxdepth 1 -iname '*.tmp') ]] ||
    fail "a temporary file was left: $(ls -A "$INSTALL_DIR")"
check "the closed copy runs again" driver wait-window "$MAIN_CLASS" 15000
again=$(process_of "$MAIN_CLASS" | cut -d" " -f1)
[[ -n "$again" && "$again" != "$first" ]] || fail "the closed copy was not started again"
check "signal" driver signal 1
check "close" driver close "$MAIN_CLASS" 10000
expect_eq "counts go on from the saved ones" 3 "$(product_dword CounterCurrentTotal)"

echo "== one over a window of the program's class that never answers says so and overwrites nothing"
driver_holding ready decoy "$MAIN_CLASS" hang
printf 'damaged' >"$INSTALL_DIR/Readme.txt"
says_and_ends "$dir/Tallywhirl.exe" "did not close when asked" 60000
expect_eq "the readme as it was" damaged "$(cat "$INSTALL_DIR/Readme.txt")"
check "end the window" driver end "$MAIN_CLASS"

echo "== with a Run value that refuses writes the installation and the uninstallation say so"
wait "$holder" || fail "the program file's holder ended with $?"
run_key='Software\Microsoft\Windows\CurrentVersion\Run'
check "deny writes" driver writes "$run_key" deny
says_and_ends "$dir/Tallywhirl.exe" "not all of its files and entries" 30000
check "installed copy runs" driver wait-window "$MAIN_CLASS" 15000
# A group folder that is a link (on Windows a user may make one in their own
# start menu) is left, and what it points to with it.
mkdir -p "$WORK/elsewhere"
touch "$WORK/elsewhere/Readme.lnk"
ln -s "$WORK/elsewhere" "$DRIVE_C/ProgramData/Microsoft/Windows/Start Menu/Programs/Tallywhirl"
start_uninstall yes
driver answer "could not be removed completely" ok 20000 >/dev/null || fail "no word on the Run value"
expect_eq "uninstaller's exit code" 0 "$(wait_exit "$WORK/rc-uninst" 15)"
check "allow writes" driver writes "$run_key" allow
expect_eq "the rest removed" "" "$(reg_value "$UNINSTALL_KEY" UninstallString)$(product_value Path)"
check "nothing deleted through a group folder that is a link" test -e "$WORK/elsewhere/Readme.lnk"
echo "bad input: ok"
