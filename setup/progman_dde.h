#pragma once
// The conversation with the shell's Program Manager service. Win32.

#include <windows.h>

// One conversation at a time: opened, its commands, ended.
int OpenProgmanConversation();
int ProgmanExecute(const char* format, const char* a1, const char* a2, const char* a3);
void EndProgmanConversation();
