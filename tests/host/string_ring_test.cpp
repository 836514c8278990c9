#include <gtest/gtest.h>

#include <set>

#include "app/string_ring.h"

TEST(StringRing, SixteenCallsUseSixteenBuffersAndTheSeventeenthReusesTheFirst) {
    char* first = NextRingBuffer();
    std::set<char*> seen = {first};
    for (int i = 1; i < 16; i++) {
        char* next = NextRingBuffer();
        EXPECT_TRUE(seen.insert(next).second) << "call " << i + 1 << " reused a buffer";
    }
    EXPECT_EQ(first, NextRingBuffer()) << "the 17th call must come round to the 1st buffer";
}

TEST(StringRing, TwoTextsOfOneCallNeverShareABufferAndKeepTheirText) {
    char* text = NextRingBuffer();
    snprintf(text, StringBufferSize, "text");
    char* caption = NextRingBuffer();
    snprintf(caption, StringBufferSize, "caption");
    EXPECT_NE(text, caption);
    EXPECT_STREQ("text", text);
    EXPECT_STREQ("caption", caption);
}

TEST(StringRing, EveryBufferHoldsFiveHundredTwelveBytes) {
    for (int i = 0; i < 32; i++) {
        char* buffer = NextRingBuffer();
        memset(buffer, 'x', StringBufferSize - 1);
        buffer[StringBufferSize - 1] = '\0';
        EXPECT_EQ(strlen(buffer), StringBufferSize - 1u);
    }
}
