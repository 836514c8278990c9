#pragma once
// What the new-session and reset commands do to the counter set.
// Platform-free.

#include "../store/counter_set.h"

// Last[Session] takes Current[Session], which becomes 0, in one exchange.
void BeginNewSession(CounterSetFields* set);

// Current[period] and, for Session to Year, Last[period] become 0.
void ResetCounter(CounterSetFields* set, int period);

// Every Current and every Last count becomes 0.
void ResetAllCounters(CounterSetFields* set);

// The period that an options page command resets, or -1 for a command that
// resets no single counter.
int PeriodOfResetCommand(int commandId);
