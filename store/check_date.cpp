// The rollover as the program runs it: the local clock read once a tick and
// the rollover's rules applied to the counter set and the statistics files.
#include <windows.h>

#include "check_date.h"
#include "counters.h"
#include "rollover.h"
#include "stat_file.h"

static_assert(sizeof(CalendarTime) == sizeof(SYSTEMTIME), "the platform's date-time layout");

// The rollover's only reading of the clock.
static void ReadLocalTime(CalendarTime* now) {
    SYSTEMTIME local;
    GetLocalTime(&local);
    *now = {local.wYear, local.wMonth,  local.wDayOfWeek, local.wDay,
            local.wHour, local.wMinute, local.wSecond,    local.wMilliseconds};
}

static void CheckDateOn(const CalendarTime* today, CountsMoved moved) {
    RolloverPlan plan = PlanRollover(&CounterSet, today);
    if (!plan.NewDate)
        return;
    CloseEndedPeriods(&CounterSet, &plan, AppendStatLine);
    SetStoredDate(&CounterSet, today);
    // After the new date, so that a history page reads its files again.
    if (moved)
        moved();
    SaveCounters();
}

void CheckDate(CountsMoved moved) {
    CalendarTime today;
    ReadLocalTime(&today);
    CheckDateOn(&today, moved);
}
