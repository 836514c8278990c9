#include "setup.h"
#include "install_rules.h"
#include "path_join.h"
#include "../app/app.h"

static const char CurrentVersionKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";

struct InstallLayout {
    char source[PathBufferSize];
    char programFiles[PathBufferSize];
    char installFolder[PathBufferSize];
    char program[PathBufferSize];
    char library[PathBufferSize];
    char readme[PathBufferSize];
    char uninstaller[PathBufferSize];
};

// The registry operations read a value too long for the buffer as a missing
// one, which here would install into the default folder instead of failing.
static int ReadProgramFilesDir(char* out, int size) {
    out[0] = '\0';
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, CurrentVersionKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 1;
    DWORD type = 0;
    DWORD bytes = size;
    LONG result = RegQueryValueExA(key, "ProgramFilesDir", nullptr, &type,
                                   reinterpret_cast<BYTE*>(out), &bytes);
    RegCloseKey(key);
    if (result == ERROR_MORE_DATA)
        return 0;
    if (result != ERROR_SUCCESS || type != REG_SZ || bytes == 0 || out[bytes - 1] != '\0')
        out[0] = '\0';
    return 1;
}

static int WindowsFolder(char* out, int size) {
    UINT length = GetWindowsDirectoryA(out, size);
    if (length == 0 || length >= static_cast<UINT>(size))
        return 0;
    DropTrailingBackslash(out);
    return 1;
}

// Every path is formed before anything is written, so that a path that does
// not fit leaves the system as it was.
static int PlanLayout(InstallLayout* layout) {
    char stored[PathBufferSize];
    char windows[PathBufferSize];
    return ReadProgramFilesDir(stored, sizeof stored) &&
           ProgramFilesFolder(layout->programFiles, PathBufferSize, stored) &&
           GetProgramPath(layout->source, PathBufferSize) &&
           WindowsFolder(windows, sizeof windows) &&
           JoinPath(layout->uninstaller, PathBufferSize, windows,
                    LoadResString(IDS_UNINSTALLER_NAME)) &&
           JoinPath(layout->installFolder, PathBufferSize, layout->programFiles,
                    LoadResString(IDS_PRODUCT)) &&
           JoinPath(layout->program, PathBufferSize, layout->installFolder,
                    LoadResString(IDS_INSTALLED_NAME)) &&
           JoinPath(layout->library, PathBufferSize, layout->installFolder,
                    LoadResString(IDS_LIBRARY_NAME)) &&
           JoinPath(layout->readme, PathBufferSize, layout->installFolder,
                    LoadResString(IDS_README_NAME));
}

static HANDLE CreateTarget(const char* path) {
    return CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

static int WriteWhole(HANDLE file, const void* data, DWORD size) {
    DWORD written = 0;
    return WriteFile(file, data, size, &written, nullptr) && written == size;
}

static int WriteCopy(const char* path, const void* data, DWORD size) {
    HANDLE target = CreateTarget(path);
    if (target == INVALID_HANDLE_VALUE)
        return 0;
    int written = WriteWhole(target, data, size);
    CloseHandle(target);
    return written;
}

static int ReadWhole(HANDLE file, void* data, DWORD size) {
    DWORD read = 0;
    return ReadFile(file, data, size, &read, nullptr) && read == size;
}

// One buffer holds the whole program file: read once, written as the
// program copy and as the uninstaller copy.
static int CopyProgram(const InstallLayout* layout) {
    HANDLE source = CreateFileA(layout->source, GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (source == INVALID_HANDLE_VALUE)
        return 0;
    HANDLE target = CreateTarget(layout->program);
    if (target == INVALID_HANDLE_VALUE) {
        CloseHandle(source);
        return 0;
    }
    DWORD size = GetFileSize(source, nullptr);
    HLOCAL buffer = size == INVALID_FILE_SIZE ? nullptr : LocalAlloc(LMEM_ZEROINIT, size + 1024);
    int copied = buffer && ReadWhole(source, buffer, size) && WriteWhole(target, buffer, size);
    CloseHandle(source);
    CloseHandle(target);
    if (!copied) {
        // A cut program copy would pass for an installed one.
        DeleteFileA(layout->program);
    } else {
        // The uninstaller copy is the running file when it installs again.
        WriteCopy(layout->uninstaller, buffer, size);
    }
    if (buffer)
        LocalFree(buffer);
    return copied;
}

static void WriteResourceFile(int id, const char* type, const char* path) {
    HRSRC found = FindResourceA(AppInstance, MAKEINTRESOURCEA(id), type);
    HGLOBAL loaded = found ? LoadResource(AppInstance, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    DWORD size = found ? SizeofResource(AppInstance, found) : 0;
    if (data && size > 0)
        WriteCopy(path, data, size);
}

static void CopyOut(char* out, const char* path) {
    lstrcpynA(out, path, PathBufferSize);
}

int InstallFiles(char* exePath, char* libraryPath, char* readmePath, char* uninstallerPath) {
    exePath[0] = libraryPath[0] = readmePath[0] = uninstallerPath[0] = '\0';
    InstallLayout layout;
    if (!PlanLayout(&layout))
        return 0;
    // Either folder may exist already.
    CreateDirectoryA(layout.programFiles, nullptr);
    CreateDirectoryA(layout.installFolder, nullptr);
    if (!CopyProgram(&layout))
        return 0;
    // Resource type names match without regard to case: "Library" finds LIBRARY.
    WriteResourceFile(IDR_HOOK_LIBRARY, "Library", layout.library);
    WriteResourceFile(IDR_README, "Text", layout.readme);
    CopyOut(exePath, layout.program);
    CopyOut(libraryPath, layout.library);
    CopyOut(readmePath, layout.readme);
    CopyOut(uninstallerPath, layout.uninstaller);
    return 1;
}
