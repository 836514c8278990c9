#include "setup.h"
#include "../app/main_window.h"

// The closed copy saves and ends on its own; this pause is the whole hand-over.
static const DWORD CloseWaitMs = 750;

int CloseRunningCopy(int wait) {
    HWND running = FindWindowA(MainClassName, nullptr);
    if (!running)
        return 0;
    SendMessageA(running, WM_CLOSE, 0, 0);
    if (wait)
        Sleep(CloseWaitMs);
    return 1;
}
