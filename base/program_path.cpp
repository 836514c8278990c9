// The program file's own path, which the installation copies and every
// start records: read whole or not at all.
#include "program.h"
#include "module_path.h"
#include "bounded_format.h"

// Read as the platform holds it and turned into the program's 8-bit text: a
// path with a character the code page lacks would come back with a question
// mark in its place, and name no file.
int GetProgramPath(char* out, int size) {
    enum { WideSize = 512 };
    WCHAR wide[WideSize];
    BOOL lossy = FALSE;
    out[0] = '\0';
    int read =
        ModulePathComplete(GetModuleFileNameW(AppInstance, wide, WideSize), WideSize) &&
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, -1, out, size, nullptr, &lossy) > 0;
    return read && !lossy ? 1 : RefuseText(out, size);
}
