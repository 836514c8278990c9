#!/usr/bin/env bash
# Without a hook library it can use, the program says so (string 29), loads
# and saves nothing, opens no window and ends with exit code 0: whether the
# library is missing, empty, cut short, a text file, or a real library that
# lacks an entry point.
source "$(dirname "$0")/lib.sh"
reset_state
dir="$WORK/app"
place_program "$dir" TW.exe
library="$dir/Tallywhirl.dll"
cp "$library" "$WORK/whole.dll"

refused() {
    local what=$1 text
    start_program "$WORK/rc" "$dir/TW.exe" -Auto
    text=$(driver answer "cannot be loaded" ok 15000 | tr -d '\r') || fail "$what: no message box"
    expect_eq "$what: message" "The library \"Tallywhirl.dll\" cannot be loaded." "$text"
    expect_eq "$what: exit code" 0 "$(wait_exit "$WORK/rc" 15)"
    expect_eq "$what: no counters written" "" "$(product_value CounterCurrentTotal)"
    expect_eq "$what: no Release written" "" "$(product_value Release)"
    expect_eq "$what: no window" 1 "$(driver wait-window "$MAIN_CLASS" 300 >/dev/null 2>&1; echo $?)"
}

rm "$library"
refused "missing"
: >"$library"
refused "empty"
head -c 1024 "$WORK/whole.dll" >"$library"
refused "cut to its headers"
head -c $(($(stat -c %s "$WORK/whole.dll") - 512)) "$WORK/whole.dll" >"$library"
refused "without its last 512 bytes"
printf 'not a library\r\n' >"$library"
refused "a text file"
cp "$TW_BUILD/InitOnly.dll" "$library"
refused "without TallywhirlReset"
echo "missing library: ok"
