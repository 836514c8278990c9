#pragma once
// Which counter each reset button of the options page clears. Platform-free.

// The period that an options page command resets, or -1 for a command that
// resets no single counter.
int PeriodOfResetCommand(int commandId);
