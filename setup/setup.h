#pragma once
// Installation, desktop shortcut, program group and uninstallation. Win32.

#include "path_join.h"
#include "../base/program.h"

// Every path and command line of an installation.
struct InstallLayout {
    char source[PathBufferSize];
    char programFiles[PathBufferSize];
    char installFolder[PathBufferSize];
    char windowsFolder[PathBufferSize];
    char program[PathBufferSize];
    char library[PathBufferSize];
    char readme[PathBufferSize];
    char uninstaller[PathBufferSize];
    char uninstallCommand[CommandLineSize];
    char startCommand[CommandLineSize];
};

// Installation: nonzero when this process installed (or tried to) and ends.
int InstallIfNeeded();

// Forms every path of the installation; 0 when one does not fit. Nothing is
// changed on the system.
int PlanInstallation(InstallLayout* layout);

// Writes the program's files as planned. The program file is written under
// a name of its own and put in place only when whole, so a failure leaves an
// installed program as it was; folders this call made go again on failure.
int InstallFiles(const InstallLayout* layout);

// Closes the running copy, if any; with wait, until its process has ended.
// Its program file's path goes into runningPath (size bytes, may be null),
// the empty text when it cannot be had. 1 when a copy was running and, with
// wait, has ended.
int CloseRunningCopy(int wait, char* runningPath, int size);

// The start-up entry: the Run value that starts the program with Windows.
// Each returns 1 on success. The own entry starts this very program file.
int WriteStartupEntry(const char* startCommand);
int WriteOwnStartupEntry();
int DeleteStartupEntry();
// As OptionAutostart says; a missing option is stored as on.
void ApplyStoredAutostart(const char* startCommand);

// The uninstall entry, and every entry of an installation with the product key.
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
