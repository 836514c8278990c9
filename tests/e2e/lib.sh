# Shared by the end-to-end tests: run inside a Wine session (see
# scripts/in-wine-session.sh); TW_BUILD is the win32 build folder.
set -uo pipefail

DRIVER="$TW_BUILD/twdriver.exe"
MAIN_CLASS="Larkspoon-Tallywhirl"
PRODUCT_KEY='HKLM\Software\Larkspoon Software\Tallywhirl'
RUN_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tallywhirl'
DRIVE_C="$WINEPREFIX/drive_c"
CURRENT_VERSION_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion'
DESKTOP_LINK="$DRIVE_C/users/Public/Desktop/Tallywhirl.lnk"
GROUP_DIR="$DRIVE_C/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tallywhirl"
INSTALL_DIR="$DRIVE_C/Program Files/Tallywhirl"
WORK="$TW_SESSION_DIR/work/$(basename "$0" .sh)"

# Whatever a test leaves running (after a failure, say) ends with it, so that
# the next test finds a quiet prefix. CLEANUP may hold a test's own last words.
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

driver() {
    wine "$DRIVER" "$@"
}

# The registry as the program sees it: on a 64-bit prefix a 32-bit program
# has a view of HKLM\Software of its own, as on 64-bit Windows.
reg() {
    wine reg "$@" ${TW_REG32:+/reg:32}
}

# Wine's notepad of the program's own kind: a 32-bit hook library is loaded
# only into 32-bit programs.
NOTEPAD=notepad
[[ -n ${TW_REG32:-} ]] && NOTEPAD='C:\windows\syswow64\notepad.exe'

# Ends every running copy and removes all the program leaves behind, so that
# each test starts from a clean prefix without a new wineboot.
reset_state() {
    local i
    for i in 1 2 3; do
        driver close "$MAIN_CLASS" >/dev/null 2>&1 || break
        driver wait-gone "$MAIN_CLASS" 5000 >/dev/null 2>&1
    done
    # Wine's Program Manager shows a new group in an explorer window.
    for i in 1 2 3; do
        driver close ExplorerWClass >/dev/null 2>&1 || break
    done
    reg delete "$PRODUCT_KEY" /f >/dev/null 2>&1
    reg delete 'HKLM\Software\Larkspoon Software' /f >/dev/null 2>&1
    reg delete "$RUN_KEY" /v Tallywhirl /f >/dev/null 2>&1
    reg add "$CURRENT_VERSION_KEY" /v ProgramFilesDir /t REG_SZ /d 'C:\Program Files' /f \
        >/dev/null 2>&1
    rm -rf "$DRIVE_C/TallywhirlApps"
    reg delete "$UNINSTALL_KEY" /f >/dev/null 2>&1
    rm -rf "$INSTALL_DIR" "$DRIVE_C/windows/TWUninst.exe"
    find "$DRIVE_C/users" -iname 'Tallywhirl*' -prune -exec rm -rf {} + 2>/dev/null
    rm -rf "$WORK"
    mkdir -p "$WORK"
}

# A copy of the program under NAME in DIR, beside its hook library.
place_program() {
    local dir=$1 name=$2
    mkdir -p "$dir"
    cp "$TW_BUILD/Tallywhirl.exe" "$dir/$name"
    cp "$TW_BUILD/Tallywhirl.dll" "$dir/Tallywhirl.dll"
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

# Waits up to SECONDS for the program started with RCFILE to end; prints its
# exit code.
wait_exit() {
    local rcfile=$1 seconds=${2:-20} i
    for ((i = 0; i < seconds * 10; i++)); do
        if [[ -s "$rcfile" ]]; then
            cat "$rcfile"
            return 0
        fi
        sleep 0.1
    done
    echo "timeout"
    return 1
}

# The data of one value as `reg query` shows it (0x... for a DWORD), or
# nothing when the value is missing.
reg_value() {
    local key=$1 name=$2
    reg query "$key" /v "$name" 2>/dev/null | tr -d '\r' |
        awk -v n="$name" '$1 == n { $1 = ""; $2 = ""; sub(/^  */, ""); print; exit }'
}

product_value() {
    reg_value "$PRODUCT_KEY" "$1"
}

# A DWORD product value as a decimal number (empty when missing).
product_dword() {
    local hex
    hex=$(product_value "$1")
    [[ -n "$hex" ]] && printf '%d\n' "$hex"
}

set_product_dword() {
    reg add "$PRODUCT_KEY" /v "$1" /t REG_DWORD /d "$2" /f >/dev/null
}

set_product_sz() {
    reg add "$PRODUCT_KEY" /v "$1" /t REG_SZ /d "$2" /f >/dev/null
}

# The ids of res/resource_ids.h as shell variables ($IDC_CUR_DAY), so that
# the scripts name ids rather than retype them.
eval "$(awk '$1 == "#define" && $2 ~ /^ID/ { print $2 "=" $3 }' "$TW_SOURCE/res/resource_ids.h")"

# Waits out the last five minutes of a day, for a scenario whose checks
# depend on today's date.
avoid_midnight() {
    local now
    now=$((10#$(date +%H) * 3600 + 10#$(date +%M) * 60 + 10#$(date +%S)))
    ((now < 86400 - 300)) || sleep $((86400 - now + 5))
}

expect_eq() {
    local what=$1 want=$2 got=$3
    [[ "$want" == "$got" ]] || fail "$what: want '$want', got '$got'"
}

# Runs a twdriver command that prints WORD once it holds what it was asked to,
# in the background with its output in NAME.out under WORK, and waits for it.
driver_holding() {
    local name=$1 word=$2 i
    shift 2
    start_program "$WORK/$name.rc" "$DRIVER" report \
        "$(wine winepath -w "$WORK/$name.out" | tr -d '\r')" "$@"
    for ((i = 0; i < 100; i++)); do
        grep -q "$word" "$WORK/$name.out" 2>/dev/null && return 0
        sleep 0.1
    done
    fail "twdriver $1 did not get as far as '$word'"
}

# A hook library the uninstallation could not delete at once is scheduled to
# go at the next restart: check that, and restart.
restart_with_pending_library() {
    local name=$1
    reg query 'HKLM\System\CurrentControlSet\Control\Session Manager' \
        /v PendingFileRenameOperations 2>/dev/null | grep -qiF "$name" ||
        fail "the hook library ($name) is not scheduled for deletion"
    wineserver -k
    wine wineboot -r >/dev/null 2>&1
    wineserver -w
}

# The program folder after an uninstallation: gone at once, or, when the hook
# library was still mapped in a process the hook reached (Wine never unloads
# it from them), holding only that library, scheduled to go with the folder at
# the next restart, which this then carries out.
expect_folder_removed() {
    local folder=$1
    [[ -e "$folder" ]] || return 0
    local left
    left=$(ls -A "$folder" | tr '\n' ' ')
    # Renamed to a name of its own where the platform lets a loaded library
    # be renamed, else under its own name.
    [[ $left =~ ^(Tallywhirl\.dll|~TW[0-9A-Fa-f]+\.tmp)\ $ ]] ||
        fail "left in the program folder until the restart: want the hook library, got '$left'"
    restart_with_pending_library "${left% }"
    [[ ! -e "$folder" ]] || fail "program folder still there after the restart: $(ls -A "$folder")"
}
