// The one set of counts the counting thread adds to and the main thread
// reads, moves and clears, each count read and written whole.
#include "counter_set.h"

#include <atomic>

#include "../res/resource_ids.h"

ClickCounts CounterSet;

const int PeriodNameIds[PeriodsWithLast] = {IDS_SESSION, IDS_DAY, IDS_WEEK, IDS_MONTH, IDS_YEAR};

int32_t ReadCount(const int32_t* count) {
    return std::atomic_ref<int32_t>(*const_cast<int32_t*>(count)).load();
}

void WriteCount(int32_t* count, int32_t value) {
    std::atomic_ref<int32_t>(*count).store(value);
}

static void AddOne(int32_t* count) {
    // Wraps like the 32-bit counter it is, without signed overflow.
    std::atomic_ref<uint32_t>(*reinterpret_cast<uint32_t*>(count)).fetch_add(1);
}

void AddClickToAll(ClickCounts* set) {
    for (int p = 0; p < PeriodCount; p++)
        AddOne(&set->Current[p]);
}

int32_t MoveToLast(ClickCounts* set, int period) {
    int32_t moved = std::atomic_ref<int32_t>(set->Current[period]).exchange(0);
    WriteCount(&set->Last[period], moved);
    return moved;
}

void BeginNewSession(ClickCounts* set) {
    MoveToLast(set, PeriodSession);
}

void ResetCounter(ClickCounts* set, int period) {
    if (period < 0 || period >= PeriodCount)
        return;
    WriteCount(&set->Current[period], 0);
    if (period < PeriodsWithLast)
        WriteCount(&set->Last[period], 0);
}

void ResetAllCounters(ClickCounts* set) {
    for (int p = 0; p < PeriodCount; p++)
        ResetCounter(set, p);
}
