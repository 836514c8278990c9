#pragma once
// The installation as the entry point starts it. Win32.

#include <windows.h>

// Installation: nonzero when this process installed (or tried to, or could
// not tell) and ends, with *exitCode as its exit code. commandLine is what
// follows the program's name, for an elevated copy of this process.
int InstallIfNeeded(const char* commandLine, int* exitCode);
