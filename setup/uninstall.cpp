// The uninstallation: its questions, the removal of everything the
// installation made, and the user's virtual store with the user's token.
#include "uninstall.h"
#include "running_copy.h"
#include "shortcuts.h"
#include "folder_files.h"
#include "install_entries.h"
#include "program_group.h"
#include "elevation.h"
#include "../base/path_join.h"
#include "../base/program.h"
#include "com_library.h"
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

// Everything the installation and the program's runs made under the
// machine's folders and keys, once the user has confirmed it twice and no
// copy keeps the program's files; each removal tried whatever became of the
// one before. ReportRemoved when all of it is gone.
static int RemoveInstallation(const char* folder) {
    if (!Confirmed(IDS_ASK_UNINSTALL, MB_ICONHAND) || !Confirmed(IDS_REALLY, MB_ICONQUESTION))
        return ReportNothing;
    // A copy that did not close keeps the files, and everything stays.
    if (CloseRunningCopy(nullptr, 0) == CopyNotClosed) {
        ShowMessage(nullptr, IDS_COPY_NOT_CLOSED, MB_OK | MB_ICONHAND);
        return ReportNothing;
    }
    int removed = DeleteDesktopShortcut() & DeleteProgramGroup() & DeleteInstallEntries();
    if (FolderWorthClearing(folder))
        removed &= DeleteFolderFiles(folder);
    return removed ? ReportRemoved : ReportRemovedIncomplete;
}

// The user's virtual store is removed with the user's own token: on
// Windows an elevated copy may run as another user, an administrator whose
// password was typed, whose store is not the user's. So an elevated copy
// started by a copy that waits for it leaves the store to that one, which
// removes it once the elevated one has reported; where the user started the
// uninstallation elevated, that one removes it.
int Uninstall(const char* commandLine) {
    char path[PathBufferSize], folder[PathBufferSize];
    // Read before the product key, which holds it, goes.
    ReadStoredValue(ValuePath, folder, sizeof folder);
    DWORD report;
    if (GetProgramPath(path, sizeof path) && NeedsElevatedCopy()) {
        if (!RunElevatedAndWait(path, commandLine, &report)) {
            ShowMessage(nullptr, IDS_NOT_ELEVATED, MB_OK | MB_ICONHAND);
            return ReportNothing;
        }
    } else {
        report = RemoveInstallation(folder);
        if (StartedByWaitingCopy())
            return report;
    }
    if ((report == ReportRemoved || report == ReportRemovedIncomplete) &&
        !(DeleteVirtualStore(folder) && report == ReportRemoved))
        ShowMessage(nullptr, IDS_UNINSTALL_INCOMPLETE, MB_OK | MB_ICONHAND);
    return ReportNothing;
}
