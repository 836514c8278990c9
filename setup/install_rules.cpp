// Whether a start installs, and where, apart from the platform.
#include "install_rules.h"
#include "../base/path_join.h"

#include "../base/bounded_format.h"

#include <cstring>

static const char DefaultProgramFiles[] = "C:\\Program Files";

// Intended: only the lengths are compared, not the characters. Any file name
// as long as the installed one counts as installed, wherever it lies.
int NeedsInstall(const char* fileName, const char* installedName) {
    if (!fileName || !installedName)
        return 1;
    return strlen(fileName) != strlen(installedName);
}

int ProgramFilesFolder(char* out, int size, const char* stored) {
    const char* folder = stored && stored[0] ? stored : DefaultProgramFiles;
    // The backslash is left out before the fit is judged: a folder that fits
    // only without it still fits.
    int length = static_cast<int>(strlen(folder));
    if (folder[length - 1] == '\\')
        length--;
    return FormatBounded(out, size, "%.*s", length, folder);
}
