# Shared by the end-to-end tests: run inside a Wine session (see
# scripts/in-wine-session.sh); TW_BUILD is the win32 build folder.
set -uo pipefail

DRIVER="$TW_BUILD/twdriver.exe"
MAIN_CLASS="Larkspoon-Tallywhirl"
PRODUCT_KEY='HKLM\Software\Larkspoon Software\Tallywhirl'
RUN_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tallywhirl'
DRIVE_C="$WINEPREFIX/drive_c"
DESKTOP_LINK="$DRIVE_C/users/Public/Desktop/Tallywhirl.lnk"
GROUP_DIR="$DRIVE_C/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tallywhirl"
INSTALL_DIR="$DRIVE_C/Program Files/Tallywhirl"
UNINSTALLER='C:\windows\TWUninst.exe'
WORK="$TW_SESSION_DIR/work/$(basename "$0" .sh)"

# Whatever a test leaves running ends with it; CLEANUP may hold its last words.
CLEANUP=""
end_of_test() {
    eval "$CLEANUP"
    wineserver -k 2>/dev/null
}
trap end_of_test EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

check() {
    local what=$1
    shift
    "$@" || fail "$what"
}

expect_eq() {
    [[ "$2" == "$3" ]] || fail "$1: want '$2', got '$3'"
}

driver() {
    wine "$DRIVER" "$@"
}

reg() { wine reg "$@"; }

# Ends every running copy and removes all the program leaves behind.
reset_state() {
    local i
    for i in 1 2 3; do
        driver close "$MAIN_CLASS" >/dev/null 2>&1 || break
        driver wait-gone "$MAIN_CLASS" 5000 >/dev/null 2>&1
    done
    reg delete 'HKLM\Software\Larkspoon Software' /f >/dev/null 2>&1
    reg delete "$RUN_KEY" /v Tallywhirl /f >/dev/null 2>&1
    reg delete "$UNINSTALL_KEY" /f >/dev/null 2>&1
    rm -rf "$INSTALL_DIR" "$DRIVE_C/windows/TWUninst.exe" \
        "$DRIVE_C/ProgramData/Microsoft/Windows/Start Menu/Programs/Tallywhirl"
    find "$DRIVE_C/users" -iname 'Tallywhirl*' -prune -exec rm -rf {} + 2>/dev/null
    rm -rf "$WORK"
    mkdir -p "$WORK"
}

# A copy of the program under NAME in DIR, beside its hook library.
place_program() {
    mkdir -p "$1"
    cp "$TW_BUILD/Tallywhirl.exe" "$1/$2"
    cp "$TW_BUILD/Tallywhirl.dll" "$1/Tallywhirl.dll"
}

# Yes to the question that holds FIRST, ANSWER to the "Really?" after it.
confirm_twice() {
    driver answer "$1" yes 20000 >/dev/null || fail "no question '$1'"
    driver answer "Really?" "$2" 10000 >/dev/null || fail "no 'Really?' after '$1'"
}

# Installs from the downloaded copy at PATH: the success message answered,
# the installer ended, the installed copy in the tray.
install_from() {
    start_program "$WORK/rc-install" "$1"
    driver answer "has been successfully installed" ok 30000 >/dev/null ||
        fail "no installation message"
    expect_eq "installer's exit code" 0 "$(wait_exit "$WORK/rc-install" 30)"
    check "installed copy runs" driver wait-window "$MAIN_CLASS" 15000
}

# Starts the uninstaller as its entry does, Yes to the first question and
# ANSWER to "Really?"; its exit code lands in $WORK/rc-uninst.
start_uninstall() {
    start_program "$WORK/rc-uninst" "$UNINSTALLER" -Uninst
    confirm_twice "remove this very cool app" "$1"
}

# Starts a program in the background; its exit code lands in RCFILE.
start_program() {
    local rcfile=$1
    shift
    rm -f "$rcfile"
    # Not holding the test's output open: CTest waits for that to close.
    (
        wine "$@"
        echo $? >"$rcfile"
    ) >/dev/null 2>&1 &
}

# Runs CMD every tenth of a second until it succeeds, for up to SECONDS.
within() {
    local tries=$(($1 * 10))
    shift
    until "$@"; do
        ((--tries > 0)) || return 1
        sleep 0.1
    done
}

# Starts a program with twdriver's start-limited and prints its process id.
# The driver's output goes through a file: a Wine process that held a pipe
# open would keep the reader waiting until it ends.
started() {
    driver "$@" >"$WORK/started" 2>&1 || fail "$1 $2: $(cat "$WORK/started")"
    tr -d '\r' <"$WORK/started"
}

# The window's process: "PID ELEVATED PARENT", its token elevated (1) or
# limited (0), and its parent's id.
process_of() { driver process-of "$1" | tr -d '\r'; }

# Waits up to SECONDS for the program started with RCFILE to end; prints its exit code.
wait_exit() {
    within "${2:-20}" test -s "$1" && cat "$1" && return 0
    echo "timeout"
    return 1
}

# Runs a twdriver command that prints WORD once it holds what it was asked to
# (hold, load) in the background, its output in WORK, and waits for WORD.
driver_holding() {
    local word=$1 out="$WORK/$2.out"
    shift
    driver "$@" >"$out" 2>&1 &
    within 10 grep -q "$word" "$out" 2>/dev/null || fail "twdriver $1 did not get as far as '$word'"
}

# The data of a value as `reg query` shows it (0x... for a DWORD), or nothing.
reg_value() {
    local key=$1 name=$2
    reg query "$key" /v "$name" 2>/dev/null | tr -d '\r' |
        awk -v n="$name" '$1 == n { $1 = ""; $2 = ""; sub(/^  */, ""); print; exit }'
}

product_value() { reg_value "$PRODUCT_KEY" "$1"; }

# A DWORD product value as a decimal number (empty when missing).
product_dword() {
    local hex
    hex=$(product_value "$1")
    [[ -n "$hex" ]] && printf '%d\n' "$hex"
}

set_product_dword() {
    reg add "$PRODUCT_KEY" /v "$1" /t REG_DWORD /d "$2" /f >/dev/null
}

# Waits up to SECONDS (32: past the next timed save) for NAME to be stored as WANT.
wait_saved() {
    local i
    for ((i = 0; i < ${3:-32}; i++)); do
        [[ "$(product_dword "$1")" == "$2" ]] && return 0
        sleep 1
    done
    fail "$1 is $(product_dword "$1") after ${3:-32} s, want $2"
}

# The ids of res/resource_ids.h as shell variables ($IDC_CUR_DAY), so that
# the scripts name ids rather than retype them.
eval "$(awk '$1 == "#define" && $2 ~ /^ID/ { print $2 "=" $3 }' "$TW_SOURCE/res/resource_ids.h")"

# Clicks in Wine's notepad, a window of another process: N left presses.
click_in_notepad() {
    local n=$1 id
    id=$(xdotool search --sync --onlyvisible --name "Notepad" | head -1)
    [[ -n "$id" ]] || fail "no notepad window"
    eval "$(xdotool getwindowgeometry --shell "$id")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
    xdotool click --repeat "$n" --delay 120 1
    sleep 1
}
