#pragma once
// The one process-wide set of click counts. Platform-free.
//
// Current and Last are shared between the counting thread (which adds one
// click to every running count) and the main thread (which reads, moves,
// clears and saves them), so every access to them goes through the atomic
// helpers below; a click is never lost to a race between the two.

#include <cstdint>

enum {
    PeriodSession = 0,
    PeriodDay = 1,
    PeriodWeek = 2,
    PeriodMonth = 3,
    PeriodYear = 4,
    PeriodTotal = 5,
    PeriodCount = 6,     // periods with a Current figure
    PeriodsWithLast = 5, // periods with a Last figure (Total has none)
};

// The counts of every period, the day they are of and the option: what the
// one CounterSet holds, and what the rollover and the tests work on.
struct ClickCounts {
    int32_t Current[PeriodCount];
    int32_t Last[PeriodsWithLast];
    uint32_t DateYear;
    uint32_t DateMonth;
    uint32_t DateWeek; // weekday, 0 = Sunday
    uint32_t DateDay;
    uint32_t OptionAutostart;
};

extern ClickCounts CounterSet;

// String ids of the names of periods Session to Year, in period order.
extern const int PeriodNameIds[PeriodsWithLast];

int32_t ReadCount(const int32_t* count);
void WriteCount(int32_t* count, int32_t value);

// The counting thread's one step: one click more in all six running counts.
void AddClickToAll(ClickCounts* set);

// Moves a finished period's figure to Last and clears Current, as one
// exchange, so that a click arriving meanwhile lands in the new period.
// Returns the figure moved.
int32_t MoveToLast(ClickCounts* set, int period);

// The sheet's commands. A new session: Last[Session] takes Current[Session],
// which becomes 0, in one exchange.
void BeginNewSession(ClickCounts* set);

// Current[period] and, for Session to Year, Last[period] become 0.
void ResetCounter(ClickCounts* set, int period);

// Every Current and every Last count becomes 0.
void ResetAllCounters(ClickCounts* set);
