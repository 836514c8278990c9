#!/usr/bin/env bash
# The installed program's life, from a download to nothing of it left, in one
# run of the stages below ("=="), with Wine reporting Windows 10.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sheet_lib.sh"
reset_state
reg add 'HKCU\Software\Wine' /v Version /t REG_SZ /d win10 /f >/dev/null
CLEANUP="reg delete 'HKCU\\Software\\Wine' /v Version /f >/dev/null 2>&1"
PROGRAM='C:\Program Files\Tallywhirl\TW.exe'
downloads="$WORK/My Downloads"
mkdir -p "$downloads"
cp "$TW_BUILD/Tallywhirl.exe" "$downloads/Tallywhirl.exe"
echo "the user's own notes" >"$downloads/notes.txt"

# What the prefix holds before the program comes, to compare with at the end.
snapshot() {
    (cd "$DRIVE_C" && find . -path ./windows/temp -prune -o -path './users/*/Temp' -prune \
        -o -path './users/*/AppData/Local/Temp' -prune -o -print | sort)
}
snapshot >"$WORK/files-before"

uninstall() {
    start_uninstall "$1"
    expect_eq "uninstaller's exit code" 0 "$(wait_exit "$WORK/rc-uninst" 30)"
}

expect_removed() {
    check "$1: running copy closed" driver wait-gone "$MAIN_CLASS" 5000
    expect_eq "$1: Run value, uninstall entry and product key" "" \
        "$(reg_value "$RUN_KEY" Tallywhirl)$(reg_value "$UNINSTALL_KEY" UninstallString)$(
            product_value Path)"
}

# Yes at both questions: the running copy closes without a word, and the
# program's entries go.
uninstall_all() {
    uninstall yes
    check "$1: no message at the end" driver no-box 1000
    expect_removed "$1"
}

# What Windows keeps of a limited user's writes under HKLM and Program Files:
# the keys, and a folder of the program's name in LOCAL_STORE (made by the caller).
store='HKCU\Software\Classes\VirtualStore\MACHINE\SOFTWARE'
local_store="$DRIVE_C/users/$(id -un)/AppData/Local/VirtualStore/Program Files"
make_store_keys() {
    for key in "$store\Larkspoon Software\Tallywhirl" "$store\WOW6432Node\Larkspoon Software\Tallywhirl"; do
        reg add "$key" /v CounterCurrentTotal /t REG_DWORD /d 5 /f >/dev/null
    done
    mkdir -p "$local_store"
}
store_keys_left() {
    reg query "$store\Larkspoon Software\Tallywhirl" 2>&1 | grep -v 'Unable'
    reg query "$store\WOW6432Node\Larkspoon Software\Tallywhirl" 2>&1 | grep -v 'Unable'
}

# PendingFileRenameOperations as "SOURCE<tab>TARGET" lines, read from
# regedit's export, which spells every character of the value; a pair with
# an empty target is a deletion at the next restart.
pending_operations() {
    local export="$WORK/pending.reg"
    wine regedit /E "$(wine winepath -w "$export")" \
        'HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\Session Manager' >/dev/null 2>&1
    python3 - "$export" <<'EOF'
import re, sys
text = re.sub(r"\\\r?\n\s*", "", open(sys.argv[1], encoding="utf-16").read())
value = re.search(r'"PendingFileRenameOperations"=hex\(7\):([0-9a-f,]*)', text)
data = bytes(int(b, 16) for b in value.group(1).split(",") if b) if value else b""
names = data.decode("utf-16-le").split("\0")
print("\n".join(f"{s}\t{t}" for s, t in zip(names[0::2], names[1::2]) if s))
EOF
}

# A hook library still loaded somewhere (Wine never unloads it from a process
# the hook reached) stays, renamed where the platform lets a loaded library be
# renamed, and is scheduled for deletion at the next restart (so is one a
# reinstallation moved aside); false when none stayed.
expect_scheduled() {
    local name operations none=1
    operations=$(pending_operations)
    while read -r name; do
        none=0
        grep -qixF '\??\C:\Program Files\Tallywhirl\'"$name"$'\t' <<<"$operations" ||
            fail "$name is not scheduled for deletion (the folder: $(ls -A "$INSTALL_DIR" | paste -sd " ")): ${operations:-nothing is}"
    done < <(find "$INSTALL_DIR" -maxdepth 1 -regextype egrep \
        -regex '.*/(Tallywhirl\.dll|~TW[0-9A-Fa-f]+\.tmp)' -printf '%f\n' 2>/dev/null)
    return $none
}

restart() {
    wineserver -k
    wine wineboot -r >/dev/null 2>&1
    wineserver -w
}

# The message or question TEXT comes from an elevated copy that process $2,
# started with a limited token, started and waits for. Under Wine the copy
# is not elevated (its runas gives the same token again), but it is a copy
# of its own, as on Windows.
expect_elevated_copy() {
    local box
    box=$(driver answer "$1" leave 30000 | tr -d "\r") || fail "no message '$1'"
    [[ ${box#* } == "$2" && ${box% *} != "$2" ]] ||
        fail "'$1' comes from process ${box% *}, child of ${box#* }: no copy of $2"
}

expect_installed() {
    check "$1: copy still runs" driver wait-window "$MAIN_CLASS" 1000
    check "$1: files" test -e "$INSTALL_DIR/TW.exe" -a -e "$DESKTOP_LINK" -a -d "$GROUP_DIR"
    expect_eq "$1: product key" 0 "$(product_dword OptionAutostart)"
}

echo "== the first start installs and hands over to the installed copy in the tray"
# A window of the program's class may be any process's of the user's: this
# one, asked to close, tries to put another file where the downloaded one is.
driver_holding ready decoy "$MAIN_CLASS" swap "$(wine winepath -w "$downloads/Tallywhirl.exe")" \
    "$(wine winepath -w "$DRIVER")"
install_from "$downloads/Tallywhirl.exe"
check "program copy" cmp -s "$TW_BUILD/Tallywhirl.exe" "$INSTALL_DIR/TW.exe"
check "uninstaller copy" cmp -s "$TW_BUILD/Tallywhirl.exe" "$DRIVE_C/windows/TWUninst.exe"
expect_eq "the downloaded file, held while installing, could not be swapped" refused \
    "$(tr -d '\r' <"$WORK/decoy.out" | tail -1)"
check "hook library" cmp -s "$TW_BUILD/Tallywhirl.dll" "$INSTALL_DIR/Tallywhirl.dll"
expect_eq "Run value" "\"$PROGRAM\" -Auto" "$(reg_value "$RUN_KEY" Tallywhirl)"
link=$(driver link 'C:\users\Public\Desktop\Tallywhirl.lnk' | tr -d '\r') || fail "no shortcut"
expect_eq "shortcut" "$PROGRAM"$'\n''C:\Program Files\Tallywhirl'$'\n'"Tallywhirl" "$link"
items="Readme.lnk Tallywhirl.lnk Uninstall Tallywhirl.lnk"
expect_eq "program group's items" "$items" "$(ls "$GROUP_DIR" | paste -sd ' ')"
# Wine's Program Manager makes no item for a command line with a switch:
# the installation makes it as the desktop shortcut is made.
link=$(driver link "$(wine winepath -w "$GROUP_DIR/Uninstall Tallywhirl.lnk")" | tr -d '\r')
expect_eq "uninstall item" "$UNINSTALLER"$'\n''C:\windows'$'\n'"Uninstall Tallywhirl"$'\n'"-Uninst"$'\n'"$UNINSTALLER 1" "$link"
expect_eq "uninstall entry's name" "Tallywhirl by Oakhart" "$(reg_value "$UNINSTALL_KEY" DisplayName)"
expect_eq "program folder" 'C:\Program Files\Tallywhirl' "$(product_value Path)"
# Wine runs the installer elevated, as a user may on Windows: the tray copy
# is left to the shell, which starts it with the user's own token.
expect_eq "started by the shell, which has the notification area" \
    "$(process_of Shell_TrayWnd | cut -d' ' -f1)" "$(process_of "$MAIN_CLASS" | cut -d' ' -f3)"
expect_no_sheet "started by the installation"

echo "== installed again over the running copy by a limited user, autostart switched off meanwhile"
set_product_dword OptionAutostart 0
printf 'damaged' >"$INSTALL_DIR/Readme.txt"
check "signal" driver signal 2
p0=$(started start-limited "$(wine winepath -w "$downloads/Tallywhirl.exe")" Tallywhirl.exe)
expect_elevated_copy "has been successfully installed" "$p0"
driver answer "has been successfully installed" ok 1000 >/dev/null || fail "no answer"
check "the limited copy ends after the elevated one" driver wait-pid "$p0" 15000
check "installed copy runs" driver wait-window "$MAIN_CLASS" 15000
# Started by the limited copy once the elevated one had ended, with its token.
expect_eq "limited tray copy" "0 $p0" "$(process_of "$MAIN_CLASS" | cut -d' ' -f2-3)"
check "readme replaced" cmp -s "$TW_SOURCE/res/readme.txt" "$INSTALL_DIR/Readme.txt"
expect_eq "OptionAutostart kept" 0 "$(product_dword OptionAutostart)"
expect_eq "no Run value" "" "$(reg_value "$RUN_KEY" Tallywhirl)"
expect_eq "the closed copy saved its counts" 2 "$(product_dword CounterCurrentTotal)"

echo "== the uninstall entry's question comes from an elevated copy; No at either question changes nothing"
p0=$(started start-limited "$UNINSTALLER" "$(reg_value "$UNINSTALL_KEY" UninstallString)")
expect_elevated_copy "Are you sure you want to remove this very cool app?" "$p0"
driver answer "Are you sure you want to remove this very cool app?" no 1000 >/dev/null ||
    fail "no first question from the uninstall entry"
check "the uninstall entry's copies end" driver wait-pid "$p0" 15000
expect_installed "No at the first question"
uninstall no
expect_installed "No at the second question"

echo "== the uninstaller removes what the program made while another process has its library"
# Start with Windows switched on again.
reg add "$RUN_KEY" /v Tallywhirl /t REG_SZ /d "$PROGRAM -Auto" /f >/dev/null
make_store_keys
mkdir "$local_store/Tallywhirl"
printf '2024-01-02\t7\r\n' >"$local_store/Tallywhirl/Day.txt"
driver_holding loaded load 'C:\Program Files\Tallywhirl\Tallywhirl.dll' 120000
uninstall_all "uninstalled"
# Started elevated by the user, the uninstallation removes the store itself.
expect_eq "the user's virtual store" "" "$(store_keys_left)$(ls -A "$local_store")"
check "the user's notes" test -f "$downloads/notes.txt"
expect_scheduled || fail "the hook library, loaded by another process, went at once"

echo "== installed again before the restart, with a Program Manager that does not answer"
# Under user account control the shell's answers to an elevated installation
# are filtered out, and no group comes of the conversation. Wine's shell
# answers every process: the driver's service takes the conversation first
# and carries out nothing. The group is then made in all users' start menu.
driver_holding ready progman-mute 600000
install_from "$downloads/Tallywhirl.exe"
common_group="$DRIVE_C/ProgramData/Microsoft/Windows/Start Menu/Programs/Tallywhirl"
expect_eq "all users' program group" "$items" "$(ls "$common_group" | paste -sd ' ')"
check "no group of the user's" test ! -e "$GROUP_DIR"
check "close" driver close "$MAIN_CLASS" 10000
restart
# The restart ends the driver's service too.
check "the new hook library survives the restart" \
    cmp -s "$TW_BUILD/Tallywhirl.dll" "$INSTALL_DIR/Tallywhirl.dll"
start_program "$WORK/rc-run" "$PROGRAM" -Auto
check "the installed copy starts" driver wait-window "$MAIN_CLASS" 15000
wine notepad >/dev/null 2>&1 &
click_in_notepad 2
check "Open" driver command "$MAIN_CLASS" "$IDM_OPEN"
check "sheet" driver wait-sheet 10000
expect_eq "real clicks counted through the new library" 2 "$(sheet_text "$IDC_CUR_SESSION")"
hide_sheet

echo "== uninstalled again through the uninstall entry, the user's store a link: only files of the user's are left"
printf 'mine\r\n' >"$INSTALL_DIR/notes.txt"
printf '2024-01-01\t5\r\n' >"$INSTALL_DIR/Day.txt"
# The user may make the store a link to any folder (the very names of the
# program's files in it stay the user's).
unrelated="$DRIVE_C/Unrelated"
mkdir -p "$unrelated"
for name in TW.exe Tallywhirl.dll Readme.txt Day.txt Month.txt Year.txt; do echo mine >"$unrelated/$name"; done
make_store_keys
ln -s "$unrelated" "$local_store/Tallywhirl"
p0=$(started start-limited "$UNINSTALLER" "$(reg_value "$UNINSTALL_KEY" UninstallString)")
for question in "remove this very cool app" "Really?"; do
    expect_elevated_copy "$question" "$p0"
    driver answer "$question" yes 1000 >/dev/null || fail "no answer to '$question'"
done
# The store goes with the user's own token, by the limited copy that waited
# for the elevated one: on Windows the elevated copy may be an
# administrator's, another user's, whose store is not this user's. Under
# Wine both have the same token; the copy that says so is the seam.
box=$(driver answer "could not be removed completely" leave 30000 | tr -d '\r') ||
    fail "no word on the store left behind its link"
expect_eq "the copy that tells of the store" "$p0" "${box% *}"
driver answer "could not be removed completely" ok 1000 >/dev/null || fail "no answer"
check "the waiting copy ends" driver wait-pid "$p0" 15000
expect_removed "uninstalled again"
expect_eq "the store's keys" "" "$(store_keys_left)"
expect_eq "the files behind the link" "Day.txt Month.txt Readme.txt TW.exe Tallywhirl.dll Year.txt" \
    "$(LC_ALL=C ls "$unrelated" | paste -sd ' ')"
rm -r "$(dirname "$local_store")" "$unrelated"
expect_scheduled && restart
snapshot >"$WORK/files-after"
# The uninstaller's copy in the Windows folder stays: it is the very file
# that runs the uninstallation. A file of the user's keeps the program folder.
left=$(comm -13 "$WORK/files-before" "$WORK/files-after" | grep -v -F "./users/$(id -un)/Temp" |
    grep -v -i -E '^\./windows/(temp|logs)' | grep -v -i 'TWUninst.exe' || true)
expect_eq "files the program left behind" \
    "./Program Files/Tallywhirl"$'\n'"./Program Files/Tallywhirl/notes.txt" "$left"
expect_eq "files removed that were not the program's" "" \
    "$(comm -23 "$WORK/files-before" "$WORK/files-after")"
echo "journey: ok"
