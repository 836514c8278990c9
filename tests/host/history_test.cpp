#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "store/history.h"

namespace {

// "MM-DD=count" for each day slot with a bar, "YYYY-MM=count" for each month
// slot, oldest first.
std::string Bars(const HistorySlot* slots, int count) {
    std::string shown;
    for (int i = 0; i < count; i++) {
        const HistorySlot& s = slots[i];
        char one[48];
        if (s.Day)
            snprintf(one, sizeof one, " %02u-%02u=%d", s.Month, s.Day, s.Count);
        else
            snprintf(one, sizeof one, " %04u-%02u=%d", s.Year, s.Month, s.Count);
        if (s.HasFigure)
            shown += one;
    }
    return shown.empty() ? shown : shown.substr(1);
}

} // namespace

// Today is Friday 10 January 2003: the 31 days run from 11 December 2002.
TEST(History, DayTailsGiveOneBarPerDayWithALine) {
    struct Case {
        const char* why;
        const char* tail;
        int wholeFile;
        int32_t running;
        const char* bars;
    };
    static const Case cases[] = {
        {"well-formed lines across the new year, the first day of the range included",
         "2002-12-11\t5\r\n2002-12-31\t7\r\n2003-01-09\t0\r\n", 1, 9,
         "12-11=5 12-31=7 01-09=0 01-10=9"},
        {"a tail that begins in the middle of a line drops that piece",
         "-30\t4\r\n2003-01-02\t6\r\n", 0, 9, "01-02=6 01-10=9"},
        {"a tail's first line is dropped even when it looks whole",
         "2003-01-01\t3\r\n2003-01-02\t6\r\n", 0, 9, "01-02=6 01-10=9"},
        {"a tail without any line end has no lines", "2003-01-0", 0, 9, "01-10=9"},
        {"a line ended by LF alone, or a last line without CR LF, is not as written",
         "2003-01-01\t3\n2003-01-02\t4\r\n2003-01-03\t6", 1, 9, "01-02=4 01-10=9"},
        {"a line cut short runs into the next, and both are lost",
         "2003-01-01\t32003-01-02\t6\r\n2003-01-03\t1\r\n", 1, 9, "01-03=1 01-10=9"},
        {"lines not exactly as written are skipped and block nothing",
         "2003-01-01\t3\r\nhello\r\n\r\n2003-1-02\t4\r\n2003-01-002\t4\r\n02003-01-02\t4\r\n"
         "2003-01-02\t+4\r\n2003-01-02\t04\r\n2003-01-02\t-0\r\n2003-01-02 4\r\n"
         "2003-01-02\t4 \r\n2003-01-02\t\r\n2003-01-02\t2147483648\r\n2002-12-32\t4\r\n"
         "2003-01-05\t8\r\n",
         1, 9, "01-01=3 01-05=8 01-10=9"},
        {"a repeated date keeps the last line's figure",
         "2003-01-01\t3\r\n2003-01-01\t5\r\n2003-01-01\t4\r\n", 1, 9, "01-01=4 01-10=9"},
        {"a date earlier than one already taken is ignored",
         "2003-01-05\t5\r\n2003-01-03\t3\r\n2003-01-06\t6\r\n", 1, 9, "01-05=5 01-06=6 01-10=9"},
        {"future lines are ignored and hide no later line; today's is the running count",
         "2003-01-11\t5\r\n2004-01-01\t1\r\n2003-01-10\t50\r\n2003-01-08\t8\r\n", 1, 9,
         "01-08=8 01-10=9"},
        {"dates before the range are ignored",
         "2002-11-30\t1\r\n2002-12-10\t4\r\n2002-12-11\t5\r\n", 1, 9, "12-11=5 01-10=9"},
        {"a negative count draws no bar, even over an earlier line",
         "2003-01-02\t4\r\n2003-01-02\t-1\r\n2003-01-03\t-2147483648\r\n2003-01-04\t2147483647\r\n",
         1, 9, "01-04=2147483647 01-10=9"},
        {"a negative running count draws no bar for today", "2003-01-09\t1\r\n", 1, -1, "01-09=1"},
        {"an empty file leaves today alone", "", 1, 0, "01-10=0"},
    };
    for (const Case& c : cases) {
        HistorySlot slots[HistoryDays];
        ASSERT_TRUE(ReadDayHistory(c.tail, static_cast<int>(strlen(c.tail)), c.wholeFile, 2003, 1,
                                   10, c.running, slots));
        EXPECT_EQ(c.bars, Bars(slots, HistoryDays)) << c.why;
    }
    HistorySlot slots[HistoryDays];
    ASSERT_TRUE(ReadDayHistory(nullptr, 0, 1, 2003, 1, 10, 9, slots)) << "no file";
    EXPECT_EQ("01-10=9", Bars(slots, HistoryDays)) << "no file leaves today alone";
    EXPECT_FALSE(ReadDayHistory("", 0, 1, 2003, 2, 29, 9, slots)) << "today is no real date";
    EXPECT_EQ("", Bars(slots, HistoryDays));
}

TEST(History, MonthSlotsAreTheTwelveMonthsEndingWithThisOne) {
    struct Case {
        const char* why;
        uint32_t year, month;
        const char* tail;
        int wholeFile;
        const char* bars;
        const char* first; // the oldest slot's short name
    };
    static const Case cases[] = {
        {"February: the range begins in March of the year before", 2003, 2,
         "2002-02\t1\r\n2002-03\t2\r\n2002-12\t3\r\n2003-01\t4\r\n2003-02\t99\r\n", 1,
         "2002-03=2 2002-12=3 2003-01=4 2003-02=5", "Mar"},
        {"January: the range begins in February of the year before", 2003, 1,
         "2002-01\t1\r\n2002-02\t2\r\n2002-12\t3\r\n", 1, "2002-02=2 2002-12=3 2003-01=5", "Feb"},
        {"December: the range is one calendar year", 2002, 12, "2002-01\t1\r\n2002-11\t3\r\n", 1,
         "2002-01=1 2002-11=3 2002-12=5", "Jan"},
        {"mid-line tail, a day line, repeats, order, future and negative counts", 2003, 2,
         "02\t1\r\n2002-06\t6\r\n2002-06\t7\r\n2002-05\t5\r\n2002-07-01\t8\r\n2003-03\t9\r\n"
         "2002-08\t-3\r\n2002-09\t4",
         0, "2002-06=7 2003-02=5", "Mar"},
    };
    for (const Case& c : cases) {
        HistorySlot slots[HistoryMonths];
        ASSERT_TRUE(ReadMonthHistory(c.tail, static_cast<int>(strlen(c.tail)), c.wholeFile, c.year,
                                     c.month, 5, slots));
        EXPECT_EQ(c.bars, Bars(slots, HistoryMonths)) << c.why;
        EXPECT_STREQ(c.first, MonthShortName(slots[0].Month)) << c.why;
    }
    HistorySlot slots[HistoryMonths];
    EXPECT_FALSE(ReadMonthHistory("", 0, 1, 2003, 13, 5, slots)) << "month 13 is no month";
    EXPECT_STREQ("", MonthShortName(0));
}

TEST(History, ScaleBarsAndLabels) {
    struct Top {
        int32_t largest;
        int64_t top;
    };
    static const Top tops[] = {{-5, 1},  {0, 1},   {1, 1},   {2, 2},    {3, 5},       {6, 10},
                               {10, 10}, {11, 20}, {21, 50}, {51, 100}, {1999, 2000}, {2001, 5000}};
    for (const auto& t : tops)
        EXPECT_EQ(t.top, ReadableTop(t.largest)) << "the top over a largest figure " << t.largest;
    EXPECT_EQ(5000000000LL, ReadableTop(INT32_MAX)) << "the largest count's top is beyond 32 bits";
    HistorySlot some[] = {{2003, 1, 1, 1, 7}, {2003, 1, 2, 0, 99}, {2003, 1, 3, 1, 3}};
    EXPECT_EQ(7, LargestFigure(some, 3)) << "a slot without a figure has no height to scale";

    static const struct {
        const char* why;
        int hasFigure;
        int32_t count;
        int64_t top;
        int chartHeight, pixels;
    } bars[] = {
        {"no figure, no bar", 0, 50, 100, 100, 0},
        {"a zero count has no height", 1, 0, 100, 100, 0},
        {"half the top, half the chart", 1, 50, 100, 100, 50},
        {"the top fills the chart", 1, 100, 100, 100, 100},
        {"above the top, still the chart", 1, 200, 100, 100, 100},
        {"1.4 pixels round down", 1, 14, 1000, 100, 1},
        {"1.5 pixels round up", 1, 15, 1000, 100, 2},
        {"2.5 pixels round up", 1, 25, 1000, 100, 3},
        {"a tenth of a pixel shows as one", 1, 1, 1000, 100, 1},
        {"the largest count without overflow: 429.49", 1, INT32_MAX, 5000000000LL, 1000, 429},
        {"a top below 1 counts as 1", 1, 1, 0, 10, 10},
        {"no chart, no bar", 1, 5, 10, 0, 0},
    };
    for (const auto& b : bars) {
        HistorySlot slot = {2003, 1, 10, b.hasFigure, b.count};
        EXPECT_EQ(b.pixels, BarHeight(&slot, b.top, b.chartHeight)) << b.why;
    }

    static const struct {
        int barWidth, labelWidth, every;
    } labels[] = {{20, 14, 1}, {14, 14, 1},  {10, 14, 2}, {7, 14, 2},
                  {6, 14, 3},  {1, 100, 31}, {0, 14, 31}, {10, 0, 1}};
    for (const auto& l : labels)
        EXPECT_EQ(l.every, LabelEvery(l.barWidth, l.labelWidth))
            << l.barWidth << " pixels a bar, labels " << l.labelWidth << " wide";
    std::string labelled;
    for (int slot = -1; slot <= HistoryDays; slot++)
        if (IsDayLabelled(slot, 7))
            labelled += std::to_string(slot) + " ";
    EXPECT_EQ("2 9 16 23 30 ", labelled) << "every 7th day, counted back from today";
}

// The line of figures under the charts: the best day with its date, the
// average over the days with a figure, the total; and whether the chart says
// that no day has finished.
TEST(History, SummaryLine) {
    struct Case {
        const char* why;
        const char* tail;
        int32_t running;
        const char* line;
        int noFinishedDays;
    };
    static const Case cases[] = {
        {"only a negative line: no finished day, today alone", "2003-01-01\t-4\r\n", 5,
         "Best day 2003-01-10: 5. Average 5 a day. Total 5.", 1},
        {"no lines and no running figure", "", -1, "", 1},
        {"a tie goes to the later day; 19 / 3 is 6.33", "2002-12-20\t8\r\n2003-01-05\t8\r\n", 3,
         "Best day 2003-01-05: 8. Average 6 a day. Total 19.", 0},
        {"an average of 1.5 rounds up to 2", "2003-01-01\t2\r\n", 1,
         "Best day 2003-01-01: 2. Average 2 a day. Total 3.", 0},
        {"days with 0 count, days without a line do not; 10 / 3 is 3.33",
         "2003-01-01\t0\r\n2003-01-02\t0\r\n", 10,
         "Best day 2003-01-10: 10. Average 3 a day. Total 10.", 0},
        {"the total goes beyond 32 bits, and beyond nine digits",
         "2003-01-01\t2147483647\r\n2003-01-02\t2147483647\r\n2003-01-03\t2147483647\r\n",
         INT32_MAX, "Best day 2003-01-10: 2147483647. Average 2147483647 a day. Total 8589934588.",
         0},
        {"a total with a zero after its first nine digits' part",
         "2003-01-01\t1000000000\r\n2003-01-02\t1000000000\r\n", 0,
         "Best day 2003-01-02: 1000000000. Average 666666667 a day. Total 2000000000.", 0},
    };
    for (const Case& c : cases) {
        HistorySlot slots[HistoryDays];
        ASSERT_TRUE(ReadDayHistory(c.tail, static_cast<int>(strlen(c.tail)), 1, 2003, 1, 10,
                                   c.running, slots));
        HistorySummary s;
        SummariseDays(slots, &s);
        char line[160] = "junk";
        EXPECT_TRUE(FormatHistorySummary(line, sizeof line, &s)) << c.why;
        EXPECT_STREQ(c.line, line) << c.why;
        EXPECT_EQ(c.noFinishedDays, s.NoFinishedDays) << c.why;
        EXPECT_EQ(c.noFinishedDays, !HasFinishedFigure(slots, HistoryDays)) << c.why;
        if (*c.line) {
            char small[40] = "junk";
            EXPECT_FALSE(FormatHistorySummary(small, sizeof small, &s)) << c.why;
            EXPECT_STREQ("", small) << c.why;
        }
    }
}
