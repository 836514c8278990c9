// The statistics page: the counts, the clock and the new session.
#include "ui.h"
#include "sheet_parts.h"
#include "counter_resets.h"
#include "../base/program.h"
#include "../store/counters.h"
#include "../store/session_clock.h"

#include <atomic>

static void SetStatsPageWindow(HWND page) {
    std::atomic_ref<HWND>(StatsPageWindow).store(page);
}

static INT_PTR OnInitStatistics(HWND page) {
    CenterSheetOnce(&SheetToCenter);
    MakeHideButton(SheetWindow);
    SetStatsPageWindow(page);
    RefreshStatistics();
    return 1;
}

static void OnNewSession(HWND page) {
    if (ShowMessage(page, IDS_ASK_NEW_SESSION, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    RestartSessionClock(GetTickCount());
    BeginNewSession(&CounterSet);
    RefreshStatistics();
    SaveCounters();
}

static void OnStatisticsCommand(HWND page, int id) {
    switch (id) {
    case IDC_NEW_SESSION:
        OnNewSession(page);
        break;
    case IDC_STATS_LINK:
        OpenLinkPage(page, IDS_STATS_URL);
        break;
    }
}

INT_PTR CALLBACK StatisticsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitStatistics(page);
    case WM_NOTIFY:
        return AnswerSheetNotify(page, lParam);
    case WM_CTLCOLORSTATIC:
        return AnswerDifferenceColour(page, reinterpret_cast<HDC>(wParam),
                                      reinterpret_cast<HWND>(lParam));
    case WM_COMMAND:
        OnStatisticsCommand(page, LOWORD(wParam));
        return 0;
    case WM_DESTROY:
        SetStatsPageWindow(nullptr);
        return 0;
    }
    return 0;
}
