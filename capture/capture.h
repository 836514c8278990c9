#pragma once
// Click capture: the hook library's entry points, the click event and the
// counting thread. Win32.

#include <windows.h>

#include <cstdint>

typedef BOOL(WINAPI* TallywhirlInitProc)(HMODULE module); // TRUE: hook set
typedef void(WINAPI* TallywhirlResetProc)();

extern HMODULE HookLibrary;
extern TallywhirlInitProc TallywhirlInit;
extern TallywhirlResetProc TallywhirlReset;
extern HANDLE ClickEvent;
extern uint32_t ClicksSinceStart; // written by the counting thread only

int LoadHookLibrary();

// Creates the click event, starts the counting thread and installs the hook.
// Returns 1 when the hook was set.
int StartClickCapture();

uint32_t ReadClicksSinceStart();

// Posted by the counting thread to the main window when the statistics page
// is to be redrawn: a click never waits for the window's thread.
enum { WM_CLICKREFRESH = WM_APP + 2 };

// The main window's answer to WM_CLICKREFRESH: takes the pending request
// and redraws the page once for all the clicks it covers.
void RefreshAfterClicks();
