#pragma once
// What the hook library Tallywhirl.dll and the program that loads it share:
// the named event the hook signals and the types of the two exports. Win32.

#include <windows.h>

// The named auto-reset event the hook signals once per press or
// double-click; the program creates it, every hooked process opens it. A
// literal, so that the library can keep it in its own writable data.
#define CLICK_EVENT_NAME "TallywhirlEvent"

typedef BOOL(WINAPI* TallywhirlInitProc)(HMODULE module); // TRUE: hook set
typedef void(WINAPI* TallywhirlResetProc)();
