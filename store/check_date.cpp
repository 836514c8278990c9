#include <windows.h>

#include "check_date.h"
#include "counters.h"
#include "rollover.h"
#include "stat_file.h"
#include "../ui/ui.h"

static_assert(sizeof(CalendarTime) == sizeof(SYSTEMTIME), "the platform's date-time layout");

void ReadLocalTime(CalendarTime* now) {
    SYSTEMTIME local;
    GetLocalTime(&local);
    *now = {local.wYear, local.wMonth,  local.wDayOfWeek, local.wDay,
            local.wHour, local.wMinute, local.wSecond,    local.wMilliseconds};
}

void CheckDateOn(const CalendarTime* today) {
    RolloverPlan plan = PlanRollover(&CounterSet, today);
    if (!plan.NewDate)
        return;
    CloseEndedPeriods(&CounterSet, &plan, AppendStatLine);
    SetStoredDate(&CounterSet, today);
    // After the new date, so that the history page reads its files again.
    if (CurrentStatsPage())
        RefreshStatistics(0);
    SaveCounters();
}

void CheckDate() {
    CalendarTime today;
    ReadLocalTime(&today);
    CheckDateOn(&today);
}
