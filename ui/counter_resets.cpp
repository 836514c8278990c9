#include "counter_resets.h"
#include "../res/resource_ids.h"

struct ResetCommand {
    int CommandId;
    int Period;
};

static const ResetCommand ResetCommands[] = {
    {IDC_RESET_SESSION, PeriodSession}, {IDC_RESET_DAY, PeriodDay},
    {IDC_RESET_WEEK, PeriodWeek},       {IDC_RESET_MONTH, PeriodMonth},
    {IDC_RESET_YEAR, PeriodYear},       {IDC_RESET_TOTAL, PeriodTotal},
};

void BeginNewSession(CounterSetFields* set) {
    MoveToLast(set, PeriodSession);
}

void ResetCounter(CounterSetFields* set, int period) {
    if (period < 0 || period >= PeriodCount)
        return;
    WriteCount(&set->Current[period], 0);
    if (period < LastCount)
        WriteCount(&set->Last[period], 0);
}

void ResetAllCounters(CounterSetFields* set) {
    for (int p = 0; p < PeriodCount; p++)
        ResetCounter(set, p);
}

int PeriodOfResetCommand(int commandId) {
    for (const ResetCommand& command : ResetCommands) {
        if (command.CommandId == commandId)
            return command.Period;
    }
    return -1;
}
