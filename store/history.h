#pragma once
// The figures of the history page: the last 31 days and the last 12 months,
// read from the tails of Day.txt and Month.txt. Platform-free.

#include <cstdint>

enum {
    HistoryDays = 31,
    HistoryMonths = 12,
    HistoryTailBytes = 65536, // the most of a file that is read
};

// One bar of a chart. Day is 0 in a month slot.
struct HistorySlot {
    uint32_t Year, Month, Day;
    int HasFigure; // 0: no line, or a negative count, so no bar
    int32_t Count;
};

struct HistorySummary {
    int HasBest;                           // 0 when no day has a figure
    uint32_t BestYear, BestMonth, BestDay; // the later day on a tie
    int32_t BestCount;
    int32_t Average; // over the days with a figure, halves up
    int64_t Total;   // of the 31 days, today included
};

// Fills slots[HistoryDays] with the 31 days ending today, oldest first, from
// a tail of Day.txt: its last bytes, at most HistoryTailBytes, with wholeFile
// set when they start at the file's beginning; otherwise the first line is
// dropped, as it may be cut. Today's slot takes runningDay, never a line. A
// line counts only exactly as the program writes it, CR LF included, and
// dated before today: later lines are ignored, and so is a line dated before
// one already taken; of lines with one date the last wins. A negative count
// leaves its slot without a figure. Returns 0 with every slot empty when
// today is not a real date.
int ReadDayHistory(const char* tail, int length, int wholeFile, uint32_t year, uint32_t month,
                   uint32_t day, int32_t runningDay, HistorySlot* slots);

// The same for slots[HistoryMonths] from the tail of Month.txt, the last
// slot being this month with the running Month count.
int ReadMonthHistory(const char* tail, int length, int wholeFile, uint32_t year, uint32_t month,
                     int32_t runningMonth, HistorySlot* slots);

// A slot's figure: none for a negative count.
void SetSlotFigure(HistorySlot* slot, int32_t count);

// The best day, the average and the total of slots[HistoryDays].
void SummariseDays(const HistorySlot* slots, HistorySummary* summary);

// Whether any slot before the last, the running one, has a figure.
int HasFinishedFigure(const HistorySlot* slots, int count);
