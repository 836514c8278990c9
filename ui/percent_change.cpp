// The Difference column's percentage and colour.
#include "percent_change.h"

int64_t PercentChangeOf(int32_t current, int32_t last) {
    if (last == 0)
        return NoComparison;
    return static_cast<int64_t>(current) * 100 / last - 100;
}

int DifferenceColour(int64_t percent, uint32_t* colour) {
    if (percent == NoComparison)
        return 0;
    *colour = percent >= 0 ? RiseColour : FallColour;
    return 1;
}
