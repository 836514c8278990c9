// The program's entry point, which sets up what the C runtime would have
// and nothing more.
#include "app.h"
#include "../base/command_tail.h"
#include "../base/library_search.h"

// The program's entry point, in place of the C runtime's start-up: the
// program has no static constructors, no thread-local data and nothing to run
// at exit, and the C library it calls is the system's msvcrt, which sets
// itself up. The platform calls an entry point with a stack aligned to 4
// bytes only. Nothing may load a library before the search is limited.
extern "C" __attribute__((force_align_arg_pointer)) void WINAPI TallywhirlStart() {
    LimitLibrarySearch();
    LPSTR tail = const_cast<LPSTR>(CommandTail(GetCommandLineA()));
    ExitProcess(WinMain(GetModuleHandleA(nullptr), nullptr, tail, SW_SHOWDEFAULT));
}
