// Shell links: the desktop shortcut and the program group's items.
#include "shortcuts.h"
#include "../base/path_join.h"
#include "../base/program.h"
#include "com_library.h"
#include "../base/bounded_format.h"

#include <shlobj.h>

static const int DesktopFolders[2] = {CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_DESKTOPDIRECTORY};

// The .lnk file of linkName in the special folder.
static int LinkFilePath(int folderId, const char* linkName, char* out, int size) {
    char folder[MAX_PATH];
    return SpecialFolderPath(folderId, folder) &&
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
                     const char* workingDirectory, const char* arguments, const char* iconPath) {
    IShellLinkA* link = nullptr;
    if (FAILED(Com.CreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  reinterpret_cast<void**>(&link))))
        return 0;
    link->SetPath(targetPath);
    link->SetWorkingDirectory(workingDirectory);
    link->SetDescription(linkName);
    if (arguments)
        link->SetArguments(arguments);
    // The icon the program's uninstall item has shown since it was a
    // Program Manager item: the file's second one.
    if (iconPath)
        link->SetIconLocation(iconPath, 1);
    int saved = SaveLink(link, linkPath);
    link->Release();
    return saved;
}

int CreateLinkFile(const char* linkPath, const char* linkName, const char* targetPath,
                   const char* arguments, const char* iconPath) {
    char workingDirectory[PathBufferSize];
    if (!linkPath || !linkName || !targetPath ||
        !ParentFolder(workingDirectory, sizeof workingDirectory, targetPath) || !ComStarted())
        return 0;
    int saved = WriteLink(linkPath, linkName, targetPath, workingDirectory, arguments, iconPath);
    Com.Uninitialize();
    return saved;
}

int CreateShortcut(int folderId, const char* linkName, const char* targetPath) {
    char linkPath[PathBufferSize];
    return linkName && LinkFilePath(folderId, linkName, linkPath, sizeof linkPath) &&
           CreateLinkFile(linkPath, linkName, targetPath, nullptr, nullptr);
}

int DeleteShortcut(int folderId, const char* linkName) {
    if (!linkName)
        return 0;
    if (!ComStarted())
        return 0;
    char linkPath[PathBufferSize];
    int result = 0;
    if (LinkFilePath(folderId, linkName, linkPath, sizeof linkPath))
        result = DeleteFileA(linkPath) != FALSE;
    Com.Uninitialize();
    return result;
}

// The all-users desktop first; the user's own desktop only when that fails.
int CreateDesktopShortcut(const char* targetPath) {
    const char* linkName = LoadResString(IDS_PRODUCT);
    for (int folderId : DesktopFolders) {
        if (CreateShortcut(folderId, linkName, targetPath))
            break;
    }
    return 1;
}

// Deleted from the all-users desktop, or else from the user's own: 1 when
// one of them let it go, or neither holds it.
int DeleteDesktopShortcut() {
    const char* linkName = LoadResString(IDS_PRODUCT);
    char linkPath[PathBufferSize];
    for (int folderId : DesktopFolders) {
        if (DeleteShortcut(folderId, linkName))
            return 1;
    }
    for (int folderId : DesktopFolders) {
        if (LinkFilePath(folderId, linkName, linkPath, sizeof linkPath) &&
            GetFileAttributesA(linkPath) != INVALID_FILE_ATTRIBUTES)
            return 0;
    }
    return 1;
}
