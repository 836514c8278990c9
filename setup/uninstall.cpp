#include "setup.h"
#include "com_library.h"
#include "path_join.h"
#include "uninstall_rules.h"
#include "../base/bounded_format.h"
#include "../store/registry.h"

#include <shlobj.h>

// Intended: only a No stops. A question that could not be asked (the box
// failed, answering 0) lets the uninstallation go on, as a Yes does.
static int Confirmed(int textId, UINT icon) {
    return ShowMessage(nullptr, textId, MB_YESNO | icon) != IDNO;
}

// A program that runs without elevation and writes where only an
// administrator may is given a copy of its own by the system, in the user's
// virtual store: of the product key (in either view of a 64-bit system's
// registry) and of the files it writes into the program folder.
static int DeleteVirtualStore(const char* folder) {
    int deleted =
        DeleteRegKey(HKEY_CURRENT_USER, "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\"
                                        "WOW6432Node\\" PRODUCT_KEY_BELOW_SOFTWARE) &
        DeleteRegKey(
            HKEY_CURRENT_USER,
            "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\" PRODUCT_KEY_BELOW_SOFTWARE);
    char local[MAX_PATH], stored[PathBufferSize];
    if (FolderWorthClearing(folder) && folder[1] == ':' &&
        SpecialFolderPath(CSIDL_LOCAL_APPDATA, local) &&
        FormatBounded(stored, sizeof stored, "%s\\VirtualStore%s", local, folder + 2))
        deleted &= DeleteFolderFiles(stored);
    return deleted;
}

// Everything the installation and the program's runs made, each removal
// tried whatever became of the one before; 1 when all of it is gone.
static int RemoveEverything() {
    // Frees the program's files before they are deleted.
    CloseRunningCopy(1, nullptr, 0);
    // Read before the product key, which holds it, goes.
    char folder[PathBufferSize];
    ReadProductValue("Path", REG_SZ, folder, sizeof folder);
    int removed = DeleteDesktopShortcut() & DeleteProgramGroup() & DeleteInstallEntries() &
                  DeleteVirtualStore(folder);
    if (FolderWorthClearing(folder))
        removed &= DeleteFolderFiles(folder);
    return removed;
}

int Uninstall(const char* commandLine) {
    char path[PathBufferSize];
    if (GetProgramPath(path, sizeof path) && NeedsElevatedCopy()) {
        DWORD ignored;
        if (!RunElevatedAndWait(path, commandLine, &ignored))
            ShowMessage(nullptr, IDS_NOT_ELEVATED, MB_OK | MB_ICONHAND);
        return 0;
    }
    if (!Confirmed(IDS_ASK_UNINSTALL, MB_ICONHAND))
        return 0;
    if (!Confirmed(IDS_REALLY, MB_ICONQUESTION))
        return 0;
    if (!RemoveEverything())
        ShowMessage(nullptr, IDS_UNINSTALL_INCOMPLETE, MB_OK | MB_ICONHAND);
    return 1;
}
