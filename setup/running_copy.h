#pragma once
// The running copy of the program: found, closed, and its program file. Win32.

#include <windows.h>

// Closes every running copy, if any, until its process has ended. The first
// one's program file's path goes into runningPath (size bytes, may be null),
// the empty text when it cannot be had. 1 when a copy was running and has
// ended; CopyNotClosed when one did not end within a bound; 0 when none was
// running.
enum { CopyNotClosed = -1 };
int CloseRunningCopy(char* runningPath, int size);

// The running copy's program file, without closing it; 0 when none runs or
// its path cannot be had.
int RunningCopyPath(char* out, int size);

// A process's program file; 0, with out empty, when it cannot be had.
int ProcessImagePath(HANDLE process, char* out, int size);
