#pragma once
// Click capture: the hook library's entry points, the click event and the
// counting thread. Win32.

#include "../hooklib/hook_library.h"

#include <cstdint>

extern HMODULE HookLibrary;
// The loaded library's two entry points, found by their export names.
extern TallywhirlInitProc LoadedTallywhirlInit;
extern TallywhirlResetProc LoadedTallywhirlReset;
extern HANDLE ClickEvent;
extern uint32_t ClicksSinceStart; // written by the counting thread only

int LoadHookLibrary();

// Told of each click, on the counting thread, once it is in every count.
typedef void (*ClickListener)();

// Creates the click event, starts the counting thread and installs the hook.
// CaptureFailed when there is no event or no thread, so that nothing could
// ever be counted (the hook is not set then); CaptureUnhooked when only the
// hook could not be set, which the watchdog tries again.
enum { CaptureHooked, CaptureUnhooked, CaptureFailed };
int StartClickCapture(ClickListener listener);

uint32_t ReadClicksSinceStart();
