// 64-bit division by shifts and subtractions: the 32-bit program divides
// 64-bit figures without the compiler's runtime library.
#include "long_division.h"

uint64_t LongDivide(uint64_t dividend, uint64_t divisor, uint64_t* remainder) {
    uint64_t quotient = 0, rest = 0;
    for (int bit = 63; bit >= 0; bit--) {
        // A rest that loses its top bit in the shift is past any divisor.
        uint64_t carry = rest >> 63;
        rest = rest << 1 | (dividend >> bit & 1);
        if (carry || rest >= divisor) {
            rest -= divisor;
            quotient |= uint64_t{1} << bit;
        }
    }
    *remainder = rest;
    return quotient;
}

static uint64_t Magnitude(int64_t value) {
    return value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
}

int64_t SignedDivide(int64_t dividend, int64_t divisor, int64_t* remainder) {
    uint64_t rest;
    uint64_t quotient = LongDivide(Magnitude(dividend), Magnitude(divisor), &rest);
    *remainder = static_cast<int64_t>(dividend < 0 ? 0 - rest : rest);
    return static_cast<int64_t>((dividend < 0) != (divisor < 0) ? 0 - quotient : quotient);
}
