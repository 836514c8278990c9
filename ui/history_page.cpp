// The history page: the last 31 days and 12 months drawn as bars from the
// statistics files and the running counts.
#include "ui.h"
#include "sheet_parts.h"
#include "../base/program.h"
#include "../base/bounded_format.h"
#include "history_layout.h"
#include "../store/stat_file.h"
#include "../store/stat_lines.h"

#include <cstring>

static HWND HistoryPage;
static int HistoryShown; // between the page's activation and its leaving
static HistorySlot DaySlots[HistoryDays];
static HistorySlot MonthSlots[HistoryMonths];
static uint32_t ReadYear, ReadMonth, ReadDay; // the date the slots were read for

// At most the last HistoryTailBytes of the period's statistics file; 0 for
// a file that is missing, locked, a folder or unreadable.
static int ReadTail(int period, char* tail, int* wholeFile) {
    char fileName[StatBufferSize];
    if (!StatFileName(fileName, sizeof fileName, period))
        return 0;
    HANDLE file = CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    LARGE_INTEGER size, start;
    DWORD length = 0;
    if (GetFileSizeEx(file, &size)) {
        start.QuadPart = size.QuadPart > HistoryTailBytes ? size.QuadPart - HistoryTailBytes : 0;
        if (!SetFilePointerEx(file, start, nullptr, FILE_BEGIN) ||
            !ReadFile(file, tail, HistoryTailBytes, &length, nullptr))
            length = 0;
        *wholeFile = start.QuadPart == 0;
    }
    CloseHandle(file);
    return static_cast<int>(length);
}

// The tails are read only here: when the page is shown and when the day it
// shows has ended, never on a click or a tick.
static void ReadHistory() {
    ReadYear = CounterSet.DateYear;
    ReadMonth = CounterSet.DateMonth;
    ReadDay = CounterSet.DateDay;
    char* tail = static_cast<char*>(LocalAlloc(LMEM_FIXED, HistoryTailBytes));
    int whole = 0;
    int length = tail ? ReadTail(PeriodDay, tail, &whole) : 0;
    ReadDayHistory(tail, length, whole, ReadYear, ReadMonth, ReadDay,
                   ReadCount(&CounterSet.Current[PeriodDay]), DaySlots);
    length = tail ? ReadTail(PeriodMonth, tail, &whole) : 0;
    ReadMonthHistory(tail, length, whole, ReadYear, ReadMonth,
                     ReadCount(&CounterSet.Current[PeriodMonth]), MonthSlots);
    if (tail)
        LocalFree(tail);
}

static void ShowHistory(HWND page) {
    HistorySummary summary;
    SummariseDays(DaySlots, &summary);
    char text[StatBufferSize];
    FormatHistorySummary(text, sizeof text, LoadResString(IDS_HISTORY_SUMMARY), &summary);
    SetDlgItemTextA(page, IDC_HISTORY_SUMMARY, text);
    InvalidateRect(GetDlgItem(page, IDC_DAY_CHART), nullptr, FALSE);
    InvalidateRect(GetDlgItem(page, IDC_MONTH_CHART), nullptr, FALSE);
}

// Whether a running figure changed its slot.
static int TakeRunningFigure(HistorySlot* slot, int period) {
    HistorySlot before = *slot;
    SetSlotFigure(slot, ReadCount(&CounterSet.Current[period]));
    return before.HasFigure != slot->HasFigure || before.Count != slot->Count;
}

void RefreshHistory() {
    if (!HistoryPage || !HistoryShown)
        return;
    if (ReadYear != CounterSet.DateYear || ReadMonth != CounterSet.DateMonth ||
        ReadDay != CounterSet.DateDay)
        ReadHistory();
    else if (!(TakeRunningFigure(&DaySlots[HistoryDays - 1], PeriodDay) |
               TakeRunningFigure(&MonthSlots[HistoryMonths - 1], PeriodMonth)))
        return;
    ShowHistory(HistoryPage);
}

// "Jan" to "Dec"; the empty text for anything else.
static const char* MonthName(uint32_t month) {
    return month >= 1 && month <= 12 ? LoadResString(IDS_MONTH_JAN + month - 1) : "";
}

static void DrawLabel(HDC dc, int left, int right, int top, int bottom, const char* text) {
    RECT box = {left, top, right, bottom};
    DrawTextA(dc, text, -1, &box, DT_CENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
}

// The bars of a chart, oldest on the left, the running period's in the
// highlight colour, on a base line with the scale's top figure above them.
static void DrawBars(HDC dc, const RECT* area, const HistorySlot* slots, int count, int days,
                     int emptyTextId) {
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    int line = metrics.tmHeight;
    int width = area->right - area->left;
    int top = area->top + line + 2;
    int base = area->bottom - line - 3;
    int64_t scale = ReadableTop(LargestFigure(slots, count));
    char text[16];
    FormatHistoryFigure(text, sizeof text, scale);
    TextOutA(dc, area->left, area->top, text, static_cast<int>(strlen(text)));
    RECT rule = {area->left, top - 1, area->right, top};
    FillRect(dc, &rule, GetSysColorBrush(COLOR_BTNHIGHLIGHT));

    SIZE digits;
    GetTextExtentPoint32A(dc, "00", 2, &digits);
    int every = LabelEvery(width / count, digits.cx + 4);
    for (int i = 0; i < count; i++) {
        int left = area->left + width * i / count;
        int right = area->left + width * (i + 1) / count;
        int height = BarHeight(&slots[i], scale, base - top);
        RECT bar = {left + 1, base - height, right - 1, base};
        FillRect(dc, &bar, GetSysColorBrush(i == count - 1 ? COLOR_HIGHLIGHT : COLOR_BTNSHADOW));
        if (days && IsDayLabelled(i, every))
            FormatBounded(text, sizeof text, "%u", static_cast<unsigned>(slots[i].Day));
        else
            FormatBounded(text, sizeof text, "%s", days ? "" : MonthName(slots[i].Month));
        DrawLabel(dc, left, right, base + 2, area->bottom, text);
    }
    RECT axis = {area->left, base, area->right, base + 1};
    FillRect(dc, &axis, GetSysColorBrush(COLOR_BTNTEXT));
    if (!HasFinishedFigure(slots, count))
        DrawLabel(dc, area->left, area->right, (top + base - line) / 2, base,
                  LoadResString(emptyTextId));
}

// Drawn off screen and copied in one piece, so a redraw never flickers.
static void DrawChart(HWND page, const DRAWITEMSTRUCT* item) {
    const RECT* whole = &item->rcItem;
    int width = whole->right - whole->left, height = whole->bottom - whole->top;
    HDC dc = CreateCompatibleDC(item->hDC);
    HBITMAP bitmap = CreateCompatibleBitmap(item->hDC, width, height);
    if (!dc || !bitmap) {
        if (bitmap)
            DeleteObject(bitmap);
        if (dc)
            DeleteDC(dc);
        return;
    }
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HGDIOBJ oldFont =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(page, WM_GETFONT, 0, 0)));
    RECT area = {0, 0, width, height};
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    if (item->CtlID == IDC_DAY_CHART)
        DrawBars(dc, &area, DaySlots, HistoryDays, 1, IDS_NO_DAYS);
    else
        DrawBars(dc, &area, MonthSlots, HistoryMonths, 0, IDS_NO_MONTHS);
    BitBlt(item->hDC, whole->left, whole->top, width, height, dc, 0, 0, SRCCOPY);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

static INT_PTR OnHistoryNotify(HWND page, LPARAM lParam) {
    switch (reinterpret_cast<const NMHDR*>(lParam)->code) {
    case PSN_SETACTIVE:
        HistoryShown = 1;
        ReadHistory();
        ShowHistory(page);
        SetWindowLongA(page, DWL_MSGRESULT, 0);
        return 1;
    case PSN_KILLACTIVE:
        HistoryShown = 0;
        break;
    }
    return AnswerSheetNotify(page, lParam);
}

INT_PTR CALLBACK HistoryPageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        CenterSheetOnce(&SheetToCenter);
        HistoryPage = page;
        return 1;
    case WM_NOTIFY:
        return OnHistoryNotify(page, lParam);
    case WM_DRAWITEM:
        DrawChart(page, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return 1;
    case WM_DESTROY:
        HistoryPage = nullptr;
        HistoryShown = 0;
        return 0;
    }
    return 0;
}
