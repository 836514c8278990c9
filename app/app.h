#pragma once
// The application shell: process-wide state and the operations other
// subsystems call. Win32.

#include <windows.h>

#include "../res/resource_ids.h"

extern HINSTANCE AppInstance;
extern DWORD StartTick;
extern HICON AppIcon;
extern HICON TrayIconImage;
extern HMENU TrayMenu;
extern HMENU TrayPopup;

extern HWND MainWindow;
extern DWORD SessionSeconds;
extern LONG TerminateConfirmed;

// The text of string id, valid until 16 further calls have been made.
char* LoadResString(int id);

// The full path of the running program file into out (size bytes); 0, with
// out empty, when it cannot be had whole (a cut path names another file).
int GetProgramPath(char* out, int size);

// An entry point of a library loaded at run time, as the type it has; null
// when the library lacks it.
template <typename Proc> Proc LateProc(HMODULE library, const char* name) {
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

int FindRunningCopy();
void LoadTrayResources(HINSTANCE instance);

int RegisterMainClass();
int CreateMainWindow();
void DestroyMainWindow();
LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
int AddTrayIcon(HWND window);
int RemoveTrayIcon();
BOOL ShowTrayMenu(int x, int y);
