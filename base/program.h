#pragma once
// The running program as every part of it sees it: its instance and string
// table, its own file, its message box, the entry points it finds at run
// time, and the class name by which its copies find each other. Win32.

#include <windows.h>

#include "../res/resource_ids.h"

// The program's instance handle, stored by the entry point before anything else.
extern HINSTANCE AppInstance;

// The window class that marks a running copy of the program.
inline constexpr char MainClassName[] = "Larkspoon-Tallywhirl";

// The main window of a running copy of the program, the first found; null
// when none runs. Any process of the user's may own a window of the class.
inline HWND FindRunningCopy() {
    return FindWindowExA(nullptr, nullptr, MainClassName, nullptr);
}

// The text of string id, valid until 16 further calls have been made.
char* LoadResString(int id);

// The full path of the running program file into out (size bytes); 0, with
// out empty, when it cannot be had whole (a cut path names another file).
int GetProgramPath(char* out, int size);

// A message box of string textId captioned with the application title,
// string 1; the button it was closed with (0 when it could not be shown).
int ShowMessage(HWND owner, int textId, UINT flags);

// An entry point of a library loaded at run time, as the type it has; null
// when the library lacks it.
template <typename Proc> Proc LateProc(HMODULE library, const char* name) {
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}
