#include "app.h"

int HandOverToRunningCopy() {
    HWND running = FindWindowExA(nullptr, nullptr, MainClassName, nullptr);
    if (!running)
        return 0;
    PostMessageA(running, WM_COMMAND, IDM_OPEN, 0);
    return 1;
}
