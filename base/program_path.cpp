#include "program.h"
#include "module_path.h"

int GetProgramPath(char* out, int size) {
    out[0] = '\0';
    DWORD length = GetModuleFileNameA(AppInstance, out, size);
    if (!ModulePathComplete(length, size)) {
        out[0] = '\0';
        return 0;
    }
    return 1;
}
