#pragma once
// The program group in the start menu. Win32.

#include <windows.h>

// The program group, through the Program Manager's DDE service, then
// completed in the start menu's folders with what the service did not make;
// 1 when the group holds its three items.
int CreateProgramGroup(const char* programPath, const char* readmePath, const char* uninstallerPath,
                       const char* uninstallCommand);
// 1 when no item of the group is left in either start menu (a group folder
// reached through a link is left as it is).
int DeleteProgramGroup();
