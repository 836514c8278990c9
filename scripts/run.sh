#!/usr/bin/env bash
# Starts the freshly built program under Wine in a private prefix under
# build/run, on $DISPLAY when there is one, else on an X server of its own;
# it installs itself there and runs from its installed copy.
#   run.sh        start it (in the background) and say how to stop it
#   run.sh stop   end what run.sh started
# Where the kernel refuses 32-bit programs, it runs in the emulated machine
# of scripts/vm.sh instead, where nothing can be clicked: the installation's
# message is answered for the user and build/run/screen/screen.png shows that
# machine's screen, taken again every two seconds.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
run="$root/build/run"
export WINEPREFIX="$run/prefix" WINEARCH=win32 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="

stop() {
    if [[ -f "$run/vm.pid" ]]; then
        kill -- -"$(cat "$run/vm.pid")" 2>/dev/null
        rm -f "$run/vm.pid"
    fi
    [[ -d "$WINEPREFIX" ]] && wineserver -k 2>/dev/null
    if [[ -f "$run/xvfb.pid" ]]; then
        kill "$(cat "$run/xvfb.pid")" 2>/dev/null
        rm -f "$run/xvfb.pid" "$run/display"
    fi
    echo "Tallywhirl stopped."
}

own_display() {
    if [[ -f "$run/xvfb.pid" ]] && kill -0 "$(cat "$run/xvfb.pid")" 2>/dev/null; then
        cat "$run/display"
        return
    fi
    local n
    for n in $(seq 50 89); do
        [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] || break
    done
    setsid Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$run/xvfb.log" 2>&1 &
    echo $! >"$run/xvfb.pid"
    echo ":$n" >"$run/display"
    for _ in $(seq 100); do
        [[ -e /tmp/.X11-unix/X$n ]] && break
        sleep 0.05
    done
    echo ":$n"
}

start() {
    mkdir -p "$run"
    if [[ -z "${DISPLAY:-}" ]]; then
        DISPLAY=$(own_display)
        export DISPLAY
        echo "No \$DISPLAY: started a virtual X server on $DISPLAY (take a picture of it with: import -display $DISPLAY -window root shot.png)."
    fi
    if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
        echo "Preparing a private Wine prefix in $WINEPREFIX ..."
        wine wineboot -i >"$run/wineboot.log" 2>&1
        wineserver -w
    fi
    # The freshly built program installs itself, as on a user's first start,
    # and hands over to the installed copy in the tray; started again, it
    # closes that copy and installs over it.
    setsid wine explorer /desktop=Tallywhirl,1024x768 "$root/build/win32/Tallywhirl.exe" \
        >"$run/wine.log" 2>&1 </dev/null &
    echo "Tallywhirl is installing itself in the Wine desktop \"Tallywhirl\" on $DISPLAY;"
    echo "answer its message, and it runs in the tray of that desktop."
    echo "Stop it with: make stop"
}

in_vm() {
    start
    (while :; do
        import -window root "$TW_VM_OUT/next.png" && mv "$TW_VM_OUT/next.png" "$TW_VM_OUT/screen.png"
        sleep 2
    done) &
    # The program's windows are on the Wine desktop it was started in.
    wine explorer /desktop=Tallywhirl,1024x768 "$root/build/win32/twdriver.exe" answer \
        "successfully installed" ok 300000
    wait
}

vm_start() {
    stop >/dev/null
    mkdir -p "$run/screen"
    setsid bash "$root/scripts/vm.sh" run --out "$run/screen" "$root" bash scripts/run.sh in-vm \
        >"$run/vm.log" 2>&1 </dev/null &
    echo $! >"$run/vm.pid"
    echo "This kernel does not run 32-bit programs: Tallywhirl runs in an emulated machine"
    echo "(scripts/vm.sh, its output in $run/vm.log). In a few minutes it has installed"
    echo "itself there and sits in the tray of its Wine desktop; a picture of that screen,"
    echo "taken every two seconds: $run/screen/screen.png"
    echo "Stop it with: make stop"
}

case "${1:-start}" in
    start) if bash "$root/scripts/vm.sh" needed; then vm_start; else start; fi ;;
    in-vm) in_vm ;;
    stop) stop ;;
    *) echo "usage: $0 [start|stop]" >&2; exit 2 ;;
esac
