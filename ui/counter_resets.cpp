// The options page's reset buttons and the periods they clear.
#include "counter_resets.h"
#include "../res/resource_ids.h"
#include "../store/counter_set.h"

struct ResetCommand {
    int CommandId;
    int Period;
};

static const ResetCommand ResetCommands[] = {
    {IDC_RESET_SESSION, PeriodSession}, {IDC_RESET_DAY, PeriodDay},
    {IDC_RESET_WEEK, PeriodWeek},       {IDC_RESET_MONTH, PeriodMonth},
    {IDC_RESET_YEAR, PeriodYear},       {IDC_RESET_TOTAL, PeriodTotal},
};

int PeriodOfResetCommand(int commandId) {
    for (const ResetCommand& command : ResetCommands) {
        if (command.CommandId == commandId)
            return command.Period;
    }
    return -1;
}
