#include "setup.h"
#include "path_join.h"
#include "uninstall_rules.h"
#include "../base/program.h"
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
    if ((entry->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || entry->cFileName[0] == '.' ||
        !IsProgramFile(entry->cFileName, list->names, ProgramFileCount)) {
        clearing->othersLeft = 1;
        return;
    }
    char path[PathBufferSize];
    if (!JoinPath(path, sizeof path, folder, entry->cFileName)) {
        clearing->othersLeft = 1;
        return;
    }
    if (DeleteFileA(path))
        return;
    if (clearing->inUseCount < ProgramFileCount)
        FormatBounded(clearing->inUse[clearing->inUseCount++], PathBufferSize, "%s", path);
    else
        clearing->othersLeft = clearing->failed = 1;
}

// Anything else in the folder is the user's and stays, and the folder with it.
int DeleteFolderFiles(const char* folder) {
    if (!folder || !folder[0])
        return 0;
    char pattern[PathBufferSize];
    if (!JoinPath(pattern, sizeof pattern, folder, "*.*"))
        return 0;
    ProgramFileNames list;
    ListProgramFiles(&list);
    FolderClearing clearing = {};
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(pattern, &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            DeleteIfProgramFile(folder, &entry, &list, &clearing);
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    for (int i = 0; i < clearing.inUseCount; i++) {
        if (ScheduleDeletion(folder, clearing.inUse[i]))
            clearing.pendingLeft = 1;
        else
            clearing.othersLeft = clearing.failed = 1;
    }
    // Removed only when nothing is left in it; when only files that go at the
    // next restart are left, the folder follows them then.
    if (!RemoveDirectoryA(folder) && clearing.pendingLeft && !clearing.othersLeft)
        MoveFileExA(folder, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    return !clearing.failed;
}
