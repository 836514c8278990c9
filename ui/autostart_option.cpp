#include "sheet_parts.h"
#include "../setup/setup.h"
#include "../store/counter_set.h"
#include "../store/registry.h"

void ShowAutostartBox(HWND page) {
    SendDlgItemMessageA(page, IDC_AUTOSTART, BM_SETCHECK,
                        CounterSet.OptionAutostart ? BST_CHECKED : BST_UNCHECKED, 0);
}

// The Run value lies under HKEY_LOCAL_MACHINE, which a copy running with
// the user's own token may not change: then the box goes back, the option
// stays as it was, and the user is told why.
void ApplyAutostartBox(HWND page) {
    DWORD on = SendDlgItemMessageA(page, IDC_AUTOSTART, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (!(on ? WriteOwnStartupEntry() : DeleteStartupEntry())) {
        ShowAutostartBox(page);
        ShowMessage(page, IDS_AUTOSTART_FAILED, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CounterSet.OptionAutostart = on;
    WriteProductValue("OptionAutostart", REG_DWORD, &on, sizeof on);
}
