#include "setup.h"
#include "path_join.h"
#include "uninstall_rules.h"
#include "../app/app.h"
#include "../store/registry.h"

static int Confirmed(int textId, UINT icon) {
    return MessageBoxA(nullptr, LoadResString(textId), LoadResString(IDS_TITLE), MB_YESNO | icon) !=
           IDNO;
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
