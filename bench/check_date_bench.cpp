// The rollover check's cost: the path of almost every timer tick (the local
// clock read and the comparison with the stored date) and a rollover's plan.
#include <windows.h>

#include <cstdio>

#include "store/rollover.h"

static double Seconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

static CalendarTime LocalNow() {
    SYSTEMTIME s;
    GetLocalTime(&s);
    return {s.wYear, s.wMonth,  s.wDayOfWeek, s.wDay,
            s.wHour, s.wMinute, s.wSecond,    s.wMilliseconds};
}

int main() {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    ClickCounts set = {};
    CalendarTime now = LocalNow();
    SetStoredDate(&set, &now);

    const int Calls = 1000000;
    int changed = 0;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < Calls; i++) {
        CalendarTime today = LocalNow();
        changed += PlanRollover(&set, &today).NewDate;
    }
    QueryPerformanceCounter(&end);
    printf("| rollover check on an unchanged date (clock read and comparison) | %.0f ns a call "
           "(%d of %d changed) | well below 1 ms, once a second |\n",
           Seconds(start, end, frequency) * 1e9 / Calls, changed, Calls);

    const int Plans = 100000;
    CalendarTime thursday = {2002, 3, 4, 14, 12, 0, 0, 0};
    CalendarTime monday = {2002, 5, 1, 20, 12, 0, 0, 0};
    int steps = 0;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < Plans; i++) {
        SetStoredDate(&set, &thursday);
        steps += PlanRollover(&set, &monday).StepCount;
    }
    QueryPerformanceCounter(&end);
    printf("| rollover plan across a week and a month boundary | %.0f ns a plan (%d steps) | "
           "no target: runs once a day |\n",
           Seconds(start, end, frequency) * 1e9 / Plans, steps / Plans);
    return 0;
}
