#!/usr/bin/env bash
# The end of a logon session saves the counts and is never vetoed; the
# program runs on until it is closed. A timer other than the tick does nothing.
source "$(dirname "$0")/lib.sh"
reset_state
dir="$WORK/app"
place_program "$dir" TW.exe

start_program "$WORK/rc" "$dir/TW.exe" -Auto
check "main window" driver wait-window "$MAIN_CLASS" 15000
check "signal" driver signal 4
expect_eq "not saved yet" "" "$(product_value CounterLastSession)"

expect_eq "WM_QUERYENDSESSION answer" 1 "$(driver send "$MAIN_CLASS" 0x11 0 0 | tr -d '\r')"
expect_eq "saved before answering" 4 "$(product_dword CounterLastSession)"
expect_eq "total saved" 4 "$(product_dword CounterCurrentTotal)"

check "signal" driver signal 2
expect_eq "WM_ENDSESSION (not ending) answer" 0 \
    "$(driver send "$MAIN_CLASS" 0x16 0 0 | tr -d '\r')"
expect_eq "saved whatever wParam says" 6 "$(product_dword CounterLastSession)"

check "signal" driver signal 1
expect_eq "WM_ENDSESSION (ending) answer" 0 "$(driver send "$MAIN_CLASS" 0x16 1 0 | tr -d '\r')"
expect_eq "saved again" 7 "$(product_dword CounterLastSession)"

check "signal" driver signal 1
expect_eq "WM_TIMER of another id" 0 "$(driver send "$MAIN_CLASS" 0x113 2 0 | tr -d '\r')"
expect_eq "another timer saves nothing" 7 "$(product_dword CounterLastSession)"

check "still running" driver wait-window "$MAIN_CLASS" 100
check "close" driver close "$MAIN_CLASS"
expect_eq "exit code" 0 "$(wait_exit "$WORK/rc" 15)"
expect_eq "all saved at the end" 8 "$(product_dword CounterLastSession)"
echo "end of session: ok"
