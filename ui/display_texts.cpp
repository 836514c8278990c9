#include "display_texts.h"
#include "percent_change.h"
#include "../app/bounded_format.h"

int FormatCountText(char* out, int size, int32_t count) {
    return FormatBounded(out, size, "%d", static_cast<int>(count));
}

// The number goes out in parts of nine digits, each an unsigned 32-bit
// conversion: the Windows build formats with the system's formatter, and not
// every version of it reads a 64-bit one ("%lld").
int FormatDifferenceText(char* out, int size, int64_t percent) {
    if (percent == NoComparison)
        return FormatBounded(out, size, "%s", "n/a");
    const char* sign = percent > 0 ? "+" : percent < 0 ? "-" : "";
    // NoComparison, the one value without a positive counterpart, is gone.
    int64_t magnitude = percent < 0 ? -percent : percent;
    const int64_t part = 1000000000;
    unsigned low = static_cast<unsigned>(magnitude % part);
    int64_t upper = magnitude / part;
    if (upper == 0)
        return FormatBounded(out, size, "%s%u%%", sign, low);
    unsigned middle = static_cast<unsigned>(upper % part);
    unsigned high = static_cast<unsigned>(upper / part);
    if (high == 0)
        return FormatBounded(out, size, "%s%u%09u%%", sign, middle, low);
    return FormatBounded(out, size, "%s%u%09u%09u%%", sign, high, middle, low);
}

int FormatClockText(char* out, int size, uint32_t seconds) {
    return FormatBounded(out, size, "%02u:%02u:%02u", static_cast<unsigned>(seconds / 3600),
                         static_cast<unsigned>(seconds / 60 % 60),
                         static_cast<unsigned>(seconds % 60));
}
