#include "switches.h"

#include <cstring>

int SwitchPresent(const char* commandLine, const char* switchText) {
    if (!commandLine || !switchText)
        return 0;
    if (strcmp(commandLine, switchText) == 0)
        return 1;
    return commandLine[0] != '\0' && strcmp(commandLine + 1, switchText) == 0;
}
