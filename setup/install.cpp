#include "setup.h"
#include "install_rules.h"
#include "path_join.h"
#include "../base/program.h"

// A copy closed for an installation that then failed runs again from its own
// file, with its counts as it saved them; where the platform cannot name
// that file, from the installed program, which it normally is.
static void RestartClosedCopy(const char* runningPath, const InstallLayout* layout) {
    char command[CommandLineSize];
    if (!runningPath[0])
        WinExec(layout->startCommand, SW_SHOWMINIMIZED);
    else if (JoinCommand(command, sizeof command, runningPath, LoadResString(IDS_AUTO_SWITCH)))
        WinExec(command, SW_SHOWMINIMIZED);
}

// Without the program's files there is nothing to register, link or start;
// nothing is closed before every path is known to fit.
static void RunInstallation() {
    InstallLayout layout;
    if (!PlanInstallation(&layout)) {
        ShowMessage(nullptr, IDS_INSTALL_FAILED, MB_OK | MB_ICONHAND);
        return;
    }
    char runningPath[PathBufferSize];
    int closed = CloseRunningCopy(1, runningPath, sizeof runningPath);
    if (!InstallFiles(&layout)) {
        if (closed)
            RestartClosedCopy(runningPath, &layout);
        ShowMessage(nullptr, IDS_INSTALL_FAILED, MB_OK | MB_ICONHAND);
        return;
    }
    CreateDesktopShortcut(layout.program);
    CreateProgramGroup(layout.program, layout.readme, layout.uninstaller, layout.uninstallCommand);
    ApplyStoredAutostart(layout.startCommand);
    WriteUninstallEntry(layout.uninstallCommand);
    WinExec(layout.startCommand, SW_SHOWMINIMIZED);
    ShowMessage(nullptr, IDS_INSTALLED, MB_OK | MB_ICONINFORMATION);
}

int InstallIfNeeded() {
    char path[PathBufferSize];
    if (!GetProgramPath(path, sizeof path))
        return 0;
    if (!NeedsInstall(FileNamePart(path), LoadResString(IDS_INSTALLED_NAME)))
        return 0;
    RunInstallation();
    return 1;
}
