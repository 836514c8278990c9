// Where libraries loaded at run time come from, so that nothing planted
// beside a downloaded program file is ever loaded.
#include "library_search.h"
#include "bounded_format.h"
#include "program.h"

#include <cstring>

// Not in the oldest systems' kernel32, hence looked up.
typedef BOOL(WINAPI* SetDefaultDllDirectoriesProc)(DWORD flags);
typedef BOOL(WINAPI* SetDllDirectoryProc)(LPCSTR folder);
enum : DWORD { SearchSystemFolder = 0x800 }; // LOAD_LIBRARY_SEARCH_SYSTEM32

// 1 once a bare name is looked for in the system folder only.
static int SearchLimited;

// A download folder holds whatever a browser or the user put there, and an
// elevated copy runs from it: the default search would find a file of a
// system library's name there first. The program's own imports, resolved
// before this runs, are libraries the system always takes from its folder.
void LimitLibrarySearch() {
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto setDefault = LateProc<SetDefaultDllDirectoriesProc>(kernel, "SetDefaultDllDirectories");
    if (setDefault && setDefault(SearchSystemFolder)) {
        SearchLimited = 1;
        return;
    }
    // Where the search cannot be limited to the system folder, at least the
    // current folder leaves it; the program's own folder stays first.
    auto setFolder = LateProc<SetDllDirectoryProc>(kernel, "SetDllDirectoryA");
    if (setFolder)
        setFolder("");
}

// A full path is taken as it stands, whatever the search order is.
static HMODULE LoadFromFolder(char* path, int length, const char* name) {
    if (length <= 0 || length >= MAX_PATH ||
        !FormatBounded(path + length, MAX_PATH - length, "\\%s", name))
        return nullptr;
    return LoadLibraryA(path);
}

// By its bare name where the search is limited to the system folder: the
// manifest's side-by-side version (the common controls of version 6) is
// found only for a bare name, never for a full path.
HMODULE LoadSystemLibrary(const char* name) {
    if (SearchLimited)
        return LoadLibraryA(name);
    char path[MAX_PATH];
    return LoadFromFolder(path, static_cast<int>(GetSystemDirectoryA(path, MAX_PATH)), name);
}

HMODULE LoadProgramLibrary(const char* name) {
    char path[MAX_PATH];
    if (!GetProgramPath(path, MAX_PATH))
        return nullptr;
    const char* slash = strrchr(path, '\\');
    return LoadFromFolder(path, slash ? static_cast<int>(slash - path) : 0, name);
}
