#include "setup.h"
#include "path_join.h"
#include "uninstall_rules.h"
#include "../base/program.h"
#include "../store/registry.h"

// Intended: only a No stops. A question that could not be asked (the box
// failed, answering 0) lets the uninstallation go on, as a Yes does.
static int Confirmed(int textId, UINT icon) {
    return ShowMessage(nullptr, textId, MB_YESNO | icon) != IDNO;
}

int Uninstall() {
    if (!Confirmed(IDS_ASK_UNINSTALL, MB_ICONHAND))
        return 0;
    if (!Confirmed(IDS_REALLY, MB_ICONQUESTION))
        return 0;
    // Frees the program's files before they are deleted.
    CloseRunningCopy(1, nullptr, 0);
    // Read before the product key, which holds it, goes.
    char folder[PathBufferSize];
    ReadProductValue("Path", REG_SZ, folder, sizeof folder);
    DeleteDesktopShortcut();
    DeleteProgramGroup();
    DeleteInstallEntries();
    if (FolderWorthClearing(folder))
        DeleteFolderFiles(folder);
    return 1;
}
