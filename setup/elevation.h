#pragma once
// Elevation: the installation and the uninstallation run in an elevated copy
// of the program file, which reports to the copy that waits for it. Win32.

#include <windows.h>

// The installation and the uninstallation write where only an
// administrator may; a process without elevation runs an elevated copy of
// itself for them and waits for it to end. This process is that copy.
int StartedByWaitingCopy();
// Neither elevated nor the elevated copy of a waiting one.
int NeedsElevatedCopy();
// 1 when the elevated copy ran and ended, with its exit code; 0 when the
// user declined the prompt (ERROR_CANCELLED) or it could not be asked, and
// nothing was changed either way.
int RunElevatedAndWait(const char* file, const char* parameters, DWORD* exitCode);

// What an installation or an uninstallation run elevated for the unelevated
// copy that waits for it leaves that copy to do, as its exit code: what
// needs the user's own token (a tray copy started by the elevated process
// would run elevated; the user's virtual store is the user's, and the
// elevated process may run as another user).
enum {
    ReportNothing = 0,
    ReportStartInstalled = 1,
    ReportRestartClosed = 2,
    ReportRemoved = 3,
    ReportRemovedIncomplete = 4
};
