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

// 1 from the sheet's opening until it has closed.
int StatisticsSheetOpen();

// Runs the sheet modally, owned by owner, which is shown minimised
// meanwhile; returns at once while the sheet is open already.
int ShowStatisticsSheet(HWND owner);

// Redraws every cell of the statistics page and the history page's running
// bars, on the main thread; nothing while the page does not exist.
void RefreshStatistics();

// Redraws the clock cell only.
void RefreshClock();
