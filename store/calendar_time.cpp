#include "calendar_time.h"

#include <chrono>

using namespace std::chrono;

static const int64_t MillisecondsPerDay = 86400000;

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

uint32_t WeekdayOf(uint32_t year, uint32_t month, uint32_t day) {
    if (!IsCalendarDate(year, month, day))
        return 7;
    return weekday{DaysOf(year, month, day)}.c_encoding();
}

static int IsTimeOfDay(const CalendarTime* t) {
    return t->Hour < 24 && t->Minute < 60 && t->Second < 60 && t->Milliseconds < 1000;
}

static int64_t MillisecondsOfDay(const CalendarTime* t) {
    return ((t->Hour * 60 + t->Minute) * 60 + t->Second) * int64_t{1000} + t->Milliseconds;
}

int AddSeconds(CalendarTime* dateTime, int32_t seconds) {
    if (!dateTime || !IsCalendarDate(dateTime->Year, dateTime->Month, dateTime->Day) ||
        !IsTimeOfDay(dateTime))
        return 0;
    int64_t days =
        DaysOf(dateTime->Year, dateTime->Month, dateTime->Day).time_since_epoch().count();
    int64_t moved =
        days * MillisecondsPerDay + MillisecondsOfDay(dateTime) + seconds * int64_t{1000};
    // Floor division, so that times before 1970 fall on the right day.
    int64_t movedDays = moved / MillisecondsPerDay - (moved % MillisecondsPerDay < 0);
    int64_t inDay = moved - movedDays * MillisecondsPerDay;

    sys_days date{std::chrono::days(movedDays)};
    year_month_day ymd{date};
    int year = static_cast<int>(ymd.year());
    if (year < FirstCalendarYear || year > LastCalendarYear)
        return 0;
    dateTime->Year = static_cast<uint16_t>(year);
    dateTime->Month = static_cast<uint16_t>(static_cast<unsigned>(ymd.month()));
    dateTime->Day = static_cast<uint16_t>(static_cast<unsigned>(ymd.day()));
    dateTime->DayOfWeek = static_cast<uint16_t>(weekday{date}.c_encoding());
    dateTime->Hour = static_cast<uint16_t>(inDay / 3600000);
    dateTime->Minute = static_cast<uint16_t>(inDay / 60000 % 60);
    dateTime->Second = static_cast<uint16_t>(inDay / 1000 % 60);
    dateTime->Milliseconds = static_cast<uint16_t>(inDay % 1000);
    return 1;
}

uint32_t DateNumber(const CalendarTime* dateTime) {
    return (uint32_t{dateTime->Year} * 100 + dateTime->Month) * 100 + dateTime->Day;
}
