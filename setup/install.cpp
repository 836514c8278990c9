#include "setup.h"
#include "install_rules.h"
#include "path_join.h"
#include "../app/app.h"

// Room for a path of PathBufferSize and its switch.
enum { CommandLineSize = 2 * PathBufferSize };

struct InstalledPaths {
    char program[PathBufferSize];
    char library[PathBufferSize];
    char readme[PathBufferSize];
    char uninstaller[PathBufferSize];
    char uninstallCommand[CommandLineSize];
    char startCommand[CommandLineSize];
};

static void ShowInstallMessage(int textId, UINT icon) {
    MessageBoxA(nullptr, LoadResString(textId), LoadResString(IDS_TITLE), MB_OK | icon);
}

static int PlaceFiles(InstalledPaths* paths) {
    return InstallFiles(paths->program, paths->library, paths->readme, paths->uninstaller) &&
           JoinCommand(paths->uninstallCommand, CommandLineSize, paths->uninstaller,
                       LoadResString(IDS_UNINST_SWITCH)) &&
           JoinCommand(paths->startCommand, CommandLineSize, paths->program,
                       LoadResString(IDS_AUTO_SWITCH));
}

// Without the program's files there is nothing to register, link or start.
static void RunInstallation() {
    CloseRunningCopy(1);
    InstalledPaths paths;
    if (!PlaceFiles(&paths)) {
        ShowInstallMessage(IDS_INSTALL_FAILED, MB_ICONHAND);
        return;
    }
    CreateDesktopShortcut(paths.program);
    CreateProgramGroup(paths.program, paths.readme, paths.uninstaller, paths.uninstallCommand);
    ApplyAutostartOption(paths.startCommand);
    WriteUninstallEntry(paths.uninstallCommand);
    WinExec(paths.startCommand, SW_SHOWMINIMIZED);
    ShowInstallMessage(IDS_INSTALLED, MB_ICONINFORMATION);
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
