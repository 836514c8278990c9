#include "app.h"

int HandOverToRunningCopy() {
    HWND running = FindWindowExA(nullptr, nullptr, MainClassName, nullptr);
    if (!running)
        return 0;
    // The running copy may bring its sheet to the front, as this start asks.
    DWORD processId = 0;
    if (GetWindowThreadProcessId(running, &processId))
        AllowSetForegroundWindow(processId);
    PostMessageA(running, WM_COMMAND, IDM_OPEN, 0);
    return 1;
}
