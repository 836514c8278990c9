#!/usr/bin/env bash
# A Wine session for one test run: a fresh 32-bit prefix and a virtual X
# server on a free display, both under DIR.
#   wine-session.sh start DIR   makes them and writes DIR/env
#   wine-session.sh stop DIR    ends what start started, and nothing else
set -uo pipefail
cmd=$1
dir=$(realpath -m "$2")

stop() {
    [[ -f "$dir/env" ]] || return 0
    # shellcheck disable=SC1091
    source "$dir/env"
    WINEPREFIX="$WINEPREFIX" wineserver -k 2>/dev/null
    if [[ -n "${TW_XVFB_PID:-}" ]] && kill -0 "$TW_XVFB_PID" 2>/dev/null; then
        kill "$TW_XVFB_PID"
    fi
    rm -f "$dir/env"
}

free_display() {
    local n
    for n in $(seq 90 190); do
        if [[ ! -e /tmp/.X$n-lock && ! -e /tmp/.X11-unix/X$n ]]; then
            echo "$n"
            return 0
        fi
    done
    return 1
}

start() {
    stop
    mkdir -p "$dir"
    local n
    n=$(free_display) || { echo "no free X display" >&2; exit 1; }
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$dir/xvfb.log" 2>&1 &
    local xpid=$!
    for _ in $(seq 100); do
        [[ -e /tmp/.X11-unix/X$n ]] && break
        sleep 0.05
    done
    rm -rf "$dir/prefix"
    # No debugger: a program that crashes ends at once, and its test fails
    # then rather than at its timeout. Wine takes its code pages from the
    # locale: one locale, so that a path's characters read the same on every
    # machine (its ANSI code page is then 1252).
    cat >"$dir/env" <<EOT
export PATH="$PATH"
export WINEPREFIX="$dir/prefix"
export WINEARCH=win32
export WINEDEBUG=-all
export LC_ALL=C.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=,winedbg.exe="
export DISPLAY=:$n
export TW_XVFB_PID=$xpid
export TW_SESSION_DIR="$dir"
EOT
    # shellcheck disable=SC1091
    source "$dir/env"
    wine wineboot -i >"$dir/wineboot.log" 2>&1
    wineserver -w
    echo "wine session: prefix $WINEPREFIX, display :$n"
}

case "$cmd" in
    start) start ;;
    stop) stop ;;
    *) echo "usage: $0 start|stop DIR" >&2; exit 2 ;;
esac
