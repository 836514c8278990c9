// The history page's figures: the tails of Day.txt and Month.txt read into
// the slots of the last 31 days and 12 months, and the days' summary.
#include "history.h"
#include "calendar_time.h"

#include <cstring>

// Dates are compared by their DateNumber, month slots and Month.txt lines
// with day 0, so one order serves both files.

static int Expect(const char** p, const char* end, char c) {
    if (*p == end || **p != c)
        return 0;
    ++*p;
    return 1;
}

// A decimal field as "%0*d" prints it with this width: at least width
// digits, and no leading zero beyond them.
static int ReadField(const char** p, const char* end, int width, int maxDigits, int64_t* value) {
    const char* start = *p;
    int digits = 0;
    *value = 0;
    while (*p < end && digits < maxDigits && **p >= '0' && **p <= '9') {
        *value = *value * 10 + (**p - '0');
        ++*p;
        digits++;
    }
    return digits >= width && (digits == width || *start != '0');
}

// The count as "%d" prints a 32-bit signed integer, then the line's CR.
static int ReadCountAndEnd(const char** p, const char* end, int32_t* count) {
    int negative = Expect(p, end, '-');
    int64_t value;
    if (!ReadField(p, end, 1, 10, &value) || (negative && value == 0) ||
        value > (negative ? 2147483648LL : 2147483647LL) || !Expect(p, end, '\r') || *p != end)
        return 0;
    *count = static_cast<int32_t>(negative ? -value : value);
    return 1;
}

// "%04d-%02d-%02d\t%d\r" without the LF, as the program writes Day.txt.
static int ParseDayLine(const char* p, const char* end, uint32_t* key, int32_t* count) {
    int64_t y, m, d;
    if (!ReadField(&p, end, 4, 5, &y) || !Expect(&p, end, '-') || !ReadField(&p, end, 2, 2, &m) ||
        !Expect(&p, end, '-') || !ReadField(&p, end, 2, 2, &d) || !Expect(&p, end, '\t') ||
        !ReadCountAndEnd(&p, end, count))
        return 0;
    uint32_t year = static_cast<uint32_t>(y), month = static_cast<uint32_t>(m);
    uint32_t day = static_cast<uint32_t>(d);
    *key = DateNumber(year, month, day);
    return IsCalendarDate(year, month, day);
}

// "%04d-%02d\t%d\r" without the LF, as the program writes Month.txt.
static int ParseMonthLine(const char* p, const char* end, uint32_t* key, int32_t* count) {
    int64_t y, m;
    if (!ReadField(&p, end, 4, 5, &y) || !Expect(&p, end, '-') || !ReadField(&p, end, 2, 2, &m) ||
        !Expect(&p, end, '\t') || !ReadCountAndEnd(&p, end, count))
        return 0;
    uint32_t year = static_cast<uint32_t>(y), month = static_cast<uint32_t>(m);
    *key = DateNumber(year, month, 0);
    return IsCalendarDate(year, month, 1);
}

void SetSlotFigure(HistorySlot* slot, int32_t count) {
    slot->HasFigure = count >= 0;
    slot->Count = count >= 0 ? count : 0;
}

typedef int (*LineParser)(const char* line, const char* end, uint32_t* key, int32_t* count);

// Puts the tail's lines into slots[0 .. count - 2], whose dates are set; the
// last slot is the running period and takes no line.
static void TakeLines(const char* tail, int length, int wholeFile, LineParser parse,
                      HistorySlot* slots, int count) {
    if (!tail || length <= 0)
        return;
    const char* p = tail;
    const char* end = tail + length;
    if (!wholeFile) {
        const char* lf = static_cast<const char*>(memchr(p, '\n', end - p));
        p = lf ? lf + 1 : end;
    }
    const HistorySlot* running = &slots[count - 1];
    uint32_t runningKey = DateNumber(running->Year, running->Month, running->Day);
    uint32_t lastTaken = 0;
    while (p < end) {
        const char* lf = static_cast<const char*>(memchr(p, '\n', end - p));
        if (!lf)
            break; // a last line without its line end was cut short
        uint32_t key;
        int32_t figure;
        if (parse(p, lf, &key, &figure) && key < runningKey && key >= lastTaken) {
            lastTaken = key;
            for (int i = 0; i < count - 1; i++)
                if (DateNumber(slots[i].Year, slots[i].Month, slots[i].Day) == key)
                    SetSlotFigure(&slots[i], figure);
        }
        p = lf + 1;
    }
}

int ReadDayHistory(const char* tail, int length, int wholeFile, uint32_t year, uint32_t month,
                   uint32_t day, int32_t runningDay, HistorySlot* slots) {
    memset(slots, 0, sizeof(HistorySlot) * HistoryDays);
    if (!IsCalendarDate(year, month, day))
        return 0;
    CalendarTime date = {static_cast<uint16_t>(year),
                         static_cast<uint16_t>(month),
                         0,
                         static_cast<uint16_t>(day),
                         12,
                         0,
                         0,
                         0};
    for (int i = HistoryDays - 1; i >= 0; i--) {
        slots[i].Year = date.Year;
        slots[i].Month = date.Month;
        slots[i].Day = date.Day;
        if (i > 0 && !AddSeconds(&date, -SecondsPerDay))
            break; // before the first calendar year: those slots stay undated
    }
    SetSlotFigure(&slots[HistoryDays - 1], runningDay);
    TakeLines(tail, length, wholeFile, ParseDayLine, slots, HistoryDays);
    return 1;
}

int ReadMonthHistory(const char* tail, int length, int wholeFile, uint32_t year, uint32_t month,
                     int32_t runningMonth, HistorySlot* slots) {
    memset(slots, 0, sizeof(HistorySlot) * HistoryMonths);
    if (!IsCalendarDate(year, month, 1))
        return 0;
    for (int i = HistoryMonths - 1; i >= 0; i--) {
        slots[i].Year = year;
        slots[i].Month = month;
        if (--month == 0) {
            month = 12;
            year--;
        }
    }
    SetSlotFigure(&slots[HistoryMonths - 1], runningMonth);
    TakeLines(tail, length, wholeFile, ParseMonthLine, slots, HistoryMonths);
    return 1;
}

void SummariseDays(const HistorySlot* slots, HistorySummary* summary) {
    memset(summary, 0, sizeof *summary);
    int days = 0;
    for (int i = 0; i < HistoryDays; i++) {
        const HistorySlot* s = &slots[i];
        if (!s->HasFigure)
            continue;
        days++;
        summary->Total += s->Count;
        if (!summary->HasBest || s->Count >= summary->BestCount) {
            summary->HasBest = 1;
            summary->BestYear = s->Year;
            summary->BestMonth = s->Month;
            summary->BestDay = s->Day;
            summary->BestCount = s->Count;
        }
    }
    if (days > 0)
        summary->Average = static_cast<int32_t>((summary->Total * 2 + days) / (2 * days));
}

int HasFinishedFigure(const HistorySlot* slots, int count) {
    for (int i = 0; i < count - 1; i++)
        if (slots[i].HasFigure)
            return 1;
    return 0;
}
