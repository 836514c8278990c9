#include "sheet_parts.h"
#include "../setup/setup.h"
#include "../store/counter_set.h"
#include "../store/registry.h"

void ShowAutostartBox(HWND page) {
    SendDlgItemMessageA(page, IDC_AUTOSTART, BM_SETCHECK,
                        CounterSet.OptionAutostart ? BST_CHECKED : BST_UNCHECKED, 0);
}

void ApplyAutostartBox(HWND page) {
    DWORD on = SendDlgItemMessageA(page, IDC_AUTOSTART, BM_GETCHECK, 0, 0) == BST_CHECKED;
    CounterSet.OptionAutostart = on;
    if (on)
        WriteOwnStartupEntry();
    else
        DeleteStartupEntry();
    WriteProductValue("OptionAutostart", REG_DWORD, &on, sizeof on);
}
