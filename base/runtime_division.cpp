// The helpers GCC calls for 64-bit division on a 32-bit processor, in place
// of its runtime library's: a fifth of their size and without their unwind
// tables. Nothing divides 64-bit figures on the click path; texts, the
// percentages and the history's scale do, where a loop of 64 steps is
// nothing. All six are here, those no code calls today included, so that a
// division written later never brings the runtime library's back; the
// program's image check fails the build's tests if one ever does.
#include "long_division.h"

extern "C" {

int64_t __divdi3(int64_t dividend, int64_t divisor) {
    int64_t rest;
    return SignedDivide(dividend, divisor, &rest);
}

int64_t __moddi3(int64_t dividend, int64_t divisor) {
    int64_t rest;
    SignedDivide(dividend, divisor, &rest);
    return rest;
}

int64_t __divmoddi4(int64_t dividend, int64_t divisor, int64_t* remainder) {
    return SignedDivide(dividend, divisor, remainder);
}

uint64_t __udivdi3(uint64_t dividend, uint64_t divisor) {
    uint64_t rest;
    return LongDivide(dividend, divisor, &rest);
}

uint64_t __umoddi3(uint64_t dividend, uint64_t divisor) {
    uint64_t rest;
    LongDivide(dividend, divisor, &rest);
    return rest;
}

uint64_t __udivmoddi4(uint64_t dividend, uint64_t divisor, uint64_t* remainder) {
    uint64_t rest;
    uint64_t quotient = LongDivide(dividend, divisor, &rest);
    if (remainder)
        *remainder = rest;
    return quotient;
}
}
