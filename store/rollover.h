#pragma once
// Closing the periods that have ended since the stored date. Platform-free.

#include <cstdint>

#include "calendar_time.h"
#include "counter_set.h"

// One period to close: its figure moves to Last, and a line is written when
// the period has a statistics file and the stored date is a real date.
struct RolloverStep {
    int Period;
    int WritesLine;
};

struct RolloverPlan {
    int NewDate; // the stored date is to become today
    int StepCount;
    RolloverStep Steps[4]; // in closing order: day, week, month, year
};

// What today's date asks of a counter set whose stored date may be anything.
// A stored date that is not a real date cannot be placed in a week, so its
// week counts as ended; its day, month and year are compared field by field.
// A stored weekday that is wrong for a date equal to today's is only mended.
// A today that is not a real date with its own weekday asks for nothing.
RolloverPlan PlanRollover(const ClickCounts* set, const CalendarTime* today);

// Receives each finished period's line while the stored date is still the
// finished period's.
typedef void (*StatLineWriter)(int period, int32_t count);

// Moves the figures and writes the lines of a plan, in its order. Each
// figure is taken out in one exchange and that same figure is written, so
// that the line and Last agree whatever the counting thread does meanwhile.
void CloseEndedPeriods(ClickCounts* set, const RolloverPlan* plan, StatLineWriter write);

void SetStoredDate(ClickCounts* set, const CalendarTime* today);
