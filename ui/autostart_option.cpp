#include "sheet_parts.h"
#include "../setup/setup.h"
#include "../app/app.h"
#include "../store/counter_set.h"
#include "../store/registry.h"

void ShowAutostartOption(HWND page) {
    SendDlgItemMessageA(page, IDC_AUTOSTART, BM_SETCHECK,
                        CounterSet.OptionAutostart ? BST_CHECKED : BST_UNCHECKED, 0);
}

// A path that cannot be read whole leaves the entry as it was: a cut path
// would start nothing, or the wrong program.
static void WriteStartupEntry() {
    char path[PathBufferSize];
    char command[CommandLineSize];
    if (GetProgramPath(path, sizeof path) &&
        JoinCommand(command, sizeof command, path, LoadResString(IDS_AUTO_SWITCH)))
        WriteRegValue(HKEY_LOCAL_MACHINE, RUN_KEY, RUN_VALUE, REG_SZ, command, 0);
}

void ApplyAutostartOption(HWND page) {
    DWORD on = SendDlgItemMessageA(page, IDC_AUTOSTART, BM_GETCHECK, 0, 0) == BST_CHECKED;
    CounterSet.OptionAutostart = on;
    if (on)
        WriteStartupEntry();
    else
        DeleteRegValue(HKEY_LOCAL_MACHINE, RUN_KEY, RUN_VALUE);
    WriteProductValue("OptionAutostart", REG_DWORD, &on, sizeof on);
}
