// The history chart's scale, bar heights and labels, apart from the
// platform.
#include "history_layout.h"
#include "../base/bounded_format.h"

int32_t LargestFigure(const HistorySlot* slots, int count) {
    int32_t largest = 0;
    for (int i = 0; i < count; i++)
        if (slots[i].HasFigure && slots[i].Count > largest)
            largest = slots[i].Count;
    return largest;
}

int64_t ReadableTop(int32_t largest) {
    static const int Steps[] = {1, 2, 5};
    for (int64_t power = 1;; power *= 10)
        for (int step : Steps)
            if (power * step >= largest)
                return power * step;
}

int BarHeight(const HistorySlot* slot, int64_t top, int chartHeight) {
    if (!slot || !slot->HasFigure || chartHeight <= 0)
        return 0;
    if (top < 1)
        top = 1;
    int64_t height = (slot->Count * int64_t{2} * chartHeight + top) / (2 * top);
    if (slot->Count > 0 && height < 1)
        height = 1; // a day with presses never looks like a day without a line
    return height > chartHeight ? chartHeight : static_cast<int>(height);
}

int LabelEvery(int barWidth, int labelWidth) {
    if (barWidth <= 0)
        return HistoryDays;
    int64_t every = (int64_t{labelWidth} + barWidth - 1) / barWidth;
    return every < 1 ? 1 : every > HistoryDays ? HistoryDays : static_cast<int>(every);
}

int IsDayLabelled(int slot, int every) {
    if (every < 1)
        every = 1;
    return slot >= 0 && slot < HistoryDays && (HistoryDays - 1 - slot) % every == 0;
}

int FormatHistoryFigure(char* out, int size, int64_t figure) {
    return FormatBoundedDecimal(out, size, "", figure < 0 ? 0 : figure, "");
}

int FormatHistorySummary(char* out, int size, const char* format, const HistorySummary* summary) {
    if (!summary->HasBest)
        return FormatBounded(out, size, "%s", "");
    char total[24]; // 20 digits at most
    FormatHistoryFigure(total, sizeof total, summary->Total);
    return FormatBounded(
        out, size, format, static_cast<unsigned>(summary->BestYear),
        static_cast<unsigned>(summary->BestMonth), static_cast<unsigned>(summary->BestDay),
        static_cast<int>(summary->BestCount), static_cast<int>(summary->Average), total);
}
