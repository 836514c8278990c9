#pragma once
// 64-bit division by shifts and subtractions. Platform-free.

#include <stdint.h>

// The quotient of dividend by divisor (not 0); the rest in *remainder.
uint64_t LongDivide(uint64_t dividend, uint64_t divisor, uint64_t* remainder);

// The same for signed figures, as C divides them: the quotient rounded
// toward zero, the rest with the dividend's sign.
int64_t SignedDivide(int64_t dividend, int64_t divisor, int64_t* remainder);
