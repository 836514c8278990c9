// Closing a running copy before its files are replaced or removed, within
// a bound, and its program file's path.
#include "running_copy.h"
#include "../base/path_join.h"
#include "../base/program.h"

// A closing copy saves its counts and ends on its own; its program file is
// free only once its process has gone, which can take longer than a fixed
// pause, so the wait is for the process, within a bound. A window of the
// program's class may be any process's of the user, and one that never
// answers must not hold up an elevated process: the close request is
// posted, not sent.
static const DWORD CloseWaitMs = 750;
static const DWORD ExitWaitMs = 10000;
// More windows of the class than this are no copies of the program's.
enum { MaxRunningCopies = 4 };

typedef BOOL(WINAPI* QueryImageNameProc)(HANDLE process, DWORD flags, LPSTR name, PDWORD size);

// The platform gives a process's file name only from Windows Vista on, so
// it is looked up rather than imported; without it the path stays unknown.
int ProcessImagePath(HANDLE process, char* out, int size) {
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    QueryImageNameProc query =
        kernel ? LateProc<QueryImageNameProc>(kernel, "QueryFullProcessImageNameA") : nullptr;
    DWORD length = static_cast<DWORD>(size);
    if (!query || !query(process, 0, out, &length) || length == 0 ||
        length >= static_cast<DWORD>(size)) {
        out[0] = '\0';
        return 0;
    }
    return 1;
}

static HANDLE OpenWindowProcess(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (!processId)
        return nullptr;
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    return process ? process : OpenProcess(SYNCHRONIZE, FALSE, processId);
}

// Without a process to wait for, the window is given a pause to go.
static int CloseOneCopy(HWND running, char* runningPath, int size) {
    HANDLE process = OpenWindowProcess(running);
    if (process && runningPath)
        ProcessImagePath(process, runningPath, size);
    int ended = PostMessageA(running, WM_CLOSE, 0, 0);
    if (ended && process)
        ended = WaitForSingleObject(process, ExitWaitMs) == WAIT_OBJECT_0;
    else if (ended)
        Sleep(CloseWaitMs);
    if (process)
        CloseHandle(process);
    return ended;
}

int CloseRunningCopy(char* runningPath, int size) {
    if (runningPath)
        runningPath[0] = '\0';
    int closed = 0;
    for (int i = 0; i < MaxRunningCopies; i++) {
        HWND running = FindRunningCopy();
        if (!running)
            return closed;
        if (!CloseOneCopy(running, closed ? nullptr : runningPath, size))
            return CopyNotClosed;
        closed = 1;
    }
    return CopyNotClosed;
}

int RunningCopyPath(char* out, int size) {
    out[0] = '\0';
    HWND running = FindRunningCopy();
    HANDLE process = running ? OpenWindowProcess(running) : nullptr;
    if (!process)
        return 0;
    int read = ProcessImagePath(process, out, size);
    CloseHandle(process);
    return read;
}
