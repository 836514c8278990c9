#pragma once
// The texts of the statistics page's cells. Platform-free.
//
// Each function formats into out, which holds size bytes, and returns 1; a
// text that does not fit leaves out empty and returns 0.

#include <cstdint>

// A count in decimal: "150", "-3".
int FormatCountText(char* out, int size, int32_t count);

// "n/a" for NoComparison; otherwise the percentage with a "+" before a rise
// and a "%" after it: "+25%", "0%", "-40%".
int FormatDifferenceText(char* out, int size, int64_t percent);

// The session clock "hh:mm:ss"; the hours are not limited to two digits.
int FormatClockText(char* out, int size, uint32_t seconds);
