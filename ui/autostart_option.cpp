// The options page's start-with-Windows box, shown from the Run value and
// changed through an elevated copy.
#include "sheet_parts.h"
#include "../base/program.h"
#include "../setup/startup_entry.h"
#include "../store/counters.h"

// What the Run value is, not what the option says: they differ where the
// value was changed elsewhere.
void ShowAutostartBox(HWND page) {
    SendDlgItemMessageA(page, IDC_AUTOSTART, BM_SETCHECK,
                        StartupEntryPresent() ? BST_CHECKED : BST_UNCHECKED, 0);
}

// The Run value lies under HKEY_LOCAL_MACHINE, which this copy, with the
// user's own token, may not change: an elevated copy does. This copy then
// stores the option where it reads it, its own view of the product key (on
// Windows the user's virtual store, which shadows the real key). A refusal
// leaves both as they were and says why.
void ApplyAutostartBox(HWND page) {
    DWORD on = SendDlgItemMessageA(page, IDC_AUTOSTART, BM_GETCHECK, 0, 0) == BST_CHECKED;
    int changed = ChangeStartupEntryElevated(on);
    ShowAutostartBox(page);
    if (changed != StartupChanged) {
        ShowMessage(page,
                    changed == StartupDeclined ? IDS_AUTOSTART_DECLINED : IDS_AUTOSTART_FAILED,
                    MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    StoreAutostartOption(on);
}
