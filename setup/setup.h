#pragma once
// Installation and uninstallation. Win32.

int InstallIfNeeded();
int CloseRunningCopy(int wait);
int Uninstall();
