// The uninstall entry, and the removal of every registry entry the
// installation made.
#include "install_entries.h"
#include "startup_entry.h"
#include "../base/path_join.h"
#include "../base/program.h"
#include "../store/registry.h"

static const char UninstallKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tallywhirl";

int WriteUninstallEntry(const char* uninstallCommand) {
    return WriteRegValue(HKEY_LOCAL_MACHINE, UninstallKey, "DisplayName", REG_SZ,
                         LoadResString(IDS_TITLE), 0) &
           WriteRegValue(HKEY_LOCAL_MACHINE, UninstallKey, "UninstallString", REG_SZ,
                         uninstallCommand, 0);
}

int DeleteInstallEntries() {
    // The product key's parent, the maker's key, stays.
    return DeleteStartupEntry() & DeleteRegKey(HKEY_LOCAL_MACHINE, UninstallKey) &
           DeleteRegKey(HKEY_LOCAL_MACHINE, ProductKey);
}
