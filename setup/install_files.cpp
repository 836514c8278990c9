// The installation's paths and the files it writes, each put in place only
// when whole, from the program file read once.
#include "install_files.h"
#include "folder_files.h"
#include "../base/path_join.h"
#include "../base/program.h"
#include "install_rules.h"

static const char CurrentVersionKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";

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

// Every path is formed before anything is closed or written, so that a path
// that does not fit leaves the system as it was.
int PlanInstallation(InstallLayout* layout) {
    char stored[PathBufferSize];
    return ReadProgramFilesDir(stored, sizeof stored) &&
           ProgramFilesFolder(layout->programFiles, PathBufferSize, stored) &&
           WindowsFolder(layout->windowsFolder, PathBufferSize) &&
           JoinPath(layout->uninstaller, PathBufferSize, layout->windowsFolder,
                    LoadResString(IDS_UNINSTALLER_NAME)) &&
           JoinPath(layout->installFolder, PathBufferSize, layout->programFiles,
                    LoadResString(IDS_PRODUCT)) &&
           JoinPath(layout->program, PathBufferSize, layout->installFolder,
                    LoadResString(IDS_INSTALLED_NAME)) &&
           JoinPath(layout->library, PathBufferSize, layout->installFolder,
                    LoadResString(IDS_LIBRARY_NAME)) &&
           JoinPath(layout->readme, PathBufferSize, layout->installFolder,
                    LoadResString(IDS_README_NAME)) &&
           JoinCommand(layout->uninstallCommand, CommandLineSize, layout->uninstaller,
                       LoadResString(IDS_UNINST_SWITCH)) &&
           JoinCommand(layout->startCommand, CommandLineSize, layout->program,
                       LoadResString(IDS_AUTO_SWITCH));
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

static int MoveInPlace(const char* from, const char* to) {
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

// Written whole under a name of its own in the target's folder, then put in
// place: a failed read or write, or a target that cannot be replaced (held
// open by another process), leaves the old file as it was. With setAside, a
// target that cannot be replaced but can be renamed (a library the system
// keeps loaded in processes the hook reached) is moved aside, to go at the
// next restart, and the new file takes its place.
static int WriteReplacing(const char* folder, const char* path, const void* data, DWORD size,
                          int setAside) {
    char temporary[MAX_PATH];
    if (!GetTempFileNameA(folder, "TWn", 0, temporary))
        return 0;
    if (WriteCopy(temporary, data, size) &&
        (MoveInPlace(temporary, path) ||
         (setAside && MoveAsideForDeletion(folder, path) && MoveInPlace(temporary, path))))
        return 1;
    DeleteFileA(temporary);
    return 0;
}

static int ReadWhole(HANDLE file, void* data, DWORD size) {
    DWORD read = 0;
    return ReadFile(file, data, size, &read, nullptr) && read == size;
}

// The program file is far smaller; a larger file is not one to copy whole.
static const LONGLONG MaxProgramBytes = 16 << 20;

// Held without write or delete sharing, the file can be neither changed nor
// renamed and replaced by another process until it is let go: a copy asked
// to close runs code of the user's, and a downloaded file lies in a folder
// the user writes.
int ReadProgramFile(const char* path, ProgramCopy* copy) {
    copy->bytes = nullptr;
    copy->file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (copy->file == INVALID_HANDLE_VALUE)
        return 0;
    LARGE_INTEGER whole = {};
    int sized = GetFileSizeEx(copy->file, &whole) && whole.QuadPart <= MaxProgramBytes;
    copy->size = sized ? static_cast<DWORD>(whole.QuadPart) : 0;
    copy->bytes = sized ? LocalAlloc(LMEM_ZEROINIT, copy->size + 1024) : nullptr;
    return copy->bytes && ReadWhole(copy->file, copy->bytes, copy->size);
}

void ReleaseProgramFile(ProgramCopy* copy) {
    if (copy->file != INVALID_HANDLE_VALUE)
        CloseHandle(copy->file);
    if (copy->bytes)
        LocalFree(copy->bytes);
}

static int WriteResourceFile(const InstallLayout* layout, int id, const char* type,
                             const char* path, int setAside) {
    HRSRC found = FindResourceA(AppInstance, MAKEINTRESOURCEA(id), type);
    HGLOBAL loaded = found ? LoadResource(AppInstance, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    DWORD size = found ? SizeofResource(AppInstance, found) : 0;
    return data && size > 0 && WriteReplacing(layout->installFolder, path, data, size, setAside);
}

int InstallFiles(const InstallLayout* layout, const ProgramCopy* copy, int* complete) {
    *complete = 1;
    // Either folder may exist already; only one made here is removed again.
    int madeProgramFiles = CreateDirectoryA(layout->programFiles, nullptr);
    int madeFolder = CreateDirectoryA(layout->installFolder, nullptr);
    if (!WriteReplacing(layout->installFolder, layout->program, copy->bytes, copy->size, 0)) {
        if (madeFolder)
            RemoveDirectoryA(layout->installFolder);
        if (madeProgramFiles)
            RemoveDirectoryA(layout->programFiles);
        return 0;
    }
    // The uninstaller copy is the running file when it installs again.
    if (!WriteReplacing(layout->windowsFolder, layout->uninstaller, copy->bytes, copy->size, 0))
        *complete = 0;
    // Resource type names match without regard to case: "Library" finds LIBRARY.
    if (!WriteResourceFile(layout, IDR_HOOK_LIBRARY, "Library", layout->library, 1) ||
        !WriteResourceFile(layout, IDR_README, "Text", layout->readme, 0))
        *complete = 0;
    return 1;
}
