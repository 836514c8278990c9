#pragma once
// The uninstallation as the entry point starts it. Win32.

#include <windows.h>

// Uninstallation; the process's exit code: what an elevated copy leaves
// the copy that waits for it to do.
int Uninstall(const char* commandLine);
