// The paths and command lines the installation writes and the program
// records, each formed whole within its buffer or not at all.
#include "path_join.h"

#include "bounded_format.h"

#include <cstring>

int JoinPath(char* out, int size, const char* folder, const char* name) {
    if (!folder || !name)
        return RefuseText(out, size);
    return FormatBounded(out, size, "%s\\%s", folder, name);
}

int PathNeedsQuotes(const char* path) {
    return memchr(path, ' ', strlen(path)) != nullptr;
}

int QuoteIfBlank(char* out, int size, const char* path) {
    if (!path)
        return RefuseText(out, size);
    return FormatBounded(out, size, PathNeedsQuotes(path) ? "\"%s\"" : "%s", path);
}

int JoinCommand(char* out, int size, const char* path, const char* switchText) {
    if (!switchText || !QuoteIfBlank(out, size, path))
        return RefuseText(out, size);
    int length = static_cast<int>(strlen(out));
    return FormatBounded(out + length, size - length, " %s", switchText) ? 1
                                                                         : RefuseText(out, size);
}

void DropTrailingBackslash(char* path) {
    if (!path)
        return;
    size_t length = strlen(path);
    if (length > 0 && path[length - 1] == '\\')
        path[length - 1] = '\0';
}

const char* FileNamePart(const char* path) {
    if (!path)
        return "";
    for (size_t i = strlen(path); i-- > 1;) {
        if (path[i] == '\\')
            return path + i + 1;
    }
    return "";
}

int ParentFolder(char* out, int size, const char* path) {
    if (!out || size <= 0 || !path)
        return 0;
    size_t length = strlen(path);
    while (length > 0 && path[length - 1] != '\\')
        length--;
    length = length > 0 ? length - 1 : 0;
    if (length >= static_cast<size_t>(size))
        return RefuseText(out, size);
    memcpy(out, path, length);
    out[length] = '\0';
    return 1;
}
