#pragma once
// The parts of the statistics sheet that its pages share. Win32.

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

struct PageSpec {
    uint32_t TemplateId; // low 16 bits: a dialog template of the program
    uint32_t TitleId;    // 0: the template's caption
    uint32_t IconId;     // 0: no tab icon
    DLGPROC Procedure;
};

extern const PageSpec StatisticsPages[];

// The sheet window as recorded at its initialisation; kept after closing.
extern HWND SheetWindow;
// The sheet window until the first page to initialise has centred it.
extern HWND SheetToCenter;

int RunPropertySheet(HWND owner, const char* caption, int startPage, PFNPROPSHEETCALLBACK callback,
                     const PageSpec* pages, int captionIsTitle, int withHelp, int modeless);
int CALLBACK SheetCallback(HWND sheet, UINT message, LPARAM param);

void CenterWindowOnScreen(HWND window, int dx, int dy);
void CenterSheetOnce(HWND* slot);

// Turns the sheet's OK and Cancel buttons into the one Hide button.
void MakeHideButton(HWND sheet);

int AnswerKillActive(HWND page);
int AnswerApply(HWND page);
// A page's answer to WM_NOTIFY.
INT_PTR AnswerSheetNotify(HWND page, LPARAM lParam);

// Opens the web page address of string urlId in the user's browser.
void OpenLinkPage(HWND page, int urlId);

// A yes/no question of string textId owned by page; 1 only for Yes.
int AskQuestion(HWND page, int textId);

// The answer to WM_CTLCOLORSTATIC for the Difference cells, else 0.
INT_PTR AnswerDifferenceColour(HWND page, HDC dc, HWND control);

// Keeps the history page's running bars current while it is shown, and
// reads its files again once the day it shows has ended.
void RefreshHistory();

void ShowAutostartOption(HWND page);
void ApplyAutostartOption(HWND page);

INT_PTR CALLBACK StatisticsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK HistoryPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK OptionsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AboutPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
