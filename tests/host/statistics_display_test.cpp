#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "ui/display_texts.h"
#include "ui/percent_change.h"

namespace {

std::string Difference(int32_t current, int32_t last) {
    char text[256];
    EXPECT_TRUE(FormatDifferenceText(text, sizeof text, PercentChangeOf(current, last)));
    return text;
}

// "green", "red" or "default", as the Difference cell is drawn.
std::string Colour(int32_t current, int32_t last) {
    uint32_t colour = 0xFFFFFFFF;
    if (!DifferenceColour(PercentChangeOf(current, last), &colour))
        return "default";
    if (colour == 0x008000)
        return "green";
    if (colour == 0x000080)
        return "red";
    return "colour " + std::to_string(colour);
}

std::string Clock(uint32_t seconds) {
    char text[256];
    EXPECT_TRUE(FormatClockText(text, sizeof text, seconds));
    return text;
}

std::string Count(int32_t count) {
    char text[256];
    EXPECT_TRUE(FormatCountText(text, sizeof text, count));
    return text;
}

} // namespace

TEST(PercentChange, TheExamplesReadAsTheyShouldInTheirColours) {
    struct Example {
        int32_t current, last;
        const char* text;
        const char* colour;
    } examples[] = {
        {150, 120, "+25%", "green"}, {119, 120, "-1%", "red"},
        {1, 3, "-67%", "red"},       {77, 77, "0%", "green"},
        {0, 5, "-100%", "red"},      {30000000, 10000000, "+200%", "green"},
        {12, 0, "n/a", "default"},   {0, 0, "n/a", "default"},
    };
    for (const Example& e : examples) {
        EXPECT_EQ(e.text, Difference(e.current, e.last))
            << "current " << e.current << ", last " << e.last;
        EXPECT_EQ(e.colour, Colour(e.current, e.last))
            << "current " << e.current << ", last " << e.last;
    }
}

TEST(PercentChange, DivisionTruncatesTowardZeroAfterTheProduct) {
    EXPECT_EQ(-67, PercentChangeOf(1, 3)) << "100 / 3 = 33, less 100";
    EXPECT_EQ(-1, PercentChangeOf(119, 120)) << "11,900 / 120 = 99, less 100";
    EXPECT_EQ(-133, PercentChangeOf(-1, 3)) << "-100 / 3 = -33, less 100";
    EXPECT_EQ(-200, PercentChangeOf(-7, 7));
}

TEST(PercentChange, CountsNearTheThirtyTwoBitLimitsGiveTheirExactQuotient) {
    EXPECT_EQ(214748364600LL, PercentChangeOf(INT32_MAX, 1));
    EXPECT_EQ("+214748364600%", Difference(INT32_MAX, 1));
    EXPECT_EQ(0, PercentChangeOf(INT32_MAX, INT32_MAX));
    EXPECT_EQ(0, PercentChangeOf(INT32_MIN, INT32_MIN));
    EXPECT_EQ(-100, PercentChangeOf(1, INT32_MAX)) << "100 / 2147483647 truncates to 0";
    EXPECT_EQ(214748364700LL, PercentChangeOf(INT32_MIN, -1));
    EXPECT_EQ("-214748364900%", Difference(INT32_MIN, 1));
    EXPECT_EQ("red", Colour(INT32_MIN, 1));
    EXPECT_EQ("green", Colour(INT32_MIN, -1));
}

TEST(PercentChange, NegativeCountsFromAnEditedRegistryStayDistinctFromNoComparison) {
    // -999,999,899 × 100 / 100 − 100 is −999,999,999: a real change that an
    // in-range marker would have taken for "n/a".
    EXPECT_NE(NoComparison, PercentChangeOf(-999999899, 100));
    EXPECT_EQ("-999999999%", Difference(-999999899, 100));
    EXPECT_EQ("red", Colour(-999999899, 100));
    EXPECT_EQ("-150%", Difference(-5, 10));
    EXPECT_EQ("+100%", Difference(-10, -5));
    EXPECT_EQ("n/a", Difference(-10, 0));
}

TEST(DisplayTexts, CountsAreSignedDecimal) {
    EXPECT_EQ("0", Count(0));
    EXPECT_EQ("150", Count(150));
    EXPECT_EQ("2147483647", Count(INT32_MAX));
    EXPECT_EQ("-2147483648", Count(INT32_MIN));
    EXPECT_EQ("-3", Count(-3));
}

TEST(DisplayTexts, TheClockShowsHoursMinutesAndSecondsWithUnlimitedHours) {
    EXPECT_EQ("00:00:00", Clock(0));
    EXPECT_EQ("00:00:59", Clock(59));
    EXPECT_EQ("00:01:00", Clock(60));
    EXPECT_EQ("01:02:05", Clock(3725));
    EXPECT_EQ("100:00:00", Clock(360000));
    EXPECT_EQ("1193046:28:15", Clock(UINT32_MAX));
}

TEST(DisplayTexts, ATextThatDoesNotFitLeavesTheBufferEmpty) {
    char text[6];
    memset(text, 'x', sizeof text);
    EXPECT_FALSE(FormatClockText(text, sizeof text, 3725));
    EXPECT_STREQ("", text);
    EXPECT_FALSE(FormatDifferenceText(text, 4, 200));
    EXPECT_STREQ("", text);
    EXPECT_TRUE(FormatDifferenceText(text, 4, NoComparison));
    EXPECT_STREQ("n/a", text);
    EXPECT_FALSE(FormatCountText(text, 3, -10));
    EXPECT_STREQ("", text);
}
