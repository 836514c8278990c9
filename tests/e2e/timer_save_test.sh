#!/usr/bin/env bash
# The one-second timer saves the counts within 30 ticks while the program
# runs on; closing it then saves the rest and ends with exit code 0.
source "$(dirname "$0")/lib.sh"
reset_state
dir="$WORK/app"
place_program "$dir" TW.exe

start_program "$WORK/rc" "$dir/TW.exe" -Auto
check "main window" driver wait-window "$MAIN_CLASS" 15000
started=$SECONDS
check "signal" driver signal 3
expect_eq "nothing saved before the 30th tick" "" "$(product_value CounterLastSession)"

saved=""
while ((SECONDS - started <= 31)); do
    saved=$(product_dword CounterLastSession)
    [[ -n "$saved" ]] && break
    sleep 0.5
done
expect_eq "session saved by the timer within 31 s" 3 "$saved"
expect_eq "total saved" 3 "$(product_dword CounterCurrentTotal)"
expect_eq "running session stored as 0" 0 "$(product_dword CounterCurrentSession)"
check "still running after the save" driver wait-window "$MAIN_CLASS" 100
echo "saved after $((SECONDS - started)) s"

# The end of the program saves what came after the last timed save.
check "signal" driver signal 2
check "close" driver close "$MAIN_CLASS"
expect_eq "exit code" 0 "$(wait_exit "$WORK/rc" 15)"
expect_eq "session saved at the end" 5 "$(product_dword CounterLastSession)"
expect_eq "total saved at the end" 5 "$(product_dword CounterCurrentTotal)"
expect_eq "day saved at the end" 5 "$(product_dword CounterCurrentDay)"
echo "timer save: ok"
