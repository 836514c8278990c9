// The rollover check against the platform's local clock; the rollover's own
// rules are the host tests'.
#include <gtest/gtest.h>

#include "scratch_key_and_folder.h"
#include "store/check_date.h"
#include "store/counter_set.h"
#include "store/counters.h"

TEST(CheckDate, ReadsTheLocalClockClosesALongAgoDayAndLeavesTodayAlone) {
    DeleteProductKey();
    std::string folder = MakeScratchFolder("tw_check_date");
    PutRaw("Path", REG_SZ, folder.c_str(), folder.size() + 1);
    for (int p = 0; p < PeriodCount; p++)
        CounterSet.Current[p] = 101 + p;
    for (int p = 0; p < LastCount; p++)
        CounterSet.Last[p] = 11 + p;

    SYSTEMTIME before, after;
    CalendarTime now;
    GetLocalTime(&before);
    ReadLocalTime(&now);
    GetLocalTime(&after);
    EXPECT_EQ(now.Year, after.wYear);
    EXPECT_TRUE(now.DayOfWeek == before.wDayOfWeek || now.DayOfWeek == after.wDayOfWeek);
    EXPECT_TRUE(now.Day == before.wDay || now.Day == after.wDay);
    EXPECT_EQ(WeekdayOf(now.Year, now.Month, now.Day), now.DayOfWeek);

    // Stored as Tuesday 1 January 2002: the day closes with that date and
    // today is stored.
    CounterSet.DateYear = 2002;
    CounterSet.DateMonth = 1;
    CounterSet.DateWeek = 2;
    CounterSet.DateDay = 1;
    CheckDate();
    GetLocalTime(&after);
    EXPECT_EQ("2002-01-01\t102\r\n", FileText(folder + "\\Day.txt"));
    EXPECT_EQ(std::to_string(after.wYear), DwordText("DateYear"));
    EXPECT_EQ(std::to_string(after.wMonth), DwordText("DateMonth"));
    EXPECT_EQ(std::to_string(after.wDay), DwordText("DateDay"));
    EXPECT_EQ(std::to_string(after.wDayOfWeek), DwordText("DateWeek"));

    // Stored as today now: a second check writes and saves nothing.
    PutDword("DateYear", 1);
    CheckDate();
    EXPECT_EQ("2002-01-01\t102\r\n", FileText(folder + "\\Day.txt"));
    EXPECT_EQ("1", DwordText("DateYear"));
    RemoveScratchFolder(folder);
    DeleteProductKey();
}
