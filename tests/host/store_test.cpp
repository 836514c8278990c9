// The counter store's rules: calendar arithmetic, the period rollover, the
// statistics lines and the registry value names.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "bounded_text.h"
#include "store/calendar_time.h"
#include "store/rollover.h"
#include "store/stat_lines.h"
#include "store/value_names.h"

namespace {

enum { Sun, Mon, Tue, Wed, Thu, Fri, Sat };

// Fields in the platform's order: year, month, weekday, day, hour, minute,
// second, millisecond.
CalendarTime At(const int f[8]) {
    CalendarTime t;
    uint16_t* field = &t.Year;
    for (int i = 0; i < 8; i++)
        field[i] = static_cast<uint16_t>(f[i]);
    return t;
}

CalendarTime Date(int year, int month, int day, int weekday) {
    const int f[8] = {year, month, weekday, day};
    return At(f);
}

std::string Text(const CalendarTime& t) {
    char text[64];
    snprintf(text, sizeof text, "%d-%d-%d wd %d %02d:%02d:%02d.%03d", t.Year, t.Month, t.Day,
             t.DayOfWeek, t.Hour, t.Minute, t.Second, t.Milliseconds);
    return text;
}

} // namespace

TEST(CalendarTime, AddSecondsMovesAPlainDateTimeAndSetsItsWeekday) {
    struct Case {
        const char* why;
        int from[8], seconds, ok, to[8];
    } cases[] = {
        {"back to a Monday", {2002, 3, 0, 14, 12}, -3 * 86400, 1, {2002, 3, 1, 11, 12}},
        {"on to a Sunday", {2002, 3, 0, 14, 12}, 3 * 86400, 1, {2002, 3, 0, 17, 12}},
        {"into a new year", {2002, 12, 0, 31}, 86400, 1, {2003, 1, 3, 1}},
        {"six days back over a year", {2003, 1, 0, 1}, -518400, 1, {2002, 12, 4, 26}},
        {"leap day of 2000", {2000, 2, 0, 28}, 86400, 1, {2000, 2, 2, 29}},
        {"2100 has no leap day", {2100, 2, 0, 28}, 86400, 1, {2100, 3, 1, 1}},
        {"a second back over midnight",
         {2003, 1, 0, 1, 0, 0, 0, 250},
         -1,
         1,
         {2002, 12, 2, 31, 23, 59, 59, 250}},
        {"the largest step", {1970, 1, 0, 1}, INT32_MAX, 1, {2038, 1, 2, 19, 3, 14, 7}},
        {"the smallest step", {1970, 1, 0, 1}, INT32_MIN, 1, {1901, 12, 5, 13, 20, 45, 52}},
        {"before the first year", {1601, 1, 0, 1}, -1, 0, {}},
        {"after the last year", {30827, 12, 0, 31, 23, 59, 59}, 1, 0, {}},
        {"not a real date", {2002, 4, 0, 31}, 86400, 0, {}},
        {"hour 24", {2002, 5, 0, 20, 24}, 86400, 0, {}},
        {"minute 60", {2002, 5, 0, 20, 0, 60}, 86400, 0, {}},
        {"second 60", {2002, 5, 0, 20, 0, 0, 60}, 86400, 0, {}},
        {"millisecond 1000", {2002, 5, 0, 20, 0, 0, 0, 1000}, 86400, 0, {}},
    };
    for (const Case& c : cases) {
        CalendarTime t = At(c.from);
        EXPECT_EQ(c.ok, AddSeconds(&t, c.seconds)) << c.why;
        EXPECT_EQ(Text(At(c.ok ? c.to : c.from)), Text(t)) << c.why << ": a refusal leaves it";
    }
    EXPECT_FALSE(AddSeconds(nullptr, 1));
}

TEST(CalendarTime, RealDatesTheirWeekdaysAndDateNumbers) {
    struct Case {
        const char* why;
        uint32_t year, month, day, weekday; // weekday 7: not a real date
    } cases[] = {
        {"a Thursday", 2002, 3, 14, Thu},
        {"a leap day", 2000, 2, 29, Tue},
        {"the first day of the years", 1601, 1, 1, Mon},
        {"the last day of the years", 30827, 12, 31, Fri},
        {"29 February of a common year", 2002, 2, 29, 7},
        {"29 February 1900", 1900, 2, 29, 7},
        {"month 13", 2002, 13, 1, 7},
        {"all zero", 0, 0, 0, 7},
        {"31 December 1600", 1600, 12, 31, 7},
        {"no 16-bit wrap of the year", 2002 + 65536, 1, 1, 7},
        {"every field at its largest", UINT32_MAX, UINT32_MAX, UINT32_MAX, 7},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.weekday, WeekdayOf(c.year, c.month, c.day)) << c.why;
        EXPECT_EQ(c.weekday != 7, IsCalendarDate(c.year, c.month, c.day)) << c.why;
    }
    CalendarTime eve = Date(2002, 12, 31, Tue), last = Date(30827, 12, 31, Fri);
    EXPECT_EQ(20021231u, DateNumber(&eve));
    EXPECT_EQ(308271231u, DateNumber(&last));
}

namespace {

// The set being rolled over and the lines it wrote, each led by its file.
CounterSetFields* Rolling;
std::string Lines;

void RecordLine(int period, int32_t count) {
    static const char* const Files[] = {"", "Day ", "", "Month ", "Year "};
    char line[StatBufferSize];
    ASSERT_TRUE(FormatStatLine(line, sizeof line, period, Rolling->DateYear, Rolling->DateMonth,
                               Rolling->DateDay, count));
    Lines += std::string(Files[period]) + line;
}

// The rollover as the program runs it; returns whether the set is saved.
int Roll(CounterSetFields* set, const CalendarTime& today) {
    Rolling = set;
    RolloverPlan plan = PlanRollover(set, &today);
    if (plan.NewDate) {
        CloseEndedPeriods(set, &plan, RecordLine);
        SetStoredDate(set, &today);
    }
    return plan.NewDate;
}

// Current counts 101 to 106, Last counts 11 to 15.
CounterSetFields SetOn(uint32_t year, uint32_t month, uint32_t day, uint32_t weekday) {
    return {{101, 102, 103, 104, 105, 106}, {11, 12, 13, 14, 15}, year, month, weekday, day, 0};
}

} // namespace

TEST(Rollover, ClosesEachEndedPeriodOnceAndWritesItsLine) {
    // Extra arguments are left unused by the shorter formats.
    static const char* const LineFormats[] = {"Day %04u-%02u-%02u\t102\r\n",
                                              "Month %04u-%02u\t104\r\n", "Year %04u\t105\r\n"};
    const uint32_t Max = UINT32_MAX;
    struct Case {
        const char* why;
        uint32_t stored[4]; // year, month, day, weekday
        int today[4];       // year, month, day, weekday
        const char* closes; // D day, W week, M month, Y year; lower case: without a line
        int saves;
    } cases[] = {
        {"the same date", {2002, 5, 22, Wed}, {2002, 5, 22, Wed}, "", 0},
        {"Monday to Tuesday", {2002, 5, 20, Mon}, {2002, 5, 21, Tue}, "D", 1},
        {"Saturday to Sunday", {2002, 5, 25, Sat}, {2002, 5, 26, Sun}, "D", 1},
        {"Sunday to Monday", {2002, 5, 26, Sun}, {2002, 5, 27, Mon}, "Dw", 1},
        {"New Year's Eve, within a week", {2002, 12, 31, Tue}, {2003, 1, 1, Wed}, "DMY", 1},
        {"a start after two months", {2002, 3, 14, Thu}, {2002, 5, 20, Mon}, "DwM", 1},
        {"a clock set back in the week", {2002, 5, 22, Wed}, {2002, 5, 20, Mon}, "D", 1},
        {"a clock set back a year", {2003, 1, 1, Wed}, {2002, 12, 30, Mon}, "DMY", 1},
        // Thursday 28 February 2002: its week is Monday 25 February to Sunday 3 March.
        {"the week's Monday", {2002, 2, 28, Thu}, {2002, 2, 25, Mon}, "D", 1},
        {"the week's Sunday", {2002, 2, 28, Thu}, {2002, 3, 3, Sun}, "DM", 1},
        {"the Sunday before", {2002, 2, 28, Thu}, {2002, 2, 24, Sun}, "Dw", 1},
        {"the Monday after", {2002, 2, 28, Thu}, {2002, 3, 4, Mon}, "DwM", 1},
        {"the same day a year before", {2002, 2, 28, Thu}, {2001, 2, 28, Wed}, "DwMY", 1},
        {"a Sunday back to its Monday", {2002, 3, 3, Sun}, {2002, 2, 25, Mon}, "DM", 1},
        {"a Sunday to the Sunday before", {2002, 3, 3, Sun}, {2002, 2, 24, Sun}, "DwM", 1},
        {"a Sunday to the next Monday", {2002, 3, 3, Sun}, {2002, 3, 4, Mon}, "Dw", 1},
        {"a wrong weekday of today is mended", {2002, 5, 20, 9}, {2002, 5, 20, Mon}, "", 1},
        {"a weekday out of range", {2002, 5, 22, 9}, {2002, 5, 23, Thu}, "Dw", 1},
        // A stored date that never was gets no line, and its week has ended.
        {"month 13", {2002, 13, 5, Tue}, {2002, 5, 20, Mon}, "dwm", 1},
        {"day 0", {2002, 5, 0, Wed}, {2002, 5, 20, Mon}, "dw", 1},
        {"29 February 2002", {2002, 2, 29, Fri}, {2002, 5, 20, Mon}, "dwm", 1},
        {"year 65535", {65535, 5, 20, Sun}, {2002, 5, 20, Mon}, "dwmy", 1},
        {"every field at its largest", {Max, Max, Max, Max}, {2002, 5, 20, Mon}, "dwmy", 1},
        {"today's day of month 0", {2002, 0, 20, Mon}, {2002, 5, 20, Mon}, "dwm", 1},
        // A today that is not a real date with its own weekday asks for nothing.
        {"today in month 13", {2002, 5, 20, Mon}, {2002, 13, 1, Mon}, "", 0},
        {"today with a wrong weekday", {2002, 5, 20, Mon}, {2002, 5, 21, Mon}, "", 0},
        {"today all zero", {2002, 5, 20, Mon}, {0, 0, 0, Sun}, "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        Lines.clear();
        CounterSetFields set = SetOn(c.stored[0], c.stored[1], c.stored[2], c.stored[3]);
        const CounterSetFields before = set;
        CalendarTime today = Date(c.today[0], c.today[1], c.today[2], c.today[3]);
        EXPECT_EQ(c.saves, Roll(&set, today));
        std::string want;
        for (int k = 0; k < 3; k++) {
            char line[64] = "";
            if (strchr(c.closes, "DMY"[k]))
                snprintf(line, sizeof line, LineFormats[k], c.stored[0], c.stored[1], c.stored[2]);
            want += line;
        }
        EXPECT_EQ(want, Lines) << "the lines in order, dated with the finished period";
        for (int p = PeriodDay; p <= PeriodYear; p++) {
            bool closed = strchr(c.closes, "SDWMY"[p]) || strchr(c.closes, "sdwmy"[p]);
            EXPECT_EQ(closed ? 0 : before.Current[p], set.Current[p]) << "period " << p;
            EXPECT_EQ(closed ? before.Current[p] : before.Last[p], set.Last[p]) << "period " << p;
        }
        EXPECT_EQ(before.Current[PeriodSession], set.Current[PeriodSession]);
        EXPECT_EQ(before.Last[PeriodSession], set.Last[PeriodSession]);
        EXPECT_EQ(before.Current[PeriodTotal], set.Current[PeriodTotal]);
        const CalendarTime stored = Date(set.DateYear, set.DateMonth, set.DateDay, set.DateWeek);
        if (c.saves) {
            EXPECT_EQ(Text(today), Text(stored));
        } else {
            EXPECT_EQ(0, memcmp(&before, &set, sizeof set)) << "nothing changes";
        }
        EXPECT_FALSE(Roll(&set, today)) << "one rollover per change of date";
    }
}

TEST(Rollover, AClickDuringTheCloseLandsInTheNewPeriodAndTheLineMatchesLast) {
    Lines.clear();
    CounterSetFields set = SetOn(2002, 5, 20, Mon);
    Rolling = &set;
    CalendarTime tuesday = Date(2002, 5, 21, Tue);
    RolloverPlan plan = PlanRollover(&set, &tuesday);
    CloseEndedPeriods(&set, &plan, [](int period, int32_t count) {
        AddClickToAll(Rolling); // the counting thread, while the line is written
        RecordLine(period, count);
    });
    EXPECT_EQ("Day 2002-05-20\t102\r\n", Lines);
    EXPECT_EQ(102, set.Last[PeriodDay]);
    EXPECT_EQ(1, set.Current[PeriodDay]);
}

// The next day by the test's own calendar.
static CalendarTime NextDay(CalendarTime day) {
    static const int Lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = day.Year % 4 == 0 && (day.Year % 100 != 0 || day.Year % 400 == 0);
    day.DayOfWeek = (day.DayOfWeek + 1) % 7;
    if (++day.Day > Lengths[day.Month - 1] + (day.Month == 2 && leap)) {
        day.Day = 1;
        if (++day.Month > 12) {
            day.Month = 1;
            day.Year++;
        }
    }
    return day;
}

TEST(Rollover, AYearDayByDayGivesEveryDayMonthAndYearItsLine) {
    struct Case {
        int year, newYearsWeekday, days;
    } cases[] = {{2002, Tue, 365}, {2004, Thu, 366}, {2012, Sun, 366}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.year);
        Lines.clear();
        CalendarTime day = Date(c.year, 1, 1, c.newYearsWeekday);
        CounterSetFields set = SetOn(c.year, 1, 1, c.newYearsWeekday);
        memset(set.Current, 0, sizeof set.Current);
        std::string want;
        char line[64];
        int inYear = 0, inMonth = 0, inWeek = 0, dayLines = 0, monthLines = 0;
        for (int i = 0; i < c.days; i++) {
            int clicks = i % 3; // a day without a click still gets its line
            for (int k = 0; k < clicks; k++)
                AddClickToAll(&set);
            inYear += clicks, inMonth += clicks, inWeek += clicks, dayLines++;
            snprintf(line, sizeof line, "Day %04d-%02d-%02d\t%d\r\n", day.Year, day.Month, day.Day,
                     clicks);
            want += line;
            CalendarTime today = NextDay(day);
            if (today.Month != day.Month) {
                snprintf(line, sizeof line, "Month %04d-%02d\t%d\r\n", day.Year, day.Month,
                         inMonth);
                want += line, inMonth = 0, monthLines++;
            }
            ASSERT_TRUE(Roll(&set, today));
            if (today.DayOfWeek == Mon) {
                EXPECT_EQ(inWeek, set.Last[PeriodWeek]) << "the week before " << Text(today);
                inWeek = 0;
            }
            EXPECT_EQ(inWeek, set.Current[PeriodWeek]) << "a week closed on " << Text(today);
            day = today;
        }
        snprintf(line, sizeof line, "Year %04d\t%d\r\n", c.year, inYear);
        EXPECT_EQ(want + line, Lines);
        EXPECT_EQ(c.days, dayLines);
        EXPECT_EQ(12, monthLines);
    }
}

TEST(StatLines, DatePartTabCountCrLfForDayMonthAndYearOnly) {
    std::string folder(245, 'f'), longer = folder + "f", longest = folder + "\\Month.txt";
    struct Case {
        const char* why;
        int period, year, month, day, count, size;
        const char* line; // null: no line, and the buffer is left empty
    } cases[] = {
        {"a day", PeriodDay, 2002, 3, 14, 57, 256, "2002-03-14\t57\r\n"},
        {"a month", PeriodMonth, 2002, 3, 14, 1234, 256, "2002-03\t1234\r\n"},
        {"a year", PeriodYear, 2002, 3, 14, 0, 256, "2002\t0\r\n"},
        {"leading zeros in the date", PeriodDay, 802, 1, 2, 7, 256, "0802-01-02\t7\r\n"},
        {"the smallest count", PeriodYear, 2002, 1, 1, INT32_MIN, 256, "2002\t-2147483648\r\n"},
        {"the largest count", PeriodMonth, 2002, 1, 1, INT32_MAX, 256, "2002-01\t2147483647\r\n"},
        {"the session has no file", PeriodSession, 2002, 3, 14, 5, 256, nullptr},
        {"the week has no file", PeriodWeek, 2002, 3, 14, 5, 256, nullptr},
        {"the total has no file", PeriodTotal, 2002, 3, 14, 5, 256, nullptr},
        {"15 characters need 16 bytes", PeriodDay, 2002, 3, 14, 57, 15, nullptr},
        {"and fit in 16", PeriodDay, 2002, 3, 14, 57, 16, "2002-03-14\t57\r\n"},
    };
    for (const Case& c : cases) {
        ExpectBounded(c.why, c.size, c.line, [&](char* out, int size) {
            return FormatStatLine(out, size, c.period, c.year, c.month, c.day, c.count);
        });
        if (c.size == 256) {
            EXPECT_EQ(c.line != nullptr, HasStatFile(c.period)) << c.why;
        }
    }
    struct FileCase {
        const char *why, *folder, *name, *file; // file null: no file
    } files[] = {
        {"the program's folder", "C:\\Program Files\\Tallywhirl", "Day",
         "C:\\Program Files\\Tallywhirl\\Day.txt"},
        {"a drive's root", "C:", "Year", "C:\\Year.txt"},
        {"an empty folder", "", "Day", nullptr},
        {"no folder", nullptr, "Day", nullptr},
        {"255 characters fit", folder.c_str(), "Month", longest.c_str()},
        {"256 do not", longer.c_str(), "Month", nullptr},
    };
    for (const FileCase& c : files)
        ExpectBounded(c.why, StatBufferSize, c.file, [&](char* out, int size) {
            return FormatStatFileName(out, size, c.folder, c.name);
        });
}

TEST(ValueNames, CounterNamesTheProgramFolderAndUsableValues) {
    std::string longPeriod(300, 'P');
    struct NameCase {
        const char *figure, *period, *name; // name null: refused
    } names[] = {{"Current", "Session", "CounterCurrentSession"},
                 {"Last", "Year", "CounterLastYear"},
                 {"Current", longPeriod.c_str(), nullptr}};
    for (const NameCase& c : names)
        ExpectBounded(c.figure, NameBufferSize, c.name, [&](char* out, int size) {
            return BuildValueName(out, size, c.figure, c.period);
        });

    struct FolderCase {
        const char *why, *path, *folder; // folder null: not cut, left alone
    } folders[] = {
        {"the program's folder", "C:\\Tallywhirl\\TW.exe", "C:\\Tallywhirl"},
        {"a drive's root gives the drive alone", "C:\\TW.exe", "C:"},
        {"a backslash at index 2 is looked at", "C:\\", "C:"},
        {"backslashes before index 2 are not", "\\\\x", nullptr},
        {"no backslash", "TW.exe", nullptr},
    };
    for (const FolderCase& c : folders) {
        char path[NameBufferSize];
        snprintf(path, sizeof path, "%s", c.path);
        EXPECT_EQ(c.folder != nullptr, CutToFolder(path)) << c.why;
        EXPECT_STREQ(c.folder ? c.folder : c.path, path) << c.why;
    }
    EXPECT_FALSE(CutToFolder(nullptr));

    const unsigned long Text = 1, Binary = 3, Number = 4;
    const char* const Terminated = "abc";
    const char Unterminated[4] = {'a', 'b', 'c', 'd'};
    struct StoredCase {
        const char* why;
        unsigned long asked, type, size;
        const char* bytes;
        int usable;
    } stored[] = {
        {"a 4-byte number", Number, Number, 4, Terminated, 1},
        {"a 3-byte number", Number, Number, 3, Terminated, 0},
        {"more than the buffer holds", Number, Number, 300, Terminated, 0},
        {"a text asked as a number", Number, Text, 4, Terminated, 0},
        {"binary asked as a number", Number, Binary, 4, Terminated, 0},
        {"a terminated text", Text, Text, 4, Terminated, 1},
        {"a text without its zero", Text, Text, 4, Unterminated, 0},
        {"a number asked as a text", Text, Number, 4, Terminated, 0},
    };
    for (const StoredCase& c : stored)
        EXPECT_EQ(c.usable, StoredValueUsable(c.asked, c.type, c.size, c.bytes, 4)) << c.why;
}
