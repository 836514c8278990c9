#include "ui.h"
#include "sheet_parts.h"
#include "counter_resets.h"
#include "../app/app.h"
#include "../store/counters.h"

static void OnResetCounter(HWND page, int period) {
    if (!AskQuestion(page, IDS_ASK_RESET))
        return;
    ResetCounter(&CounterSet, period);
    RefreshStatistics(0);
    SaveCounters();
}

static void OnResetAll(HWND page) {
    if (!AskQuestion(page, IDS_ASK_RESET))
        return;
    ResetAllCounters(&CounterSet);
    RefreshStatistics(0);
    SaveCounters();
}

static void OnOptionsCommand(HWND page, int id) {
    if (id == IDC_AUTOSTART) {
        ApplyAutostartOption(page);
        return;
    }
    if (id == IDC_RESET_ALL) {
        OnResetAll(page);
        return;
    }
    int period = PeriodOfResetCommand(id);
    if (period >= 0)
        OnResetCounter(page, period);
}

INT_PTR CALLBACK OptionsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        CenterSheetOnce(&SheetToCenter);
        ShowAutostartOption(page);
        return 1;
    case WM_NOTIFY:
        return AnswerSheetNotify(page, lParam);
    case WM_COMMAND:
        OnOptionsCommand(page, LOWORD(wParam));
        return 0;
    }
    return 0;
}
