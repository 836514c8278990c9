// The rollover with arbitrary stored and current dates and counts, and the
// statistics lines it writes.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "store/calendar_time.h"
#include "store/rollover.h"
#include "store/stat_lines.h"

static int LinesWritten;

static void CheckLine(int period, int32_t count) {
    char line[StatBufferSize];
    // Any figure fits a line; a period without a file never gets one.
    if (FormatStatLine(line, sizeof line, period, 30827, 12, 31, count) != HasStatFile(period))
        abort();
    if (strlen(line) >= sizeof line)
        abort();
    LinesWritten++;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CounterSetFields set = {};
    CalendarTime today = {};
    if (size < sizeof set + sizeof today)
        return 0;
    memcpy(&set, data, sizeof set);
    memcpy(&today, data + sizeof set, sizeof today);
    CounterSetFields before = set;

    RolloverPlan plan = PlanRollover(&set, &today);
    if (plan.StepCount < 0 || plan.StepCount > 4)
        abort();
    LinesWritten = 0;
    CloseEndedPeriods(&set, &plan, CheckLine);
    for (int i = 0; i < plan.StepCount; i++) {
        int period = plan.Steps[i].Period;
        if (period < 0 || period >= LastCount)
            abort();
        if (set.Current[period] != 0 || set.Last[period] != before.Current[period])
            abort();
    }
    if (plan.NewDate) {
        SetStoredDate(&set, &today);
        // Once the stored date is today, the same day asks for nothing more.
        RolloverPlan again = PlanRollover(&set, &today);
        if (again.StepCount != 0 || again.NewDate)
            abort();
    }

    int32_t seconds;
    if (size >= sizeof set + sizeof today + sizeof seconds) {
        memcpy(&seconds, data + sizeof set + sizeof today, sizeof seconds);
        CalendarTime moved = today;
        if (AddSeconds(&moved, seconds) && !IsCalendarDate(moved.Year, moved.Month, moved.Day))
            abort();
    }
    return 0;
}
