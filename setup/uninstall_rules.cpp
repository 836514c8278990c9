// Which folders an uninstallation may clear, and which files in them are
// the program's, apart from the platform.
#include "uninstall_rules.h"

#include <cstring>

// Intended: a recorded folder of 8 characters or fewer is never cleared: an
// empty value, a drive root or a very short name is no program folder.
int FolderWorthClearing(const char* folder) {
    return folder && strlen(folder) > 8;
}

static char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

static int SameFileName(const char* a, const char* b) {
    for (; *a && *b; a++, b++) {
        if (LowerAscii(*a) != LowerAscii(*b))
            return 0;
    }
    return *a == *b;
}

int IsProgramFile(const char* name, const char* const* names, int count) {
    if (!name || !names || !name[0])
        return 0;
    for (int i = 0; i < count; i++) {
        if (names[i] && names[i][0] && SameFileName(name, names[i]))
            return 1;
    }
    return 0;
}
