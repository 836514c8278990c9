// Every text the program builds goes into a fixed buffer through here, so
// that one that does not fit is refused rather than cut or overrun.
#include "bounded_format.h"

#include <cstdarg>
#include <cstdio>

// On Windows the system's formatter, msvcrt's _vsnprintf, rather than the C99
// one mingw would otherwise link into the program. It writes at most size
// bytes like vsnprintf, but answers -1 for a text longer than the buffer and
// leaves the terminator out for a text that fills it exactly, answering size:
// FormatBounded refuses both, just as it refuses vsnprintf's size or more.
static int FormatInto(char* out, int size, const char* format, va_list args) {
#ifdef _WIN32
    return _vsnprintf(out, size, format, args);
#else
    return vsnprintf(out, size, format, args);
#endif
}

int RefuseText(char* out, int size) {
    if (out && size > 0)
        out[0] = '\0';
    return 0;
}

int FormatBounded(char* out, int size, const char* format, ...) {
    if (!out || size <= 0)
        return 0;
    va_list args;
    va_start(args, format);
    int length = FormatInto(out, size, format, args);
    va_end(args);
    return length < 0 || length >= size ? RefuseText(out, size) : 1;
}

// The number goes out in parts of nine digits, each an unsigned 32-bit
// conversion: the Windows build formats with the system's formatter, and not
// every version of it reads a 64-bit one ("%lld").
int FormatBoundedDecimal(char* out, int size, const char* prefix, int64_t value,
                         const char* suffix) {
    const int64_t part = 1000000000;
    unsigned low = static_cast<unsigned>(value % part);
    int64_t upper = value / part;
    if (upper == 0)
        return FormatBounded(out, size, "%s%u%s", prefix, low, suffix);
    unsigned middle = static_cast<unsigned>(upper % part);
    unsigned high = static_cast<unsigned>(upper / part);
    if (high == 0)
        return FormatBounded(out, size, "%s%u%09u%s", prefix, middle, low, suffix);
    return FormatBounded(out, size, "%s%u%09u%09u%s", prefix, high, middle, low, suffix);
}
