#pragma once
// One check for every text formed into a buffer of fixed size.
#include <gtest/gtest.h>

#include <vector>

// Runs form(out, size) on a heap buffer of exactly size bytes and a guard
// after it: the result is 1 with want in the buffer, or 0 (want null) with
// the empty text; nothing is written past the buffer.
template <typename Form>
void ExpectBounded(const char* why, int size, const char* want, Form form) {
    std::vector<char> out(size + 1, '#');
    EXPECT_EQ(want != nullptr, form(out.data(), size)) << why;
    if (size > 0) {
        EXPECT_STREQ(want ? want : "", out.data()) << why;
    }
    EXPECT_EQ('#', out[size]) << why << ": written past the buffer";
}
