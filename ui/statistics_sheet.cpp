#include "ui.h"
#include "sheet_parts.h"
#include "../app/app.h"
#include "../app/bounded_format.h"

#include <commctrl.h>

const PageSpec StatisticsPages[] = {
    {IDD_STATISTICS, 0, 0, StatisticsPageProc},
    {IDD_HISTORY, 0, 0, HistoryPageProc},
    {IDD_OPTIONS, 0, 0, OptionsPageProc},
    {IDD_ABOUT, 0, 0, AboutPageProc},
    {0, 0, 0, nullptr},
};

static int SheetOpen;
HWND SheetWindow;
HWND SheetToCenter;

int CALLBACK SheetCallback(HWND sheet, UINT message, LPARAM) {
    if (message == PSCB_INITIALIZED) {
        SheetWindow = sheet;
        SheetToCenter = sheet;
    }
    return 0;
}

int ShowStatisticsSheet(HWND owner) {
    // The sheet's modal loop dispatches the main window's messages, so a
    // second Open arrives here while the first sheet is still up.
    if (SheetOpen)
        return 1;
    SheetOpen = 1;
    TerminateConfirmed = 0;
    ShowWindow(MainWindow, SW_SHOWMINIMIZED);
    char caption[256];
    FormatBounded(caption, sizeof caption, "%s", LoadResString(IDS_TITLE));
    int result = RunPropertySheet(owner, caption, 0, SheetCallback, StatisticsPages, 0, 0, 0);
    ShowWindow(MainWindow, SW_HIDE);
    SheetOpen = 0;
    return result;
}
