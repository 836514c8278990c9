// The counter store's rules: calendar arithmetic, the period rollover, the
// statistics lines and the registry value names.
#include "host_test.h"

namespace {

enum { Sun, Mon, Tue, Wed, Thu, Fri, Sat };

// Fields in the platform's order: year, month, weekday, day, hour, minute,
// second, millisecond.
CalendarTime At(const uint16_t (&fields)[8]) {
    CalendarTime t;
    memcpy(&t, fields, sizeof t);
    return t;
}

std::vector<int> Fields(const CalendarTime& t) {
    return {t.Year, t.Month, t.DayOfWeek, t.Day, t.Hour, t.Minute, t.Second, t.Milliseconds};
}

} // namespace

TEST(CalendarTime, AddSecondsMovesAPlainDateTimeAndSetsItsWeekday) {
    struct Case {
        const char* why;
        uint16_t from[8];
        int seconds, ok;
        uint16_t to[8];
    } cases[] = {
        {"back to a Monday", {2002, 3, 0, 14, 12}, -3 * 86400, 1, {2002, 3, 1, 11, 12}},
        {"leap day of 2000", {2000, 2, 0, 28}, 86400, 1, {2000, 2, 2, 29}},
        {"2100 has no leap day", {2100, 2, 0, 28}, 86400, 1, {2100, 3, 1, 1}},
        {"midnight", {2003, 1, 0, 1, 0, 0, 0, 250}, -1, 1, {2002, 12, 2, 31, 23, 59, 59, 250}},
        {"the largest step", {1970, 1, 0, 1}, INT32_MAX, 1, {2038, 1, 2, 19, 3, 14, 7}},
        {"the smallest step", {1970, 1, 0, 1}, INT32_MIN, 1, {1901, 12, 5, 13, 20, 45, 52}},
        {"the first day, a Monday", {1601, 1, 0, 1, 0, 0, 1}, -1, 1, {1601, 1, 1, 1}},
        {"the last day, a Friday", {30827, 12, 0, 31, 0}, 1, 1, {30827, 12, 5, 31, 0, 0, 1}},
        {"before the first year", {1601, 1, 0, 1}, -1, 0, {}},
        {"before the calendar", {1600, 12, 0, 31}, 86400, 0, {}},
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
        EXPECT_EQ(Fields(At(c.ok ? c.to : c.from)), Fields(t)) << c.why; // a refusal leaves it
    }
    EXPECT_FALSE(AddSeconds(nullptr, 1));
}

namespace {

// The set being rolled over and the lines it wrote: "period: date count".
ClickCounts* Rolling;
std::string Lines;

std::string Line(int period, uint32_t year, uint32_t month, uint32_t day, int32_t count) {
    return Printed("%d: %u-%u-%u %d\n", period, year, month, day, count);
}

void RecordLine(int period, int32_t count) {
    Lines += Line(period, Rolling->DateYear, Rolling->DateMonth, Rolling->DateDay, count);
}

// The rollover as the program runs it; returns whether the set is saved.
int Roll(ClickCounts* set, const CalendarTime& today, StatLineWriter write = RecordLine) {
    Rolling = set;
    RolloverPlan plan = PlanRollover(set, &today);
    if (plan.NewDate) {
        CloseEndedPeriods(set, &plan, write);
        SetStoredDate(set, &today);
    }
    return plan.NewDate;
}

} // namespace

TEST(Rollover, ClosesEachEndedPeriodOnceAndWritesItsLine) {
    const uint32_t Max = UINT32_MAX;
    struct Case {
        const char* why;
        uint32_t stored[4]; // year, month, weekday, day
        uint16_t today[8];  // year, month, weekday, day, then the time of day (0)
        const char* closes; // D day, W week, M month, Y year; lower case: without a line
        int saves;
    } cases[] = {
        {"the same date", {2002, 5, Wed, 22}, {2002, 5, Wed, 22}, "", 0},
        {"New Year's Eve, within a week", {2002, 12, Tue, 31}, {2003, 1, Wed, 1}, "DMY", 1},
        {"everything ends", {2000, 12, Sun, 31}, {2001, 1, Mon, 1}, "DwMY", 1},
        {"the last day of the years", {30827, 12, Fri, 31}, {2002, 5, Mon, 20}, "DwMY", 1},
        // Thursday 28 February 2002: its week is Monday 25 February to Sunday 3 March.
        {"the week's Monday", {2002, 2, Thu, 28}, {2002, 2, Mon, 25}, "D", 1},
        {"the week's Sunday", {2002, 2, Thu, 28}, {2002, 3, Sun, 3}, "DM", 1},
        {"the Sunday before", {2002, 2, Thu, 28}, {2002, 2, Sun, 24}, "Dw", 1},
        {"the Monday after", {2002, 2, Thu, 28}, {2002, 3, Mon, 4}, "DwM", 1},
        {"the same day a year before", {2002, 2, Thu, 28}, {2001, 2, Wed, 28}, "DwMY", 1},
        {"a Sunday back to its Monday", {2002, 3, Sun, 3}, {2002, 2, Mon, 25}, "DM", 1},
        {"a Sunday to the Sunday before", {2002, 3, Sun, 3}, {2002, 2, Sun, 24}, "DwM", 1},
        {"a Saturday to its Sunday", {2002, 3, Sat, 2}, {2002, 3, Sun, 3}, "D", 1},
        {"a wrong stored weekday is mended", {2002, 5, 9, 20}, {2002, 5, Mon, 20}, "", 1},
        {"a weekday out of range", {2002, 5, 7, 22}, {2002, 5, Mon, 20}, "Dw", 1},
        // A stored date that never was gets no line, and its week has ended.
        {"29 February 2002", {2002, 2, Fri, 29}, {2002, 5, Mon, 20}, "dwm", 1},
        {"every field at its largest", {Max, Max, Max, Max}, {2002, 5, Mon, 20}, "dwmy", 1},
        // A today that is not a real date with its own weekday asks for nothing.
        {"today in month 13", {2002, 5, Mon, 20}, {2002, 13, Mon, 1}, "", 0},
        {"today with a wrong weekday", {2002, 5, Mon, 20}, {2002, 5, Mon, 21}, "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        Lines.clear();
        const uint32_t* s = c.stored;
        ClickCounts set = {
            {101, 102, 103, 104, 105, 106}, {11, 12, 13, 14, 15}, s[0], s[1], s[2], s[3], 0};
        // The lines are dated with the finished period.
        ClickCounts want = set;
        std::string lines;
        for (int p = PeriodDay; p <= PeriodYear; p++) {
            if (strchr(c.closes, "-DWMY"[p]) || strchr(c.closes, "-dwmy"[p]))
                want.Last[p] = want.Current[p], want.Current[p] = 0;
            if (strchr(c.closes, "-D-MY"[p]))
                lines += Line(p, s[0], s[1], s[3], want.Last[p]);
        }
        if (c.saves)
            want.DateYear = c.today[0], want.DateMonth = c.today[1], want.DateWeek = c.today[2],
            want.DateDay = c.today[3];
        EXPECT_EQ(c.saves, Roll(&set, At(c.today)));
        EXPECT_EQ(SetText(want), SetText(set));
        EXPECT_EQ(lines, Lines);
        EXPECT_FALSE(Roll(&set, At(c.today))) << "one rollover per change of date";
    }
}

TEST(Rollover, AClickDuringTheCloseLandsInTheNewPeriodAndTheLineMatchesLast) {
    Lines.clear();
    ClickCounts set = {{101, 102}, {}, 2002, 5, Mon, 20, 0};
    Roll(&set, At({2002, 5, Tue, 21}), [](int period, int32_t count) {
        AddClickToAll(Rolling); // the counting thread, while the line is written
        RecordLine(period, count);
    });
    EXPECT_EQ("1: 2002-5-20 102\n", Lines);
    EXPECT_EQ(102, set.Last[PeriodDay]);
    EXPECT_EQ(1, set.Current[PeriodDay]);
}

TEST(StatLines, DatePartTabCountCrLfForDayMonthAndYearOnly) {
    // Why, the period, the count, the line of 802-03-04 that fits exactly; null: none at all.
    std::tuple<const char*, int, int, const char*> cases[] = {
        {"a day", PeriodDay, 57, "0802-03-04\t57\r\n"},
        {"a month", PeriodMonth, 1234, "0802-03\t1234\r\n"},
        {"a year, the longest count", PeriodYear, INT32_MIN, "0802\t-2147483648\r\n"},
        {"the session has no file", PeriodSession, 5, nullptr},
        {"the week has no file", PeriodWeek, 5, nullptr},
        {"the total has no file", PeriodTotal, 5, nullptr},
    };
    for (auto [why, period, count, line] : cases)
        ExpectFitsExactly(why, line, FormatStatLine, period, 802, 3, 4, count);
    std::string f245(245, 'f'), longest = f245 + "\\Month.txt"; // 255 characters
    // Why, the folder, the period's name, the file; null: none.
    std::tuple<const char*, const char*, const char*, const char*> files[] = {
        {"no folder", nullptr, "Day", nullptr},
        {"an empty folder", "", "Day", nullptr},
        {"the longest", f245.c_str(), "Month", longest.c_str()},
    };
    for (auto [why, folder, name, file] : files)
        ExpectFitsExactly(why, file, FormatStatFileName, folder, name);
}

// Milliseconds since start-up, which wrap every 49.7 days.
TEST(SessionClock, CountsWholeSecondsAcrossAWrap) {
    EXPECT_EQ(0u, SessionSecondsAt(1999, 1000));
    EXPECT_EQ(2u, SessionSecondsAt(500, UINT32_MAX - 1500)) << "2.001 s across the wrap";
    EXPECT_EQ(UINT32_MAX / 1000, SessionSecondsAt(41, 42)) << "the longest session";
}
