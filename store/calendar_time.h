#pragma once
// Calendar date-times and their arithmetic. Platform-free.

#include <cstdint>

// The platform's calendar date-time layout: eight 16-bit fields, in order.
struct CalendarTime {
    uint16_t Year;
    uint16_t Month;     // 1 to 12
    uint16_t DayOfWeek; // 0 = Sunday to 6 = Saturday
    uint16_t Day;       // 1 to 31
    uint16_t Hour;
    uint16_t Minute;
    uint16_t Second;
    uint16_t Milliseconds;
};

inline constexpr int32_t SecondsPerDay = 86400;

// The years the platform's 100-nanosecond clock can express.
enum { FirstCalendarYear = 1601, LastCalendarYear = 30827 };

// Whether year-month-day names a real Gregorian date within the years above.
int IsCalendarDate(uint32_t year, uint32_t month, uint32_t day);

// The weekday (0 = Sunday) of a real date; 7 for anything else.
uint32_t WeekdayOf(uint32_t year, uint32_t month, uint32_t day);

// Moves a date-time in place by a signed number of seconds as a plain
// calendar date-time, and sets its weekday. Returns 0 and leaves it alone
// when it is not a real date-time or the result would leave the years above.
int AddSeconds(CalendarTime* dateTime, int32_t seconds);

// (year * 100 + month) * 100 + day: later dates give larger numbers. A
// month's number, with day 0, comes before each of its days'.
uint32_t DateNumber(uint32_t year, uint32_t month, uint32_t day);
uint32_t DateNumber(const CalendarTime* dateTime);
