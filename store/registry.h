#pragma once
// Registry operations: each returns 1 on success and 0 on failure. Win32.

#include <windows.h>

int WriteRegValue(HKEY root, const char* subKey, const char* name, DWORD type, const void* data,
                  int size);
int ReadRegValue(HKEY root, const char* subKey, const char* name, DWORD type, void* data, int size);
int DeleteRegValue(HKEY root, const char* subKey, const char* name);
int DeleteRegKey(HKEY root, const char* subKey);

// The same, in the product key "Software\Larkspoon Software\Tallywhirl" under
// HKEY_LOCAL_MACHINE.
int WriteProductValue(const char* name, DWORD type, const void* data, int size);
int ReadProductValue(const char* name, DWORD type, void* data, int size);

#define RUN_KEY "Software\\Microsoft\\Windows\\CurrentVersion\\Run"
#define RUN_VALUE "Tallywhirl"
