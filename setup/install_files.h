#pragma once
// The installation's paths and the files it writes. Win32.

#include "../base/path_join.h"
#include <windows.h>

// Every path and command line of an installation.
struct InstallLayout {
    char programFiles[PathBufferSize];
    char installFolder[PathBufferSize];
    char windowsFolder[PathBufferSize];
    char program[PathBufferSize];
    char library[PathBufferSize];
    char readme[PathBufferSize];
    char uninstaller[PathBufferSize];
    char uninstallCommand[CommandLineSize];
    char startCommand[CommandLineSize];
};

// Forms every path of the installation; 0 when one does not fit. Nothing is
// changed on the system.
int PlanInstallation(InstallLayout* layout);

// The program file, read whole into bytes (size of them) and held open
// without write or delete sharing until released. 0 when it cannot be read;
// release it either way.
struct ProgramCopy {
    HANDLE file;
    HLOCAL bytes;
    DWORD size;
};
int ReadProgramFile(const char* path, ProgramCopy* copy);
void ReleaseProgramFile(ProgramCopy* copy);

// Writes the program's files as planned, the program and uninstaller copies
// from copy. The program file is written under a name of its own and put in
// place only when whole, so a failure leaves an installed program as it
// was; folders this call made go again on failure. *complete is 0 when the
// program file was written but another was not.
int InstallFiles(const InstallLayout* layout, const ProgramCopy* copy, int* complete);
