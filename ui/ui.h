#pragma once
// The statistics sheet. Win32.

#include <windows.h>

// The statistics page's window while it exists, else null; read by the
// counting thread, written by the main thread only.
extern HWND StatsPageWindow;

int ShowStatisticsSheet(HWND owner);
void RefreshStatistics(int timeOnly);
