#pragma once
// Formatting into fixed buffers. Platform-free.

#include <stdint.h>

// A text that cannot be had: out (size bytes, may be null or of no size)
// holds the empty text, and the result is 0, the refusal of every bounded
// text operation.
int RefuseText(char* out, int size);

// Formats into out, which holds size bytes. Returns 1 when the whole text
// fit; otherwise out holds the empty text and the result is 0.
int FormatBounded(char* out, int size, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

// Formats prefix, the decimal digits of value (not negative) and suffix, as
// FormatBounded.
int FormatBoundedDecimal(char* out, int size, const char* prefix, int64_t value,
                         const char* suffix);
