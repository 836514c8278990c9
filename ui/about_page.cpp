#include "sheet_parts.h"
#include "../base/program.h"

INT_PTR CALLBACK AboutPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        CenterSheetOnce(&SheetToCenter);
        return 1;
    case WM_NOTIFY:
        return AnswerSheetNotify(page, lParam);
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_ABOUT_LINK)
            OpenLinkPage(page, IDS_ABOUT_URL);
        return 0;
    }
    return 0;
}
