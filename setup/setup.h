#pragma once
// Installation, desktop shortcut, program group and uninstallation. Win32.

#include <windows.h>

// Installation: nonzero when this process installed (or tried to) and ends.
int InstallIfNeeded();
int InstallFiles(char* exePath, char* libraryPath, char* readmePath, char* uninstallerPath);
int CloseRunningCopy(int wait);

// The full path of the running program file; 0 when it cannot be had whole.
int GetProgramPath(char* out, int size);

// The start-up entry as OptionAutostart says, and the uninstall entry.
void ApplyAutostartOption(const char* startCommand);
void WriteUninstallEntry(const char* uninstallCommand);
void DeleteInstallEntries();

// The desktop shortcut.
int CreateDesktopShortcut(const char* targetPath);
int DeleteDesktopShortcut();
int CreateShortcut(HWND ownerWindow, int folderId, const char* linkName, const char* targetPath);
int DeleteShortcut(HWND ownerWindow, int folderId, const char* linkName);

// The program group, through the Program Manager's DDE service.
int CreateProgramGroup(const char* programPath, const char* readmePath, const char* uninstallerPath,
                       const char* uninstallCommand);
int DeleteProgramGroup();
int OpenProgmanConversation();
int ProgmanExecute(const char* format, const char* a1, const char* a2, const char* a3);
void EndProgmanConversation();

// Uninstallation.
int Uninstall();
int DeleteFolderFiles(const char* folder);
