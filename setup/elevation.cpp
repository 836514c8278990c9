// Whether this process may install, and running an elevated copy of it
// for the installation and the uninstallation.
#include "elevation.h"
#include "running_copy.h"
#include "../base/path_join.h"
#include "../base/program.h"

#include <shellapi.h>
#include <tlhelp32.h>

// A system that cannot say (it has no user account control) asks nobody's
// leave: its processes count as elevated.
static int ProcessIsElevated() {
    HANDLE token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return 1;
    TOKEN_ELEVATION elevation = {};
    DWORD size = 0;
    BOOL known = GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size);
    CloseHandle(token);
    return !known || elevation.TokenIsElevated;
}

static DWORD ParentProcessId() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    DWORD self = GetCurrentProcessId(), parent = 0;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more && !parent;
         more = Process32Next(snapshot, &entry)) {
        if (entry.th32ProcessID == self)
            parent = entry.th32ParentProcessID;
    }
    CloseHandle(snapshot);
    return parent;
}

// An elevated process's parent is the process that asked for its elevation.
// When that is this very program file, it is the unelevated copy waiting for
// this one to end.
int StartedByWaitingCopy() {
    char own[PathBufferSize], parent[PathBufferSize];
    DWORD parentId = ParentProcessId();
    HANDLE process =
        parentId ? OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, parentId) : nullptr;
    if (!process)
        return 0;
    int same = ProcessImagePath(process, parent, sizeof parent) &&
               GetProgramPath(own, sizeof own) && lstrcmpiA(own, parent) == 0;
    CloseHandle(process);
    return same;
}

// Without an owner window the system only flashes the prompt on the
// taskbar; this process has no window, and the one in the foreground is the
// one the user started it from.
int RunElevatedAndWait(const char* file, const char* parameters, DWORD* exitCode) {
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.hwnd = GetForegroundWindow();
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.lpVerb = "runas";
    info.lpFile = file;
    info.lpParameters = parameters;
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExA(&info) || !info.hProcess)
        return 0;
    WaitForSingleObject(info.hProcess, INFINITE);
    *exitCode = 0;
    GetExitCodeProcess(info.hProcess, exitCode);
    CloseHandle(info.hProcess);
    return 1;
}

int NeedsElevatedCopy() {
    return !ProcessIsElevated() && !StartedByWaitingCopy();
}
