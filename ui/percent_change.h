#pragma once
// The percentage change of a period's count against its last figure, and the
// colour its Difference cell is drawn in. Platform-free.

#include <cstdint>

// Marks a period whose Last count is 0. No quotient of two 32-bit counts
// comes near it, not even of the negative counts an edited registry can hold,
// so it never stands for a real percentage.
inline constexpr int64_t NoComparison = INT64_MIN;

// (current × 100) / last − 100 in 64-bit arithmetic, truncated toward zero;
// NoComparison when last is 0.
int64_t PercentChangeOf(int32_t current, int32_t last);

// Text colours as the platform's colour values (0x00BBGGRR).
inline constexpr uint32_t RiseColour = 0x008000; // dark green
inline constexpr uint32_t FallColour = 0x000080; // dark red

// 1 with the text colour of a percentage in colour; 0 for NoComparison,
// which is drawn in the default colours.
int DifferenceColour(int64_t percent, uint32_t* colour);
