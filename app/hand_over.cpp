// A start while a copy runs already hands over to it: the running copy
// opens its sheet, and this one ends.
#include "app.h"

int HandOverToRunningCopy() {
    HWND running = FindRunningCopy();
    if (!running)
        return 0;
    // The running copy may bring its sheet to the front, as this start asks.
    DWORD processId = 0;
    if (GetWindowThreadProcessId(running, &processId))
        AllowSetForegroundWindow(processId);
    PostMessageA(running, WM_COMMAND, IDM_OPEN, 0);
    return 1;
}
