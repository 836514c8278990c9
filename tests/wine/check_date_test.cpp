// The rollover check against the platform: the local clock it reads, and its
// calendar arithmetic beside the platform's own. The rollover's rules are the
// host tests'; the statistics files' obstacles and the stored values of every
// wrong shape are the tests of those files and of the counters.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "scratch_folder.h"
#include "scratch_registry.h"
#include "store/check_date.h"
#include "store/counter_set.h"
#include "store/counters.h"
#include "store/registry.h"

namespace {

const char ProductKey[] = "Software\\Larkspoon Software\\Tallywhirl";

CalendarTime Date(int year, int month, int day, int weekday) {
    return {static_cast<uint16_t>(year),
            static_cast<uint16_t>(month),
            static_cast<uint16_t>(weekday),
            static_cast<uint16_t>(day),
            0,
            0,
            0,
            0};
}

// A stored value as a number, or -1 when the value is missing.
long long Stored(const char* name) {
    DWORD value = 0;
    if (!ReadProductValue(name, REG_DWORD, &value, sizeof value))
        return -1;
    return value;
}

class CheckDateFiles : public testing::Test {
  protected:
    std::string folder;

    void SetUp() override {
        ClearProductKey();
        folder = MakeScratchFolder("tw_check_date");
        ASSERT_TRUE(WriteProductValue("Path", REG_SZ, folder.c_str(), 0));
        for (int p = 0; p < PeriodCount; p++)
            CounterSet.Current[p] = 101 + p;
        for (int p = 0; p < LastCount; p++)
            CounterSet.Last[p] = 11 + p;
    }
    void TearDown() override {
        RemoveScratchFolder(folder);
        ClearProductKey();
    }

    static void Store(const CalendarTime& date) {
        CounterSet.DateYear = date.Year;
        CounterSet.DateMonth = date.Month;
        CounterSet.DateWeek = date.DayOfWeek;
        CounterSet.DateDay = date.Day;
    }
    std::string Text(const char* name) const {
        return FileText(folder + "\\" + name);
    }
};

} // namespace

TEST_F(CheckDateFiles, TheLocalClockIsRead) {
    SYSTEMTIME before, after;
    CalendarTime now;
    GetLocalTime(&before);
    ReadLocalTime(&now);
    GetLocalTime(&after);
    EXPECT_EQ(now.Year, after.wYear);
    EXPECT_EQ(now.DayOfWeek == before.wDayOfWeek || now.DayOfWeek == after.wDayOfWeek, true);
    EXPECT_TRUE(now.Day == before.wDay || now.Day == after.wDay);
    EXPECT_EQ(WeekdayOf(now.Year, now.Month, now.Day), now.DayOfWeek);

    // Stored as today: nothing happens. Stored as 1 January 2002: the day
    // closes with that date and today is stored.
    Store(now);
    CheckDate();
    EXPECT_EQ(-1, Stored("DateYear"));
    Store(Date(2002, 1, 1, 2));
    CheckDate();
    GetLocalTime(&after);
    EXPECT_EQ("2002-01-01\t102\r\n", Text("Day.txt"));
    EXPECT_EQ(after.wYear, Stored("DateYear"));
    EXPECT_EQ(after.wMonth, Stored("DateMonth"));
    EXPECT_EQ(after.wDay, Stored("DateDay"));
    EXPECT_EQ(after.wDayOfWeek, Stored("DateWeek"));
}

static CalendarTime FromSystemTime(const SYSTEMTIME& s) {
    return {s.wYear, s.wMonth,  s.wDayOfWeek, s.wDay,
            s.wHour, s.wMinute, s.wSecond,    s.wMilliseconds};
}

// The platform's own way: to 100-nanosecond intervals and back.
static bool PlatformAddSeconds(SYSTEMTIME* t, int32_t seconds) {
    FILETIME file;
    if (!SystemTimeToFileTime(t, &file))
        return false;
    ULARGE_INTEGER ticks = {{file.dwLowDateTime, file.dwHighDateTime}};
    long long moved = static_cast<long long>(ticks.QuadPart) + seconds * 10000000LL;
    if (moved < 0)
        return false;
    ticks.QuadPart = static_cast<unsigned long long>(moved);
    file = {ticks.LowPart, ticks.HighPart};
    return FileTimeToSystemTime(&file, t);
}

TEST(AddSecondsOnThePlatform, AgreesWithSystemTimeToFileTimeAndBack) {
    const int32_t offsets[] = {0,       1,    -1,     86400,       -86400,    518400,
                               -518400, 3599, -43201, 86400 * 366, INT32_MAX, INT32_MIN};
    uint32_t seed = 12345;
    int compared = 0;
    for (int i = 0; i < 4000; i++) {
        seed = seed * 1103515245u + 12345u;
        SYSTEMTIME s = {};
        s.wYear = static_cast<WORD>(1602 + seed % 500 + (i % 8 == 0 ? 27000 : 0));
        s.wMonth = static_cast<WORD>(1 + (seed >> 9) % 12);
        s.wDay = static_cast<WORD>(1 + (seed >> 13) % 28);
        s.wHour = static_cast<WORD>((seed >> 3) % 24);
        s.wMinute = static_cast<WORD>((seed >> 17) % 60);
        s.wSecond = static_cast<WORD>((seed >> 21) % 60);
        s.wMilliseconds = static_cast<WORD>((seed >> 5) % 1000);
        int32_t offset = offsets[(seed >> 25) % (sizeof offsets / sizeof offsets[0])];

        CalendarTime ours = FromSystemTime(s);
        SYSTEMTIME theirs = s;
        bool platform = PlatformAddSeconds(&theirs, offset);
        bool own = AddSeconds(&ours, offset);
        ASSERT_EQ(platform, own) << s.wYear << "-" << s.wMonth << "-" << s.wDay << " + " << offset;
        if (!platform)
            continue;
        CalendarTime expected = FromSystemTime(theirs);
        ASSERT_EQ(0, memcmp(&expected, &ours, sizeof ours))
            << s.wYear << "-" << s.wMonth << "-" << s.wDay << " " << s.wHour << ":" << s.wMinute
            << " + " << offset << " gave " << ours.Year << "-" << ours.Month << "-" << ours.Day
            << " weekday " << ours.DayOfWeek << ", the platform " << theirs.wYear << "-"
            << theirs.wMonth << "-" << theirs.wDay << " weekday " << theirs.wDayOfWeek;
        compared++;
    }
    EXPECT_GT(compared, 3000);
}
