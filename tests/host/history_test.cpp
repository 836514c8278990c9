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
    // Year, month, the tail, whether it is the whole file, the bars, the oldest slot's month.
    std::tuple<uint32_t, uint32_t, const char*, int, const char*, uint32_t> cases[] = {
        {2003, 2, "2002-02\t1\r\n2002-03\t2\r\n2002-12\t3\r\n2003-01\t4\r\n2003-02\t99\r\n", 1,
         "2002-03=2 2002-12=3 2003-01=4 2003-02=5", 3},
        {2002, 12, "2002-01\t1\r\n2002-11\t3\r\n", 1, "2002-01=1 2002-11=3 2002-12=5", 1},
        // A mid-line tail, a day line, repeats, order, future and negative counts.
        {2003, 1,
         "02\t1\r\n2002-06\t6\r\n2002-06\t7\r\n2002-05\t5\r\n2002-07-01\t8\r\n2003-03\t9\r\n"
         "2002-08\t-3\r\n2002-09\t4",
         0, "2002-06=7 2003-01=5", 2},
    };
    for (auto [year, month, tail, wholeFile, bars, first] : cases) {
        HistorySlot slots[HistoryMonths];
        ASSERT_TRUE(ReadMonthHistory(tail, static_cast<int>(strlen(tail)), wholeFile, year, month,
                                     5, slots));
        EXPECT_EQ(bars, Bars(slots, HistoryMonths)) << tail;
        EXPECT_EQ(first, slots[0].Month) << tail;
    }
    HistorySlot slots[HistoryMonths];
    EXPECT_FALSE(ReadMonthHistory("", 0, 1, 2003, 13, 5, slots)) << "month 13 is no month";
}

TEST(History, ScaleBarsAndLabels) {
    const int64_t Big = 5000000000LL; // the top over the largest count, beyond 32 bits
    std::tuple<int32_t, int64_t> tops[] = {{-5, 1},      {1, 1},       {2, 2},          {3, 5},
                                           {6, 10},      {10, 10},     {11, 20},        {51, 100},
                                           {1999, 2000}, {2001, 5000}, {INT32_MAX, Big}};
    for (auto [largest, top] : tops)
        EXPECT_EQ(top, ReadableTop(largest)) << "the top over a largest figure " << largest;
    HistorySlot some[] = {{2003, 1, 1, 1, 7}, {2003, 1, 2, 0, 99}, {2003, 1, 3, 1, 3}};
    EXPECT_EQ(7, LargestFigure(some, 3)) << "a slot without a figure has no height to scale";

    // Whether the slot has a figure, its count, the top, the chart's height, the bar's.
    std::tuple<int, int32_t, int64_t, int, int> bars[] = {
        {0, 50, 100, 100, 0},  {1, 0, 100, 100, 0},
        {1, 50, 100, 100, 50}, {1, 200, 100, 100, 100},
        {1, 14, 1000, 100, 1}, {1, 15, 1000, 100, 2},
        {1, 1, 1000, 100, 1},  {1, INT32_MAX, Big, 1000, 429},
        {1, 1, 0, 10, 10},     {1, 5, 10, 0, 0}};
    for (auto [hasFigure, count, top, chartHeight, pixels] : bars) {
        HistorySlot slot = {2003, 1, 10, hasFigure, count};
        EXPECT_EQ(pixels, BarHeight(&slot, top, chartHeight)) << count << " of " << top;
    }
    std::tuple<int, int, int> labels[] = {{14, 14, 1},  {7, 14, 2},  {6, 14, 3},
                                          {1, 100, 31}, {0, 14, 31}, {10, 0, 1}};
    for (auto [barWidth, labelWidth, every] : labels)
        EXPECT_EQ(every, LabelEvery(barWidth, labelWidth)) << barWidth << " " << labelWidth;
    std::string labelled;
    for (int slot = -1; slot <= HistoryDays; slot++)
        labelled += IsDayLabelled(slot, 7) ? std::to_string(slot) + " " : "";
    EXPECT_EQ("2 9 16 23 30 ", labelled) << "every 7th day, counted back from today";
}

// The line of figures under the charts: the best day with its date, the
// average over the days with a figure, the total; and whether the chart says
// that no day has finished.
TEST(History, SummaryLine) {
    const char SummaryFormat[] = "Best day %04u-%02u-%02u: %d. Average %d a day. Total %s.";
    // The tail, the running count, the line, whether no day has finished.
    std::tuple<const char*, int32_t, const char*, int> cases[] = {
        {"2003-01-01\t-4\r\n", 5, "Best day 2003-01-10: 5. Average 5 a day. Total 5.", 1},
        {"", -1, "", 1},
        // A tie goes to the later day; 19 / 3 is 6.33.
        {"2002-12-20\t8\r\n2003-01-05\t8\r\n", 3,
         "Best day 2003-01-05: 8. Average 6 a day. Total 19.", 0},
        {"2003-01-01\t2\r\n", 1, "Best day 2003-01-01: 2. Average 2 a day. Total 3.", 0},
        // Days with a 0 count are counted, days without a line are not.
        {"2003-01-01\t0\r\n2003-01-02\t0\r\n", 10,
         "Best day 2003-01-10: 10. Average 3 a day. Total 10.", 0},
        {"2003-01-01\t2147483647\r\n2003-01-02\t2147483647\r\n2003-01-03\t2147483647\r\n",
         INT32_MAX, "Best day 2003-01-10: 2147483647. Average 2147483647 a day. Total 8589934588.",
         0},
        {"2003-01-01\t1000000000\r\n2003-01-02\t1000000000\r\n", 0,
         "Best day 2003-01-02: 1000000000. Average 666666667 a day. Total 2000000000.", 0},
    };
    for (auto [tail, running, want, noFinishedDays] : cases) {
        HistorySlot slots[HistoryDays];
        ASSERT_TRUE(
            ReadDayHistory(tail, static_cast<int>(strlen(tail)), 1, 2003, 1, 10, running, slots));
        HistorySummary s;
        SummariseDays(slots, &s);
        auto summary = [&](char* out, int size) {
            return FormatHistorySummary(out, size, SummaryFormat, &s);
        };
        ExpectBounded(tail, 160, want, summary);
        ExpectBounded(tail, 40, *want ? nullptr : "", summary);
        EXPECT_EQ(noFinishedDays, !HasFinishedFigure(slots, HistoryDays)) << tail;
    }
}
