#include "bounded_format.h"

#include <cstdarg>
#include <cstdio>

int FormatBounded(char* out, int size, const char* format, ...) {
    if (!out || size <= 0)
        return 0;
    va_list args;
    va_start(args, format);
    int length = vsnprintf(out, size, format, args);
    va_end(args);
    if (length < 0 || length >= size) {
        out[0] = '\0';
        return 0;
    }
    return 1;
}
