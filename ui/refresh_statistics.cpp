// The statistics page's redraw, after clicks and on the tick.
#include "ui.h"
#include "sheet_parts.h"
#include "display_map.h"
#include "display_texts.h"
#include "percent_change.h"
#include "../base/program.h"
#include "../store/session_clock.h"

#include <atomic>

HWND StatsPageWindow;
// The percentage change of Session to Year as of the last full refresh;
// the Difference column's colours follow it.
static int64_t PercentChange[PeriodsWithLast];

static void SetCell(HWND page, int id, const char* text) {
    SendDlgItemMessageA(page, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

static void RefreshPeriodRow(HWND page, int period, char* text, int size) {
    int32_t current = ReadCount(&CounterSet.Current[period]);
    int32_t last = ReadCount(&CounterSet.Last[period]);
    int64_t percent = PercentChangeOf(current, last);
    PercentChange[period] = percent;
    FormatCountText(text, size, current);
    SetCell(page, CurrentIds[period], text);
    FormatCountText(text, size, last);
    SetCell(page, LastIds[period], text);
    FormatDifferenceText(text, size, percent);
    SetCell(page, DifferenceIds[period], text);
}

HWND CurrentStatsPage() {
    return std::atomic_ref<HWND>(StatsPageWindow).load();
}

void RefreshClock() {
    HWND page = CurrentStatsPage();
    if (!page)
        return;
    char text[256];
    FormatClockText(text, sizeof text, SessionSeconds);
    SetCell(page, IDC_CLOCK, text);
}

void RefreshStatistics() {
    HWND page = CurrentStatsPage();
    if (!page)
        return;
    char text[256];
    for (int p = PeriodSession; p < PeriodsWithLast; p++)
        RefreshPeriodRow(page, p, text, sizeof text);
    FormatCountText(text, sizeof text, ReadCount(&CounterSet.Current[PeriodTotal]));
    SetCell(page, IDC_CUR_TOTAL, text);
    RefreshHistory();
    RefreshClock();
}

INT_PTR AnswerDifferenceColour(HWND page, HDC dc, HWND control) {
    for (int p = PeriodSession; p < PeriodsWithLast; p++) {
        if (control != GetDlgItem(page, DifferenceIds[p]))
            continue;
        uint32_t colour;
        if (!DifferenceColour(PercentChange[p], &colour))
            return 0;
        SetTextColor(dc, colour);
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    }
    return 0;
}
