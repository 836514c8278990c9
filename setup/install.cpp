// The installation's steps in order, and the report of an elevated one to
// the copy that waits for it.
#include "install.h"
#include "install_files.h"
#include "running_copy.h"
#include "elevation.h"
#include "shell_start.h"
#include "startup_entry.h"
#include "install_entries.h"
#include "shortcuts.h"
#include "program_group.h"
#include "../base/path_join.h"
#include "../base/program.h"
#include "install_rules.h"
#include "../store/registry.h"

// The tray copy at file, started with the user's own token: by the copy that
// waits, or else through the shell. 1 when started or left to be started.
static int StartTrayCopy(int byParent, const char* file) {
    return byParent || StartThroughShell(file, LoadResString(IDS_AUTO_SWITCH));
}

// Without the program's files there is nothing to register, link or start;
// nothing is closed before every path is known to fit, and nothing is
// written under a copy that did not close. A copy closed for an
// installation that then failed runs again from its own file, with its
// counts as it saved them; where the platform cannot name that file, from
// the installed program, which it normally is.
static int RunInstallation(int byParent, const ProgramCopy* copy) {
    InstallLayout layout;
    if (!PlanInstallation(&layout)) {
        ShowMessage(nullptr, IDS_INSTALL_FAILED, MB_OK | MB_ICONHAND);
        return ReportNothing;
    }
    char runningPath[PathBufferSize];
    int closed = CloseRunningCopy(runningPath, sizeof runningPath);
    if (closed == CopyNotClosed) {
        ShowMessage(nullptr, IDS_COPY_NOT_CLOSED, MB_OK | MB_ICONHAND);
        return ReportNothing;
    }
    int complete;
    if (!InstallFiles(&layout, copy, &complete)) {
        int started =
            !closed || StartTrayCopy(byParent, runningPath[0] ? runningPath : layout.program);
        ShowMessage(nullptr, IDS_INSTALL_FAILED, MB_OK | MB_ICONHAND);
        if (!started)
            ShowMessage(nullptr, IDS_NOT_STARTED, MB_OK | MB_ICONINFORMATION);
        return closed && byParent ? ReportRestartClosed : ReportNothing;
    }
    CreateDesktopShortcut(layout.program);
    complete &= CreateProgramGroup(layout.program, layout.readme, layout.uninstaller,
                                   layout.uninstallCommand);
    // The installed copy records its folder at every start, but as the
    // user's own copy of the product key where the system keeps one; the
    // uninstallation reads it from the key itself.
    complete &= WriteStoredValue(ValuePath, layout.installFolder, 0) &
                ApplyStoredAutostart(layout.startCommand) &
                WriteUninstallEntry(layout.uninstallCommand);
    int started = StartTrayCopy(byParent, layout.program);
    ShowMessage(nullptr, complete ? IDS_INSTALLED : IDS_INSTALL_INCOMPLETE,
                MB_OK | (complete ? MB_ICONINFORMATION : MB_ICONEXCLAMATION));
    if (!started)
        ShowMessage(nullptr, IDS_NOT_STARTED, MB_OK | MB_ICONINFORMATION);
    return byParent ? ReportStartInstalled : ReportNothing;
}

// This copy has the user's own token: the installation runs in an elevated
// copy of it, and this one starts what that one leaves it to start.
static void InstallThroughElevatedCopy(const char* path, const char* commandLine) {
    // Read before the elevated copy closes it.
    char runningPath[PathBufferSize];
    RunningCopyPath(runningPath, sizeof runningPath);
    DWORD report = ReportNothing;
    if (!RunElevatedAndWait(path, commandLine, &report)) {
        ShowMessage(nullptr, IDS_NOT_ELEVATED, MB_OK | MB_ICONHAND);
        return;
    }
    if (report != ReportStartInstalled && report != ReportRestartClosed)
        return;
    InstallLayout layout;
    int formed = report == ReportRestartClosed && runningPath[0]
                     ? JoinCommand(layout.startCommand, CommandLineSize, runningPath,
                                   LoadResString(IDS_AUTO_SWITCH))
                     : PlanInstallation(&layout);
    if (!formed || WinExec(layout.startCommand, SW_SHOWMINIMIZED) <= 31)
        ShowMessage(nullptr, IDS_NOT_STARTED, MB_OK | MB_ICONINFORMATION);
}

int InstallIfNeeded(const char* commandLine, int* exitCode) {
    *exitCode = 0;
    char path[PathBufferSize];
    // A path that cannot be read names no file to copy, nor one to start.
    if (!GetProgramPath(path, sizeof path)) {
        ShowMessage(nullptr, IDS_PATH_UNREADABLE, MB_OK | MB_ICONHAND);
        return 1;
    }
    if (!NeedsInstall(FileNamePart(path), LoadResString(IDS_INSTALLED_NAME)))
        return 0;
    // Read and held before this process asks or tells another one anything:
    // the elevated copy installs these very bytes, and while this copy waits
    // for it, nobody can put another file at the path it runs from.
    ProgramCopy copy;
    if (!ReadProgramFile(path, &copy))
        ShowMessage(nullptr, IDS_INSTALL_FAILED, MB_OK | MB_ICONHAND);
    else if (NeedsElevatedCopy())
        InstallThroughElevatedCopy(path, commandLine);
    else
        *exitCode = RunInstallation(StartedByWaitingCopy(), &copy);
    ReleaseProgramFile(&copy);
    return 1;
}
