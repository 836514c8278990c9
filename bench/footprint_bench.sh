#!/usr/bin/env bash
# What the running program holds beside three baselines run at the same time:
# a minimal window program (a class, a hidden window, a message loop), the
# same with an icon in the notification area, the floor of a tray program,
# and that with a second thread waiting on an event, as the counting thread
# does: private memory and handles, asked from another process by
# footprint_bench.exe. Under Wine every thread holds about a megabyte of
# written stack whatever the program's stack size, which the last baseline
# shows apart.
source "$TW_SOURCE/tests/e2e/lib.sh"
reset_state >/dev/null 2>&1
dir="$WORK/app"
place_program "$dir" TW.exe
start_program "$WORK/program" "$dir/TW.exe" -Auto
start_program "$WORK/minimal" "$TW_BUILD/minimal_window.exe"
start_program "$WORK/tray" "$TW_BUILD/minimal_window.exe" tray
start_program "$WORK/thread" "$TW_BUILD/minimal_window.exe" thread
driver wait-window "$MAIN_CLASS" 15000 >/dev/null || fail "program did not start"
driver wait-window TallywhirlBenchMinimal 15000 >/dev/null || fail "minimal window did not start"
driver wait-window TallywhirlBenchTray 15000 >/dev/null || fail "tray baseline did not start"
driver wait-window TallywhirlBenchThread 15000 >/dev/null || fail "thread baseline did not start"
sleep 5

read -r p_commit p_private p_asked p_counted <<<"$(wine "$TW_BUILD/footprint_bench.exe" "$MAIN_CLASS" | tr -d '\r')"
read -r m_commit m_private m_asked m_counted <<<"$(wine "$TW_BUILD/footprint_bench.exe" TallywhirlBenchMinimal | tr -d '\r')"
read -r t_commit t_private t_asked t_counted <<<"$(wine "$TW_BUILD/footprint_bench.exe" TallywhirlBenchTray | tr -d '\r')"
read -r w_commit w_private w_asked w_counted <<<"$(wine "$TW_BUILD/footprint_bench.exe" TallywhirlBenchThread | tr -d '\r')"
[[ -n "$p_commit" && -n "$m_commit" && -n "$t_commit" && -n "$w_commit" ]] || fail "footprint_bench read nothing"

kib() { echo "$(($1 / 1024)) KiB"; }
if ((p_private > 0 && m_private > 0)); then
    memory="PrivateUsage"
    p_memory=$p_private m_memory=$m_private t_memory=$t_private w_memory=$w_private
else
    memory="Wine leaves PrivateUsage 0: PagefileUsage, on Windows the same commit charge, here the resident anonymous memory"
    p_memory=$p_commit m_memory=$m_commit t_memory=$t_commit w_memory=$w_commit
fi
if ((p_asked > 0 && m_asked > 0)); then
    handles="GetProcessHandleCount"
    p_handles=$p_asked m_handles=$m_asked t_handles=$t_asked w_handles=$w_asked
else
    handles="GetProcessHandleCount answers 0 under Wine: entries in the system handle table"
    p_handles=$p_counted m_handles=$m_counted t_handles=$t_counted w_handles=$w_counted
fi
ratio() { awk -v p="$1" -v t="$2" 'BEGIN { printf "%.2f", p / t }'; }
echo "| private memory, GetProcessMemoryInfo ($memory): program; minimal window; minimal tray program; tray program with a waiting thread | $(kib "$p_memory"); $(kib "$m_memory"); $(kib "$t_memory"); $(kib "$w_memory") ($(ratio "$p_memory" "$t_memory") x the tray baseline, $(ratio "$p_memory" "$w_memory") x the one with a thread; the thread alone $(kib $((w_memory - t_memory)))) | at most 1.25 x the tray baseline |"
echo "| handles ($handles): program; minimal window; minimal tray program; tray program with a waiting thread | $p_handles; $m_handles; $t_handles; $w_handles | at most the tray baseline's + 4 |"

driver close "$MAIN_CLASS" 15000 >/dev/null
driver close TallywhirlBenchMinimal >/dev/null
driver close TallywhirlBenchTray >/dev/null
driver close TallywhirlBenchThread >/dev/null
wait_exit "$WORK/minimal" 10 >/dev/null
wait_exit "$WORK/tray" 10 >/dev/null
wait_exit "$WORK/thread" 10 >/dev/null
