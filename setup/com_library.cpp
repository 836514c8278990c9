// COM and OLE automation, loaded from the system folder when the
// installation first needs them, and the shell's special folders.
#include "../base/path_join.h"
#include "../base/program.h"
#include "com_library.h"
#include "../base/library_search.h"

#include <shlobj.h>

ComCalls Com;

template <typename Proc> static int Resolve(HMODULE library, const char* name, Proc* proc) {
    *proc = LateProc<Proc>(library, name);
    return *proc != nullptr;
}

// COM serves only the installation and the uninstallation (the shortcuts,
// and starting a program through the shell): its libraries are loaded then,
// not at every start of the program.
static int LoadCom() {
    if (Com.Initialize)
        return 1;
    HMODULE ole = LoadSystemLibrary("ole32.dll");
    HMODULE automation = LoadSystemLibrary("oleaut32.dll");
    ComCalls calls = {};
    if (!ole || !automation || !Resolve(ole, "CoInitialize", &calls.Initialize) ||
        !Resolve(ole, "CoUninitialize", &calls.Uninitialize) ||
        !Resolve(ole, "CoCreateInstance", &calls.CreateInstance) ||
        !Resolve(ole, "CoTaskMemFree", &calls.TaskMemFree) ||
        !Resolve(automation, "SysAllocString", &calls.AllocString) ||
        !Resolve(automation, "SysFreeString", &calls.FreeString))
        return 0;
    Com = calls;
    return 1;
}

// Only a call that set COM up itself goes on. S_FALSE (set up already on
// this thread) counts too and is balanced at once, so that the thread's
// count does not grow with every refused call.
int ComStarted() {
    if (!LoadCom())
        return 0;
    HRESULT result = Com.Initialize(nullptr);
    if (result == S_OK)
        return 1;
    if (SUCCEEDED(result))
        Com.Uninitialize();
    return 0;
}

int SpecialFolderPath(int folderId, char* out) {
    LPITEMIDLIST items = nullptr;
    out[0] = '\0';
    if (!LoadCom() || FAILED(SHGetSpecialFolderLocation(nullptr, folderId, &items)) || !items)
        return 0;
    int found = SHGetPathFromIDListA(items, out) != FALSE;
    Com.TaskMemFree(items);
    return found;
}
