#pragma once
// How the history page draws its figures: the scale, the bars, the day
// labels and the summary line. Platform-free.

#include "../store/history.h"

// The largest figure of the slots, or 0.
int32_t LargestFigure(const HistorySlot* slots, int count);

// The smallest of 1, 2, 5, 10, 20, 50 ... that is at least largest.
int64_t ReadableTop(int32_t largest);

// A bar's height in pixels: count / top of the chart's height, rounded to
// the nearest pixel, at least 1 for a positive count, never above the chart.
// 0 for a slot without a figure.
int BarHeight(const HistorySlot* slot, int64_t top, int chartHeight);

// Label every k-th day, counted back from today: the smallest k whose labels
// are at least labelWidth apart, at most HistoryDays.
int LabelEvery(int barWidth, int labelWidth);
int IsDayLabelled(int slot, int every);

// A figure of the charts in decimal, 0 for a negative one: the scale's top
// and the total may pass 32 bits. Returns 0 with out emptied when the text
// does not fit.
int FormatHistoryFigure(char* out, int size, int64_t figure);

// The line of figures under the charts from format, which takes the best
// day's year, month and day (unsigned), its count and the average (int) and
// the total (a text): "Best day 2026-11-20: 1234. Average 456 a day. Total
// 12345." Empty when no day has a figure. Returns 0 with out emptied when
// the text does not fit.
int FormatHistorySummary(char* out, int size, const char* format, const HistorySummary* summary);
