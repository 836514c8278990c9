#pragma once
// Starting a program with the shell's token, the user's own. Win32.

#include <windows.h>

// Starts file through the shell, so that it runs with the shell's token,
// the user's own; 1 when the shell took it.
int StartThroughShell(const char* file, const char* parameters);
