#!/usr/bin/env bash
# The running program at rest, read from the Linux side of its Wine process:
# CPU time (user+kernel run time of every thread, /proc/PID/task/*/schedstat)
# and context switches (voluntary+involuntary, /proc/PID/task/*/status),
# sampled every second over 60 idle seconds. Two baselines run beside it: a
# minimal window program, and the same with a one-second timer that does
# nothing, which shows what one tick costs under Wine. GetProcessTimes is not
# used: Wine 8 answers zero times for another process.
source "$TW_SOURCE/tests/e2e/lib.sh"
reset_state >/dev/null 2>&1
seconds=${TW_IDLE_SECONDS:-60}
dir="$WORK/app"
place_program "$dir" TW.exe
start_program "$WORK/program" "$dir/TW.exe" -Auto
start_program "$WORK/minimal" "$TW_BUILD/minimal_window.exe"
start_program "$WORK/ticking" "$TW_BUILD/minimal_window.exe" tick
for class in "$MAIN_CLASS" TallywhirlBenchMinimal TallywhirlBenchTicking; do
    driver wait-window "$class" 15000 >/dev/null || fail "$class did not start"
done
sleep 5

# The Linux process of this prefix found by pgrep ARGS.
linux_pid() {
    local pid
    for pid in $(pgrep "$@"); do
        if { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
            echo "$pid"
            return 0
        fi
    done
    return 1
}

program=$(linux_pid -fx -- "$dir/TW.exe -Auto") || fail "no Linux process of the program"
minimal=$(linux_pid -fx -- "$TW_BUILD/minimal_window.exe") || fail "no Linux process of minimal_window"
ticking=$(linux_pid -fx -- "$TW_BUILD/minimal_window.exe tick") || fail "no Linux process of the ticking one"
server=$(linux_pid "^wineserver")

# One line per thread of each process: "sample label tid switches run-ns"
# (a thread that ended between listing and reading gives none).
sample() {
    local n=$1 label pid task
    for label in program minimal ticking server; do
        pid=${!label}
        [[ -n "$pid" ]] || continue
        for task in /proc/"$pid"/task/*; do
            awk -v n="$n" -v label="$label" -v tid="${task##*/}" '
                FILENAME ~ /status$/ && /ctxt_switches/ { switches += $2 }
                FILENAME ~ /schedstat$/ { ns = $1 }
                END { if (ns != "") print n, label, tid, switches, ns }' \
                "$task/status" "$task/schedstat" 2>/dev/null
        done
    done
}

samples="$WORK/samples"
: >"$samples"
for ((i = 0; i <= seconds; i++)); do
    echo "$i time - 0 $(date +%s%N)" >>"$samples"
    sample "$i" >>"$samples"
    ((i < seconds)) && sleep 1
done

# "cpu-percent switches-a-second-of-main other-threads their-switches-a-second"
# of LABEL over the whole run; its main thread is the one whose tid is MAIN.
summary() {
    awk -v want="$1" -v main="$2" -v last="$seconds" '
        $2 == "time" { at[$1] = $5; next }
        $2 == want { sw[$1, $3] = $4; ns[$1, $3] = $5; tids[$3] = 1 }
        END {
            wall = at[last] - at[0]
            for (t in tids) {
                run += ns[last, t] - ns[0, t]
                total = sw[last, t] - sw[0, t]
                if (t == main) mainTotal = total
                else { others++; otherTotal += total }
            }
            printf "%.3f %.2f %d %.2f\n", 100 * run / wall, mainTotal * 1e9 / wall, others,
                otherTotal * 1e9 / wall
        }' "$samples"
}

# "second switches" of LABEL's main thread, one line for each second.
per_second() {
    awk -v want="$1" -v main="$2" -v last="$seconds" '
        $2 == "time" { at[$1] = $5; next }
        $2 == want && $3 == main { sw[$1] = $4 }
        END {
            for (s = 1; s <= last; s++)
                printf "%d %.0f\n", s, (sw[s] - sw[s - 1]) * 1e9 / (at[s] - at[s - 1])
        }' "$samples"
}

# "median busiest" of the per-second figures.
spread() {
    sort -k2n | awk '{ v[NR] = $2 } END { print v[int((NR + 1) / 2)], v[NR] }'
}

read -r p_cpu p_rate p_others p_other_rate <<<"$(summary program "$program")"
read -r p_median p_max <<<"$(per_second program "$program" | spread)"
p_busy=$(per_second program "$program" | awk '$2 > 10 { printf "%s%s", sep, $1; sep = ", " }')
read -r m_cpu m_rate _ <<<"$(summary minimal "$minimal")"
read -r t_cpu t_rate _ <<<"$(summary ticking "$ticking")"
read -r t_median t_max <<<"$(per_second ticking "$ticking" | spread)"
server_cpu=n/a
[[ -n "$server" ]] && read -r server_cpu _ <<<"$(summary server "$server")"

echo "| idle CPU, user+kernel, over $seconds s (Linux run time of the Wine process's threads, /proc schedstat): program | $p_cpu % of one core | under 0.1 % |"
echo "| the same: minimal window; minimal window with a 1 s timer; wineserver (serves every process of the session) | $m_cpu %; $t_cpu %; $server_cpu % | - |"
echo "| idle context switches a second, voluntary+involuntary (/proc status), of the program's main thread: mean; median second; busiest second (its seconds above 10) | $p_rate; $p_median; $p_max (${p_busy:+s }${p_busy:-none}) | 1 timer tick a second, nothing else |"
if ((p_others == 1)); then
    others="its one other thread: the counting thread; Wine runs none of its own in it"
else
    others="its $p_others other threads: the counting thread and $((p_others - 1)) of Wine's"
fi
echo "| the same of the program's other threads ($others) | $p_other_rate | 0 |"
echo "| the same of the baselines: minimal window, mean; with a 1 s timer (one tick under Wine: its wake-up and server round trips), mean; median; busiest second | $m_rate; $t_rate; $t_median; $t_max | - |"

driver close "$MAIN_CLASS" 15000 >/dev/null
driver close TallywhirlBenchMinimal >/dev/null
driver close TallywhirlBenchTicking >/dev/null
wait_exit "$WORK/minimal" 10 >/dev/null
wait_exit "$WORK/ticking" 10 >/dev/null
