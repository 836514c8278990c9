#include "setup.h"
#include "../app/main_window.h"

// A closing copy saves its counts and ends on its own; its program file is
// free only once its process has gone, which can take longer than a fixed
// pause, so the wait is for the process, within a bound.
static const DWORD CloseWaitMs = 750;
static const DWORD ExitWaitMs = 10000;

static HANDLE OpenWindowProcess(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId ? OpenProcess(SYNCHRONIZE, FALSE, processId) : nullptr;
}

int CloseRunningCopy(int wait) {
    HWND running = FindWindowA(MainClassName, nullptr);
    if (!running)
        return 0;
    HANDLE process = wait ? OpenWindowProcess(running) : nullptr;
    SendMessageA(running, WM_CLOSE, 0, 0);
    if (process) {
        WaitForSingleObject(process, ExitWaitMs);
        CloseHandle(process);
    } else if (wait) {
        Sleep(CloseWaitMs);
    }
    return 1;
}
