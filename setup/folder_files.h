#pragma once
// Clearing a folder of the program's files, and nothing else. Win32.

#include <windows.h>

// The program's files of a folder, and the folder when nothing else is left
// in it; 0 when one of them can go neither now nor at the next restart, or
// is a link, or the folder or one above it is a link: a link is left alone.
int DeleteFolderFiles(const char* folder);
// Renames a file in use to a name of its own in folder, to be deleted at the
// next restart; 0 when it cannot be renamed.
int MoveAsideForDeletion(const char* folder, const char* path);
