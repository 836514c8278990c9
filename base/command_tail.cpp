// The command line's tail after the program's name: the program starts at
// its own entry point, without the C runtime that would cut it otherwise.
#include "command_tail.h"

static int IsBlank(char c) {
    return c != '\0' && static_cast<unsigned char>(c) <= ' ';
}

const char* CommandTail(const char* commandLine) {
    const char* p = commandLine;
    if (!p)
        return "";
    if (*p == '"') {
        while (*++p && *p != '"') {
        }
        if (*p == '"')
            p++;
    } else {
        while (*p && !IsBlank(*p))
            p++;
    }
    while (IsBlank(*p))
        p++;
    return p;
}
