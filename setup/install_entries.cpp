#include "setup.h"
#include "../store/registry.h"

static const char UninstallKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tallywhirl";

void WriteUninstallEntry(const char* uninstallCommand) {
    WriteRegValue(HKEY_LOCAL_MACHINE, UninstallKey, "DisplayName", REG_SZ, LoadResString(IDS_TITLE),
                  0);
    WriteRegValue(HKEY_LOCAL_MACHINE, UninstallKey, "UninstallString", REG_SZ, uninstallCommand, 0);
}

void DeleteInstallEntries() {
    DeleteStartupEntry();
    DeleteRegKey(HKEY_LOCAL_MACHINE, UninstallKey);
    // The parent, the maker's key, stays.
    DeleteRegKey(HKEY_LOCAL_MACHINE, ProductKey);
}
