#pragma once
// The statistics sheet. Win32.

#include <windows.h>

#include <cstdint>

#include "../store/counter_set.h"

// The statistics page's window while it exists, else null; read by the
// counting thread, written by the main thread only.
extern HWND StatsPageWindow;

// StatsPageWindow read atomically, as the main thread writes it.
HWND CurrentStatsPage();

// The percentage change of Session to Year as of the last full refresh;
// the Difference column's colours follow it.
extern int64_t PercentChange[LastCount];

int ShowStatisticsSheet(HWND owner);
void RefreshStatistics(int timeOnly);
