#pragma once
// The uninstall entry and the installation's registry entries. Win32.

#include <windows.h>

// The uninstall entry, and every entry of an installation with the product key.
int WriteUninstallEntry(const char* uninstallCommand);
int DeleteInstallEntries();
