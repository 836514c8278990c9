#include <gtest/gtest.h>

#include <climits>

#include "store/calendar_time.h"

static CalendarTime At(int year, int month, int day, int hour = 12, int minute = 0, int second = 0,
                       int ms = 0) {
    return {
        static_cast<uint16_t>(year),   static_cast<uint16_t>(month), 0,
        static_cast<uint16_t>(day),    static_cast<uint16_t>(hour),  static_cast<uint16_t>(minute),
        static_cast<uint16_t>(second), static_cast<uint16_t>(ms)};
}

static void ExpectDate(const CalendarTime& t, int year, int month, int day, int weekday) {
    EXPECT_EQ(year, t.Year);
    EXPECT_EQ(month, t.Month);
    EXPECT_EQ(day, t.Day);
    EXPECT_EQ(weekday, t.DayOfWeek) << "weekday of " << year << "-" << month << "-" << day;
}

TEST(AddSeconds, MovesByWholeDaysAndSetsTheWeekday) {
    CalendarTime t = At(2002, 3, 14);
    ASSERT_TRUE(AddSeconds(&t, -3 * 86400));
    ExpectDate(t, 2002, 3, 11, 1);
    ASSERT_TRUE(AddSeconds(&t, 6 * 86400));
    ExpectDate(t, 2002, 3, 17, 0);
    EXPECT_EQ(12, t.Hour) << "whole days keep the time of day";

    t = At(2002, 12, 31);
    ASSERT_TRUE(AddSeconds(&t, 86400));
    ExpectDate(t, 2003, 1, 1, 3);
    ASSERT_TRUE(AddSeconds(&t, -518400));
    ExpectDate(t, 2002, 12, 26, 4);
}

TEST(AddSeconds, FollowsTheGregorianLeapYears) {
    CalendarTime t = At(2004, 2, 28);
    ASSERT_TRUE(AddSeconds(&t, 86400));
    ExpectDate(t, 2004, 2, 29, 0);
    t = At(2000, 2, 28);
    ASSERT_TRUE(AddSeconds(&t, 86400));
    ExpectDate(t, 2000, 2, 29, 2);
    t = At(2100, 2, 28);
    ASSERT_TRUE(AddSeconds(&t, 86400));
    ExpectDate(t, 2100, 3, 1, 1); // 2100 is not a leap year
    t = At(2003, 3, 1);
    ASSERT_TRUE(AddSeconds(&t, -86400));
    ExpectDate(t, 2003, 2, 28, 5);
}

TEST(AddSeconds, CarriesSecondsMinutesAndHoursAndKeepsMilliseconds) {
    CalendarTime t = At(2003, 1, 1, 0, 0, 0, 250);
    ASSERT_TRUE(AddSeconds(&t, -1));
    ExpectDate(t, 2002, 12, 31, 2);
    EXPECT_EQ(23, t.Hour);
    EXPECT_EQ(59, t.Minute);
    EXPECT_EQ(59, t.Second);
    EXPECT_EQ(250, t.Milliseconds);

    t = At(2002, 6, 30, 23, 59, 30);
    ASSERT_TRUE(AddSeconds(&t, 45));
    ExpectDate(t, 2002, 7, 1, 1);
    EXPECT_EQ(0, t.Hour);
    EXPECT_EQ(0, t.Minute);
    EXPECT_EQ(15, t.Second);
}

TEST(AddSeconds, TheWholeSigned32BitRangeIsExact) {
    CalendarTime t = At(1970, 1, 1, 0);
    ASSERT_TRUE(AddSeconds(&t, INT32_MAX));
    ExpectDate(t, 2038, 1, 19, 2);
    EXPECT_EQ(3, t.Hour);
    EXPECT_EQ(14, t.Minute);
    EXPECT_EQ(7, t.Second);

    t = At(1970, 1, 1, 0);
    ASSERT_TRUE(AddSeconds(&t, INT32_MIN));
    ExpectDate(t, 1901, 12, 13, 5);
    EXPECT_EQ(20, t.Hour);
    EXPECT_EQ(45, t.Minute);
    EXPECT_EQ(52, t.Second);
}

TEST(AddSeconds, AStoredWeekdayIsIgnoredAndRecomputed) {
    CalendarTime t = At(2002, 5, 20);
    t.DayOfWeek = 9;
    ASSERT_TRUE(AddSeconds(&t, 0));
    ExpectDate(t, 2002, 5, 20, 1);
}

TEST(AddSeconds, ADateTimeThatIsNotRealIsRefusedAndLeftAlone) {
    const CalendarTime bad[] = {At(2002, 13, 5),
                                At(2002, 0, 5),
                                At(2002, 5, 0),
                                At(2002, 4, 31),
                                At(2003, 2, 29),
                                At(1900, 2, 29),
                                At(65535, 1, 1),
                                At(1600, 12, 31),
                                At(2002, 5, 20, 24),
                                At(2002, 5, 20, 0, 60),
                                At(2002, 5, 20, 0, 0, 60),
                                At(2002, 5, 20, 0, 0, 0, 1000)};
    for (const CalendarTime& original : bad) {
        CalendarTime t = original;
        EXPECT_FALSE(AddSeconds(&t, 86400))
            << original.Year << "-" << original.Month << "-" << original.Day << " " << original.Hour
            << ":" << original.Minute << ":" << original.Second;
        EXPECT_EQ(0, memcmp(&t, &original, sizeof t)) << "a refused date-time is not touched";
    }
    EXPECT_FALSE(AddSeconds(nullptr, 1));
}

TEST(AddSeconds, AResultOutsideThePlatformYearsIsRefused) {
    CalendarTime first = At(1601, 1, 1, 0);
    EXPECT_FALSE(AddSeconds(&first, -1));
    ExpectDate(first, 1601, 1, 1, 0);
    ASSERT_TRUE(AddSeconds(&first, 0));
    ExpectDate(first, 1601, 1, 1, 1);

    CalendarTime last = At(30827, 12, 31, 23, 59, 59);
    EXPECT_FALSE(AddSeconds(&last, 1));
    EXPECT_EQ(30827, last.Year);
}

TEST(CalendarDates, RealDatesAndTheirWeekdays) {
    EXPECT_TRUE(IsCalendarDate(2002, 3, 14));
    EXPECT_TRUE(IsCalendarDate(2004, 2, 29));
    EXPECT_TRUE(IsCalendarDate(1601, 1, 1));
    EXPECT_TRUE(IsCalendarDate(30827, 12, 31));
    EXPECT_FALSE(IsCalendarDate(2002, 2, 29));
    EXPECT_FALSE(IsCalendarDate(2002, 13, 1));
    EXPECT_FALSE(IsCalendarDate(2002, 5, 0));
    EXPECT_FALSE(IsCalendarDate(0, 0, 0));
    EXPECT_FALSE(IsCalendarDate(65535, 1, 1));
    EXPECT_FALSE(IsCalendarDate(UINT32_MAX, UINT32_MAX, UINT32_MAX));
    EXPECT_FALSE(IsCalendarDate(2002 + 65536, 1, 1)) << "no 16-bit wrap";

    EXPECT_EQ(4u, WeekdayOf(2002, 3, 14));
    EXPECT_EQ(1u, WeekdayOf(2002, 5, 20));
    EXPECT_EQ(2u, WeekdayOf(2002, 12, 31));
    EXPECT_EQ(7u, WeekdayOf(2002, 13, 1));
}

TEST(CalendarDates, DateNumbersGrowWithTheDate) {
    CalendarTime a = At(2002, 12, 31), b = At(2003, 1, 1), c = At(2003, 1, 10);
    EXPECT_EQ(20021231u, DateNumber(&a));
    EXPECT_EQ(20030101u, DateNumber(&b));
    EXPECT_LT(DateNumber(&a), DateNumber(&b));
    EXPECT_LT(DateNumber(&b), DateNumber(&c));
    CalendarTime far = At(30827, 12, 31);
    EXPECT_EQ(308271231u, DateNumber(&far));
}
