#!/usr/bin/env bash
# Without its hook library the program says so, loads and saves nothing, and
# ends with exit code 0.
source "$(dirname "$0")/lib.sh"
reset_state
dir="$WORK/app"
place_program "$dir" TW.exe
rm "$dir/Tallywhirl.dll"

start_program "$WORK/rc" "$dir/TW.exe" -Auto
text=$(driver answer "cannot be loaded" ok 15000 | tr -d '\r') || fail "no message box"
expect_eq "message" "The library \"Tallywhirl.dll\" cannot be loaded." "$text"
expect_eq "exit code" 0 "$(wait_exit "$WORK/rc" 15)"
expect_eq "no counters written" "" "$(product_value CounterCurrentTotal)"
expect_eq "no window" 1 "$(driver wait-window "$MAIN_CLASS" 500 >/dev/null 2>&1; echo $?)"

# A library that lacks an entry point is refused the same way.
printf 'not a library\r\n' >"$dir/Tallywhirl.dll"
start_program "$WORK/rc" "$dir/TW.exe" -Auto
driver answer "cannot be loaded" ok 15000 >/dev/null || fail "no message box for a text file"
expect_eq "exit code" 0 "$(wait_exit "$WORK/rc" 15)"
echo "missing library: ok"
