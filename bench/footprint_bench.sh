#!/usr/bin/env bash
# What the running program holds beside two baselines run at the same time: a
# minimal window program (a class, a hidden window, a message loop) and the
# same with an icon in the notification area, the floor of a tray program:
# private memory and handles, asked from another process by
# footprint_bench.exe.
source "$TW_SOURCE/tests/e2e/lib.sh"
reset_state >/dev/null 2>&1
dir="$WORK/app"
place_program "$dir" TW.exe
start_program "$WORK/program" "$dir/TW.exe" -Auto
start_program "$WORK/minimal" "$TW_BUILD/minimal_window.exe"
start_program "$WORK/tray" "$TW_BUILD/minimal_window.exe" tray
driver wait-window "$MAIN_CLASS" 15000 >/dev/null || fail "program did not start"
driver wait-window TallywhirlBenchMinimal 15000 >/dev/null || fail "minimal window did not start"
driver wait-window TallywhirlBenchTray 15000 >/dev/null || fail "tray baseline did not start"
sleep 5

read -r p_commit p_private p_asked p_counted <<<"$(wine "$TW_BUILD/footprint_bench.exe" "$MAIN_CLASS" | tr -d '\r')"
read -r m_commit m_private m_asked m_counted <<<"$(wine "$TW_BUILD/footprint_bench.exe" TallywhirlBenchMinimal | tr -d '\r')"
read -r t_commit t_private t_asked t_counted <<<"$(wine "$TW_BUILD/footprint_bench.exe" TallywhirlBenchTray | tr -d '\r')"
[[ -n "$p_commit" && -n "$m_commit" && -n "$t_commit" ]] || fail "footprint_bench read nothing"

kib() { echo "$(($1 / 1024)) KiB"; }
if ((p_private > 0 && m_private > 0)); then
    memory="PrivateUsage"
    p_memory=$p_private m_memory=$m_private t_memory=$t_private
else
    memory="Wine leaves PrivateUsage 0: PagefileUsage, on Windows the same commit charge, here the resident anonymous memory"
    p_memory=$p_commit m_memory=$m_commit t_memory=$t_commit
fi
if ((p_asked > 0 && m_asked > 0)); then
    handles="GetProcessHandleCount"
    p_handles=$p_asked m_handles=$m_asked t_handles=$t_asked
else
    handles="GetProcessHandleCount answers 0 under Wine: entries in the system handle table"
    p_handles=$p_counted m_handles=$m_counted t_handles=$t_counted
fi
ratio=$(awk -v p="$p_memory" -v t="$t_memory" 'BEGIN { printf "%.2f", p / t }')
echo "| private memory, GetProcessMemoryInfo ($memory): program; minimal window; minimal tray program | $(kib "$p_memory"); $(kib "$m_memory"); $(kib "$t_memory") ($ratio x the tray baseline) | at most 1.25 x the tray baseline |"
echo "| handles ($handles): program; minimal window; minimal tray program | $p_handles; $m_handles; $t_handles | at most the tray baseline's + 4 |"

driver close-wait "$MAIN_CLASS" 15000 >/dev/null
driver close TallywhirlBenchMinimal >/dev/null
driver close TallywhirlBenchTray >/dev/null
wait_exit "$WORK/minimal" 10 >/dev/null
wait_exit "$WORK/tray" 10 >/dev/null
