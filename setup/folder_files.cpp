#include "setup.h"
#include "path_join.h"
#include "uninstall_rules.h"
#include "../app/app.h"
#include "../app/bounded_format.h"

enum { ProgramFileCount = 6 };

struct ProgramFileNames {
    char text[ProgramFileCount][PathBufferSize];
    const char* names[ProgramFileCount];
};

static const int StatisticsNameIds[3] = {IDS_DAY, IDS_MONTH, IDS_YEAR};

// The program copy, the hook library, the readme and the statistics files:
// all the program itself puts into its folder.
static void ListProgramFiles(ProgramFileNames* list) {
    lstrcpynA(list->text[0], LoadResString(IDS_INSTALLED_NAME), PathBufferSize);
    lstrcpynA(list->text[1], LoadResString(IDS_LIBRARY_NAME), PathBufferSize);
    lstrcpynA(list->text[2], LoadResString(IDS_README_NAME), PathBufferSize);
    for (int i = 0; i < 3; i++)
        FormatBounded(list->text[3 + i], PathBufferSize, "%s.txt",
                      LoadResString(StatisticsNameIds[i]));
    for (int i = 0; i < ProgramFileCount; i++)
        list->names[i] = list->text[i];
}

static void DeleteIfProgramFile(const char* folder, const WIN32_FIND_DATAA* entry,
                                const ProgramFileNames* list) {
    if ((entry->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || entry->cFileName[0] == '.')
        return;
    if (!IsProgramFile(entry->cFileName, list->names, ProgramFileCount))
        return;
    char path[PathBufferSize];
    if (JoinPath(path, sizeof path, folder, entry->cFileName))
        DeleteFileA(path);
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
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(pattern, &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            DeleteIfProgramFile(folder, &entry, &list);
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    // Removed only when nothing is left in it.
    RemoveDirectoryA(folder);
    return 1;
}
