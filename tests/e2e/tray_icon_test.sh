#!/usr/bin/env bash
# In a Wine virtual desktop, whose taskbar has a notification area, the
# program's icon appears at the taskbar's right end while it runs and is
# gone once the program has been closed. Screenshots: TW_SESSION_DIR.
source "$(dirname "$0")/lib.sh"
reset_state
dir="$WORK/app"
place_program "$dir" TW.exe
DESKTOP="twtray,1024x768"

desk_driver() {
    wine explorer /desktop="$DESKTOP" "$DRIVER" "$@"
}

# Pixels of the icon's colours (its red button, its grey corner) in the
# notification area at the right end of the taskbar.
icon_pixels() {
    local shot=$1 colour=$2
    convert "$shot" -crop 44x28+980+740 txt:- | awk -v c="$colour" '$3 == c' | wc -l
}

shot() {
    import -window root "$1" 2>/dev/null
}

# Waits up to SECONDS for the red of the icon to be present (1) or absent (0).
wait_icon() {
    local want=$1 seconds=$2 png=$3 start=$SECONDS red
    while ((SECONDS - start <= seconds)); do
        shot "$png"
        red=$(icon_pixels "$png" "#FF0000")
        if { [[ $want == 1 ]] && ((red >= 8)); } || { [[ $want == 0 ]] && ((red == 0)); }; then
            return 0
        fi
        sleep 0.5
    done
    return 1
}

# Notepad keeps the desktop open before and after the program runs.
start_program "$WORK/keeper.rc" explorer /desktop="$DESKTOP" notepad
CLEANUP='desk_driver close Notepad >/dev/null 2>&1; desk_driver close "$MAIN_CLASS" >/dev/null 2>&1'
trap 'eval "$CLEANUP"' EXIT
# A driver started before the desktop exists would become its owner and
# live as long as notepad does: wait for the desktop's X window first.
wait_desktop() {
    local i
    for ((i = 0; i < 200; i++)); do
        xdotool search --name "^${DESKTOP%%,*} - Wine desktop\$" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}
check "desktop window" wait_desktop
check "desktop" desk_driver wait-window Notepad 20000
shot "$TW_SESSION_DIR/tray_before.png"
expect_eq "no icon before the start" 0 "$(icon_pixels "$TW_SESSION_DIR/tray_before.png" "#FF0000")"

start_program "$WORK/rc" explorer /desktop="$DESKTOP" "$dir/TW.exe" -Auto
check "main window" desk_driver wait-window "$MAIN_CLASS" 15000
check "tray icon shown" wait_icon 1 20 "$TW_SESSION_DIR/tray_icon.png"
grey=$(icon_pixels "$TW_SESSION_DIR/tray_icon.png" "#C0C0C0")
((grey >= 4)) || fail "the icon's grey corner: $grey pixels"
echo "tray icon: $(icon_pixels "$TW_SESSION_DIR/tray_icon.png" "#FF0000") red, $grey grey pixels"

check "close" desk_driver close "$MAIN_CLASS"
expect_eq "program ended" 0 "$(wait_exit "$WORK/rc" 15)"
check "tray icon removed" wait_icon 0 10 "$TW_SESSION_DIR/tray_after.png"
check "close notepad" desk_driver close Notepad
wait_exit "$WORK/keeper.rc" 15 >/dev/null || fail "the desktop did not end"
CLEANUP=""
echo "tray icon: ok"
