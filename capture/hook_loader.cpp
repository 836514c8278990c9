// The hook library, loaded from beside the program file, and its two
// entry points.
#include "capture.h"
#include "../base/library_search.h"
#include "../base/program.h"

HMODULE HookLibrary;
TallywhirlInitProc LoadedTallywhirlInit;
TallywhirlResetProc LoadedTallywhirlReset;

// The file name under which installation writes the library beside the
// program; loaded by its full path there, as the search for a bare name no
// longer takes in the program's folder.
static const char HookLibraryName[] = "Tallywhirl.dll";

int LoadHookLibrary() {
    HookLibrary = LoadProgramLibrary(HookLibraryName);
    if (HookLibrary) {
        LoadedTallywhirlInit = LateProc<TallywhirlInitProc>(HookLibrary, "TallywhirlInit");
        LoadedTallywhirlReset = LateProc<TallywhirlResetProc>(HookLibrary, "TallywhirlReset");
        if (LoadedTallywhirlInit && LoadedTallywhirlReset)
            return 1;
    }
    ShowMessage(nullptr, IDS_LIBRARY_FAILED, MB_OK | MB_ICONHAND);
    return 0;
}
