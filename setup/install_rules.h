#pragma once
// When a start installs, and where the installation goes. Platform-free.

// A program file name of another length than the installed name installs;
// the characters themselves are not compared.
int NeedsInstall(const char* fileName, const char* installedName);

// The Program Files folder from the stored "ProgramFilesDir" text: the
// default when it is empty or missing, without a backslash at its end.
// 0 when it does not fit into out.
int ProgramFilesFolder(char* out, int size, const char* stored);
