// The counter store's rules: calendar arithmetic, the period rollover, the
// statistics lines and the registry value names.
#include "host_test.h"

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

std::vector<int> Fields(const CalendarTime& t) {
    return {t.Year, t.Month, t.DayOfWeek, t.Day, t.Hour, t.Minute, t.Second, t.Milliseconds};
}

} // namespace

TEST(CalendarTime, AddSecondsMovesAPlainDateTimeAndSetsItsWeekday) {
    struct Case {
        const char* why;
        int from[8], seconds, ok, to[8];
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
        const int* want = c.ok ? c.to : c.from; // a refusal leaves it
        EXPECT_EQ(std::vector<int>(want, want + 8), Fields(t)) << c.why;
    }
    EXPECT_FALSE(AddSeconds(nullptr, 1));
}

namespace {

// The set being rolled over and the lines it wrote, each led by its file.
ClickCounts* Rolling;
std::string Lines;
const char* const Files[] = {"", "Day ", "", "Month ", "Year "};

// The line of a period as its file holds it (the format has a table of its
// own below), led by the file's name.
std::string FileLine(int period, uint32_t year, uint32_t month, uint32_t day, int32_t count) {
    char line[StatBufferSize];
    EXPECT_TRUE(FormatStatLine(line, sizeof line, period, year, month, day, count));
    return std::string(Files[period]) + line;
}

void RecordLine(int period, int32_t count) {
    Lines += FileLine(period, Rolling->DateYear, Rolling->DateMonth, Rolling->DateDay, count);
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
        int today[8];       // year, month, weekday, day, then the time of day (0)
        const char* closes; // D day, W week, M month, Y year; lower case: without a line
        int saves;
    } cases[] = {
        {"the same date", {2002, 5, Wed, 22}, {2002, 5, Wed, 22}, "", 0},
        {"a week ends with its Sunday", {2002, 5, Sun, 26}, {2002, 5, Mon, 27}, "Dw", 1},
        {"New Year's Eve, within a week", {2002, 12, Tue, 31}, {2003, 1, Wed, 1}, "DMY", 1},
        {"everything ends", {2000, 12, Sun, 31}, {2001, 1, Mon, 1}, "DwMY", 1},
        {"the last day of the years", {30827, 12, Fri, 31}, {2002, 5, Mon, 20}, "DwMY", 1},
        {"a clock set back in the week", {2002, 5, Wed, 22}, {2002, 5, Mon, 20}, "D", 1},
        // Thursday 28 February 2002: its week is Monday 25 February to Sunday 3 March.
        {"the week's Monday", {2002, 2, Thu, 28}, {2002, 2, Mon, 25}, "D", 1},
        {"the week's Sunday", {2002, 2, Thu, 28}, {2002, 3, Sun, 3}, "DM", 1},
        {"the Sunday before", {2002, 2, Thu, 28}, {2002, 2, Sun, 24}, "Dw", 1},
        {"the Monday after", {2002, 2, Thu, 28}, {2002, 3, Mon, 4}, "DwM", 1},
        {"the same day a year before", {2002, 2, Thu, 28}, {2001, 2, Wed, 28}, "DwMY", 1},
        {"a Sunday back to its Monday", {2002, 3, Sun, 3}, {2002, 2, Mon, 25}, "DM", 1},
        {"a Sunday to the Sunday before", {2002, 3, Sun, 3}, {2002, 2, Sun, 24}, "DwM", 1},
        {"a Saturday to its Sunday", {2002, 3, Sat, 2}, {2002, 3, Sun, 3}, "D", 1},
        {"a Saturday to the Monday after", {2002, 3, Sat, 2}, {2002, 3, Mon, 4}, "Dw", 1},
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
                lines += FileLine(p, s[0], s[1], s[3], want.Last[p]);
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
    const int tuesday[8] = {2002, 5, Tue, 21};
    Roll(&set, At(tuesday), [](int period, int32_t count) {
        AddClickToAll(Rolling); // the counting thread, while the line is written
        RecordLine(period, count);
    });
    EXPECT_EQ("Day 2002-05-20\t102\r\n", Lines);
    EXPECT_EQ(102, set.Last[PeriodDay]);
    EXPECT_EQ(1, set.Current[PeriodDay]);
}

TEST(StatLines, DatePartTabCountCrLfForDayMonthAndYearOnly) {
    std::string f245(245, 'f'), f246 = f245 + "f", longest = f245 + "\\Month.txt";
    // Period, date, count, buffer size, the line; null: none, the buffer left empty.
    std::tuple<int, int, int, int, int, int, const char*> cases[] = {
        {PeriodDay, 802, 3, 4, 57, 256, "0802-03-04\t57\r\n"},
        {PeriodDay, 802, 3, 4, 57, 15, nullptr},
        {PeriodMonth, 2002, 3, 14, 1234, 256, "2002-03\t1234\r\n"},
        {PeriodYear, 802, 1, 2, INT32_MIN, 256, "0802\t-2147483648\r\n"},
        {PeriodSession, 2002, 3, 14, 5, 256, nullptr},
        {PeriodWeek, 2002, 3, 14, 5, 256, nullptr},
        {PeriodTotal, 2002, 3, 14, 5, 256, nullptr},
    };
    for (auto [period, year, month, day, count, size, line] : cases)
        ExpectBounded(std::to_string(period).c_str(), size, line, [&](char* out, int n) {
            return FormatStatLine(out, n, period, year, month, day, count);
        });
    std::tuple<const char*, const char*, const char*> files[] = {
        // file null: no file
        {"C:\\Program Files\\Tallywhirl", "Day", "C:\\Program Files\\Tallywhirl\\Day.txt"},
        {nullptr, "Day", nullptr},
        {"", "Day", nullptr},
        {f245.c_str(), "Month", longest.c_str()}, // 255 characters fit
        {f246.c_str(), "Month", nullptr},
    };
    for (auto [folder, name, file] : files)
        ExpectBounded(file, StatBufferSize, file, [&](char* out, int size) {
            return FormatStatFileName(out, size, folder, name);
        });
}

// Milliseconds since start-up, which wrap every 49.7 days.
TEST(SessionClock, CountsWholeSecondsAcrossAWrap) {
    EXPECT_EQ(0u, SessionSecondsAt(1999, 1000));
    EXPECT_EQ(2u, SessionSecondsAt(500, UINT32_MAX - 1500)) << "2.001 s across the wrap";
    EXPECT_EQ(UINT32_MAX / 1000, SessionSecondsAt(41, 42)) << "the longest session";
}
