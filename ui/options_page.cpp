// The options page: the reset buttons and the start-with-Windows box.
#include "ui.h"
#include "sheet_parts.h"
#include "counter_resets.h"
#include "../base/program.h"
#include "../store/counters.h"

enum { AllPeriods = -1 };

// One counter, or every one for AllPeriods, after a Yes.
static void OnReset(HWND page, int period) {
    if (ShowMessage(page, IDS_ASK_RESET, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    if (period == AllPeriods)
        ResetAllCounters(&CounterSet);
    else
        ResetCounter(&CounterSet, period);
    RefreshStatistics();
    SaveCounters();
}

static void OnOptionsCommand(HWND page, int id) {
    if (id == IDC_AUTOSTART) {
        ApplyAutostartBox(page);
        return;
    }
    if (id == IDC_RESET_ALL) {
        OnReset(page, AllPeriods);
        return;
    }
    int period = PeriodOfResetCommand(id);
    if (period >= 0)
        OnReset(page, period);
}

INT_PTR CALLBACK OptionsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        CenterSheetOnce(&SheetToCenter);
        ShowAutostartBox(page);
        return 1;
    case WM_NOTIFY:
        return AnswerSheetNotify(page, lParam);
    case WM_COMMAND:
        OnOptionsCommand(page, LOWORD(wParam));
        return 0;
    }
    return 0;
}
