#include "startup_command.h"
#include "../app/bounded_format.h"

int FormatStartupCommand(char* out, int size, const char* path, const char* autoSwitch) {
    if (!path || !autoSwitch) {
        if (out && size > 0)
            out[0] = '\0';
        return 0;
    }
    return FormatBounded(out, size, "%s %s", path, autoSwitch);
}
