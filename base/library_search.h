#pragma once
// Where the libraries the program loads at run time come from: the system's
// from the system folder, its own from beside the program file, never from
// the folder it was started from or downloaded to. Win32.

#include <windows.h>

// Called at the program's first instruction: from then on a library asked
// for by its bare name (the program's own calls and the system's on its
// behalf) is looked for in the system folder only.
void LimitLibrarySearch();

// The system library of file name name, from the system folder only (by its
// bare name once the search is limited, else by its full path); null when
// it cannot be loaded or the path does not fit.
HMODULE LoadSystemLibrary(const char* name);

// The library of file name name beside the program file, by its full path;
// null as LoadSystemLibrary.
HMODULE LoadProgramLibrary(const char* name);
