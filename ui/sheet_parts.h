#pragma once
// The parts of the statistics sheet that its pages share. Win32.

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

// A page: its dialog template, whose caption is the tab's title, and its
// procedure. A zero template ends the list.
struct PageSpec {
    uint16_t TemplateId;
    DLGPROC Procedure;
};

extern const PageSpec StatisticsPages[];

// The sheet window as recorded at its initialisation; kept after closing.
extern HWND SheetWindow;
// The sheet window until the first page to initialise has centered it.
extern HWND SheetToCenter;

// Runs a modal sheet of pages, the first one shown, with no Apply button;
// the platform's answer, or -1 when the common controls cannot be had.
int RunPropertySheet(HWND owner, const char* caption, PFNPROPSHEETCALLBACK callback,
                     const PageSpec* pages);
// Centers the window in *slot on the screen, once: the slot is emptied.
void CenterSheetOnce(HWND* slot);

// Turns the sheet's OK and Cancel buttons into the one Hide button.
void MakeHideButton(HWND sheet);

// A page's answer to WM_NOTIFY.
INT_PTR AnswerSheetNotify(HWND page, LPARAM lParam);

// Opens the web page address of string urlId in the user's browser, without
// waiting for the shell.
void OpenLinkPage(HWND page, int urlId);

// The answer to WM_CTLCOLORSTATIC for the Difference cells, else 0.
INT_PTR AnswerDifferenceColour(HWND page, HDC dc, HWND control);

// Keeps the history page's running bars current while it is shown, and
// reads its files again once the day it shows has ended.
void RefreshHistory();

// The start-with-Windows box: shown as the Run value is; a change goes to the
// start-up entry, through an elevated copy, and then to the option.
void ShowAutostartBox(HWND page);
void ApplyAutostartBox(HWND page);

INT_PTR CALLBACK StatisticsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK HistoryPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK OptionsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AboutPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
