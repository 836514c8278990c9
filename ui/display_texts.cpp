// The texts of the statistics page's cells, each within its buffer.
#include "display_texts.h"
#include "percent_change.h"
#include "../base/bounded_format.h"

int FormatCountText(char* out, int size, int32_t count) {
    return FormatBounded(out, size, "%d", static_cast<int>(count));
}

int FormatDifferenceText(char* out, int size, int64_t percent) {
    if (percent == NoComparison)
        return FormatBounded(out, size, "%s", "n/a");
    const char* sign = percent > 0 ? "+" : percent < 0 ? "-" : "";
    // NoComparison, the one value without a positive counterpart, is gone.
    int64_t magnitude = percent < 0 ? -percent : percent;
    return FormatBoundedDecimal(out, size, sign, magnitude, "%");
}

int FormatClockText(char* out, int size, uint32_t seconds) {
    return FormatBounded(out, size, "%02u:%02u:%02u", static_cast<unsigned>(seconds / 3600),
                         static_cast<unsigned>(seconds / 60 % 60),
                         static_cast<unsigned>(seconds % 60));
}
