// The rollover with arbitrary stored and current dates and counts, and the
// statistics lines it writes.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "store/calendar_time.h"
#include "store/rollover.h"
#include "store/stat_lines.h"

static void Require(bool holds) {
    if (!holds)
        abort();
}

// Any figure fits a line, and only a period with a file is given one.
static void CheckLine(int period, int32_t count) {
    char line[StatBufferSize];
    Require(HasStatFile(period) && FormatStatLine(line, sizeof line, period, 30827, 12, 31, count));
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CounterSetFields set;
    CalendarTime today;
    int32_t seconds = 0;
    if (size < sizeof set + sizeof today)
        return 0;
    memcpy(&set, data, sizeof set);
    memcpy(&today, data + sizeof set, sizeof today);
    if (size >= sizeof set + sizeof today + sizeof seconds)
        memcpy(&seconds, data + sizeof set + sizeof today, sizeof seconds);
    const CounterSetFields before = set;

    RolloverPlan plan = PlanRollover(&set, &today);
    Require(plan.StepCount >= 0 && plan.StepCount <= 4 && (plan.NewDate || !plan.StepCount));
    CloseEndedPeriods(&set, &plan, CheckLine);
    for (int i = 0; i < plan.StepCount; i++) {
        int p = plan.Steps[i].Period;
        Require(p >= PeriodDay && p <= PeriodYear && (i == 0 || p > plan.Steps[i - 1].Period));
        Require(set.Current[p] == 0 && set.Last[p] == before.Current[p]);
    }
    if (plan.NewDate) {
        // Once the stored date is today, the same day asks for nothing more.
        SetStoredDate(&set, &today);
        RolloverPlan again = PlanRollover(&set, &today);
        Require(again.StepCount == 0 && !again.NewDate);
    }
    CalendarTime moved = today;
    if (AddSeconds(&moved, seconds))
        Require(WeekdayOf(moved.Year, moved.Month, moved.Day) == moved.DayOfWeek);
    else
        Require(memcmp(&moved, &today, sizeof today) == 0);
    return 0;
}
