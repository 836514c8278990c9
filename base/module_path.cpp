// Whether the platform's answer for the program's own path holds all of it.
#include "module_path.h"

int ModulePathComplete(uint32_t length, int size) {
    return size > 0 && length > 0 && length < static_cast<uint32_t>(size);
}
