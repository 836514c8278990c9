// Which periods a change of date has ended and the figures they leave,
// apart from the platform's clock and files.
#include "rollover.h"
#include "stat_lines.h"

static int StoredDateIsReal(const ClickCounts* set) {
    return IsCalendarDate(set->DateYear, set->DateMonth, set->DateDay);
}

// The Monday and the Sunday of the stored date's week, from its stored
// weekday; 0 when the stored date cannot be placed in a week.
static int StoredWeekBounds(const ClickCounts* set, CalendarTime* monday, CalendarTime* sunday) {
    if (!StoredDateIsReal(set) || set->DateWeek > 6)
        return 0;
    int32_t weekday = static_cast<int32_t>(set->DateWeek);
    CalendarTime noon = {static_cast<uint16_t>(set->DateYear),
                         static_cast<uint16_t>(set->DateMonth),
                         static_cast<uint16_t>(weekday),
                         static_cast<uint16_t>(set->DateDay),
                         12,
                         0,
                         0,
                         0};
    *monday = noon;
    *sunday = noon;
    if (weekday == 0)
        return AddSeconds(monday, -6 * SecondsPerDay);
    return AddSeconds(monday, (1 - weekday) * SecondsPerDay) &&
           AddSeconds(sunday, (7 - weekday) * SecondsPerDay);
}

static int WeekEnded(const ClickCounts* set, const CalendarTime* today) {
    CalendarTime monday, sunday;
    if (!StoredWeekBounds(set, &monday, &sunday))
        return 1;
    uint32_t day = DateNumber(today);
    return day < DateNumber(&monday) || day > DateNumber(&sunday);
}

static void AddStep(RolloverPlan* plan, int period, int storedDateIsReal) {
    plan->Steps[plan->StepCount++] = {period, storedDateIsReal && HasStatFile(period)};
}

RolloverPlan PlanRollover(const ClickCounts* set, const CalendarTime* today) {
    RolloverPlan plan = {};
    if (WeekdayOf(today->Year, today->Month, today->Day) != today->DayOfWeek)
        return plan;
    int sameYear = set->DateYear == today->Year;
    int sameMonth = sameYear && set->DateMonth == today->Month;
    int sameDay = sameMonth && set->DateDay == today->Day;
    if (sameDay) {
        plan.NewDate = set->DateWeek != today->DayOfWeek;
        return plan;
    }
    plan.NewDate = 1;
    int real = StoredDateIsReal(set);
    AddStep(&plan, PeriodDay, real);
    if (WeekEnded(set, today))
        AddStep(&plan, PeriodWeek, real);
    if (!sameMonth)
        AddStep(&plan, PeriodMonth, real);
    if (!sameYear)
        AddStep(&plan, PeriodYear, real);
    return plan;
}

void CloseEndedPeriods(ClickCounts* set, const RolloverPlan* plan, StatLineWriter write) {
    for (int i = 0; i < plan->StepCount; i++) {
        const RolloverStep* step = &plan->Steps[i];
        int32_t figure = MoveToLast(set, step->Period);
        if (step->WritesLine && write)
            write(step->Period, figure);
    }
}

void SetStoredDate(ClickCounts* set, const CalendarTime* today) {
    set->DateYear = today->Year;
    set->DateWeek = today->DayOfWeek;
    set->DateMonth = today->Month;
    set->DateDay = today->Day;
}
