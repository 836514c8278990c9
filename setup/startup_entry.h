#pragma once
// The start-up entry: the Run value that starts the program with Windows. Win32.

#include <windows.h>

// Deletes the Run value; 1 when it is gone.
int DeleteStartupEntry();
// 1 when the Run value holds a start command.
int StartupEntryPresent();
// How a change of the start-up entry ended; StartupChanged is the exit code
// of the elevated copy that made it.
enum { StartupRefused = 0, StartupChanged = 1, StartupDeclined = 2 };
// Writes (the own entry) or deletes the entry; what the elevated copy
// started with an autostart switch does.
int SetStartupEntry(int on);
// The same through an elevated copy of this program file, waited for.
int ChangeStartupEntryElevated(int on);
// As OptionAutostart says; a missing option is stored as on.
int ApplyStoredAutostart(const char* startCommand);
