#include "setup.h"
#include "path_join.h"
#include "../app/app.h"
#include "../app/bounded_format.h"

#include <shlobj.h>

static const int DesktopFolders[2] = {CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_DESKTOPDIRECTORY};

// Only a call that set COM up itself goes on. S_FALSE (set up already on
// this thread) counts too and is balanced at once, so that the thread's
// count does not grow with every refused call.
static int ComStarted() {
    HRESULT result = CoInitialize(nullptr);
    if (result == S_OK)
        return 1;
    if (SUCCEEDED(result))
        CoUninitialize();
    return 0;
}

static int SpecialFolderPath(HWND ownerWindow, int folderId, char* out) {
    LPITEMIDLIST items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(ownerWindow, folderId, &items)) || !items)
        return 0;
    int found = SHGetPathFromIDListA(items, out) != FALSE;
    CoTaskMemFree(items);
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
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
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
    CoUninitialize();
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
    CoUninitialize();
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
