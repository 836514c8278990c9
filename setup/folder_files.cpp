// Clearing a folder of the program's own files and nothing else, never
// through a link, with what is in use left for the next restart.
#include "folder_files.h"
#include "../base/path_join.h"
#include "../base/program.h"
#include "uninstall_rules.h"
#include "../base/bounded_format.h"

enum { ProgramFileCount = 6 };

struct ProgramFileNames {
    char text[ProgramFileCount][PathBufferSize];
    const char* names[ProgramFileCount];
};

static const int StatisticsNameIds[3] = {IDS_DAY, IDS_MONTH, IDS_YEAR};

// The program copy, the hook library, the readme and the statistics files:
// all the program itself puts into its folder.
static void ListProgramFiles(ProgramFileNames* list) {
    FormatBounded(list->text[0], PathBufferSize, "%s", LoadResString(IDS_INSTALLED_NAME));
    FormatBounded(list->text[1], PathBufferSize, "%s", LoadResString(IDS_LIBRARY_NAME));
    FormatBounded(list->text[2], PathBufferSize, "%s", LoadResString(IDS_README_NAME));
    for (int i = 0; i < 3; i++)
        FormatBounded(list->text[3 + i], PathBufferSize, "%s.txt",
                      LoadResString(StatisticsNameIds[i]));
    for (int i = 0; i < ProgramFileCount; i++)
        list->names[i] = list->text[i];
}

struct FolderClearing {
    int othersLeft;  // entries that are not the program's stay, and the folder with them
    int pendingLeft; // program files that go only at the next restart
    int failed;      // a program file that can go neither now nor at the next restart
    int inUseCount;  // program files that could not be deleted now
    char inUse[ProgramFileCount][PathBufferSize];
};

static int IsDotEntry(const char* name) {
    return name[0] == '.' && (!name[1] || (name[1] == '.' && !name[2]));
}

int MoveAsideForDeletion(const char* folder, const char* path) {
    char aside[MAX_PATH];
    if (!GetTempFileNameA(folder, "~TW", 0, aside))
        return 0;
    if (MoveFileExA(path, aside, MOVEFILE_REPLACE_EXISTING))
        return MoveFileExA(aside, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    DeleteFileA(aside);
    return 0;
}

// A file in use is moved aside first: scheduled by its own name, it would
// take with it a file a later installation puts there meanwhile. Only a
// file that cannot be renamed either is scheduled by its own name.
static int ScheduleDeletion(const char* folder, const char* path) {
    return MoveAsideForDeletion(folder, path) ||
           MoveFileExA(path, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}

// The hook library stays mapped in every process the hook reached until the
// system unloads it there, so it may refuse to go now; it then goes at the
// next restart, once the search is over (a file renamed during it could be
// found again under its new name).
static void DeleteIfProgramFile(const char* folder, const WIN32_FIND_DATAA* entry,
                                const ProgramFileNames* list, FolderClearing* clearing) {
    if (IsDotEntry(entry->cFileName))
        return;
    char path[PathBufferSize];
    if ((entry->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || entry->cFileName[0] == '.' ||
        !IsProgramFile(entry->cFileName, list->names, ProgramFileCount) ||
        !JoinPath(path, sizeof path, folder, entry->cFileName)) {
        clearing->othersLeft = 1;
        return;
    }
    // A link of the program's name is left, and said to be left: what it
    // stands for is not the program's.
    if (entry->dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        clearing->othersLeft = clearing->failed = 1;
        return;
    }
    if (DeleteFileA(path))
        return;
    if (clearing->inUseCount < ProgramFileCount)
        FormatBounded(clearing->inUse[clearing->inUseCount++], PathBufferSize, "%s", path);
    else
        clearing->othersLeft = clearing->failed = 1;
}

// The folders from the drive down, each held open without delete sharing
// before it is looked at, so that none can be renamed and replaced by a link
// while the folder is cleared.
enum { PathLinked = 0, PathClear = 1, PathMissing = 2 };
struct HeldPath {
    HANDLE folders[PathBufferSize]; // one a backslash, at most

    int count;
};

// PathClear when neither the folder nor one above it is a link (a junction,
// a symbolic link, a mount point): one may belong to a user who pointed it
// at any folder. PathMissing when one is not there: nothing below it is to
// be cleared, nor looked for, as it may be made a link meanwhile.
static int HoldPathWithoutLinks(const char* folder, HeldPath* held) {
    char part[PathBufferSize];
    held->count = 0;
    // Only a path from a drive is looked at, from the drive's first folder on.
    if (folder[1] != ':' || folder[2] != '\\' || !FormatBounded(part, sizeof part, "%s", folder))
        return PathLinked;
    for (int end = 3;; end++) {
        char at = part[end];
        if (at && at != '\\')
            continue;
        part[end] = '\0';
        HANDLE opened = CreateFileA(part, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        // One that cannot even be seen is not there.
        if (opened == INVALID_HANDLE_VALUE)
            return GetFileAttributesA(part) == INVALID_FILE_ATTRIBUTES ? PathMissing : PathLinked;
        held->folders[held->count++] = opened;
        DWORD attributes = GetFileAttributesA(part);
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
            return PathLinked;
        if (!at)
            return PathClear;
        part[end] = at;
    }
}

static void LetGo(HeldPath* held) {
    while (held->count > 0)
        CloseHandle(held->folders[--held->count]);
}

static void ClearFolder(const char* folder, FolderClearing* clearing) {
    char pattern[PathBufferSize];
    ProgramFileNames list;
    ListProgramFiles(&list);
    WIN32_FIND_DATAA entry;
    HANDLE search = JoinPath(pattern, sizeof pattern, folder, "*.*")
                        ? FindFirstFileA(pattern, &entry)
                        : INVALID_HANDLE_VALUE;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            DeleteIfProgramFile(folder, &entry, &list, clearing);
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    for (int i = 0; i < clearing->inUseCount; i++) {
        if (ScheduleDeletion(folder, clearing->inUse[i]))
            clearing->pendingLeft = 1;
        else
            clearing->othersLeft = clearing->failed = 1;
    }
}

// Anything else in the folder is the user's and stays, and the folder with it.
int DeleteFolderFiles(const char* folder) {
    if (!folder || !folder[0])
        return 0;
    HeldPath held;
    int path = HoldPathWithoutLinks(folder, &held);
    FolderClearing clearing = {};
    if (path == PathClear) {
        ClearFolder(folder, &clearing);
        // Held, the folder could not be removed; the ones above it stay held.
        CloseHandle(held.folders[--held.count]);
        // Removed only when nothing is left in it; when only files that go at
        // the next restart are left, the folder follows them then.
        if (!RemoveDirectoryA(folder) && clearing.pendingLeft && !clearing.othersLeft)
            MoveFileExA(folder, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    }
    LetGo(&held);
    return path == PathClear ? !clearing.failed : path == PathMissing;
}
