// The pages' web links, opened off the main thread, as a browser may take
// seconds to start.
#include "sheet_parts.h"
#include "../base/library_search.h"
#include "../base/program.h"

#include <objbase.h>
#include <process.h>
#include <shellapi.h>

typedef HRESULT(WINAPI* CoInitializeExProc)(LPVOID reserved, DWORD model);
typedef void(WINAPI* CoUninitializeProc)();

// The shell may hand the address to a COM server, so COM is set up on this
// thread first, as the shell asks of its callers. No owner window: the
// page may be gone before the shell is done.
static unsigned __stdcall OpenLinkThread(void* parameter) {
    char url[256];
    int length = LoadStringA(AppInstance, static_cast<int>(reinterpret_cast<INT_PTR>(parameter)),
                             url, sizeof url);
    HMODULE ole = LoadSystemLibrary("ole32.dll");
    auto initialize = LateProc<CoInitializeExProc>(ole, "CoInitializeEx");
    auto uninitialize = LateProc<CoUninitializeProc>(ole, "CoUninitialize");
    HRESULT com = initialize && uninitialize
                      ? initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)
                      : E_FAIL;
    if (length > 0 && length < static_cast<int>(sizeof url) - 1)
        ShellExecuteA(nullptr, "open", url, nullptr, nullptr, SW_SHOWNORMAL);
    if (SUCCEEDED(com))
        uninitialize();
    return 0;
}

// A browser's cold start can take seconds, and the main thread must not
// stop for them (docs/architecture.md): the shell is called on a thread of
// its own, which takes the string's id and ends when the shell is done.
void OpenLinkPage(HWND, int urlId) {
    HANDLE thread = reinterpret_cast<HANDLE>(
        _beginthreadex(nullptr, 0, OpenLinkThread,
                       reinterpret_cast<void*>(static_cast<INT_PTR>(urlId)), 0, nullptr));
    if (thread)
        CloseHandle(thread);
}
