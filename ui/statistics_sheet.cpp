// The statistics sheet: its pages, and one sheet at a time, from the tray.
#include "ui.h"
#include "sheet_parts.h"
#include "../base/program.h"
#include "../base/bounded_format.h"

#include <commctrl.h>

const PageSpec StatisticsPages[] = {
    {IDD_STATISTICS, StatisticsPageProc},
    {IDD_HISTORY, HistoryPageProc},
    {IDD_OPTIONS, OptionsPageProc},
    {IDD_ABOUT, AboutPageProc},
    {0, nullptr},
};

static int SheetOpen;
HWND SheetWindow;
HWND SheetToCenter;

static int CALLBACK SheetCallback(HWND sheet, UINT message, LPARAM) {
    if (message == PSCB_INITIALIZED) {
        SheetWindow = sheet;
        SheetToCenter = sheet;
    }
    return 0;
}

int StatisticsSheetOpen() {
    return SheetOpen;
}

int ShowStatisticsSheet(HWND owner) {
    // The sheet's modal loop dispatches the owner's messages, so a second
    // Open arrives here while the first sheet is still up.
    if (SheetOpen)
        return 1;
    SheetOpen = 1;
    ShowWindow(owner, SW_SHOWMINIMIZED);
    char caption[256];
    FormatBounded(caption, sizeof caption, "%s", LoadResString(IDS_TITLE));
    int result = RunPropertySheet(owner, caption, SheetCallback, StatisticsPages);
    ShowWindow(owner, SW_HIDE);
    SheetOpen = 0;
    return result;
}
