#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/rollover.h"
#include "store/stat_lines.h"

namespace {

enum { Sun, Mon, Tue, Wed, Thu, Fri, Sat };

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

// The set whose lines are being recorded, and the lines as the files would
// receive them, each led by its file's name.
CounterSetFields* Recording;
std::vector<std::string> Lines;

void RecordLine(int period, int32_t count) {
    static const char* const Files[] = {"", "Day.txt", "", "Month.txt", "Year.txt"};
    char line[StatBufferSize];
    ASSERT_TRUE(FormatStatLine(line, sizeof line, period, Recording->DateYear, Recording->DateMonth,
                               Recording->DateDay, count))
        << "a line was asked for period " << period;
    Lines.push_back(std::string(Files[period]) + " " + line);
}

// The rollover as the program runs it, without the registry. Returns whether
// the set would have been saved.
int Roll(CounterSetFields* set, const CalendarTime& today) {
    Recording = set;
    RolloverPlan plan = PlanRollover(set, &today);
    if (!plan.NewDate)
        return 0;
    CloseEndedPeriods(set, &plan, RecordLine);
    SetStoredDate(set, &today);
    return 1;
}

CounterSetFields SetOn(const CalendarTime& stored) {
    CounterSetFields set = {};
    for (int p = 0; p < PeriodCount; p++)
        set.Current[p] = 101 + p;
    for (int p = 0; p < LastCount; p++)
        set.Last[p] = 11 + p;
    set.DateYear = stored.Year;
    set.DateMonth = stored.Month;
    set.DateWeek = stored.DayOfWeek;
    set.DateDay = stored.Day;
    return set;
}

void ExpectStoredDate(const CounterSetFields& set, const CalendarTime& date) {
    EXPECT_EQ(date.Year, set.DateYear);
    EXPECT_EQ(date.Month, set.DateMonth);
    EXPECT_EQ(date.Day, set.DateDay);
    EXPECT_EQ(date.DayOfWeek, set.DateWeek);
}

// Whether period p's figure moved: Last took the set's starting Current.
void ExpectMoved(const CounterSetFields& set, int p, bool moved, const char* why = "") {
    if (moved) {
        EXPECT_EQ(101 + p, set.Last[p]) << "period " << p << " closes " << why;
        EXPECT_EQ(0, set.Current[p]) << "period " << p << " starts again " << why;
    } else {
        EXPECT_EQ(11 + p, set.Last[p]) << "period " << p << " runs on " << why;
        EXPECT_EQ(101 + p, set.Current[p]) << "period " << p << " runs on " << why;
    }
}

void ExpectSessionAndTotalUntouched(const CounterSetFields& set) {
    EXPECT_EQ(101, set.Current[PeriodSession]);
    EXPECT_EQ(11, set.Last[PeriodSession]);
    EXPECT_EQ(106, set.Current[PeriodTotal]);
}

class Rollover : public testing::Test {
  protected:
    void SetUp() override {
        Lines.clear();
    }
};

} // namespace

TEST_F(Rollover, TheSameDateWritesAndSavesNothingHoweverOften) {
    CalendarTime today = Date(2002, 5, 22, Wed);
    CounterSetFields set = SetOn(today);
    CounterSetFields before = set;
    for (int i = 0; i < 1000; i++)
        EXPECT_FALSE(Roll(&set, today)) << "call " << i;
    EXPECT_TRUE(Lines.empty());
    EXPECT_EQ(0, memcmp(&before, &set, sizeof set));
}

TEST_F(Rollover, MondayToTuesdayClosesOnlyTheDay) {
    CounterSetFields set = SetOn(Date(2002, 5, 20, Mon));
    EXPECT_TRUE(Roll(&set, Date(2002, 5, 21, Tue)));
    EXPECT_EQ(std::vector<std::string>{"Day.txt 2002-05-20\t102\r\n"}, Lines);
    ExpectMoved(set, PeriodDay, true);
    ExpectMoved(set, PeriodWeek, false);
    ExpectMoved(set, PeriodMonth, false);
    ExpectMoved(set, PeriodYear, false);
    ExpectSessionAndTotalUntouched(set);
    ExpectStoredDate(set, Date(2002, 5, 21, Tue));
    EXPECT_FALSE(Roll(&set, Date(2002, 5, 21, Tue))) << "one rollover per date change";
}

TEST_F(Rollover, SaturdayToSundayLeavesTheWeekRunning) {
    CounterSetFields set = SetOn(Date(2002, 5, 25, Sat));
    EXPECT_TRUE(Roll(&set, Date(2002, 5, 26, Sun)));
    EXPECT_EQ(std::vector<std::string>{"Day.txt 2002-05-25\t102\r\n"}, Lines);
    ExpectMoved(set, PeriodDay, true);
    ExpectMoved(set, PeriodWeek, false);
    ExpectMoved(set, PeriodMonth, false);
}

TEST_F(Rollover, SundayToMondayClosesTheDayAndTheWeekWithoutAWeekLine) {
    CounterSetFields set = SetOn(Date(2002, 5, 26, Sun));
    EXPECT_TRUE(Roll(&set, Date(2002, 5, 27, Mon)));
    EXPECT_EQ(std::vector<std::string>{"Day.txt 2002-05-26\t102\r\n"}, Lines);
    ExpectMoved(set, PeriodDay, true);
    ExpectMoved(set, PeriodWeek, true);
    ExpectMoved(set, PeriodMonth, false);
    ExpectMoved(set, PeriodYear, false);
}

TEST_F(Rollover, NewYearsEveWritesDayMonthYearInThatOrderAndKeepsTheWeek) {
    CounterSetFields set = SetOn(Date(2002, 12, 31, Tue));
    EXPECT_TRUE(Roll(&set, Date(2003, 1, 1, Wed)));
    std::vector<std::string> expected = {"Day.txt 2002-12-31\t102\r\n",
                                         "Month.txt 2002-12\t104\r\n", "Year.txt 2002\t105\r\n"};
    EXPECT_EQ(expected, Lines);
    ExpectMoved(set, PeriodDay, true);
    ExpectMoved(set, PeriodWeek, false, "Monday 30 Dec to Sunday 5 Jan is one week");
    ExpectMoved(set, PeriodMonth, true);
    ExpectMoved(set, PeriodYear, true);
    ExpectSessionAndTotalUntouched(set);
    ExpectStoredDate(set, Date(2003, 1, 1, Wed));
}

TEST_F(Rollover, AStartAfterTwoMonthsClosesEachEndedKindOnce) {
    CounterSetFields set = SetOn(Date(2002, 3, 14, Thu));
    EXPECT_TRUE(Roll(&set, Date(2002, 5, 20, Mon)));
    std::vector<std::string> expected = {"Day.txt 2002-03-14\t102\r\n",
                                         "Month.txt 2002-03\t104\r\n"};
    EXPECT_EQ(expected, Lines);
    ExpectMoved(set, PeriodDay, true);
    ExpectMoved(set, PeriodWeek, true);
    ExpectMoved(set, PeriodMonth, true);
    ExpectMoved(set, PeriodYear, false);
    ExpectSessionAndTotalUntouched(set);
    ExpectStoredDate(set, Date(2002, 5, 20, Mon));
    EXPECT_EQ(1u, set.DateWeek);
}

TEST_F(Rollover, AClockSetBackWithinTheWeekClosesOnlyTheDayWithTheLaterDate) {
    CounterSetFields set = SetOn(Date(2002, 5, 22, Wed));
    EXPECT_TRUE(Roll(&set, Date(2002, 5, 20, Mon)));
    EXPECT_EQ(std::vector<std::string>{"Day.txt 2002-05-22\t102\r\n"}, Lines);
    ExpectMoved(set, PeriodWeek, false);
    ExpectStoredDate(set, Date(2002, 5, 20, Mon));
}

TEST_F(Rollover, AClockSetBackAcrossAYearClosesEveryFieldThatDiffers) {
    CounterSetFields set = SetOn(Date(2003, 1, 1, Wed));
    EXPECT_TRUE(Roll(&set, Date(2002, 12, 30, Mon)));
    std::vector<std::string> expected = {"Day.txt 2003-01-01\t102\r\n",
                                         "Month.txt 2003-01\t104\r\n", "Year.txt 2003\t105\r\n"};
    EXPECT_EQ(expected, Lines);
    ExpectMoved(set, PeriodWeek, false, "30 Dec is the Monday of 1 Jan's week");
}

TEST_F(Rollover, WeekBoundsIncludeTheirMondayAndSundayAcrossAMonthEnd) {
    // Thursday 28 Feb 2002: the week runs from Monday 25 Feb to Sunday 3 Mar.
    struct Case {
        CalendarTime today;
        bool weekEnds;
    } cases[] = {{Date(2002, 2, 25, Mon), false}, {Date(2002, 3, 3, Sun), false},
                 {Date(2002, 2, 24, Sun), true},  {Date(2002, 3, 4, Mon), true},
                 {Date(2003, 3, 1, Sat), true},   {Date(2001, 3, 1, Thu), true}};
    for (const Case& c : cases) {
        CounterSetFields set = SetOn(Date(2002, 2, 28, Thu));
        Roll(&set, c.today);
        ExpectMoved(set, PeriodWeek, c.weekEnds);
    }
    // From a Sunday the week reaches back six days to its Monday.
    for (const Case& c : {Case{Date(2002, 2, 25, Mon), false}, Case{Date(2002, 2, 24, Sun), true},
                          Case{Date(2002, 3, 4, Mon), true}}) {
        CounterSetFields set = SetOn(Date(2002, 3, 3, Sun));
        Roll(&set, c.today);
        ExpectMoved(set, PeriodWeek, c.weekEnds);
    }
}

TEST_F(Rollover, ADayWithoutClicksStillGetsItsLine) {
    CounterSetFields set = SetOn(Date(2002, 5, 20, Mon));
    set.Current[PeriodDay] = 0;
    Roll(&set, Date(2002, 5, 21, Tue));
    EXPECT_EQ(std::vector<std::string>{"Day.txt 2002-05-20\t0\r\n"}, Lines);
}

TEST_F(Rollover, AClickDuringTheCloseLandsInTheNewPeriodAndTheLineMatchesLast) {
    CounterSetFields set = SetOn(Date(2002, 5, 20, Mon));
    Recording = &set;
    CalendarTime tuesday = Date(2002, 5, 21, Tue);
    RolloverPlan plan = PlanRollover(&set, &tuesday);
    CloseEndedPeriods(&set, &plan, [](int period, int32_t count) {
        // The counting thread's click arriving while the line is written.
        AddClickToAll(Recording);
        RecordLine(period, count);
    });
    EXPECT_EQ(std::vector<std::string>{"Day.txt 2002-05-20\t102\r\n"}, Lines);
    EXPECT_EQ(102, set.Last[PeriodDay]);
    EXPECT_EQ(1, set.Current[PeriodDay]);
}

// Today's date after day, stepped by the test's own calendar.
static CalendarTime NextDay(CalendarTime day) {
    static const int Lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = day.Year % 4 == 0 && (day.Year % 100 != 0 || day.Year % 400 == 0);
    int length = Lengths[day.Month - 1] + (day.Month == 2 && leap);
    day.DayOfWeek = (day.DayOfWeek + 1) % 7;
    if (++day.Day > length) {
        day.Day = 1;
        if (++day.Month > 12) {
            day.Month = 1;
            day.Year++;
        }
    }
    return day;
}

static std::string DayLine(const CalendarTime& d) {
    char line[StatBufferSize];
    snprintf(line, sizeof line, "Day.txt %04d-%02d-%02d\t1\r\n", d.Year, d.Month, d.Day);
    return line;
}

TEST_F(Rollover, AYearStepByStepWithOneClickADay) {
    struct Case {
        int year;
        int newYearsWeekday;
        int days;
        int weekCloses;
    } cases[] = {{2003, Wed, 365, 52},
                 {2004, Thu, 366, 52},
                 {2012, Sun, 366, 53},
                 {2023, Sun, 365, 53},
                 {2002, Tue, 365, 52}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.year);
        Lines.clear();
        CalendarTime day = Date(c.year, 1, 1, c.newYearsWeekday);
        CounterSetFields set = SetOn(day);
        for (int p = 0; p < PeriodCount; p++)
            set.Current[p] = 0;

        std::vector<std::string> expected;
        std::vector<int> monthLengths;
        int weekCloses = 0, daysInWeek = 0, daysInMonth = 0;
        for (int i = 0; i < c.days; i++) {
            AddClickToAll(&set);
            daysInWeek++;
            daysInMonth++;
            expected.push_back(DayLine(day));
            CalendarTime today = NextDay(day);
            if (today.Month != day.Month) {
                char line[StatBufferSize];
                snprintf(line, sizeof line, "Month.txt %04d-%02d\t%d\r\n", day.Year, day.Month,
                         daysInMonth);
                expected.push_back(line);
                monthLengths.push_back(daysInMonth);
                daysInMonth = 0;
            }
            ASSERT_TRUE(Roll(&set, today));
            if (set.Current[PeriodWeek] == 0) {
                weekCloses++;
                EXPECT_EQ(Mon, today.DayOfWeek) << "a week closed on a day not a Monday";
                EXPECT_EQ(daysInWeek, set.Last[PeriodWeek]);
                if (weekCloses > 1) {
                    EXPECT_EQ(7, daysInWeek) << "a whole week has seven days";
                }
                daysInWeek = 0;
            }
            EXPECT_EQ(1, set.Last[PeriodDay]);
            day = today;
        }
        EXPECT_EQ(c.year + 1, day.Year);
        char yearLine[StatBufferSize];
        snprintf(yearLine, sizeof yearLine, "Year.txt %04d\t%d\r\n", c.year, c.days);
        expected.push_back(yearLine);
        EXPECT_EQ(expected, Lines);

        int dayLines = 0, monthLines = 0, yearLines = 0;
        for (const std::string& line : Lines) {
            dayLines += line.rfind("Day.txt", 0) == 0;
            monthLines += line.rfind("Month.txt", 0) == 0;
            yearLines += line.rfind("Year.txt", 0) == 0;
        }
        EXPECT_EQ(c.days, dayLines);
        EXPECT_EQ(12, monthLines);
        EXPECT_EQ(1, yearLines);
        EXPECT_EQ(c.weekCloses, weekCloses);
        EXPECT_EQ(c.days, set.Last[PeriodYear]);
        std::vector<int> lengths = {31, 28 + (c.days == 366), 31, 30, 31, 30, 31, 31, 30, 31, 30,
                                    31};
        EXPECT_EQ(lengths, monthLengths);
    }
}

TEST_F(Rollover, AStoredWeekdayOutOfRangeOnTodaysDateIsMendedWithoutClosing) {
    CalendarTime today = Date(2002, 5, 20, Mon);
    CounterSetFields set = SetOn(today);
    set.DateWeek = 9;
    EXPECT_TRUE(Roll(&set, today)) << "the mended date is saved";
    EXPECT_TRUE(Lines.empty());
    for (int p = PeriodDay; p <= PeriodYear; p++)
        ExpectMoved(set, p, false);
    ExpectStoredDate(set, today);
    EXPECT_FALSE(Roll(&set, today));
}

TEST_F(Rollover, AStoredDateThatIsNotRealClosesItsWeekAndWritesNoLine) {
    struct Case {
        const char* what;
        uint32_t year, month, weekday, day;
        bool month_closes, year_closes;
    } cases[] = {
        {"month 13", 2002, 13, Tue, 5, true, false},
        {"day 0", 2002, 5, Wed, 0, false, false},
        {"day 31 of April", 2002, 4, Wed, 31, true, false},
        {"29 February of a common year", 2002, 2, Fri, 29, true, false},
        {"year 65535", 65535, 5, Sun, 20, true, true},
        {"every field at its largest", UINT32_MAX, UINT32_MAX, UINT32_MAX, UINT32_MAX, true, true},
        {"the same day of a month that is not real", 2002, 0, Mon, 20, true, false},
    };
    CalendarTime today = Date(2002, 5, 20, Mon);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Lines.clear();
        CounterSetFields set = SetOn(today);
        set.DateYear = c.year;
        set.DateMonth = c.month;
        set.DateWeek = c.weekday;
        set.DateDay = c.day;
        EXPECT_TRUE(Roll(&set, today));
        EXPECT_TRUE(Lines.empty()) << "a line would carry a date that never was";
        ExpectMoved(set, PeriodDay, true);
        ExpectMoved(set, PeriodWeek, true);
        ExpectMoved(set, PeriodMonth, c.month_closes);
        ExpectMoved(set, PeriodYear, c.year_closes);
        ExpectSessionAndTotalUntouched(set);
        ExpectStoredDate(set, today);
        EXPECT_FALSE(Roll(&set, today)) << "today's date is now stored and is real";
    }
}

TEST_F(Rollover, AWeekdayOutOfRangeOnARealDateKeepsItsLinesButClosesTheWeek) {
    CounterSetFields set = SetOn(Date(2002, 5, 22, Wed));
    set.DateWeek = 9;
    EXPECT_TRUE(Roll(&set, Date(2002, 5, 23, Thu)));
    EXPECT_EQ(std::vector<std::string>{"Day.txt 2002-05-22\t102\r\n"}, Lines);
    ExpectMoved(set, PeriodWeek, true, "a week that cannot be placed has ended");
    ExpectStoredDate(set, Date(2002, 5, 23, Thu));
}

TEST_F(Rollover, ATodayThatIsNotARealDateAsksForNothing) {
    CounterSetFields set = SetOn(Date(2002, 5, 20, Mon));
    CounterSetFields before = set;
    for (const CalendarTime& bad : {Date(2002, 13, 1, Mon), Date(2002, 5, 21, Mon),
                                    Date(2002, 5, 0, Mon), Date(0, 0, 0, 0)}) {
        EXPECT_FALSE(Roll(&set, bad));
    }
    EXPECT_TRUE(Lines.empty());
    EXPECT_EQ(0, memcmp(&before, &set, sizeof set));
}
