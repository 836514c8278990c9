// The history page's figures: the tails of Day.txt and Month.txt read back,
// the scale, the bars, the labels and the line of figures under them.
#include "host_test.h"

// "MM-DD=count" for each day slot with a bar, "YYYY-MM=count" for each month
// slot, oldest first.
static std::string Bars(const HistorySlot* slots, int count) {
    std::string shown;
    for (const HistorySlot* s = slots; s < slots + count; s++)
        shown += !s->HasFigure ? ""
                 : s->Day      ? Printed(" %02u-%02u=%d", s->Month, s->Day, s->Count)
                               : Printed(" %04u-%02u=%d", s->Year, s->Month, s->Count);
    return shown.empty() ? shown : shown.substr(1);
}

// Today is Friday 10 January 2003: the 31 days run from 11 December 2002.
TEST(History, DayTailsGiveOneBarPerDayWithALine) {
    // Why, the tail, whether it is the whole file, the running count, the bars.
    std::tuple<const char*, const char*, int, int32_t, const char*> cases[] = {
        {"across the new year, from the range's first day on; no date is no line",
         "2002-12-10\t4\r\n2002-12-11\t5\r\n2002-12-32\t9\r\n2002-12-31\t7\r\n2003-01-09\t0\r\n", 1,
         9, "12-11=5 12-31=7 01-09=0 01-10=9"},
        {"a tail's first line is dropped even when it looks whole",
         "2003-01-01\t3\r\n2003-01-02\t6\r\n", 0, 9, "01-02=6 01-10=9"},
        {"a tail without any line end has no lines", "2003-01-0", 0, 9, "01-10=9"},
        {"a line ended by LF alone, or a last line without CR LF, is not as written",
         "2003-01-01\t3\n2003-01-02\t4\r\n2003-01-03\t6\r", 1, 9, "01-02=4 01-10=9"},
        {"lines not exactly as written are skipped, and override and block nothing",
         "2003-01-02\t3\r\nhello\r\n\r\n2003-1-02\t4\r\n2003-01-002\t4\r\n02003-01-02\t4\r\n"
         "2003-01-02\t+4\r\n2003-01-02\t04\r\n2003-01-02\t-0\r\n2003-01-02 4\r\n"
         "2003-01-02\t4 \r\n2003-01-02\t\r\n2003-01-02\t2147483648\r\n2003-01-05\t8\r\n",
         1, 9, "01-02=3 01-05=8 01-10=9"},
        {"of one date the last line; a date before one taken, future lines, today's: ignored",
         "2003-01-01\t3\r\n2003-01-01\t5\r\n2003-01-05\t5\r\n2003-01-03\t3\r\n2003-01-11\t5\r\n"
         "2004-01-01\t1\r\n2003-01-10\t50\r\n2003-01-08\t8\r\n",
         1, 9, "01-01=5 01-05=5 01-08=8 01-10=9"},
        {"negative counts draw no bar, even over an earlier line; nor does the running count",
         "2003-01-02\t4\r\n2003-01-02\t-1\r\n2003-01-03\t-2147483648\r\n2003-01-04\t2147483647\r\n",
         1, -1, "01-04=2147483647"},
        {"no file leaves today alone", nullptr, 1, 0, "01-10=0"},
    };
    for (auto [why, tail, wholeFile, running, bars] : cases) {
        HistorySlot slots[HistoryDays];
        int length = tail ? static_cast<int>(strlen(tail)) : 0;
        ASSERT_TRUE(ReadDayHistory(tail, length, wholeFile, 2003, 1, 10, running, slots));
        EXPECT_EQ(bars, Bars(slots, HistoryDays)) << why;
    }
    HistorySlot slots[HistoryDays];
    EXPECT_FALSE(ReadDayHistory("", 0, 1, 2003, 2, 29, 9, slots)) << "today is no real date";
    EXPECT_EQ("", Bars(slots, HistoryDays));
}

TEST(History, MonthSlotsAreTheTwelveMonthsEndingWithThisOne) {
    // Why, year and month, the tail, whether it is the whole file, the bars.
    std::tuple<const char*, uint32_t, uint32_t, const char*, int, const char*> cases[] = {
        {"across the new year, from the range's first month on", 2003, 2,
         "2002-02\t1\r\n2002-03\t2\r\n2002-12\t3\r\n2003-01\t4\r\n2003-02\t99\r\n", 1,
         "2002-03=2 2002-12=3 2003-01=4 2003-02=5"},
        {"December's range starts in January", 2002, 12, "2002-01\t1\r\n2002-11\t3\r\n", 1,
         "2002-01=1 2002-11=3 2002-12=5"},
        {"a mid-line tail, a day line, repeats, order, future and negative counts", 2003, 1,
         "02\t1\r\n2002-06\t6\r\n2002-06\t7\r\n2002-05\t5\r\n2002-07-01\t8\r\n2003-03\t9\r\n"
         "2002-08\t-3\r\n2002-09\t4",
         0, "2002-06=7 2003-01=5"},
    };
    for (auto [why, year, month, tail, wholeFile, bars] : cases) {
        HistorySlot slots[HistoryMonths];
        ASSERT_TRUE(ReadMonthHistory(tail, static_cast<int>(strlen(tail)), wholeFile, year, month,
                                     5, slots));
        EXPECT_EQ(bars, Bars(slots, HistoryMonths)) << why;
    }
    HistorySlot slots[HistoryMonths];
    EXPECT_FALSE(ReadMonthHistory("", 0, 1, 2003, 13, 5, slots)) << "month 13 is no month";
}

TEST(History, ScaleBarsAndLabels) {
    const int64_t Big = 5000000000LL; // the top over the largest count, beyond 32 bits
    std::tuple<const char*, int32_t, int64_t> tops[] = {
        {"nothing counted", -5, 1}, {"a 2 exactly", 2, 2},       {"over a 2, a 5", 3, 5},
        {"over a 5, a 10", 6, 10},  {"over a 10, a 20", 11, 20}, {"over 32 bits", INT32_MAX, Big}};
    for (auto [name, largest, top] : tops)
        EXPECT_EQ(top, ReadableTop(largest)) << name;
    HistorySlot some[] = {{2003, 1, 1, 1, 7}, {2003, 1, 2, 0, 99}, {2003, 1, 3, 1, 3}};
    EXPECT_EQ(7, LargestFigure(some, 3)) << "a slot without a figure has no height to scale";

    // Why; whether the slot has a figure, its count, the top, the chart's height, the bar's.
    std::tuple<const char*, int, int32_t, int64_t, int, int> bars[] = {
        {"no figure", 0, 50, 100, 100, 0},
        {"a count of 0", 1, 0, 100, 100, 0},
        {"above the top", 1, 200, 100, 100, 100},
        {"1.4 rounds down", 1, 14, 1000, 100, 1},
        {"1.5 rounds up", 1, 15, 1000, 100, 2},
        {"0.1 is at least 1", 1, 1, 1000, 100, 1},
        {"over 32 bits", 1, INT32_MAX, Big, 1000, 429},
        {"no top", 1, 1, 0, 10, 10},
        {"no chart", 1, 5, 10, 0, 0}};
    for (auto [name, hasFigure, count, top, chartHeight, pixels] : bars) {
        HistorySlot slot = {2003, 1, 10, hasFigure, count};
        EXPECT_EQ(pixels, BarHeight(&slot, top, chartHeight)) << name;
    }
    // Why, the bar's width, the label's, every how many days a label.
    std::tuple<const char*, int, int, int> labels[] = {{"two bars a label", 7, 14, 2},
                                                       {"a part of a bar is a bar", 6, 14, 3},
                                                       {"at most the days", 1, 100, 31},
                                                       {"no bar width", 0, 14, 31},
                                                       {"no label width", 10, 0, 1}};
    for (auto [name, barWidth, labelWidth, every] : labels)
        EXPECT_EQ(every, LabelEvery(barWidth, labelWidth)) << name;
    std::string labelled;
    for (int slot = -1; slot <= HistoryDays; slot++)
        labelled += IsDayLabelled(slot, 7) ? std::to_string(slot) + " " : "";
    EXPECT_EQ("2 9 16 23 30 ", labelled) << "every 7th day, counted back from today";
}

// The line of figures under the charts: the best day with its date, the
// average over the days with a figure, the total; and whether the chart says
// that no day has finished. The format takes the arguments of the page's.
TEST(History, SummaryLine) {
    // Why, the tail, the running count, "best day, its count, the average, the total", whether
    // no day has finished.
    std::tuple<const char*, const char*, int32_t, const char*, int> cases[] = {
        {"a negative count has no figure", "2003-01-01\t-4\r\n", 5, "2003-01-10 5 5 5", 1},
        {"no figure at all has no line", "", -1, "", 1},
        {"a tie goes to the later day; 19 / 3 is 6.33", "2002-12-20\t8\r\n2003-01-05\t8\r\n", 3,
         "2003-01-05 8 6 19", 0},
        {"a half rounds up", "2003-01-01\t2\r\n", 1, "2003-01-01 2 2 3", 0},
        {"days with a 0 count are counted, days without a line are not",
         "2003-01-01\t0\r\n2003-01-02\t0\r\n", 10, "2003-01-10 10 3 10", 0},
        {"a total beyond 32 bits",
         "2003-01-01\t2147483647\r\n2003-01-02\t2147483647\r\n2003-01-03\t2147483647\r\n",
         INT32_MAX, "2003-01-10 2147483647 2147483647 8589934588", 0},
        {"two thirds round up", "2003-01-01\t1000000000\r\n2003-01-02\t1000000000\r\n", 0,
         "2003-01-02 1000000000 666666667 2000000000", 0},
    };
    for (auto [why, tail, running, want, noFinishedDays] : cases) {
        HistorySlot slots[HistoryDays];
        ASSERT_TRUE(
            ReadDayHistory(tail, static_cast<int>(strlen(tail)), 1, 2003, 1, 10, running, slots));
        HistorySummary s;
        SummariseDays(slots, &s);
        ExpectFitsExactly(why, want, FormatHistorySummary, "%04u-%02u-%02u %d %d %s", &s);
        EXPECT_EQ(noFinishedDays, !HasFinishedFigure(slots, HistoryDays)) << why;
    }
}
