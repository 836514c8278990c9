// Date arithmetic within the platform's calendar, for the rollover and the
// history, apart from the platform so that the host tests cover it.
#include "calendar_time.h"

#include <chrono>

using namespace std::chrono;

static const int32_t MillisecondsPerDay = SecondsPerDay * 1000;

int IsCalendarDate(uint32_t year, uint32_t month, uint32_t day) {
    if (year < FirstCalendarYear || year > LastCalendarYear || month < 1 || month > 12 || day < 1 ||
        day > 31)
        return 0;
    return year_month_day{std::chrono::year(static_cast<int>(year)), std::chrono::month(month),
                          std::chrono::day(day)}
        .ok();
}

static sys_days DaysOf(uint32_t year, uint32_t month, uint32_t day) {
    return sys_days{year_month_day{std::chrono::year(static_cast<int>(year)),
                                   std::chrono::month(month), std::chrono::day(day)}};
}

// Sunday 0 to Saturday 6; 1 January 1970 was a Thursday. The calendar's
// days count within 32 bits, where the library's weekday divides 64-bit ones.
static uint32_t WeekdayOfDays(sys_days date) {
    int32_t days = static_cast<int32_t>(date.time_since_epoch().count());
    return static_cast<uint32_t>((days % 7 + 11) % 7);
}

uint32_t WeekdayOf(uint32_t year, uint32_t month, uint32_t day) {
    if (!IsCalendarDate(year, month, day))
        return 7;
    return WeekdayOfDays(DaysOf(year, month, day));
}

static int IsTimeOfDay(const CalendarTime* t) {
    return t->Hour < 24 && t->Minute < 60 && t->Second < 60 && t->Milliseconds < 1000;
}

static int32_t MillisecondsOfDay(const CalendarTime* t) {
    return ((t->Hour * 60 + t->Minute) * 60 + t->Second) * 1000 + t->Milliseconds;
}

int AddSeconds(CalendarTime* dateTime, int32_t seconds) {
    if (!dateTime || !IsCalendarDate(dateTime->Year, dateTime->Month, dateTime->Day) ||
        !IsTimeOfDay(dateTime))
        return 0;
    // The whole days and the rest apart: the rest, under a day either way,
    // added to a time of day stays within a day of it, and within 32 bits.
    int32_t days = seconds / SecondsPerDay;
    int32_t inDay = MillisecondsOfDay(dateTime) + seconds % SecondsPerDay * 1000;
    if (inDay < 0) {
        inDay += MillisecondsPerDay;
        days--;
    } else if (inDay >= MillisecondsPerDay) {
        inDay -= MillisecondsPerDay;
        days++;
    }

    sys_days date =
        DaysOf(dateTime->Year, dateTime->Month, dateTime->Day) + std::chrono::days(days);
    year_month_day ymd{date};
    int year = static_cast<int>(ymd.year());
    if (year < FirstCalendarYear || year > LastCalendarYear)
        return 0;
    dateTime->Year = static_cast<uint16_t>(year);
    dateTime->Month = static_cast<uint16_t>(static_cast<unsigned>(ymd.month()));
    dateTime->Day = static_cast<uint16_t>(static_cast<unsigned>(ymd.day()));
    dateTime->DayOfWeek = static_cast<uint16_t>(WeekdayOfDays(date));
    dateTime->Hour = static_cast<uint16_t>(inDay / 3600000);
    dateTime->Minute = static_cast<uint16_t>(inDay / 60000 % 60);
    dateTime->Second = static_cast<uint16_t>(inDay / 1000 % 60);
    dateTime->Milliseconds = static_cast<uint16_t>(inDay % 1000);
    return 1;
}

uint32_t DateNumber(uint32_t year, uint32_t month, uint32_t day) {
    return (year * 100 + month) * 100 + day;
}

uint32_t DateNumber(const CalendarTime* dateTime) {
    return DateNumber(dateTime->Year, dateTime->Month, dateTime->Day);
}
