#pragma once
// Which cell of the statistics page shows which figure. Platform-free.

#include "../store/counter_set.h"

// Current cells, Session to Total; Last and Difference cells, Session to Year.
extern const int CurrentIds[PeriodCount];
extern const int LastIds[PeriodsWithLast];
extern const int DifferenceIds[PeriodsWithLast];
