#include "setup.h"
#include "../app/bounded_format.h"
#include "../store/registry.h"
#include "../app/app.h"

static const char UninstallKeyFormat[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\%s";
static const char ProductKey[] = "Software\\Larkspoon Software\\Tallywhirl";
static const char ProductName[] = "Tallywhirl";

static int UninstallKeyPath(char* out, int size) {
    return FormatBounded(out, size, UninstallKeyFormat, ProductName);
}

// A first installation finds no option and switches starting with Windows on;
// a later one keeps the user's choice.
void ApplyAutostartOption(const char* startCommand) {
    DWORD autostart = 0;
    if (!ReadProductValue("OptionAutostart", REG_DWORD, &autostart, sizeof autostart)) {
        autostart = 1;
        WriteProductValue("OptionAutostart", REG_DWORD, &autostart, sizeof autostart);
    }
    if (autostart)
        WriteRegValue(HKEY_LOCAL_MACHINE, RUN_KEY, RUN_VALUE, REG_SZ, startCommand, 0);
    else
        DeleteRegValue(HKEY_LOCAL_MACHINE, RUN_KEY, RUN_VALUE);
}

void WriteUninstallEntry(const char* uninstallCommand) {
    char key[256];
    if (!UninstallKeyPath(key, sizeof key))
        return;
    WriteRegValue(HKEY_LOCAL_MACHINE, key, "DisplayName", REG_SZ, LoadResString(IDS_TITLE), 0);
    WriteRegValue(HKEY_LOCAL_MACHINE, key, "UninstallString", REG_SZ, uninstallCommand, 0);
}

void DeleteInstallEntries() {
    DeleteRegValue(HKEY_LOCAL_MACHINE, RUN_KEY, RUN_VALUE);
    char key[256];
    if (UninstallKeyPath(key, sizeof key))
        DeleteRegKey(HKEY_LOCAL_MACHINE, key);
    // The parent "Software\Larkspoon Software" stays.
    DeleteRegKey(HKEY_LOCAL_MACHINE, ProductKey);
}
