// The Run value that starts the program with Windows, and its change by an
// elevated copy for the options page.
#include "startup_entry.h"
#include "elevation.h"
#include "../base/path_join.h"
#include "../base/program.h"
#include "../store/registry.h"

static const char RunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
static const char RunValue[] = "Tallywhirl";

// Each returns 1 on success. The own entry starts this very program file.
static int WriteStartupEntry(const char* startCommand) {
    return WriteRegValue(HKEY_LOCAL_MACHINE, RunKey, RunValue, REG_SZ, startCommand, 0);
}

int DeleteStartupEntry() {
    return DeleteRegValue(HKEY_LOCAL_MACHINE, RunKey, RunValue);
}

// A path that cannot be read whole leaves the entry as it was: a cut path
// would start nothing, or the wrong program.
static int WriteOwnStartupEntry() {
    char path[PathBufferSize];
    char command[CommandLineSize];
    return GetProgramPath(path, sizeof path) &&
           JoinCommand(command, sizeof command, path, LoadResString(IDS_AUTO_SWITCH)) &&
           WriteStartupEntry(command);
}

int StartupEntryPresent() {
    char command[CommandLineSize];
    return ReadRegValue(HKEY_LOCAL_MACHINE, RunKey, RunValue, REG_SZ, command, sizeof command);
}

// What the elevated copy started with an autostart switch does, and all it
// does: its exit code is the report.
int SetStartupEntry(int on) {
    return (on ? WriteOwnStartupEntry() : DeleteStartupEntry()) ? StartupChanged : StartupRefused;
}

// Only an administrator may change the Run value: an elevated copy of this
// very program file does, and is waited for.
int ChangeStartupEntryElevated(int on) {
    char path[PathBufferSize];
    DWORD exitCode = StartupRefused;
    if (!GetProgramPath(path, sizeof path))
        return StartupRefused;
    if (!RunElevatedAndWait(path,
                            LoadResString(on ? IDS_AUTOSTART_ON_SWITCH : IDS_AUTOSTART_OFF_SWITCH),
                            &exitCode))
        return StartupDeclined;
    return exitCode == StartupChanged ? StartupChanged : StartupRefused;
}

// A first installation finds no option and switches starting with Windows on;
// a later one keeps the user's choice.
int ApplyStoredAutostart(const char* startCommand) {
    DWORD autostart = 0;
    int stored = 1;
    if (!ReadStoredValue(ValueOptionAutostart, &autostart, sizeof autostart)) {
        autostart = 1;
        stored = WriteStoredValue(ValueOptionAutostart, &autostart, sizeof autostart);
    }
    return stored & (autostart ? WriteStartupEntry(startCommand) : DeleteStartupEntry());
}
