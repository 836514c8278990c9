#pragma once
// What an uninstallation may delete. Platform-free.

// A recorded program folder of 8 characters or fewer (empty, a drive root,
// a very short name) is never cleared.
int FolderWorthClearing(const char* folder);

// Whether a file of the program folder is one the program put there: one of
// count names, compared without regard to ASCII letter case as file names
// are.
int IsProgramFile(const char* name, const char* const* names, int count);
