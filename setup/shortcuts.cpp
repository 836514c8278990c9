#include "setup.h"
#include "path_join.h"
#include "../base/program.h"
#include "../base/bounded_format.h"

#include <shlobj.h>

static const int DesktopFolders[2] = {CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_DESKTOPDIRECTORY};

struct ComCalls {
    HRESULT(WINAPI* Initialize)(LPVOID reserved);
    void(WINAPI* Uninitialize)();
    HRESULT(WINAPI* CreateInstance)
    (REFCLSID type, LPUNKNOWN outer, DWORD context, REFIID id, LPVOID* object);
    void(WINAPI* TaskMemFree)(LPVOID memory);
};
static ComCalls Com;

template <typename Proc> static int Resolve(HMODULE library, const char* name, Proc* proc) {
    *proc = LateProc<Proc>(library, name);
    return *proc != nullptr;
}

// COM serves only the shortcuts, which the installation and the
// uninstallation make and delete: its library is loaded then, not at every
// start of the program.
static int LoadCom() {
    if (Com.Initialize)
        return 1;
    HMODULE library = LoadLibraryA("ole32.dll");
    ComCalls calls = {};
    if (!library || !Resolve(library, "CoInitialize", &calls.Initialize) ||
        !Resolve(library, "CoUninitialize", &calls.Uninitialize) ||
        !Resolve(library, "CoCreateInstance", &calls.CreateInstance) ||
        !Resolve(library, "CoTaskMemFree", &calls.TaskMemFree))
        return 0;
    Com = calls;
    return 1;
}

// Only a call that set COM up itself goes on. S_FALSE (set up already on
// this thread) counts too and is balanced at once, so that the thread's
// count does not grow with every refused call.
static int ComStarted() {
    if (!LoadCom())
        return 0;
    HRESULT result = Com.Initialize(nullptr);
    if (result == S_OK)
        return 1;
    if (SUCCEEDED(result))
        Com.Uninitialize();
    return 0;
}

static int SpecialFolderPath(HWND ownerWindow, int folderId, char* out) {
    LPITEMIDLIST items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(ownerWindow, folderId, &items)) || !items)
        return 0;
    int found = SHGetPathFromIDListA(items, out) != FALSE;
    Com.TaskMemFree(items);
    return found;
}

// The .lnk file of linkName in the special folder.
static int LinkFilePath(HWND ownerWindow, int folderId, const char* linkName, char* out, int size) {
    char folder[MAX_PATH];
    return SpecialFolderPath(ownerWindow, folderId, folder) &&
           FormatBounded(out, size, "%s\\%s.lnk", folder, linkName);
}

static int SaveLink(IShellLinkA* link, const char* linkPath) {
    IPersistFile* file = nullptr;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))))
        return 0;
    WCHAR widePath[PathBufferSize];
    int saved = MultiByteToWideChar(CP_ACP, 0, linkPath, -1, widePath, PathBufferSize) > 0 &&
                file->Save(widePath, TRUE) == S_OK;
    file->Release();
    return saved;
}

static int WriteLink(const char* linkPath, const char* linkName, const char* targetPath,
                     const char* workingDirectory) {
    IShellLinkA* link = nullptr;
    if (FAILED(Com.CreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  reinterpret_cast<void**>(&link))))
        return 0;
    link->SetPath(targetPath);
    link->SetWorkingDirectory(workingDirectory);
    link->SetDescription(linkName);
    int saved = SaveLink(link, linkPath);
    link->Release();
    return saved;
}

int CreateShortcut(HWND ownerWindow, int folderId, const char* linkName, const char* targetPath) {
    if (!linkName || !targetPath)
        return 0;
    char workingDirectory[PathBufferSize];
    if (!ParentFolder(workingDirectory, sizeof workingDirectory, targetPath))
        return 0;
    if (!ComStarted())
        return 0;
    char linkPath[PathBufferSize];
    int result = 0;
    if (LinkFilePath(ownerWindow, folderId, linkName, linkPath, sizeof linkPath))
        result = WriteLink(linkPath, linkName, targetPath, workingDirectory);
    Com.Uninitialize();
    return result;
}

int DeleteShortcut(HWND ownerWindow, int folderId, const char* linkName) {
    if (!linkName)
        return 0;
    if (!ComStarted())
        return 0;
    char linkPath[PathBufferSize];
    int result = 0;
    if (LinkFilePath(ownerWindow, folderId, linkName, linkPath, sizeof linkPath))
        result = DeleteFileA(linkPath) != FALSE;
    Com.Uninitialize();
    return result;
}

// The all-users desktop first; the user's own desktop only when that fails.
int CreateDesktopShortcut(const char* targetPath) {
    const char* linkName = LoadResString(IDS_PRODUCT);
    for (int folderId : DesktopFolders) {
        if (CreateShortcut(nullptr, folderId, linkName, targetPath))
            break;
    }
    return 1;
}

int DeleteDesktopShortcut() {
    const char* linkName = LoadResString(IDS_PRODUCT);
    for (int folderId : DesktopFolders) {
        if (DeleteShortcut(nullptr, folderId, linkName))
            break;
    }
    return 1;
}
