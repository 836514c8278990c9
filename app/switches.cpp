// The command line's switches, as the start-up entry and the uninstall
// item write them.
#include "switches.h"

#include <cstring>

// Intended: any one character before the switch is accepted, whatever it
// is, so that "/-Auto" is the switch too; nothing else may stand beside it.
int SwitchPresent(const char* commandLine, const char* switchText) {
    if (!commandLine || !switchText)
        return 0;
    if (strcmp(commandLine, switchText) == 0)
        return 1;
    return commandLine[0] != '\0' && strcmp(commandLine + 1, switchText) == 0;
}
