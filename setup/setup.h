#pragma once
// Installation, desktop shortcut, program group and uninstallation. Win32.

#include "path_join.h"
#include "../base/program.h"

// Every path and command line of an installation.
struct InstallLayout {
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

// What an installation or an uninstallation run elevated for the unelevated
// copy that waits for it leaves that copy to do, as its exit code: what
// needs the user's own token (a tray copy started by the elevated process
// would run elevated; the user's virtual store is the user's, and the
// elevated process may run as another user).
enum {
    ReportNothing = 0,
    ReportStartInstalled = 1,
    ReportRestartClosed = 2,
    ReportRemoved = 3,
    ReportRemovedIncomplete = 4
};

// Installation: nonzero when this process installed (or tried to, or could
// not tell) and ends, with *exitCode as its exit code. commandLine is what
// follows the program's name, for an elevated copy of this process.
int InstallIfNeeded(const char* commandLine, int* exitCode);

// Forms every path of the installation; 0 when one does not fit. Nothing is
// changed on the system.
int PlanInstallation(InstallLayout* layout);

// The program file, read whole into bytes (size of them) and held open
// without write or delete sharing until released. 0 when it cannot be read;
// release it either way.
struct ProgramCopy {
    HANDLE file;
    HLOCAL bytes;
    DWORD size;
};
int ReadProgramFile(const char* path, ProgramCopy* copy);
void ReleaseProgramFile(ProgramCopy* copy);

// Writes the program's files as planned, the program and uninstaller copies
// from copy. The program file is written under a name of its own and put in
// place only when whole, so a failure leaves an installed program as it
// was; folders this call made go again on failure. *complete is 0 when the
// program file was written but another was not.
int InstallFiles(const InstallLayout* layout, const ProgramCopy* copy, int* complete);

// Closes every running copy, if any, until its process has ended. The first
// one's program file's path goes into runningPath (size bytes, may be null),
// the empty text when it cannot be had. 1 when a copy was running and has
// ended; CopyNotClosed when one did not end within a bound; 0 when none was
// running.
enum { CopyNotClosed = -1 };
int CloseRunningCopy(char* runningPath, int size);

// The running copy's program file, without closing it; 0 when none runs or
// its path cannot be had.
int RunningCopyPath(char* out, int size);

// A process's program file; 0, with out empty, when it cannot be had.
enum { QueryLimitedInformation = 0x1000 }; // PROCESS_QUERY_LIMITED_INFORMATION
int ProcessImagePath(HANDLE process, char* out, int size);

// Elevation. The installation and the uninstallation write where only an
// administrator may; a process without elevation runs an elevated copy of
// itself for them and waits for it to end.
int ProcessIsElevated();
int StartedByWaitingCopy();
// Neither elevated nor the elevated copy of a waiting one.
int NeedsElevatedCopy();
// 1 when the elevated copy ran and ended, with its exit code; 0 when the
// user declined the prompt (ERROR_CANCELLED) or it could not be asked, and
// nothing was changed either way.
int RunElevatedAndWait(const char* file, const char* parameters, DWORD* exitCode);

// Starts file through the shell, so that it runs with the shell's token,
// the user's own; 1 when the shell took it.
int StartThroughShell(const char* file, const char* parameters);

// The start-up entry: the Run value that starts the program with Windows.
// Each returns 1 on success. The own entry starts this very program file.
int WriteStartupEntry(const char* startCommand);
int WriteOwnStartupEntry();
int DeleteStartupEntry();
// 1 when the Run value holds a start command.
int StartupEntryPresent();
// How a change of the start-up entry ended; StartupChanged is the exit code
// of the elevated copy that made it.
enum { StartupRefused = 0, StartupChanged = 1, StartupDeclined = 2 };
// Writes (the own entry) or deletes the entry; what the elevated copy
// started with an autostart switch does.
int SetStartupEntry(int on);
// The same through an elevated copy of this program file, waited for.
int ChangeStartupEntryElevated(int on);
// As OptionAutostart says; a missing option is stored as on.
int ApplyStoredAutostart(const char* startCommand);

// The uninstall entry, and every entry of an installation with the product key.
int WriteUninstallEntry(const char* uninstallCommand);
int DeleteInstallEntries();

// The desktop shortcut; its deletion gives 1 when no desktop holds it.
int CreateDesktopShortcut(const char* targetPath);
int DeleteDesktopShortcut();
int CreateShortcut(int folderId, const char* linkName, const char* targetPath);
int DeleteShortcut(int folderId, const char* linkName);
// A shell link file at linkPath; arguments and iconPath (its second icon)
// may be null, for none.
int CreateLinkFile(const char* linkPath, const char* linkName, const char* targetPath,
                   const char* arguments, const char* iconPath);

// The program group, through the Program Manager's DDE service, then
// completed in the start menu's folders with what the service did not make;
// 1 when the group holds its three items.
int CreateProgramGroup(const char* programPath, const char* readmePath, const char* uninstallerPath,
                       const char* uninstallCommand);
// 1 when no item of the group is left in either start menu (a group folder
// reached through a link is left as it is).
int DeleteProgramGroup();
int OpenProgmanConversation();
int ProgmanExecute(const char* format, const char* a1, const char* a2, const char* a3);
void EndProgmanConversation();

// Uninstallation; the process's exit code: what an elevated copy leaves
// the copy that waits for it to do.
int Uninstall(const char* commandLine);
// The program's files of a folder, and the folder when nothing else is left
// in it; 0 when one of them can go neither now nor at the next restart, or
// is a link, or the folder or one above it is a link: a link is left alone.
int DeleteFolderFiles(const char* folder);
// Renames a file in use to a name of its own in folder, to be deleted at the
// next restart; 0 when it cannot be renamed.
int MoveAsideForDeletion(const char* folder, const char* path);
