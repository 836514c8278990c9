#include "app.h"
#include "../base/command_tail.h"

// The program's entry point, in place of the C runtime's start-up: the
// program has no static constructors, no thread-local data and nothing to run
// at exit, and the C library it calls is the system's msvcrt, which sets
// itself up. The platform calls an entry point with a stack aligned to 4
// bytes only.
extern "C" __attribute__((force_align_arg_pointer)) void WINAPI TallywhirlStart() {
    LPSTR tail = const_cast<LPSTR>(CommandTail(GetCommandLineA()));
    ExitProcess(WinMain(GetModuleHandleA(nullptr), nullptr, tail, SW_SHOWDEFAULT));
}
