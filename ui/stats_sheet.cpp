#include "ui.h"

HWND StatsPageWindow;

int ShowStatisticsSheet(HWND) {
    return 0;
}

void RefreshStatistics(int) {}
